// SPDX-License-Identifier: MIT
#include "dialogs/frmzelabout.h"
#include "controls/windowhelpers.h"
#include "dialogs/guiscreen.h"
#include "messages/zelmessages.h"
#include "model/zelmodel.h"
#include "model/zeltypes.h"

#include <QApplication>
#include <QHBoxLayout>
#include <QLabel>
#include <QMessageBox>
#include <QPushButton>
#include <QVBoxLayout>

#ifndef ZEL_VERSION
#define ZEL_VERSION "unknown"
#endif

namespace {

// A label with its control name; hidden when there is nothing to say.
QLabel *addLine(QVBoxLayout *layout, const QString &name, const QString &text) {
  auto *label = new QLabel(text);
  label->setObjectName(name);
  label->setWordWrap(true);
  label->setTextInteractionFlags(Qt::TextSelectableByMouse);
  label->setVisible(!IsBlank(text));
  layout->addWidget(label);
  return label;
}

} // namespace

TfrmZelAbout::TfrmZelAbout(TzelModel &model, QWidget *parent)
    : QDialog(parent, Qt::Dialog | Qt::MSWindowsFixedSizeDialogHint | Qt::WindowTitleHint |
                          Qt::WindowSystemMenuHint | Qt::WindowCloseButtonHint),
      m_model(model) {
  const TzelAbout &about = *model.About();
  setObjectName(QStringLiteral("frmZelAbout"));
  setWindowTitle(QStringLiteral("About ") + about.ProgramTitle());

  auto *texts = new QVBoxLayout;
  labTitle = addLine(texts, QStringLiteral("labTitle"), about.ProgramTitle());
  QFont big = labTitle->font();
  big.setBold(true);
  big.setPointSizeF(big.pointSizeF() * 1.5);
  labTitle->setFont(big);
  labVersion = addLine(texts, QStringLiteral("labVersion"), about.ProgramVersion());
  labCopyright = addLine(texts, QStringLiteral("labCopyright"), about.Copyright());
  labComments = addLine(texts, QStringLiteral("labComments"), about.Comments());
  labLegalNotice = addLine(texts, QStringLiteral("labLegalNotice"), about.LegalNotice());
  // The library's own version and Qt's: what a bug report needs, whatever the host says.
  labLibrary = addLine(texts, QStringLiteral("labLibrary"),
                       QStringLiteral("Pellox library %1, built with Qt %2, running on Qt %3.")
                           .arg(QStringLiteral(ZEL_VERSION), QStringLiteral(QT_VERSION_STR),
                                QString::fromLatin1(qVersion())));
  texts->addStretch(1);

  cmdOk = zelNamedButton(QStringLiteral("cmdOk"), QStringLiteral("OK"), this);
  cmdOk->setDefault(true);
  cmdHelp = zelNamedButton(QStringLiteral("cmdHelp"), about.HelpCaption(), this);
  cmdHelp->setVisible(!IsBlank(about.HelpCaption()));
  cmdHelp->setAutoDefault(false);
  cmdAboutQt = zelNamedButton(QStringLiteral("cmdAboutQt"), QStringLiteral("About &Qt"), this);
  cmdAboutQt->setToolTip(QStringLiteral("Qt's version and licence"));
  cmdAboutQt->setAutoDefault(false);
  auto *buttons = new QHBoxLayout;
  buttons->addWidget(cmdAboutQt);
  buttons->addStretch(1);
  buttons->addWidget(cmdHelp);
  buttons->addWidget(cmdOk);

  auto *layout = new QVBoxLayout(this);
  layout->setSizeConstraint(QLayout::SetFixedSize);
  layout->addLayout(texts);
  layout->addSpacing(8);
  layout->addLayout(buttons);
  for (QLabel *label :
       {labTitle, labVersion, labCopyright, labComments, labLegalNotice, labLibrary})
    label->setMinimumWidth(360);

  connect(cmdOk, &QPushButton::clicked, this, &QDialog::accept);
  connect(cmdHelp, &QPushButton::clicked, this, &TfrmZelAbout::cmdHelpClick);
  connect(cmdAboutQt, &QPushButton::clicked, this, [this] { QMessageBox::aboutQt(this); });
  cmdOk->setFocus();
}

void TfrmZelAbout::cmdHelpClick() {
  zelCatchToMessage([this] { m_model.ShowHelp(0, m_model.About()->HelpContext()); });
}

void TfrmZelAbout::showFor(TzelModel &model) {
  TfrmZelAbout box(model, QApplication::activeWindow());
  if (!box.parentWidget())
    zelCentreOnScreen(box);
  box.exec();
}
