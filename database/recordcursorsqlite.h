// SPDX-License-Identifier: MIT
#pragma once
// SQLite (and STANDARD, whose tables live in an in-memory SQLite database) read through its
// own interface on the Qt driver's connection, stepping the statement row by row: the
// driver's row cache would double the work of every record.

#include "database/recordcursor.h"
#include "database/zelrecordstream.h"

struct sqlite3;
struct sqlite3_stmt;

// A row as the statement holds it: dates and times kept as ISO text are read straight from
// it, except dates with a time, which value() reads as local time.
class TzelSqliteRecord final : public TzelRawRecord {
public:
  TzelSqliteRecord(sqlite3_stmt *statement, const QList<TzelFieldDef> &defs)
      : m_stmt(statement), m_defs(defs) {}
  Kind kind(int column) const override;
  qint64 integer(int column) const override;
  double number(int column) const override;
  QByteArrayView text(int column) const override;
  bool moment(int column, TzelMoment &moment) const override;
  QVariant value(int column) const override;

private:
  sqlite3_stmt *m_stmt;
  const QList<TzelFieldDef> &m_defs;
};

class TzelSqliteCursor final : public TzelRecordCursor {
public:
  TzelSqliteCursor(TzelCursorHost &host, const QString &connectionName);
  ~TzelSqliteCursor() override;

  void start(const QString &sql) override;
  void arm(TzelCancelTarget &cancel) override;
  void disarm(TzelCancelTarget &cancel) override;
  int read(std::deque<QVariantList> &out, int max) override;
  qint64 skip(qint64 count) override;
  bool givesRawRecords() const override { return m_stmt != nullptr; }
  qint64 visit(TzelRecordVisitor &visitor, qint64 max) override;

private:
  template <typename Take> void takeRows(Take take);
  bool step();
  [[noreturn]] void failWithEngine();

  sqlite3 *m_db = nullptr;
  sqlite3_stmt *m_stmt = nullptr;
  bool m_rowPending = false; // m_stmt stands on a row not handed out yet
};
