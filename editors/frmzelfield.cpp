// SPDX-License-Identifier: MIT
#include "editors/frmzelfield.h"

#include "controls/glyphs.h"
#include "controls/stringgrid.h"
#include "controls/windowhelpers.h"
#include "dialogs/guiscreen.h"
#include "editors/tablelist.h"
#include "messages/zelmessages.h"
#include "model/vocabulary.h"
#include "model/zelmodel.h"

#include <QApplication>
#include <QComboBox>
#include <QDrag>
#include <QDragEnterEvent>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QKeyEvent>
#include <QMimeData>
#include <QPainter>
#include <QScrollBar>
#include <QStyledItemDelegate>
#include <QToolButton>
#include <QVBoxLayout>
#include <algorithm>

namespace {

constexpr int RowHeight = 19;
constexpr int TitlePadding = 6;
const QString DefaultSize = QStringLiteral("25");

// Column 0 shows a grip: the place to take a row by.
class HandleDelegate : public QStyledItemDelegate {
public:
  using QStyledItemDelegate::QStyledItemDelegate;
  void paint(QPainter *painter, const QStyleOptionViewItem &option,
             const QModelIndex &index) const override {
    QStyledItemDelegate::paint(painter, option, index);
    painter->save();
    painter->setPen(option.palette.color(QPalette::Mid));
    const int x = option.rect.center().x();
    for (int dy = -3; dy <= 3; dy += 3)
      painter->drawLine(x - 3, option.rect.center().y() + dy, x + 2, option.rect.center().y() + dy);
    painter->restore();
  }
};

QToolButton *toolButton(const QString &name, const QString &hint, const QString &glyph,
                        QWidget *parent) {
  return zelToolbarButton(name, hint, zelGlyph(glyph), QSize(24, 24), parent);
}

QComboBox *cellCombo(const QString &name, const QString &accessibleName, const QStringList &items,
                     QWidget *parent) {
  auto *combo = new QComboBox(parent);
  combo->setObjectName(name);
  combo->setAccessibleName(accessibleName);
  combo->addItems(items);
  combo->setMaxVisibleItems(12);
  combo->hide();
  return combo;
}

Qt::ItemFlags cellFlags(int column) {
  switch (column) {
  case TfrmZelField::colAlias:
  case TfrmZelField::colName:
  case TfrmZelField::colSize:
  case TfrmZelField::colFormat:
    return Qt::ItemIsEnabled | Qt::ItemIsSelectable | Qt::ItemIsEditable;
  case TfrmZelField::colTypeIndex:
  case TfrmZelField::colAlignIndex:
    return Qt::ItemIsEnabled;
  default:
    return Qt::ItemIsEnabled | Qt::ItemIsSelectable;
  }
}

// Sizes are whole numbers a field can hold.
bool validSize(const QString &text, int &size) {
  bool ok = false;
  size = text.trimmed().toInt(&ok);
  return ok && size >= 0 && size <= 65535;
}

QString typeName(int ordinal) {
  QStringList names;
  FieldTypeNames(names);
  return names.value(ordinal);
}

// The live fields in Position order (ties in list order), so that every live field shows.
QList<int> liveFieldsInOrder(const TzelTable &table) {
  QList<int> indices;
  for (int i = 0; i < table.FieldCount(); ++i)
    if (!table.GetField(i)->Deleted())
      indices << i;
  std::stable_sort(indices.begin(), indices.end(), [&table](int a, int b) {
    return table.GetField(a)->Position() < table.GetField(b)->Position();
  });
  return indices;
}

// The keys that open a combo box's list, also while the grid has the focus.
bool opensCombo(const QKeyEvent &key) {
  return key.key() == Qt::Key_F4 || key.key() == Qt::Key_Space ||
         (key.key() == Qt::Key_Down && key.modifiers().testFlag(Qt::AltModifier));
}

} // namespace

TzelFieldGrid::TzelFieldGrid(QWidget *parent) : QTableWidget(parent) {
  viewport()->setAcceptDrops(true);
}

QString TzelFieldGrid::mimeType() {
  return QStringLiteral("application/x-pellox-field-row");
}

int TzelFieldGrid::dropRow(const QPoint &pos) const {
  return rowAt(pos.y());
}

void TzelFieldGrid::mousePressEvent(QMouseEvent *event) {
  const QModelIndex at = indexAt(event->position().toPoint());
  m_pressedRow =
      event->button() == Qt::LeftButton && at.isValid() && at.column() == TfrmZelField::colHandle
          ? at.row()
          : -1;
  m_pressPos = event->position().toPoint();
  QTableWidget::mousePressEvent(event);
}

void TzelFieldGrid::mouseMoveEvent(QMouseEvent *event) {
  if (m_pressedRow < 0 || !(event->buttons() & Qt::LeftButton) ||
      (event->position().toPoint() - m_pressPos).manhattanLength() <
          QApplication::startDragDistance()) {
    QTableWidget::mouseMoveEvent(event);
    return;
  }
  auto *mime = new QMimeData;
  mime->setData(mimeType(), QByteArray::number(m_pressedRow));
  auto *drag = new QDrag(this);
  drag->setMimeData(mime);
  m_pressedRow = -1;
  drag->exec(Qt::MoveAction);
}

// Only rows of this dialog's grid carry the MIME type.
void TzelFieldGrid::dragEnterEvent(QDragEnterEvent *event) {
  if (event->mimeData()->hasFormat(mimeType()))
    event->acceptProposedAction();
  else
    event->ignore();
}

void TzelFieldGrid::dragMoveEvent(QDragMoveEvent *event) {
  if (event->mimeData()->hasFormat(mimeType()) && dropRow(event->position().toPoint()) >= 0)
    event->acceptProposedAction();
  else
    event->ignore();
}

void TzelFieldGrid::dropEvent(QDropEvent *event) {
  const int to = dropRow(event->position().toPoint());
  if (!event->mimeData()->hasFormat(mimeType()) || to < 0) {
    event->ignore();
    return;
  }
  bool ok = false;
  const int from = event->mimeData()->data(mimeType()).toInt(&ok);
  event->acceptProposedAction();
  if (ok && from != to)
    emit rowDropped(from, to);
}

TfrmZelField::TfrmZelField(QWidget *parent) : QDialog(parent) {
  setObjectName(QStringLiteral("frmZelField"));
  setWindowFlags(Qt::Dialog | Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
                 Qt::WindowCloseButtonHint | Qt::WindowStaysOnTopHint);
  setWindowTitle(QStringLiteral("Edit Fields: "));

  panToolbar = new QWidget(this);
  panToolbar->setObjectName(QStringLiteral("panToolbar"));
  cmdAddField = toolButton(QStringLiteral("cmdAddField"), QStringLiteral("Add Field"),
                           QStringLiteral("ZEL_TOOLBAR_ADD_VALUE"), panToolbar);
  cmdRemoveField = toolButton(QStringLiteral("cmdRemoveField"), QStringLiteral("Remove Field"),
                              QStringLiteral("ZEL_TOOLBAR_REMOVE_VALUE"), panToolbar);
  cmdRenameTable = toolButton(QStringLiteral("cmdRenameTable"), QStringLiteral("Rename Table"),
                              QStringLiteral("ZEL_TOOLBAR_RENAME_TABLE"), panToolbar);
  cmdHelp = toolButton(QStringLiteral("cmdHelp"), QStringLiteral("Help"),
                       QStringLiteral("ZEL_TOOLBAR_HELP"), panToolbar);
  auto *tools = new QHBoxLayout(panToolbar);
  tools->setContentsMargins(2, 2, 2, 2);
  tools->setSpacing(1);
  for (QToolButton *b : {cmdAddField, cmdRemoveField, cmdRenameTable, cmdHelp})
    tools->addWidget(b);
  tools->addStretch();
  SetButtonsFlat(*panToolbar);

  grdFields = new TzelFieldGrid(this);
  grdFields->setObjectName(QStringLiteral("grdFields"));
  grdFields->setAccessibleName(QStringLiteral("Fields"));
  grdFields->setColumnCount(colCount);
  grdFields->setHorizontalHeaderLabels({QString(), "Field Alias", "Field Name", "Type", "Size",
                                        "Alignment", "Format", "Field Index", "Type Index",
                                        "Align Index"});
  grdFields->horizontalHeader()->setHighlightSections(false);
  grdFields->verticalHeader()->hide();
  grdFields->verticalHeader()->setMinimumSectionSize(0);
  grdFields->verticalHeader()->setDefaultSectionSize(RowHeight);
  grdFields->setFrameShape(QFrame::NoFrame);
  grdFields->setSelectionMode(QAbstractItemView::SingleSelection);
  grdFields->setWordWrap(false);
  grdFields->setItemDelegateForColumn(colHandle, new HandleDelegate(grdFields));
  // The designed widths, widened where a title would be cut in the screen's font.
  const int widths[] = {12, 170, 172, 79, 64, 55, 123};
  const QFontMetrics titles(grdFields->horizontalHeader()->font());
  int visibleWidth = 0;
  for (int column = 0; column < colFieldIndex; ++column) {
    const QString title = grdFields->horizontalHeaderItem(column)->text();
    const int width =
        title.isEmpty() ? widths[column]
                        : qMax(widths[column], titles.horizontalAdvance(title) + 2 * TitlePadding);
    grdFields->setColumnWidth(column, width);
    visibleWidth += width;
  }
  grdFields->horizontalHeader()->setMinimumSectionSize(12);
  grdFields->horizontalHeader()->resizeSection(colHandle, 12);
  for (int column = colFieldIndex; column < colCount; ++column)
    grdFields->setColumnHidden(column, true);
  zelSetGridEditing(*grdFields, true);
  grdFields->installEventFilter(this);

  QStringList types;
  FieldTypeNames(types);
  cmbType = cellCombo(QStringLiteral("cmbType"), QStringLiteral("Field type"), types,
                      grdFields->viewport());
  cmbAlign = cellCombo(QStringLiteral("cmbAlign"), QStringLiteral("Alignment"),
                       {"Left", "Right", "Center"}, grdFields->viewport());
  // The two combo columns are as wide as their combos, so a combo never covers its neighbour.
  for (auto [column, combo] :
       {std::pair{int(colType), cmbType}, std::pair{int(colAlign), cmbAlign}}) {
    const int wanted = combo->sizeHint().width() - 2;
    if (grdFields->columnWidth(column) < wanted) {
      visibleWidth += wanted - grdFields->columnWidth(column);
      grdFields->setColumnWidth(column, wanted);
    }
  }

  auto *layout = new QVBoxLayout(this);
  layout->setContentsMargins(0, 0, 0, 0);
  layout->setSpacing(0);
  layout->addWidget(panToolbar);
  layout->addWidget(grdFields, 1);
  resize(visibleWidth + grdFields->verticalScrollBar()->sizeHint().width() + 2,
         panToolbar->sizeHint().height() + 14 * RowHeight);

  connect(cmdAddField, &QToolButton::clicked, this, &TfrmZelField::cmdAddFieldClick);
  connect(cmdRemoveField, &QToolButton::clicked, this, &TfrmZelField::cmdRemoveFieldClick);
  connect(cmdRenameTable, &QToolButton::clicked, this, &TfrmZelField::cmdRenameTableClick);
  connect(cmdHelp, &QToolButton::clicked, this, &TfrmZelField::cmdHelpClick);
  connect(grdFields, &QTableWidget::currentCellChanged, this,
          &TfrmZelField::grdFieldsCurrentCellChanged);
  connect(grdFields, &QTableWidget::itemChanged, this, &TfrmZelField::setModified);
  connect(grdFields, &TzelFieldGrid::rowDropped, this, &TfrmZelField::grdFieldsDragDrop);
  connect(grdFields->verticalScrollBar(), &QScrollBar::valueChanged, this,
          &TfrmZelField::hideCombos);
  connect(grdFields->horizontalScrollBar(), &QScrollBar::valueChanged, this,
          &TfrmZelField::hideCombos);
  connect(grdFields->horizontalHeader(), &QHeaderView::sectionResized, this,
          &TfrmZelField::placeCombo);
  connect(cmbType, &QComboBox::activated, this, &TfrmZelField::cmbTypeActivated);
  connect(cmbAlign, &QComboBox::activated, this, &TfrmZelField::cmbAlignActivated);
  zelF1Clicks(*this, *cmdHelp);
}

void TfrmZelField::setModel(TzelModel *model) {
  m_model = model;
}

void TfrmZelField::setTable(int tableIndex, TzelTableList *fieldList) {
  m_tableIndex = tableIndex;
  m_fieldList = fieldList;
}

TzelTable *TfrmZelField::table() const {
  if (!m_model || m_tableIndex < 0 || m_tableIndex >= m_model->TableCount())
    return nullptr;
  return m_model->GetTable(m_tableIndex);
}

QString TfrmZelField::tableAlias() const {
  const TzelTable *t = table();
  return t ? t->TableAlias() : QString();
}

int TfrmZelField::fieldRowCount() const {
  return grdFields->rowCount();
}

QString TfrmZelField::cell(int row, int column) const {
  return zelCellText(*grdFields, row, column);
}

// Writes done by the dialog itself; only the user's edits set Modified.
void TfrmZelField::setCell(int row, int column, const QString &text) {
  const bool loading = std::exchange(m_loading, true);
  if (QTableWidgetItem *item = grdFields->item(row, column)) {
    item->setText(text);
  } else {
    auto *created = new QTableWidgetItem(text);
    created->setFlags(cellFlags(column));
    grdFields->setItem(row, column, created);
  }
  m_loading = loading;
}

void TfrmZelField::setModified() {
  if (!m_loading)
    Modified = true;
}

void TfrmZelField::fillRow(int row, int fieldIndex) {
  const TzelField *field = table()->GetField(fieldIndex);
  const QStringList texts{QString(),
                          field->FieldAlias(),
                          field->FieldName(),
                          typeName(field->DataType()),
                          QString::number(field->DataSize()),
                          AlignmentDisplayText(field->Alignment()),
                          field->Format(),
                          QString::number(fieldIndex),
                          QString::number(int(field->DataType())),
                          QString::number(int(field->Alignment()))};
  for (int column = 0; column < colCount; ++column)
    setCell(row, column, texts[column]);
}

void TfrmZelField::LoadFields() {
  const bool loading = std::exchange(m_loading, true);
  hideCombos();
  grdFields->setRowCount(0);
  setWindowTitle(QStringLiteral("Edit Fields: ") + tableAlias());
  if (const TzelTable *t = table()) {
    const QList<int> fields = liveFieldsInOrder(*t);
    grdFields->setRowCount(int(fields.size()));
    for (int row = 0; row < fields.size(); ++row)
      fillRow(row, fields[row]);
  }
  if (grdFields->rowCount() > 0)
    grdFields->setCurrentCell(0, colAlias);
  m_loading = loading;
  Modified = false;
}

bool TfrmZelField::checkRow(int row, int &badColumn) {
  const QString alias = cell(row, colAlias);
  const auto fail = [&badColumn](int column, const QString &message) {
    badColumn = column;
    zelShowError(message);
    return false;
  };
  if (IsBlank(cell(row, colSize)))
    setCell(row, colSize, DefaultSize);
  int size = 0;
  if (!validSize(cell(row, colSize), size))
    return fail(colSize, QStringLiteral("Error: The [") + alias +
                             QStringLiteral("] field contains an invalid size."));
  if (cell(row, colTypeIndex).toInt() == ftString && size == 0)
    return fail(colSize, QStringLiteral("Error: The [") + alias +
                             QStringLiteral("] field cannot have a size of 0."));
  const QString rowNumber = QString::number(row + 1);
  if (IsBlank(alias))
    return fail(colAlias, QStringLiteral("Error: Row ") + rowNumber +
                              QStringLiteral(" contains a blank field alias."));
  if (IsBlank(cell(row, colName)))
    return fail(colName, QStringLiteral("Error: Row ") + rowNumber +
                             QStringLiteral(" contains a blank field name."));
  for (int other = 0; other < grdFields->rowCount(); ++other)
    if (other != row && zelSameText(cell(other, colAlias), alias))
      return fail(colAlias, QStringLiteral("Error: The [") + alias +
                                QStringLiteral("] field alias is not unique."));
  return true;
}

bool TfrmZelField::CheckFields() {
  for (int row = 0; row < grdFields->rowCount(); ++row) {
    int badColumn = colAlias;
    if (!checkRow(row, badColumn)) {
      grdFields->setCurrentCell(row, badColumn);
      return false;
    }
  }
  return true;
}

void TfrmZelField::saveRow(int row) {
  TzelTable *t = table();
  TzelField *field = t->GetField(cell(row, colFieldIndex).toInt());
  field->SetFieldName(cell(row, colName));
  field->SetDataType(TFieldType(cell(row, colTypeIndex).toInt()));
  field->SetDataSize(cell(row, colSize).trimmed().toInt());
  field->SetAlignment(TAlignment(cell(row, colAlignIndex).toInt()));
  field->SetFormat(cell(row, colFormat).left(TzelFormat::MaxLength));
  field->SetPosition(row);
}

bool TfrmZelField::SaveFields() {
  TzelTable *t = table();
  if (!t)
    return false;
  for (int row = 0; row < grdFields->rowCount(); ++row) {
    const bool added = IsBlank(cell(row, colFieldIndex));
    if (added)
      setCell(row, colFieldIndex,
              QString::number(t->AddField(QStringLiteral("tmp"), QStringLiteral("tmp"), ftString,
                                          DefaultSize.toInt())));
    const int fieldIndex = cell(row, colFieldIndex).toInt();
    try {
      if (!m_model->RenameFieldAlias(m_tableIndex, fieldIndex, cell(row, colAlias)))
        break;
      saveRow(row);
    } catch (const EzelError &e) {
      // A field added for this row and not named yet would stay behind as "tmp".
      if (added) {
        t->GetField(fieldIndex)->SetDeleted(true);
        setCell(row, colFieldIndex, QString());
      }
      zelShowError(e.message());
      grdFields->setCurrentCell(row, colAlias);
      // The rows saved so far stay saved: the table window must show them.
      refreshFieldList();
      return false;
    }
  }
  refreshFieldList();
  Modified = false;
  return true;
}

void TfrmZelField::refreshFieldList() {
  const TzelTable *t = table();
  if (m_fieldList && t) {
    QStringList aliases;
    for (int index : liveFieldsInOrder(*t))
      aliases << t->GetField(index)->FieldAlias();
    m_fieldList->setFieldAliases(aliases);
  }
  emit fieldsSaved();
}

bool TfrmZelField::FormCloseQuery() {
  // Commits a value still in its cell editor.
  const QModelIndex at = grdFields->currentIndex();
  grdFields->setCurrentIndex(QModelIndex());
  grdFields->setCurrentIndex(at);
  if (!Modified)
    return true;
  if (!CheckFields())
    return false;
  switch (zelMessageBox(QStringLiteral("Save changes to the [") + tableAlias() +
                            QStringLiteral("] table?"),
                        TzelMessageKind::Confirmation, TzelButtons::YesNoCancel)) {
  case TzelAnswer::No:
    return true;
  case TzelAnswer::Yes:
    return SaveFields();
  default:
    return false;
  }
}

void TfrmZelField::reject() {
  if (FormCloseQuery()) {
    hideCombos();
    QDialog::reject();
  }
}

void TfrmZelField::cmdAddFieldClick() {
  const bool loading = std::exchange(m_loading, true);
  hideCombos();
  zelInsertGridRow(*grdFields, true);
  const int row =
      grdFields->currentRow() < 0 ? grdFields->rowCount() - 1 : grdFields->currentRow() + 1;
  const QStringList texts{QString(),
                          QString(),
                          QString(),
                          typeName(ftString),
                          DefaultSize,
                          QStringLiteral("Left"),
                          QString(),
                          QString(),
                          QString::number(int(ftString)),
                          QString::number(int(taLeftJustify))};
  for (int column = 0; column < colCount; ++column)
    setCell(row, column, texts[column]);
  m_loading = loading;
  grdFields->setCurrentCell(row, colAlias);
}

void TfrmZelField::cmdRemoveFieldClick() {
  const int row = grdFields->currentRow();
  if (row < 0)
    return;
  if (grdFields->rowCount() == 1) {
    zelShowError(QStringLiteral("The table must have at least one field"));
    return;
  }
  hideCombos();
  if (IsBlank(cell(row, colFieldIndex))) {
    zelDeleteGridRow(*grdFields);
    return;
  }
  if (zelMessageBox(QStringLiteral("Remove [") + cell(row, colAlias) +
                        QStringLiteral("] from the [") + tableAlias() + QStringLiteral("] table?"),
                    TzelMessageKind::Confirmation, TzelButtons::YesNo) != TzelAnswer::Yes)
    return;
  if (TzelTable *t = table())
    t->GetField(cell(row, colFieldIndex).toInt())->SetDeleted(true);
  zelDeleteGridRow(*grdFields);
  Modified = true;
  // The field is gone from the model now, whatever the user answers on closing.
  refreshFieldList();
}

void TfrmZelField::cmdRenameTableClick() {
  if (onRenameTable)
    onRenameTable();
  setWindowTitle(QStringLiteral("Edit Fields: ") + tableAlias());
}

void TfrmZelField::cmdHelpClick() {
  if (m_model)
    m_model->ShowHelp(0, 12);
}

void TfrmZelField::grdFieldsDragDrop(int from, int to) {
  const int rows = grdFields->rowCount();
  if (from == to || from < 0 || to < 0 || from >= rows || to >= rows)
    return;
  hideCombos();
  zelMoveGridRow(*grdFields, from, to);
  grdFields->setCurrentCell(to, colAlias);
  Modified = true;
}

void TfrmZelField::hideCombos() {
  cmbType->hide();
  cmbAlign->hide();
}

void TfrmZelField::grdFieldsCurrentCellChanged(int row, int column) {
  hideCombos();
  if (row >= 0 && (column == colType || column == colAlign))
    grdFields->scrollToItem(grdFields->item(row, column)); // before the combo takes its place
  placeCombo();
}

void TfrmZelField::placeCombo() {
  const int row = grdFields->currentRow();
  const int column = grdFields->currentColumn();
  QComboBox *combo = column == colType ? cmbType : column == colAlign ? cmbAlign : nullptr;
  if (row < 0 || !combo)
    return;
  // The combo covers the cell's grid lines too, and never cuts its own items.
  zelPlaceComboOverCell(*grdFields, *combo, row, column, QPoint(-1, -1), 2);
}

void TfrmZelField::cmbTypeActivated(int index) {
  const int row = grdFields->currentRow();
  if (row < 0 || !cmbType->isVisible())
    return;
  setCell(row, colType, cmbType->itemText(index));
  setCell(row, colTypeIndex, QString::number(index));
  Modified = true;
  grdFields->setFocus();
}

void TfrmZelField::cmbAlignActivated(int index) {
  const int row = grdFields->currentRow();
  if (row < 0 || !cmbAlign->isVisible())
    return;
  setCell(row, colAlign, cmbAlign->itemText(index));
  setCell(row, colAlignIndex, QString::number(index));
  Modified = true;
  grdFields->setFocus();
}

bool TfrmZelField::eventFilter(QObject *watched, QEvent *event) {
  if (watched == grdFields && event->type() == QEvent::KeyRelease)
    setModified();
  if (watched == grdFields && event->type() == QEvent::KeyPress &&
      opensCombo(*static_cast<QKeyEvent *>(event)))
    for (QComboBox *combo : {cmbType, cmbAlign})
      if (combo->isVisible()) {
        combo->setFocus();
        combo->showPopup();
        return true;
      }
  return QDialog::eventFilter(watched, event);
}

void TfrmZelField::showEvent(QShowEvent *event) {
  QDialog::showEvent(event);
  zelCentreOnScreen(*this);
  placeCombo();
}
