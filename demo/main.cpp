// SPDX-License-Identifier: MIT
#include "demo/frmmain.h"
#include "demo/screenshottour.h"
#include "dialogs/guiapplication.h"
#include "dialogs/guiinteraction.h"
#include "workspace/queryprompts.h"

#include <QTimer>
#include <cstdio>
#include <cstring>

int main(int argc, char *argv[]) {
  // Answered before the application starts: no screen is needed to ask.
  if (argc == 2 && std::strcmp(argv[1], "--version") == 0) {
    std::puts("pellox " ZEL_VERSION);
    return 0;
  }
  GuardedApplication app(argc, argv);
  zelInstallGui(app);
  zelInstallQueryPrompts();
  TfrmMain window;
  window.show();
  StartScreenshotTour(window);
  // pellox DATABASE: the query workspace on the user's own database, over the tour.
  if (const QStringList args = QCoreApplication::arguments(); args.size() > 1)
    QTimer::singleShot(0, &window,
                       [&window, database = args.at(1)] { window.OpenDatabase(database); });
  return app.exec();
}
