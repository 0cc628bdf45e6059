#pragma once
// One running statement whose records are read forward, a block at a time, so that
// memory holds only what the caller keeps. SQLite (and STANDARD, whose tables live in an
// in-memory SQLite database) steps its statement row by row; PostgreSQL sends single rows
// (the driver's forward-only mode). While the database works, the wait hook is called
// about every 50 ms, and the cancel target can interrupt the statement.

#include "database/zeldataset.h"
#include "database/zelsession.h"

#include <QElapsedTimer>
#include <QSqlQuery>
#include <deque>
#include <functional>

class TzelCancelTarget;
struct sqlite3;
struct sqlite3_stmt;

class TzelRecordStream {
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

  // Called by the SQLite progress handler while a step runs.
  bool progress();

private:
  template <typename Step> bool guarded(Step step);
  void failWith(const QSqlError &error);
  [[noreturn]] void failWith(const QString &message);
  void startSqlite(const QString &connectionName, const QString &sql);
  bool stepSqlite();
  QVariantList sqliteRow() const;

  QSqlQuery m_query;       // PostgreSQL
  sqlite3 *m_db = nullptr; // SQLite and STANDARD: the statement on the driver's connection
  sqlite3_stmt *m_stmt = nullptr;
  bool m_rowPending = false; // m_stmt stands on a row not handed out yet
  TzelDriverKind m_kind;
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
QVariant zelTypedValue(const QVariant &raw, const TzelFieldDef &def);
