// SPDX-License-Identifier: MIT
#pragma once
// Firebird read through its client library's DSQL calls on the Qt driver's attachment, one
// record at a time as the server sends them, each statement in a transaction of its own
// (committed at its end, as Qt's driver does). The library has no non-blocking calls, so they
// run on a worker thread while this thread runs the wait hook; Cancel stops the statement in
// the server with fb_cancel_operation, and one not ended within 1 s has its attachment given up.

#include "database/blockingcall.h"
#include "database/recordcursor.h"

#include <QElapsedTimer>
#include <atomic>
#include <ibase.h>
#include <vector>

class TzelFirebirdCursor final : public TzelRecordCursor {
public:
  TzelFirebirdCursor(TzelCursorHost &host, const QString &connectionName);
  ~TzelFirebirdCursor() override;

  void start(const QString &sql) override;
  int read(std::deque<QVariantList> &out, int max) override;
  qint64 skip(qint64 count) override;

private:
  // How one column's bytes become a value.
  struct Column {
    short type;    // the SQL type without its null flag
    short scale;   // a power of ten, below 0 for NUMERIC and DECIMAL
    bool binary;   // text of character set OCTETS
    int length;    // characters of a CHAR column, kept with their padding
    bool textBlob; // BLOB SUB_TYPE TEXT
  };

  // Runs call (false: a failure in m_status) on the worker while the wait hook runs.
  bool await(const std::function<bool()> &call);
  void pollWhileWaiting();
  bool prepare(const QByteArray &text);
  void describeColumns();
  // On the worker: fetches up to max records, handing each to keep unless it is null.
  bool fetch(qint64 max, qint64 &count, std::deque<QVariantList> *keep);
  bool value(int column, QVariant &out);
  bool readBlob(ISC_QUAD id, QByteArray &bytes);
  // Ends the statement and its transaction, committed or rolled back.
  void finish(bool commit);
  [[noreturn]] void failWithServer();

  QString m_connectionName;
  isc_db_handle m_db = 0;
  isc_tr_handle m_tr = 0;
  isc_stmt_handle m_stmt = 0;
  ISC_STATUS_ARRAY m_status{};
  std::vector<char> m_sqlda;  // the XSQLDA of the columns
  std::vector<char> m_buffer; // the current record's values
  std::vector<short> m_nulls;
  std::vector<Column> m_columns;
  TzelBlockingCall m_worker;
  std::atomic<bool> m_stop{false};
  bool m_cancelSent = false;
  bool m_lost = false;
  QElapsedTimer m_sinceCancel;
};
