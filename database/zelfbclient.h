// SPDX-License-Identifier: MIT
#pragma once
// Firebird's client library (libfbclient, which Qt's QIBASE driver uses), loaded when a
// Firebird statement first runs rather than at start-up, as the PostgreSQL and MariaDB ones
// are. Statements run through its DSQL calls on the Qt driver's attachment.

#include "zelcore_export.h"

#include <QString>
#include <ibase.h>

struct ZELCORE_EXPORT TzelFbClient {
  decltype(&::fb_cancel_operation) cancelOperation;
  decltype(&::fb_interpret) interpret;
  decltype(&::fb_sqlstate) sqlState;
  decltype(&::isc_close_blob) closeBlob;
  decltype(&::isc_commit_transaction) commit;
  decltype(&::isc_dsql_allocate_statement) allocateStatement;
  decltype(&::isc_dsql_describe) describe;
  decltype(&::isc_dsql_execute) execute;
  decltype(&::isc_dsql_fetch) fetch;
  decltype(&::isc_dsql_free_statement) freeStatement;
  decltype(&::isc_dsql_prepare) prepare;
  decltype(&::isc_dsql_sql_info) sqlInfo;
  decltype(&::isc_get_segment) getSegment;
  decltype(&::isc_open_blob2) openBlob;
  decltype(&::isc_rollback_transaction) rollback;
  decltype(&::isc_start_multiple) startMultiple;
  decltype(&::isc_vax_integer) vaxInteger;
};

// The library's functions; throws EzelError when the library cannot be loaded.
ZELCORE_EXPORT const TzelFbClient &zelFbClient();

// The failure a status vector holds, in the server's words with its SQLSTATE:
// "arithmetic exception, numeric overflow, or string truncation; Integer divide by zero. (22012)".
ZELCORE_EXPORT QString zelFbMessage(const ISC_STATUS *status);
