#include "model/quoting.h"
#include "model/keywords.h"

#include <QStringList>

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

template <typename QuotePart>
QString quoteParts(const QString &name, TzelQuoteType quote, TzelDatabase database,
                   QuotePart quotePart) {
  if (database == zelSybase)
    quote = zelQuoteNone;
  if (isFileBased(database))
    return quotePart(name, quote);
  QStringList parts = name.split(QLatin1Char('.'));
  for (QString &part : parts)
    part = quotePart(part, quote);
  return parts.join(QLatin1Char('.'));
}

} // namespace

QString QuoteText(const QString &text, TzelQuoteType quote) {
  switch (quote) {
  case zelQuoteSingle:
    return QLatin1Char('\'') + text + QLatin1Char('\'');
  case zelQuoteDouble:
    return QLatin1Char('"') + text + QLatin1Char('"');
  case zelQuoteBracket:
    return QLatin1Char('[') + text + QLatin1Char(']');
  case zelQuoteNone:
    break;
  }
  return text;
}

bool NeedsQuoting(const QString &name) {
  for (QChar c : name)
    if (IsQuoteForcingChar(c))
      return true;
  return KeywordIndex(name) >= 0;
}

QString QuoteIfKeyword(const QString &name, TzelQuoteType quote) {
  return NeedsQuoting(name) ? QuoteText(name, quote) : name;
}

QString QuoteQualifiedName(const QString &name, TzelQuoteType quote, TzelDatabase database) {
  return quoteParts(name, quote, database, QuoteText);
}

QString QuoteQualifiedKeywords(const QString &name, TzelQuoteType quote, TzelDatabase database) {
  return quoteParts(name, quote, database, QuoteIfKeyword);
}
