// SPDX-License-Identifier: MIT
#pragma once
// MariaDB (and MySQL) read through its client library on the Qt driver's connection, one
// row at a time as the server sends them (mysql_use_result: memory holds no more than the
// rows the caller keeps), with the library's non-blocking calls so that the socket is polled
// and the wait hook runs. Cancel sends KILL QUERY from a second short-lived connection.

#include "database/recordcursor.h"

#include <QElapsedTimer>
#include <functional>

struct st_mysql;
struct st_mysql_res;

class TzelMariaDbCursor final : public TzelRecordCursor {
public:
  TzelMariaDbCursor(TzelCursorHost &host, const QString &connectionName);
  ~TzelMariaDbCursor() override;

  void start(const QString &sql) override;
  int read(std::deque<QVariantList> &out, int max) override;
  qint64 skip(qint64 count) override;

private:
  // Runs a non-blocking call to its end: status is what its _start gave, cont resumes it
  // with the events seen.
  void await(int status, const std::function<int(int)> &cont);
  void advance();
  void endResults();
  void stopInServer();
  void discard();
  [[noreturn]] void failWithServer();
  QVariantList row() const;

  QString m_connectionName;
  st_mysql *m_my = nullptr;
  st_mysql_res *m_result = nullptr;
  char **m_row = nullptr; // the row not handed out yet
  bool m_killed = false;
  bool m_lost = false; // the connection was given up: it is closed once the call ends
  QElapsedTimer m_sinceKill;
};
