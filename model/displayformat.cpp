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

// The first character of a Qt date or time pattern that is not a letter: its separator.
QString patternSeparator(const QString &pattern, const QString &fallback) {
  for (QChar c : pattern)
    if (!c.isLetter() && !isQuote(c) && c != u' ')
      return QString(c);
  return fallback;
}

// The parts of one number section: literal text around the digits and the placeholder counts.
struct NumberSection {
  QString prefix;
  QString suffix;
  int intZeros = 0;
  int decZeros = 0;
  int decHashes = 0;
  bool grouping = false;
  bool hasDigits = false;
};

NumberSection parseSection(const QString &section) {
  NumberSection s;
  bool afterPoint = false;
  for (qsizetype i = 0; i < section.size(); ++i) {
    const QChar c = section[i];
    QString literal;
    if (isQuote(c)) {
      const qsizetype end = section.indexOf(c, i + 1);
      literal = section.mid(i + 1, end < 0 ? -1 : end - i - 1);
      i = end < 0 ? section.size() : end;
    } else if (c == u'0' || c == u'#') {
      s.hasDigits = true;
      if (!afterPoint)
        s.intZeros += c == u'0' ? 1 : 0;
      else if (c == u'0')
        ++s.decZeros;
      else
        ++s.decHashes;
      continue;
    } else if (c == u'.') {
      if (afterPoint)
        continue;
      afterPoint = true;
      s.hasDigits = true;
      continue;
    } else if (c == u',') {
      s.grouping = s.grouping || !afterPoint;
      continue;
    } else {
      literal = c;
    }
    // Literal text between the digits is written after the number.
    (s.hasDigits ? s.suffix : s.prefix) += literal;
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

qsizetype runLength(const QString &format, qsizetype i) {
  const QChar c = format[i].toLower();
  qsizetype n = 1;
  while (i + n < format.size() && format[i + n].toLower() == c)
    ++n;
  return n;
}

QString twoDigits(int v) {
  return QStringLiteral("%1").arg(v, 2, 10, QLatin1Char('0'));
}

} // namespace

QString TzelDisplayFormatter::number(const QString &format, double value) const {
  if (format.isEmpty()) {
    QLocale plain = m_locale;
    plain.setNumberOptions(QLocale::OmitGroupSeparator);
    return plain.toString(value, 'g', QLocale::FloatingPointShortest);
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

  const QString fixed = QString::number(std::fabs(value), 'f', s.decZeros + s.decHashes);
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

QString TzelDisplayFormatter::shortDatePattern() const {
  QString pattern = m_locale.dateFormat(QLocale::ShortFormat);
  if (!pattern.contains(QLatin1String("yyyy")))
    pattern.replace(QLatin1String("yy"), QLatin1String("yyyy"));
  return pattern;
}

QString TzelDisplayFormatter::shortTimePattern() const {
  return m_locale.timeFormat(QLocale::ShortFormat);
}

QString TzelDisplayFormatter::longTimePattern() const {
  QString pattern = shortTimePattern();
  if (!pattern.contains(u's')) {
    const qsizetype minutes = pattern.indexOf(QLatin1String("mm"));
    if (minutes >= 0)
      pattern.insert(minutes + 2, QStringLiteral(":ss"));
  }
  return pattern;
}

QString TzelDisplayFormatter::dateTime(const QString &format, const QDateTime &value,
                                       bool hasTime) const {
  if (!value.isValid())
    return {};
  return dateTimeSection(format.isEmpty() ? QStringLiteral("c") : format, value, hasTime);
}

QString TzelDisplayFormatter::dateTimeSection(const QString &format, const QDateTime &value,
                                              bool hasTime) const {
  const QDate date = value.date();
  const QTime time = value.time();
  const QString lower = format.toLower();
  const bool twelveHour = lower.contains(QLatin1String("am/pm")) ||
                          lower.contains(QLatin1String("a/p")) ||
                          lower.contains(QLatin1String("ampm"));
  const QString dateSeparator = patternSeparator(m_locale.dateFormat(QLocale::ShortFormat), "/");
  const QString timeSeparator = patternSeparator(shortTimePattern(), ":");
  QString out;
  bool afterHour = false;
  for (qsizetype i = 0; i < format.size(); ++i) {
    const QChar c = format[i];
    const QChar l = c.toLower();
    const qsizetype run = runLength(format, i);
    if (isQuote(c)) {
      const qsizetype end = format.indexOf(c, i + 1);
      out += format.mid(i + 1, end < 0 ? -1 : end - i - 1);
      i = end < 0 ? format.size() : end;
    } else if (l == u'c') {
      out += m_locale.toString(date, shortDatePattern());
      if (hasTime && time != QTime(0, 0))
        out += u' ' + m_locale.toString(time, longTimePattern());
      afterHour = false;
    } else if (l == u'd') {
      const qsizetype n = qMin<qsizetype>(run, 6);
      static const char *const qtDay[] = {"d", "dd", "ddd", "dddd"};
      if (n <= 4)
        out += m_locale.toString(date, QLatin1String(qtDay[n - 1]));
      else
        out += m_locale.toString(date, n == 5 ? shortDatePattern()
                                              : m_locale.dateFormat(QLocale::LongFormat));
      i += run - 1;
      afterHour = false;
    } else if (l == u'm') {
      const qsizetype n = qMin<qsizetype>(run, 4);
      if (afterHour && n <= 2) {
        out += n == 1 ? QString::number(time.minute()) : twoDigits(time.minute());
      } else {
        static const char *const qtMonth[] = {"M", "MM", "MMM", "MMMM"};
        out += m_locale.toString(date, QLatin1String(qtMonth[n - 1]));
      }
      i += n - 1;
      afterHour = false;
    } else if (l == u'y') {
      out += run <= 2 ? twoDigits(date.year() % 100) : QString::number(date.year());
      i += run - 1;
      afterHour = false;
    } else if (l == u'h') {
      int hour = time.hour();
      if (twelveHour)
        hour = hour % 12 == 0 ? 12 : hour % 12;
      out += run == 1 ? QString::number(hour) : twoDigits(hour);
      i += run - 1;
      afterHour = true;
    } else if (l == u'n') {
      out += run == 1 ? QString::number(time.minute()) : twoDigits(time.minute());
      i += run - 1;
      afterHour = false;
    } else if (l == u's') {
      out += run == 1 ? QString::number(time.second()) : twoDigits(time.second());
      i += run - 1;
      afterHour = false;
    } else if (l == u'z') {
      out += run < 3 ? QString::number(time.msec())
                     : QStringLiteral("%1").arg(time.msec(), 3, 10, QLatin1Char('0'));
      i += run - 1;
    } else if (l == u't') {
      out += m_locale.toString(time, run == 1 ? shortTimePattern() : longTimePattern());
      i += run - 1;
      afterHour = false;
    } else if (l == u'a' && lower.mid(i, 5) == QLatin1String("am/pm")) {
      const QString text = time.hour() < 12 ? format.mid(i, 2) : format.mid(i + 3, 2);
      out += text;
      i += 4;
    } else if (l == u'a' && lower.mid(i, 3) == QLatin1String("a/p")) {
      out += time.hour() < 12 ? format.mid(i, 1) : format.mid(i + 2, 1);
      i += 2;
    } else if (l == u'a' && lower.mid(i, 4) == QLatin1String("ampm")) {
      out += time.hour() < 12 ? m_locale.amText() : m_locale.pmText();
      i += 3;
    } else if (c == u'/') {
      out += dateSeparator;
    } else if (c == u':') {
      out += timeSeparator;
    } else {
      out += c;
    }
  }
  return out;
}

namespace {

// Result values of text-typed columns (SQLite keeps dates as ISO text) become dates and times.
QDateTime toDateTime(const QVariant &value, TFieldType tag) {
  if (value.metaType().id() == QMetaType::QDateTime)
    return value.toDateTime();
  if (value.metaType().id() == QMetaType::QDate)
    return QDateTime(value.toDate(), QTime(0, 0));
  if (value.metaType().id() == QMetaType::QTime)
    return QDateTime(QDate(1899, 12, 30), value.toTime());
  const QString text = value.toString().trimmed();
  if (tag == ftTime) {
    const QTime time = QTime::fromString(text, Qt::ISODateWithMs);
    if (time.isValid())
      return QDateTime(QDate(1899, 12, 30), time);
  }
  const QDateTime stamp = QDateTime::fromString(text, Qt::ISODateWithMs);
  if (stamp.isValid())
    return stamp;
  const QDate date = QDate::fromString(text.left(10), Qt::ISODate);
  return date.isValid() ? QDateTime(date, QTime(0, 0)) : QDateTime();
}

} // namespace

QString TzelDisplayFormatter::display(const QVariant &value, const QString &format,
                                      TFieldType tag) const {
  if (!value.isValid() || value.isNull())
    return {};
  switch (tag) {
  case ftSmallint:
  case ftInteger:
  case ftWord:
  case ftAutoInc:
  case ftFloat:
  case ftCurrency:
  case ftBCD: {
    bool ok = false;
    const double number = value.toDouble(&ok);
    return ok ? this->number(format, number) : value.toString();
  }
  case ftBoolean:
    return boolean(format, value.toBool());
  case ftDate:
  case ftTime:
  case ftDateTime: {
    const QDateTime stamp = toDateTime(value, tag);
    if (!stamp.isValid())
      return value.toString();
    const QString fallback = tag == ftDate   ? QStringLiteral("ddddd")
                             : tag == ftTime ? QStringLiteral("tt")
                                             : QStringLiteral("c");
    return dateTime(format.isEmpty() ? fallback : format, stamp, tag != ftDate);
  }
  default:
    return value.toString();
  }
}
