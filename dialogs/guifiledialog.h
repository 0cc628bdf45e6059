#pragma once
// Qt's file dialogs behind the file dialog seam; zelInstallGuiMessages installs them.

#include "messages/zelfiledialog.h"
#include "zelwidgets_export.h"

#include <QStringList>

// The Qt name filters of a "description|pattern|..." filter: "Comma Delimited (*.csv)"
// stays as it is, "All Files (*.*)" with the pattern *.* becomes "All Files (*)".
ZELWIDGETS_EXPORT QStringList zelQtNameFilters(const QString &filter);

class ZELWIDGETS_EXPORT GuiFileDialogs : public TzelFileDialogHandler {
public:
  bool openFileName(const TzelFileRequest &request, QString &fileName) override;
  bool saveFileName(const TzelFileRequest &request, QString &fileName) override;
};
