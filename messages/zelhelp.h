#pragma once
// The help operation every window calls. The core calls zelShowHelp only; the installed
// interaction (zelinteraction.h) decides how help appears (our help window in the program,
// a recording in tests, standard error in tools).

#include <QString>

// context 0 = contents, -1 = keyword search, otherwise the topic with that number.
void zelShowHelp(const QString &helpFile, int context);
