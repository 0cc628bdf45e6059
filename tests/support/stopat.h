#pragma once
// A progress handler for tests: the user stops the work at the given step.

#include "messages/zelprogress.h"

class StopAt : public TzelProgressHandler {
public:
  explicit StopAt(int step) : m_left(step) {}
  void begin(const QString &) override {}
  bool step(const QString &) override { return --m_left > 0; }
  void end() override {}

private:
  int m_left;
};
