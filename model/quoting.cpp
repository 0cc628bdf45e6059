// SPDX-License-Identifier: MIT
#include "model/quoting.h"
#include "model/keywords.h"

#include <QStringList>
#include <algorithm>

using namespace Qt::StringLiterals;

namespace {

// Databases whose tables are files: a dot there starts the file extension.
bool isFileBased(TzelDatabase database) {
  switch (database) {
  case zelAdvantage:
  case zelApollo:
  case zelDbase:
  case zelDBISAM:
  case zelParadox:
    return true;
  default:
    return false;
  }
}

bool hasUpperCase(const QString &name) {
  return std::any_of(name.cbegin(), name.cend(),
                     [](QChar c) { return c >= QLatin1Char('A') && c <= QLatin1Char('Z'); });
}

template <typename QuotePart>
QString quoteParts(const QString &name, TzelQuoteType quote, TzelDatabase database,
                   QuotePart quotePart) {
  if (database == zelSybase)
    quote = zelQuoteNone;
  if (isFileBased(database))
    return quotePart(name, quote, database);
  QStringList parts = name.split(QLatin1Char('.'));
  for (QString &part : parts)
    part = quotePart(part, quote, database);
  return parts.join(QLatin1Char('.'));
}

QString closing(TzelQuoteType quote) {
  switch (quote) {
  case zelQuoteSingle:
    return QStringLiteral("'");
  case zelQuoteDouble:
    return QStringLiteral("\"");
  case zelQuoteBracket:
    return QStringLiteral("]");
  case zelQuoteNone:
    break;
  }
  return {};
}

} // namespace

bool IsNativeDialect(TzelDatabase database) {
  return database == zelSQLite || database == zelPostgreSQL;
}

QString QuoteText(const QString &text, TzelQuoteType quote) {
  const QString close = closing(quote);
  if (close.isEmpty())
    return text;
  QString escaped = text;
  escaped.replace(close, close + close);
  const QString open = quote == zelQuoteBracket ? QStringLiteral("[") : close;
  return open + escaped + close;
}

QString QuoteLiteral(const QString &text, TzelQuoteType quote, TzelDatabase database) {
  if (database != zelPostgreSQL || quote != zelQuoteSingle || !text.contains(u'\\'))
    return QuoteText(text, quote);
  return u'E' + QuoteText(EscapeLiteralBackslashes(text, database), quote);
}

QString EscapeLiteralBackslashes(const QString &text, TzelDatabase database) {
  return database == zelPostgreSQL ? QString(text).replace(u'\\', u"\\\\"_s) : text;
}

bool NeedsQuoting(const QString &name, TzelDatabase database) {
  for (QChar c : name)
    if (IsQuoteForcingChar(c))
      return true;
  if (KeywordIndex(name) >= 0)
    return true;
  if (!IsNativeDialect(database))
    return false;
  return IsDialectKeyword(name, database) || (!name.isEmpty() && name.front().isDigit()) ||
         (database == zelPostgreSQL && hasUpperCase(name));
}

QString QuoteIfKeyword(const QString &name, TzelQuoteType quote, TzelDatabase database) {
  return NeedsQuoting(name, database) ? QuoteText(name, quote) : name;
}

QString QuoteQualifiedName(const QString &name, TzelQuoteType quote, TzelDatabase database) {
  return quoteParts(name, quote, database, [](const QString &part, TzelQuoteType q, TzelDatabase) {
    return QuoteText(part, q);
  });
}

QString QuoteQualifiedKeywords(const QString &name, TzelQuoteType quote, TzelDatabase database) {
  return quoteParts(name, quote, database, QuoteIfKeyword);
}
