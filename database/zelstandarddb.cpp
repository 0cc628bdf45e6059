// SPDX-License-Identifier: MIT
#include "database/zelstandarddb.h"

#include "database/tablecatalogue.h"
#include "database/zeldbasefile.h"
#include "database/zellocalsql.h"
#include "database/zelparadoxfile.h"
#include "model/zeltypes.h"

#include <QDate>
#include <QDir>
#include <QFileInfo>
#include <QRegularExpression>
#include <QSqlDatabase>
#include <QSqlDriver>
#include <QSqlError>
#include <QSqlQuery>
#include <QTime>
#include <memory>
#include <optional>

#include <sqlite3.h>
#include <sys/stat.h>

using namespace Qt::StringLiterals;

namespace {

sqlite3 *sqliteHandle(const QString &connection) {
  const QVariant v = QSqlDatabase::database(connection, false).driver()->handle();
  if (v.isValid() && qstrcmp(v.typeName(), "sqlite3*") == 0)
    return *static_cast<sqlite3 *const *>(v.constData());
  return nullptr;
}

struct StmtDeleter {
  void operator()(sqlite3_stmt *s) const { sqlite3_finalize(s); }
};

void exec(sqlite3 *db, const QString &sql) {
  char *error = nullptr;
  if (sqlite3_exec(db, sql.toUtf8().constData(), nullptr, nullptr, &error) != SQLITE_OK) {
    const QString text = QString::fromUtf8(error ? error : "unknown error");
    sqlite3_free(error);
    throw EzelError(u"Error: "_s + text);
  }
}

void bindValue(sqlite3_stmt *stmt, int at, const QVariant &value) {
  const bool invalidDate =
      (value.typeId() == QMetaType::QDate && !value.toDate().isValid()) ||
      (value.typeId() == QMetaType::QDateTime && !value.toDateTime().isValid()) ||
      (value.typeId() == QMetaType::QTime && !value.toTime().isValid());
  if (value.isNull() || invalidDate) {
    sqlite3_bind_null(stmt, at);
    return;
  }
  switch (value.typeId()) {
  case QMetaType::Bool:
    sqlite3_bind_int(stmt, at, value.toBool() ? 1 : 0);
    return;
  case QMetaType::Int:
  case QMetaType::LongLong:
    sqlite3_bind_int64(stmt, at, value.toLongLong());
    return;
  case QMetaType::Double:
    sqlite3_bind_double(stmt, at, value.toDouble());
    return;
  case QMetaType::QByteArray: {
    const QByteArray b = value.toByteArray();
    sqlite3_bind_blob(stmt, at, b.constData(), int(b.size()), SQLITE_TRANSIENT);
    return;
  }
  case QMetaType::QDate: {
    const QByteArray t = value.toDate().toString(Qt::ISODate).toUtf8();
    sqlite3_bind_text(stmt, at, t.constData(), int(t.size()), SQLITE_TRANSIENT);
    return;
  }
  case QMetaType::QTime: {
    const QByteArray t = value.toTime().toString(u"hh:mm:ss"_s).toUtf8();
    sqlite3_bind_text(stmt, at, t.constData(), int(t.size()), SQLITE_TRANSIENT);
    return;
  }
  case QMetaType::QDateTime: {
    const QByteArray t = value.toDateTime().toString(u"yyyy-MM-dd hh:mm:ss"_s).toUtf8();
    sqlite3_bind_text(stmt, at, t.constData(), int(t.size()), SQLITE_TRANSIENT);
    return;
  }
  default: {
    const QByteArray t = value.toString().toUtf8();
    sqlite3_bind_text(stmt, at, t.constData(), int(t.size()), SQLITE_TRANSIENT);
  }
  }
}

} // namespace

bool isTableFileName(const QString &fileName) {
  return fileName.endsWith(u".db"_s, Qt::CaseInsensitive) ||
         fileName.endsWith(u".dbf"_s, Qt::CaseInsensitive);
}

TzelStandardDatabase::TzelStandardDatabase(const QString &folder, QString connectionName,
                                           std::function<QString(const QString &)> folderOfAlias)
    : m_folder(QDir(folder).absolutePath()), m_connection(std::move(connectionName)),
      m_folderOfAlias(std::move(folderOfAlias)) {
  QSqlDatabase db = QSqlDatabase::addDatabase(u"QSQLITE"_s, m_connection);
  db.setDatabaseName(u":memory:"_s);
  db.open();
}

TzelStandardDatabase::~TzelStandardDatabase() {
  QSqlDatabase::database(m_connection, false).close();
  QSqlDatabase::removeDatabase(m_connection);
}

QStringList TzelStandardDatabase::tableFiles() const {
  return zelFolderFiles(m_folder, isTableFileName);
}

QStringList TzelStandardDatabase::filesOf(const QString &sql) {
  prepare(sql);
  return m_resolved;
}

QString TzelStandardDatabase::prepare(const QString &sql) {
  m_listing.clear();
  m_resolved.clear();
  // A table whose file is gone must not answer from its old copy.
  for (auto it = m_loaded.begin(); it != m_loaded.end();) {
    if (QFileInfo::exists(it.key())) {
      ++it;
      continue;
    }
    if (sqlite3 *db = sqliteHandle(m_connection))
      sqlite3_exec(
          db,
          u"DROP TABLE IF EXISTS %1"_s.arg(quoteSqliteName(it->sqliteName)).toUtf8().constData(),
          nullptr, nullptr, nullptr);
    it = m_loaded.erase(it);
  }
  TzelLocalSqlHooks hooks;
  hooks.resolveTable = [this](const QString &ref, bool explicitRef) {
    return resolve(ref, explicitRef);
  };
  hooks.columnsOf = [this](const QString &table) {
    for (const Loaded &l : std::as_const(m_loaded))
      if (l.sqliteName == table)
        return l.columns;
    return QSet<QString>();
  };
  QString translated = translateLocalSql(sql, hooks);
  m_listing.clear();
  return translated;
}

std::optional<QString> TzelStandardDatabase::resolve(const QString &reference, bool explicitRef) {
  static const QRegularExpression prefixed(u"^:([^:]+):(.+)$"_s);
  QString folder = m_folder;
  QString name = reference;
  if (const auto m = prefixed.match(reference); m.hasMatch()) {
    folder = m_folderOfAlias(m.captured(1));
    if (folder.isEmpty())
      throw EzelError(u"Error: Unknown database [%1]"_s.arg(m.captured(1)));
    name = m.captured(2);
  } else if (explicitRef) {
    QString path = reference;
    path.replace(u'\\', u'/');
    const int slash = int(path.lastIndexOf(u'/'));
    folder = path.left(slash);
    name = path.mid(slash + 1);
  }
  if (!m_listing.contains(folder)) {
    QStringList files;
    const auto entries = QDir(folder).entryList(QDir::Files);
    for (const QString &f : entries)
      if (isTableFileName(f))
        files.append(f);
    m_listing.insert(folder, files);
  }
  const QStringList &files = m_listing[folder];
  QString found;
  for (const QString &candidate : {name, name + u".db"_s, name + u".dbf"_s}) {
    for (const QString &f : files)
      if (f.compare(candidate, Qt::CaseInsensitive) == 0) {
        found = f;
        break;
      }
    if (!found.isEmpty())
      break;
  }
  if (found.isEmpty()) {
    if (explicitRef)
      throw EzelError(u"Error: Table [%1] does not exist"_s.arg(reference));
    return std::nullopt;
  }
  const QString path = QDir(folder).absoluteFilePath(found);
  m_resolved.append(path);
  return load(path);
}

QString TzelStandardDatabase::sqliteNameFor(const QString &path) const {
  const QFileInfo info(path);
  if (QDir(info.absolutePath()) != QDir(m_folder))
    return path;
  QString name = info.completeBaseName();
  for (auto it = m_loaded.cbegin(); it != m_loaded.cend(); ++it)
    if (it.key() != path && it->sqliteName.compare(name, Qt::CaseInsensitive) == 0)
      return info.fileName();
  return name;
}

TzelStandardDatabase::FileStamp TzelStandardDatabase::stampOf(const QString &path) {
  struct stat st {};
  if (::stat(QFile::encodeName(path).constData(), &st) != 0)
    return {};
  return {quint64(st.st_dev), quint64(st.st_ino), qint64(st.st_mtim.tv_sec),
          qint64(st.st_mtim.tv_nsec), qint64(st.st_size)};
}

QString TzelStandardDatabase::load(const QString &path) {
  const FileStamp stamp = stampOf(path);
  auto it = m_loaded.find(path);
  if (it != m_loaded.end() && it->stamp == stamp)
    return it->sqliteName;

  TzelTableData data;
  const bool dbase = path.endsWith(u".dbf"_s, Qt::CaseInsensitive);
  const TzelFileResult read = dbase ? readDbaseTable(path, data) : readParadoxTable(path, data);
  if (!read.ok)
    throw EzelError(u"Error: "_s + read.text);

  sqlite3 *db = sqliteHandle(m_connection);
  if (!db)
    throw EzelError(u"Error: The in-memory database is not available"_s);
  Loaded loaded;
  loaded.sqliteName = it != m_loaded.end() ? it->sqliteName : sqliteNameFor(path);
  loaded.stamp = stamp;
  QStringList columns;
  QStringList marks;
  for (const TzelTableColumn &c : std::as_const(data.columns)) {
    columns.append(quoteSqliteName(c.name) + u' ' + declaredTypeFor(c.type));
    marks.append(u"?"_s);
    loaded.columns.insert(c.name.toUpper());
  }
  const QString table = quoteSqliteName(loaded.sqliteName);
  exec(db, u"DROP TABLE IF EXISTS %1"_s.arg(table));
  exec(db, u"CREATE TABLE %1 (%2)"_s.arg(table, columns.join(u", "_s)));
  exec(db, u"BEGIN"_s);
  try {
    sqlite3_stmt *raw = nullptr;
    const QByteArray insert = u"INSERT INTO %1 VALUES (%2)"_s.arg(table, marks.join(u',')).toUtf8();
    if (sqlite3_prepare_v2(db, insert.constData(), -1, &raw, nullptr) != SQLITE_OK)
      throw EzelError(u"Error: "_s + QString::fromUtf8(sqlite3_errmsg(db)));
    std::unique_ptr<sqlite3_stmt, StmtDeleter> stmt(raw);
    for (const QVariantList &row : std::as_const(data.rows)) {
      for (int i = 0; i < row.size(); ++i)
        bindValue(stmt.get(), i + 1, row[i]);
      if (sqlite3_step(stmt.get()) != SQLITE_DONE)
        throw EzelError(u"Error: "_s + QString::fromUtf8(sqlite3_errmsg(db)));
      sqlite3_reset(stmt.get());
    }
    exec(db, u"COMMIT"_s);
  } catch (...) {
    sqlite3_exec(db, "ROLLBACK", nullptr, nullptr, nullptr);
    m_loaded.remove(path);
    throw;
  }
  m_loaded.insert(path, loaded);
  return loaded.sqliteName;
}
