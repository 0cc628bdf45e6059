// SPDX-License-Identifier: MIT
#include "database/zelfbclient.h"

#include "model/zeltypes.h"

#include <QLibrary>
#include <QStringList>

using namespace Qt::StringLiterals;

namespace {

template <typename F> void resolve(QLibrary &library, F &function, const char *name) {
  function = reinterpret_cast<F>(library.resolve(name));
  if (!function)
    throw EzelError(u"Error: The Firebird client library lacks "_s + QLatin1String(name));
}

TzelFbClient load() {
  static QLibrary library(u"fbclient"_s, 2);
  if (!library.load())
    throw EzelError(u"Error: The Firebird client library cannot be loaded: "_s +
                    library.errorString());
  TzelFbClient fb{};
  resolve(library, fb.cancelOperation, "fb_cancel_operation");
  resolve(library, fb.interpret, "fb_interpret");
  resolve(library, fb.sqlState, "fb_sqlstate");
  resolve(library, fb.closeBlob, "isc_close_blob");
  resolve(library, fb.commit, "isc_commit_transaction");
  resolve(library, fb.allocateStatement, "isc_dsql_allocate_statement");
  resolve(library, fb.describe, "isc_dsql_describe");
  resolve(library, fb.execute, "isc_dsql_execute");
  resolve(library, fb.fetch, "isc_dsql_fetch");
  resolve(library, fb.freeStatement, "isc_dsql_free_statement");
  resolve(library, fb.prepare, "isc_dsql_prepare");
  resolve(library, fb.sqlInfo, "isc_dsql_sql_info");
  resolve(library, fb.getSegment, "isc_get_segment");
  resolve(library, fb.openBlob, "isc_open_blob2");
  resolve(library, fb.rollback, "isc_rollback_transaction");
  resolve(library, fb.startMultiple, "isc_start_multiple");
  resolve(library, fb.vaxInteger, "isc_vax_integer");
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
