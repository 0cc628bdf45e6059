#include "messages/zelhelp.h"

#include <cstdio>

namespace {

// Until a program installs its own viewer, help requests are only noted on standard error.
class StderrHelp : public TzelHelpHandler {
public:
  void showHelp(const QString &helpFile, int context) override {
    std::fprintf(stderr, "Help: %s, context %d\n", qPrintable(helpFile), context);
  }
};

std::unique_ptr<TzelHelpHandler> &helpSlot() {
  static std::unique_ptr<TzelHelpHandler> handler = std::make_unique<StderrHelp>();
  return handler;
}

} // namespace

std::unique_ptr<TzelHelpHandler> zelSetHelpHandler(std::unique_ptr<TzelHelpHandler> handler) {
  if (!handler)
    handler = std::make_unique<StderrHelp>();
  std::swap(helpSlot(), handler);
  return handler;
}

TzelHelpHandler &zelHelpHandler() {
  return *helpSlot();
}

void zelShowHelp(const QString &helpFile, int context) {
  zelHelpHandler().showHelp(helpFile, context);
}
