// SPDX-License-Identifier: MIT
#pragma once
// A tree of tables, each with its fields as children, filled in order: a table node, then
// its field nodes.

#include "zelwidgets_export.h"

#include <QTreeWidget>

class ZELWIDGETS_EXPORT TzelTableTree : public QTreeWidget {
  Q_OBJECT
public:
  explicit TzelTableTree(QWidget *parent = nullptr);

  // A top-level node that later field nodes are added to.
  QTreeWidgetItem *AddTableNode(const QString &name);
  // A child of the last table node; top-level while there is none.
  QTreeWidgetItem *AddFieldNode(const QString &name);
  // Removes every node; field nodes added next stand at the top level.
  void ClearNodes();
  QTreeWidgetItem *lastTableNode() const { return m_lastTable; }

private:
  QTreeWidgetItem *m_lastTable = nullptr;
};
