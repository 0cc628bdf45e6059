#include "demo/frmmain.h"
#include "demo/screenshottour.h"
#include "dialogs/guiapplication.h"
#include "dialogs/guiinteraction.h"
#include "workspace/queryprompts.h"

int main(int argc, char *argv[]) {
  GuardedApplication app(argc, argv);
  zelInstallGui(app);
  zelInstallQueryPrompts();
  TfrmMain window;
  window.show();
  StartScreenshotTour(window);
  return app.exec();
}
