// SPDX-License-Identifier: MIT
#include "database/recordcursorfirebird.h"

#include "database/zelfbclient.h"

#include <QDate>
#include <QDateTime>
#include <QSqlDatabase>
#include <QSqlDriver>
#include <QTime>

#include <cstring>

using namespace Qt::StringLiterals;

namespace {

constexpr int kWaitIntervalMs = 50;
// How long a server has to end a cancelled statement before its attachment is given up.
constexpr int kCancelGraceMs = 1000;
constexpr int kFirstColumns = 20;
constexpr short kCharsetOctets = 1, kCharsetUnicodeFss = 3, kCharsetUtf8 = 4;
constexpr short kBlobText = 1;
// ISC_DATE counts days from 17 November 1858.
constexpr qint64 kJulianDayOfDateZero = 2400001;
constexpr ISC_STATUS kEndOfRecords = 100;
constexpr ISC_STATUS kLostConnection[] = {isc_att_shutdown, isc_network_error,
                                          isc_lost_db_connection, isc_shutdown};

bool holds(const ISC_STATUS *status, ISC_STATUS code) {
  for (int i = 0; status[i] != isc_arg_end; i += status[i] == isc_arg_cstring ? 3 : 2)
    if (status[i] == isc_arg_gds && status[i + 1] == code)
      return true;
  return false;
}

bool connectionGone(const ISC_STATUS *status) {
  for (const ISC_STATUS code : kLostConnection)
    if (holds(status, code))
      return true;
  return false;
}

TzelColumnType columnType(const XSQLVAR &var, int characters) {
  const short type = var.sqltype & ~1;
  const bool binary = (var.sqlsubtype & 0xff) == kCharsetOctets;
  switch (type) {
  case SQL_SHORT:
  case SQL_LONG:
  case SQL_INT64:
    if (var.sqlscale < 0)
      return {ftBCD, -var.sqlscale};
    return {type == SQL_SHORT ? ftSmallint : ftInteger, 0};
  case SQL_FLOAT:
  case SQL_DOUBLE:
  case SQL_D_FLOAT:
    return {ftFloat, 0};
  case SQL_TYPE_DATE:
    return {ftDate, 0};
  case SQL_TYPE_TIME:
    return {ftTime, 0};
  case SQL_TIMESTAMP:
    return {ftDateTime, 0};
  case SQL_BOOLEAN:
    return {ftBoolean, 0};
  case SQL_BLOB:
    return {var.sqlsubtype == kBlobText ? ftMemo : ftBlob, 0};
  case SQL_TEXT:
  case SQL_VARYING:
    return binary ? TzelColumnType{ftBytes, var.sqllen} : TzelColumnType{ftString, characters};
  default:
    return {ftUnknown, 0};
  }
}

int bytesPerCharacter(const XSQLVAR &var) {
  switch (var.sqlsubtype & 0xff) {
  case kCharsetUtf8:
    return 4;
  case kCharsetUnicodeFss:
    return 3;
  default:
    return 1;
  }
}

QVariant scaled(qint64 value, short scale) {
  static constexpr double kPowersOfTen[] = {1e0,  1e1,  1e2,  1e3,  1e4,  1e5,  1e6,
                                            1e7,  1e8,  1e9,  1e10, 1e11, 1e12, 1e13,
                                            1e14, 1e15, 1e16, 1e17, 1e18};
  if (scale == 0)
    return value == int(value) ? QVariant(int(value)) : QVariant(qlonglong(value));
  // One division, so that 12.75 is the nearest double to 1275 / 100.
  const double power = kPowersOfTen[qBound(0, int(scale < 0 ? -scale : scale), 18)];
  return scale < 0 ? double(value) / power : double(value) * power;
}

// A CHAR value of a multibyte character set comes padded to its length in bytes: its
// padding is kept up to the column's length in characters.
QString paddedText(const char *bytes, int length, int characters) {
  QString text = QString::fromUtf8(bytes, length);
  qsizetype end = text.size();
  while (end > characters && text.at(end - 1) == u' ')
    --end;
  text.truncate(end);
  return text;
}

template <typename T> T at(const char *data) {
  T value;
  std::memcpy(&value, data, sizeof value);
  return value;
}

} // namespace

TzelFirebirdCursor::TzelFirebirdCursor(TzelCursorHost &host, const QString &connectionName)
    : TzelRecordCursor(host), m_connectionName(connectionName) {
  const QSqlDatabase db = QSqlDatabase::database(connectionName, false);
  const QVariant handle = db.driver() ? db.driver()->handle() : QVariant();
  if (handle.isValid() && handle.metaType().sizeOf() == int(sizeof(isc_db_handle)))
    m_db = *static_cast<const isc_db_handle *>(handle.constData());
  if (!m_db || !db.isOpen())
    throw EzelError(u"Error: The database [%1] is not open"_s.arg(connectionName));
}

TzelFirebirdCursor::~TzelFirebirdCursor() {
  finish(!m_host.cancelRequested());
}

void TzelFirebirdCursor::start(const QString &sql) {
  const QByteArray text = sql.toUtf8();
  m_host.guarded([&] {
    if (!await([&] { return prepare(text); }))
      failWithServer();
    describeColumns();
    m_atEnd = !m_select;
  });
}

bool TzelFirebirdCursor::await(const std::function<bool()> &call) {
  bool done = false;
  m_worker.run([&] { done = call(); }, [this] { pollWhileWaiting(); }, kWaitIntervalMs);
  return done;
}

// Cancel asks the server to stop what the attachment runs; a server that has not done so
// within the grace (stopped, or out of reach) is not waited for: the attachment is closed on
// this side, the call ends with the loss, and the session opens the database again.
void TzelFirebirdCursor::pollWhileWaiting() {
  if (!m_host.progress() || m_lost)
    return;
  m_stop = true;
  ISC_STATUS_ARRAY status{};
  if (!m_cancelSent) {
    m_cancelSent = true;
    m_sinceCancel.start();
    zelFbClient().cancelOperation(status, &m_db, fb_cancel_raise);
  } else if (m_sinceCancel.elapsed() >= kCancelGraceMs) {
    m_lost = true;
    zelFbClient().cancelOperation(status, &m_db, fb_cancel_abort);
  }
}

// On the worker: a transaction, the statement prepared and run, and the buffers of its
// columns; a statement without records is committed at once.
bool TzelFirebirdCursor::prepare(const QByteArray &text) {
  const TzelFbClient &fb = zelFbClient();
  static char tpb[] = {isc_tpb_version3, isc_tpb_write, isc_tpb_read_committed, isc_tpb_rec_version,
                       isc_tpb_wait};
  struct {
    isc_db_handle *db;
    int length;
    char *tpb;
  } teb{&m_db, int(sizeof tpb), tpb};
  if (fb.startMultiple(m_status, &m_tr, 1, &teb) || fb.allocateStatement(m_status, &m_db, &m_stmt))
    return false;
  m_sqlda.assign(XSQLDA_LENGTH(kFirstColumns), 0);
  auto *da = reinterpret_cast<XSQLDA *>(m_sqlda.data());
  da->version = SQLDA_VERSION1;
  da->sqln = kFirstColumns;
  if (fb.prepare(m_status, &m_tr, &m_stmt, 0, text.constData(), SQL_DIALECT_V6, da))
    return false;
  if (da->sqld > da->sqln) {
    const short columns = da->sqld;
    m_sqlda.assign(XSQLDA_LENGTH(columns), 0);
    da = reinterpret_cast<XSQLDA *>(m_sqlda.data());
    da->version = SQLDA_VERSION1;
    da->sqln = columns;
    if (fb.describe(m_status, &m_stmt, SQLDA_VERSION1, da))
      return false;
  }
  char item = isc_info_sql_stmt_type;
  char info[16] = {};
  if (fb.sqlInfo(m_status, &m_stmt, 1, &item, sizeof info, info))
    return false;
  const short length = short(fb.vaxInteger(info + 1, 2));
  const ISC_LONG kind = fb.vaxInteger(info + 3, length);
  m_select = da->sqld > 0 &&
             (kind == isc_info_sql_stmt_select || kind == isc_info_sql_stmt_select_for_upd);
  if (m_select) {
    std::size_t size = 0;
    for (int i = 0; i < da->sqld; ++i) {
      XSQLVAR &var = da->sqlvar[i];
      size = (size + 7) & ~std::size_t(7);
      var.sqltype |= 1; // every value gets its null flag
      size += std::size_t(var.sqllen) + ((var.sqltype & ~1) == SQL_VARYING ? 2 : 0);
    }
    m_buffer.assign(size, 0);
    m_nulls.assign(std::size_t(da->sqld), 0);
    std::size_t offset = 0;
    for (int i = 0; i < da->sqld; ++i) {
      XSQLVAR &var = da->sqlvar[i];
      offset = (offset + 7) & ~std::size_t(7);
      var.sqldata = m_buffer.data() + offset;
      var.sqlind = &m_nulls[std::size_t(i)];
      offset += std::size_t(var.sqllen) + ((var.sqltype & ~1) == SQL_VARYING ? 2 : 0);
    }
  }
  if (fb.execute(m_status, &m_tr, &m_stmt, SQLDA_VERSION1, nullptr))
    return false;
  if (m_select)
    return true;
  return !fb.freeStatement(m_status, &m_stmt, DSQL_drop) && !fb.commit(m_status, &m_tr);
}

void TzelFirebirdCursor::describeColumns() {
  if (!m_select)
    return;
  const auto *da = reinterpret_cast<const XSQLDA *>(m_sqlda.data());
  for (int i = 0; i < da->sqld; ++i) {
    const XSQLVAR &var = da->sqlvar[i];
    const int characters = var.sqllen / bytesPerCharacter(var);
    const TzelColumnType t = columnType(var, characters);
    m_defs.append({QString::fromUtf8(var.aliasname, var.aliasname_length), t.type, t.size});
    m_columns.push_back({short(var.sqltype & ~1), var.sqlscale,
                         (var.sqlsubtype & 0xff) == kCharsetOctets, characters,
                         var.sqlsubtype == kBlobText});
  }
}

bool TzelFirebirdCursor::fetch(qint64 max, qint64 &count, std::deque<QVariantList> *keep) {
  const TzelFbClient &fb = zelFbClient();
  auto *da = reinterpret_cast<XSQLDA *>(m_sqlda.data());
  const int columns = int(m_columns.size());
  while (count < max && !m_stop.load(std::memory_order_relaxed)) {
    const ISC_STATUS got = fb.fetch(m_status, &m_stmt, SQLDA_VERSION1, da);
    if (got == kEndOfRecords) {
      m_atEnd = true;
      return !fb.freeStatement(m_status, &m_stmt, DSQL_drop) && !fb.commit(m_status, &m_tr);
    }
    if (got)
      return false;
    if (keep) {
      QVariantList values;
      values.reserve(columns);
      for (int i = 0; i < columns; ++i) {
        QVariant v;
        if (!value(i, v))
          return false;
        values.append(std::move(v));
      }
      keep->push_back(std::move(values));
    }
    ++count;
  }
  return true;
}

bool TzelFirebirdCursor::value(int column, QVariant &out) {
  const Column &c = m_columns[std::size_t(column)];
  if (m_nulls[std::size_t(column)] < 0)
    return true;
  const XSQLVAR &var = reinterpret_cast<const XSQLDA *>(m_sqlda.data())->sqlvar[column];
  const char *data = var.sqldata;
  switch (c.type) {
  case SQL_SHORT:
    out = scaled(at<short>(data), c.scale);
    break;
  case SQL_LONG:
    out = scaled(at<ISC_LONG>(data), c.scale);
    break;
  case SQL_INT64:
    out = scaled(at<ISC_INT64>(data), c.scale);
    break;
  case SQL_FLOAT:
    out = double(at<float>(data));
    break;
  case SQL_DOUBLE:
  case SQL_D_FLOAT:
    out = at<double>(data);
    break;
  case SQL_TYPE_DATE:
    out = QDate::fromJulianDay(at<ISC_DATE>(data) + kJulianDayOfDateZero);
    break;
  case SQL_TYPE_TIME:
    out = QTime::fromMSecsSinceStartOfDay(int(at<ISC_TIME>(data) / 10));
    break;
  case SQL_TIMESTAMP: {
    const auto moment = at<ISC_TIMESTAMP>(data);
    out = QDateTime(QDate::fromJulianDay(moment.timestamp_date + kJulianDayOfDateZero),
                    QTime::fromMSecsSinceStartOfDay(int(moment.timestamp_time / 10)), Qt::UTC);
    break;
  }
  case SQL_BOOLEAN:
    out = at<FB_BOOLEAN>(data) != 0;
    break;
  case SQL_TEXT:
    out = c.binary ? QVariant(QByteArray(data, var.sqllen))
                   : QVariant(paddedText(data, var.sqllen, c.length));
    break;
  case SQL_VARYING: {
    const int length = at<short>(data);
    out = c.binary ? QVariant(QByteArray(data + 2, length))
                   : QVariant(QString::fromUtf8(data + 2, length));
    break;
  }
  case SQL_BLOB: {
    QByteArray bytes;
    if (!readBlob(at<ISC_QUAD>(data), bytes))
      return false;
    out = c.textBlob ? QVariant(QString::fromUtf8(bytes)) : QVariant(bytes);
    break;
  }
  default:
    break;
  }
  return true;
}

bool TzelFirebirdCursor::readBlob(ISC_QUAD id, QByteArray &bytes) {
  const TzelFbClient &fb = zelFbClient();
  isc_blob_handle blob = 0;
  if (fb.openBlob(m_status, &m_db, &m_tr, &blob, &id, 0, nullptr))
    return false;
  char segment[32768];
  for (;;) {
    unsigned short length = 0;
    const ISC_STATUS got = fb.getSegment(m_status, &blob, &length, sizeof segment, segment);
    if (got && got != isc_segment)
      break;
    bytes.append(segment, length);
  }
  if (m_status[1] != isc_segstr_eof) {
    ISC_STATUS_ARRAY ignored{};
    fb.closeBlob(ignored, &blob);
    return false;
  }
  return !fb.closeBlob(m_status, &blob);
}

int TzelFirebirdCursor::read(std::deque<QVariantList> &out, int max) {
  qint64 count = 0;
  m_host.guarded([&] {
    if (!await([&] { return fetch(max, count, &out); }) || m_stop)
      failWithServer();
  });
  return int(count);
}

qint64 TzelFirebirdCursor::skip(qint64 count) {
  qint64 passed = 0;
  m_host.guarded([&] {
    if (!await([&] { return fetch(count, passed, nullptr); }) || m_stop)
      failWithServer();
  });
  return passed;
}

// The server's message with its SQLSTATE; the statement and its transaction are ended.
void TzelFirebirdCursor::failWithServer() {
  const QString message = m_lost ? u"The statement was cancelled"_s : zelFbMessage(m_status);
  m_lost = m_lost || connectionGone(m_status);
  finish(false);
  fail(message);
}

// Leaves the attachment ready for its next statement. A cancel request that reached the
// server after the call it was meant for had ended stops the next call instead: that one is
// made again. An attachment that was lost or given up is closed, for the session to open
// it again.
void TzelFirebirdCursor::finish(bool commit) {
  m_atEnd = true;
  if (!m_db)
    return;
  const TzelFbClient &fb = zelFbClient();
  ISC_STATUS_ARRAY status{};
  const auto retried = [&](const std::function<ISC_STATUS()> &call) {
    return call() && holds(status, isc_cancelled) && call();
  };
  if (m_stmt)
    retried([&] { return fb.freeStatement(status, &m_stmt, DSQL_drop); });
  if (m_tr && commit && retried([&] { return fb.commit(status, &m_tr); }))
    commit = false;
  if (m_tr && !commit)
    retried([&] { return fb.rollback(status, &m_tr); });
  m_stmt = 0;
  m_tr = 0;
  if (m_lost || connectionGone(status)) {
    m_db = 0;
    QSqlDatabase::database(m_connectionName, false).close();
  }
}
