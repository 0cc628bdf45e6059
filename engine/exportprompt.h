// SPDX-License-Identifier: MIT
#pragma once
// What the export dialog chooses, and the step that hands the choice to the writer of the
// chosen file type (a prompts object's exportRecords runs it after asking).

#include "zelcore_export.h"

#include <QString>

class TzelQuerion;

struct ZELCORE_EXPORT TzelExportChoice {
  QString fileName;
  int fileType = 0; // the numbering of TzelExportFileType
  bool includeNames = true;
  QString password; // collected for the report export only
};

// Writes the records of the query component's DataQuery as ExportRecords does a dataset's.
ZELCORE_EXPORT bool ExportRecords(TzelQuerion &querion, const QString &fileName, int fileType,
                                  bool includeNames, bool showMessage);

// Runs the writer of the choice's type: the data model's table export for 1, 2, 5, 6 and 9,
// the delimited-text writer for 3, 4, 7, 8, 10 and 12 to 15 (it refuses all but 3 and 13),
// the report export for 11. The writer's result; false for a number outside the table.
ZELCORE_EXPORT bool RunExport(TzelQuerion &querion, const TzelExportChoice &choice);
