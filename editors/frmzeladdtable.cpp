// SPDX-License-Identifier: MIT
#include "editors/frmzeladdtable.h"

#include "controls/windowhelpers.h"
#include "dialogs/guiscreen.h"
#include "editors/tablenames.h"
#include "messages/busycursor.h"
#include "messages/zelmessages.h"
#include "model/zelmodel.h"

#include <QCheckBox>
#include <QComboBox>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QListView>
#include <QPushButton>
#include <QStyle>
#include <QVBoxLayout>

TfrmZelAddTable::TfrmZelAddTable(QWidget *parent)
    : QDialog(parent), m_names(new TzelTableNames(this)) {
  setObjectName(QStringLiteral("frmZelAddTable"));
  setWindowTitle(QStringLiteral("Add Table"));
  setWindowFlags(Qt::Dialog | Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
                 Qt::WindowCloseButtonHint | Qt::MSWindowsFixedSizeDialogHint);

  panDatabase = new QWidget(this);
  panDatabase->setObjectName(QStringLiteral("panDatabase"));
  cmbDatabase = new QComboBox(panDatabase);
  cmbDatabase->setObjectName(QStringLiteral("cmbDatabase"));
  cmbDatabase->setAccessibleName(QStringLiteral("Database"));
  labDatabase = zelBuddyLabel(QStringLiteral("labDatabase"), QStringLiteral("&Database"),
                              cmbDatabase, panDatabase);
  txtFilter = new QLineEdit(panDatabase);
  txtFilter->setObjectName(QStringLiteral("txtFilter"));
  txtFilter->setPlaceholderText(QStringLiteral("Type to filter the tables"));
  txtFilter->setAccessibleName(QStringLiteral("Filter tables"));
  txtFilter->setClearButtonEnabled(true);
  txtFilter->installEventFilter(this);
  lstTables = new QListView(panDatabase);
  lstTables->setObjectName(QStringLiteral("lstTables"));
  lstTables->setAccessibleName(QStringLiteral("Tables"));
  lstTables->setSelectionMode(QAbstractItemView::SingleSelection);
  lstTables->setEditTriggers(QAbstractItemView::NoEditTriggers);
  // One row height for all: laying out 100,000 names never asks each for its size.
  lstTables->setUniformItemSizes(true);
  lstTables->setModel(m_names);
  labTables =
      zelBuddyLabel(QStringLiteral("labTables"), QStringLiteral("&Tables"), lstTables, panDatabase);

  cmdAdd = zelNamedButton(QStringLiteral("cmdAdd"), QStringLiteral("&Add Table"), this);
  cmdAdd->setDefault(true);
  cmdClose = zelNamedButton(QStringLiteral("cmdClose"), QStringLiteral("&Close"), this);
  cmdHelp = zelNamedButton(QStringLiteral("cmdHelp"), QStringLiteral("&Help"), this);
  chkSystem = new QCheckBox(QStringLiteral("System"), this);
  chkSystem->setObjectName(QStringLiteral("chkSystem"));
  labSystem = new QLabel(QStringLiteral("Tables"), this);
  labSystem->setObjectName(QStringLiteral("labSystem"));

  auto *left = new QVBoxLayout(panDatabase);
  left->setContentsMargins(0, 0, 0, 0);
  left->setSpacing(3);
  left->addWidget(labDatabase);
  left->addWidget(cmbDatabase);
  left->addSpacing(4);
  left->addWidget(labTables);
  left->addWidget(txtFilter);
  left->addWidget(lstTables, 1);

  auto *right = new QVBoxLayout;
  right->addSpacing(labDatabase->sizeHint().height() + 3);
  for (QPushButton *b : {cmdAdd, cmdClose, cmdHelp})
    right->addWidget(b);
  right->addSpacing(12);
  right->addWidget(chkSystem);
  // The label sits under the box's text, as the second word of its caption.
  auto *systemRow = new QHBoxLayout;
  systemRow->addSpacing(chkSystem->style()->pixelMetric(QStyle::PM_IndicatorWidth) +
                        chkSystem->style()->pixelMetric(QStyle::PM_CheckBoxLabelSpacing));
  systemRow->addWidget(labSystem);
  right->addLayout(systemRow);
  right->addStretch();

  auto *layout = new QHBoxLayout(this);
  layout->setContentsMargins(8, 8, 8, 8);
  layout->addWidget(panDatabase, 1);
  layout->addLayout(right);
  setFixedSize(316, 279);

  connect(cmdAdd, &QPushButton::clicked, this, &TfrmZelAddTable::cmdAddClick);
  connect(cmdClose, &QPushButton::clicked, this, &QDialog::reject);
  connect(cmdHelp, &QPushButton::clicked, this, &TfrmZelAddTable::cmdHelpClick);
  connect(lstTables, &QListView::doubleClicked, this, &TfrmZelAddTable::cmdAddClick);
  connect(cmbDatabase, &QComboBox::activated, this, &TfrmZelAddTable::relistInModelMode);
  connect(chkSystem, &QCheckBox::clicked, this, &TfrmZelAddTable::relistInModelMode);
  connect(txtFilter, &QLineEdit::textChanged, this, &TfrmZelAddTable::applyFilter);
  connect(lstTables->selectionModel(), &QItemSelectionModel::selectionChanged, this,
          &TfrmZelAddTable::rememberChoice);
  connect(lstTables->selectionModel(), &QItemSelectionModel::currentChanged, this,
          &TfrmZelAddTable::rememberChoice);
  // The editor fills the list directly: a new list obeys the filter already typed.
  connect(m_names, &QAbstractItemModel::modelReset, this, &TfrmZelAddTable::relisted);
  connect(m_names, &QAbstractItemModel::rowsInserted, this, &TfrmZelAddTable::relisted);
  zelF1Clicks(*this, *cmdHelp);
  setModelEditing(false);
}

void TfrmZelAddTable::setModel(TzelModel *model) {
  m_model = model;
}

void TfrmZelAddTable::setModelEditing(bool on) {
  m_modelEditing = on;
  chkSystem->setChecked(false);
  chkSystem->setVisible(on);
  labSystem->setVisible(on);
}

void TfrmZelAddTable::relistInModelMode() {
  if (m_modelEditing)
    fillTables();
}

void TfrmZelAddTable::fillTables() {
  if (!m_model || cmbDatabase->currentIndex() < 0)
    return;
  TzelBusyCursor busy;
  m_names->clear();
  QStringList names;
  try {
    m_model->GetTableNames(selectedDatabase(), QString(), true, chkSystem->isChecked(), names);
  } catch (const EzelError &e) {
    busy.restore();
    zelMessageBox(e.message(), TzelMessageKind::Error, TzelButtons::Ok);
    return;
  }
  m_names->setNamesAsListed(std::move(names)); // in the catalogue's order
}

QString TfrmZelAddTable::selectedTable() const {
  const QModelIndex current = lstTables->currentIndex();
  return current.isValid() && lstTables->selectionModel()->isSelected(current)
             ? m_names->nameAt(current.row())
             : QString();
}

bool TfrmZelAddTable::selectTable(const QString &table) {
  const int row = m_names->rowOf(table);
  if (row >= 0)
    selectRow(row);
  return row >= 0;
}

void TfrmZelAddTable::selectRow(int row) {
  lstTables->setCurrentIndex(m_names->index(row));
}

void TfrmZelAddTable::rememberChoice() {
  if (!m_filtering)
    m_chosen = selectedTable();
}

void TfrmZelAddTable::relisted() {
  if (m_filtering)
    return;
  rememberChoice(); // a reset drops the selection without a word
  if (!txtFilter->text().trimmed().isEmpty())
    selectFirstShown();
}

QString TfrmZelAddTable::selectedDatabase() const {
  return cmbDatabase->currentIndex() < 0 ? QString() : cmbDatabase->currentText();
}

void TfrmZelAddTable::cmdAddClick() {
  const QString table = selectedTable();
  if (!table.isEmpty())
    emit addTableRequested(table);
}

void TfrmZelAddTable::cmdHelpClick() {
  if (m_model)
    m_model->ShowHelp(0, 1015);
}

void TfrmZelAddTable::applyFilter() {
  const QString text = txtFilter->text().trimmed();
  m_filtering = true;
  m_names->setFilter(text);
  // The table chosen before comes back selected once the filter shows it again.
  if (const int row = m_names->rowOf(m_chosen); row >= 0)
    selectRow(row);
  m_filtering = false;
  // Keep a table selected while the filter shows any, so Return adds what the user sees.
  if (!text.isEmpty())
    selectFirstShown();
}

void TfrmZelAddTable::selectFirstShown() {
  if (selectedTable().isEmpty() && m_names->rowCount() > 0)
    selectRow(0);
}

bool TfrmZelAddTable::eventFilter(QObject *watched, QEvent *event) {
  if (watched == txtFilter && event->type() == QEvent::KeyPress) {
    const int key = static_cast<QKeyEvent *>(event)->key();
    if (key == Qt::Key_Down) {
      lstTables->setFocus();
      selectFirstShown();
      return true;
    }
    if (key == Qt::Key_Return || key == Qt::Key_Enter) {
      cmdAddClick();
      return true;
    }
  }
  return QDialog::eventFilter(watched, event);
}

void TfrmZelAddTable::showEvent(QShowEvent *event) {
  QDialog::showEvent(event);
  zelCentreOnScreen(*this);
  // The dialog is reused: each showing starts with the whole list, ready to type into.
  txtFilter->clear();
  txtFilter->setFocus();
}
