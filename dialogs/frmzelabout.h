// SPDX-License-Identifier: MIT
#pragma once
// The about box of a data model: the program's title and version, its copyright, comments
// and legal notice as the model's About settings give them, the version of this library
// and of Qt, and a help button when the settings name one.

#include "zelwidgets_export.h"

#include <QDialog>

class QLabel;
class QPushButton;
class TzelAbout;
class TzelModel;

class ZELWIDGETS_EXPORT TfrmZelAbout : public QDialog {
  Q_OBJECT
  Q_DISABLE_COPY(TfrmZelAbout)
public:
  // The box keeps model for its help button; the model must outlive it.
  explicit TfrmZelAbout(TzelModel &model, QWidget *parent = nullptr);

  // Shows the box of model modally over the active window and frees it when it closes.
  static void showFor(TzelModel &model);

  QLabel *labTitle;
  QLabel *labVersion;
  QLabel *labCopyright;
  QLabel *labComments;
  QLabel *labLegalNotice;
  QLabel *labLibrary;
  QPushButton *cmdOk;
  QPushButton *cmdHelp;
  QPushButton *cmdAboutQt;

private:
  void cmdHelpClick();

  TzelModel &m_model;
};
