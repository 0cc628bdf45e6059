#include "engine/frmzelprompts.h"
#include "messages/guiapplication.h"
#include "messages/guimessages.h"

#include <QMainWindow>

int main(int argc, char *argv[]) {
  GuardedApplication app(argc, argv);
  zelInstallGuiMessages();
  zelInstallQueryPrompts();
  QMainWindow window;
  window.setWindowTitle(QStringLiteral("Pellox"));
  window.resize(640, 480);
  window.show();
  return app.exec();
}
