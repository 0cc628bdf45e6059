// SPDX-License-Identifier: MIT
#pragma once
// SQL into the design: a SELECT statement read into a query's tables, joins and values over
// the data model. What a design cannot hold is refused with one message naming the construct
// and its line and column; the query is then left as it was.

#include "model/zeltypes.h"
#include "zelcore_export.h"

#include <QString>

class TzelModel;
class TzelQuery;

struct ZELCORE_EXPORT TzelSqlDesignResult {
  bool ok = false;
  QString message; // "Error: Line 3, column 12: a subquery cannot be shown in the design"
  int line = 0;    // 1-based; 0 on success
  int column = 0;
  // The name of a table the statement reads and the data model lacks, as written: a caller
  // may offer it from the database's catalogue, as the add-table dialog lists tables.
  QString missingTable;
  explicit operator bool() const { return ok; }
};

// Reads sql, written in the quoting and literals of dialect (the model's own settings when
// it is the model's type), and on success replaces out's tables, joins and values with it.
// out keeps its name; it belongs to a query component over model, or to none (a query of
// another model is refused with a message and no line).
ZELCORE_EXPORT TzelSqlDesignResult zelDesignFromSql(const QString &sql, TzelModel &model,
                                                    TzelDatabase dialect, TzelQuery &out);
