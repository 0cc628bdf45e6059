// SPDX-License-Identifier: MIT
#pragma once
// Lays the workspace toolbar out at the width its window gives it: Help stands at the right end,
// and the page commands that no longer fit leave the bar for the menu of an overflow button beside
// Help, as a toolbar's extension does. Nothing is hidden: a command past the edge is clipped and
// kept out of the Tab order.

#include "zelwidgets_export.h"

#include <QObject>

class QMenu;
class QToolButton;
class QWidget;

class ZELWIDGETS_EXPORT TzelToolbarFit : public QObject {
  Q_OBJECT
  Q_DISABLE_COPY(TzelToolbarFit)
public:
  // panel: the toolbar, watched for its width; row: the strip the controls stand on; help: the
  // button kept at the right end; pages: the notebook of page commands, clipped where they end.
  // Owned by panel; the overflow button is a child of row.
  TzelToolbarFit(QWidget *panel, QWidget *row, QToolButton *help, QWidget *pages);

  void fit(); // again after the page or its commands change
  QToolButton *overflowButton() const { return m_more; }
  // The page commands past the bar's edge, left to right.
  QList<QToolButton *> overflowed() const;

protected:
  bool eventFilter(QObject *watched, QEvent *event) override;

private:
  QList<QToolButton *> pageCommands() const;
  int limit() const; // the right edge page commands must keep to, in row coordinates
  void fillMenu();

  QWidget *m_panel;
  QWidget *m_row;
  QToolButton *m_help;
  QWidget *m_pages;
  QToolButton *m_more;
  QMenu *m_menu;
  int m_pagesWidth;
};
