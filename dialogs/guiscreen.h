// SPDX-License-Identifier: MIT
#pragma once
// Placing the library's windows on the screen.

#include "zelwidgets_export.h"

class QWidget;

// Moves the window to the middle of the screen it is on (the primary one before it is shown).
ZELWIDGETS_EXPORT void zelCentreOnScreen(QWidget &window);
