// SPDX-License-Identifier: MIT
#pragma once
// Geometry of the join lines between table windows, without widgets: where a field row's
// line ends, the four points of a line, and whether a click hits a line. All divisions
// truncate toward zero.

#include "zelwidgets_export.h"

#include <QList>
#include <QPoint>
#include <QRect>
#include <array>

using TzelLinePoints = std::array<QPoint, 4>;

// A table window as the line geometry sees it.
struct ZELWIDGETS_EXPORT TzelLineWindow {
  QRect frame;        // outer geometry, title bar and frame included
  int listHeight = 0; // height of its field list
  int topRow = 0;     // index of the list's top visible row
};

// The y at which the line of list row `row` meets the window, or -1 when the row is -1
// (not found). A window rolled up to its title bar takes every line at the title's middle;
// rows scrolled off above attach inside the title bar, rows below at the list's bottom.
ZELWIDGETS_EXPORT int fieldRowY(const TzelLineWindow &window, int row, int rowHeight,
                                int captionHeight);

// Where a line leaves and enters: the right edge of the window further left and the left
// edge of the other. Reversed when the join's left table stands to the right (equal Left
// values count as not reversed).
struct ZELWIDGETS_EXPORT TzelLineEnds {
  int x1 = 0;
  int x2 = 0;
  bool reversed = false;
};
ZELWIDGETS_EXPORT TzelLineEnds lineEnds(const QRect &leftTableWindow,
                                        const QRect &rightTableWindow);

// A stub of 10 pixels at each end and a straight middle segment.
ZELWIDGETS_EXPORT TzelLinePoints linePoints(int x1, int y1, int x2, int y2);
// No line: the points of a pair whose ends are unknown.
ZELWIDGETS_EXPORT bool isEmptyLine(const TzelLinePoints &points);

// True when (x, y) lies in the rectangle spanned by the two corners, in any orientation,
// edges included.
ZELWIDGETS_EXPORT bool PointInRect(int x, int y, int left, int bottom, int right, int top);

// A click within one pixel above or below a stub, or within 3.0 of the middle segment
// (inside the rectangle it spans).
ZELWIDGETS_EXPORT bool hitsJoinLine(const TzelLinePoints &points, QPoint at);
// Index of the first line hit, or -1.
ZELWIDGETS_EXPORT int firstHitLine(const QList<TzelLinePoints> &lines, QPoint at);
