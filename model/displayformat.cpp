// SPDX-License-Identifier: MIT
#include "model/displayformat.h"

#include <QStringList>
#include <cmath>

namespace {

bool isQuote(QChar c) {
  return c == u'"' || c == u'\'';
}

// Splits a pattern at the separator, ignoring separators inside quoted literals.
QStringList splitSections(const QString &format, QChar separator) {
  QStringList sections{QString()};
  QChar quote;
  for (QChar c : format) {
    if (!quote.isNull()) {
      if (c == quote)
        quote = QChar();
    } else if (isQuote(c)) {
      quote = c;
    } else if (c == separator) {
      sections << QString();
      continue;
    }
    sections.last() += c;
  }
  return sections;
}

// The first character of a Qt pattern outside its quotes that is no letter, or the fallback
// when that is a space or there is none.
QChar patternSeparator(const QString &pattern, QChar fallback) {
  bool quoted = false;
  for (QChar c : pattern) {
    if (c == u'\'')
      quoted = !quoted;
    else if (!quoted && !c.isLetter())
      return c.isSpace() ? fallback : c;
  }
  return fallback;
}

// A Qt date pattern whose two-digit years ("yy" outside quotes) are written with four digits:
// a short date such as 3/26/98 in a file or on paper cannot tell 1998 from 2098.
QString withFullYear(const QString &pattern) {
  QString out;
  bool quoted = false;
  for (qsizetype i = 0; i < pattern.size(); ++i) {
    const QChar c = pattern[i];
    if (c == u'\'')
      quoted = !quoted;
    qsizetype run = 1;
    while (!quoted && c == u'y' && i + run < pattern.size() && pattern[i + run] == u'y')
      ++run;
    if (!quoted && c == u'y') {
      out += QString(run == 2 ? 4 : run, u'y');
      i += run - 1;
      continue;
    }
    out += c;
  }
  return out;
}

// The parts of one number section: literal text around the number and its placeholders.
struct NumberSection {
  QString prefix;
  QString suffix;
  int intZeros = 0; // '0' before the point: digits always written
  int decimals = 0; // placeholders after the point
  int decZeros = 0; // decimals up to the last '0' after the point: always written
  bool grouping = false;
  bool hasDigits = false;
};

NumberSection parseSection(const QString &section) {
  NumberSection s;
  enum { Before, Inside, After } where = Before;
  bool afterPoint = false;
  for (qsizetype i = 0; i < section.size(); ++i) {
    const QChar c = section[i];
    const bool placeholder = c == u'0' || c == u'#' || c == u'.' || c == u',';
    if (placeholder && where != After) {
      where = Inside;
      if (c == u',') {
        s.grouping = s.grouping || !afterPoint;
        continue;
      }
      s.hasDigits = true;
      if (c == u'.')
        afterPoint = true;
      else if (!afterPoint)
        s.intZeros += c == u'0' ? 1 : 0;
      else if (c == u'0')
        s.decZeros = ++s.decimals;
      else
        ++s.decimals;
      continue;
    }
    if (where == Inside)
      where = After;
    QString literal = c;
    if (isQuote(c)) {
      const qsizetype end = section.indexOf(c, i + 1);
      literal = section.mid(i + 1, end < 0 ? -1 : end - i - 1);
      i = end < 0 ? section.size() : end;
    }
    (where == Before ? s.prefix : s.suffix) += literal;
  }
  return s;
}

QString groupDigits(const QString &digits, const QString &separator) {
  QString out;
  const qsizetype n = digits.size();
  for (qsizetype i = 0; i < n; ++i) {
    if (i > 0 && (n - i) % 3 == 0)
      out += separator;
    out += digits[i];
  }
  return out;
}

int runLength(const QString &pattern, qsizetype i) {
  const QChar c = pattern[i].toLower();
  int n = 1;
  while (i + n < pattern.size() && pattern[i + n].toLower() == c)
    ++n;
  return n;
}

QString twoDigits(int v) {
  return QStringLiteral("%1").arg(v, 2, 10, QLatin1Char('0'));
}

// A run of one letter writes the number as it is, a longer run with two digits at least.
QString digits(int v, int run) {
  return run == 1 ? QString::number(v) : twoDigits(v);
}

// Runs of three letters write the short name of a day or month, longer runs the long name.
QLocale::FormatType nameFormat(int run) {
  return run == 3 ? QLocale::ShortFormat : QLocale::LongFormat;
}

bool hasAmPm(const QString &pattern) {
  return pattern.contains(QLatin1String("am/pm"), Qt::CaseInsensitive) ||
         pattern.contains(QLatin1String("a/p"), Qt::CaseInsensitive) ||
         pattern.contains(QLatin1String("ampm"), Qt::CaseInsensitive);
}

// am/pm and a/p write the marker in the pattern's own letter case, ampm the locale's texts.
// Returns the marker's length, or 0 when none starts at i.
int amPmMarker(const QString &pattern, qsizetype i, const QTime &time, const QLocale &locale,
               QString &out) {
  const QStringView rest = QStringView(pattern).mid(i);
  const bool pm = time.hour() >= 12;
  if (rest.startsWith(QLatin1String("am/pm"), Qt::CaseInsensitive)) {
    out += rest.mid(pm ? 3 : 0, 2);
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

// Values of text-typed columns (SQLite keeps dates as ISO text) read as dates and times.
bool readDateTime(const QVariant &value, TFieldType type, QDate &date, QTime &time) {
  switch (value.metaType().id()) {
  case QMetaType::QDateTime:
    date = value.toDateTime().date();
    time = value.toDateTime().time();
    return date.isValid();
  case QMetaType::QDate:
    date = value.toDate();
    time = QTime(0, 0);
    return date.isValid();
  case QMetaType::QTime:
    date = QDate(1899, 12, 30);
    time = value.toTime();
    return time.isValid();
  default:
    break;
  }
  const QString text = value.toString().trimmed();
  if (type == ftTime) {
    date = QDate(1899, 12, 30);
    time = QTime::fromString(text, Qt::ISODateWithMs);
    return time.isValid();
  }
  date = QDate::fromString(text.left(10), Qt::ISODate);
  time = QTime(0, 0);
  if (text.size() > 11 && (text[10] == u'T' || text[10] == u' ')) {
    // The clock part, without a zone offset or Z behind it.
    qsizetype end = 11;
    while (end < text.size() && (text[end].isDigit() || text[end] == u':' || text[end] == u'.'))
      ++end;
    const QTime clock = QTime::fromString(text.mid(11, end - 11), Qt::ISODateWithMs);
    if (clock.isValid())
      time = clock;
  }
  return date.isValid();
}

bool isBinaryType(TFieldType type) {
  return type == ftBlob || type == ftBytes || type == ftVarBytes || type == ftGraphic ||
         type == ftParadoxOle || type == ftDBaseOle || type == ftTypedBinary;
}

} // namespace

TzelDisplayFormatter::TzelDisplayFormatter(const QLocale &locale)
    : m_locale(locale), m_shortDate(shortDateFormat(locale)),
      m_longDate(locale.dateFormat(QLocale::LongFormat)),
      m_shortTime(locale.timeFormat(QLocale::ShortFormat)), m_longTime(longTimeFormat(locale)),
      m_dateSeparator(dateSeparator(m_shortDate)) {}

QString TzelDisplayFormatter::shortDateFormat(const QLocale &locale) {
  if (locale.language() == QLocale::C)
    return QStringLiteral("M/d/yyyy");
  return withFullYear(locale.dateFormat(QLocale::ShortFormat));
}

// The locale's long time without its time-zone name, which display patterns never show,
// nor the brackets or comma that set the zone off ("HH:mm:ss (t)", "h:mm:ss AP, t").
QString TzelDisplayFormatter::longTimeFormat(const QLocale &locale) {
  const QString full = locale.timeFormat(QLocale::LongFormat);
  QString format;
  bool quoted = false;
  for (QChar c : full) {
    if (c == u'\'')
      quoted = !quoted;
    if (quoted || c != u't')
      format += c;
  }
  format.remove(QLatin1String("()")).remove(QLatin1String("[]"));
  while (!format.isEmpty() && (format.back().isSpace() || format.back() == u','))
    format.chop(1);
  return format.trimmed();
}

QChar TzelDisplayFormatter::dateSeparator(const QString &pattern) {
  return patternSeparator(pattern, u'/');
}

QString TzelDisplayFormatter::number(const QString &format, double value) const {
  if (format.isEmpty()) {
    // Fifteen digits hide the binary noise of a double (0.1 + 0.2 shows as 0.3).
    QLocale plain = m_locale;
    plain.setNumberOptions(QLocale::OmitGroupSeparator);
    return plain.toString(value, 'g', 15);
  }
  const QStringList sections = splitSections(format, u';');
  QString chosen = sections[0];
  bool minus = value < 0;
  if (value < 0 && sections.size() > 1 && !sections[1].isEmpty()) {
    chosen = sections[1];
    minus = false;
  } else if (value == 0 && sections.size() > 2 && !sections[2].isEmpty()) {
    chosen = sections[2];
  }
  const NumberSection s = parseSection(chosen);
  if (!s.hasDigits)
    return s.prefix + s.suffix;

  const QString fixed = QString::number(std::fabs(value), 'f', s.decimals);
  QString intPart = fixed.section(u'.', 0, 0);
  QString decPart = fixed.section(u'.', 1, 1);
  while (decPart.size() > s.decZeros && decPart.endsWith(u'0'))
    decPart.chop(1);
  // A zero integer part still shows one digit: "0.50", never ".50", and "0" for nothing.
  while (intPart.size() < s.intZeros)
    intPart.prepend(u'0');
  if (s.grouping)
    intPart = groupDigits(intPart, m_locale.groupSeparator());
  QString text = intPart;
  if (!decPart.isEmpty())
    text += m_locale.decimalPoint() + decPart;
  const bool zero = fixed.count(u'0') + fixed.count(u'.') == fixed.size();
  return (minus && !zero ? QStringLiteral("-") : QString()) + s.prefix + text + s.suffix;
}

QString TzelDisplayFormatter::boolean(const QString &format, bool value) const {
  if (format.isEmpty())
    return value ? QStringLiteral("True") : QStringLiteral("False");
  const QStringList parts = format.split(u';');
  return value ? parts[0] : parts.value(1);
}

QString TzelDisplayFormatter::dateTime(const QString &format, const QDateTime &value,
                                       Parts parts) const {
  if (!value.date().isValid() && !value.time().isValid())
    return {};
  return this->format(format, value.date(), value.time(), parts);
}

QString TzelDisplayFormatter::date(const QString &format, const QDate &value) const {
  return value.isValid() ? this->format(format, value, QTime(0, 0), Parts::Date) : QString();
}

QString TzelDisplayFormatter::time(const QString &format, const QTime &value) const {
  return value.isValid() ? this->format(format, QDate(1899, 12, 30), value, Parts::Time)
                         : QString();
}

QString TzelDisplayFormatter::format(const QString &pattern, const QDate &date, const QTime &time,
                                     Parts parts) const {
  const bool twelveHour = hasAmPm(pattern);
  QString out;
  bool afterHour = false; // m and mm right after h or hh (separators between) are minutes
  qsizetype i = 0;
  while (i < pattern.size()) {
    const QChar c = pattern[i];
    if (isQuote(c)) {
      qsizetype end = pattern.indexOf(c, i + 1);
      if (end < 0)
        end = pattern.size();
      out += QStringView(pattern).mid(i + 1, end - i - 1);
      i = end + 1;
      continue;
    }
    if (const int used = amPmMarker(pattern, i, time, m_locale, out)) {
      i += used;
      continue;
    }
    const int k = runLength(pattern, i);
    const char16_t letter = c.toLower().unicode();
    bool hour = false;
    switch (letter) {
    case u'd':
      if (k <= 2)
        out += digits(date.day(), k);
      else if (k <= 4)
        out += m_locale.dayName(date.dayOfWeek(), nameFormat(k));
      else
        out += m_locale.toString(date, k == 5 ? m_shortDate : m_longDate);
      i += std::min(k, 6);
      break;
    case u'm':
      if (afterHour && k <= 2)
        out += digits(time.minute(), k);
      else if (k <= 2)
        out += digits(date.month(), k);
      else
        out += m_locale.monthName(date.month(), nameFormat(k));
      i += std::min(k, 4);
      break;
    case u'y':
      out += k <= 2 ? twoDigits(date.year() % 100)
                    : QStringLiteral("%1").arg(date.year(), 4, 10, QLatin1Char('0'));
      i += k;
      break;
    case u'h': {
      int h = time.hour();
      if (twelveHour)
        h = h % 12 == 0 ? 12 : h % 12;
      out += digits(h, k);
      i += std::min(k, 2);
      hour = true;
      break;
    }
    case u'n':
      out += digits(time.minute(), k);
      i += std::min(k, 2);
      break;
    case u's':
      out += digits(time.second(), k);
      i += std::min(k, 2);
      break;
    case u'z':
      out += k < 3 ? QString::number(time.msec())
                   : QStringLiteral("%1").arg(time.msec(), 3, 10, QLatin1Char('0'));
      i += std::min(k, 3);
      break;
    case u't':
      out += m_locale.toString(time, k == 1 ? m_shortTime : m_longTime);
      i += std::min(k, 2);
      break;
    case u'c':
      if (parts != Parts::Time)
        out += m_locale.toString(date, m_shortDate);
      if (parts == Parts::Time)
        out += m_locale.toString(time, m_longTime);
      else if (parts == Parts::DateAndTime && time != QTime(0, 0))
        out += u' ' + m_locale.toString(time, m_longTime);
      ++i;
      break;
    case u'/':
      out += m_dateSeparator;
      ++i;
      break;
    default:
      out += c;
      ++i;
      // Separators between hours and minutes ("hh:mm", "hh.mm") keep the hour context.
      hour = afterHour && !c.isLetter();
      break;
    }
    afterHour = hour;
  }
  return out;
}

QString TzelDisplayFormatter::display(const QVariant &value, const QString &format,
                                      TFieldType type) const {
  if (!value.isValid() || value.isNull())
    return {};
  switch (type) {
  case ftSmallint:
  case ftInteger:
  case ftWord:
  case ftAutoInc:
    // Without a pattern the integer's own digits, exact beyond a double's 15.
    if (format.isEmpty())
      return value.toString();
    [[fallthrough]];
  case ftFloat:
  case ftCurrency:
  case ftBCD: {
    bool ok = false;
    const double number = value.toDouble(&ok);
    if (!ok)
      return value.toString();
    if (format.isEmpty() && type == ftCurrency)
      return this->number(QStringLiteral("#,##0.00"), number);
    return this->number(format, number);
  }
  case ftBoolean:
    return boolean(format, value.toBool());
  case ftDate:
  case ftTime:
  case ftDateTime: {
    QDate date;
    QTime time;
    if (!readDateTime(value, type, date, time))
      return value.toString();
    const Parts parts = type == ftDate   ? Parts::Date
                        : type == ftTime ? Parts::Time
                                         : Parts::DateAndTime;
    const QString fallback = type == ftDate   ? QStringLiteral("ddddd")
                             : type == ftTime ? QStringLiteral("tt")
                                              : QStringLiteral("c");
    return this->format(format.isEmpty() ? fallback : format, date, time, parts);
  }
  default:
    return isBinaryType(type) ? QStringLiteral("(BLOB)") : value.toString();
  }
}
