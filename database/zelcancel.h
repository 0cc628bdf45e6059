// SPDX-License-Identifier: MIT
#pragma once
// Stopping a statement while it runs. A request may come from a slot run while the dataset
// waits on the database (its waiting signal), from another thread or from a signal handler;
// the statement is interrupted in the database, and the dataset raises EzelCancelled (an
// EzelError, so that callers that only know failures still stop) instead of a failure.

#include "model/zeltypes.h"
#include "zelcore_export.h"

#include <atomic>

struct sqlite3;
struct pg_cancel;

class ZELCORE_EXPORT EzelCancelled : public EzelError {
public:
  EzelCancelled() : EzelError(QStringLiteral("Error: The statement was cancelled")) {}
};

// While one lives, the work under way is one no cancel request reaches (a connection being
// made, a statement run by the Qt driver, a statement being read into a design) and that
// leaves nothing to clean up if the process ends: a tool's signal handler may end the process
// at once instead. what() is the message saying what was stopped ("Error: The connection was
// cancelled"), safe to read in a signal handler.
class ZELCORE_EXPORT TzelStopAtOnce {
public:
  explicit TzelStopAtOnce(const char *message);
  ~TzelStopAtOnce();
  TzelStopAtOnce(const TzelStopAtOnce &) = delete;
  TzelStopAtOnce &operator=(const TzelStopAtOnce &) = delete;

  // The innermost message while one lives, else null.
  static const char *what();

private:
  const char *m_outer;
};

// The native handle a running statement can be interrupted through: the SQLite connection
// (sqlite3_interrupt) or a PostgreSQL cancel object (a cancel request to the server).
// request() is thread-safe and safe in a signal handler.
class ZELCORE_EXPORT TzelCancelTarget {
public:
  TzelCancelTarget() = default;
  TzelCancelTarget(const TzelCancelTarget &) = delete;
  TzelCancelTarget &operator=(const TzelCancelTarget &) = delete;

  void armSqlite(sqlite3 *db);
  void armPostgres(pg_cancel *cancel); // taken over, freed by disarm()
  void disarm();
  bool armed() const { return m_sqlite.load() || m_postgres.load(); }

  void request();
  bool requested() const { return m_requested.load(); }
  void reset() { m_requested.store(false); }

  // Requests every armed target of the process (for a tool's SIGINT handler); targets armed
  // later are cancelled at once, for the rest of the process.
  static void requestAll();
  static bool allRequested();

private:
  std::atomic<sqlite3 *> m_sqlite{nullptr};
  std::atomic<pg_cancel *> m_postgres{nullptr};
  std::atomic<bool> m_requested{false};
  std::atomic<int> m_requesting{0}; // requests under way: the cancel object stays until they end
};
