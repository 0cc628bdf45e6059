// SPDX-License-Identifier: MIT
#pragma once
// Paradox table files (.db). pxlib, which reads and writes them, is GPL-2+: it is linked only
// by the Paradox module (libzelparadox.so beside this library), loaded on first use. Without
// the module every call fails with the reason.

#include "database/zeltabledata.h"
#include "zelcore_export.h"

// True when the Paradox module is there and loaded.
ZELCORE_EXPORT bool zelParadoxAvailable();
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
