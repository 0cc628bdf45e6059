// SPDX-License-Identifier: MIT
#include "workspace/frmzelsave.h"

#include "controls/glyphs.h"
#include "controls/windowhelpers.h"

#include <QApplication>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

namespace {

QLabel *picture(const QString &name, const QString &glyph, QWidget *parent) {
  auto *label = new QLabel(parent);
  label->setObjectName(name);
  label->setPixmap(zelGlyph(glyph).pixmap(QSize(32, 32), parent->devicePixelRatioF()));
  label->setFixedSize(32, 32);
  return label;
}

} // namespace

TfrmZelSave::TfrmZelSave(QWidget *parent) : QDialog(parent) {
  setObjectName(QStringLiteral("frmZelSave"));
  setWindowTitle(QStringLiteral("Save Method"));
  // A fixed dialog whose title bar has no buttons: it closes through its own three.
  setWindowFlags(Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                 Qt::MSWindowsFixedSizeDialogHint);

  labMsg = new QLabel(QStringLiteral("Save changes to:"), this);
  labMsg->setObjectName(QStringLiteral("labMsg"));
  optForm = new QRadioButton(QStringLiteral("a component on a form?"), this);
  optForm->setObjectName(QStringLiteral("optForm"));
  optFile = new QRadioButton(QStringLiteral("an operating system file?"), this);
  optFile->setObjectName(QStringLiteral("optFile"));
  imgForm = picture(QStringLiteral("imgForm"), QStringLiteral("ZEL_SAVE_FORM"), this);
  imgForm->setAccessibleName(QStringLiteral("Form component"));
  imgFile = picture(QStringLiteral("imgFile"), QStringLiteral("ZEL_SAVE_FILE"), this);
  imgFile->setAccessibleName(QStringLiteral("File"));
  cmdOK = zelNamedButton(QStringLiteral("cmdOK"), QStringLiteral("&Yes"), this);
  cmdOK->setDefault(true);
  cmdNo = zelNamedButton(QStringLiteral("cmdNo"), QStringLiteral("&No"), this);
  cmdCancel = zelNamedButton(QStringLiteral("cmdCancel"), QStringLiteral("&Cancel"), this);

  auto *choices = new QVBoxLayout;
  choices->addWidget(labMsg);
  choices->addWidget(optForm);
  choices->addWidget(optFile);
  auto *pictures = new QGridLayout; // both pictures share one place
  pictures->addWidget(imgForm, 0, 0);
  pictures->addWidget(imgFile, 0, 0);
  auto *top = new QHBoxLayout;
  top->addLayout(pictures);
  top->addSpacing(8);
  top->addLayout(choices, 1);
  auto *buttons = new QHBoxLayout;
  buttons->addStretch(1);
  buttons->addWidget(cmdOK);
  buttons->addWidget(cmdNo);
  buttons->addWidget(cmdCancel);
  auto *layout = new QVBoxLayout(this);
  layout->addLayout(top);
  layout->addLayout(buttons);
  layout->setSizeConstraint(QLayout::SetFixedSize);

  connect(optForm, &QRadioButton::clicked, this, [this] { choose(1); });
  connect(optFile, &QRadioButton::clicked, this, [this] { choose(2); });
  connect(cmdOK, &QPushButton::clicked, this, &QDialog::accept);
  connect(cmdNo, &QPushButton::clicked, this, [this] {
    SaveChoice = 3;
    reject();
  });
  connect(cmdCancel, &QPushButton::clicked, this, &QDialog::reject);
  optForm->setChecked(true);
  choose(1);
}

// Cancel, Escape and closing the window all cancel; only No rejects with its own choice.
void TfrmZelSave::reject() {
  if (SaveChoice != 3)
    SaveChoice = 0;
  QDialog::reject();
}

void TfrmZelSave::choose(int choice) {
  SaveChoice = choice;
  imgForm->setVisible(choice == 1);
  imgFile->setVisible(choice == 2);
}

TzelSaveMethod TfrmZelSave::Ask() {
  TfrmZelSave dialog(QApplication::activeWindow());
  dialog.exec();
  switch (dialog.SaveChoice) {
  case 1:
    return TzelSaveMethod::Form;
  case 2:
    return TzelSaveMethod::File;
  case 3:
    return TzelSaveMethod::No;
  default:
    return TzelSaveMethod::Cancel;
  }
}
