#include "engine/sqlliterals.h"
#include "model/displayformat.h"
#include "model/sqldates.h"

#include <QLocale>
#include <QRegularExpression>

using namespace Qt::StringLiterals;

namespace {

enum class Part { Day, Month, MonthName, Year };

// The format as a pattern with one group per date part, in the order the parts stand.
QString datePattern(const QString &format, QList<Part> &parts) {
  QString pattern;
  const QString separator = TzelDisplayFormatter::dateSeparator(SystemShortDateFormat());
  for (qsizetype i = 0; i < format.size();) {
    const QChar c = format.at(i);
    const QChar lower = c.toLower();
    if (c == u'"' || c == u'\'') {
      const qsizetype close = format.indexOf(c, i + 1);
      const qsizetype end = close < 0 ? format.size() : close;
      pattern += QRegularExpression::escape(format.mid(i + 1, end - i - 1));
      i = end + 1;
      continue;
    }
    qsizetype run = 1;
    while (i + run < format.size() && format.at(i + run).toLower() == lower)
      ++run;
    if (lower == u'd' && run <= 2) {
      pattern += u"(\\d{1,2})"_s;
      parts << Part::Day;
    } else if (lower == u'm' && run <= 2) {
      pattern += u"(\\d{1,2})"_s;
      parts << Part::Month;
    } else if (lower == u'm') {
      pattern += u"(\\w+)"_s;
      parts << Part::MonthName;
    } else if (lower == u'y') {
      pattern += u"(\\d{2,4})"_s;
      parts << Part::Year;
    } else if (c == u'/') {
      pattern += QRegularExpression::escape(separator);
    } else {
      pattern += QRegularExpression::escape(format.mid(i, run));
    }
    i += run;
  }
  return pattern;
}

int monthFromName(const QString &name) {
  const QLocale locale;
  for (int m = 1; m <= 12; ++m)
    for (QLocale::FormatType type : {QLocale::ShortFormat, QLocale::LongFormat})
      if (locale.monthName(m, type).compare(name, Qt::CaseInsensitive) == 0)
        return m;
  return 0;
}

} // namespace

std::optional<QDate> ReadSqlDate(const QString &format, const QString &text) {
  QList<Part> parts;
  const QRegularExpression re(QRegularExpression::anchoredPattern(datePattern(format, parts)),
                              QRegularExpression::CaseInsensitiveOption);
  const QRegularExpressionMatch match = re.match(text.trimmed());
  if (!match.hasMatch() || parts.isEmpty())
    return std::nullopt;
  int day = 1, month = 1, year = 0;
  for (qsizetype i = 0; i < parts.size(); ++i) {
    const QString got = match.captured(int(i) + 1);
    switch (parts.at(i)) {
    case Part::Day:
      day = got.toInt();
      break;
    case Part::Month:
      month = got.toInt();
      break;
    case Part::MonthName:
      month = monthFromName(got);
      break;
    case Part::Year:
      year = got.toInt();
      break;
    }
  }
  const QDate date(year, month, day);
  // Only a text the format writes again unchanged is taken.
  if (!date.isValid() ||
      TzelDisplayFormatter().date(format, date).compare(text.trimmed(), Qt::CaseInsensitive) != 0)
    return std::nullopt;
  return date;
}

QString StripDateQuote(const QString &text, const QString &quote) {
  const qsizetype split = quote.indexOf(u';');
  const QString front = split < 0 ? quote : quote.left(split);
  const QString back = split < 0 ? quote : quote.mid(split + 1);
  if (text.size() < front.size() + back.size() || !text.startsWith(front) || !text.endsWith(back))
    return {};
  return text.mid(front.size(), text.size() - front.size() - back.size());
}

bool IsPlainFilterText(const QString &text) {
  if (text.isEmpty() || text.contains(u'|') || text.startsWith(u'['))
    return false;
  for (const char16_t *word : {u"BLANK", u"TODAY", u"SPACE"})
    if (text.compare(word, Qt::CaseInsensitive) == 0)
      return false;
  return true;
}
