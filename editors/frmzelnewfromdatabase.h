// SPDX-License-Identifier: MIT
#pragma once
// "New from Database": the user names a database (an alias, an SQLite file or a folder of
// tables, or a PostgreSQL server), reads its catalogue and checks the tables a data model is
// made of. A file or a server gets an alias in the session under a readable name; its tables
// carry that name. A password typed here serves this session's connection only.

#include "database/cataloguemodel.h"
#include "zelwidgets_export.h"

#include <QDialog>
#include <QStringList>
#include <functional>

class QComboBox;
class QLabel;
class QLineEdit;
class QListView;
class QPushButton;
class QRadioButton;
class QSpinBox;
class TzelCatalogueTables;
class TzelModel;
struct TzelAlias;

class ZELWIDGETS_EXPORT TfrmZelNewFromDatabase : public QDialog {
  Q_OBJECT
public:
  // model: whose help the Help button opens; may be none.
  explicit TfrmZelNewFromDatabase(TzelModel *model = nullptr, QWidget *parent = nullptr);

  // After OK: the database name the chosen tables carry, and the catalogue of those tables.
  QString databaseName() const { return m_catalogue.databaseName; }
  TzelDatabaseCatalogue chosenCatalogue() const;
  TzelCatalogueTables *tables() const { return m_tables; }

  QRadioButton *optAlias;
  QComboBox *cboDatabase;
  QPushButton *cmdBrowse;
  QRadioButton *optServer;
  QWidget *panServer;
  QComboBox *cboEngine;
  QLineEdit *txtHost;
  QSpinBox *txtPort;
  QLineEdit *txtDatabase;
  QLineEdit *txtUser;
  QLineEdit *txtPassword;
  QPushButton *cmdRead;
  QLineEdit *txtFilter;
  QComboBox *cboSchema;
  QListView *lstTables;
  QPushButton *cmdAll;
  QPushButton *cmdNone;
  QLabel *labCount;
  QPushButton *cmdOk;
  QPushButton *cmdCancel;
  QPushButton *cmdHelp;

  void cmdBrowseClick();
  // Reads the catalogue of the database named; a failure is shown and the input kept.
  void cmdReadClick();
  void cmdHelpClick();

  void reject() override; // forgets the aliases made for databases read but not taken

protected:
  bool eventFilter(QObject *watched, QEvent *event) override;

private:
  QWidget *buildDatabasePart();
  QWidget *buildServerGroup();
  QWidget *buildTablesPart();
  void connectControls();
  void sourceChanged();
  void engineChanged(int index);
  void applyFilter();
  void updateCount();
  // The alias the input names, registered when it is new; empty after showing why not.
  QString aliasOfInput();
  QString registerAlias(TzelAlias alias);
  void forgetReadAlias();

  TzelModel *m_model;
  TzelCatalogueTables *m_tables;
  TzelDatabaseCatalogue m_catalogue;
  int m_engine = 0;
  QString m_madeAlias; // the alias registered for the catalogue read, if this dialog made it
};

// Runs the dialog for the model; on OK replaces the model's tables and joins with the chosen
// tables' and sets its dialect (after asking, when the model has tables), calls applied, then
// names in a message the keys that were not made joins. False when the user stopped or
// reading failed (the model is then unchanged).
ZELWIDGETS_EXPORT bool zelNewModelFromDatabase(TzelModel &model, QWidget *parent,
                                               const std::function<void()> &applied = {});
