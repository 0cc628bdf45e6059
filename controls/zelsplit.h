// SPDX-License-Identifier: MIT
#pragma once
// Splitter bars between two neighbouring controls of one container. The owner docks
// FirstControl (top or left), the splitter beside it and SecondControl (client) with
// zelSetAlign, then sets both controls. Dragging the bar undocks the three, moves the bar
// within its limits, and on release gives FirstControl the bar's position as its size and
// docks them again. Until both controls are set the bar neither moves nor undocks anything.

#include "zelwidgets_export.h"

#include <QFrame>
#include <QPointer>

class ZELWIDGETS_EXPORT ZelSplitBar : public QFrame {
  Q_OBJECT
public:
  QWidget *FirstControl() const { return m_first; }
  void SetFirstControl(QWidget *control) { m_first = control; }
  QWidget *SecondControl() const { return m_second; }
  void SetSecondControl(QWidget *control) { m_second = control; }
  bool isDragging() const { return m_dragging; }

protected:
  // farMargin: how close to the container's far edge the bar may come.
  ZelSplitBar(Qt::Orientation moves, int farMargin, QWidget *parent);
  void mousePressEvent(QMouseEvent *event) override;
  void mouseMoveEvent(QMouseEvent *event) override;
  void mouseReleaseEvent(QMouseEvent *event) override;

private:
  bool bothSet() const { return m_first && m_second; }
  bool vertical() const { return m_moves == Qt::Vertical; }

  Qt::Orientation m_moves;
  int m_farMargin;
  QPointer<QWidget> m_first;
  QPointer<QWidget> m_second;
  bool m_dragging = false;
};

// A bar between a top control and the control filling the space below it.
class ZELWIDGETS_EXPORT TzelHorzSplit : public ZelSplitBar {
  Q_OBJECT
public:
  explicit TzelHorzSplit(QWidget *parent = nullptr);
};

// A bar between a left control and the control filling the space to its right.
class ZELWIDGETS_EXPORT TzelVertSplit : public ZelSplitBar {
  Q_OBJECT
public:
  explicit TzelVertSplit(QWidget *parent = nullptr);
};
