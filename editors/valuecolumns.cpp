// SPDX-License-Identifier: MIT
#include "editors/valuecolumns.h"

#include "model/keywords.h"
#include "model/vocabulary.h"

bool SplitRawFilter(const QString &raw, TzelRawFilter &filter) {
  filter = {};
  if (IsBlank(raw))
    return false;
  const QStringList pieces = raw.split(QLatin1Char('|'));
  filter.oper = pieces.first().trimmed().toInt();
  // The last piece is what follows the last "|": never a value.
  for (qsizetype i = 1; i + 1 < pieces.size(); ++i)
    filter.values << pieces[i];
  return true;
}

QString JoinRawFilter(int oper, const QStringList &values) {
  if (values.isEmpty())
    return {};
  return QString::number(oper) + QLatin1Char('|') + values.join(QLatin1Char('|')) +
         QLatin1Char('|');
}

QString KeywordText(const QString &word) {
  const int index = KeywordIndex(word);
  return index >= 0 ? Keyword(index) : word;
}

namespace {

bool joinsWithAnd(int oper) {
  return oper == zelFilterBetween || oper == zelFilterNotEqual || oper == zelFilterNotBetween ||
         oper == zelFilterNotLike;
}

// Keywords and parameters stand as they are; other text values are shown quoted.
QString shownValue(const QString &value, bool quoted) {
  if (!quoted)
    return value;
  const QString upper = value.toUpper();
  if (upper == u"BLANK" || upper == u"SPACE" || upper == u"TODAY" ||
      value.startsWith(QLatin1Char('[')) || value.endsWith(QLatin1Char(']')))
    return value;
  return QLatin1Char('"') + value + QLatin1Char('"');
}

} // namespace

QString FilterDisplayText(const QString &raw, TFieldType type) {
  TzelRawFilter filter;
  if (!SplitRawFilter(raw, filter) || filter.values.isEmpty())
    return {};
  const bool quoted = IsTextFieldType(type);
  QStringList shown;
  for (const QString &value : std::as_const(filter.values))
    shown << shownValue(value, quoted);
  const QString word =
      KeywordText(joinsWithAnd(filter.oper) ? QStringLiteral("AND") : QStringLiteral("OR"));
  return FilterOperatorSql(TzelFilterOper(filter.oper)) + QLatin1Char(' ') +
         shown.join(QLatin1Char(' ') + word + QLatin1Char(' '));
}
