// SPDX-License-Identifier: MIT
#include "database/zelmariadb.h"

#include "database/zelclientlibrary.h"
#include "model/zeltypes.h"

using namespace Qt::StringLiterals;

namespace {

TzelMariaDb load() {
  static TzelClientLibrary library(u"MariaDB"_s, u"mariadb"_s, 3);
  TzelMariaDb my{};
  library.resolve(my.close, "mysql_close");
  library.resolve(my.errnoOf, "mysql_errno");
  library.resolve(my.error, "mysql_error");
  library.resolve(my.fetchFields, "mysql_fetch_fields");
  library.resolve(my.fetchLengths, "mysql_fetch_lengths");
  library.resolve(my.fetchRow, "mysql_fetch_row");
  library.resolve(my.fetchRowCont, "mysql_fetch_row_cont");
  library.resolve(my.fetchRowStart, "mysql_fetch_row_start");
  library.resolve(my.fieldCount, "mysql_field_count");
  library.resolve(my.freeResult, "mysql_free_result");
  library.resolve(my.socket, "mysql_get_socket");
  library.resolve(my.timeoutMs, "mysql_get_timeout_value_ms");
  library.resolve(my.init, "mysql_init");
  library.resolve(my.moreResults, "mysql_more_results");
  library.resolve(my.nextResult, "mysql_next_result");
  library.resolve(my.nextResultCont, "mysql_next_result_cont");
  library.resolve(my.nextResultStart, "mysql_next_result_start");
  library.resolve(my.numFields, "mysql_num_fields");
  library.resolve(my.options, "mysql_options");
  library.resolve(my.realConnect, "mysql_real_connect");
  library.resolve(my.realQuery, "mysql_real_query");
  library.resolve(my.realQueryCont, "mysql_real_query_cont");
  library.resolve(my.realQueryStart, "mysql_real_query_start");
  library.resolve(my.threadId, "mysql_thread_id");
  library.resolve(my.useResult, "mysql_use_result");
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
