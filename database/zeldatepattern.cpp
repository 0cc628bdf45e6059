// SPDX-License-Identifier: MIT
#include "database/zeldatepattern.h"

#include "model/displayformat.h"

#include <QVarLengthArray>

#include <algorithm>
#include <cstring>

using namespace Qt::StringLiterals;

namespace {

// A day of each weekday, 1 (Monday) to 7, to ask the locale for its name.
QDate weekday(int day) {
  return QDate(2024, 1, day); // 1 January 2024 was a Monday
}

bool isQuote(QChar c) {
  return c == u'"' || c == u'\'';
}

// The formatter's run of one letter, in either case.
int runLength(const QString &pattern, qsizetype i) {
  const QChar c = pattern[i].toLower();
  int n = 1;
  while (i + n < pattern.size() && pattern[i + n].toLower() == c)
    ++n;
  return n;
}

// Qt's run: the same character repeated, case counted.
int qtRunLength(const QString &pattern, qsizetype i) {
  int n = 1;
  while (i + n < pattern.size() && pattern[i + n] == pattern[i])
    ++n;
  return n;
}

// A quoted literal of a Qt pattern from its opening quote; '' stands for one quote.
QString qtQuoted(const QString &pattern, qsizetype &i) {
  ++i;
  if (i == pattern.size())
    return {};
  if (pattern[i] == u'\'') {
    ++i;
    return u"'"_s;
  }
  QString text;
  while (i < pattern.size()) {
    if (pattern[i] == u'\'') {
      if (i + 1 < pattern.size() && pattern[i + 1] == u'\'') {
        text += u'\'';
        i += 2;
        continue;
      }
      break;
    }
    text += pattern[i++];
  }
  if (i < pattern.size())
    ++i;
  return text;
}

// Qt writes hours on a 12-hour clock when its pattern holds an am/pm marker outside quotes.
bool qtHasAmPm(const QString &pattern) {
  qsizetype i = 0;
  while (i < pattern.size()) {
    if (pattern[i] == u'\'') {
      qtQuoted(pattern, i);
      continue;
    }
    if (pattern[i].toLower() == u'a')
      return true;
    ++i;
  }
  return false;
}

bool hasAmPm(const QString &pattern) {
  return pattern.contains(QLatin1String("am/pm"), Qt::CaseInsensitive) ||
         pattern.contains(QLatin1String("a/p"), Qt::CaseInsensitive) ||
         pattern.contains(QLatin1String("ampm"), Qt::CaseInsensitive);
}

QLocale::FormatType nameFormat(int run) {
  return run == 3 ? QLocale::ShortFormat : QLocale::LongFormat;
}

int twelveHour(int hour) {
  return hour % 12 == 0 ? 12 : hour % 12;
}

// Two digits per piece: the year's last two, the century (1999 as "19" and "99").
QString twoDigits(int v) {
  return u"%1"_s.arg(v, 2, 10, QLatin1Char('0'));
}

// Reads digits[size] as a number at text[at]; false when they are not all digits.
bool number(QByteArrayView text, qsizetype at, qsizetype size, int &value) {
  if (at + size > text.size())
    return false;
  value = 0;
  for (const char c : text.sliced(at, size)) {
    if (c < '0' || c > '9')
      return false;
    value = value * 10 + (c - '0');
  }
  return true;
}

// "HH:MM:SS" with ".d" to ".ddd" behind it, filling size with what it read.
bool readClock(QByteArrayView text, TzelMoment &moment, qsizetype &size) {
  int h = 0, m = 0, s = 0, ms = 0;
  if (!number(text, 0, 2, h) || text.size() < 8 || text[2] != ':' || !number(text, 3, 2, m) ||
      text[5] != ':' || !number(text, 6, 2, s) || h > 23 || m > 59 || s > 59)
    return false;
  size = 8;
  if (text.size() > 8 && text[8] == '.') {
    qsizetype digits = 0;
    while (9 + digits < text.size() && text[9 + digits] >= '0' && text[9 + digits] <= '9')
      ++digits;
    if (digits < 1 || digits > 3 || !number(text, 9, digits, ms))
      return false;
    for (qsizetype d = digits; d < 3; ++d)
      ms *= 10;
    size = 9 + digits;
  }
  moment.hour = h;
  moment.minute = m;
  moment.second = s;
  moment.msec = ms;
  return true;
}

// The proleptic Gregorian calendar, as QDate keeps it.
bool isDate(int year, int month, int day) {
  static constexpr int days[] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
  if (year < 1 || month < 1 || month > 12 || day < 1)
    return false;
  const bool leap = year % 4 == 0 && (year % 100 != 0 || year % 400 == 0);
  return day <= days[month - 1] + (month == 2 && leap ? 1 : 0);
}

} // namespace

TzelDatePattern::TzelDatePattern(const QString &pattern, TFieldType type, const QLocale &locale)
    : m_locale(locale), m_type(type) {
  if (type != ftDate && type != ftTime && type != ftDateTime)
    return;
  m_usable = true;
  const QString fallback = type == ftDate ? u"ddddd"_s : type == ftTime ? u"tt"_s : u"c"_s;
  readPattern(pattern.isEmpty() ? fallback : pattern);
  for (const Piece &piece : m_pieces) {
    qsizetype most = 0;
    for (const QByteArray &text : piece.texts)
      most = std::max(most, text.size());
    m_maxUtf8 += most;
  }
}

// As the formatter reads it: see TzelDisplayFormatter::format.
void TzelDatePattern::readPattern(const QString &pattern) {
  const bool twelve = hasAmPm(pattern);
  bool afterHour = false; // m and mm right after h or hh (separators between) are minutes
  qsizetype i = 0;
  while (i < pattern.size() && m_usable) {
    const QChar c = pattern[i];
    if (isQuote(c)) {
      qsizetype end = pattern.indexOf(c, i + 1);
      if (end < 0)
        end = pattern.size();
      addLiteral(pattern.mid(i + 1, end - i - 1));
      i = end + 1;
    } else if (const int marker = readMarker(QStringView(pattern).mid(i))) {
      i += marker;
    } else if (const int used = readLetter(c, runLength(pattern, i), afterHour, twelve)) {
      i += used;
      afterHour = c.toLower() == u'h';
    } else {
      addLiteral(c == u'/' ? TzelDisplayFormatter::dateSeparator(
                                 TzelDisplayFormatter::shortDateFormat(m_locale))
                           : c);
      ++i;
      // Separators between hours and minutes ("hh:mm", "hh.mm") keep the hour context.
      afterHour = afterHour && !c.isLetter() && c != u'/';
    }
  }
}

// am/pm and a/p write the marker in the pattern's own letter case, ampm the locale's texts.
// Returns the marker's length, or 0 when none starts the text.
int TzelDatePattern::readMarker(QStringView rest) {
  if (rest.startsWith(QLatin1String("am/pm"), Qt::CaseInsensitive)) {
    addTable(Part::Hour, 0, 23, [&](int h) { return rest.mid(h >= 12 ? 3 : 0, 2).toString(); });
    return 5;
  }
  if (rest.startsWith(QLatin1String("a/p"), Qt::CaseInsensitive)) {
    addTable(Part::Hour, 0, 23, [&](int h) { return QString(rest.at(h >= 12 ? 2 : 0)); });
    return 3;
  }
  if (rest.startsWith(QLatin1String("ampm"), Qt::CaseInsensitive)) {
    addTable(Part::Hour, 0, 23,
             [&](int h) { return h >= 12 ? m_locale.pmText() : m_locale.amText(); });
    return 4;
  }
  return 0;
}

// A run of k of the letter c; returns how many of them it took, 0 for a letter that is no
// placeholder.
int TzelDatePattern::readLetter(QChar c, int k, bool afterHour, bool twelve) {
  switch (c.toLower().unicode()) {
  case u'd':
    if (k <= 2)
      addDigits(Part::Day, 1, 31, k);
    else if (k <= 4)
      addTable(Part::Weekday, 1, 7, [&](int d) { return m_locale.dayName(d, nameFormat(k)); });
    else
      readQtPattern(k == 5 ? TzelDisplayFormatter::shortDateFormat(m_locale)
                           : m_locale.dateFormat(QLocale::LongFormat),
                    true);
    return std::min(k, 6);
  case u'm':
    if (afterHour && k <= 2)
      addDigits(Part::Minute, 0, 59, k);
    else if (k <= 2)
      addDigits(Part::Month, 1, 12, k);
    else
      addTable(Part::Month, 1, 12, [&](int m) { return m_locale.monthName(m, nameFormat(k)); });
    return std::min(k, 4);
  case u'y':
    if (k > 2)
      addTable(Part::Century, 0, 99, twoDigits);
    addTable(Part::Year2, 0, 99, twoDigits);
    return k;
  case u'h':
    addTable(Part::Hour, 0, 23, [&](int h) {
      const int shown = twelve ? twelveHour(h) : h;
      return k == 1 ? QString::number(shown) : twoDigits(shown);
    });
    return std::min(k, 2);
  case u'n':
    addDigits(Part::Minute, 0, 59, k);
    return std::min(k, 2);
  case u's':
    addDigits(Part::Second, 0, 59, k);
    return std::min(k, 2);
  case u'z':
    addTable(Part::Msec, 0, 999, [&](int ms) {
      return k < 3 ? QString::number(ms) : u"%1"_s.arg(ms, 3, 10, QLatin1Char('0'));
    });
    return std::min(k, 3);
  case u't':
    readQtPattern(k == 1 ? m_locale.timeFormat(QLocale::ShortFormat)
                         : TzelDisplayFormatter::longTimeFormat(m_locale),
                  false);
    return std::min(k, 2);
  case u'c':
    readWhole();
    return 1;
  default:
    return 0;
  }
}

// "c": the short date, then the long time unless it is midnight; a time field's long time.
void TzelDatePattern::readWhole() {
  const QString longTime = TzelDisplayFormatter::longTimeFormat(m_locale);
  if (m_type == ftTime)
    return readQtPattern(longTime, false);
  readQtPattern(TzelDisplayFormatter::shortDateFormat(m_locale), true);
  if (m_type != ftDateTime)
    return;
  const size_t skip = m_pieces.size();
  m_pieces.push_back({Part::SkipAtMidnight, 0, {}, 0});
  addLiteral(u" "_s);
  readQtPattern(longTime, false);
  m_pieces[skip].skip = int(m_pieces.size() - skip - 1);
}

// A locale form as Qt writes a date (date) or a time with it: every piece's texts are the
// locale's own, asked once for each number the piece can show. A form holding pieces not
// taken apart here makes the pattern unusable.
void TzelDatePattern::readQtPattern(const QString &pattern, bool date) {
  const bool amPm = !date && qtHasAmPm(pattern);
  qsizetype i = 0;
  while (i < pattern.size() && m_usable) {
    if (pattern[i] == u'\'')
      addLiteral(qtQuoted(pattern, i));
    else
      readQtRun(pattern, i, date, amPm);
  }
}

void TzelDatePattern::readQtRun(const QString &pattern, qsizetype &i, bool date, bool amPm) {
  const QChar c = pattern[i];
  const int run = qtRunLength(pattern, i);
  const auto dates = [&](Part part, int first, int last, int used, QDate (*day)(int)) {
    const QString piece(used, c);
    addTable(part, first, last, [&](int v) { return m_locale.toString(day(v), piece); });
    i += used;
  };
  const auto times = [&](Part part, int last, const QString &piece, QTime (*time)(int)) {
    addTable(part, 0, last, [&](int v) { return m_locale.toString(time(v), piece); });
    i += piece.size();
  };
  const auto hourOf = [](int h) { return QTime(h, 0); };
  if (date) {
    switch (c.unicode()) {
    case u'y': // four digits are the century's two, then the year's
      if (run >= 4)
        addTable(Part::Century, 0, 99,
                 [&](int v) { return m_locale.toString(QDate(2000 + v, 1, 1), u"yy"_s); });
      if (run >= 2) {
        dates(Part::Year2, 0, 99, 2, [](int v) { return QDate(2000 + v, 1, 1); });
        i += run >= 4 ? 2 : 0;
        return;
      }
      break;
    case u'M':
      return dates(Part::Month, 1, 12, std::min(run, 4), [](int m) { return QDate(2000, m, 1); });
    case u'd':
      if (run <= 2)
        return dates(Part::Day, 1, 31, run, [](int d) { return QDate(2000, 1, d); });
      return dates(Part::Weekday, 1, 7, std::min(run, 4), weekday);
    default:
      break;
    }
  } else {
    switch (c.unicode()) {
    case u'h': { // as H, of the hour the 12-hour clock shows
      const QString piece(std::min(run, 2), u'H');
      addTable(Part::Hour, 0, 23,
               [&](int h) { return m_locale.toString(QTime(amPm ? twelveHour(h) : h, 0), piece); });
      i += piece.size();
      return;
    }
    case u'H':
      return times(Part::Hour, 23, QString(std::min(run, 2), c), hourOf);
    case u'm':
      return times(Part::Minute, 59, QString(std::min(run, 2), c),
                   [](int m) { return QTime(0, m); });
    case u's':
      return times(Part::Second, 59, QString(std::min(run, 2), c),
                   [](int s) { return QTime(0, 0, s); });
    case u'a':
    case u'A': {
      const bool ap = i + 1 < pattern.size() && pattern[i + 1].toLower() == u'p';
      return times(Part::Hour, 23, pattern.mid(i, ap ? 2 : 1), hourOf);
    }
    case u'z': // fractions and zones are left to the formatter
    case u't':
      m_usable = false;
      return;
    default:
      break;
    }
  }
  addLiteral(QString(run, c));
  i += run;
}

void TzelDatePattern::addLiteral(const QString &text) {
  if (text.isEmpty())
    return;
  if (!m_pieces.empty() && m_pieces.back().part == Part::Literal) {
    m_pieces.back().texts[0] += text.toUtf8();
    return;
  }
  m_pieces.push_back({Part::Literal, 0, {text.toUtf8()}, 0});
}

void TzelDatePattern::addTable(Part part, int first, int last,
                               const std::function<QString(int)> &text) {
  m_weekday = m_weekday || part == Part::Weekday;
  Piece piece{part, first, {}, 0};
  const int count = last - first + 1;
  piece.texts.reserve(size_t(std::max(count, 0)));
  for (int v = first; v <= last; ++v)
    piece.texts.push_back(text(v).toUtf8());
  m_pieces.push_back(std::move(piece));
}

// A run of one letter writes the number as it is, a longer run with two digits at least.
void TzelDatePattern::addDigits(Part part, int first, int last, int run) {
  addTable(part, first, last,
           [run](int v) { return run == 1 ? QString::number(v) : twoDigits(v); });
}

char *TzelDatePattern::writeUtf8(char *out, const TzelMoment &m) const {
  if (m.year < 1 || m.year > 9999)
    return nullptr;
  const bool midnight = m.hour == 0 && m.minute == 0 && m.second == 0 && m.msec == 0;
  const int weekday = m_weekday ? QDate(m.year, m.month, m.day).dayOfWeek() : 0;
  const int numbers[] = {0,        m.day,    weekday, m.month, m.year % 100, m.year / 100, m.hour,
                         m.minute, m.second, m.msec,  0};
  for (size_t p = 0; p < m_pieces.size(); ++p) {
    const Piece &piece = m_pieces[p];
    if (piece.part == Part::SkipAtMidnight) {
      p += midnight ? size_t(piece.skip) : 0;
      continue;
    }
    const QByteArray &text = piece.texts[size_t(numbers[int(piece.part)] - piece.first)];
    std::memcpy(out, text.constData(), size_t(text.size()));
    out += text.size();
  }
  return out;
}

// As the formatter reads a value of each kind.
bool TzelDatePattern::momentOf(const QVariant &value, TzelMoment &moment) {
  QDate date;
  QTime time(0, 0);
  switch (value.metaType().id()) {
  case QMetaType::QDateTime:
    date = value.toDateTime().date();
    time = value.toDateTime().time();
    break;
  case QMetaType::QDate:
    date = value.toDate();
    break;
  case QMetaType::QTime:
    date = QDate(1899, 12, 30);
    time = value.toTime();
    break;
  default:
    return false;
  }
  if (value.isNull() || !date.isValid() || !time.isValid())
    return false;
  date.getDate(&moment.year, &moment.month, &moment.day);
  moment.hour = time.hour();
  moment.minute = time.minute();
  moment.second = time.second();
  moment.msec = time.msec();
  return true;
}

std::optional<QString> TzelDatePattern::text(const QVariant &value) const {
  TzelMoment moment;
  if (!m_usable || !momentOf(value, moment))
    return std::nullopt;
  QVarLengthArray<char, 128> bytes(m_maxUtf8);
  const char *end = writeUtf8(bytes.data(), moment);
  if (!end)
    return std::nullopt;
  return QString::fromUtf8(bytes.data(), end - bytes.data());
}

bool TzelDatePattern::readIso(QByteArrayView text, TFieldType type, TzelMoment &moment) {
  moment = TzelMoment{};
  qsizetype clock = 0;
  if (type == ftTime) {
    moment.year = 1899;
    moment.month = 12;
    moment.day = 30;
    return readClock(text, moment, clock) && clock == text.size();
  }
  if (text.size() < 10 || !number(text, 0, 4, moment.year) || text[4] != '-' ||
      !number(text, 5, 2, moment.month) || text[7] != '-' || !number(text, 8, 2, moment.day) ||
      !isDate(moment.year, moment.month, moment.day))
    return false;
  if (type == ftDate)
    return text.size() == 10;
  if (type != ftDateTime || text.size() < 11 || (text[10] != ' ' && text[10] != 'T'))
    return false;
  return readClock(text.sliced(11), moment, clock) && 11 + clock == text.size();
}
