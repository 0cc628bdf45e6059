#include "engine/pagesetupprompt.h"

namespace {

class CannotAskPrompt : public TzelPageSetupPrompt {
public:
  bool editPage(TzelQuerion &) override { return false; }
};

std::unique_ptr<TzelPageSetupPrompt> &promptSlot() {
  static std::unique_ptr<TzelPageSetupPrompt> prompt = std::make_unique<CannotAskPrompt>();
  return prompt;
}

} // namespace

std::unique_ptr<TzelPageSetupPrompt>
zelSetPageSetupPrompt(std::unique_ptr<TzelPageSetupPrompt> prompt) {
  if (!prompt)
    prompt = std::make_unique<CannotAskPrompt>();
  std::swap(promptSlot(), prompt);
  return prompt;
}

TzelPageSetupPrompt &zelPageSetupPrompt() {
  return *promptSlot();
}
