#include "demo/frmmain.h"
#include "demo/screenshottour.h"
#include "engine/frmzelprompts.h"
#include "messages/guiapplication.h"
#include "messages/guimessages.h"

int main(int argc, char *argv[]) {
  GuardedApplication app(argc, argv);
  zelInstallGuiMessages();
  zelInstallQueryPrompts();
  TfrmMain window;
  window.show();
  StartScreenshotTour(window);
  return app.exec();
}
