#include "messages/zelprogress.h"

#include "messages/zelerror.h"

namespace {

class SilentProgress : public TzelProgressHandler {
public:
  void begin(const QString &) override {}
  bool step(const QString &) override { return true; }
  void end() override {}
};

std::unique_ptr<TzelProgressHandler> &progressSlot() {
  static std::unique_ptr<TzelProgressHandler> handler = std::make_unique<SilentProgress>();
  return handler;
}

} // namespace

std::unique_ptr<TzelProgressHandler>
zelSetProgressHandler(std::unique_ptr<TzelProgressHandler> handler) {
  if (!handler)
    handler = std::make_unique<SilentProgress>();
  std::swap(progressSlot(), handler);
  return handler;
}

TzelProgressHandler &zelProgressHandler() {
  return *progressSlot();
}

TzelProgressScope::TzelProgressScope(const QString &caption) {
  zelProgressHandler().begin(caption);
}

TzelProgressScope::~TzelProgressScope() {
  zelProgressHandler().end();
}

bool TzelProgressScope::step(const QString &text) {
  return zelProgressHandler().step(text);
}

TzelCountingProgress::TzelCountingProgress(const QString &caption, const QString &label,
                                           const QString &stopMessage)
    : m_scope(caption), m_label(label), m_stopMessage(stopMessage) {}

void TzelCountingProgress::count() {
  // Often enough for Cancel to answer at once, rarely enough to cost nothing per record.
  constexpr int kEvery = 256;
  if (++m_count % kEvery == 0 && !m_scope.step(m_label.arg(m_count)))
    throw EzelError(m_stopMessage);
}

TzelCountingProgress zelExportProgress() {
  return TzelCountingProgress(
      QStringLiteral("Exporting"), QStringLiteral("Records exported: %1"),
      QStringLiteral("Error: The export was cancelled; no file was written."));
}
