#pragma once
// Makes the core ask through the program's windows: installs TfrmZelParamsPrompt,
// TfrmZelSyncPrompt, TfrmZelExportPrompt and TfrmZelSetupPrompt into the parameter,
// synchronisation, export and page setup seams. Called once at start-up, beside
// zelInstallGuiMessages.
void zelInstallQueryPrompts();
