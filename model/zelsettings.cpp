// SPDX-License-Identifier: MIT
#include "model/zelsettings.h"

#include <QMetaProperty>
#include <QObject>

void zelAssignSettings(QObject *target, const QObject *source) {
  if (!target || !source || target == source)
    return;
  const QMetaObject *meta = source->metaObject();
  for (int i = QObject::staticMetaObject.propertyCount(); i < meta->propertyCount(); ++i) {
    const QMetaProperty property = meta->property(i);
    const QVariant value = property.read(source);
    if (property.metaType().flags().testFlag(QMetaType::PointerToQObject)) {
      const QVariant own = target->property(property.name());
      zelAssignSettings(own.value<QObject *>(), value.value<QObject *>());
    } else if (property.isWritable()) {
      target->setProperty(property.name(), value);
    }
  }
}
