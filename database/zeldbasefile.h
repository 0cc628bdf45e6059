// SPDX-License-Identifier: MIT
#pragma once
// dBase table files (.dbf) through shapelib's DBF functions.

#include "database/zeltabledata.h"
#include "zelcore_export.h"

// Reads the whole table; a missing, truncated or foreign file is a failure with a reason.
ZELCORE_EXPORT TzelFileResult readDbaseTable(const QString &path, TzelTableData &table);
// Writes the table to path, complete or not at all. dBase III has no time types: times
// and timestamps are written as text; texts are cut to 254 characters. Field names follow
// zelTableFieldNames with 10 characters.
ZELCORE_EXPORT TzelFileResult writeDbaseTable(const QString &path, const TzelTableData &table);
// The same from rows read one at a time (twice when a text column without a declared size
// needs its longest value). An error raised by the rows removes the partial file and is
// raised on.
ZELCORE_EXPORT TzelFileResult writeDbaseTable(const QString &path,
                                              const QList<TzelTableColumn> &columns,
                                              TzelRowSource &rows);
