// SPDX-License-Identifier: MIT
#pragma once
// The program's query prompts: the parameter, synchronisation, export, page setup, print and
// save-method windows. zelInstallQueryPrompts makes them the application's at start-up,
// beside zelInstallGuiMessages; a host may also give one query component its own.

#include "engine/queryprompts.h"
#include "workspace/guirecordprinter.h"
#include "zelwidgets_export.h"

class ZELWIDGETS_EXPORT TzelGuiQueryPrompts : public TzelQueryPrompts {
public:
  bool askParams(QStringList &nameValues, TzelModel *model) override;
  bool askReplacements(TzelSyncMode mode, QList<TzelSyncRow> &rows, TzelModel &model) override;
  bool exportRecords(TzelQuerion &querion) override;
  bool editPage(TzelQuerion &querion) override;
  bool printRecords(TzelQuerion &querion, TzelDataset &dataset) override;
  TzelSaveMethod askSaveMethod() override;

  // The print dialog's printer, e.g. preset to write a PDF file.
  TzelDialogRecordPrinter &printer() { return m_printer; }

private:
  TzelDialogRecordPrinter m_printer;
};

ZELWIDGETS_EXPORT void zelInstallQueryPrompts();
