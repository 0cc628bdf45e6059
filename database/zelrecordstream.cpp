#include "database/zelrecordstream.h"

#include "database/zelcancel.h"
#include "database/zelfieldtype.h"

#include <QDate>
#include <QDateTime>
#include <QSqlDatabase>
#include <QSqlDriver>
#include <QSqlError>
#include <QSqlField>
#include <QSqlRecord>
#include <QSqlResult>
#include <QTime>

#include <libpq-fe.h>
#include <sqlite3.h>

namespace {

constexpr int kWaitIntervalMs = 50;
constexpr int kProgressOps = 1000;

template <typename Handle> Handle handleOf(const QVariant &v, const char *typeName) {
  if (v.isValid() && qstrcmp(v.typeName(), typeName) == 0)
    return *static_cast<const Handle *>(v.constData());
  return nullptr;
}

// The driver names the handle after libpq's struct.
PGconn *postgresOf(const QSqlQuery &query) {
  return handleOf<PGconn *>(query.driver()->handle(), "pg_conn*");
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

TzelColumnType fromValueType(const QSqlField &field) {
  switch (field.metaType().id()) {
  case QMetaType::Int:
  case QMetaType::LongLong:
  case QMetaType::UInt:
  case QMetaType::ULongLong:
    return {ftInteger, 0};
  case QMetaType::Double:
    return {ftFloat, 0};
  case QMetaType::Bool:
    return {ftBoolean, 0};
  case QMetaType::QDate:
    return {ftDate, 0};
  case QMetaType::QTime:
    return {ftTime, 0};
  case QMetaType::QDateTime:
    return {ftDateTime, 0};
  case QMetaType::QByteArray:
    return {ftBlob, 0};
  default:
    return {ftString, field.length() > 0 ? field.length() : 0};
  }
}

QList<TzelFieldDef> postgresDefinitions(const QSqlQuery &query) {
  const QSqlRecord record = query.record();
  QList<TzelFieldDef> defs;
  for (int i = 0; i < record.count(); ++i) {
    const QSqlField f = record.field(i);
    TzelColumnType t = fieldTypeFromPostgres(f.typeID(), f.length(), f.precision());
    if (t.type == ftUnknown)
      t = fromValueType(f);
    defs.append({f.name(), t.type, t.size});
  }
  return defs;
}

[[noreturn]] void notConvertible(const QVariant &raw, const TzelFieldDef &def, const char *kind) {
  throw EzelError(u"Error: The value [%1] of the [%2] field is not a %3"_qs.arg(
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
    : m_kind(kind), m_cancel(cancel), m_wait(std::move(wait)) {
  if (kind != TzelDriverKind::Postgres) {
    startSqlite(connectionName, sql);
    return;
  }
  m_query = QSqlQuery(QSqlDatabase::database(connectionName, false));
  m_query.setForwardOnly(true);
  if (!guarded([&] { return m_query.exec(sql); }))
    failWith(m_query.lastError());
  m_select = m_query.isSelect();
  m_atEnd = !m_select;
  if (m_select)
    m_defs = postgresDefinitions(m_query);
}

// PostgreSQL: the driver reads the rest of a result left early before the connection serves
// the next statement. A cancel request would save that transfer, but one that reaches the
// server after the statement ended stops the next statement instead.
TzelRecordStream::~TzelRecordStream() {
  if (m_stmt)
    sqlite3_finalize(m_stmt);
}

// SQLite is read through its own interface on the driver's connection: the driver's
// row cache would double the work of every record.
void TzelRecordStream::startSqlite(const QString &connectionName, const QString &sql) {
  const QSqlDatabase db = QSqlDatabase::database(connectionName, false);
  m_db = db.driver() ? handleOf<sqlite3 *>(db.driver()->handle(), "sqlite3*") : nullptr;
  if (!m_db)
    throw EzelError(u"Error: The database [%1] is not open"_qs.arg(connectionName));
  const void *tail = nullptr;
  if (sqlite3_prepare16_v2(m_db, sql.utf16(), int(sql.size() * 2), &m_stmt, &tail) != SQLITE_OK)
    failWith(QString::fromUtf8(sqlite3_errmsg(m_db)));
  const auto *rest = static_cast<const QChar *>(tail);
  if (rest && !QStringView(rest, sql.constData() + sql.size() - rest).trimmed().isEmpty())
    failWith(u"Unable to execute multiple statements at a time"_qs);
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
  for (int i = 0; i < fields; ++i) {
    QVariant raw;
    switch (sqlite3_column_type(m_stmt, i)) {
    case SQLITE_INTEGER:
      raw = qlonglong(sqlite3_column_int64(m_stmt, i));
      break;
    case SQLITE_FLOAT:
      raw = sqlite3_column_double(m_stmt, i);
      break;
    case SQLITE_BLOB:
      raw = QByteArray(static_cast<const char *>(sqlite3_column_blob(m_stmt, i)),
                       sqlite3_column_bytes(m_stmt, i));
      break;
    case SQLITE_TEXT:
      raw = QString::fromUtf8(reinterpret_cast<const char *>(sqlite3_column_text(m_stmt, i)),
                              sqlite3_column_bytes(m_stmt, i));
      break;
    default:
      break;
    }
    row.append(zelTypedValue(raw, m_defs[i]));
  }
  return row;
}

template <typename Step> bool TzelRecordStream::guarded(Step step) {
  if (m_cancel.requested() || TzelCancelTarget::allRequested())
    throw EzelCancelled();
  sqlite3 *db = nullptr;
  if (m_kind == TzelDriverKind::Postgres) {
    if (PGconn *conn = postgresOf(m_query))
      m_cancel.armPostgres(PQgetCancel(conn));
  } else if ((db = m_db)) {
    sqlite3_progress_handler(db, kProgressOps, onProgress, this);
    if (!othersBusy(db, m_stmt))
      m_cancel.armSqlite(db);
  }
  m_sinceWait.start();
  bool ok = false;
  try {
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

void TzelRecordStream::failWith(const QSqlError &error) {
  failWith(error.databaseText().isEmpty() ? error.text() : error.databaseText());
}

void TzelRecordStream::failWith(const QString &message) {
  m_atEnd = true;
  m_rowPending = false;
  if (m_cancel.requested() || TzelCancelTarget::allRequested())
    throw EzelCancelled();
  throw EzelError(u"Error: "_qs + message);
}

int TzelRecordStream::read(std::deque<QVariantList> &out, int max) {
  int count = 0;
  if (m_atEnd)
    return 0;
  if (m_stmt) {
    const bool ok = guarded([&] {
      for (; count < max && m_rowPending; ++count) {
        out.push_back(sqliteRow());
        if (!stepSqlite())
          return false;
      }
      return true;
    });
    if (!ok)
      failWith(QString::fromUtf8(sqlite3_errmsg(m_db)));
    m_atEnd = !m_rowPending;
    return count;
  }
  const int fields = int(m_defs.size());
  const bool ok = guarded([&] {
    while (count < max && !m_atEnd) {
      if (!m_query.next()) {
        m_atEnd = true;
        return !m_query.lastError().isValid();
      }
      QVariantList row;
      row.reserve(fields);
      for (int i = 0; i < fields; ++i)
        row.append(zelTypedValue(m_query.value(i), m_defs[i]));
      out.push_back(std::move(row));
      ++count;
    }
    return true;
  });
  if (!ok)
    failWith(m_query.lastError());
  return count;
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
      if (!m_query.next()) {
        m_atEnd = true;
        return !m_query.lastError().isValid();
      }
      ++passed;
    }
    return true;
  });
  if (!ok)
    m_stmt ? failWith(QString::fromUtf8(sqlite3_errmsg(m_db))) : failWith(m_query.lastError());
  if (m_stmt)
    m_atEnd = !m_rowPending;
  return passed;
}
