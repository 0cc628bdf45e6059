// SPDX-License-Identifier: MIT
#pragma once
// The export options: whether the label line is written (delimited text) and the password
// of a report export. Only the panels of the chosen file type are shown.

#include "zelwidgets_export.h"

#include <QDialog>

class QCheckBox;
class QLabel;
class QLineEdit;
class QPushButton;

class ZELWIDGETS_EXPORT TfrmZelOptions : public QDialog {
  Q_OBJECT
public:
  explicit TfrmZelOptions(QWidget *parent = nullptr);

  // The field-names panel for types 3, 13 and 14, the password panel for 11.
  void SetFileType(int fileType);
  // The check box and both password boxes.
  void SetValues(bool includeNames, const QString &password);
  bool IncludeNames() const;
  QString Password() const;

  QWidget *panFieldNames;
  QCheckBox *chkFieldNames;
  QWidget *panPassword;
  QLineEdit *txtPassword;
  QLineEdit *txtConfirm;
  QLabel *labNote;
  QPushButton *cmdOk;
  QPushButton *cmdCancel;

  // Two passwords that differ (ignoring case) are reported, emptied and typed again.
  void cmdOkClick();

protected:
  void showEvent(QShowEvent *event) override;
};
