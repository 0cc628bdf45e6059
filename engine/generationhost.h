// SPDX-License-Identifier: MIT
#pragma once
// What a generation run needs from the component that owns it (the query component): its
// parameter setting, the prompts it asks through and its four events. The events are told
// here only; the query component turns them into its signals.

#include "engine/queryprompts.h"
#include "zelcore_export.h"

class ZELCORE_EXPORT TzelGenerationHost {
public:
  virtual ~TzelGenerationHost() = default;
  virtual bool displayParams() const { return true; }
  virtual TzelQueryPrompts &prompts() const { return zelQueryPrompts(); }
  virtual void beforeParams() {}
  virtual void afterParams() {}
  virtual void beforeQuery() {}
  virtual void afterQuery() {}
};
