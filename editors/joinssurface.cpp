// SPDX-License-Identifier: MIT
#include "editors/joinssurface.h"

#include <QAccessibleWidget>
#include <QKeyEvent>
#include <QMdiSubWindow>
#include <QMouseEvent>
#include <QPaintEvent>
#include <QPainter>

namespace {

// The surface as a screen reader sees it: a layered pane whose children are the table windows
// (as the stock interface of a window area has them) and then the tables without a window,
// described by the join lines.
class SurfaceAccessible : public QAccessibleWidget {
public:
  explicit SurfaceAccessible(TzelJoinsSurface *surface)
      : QAccessibleWidget(surface, QAccessible::LayeredPane) {}

  QString text(QAccessible::Text t) const override {
    const auto *area = static_cast<const TzelJoinsSurface *>(widget());
    if (t == QAccessible::Description && area->describeLines)
      return area->describeLines();
    return QAccessibleWidget::text(t);
  }
  int childCount() const override { return windowCount() + unmadeCount(); }
  QAccessibleInterface *child(int index) const override {
    const int windows = windowCount();
    if (index >= windows)
      return index < windows + unmadeCount() ? surface()->unmadeTable(index - windows) : nullptr;
    QMdiSubWindow *window = surface()->subWindowList().value(index);
    return window ? QAccessible::queryAccessibleInterface(window) : nullptr;
  }
  int indexOfChild(const QAccessibleInterface *child) const override {
    if (!child)
      return -1;
    if (auto *window = qobject_cast<QMdiSubWindow *>(child->object()))
      return int(surface()->subWindowList().indexOf(window));
    for (int i = 0; i < unmadeCount(); ++i)
      if (surface()->unmadeTable(i) == child)
        return windowCount() + i;
    return -1;
  }

private:
  TzelJoinsSurface *surface() const { return static_cast<TzelJoinsSurface *>(widget()); }
  int windowCount() const { return int(surface()->subWindowList().size()); }
  int unmadeCount() const {
    return surface()->unmadeTableCount ? surface()->unmadeTableCount() : 0;
  }
};

QAccessibleInterface *accessibleSurface(const QString &className, QObject *object) {
  auto *surface = qobject_cast<TzelJoinsSurface *>(object);
  if (!surface || className != QLatin1String(TzelJoinsSurface::staticMetaObject.className()))
    return nullptr;
  return new SurfaceAccessible(surface);
}

} // namespace

TzelJoinsSurface::TzelJoinsSurface(QWidget *parent) : QMdiArea(parent) {
  static const bool factoryInstalled = [] {
    QAccessible::installFactory(accessibleSurface);
    return true;
  }();
  Q_UNUSED(factoryInstalled)
  setObjectName(QStringLiteral("surface"));
  setAccessibleName(tr("Tables and join lines"));
  setBackground(QColor(192, 192, 192));
  setFrameShape(QFrame::NoFrame);
  // The editor around the surface scrolls; the surface itself never does.
  setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
  setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
  setActivationOrder(QMdiArea::CreationOrder);
  // A join line clicked or reached with Tab takes the keyboard focus.
  setFocusPolicy(Qt::ClickFocus);
}

void TzelJoinsSurface::linesChanged() {
  if (!QAccessible::isActive())
    return;
  QAccessibleEvent event(this, QAccessible::DescriptionChanged);
  QAccessible::updateAccessibility(&event);
}

void TzelJoinsSurface::paintEvent(QPaintEvent *event) {
  QMdiArea::paintEvent(event);
  if (!paintLines)
    return;
  QPainter painter(viewport());
  painter.setClipRect(event->rect());
  paintLines(painter);
}

void TzelJoinsSurface::mousePressEvent(QMouseEvent *event) {
  event->accept();
  emit backgroundPressed(event->position().toPoint(), event->button(),
                         event->globalPosition().toPoint());
}

void TzelJoinsSurface::mouseReleaseEvent(QMouseEvent *event) {
  event->accept();
}

void TzelJoinsSurface::mouseDoubleClickEvent(QMouseEvent *event) {
  event->accept();
  emit backgroundDoubleClicked(event->position().toPoint());
}

void TzelJoinsSurface::keyPressEvent(QKeyEvent *event) {
  if (lineKey && lineKey(*event)) {
    event->accept();
    return;
  }
  QMdiArea::keyPressEvent(event);
}

bool TzelJoinsSurface::focusNextPrevChild(bool next) {
  if (!tabFromLine || !hasFocus())
    return QMdiArea::focusNextPrevChild(next);
  tabFromLine(next);
  return true;
}
