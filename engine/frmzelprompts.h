#pragma once
// Makes the core ask through the program's windows: installs TfrmZelParamsPrompt,
// TfrmZelSyncPrompt and TfrmZelExportPrompt into the parameter, synchronisation and export
// seams. Called once at start-up, beside zelInstallGuiMessages.
void zelInstallQueryPrompts();
