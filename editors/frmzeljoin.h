// SPDX-License-Identifier: MIT
#pragma once
// The join dialog of the joins editor: the operator of one join field pair and the type of
// its join, chosen by clicking one of three descriptions; Delete removes the pair.

#include "model/zeltypes.h"
#include "zelwidgets_export.h"

#include <QDialog>
#include <functional>

class QComboBox;
class QLabel;
class QPushButton;
class QWidget;
class TzelModel;

class ZELWIDGETS_EXPORT TfrmZelJoin : public QDialog {
  Q_OBJECT
public:
  explicit TfrmZelJoin(QWidget *parent = nullptr);

  void setModel(TzelModel *model); // its JoinMethod decides whether outer joins are allowed
  void setPair(const QString &leftTable, const QString &leftField, TzelJoinOper oper,
               const QString &rightTable, const QString &rightField);
  void setJoinTypeTexts(const QString &leftJoinText, const QString &rightJoinText);
  // Chooses the type and moves the check mark to its description.
  void setJoinType(TzelJoinType type);
  TzelJoinType JoinType() const { return m_joinType; }
  TzelJoinOper joinOper() const;
  // Runs the editor's RemoveJoin; true (the pair is gone) closes the dialog with Cancel.
  std::function<bool()> onRemoveJoin;

  QWidget *panTable1;
  QLabel *labLeftTable;
  QLabel *labLeftField;
  QComboBox *cmbJoinOper;
  QWidget *panTable2;
  QLabel *labRightTable;
  QLabel *labRightField;
  QWidget *panOptions;
  QLabel *labMsg;
  QLabel *labInnerJoin;
  QLabel *labLeftJoin;
  QLabel *labRightJoin;
  QLabel *imgCheck;
  QPushButton *cmdOk;
  QPushButton *cmdCancel;
  QPushButton *cmdHelp;
  QPushButton *cmdDelete;

  // Outer joins under a model that writes joins in WHERE are refused; else closes with OK.
  void cmdOkClick();
  void cmdDeleteClick();
  void cmdHelpClick(); // context 58 of the query help

protected:
  void showEvent(QShowEvent *event) override;
  bool eventFilter(QObject *watched, QEvent *event) override;

private:
  QLabel *typeLabel(TzelJoinType type) const;
  void placeCheck();

  TzelModel *m_model = nullptr;
  TzelJoinType m_joinType = zelJoinInner;
};
