// SPDX-License-Identifier: MIT
#include "model/sqldates.h"
#include "messages/zelmessages.h"
#include "model/displayformat.h"

#include <QLocale>
#include <QStringList>
#include <array>

namespace {

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

} // namespace

QString SystemShortDateFormat() {
  return TzelDisplayFormatter::shortDateFormat(QLocale());
}

QChar SystemDateSeparator() {
  return TzelDisplayFormatter::dateSeparator(SystemShortDateFormat());
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
  return ApplyDateQuote(TzelDisplayFormatter().date(format, *date), quote);
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
