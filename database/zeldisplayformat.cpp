#include "database/zeldisplayformat.h"

#include <QLocale>
#include <QRegularExpression>
#include <QStringList>
#include <cmath>

namespace {

QStringList sections(const QString &format) {
  QStringList parts;
  QString part;
  QChar quote;
  for (QChar c : format) {
    if (!quote.isNull()) {
      if (c == quote)
        quote = QChar();
    } else if (c == u'"' || c == u'\'') {
      quote = c;
    } else if (c == u';') {
      parts.append(part);
      part.clear();
      continue;
    }
    part += c;
  }
  parts.append(part);
  return parts;
}

} // namespace

QString formatFloatText(const QString &format, double value) {
  if (format.isEmpty())
    return QString::number(value, 'g', 15);
  const QStringList parts = sections(format);
  QString section = parts[0];
  bool negativeSection = false;
  if (value < 0 && parts.size() > 1 && !parts[1].isEmpty()) {
    section = parts[1];
    negativeSection = true;
  } else if (value == 0 && parts.size() > 2 && !parts[2].isEmpty()) {
    section = parts[2];
  }
  QString prefix, suffix;
  int minInt = 0, minDec = 0, maxDec = 0;
  bool grouping = false, inNumber = false, afterNumber = false, afterPoint = false;
  QChar quote;
  for (QChar c : section) {
    if (!quote.isNull()) {
      if (c == quote)
        quote = QChar();
      else
        (inNumber || afterNumber ? suffix : prefix) += c;
      continue;
    }
    if (c == u'"' || c == u'\'') {
      quote = c;
      if (inNumber) {
        inNumber = false;
        afterNumber = true;
      }
      continue;
    }
    const bool placeholder = c == u'0' || c == u'#' || c == u',' || c == u'.';
    if (placeholder && !afterNumber) {
      inNumber = true;
      if (c == u'.')
        afterPoint = true;
      else if (c == u',')
        grouping = true;
      else if (afterPoint) {
        ++maxDec;
        if (c == u'0')
          minDec = maxDec;
      } else if (c == u'0')
        ++minInt;
      continue;
    }
    if (inNumber) {
      inNumber = false;
      afterNumber = true;
    }
    (afterNumber ? suffix : prefix) += c;
  }
  const QLocale locale;
  const double magnitude = std::fabs(value);
  QString digits = QString::number(magnitude, 'f', maxDec);
  QString intPart = digits.section(u'.', 0, 0);
  QString decPart = maxDec > 0 ? digits.section(u'.', 1, 1) : QString();
  while (decPart.size() > minDec && decPart.endsWith(u'0'))
    decPart.chop(1);
  if (intPart == u"0" && minInt == 0)
    intPart.clear();
  while (intPart.size() < minInt)
    intPart.prepend(u'0');
  if (grouping)
    for (int i = int(intPart.size()) - 3; i > 0; i -= 3)
      intPart.insert(i, locale.groupSeparator());
  QString number = intPart;
  if (!decPart.isEmpty())
    number += locale.decimalPoint() + decPart;
  const bool showMinus =
      value < 0 && !negativeSection && (number.contains(QRegularExpression(u"[1-9]"_qs)));
  return (showMinus ? u"-"_qs : QString()) + prefix + number + suffix;
}

QString formatDateTimeText(const QString &format, const QDateTime &value, bool hasDate,
                           bool hasTime) {
  const QLocale locale;
  const QDate date = value.date();
  const QTime time = value.time();
  if (format.isEmpty() || format == u"c") {
    QString text;
    if (hasDate)
      text = locale.toString(date, QLocale::ShortFormat);
    if (hasTime && (!hasDate || time != QTime(0, 0)))
      text += (text.isEmpty() ? QString() : u" "_qs) + locale.toString(time, QLocale::LongFormat);
    return text;
  }
  QString out;
  const int n = int(format.size());
  bool lastWasHour = false;
  for (int i = 0; i < n;) {
    const QChar c = format[i];
    const QChar lc = c.toLower();
    int run = 1;
    while (i + run < n && format[i + run].toLower() == lc)
      ++run;
    if (c == u'"' || c == u'\'') {
      const int close = int(format.indexOf(c, i + 1));
      const int end = close < 0 ? n : close;
      out += format.mid(i + 1, end - i - 1);
      i = end + 1;
      continue;
    }
    if (format.mid(i, 5).compare(u"am/pm"_qs, Qt::CaseInsensitive) == 0) {
      out += time.hour() < 12 ? u"am"_qs : u"pm"_qs;
      i += 5;
      continue;
    }
    bool hour = false;
    switch (lc.unicode()) {
    case 'd':
      if (run >= 6)
        out += locale.toString(date, QLocale::LongFormat);
      else if (run == 5)
        out += locale.toString(date, QLocale::ShortFormat);
      else
        out += date.toString(QString(run, u'd'));
      break;
    case 'm':
      if (lastWasHour && run <= 2)
        out += time.toString(QString(run, u'm'));
      else
        out += date.toString(QString(std::min(run, 4), u'M'));
      break;
    case 'y':
      out += date.toString(run <= 2 ? u"yy"_qs : u"yyyy"_qs);
      break;
    case 'h':
      out += time.toString(run >= 2 ? u"hh"_qs : u"h"_qs);
      hour = true;
      break;
    case 'n':
      out += time.toString(run >= 2 ? u"mm"_qs : u"m"_qs);
      break;
    case 's':
      out += time.toString(run >= 2 ? u"ss"_qs : u"s"_qs);
      break;
    case 't':
      out += locale.toString(time, run >= 2 ? QLocale::LongFormat : QLocale::ShortFormat);
      break;
    case 'c':
      out += formatDateTimeText(u"c"_qs, value, hasDate, hasTime);
      break;
    case '/':
      out += locale.dateFormat(QLocale::ShortFormat).contains(u'.') ? u"."_qs : u"/"_qs;
      break;
    default:
      out += QString(run, c);
      break;
    }
    if (lc != u' ' && lc != u':')
      lastWasHour = hour;
    i += run;
  }
  return out;
}
