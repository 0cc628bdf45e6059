// SPDX-License-Identifier: MIT
#pragma once
// The system's own writer of comma- and tab-delimited text: a dataset's records as UTF-8
// lines ended by CR LF, the fields' display labels first when asked, each value its
// field's display text. dBase and Paradox tables are the engine's (TzelModel::ExportTable).

#include "model/zeltypes.h"
#include "zelcore_export.h"

#include <QChar>
#include <QString>

class QIODevice;
class TzelDataset;

// The numbering of export file types shared by the export dialog and the writers.
enum TzelExportFileType : int {
  zelExportNone = 0,
  zelExportAdt = 1,
  zelExportClipper = 2,
  zelExportCsv = 3,
  zelExportXls = 4,
  zelExportDbf = 5,
  zelExportDat = 6,
  zelExportDif = 7,
  zelExportHtm = 8,
  zelExportDb = 9,
  zelExportRtf = 10,
  zelExportPxo = 11,
  zelExportSlk = 12,
  zelExportTab = 13,
  zelExportTxt = 14,
  zelExportDoc = 15,
};

// The type number of an extension ("csv", ".TAB"; "dbf" is 2 when clipper is set, else 5),
// or 0 for one outside the numbering.
ZELCORE_EXPORT int ExportFileTypeOfExtension(const QString &extension, bool clipper = false);
// "Error: Cannot translate file extension CSVX to a known file format."
ZELCORE_EXPORT QString UnknownExtensionMessage(const QString &extension);

// The separator of a delimited type: "," for 3, a tab for 13, a null character otherwise.
ZELCORE_EXPORT QChar ExportSeparator(int fileType);

// One value as written: numeric and Boolean display texts stand as they are unless they hold
// the separator, a quote or a line break; every other value is quoted. Quotes inside a
// quoted value are doubled, so that readers of delimited text see one value.
ZELCORE_EXPORT QString DelimitedValue(const QString &text, TFieldType dataType, QChar separator);
// The label line keeps its labels unquoted, with the same exception as numbers.
ZELCORE_EXPORT QString DelimitedLabel(const QString &label, QChar separator);

// Writes the label line (with includeNames) and every record from the first to device,
// moving the dataset; an empty result gives the label line alone. Raises EzelError when
// the device refuses the text. The caller repositions the dataset.
ZELCORE_EXPORT void WriteDelimitedRecords(TzelDataset &dataset, QIODevice &device, QChar separator,
                                          bool includeNames);

// Writes the dataset's records to a new file (replacing one that exists) as type 3 or 13.
// A name without a folder goes into the program's folder. A closed dataset is refused
// (zelCheckExportSource) and the file left as it was. Every failure is shown through
// the message seam and gives false; the dataset is left on its first record with its
// controls resumed. With showMessage, success is announced.
ZELCORE_EXPORT bool ExportRecords(TzelDataset *dataset, const QString &fileName, int fileType,
                                  bool includeNames, bool showMessage);
