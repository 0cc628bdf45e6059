// SPDX-License-Identifier: MIT
#pragma once
// Progress for tests: the user stops the work at the given step.

#include "support/scopedinteraction.h"

class StopAt : public ScopedInteraction {
public:
  explicit StopAt(int step) : m_left(step) {}
  void beginProgress(const QString &) override {}
  bool stepProgress(const QString &) override { return --m_left > 0; }
  void endProgress() override {}

private:
  int m_left;
};
