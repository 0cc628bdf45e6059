// SPDX-License-Identifier: MIT
#pragma once
// A table window of the joins editor: a child window with a title bar (the table alias) and a
// sizeable frame, no buttons, holding the table's field list. Double clicking the title bar
// rolls the window up to its title bar and down again.

#include "zelwidgets_export.h"

#include <QMdiSubWindow>
#include <QSize>
#include <functional>

class TzelTableList;

class ZELWIDGETS_EXPORT TzelTableForm : public QMdiSubWindow {
  Q_OBJECT
public:
  explicit TzelTableForm(QWidget *parent = nullptr);

  // The window size of a table that has none of its own (the table's defaults).
  static constexpr QSize defaultSize{115, 165};

  TzelTableList *list() const { return m_list; }
  int TableIndex() const { return m_tableIndex; }
  void setTableIndex(int index) { m_tableIndex = index; }
  QString ActiveFields() const;

  // Title bar and frame together: the outer height less the list's height.
  int captionHeight() const;
  bool isRolledUp() const { return height() <= captionHeight(); }
  void toggleRolledUp();
  // Moves the window by a step, kept on the surface (Ctrl+arrow keys).
  void moveBy(const QPoint &step);
  // "<alias> table, N fields", for a screen reader; again after the fields change.
  void describe();
  static QString accessibleNameOf(const QString &alias, int fieldCount);

  // The user may shrink the window to its title bar.
  QSize minimumSizeHint() const override;

  // Asked before the window closes; false keeps it open.
  std::function<bool(TzelTableForm *)> closeQuery;

signals:
  void moved();
  void resized();

protected:
  void moveEvent(QMoveEvent *event) override;
  void resizeEvent(QResizeEvent *event) override;
  void closeEvent(QCloseEvent *event) override;
  void mouseDoubleClickEvent(QMouseEvent *event) override;

private:
  TzelTableList *m_list;
  int m_tableIndex = -1;
};
