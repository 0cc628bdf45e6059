// SPDX-License-Identifier: MIT
#include "database/recordcursorpostgres.h"

#include "database/zelcancel.h"
#include "database/zeldatepattern.h"
#include "database/zelfieldtype.h"
#include "database/zelpq.h"
#include "database/zelrecordstream.h"

#include <QDate>
#include <QDateTime>
#include <QElapsedTimer>
#include <QSqlDatabase>
#include <QSqlDriver>
#include <QTime>
#include <QtNumeric>

#include <cerrno>
#include <charconv>
#include <memory>
#include <poll.h>

using namespace Qt::StringLiterals;

namespace {

constexpr int kWaitIntervalMs = 50;
// How long a server has to end a cancelled statement before its connection is given up.
constexpr int kCancelGraceMs = 1000;

struct ResultFree {
  void operator()(PGresult *result) const { zelPq().PQclear(result); }
};
using PgResult = std::unique_ptr<PGresult, ResultFree>;

// Column sizes as the Qt driver derives them from the type modifier.
QList<TzelFieldDef> postgresDefinitions(const PGresult *result) {
  constexpr int kHeader = 4; // the server's length word, counted in the modifier
  QList<TzelFieldDef> defs;
  for (int i = 0; i < zelPq().PQnfields(result); ++i) {
    const Oid oid = zelPq().PQftype(result, i);
    int length = zelPq().PQfsize(result, i);
    int precision = zelPq().PQfmod(result, i);
    if (oid == 1700 && precision != -1) {
      length = precision >> 16;
      precision = (precision - kHeader) & 0xffff;
    } else if (length == -1 && precision >= kHeader) {
      length = precision - kHeader;
      precision = -1;
    }
    const TzelColumnType t = fieldTypeFromPostgres(int(oid), length, precision);
    defs.append({QString::fromUtf8(zelPq().PQfname(result, i)), t.type, t.size});
  }
  return defs;
}

double floatOf(const QByteArray &text) {
  bool ok = false;
  const double d = text.toDouble(&ok);
  if (ok)
    return d;
  if (text == "Infinity" || text == "-Infinity")
    return text.startsWith('-') ? -qInf() : qInf();
  return qQNaN();
}

// Timestamps are read as UTC unless they carry their offset, as the Qt driver reads them.
QDateTime timestampOf(QByteArray text) {
  text.replace(' ', 'T');
  const qsizetype sign = std::max(text.lastIndexOf('+'), text.lastIndexOf('-'));
  if (sign > 10 && text.size() - sign == 3)
    text += ":00";
  else if (sign <= 10 && !text.endsWith('Z'))
    text += 'Z';
  return QDateTime::fromString(QString::fromLatin1(text), Qt::ISODateWithMs);
}

// A value of the current row from its text form, by the column's oid.
QVariant postgresValue(const PGresult *result, int field) {
  if (zelPq().PQgetisnull(result, 0, field))
    return {};
  const char *value = zelPq().PQgetvalue(result, 0, field);
  const QByteArray text = QByteArray::fromRawData(value, zelPq().PQgetlength(result, 0, field));
  switch (zelPq().PQftype(result, field)) {
  case 16:
    return text == "t";
  case 20:
    return text.toLongLong();
  case 21:
  case 23:
  case 26:
    return text.toInt();
  case 700:
  case 701:
    return floatOf(text);
  case 1082:
    return QDate::fromString(QString::fromLatin1(text), Qt::ISODate);
  case 1083:
    return QTime::fromString(QString::fromLatin1(text), Qt::ISODateWithMs);
  case 1114:
  case 1184:
    return timestampOf(text);
  case 17: {
    size_t size = 0;
    unsigned char *bytes =
        zelPq().PQunescapeBytea(reinterpret_cast<const unsigned char *>(value), &size);
    const QByteArray data(reinterpret_cast<const char *>(bytes), qsizetype(size));
    zelPq().PQfreemem(bytes);
    return data;
  }
  default: // numeric keeps its digits until the field's type reads them
    return QString::fromUtf8(text);
  }
}

// How the direct writers may read a column's text: integers and flags as numbers, floats and
// numerics as doubles, the rest as text; bytea and oids (whose value is not its text) only
// through value().
TzelRawRecord::Kind kindOf(Oid oid) {
  switch (oid) {
  case 16:
  case 20:
  case 21:
  case 23:
    return TzelRawRecord::Integer;
  case 700:
  case 701:
  case 1700:
    return TzelRawRecord::Float;
  case 17:
  case 26:
    return TzelRawRecord::Blob;
  default:
    return TzelRawRecord::Text;
  }
}

// A row of the statement as libpq holds it, its values read from their text form.
class PostgresRecord final : public TzelRawRecord {
public:
  explicit PostgresRecord(const QList<TzelFieldDef> &defs) : m_pq(zelPq()), m_defs(defs) {}
  void setRow(const PGresult *row) {
    m_row = row;
    if (m_oids.empty())
      for (int i = 0; i < int(m_defs.size()); ++i) {
        m_oids.push_back(m_pq.PQftype(row, i));
        m_kinds.push_back(kindOf(m_oids.back()));
      }
  }

  Kind kind(int column) const override {
    return m_pq.PQgetisnull(m_row, 0, column) ? Null : m_kinds[size_t(column)];
  }
  qint64 integer(int column) const override {
    const QByteArrayView digits = text(column);
    if (m_oids[size_t(column)] == 16)
      return digits == "t";
    qint64 value = 0;
    std::from_chars(digits.begin(), digits.end(), value);
    return value;
  }
  // Not finite for a text that is no number: the writers then leave it to value().
  double number(int column) const override {
    const QByteArrayView digits = text(column);
    double value = qQNaN();
    std::from_chars(digits.begin(), digits.end(), value);
    return value;
  }
  QByteArrayView text(int column) const override {
    return {m_pq.PQgetvalue(m_row, 0, column), m_pq.PQgetlength(m_row, 0, column)};
  }
  // Dates, times and timestamps without zone: as written, as value() reads them.
  bool moment(int column, TzelMoment &moment) const override {
    const Oid oid = m_oids[size_t(column)];
    return (oid == 1082 || oid == 1083 || oid == 1114) &&
           TzelDatePattern::readIso(text(column), m_defs[column].DataType, moment);
  }
  QVariant value(int column) const override {
    return zelTypedValue(postgresValue(m_row, column), m_defs[column]);
  }

private:
  const TzelPq &m_pq;
  const QList<TzelFieldDef> &m_defs;
  const PGresult *m_row = nullptr;
  std::vector<Oid> m_oids;
  std::vector<Kind> m_kinds;
};

} // namespace

TzelPostgresCursor::TzelPostgresCursor(TzelCursorHost &host, const QString &connectionName)
    : TzelRecordCursor(host), m_connectionName(connectionName) {
  const QSqlDatabase db = QSqlDatabase::database(connectionName, false);
  const QVariant handle = db.driver() ? db.driver()->handle() : QVariant();
  if (handle.isValid() && qstrcmp(handle.typeName(), "pg_conn*") == 0)
    m_pg = *static_cast<PGconn *const *>(handle.constData());
  if (!m_pg)
    throw EzelError(u"Error: The database [%1] is not open"_s.arg(connectionName));
}

TzelPostgresCursor::~TzelPostgresCursor() {
  discard(m_host.cancelRequested());
}

void TzelPostgresCursor::arm(TzelCancelTarget &cancel) {
  if (m_pg)
    cancel.armPostgres(zelPq().PQgetCancel(m_pg));
}

void TzelPostgresCursor::disarm(TzelCancelTarget &cancel) {
  cancel.disarm();
}

void TzelPostgresCursor::start(const QString &sql) {
  m_host.guarded([&] {
    if (!zelPq().PQsendQuery(m_pg, sql.toUtf8().constData()))
      fail(zelPqMessageText(QString::fromUtf8(zelPq().PQerrorMessage(m_pg))));
    m_running = true;
    zelPq().PQsetSingleRowMode(m_pg);
    PgResult first(awaitResult());
    const ExecStatusType status = zelPq().PQresultStatus(first.get());
    if (status == PGRES_SINGLE_TUPLE || status == PGRES_TUPLES_OK) {
      m_select = true;
      m_defs = postgresDefinitions(first.get());
    } else if (status != PGRES_COMMAND_OK && status != PGRES_EMPTY_QUERY) {
      failWithResult(first.get());
    }
    if (status == PGRES_SINGLE_TUPLE)
      m_pgRow = first.release();
    else
      end();
    m_atEnd = !m_pgRow;
  });
}

// Waits for the next result while the wait hook runs; null when the statement has no more.
// A cancelled statement the server does not end within the grace (a server stopped or out of
// reach) is not waited for: its connection is given up.
PGresult *TzelPostgresCursor::awaitResult() {
  QElapsedTimer sinceCancel;
  while (zelPq().PQisBusy(m_pg)) {
    pollfd socket{zelPq().PQsocket(m_pg), POLLIN, 0};
    if (socket.fd < 0)
      drop(zelPqMessageText(QString::fromUtf8(zelPq().PQerrorMessage(m_pg))));
    if (poll(&socket, 1, kWaitIntervalMs) < 0 && errno != EINTR)
      break;
    // A connection that broke may still hold the server's reason (an error read before the
    // end), which the next result gives; otherwise the library's account of the loss.
    if (!zelPq().PQconsumeInput(m_pg)) {
      if (zelPq().PQisBusy(m_pg))
        drop(zelPqMessageText(QString::fromUtf8(zelPq().PQerrorMessage(m_pg))));
      break;
    }
    if (!m_host.progress())
      continue;
    if (!sinceCancel.isValid())
      sinceCancel.start();
    else if (sinceCancel.elapsed() >= kCancelGraceMs)
      drop(u"The statement was cancelled"_s);
  }
  PGresult *result = zelPq().PQgetResult(m_pg);
  if (!result)
    m_running = false;
  return result;
}

// Hands the pending row over and waits for the next one.
void TzelPostgresCursor::advance() {
  zelPq().PQclear(m_pgRow);
  m_pgRow = nullptr;
  PgResult next(awaitResult());
  const ExecStatusType status = zelPq().PQresultStatus(next.get());
  if (status == PGRES_SINGLE_TUPLE) {
    m_pgRow = next.release();
    return;
  }
  if (next && status != PGRES_TUPLES_OK)
    failWithResult(next.get());
  end();
  m_atEnd = true;
}

// The results of further statements in the same text: only their failures matter.
void TzelPostgresCursor::end() {
  while (m_running) {
    PgResult rest(awaitResult());
    if (rest && zelPq().PQresultStatus(rest.get()) == PGRES_FATAL_ERROR)
      failWithResult(rest.get());
  }
}

// The server's message and its error code, then its detail on a second line.
void TzelPostgresCursor::failWithResult(PGresult *result) {
  const QString message = result
                              ? zelPqResultMessage(zelPq(), result)
                              : zelPqMessageText(QString::fromUtf8(zelPq().PQerrorMessage(m_pg)));
  discard(false);
  fail(message);
}

// Leaves the connection ready for its next statement. A cancel request is sent only when
// asked for: one that reached the server after the statement ended would stop the next.
void TzelPostgresCursor::discard(bool cancel) {
  if (!m_pg)
    return;
  zelPq().PQclear(m_pgRow);
  m_pgRow = nullptr;
  if (!m_running)
    return;
  if (cancel) {
    if (PGcancel *request = zelPq().PQgetCancel(m_pg)) {
      char reason[256];
      zelPq().PQcancel(request, reason, int(sizeof reason));
      zelPq().PQfreeCancel(request);
    }
  }
  while (PGresult *rest = zelPq().PQgetResult(m_pg))
    zelPq().PQclear(rest);
  m_running = false;
}

// Closes the connection of a statement whose end will not come (a broken connection) or not
// in time (a cancelled statement); the session opens it again for the next.
void TzelPostgresCursor::drop(const QString &message) {
  zelPq().PQclear(m_pgRow);
  m_pgRow = nullptr;
  m_running = false;
  m_pg = nullptr;
  QSqlDatabase::database(m_connectionName, false).close();
  fail(message);
}

QVariantList TzelPostgresCursor::row() const {
  QVariantList row;
  const int fields = int(m_defs.size());
  row.reserve(fields);
  for (int i = 0; i < fields; ++i)
    row.append(zelTypedValue(postgresValue(m_pgRow, i), m_defs[i]));
  return row;
}

int TzelPostgresCursor::read(std::deque<QVariantList> &out, int max) {
  int count = 0;
  m_host.guarded([&] {
    for (; count < max && m_pgRow; ++count) {
      out.push_back(row());
      advance();
    }
  });
  return count;
}

// In blocks, as read() goes: the wait hook then stands for the server keeping the caller
// waiting, not for the time the visitor takes.
qint64 TzelPostgresCursor::visit(TzelRecordVisitor &visitor, qint64 max) {
  constexpr int kBlock = 256;
  PostgresRecord record(m_defs);
  qint64 given = 0;
  for (bool more = true; more && given < max && m_pgRow;) {
    m_host.guarded([&] {
      for (int n = 0; more && n < kBlock && given < max && m_pgRow; ++n, ++given) {
        record.setRow(m_pgRow);
        more = visitor.raw(record);
        advance();
      }
    });
  }
  return given;
}

qint64 TzelPostgresCursor::skip(qint64 count) {
  qint64 passed = 0;
  m_host.guarded([&] {
    for (; passed < count && !m_atEnd; ++passed)
      advance();
  });
  return passed;
}
