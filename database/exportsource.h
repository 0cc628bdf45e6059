// SPDX-License-Identifier: MIT
#pragma once
// What every export of a dataset's records checks first.

#include "zelcore_export.h"

class QString;
class TzelDataset;

// True when the dataset is open with fields, so that there are records to give (an empty
// result still gives its field names). Otherwise (closed: nothing ran, or its statement
// failed) the refusal is shown through the message seam and the result is false.
ZELCORE_EXPORT bool zelCheckExportSource(const TzelDataset &dataset);

// False, with the refusal shown, when fileName is (through any link) a file the dataset's
// statement reads: the SQLite database, or a table file of a STANDARD folder. Writing it
// would replace the data being exported.
ZELCORE_EXPORT bool zelCheckExportTarget(const TzelDataset &dataset, const QString &fileName);
