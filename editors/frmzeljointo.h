// SPDX-License-Identifier: MIT
#pragma once
// "Join to...": the keyboard's way to join a field row to a field of another table. Lists the
// other tables and the fields of the chosen one, each searchable by typing, and the join type.

#include "model/zeltypes.h"
#include "zelwidgets_export.h"

#include <QDialog>
#include <QList>
#include <QStringList>

class QButtonGroup;
class QListWidget;
class QPushButton;
class QRadioButton;
class TzelModel;

class ZELWIDGETS_EXPORT TfrmZelJoinTo : public QDialog {
  Q_OBJECT
public:
  struct Table {
    QString alias;
    QStringList fields;
  };

  explicit TfrmZelJoinTo(QWidget *parent = nullptr);

  void setModel(TzelModel *model) { m_model = model; }
  // The field being joined (shown in the caption) and the tables it may be joined to.
  void setSource(const QString &tableAlias, const QString &fieldAlias);
  void setTables(const QList<Table> &tables);
  QString tableAlias() const;
  QString fieldAlias() const;
  TzelJoinType joinType() const;
  void setJoinType(TzelJoinType type);

  QListWidget *lstTables;
  QListWidget *lstFields;
  QRadioButton *optInner;
  QRadioButton *optLeft;
  QRadioButton *optRight;
  QPushButton *cmdOk;
  QPushButton *cmdCancel;
  QPushButton *cmdHelp;

  static constexpr int HelpContext = 1017;

private:
  void showFields(int tableRow);
  void updateOk();

  TzelModel *m_model = nullptr;
  QList<Table> m_tables;
  QButtonGroup *m_types;
};
