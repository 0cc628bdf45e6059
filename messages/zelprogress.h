// SPDX-License-Identifier: MIT
#pragma once
// Long work the user can stop. The core reports how far a task is through these classes; the
// installed interaction (zelinteraction.h) decides what the user sees (a window with Cancel in
// the program, nothing in tools and tests, which then never cancel).

#include "zelcore_export.h"

#include <QString>

// One task from construction to destruction.
class ZELCORE_EXPORT TzelProgressScope {
public:
  explicit TzelProgressScope(const QString &caption);
  ~TzelProgressScope();
  TzelProgressScope(const TzelProgressScope &) = delete;
  TzelProgressScope &operator=(const TzelProgressScope &) = delete;

  // False once the user has asked to stop.
  bool step(const QString &text);
};

// A task that goes through things one by one (records exported): every so many, the count
// in words. count() raises EzelError with the stop message once the user has asked to stop.
class ZELCORE_EXPORT TzelCountingProgress {
public:
  // label holds %1 for the count ("Records exported: %1").
  TzelCountingProgress(const QString &caption, const QString &label, const QString &stopMessage);
  void count();
  void restart() { m_count = 0; }
  int counted() const { return m_count; }

private:
  TzelProgressScope m_scope;
  QString m_label;
  QString m_stopMessage;
  int m_count = 0;
};

// The progress of writing records to a file, whatever its format.
ZELCORE_EXPORT TzelCountingProgress zelExportProgress();
