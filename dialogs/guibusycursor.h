#pragma once
// The wait cursor for TzelBusyCursor. The widget library installs it when it loads; a host
// that replaced the indicator can install it again.

#include "zelwidgets_export.h"

ZELWIDGETS_EXPORT void zelInstallBusyCursor();
