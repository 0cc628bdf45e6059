// SPDX-License-Identifier: MIT
#include "demo/frmmain.h"
#include "demo/screenshottour.h"
#include "dialogs/guiapplication.h"
#include "dialogs/guiinteraction.h"
#include "workspace/queryprompts.h"

#include <QTimer>

int main(int argc, char *argv[]) {
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
