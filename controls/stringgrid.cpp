#include "controls/stringgrid.h"

#include "model/zeltypes.h"

#include <QComboBox>
#include <QSignalBlocker>
#include <QTableWidget>

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

int zelSpinCellValue(QTableWidget &grid, int row, int column) {
  if (IsBlank(zelCellText(grid, row, column)))
    zelSetCellText(grid, row, column, QStringLiteral("1"));
  return zelCellText(grid, row, column).trimmed().toInt();
}
