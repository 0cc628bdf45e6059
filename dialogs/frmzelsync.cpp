// SPDX-License-Identifier: MIT
#include "dialogs/frmzelsync.h"

#include "dialogs/dialoggrid.h"
#include "dialogs/guiscreen.h"
#include "messages/zelmessages.h"
#include "model/zelmodel.h"

#include <QComboBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QStyledItemDelegate>
#include <QTableWidget>
#include <QVBoxLayout>

namespace {

constexpr int ChoicesRole = Qt::UserRole + 1;

// The drop-down list over the replacement cell: it offers the row's choices, and choosing
// an entry writes it into the cell at once.
class ReplacementDelegate : public QStyledItemDelegate {
public:
  using QStyledItemDelegate::QStyledItemDelegate;
  QWidget *createEditor(QWidget *parent, const QStyleOptionViewItem &,
                        const QModelIndex &index) const override {
    auto *list = new QComboBox(parent);
    list->setObjectName(QStringLiteral("cmbReplacement"));
    list->addItems(index.data(ChoicesRole).toStringList());
    auto *self = const_cast<ReplacementDelegate *>(this);
    connect(list, &QComboBox::activated, self, [self, list] { emit self->commitData(list); });
    return list;
  }
  void setEditorData(QWidget *editor, const QModelIndex &index) const override {
    auto *list = static_cast<QComboBox *>(editor);
    list->setCurrentIndex(list->findText(index.data().toString()));
  }
  void setModelData(QWidget *editor, QAbstractItemModel *model,
                    const QModelIndex &index) const override {
    const auto *list = static_cast<QComboBox *>(editor);
    if (list->currentIndex() >= 0)
      model->setData(index, list->currentText());
  }
  void updateEditorGeometry(QWidget *editor, const QStyleOptionViewItem &option,
                            const QModelIndex &) const override {
    editor->setGeometry(option.rect);
  }
};

} // namespace

TfrmZelSync::TfrmZelSync(TzelSyncMode mode, TzelModel *model, QWidget *parent)
    : QDialog(parent), m_model(model) {
  setObjectName(QStringLiteral("frmZelSync"));
  zelMakeFixedDialog(*this, QStringLiteral(" Data Model Synchronization"));

  labTitle = new QLabel(SyncCaption(mode), this);
  labTitle->setObjectName(QStringLiteral("labTitle"));
  labLeft =
      new QLabel(QStringLiteral("The left column below displays the unmatched aliases."), this);
  labLeft->setObjectName(QStringLiteral("labLeft"));
  labRight = new QLabel(QStringLiteral("Use the right column to select their replacement."), this);
  labRight->setObjectName(QStringLiteral("labRight"));
  // Columns 2 and 3 are working columns: the value's table alias and value alias.
  grdSync = zelCreateDialogGrid({169, 157, 0, 0}, this);
  grdSync->setObjectName(QStringLiteral("grdSync"));
  grdSync->setEditTriggers(QAbstractItemView::CurrentChanged | QAbstractItemView::DoubleClicked |
                           QAbstractItemView::SelectedClicked);
  grdSync->setItemDelegateForColumn(1, new ReplacementDelegate(grdSync));
  connect(grdSync, &QTableWidget::currentCellChanged, this,
          &TfrmZelSync::grdSyncCurrentCellChanged);

  const TzelDialogButtons buttons = zelCreateDialogButtons(*this);
  cmdOk = buttons.ok;
  cmdCancel = buttons.cancel;
  cmdHelp = buttons.help;
  zelReturnClicks(*grdSync, *cmdOk);
  connect(cmdOk, &QPushButton::clicked, this, &TfrmZelSync::cmdOkClick);
  connect(cmdCancel, &QPushButton::clicked, this, &QDialog::reject);
  connect(cmdHelp, &QPushButton::clicked, this, &TfrmZelSync::cmdHelpClick);

  auto *layout = new QVBoxLayout(this);
  layout->addWidget(labTitle);
  layout->addWidget(labLeft);
  layout->addWidget(labRight);
  layout->addWidget(grdSync);
  layout->addLayout(buttons.row);
  layout->setSizeConstraint(QLayout::SetFixedSize);
  SetRows({});
}

void TfrmZelSync::SetRows(const QList<TzelSyncRow> &rows) {
  m_rows = rows;
  zelResetGridRows(*grdSync, int(rows.size()));
  for (int row = 0; row < grdSync->rowCount(); ++row) {
    const TzelSyncRow entry = rows.value(row);
    const bool live = !IsBlank(entry.name);
    const Qt::ItemFlags fixed = live ? Qt::ItemIsEnabled | Qt::ItemIsSelectable : Qt::NoItemFlags;
    const QStringList texts{entry.name, entry.replacement, entry.tableAlias, entry.valueAlias};
    for (int column = 0; column < 4; ++column) {
      QTableWidgetItem *item = zelCreateGridItem(
          texts[column], column == 1 && live ? fixed | Qt::ItemIsEditable : fixed);
      if (column == 1)
        item->setData(ChoicesRole, entry.choices);
      grdSync->setItem(row, column, item);
    }
  }
}

QList<TzelSyncRow> TfrmZelSync::Rows() const {
  QList<TzelSyncRow> rows = m_rows;
  for (int row = 0; row < rows.size(); ++row)
    rows[row].replacement = grdSync->item(row, 1)->text();
  return rows;
}

bool TfrmZelSync::named(int row) const {
  const QTableWidgetItem *item = grdSync->item(row, 0);
  return item && !IsBlank(item->text());
}

void TfrmZelSync::grdSyncCurrentCellChanged(int row, int column, int previousRow, int) {
  if (row < 0)
    return;
  if (!named(row))
    grdSync->setCurrentCell(named(previousRow) ? previousRow : -1, 1);
  else if (column != 1)
    grdSync->setCurrentCell(row, 1);
}

void TfrmZelSync::cmdOkClick() {
  grdSync->setCurrentIndex(QModelIndex()); // commits a choice still in its list
  const QString message = CheckSyncRows(Rows());
  if (!message.isEmpty()) {
    zelShowError(message);
    zelGoToFirstMissing(*grdSync);
    return;
  }
  accept();
}

void TfrmZelSync::cmdHelpClick() {
  if (m_model)
    m_model->ShowHelp(0, 59);
}

void TfrmZelSync::showEvent(QShowEvent *event) {
  QDialog::showEvent(event);
  zelCentreOnScreen(*this);
  if (named(0))
    grdSync->setCurrentCell(0, 1);
}

bool TfrmZelSync::Ask(TzelSyncMode mode, QList<TzelSyncRow> &rows, TzelModel &model) {
  TfrmZelSync dialog(mode, &model);
  dialog.SetRows(rows);
  if (dialog.exec() != QDialog::Accepted)
    return false;
  rows = dialog.Rows();
  return true;
}
