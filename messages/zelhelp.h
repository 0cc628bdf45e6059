// SPDX-License-Identifier: MIT
#pragma once
// The help operation every window calls. The core calls zelShowHelp only; the installed
// interaction (zelinteraction.h) decides how help appears (our help window in the program,
// a recording in tests, standard error in tools).

#include "zelcore_export.h"

#include <QString>

// context 0 = contents, -1 = keyword search, otherwise the topic with that number.
ZELCORE_EXPORT void zelShowHelp(const QString &helpFile, int context);
