// SPDX-License-Identifier: MIT
#include "dialogs/frmzelparams.h"

#include "dialogs/dialoggrid.h"
#include "dialogs/guiscreen.h"
#include "messages/zelmessages.h"
#include "model/zelmodel.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QTableWidget>
#include <QVBoxLayout>

namespace {

QString nameOf(const QString &entry) {
  return entry.section(u'=', 0, 0);
}
QString valueOf(const QString &entry) {
  const qsizetype at = entry.indexOf(u'=');
  return at < 0 ? QString() : entry.mid(at + 1);
}

} // namespace

TfrmZelParams::TfrmZelParams(TzelModel *model, QWidget *parent) : QDialog(parent), m_model(model) {
  setObjectName(QStringLiteral("frmZelParams"));
  zelMakeFixedDialog(*this, QStringLiteral(" Filter Values"));

  labPrompt = new QLabel(QStringLiteral("Enter or accept the following values:"), this);
  labPrompt->setObjectName(QStringLiteral("labPrompt"));
  grdParams = zelCreateDialogGrid({126, 135}, this);
  grdParams->setObjectName(QStringLiteral("grdParams"));
  // The editor of the current cell is always open.
  grdParams->setEditTriggers(QAbstractItemView::CurrentChanged | QAbstractItemView::AnyKeyPressed |
                             QAbstractItemView::DoubleClicked);

  const TzelDialogButtons buttons = zelCreateDialogButtons(*this);
  cmdOk = buttons.ok;
  cmdCancel = buttons.cancel;
  cmdHelp = buttons.help;
  zelReturnClicks(*grdParams, *cmdOk);
  connect(cmdOk, &QPushButton::clicked, this, &TfrmZelParams::cmdOkClick);
  connect(cmdCancel, &QPushButton::clicked, this, &TfrmZelParams::cmdCancelClick);
  connect(cmdHelp, &QPushButton::clicked, this, &TfrmZelParams::cmdHelpClick);

  auto *layout = new QVBoxLayout(this);
  layout->addWidget(labPrompt);
  layout->addWidget(grdParams);
  layout->addLayout(buttons.row);
  layout->setSizeConstraint(QLayout::SetFixedSize);
  SetParams({});
}

void TfrmZelParams::SetParams(const QStringList &nameValues) {
  zelResetGridRows(*grdParams, int(nameValues.size()));
  for (int row = 0; row < grdParams->rowCount(); ++row) {
    const QString entry = nameValues.value(row);
    const QString name = nameOf(entry);
    // Names are fixed; a row without a name cannot be edited at all.
    const Qt::ItemFlags valueFlags =
        IsBlank(name) ? Qt::ItemIsEnabled
                      : Qt::ItemIsEnabled | Qt::ItemIsSelectable | Qt::ItemIsEditable;
    grdParams->setItem(row, 0, zelCreateGridItem(name, Qt::ItemIsEnabled | Qt::ItemIsSelectable));
    grdParams->setItem(row, 1, zelCreateGridItem(valueOf(entry).trimmed(), valueFlags));
  }
}

QStringList TfrmZelParams::Params() const {
  QStringList out;
  for (int row = 0; row < grdParams->rowCount(); ++row) {
    const QString name = grdParams->item(row, 0)->text();
    if (!IsBlank(name))
      out << name + u'=' + grdParams->item(row, 1)->text();
  }
  return out;
}

void TfrmZelParams::cmdOkClick() {
  grdParams->setCurrentIndex(QModelIndex()); // commits a value still in its editor
  const QString message = CheckParamValues(Params());
  if (!message.isEmpty()) {
    zelShowError(message);
    zelGoToFirstMissing(*grdParams);
    return;
  }
  m_ok = true;
  accept();
}

void TfrmZelParams::cmdCancelClick() {
  m_ok = false;
  reject();
}

void TfrmZelParams::cmdHelpClick() {
  if (m_model)
    m_model->ShowHelp(0, 19);
}

void TfrmZelParams::showEvent(QShowEvent *event) {
  QDialog::showEvent(event);
  zelCentreOnScreen(*this);
  if (!IsBlank(grdParams->item(0, 0)->text()))
    grdParams->setCurrentCell(0, 1);
}

bool TfrmZelParams::Ask(QStringList &nameValues, TzelModel *model) {
  TfrmZelParams dialog(model);
  dialog.SetParams(nameValues);
  dialog.exec();
  if (!dialog.OkFlag())
    return false;
  nameValues = dialog.Params();
  return true;
}
