// SPDX-License-Identifier: MIT
#include "editors/joinlineaccessible.h"

#include <QAbstractScrollArea>

TzelJoinLineAccessible::TzelJoinLineAccessible(QWidget *surface, const QString &name,
                                               const QRect &rect)
    : m_surface(surface), m_name(name), m_rect(rect) {}

QWindow *TzelJoinLineAccessible::window() const {
  return m_surface ? m_surface->window()->windowHandle() : nullptr;
}

QAccessibleInterface *TzelJoinLineAccessible::parent() const {
  return m_surface ? QAccessible::queryAccessibleInterface(m_surface) : nullptr;
}

QString TzelJoinLineAccessible::text(QAccessible::Text t) const {
  return t == QAccessible::Name ? m_name : QString();
}

QRect TzelJoinLineAccessible::rect() const {
  const auto *area = qobject_cast<QAbstractScrollArea *>(m_surface.data());
  const QWidget *viewport = area ? area->viewport() : m_surface.data();
  return viewport ? QRect(viewport->mapToGlobal(m_rect.topLeft()), m_rect.size()) : QRect();
}

QAccessible::State TzelJoinLineAccessible::state() const {
  QAccessible::State state;
  state.focusable = true;
  state.focused = m_surface && m_surface->hasFocus();
  state.selectable = true;
  state.selected = true;
  return state;
}
