// SPDX-License-Identifier: MIT
#pragma once
// Refresh from Database, the data model window's command.

#include "zelwidgets_export.h"

class QWidget;
class TzelJoinsEditor;

// Reads the catalogues of the databases the editor's model uses, shows what changed and, on
// Yes, applies the checked changes to the model, shows them in the editor and reports one
// design step "Refresh from Database". Errors are shown, never thrown.
ZELWIDGETS_EXPORT void zelRefreshFromDatabase(TzelJoinsEditor &editor, QWidget *parent);
