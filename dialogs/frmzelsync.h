// SPDX-License-Identifier: MIT
#pragma once
// The alias synchronisation dialog: unmatched table names or field aliases on the left, a
// replacement chosen from a drop-down list on the right. Ask shows it for the program's query
// prompts.

#include "engine/zelsync.h"
#include "zelwidgets_export.h"

#include <QDialog>

class QLabel;
class QPushButton;
class QTableWidget;
class TzelModel;

class ZELWIDGETS_EXPORT TfrmZelSync : public QDialog {
  Q_OBJECT
public:
  // A modal dialog for one request: OK writes the chosen replacements into the rows and gives
  // true; cancel gives false.
  static bool Ask(TzelSyncMode mode, QList<TzelSyncRow> &rows, TzelModel &model);

  // model (may be null) gives the help.
  explicit TfrmZelSync(TzelSyncMode mode, TzelModel *model = nullptr, QWidget *parent = nullptr);

  // Fills the grid (41 rows, more when needed); each row keeps its own choices, which the
  // drop-down list over its replacement cell offers.
  void SetRows(const QList<TzelSyncRow> &rows);
  // The rows with the replacements as chosen.
  QList<TzelSyncRow> Rows() const;

  QLabel *labTitle;
  QLabel *labLeft;
  QLabel *labRight;
  QTableWidget *grdSync;
  QPushButton *cmdOk;
  QPushButton *cmdCancel;
  QPushButton *cmdHelp;

  // OK: a named row without a replacement is reported and keeps the dialog open.
  void cmdOkClick();
  void cmdHelpClick(); // topic 59 of the model's query help
  // Keeps the current cell on the replacement column of a named row.
  void grdSyncCurrentCellChanged(int row, int column, int previousRow, int previousColumn);

protected:
  void showEvent(QShowEvent *event) override;

private:
  bool named(int row) const;

  TzelModel *m_model;
  QList<TzelSyncRow> m_rows;
};
