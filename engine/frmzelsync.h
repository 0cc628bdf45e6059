#pragma once
// The alias synchronisation dialog: unmatched table names or field aliases on the left, a
// replacement chosen from a drop-down list on the right. TfrmZelSyncPrompt installs it as
// the core's synchronisation prompt.

#include "engine/zelsync.h"

#include <QDialog>

class QLabel;
class QPushButton;
class QTableWidget;
class TzelModel;

class TfrmZelSync : public QDialog {
  Q_OBJECT
public:
  static constexpr int MinimumRows = 41;

  explicit TfrmZelSync(TzelSyncMode mode, TzelModel *model = nullptr, QWidget *parent = nullptr);

  // Fills the grid (it grows past 41 rows when needed); each row keeps its own choices.
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

  void cmdOkClick();
  void cmdHelpClick();

protected:
  void keyPressEvent(QKeyEvent *event) override;
  void showEvent(QShowEvent *event) override;

private:
  TzelModel *m_model;
  QList<TzelSyncRow> m_rows;
};

class TfrmZelSyncPrompt : public TzelSyncPrompt {
public:
  bool askReplacements(TzelSyncMode mode, QList<TzelSyncRow> &rows, TzelModel &model) override;
};
