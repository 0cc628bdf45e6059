#pragma once
// The page setup dialog as the core sees it: editPage shows the query component's page
// settings for editing and, on OK, writes them back and returns true; cancel returns false
// and changes nothing.

#include "zelcore_export.h"

#include <memory>

class TzelQuerion;

class ZELCORE_EXPORT TzelPageSetupPrompt {
public:
  virtual ~TzelPageSetupPrompt() = default;
  virtual bool editPage(TzelQuerion &querion) = 0;
};

// Installs the process's prompt (ownership passes; null restores the default, which cannot
// ask and so confirms nothing, without blocking) and returns the previous one.
ZELCORE_EXPORT std::unique_ptr<TzelPageSetupPrompt>
zelSetPageSetupPrompt(std::unique_ptr<TzelPageSetupPrompt> prompt);
ZELCORE_EXPORT TzelPageSetupPrompt &zelPageSetupPrompt();
