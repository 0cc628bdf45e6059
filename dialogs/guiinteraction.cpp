// SPDX-License-Identifier: MIT
#include "dialogs/guiinteraction.h"
#include "dialogs/frmzelabout.h"
#include "dialogs/frmzelerror.h"
#include "dialogs/frmzelhelp.h"
#include "dialogs/frmzelinputbox.h"
#include "dialogs/guifiledialog.h"

#include <QApplication>
#include <QCursor>
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

TzelAnswer answerOf(int button, TzelButtons buttons) {
  switch (button) {
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

} // namespace

TzelAnswer TzelGuiInteraction::messageBox(const QString &text, TzelMessageKind kind,
                                          TzelButtons buttons) {
  QMessageBox box;
  prepareMessageBox(box, text, kind, buttons);
  return answerOf(box.exec(), buttons);
}

bool TzelGuiInteraction::inputBox(const QString &caption, const QString &prompt, QString &text) {
  return TfrmZelInputBox::ask(caption, prompt, text);
}

bool TzelGuiInteraction::inputBoxWithHelp(const QString &caption, const QString &prompt,
                                          QString &text, const std::function<void()> &help) {
  return TfrmZelInputBox::ask(caption, prompt, text, help);
}

void TzelGuiInteraction::showMessageList(const QStringList &lines, const QString &title) {
  TfrmZelError &window = TfrmZelError::ensureInstance();
  window.setWindowTitle(title + QStringLiteral(" Messages"));
  window.setLines(lines);
  window.show();
  window.raise();
}

void TzelGuiInteraction::hideMessageList() {
  if (TfrmZelError *window = TfrmZelError::instance())
    window->hide();
}

void TzelGuiInteraction::showHelp(const QString &helpFile, int context) {
  TfrmZelHelp::ensureInstance().showHelp(helpFile, context);
}

void TzelGuiInteraction::showAbout(TzelModel &model) {
  TfrmZelAbout::showFor(model);
}

bool TzelGuiInteraction::openFileName(const TzelFileRequest &request, QString &fileName) {
  return zelQtOpenFileName(request, fileName);
}

bool TzelGuiInteraction::saveFileName(const TzelFileRequest &request, QString &fileName) {
  return zelQtSaveFileName(request, fileName);
}

void TzelGuiInteraction::setBusy(bool busy) {
  if (busy)
    QGuiApplication::setOverrideCursor(QCursor(Qt::WaitCursor));
  else
    QGuiApplication::restoreOverrideCursor();
}

void zelInstallGui(QApplication &) {
  static TzelGuiInteraction gui;
  zelInstallInteraction(gui);
}
