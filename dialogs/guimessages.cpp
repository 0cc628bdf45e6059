#include "dialogs/guimessages.h"
#include "dialogs/frmzelabout.h"
#include "dialogs/frmzelerror.h"
#include "dialogs/frmzelhelp.h"
#include "dialogs/frmzelinputbox.h"
#include "dialogs/frmzelprogress.h"
#include "dialogs/guifiledialog.h"
#include "messages/zelhelp.h"
#include "messages/zelmessages.h"
#include "model/zelmodel.h"

#include <QMessageBox>

namespace {

void prepareMessageBox(QMessageBox &box, const QString &text, TzelMessageKind kind,
                       TzelButtons buttons) {
  box.setWindowFlag(Qt::WindowStaysOnTopHint);
  box.setText(text);
  switch (kind) {
  case TzelMessageKind::Error:
    box.setIcon(QMessageBox::Critical);
    box.setWindowTitle(QStringLiteral("Error"));
    break;
  case TzelMessageKind::Information:
    box.setIcon(QMessageBox::Information);
    box.setWindowTitle(QStringLiteral("Information"));
    break;
  case TzelMessageKind::Confirmation:
    box.setIcon(QMessageBox::Question);
    box.setWindowTitle(QStringLiteral("Confirm"));
    break;
  }
  switch (buttons) {
  case TzelButtons::Ok:
    box.setStandardButtons(QMessageBox::Ok);
    break;
  case TzelButtons::YesNo:
    box.setStandardButtons(QMessageBox::Yes | QMessageBox::No);
    break;
  case TzelButtons::YesNoCancel:
    box.setStandardButtons(QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel);
    break;
  }
}

class GuiMessages : public TzelMessageHandler {
public:
  TzelAnswer messageBox(const QString &text, TzelMessageKind kind, TzelButtons buttons) override {
    QMessageBox box;
    prepareMessageBox(box, text, kind, buttons);
    switch (box.exec()) {
    case QMessageBox::Ok:
      return TzelAnswer::Ok;
    case QMessageBox::Yes:
      return TzelAnswer::Yes;
    case QMessageBox::No:
      return TzelAnswer::No;
    case QMessageBox::Cancel:
      return TzelAnswer::Cancel;
    default:
      return zelDecliningAnswer(buttons);
    }
  }
  bool inputBox(const QString &caption, const QString &prompt, QString &text) override {
    return TfrmZelInputBox::ask(caption, prompt, text);
  }
  void showMessageList(const QStringList &lines, const QString &title) override {
    TfrmZelError &window = TfrmZelError::ensureInstance();
    window.setWindowTitle(title + QStringLiteral(" Messages"));
    window.setLines(lines);
    window.show();
    window.raise();
  }
  void hideMessageList() override {
    if (TfrmZelError *window = TfrmZelError::instance())
      window->hide();
  }
};

class GuiHelp : public TzelHelpHandler {
public:
  void showHelp(const QString &helpFile, int context) override {
    TfrmZelHelp::ensureInstance().showHelp(helpFile, context);
  }
};

} // namespace

void zelInstallGuiMessages() {
  zelSetMessageHandler(std::make_unique<GuiMessages>());
  zelSetHelpHandler(std::make_unique<GuiHelp>());
  zelSetProgressHandler(std::make_unique<TzelGuiProgress>());
  zelSetFileDialogHandler(std::make_unique<GuiFileDialogs>());
  zelSetAboutBox([](TzelModel &model) { TfrmZelAbout::showFor(model); });
}
