// SPDX-License-Identifier: MIT
#include "controls/celldraw.h"

#include "controls/stringgrid.h"
#include "model/zeltypes.h"

#include <QPainter>
#include <QPalette>
#include <QTableWidget>

void DrawCellText(QPainter &painter, const QRect &rect, const QString &text,
                  Qt::Alignment alignment) {
  painter.save();
  painter.setClipRect(rect);
  painter.fillRect(rect, painter.brush());
  QRect area = rect.adjusted(0, 3, 0, 0);
  Qt::Alignment flags = Qt::AlignTop;
  if (alignment & Qt::AlignRight) {
    area.setRight(rect.right() - 3);
    flags |= Qt::AlignRight;
  } else if (alignment & Qt::AlignHCenter) {
    flags |= Qt::AlignHCenter;
  } else {
    area.setLeft(rect.left() + 2);
    flags |= Qt::AlignLeft;
  }
  painter.drawText(area, int(flags) | Qt::TextSingleLine, text);
  painter.restore();
}

void DrawListCell(QPainter &painter, const QTableWidget &grid, int row, int column,
                  const QRect &rect, bool selected) {
  if (IsBlank(zelCellText(grid, row, 0)))
    return;
  const bool heading = column == 0 && zelCellText(grid, row, 2) == QLatin1String("-1");
  painter.save();
  QFont font = grid.font();
  font.setBold(heading);
  painter.setFont(font);
  const QPalette &palette = grid.palette();
  painter.setBrush(selected ? palette.highlight() : palette.base());
  painter.setPen(heading ? QColor(Qt::darkBlue) : selected ? QColor(Qt::white) : QColor(Qt::black));
  DrawCellText(painter, rect, zelCellText(grid, row, column));
  painter.restore();
}
