#pragma once
// Qt's save-file dialog behind the file dialog seam; zelInstallGuiMessages installs it.

#include "messages/zelfiledialog.h"

#include <QStringList>

// The Qt name filters of a "description|pattern|..." filter: "Comma Delimited (*.csv)"
// stays as it is, "All Files (*.*)" with the pattern *.* becomes "All Files (*)".
QStringList zelQtNameFilters(const QString &filter);

class GuiFileDialogs : public TzelFileDialogHandler {
public:
  bool saveFileName(const TzelFileRequest &request, QString &fileName) override;
};
