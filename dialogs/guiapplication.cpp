// SPDX-License-Identifier: MIT
#include "dialogs/guiapplication.h"

#include "messages/zelmessages.h"

bool GuardedApplication::notify(QObject *receiver, QEvent *event) {
  bool handled = false;
  // A refused event counts as handled: it must not be passed on to the parent.
  if (!zelCatchToMessage([&] { handled = QApplication::notify(receiver, event); }))
    return true;
  return handled;
}
