#pragma once
// The export dialog as the core sees it, and the step that hands its choice to the writer
// of the chosen file type.

#include "zelcore_export.h"

#include <QString>
#include <memory>

class TzelQuerion;

struct ZELCORE_EXPORT TzelExportChoice {
  QString fileName;
  int fileType = 0; // the numbering of TzelExportFileType
  bool includeNames = true;
  QString password; // collected for the report export only
};

class ZELCORE_EXPORT TzelExportPrompt {
public:
  virtual ~TzelExportPrompt() = default;
  // OK fills choice and returns true; cancel returns false.
  virtual bool askExport(TzelQuerion &querion, TzelExportChoice &choice) = 0;
};

// Installs the process's prompt (ownership passes; null restores the default, which cancels
// without blocking) and returns the previous one.
ZELCORE_EXPORT std::unique_ptr<TzelExportPrompt>
zelSetExportPrompt(std::unique_ptr<TzelExportPrompt> prompt);
ZELCORE_EXPORT TzelExportPrompt &zelExportPrompt();

// Writes the records of the query component's DataQuery as ExportRecords does a dataset's.
ZELCORE_EXPORT bool ExportRecords(TzelQuerion &querion, const QString &fileName, int fileType,
                                  bool includeNames, bool showMessage);

// Runs the writer of the choice's type: the data model's table export for 1, 2, 5, 6 and 9,
// the delimited-text writer for 3, 4, 7, 8, 10 and 12 to 15 (it refuses all but 3 and 13),
// the report export for 11. The writer's result; false for a number outside the table.
ZELCORE_EXPORT bool RunExport(TzelQuerion &querion, const TzelExportChoice &choice);
