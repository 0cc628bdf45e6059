// SPDX-License-Identifier: MIT
#pragma once
// The "Save Method" dialog: whether a document goes into the form's query component or into
// an operating system file, asked by the query editor's Save when the document came from the
// form.

#include "engine/queryprompts.h"
#include "zelwidgets_export.h"

#include <QDialog>

class QLabel;
class QPushButton;
class QRadioButton;

class ZELWIDGETS_EXPORT TfrmZelSave : public QDialog {
  Q_OBJECT
public:
  // Asks the question modally over the active window.
  static TzelSaveMethod Ask();

  explicit TfrmZelSave(QWidget *parent = nullptr);

  // 1 = the form's component, 2 = a file, 3 = no (do not save), 0 = cancel.
  int SaveChoice = 1;

  QLabel *labMsg;
  QRadioButton *optForm;
  QRadioButton *optFile;
  QLabel *imgForm;
  QLabel *imgFile;
  QPushButton *cmdOK;
  QPushButton *cmdNo;
  QPushButton *cmdCancel;

  void reject() override;

private:
  void choose(int choice);
};
