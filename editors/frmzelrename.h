// SPDX-License-Identifier: MIT
#pragma once
// The rename dialog of the joins editor in model mode: alias, physical name and database of
// a data-model table. OK refuses a blank entry.

#include "zelwidgets_export.h"

#include <QDialog>

class QLabel;
class QLineEdit;
class QPushButton;
class QWidget;
class TzelModel;

class ZELWIDGETS_EXPORT TfrmZelRename : public QDialog {
  Q_OBJECT
public:
  explicit TfrmZelRename(QWidget *parent = nullptr);

  void setModel(TzelModel *model);
  void setValues(const QString &alias, const QString &tableName, const QString &database);
  QString tableAlias() const;
  QString tableName() const;
  QString databaseName() const;

  QWidget *panRename;
  QLineEdit *txtTableAlias;
  QLineEdit *txtTableName;
  QLineEdit *txtDatabase;
  QPushButton *cmdOk;
  QPushButton *cmdCancel;
  QPushButton *cmdHelp;

  // The first blank edit (alias, name, database) is reported and keeps the dialog open.
  void cmdOkClick();
  void cmdHelpClick(); // context 4 of the query help

protected:
  void showEvent(QShowEvent *event) override;

private:
  TzelModel *m_model = nullptr;
};
