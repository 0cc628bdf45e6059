// SPDX-License-Identifier: MIT
#pragma once
// Conditions of WHERE and HAVING in the form of the design's filter rows: one row per OR
// branch, each a list of cells, a cell being what one filter cell of one value holds (items
// joined by OR, or by AND for the negated operators, and BLANK for IS [NOT] NULL).

#include "engine/designplan.h"
#include "engine/sqlreader.h"

#include <optional>

enum class TzelSqlClause { Where, Having };

struct TzelSqlCell {
  TzelSqlTarget target;
  std::optional<TzelFilterOper> oper; // none: IS [NOT] NULL alone
  bool positive = true;               // items joined by OR (else by AND)
  bool blank = false;
  QList<TzelSqlExprPtr> items; // the literals
};
using TzelSqlCellRow = QList<TzelSqlCell>;

// What the condition reader asks of the statement's names.
class TzelSqlTargets {
public:
  virtual ~TzelSqlTargets() = default;
  // What a side of a comparison is on; raises TzelSqlRefusal for what no value can be.
  virtual TzelSqlTarget conditionTarget(const TzelSqlExprPtr &side, TzelSqlClause clause) const = 0;
  // True when the side is a literal or a parameter.
  virtual bool literalSide(const TzelSqlExpr &side, TzelSqlClause clause) const = 0;
  // The target in lower case (ILIKE read as LOWER(x) LIKE its pattern in lower case).
  virtual TzelSqlTarget loweredTarget(const TzelSqlTarget &target) const = 0;
};

// The rows of the conjuncts' AND, at most twenty; raises TzelSqlRefusal for a condition
// that is not on one value or that takes more rows.
QList<TzelSqlCellRow> SqlConditionRows(const QList<TzelSqlExprPtr> &conjuncts, TzelSqlClause clause,
                                       const TzelSqlTargets &targets);
