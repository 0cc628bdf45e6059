#pragma once
// One running statement whose records are read forward, a block at a time, so that
// memory holds only what the caller keeps. SQLite (and STANDARD, whose tables live in an
// in-memory SQLite database) steps its statement row by row; PostgreSQL sends single rows
// through its client library, which is polled rather than blocked on. While the database
// works, the wait hook is called about every 50 ms, and the cancel target can interrupt
// the statement.

#include "database/zeldataset.h"
#include "database/zelsession.h"
#include "zelcore_export.h"

#include <QElapsedTimer>
#include <deque>
#include <functional>

class TzelCancelTarget;
struct sqlite3;
struct sqlite3_stmt;
struct pg_conn;
struct pg_result;

class ZELCORE_EXPORT TzelRecordStream {
public:
  using WaitHook = std::function<void()>;
  // Runs sql on the named Qt connection; throws EzelCancelled when cancelled, EzelError
  // with the driver's message when the statement fails.
  TzelRecordStream(const QString &connectionName, TzelDriverKind kind, const QString &sql,
                   TzelCancelTarget &cancel, WaitHook wait);
  ~TzelRecordStream();
  TzelRecordStream(const TzelRecordStream &) = delete;
  TzelRecordStream &operator=(const TzelRecordStream &) = delete;

  bool isSelect() const { return m_select; }
  const QList<TzelFieldDef> &fieldDefs() const { return m_defs; }
  // Appends up to max records to out (fewer only at the end of the result) and returns
  // how many; throws as the constructor does.
  int read(std::deque<QVariantList> &out, int max);
  // Passes over up to count records without keeping them; returns how many.
  qint64 skip(qint64 count);
  bool atEnd() const { return m_atEnd; }

  // Called while the database works: by the SQLite progress handler, and between polls
  // of the PostgreSQL connection.
  bool progress();

private:
  template <typename Step> bool guarded(Step step);
  [[noreturn]] void failWith(const QString &message);
  void startSqlite(const QString &connectionName, const QString &sql);
  bool stepSqlite();
  QVariantList sqliteRow() const;
  void startPostgres(const QString &connectionName, const QString &sql);
  pg_result *awaitResult();
  void advancePostgres();
  void endPostgres();
  [[noreturn]] void failPostgres(pg_result *result);
  void discardPostgres(bool cancel);
  QVariantList postgresRow() const;

  pg_conn *m_pg = nullptr;      // PostgreSQL: the driver's connection
  pg_result *m_pgRow = nullptr; // the row not handed out yet
  bool m_pgRunning = false;     // results of the statement are still to come
  sqlite3 *m_db = nullptr;      // SQLite and STANDARD: the statement on the driver's connection
  sqlite3_stmt *m_stmt = nullptr;
  bool m_rowPending = false; // m_stmt stands on a row not handed out yet
  TzelCancelTarget &m_cancel;
  WaitHook m_wait;
  QList<TzelFieldDef> m_defs;
  bool m_select = false;
  bool m_atEnd = true;
  QElapsedTimer m_sinceWait;
};

// A value as the database gave it, in the type its field declares (SQLite keeps dates,
// times and flags as text and integers). Throws EzelError for a text that is not a date
// or time of the field's type.
ZELCORE_EXPORT QVariant zelTypedValue(const QVariant &raw, const TzelFieldDef &def);
