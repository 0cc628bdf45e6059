// SPDX-License-Identifier: MIT
#include "controls/zelalign.h"

#include <QEvent>
#include <algorithm>

namespace {

const char *const AlignProperty = "zelAlign";
const QLatin1String AlignerName("zelAligner");

// Re-docks its container's children when the container changes size or visibility.
class ZelAligner : public QObject {
public:
  explicit ZelAligner(QWidget *container) : QObject(container) {
    setObjectName(AlignerName);
    container->installEventFilter(this);
  }

protected:
  bool eventFilter(QObject *watched, QEvent *event) override {
    switch (event->type()) {
    case QEvent::Resize:
    case QEvent::Show:
    case QEvent::LayoutRequest:
      zelRealign(static_cast<QWidget *>(watched));
      break;
    default:
      break;
    }
    return false;
  }
};

void ensureAligner(QWidget *container) {
  if (!container->findChild<QObject *>(AlignerName, Qt::FindDirectChildrenOnly))
    new ZelAligner(container);
}

QList<QWidget *> alignedChildren(QWidget *container, ZelAlign align) {
  QList<QWidget *> result;
  for (QObject *child : container->children()) {
    auto *w = qobject_cast<QWidget *>(child);
    if (w && !w->isWindow() && !w->isHidden() && zelAlignOf(w) == align)
      result.append(w);
  }
  return result;
}

// Top and left controls dock nearest first; bottom and right ones farthest first.
QList<QWidget *> inDockOrder(QWidget *container, ZelAlign align) {
  QList<QWidget *> list = alignedChildren(container, align);
  const auto key = [align](const QWidget *w) {
    switch (align) {
    case ZelAlign::Top:
      return w->y();
    case ZelAlign::Bottom:
      return -(w->y() + w->height());
    case ZelAlign::Left:
      return w->x();
    default:
      return -(w->x() + w->width());
    }
  };
  std::stable_sort(list.begin(), list.end(),
                   [&key](const QWidget *a, const QWidget *b) { return key(a) < key(b); });
  return list;
}

} // namespace

void zelSetAlign(QWidget *control, ZelAlign align) {
  control->setProperty(AlignProperty, static_cast<int>(align));
  if (QWidget *container = control->parentWidget()) {
    ensureAligner(container);
    zelRealign(container);
  }
}

ZelAlign zelAlignOf(const QWidget *control) {
  return static_cast<ZelAlign>(control->property(AlignProperty).toInt());
}

void zelRealign(QWidget *container) {
  QRect r = container->contentsRect();
  for (QWidget *w : inDockOrder(container, ZelAlign::Top)) {
    w->setGeometry(r.left(), r.top(), r.width(), w->height());
    r.setTop(r.top() + w->height());
  }
  for (QWidget *w : inDockOrder(container, ZelAlign::Bottom)) {
    w->setGeometry(r.left(), r.bottom() + 1 - w->height(), r.width(), w->height());
    r.setBottom(r.bottom() - w->height());
  }
  for (QWidget *w : inDockOrder(container, ZelAlign::Left)) {
    w->setGeometry(r.left(), r.top(), w->width(), std::max(0, r.height()));
    r.setLeft(r.left() + w->width());
  }
  for (QWidget *w : inDockOrder(container, ZelAlign::Right)) {
    w->setGeometry(r.right() + 1 - w->width(), r.top(), w->width(), std::max(0, r.height()));
    r.setRight(r.right() - w->width());
  }
  const QRect rest(r.topLeft(), QSize(std::max(0, r.width()), std::max(0, r.height())));
  for (QWidget *w : alignedChildren(container, ZelAlign::Client))
    w->setGeometry(rest);
}
