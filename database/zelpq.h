// SPDX-License-Identifier: MIT
#pragma once
// The PostgreSQL client library, loaded when a PostgreSQL statement first runs rather than at
// start-up: it brings some twenty libraries (TLS, Kerberos, LDAP) that programs working on
// other databases never need. Qt's PostgreSQL driver has loaded the same library by then.

#include "zelcore_export.h"

#include <QString>
#include <libpq-fe.h>

struct ZELCORE_EXPORT TzelPq {
  decltype(&::PQcancel) PQcancel;
  decltype(&::PQclear) PQclear;
  decltype(&::PQconsumeInput) PQconsumeInput;
  decltype(&::PQerrorMessage) PQerrorMessage;
  decltype(&::PQfmod) PQfmod;
  decltype(&::PQfname) PQfname;
  decltype(&::PQfreeCancel) PQfreeCancel;
  decltype(&::PQfreemem) PQfreemem;
  decltype(&::PQfsize) PQfsize;
  decltype(&::PQftype) PQftype;
  decltype(&::PQgetCancel) PQgetCancel;
  decltype(&::PQgetResult) PQgetResult;
  decltype(&::PQgetisnull) PQgetisnull;
  decltype(&::PQgetlength) PQgetlength;
  decltype(&::PQgetvalue) PQgetvalue;
  decltype(&::PQisBusy) PQisBusy;
  decltype(&::PQnfields) PQnfields;
  decltype(&::PQresultErrorField) PQresultErrorField;
  decltype(&::PQresultErrorMessage) PQresultErrorMessage;
  decltype(&::PQresultStatus) PQresultStatus;
  decltype(&::PQsendQuery) PQsendQuery;
  decltype(&::PQsetSingleRowMode) PQsetSingleRowMode;
  decltype(&::PQsocket) PQsocket;
  decltype(&::PQunescapeBytea) PQunescapeBytea;
};

// The library's functions; throws EzelError when the library cannot be loaded.
ZELCORE_EXPORT const TzelPq &zelPq();
// The functions when the library is loaded already, else null: for a signal handler, which
// must not load anything.
ZELCORE_EXPORT const TzelPq *zelPqIfLoaded();

// A message of the server or the client library in two lines at most: the first line
// as given, then the rest (detail, hint, "Is the server running…") joined on a second.
ZELCORE_EXPORT QString zelPqMessageText(const QString &text);
// A failed result's message: the primary message and its SQLSTATE, then the detail and
// the hint on a second line.
ZELCORE_EXPORT QString zelPqResultMessage(const TzelPq &pq, const PGresult *result);
