#include "messages/guimessages.h"
#include "messages/zelmessages.h"

#include <QInputDialog>
#include <QMessageBox>

namespace {

class GuiHandler : public TzelMessageHandler {
public:
  TzelAnswer messageBox(const QString &text, TzelMessageKind kind, TzelButtons buttons) override {
    QMessageBox box;
    box.setText(text);
    box.setIcon(kind == TzelMessageKind::Error         ? QMessageBox::Critical
                : kind == TzelMessageKind::Information ? QMessageBox::Information
                                                       : QMessageBox::Question);
    if (buttons == TzelButtons::Ok)
      box.setStandardButtons(QMessageBox::Ok);
    else if (buttons == TzelButtons::YesNo)
      box.setStandardButtons(QMessageBox::Yes | QMessageBox::No);
    else
      box.setStandardButtons(QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel);
    switch (box.exec()) {
    case QMessageBox::Yes:
      return TzelAnswer::Yes;
    case QMessageBox::No:
      return TzelAnswer::No;
    case QMessageBox::Cancel:
      return TzelAnswer::Cancel;
    default:
      return TzelAnswer::Ok;
    }
  }
  bool inputBox(const QString &caption, const QString &prompt, QString &text) override {
    bool ok = false;
    const QString result = QInputDialog::getText(nullptr, caption, prompt, QLineEdit::Normal, text, &ok);
    if (ok)
      text = result;
    return ok;
  }
  void showMessageList(const QStringList &, const QString &) override {}
  void hideMessageList() override {}
};

} // namespace

void zelInstallGuiMessages() { zelSetMessageHandler(std::make_unique<GuiHandler>()); }
