// SPDX-License-Identifier: MIT
#include "controls/zeltabletree.h"

TzelTableTree::TzelTableTree(QWidget *parent) : QTreeWidget(parent) {
  setHeaderHidden(true);
  setColumnCount(1);
  setAccessibleName(tr("Tables and fields"));
}

QTreeWidgetItem *TzelTableTree::AddTableNode(const QString &name) {
  m_lastTable = new QTreeWidgetItem(this, {name});
  return m_lastTable;
}

QTreeWidgetItem *TzelTableTree::AddFieldNode(const QString &name) {
  // A table node removed by other means than ClearNodes is no longer a parent.
  if (!m_lastTable || indexOfTopLevelItem(m_lastTable) < 0)
    return new QTreeWidgetItem(this, {name});
  return new QTreeWidgetItem(m_lastTable, {name});
}

void TzelTableTree::ClearNodes() {
  clear();
  m_lastTable = nullptr;
}
