// SPDX-License-Identifier: MIT
#pragma once
// MariaDB's client library (libmariadb, which Qt's QMYSQL driver uses), loaded when a MariaDB
// statement first runs rather than at start-up, as the PostgreSQL one is. Its non-blocking
// calls let a statement's socket be polled, so that a waiting window can offer Cancel.

#include "zelcore_export.h"

#include <QString>
#include <mysql.h>

struct ZELCORE_EXPORT TzelMariaDb {
  decltype(&::mysql_close) close;
  decltype(&::mysql_errno) errnoOf;
  decltype(&::mysql_error) error;
  decltype(&::mysql_fetch_fields) fetchFields;
  decltype(&::mysql_fetch_lengths) fetchLengths;
  decltype(&::mysql_fetch_row) fetchRow;
  decltype(&::mysql_fetch_row_cont) fetchRowCont;
  decltype(&::mysql_fetch_row_start) fetchRowStart;
  decltype(&::mysql_field_count) fieldCount;
  decltype(&::mysql_free_result) freeResult;
  decltype(&::mysql_get_socket) socket;
  decltype(&::mysql_get_timeout_value_ms) timeoutMs;
  decltype(&::mysql_init) init;
  decltype(&::mysql_more_results) moreResults;
  decltype(&::mysql_next_result) nextResult;
  decltype(&::mysql_next_result_cont) nextResultCont;
  decltype(&::mysql_next_result_start) nextResultStart;
  decltype(&::mysql_num_fields) numFields;
  decltype(&::mysql_options) options;
  decltype(&::mysql_real_connect) realConnect;
  decltype(&::mysql_real_query) realQuery;
  decltype(&::mysql_real_query_cont) realQueryCont;
  decltype(&::mysql_real_query_start) realQueryStart;
  decltype(&::mysql_thread_id) threadId;
  decltype(&::mysql_use_result) useResult;
};

// The library's functions; throws EzelError when the library cannot be loaded.
ZELCORE_EXPORT const TzelMariaDb &zelMariaDb();

// Stops the statement that the connection of threadId runs (KILL QUERY), from a second
// short-lived connection with the same settings. False when that connection failed.
ZELCORE_EXPORT bool zelMariaDbKillQuery(const QString &host, int port, const QString &user,
                                        const QString &password, unsigned long threadId);
