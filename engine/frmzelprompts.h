#pragma once
// Makes the core ask through the program's windows: installs TfrmZelParamsPrompt and
// TfrmZelSyncPrompt into the parameter and synchronisation seams, and the print dialog's
// printer into the printing seam. Called once at start-up, beside zelInstallGuiMessages.
void zelInstallQueryPrompts();
