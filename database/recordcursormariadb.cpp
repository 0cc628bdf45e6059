// SPDX-License-Identifier: MIT
#include "database/recordcursormariadb.h"

#include "database/zelmariadb.h"
#include "database/zelrecordstream.h"

#include <QDate>
#include <QDateTime>
#include <QSqlDatabase>
#include <QSqlDriver>
#include <QTime>

#include <cerrno>
#include <charconv>
#include <poll.h>
#include <sys/socket.h>

using namespace Qt::StringLiterals;

namespace {

constexpr int kWaitIntervalMs = 50;
// How long a server has to end a killed statement before its connection is given up.
constexpr int kCancelGraceMs = 1000;
constexpr unsigned kBinaryCharset = 63;
// utf8mb4, which every connection talks: a text field's length counts bytes.
constexpr int kBytesPerCharacter = 4;

TzelColumnType columnType(const MYSQL_FIELD &field) {
  const bool binary = field.charsetnr == kBinaryCharset;
  const int characters = int(field.length / kBytesPerCharacter);
  switch (field.type) {
  case MYSQL_TYPE_TINY:
    return {field.length == 1 ? ftBoolean : ftSmallint, 0};
  case MYSQL_TYPE_SHORT:
  case MYSQL_TYPE_YEAR:
    return {ftSmallint, 0};
  case MYSQL_TYPE_LONG:
  case MYSQL_TYPE_INT24:
  case MYSQL_TYPE_LONGLONG:
    return {ftInteger, 0};
  case MYSQL_TYPE_DECIMAL:
  case MYSQL_TYPE_NEWDECIMAL:
    return {ftBCD, int(field.decimals)};
  case MYSQL_TYPE_FLOAT:
  case MYSQL_TYPE_DOUBLE:
    return {ftFloat, 0};
  case MYSQL_TYPE_DATE:
  case MYSQL_TYPE_NEWDATE:
    return {ftDate, 0};
  case MYSQL_TYPE_TIME:
    return {ftTime, 0};
  case MYSQL_TYPE_DATETIME:
  case MYSQL_TYPE_TIMESTAMP:
    return {ftDateTime, 0};
  case MYSQL_TYPE_TINY_BLOB:
  case MYSQL_TYPE_MEDIUM_BLOB:
  case MYSQL_TYPE_LONG_BLOB:
  case MYSQL_TYPE_BLOB:
    return {binary ? ftBlob : ftMemo, 0};
  case MYSQL_TYPE_VARCHAR:
  case MYSQL_TYPE_VAR_STRING:
  case MYSQL_TYPE_STRING:
    return binary ? TzelColumnType{ftBytes, int(field.length)}
                  : TzelColumnType{ftString, characters};
  default:
    return {binary ? ftBlob : ftString, 0};
  }
}

// A value of a field of that type from the text the server sends. Dates the server keeps
// as zeros are no dates.
// Numbers are read with from_chars: this runs for every value of every record.
QVariant valueOf(const char *text, unsigned long length, TFieldType type) {
  const char *end = text + length;
  switch (type) {
  case ftBoolean:
    return !(length == 1 && *text == '0');
  case ftSmallint:
  case ftInteger: {
    qlonglong value = 0;
    std::from_chars(text, end, value);
    return value == int(value) ? QVariant(int(value)) : QVariant(value);
  }
  case ftFloat:
  case ftBCD: {
    double value = 0;
    std::from_chars(text, end, value);
    return value;
  }
  default:
    break;
  }
  const QByteArray bytes = QByteArray::fromRawData(text, qsizetype(length));
  switch (type) {
  case ftDate: {
    const QDate date = QDate::fromString(QLatin1StringView(bytes), Qt::ISODate);
    return date.isValid() ? QVariant(date) : QVariant();
  }
  case ftTime:
    return QTime::fromString(QLatin1StringView(bytes), Qt::ISODateWithMs);
  case ftDateTime: {
    QByteArray iso = bytes;
    iso.replace(' ', 'T').append('Z');
    const QDateTime moment = QDateTime::fromString(QLatin1StringView(iso), Qt::ISODateWithMs);
    return moment.isValid() ? QVariant(moment) : QVariant();
  }
  case ftBlob:
  case ftBytes:
    return QByteArray(text, qsizetype(length));
  default:
    return QString::fromUtf8(text, qsizetype(length));
  }
}

} // namespace

TzelMariaDbCursor::TzelMariaDbCursor(TzelCursorHost &host, const QString &connectionName)
    : TzelRecordCursor(host), m_connectionName(connectionName) {
  const QSqlDatabase db = QSqlDatabase::database(connectionName, false);
  const QVariant handle = db.driver() ? db.driver()->handle() : QVariant();
  if (handle.isValid() &&
      (qstrcmp(handle.typeName(), "MYSQL*") == 0 || qstrcmp(handle.typeName(), "st_mysql*") == 0))
    m_my = *static_cast<MYSQL *const *>(handle.constData());
  if (!m_my || !db.isOpen())
    throw EzelError(u"Error: The database [%1] is not open"_s.arg(connectionName));
}

TzelMariaDbCursor::~TzelMariaDbCursor() {
  if (m_host.cancelRequested() && (m_result || m_row))
    stopInServer();
  discard();
}

void TzelMariaDbCursor::start(const QString &sql) {
  const TzelMariaDb &my = zelMariaDb();
  // Allowed on an open connection: calls made without _start block as before.
  my.options(m_my, MYSQL_OPT_NONBLOCK, nullptr);
  const QByteArray text = sql.toUtf8();
  m_host.guarded([&] {
    int failed = 0;
    await(my.realQueryStart(&failed, m_my, text.constData(), (unsigned long)text.size()),
          [&](int events) { return my.realQueryCont(&failed, m_my, events); });
    if (failed)
      failWithServer();
    if (my.fieldCount(m_my) == 0) {
      endResults();
      return;
    }
    m_result = my.useResult(m_my);
    if (!m_result)
      failWithServer();
    m_select = true;
    const unsigned count = my.numFields(m_result);
    const MYSQL_FIELD *fields = my.fetchFields(m_result);
    for (unsigned i = 0; i < count; ++i) {
      const TzelColumnType t = columnType(fields[i]);
      m_defs.append({QString::fromUtf8(fields[i].name), t.type, t.size});
    }
    m_atEnd = false;
    advance();
  });
}

// Polls the socket for what the call waits on while the wait hook runs. Cancel kills the
// statement in the server; one the server does not end within the grace (stopped, or out of
// reach) is not waited for: the socket is shut, the call ends with the loss, and the
// connection is closed for the session to open again.
void TzelMariaDbCursor::await(int status, const std::function<int(int)> &cont) {
  if (status == 0) // the usual case: the row was in the library's buffer
    return;
  QElapsedTimer sinceStart;
  sinceStart.start();
  while (status != 0) {
    pollfd socket{zelMariaDb().socket(m_my), 0, 0};
    if (status & MYSQL_WAIT_READ)
      socket.events |= POLLIN;
    if (status & MYSQL_WAIT_WRITE)
      socket.events |= POLLOUT;
    if (status & MYSQL_WAIT_EXCEPT)
      socket.events |= POLLPRI;
    const int ready = poll(&socket, 1, kWaitIntervalMs);
    int events = 0;
    if (ready > 0) {
      events |= (socket.revents & (POLLIN | POLLHUP | POLLERR)) ? MYSQL_WAIT_READ : 0;
      events |= (socket.revents & POLLOUT) ? MYSQL_WAIT_WRITE : 0;
      events |= (socket.revents & POLLPRI) ? MYSQL_WAIT_EXCEPT : 0;
    } else if (ready == 0 && (status & MYSQL_WAIT_TIMEOUT) &&
               sinceStart.elapsed() >= qint64(zelMariaDb().timeoutMs(m_my))) {
      events = MYSQL_WAIT_TIMEOUT;
    } else if (ready < 0 && errno != EINTR) {
      events = status & (MYSQL_WAIT_READ | MYSQL_WAIT_WRITE);
    }
    if (events) {
      status = cont(events);
      continue;
    }
    if (!m_host.progress() || m_lost)
      continue;
    if (!m_killed)
      stopInServer();
    else if (m_sinceKill.elapsed() >= kCancelGraceMs) {
      m_lost = true;
      ::shutdown(zelMariaDb().socket(m_my), SHUT_RDWR);
    }
  }
}

void TzelMariaDbCursor::stopInServer() {
  m_killed = true;
  m_sinceKill.start();
  const QSqlDatabase db = QSqlDatabase::database(m_connectionName, false);
  zelMariaDbKillQuery(db.hostName(), db.port(), db.userName(), db.password(),
                      zelMariaDb().threadId(m_my));
}

// Moves to the next row; at the end of the result the statement's further results follow.
void TzelMariaDbCursor::advance() {
  const TzelMariaDb &my = zelMariaDb();
  MYSQL_ROW next = nullptr;
  await(my.fetchRowStart(&next, m_result),
        [&](int events) { return my.fetchRowCont(&next, m_result, events); });
  m_row = next;
  if (next)
    return;
  if (my.errnoOf(m_my))
    failWithServer();
  my.freeResult(m_result);
  m_result = nullptr;
  m_atEnd = true;
  endResults();
}

// The results of further statements in the same text: only their failures matter.
void TzelMariaDbCursor::endResults() {
  const TzelMariaDb &my = zelMariaDb();
  while (my.moreResults(m_my)) {
    int status = 0;
    await(my.nextResultStart(&status, m_my),
          [&](int events) { return my.nextResultCont(&status, m_my, events); });
    if (status > 0)
      failWithServer();
    if (MYSQL_RES *rest = my.useResult(m_my))
      my.freeResult(rest);
  }
}

// The server's message and its error number; a connection given up is closed.
void TzelMariaDbCursor::failWithServer() {
  const TzelMariaDb &my = zelMariaDb();
  const QString message =
      m_lost ? u"The statement was cancelled"_s
             : u"%1 (%2)"_s.arg(QString::fromUtf8(my.error(m_my))).arg(my.errnoOf(m_my));
  discard();
  fail(message);
}

// Leaves the connection ready for its next statement: what is left of the result is read
// to its end by the library (quickly once the statement was killed), and the results of
// further statements of the text after it. A connection that was lost or given up is
// closed, for the session to open it again.
void TzelMariaDbCursor::discard() {
  m_row = nullptr;
  if (!m_my)
    return;
  const TzelMariaDb &my = zelMariaDb();
  if (m_result && !m_lost)
    my.freeResult(m_result);
  m_result = nullptr;
  while (!m_lost && my.moreResults(m_my) && my.nextResult(m_my) == 0)
    if (MYSQL_RES *rest = my.useResult(m_my))
      my.freeResult(rest);
  constexpr unsigned kClientErrors = 2000, kServerErrorsAgain = 3000;
  const unsigned error = my.errnoOf(m_my);
  if (m_lost || (error >= kClientErrors && error < kServerErrorsAgain)) {
    m_my = nullptr;
    QSqlDatabase::database(m_connectionName, false).close();
  }
}

QVariantList TzelMariaDbCursor::row() const {
  const unsigned long *lengths = zelMariaDb().fetchLengths(m_result);
  const int fields = int(m_defs.size());
  QVariantList values(fields);
  QVariant *value = values.data();
  for (int i = 0; i < fields; ++i)
    if (m_row[i])
      value[i] = valueOf(m_row[i], lengths[i], m_defs[i].DataType);
  return values;
}

int TzelMariaDbCursor::read(std::deque<QVariantList> &out, int max) {
  int count = 0;
  m_host.guarded([&] {
    for (; count < max && m_row; ++count) {
      out.push_back(row());
      advance();
    }
  });
  return count;
}

qint64 TzelMariaDbCursor::skip(qint64 count) {
  qint64 passed = 0;
  m_host.guarded([&] {
    for (; passed < count && m_row; ++passed)
      advance();
  });
  return passed;
}
