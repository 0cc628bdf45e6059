// SPDX-License-Identifier: MIT
#include "controls/stringgrid.h"

#include "model/zeltypes.h"

#include <QComboBox>
#include <QHeaderView>
#include <QLabel>
#include <QPaintEvent>
#include <QPainter>
#include <QScrollBar>
#include <QSignalBlocker>

TzelStringGrid::TzelStringGrid(QWidget *parent) : QTableWidget(parent) {
  // By pixels: scrolled by whole columns, the first one beside the titles would hide under them.
  setHorizontalScrollMode(QAbstractItemView::ScrollPerPixel);
}

bool TzelStringGrid::titlesOverlap() const {
  return columnCount() > 0 && !isColumnHidden(0) && columnViewportPosition(0) != 0;
}

QRect TzelStringGrid::titleCell(int row) const {
  return QRect(0, rowViewportPosition(row), columnWidth(0), rowHeight(row));
}

int TzelStringGrid::columnUnder(int x) const {
  if (titlesOverlap() && x >= 0 && x < columnWidth(0))
    return 0;
  return columnAt(x);
}

QModelIndex TzelStringGrid::indexAt(const QPoint &point) const {
  if (!titlesOverlap() || point.x() < 0 || point.x() >= columnWidth(0))
    return QTableWidget::indexAt(point);
  const int row = rowAt(point.y());
  return row < 0 ? QModelIndex() : model()->index(row, 0, rootIndex());
}

QRect TzelStringGrid::visualRect(const QModelIndex &index) const {
  if (index.isValid() && index.column() == 0 && titlesOverlap() && !isRowHidden(index.row()))
    return titleCell(index.row());
  return QTableWidget::visualRect(index);
}

void TzelStringGrid::scrollTo(const QModelIndex &index, ScrollHint hint) {
  QTableWidget::scrollTo(index, hint);
  if (!index.isValid() || index.column() < 1 || isColumnHidden(0))
    return;
  // A cell that came to rest under the titles moves out beside them.
  const int hidden = columnWidth(0) - columnViewportPosition(index.column());
  if (hidden > 0)
    horizontalScrollBar()->setValue(horizontalScrollBar()->value() - hidden);
}

void TzelStringGrid::scrollContentsBy(int dx, int dy) {
  QTableWidget::scrollContentsBy(dx, dy);
  if (dx != 0) // the scrolled pixels carried the titles along: draw them where they stay
    viewport()->update();
}

void TzelStringGrid::paintEvent(QPaintEvent *event) {
  QTableWidget::paintEvent(event);
  if (!titlesOverlap())
    return;
  QPainter painter(viewport());
  QStyleOptionViewItem option;
  initViewItemOption(&option);
  const QColor lines =
      QColor::fromRgba(uint(style()->styleHint(QStyle::SH_Table_GridLineColor, &option, this)));
  const int first = qMax(0, rowAt(event->rect().top()));
  int last = rowAt(event->rect().bottom());
  if (last < 0)
    last = rowCount() - 1;
  for (int row = first; row <= last; ++row) {
    if (isRowHidden(row))
      continue;
    const QRect cell = titleCell(row);
    const QModelIndex index = model()->index(row, 0, rootIndex());
    painter.fillRect(cell, palette().base());
    option.rect = cell.adjusted(0, 0, showGrid() ? -1 : 0, showGrid() ? -1 : 0);
    option.state = QStyle::State_Enabled;
    itemDelegateForIndex(index)->paint(&painter, option, index);
    if (showGrid()) {
      painter.setPen(lines);
      painter.drawLine(cell.right(), cell.top(), cell.right(), cell.bottom());
      painter.drawLine(cell.left(), cell.bottom(), cell.right(), cell.bottom());
    }
  }
}

void zelInsertGridRow(QTableWidget &grid, bool below) {
  int row = grid.currentRow();
  if (row < 0)
    row = grid.rowCount();
  else if (below)
    ++row;
  const QString first = zelCellText(grid, row, 0);
  grid.insertRow(row);
  if (!first.isEmpty())
    zelSetCellText(grid, row, 0, first);
}

void zelInsertGridColumn(QTableWidget &grid, int column) {
  grid.insertColumn(qBound(0, column, grid.columnCount()));
}

void zelDeleteGridRow(QTableWidget &grid) {
  const int row = grid.currentRow();
  if (row >= 0 && row < grid.rowCount())
    grid.removeRow(row);
}

void zelDeleteGridColumn(QTableWidget &grid, int column) {
  if (column >= 0 && column < grid.columnCount())
    grid.removeColumn(column);
}

void zelClearGridFrom(QTableWidget &grid, int column, int row) {
  for (int r = qMax(0, row); r < grid.rowCount(); ++r)
    for (int c = qMax(0, column); c < grid.columnCount(); ++c)
      delete grid.takeItem(r, c);
}

void zelMoveGridRow(QTableWidget &grid, int from, int to) {
  const int rows = grid.rowCount();
  if (from == to || from < 0 || to < 0 || from >= rows || to >= rows)
    return;
  QList<QTableWidgetItem *> moved;
  for (int c = 0; c < grid.columnCount(); ++c)
    moved << grid.takeItem(from, c);
  grid.removeRow(from);
  grid.insertRow(to);
  for (int c = 0; c < grid.columnCount(); ++c)
    if (moved[c])
      grid.setItem(to, c, moved[c]);
}

QString zelCellText(const QTableWidget &grid, int row, int column) {
  const QTableWidgetItem *item = grid.item(row, column);
  return item ? item->text() : QString();
}

void zelSetCellText(QTableWidget &grid, int row, int column, const QString &text) {
  if (QTableWidgetItem *item = grid.item(row, column))
    item->setText(text);
  else
    grid.setItem(row, column, new QTableWidgetItem(text));
}

void zelSetGridEditing(QTableWidget &grid, bool editing, bool alwaysShow) {
  QAbstractItemView::EditTriggers triggers = QAbstractItemView::NoEditTriggers;
  if (editing)
    triggers = QAbstractItemView::DoubleClicked | QAbstractItemView::EditKeyPressed |
               QAbstractItemView::AnyKeyPressed | QAbstractItemView::SelectedClicked;
  if (editing && alwaysShow)
    triggers |= QAbstractItemView::CurrentChanged;
  grid.setEditTriggers(triggers);
}

void zelCommitCellEditor(QTableWidget &grid) {
  const QModelIndex current = grid.currentIndex();
  QWidget *editor = current.isValid() ? grid.indexWidget(current) : nullptr;
  if (editor)
    grid.itemDelegateForIndex(current)->setModelData(editor, grid.model(), current);
}

void zelPlaceOverCell(QTableWidget &grid, QWidget &editor, int row, int column, QPoint offset,
                      int extraWidth) {
  if (editor.parentWidget() != grid.viewport())
    editor.setParent(grid.viewport());
  QRect cell = grid.visualRect(grid.model()->index(row, column));
  cell.translate(offset);
  cell.setWidth(cell.width() + extraWidth);
  editor.setGeometry(cell);
  editor.show();
  editor.raise();
}

void zelSelectComboText(QComboBox &combo, const QString &text) {
  const QSignalBlocker blocker(combo);
  combo.setCurrentIndex(combo.findText(text, Qt::MatchFixedString | Qt::MatchCaseSensitive));
}

void zelPlaceComboOverCell(QTableWidget &grid, QComboBox &combo, int row, int column, QPoint offset,
                           int extraWidth) {
  zelSelectComboText(combo, zelCellText(grid, row, column));
  zelPlaceOverCell(grid, combo, row, column, offset, extraWidth);
}

namespace {
const QString kEditorLabel = QStringLiteral("zelCellEditorLabel");

// Names its buddy for screen readers and draws nothing: the title cell below it shows the
// title already, and a second copy over it would not line up.
class CellEditorLabel : public QLabel {
public:
  using QLabel::QLabel;

protected:
  void paintEvent(QPaintEvent *) override {}
};

QList<QLabel *> editorLabels(const QTableWidget &grid) {
  return grid.viewport()->findChildren<QLabel *>(kEditorLabel, Qt::FindDirectChildrenOnly);
}

QLabel *editorLabel(QTableWidget &grid, QWidget &editor) {
  for (QLabel *label : editorLabels(grid))
    if (label->buddy() == &editor)
      return label;
  auto *label = new CellEditorLabel(grid.viewport());
  label->setObjectName(kEditorLabel);
  label->setAttribute(Qt::WA_TransparentForMouseEvents);
  label->setBuddy(&editor);
  return label;
}
} // namespace

void zelLabelCellEditor(QTableWidget &grid, QWidget &editor, int row, int titleColumn) {
  zelHideCellEditorLabel(grid);
  QLabel *label = editorLabel(grid, editor);
  label->setText(zelCellText(grid, row, titleColumn).trimmed());
  label->setGeometry(grid.visualRect(grid.model()->index(row, titleColumn)));
  label->show();
}

void zelHideCellEditorLabel(QTableWidget &grid) {
  for (QLabel *label : editorLabels(grid))
    label->hide();
}

int zelSpinCellValue(QTableWidget &grid, int row, int column) {
  if (IsBlank(zelCellText(grid, row, column)))
    zelSetCellText(grid, row, column, QStringLiteral("1"));
  return zelCellText(grid, row, column).trimmed().toInt();
}
