// SPDX-License-Identifier: MIT
#include "dialogs/frmzeloptions.h"

#include "controls/windowhelpers.h"
#include "dialogs/guiscreen.h"
#include "export/exportrecords.h"
#include "messages/zelmessages.h"

#include <QCheckBox>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

namespace {

QLineEdit *passwordBox(const QString &name, QWidget *parent) {
  auto *box = new QLineEdit(parent);
  box->setObjectName(name);
  box->setEchoMode(QLineEdit::Password);
  box->setStyleSheet(QStringLiteral("lineedit-password-character: 42"));
  return box;
}

} // namespace

TfrmZelOptions::TfrmZelOptions(QWidget *parent) : QDialog(parent) {
  setObjectName(QStringLiteral("frmZelOptions"));
  setWindowTitle(QStringLiteral("Options"));
  setWindowFlags(Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                 Qt::WindowCloseButtonHint | Qt::MSWindowsFixedSizeDialogHint);

  panFieldNames = new QWidget(this);
  panFieldNames->setObjectName(QStringLiteral("panFieldNames"));
  chkFieldNames = new QCheckBox(QStringLiteral("Include Field Names"), panFieldNames);
  chkFieldNames->setObjectName(QStringLiteral("chkFieldNames"));
  auto *names = new QVBoxLayout(panFieldNames);
  names->setContentsMargins(0, 0, 0, 0);
  names->addWidget(chkFieldNames);

  panPassword = new QWidget(this);
  panPassword->setObjectName(QStringLiteral("panPassword"));
  txtPassword = passwordBox(QStringLiteral("txtPassword"), panPassword);
  txtConfirm = passwordBox(QStringLiteral("txtConfirm"), panPassword);
  labNote = new QLabel(QStringLiteral("Passwords are not case sensitive. "
                                      "Passwords cannot be recovered if lost."),
                       panPassword);
  labNote->setObjectName(QStringLiteral("labNote"));
  labNote->setWordWrap(true);
  auto *form = new QFormLayout(panPassword);
  form->setContentsMargins(0, 0, 0, 0);
  form->addRow(zelBuddyLabel(QStringLiteral("labPassword"), QStringLiteral("&Password"),
                             txtPassword, panPassword),
               txtPassword);
  form->addRow(zelBuddyLabel(QStringLiteral("labConfirm"), QStringLiteral("&Confirm Password"),
                             txtConfirm, panPassword),
               txtConfirm);
  form->addRow(labNote);
  panPassword->hide();

  cmdOk = zelNamedButton(QStringLiteral("cmdOk"), QStringLiteral("&OK"), this);
  cmdOk->setDefault(true);
  cmdCancel = zelNamedButton(QStringLiteral("cmdCancel"), QStringLiteral("&Cancel"), this);
  auto *buttons = new QHBoxLayout;
  buttons->addStretch();
  buttons->addWidget(cmdOk);
  buttons->addWidget(cmdCancel);

  auto *layout = new QVBoxLayout(this);
  layout->addWidget(panFieldNames);
  layout->addWidget(panPassword);
  layout->addLayout(buttons);
  layout->setSizeConstraint(QLayout::SetFixedSize);
  panFieldNames->setMinimumWidth(260);

  connect(cmdOk, &QPushButton::clicked, this, &TfrmZelOptions::cmdOkClick);
  connect(cmdCancel, &QPushButton::clicked, this, &QDialog::reject);
}

void TfrmZelOptions::SetFileType(int fileType) {
  panFieldNames->setVisible(fileType == zelExportCsv || fileType == zelExportTab ||
                            fileType == zelExportTxt);
  panPassword->setVisible(fileType == zelExportPxo);
}

void TfrmZelOptions::SetValues(bool includeNames, const QString &password) {
  chkFieldNames->setChecked(includeNames);
  txtPassword->setText(password);
  txtConfirm->setText(password);
}

bool TfrmZelOptions::IncludeNames() const {
  return chkFieldNames->isChecked();
}

QString TfrmZelOptions::Password() const {
  return txtPassword->text();
}

void TfrmZelOptions::cmdOkClick() {
  if (!panPassword->isHidden() &&
      txtPassword->text().compare(txtConfirm->text(), Qt::CaseInsensitive) != 0) {
    zelShowError(QStringLiteral("Error: Password and Confirm Password do not match."));
    txtPassword->clear();
    txtConfirm->clear();
    txtPassword->setFocus();
    return;
  }
  accept();
}

void TfrmZelOptions::showEvent(QShowEvent *event) {
  QDialog::showEvent(event);
  zelCentreOnScreen(*this);
}
