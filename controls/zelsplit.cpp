// SPDX-License-Identifier: MIT
#include "controls/zelsplit.h"

#include "controls/zelalign.h"

#include <QMouseEvent>

namespace {
// The bar never comes nearer than this to the container's near edge.
constexpr int NearLimit = 40;
} // namespace

ZelSplitBar::ZelSplitBar(Qt::Orientation moves, int farMargin, QWidget *parent)
    : QFrame(parent), m_moves(moves), m_farMargin(farMargin) {
  setFrameStyle(QFrame::Panel | QFrame::Raised);
  setCursor(vertical() ? Qt::SplitVCursor : Qt::SplitHCursor);
}

void ZelSplitBar::mousePressEvent(QMouseEvent *event) {
  if (!bothSet())
    return QFrame::mousePressEvent(event);
  zelSetAlign(m_second, ZelAlign::None);
  zelSetAlign(this, ZelAlign::None);
  zelSetAlign(m_first, ZelAlign::None);
  m_dragging = true;
}

void ZelSplitBar::mouseMoveEvent(QMouseEvent *event) {
  if (!m_dragging || !bothSet() || !parentWidget())
    return QFrame::mouseMoveEvent(event);
  const QPoint at = event->position().toPoint();
  if (vertical()) {
    const int top = y() + at.y();
    if (top > NearLimit && top < parentWidget()->height() - m_farMargin)
      move(x(), top);
  } else {
    const int left = x() + at.x();
    if (left > NearLimit && left < parentWidget()->width() - m_farMargin)
      move(left, y());
  }
}

void ZelSplitBar::mouseReleaseEvent(QMouseEvent *event) {
  if (!m_dragging || !bothSet())
    return QFrame::mouseReleaseEvent(event);
  const ZelAlign nearEdge = vertical() ? ZelAlign::Top : ZelAlign::Left;
  if (vertical())
    m_first->resize(m_first->width(), y());
  else
    m_first->resize(x(), m_first->height());
  zelSetAlign(m_first, nearEdge);
  zelSetAlign(this, nearEdge);
  zelSetAlign(m_second, ZelAlign::Client);
  m_dragging = false;
}

TzelHorzSplit::TzelHorzSplit(QWidget *parent) : ZelSplitBar(Qt::Vertical, 100, parent) {
  setLineWidth(2);
  resize(600, 8);
  zelSetAlign(this, ZelAlign::Top);
  setAccessibleName(tr("Horizontal splitter"));
}

TzelVertSplit::TzelVertSplit(QWidget *parent) : ZelSplitBar(Qt::Horizontal, 60, parent) {
  setLineWidth(1);
  resize(6, 130);
  zelSetAlign(this, ZelAlign::Left);
  setAccessibleName(tr("Vertical splitter"));
}
