// SPDX-License-Identifier: MIT
#pragma once
// The system printer behind the print dialog: the printer the program's prompts print through.

#include "engine/recordprinting.h"
#include "zelwidgets_export.h"

#include <QString>

class ZELWIDGETS_EXPORT TzelDialogRecordPrinter : public TzelRecordPrinter {
public:
  // Runs the print dialog (preset with the page's paper), then the job with its progress
  // window; the page's orientation wins over the dialog's. False when the dialog or the job
  // was cancelled, or the job failed after a message.
  bool printRecords(TzelQuerion &querion, TzelDataset &dataset) override;
  // Presets the dialog's printer to write this PDF file (tests, and hosts that want it).
  void setOutputFileName(const QString &fileName) { m_outputFileName = fileName; }

private:
  QString m_outputFileName;
};
