// SPDX-License-Identifier: MIT
#pragma once
// Operations on a QTableWidget used as a string grid by the editors: rows and columns
// inserted, deleted, moved and cleared with the cells following them shifted, in-place
// editing switched, and editors laid over a cell.

#include "zelwidgets_export.h"

#include <QPoint>
#include <QString>
#include <QTableWidget>

class QComboBox;
class QWidget;

// A string grid whose first column holds row titles and stays in place when the grid
// scrolls sideways, as the fixed column of a grid does: the other columns slide under it.
class ZELWIDGETS_EXPORT TzelStringGrid : public QTableWidget {
  Q_OBJECT
public:
  explicit TzelStringGrid(QWidget *parent = nullptr);

  // The column under the viewport position x: 0 wherever the title column is drawn.
  int columnUnder(int x) const;
  QModelIndex indexAt(const QPoint &point) const override;
  QRect visualRect(const QModelIndex &index) const override;
  void scrollTo(const QModelIndex &index, ScrollHint hint = EnsureVisible) override;

protected:
  void paintEvent(QPaintEvent *event) override;
  void scrollContentsBy(int dx, int dy) override;

private:
  bool titlesOverlap() const; // scrolled: the title column is drawn over other cells
  QRect titleCell(int row) const;
};

// Inserts an empty row at the current row (below it when below is true; at the end when
// there is no current row). Column 0 of the new row keeps the text that was at that row
// before the insert; its other cells are empty.
ZELWIDGETS_EXPORT void zelInsertGridRow(QTableWidget &grid, bool below = false);
// Inserts an empty column at index (clamped to 0..column count).
ZELWIDGETS_EXPORT void zelInsertGridColumn(QTableWidget &grid, int column);
// Deletes the current row, or the given column; nothing happens out of range.
ZELWIDGETS_EXPORT void zelDeleteGridRow(QTableWidget &grid);
ZELWIDGETS_EXPORT void zelDeleteGridColumn(QTableWidget &grid, int column);
// Empties every cell at or right of column and at or below row.
ZELWIDGETS_EXPORT void zelClearGridFrom(QTableWidget &grid, int column, int row);
// Moves row from to position to; the rows between shift by one. Out of range: nothing.
ZELWIDGETS_EXPORT void zelMoveGridRow(QTableWidget &grid, int from, int to);
// The text of a cell, empty where there is no item.
ZELWIDGETS_EXPORT QString zelCellText(const QTableWidget &grid, int row, int column);
// Writes a cell's text, creating the item when there is none.
ZELWIDGETS_EXPORT void zelSetCellText(QTableWidget &grid, int row, int column, const QString &text);

// Editing on: keys and double clicks open the cell editor; alwaysShow also opens it as soon
// as a cell becomes current. Off: no cell can be edited in place.
ZELWIDGETS_EXPORT void zelSetGridEditing(QTableWidget &grid, bool editing, bool alwaysShow = false);
// Writes the text of the cell editor open on the current cell into that cell; the editor
// stays open. Nothing happens when no editor is open.
ZELWIDGETS_EXPORT void zelCommitCellEditor(QTableWidget &grid);

// Lays editor over the cell, shifted by offset and widened by extraWidth, in the grid's
// viewport (the editor is moved there), and shows it on top.
ZELWIDGETS_EXPORT void zelPlaceOverCell(QTableWidget &grid, QWidget &editor, int row, int column,
                                        QPoint offset = {}, int extraWidth = 0);
// Makes the item whose text equals text the combo's current one (none when missing),
// without emitting the combo's change signals.
ZELWIDGETS_EXPORT void zelSelectComboText(QComboBox &combo, const QString &text);
// zelPlaceOverCell for a combo box that shows the item equal to the cell's text.
ZELWIDGETS_EXPORT void zelPlaceComboOverCell(QTableWidget &grid, QComboBox &combo, int row,
                                             int column, QPoint offset = {}, int extraWidth = 0);
// The value a spin edit shows for a cell: a blank cell first becomes "1".
ZELWIDGETS_EXPORT int zelSpinCellValue(QTableWidget &grid, int row, int column);
// Labels an editor laid over a cell with its row's title, for screen readers that call a combo
// box by its text and take its name from the label whose buddy it is: a label over the title
// cell that paints nothing (the cell below shows the title). Each editor keeps its own label,
// so what a reader asks later still names the editor it asked about; only the label of the
// editor shown is shown, and zelHideCellEditorLabel hides them with the editors.
ZELWIDGETS_EXPORT void zelLabelCellEditor(QTableWidget &grid, QWidget &editor, int row,
                                          int titleColumn = 0);
ZELWIDGETS_EXPORT void zelHideCellEditorLabel(QTableWidget &grid);
// zelPlaceOverCell for a spin edit (anything with setValue) set from the cell.
template <typename Spin>
void zelPlaceSpinOverCell(QTableWidget &grid, Spin &spin, int row, int column) {
  spin.setValue(zelSpinCellValue(grid, row, column));
  zelPlaceOverCell(grid, spin, row, column);
}
