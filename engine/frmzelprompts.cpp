#include "engine/frmzelprompts.h"

#include "engine/frmzelparams.h"
#include "engine/frmzelsync.h"
#include "workspace/frmzelsetup.h"

void zelInstallQueryPrompts() {
  zelSetParamPrompt(std::make_unique<TfrmZelParamsPrompt>());
  zelSetSyncPrompt(std::make_unique<TfrmZelSyncPrompt>());
  zelSetPageSetupPrompt(std::make_unique<TfrmZelSetupPrompt>());
}
