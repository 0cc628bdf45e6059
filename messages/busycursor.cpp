// SPDX-License-Identifier: MIT
#include "messages/busycursor.h"

#include "messages/zelinteraction.h"

TzelBusyCursor::TzelBusyCursor() {
  zelInteraction().setBusy(true);
}

void TzelBusyCursor::restore() {
  if (m_shown)
    zelInteraction().setBusy(false);
  m_shown = false;
}
