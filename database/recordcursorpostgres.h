// SPDX-License-Identifier: MIT
#pragma once
// PostgreSQL read through its client library on the Qt driver's connection, one row per
// result, its socket polled rather than blocked on: a call that waited for the server would
// block the thread, so no waiting window could offer Cancel.

#include "database/recordcursor.h"

struct pg_conn;
struct pg_result;

class TzelPostgresCursor final : public TzelRecordCursor {
public:
  TzelPostgresCursor(TzelCursorHost &host, const QString &connectionName);
  ~TzelPostgresCursor() override;

  void start(const QString &sql) override;
  void arm(TzelCancelTarget &cancel) override;
  void disarm(TzelCancelTarget &cancel) override;
  int read(std::deque<QVariantList> &out, int max) override;
  qint64 skip(qint64 count) override;
  bool givesRawRecords() const override { return m_select; }
  qint64 visit(TzelRecordVisitor &visitor, qint64 max) override;

private:
  pg_result *awaitResult();
  void advance();
  void end();
  [[noreturn]] void failWithResult(pg_result *result);
  void discard(bool cancel);
  [[noreturn]] void drop(const QString &message);
  QVariantList row() const;

  QString m_connectionName;
  pg_conn *m_pg = nullptr;      // the driver's connection
  pg_result *m_pgRow = nullptr; // the row not handed out yet
  bool m_running = false;       // results of the statement are still to come
};
