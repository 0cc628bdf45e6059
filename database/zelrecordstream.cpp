// SPDX-License-Identifier: MIT
#include "database/zelrecordstream.h"
#include "database/zelpq.h"

#include "database/zelcancel.h"
#include "database/zelfieldtype.h"

#include <QDate>
#include <QDateTime>
#include <QSqlDatabase>
#include <QSqlDriver>
#include <QTime>

#include <poll.h>
#include <sqlite3.h>

#include <QtNumeric>
#include <cerrno>
#include <memory>

using namespace Qt::StringLiterals;

namespace {

constexpr int kWaitIntervalMs = 50;
// How long a server has to end a cancelled statement before its connection is given up.
constexpr int kCancelGraceMs = 1000;
constexpr int kProgressOps = 1000;

template <typename Handle> Handle handleOf(const QVariant &v, const char *typeName) {
  if (v.isValid() && qstrcmp(v.typeName(), typeName) == 0)
    return *static_cast<const Handle *>(v.constData());
  return nullptr;
}

// sqlite3_interrupt stops every statement of the connection, so it is used only when no
// other statement is in the middle of its records; the progress handler stops this one
// in any case.
bool othersBusy(sqlite3 *db, sqlite3_stmt *own) {
  for (sqlite3_stmt *s = sqlite3_next_stmt(db, nullptr); s; s = sqlite3_next_stmt(db, s))
    if (s != own && sqlite3_stmt_busy(s))
      return true;
  return false;
}

int onProgress(void *stream) {
  return static_cast<TzelRecordStream *>(stream)->progress() ? 1 : 0;
}

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

// A value of the current row from its text form, by the column's type.
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

[[noreturn]] void notConvertible(const QVariant &raw, const TzelFieldDef &def, const char *kind) {
  throw EzelError(u"Error: The value [%1] of the [%2] field is not a %3"_s.arg(
      raw.toString(), def.Name, QString::fromLatin1(kind)));
}

QVariant dateOf(const QVariant &raw, const TzelFieldDef &def) {
  if (raw.typeId() != QMetaType::QString)
    return raw.toDate();
  const QString text = raw.toString();
  if (text.isEmpty())
    return {};
  const QDate d = QDate::fromString(text.left(10), Qt::ISODate);
  if (!d.isValid())
    notConvertible(raw, def, "date");
  return d;
}

QVariant timeOf(const QVariant &raw, const TzelFieldDef &def) {
  if (raw.typeId() != QMetaType::QString)
    return raw.toTime();
  const QString text = raw.toString();
  if (text.isEmpty())
    return {};
  const QTime t = QTime::fromString(text, Qt::ISODateWithMs);
  if (!t.isValid())
    notConvertible(raw, def, "time");
  return t;
}

QVariant dateTimeOf(const QVariant &raw, const TzelFieldDef &def) {
  if (raw.typeId() != QMetaType::QString)
    return raw.toDateTime();
  QString text = raw.toString();
  if (text.isEmpty())
    return {};
  const QDateTime dt = QDateTime::fromString(text.replace(u' ', u'T'), Qt::ISODateWithMs);
  if (!dt.isValid())
    notConvertible(raw, def, "date and time");
  return dt;
}

} // namespace

QVariant zelTypedValue(const QVariant &raw, const TzelFieldDef &def) {
  if (raw.isNull())
    return {};
  switch (def.DataType) {
  case ftDate:
    return dateOf(raw, def);
  case ftTime:
    return timeOf(raw, def);
  case ftDateTime:
    return dateTimeOf(raw, def);
  case ftBoolean:
    return raw.toBool();
  case ftSmallint:
  case ftInteger:
  case ftWord:
  case ftAutoInc:
    return raw.typeId() == QMetaType::LongLong && raw.toLongLong() == int(raw.toLongLong())
               ? QVariant(raw.toInt())
               : raw;
  case ftFloat:
  case ftCurrency:
  case ftBCD: {
    bool ok = false;
    const double d = raw.toDouble(&ok);
    return ok ? QVariant(d) : raw;
  }
  case ftString:
  case ftMemo:
  case ftFmtMemo:
    return raw.typeId() == QMetaType::QString ? raw : QVariant(raw.toString());
  default:
    return raw;
  }
}

TzelRecordStream::TzelRecordStream(const QString &connectionName, TzelDriverKind kind,
                                   const QString &sql, TzelCancelTarget &cancel, WaitHook wait)
    : m_cancel(cancel), m_wait(std::move(wait)) {
  if (kind == TzelDriverKind::Postgres)
    startPostgres(connectionName, sql);
  else
    startSqlite(connectionName, sql);
}

TzelRecordStream::~TzelRecordStream() {
  if (m_stmt)
    sqlite3_finalize(m_stmt);
  discardPostgres(m_cancel.requested() || TzelCancelTarget::allRequested());
}

// SQLite is read through its own interface on the driver's connection: the driver's
// row cache would double the work of every record.
void TzelRecordStream::startSqlite(const QString &connectionName, const QString &sql) {
  const QSqlDatabase db = QSqlDatabase::database(connectionName, false);
  m_db = db.driver() ? handleOf<sqlite3 *>(db.driver()->handle(), "sqlite3*") : nullptr;
  if (!m_db)
    throw EzelError(u"Error: The database [%1] is not open"_s.arg(connectionName));
  const void *tail = nullptr;
  if (sqlite3_prepare16_v2(m_db, sql.utf16(), int(sql.size() * 2), &m_stmt, &tail) != SQLITE_OK)
    failWith(QString::fromUtf8(sqlite3_errmsg(m_db)));
  const auto *rest = static_cast<const QChar *>(tail);
  if (rest && !QStringView(rest, sql.constData() + sql.size() - rest).trimmed().isEmpty())
    failWith(u"Unable to execute multiple statements at a time"_s);
  if (!m_stmt) // only a comment or blanks
    return;
  m_select = sqlite3_column_count(m_stmt) > 0;
  if (!guarded([&] { return stepSqlite(); }))
    failWith(QString::fromUtf8(sqlite3_errmsg(m_db)));
  m_atEnd = !m_rowPending;
  for (int i = 0; m_select && i < sqlite3_column_count(m_stmt); ++i) {
    TzelColumnType t = fieldTypeFromDeclared(QString::fromUtf8(sqlite3_column_decltype(m_stmt, i)));
    if (t.type == ftUnknown) {
      const int stored = m_rowPending ? sqlite3_column_type(m_stmt, i) : SQLITE_NULL;
      t.type = stored == SQLITE_INTEGER ? ftInteger
               : stored == SQLITE_FLOAT ? ftFloat
               : stored == SQLITE_BLOB  ? ftBlob
                                        : ftString;
    }
    // As the Qt driver names them: double quotes left out.
    const QString name = QString::fromUtf8(sqlite3_column_name(m_stmt, i)).remove(u'"');
    m_defs.append({name, t.type, t.size});
  }
}

bool TzelRecordStream::stepSqlite() {
  const int rc = sqlite3_step(m_stmt);
  m_rowPending = rc == SQLITE_ROW;
  return rc == SQLITE_ROW || rc == SQLITE_DONE;
}

QVariantList TzelRecordStream::sqliteRow() const {
  QVariantList row;
  const int fields = int(m_defs.size());
  row.reserve(fields);
  const TzelRawRecord record(m_stmt, m_defs);
  for (int i = 0; i < fields; ++i)
    row.append(record.value(i));
  return row;
}

static_assert(TzelRawRecord::Integer == SQLITE_INTEGER && TzelRawRecord::Float == SQLITE_FLOAT &&
              TzelRawRecord::Text == SQLITE_TEXT && TzelRawRecord::Blob == SQLITE_BLOB &&
              TzelRawRecord::Null == SQLITE_NULL);

TzelRawRecord::Kind TzelRawRecord::kind(int column) const {
  return Kind(sqlite3_column_type(m_stmt, column));
}

qint64 TzelRawRecord::integer(int column) const {
  return sqlite3_column_int64(m_stmt, column);
}

double TzelRawRecord::number(int column) const {
  return sqlite3_column_double(m_stmt, column);
}

QByteArrayView TzelRawRecord::text(int column) const {
  const auto *bytes = reinterpret_cast<const char *>(sqlite3_column_text(m_stmt, column));
  return {bytes, sqlite3_column_bytes(m_stmt, column)};
}

QVariant TzelRawRecord::value(int column) const {
  QVariant raw;
  switch (kind(column)) {
  case Integer:
    raw = qlonglong(integer(column));
    break;
  case Float:
    raw = number(column);
    break;
  case Blob:
    raw = QByteArray(static_cast<const char *>(sqlite3_column_blob(m_stmt, column)),
                     sqlite3_column_bytes(m_stmt, column));
    break;
  case Text: {
    const QByteArrayView bytes = text(column);
    raw = QString::fromUtf8(bytes.data(), bytes.size());
    break;
  }
  default:
    break;
  }
  return zelTypedValue(raw, m_defs[column]);
}

// PostgreSQL is read through its client library on the driver's connection, one row per
// result, and its socket is polled: a call that waited for the server would block the
// thread, so no waiting window could offer Cancel.
void TzelRecordStream::startPostgres(const QString &connectionName, const QString &sql) {
  m_connectionName = connectionName;
  const QSqlDatabase db = QSqlDatabase::database(connectionName, false);
  m_pg = db.driver() ? handleOf<PGconn *>(db.driver()->handle(), "pg_conn*") : nullptr;
  if (!m_pg)
    throw EzelError(u"Error: The database [%1] is not open"_s.arg(connectionName));
  guarded([&] {
    if (!zelPq().PQsendQuery(m_pg, sql.toUtf8().constData()))
      failWith(zelPqMessageText(QString::fromUtf8(zelPq().PQerrorMessage(m_pg))));
    m_pgRunning = true;
    zelPq().PQsetSingleRowMode(m_pg);
    PgResult first(awaitResult());
    const ExecStatusType status = zelPq().PQresultStatus(first.get());
    if (status == PGRES_SINGLE_TUPLE || status == PGRES_TUPLES_OK) {
      m_select = true;
      m_defs = postgresDefinitions(first.get());
    } else if (status != PGRES_COMMAND_OK && status != PGRES_EMPTY_QUERY) {
      failPostgres(first.get());
    }
    if (status == PGRES_SINGLE_TUPLE)
      m_pgRow = first.release();
    else
      endPostgres();
    m_atEnd = !m_pgRow;
    return true;
  });
}

// Waits for the next result while the wait hook runs; null when the statement has no more.
// A cancelled statement the server does not end within the grace (a server stopped or out of
// reach) is not waited for: its connection is given up.
PGresult *TzelRecordStream::awaitResult() {
  QElapsedTimer sinceCancel;
  while (zelPq().PQisBusy(m_pg)) {
    pollfd socket{zelPq().PQsocket(m_pg), POLLIN, 0};
    if (socket.fd < 0)
      dropPostgres(zelPqMessageText(QString::fromUtf8(zelPq().PQerrorMessage(m_pg))));
    if (poll(&socket, 1, kWaitIntervalMs) < 0 && errno != EINTR)
      break;
    // A connection that broke may still hold the server's reason (an error read before the
    // end), which the next result gives; otherwise the library's account of the loss.
    if (!zelPq().PQconsumeInput(m_pg)) {
      if (zelPq().PQisBusy(m_pg))
        dropPostgres(zelPqMessageText(QString::fromUtf8(zelPq().PQerrorMessage(m_pg))));
      break;
    }
    if (!progress())
      continue;
    if (!sinceCancel.isValid())
      sinceCancel.start();
    else if (sinceCancel.elapsed() >= kCancelGraceMs)
      dropPostgres(u"The statement was cancelled"_s);
  }
  PGresult *result = zelPq().PQgetResult(m_pg);
  if (!result)
    m_pgRunning = false;
  return result;
}

// Hands the pending row over and waits for the next one.
void TzelRecordStream::advancePostgres() {
  zelPq().PQclear(m_pgRow);
  m_pgRow = nullptr;
  PgResult next(awaitResult());
  const ExecStatusType status = zelPq().PQresultStatus(next.get());
  if (status == PGRES_SINGLE_TUPLE) {
    m_pgRow = next.release();
    return;
  }
  if (next && status != PGRES_TUPLES_OK)
    failPostgres(next.get());
  endPostgres();
  m_atEnd = true;
}

// The results of further statements in the same text: only their failures matter.
void TzelRecordStream::endPostgres() {
  while (m_pgRunning) {
    PgResult rest(awaitResult());
    if (rest && zelPq().PQresultStatus(rest.get()) == PGRES_FATAL_ERROR)
      failPostgres(rest.get());
  }
}

// The server's message and its error code, then its detail on a second line.
void TzelRecordStream::failPostgres(PGresult *result) {
  const QString message = result
                              ? zelPqResultMessage(zelPq(), result)
                              : zelPqMessageText(QString::fromUtf8(zelPq().PQerrorMessage(m_pg)));
  discardPostgres(false);
  failWith(message);
}

// Leaves the connection ready for its next statement. A cancel request is sent only when
// asked for: one that reached the server after the statement ended would stop the next.
void TzelRecordStream::discardPostgres(bool cancel) {
  zelPq().PQclear(m_pgRow);
  m_pgRow = nullptr;
  if (!m_pgRunning)
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
  m_pgRunning = false;
}

// Closes the connection of a statement whose end will not come (a broken connection) or not
// in time (a cancelled statement); the session opens it again for the next.
void TzelRecordStream::dropPostgres(const QString &message) {
  zelPq().PQclear(m_pgRow);
  m_pgRow = nullptr;
  m_pgRunning = false;
  m_pg = nullptr;
  QSqlDatabase::database(m_connectionName, false).close();
  failWith(message);
}

QVariantList TzelRecordStream::postgresRow() const {
  QVariantList row;
  const int fields = int(m_defs.size());
  row.reserve(fields);
  for (int i = 0; i < fields; ++i)
    row.append(zelTypedValue(postgresValue(m_pgRow, i), m_defs[i]));
  return row;
}

template <typename Step> bool TzelRecordStream::guarded(Step step) {
  if (m_cancel.requested() || TzelCancelTarget::allRequested())
    throw EzelCancelled();
  sqlite3 *db = nullptr;
  if (m_pg) {
    m_cancel.armPostgres(zelPq().PQgetCancel(m_pg));
  } else if ((db = m_db)) {
    sqlite3_progress_handler(db, kProgressOps, onProgress, this);
    if (!othersBusy(db, m_stmt))
      m_cancel.armSqlite(db);
  }
  m_sinceWait.start();
  bool ok = false;
  try {
    // A request made before the target was armed reached no database.
    if (m_cancel.requested() || TzelCancelTarget::allRequested())
      throw EzelCancelled();
    ok = step();
  } catch (...) {
    if (db)
      sqlite3_progress_handler(db, 0, nullptr, nullptr);
    m_cancel.disarm();
    throw;
  }
  if (db)
    sqlite3_progress_handler(db, 0, nullptr, nullptr);
  m_cancel.disarm();
  return ok;
}

bool TzelRecordStream::progress() {
  if (m_wait && m_sinceWait.elapsed() >= kWaitIntervalMs) {
    m_wait();
    m_sinceWait.start();
  }
  return m_cancel.requested() || TzelCancelTarget::allRequested();
}

void TzelRecordStream::failWith(const QString &message) {
  m_atEnd = true;
  m_rowPending = false;
  if (m_cancel.requested() || TzelCancelTarget::allRequested())
    throw EzelCancelled();
  throw EzelError(u"Error: "_s + message);
}

// Takes the pending SQLite rows while `take` accepts one, stepping past each taken; an engine
// error is raised, and the stream is at its end once no row is pending.
template <typename Take> void TzelRecordStream::takeSqliteRows(Take take) {
  const bool ok = guarded([&] {
    while (m_rowPending && take())
      if (!stepSqlite())
        return false;
    return true;
  });
  if (!ok)
    failWith(QString::fromUtf8(sqlite3_errmsg(m_db)));
  m_atEnd = !m_rowPending;
}

int TzelRecordStream::read(std::deque<QVariantList> &out, int max) {
  int count = 0;
  if (m_atEnd)
    return 0;
  if (m_stmt) {
    takeSqliteRows([&] {
      if (count >= max)
        return false;
      out.push_back(sqliteRow());
      ++count;
      return true;
    });
    return count;
  }
  guarded([&] {
    for (; count < max && m_pgRow; ++count) {
      out.push_back(postgresRow());
      advancePostgres();
    }
    return true;
  });
  return count;
}

// In blocks, as read() goes: the wait hook then stands for the database keeping the caller
// waiting, not for the time the visitor takes.
qint64 TzelRecordStream::visit(TzelRecordVisitor &visitor, qint64 max) {
  constexpr int kBlock = 256;
  qint64 given = 0;
  if (!m_stmt)
    return 0;
  const TzelRawRecord record(m_stmt, m_defs);
  for (bool more = true; more && given < max && !m_atEnd;) {
    int n = 0;
    takeSqliteRows([&] {
      if (!more || n >= kBlock || given >= max)
        return false;
      more = visitor.raw(record);
      ++n;
      ++given;
      return true;
    });
  }
  return given;
}

qint64 TzelRecordStream::skip(qint64 count) {
  qint64 passed = 0;
  if (m_atEnd)
    return 0;
  const bool ok = guarded([&] {
    while (passed < count && !m_atEnd) {
      if (m_stmt) {
        if (!m_rowPending) {
          m_atEnd = true;
          break;
        }
        ++passed;
        if (!stepSqlite())
          return false;
        continue;
      }
      ++passed;
      advancePostgres();
    }
    return true;
  });
  if (!ok)
    failWith(QString::fromUtf8(sqlite3_errmsg(m_db)));
  if (m_stmt)
    m_atEnd = !m_rowPending;
  return passed;
}
