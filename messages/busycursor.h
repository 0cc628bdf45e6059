// SPDX-License-Identifier: MIT
#pragma once
// The busy cursor for the scope of a long operation. The installed interaction shows it
// (where there is a screen); programs without widgets show nothing.

#include "zelcore_export.h"

class ZELCORE_EXPORT TzelBusyCursor {
public:
  TzelBusyCursor();
  ~TzelBusyCursor() { restore(); }
  // Restores the cursor early, before a message is shown.
  void restore();
  TzelBusyCursor(const TzelBusyCursor &) = delete;
  TzelBusyCursor &operator=(const TzelBusyCursor &) = delete;

private:
  bool m_shown = true;
};
