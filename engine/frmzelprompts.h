#pragma once
// Makes the core ask through the program's windows: installs TfrmZelParamsPrompt and
// TfrmZelSyncPrompt into the parameter and synchronisation seams. Called once at start-up,
// beside zelInstallGuiMessages.
void zelInstallQueryPrompts();
