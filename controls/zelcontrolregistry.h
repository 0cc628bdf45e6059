// SPDX-License-Identifier: MIT
#pragma once
// Custom controls creatable by class name through the class registry, as stored forms
// create their objects. The registry makes components, so a control comes out of it inside
// a holder component; zelCreateControl unwraps it.

#include "model/zelcomponent.h"
#include "model/zelregistry.h"
#include "zelwidgets_export.h"

#include <QPointer>
#include <QWidget>

class ZELWIDGETS_EXPORT ZelControlHolder : public TzelComponent {
  Q_OBJECT
public:
  // Takes ownership of the control.
  explicit ZelControlHolder(QWidget *control);
  ~ZelControlHolder() override;

  QWidget *control() const { return m_control; }
  // Hands the control over to the caller; the holder is empty afterwards.
  QWidget *takeControl();

private:
  QPointer<QWidget> m_control;
};

// Whether widgets can be made in this process (a QApplication runs).
ZELWIDGETS_EXPORT bool zelCanCreateControls();

// Registers T when the widgets library loads: one `const ZelRegisterControl<T> r;` in the
// .cpp that defines T. Without a QApplication the factory makes nothing, so a stored form
// naming a control reads as an unknown class instead of aborting.
template <typename T> struct ZelRegisterControl {
  ZelRegisterControl() {
    ZelRegistry::instance().registerClass(&T::staticMetaObject, []() -> TzelComponent * {
      return zelCanCreateControls() ? new ZelControlHolder(new T) : nullptr;
    });
  }
};

// A new control of the registered class, given to parent; nullptr when the name is
// unknown, names no control, or no QApplication runs.
ZELWIDGETS_EXPORT QWidget *zelCreateControl(const QString &className, QWidget *parent = nullptr);
