// SPDX-License-Identifier: MIT
#pragma once
// The parts the parameter and alias synchronisation dialogs share: a string grid without
// header row that keeps at least 41 rows, the OK / Cancel / Help row with F1 for help, and
// a fixed, stay-on-top window centred on the screen.

#include "zelwidgets_export.h"

#include <QList>
#include <QString>
#include <Qt>

class QDialog;
class QHBoxLayout;
class QPushButton;
class QTableWidget;
class QTableWidgetItem;
class QWidget;

inline constexpr int zelGridMinimumRows = 41;
// Rows the grid shows at once; the others scroll.
inline constexpr int zelGridVisibleRows = 10;

// A grid with one column per width (a width of 0 hides a working column), no headers, one
// cell selected at a time, sized to show exactly its visible columns beside a vertical
// scroll bar and zelGridVisibleRows rows.
ZELWIDGETS_EXPORT QTableWidget *zelCreateDialogGrid(const QList<int> &widths, QWidget *parent);
// A cell with the given flags. A cell that cannot be edited repeats its text as its tool tip,
// for names that a narrow column cuts.
ZELWIDGETS_EXPORT QTableWidgetItem *zelCreateGridItem(const QString &text, Qt::ItemFlags flags);
// Empties the grid and gives it rows rows, never fewer than zelGridMinimumRows.
ZELWIDGETS_EXPORT void zelResetGridRows(QTableWidget &grid, int rows);

struct ZELWIDGETS_EXPORT TzelDialogButtons {
  QPushButton *ok;
  QPushButton *cancel;
  QPushButton *help;
  QHBoxLayout *row; // right-aligned, for the caller's layout
};
// "&OK" (the default button), "&Cancel" and "&Help"; F1 anywhere in the dialog clicks Help.
ZELWIDGETS_EXPORT TzelDialogButtons zelCreateDialogButtons(QDialog &dialog);

// Makes column 1 of the first row with a name in column 0 and nothing in column 1 the current
// cell: where a refused OK wants the user to type.
ZELWIDGETS_EXPORT void zelGoToFirstMissing(QTableWidget &grid);

// Return or Enter in the grid, also while a cell is being edited, clicks button (the grid
// would otherwise keep the key from the dialog's default button).
ZELWIDGETS_EXPORT void zelReturnClicks(QTableWidget &grid, QPushButton &button);

// Caption, and stays on top of other windows without size grip or context help button (the
// dialog's layout fixes its size).
ZELWIDGETS_EXPORT void zelMakeFixedDialog(QDialog &dialog, const QString &caption);
