#include "engine/frmzelprompts.h"
#include "messages/guimessages.h"
#include "messages/zelmessages.h"

#include <QApplication>
#include <QMainWindow>

namespace {

// The last guard of every window: a model error that escapes an event handler or a slot is
// shown in a message box instead of ending the program.
class DemoApplication : public QApplication {
public:
  using QApplication::QApplication;
  bool notify(QObject *receiver, QEvent *event) override {
    bool handled = false;
    zelCatchToMessage([&] { handled = QApplication::notify(receiver, event); });
    return handled;
  }
};

} // namespace

int main(int argc, char *argv[]) {
  DemoApplication app(argc, argv);
  zelInstallGuiMessages();
  zelInstallQueryPrompts();
  QMainWindow window;
  window.setWindowTitle(QStringLiteral("Pellox"));
  window.resize(640, 480);
  window.show();
  return app.exec();
}
