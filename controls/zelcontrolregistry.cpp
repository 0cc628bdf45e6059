// SPDX-License-Identifier: MIT
#include "controls/zelcontrolregistry.h"

#include <QApplication>
#include <memory>

ZelControlHolder::ZelControlHolder(QWidget *control) : m_control(control) {}

ZelControlHolder::~ZelControlHolder() {
  // A control never taken has no other owner.
  if (m_control && !m_control->parent())
    delete m_control;
}

QWidget *ZelControlHolder::takeControl() {
  QWidget *control = m_control;
  m_control = nullptr;
  return control;
}

bool zelCanCreateControls() {
  return qobject_cast<QApplication *>(QCoreApplication::instance()) != nullptr;
}

QWidget *zelCreateControl(const QString &className, QWidget *parent) {
  std::unique_ptr<TzelComponent> made(ZelRegistry::instance().create(className));
  auto *holder = qobject_cast<ZelControlHolder *>(made.get());
  if (!holder)
    return nullptr;
  QWidget *control = holder->takeControl();
  if (control && parent)
    control->setParent(parent);
  return control;
}
