// SPDX-License-Identifier: MIT
// An application hosting the Pellox components: a main window with a "Design Query" button
// and a grid of the query's records.
//
//   pellox-host [--check] [EXAMPLES_FOLDER]
//
// EXAMPLES_FOLDER holds pellox-model.txt, step1.zel and the sample tables in Data/ (by
// default the folder the package installed). --check runs the query "Step 1" without a
// window, prints its record count and exits 0 when it ran.

#include "dialogs/guiapplication.h"
#include "dialogs/guiinteraction.h"
#include "hostcomponents.h"
#include "hostwindow.h"
#include "messages/zelconsoleinteraction.h"
#include "messages/zelmessages.h"
#include "workspace/queryprompts.h"

#include <QStringList>
#include <QTextStream>

namespace {

// A run without windows: messages on standard error, and nobody there to answer a question.
class CheckInteraction : public TzelConsoleInteraction {
public:
  TzelAnswer messageBox(const QString &text, TzelMessageKind kind, TzelButtons buttons) override {
    TzelConsoleInteraction::messageBox(text, kind, buttons);
    return zelDecliningAnswer(buttons);
  }
};

int check(HostComponents &components) {
  if (!components.run())
    return 1;
  QTextStream(stdout) << components.dataset().RecordCount() << '\n';
  return 0;
}

} // namespace

int main(int argc, char *argv[]) {
  // Shows a model error that escapes a slot instead of ending the program.
  GuardedApplication app(argc, argv);
  QStringList args = app.arguments().mid(1);
  const bool checkOnly = args.removeAll(QStringLiteral("--check")) > 0;
  const QString folder = args.value(0, QStringLiteral(PELLOX_EXAMPLES_DIR));

  // The library asks and reports through what the program installs: real windows here
  // (message boxes, the message window, help, file dialogs; the parameter, export, page
  // setup and print dialogs), standard error for the check.
  CheckInteraction console;
  if (checkOnly) {
    zelInstallInteraction(console);
  } else {
    zelInstallGui(app);
    zelInstallQueryPrompts();
  }

  int status = 1;
  zelCatchToMessage([&] {
    HostComponents components(folder);
    if (checkOnly) {
      status = check(components);
      return;
    }
    HostWindow window(components);
    window.show();
    window.showRecords();
    status = app.exec();
  });
  return status;
}
