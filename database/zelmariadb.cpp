// SPDX-License-Identifier: MIT
#include "database/zelmariadb.h"

#include "model/zeltypes.h"

#include <QLibrary>

using namespace Qt::StringLiterals;

namespace {

template <typename F> void resolve(QLibrary &library, F &function, const char *name) {
  function = reinterpret_cast<F>(library.resolve(name));
  if (!function)
    throw EzelError(u"Error: The MariaDB client library lacks "_s + QLatin1String(name));
}

TzelMariaDb load() {
  static QLibrary library(u"mariadb"_s, 3);
  if (!library.load())
    throw EzelError(u"Error: The MariaDB client library cannot be loaded: "_s +
                    library.errorString());
  TzelMariaDb my{};
  resolve(library, my.close, "mysql_close");
  resolve(library, my.errnoOf, "mysql_errno");
  resolve(library, my.error, "mysql_error");
  resolve(library, my.fetchFields, "mysql_fetch_fields");
  resolve(library, my.fetchLengths, "mysql_fetch_lengths");
  resolve(library, my.fetchRow, "mysql_fetch_row");
  resolve(library, my.fetchRowCont, "mysql_fetch_row_cont");
  resolve(library, my.fetchRowStart, "mysql_fetch_row_start");
  resolve(library, my.fieldCount, "mysql_field_count");
  resolve(library, my.freeResult, "mysql_free_result");
  resolve(library, my.socket, "mysql_get_socket");
  resolve(library, my.timeoutMs, "mysql_get_timeout_value_ms");
  resolve(library, my.init, "mysql_init");
  resolve(library, my.moreResults, "mysql_more_results");
  resolve(library, my.nextResult, "mysql_next_result");
  resolve(library, my.nextResultCont, "mysql_next_result_cont");
  resolve(library, my.nextResultStart, "mysql_next_result_start");
  resolve(library, my.numFields, "mysql_num_fields");
  resolve(library, my.options, "mysql_options");
  resolve(library, my.realConnect, "mysql_real_connect");
  resolve(library, my.realQuery, "mysql_real_query");
  resolve(library, my.realQueryCont, "mysql_real_query_cont");
  resolve(library, my.realQueryStart, "mysql_real_query_start");
  resolve(library, my.threadId, "mysql_thread_id");
  resolve(library, my.useResult, "mysql_use_result");
  return my;
}

} // namespace

const TzelMariaDb &zelMariaDb() {
  static const TzelMariaDb my = load();
  return my;
}

bool zelMariaDbKillQuery(const QString &host, int port, const QString &user,
                         const QString &password, unsigned long threadId) {
  const TzelMariaDb &my = zelMariaDb();
  MYSQL *killer = my.init(nullptr);
  if (!killer)
    return false;
  const unsigned int timeout = 5;
  my.options(killer, MYSQL_OPT_CONNECT_TIMEOUT, &timeout);
  const QByteArray h = host.toUtf8(), u = user.toUtf8(), p = password.toUtf8();
  bool done = my.realConnect(killer, h.isEmpty() ? nullptr : h.constData(), u.constData(),
                             p.constData(), nullptr, port > 0 ? unsigned(port) : 0, nullptr, 0);
  if (done) {
    const QByteArray kill = "KILL QUERY " + QByteArray::number(qulonglong(threadId));
    done = my.realQuery(killer, kill.constData(), (unsigned long)kill.size()) == 0;
  }
  my.close(killer);
  return done;
}
