// SPDX-License-Identifier: MIT
#include "dialogs/guiscreen.h"

#include <QGuiApplication>
#include <QScreen>
#include <QWidget>

void zelCentreOnScreen(QWidget &window) {
  const QScreen *screen = window.screen() ? window.screen() : QGuiApplication::primaryScreen();
  if (!screen)
    return;
  QRect frame = window.frameGeometry();
  frame.moveCenter(screen->availableGeometry().center());
  window.move(frame.topLeft());
}
