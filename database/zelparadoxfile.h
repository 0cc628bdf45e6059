// SPDX-License-Identifier: MIT
#pragma once
// Paradox table files (.db) through pxlib.

#include "database/zeltabledata.h"
#include "zelcore_export.h"

// Reads the whole table; a missing, truncated or foreign file is a failure with a reason.
ZELCORE_EXPORT TzelFileResult readParadoxTable(const QString &path, TzelTableData &table);
// Writes the table to path: the file appears complete or not at all (a temporary file
// is renamed over any existing one). Field names follow zelTableFieldNames with
// 25 characters; texts are cut to 255.
ZELCORE_EXPORT TzelFileResult writeParadoxTable(const QString &path, const TzelTableData &table);
// The same from rows read one at a time (twice when a text column without a declared size
// needs its longest value). An error raised by the rows removes the partial file and is
// raised on.
ZELCORE_EXPORT TzelFileResult writeParadoxTable(const QString &path,
                                                const QList<TzelTableColumn> &columns,
                                                TzelRowSource &rows);
