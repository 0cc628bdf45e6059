#pragma once
// Makes the core ask through the program's windows: installs the parameter, synchronisation,
// export, page setup and save-method dialogs into their seams, and the print dialog's printer
// into the printing seam. Called once at start-up, beside zelInstallGuiMessages.

#include "zelwidgets_export.h"

ZELWIDGETS_EXPORT void zelInstallQueryPrompts();
