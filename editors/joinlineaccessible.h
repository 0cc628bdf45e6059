// SPDX-License-Identifier: MIT
#pragma once
// What a screen reader is told of the join line that has the keyboard focus: an accessible
// object of its own, a child of the surface, named as the line reads.

#include <QAccessibleInterface>
#include <QPointer>
#include <QRect>
#include <QWidget>

class TzelJoinLineAccessible : public QAccessibleInterface {
public:
  TzelJoinLineAccessible(QWidget *surface, const QString &name, const QRect &rect);

  bool isValid() const override { return !m_surface.isNull(); }
  QObject *object() const override { return nullptr; }
  QWindow *window() const override;
  QAccessibleInterface *focusChild() const override { return nullptr; }
  QAccessibleInterface *childAt(int, int) const override { return nullptr; }
  QAccessibleInterface *parent() const override;
  QAccessibleInterface *child(int) const override { return nullptr; }
  int childCount() const override { return 0; }
  int indexOfChild(const QAccessibleInterface *) const override { return -1; }
  QString text(QAccessible::Text t) const override;
  void setText(QAccessible::Text, const QString &) override {}
  QRect rect() const override;
  QAccessible::Role role() const override { return QAccessible::Graphic; }
  QAccessible::State state() const override;

private:
  QPointer<QWidget> m_surface;
  QString m_name;
  QRect m_rect; // in the surface's viewport
};
