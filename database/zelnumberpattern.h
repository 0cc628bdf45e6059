// SPDX-License-Identifier: MIT
#pragma once
// A numeric display pattern read once for a walk over many records. The display formatter
// reads the pattern anew for every value; for a plain one-section pattern ("#", "#,#.00",
// "$#,##0.00") this gives the same text straight from the parsed form. Patterns with
// sections, quotes or without digits are left to the formatter (usable() is false).

#include "zelcore_export.h"

#include <QByteArray>
#include <QLocale>
#include <QString>

class ZELCORE_EXPORT TzelNumberPattern {
public:
  TzelNumberPattern() = default;
  TzelNumberPattern(const QString &pattern, const QLocale &locale);

  bool usable() const { return m_usable; }
  // The text of value; only when usable().
  QString text(double value) const;
  // The most bytes writeUtf8 writes.
  qsizetype maxUtf8Size() const { return m_maxUtf8; }
  // Writes the UTF-8 bytes of text(value) at out and returns their end, without building a
  // string; null (nothing written) for values it leaves to text(): not finite, of fifteen
  // digits or more, or exactly halfway between two texts (which text() rounds away from
  // zero). Only when usable().
  char *writeUtf8(char *out, double value) const;

private:
  bool m_usable = false;
  QString m_prefix;
  QString m_suffix;
  int m_intZeros = 0;
  int m_decimals = 0;
  int m_decZeros = 0;
  bool m_grouping = false;
  QString m_group;
  QString m_point;
  QByteArray m_prefixUtf8;
  QByteArray m_suffixUtf8;
  QByteArray m_groupUtf8;
  QByteArray m_pointUtf8;
  qsizetype m_maxUtf8 = 0;
};
