#include "workspace/queryprompts.h"

#include "dialogs/frmzelexport.h"
#include "dialogs/frmzelparams.h"
#include "dialogs/frmzelsync.h"
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
