#pragma once
// Makes the core ask through the program's windows: installs TfrmZelParamsPrompt,
// TfrmZelSyncPrompt and TfrmZelSetupPrompt into the parameter, synchronisation and page
// setup seams. Called once at start-up, beside zelInstallGuiMessages.
void zelInstallQueryPrompts();
