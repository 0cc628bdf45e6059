// SPDX-License-Identifier: MIT
#pragma once
// Display texts and SQL fragments of the enumerations, and two small helpers.

#include "model/zeltypes.h"
#include "zelcore_export.h"

#include <QString>
#include <QStringList>

// "Show", "Group", ... "Average (Hide)"; empty for an out-of-range value.
ZELCORE_EXPORT QString ShowDisplayText(TzelShow show);
// "Unsorted" (only with includeUnsorted, else empty), "Ascending", "Descending".
ZELCORE_EXPORT QString SortDisplayText(TzelSort sort, bool includeUnsorted);
ZELCORE_EXPORT QString BooleanDisplayText(bool value);
ZELCORE_EXPORT QString AlignmentDisplayText(TAlignment alignment);
// Replaces the list's contents with the TFieldType names without their "ft" prefix, in order.
ZELCORE_EXPORT void FieldTypeNames(QStringList &names);

// "SUM(" .. "AVG(" for zelShowSum .. zelShowAverage, and for their hidden twins only when
// includeHidden; empty otherwise.
ZELCORE_EXPORT QString AggregatePrefix(TzelShow show, bool includeHidden);
// " = ", " > ", " >= ", " < ", " <= ", " <> ".
ZELCORE_EXPORT QString JoinOperatorSql(TzelJoinOper oper);
// "INNER JOIN ", "LEFT OUTER JOIN ", "RIGHT OUTER JOIN ".
ZELCORE_EXPORT QString JoinTypeSql(TzelJoinType type);
// The operator's text from the keyword table: "=", "BETWEEN", ... "NOT LIKE".
ZELCORE_EXPORT QString FilterOperatorSql(TzelFilterOper oper);
ZELCORE_EXPORT bool IsNumericFieldType(TFieldType type);
ZELCORE_EXPORT bool IsTextFieldType(TFieldType type);

// n copies of c; empty for n <= 0.
ZELCORE_EXPORT QString RepeatChar(QChar c, int n);
// True when left <= x <= right and top <= y <= bottom (bounds inclusive).
ZELCORE_EXPORT bool PointInRect(int x, int y, int left, int bottom, int right, int top);
