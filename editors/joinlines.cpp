// SPDX-License-Identifier: MIT
#include "editors/joinlines.h"

#include <cmath>
#include <cstdlib>

int fieldRowY(const TzelLineWindow &window, int row, int rowHeight, int captionHeight) {
  if (window.frame.height() <= captionHeight)
    return window.frame.top() + captionHeight / 2;
  if (row < 0)
    return -1;
  int r = row - window.topRow;
  const bool visible = r >= 0;
  if (!visible)
    r = 0;
  int y = rowHeight * r;
  const int quarter = rowHeight / 4;
  if (y < window.listHeight - quarter)
    y += quarter;
  else
    y = window.listHeight - 2;
  y += window.frame.top();
  return y + (visible ? captionHeight : captionHeight / 3);
}

TzelLineEnds lineEnds(const QRect &leftTableWindow, const QRect &rightTableWindow) {
  const auto rightEdge = [](const QRect &r) { return r.left() + r.width(); };
  if (leftTableWindow.left() > rightTableWindow.left())
    return {rightEdge(rightTableWindow), leftTableWindow.left(), true};
  return {rightEdge(leftTableWindow), rightTableWindow.left(), false};
}

TzelLinePoints linePoints(int x1, int y1, int x2, int y2) {
  return {QPoint(x1, y1), QPoint(x1 + 10, y1), QPoint(x2 - 10, y2), QPoint(x2, y2)};
}

bool isEmptyLine(const TzelLinePoints &points) {
  return points[0] == points[1] && points[1] == points[2] && points[2] == points[3];
}

bool PointInRect(int x, int y, int left, int bottom, int right, int top) {
  return std::min(left, right) <= x && x <= std::max(left, right) && std::min(bottom, top) <= y &&
         y <= std::max(bottom, top);
}

namespace {

bool hitsStub(QPoint from, QPoint to, QPoint at) {
  return from.x() <= at.x() && at.x() <= to.x() && from.y() - 1 <= at.y() && at.y() <= to.y() + 1;
}

double distanceToSegmentLine(QPoint p1, QPoint p2, QPoint at) {
  if (p1.x() == p2.x())
    return std::abs(p1.x() - at.x());
  const double m = double(p2.y() - p1.y()) / double(p2.x() - p1.x());
  return std::abs(m * (at.x() - p1.x()) - (at.y() - p1.y())) / std::sqrt(m * m + 1.0);
}

} // namespace

bool hitsJoinLine(const TzelLinePoints &p, QPoint at) {
  if (isEmptyLine(p))
    return false;
  if (hitsStub(p[0], p[1], at) || hitsStub(p[2], p[3], at))
    return true;
  return PointInRect(at.x(), at.y(), p[1].x(), p[1].y(), p[2].x(), p[2].y()) &&
         distanceToSegmentLine(p[1], p[2], at) <= 3.0;
}

int firstHitLine(const QList<TzelLinePoints> &lines, QPoint at) {
  for (int i = 0; i < lines.size(); ++i)
    if (hitsJoinLine(lines.at(i), at))
      return int(i);
  return -1;
}
