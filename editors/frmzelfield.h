// SPDX-License-Identifier: MIT
#pragma once
// The field dialog of the joins editor in model mode: the fields of one data-model table in a
// grid (alias, name, type, size, alignment, format), reordered by dragging a row's handle.
// Closing asks to save; saving writes the rows into the model in grid order and rebuilds the
// table window's field list.

#include "zelwidgets_export.h"

#include <QDialog>
#include <QTableWidget>
#include <functional>

class QComboBox;
class TzelTableList;
class QToolButton;
class TzelModel;
class TzelTable;

// The field grid: a mouse press on a row's handle (column 0) starts dragging that row, and a
// drop on another row asks for the move through rowDropped.
class ZELWIDGETS_EXPORT TzelFieldGrid : public QTableWidget {
  Q_OBJECT
public:
  explicit TzelFieldGrid(QWidget *parent = nullptr);
  static QString mimeType();
  // The row a drop at pos (viewport coordinates) lands on, or -1.
  int dropRow(const QPoint &pos) const;

signals:
  void rowDropped(int from, int to);

protected:
  void mousePressEvent(QMouseEvent *event) override;
  void mouseMoveEvent(QMouseEvent *event) override;
  void dragEnterEvent(QDragEnterEvent *event) override;
  void dragMoveEvent(QDragMoveEvent *event) override;
  void dropEvent(QDropEvent *event) override;

private:
  int m_pressedRow = -1;
  QPoint m_pressPos;
};

class ZELWIDGETS_EXPORT TfrmZelField : public QDialog {
  Q_OBJECT
public:
  // Grid columns.
  enum Column {
    colHandle,
    colAlias,
    colName,
    colType,
    colSize,
    colAlign,
    colFormat,
    colFieldIndex,
    colTypeIndex,
    colAlignIndex,
    colCount
  };

  explicit TfrmZelField(QWidget *parent = nullptr);

  void setModel(TzelModel *model);
  // The table edited (its index in the model) and the table window's field list to rebuild.
  void setTable(int tableIndex, TzelTableList *fieldList);
  // Fills the grid with the table's live fields in Position order; clears Modified.
  void LoadFields();
  // The first invalid row is reported in an error box: false. A blank size becomes "25".
  bool CheckFields();
  // Writes the rows into the model in grid order (see the .cpp); false when a rename failed.
  bool SaveFields();
  bool Modified = false;
  std::function<void()> onRenameTable; // runs the editor's RenameTable

  // Grid row of a field (rows count from 1, as in the messages) and back.
  static int gridRow(int fieldRow) { return fieldRow - 1; }
  int fieldRowCount() const;

  QWidget *panToolbar;
  QToolButton *cmdAddField;
  QToolButton *cmdRemoveField;
  QToolButton *cmdRenameTable;
  QToolButton *cmdHelp;
  TzelFieldGrid *grdFields;
  QComboBox *cmbType;
  QComboBox *cmbAlign;

  void cmdAddFieldClick();
  void cmdRemoveFieldClick();
  void cmdRenameTableClick();
  void cmdHelpClick(); // context 12 of the query help
  // Moves grid row from to position to (what a dropped row does) and sets Modified.
  void grdFieldsDragDrop(int from, int to);
  // The close question: checks, asks to save (Yes, No, Cancel) and saves. True: may close.
  bool FormCloseQuery();

signals:
  void fieldsSaved(); // the editor recalculates its join lines

public slots:
  void reject() override; // Escape and the window's close button ask FormCloseQuery first

protected:
  void showEvent(QShowEvent *event) override;
  bool eventFilter(QObject *watched, QEvent *event) override;

private:
  TzelTable *table() const;
  QString tableAlias() const;
  QString cell(int row, int column) const;
  void setCell(int row, int column, const QString &text);
  void fillRow(int row, int fieldIndex);
  bool checkRow(int row, int &badColumn);
  void saveRow(int row);
  void refreshFieldList();
  void hideCombos();
  void placeCombo(); // over the current cell when it is a type or alignment cell
  void grdFieldsCurrentCellChanged(int row, int column);
  void cmbTypeActivated(int index);
  void cmbAlignActivated(int index);
  void setModified();

  TzelModel *m_model = nullptr;
  int m_tableIndex = -1;
  TzelTableList *m_fieldList = nullptr;
  bool m_loading = false;
};
