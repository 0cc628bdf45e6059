#pragma once
// A message handler for the benchmarks: counts what would have been shown; nothing blocks.

#include "messages/zelmessages.h"

class CountingMessages : public TzelMessageHandler {
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
  void hideMessageList() override {}
  int count = 0;
  QString last;
};
