// SPDX-License-Identifier: MIT
#include "model/quoting.h"
#include "model/dialects.h"
#include "model/keywords.h"

#include <QStringList>
#include <algorithm>

using namespace Qt::StringLiterals;

namespace {

// True when the name holds an ASCII letter of the case of first ('a' or 'A').
bool hasCase(const QString &name, char16_t first) {
  return std::any_of(name.cbegin(), name.cend(), [first](QChar c) {
    return c.unicode() >= first && c.unicode() <= first + 25;
  });
}

template <typename QuotePart>
QString quoteParts(const QString &name, TzelQuoteType quote, TzelDatabase database,
                   QuotePart quotePart) {
  if (!zelDialect(database).quotesNames)
    quote = zelQuoteNone;
  if (zelDialect(database).fileTables)
    return quotePart(name, quote, database);
  QStringList parts = name.split(QLatin1Char('.'));
  for (QString &part : parts)
    part = quotePart(part, quote, database);
  return parts.join(QLatin1Char('.'));
}

// CONCAT('c:', CHAR(92 USING utf8mb4), 'temp'): no backslash inside a literal, so the text is
// the same whether or not the server's mode reads backslashes as escapes.
QString backslashesByChar(const QString &text, TzelQuoteType quote) {
  QStringList parts;
  const QStringList pieces = text.split(u'\\');
  for (qsizetype i = 0; i < pieces.size(); ++i) {
    if (i > 0)
      parts << u"CHAR(92 USING utf8mb4)"_s;
    if (!pieces.at(i).isEmpty())
      parts << QuoteText(pieces.at(i), quote);
  }
  return u"CONCAT("_s + parts.join(u", "_s) + u')';
}

QString closing(TzelQuoteType quote) {
  switch (quote) {
  case zelQuoteSingle:
    return QStringLiteral("'");
  case zelQuoteDouble:
    return QStringLiteral("\"");
  case zelQuoteBracket:
    return QStringLiteral("]");
  case zelQuoteBacktick:
    return QStringLiteral("`");
  case zelQuoteNone:
    break;
  }
  return {};
}

} // namespace

bool IsNativeDialect(TzelDatabase database) {
  return zelDialect(database).native;
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
  if (!text.contains(u'\\'))
    return QuoteText(text, quote);
  switch (zelDialect(database).backslashes) {
  case TzelBackslashes::Plain:
    break;
  case TzelBackslashes::EscapeString:
    if (quote == zelQuoteSingle)
      return u'E' + QuoteText(EscapeLiteralBackslashes(text, database), quote);
    break;
  case TzelBackslashes::CharFunction: // MySQL reads "..." as a string too
    if (quote == zelQuoteSingle || quote == zelQuoteDouble)
      return backslashesByChar(text, quote);
    break;
  }
  return QuoteText(text, quote);
}

QString EscapeLiteralBackslashes(const QString &text, TzelDatabase database) {
  return zelDialect(database).backslashes == TzelBackslashes::Plain
             ? text
             : QString(text).replace(u'\\', u"\\\\"_s);
}

bool NeedsQuoting(const QString &name, TzelDatabase database) {
  for (QChar c : name)
    if (IsQuoteForcingChar(c))
      return true;
  if (KeywordIndex(name) >= 0 || IsDialectKeyword(name, database))
    return true;
  const TzelDialect &dialect = zelDialect(database);
  if (dialect.foldsToUpperCase && hasCase(name, u'a'))
    return true;
  if (!dialect.native)
    return false;
  return (!name.isEmpty() && name.front().isDigit()) ||
         (dialect.foldsToLowerCase && hasCase(name, u'A'));
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
