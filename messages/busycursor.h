#pragma once
// The busy cursor for the scope of a long operation. The widget library installs what shows
// it (where there is a screen); programs without widgets show nothing.

#include "zelcore_export.h"

#include <functional>

// Called with true when an operation starts being busy and with false when it ends.
using TzelBusyIndicator = std::function<void(bool busy)>;
ZELCORE_EXPORT void zelSetBusyIndicator(TzelBusyIndicator indicator);

class ZELCORE_EXPORT TzelBusyCursor {
public:
  TzelBusyCursor();
  ~TzelBusyCursor() { restore(); }
  // Restores the cursor early, before a message is shown.
  void restore();
  TzelBusyCursor(const TzelBusyCursor &) = delete;
  TzelBusyCursor &operator=(const TzelBusyCursor &) = delete;

private:
  bool m_shown;
};
