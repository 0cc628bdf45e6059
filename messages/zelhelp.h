#pragma once
// The help operation every window calls. The core calls zelShowHelp only; a handler
// installed at start-up decides how help appears (our help window in the program, a
// recording in tests, standard error in tools).

#include "zelcore_export.h"

#include <QString>
#include <memory>

class ZELCORE_EXPORT TzelHelpHandler {
public:
  virtual ~TzelHelpHandler() = default;
  // context 0 = contents, -1 = keyword search, otherwise the topic with that number.
  virtual void showHelp(const QString &helpFile, int context) = 0;
};

// Installs the process's help handler (ownership passes; null restores the default)
// and returns the previous one.
ZELCORE_EXPORT std::unique_ptr<TzelHelpHandler>
zelSetHelpHandler(std::unique_ptr<TzelHelpHandler> handler);
ZELCORE_EXPORT TzelHelpHandler &zelHelpHandler();

ZELCORE_EXPORT void zelShowHelp(const QString &helpFile, int context);
