#pragma once
// dBase table files (.dbf) through shapelib's DBF functions.

#include "database/zeltabledata.h"

// Reads the whole table; a missing, truncated or foreign file is a failure with a reason.
TzelFileResult readDbaseTable(const QString &path, TzelTableData &table);
// Writes the table to path, complete or not at all. dBase III has no time types: times
// and timestamps are written as text; names are cut to 10 characters, texts to 254.
TzelFileResult writeDbaseTable(const QString &path, const TzelTableData &table);
