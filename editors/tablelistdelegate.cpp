// SPDX-License-Identifier: MIT
#include "editors/tablelistdelegate.h"

#include "editors/tablelist.h"

#include <QPainter>

namespace {

constexpr int kTextMargin = 2; // between a field name and the window's right edge

QFont rowFont(const QWidget *widget, int row) {
  QFont font = widget ? widget->font() : QFont();
  const auto *list = qobject_cast<const TzelTableList *>(widget);
  font.setBold(list ? list->isKeyRow(row) : row == 1);
  return font;
}

void drawGlyph(QPainter *painter, const QIcon &icon, QPoint at, QSize size) {
  painter->drawPixmap(at, icon.pixmap(size, painter->device()->devicePixelRatioF()));
}

} // namespace

void TzelTableListDelegate::paint(QPainter *painter, const QStyleOptionViewItem &option,
                                  const QModelIndex &index) const {
  const auto *list = qobject_cast<const TzelTableList *>(option.widget);
  const bool selected = option.state & QStyle::State_Selected;
  const QPalette &pal = option.palette;
  const QRect r = option.rect;
  painter->save();
  painter->fillRect(r, selected ? pal.highlight() : pal.base());
  const int row = index.row();
  if (row == 0) {
    drawGlyph(painter, TzelTableList::glyph(true, selected), r.topLeft() + QPoint(textIndent, 4),
              starSize);
  } else {
    if (list && list->isActiveRow(row))
      drawGlyph(painter, TzelTableList::glyph(false, selected), r.topLeft() + QPoint(2, 1),
                markerSize);
    painter->setFont(rowFont(list, row));
    painter->setPen(selected ? pal.highlightedText().color() : pal.text().color());
    // A name wider than the window ends in "…" rather than a cut letter.
    const QRect text = r.adjusted(textIndent, 0, -kTextMargin, 0);
    painter->drawText(
        text, Qt::AlignLeft | Qt::AlignTop,
        painter->fontMetrics().elidedText(index.data().toString(), Qt::ElideRight, text.width()));
  }
  painter->restore();
}

QSize TzelTableListDelegate::sizeHint(const QStyleOptionViewItem &option,
                                      const QModelIndex &) const {
  const QFontMetrics bold(rowFont(option.widget, 1));
  return {textIndent + bold.averageCharWidth() * 8, bold.height() + 1};
}
