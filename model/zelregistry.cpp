// SPDX-License-Identifier: MIT
#include "model/zelregistry.h"

ZelRegistry &ZelRegistry::instance() {
  static ZelRegistry registry;
  return registry;
}

bool ZelRegistry::registerClass(const QMetaObject *meta, Factory factory) {
  Entry &entry = m_entries[QString::fromLatin1(meta->className())];
  if (entry.count++ > 0)
    return false;
  entry.meta = meta;
  entry.factory = std::move(factory);
  return true;
}

bool ZelRegistry::contains(const QString &className) const {
  return m_entries.contains(className);
}

TzelComponent *ZelRegistry::create(const QString &className) const {
  const auto it = m_entries.constFind(className);
  return it == m_entries.cend() ? nullptr : it->factory();
}

const QMetaObject *ZelRegistry::metaObject(const QString &className) const {
  const auto it = m_entries.constFind(className);
  return it == m_entries.cend() ? nullptr : it->meta;
}

int ZelRegistry::registrationCount(const QString &className) const {
  return m_entries.value(className).count;
}

QStringList ZelRegistry::classNames() const {
  return m_entries.keys();
}
