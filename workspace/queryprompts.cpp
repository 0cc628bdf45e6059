// SPDX-License-Identifier: MIT
#include "workspace/queryprompts.h"

#include "dialogs/frmzelexport.h"
#include "dialogs/frmzelparams.h"
#include "dialogs/frmzelsync.h"
#include "messages/zelmessages.h"
#include "workspace/frmzelsave.h"
#include "workspace/frmzelsetup.h"

#include <QCoreApplication>

namespace {

// A long query may follow a dialog: what it left to repaint runs first. Queued events must
// not start another generation.
bool afterDialog(bool answer) {
  QCoreApplication::processEvents();
  return answer;
}

} // namespace

bool TzelGuiQueryPrompts::askParams(QStringList &nameValues, TzelModel *model) {
  return afterDialog(TfrmZelParams::Ask(nameValues, model));
}

bool TzelGuiQueryPrompts::askReplacements(TzelSyncMode mode, QList<TzelSyncRow> &rows,
                                          TzelModel &model) {
  return afterDialog(TfrmZelSync::Ask(mode, rows, model));
}

bool TzelGuiQueryPrompts::exportRecords(TzelQuerion &querion) {
  TzelExportChoice choice;
  return TfrmZelExport::Ask(querion, choice) && RunExport(querion, choice);
}

bool TzelGuiQueryPrompts::editPage(TzelQuerion &querion) {
  bool confirmed = false;
  zelCatchToMessage([&] { confirmed = TfrmZelSetup::EditPage(querion); });
  return confirmed;
}

bool TzelGuiQueryPrompts::printRecords(TzelQuerion &querion, TzelDataset &dataset) {
  return m_printer.printRecords(querion, dataset);
}

TzelSaveMethod TzelGuiQueryPrompts::askSaveMethod() {
  return TfrmZelSave::Ask();
}

void zelInstallQueryPrompts() {
  static TzelGuiQueryPrompts prompts;
  zelSetQueryPrompts(&prompts);
}
