// SPDX-License-Identifier: MIT
#pragma once
// The message of the EzelError an action raises; empty when it raises none.

#include "model/zeltypes.h"

#include <QString>
#include <functional>

inline QString errorOf(const std::function<void()> &action) {
  try {
    action();
  } catch (const EzelError &e) {
    return e.message();
  }
  return QString();
}
