// SPDX-License-Identifier: MIT
#pragma once
// The benchmarks' interaction: counts the messages that would have been shown; nothing blocks.

#include "messages/zelconsoleinteraction.h"

#include <QtGlobal>
#include <cstdio>

class CountingMessages : public TzelConsoleInteraction {
public:
  TzelAnswer messageBox(const QString &text, TzelMessageKind, TzelButtons) override {
    last = text;
    ++count;
    return TzelAnswer::Ok;
  }
  bool inputBox(const QString &, const QString &, QString &) override { return false; }
  void showMessageList(const QStringList &lines, const QString &) override {
    count += int(lines.size());
    last = lines.value(0);
  }
  // After the runs: how many messages they raised, and the last one.
  void report() const {
    if (count > 0)
      std::fprintf(stderr, "%d messages during the runs, last: %s\n", count, qPrintable(last));
  }
  int count = 0;
  QString last;
};

// Widget benchmarks draw offscreen unless told otherwise; called before the application is made.
inline void useOffscreenUnlessSet() {
  if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
    qputenv("QT_QPA_PLATFORM", "offscreen");
}
