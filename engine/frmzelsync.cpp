#include "engine/frmzelsync.h"

#include "messages/zelmessages.h"
#include "model/zelmodel.h"

#include <QComboBox>
#include <QGuiApplication>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>
#include <QPushButton>
#include <QScreen>
#include <QStyledItemDelegate>
#include <QTableWidget>
#include <QVBoxLayout>

namespace {

constexpr int ChoicesRole = Qt::UserRole + 1;

// The drop-down list over the replacement cell: it offers the row's choices and writes the
// chosen entry into the cell.
class ReplacementDelegate : public QStyledItemDelegate {
public:
  using QStyledItemDelegate::QStyledItemDelegate;
  QWidget *createEditor(QWidget *parent, const QStyleOptionViewItem &,
                        const QModelIndex &index) const override {
    auto *list = new QComboBox(parent);
    list->setObjectName(QStringLiteral("cmbReplacement"));
    list->addItems(index.data(ChoicesRole).toStringList());
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
  setWindowTitle(QStringLiteral(" Data Model Synchronization"));
  setWindowFlags(windowFlags() | Qt::WindowStaysOnTopHint | Qt::MSWindowsFixedSizeDialogHint);

  labTitle = new QLabel(SyncCaption(mode), this);
  labLeft =
      new QLabel(QStringLiteral("The left column below displays the unmatched aliases."), this);
  labRight = new QLabel(QStringLiteral("Use the right column to select their replacement."), this);
  grdSync = new QTableWidget(MinimumRows, 4, this);
  grdSync->setObjectName(QStringLiteral("grdSync"));
  grdSync->horizontalHeader()->hide();
  grdSync->verticalHeader()->hide();
  grdSync->setColumnWidth(0, 169);
  grdSync->setColumnWidth(1, 157);
  grdSync->setColumnHidden(2, true);
  grdSync->setColumnHidden(3, true);
  grdSync->setSelectionMode(QAbstractItemView::SingleSelection);
  grdSync->setEditTriggers(QAbstractItemView::CurrentChanged | QAbstractItemView::DoubleClicked |
                           QAbstractItemView::SelectedClicked);
  grdSync->setItemDelegateForColumn(1, new ReplacementDelegate(grdSync));
  grdSync->setMinimumWidth(169 + 157 + 24);

  cmdOk = new QPushButton(QStringLiteral("&OK"), this);
  cmdOk->setDefault(true);
  cmdCancel = new QPushButton(QStringLiteral("&Cancel"), this);
  cmdHelp = new QPushButton(QStringLiteral("&Help"), this);
  connect(cmdOk, &QPushButton::clicked, this, &TfrmZelSync::cmdOkClick);
  connect(cmdCancel, &QPushButton::clicked, this, &QDialog::reject);
  connect(cmdHelp, &QPushButton::clicked, this, &TfrmZelSync::cmdHelpClick);

  auto *buttons = new QHBoxLayout;
  buttons->addStretch();
  buttons->addWidget(cmdOk);
  buttons->addWidget(cmdCancel);
  buttons->addWidget(cmdHelp);
  auto *layout = new QVBoxLayout(this);
  layout->addWidget(labTitle);
  layout->addWidget(labLeft);
  layout->addWidget(labRight);
  layout->addWidget(grdSync);
  layout->addLayout(buttons);
  layout->setSizeConstraint(QLayout::SetFixedSize);
  SetRows({});
}

void TfrmZelSync::SetRows(const QList<TzelSyncRow> &rows) {
  m_rows = rows;
  grdSync->clearContents();
  grdSync->setRowCount(std::max<int>(MinimumRows, int(rows.size())));
  for (int row = 0; row < grdSync->rowCount(); ++row) {
    const TzelSyncRow data = rows.value(row);
    const bool live = !IsBlank(data.name);
    const Qt::ItemFlags fixed = live ? Qt::ItemIsEnabled | Qt::ItemIsSelectable : Qt::NoItemFlags;
    const QStringList texts{data.name, data.replacement, data.tableAlias, data.valueAlias};
    for (int column = 0; column < 4; ++column) {
      auto *item = new QTableWidgetItem(texts[column]);
      item->setFlags(column == 1 && live ? fixed | Qt::ItemIsEditable : fixed);
      if (column == 1)
        item->setData(ChoicesRole, data.choices);
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

void TfrmZelSync::cmdOkClick() {
  grdSync->setCurrentIndex(QModelIndex()); // commits a choice still in its list
  const QString message = CheckSyncRows(Rows());
  if (!message.isEmpty()) {
    zelShowError(message);
    return;
  }
  accept();
}

void TfrmZelSync::cmdHelpClick() {
  if (m_model)
    m_model->ShowHelp(0, 59);
}

void TfrmZelSync::keyPressEvent(QKeyEvent *event) {
  if (event->key() == Qt::Key_F1) {
    cmdHelpClick();
    return;
  }
  QDialog::keyPressEvent(event);
}

void TfrmZelSync::showEvent(QShowEvent *event) {
  QDialog::showEvent(event);
  if (const QScreen *screen = QGuiApplication::primaryScreen())
    move(screen->availableGeometry().center() - rect().center());
  if (!m_rows.isEmpty())
    grdSync->setCurrentCell(0, 1);
}

bool TfrmZelSyncPrompt::askReplacements(TzelSyncMode mode, QList<TzelSyncRow> &rows,
                                        TzelModel &model) {
  TfrmZelSync dialog(mode, &model);
  dialog.SetRows(rows);
  if (dialog.exec() != QDialog::Accepted)
    return false;
  rows = dialog.Rows();
  return true;
}
