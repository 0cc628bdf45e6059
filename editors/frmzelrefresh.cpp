// SPDX-License-Identifier: MIT
#include "editors/frmzelrefresh.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QVBoxLayout>

namespace {

QPushButton *button(const QString &name, const QString &caption, QWidget *parent) {
  auto *b = new QPushButton(caption, parent);
  b->setObjectName(name);
  return b;
}

} // namespace

TfrmZelRefresh::TfrmZelRefresh(QWidget *parent) : QDialog(parent) {
  setObjectName(QStringLiteral("frmZelRefresh"));
  setWindowTitle(QStringLiteral("Refresh from Database"));
  labMessage = new QLabel(this);
  labMessage->setObjectName(QStringLiteral("labMessage"));
  labMessage->setWordWrap(true);
  lstChanges = new QListWidget(this);
  lstChanges->setObjectName(QStringLiteral("lstChanges"));
  lstChanges->setAccessibleName(QStringLiteral("Changes"));
  lstChanges->setAccessibleDescription(QStringLiteral("Space checks or clears a change"));
  labMessage->setBuddy(lstChanges);
  cmdYes = button(QStringLiteral("cmdYes"), QStringLiteral("&Yes"), this);
  cmdNo = button(QStringLiteral("cmdNo"), QStringLiteral("&No"), this);
  cmdClose = button(QStringLiteral("cmdClose"), QStringLiteral("Close"), this);
  cmdYes->setDefault(true);
  connect(cmdYes, &QPushButton::clicked, this, &QDialog::accept);
  connect(cmdNo, &QPushButton::clicked, this, &QDialog::reject);
  connect(cmdClose, &QPushButton::clicked, this, &QDialog::reject);

  auto *buttons = new QHBoxLayout;
  buttons->addStretch();
  buttons->addWidget(cmdYes);
  buttons->addWidget(cmdNo);
  buttons->addWidget(cmdClose);
  auto *layout = new QVBoxLayout(this);
  layout->addWidget(labMessage);
  layout->addWidget(lstChanges, 1);
  layout->addLayout(buttons);
  setChanges({});
}

void TfrmZelRefresh::setChanges(const QList<TzelCatalogueChange> &changes) {
  m_changes = changes;
  lstChanges->clear();
  for (const TzelCatalogueChange &change : changes) {
    auto *item = new QListWidgetItem(change.text, lstChanges);
    item->setFlags(Qt::ItemIsEnabled | Qt::ItemIsSelectable | Qt::ItemIsUserCheckable);
    item->setCheckState(change.proposed ? Qt::Checked : Qt::Unchecked);
  }
  const bool any = !changes.isEmpty();
  labMessage->setText(any ? QStringLiteral("The database has changed since the model was made. "
                                           "Apply the checked changes?")
                          : QStringLiteral("The model matches the database."));
  lstChanges->setVisible(any);
  cmdYes->setVisible(any);
  cmdNo->setVisible(any);
  cmdClose->setVisible(!any);
  cmdClose->setDefault(!any);
  if (any)
    lstChanges->setCurrentRow(0);
  // A list to read, or one line and its button.
  resize(any ? QSize(520, 340) : QSize(340, layout()->minimumSize().height()));
  (any ? static_cast<QWidget *>(lstChanges) : cmdClose)->setFocus();
}

QList<TzelCatalogueChange> TfrmZelRefresh::checkedChanges() const {
  QList<TzelCatalogueChange> checked;
  for (int i = 0; i < lstChanges->count(); ++i)
    if (lstChanges->item(i)->checkState() == Qt::Checked)
      checked.append(m_changes.at(i));
  return checked;
}
