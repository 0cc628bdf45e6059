// The support helpers that need the platform's font and screen types; they belong to the
// widget library, so that the core library runs without them.
#include "model/supportfiles.h"
#include "model/zelpage.h"

#include <QFont>
#include <QGuiApplication>
#include <QScreen>

void SetDefaultFont(QFont &font, int pointSize) {
  TzelFont settings;
  settings.SetDefault(pointSize);
  font = settings.toQFont();
}

int ScaleToScreen(int value) {
  const QScreen *screen = qobject_cast<QGuiApplication *>(QCoreApplication::instance())
                              ? QGuiApplication::primaryScreen()
                              : nullptr;
  return ScaleToScreen(value, screen ? qRound(screen->logicalDotsPerInchX()) : 96);
}
