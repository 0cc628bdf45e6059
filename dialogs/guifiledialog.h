// SPDX-License-Identifier: MIT
#pragma once
// Qt's file dialogs, as the program's interaction shows them (guiinteraction.h).

#include "messages/zelfiledialog.h"
#include "zelwidgets_export.h"

#include <QStringList>

// The Qt name filters of a "description|pattern|..." filter: "Comma Delimited (*.csv)"
// stays as it is, "All Files (*.*)" with the pattern *.* becomes "All Files (*)".
ZELWIDGETS_EXPORT QStringList zelQtNameFilters(const QString &filter);

// Qt's modal file dialog over the active window: a chosen name is written into fileName and
// gives true. The open dialog accepts only an existing file.
ZELWIDGETS_EXPORT bool zelQtOpenFileName(const TzelFileRequest &request, QString &fileName);
ZELWIDGETS_EXPORT bool zelQtSaveFileName(const TzelFileRequest &request, QString &fileName);
