// SPDX-License-Identifier: MIT
#pragma once
// The parameter dialog: one row per filter parameter (name, value); OK refuses a blank value
// of a named row. Ask shows it for the program's query prompts.

#include "engine/zelparams.h"
#include "zelwidgets_export.h"

#include <QDialog>
#include <QStringList>

class QLabel;
class QPushButton;
class QTableWidget;
class TzelModel;

class ZELWIDGETS_EXPORT TfrmZelParams : public QDialog {
  Q_OBJECT
public:
  // A modal dialog for one request: OK writes the entered values back into nameValues and
  // gives true; cancel gives false and leaves them.
  static bool Ask(QStringList &nameValues, TzelModel *model);

  // model (may be null) gives the help.
  explicit TfrmZelParams(TzelModel *model = nullptr, QWidget *parent = nullptr);

  // Fills the grid from "name=value" entries, values with their surrounding spaces removed;
  // the grid keeps 41 rows and grows past them when there are more entries.
  void SetParams(const QStringList &nameValues);
  // The entries of the named rows, in row order, with the values as typed.
  QStringList Params() const;
  bool OkFlag() const { return m_ok; }

  QLabel *labPrompt;
  QTableWidget *grdParams;
  QPushButton *cmdOk;
  QPushButton *cmdCancel;
  QPushButton *cmdHelp;

  // OK: a named row with a blank value is reported and keeps the dialog open; otherwise the
  // OK flag is set and the dialog accepted.
  void cmdOkClick();
  void cmdCancelClick();
  void cmdHelpClick(); // topic 19 of the model's query help

protected:
  void showEvent(QShowEvent *event) override;

private:
  TzelModel *m_model;
  bool m_ok = false;
};
