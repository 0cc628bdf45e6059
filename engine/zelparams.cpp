// SPDX-License-Identifier: MIT
#include "engine/zelparams.h"

#include "engine/generationhost.h"
#include "model/quoting.h"
#include "model/zelmodel.h"
#include "model/zelquery.h"
#include "model/zelschema.h"

#include <QRegularExpression>

namespace {

QString entryName(const QString &entry) {
  return entry.section(QLatin1Char('='), 0, 0);
}

QString makeEntry(const QString &name, const QString &value) {
  return name + QLatin1Char('=') + value;
}

// Whether the entry is name=..., without cutting the name out of it (lists are searched often).
bool isEntryOf(const QString &entry, const QString &name) {
  return entry.size() > name.size() && entry.at(name.size()) == QLatin1Char('=') &&
         entry.indexOf(QLatin1Char('=')) == name.size() &&
         entry.startsWith(name, Qt::CaseInsensitive);
}

int indexOfParam(const QStringList &params, const QString &name) {
  for (int i = 0; i < params.size(); ++i)
    if (isEntryOf(params.at(i), name))
      return i;
  return -1;
}

// The entries' positions by name: a list is looked up once per entry of another.
ZelAliasIndex entriesByName(const QStringList &params) {
  ZelAliasIndex index;
  for (int i = 0; i < params.size(); ++i)
    index.insert(entryName(params.at(i)), i);
  return index;
}

QString entryValue(const QString &entry) {
  return entry.mid(entry.indexOf(QLatin1Char('=')) + 1);
}

} // namespace

QString ParamItemName(const QString &item) {
  const qsizetype close = item.indexOf(QLatin1Char(']'));
  if (!item.startsWith(QLatin1Char('[')) || close < 0)
    return {};
  return item.mid(1, close - 1);
}

QString ParamItemDefault(const QString &item) {
  const qsizetype close = item.indexOf(QLatin1Char(']'));
  QString value;
  if (close >= 0 && item.mid(close + 1).startsWith(QLatin1Char('=')))
    value = item.mid(close + 2).trimmed();
  return value.isEmpty() ? QStringLiteral(" ") : value;
}

QStringList CollectParams(const TzelQuery &query) {
  QStringList params;
  ZelAliasIndex entries; // the entries by name: many parameters are collected in one pass
  for (int v = 0; v < query.ValueCount(); ++v) {
    const TzelQueryValue *value = query.GetValue(v);
    if (value->Deleted())
      continue;
    for (int f = 0; f < value->FilterCount(); ++f) {
      const TzelQueryFilter *filter = value->GetFilter(f);
      if (filter->Deleted())
        continue;
      const QStringList items = TzelQueryFilter::SplitFilter(filter->Filter());
      for (const QString &item : items) {
        const QString name = ParamItemName(item);
        if (name.isNull())
          continue;
        const int at = entries.first(name);
        if (at < 0) {
          entries.insert(name, int(params.size()));
          params.append(makeEntry(name, ParamItemDefault(item)));
        } else { // the entry keeps the spelling it was first seen with
          params[at] = makeEntry(entryName(params.at(at)), ParamItemDefault(item));
        }
      }
    }
  }
  return params;
}

QString ParamValue(const QStringList &params, const QString &name) {
  const int i = indexOfParam(params, name);
  if (i < 0)
    return {};
  return entryValue(params.at(i));
}

bool HasParam(const QStringList &params, const QString &name) {
  return indexOfParam(params, name) >= 0;
}

void SetParamValue(QStringList &params, const QString &name, const QString &value) {
  const int i = indexOfParam(params, name);
  if (i < 0)
    params.append(makeEntry(name, value));
  else // the entry keeps the spelling it was first seen with
    params[i] = makeEntry(entryName(params.at(i)), value);
}

QString CheckParamValues(const QStringList &nameValues) {
  for (const QString &entry : nameValues) {
    const QString name = entryName(entry);
    if (!IsBlank(name) && IsBlank(entry.mid(name.size() + 1)))
      return QStringLiteral("Error: The [") + name + QStringLiteral("] parameter cannot be blank");
  }
  return {};
}

bool RunParamStep(const TzelQuery &query, QStringList &params, TzelModel *model,
                  TzelGenerationHost &host) {
  params = CollectParams(query);
  if (params.isEmpty())
    return true;
  host.beforeParams();
  bool ok = true;
  if (host.displayParams()) {
    QStringList rows; // the names are distinct: each entry's value is its own
    for (const QString &entry : std::as_const(params))
      rows.append(makeEntry(entryName(entry), entryValue(entry).trimmed()));
    ok = host.prompts().askParams(rows, model);
    if (ok) {
      ZelAliasIndex byName = entriesByName(params);
      const ZelAliasIndex rowsByName = entriesByName(rows);
      for (const QString &row : std::as_const(rows)) {
        const QString name = entryName(row);
        const QString value = entryValue(rows.at(rowsByName.first(name)));
        const int at = byName.first(name);
        if (at >= 0) {
          params[at] = makeEntry(entryName(params.at(at)), value);
        } else {
          byName.insert(name, int(params.size()));
          params.append(makeEntry(name, value));
        }
      }
    }
  }
  host.afterParams();
  return ok;
}

bool IsSqlNumber(const QString &text) {
  static const QRegularExpression number(
      QStringLiteral("\\A[+-]?(\\d+(\\.\\d*)?|\\.\\d+)([eE][+-]?\\d+)?\\z"));
  return number.match(text).hasMatch();
}

QString EscapeForDateQuote(const QString &text, const QString &dateQuote) {
  QString result = text;
  for (QChar c : {QLatin1Char('\''), QLatin1Char('"'), QLatin1Char('#')})
    if (dateQuote.contains(c))
      result.replace(c, QString(2, c));
  return result;
}
