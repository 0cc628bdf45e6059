#include "database/zelnumberpattern.h"

#include <cmath>

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
