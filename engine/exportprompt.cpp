// SPDX-License-Identifier: MIT
#include "engine/exportprompt.h"

#include "database/zeldataset.h"
#include "engine/zelquerion.h"
#include "export/exportrecords.h"

bool ExportRecords(TzelQuerion &querion, const QString &fileName, int fileType, bool includeNames,
                   bool showMessage) {
  return ExportRecords(qobject_cast<TzelDataset *>(querion.DataQuery()), fileName, fileType,
                       includeNames, showMessage);
}

bool RunExport(TzelQuerion &querion, const TzelExportChoice &choice) {
  switch (choice.fileType) {
  case zelExportAdt:
  case zelExportClipper:
  case zelExportDbf:
  case zelExportDat:
  case zelExportDb:
    return querion.ExportTable(choice.fileName, choice.fileType, true);
  case zelExportCsv:
  case zelExportXls:
  case zelExportDif:
  case zelExportHtm:
  case zelExportRtf:
  case zelExportSlk:
  case zelExportTab:
  case zelExportTxt:
  case zelExportDoc:
    return ExportRecords(querion, choice.fileName, choice.fileType, choice.includeNames, true);
  case zelExportPxo:
    return querion.ExportReport(choice.fileName, choice.password);
  default:
    return false;
  }
}
