#pragma once
// The benchmarks' interaction: counts the messages that would have been shown; nothing blocks.

#include "messages/zelconsoleinteraction.h"

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
  int count = 0;
  QString last;
};
