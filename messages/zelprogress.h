#pragma once
// Long work the user can stop. The core reports how far a task is through zelProgress; a
// handler installed at start-up decides what the user sees (a window with Cancel in the
// program, nothing in tools and tests, which then never cancel).

#include "zelcore_export.h"

#include <QString>
#include <memory>

class ZELCORE_EXPORT TzelProgressHandler {
public:
  virtual ~TzelProgressHandler() = default;
  // Tasks nest (an export that waits for the database): each begin has its end.
  virtual void begin(const QString &caption) = 0;
  // The task's state in words; false once the user has asked to stop.
  virtual bool step(const QString &text) = 0;
  virtual void end() = 0;
};

// Installs the process's progress handler (ownership passes; null restores the silent
// default) and returns the previous one.
ZELCORE_EXPORT std::unique_ptr<TzelProgressHandler>
zelSetProgressHandler(std::unique_ptr<TzelProgressHandler> handler);
ZELCORE_EXPORT TzelProgressHandler &zelProgressHandler();

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
