#include "engine/frmzelprompts.h"

#include "engine/frmzelparams.h"
#include "engine/frmzelsync.h"
#include "workspace/guirecordprinter.h"

void zelInstallQueryPrompts() {
  zelSetParamPrompt(std::make_unique<TfrmZelParamsPrompt>());
  zelSetSyncPrompt(std::make_unique<TfrmZelSyncPrompt>());
  zelInstallDialogRecordPrinter();
}
