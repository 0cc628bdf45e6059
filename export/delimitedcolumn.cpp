// SPDX-License-Identifier: MIT
#include "export/delimitedcolumn.h"

#include "database/zeldataset.h"
#include "database/zelrecordstream.h"
#include "export/bytechunk.h"
#include "export/exportrecords.h"
#include "model/vocabulary.h"

#include <charconv>
#include <cstring>

namespace {

// The pattern's number is a double: integers beyond this are not exact in it.
constexpr qint64 kExactInDouble = 1LL << 53;
// Numbers, dates and times are written here first (numbers, to see whether they need quotes).
constexpr qsizetype kValueRoom = 256;

bool isInteger(TFieldType t) {
  return t == ftSmallint || t == ftInteger || t == ftWord || t == ftAutoInc;
}

bool isText(TFieldType t) {
  return t == ftString || t == ftMemo || t == ftFmtMemo;
}

// True when the bytes hold no byte of a multi-byte character: their text is themselves.
bool isAscii(QByteArrayView bytes) {
  unsigned char any = 0;
  for (const char c : bytes)
    any |= static_cast<unsigned char>(c);
  return any < 0x80;
}

} // namespace

TzelDelimitedColumn::TzelDelimitedColumn(const TzelDataset &dataset, int index, QChar separator)
    : m_field(*dataset.Fields(index)), m_index(index), m_type(m_field.DataType()),
      m_separator(separator), m_asIs(IsNumericFieldType(m_type) || m_type == ftBoolean) {
  if (separator.isNull() || separator.unicode() >= 0x80)
    return;
  m_byteSeparator = char(separator.unicode());
  const QString format = m_field.DisplayFormat();
  if (IsNumericFieldType(m_type)) {
    m_shape = isInteger(m_type) ? Shape::Integer : Shape::Number;
    m_digits = m_shape == Shape::Integer && (format.isEmpty() || format == u"#");
    const QString pattern =
        m_type == ftCurrency && format.isEmpty() ? QStringLiteral("#,##0.00") : format;
    m_pattern = TzelNumberPattern(pattern, dataset.displayLocale());
    m_patterned = m_pattern.usable() && m_pattern.maxUtf8Size() <= kValueRoom;
  } else if (isText(m_type)) {
    m_shape = Shape::Text;
  } else if (m_type == ftDate || m_type == ftTime || m_type == ftDateTime) {
    m_shape = Shape::Moment;
    m_date = TzelDatePattern(format, m_type, dataset.displayLocale());
    m_dated = m_date.usable() && m_date.maxUtf8Size() <= kValueRoom;
  } else if (m_type == ftBoolean) {
    m_shape = Shape::Flag;
    m_true = DelimitedValue(m_field.displayTextOf(true), m_type, separator).toUtf8();
    m_false = DelimitedValue(m_field.displayTextOf(false), m_type, separator).toUtf8();
  }
}

void TzelDelimitedColumn::append(TzelByteChunk &out, const QVariant &value) const {
  TzelMoment moment;
  if (m_shape == Shape::Moment && TzelDatePattern::momentOf(value, moment) &&
      appendMoment(out, moment))
    return;
  const QByteArray bytes =
      DelimitedValue(m_field.displayTextOf(value), m_type, m_separator).toUtf8();
  out.append(bytes.constData(), bytes.size());
}

void TzelDelimitedColumn::append(TzelByteChunk &out, const TzelRawRecord &record) const {
  const TzelRawRecord::Kind kind = record.kind(m_index);
  if (kind == TzelRawRecord::Null && m_byteSeparator) {
    if (!m_asIs)
      out.append("\"\"", 2);
    return;
  }
  const bool integer = kind == TzelRawRecord::Integer;
  switch (m_shape) {
  case Shape::Integer:
    if (integer && appendInteger(out, record.integer(m_index)))
      return;
    if (kind == TzelRawRecord::Float && appendNumber(out, record.number(m_index)))
      return;
    break;
  case Shape::Number:
    if ((integer || kind == TzelRawRecord::Float) && appendNumber(out, record.number(m_index)))
      return;
    break;
  case Shape::Text:
    if (kind == TzelRawRecord::Text && appendText(out, record.text(m_index)))
      return;
    if (integer) {
      char digits[24];
      const char *end = std::to_chars(digits, digits + sizeof digits, record.integer(m_index)).ptr;
      appendQuoted(out, digits, end - digits);
      return;
    }
    break;
  case Shape::Flag:
    if (integer) {
      const QByteArray &text = record.integer(m_index) != 0 ? m_true : m_false;
      out.append(text.constData(), text.size());
      return;
    }
    break;
  case Shape::Moment: {
    TzelMoment moment;
    if (record.moment(m_index, moment) && appendMoment(out, moment))
      return;
    break;
  }
  case Shape::Other:
    break;
  }
  append(out, record.value(m_index));
}

// As the field shows an integer: its digits under "#" (or no pattern), else the pattern's
// text of it as a double.
bool TzelDelimitedColumn::appendInteger(TzelByteChunk &out, qint64 value) const {
  const bool exact = value > -kExactInDouble && value < kExactInDouble;
  if (m_digits && (exact || m_field.DisplayFormat().isEmpty())) {
    char digits[24];
    const char *end = std::to_chars(digits, digits + sizeof digits, value).ptr;
    appendAsIs(out, digits, end - digits);
    return true;
  }
  return appendNumber(out, double(value));
}

bool TzelDelimitedColumn::appendNumber(TzelByteChunk &out, double value) const {
  if (!m_patterned)
    return false;
  char text[kValueRoom];
  const char *end = m_pattern.writeUtf8(text, value);
  if (!end)
    return false;
  appendAsIs(out, text, end - text);
  return true;
}

bool TzelDelimitedColumn::appendText(TzelByteChunk &out, QByteArrayView utf8) const {
  if (!isAscii(utf8))
    return false;
  appendQuoted(out, utf8.data(), utf8.size());
  return true;
}

bool TzelDelimitedColumn::appendMoment(TzelByteChunk &out, const TzelMoment &moment) const {
  if (!m_dated)
    return false;
  char text[kValueRoom];
  const char *end = m_date.writeUtf8(text, moment);
  if (!end)
    return false;
  appendQuoted(out, text, end - text);
  return true;
}

void TzelDelimitedColumn::appendAsIs(TzelByteChunk &out, const char *bytes, qsizetype size) const {
  for (qsizetype i = 0; i < size; ++i) {
    const char c = bytes[i];
    if (c == m_byteSeparator || c == '"' || c == '\r' || c == '\n')
      return appendQuoted(out, bytes, size);
  }
  out.append(bytes, size);
}

// Quotes inside are doubled.
void TzelDelimitedColumn::appendQuoted(TzelByteChunk &out, const char *bytes,
                                       qsizetype size) const {
  char *to = out.room(2 * size + 2);
  *to++ = '"';
  if (!std::memchr(bytes, '"', size_t(size))) { // most texts hold no quote: one copy
    std::memcpy(to, bytes, size_t(size));
    to[size] = '"';
    return out.grown(to + size + 1);
  }
  for (qsizetype i = 0; i < size; ++i) {
    if (bytes[i] == '"')
      *to++ = '"';
    *to++ = bytes[i];
  }
  *to++ = '"';
  out.grown(to);
}
