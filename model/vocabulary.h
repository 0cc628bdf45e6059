#pragma once
// Display texts and SQL fragments of the enumerations, and two small helpers.

#include "model/zeltypes.h"

#include <QString>
#include <QStringList>

// "Show", "Group", ... "Average (Hide)"; empty for an out-of-range value.
QString ShowDisplayText(TzelShow show);
// "Unsorted" (only with includeUnsorted, else empty), "Ascending", "Descending".
QString SortDisplayText(TzelSort sort, bool includeUnsorted);
QString BooleanDisplayText(bool value);
QString AlignmentDisplayText(TAlignment alignment);
// Replaces the list's contents with the TFieldType names without their "ft" prefix, in order.
void FieldTypeNames(QStringList &names);

// "SUM(" .. "AVG(" for zelShowSum .. zelShowAverage, and for their hidden twins only when
// includeHidden; empty otherwise.
QString AggregatePrefix(TzelShow show, bool includeHidden);
// " = ", " > ", " >= ", " < ", " <= ", " <> ".
QString JoinOperatorSql(TzelJoinOper oper);
// "INNER JOIN ", "LEFT OUTER JOIN ", "RIGHT OUTER JOIN ".
QString JoinTypeSql(TzelJoinType type);
// The operator's text from the keyword table: "=", "BETWEEN", ... "NOT LIKE".
QString FilterOperatorSql(TzelFilterOper oper);
bool IsNumericFieldType(TFieldType type);
bool IsTextFieldType(TFieldType type);

// n copies of c; empty for n <= 0.
QString RepeatChar(QChar c, int n);
// True when left <= x <= right and top <= y <= bottom (bounds inclusive).
bool PointInRect(int x, int y, int left, int bottom, int right, int top);
