// SPDX-License-Identifier: MIT
#include "print/screenfonts.h"
#include "model/supportfiles.h"
#include "print/printfont.h"

#include <QFont>
#include <QGuiApplication>
#include <QScreen>

void SetDefaultFont(QFont &font, int pointSize) {
  TzelFont settings;
  settings.SetDefault(pointSize);
  font = toQFont(settings);
}

int ScaleToScreen(int value) {
  const QScreen *screen = qobject_cast<QGuiApplication *>(QCoreApplication::instance())
                              ? QGuiApplication::primaryScreen()
                              : nullptr;
  return ScaleToScreen(value, screen ? qRound(screen->logicalDotsPerInchX()) : 96);
}
