// SPDX-License-Identifier: MIT
#include "database/zelnumberpattern.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <cstring>

namespace {

// writeUtf8 takes numbers below this, so that their digits fit a small buffer.
constexpr double kWrittenBelow = 1e15;
constexpr int kWrittenDecimals = 20;

// Whether value lies exactly halfway between two texts of so many decimals: value times
// 10^decimals ends in .5 exactly when value times 2^(decimals + 1) is an odd integer.
bool halfway(double value, int decimals) {
  const double scaled = std::ldexp(value, decimals + 1);
  return scaled == std::floor(scaled) && std::fmod(scaled, 2.0) == 1.0;
}

char *copy(char *out, const QByteArray &bytes) {
  if (bytes.isEmpty())
    return out;
  std::memcpy(out, bytes.constData(), size_t(bytes.size()));
  return out + bytes.size();
}

} // namespace

TzelNumberPattern::TzelNumberPattern(const QString &pattern, const QLocale &locale)
    : m_group(locale.groupSeparator()), m_point(locale.decimalPoint()) {
  if (pattern.isEmpty() || pattern.contains(u';') || pattern.contains(u'"') ||
      pattern.contains(u'\''))
    return;
  enum { Before, Inside, After } where = Before;
  bool afterPoint = false;
  bool digits = false;
  for (const QChar c : pattern) {
    const bool placeholder = c == u'0' || c == u'#' || c == u'.' || c == u',';
    if (placeholder && where != After) {
      where = Inside;
      if (c == u',') {
        m_grouping = m_grouping || !afterPoint;
        continue;
      }
      digits = true;
      if (c == u'.')
        afterPoint = true;
      else if (!afterPoint)
        m_intZeros += c == u'0' ? 1 : 0;
      else if (c == u'0')
        m_decZeros = ++m_decimals;
      else
        ++m_decimals;
      continue;
    }
    if (where == Inside)
      where = After;
    (where == Before ? m_prefix : m_suffix) += c;
  }
  m_usable = digits;
  m_prefixUtf8 = m_prefix.toUtf8();
  m_suffixUtf8 = m_suffix.toUtf8();
  m_groupUtf8 = m_group.toUtf8();
  m_pointUtf8 = m_point.toUtf8();
  const qsizetype intDigits = std::max<qsizetype>(16, m_intZeros);
  m_maxUtf8 = 1 + m_prefixUtf8.size() + intDigits * (1 + m_groupUtf8.size()) + m_pointUtf8.size() +
              m_decimals + m_suffixUtf8.size();
}

QString TzelNumberPattern::text(double value) const {
  const QString fixed = QString::number(std::fabs(value), 'f', m_decimals);
  const qsizetype point = fixed.indexOf(u'.');
  const qsizetype intLength = point < 0 ? fixed.size() : point;
  qsizetype decLength = point < 0 ? 0 : fixed.size() - point - 1;
  while (decLength > m_decZeros && fixed[point + decLength] == u'0')
    --decLength;
  bool zero = true;
  for (const QChar c : fixed)
    zero = zero && (c == u'0' || c == u'.');

  QString out;
  out.reserve(fixed.size() + intLength / 3 + m_prefix.size() + m_suffix.size() + 4);
  if (value < 0 && !zero)
    out += u'-';
  out += m_prefix;
  const qsizetype digits = std::max<qsizetype>(intLength, m_intZeros);
  for (qsizetype i = 0; i < digits; ++i) {
    if (m_grouping && i > 0 && (digits - i) % 3 == 0)
      out += m_group;
    const qsizetype at = i - (digits - intLength);
    out += at < 0 ? QChar(u'0') : fixed[at];
  }
  if (decLength > 0) {
    out += m_point;
    out += QStringView(fixed).mid(point + 1, decLength);
  }
  out += m_suffix;
  return out;
}

char *TzelNumberPattern::writeUtf8(char *out, double value) const {
  const double magnitude = std::fabs(value);
  if (!(magnitude < kWrittenBelow) || m_decimals > kWrittenDecimals ||
      halfway(magnitude, m_decimals))
    return nullptr;
  char fixed[48];
  const char *end =
      std::to_chars(fixed, fixed + sizeof fixed, magnitude, std::chars_format::fixed, m_decimals)
          .ptr;
  const char *point = m_decimals > 0 ? end - m_decimals - 1 : end;
  const qsizetype intLength = point - fixed;
  qsizetype decLength = m_decimals;
  while (decLength > m_decZeros && point[decLength] == '0')
    --decLength;
  const bool zero =
      std::all_of<const char *>(fixed, end, [](char c) { return c == '0' || c == '.'; });

  if (value < 0 && !zero)
    *out++ = '-';
  out = copy(out, m_prefixUtf8);
  const qsizetype digits = std::max<qsizetype>(intLength, m_intZeros);
  for (qsizetype i = 0; i < digits; ++i) {
    if (m_grouping && i > 0 && (digits - i) % 3 == 0)
      out = copy(out, m_groupUtf8);
    const qsizetype at = i - (digits - intLength);
    *out++ = at < 0 ? '0' : fixed[at];
  }
  if (decLength > 0) {
    out = copy(out, m_pointUtf8);
    std::memcpy(out, point + 1, size_t(decLength));
    out += decLength;
  }
  return copy(out, m_suffixUtf8);
}
