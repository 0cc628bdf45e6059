// SPDX-License-Identifier: MIT
#include "database/zelpq.h"

#include "database/zelclientlibrary.h"

#include "model/zeltypes.h"

#include <QStringList>
#include <atomic>

using namespace Qt::StringLiterals;

namespace {

std::atomic<const TzelPq *> loaded{nullptr};

} // namespace

const TzelPq &zelPq() {
  if (const TzelPq *pq = loaded.load())
    return *pq;
  static TzelClientLibrary library(u"PostgreSQL"_s, u"pq"_s, 5);
  static TzelPq pq;
  library.resolve(pq.PQcancel, "PQcancel");
  library.resolve(pq.PQclear, "PQclear");
  library.resolve(pq.PQconsumeInput, "PQconsumeInput");
  library.resolve(pq.PQerrorMessage, "PQerrorMessage");
  library.resolve(pq.PQfmod, "PQfmod");
  library.resolve(pq.PQfname, "PQfname");
  library.resolve(pq.PQfreeCancel, "PQfreeCancel");
  library.resolve(pq.PQfreemem, "PQfreemem");
  library.resolve(pq.PQfsize, "PQfsize");
  library.resolve(pq.PQftype, "PQftype");
  library.resolve(pq.PQgetCancel, "PQgetCancel");
  library.resolve(pq.PQgetResult, "PQgetResult");
  library.resolve(pq.PQgetisnull, "PQgetisnull");
  library.resolve(pq.PQgetlength, "PQgetlength");
  library.resolve(pq.PQgetvalue, "PQgetvalue");
  library.resolve(pq.PQisBusy, "PQisBusy");
  library.resolve(pq.PQnfields, "PQnfields");
  library.resolve(pq.PQresultErrorField, "PQresultErrorField");
  library.resolve(pq.PQresultErrorMessage, "PQresultErrorMessage");
  library.resolve(pq.PQresultStatus, "PQresultStatus");
  library.resolve(pq.PQsendQuery, "PQsendQuery");
  library.resolve(pq.PQsetSingleRowMode, "PQsetSingleRowMode");
  library.resolve(pq.PQsocket, "PQsocket");
  library.resolve(pq.PQunescapeBytea, "PQunescapeBytea");
  loaded.store(&pq);
  return pq;
}

const TzelPq *zelPqIfLoaded() {
  return loaded.load();
}

QString zelPqMessageText(const QString &text) {
  QStringList lines = text.split(u'\n', Qt::SkipEmptyParts);
  for (QString &line : lines)
    line = line.trimmed();
  lines.removeAll(QString());
  if (lines.size() <= 1)
    return lines.value(0);
  const QString first = lines.takeFirst();
  return first + u'\n' + lines.join(u' ');
}

QString zelPqResultMessage(const TzelPq &pq, const PGresult *result) {
  const auto field = [&](int code) {
    return QString::fromUtf8(pq.PQresultErrorField(result, code)).simplified();
  };
  const QString primary = field(PG_DIAG_MESSAGE_PRIMARY);
  if (primary.isEmpty())
    return zelPqMessageText(QString::fromUtf8(pq.PQresultErrorMessage(result)));
  QString text = primary;
  if (const QString code = field(PG_DIAG_SQLSTATE); !code.isEmpty())
    text += u" ("_s + code + u')';
  QStringList more{field(PG_DIAG_MESSAGE_DETAIL), field(PG_DIAG_MESSAGE_HINT)};
  more.removeAll(QString());
  return more.isEmpty() ? text : text + u'\n' + more.join(u' ');
}
