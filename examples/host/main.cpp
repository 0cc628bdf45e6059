// An application hosting the Pellox components: a main window with a "Design Query" button
// and a grid of the query's records.
//
//   pellox-host [--check] [EXAMPLES_FOLDER]
//
// EXAMPLES_FOLDER holds pellox-model.txt, step1.zel and the sample tables in Data/ (by
// default the folder the package installed). --check runs the query "Step 1" without a
// window, prints its record count and exits 0 when it ran.

#include "dialogs/guiapplication.h"
#include "dialogs/guimessages.h"
#include "hostcomponents.h"
#include "hostwindow.h"
#include "messages/zelmessages.h"
#include "workspace/queryprompts.h"

#include <QStringList>
#include <QTextStream>

namespace {

// Messages of a run without windows go to standard error; nobody is there to answer.
class StderrMessages : public TzelMessageHandler {
public:
  TzelAnswer messageBox(const QString &text, TzelMessageKind, TzelButtons buttons) override {
    QTextStream(stderr) << text << '\n';
    return zelDecliningAnswer(buttons);
  }
  bool inputBox(const QString &, const QString &, QString &) override { return false; }
  void showMessageList(const QStringList &lines, const QString &) override {
    QTextStream(stderr) << lines.join(u'\n') << '\n';
  }
  void hideMessageList() override {}
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

  // The library asks and reports through handlers the program installs: real windows here
  // (message boxes, the message window, help, file dialogs; the parameter, export, page
  // setup and print dialogs), standard error for the check.
  if (checkOnly) {
    zelSetMessageHandler(std::make_unique<StderrMessages>());
  } else {
    zelInstallGuiMessages();
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
