// SPDX-License-Identifier: MIT
#pragma once
// The export dialog: a file name and a file type for the records of a query component.
// OK checks the name (extension, folder, replacing an existing file, that it can be
// written); Ask shows it for the program's query prompts.

#include "engine/exportprompt.h"
#include "zelwidgets_export.h"

#include <QDialog>

class QComboBox;
class QLabel;
class QLineEdit;
class QPushButton;
class TzelQuerion;

class ZELWIDGETS_EXPORT TfrmZelExport : public QDialog {
  Q_OBJECT
public:
  // A modal dialog for one request, none while the query component's dataset has no records
  // to give (the refusal is shown): OK fills choice and gives true; cancel gives false.
  static bool Ask(TzelQuerion &querion, TzelExportChoice &choice);

  // The type list: the data model's table types, the report type in report mode, then the
  // delimited-text types; the first is selected.
  explicit TfrmZelExport(TzelQuerion &querion, QWidget *parent = nullptr);

  QString FileName() const;
  int FileType() const { return m_fileType; } // 0 when the entry's extension is unknown
  bool IncludeNames() const { return m_includeNames; }
  QString Password() const { return m_password; }

  QLabel *labFileName;
  QLineEdit *txtFileName;
  QPushButton *cmdBrowse;
  QLabel *labFileType;
  QComboBox *cmbFileType;
  QPushButton *cmdOk;
  QPushButton *cmdCancel;
  QPushButton *cmdHelp;
  QPushButton *cmdOptions;

  // A new type: names included, no password, the type number from the entry's extension.
  void cmbFileTypeChange();
  void cmdBrowseClick();
  void cmdOptionsClick();
  // Refusals are reported and keep the dialog open.
  void cmdOkClick();
  void cmdHelpClick(); // topic 52 of the query help

protected:
  void showEvent(QShowEvent *event) override;

private:
  QString entryPattern() const;
  bool completeName(QString &name);
  bool readByQuery(const QString &name);
  bool replaceExisting(const QString &name);
  bool canWrite(const QString &name);

  TzelQuerion &m_querion;
  int m_fileType = 0;
  bool m_includeNames = true;
  QString m_password;
};
