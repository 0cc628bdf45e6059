// SPDX-License-Identifier: MIT
#pragma once
// The class registry through which stored forms create their objects: class name ->
// factory, filled once when the library initialises. A name registered again keeps its
// first factory; the repeat is only counted.

#include "model/zelcomponent.h"
#include "zelcore_export.h"

#include <QHash>
#include <QString>
#include <functional>

class ZELCORE_EXPORT ZelRegistry {
public:
  using Factory = std::function<TzelComponent *()>;

  static ZelRegistry &instance();

  // Registers T under its meta-object class name; false when the name was already there.
  template <typename T> bool registerClass() {
    return registerClass(&T::staticMetaObject, [] { return new T; });
  }
  bool registerClass(const QMetaObject *meta, Factory factory);

  bool contains(const QString &className) const;
  // A new object of the class (owned by the caller), or nullptr for an unknown name.
  TzelComponent *create(const QString &className) const;
  const QMetaObject *metaObject(const QString &className) const;
  // How often the name was registered (0 when unknown).
  int registrationCount(const QString &className) const;
  QStringList classNames() const;

private:
  ZelRegistry() = default;
  struct Entry {
    const QMetaObject *meta = nullptr;
    Factory factory;
    int count = 0;
  };
  QHash<QString, Entry> m_entries;
};

// Registers T when the library loads: place one `static const ZelRegisterClass<T> r;` in
// the .cpp that defines T.
template <typename T> struct ZelRegisterClass {
  ZelRegisterClass() { ZelRegistry::instance().registerClass<T>(); }
};
