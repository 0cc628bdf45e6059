// SPDX-License-Identifier: MIT
#pragma once
// The add-table dialog of the joins editor: pick a database and one of its tables. Add Table
// and a double click hand the selected table to the editor and leave the dialog open; a
// filter box narrows the list as the user types. The list is a view over TzelTableNames, so
// that a catalogue of 100,000 tables lists and filters at once.

#include "zelwidgets_export.h"

#include <QDialog>

class QCheckBox;
class QComboBox;
class QLabel;
class QLineEdit;
class QListView;
class QPushButton;
class QWidget;
class TzelModel;
class TzelTableNames;

class ZELWIDGETS_EXPORT TfrmZelAddTable : public QDialog {
  Q_OBJECT
public:
  explicit TfrmZelAddTable(QWidget *parent = nullptr);

  void setModel(TzelModel *model); // help, and the table listing in model mode
  // Clears "System", shown in model mode only, where choosing a database or toggling System
  // relists the tables.
  void setModelEditing(bool on);
  bool modelEditing() const { return m_modelEditing; }
  QComboBox *databaseList() const { return cmbDatabase; }
  QListView *tableList() const { return lstTables; }
  // The names listed, which the editor fills in query mode.
  TzelTableNames *tableNames() const { return m_names; }
  // Selects the table shown under that name; false when none is.
  bool selectTable(const QString &table);
  // Model mode: lists the tables of the selected database; an error is shown in an OK box.
  void fillTables();
  // The selected table still shown through the filter, or empty.
  QString selectedTable() const;
  QString selectedDatabase() const;

  QWidget *panDatabase;
  QLabel *labDatabase;
  QComboBox *cmbDatabase;
  QLabel *labTables;
  QLineEdit *txtFilter;
  QListView *lstTables;
  QPushButton *cmdAdd;
  QPushButton *cmdClose;
  QPushButton *cmdHelp;
  QCheckBox *chkSystem;
  QLabel *labSystem;

  void cmdAddClick();
  void cmdHelpClick(); // context 1015 of the query help

signals:
  void addTableRequested(const QString &table);

protected:
  void showEvent(QShowEvent *event) override;
  bool eventFilter(QObject *watched, QEvent *event) override;

private:
  void applyFilter();
  void selectFirstShown(); // when no shown table is selected
  void selectRow(int row);
  void relistInModelMode();
  void rememberChoice();
  void relisted();

  TzelModel *m_model = nullptr;
  TzelTableNames *m_names;
  // The table the user chose, kept while the filter hides it, as a hidden row kept its
  // selection; empty when none.
  QString m_chosen;
  bool m_filtering = false;
  bool m_modelEditing = false;
};
