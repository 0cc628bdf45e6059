// SPDX-License-Identifier: MIT
#pragma once
// The value editor: a small tool window that edits one value column of the query editor's
// grid in detail (header, type, show mode, sort, format, width, alignment, one filter row and
// the expression). It works on the grid's cells only; the query editor writes the grid into
// the query later. The one exception is the query's Distinct flag, written at once.

#include "zelwidgets_export.h"

#include <QWidget>

#include <initializer_list>

class QAction;
class QComboBox;
class QFrame;
class QKeyEvent;
class QListWidget;
class QMenu;
class QPlainTextEdit;
class QTabBar;
class QTabWidget;
class QTableWidget;
class QTreeWidgetItem;
class TzelQuery;
class TzelQueryEditor;
class TzelSpinEdit;
class TzelTableTree;

class ZELWIDGETS_EXPORT TfrmZelValueEditor : public QWidget {
  Q_OBJECT
public:
  // Rows of grdValue.
  enum PropertyRow {
    rowQuery,
    rowDistinct,
    rowValue,
    rowHeader,
    rowTable,
    rowField,
    rowType,
    rowDisplay,
    rowShow,
    rowSort,
    rowFormat,
    rowWidth,
    rowAlign,
    valueRowCount = 23
  };
  // Rows of grdFilter.
  enum FilterRow { rowFilter, rowNumber, rowCommand, rowFirstValue };
  enum Page { pageValue, pageFilter, pageExpression };

  // A tool window of the editor, which owns it.
  explicit TfrmZelValueEditor(TzelQueryEditor *editor);

  // Loads the window from the grid column; row is the grid's filter row (5..24; smaller
  // rows count as 5); index -1 for a column that holds no value yet.
  void ShowValue(int column, int row, int index);
  // Writes the window into the grid column; false after a message (nothing written then).
  bool ApplyValue();
  void ReloadTables();
  void SetHeaders(const QStringList &headers); // fills cmbNames

  int column() const { return m_column; }
  int row() const { return m_row; }
  int valueIndex() const { return m_index; }
  int filterValueRows() const { return m_valueRows; }
  bool Closing = false;

  // The window's events, callable as the platform raises them.
  void FormActivate();
  void FormDeactivate();
  void HelpClick();
  // Double clicks that build the expression.
  void InsertExpressionText(const QString &text);
  void outTablesDblClick(QTreeWidgetItem *item);
  // table.field, each part in brackets where the name needs quoting.
  void InsertFieldText(const QString &table, const QString &field);
  void lstFunctionsDblClick();
  void lstOperatorsDblClick();
  void SetCommand(int command, bool fromCombo);

  QTabWidget *tabMain = nullptr;
  QWidget *panNames = nullptr;
  QComboBox *cmbNames = nullptr;
  QTableWidget *grdValue = nullptr;
  QComboBox *cmbDistinct = nullptr;
  QComboBox *cmbTypes = nullptr;
  QComboBox *cmbShow = nullptr;
  QComboBox *cmbSort = nullptr;
  QComboBox *cmbAlign = nullptr;
  TzelSpinEdit *spnWidth = nullptr;
  QTableWidget *grdFilter = nullptr;
  QComboBox *cmbFilter = nullptr;
  QComboBox *cmbCommand = nullptr;
  QPlainTextEdit *memExpression = nullptr;
  QTabBar *tabExpression = nullptr;
  TzelTableTree *outTables = nullptr;
  QListWidget *lstFunctions = nullptr;
  QListWidget *lstOperators = nullptr;
  QFrame *bevExpression = nullptr;
  QMenu *popMenu = nullptr;
  QAction *mnuStayOnTop = nullptr;
  QAction *mnuHide = nullptr;
  QAction *mnuClearValues = nullptr;
  QAction *mnuRestoreValues = nullptr;
  QAction *mnuHelp = nullptr;

protected:
  void closeEvent(QCloseEvent *event) override;
  void changeEvent(QEvent *event) override;
  void keyPressEvent(QKeyEvent *event) override;
  bool eventFilter(QObject *watched, QEvent *event) override;

private:
  // A field dragged onto the expression goes in as a double click puts it; false for other
  // drags.
  bool dropOnExpression(QEvent *event);
  void buildValuePage();
  void buildFilterPage();
  void buildExpressionPage();
  void buildMenu();
  QComboBox *cellCombo(const char *name, const QStringList &items, QTableWidget *grid);
  void nameCombos(QTableWidget *grid, std::initializer_list<int> rows);
  void closeOnEscape(QTableWidget *grid);
  bool ownKey(const QKeyEvent &event, bool act);
  bool windowKey(const QKeyEvent &event);
  bool comboKey(QComboBox *combo, QKeyEvent *event);
  int pageKey(const QKeyEvent &event) const;
  void selectPropertyCell(QTableWidget *grid, int row, int column);
  void hideEditors(QTableWidget *grid);
  QComboBox *comboOf(const QTableWidget *grid, int row) const; // the row's in-place combo
  void reselect(QTableWidget *grid, int row);
  void comboActivated(QComboBox *combo, QTableWidget *grid, int row);
  void spnWidthChange();
  void cmbFilterChange();
  void cmbNamesChange();
  void tabMainChange(int page);
  void tabExpressionChange(int tab);
  void setValueRows(int count, bool fromCombo);
  void loadValueRows();
  void loadFilter();
  QString shownExpression() const; // what the Expression page shows of the loaded value
  void takeExpression();
  bool blankWithComparison(QString &command) const;
  bool blankExpression() const; // the value is an expression of spaces and tabs only
  void commitEditors();
  QString buildRawFilter();
  void writeGridColumn();
  void setEdited();
  QString value(int row) const;
  void setValue(int row, const QString &text);
  QString filterCell(int row) const;
  void setFilterCell(int row, const QString &text);
  TzelQuery *query() const;

  TzelQueryEditor *m_editor;
  int m_column = 1;
  int m_row = 5;
  int m_index = -1;
  int m_valueRows = 0;
  bool m_loading = false;
  bool m_edited = false;
  bool m_memoModified = false;
  bool m_applying = false;
};
