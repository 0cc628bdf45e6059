#include "engine/frmzelprompts.h"

#include "engine/frmzelparams.h"
#include "engine/frmzelsync.h"
#include "export/frmzelexport.h"
#include "workspace/frmzelsave.h"
#include "workspace/frmzelsetup.h"
#include "workspace/guirecordprinter.h"

void zelInstallQueryPrompts() {
  zelSetParamPrompt(std::make_unique<TfrmZelParamsPrompt>());
  zelSetSyncPrompt(std::make_unique<TfrmZelSyncPrompt>());
  zelSetExportPrompt(std::make_unique<TfrmZelExportPrompt>());
  zelSetPageSetupPrompt(std::make_unique<TfrmZelSetupPrompt>());
  zelInstallDialogRecordPrinter();
  zelSetDocumentDialogs(std::make_unique<TfrmZelSavePrompt>());
}
