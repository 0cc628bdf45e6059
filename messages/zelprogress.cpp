// SPDX-License-Identifier: MIT
#include "messages/zelprogress.h"

#include "messages/zelerror.h"
#include "messages/zelinteraction.h"

TzelProgressScope::TzelProgressScope(const QString &caption) {
  zelInteraction().beginProgress(caption);
}

TzelProgressScope::~TzelProgressScope() {
  zelInteraction().endProgress();
}

bool TzelProgressScope::step(const QString &text) {
  return zelInteraction().stepProgress(text);
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
