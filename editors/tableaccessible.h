// SPDX-License-Identifier: MIT
#pragma once
// What a screen reader is told of a table that has no window yet, being out of view: an
// accessible object of its own, a child of the surface, read as its window would read
// ("Orders table, 6 fields") and placed where the window would stand.

#include "editors/joinlineaccessible.h"

class TzelTableAccessible : public TzelJoinLineAccessible {
public:
  using TzelJoinLineAccessible::TzelJoinLineAccessible;

  QAccessible::Role role() const override { return QAccessible::Window; }
  QAccessible::State state() const override;
};
