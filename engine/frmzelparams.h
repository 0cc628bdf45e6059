#pragma once
// The parameter dialog: one row per filter parameter (name, value); OK refuses a blank value
// of a named row. TfrmZelParamsPrompt installs it as the core's parameter prompt.

#include "engine/zelparams.h"

#include <QDialog>
#include <QStringList>

class QLabel;
class QPushButton;
class QTableWidget;
class TzelModel;

class TfrmZelParams : public QDialog {
  Q_OBJECT
public:
  static constexpr int MinimumRows = 41;

  explicit TfrmZelParams(TzelModel *model = nullptr, QWidget *parent = nullptr);

  // Fills the grid from "name=value" entries; the grid grows past 41 rows when needed.
  void SetParams(const QStringList &nameValues);
  // The entries of the named rows, in row order, with the values as typed.
  QStringList Params() const;
  bool OkFlag() const { return m_ok; }

  QLabel *labPrompt;
  QTableWidget *grdParams;
  QPushButton *cmdOk;
  QPushButton *cmdCancel;
  QPushButton *cmdHelp;

  void cmdOkClick();
  void cmdCancelClick();
  void cmdHelpClick();

protected:
  void keyPressEvent(QKeyEvent *event) override;
  void showEvent(QShowEvent *event) override;

private:
  TzelModel *m_model;
  bool m_ok = false;
};

// The parameter prompt of the program: a modal TfrmZelParams for each request.
class TfrmZelParamsPrompt : public TzelParamPrompt {
public:
  bool askParams(QStringList &nameValues, TzelModel *model) override;
};
