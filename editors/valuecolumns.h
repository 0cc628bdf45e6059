// SPDX-License-Identifier: MIT
#pragma once
// The layout of the query editor's values grid, which the value editor edits too: column 0
// holds row titles, every further column is one output value. Rows 0..24 are shown; the
// hidden rows keep what the query needs back (index, ordinals, format, width, position and
// the raw filters).

#include "model/zeltypes.h"
#include "zelwidgets_export.h"

#include <QString>
#include <QStringList>

namespace ValueRow {
constexpr int Header = 0;
constexpr int Table = 1;
constexpr int Field = 2;
constexpr int Show = 3;
constexpr int Sort = 4;
constexpr int FirstFilter = 5; // display text of filter position 1
constexpr int LastFilter = 24;
constexpr int Index = 25; // "-2": created in the grid, not yet in the query; blank: empty column
constexpr int ShowOrdinal = 26;
constexpr int SortOrdinal = 27;
constexpr int Align = 28;
constexpr int Type = 29;
constexpr int Format = 30;
constexpr int Width = 31;
constexpr int Pos = 32;
constexpr int RawFilterOffset = 28; // raw filter row = display row + 28 (33..52)
constexpr int Count = 53;
} // namespace ValueRow

// A column created in the grid that the query does not hold yet.
inline const QString &NewValueIndex() {
  static const QString text = QStringLiteral("-2");
  return text;
}

// A raw filter cell: operator ordinal, "|", then each value followed by "|".
struct ZELWIDGETS_EXPORT TzelRawFilter {
  int oper = 0;
  QStringList values; // every piece followed by "|" (text after the last "|" is ignored)
};
// False for a blank cell.
ZELWIDGETS_EXPORT bool SplitRawFilter(const QString &raw, TzelRawFilter &filter);
// The ordinal, the values and a closing "|"; empty without values.
ZELWIDGETS_EXPORT QString JoinRawFilter(int oper, const QStringList &values);
// What the grid shows for a raw filter cell of a value of that data type.
ZELWIDGETS_EXPORT QString FilterDisplayText(const QString &raw, TFieldType type);
// The keyword table's spelling of an upper-case word (BLANK, AND, OR...).
ZELWIDGETS_EXPORT QString KeywordText(const QString &word);
