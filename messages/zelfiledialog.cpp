#include "messages/zelfiledialog.h"

namespace {

class ChoosesNothing : public TzelFileDialogHandler {
public:
  bool openFileName(const TzelFileRequest &, QString &) override { return false; }
  bool saveFileName(const TzelFileRequest &, QString &) override { return false; }
};

std::unique_ptr<TzelFileDialogHandler> &handlerSlot() {
  static std::unique_ptr<TzelFileDialogHandler> handler = std::make_unique<ChoosesNothing>();
  return handler;
}

} // namespace

std::unique_ptr<TzelFileDialogHandler>
zelSetFileDialogHandler(std::unique_ptr<TzelFileDialogHandler> handler) {
  if (!handler)
    handler = std::make_unique<ChoosesNothing>();
  std::swap(handlerSlot(), handler);
  return handler;
}

TzelFileDialogHandler &zelFileDialogHandler() {
  return *handlerSlot();
}

bool zelSaveFileName(const TzelFileRequest &request, QString &fileName) {
  return zelFileDialogHandler().saveFileName(request, fileName);
}

bool zelOpenFileName(const TzelFileRequest &request, QString &fileName) {
  return zelFileDialogHandler().openFileName(request, fileName);
}
