// SPDX-License-Identifier: MIT
#include "editors/tableaccessible.h"

QAccessible::State TzelTableAccessible::state() const {
  QAccessible::State state;
  state.focusable = true; // the keys make its window and go there
  state.offscreen = true;
  return state;
}
