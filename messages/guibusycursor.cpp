// The wait cursor of the widget library for TzelBusyCursor, installed when the library
// loads; it shows only where a GUI application runs.
#include "messages/busycursor.h"

#include <QCursor>
#include <QGuiApplication>

namespace {

void showBusy(bool busy) {
  if (!qobject_cast<QGuiApplication *>(QCoreApplication::instance()))
    return;
  if (busy)
    QGuiApplication::setOverrideCursor(QCursor(Qt::WaitCursor));
  else
    QGuiApplication::restoreOverrideCursor();
}

const bool installed = [] {
  zelSetBusyIndicator(showBusy);
  return true;
}();

} // namespace
