#include "editors/tablelistdelegate.h"

#include "editors/tablelist.h"

#include <QPainter>

namespace {

QFont rowFont(const QWidget *list, int row) {
  QFont font = list ? list->font() : QFont();
  font.setBold(row == 1);
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
    painter->drawText(r.adjusted(textIndent, 0, 0, 0), Qt::AlignLeft | Qt::AlignTop,
                      index.data().toString());
  }
  painter->restore();
}

QSize TzelTableListDelegate::sizeHint(const QStyleOptionViewItem &option,
                                      const QModelIndex &) const {
  const QFontMetrics bold(rowFont(option.widget, 1));
  return {textIndent + bold.averageCharWidth() * 8, bold.height() + 1};
}
