// SPDX-License-Identifier: MIT
#pragma once
// A design read from a statement, as plain data: made into a query only once the whole
// statement has been read, so that a refused statement changes nothing.

#include "model/zeltypes.h"

#include <QList>
#include <QMap>
#include <QString>
#include <utility>

class TzelModel;
class TzelQuery;

// What a value computes: a column, or a calculated expression, with the aggregate around it
// (zelShow when none).
struct TzelSqlTarget {
  QString tableAlias; // empty: calculated
  QString expression; // the field alias, or the calculated value's expression
  QString key;        // equal keys compute the same
  TFieldType type = ftString;
  bool typed = true; // false: a calculated value whose type is not known
  TzelShow aggregate = zelShow;
  QString defaultAlias;
};

struct TzelPlannedJoin {
  QString left, right;
  TzelJoinType type = zelJoinInner;
  QList<std::pair<QString, QString>> pairs; // field aliases
};

struct TzelPlannedCell {
  TzelFilterOper oper = zelFilterEqual;
  QString text;
};

struct TzelPlannedValue {
  TzelSqlTarget target;
  QString alias;
  TzelShow show = zelShow;
  TzelSort sort = zelSortNone;
  QMap<int, TzelPlannedCell> cells; // by filter row
};

struct TzelDesignPlan {
  bool distinct = false;
  int top = 0;
  bool topPercent = false;
  int topOffset = 0;
  QList<std::pair<QString, QString>> tables; // the model table's alias, the instance's alias
  QList<TzelPlannedJoin> joins;
  QList<TzelPlannedValue> values; // in the order they are made, which orders a row's cells
  QList<int> order;               // the values by position
};

// Replaces out's tables, joins and values with the plan's; out keeps its name. A query that
// belongs to no query component reaches the model through a stand-in while it is filled.
void ApplyDesignPlan(const TzelDesignPlan &plan, TzelModel &model, TzelQuery &out);
