#include "model/sqldates.h"
#include "messages/zelmessages.h"

#include <QLocale>
#include <QStringList>
#include <array>

namespace {

bool isCLocale(const QLocale &locale) {
  return locale.language() == QLocale::C;
}

// Letters of a Qt date pattern outside its quoted literals, each with a callback.
template <typename Visit> void visitPatternLetters(const QString &pattern, Visit visit) {
  bool quoted = false;
  for (QChar c : pattern) {
    if (c == QLatin1Char('\'')) {
      quoted = !quoted;
      continue;
    }
    if (!quoted && !visit(c))
      return;
  }
}

QString twoDigits(int n) {
  return QStringLiteral("%1").arg(n, 2, 10, QLatin1Char('0'));
}

// The long time format without Qt's time-zone letter, which the old patterns never show.
QString longTimeFormat(const QLocale &locale) {
  QString format = locale.timeFormat(QLocale::LongFormat);
  format.remove(QLatin1Char('t'));
  return format.trimmed();
}

int runLength(const QString &pattern, int i) {
  const QChar c = pattern.at(i).toLower();
  int k = 1;
  while (i + k < pattern.size() && pattern.at(i + k).toLower() == c)
    ++k;
  return k;
}

// am/pm, a/p and ampm markers at position i; returns the marker's length or 0.
int amPmMarker(const QString &pattern, int i, const QTime &time, const QLocale &locale,
               QString &out) {
  const QStringView rest = QStringView(pattern).mid(i);
  const bool pm = time.hour() >= 12;
  if (rest.startsWith(QLatin1String("am/pm"), Qt::CaseInsensitive)) {
    const QStringView marker = rest.mid(pm ? 3 : 0, 2);
    out += marker.toString().isUpper() ? (pm ? QStringLiteral("PM") : QStringLiteral("AM"))
                                       : (pm ? QStringLiteral("pm") : QStringLiteral("am"));
    return 5;
  }
  if (rest.startsWith(QLatin1String("a/p"), Qt::CaseInsensitive)) {
    out += rest.at(pm ? 2 : 0);
    return 3;
  }
  if (rest.startsWith(QLatin1String("ampm"), Qt::CaseInsensitive)) {
    out += pm ? locale.pmText() : locale.amText();
    return 4;
  }
  return 0;
}

bool hasAmPm(const QString &pattern) {
  return pattern.contains(QLatin1String("am/pm"), Qt::CaseInsensitive) ||
         pattern.contains(QLatin1String("a/p"), Qt::CaseInsensitive) ||
         pattern.contains(QLatin1String("ampm"), Qt::CaseInsensitive);
}

} // namespace

QString SystemShortDateFormat() {
  const QLocale locale;
  if (isCLocale(locale))
    return QStringLiteral("M/d/yyyy");
  return locale.dateFormat(QLocale::ShortFormat);
}

QChar SystemDateSeparator() {
  QChar separator = QLatin1Char('/');
  visitPatternLetters(SystemShortDateFormat(), [&](QChar c) {
    if (c.isLetter())
      return true;
    if (!c.isSpace())
      separator = c;
    return false;
  });
  return separator;
}

QChar SystemDecimalSeparator() {
  const QString point = QLocale().decimalPoint();
  return point.isEmpty() ? QLatin1Char('.') : point.at(0);
}

int SystemDateOrder() {
  int order = 0;
  visitPatternLetters(SystemShortDateFormat(), [&](QChar c) {
    switch (c.toUpper().unicode()) {
    case 'D':
      order = 1;
      return false;
    case 'E':
    case 'Y':
      order = 2;
      return false;
    case 'M':
      order = 0;
      return false;
    default:
      return true;
    }
  });
  return order;
}

std::optional<QDate> ParseSystemDate(const QString &text) {
  QStringList parts = text.trimmed().split(SystemDateSeparator());
  if (parts.size() > 1 && parts.last().trimmed().isEmpty())
    parts.removeLast(); // formats such as "yyyy. MM. dd." end in the separator
  if (parts.size() < 2 || parts.size() > 3)
    return std::nullopt;
  std::array<int, 3> numbers{};
  std::array<int, 3> digits{};
  for (int i = 0; i < parts.size(); ++i) {
    const QString part = parts.at(i).trimmed();
    bool ok = false;
    numbers[i] = part.toInt(&ok);
    digits[i] = int(part.size());
    if (!ok || part.isEmpty() || part.size() > 4 || !part.at(0).isDigit())
      return std::nullopt;
  }
  const QDate today = QDate::currentDate();
  int year = today.year(), month = 0, day = 0, yearDigits = 4;
  const int order = SystemDateOrder();
  if (parts.size() == 2) {
    month = order == 1 ? numbers[1] : numbers[0];
    day = order == 1 ? numbers[0] : numbers[1];
  } else {
    // Positions of year, month and day in the text for each order.
    static constexpr std::array<std::array<int, 3>, 3> positions{{{2, 0, 1}, {2, 1, 0}, {0, 1, 2}}};
    const auto &at = positions[std::size_t(order)];
    year = numbers[at[0]];
    yearDigits = digits[at[0]];
    month = numbers[at[1]];
    day = numbers[at[2]];
  }
  if (yearDigits <= 2) {
    year += today.year() / 100 * 100;
    if (year >= 2050)
      year -= 100;
  }
  const QDate date(year, month, day);
  if (!date.isValid())
    return std::nullopt;
  return date;
}

QString FormatDateTimePattern(const QString &pattern, const QDateTime &dateTime) {
  const QLocale locale;
  const QDate date = dateTime.date();
  const QTime time = dateTime.time();
  const bool twelveHour = hasAmPm(pattern);
  QString out;
  bool afterHour = false;
  int i = 0;
  while (i < pattern.size()) {
    const QChar c = pattern.at(i);
    if (c == QLatin1Char('"') || c == QLatin1Char('\'')) {
      int end = int(pattern.indexOf(c, i + 1));
      if (end < 0)
        end = int(pattern.size());
      out += QStringView(pattern).mid(i + 1, end - i - 1);
      i = end + 1;
      continue;
    }
    if (const int used = amPmMarker(pattern, i, time, locale, out)) {
      i += used;
      continue;
    }
    const int k = runLength(pattern, i);
    const char letter = char(c.toLower().unicode() < 128 ? c.toLower().unicode() : 0);
    bool hour = false;
    switch (letter) {
    case 'd':
      if (k == 1)
        out += QString::number(date.day());
      else if (k == 2)
        out += twoDigits(date.day());
      else if (k == 3)
        out += locale.dayName(date.dayOfWeek(), QLocale::ShortFormat);
      else if (k == 4)
        out += locale.dayName(date.dayOfWeek(), QLocale::LongFormat);
      else if (k == 5)
        out += locale.toString(date, SystemShortDateFormat());
      else
        out += locale.toString(date, QLocale::LongFormat);
      i += std::min(k, 6);
      break;
    case 'm':
      if (afterHour) {
        out += k == 1 ? QString::number(time.minute()) : twoDigits(time.minute());
        i += std::min(k, 2);
      } else {
        if (k == 1)
          out += QString::number(date.month());
        else if (k == 2)
          out += twoDigits(date.month());
        else if (k == 3)
          out += locale.monthName(date.month(), QLocale::ShortFormat);
        else
          out += locale.monthName(date.month(), QLocale::LongFormat);
        i += std::min(k, 4);
      }
      break;
    case 'y':
      out += k <= 2 ? twoDigits(date.year() % 100)
                    : QStringLiteral("%1").arg(date.year(), 4, 10, QLatin1Char('0'));
      i += k;
      break;
    case 'h': {
      int h = time.hour();
      if (twelveHour) {
        h %= 12;
        if (h == 0)
          h = 12;
      }
      out += k == 1 ? QString::number(h) : twoDigits(h);
      i += std::min(k, 2);
      hour = true;
      break;
    }
    case 'n':
      out += k == 1 ? QString::number(time.minute()) : twoDigits(time.minute());
      i += std::min(k, 2);
      break;
    case 's':
      out += k == 1 ? QString::number(time.second()) : twoDigits(time.second());
      i += std::min(k, 2);
      break;
    case 'z':
      out += k < 3 ? QString::number(time.msec())
                   : QStringLiteral("%1").arg(time.msec(), 3, 10, QLatin1Char('0'));
      i += std::min(k, 3);
      break;
    case 't':
      out += k == 1 ? locale.toString(time, QLocale::ShortFormat)
                    : locale.toString(time, longTimeFormat(locale));
      i += std::min(k, 2);
      break;
    case 'c':
      out += locale.toString(date, SystemShortDateFormat());
      if (time.isValid() && time != QTime(0, 0))
        out += QLatin1Char(' ') + locale.toString(time, longTimeFormat(locale));
      ++i;
      break;
    case '/':
      out += SystemDateSeparator();
      ++i;
      break;
    default:
      out += c;
      ++i;
      // Separators between hours and minutes ("hh:mm") keep the hour context.
      hour = afterHour && !c.isLetter();
      break;
    }
    afterHour = hour;
  }
  return out;
}

QString ApplyDateQuote(const QString &text, const QString &quote) {
  const qsizetype split = quote.indexOf(QLatin1Char(';'));
  if (split < 0)
    return quote + text + quote;
  return quote.left(split) + text + quote.mid(split + 1);
}

QString FormatSqlDate(const QString &format, const QString &quote, const QString &text) {
  const std::optional<QDate> date = ParseSystemDate(text);
  if (!date) {
    zelShowError(QStringLiteral("Error: '%1' is not a valid date").arg(text));
    return ApplyDateQuote(text, quote);
  }
  return ApplyDateQuote(FormatDateTimePattern(format, QDateTime(*date, QTime(0, 0))), quote);
}

QString ConvertDateOrder(const QString &text, QChar separator, int order) {
  if (order < 0 || order > 2)
    return text;
  const QString source = text + separator;
  std::array<QString, 3> p;
  qsizetype from = 0;
  for (QString &part : p) {
    const qsizetype at = source.indexOf(separator, from);
    if (at < 0)
      break;
    part = source.mid(from, at - from).left(4);
    from = at + 1;
  }
  // Part positions by text order (rows) and system order (columns).
  static constexpr std::array<std::array<std::array<int, 3>, 3>, 3> layout{{
      {{{0, 1, 2}, {1, 0, 2}, {2, 0, 1}}},
      {{{1, 0, 2}, {0, 1, 2}, {2, 1, 0}}},
      {{{1, 2, 0}, {2, 1, 0}, {0, 1, 2}}},
  }};
  const auto &at = layout[std::size_t(order)][std::size_t(SystemDateOrder())];
  const QChar sep = SystemDateSeparator();
  return p[std::size_t(at[0])] + sep + p[std::size_t(at[1])] + sep + p[std::size_t(at[2])];
}
