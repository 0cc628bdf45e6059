// SPDX-License-Identifier: MIT
#include "database/zelpq.h"

#include "model/zeltypes.h"

#include <QLibrary>
#include <QStringList>
#include <atomic>

using namespace Qt::StringLiterals;

namespace {

std::atomic<const TzelPq *> loaded{nullptr};

template <typename F> void resolve(QLibrary &library, F &function, const char *name) {
  function = reinterpret_cast<F>(library.resolve(name));
  if (!function)
    throw EzelError(QStringLiteral("Error: The PostgreSQL client library lacks ") +
                    QLatin1String(name));
}

} // namespace

const TzelPq &zelPq() {
  if (const TzelPq *pq = loaded.load())
    return *pq;
  static QLibrary library(QStringLiteral("pq"), 5);
  if (!library.load())
    throw EzelError(QStringLiteral("Error: The PostgreSQL client library cannot be loaded: ") +
                    library.errorString());
  static TzelPq pq;
  resolve(library, pq.PQcancel, "PQcancel");
  resolve(library, pq.PQclear, "PQclear");
  resolve(library, pq.PQconsumeInput, "PQconsumeInput");
  resolve(library, pq.PQerrorMessage, "PQerrorMessage");
  resolve(library, pq.PQfmod, "PQfmod");
  resolve(library, pq.PQfname, "PQfname");
  resolve(library, pq.PQfreeCancel, "PQfreeCancel");
  resolve(library, pq.PQfreemem, "PQfreemem");
  resolve(library, pq.PQfsize, "PQfsize");
  resolve(library, pq.PQftype, "PQftype");
  resolve(library, pq.PQgetCancel, "PQgetCancel");
  resolve(library, pq.PQgetResult, "PQgetResult");
  resolve(library, pq.PQgetisnull, "PQgetisnull");
  resolve(library, pq.PQgetlength, "PQgetlength");
  resolve(library, pq.PQgetvalue, "PQgetvalue");
  resolve(library, pq.PQisBusy, "PQisBusy");
  resolve(library, pq.PQnfields, "PQnfields");
  resolve(library, pq.PQresultErrorField, "PQresultErrorField");
  resolve(library, pq.PQresultErrorMessage, "PQresultErrorMessage");
  resolve(library, pq.PQresultStatus, "PQresultStatus");
  resolve(library, pq.PQsendQuery, "PQsendQuery");
  resolve(library, pq.PQsetSingleRowMode, "PQsetSingleRowMode");
  resolve(library, pq.PQsocket, "PQsocket");
  resolve(library, pq.PQunescapeBytea, "PQunescapeBytea");
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
