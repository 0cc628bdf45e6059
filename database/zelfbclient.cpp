// SPDX-License-Identifier: MIT
#include "database/zelfbclient.h"

#include "database/zelclientlibrary.h"
#include "model/zeltypes.h"

#include <QStringList>

using namespace Qt::StringLiterals;

namespace {

TzelFbClient load() {
  static TzelClientLibrary library(u"Firebird"_s, u"fbclient"_s, 2);
  TzelFbClient fb{};
  library.resolve(fb.cancelOperation, "fb_cancel_operation");
  library.resolve(fb.interpret, "fb_interpret");
  library.resolve(fb.sqlState, "fb_sqlstate");
  library.resolve(fb.closeBlob, "isc_close_blob");
  library.resolve(fb.commit, "isc_commit_transaction");
  library.resolve(fb.allocateStatement, "isc_dsql_allocate_statement");
  library.resolve(fb.describe, "isc_dsql_describe");
  library.resolve(fb.execute, "isc_dsql_execute");
  library.resolve(fb.fetch, "isc_dsql_fetch");
  library.resolve(fb.freeStatement, "isc_dsql_free_statement");
  library.resolve(fb.prepare, "isc_dsql_prepare");
  library.resolve(fb.sqlInfo, "isc_dsql_sql_info");
  library.resolve(fb.getSegment, "isc_get_segment");
  library.resolve(fb.openBlob, "isc_open_blob2");
  library.resolve(fb.rollback, "isc_rollback_transaction");
  library.resolve(fb.startMultiple, "isc_start_multiple");
  library.resolve(fb.vaxInteger, "isc_vax_integer");
  return fb;
}

} // namespace

const TzelFbClient &zelFbClient() {
  static const TzelFbClient fb = load();
  return fb;
}

QString zelFbMessage(const ISC_STATUS *status) {
  const TzelFbClient &fb = zelFbClient();
  char state[FB_SQLSTATE_SIZE] = {};
  fb.sqlState(state, status);
  QStringList lines;
  char line[1024];
  const ISC_STATUS *next = status;
  while (fb.interpret(line, sizeof line, &next) > 0)
    lines.append(QString::fromUtf8(line));
  return u"%1 (%2)"_s.arg(lines.join(u"; "_s), QString::fromLatin1(state));
}
