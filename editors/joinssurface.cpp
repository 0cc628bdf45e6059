#include "editors/joinssurface.h"

#include <QKeyEvent>
#include <QMouseEvent>
#include <QPaintEvent>
#include <QPainter>

TzelJoinsSurface::TzelJoinsSurface(QWidget *parent) : QMdiArea(parent) {
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
