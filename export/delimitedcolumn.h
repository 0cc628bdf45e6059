// SPDX-License-Identifier: MIT
#pragma once
// One column of delimited text: a dataset field's display text, quoted as the writer of
// delimited text quotes it, appended as UTF-8. Values straight from SQLite skip the detour
// through generic values where their text is plain to derive (integers, numbers through a
// parsed display pattern, dates and times through one read once, ASCII text, flags); anything else
// goes through the field's own display text, so both give the same bytes.

#include "database/zeldatepattern.h"
#include "database/zelnumberpattern.h"
#include "model/zeltypes.h"

#include <QByteArray>
#include <QChar>
#include <QVariant>

class TzelByteChunk;
class TzelDataset;
class TzelDatasetField;
class TzelRawRecord;

class TzelDelimitedColumn {
public:
  TzelDelimitedColumn(const TzelDataset &dataset, int index, QChar separator);

  void append(TzelByteChunk &out, const QVariant &value) const;
  void append(TzelByteChunk &out, const TzelRawRecord &record) const;

private:
  enum class Shape { Integer, Number, Text, Flag, Moment, Other };
  bool appendInteger(TzelByteChunk &out, qint64 value) const;
  bool appendNumber(TzelByteChunk &out, double value) const;
  bool appendText(TzelByteChunk &out, QByteArrayView utf8) const;
  bool appendMoment(TzelByteChunk &out, const TzelMoment &moment) const;
  void appendAsIs(TzelByteChunk &out, const char *bytes, qsizetype size) const;
  void appendQuoted(TzelByteChunk &out, const char *bytes, qsizetype size) const;

  const TzelDatasetField &m_field;
  int m_index;
  TFieldType m_type;
  Shape m_shape = Shape::Other;
  QChar m_separator;
  char m_byteSeparator = 0; // 0: not one byte of UTF-8, every value takes the long way
  bool m_asIs = false;      // numbers and flags stand unquoted unless their text needs quotes
  bool m_digits = false;    // integers show their own digits
  bool m_patterned = false; // numbers go through m_pattern
  TzelNumberPattern m_pattern;
  bool m_dated = false; // dates and times go through m_date
  TzelDatePattern m_date;
  QByteArray m_true; // flags, as written
  QByteArray m_false;
};
