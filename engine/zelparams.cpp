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

QString entry(const QString &name, const QString &value) {
  return name + QLatin1Char('=') + value;
}

int indexOfParam(const QStringList &params, const QString &name) {
  for (int i = 0; i < params.size(); ++i)
    if (zelSameText(entryName(params.at(i)), name))
      return i;
  return -1;
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
          params.append(entry(name, ParamItemDefault(item)));
        } else { // the entry keeps the spelling it was first seen with
          params[at] = entry(entryName(params.at(at)), ParamItemDefault(item));
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
  const QString &entry = params.at(i);
  return entry.mid(entry.indexOf(QLatin1Char('=')) + 1);
}

bool HasParam(const QStringList &params, const QString &name) {
  return indexOfParam(params, name) >= 0;
}

void SetParamValue(QStringList &params, const QString &name, const QString &value) {
  const int i = indexOfParam(params, name);
  if (i < 0)
    params.append(entry(name, value));
  else // the entry keeps the spelling it was first seen with
    params[i] = entry(entryName(params.at(i)), value);
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
    QStringList rows;
    for (const QString &entry : std::as_const(params))
      rows.append(entryName(entry) + QLatin1Char('=') +
                  ParamValue(params, entryName(entry)).trimmed());
    ok = host.prompts().askParams(rows, model);
    if (ok)
      for (const QString &row : std::as_const(rows))
        SetParamValue(params, entryName(row), ParamValue(rows, entryName(row)));
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
