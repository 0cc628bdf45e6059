// SPDX-License-Identifier: MIT
#pragma once
// The named component every stored object of the library derives from: an owner (the
// QObject parent), published properties (Q_PROPERTY, in declaration order) with declared
// defaults, child objects written after the properties, and a loading state during which
// setters that would apply defaults stay passive.
//
// Declaring a stored default: Q_CLASSINFO("zel.default.Width", "115") — the value in its
// stored text form (115, True, zelJoinEqual, 'text', 0.3). A property whose current value
// has that text is not written. Without a declared default, an empty text or string list is
// not written and every other property always is; STORED false and read-only properties
// never are. A property of a QObject-pointer type is a settings object written as dotted
// sub-properties (About.HelpFile = ...), unless Q_CLASSINFO("zel.reference.<Prop>", "True")
// marks it as a reference to another component, written as that component's objectName.
// The writer and reader live in model/storedform.h; classes are created through
// model/zelregistry.h.

#include "zelcore_export.h"

#include <QList>
#include <QMetaProperty>
#include <QObject>
#include <QSet>
#include <memory>
#include <vector>

class ZELCORE_EXPORT TzelComponent : public QObject {
  Q_OBJECT
public:
  explicit TzelComponent(QObject *parent = nullptr) : QObject(parent) {}

  // The live children written after this object's properties, in stored order.
  virtual QList<TzelComponent *> storedChildren() const { return {}; }
  // A child read from the stored form attaches itself here (taking ownership). Returns
  // false when this container does not hold children of that class; the reader then
  // frees the child and reports the line.
  virtual bool attachStoredChild(TzelComponent *child) {
    Q_UNUSED(child);
    return false;
  }
  // Makes the given list this object's stored children, in that order (an undo puts back a
  // design changing only the children that differ). Children it held that are not in the list,
  // deleted ones included, pass to `released`. False when this class holds no children.
  virtual bool replaceStoredChildren(const QList<TzelComponent *> &children,
                                     std::vector<std::unique_ptr<TzelComponent>> &released) {
    Q_UNUSED(released);
    return children.isEmpty() && storedChildren().isEmpty();
  }
  // Whether the property's current value is written; the default follows the rules above.
  virtual bool isPropertyStored(const QMetaProperty &property) const;

  bool isLoading() const { return m_loading; }
  void setLoading(bool loading) { m_loading = loading; }
  // Called once after all properties and children of this object have been read.
  virtual void loaded() {}

private:
  bool m_loading = false;
};

// Empties a container's list of children, passing the ones not kept to `released` (no longer
// QObject children: the caller frees them); a step of replaceStoredChildren.
template <typename T>
void zelReleaseChildren(QList<T *> &list, const QSet<const TzelComponent *> &kept,
                        std::vector<std::unique_ptr<TzelComponent>> &released) {
  for (T *child : list)
    if (!kept.contains(child)) {
      child->setParent(nullptr);
      released.emplace_back(child);
    }
  list.clear();
}
