#include "dialogs/guibusycursor.h"
#include "messages/busycursor.h"

#include <QCursor>
#include <QGuiApplication>

namespace {

// Shows only where a GUI application runs.
void showBusy(bool busy) {
  if (!qobject_cast<QGuiApplication *>(QCoreApplication::instance()))
    return;
  if (busy)
    QGuiApplication::setOverrideCursor(QCursor(Qt::WaitCursor));
  else
    QGuiApplication::restoreOverrideCursor();
}

const bool installedOnLoading = [] {
  zelInstallBusyCursor();
  return true;
}();

} // namespace

void zelInstallBusyCursor() {
  zelSetBusyIndicator(showBusy);
}
