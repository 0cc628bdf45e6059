#pragma once
// The add-table dialog of the joins editor: pick a database and one of its tables. Add Table
// and a double click hand the selected table to the editor and leave the dialog open; a
// filter box narrows the list as the user types.

#include "zelwidgets_export.h"

#include <QDialog>

class QCheckBox;
class QComboBox;
class QLabel;
class QLineEdit;
class QListWidget;
class QPushButton;
class QWidget;
class TzelModel;

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
  QListWidget *tableList() const { return lstTables; }
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
  QListWidget *lstTables;
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
  void relistInModelMode();

  TzelModel *m_model = nullptr;
  bool m_modelEditing = false;
};
