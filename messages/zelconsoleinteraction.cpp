// SPDX-License-Identifier: MIT
#include "messages/zelconsoleinteraction.h"

#include <cstdio>

TzelAnswer TzelConsoleInteraction::messageBox(const QString &text, TzelMessageKind,
                                              TzelButtons buttons) {
  std::fprintf(stderr, "%s\n", qPrintable(text));
  return buttons == TzelButtons::Ok ? TzelAnswer::Ok : TzelAnswer::Yes;
}

void TzelConsoleInteraction::showMessageList(const QStringList &lines, const QString &) {
  for (const QString &line : lines)
    std::fprintf(stderr, "%s\n", qPrintable(line));
}

void TzelConsoleInteraction::showHelp(const QString &helpFile, int context) {
  std::fprintf(stderr, "Help: %s, context %d\n", qPrintable(helpFile), context);
}
