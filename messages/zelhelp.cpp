// SPDX-License-Identifier: MIT
#include "messages/zelhelp.h"

#include "messages/zelinteraction.h"

void zelShowHelp(const QString &helpFile, int context) {
  zelInteraction().showHelp(helpFile, context);
}
