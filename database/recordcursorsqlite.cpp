// SPDX-License-Identifier: MIT
#include "database/recordcursorsqlite.h"

#include "database/zelcancel.h"
#include "database/zeldatepattern.h"
#include "database/zelfieldtype.h"
#include "database/zelrecordstream.h"

#include <QSqlDatabase>
#include <QSqlDriver>

#include <sqlite3.h>

using namespace Qt::StringLiterals;

namespace {

constexpr int kProgressOps = 1000;

// sqlite3_interrupt stops every statement of the connection, so it is used only when no
// other statement is in the middle of its records; the progress handler stops this one
// in any case.
bool othersBusy(sqlite3 *db, sqlite3_stmt *own) {
  for (sqlite3_stmt *s = sqlite3_next_stmt(db, nullptr); s; s = sqlite3_next_stmt(db, s))
    if (s != own && sqlite3_stmt_busy(s))
      return true;
  return false;
}

int onProgress(void *host) {
  return static_cast<TzelCursorHost *>(host)->progress() ? 1 : 0;
}

} // namespace

TzelSqliteCursor::TzelSqliteCursor(TzelCursorHost &host, const QString &connectionName)
    : TzelRecordCursor(host) {
  const QSqlDatabase db = QSqlDatabase::database(connectionName, false);
  const QVariant handle = db.driver() ? db.driver()->handle() : QVariant();
  if (handle.isValid() && qstrcmp(handle.typeName(), "sqlite3*") == 0)
    m_db = *static_cast<sqlite3 *const *>(handle.constData());
  if (!m_db)
    throw EzelError(u"Error: The database [%1] is not open"_s.arg(connectionName));
}

TzelSqliteCursor::~TzelSqliteCursor() {
  if (m_stmt)
    sqlite3_finalize(m_stmt);
}

void TzelSqliteCursor::failWithEngine() {
  m_rowPending = false;
  fail(QString::fromUtf8(sqlite3_errmsg(m_db)));
}

void TzelSqliteCursor::start(const QString &sql) {
  const void *tail = nullptr;
  if (sqlite3_prepare16_v2(m_db, sql.utf16(), int(sql.size() * 2), &m_stmt, &tail) != SQLITE_OK)
    failWithEngine();
  const auto *rest = static_cast<const QChar *>(tail);
  if (rest && !QStringView(rest, sql.constData() + sql.size() - rest).trimmed().isEmpty())
    fail(u"Unable to execute multiple statements at a time"_s);
  if (!m_stmt) // only a comment or blanks
    return;
  m_select = sqlite3_column_count(m_stmt) > 0;
  bool ok = false;
  m_host.guarded([&] { ok = step(); });
  if (!ok)
    failWithEngine();
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

void TzelSqliteCursor::arm(TzelCancelTarget &cancel) {
  sqlite3_progress_handler(m_db, kProgressOps, onProgress, &m_host);
  if (!othersBusy(m_db, m_stmt))
    cancel.armSqlite(m_db);
}

void TzelSqliteCursor::disarm(TzelCancelTarget &cancel) {
  sqlite3_progress_handler(m_db, 0, nullptr, nullptr);
  cancel.disarm();
}

bool TzelSqliteCursor::step() {
  const int rc = sqlite3_step(m_stmt);
  m_rowPending = rc == SQLITE_ROW;
  return rc == SQLITE_ROW || rc == SQLITE_DONE;
}

// Takes the pending rows while `take` accepts one, stepping past each taken; an engine
// error is raised, and the cursor is at its end once no row is pending.
template <typename Take> void TzelSqliteCursor::takeRows(Take take) {
  bool ok = true;
  m_host.guarded([&] {
    while (ok && m_rowPending && take())
      ok = step();
  });
  if (!ok)
    failWithEngine();
  m_atEnd = !m_rowPending;
}

int TzelSqliteCursor::read(std::deque<QVariantList> &out, int max) {
  int count = 0;
  const int fields = int(m_defs.size());
  const TzelSqliteRecord record(m_stmt, m_defs);
  takeRows([&] {
    if (count >= max)
      return false;
    QVariantList row;
    row.reserve(fields);
    for (int i = 0; i < fields; ++i)
      row.append(record.value(i));
    out.push_back(std::move(row));
    ++count;
    return true;
  });
  return count;
}

// In blocks, as read() goes: the wait hook then stands for the database keeping the caller
// waiting, not for the time the visitor takes.
qint64 TzelSqliteCursor::visit(TzelRecordVisitor &visitor, qint64 max) {
  constexpr int kBlock = 256;
  qint64 given = 0;
  if (!m_stmt)
    return 0;
  const TzelSqliteRecord record(m_stmt, m_defs);
  for (bool more = true; more && given < max && !m_atEnd;) {
    int n = 0;
    takeRows([&] {
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

qint64 TzelSqliteCursor::skip(qint64 count) {
  qint64 passed = 0;
  takeRows([&] { return passed < count && ++passed; });
  return passed;
}

static_assert(TzelRawRecord::Integer == SQLITE_INTEGER && TzelRawRecord::Float == SQLITE_FLOAT &&
              TzelRawRecord::Text == SQLITE_TEXT && TzelRawRecord::Blob == SQLITE_BLOB &&
              TzelRawRecord::Null == SQLITE_NULL);

TzelRawRecord::Kind TzelSqliteRecord::kind(int column) const {
  return Kind(sqlite3_column_type(m_stmt, column));
}

qint64 TzelSqliteRecord::integer(int column) const {
  return sqlite3_column_int64(m_stmt, column);
}

double TzelSqliteRecord::number(int column) const {
  return sqlite3_column_double(m_stmt, column);
}

QByteArrayView TzelSqliteRecord::text(int column) const {
  const auto *bytes = reinterpret_cast<const char *>(sqlite3_column_text(m_stmt, column));
  return {bytes, sqlite3_column_bytes(m_stmt, column)};
}

bool TzelSqliteRecord::moment(int column, TzelMoment &moment) const {
  const TFieldType type = m_defs[column].DataType;
  return (type == ftDate || type == ftTime) && kind(column) == Text &&
         TzelDatePattern::readIso(text(column), type, moment);
}

QVariant TzelSqliteRecord::value(int column) const {
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
