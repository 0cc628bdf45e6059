// SPDX-License-Identifier: MIT
#pragma once
// Cell painting shared by the editors' grids and lists (for QPainter in a delegate).

#include "zelwidgets_export.h"

#include <QRect>
#include <QString>
#include <Qt>

class QPainter;
class QTableWidget;

// Fills rect with the painter's brush and draws text inside it, clipped to it, its top 3
// pixels below the rectangle's: left-aligned text 2 pixels in, right-aligned text ending 3
// pixels before the right edge, centred text centred.
ZELWIDGETS_EXPORT void DrawCellText(QPainter &painter, const QRect &rect, const QString &text,
                                    Qt::Alignment alignment = Qt::AlignLeft);
// The two-column lists of the editors: a row whose column 0 is blank stays unpainted; column 0
// of a row whose column 2 holds "-1" is a navy bold heading; every other cell is regular, white
// on the selection colour when selected, black otherwise.
ZELWIDGETS_EXPORT void DrawListCell(QPainter &painter, const QTableWidget &grid, int row,
                                    int column, const QRect &rect, bool selected);
