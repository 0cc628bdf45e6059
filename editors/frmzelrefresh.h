// SPDX-License-Identifier: MIT
#pragma once
// The changes Refresh from Database found, one check box each (those proposed checked): Yes
// applies the checked ones, No none. With nothing changed it says so and offers Close only.

#include "database/cataloguerefresh.h"
#include "zelwidgets_export.h"

#include <QDialog>
#include <QList>

class QLabel;
class QListWidget;
class QPushButton;

class ZELWIDGETS_EXPORT TfrmZelRefresh : public QDialog {
  Q_OBJECT
public:
  explicit TfrmZelRefresh(QWidget *parent = nullptr);

  void setChanges(const QList<TzelCatalogueChange> &changes);
  QList<TzelCatalogueChange> checkedChanges() const;

  QLabel *labMessage;
  QListWidget *lstChanges;
  QPushButton *cmdYes;
  QPushButton *cmdNo;
  QPushButton *cmdClose;

private:
  QList<TzelCatalogueChange> m_changes;
};
