// SPDX-License-Identifier: MIT
#pragma once
// The drawing surface of the joins editor: the area holding the table windows, painted silver
// with the join lines on top. Presses and double clicks on the background (not on a window)
// are passed on to the editor. A screen reader reads the lines as the surface's description,
// asked of the editor only when the reader wants it.

#include "zelwidgets_export.h"

#include <QMdiArea>
#include <functional>

class QAccessibleInterface;

class ZELWIDGETS_EXPORT TzelJoinsSurface : public QMdiArea {
  Q_OBJECT
public:
  explicit TzelJoinsSurface(QWidget *parent = nullptr);

  // Draws the lines over the background; set by the editor.
  std::function<void(QPainter &)> paintLines;
  // The keys of the focused join line (true when handled), and Tab / Shift+Tab leaving it.
  std::function<bool(const QKeyEvent &)> lineKey;
  std::function<void(bool forward)> tabFromLine;
  // The lines, one to a line, for a screen reader; set by the editor.
  std::function<QString()> describeLines;
  // Tells a listening screen reader that the lines changed.
  void linesChanged();
  // The tables without a window, which a screen reader finds after the windows; set by the
  // editor.
  std::function<int()> unmadeTableCount;
  std::function<QAccessibleInterface *(int)> unmadeTable;

signals:
  void backgroundPressed(const QPoint &pos, Qt::MouseButton button, const QPoint &globalPos);
  void backgroundDoubleClicked(const QPoint &pos);

protected:
  void paintEvent(QPaintEvent *event) override;
  void mousePressEvent(QMouseEvent *event) override;
  void mouseReleaseEvent(QMouseEvent *event) override;
  void mouseDoubleClickEvent(QMouseEvent *event) override;
  void keyPressEvent(QKeyEvent *event) override;
  bool focusNextPrevChild(bool next) override;
};
