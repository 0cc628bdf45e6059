#pragma once
// The busy cursor for the scope of a long operation, where there is a screen to show it.

#include <QCoreApplication>
#include <QCursor>
#include <QGuiApplication>

class TzelBusyCursor {
public:
  TzelBusyCursor() : m_shown(qobject_cast<QGuiApplication *>(QCoreApplication::instance())) {
    if (m_shown)
      QGuiApplication::setOverrideCursor(QCursor(Qt::WaitCursor));
  }
  ~TzelBusyCursor() { restore(); }
  // Restores the cursor early, before a message is shown.
  void restore() {
    if (m_shown)
      QGuiApplication::restoreOverrideCursor();
    m_shown = false;
  }
  TzelBusyCursor(const TzelBusyCursor &) = delete;
  TzelBusyCursor &operator=(const TzelBusyCursor &) = delete;

private:
  bool m_shown;
};
