// SPDX-License-Identifier: MIT
#include "database/tablecatalogue.h"

#include "messages/zelerror.h"
#include "messages/zelprogress.h"

#include <QDir>
#include <QDirIterator>
#include <QSqlDatabase>
#include <QSqlDriver>
#include <QSqlError>
#include <QSqlQuery>
#include <algorithm>
#include <sqlite3.h>

using namespace Qt::StringLiterals;

namespace {

// The listing as long work: names counted in words every so many, and the database's own
// work answering Cancel too (SQLite reads a schema of 100,000 tables, for seconds, before it
// gives the first row).
class Listing {
public:
  void count() {
    constexpr int kEvery = 256;
    if (++m_count % kEvery == 0 && !goOn(u"Tables listed: %1"_s.arg(m_count)))
      stop();
  }
  bool goOn(const QString &text) {
    m_stopped = m_stopped || !m_scope.step(text);
    return !m_stopped;
  }
  bool stopped() const { return m_stopped; }
  [[noreturn]] static void stop() {
    throw EzelError(u"Error: The listing of the tables was cancelled"_s);
  }

private:
  TzelProgressScope m_scope{u"Listing tables"_s};
  int m_count = 0;
  bool m_stopped = false;
};

sqlite3 *sqliteHandle(const QSqlDatabase &db) {
  const QVariant v = db.driver()->handle();
  if (v.isValid() && qstrcmp(v.typeName(), "sqlite3*") == 0)
    return *static_cast<sqlite3 *const *>(v.constData());
  return nullptr;
}

int onSqliteProgress(void *listing) {
  return static_cast<Listing *>(listing)->goOn(u"Reading the catalogue"_s) ? 0 : 1;
}

// While it lives, SQLite's work between rows answers Cancel by interrupting the statement.
class SqliteProgress {
public:
  SqliteProgress(const QSqlDatabase &db, Listing &listing) : m_db(sqliteHandle(db)) {
    constexpr int kEveryOps = 1000;
    if (m_db)
      sqlite3_progress_handler(m_db, kEveryOps, onSqliteProgress, &listing);
  }
  ~SqliteProgress() {
    if (m_db)
      sqlite3_progress_handler(m_db, 0, nullptr, nullptr);
  }
  SqliteProgress(const SqliteProgress &) = delete;
  SqliteProgress &operator=(const SqliteProgress &) = delete;

private:
  sqlite3 *m_db;
};

// Runs sql forward only and hands each row to take, counting it.
template <typename Take>
void readRows(const QSqlDatabase &db, const QString &sql, Listing &listing, Take take) {
  QSqlQuery q(db);
  q.setForwardOnly(true);
  bool ok = q.exec(sql);
  while (ok && q.next()) {
    take(q);
    listing.count();
  }
  ok = ok && !q.lastError().isValid();
  if (listing.stopped())
    Listing::stop();
  if (!ok)
    throw EzelError(u"Error: "_s + q.lastError().text());
}

// The user's tables, and the temporary ones of this connection.
QStringList sqliteTables(const QSqlDatabase &db, bool systemTables, Listing &listing) {
  const SqliteProgress progress(db, listing);
  QStringList names;
  readRows(db,
           u"SELECT name FROM sqlite_master WHERE type='table' "
           u"UNION ALL SELECT name FROM sqlite_temp_master WHERE type='table'"_s,
           listing, [&names](const QSqlQuery &q) { names.append(q.value(0).toString()); });
  if (systemTables)
    names.append(u"sqlite_master"_s);
  return names;
}

// Tables of every schema but the catalogue's; outside "public" a name carries its schema.
QStringList postgresTables(const QSqlDatabase &db, bool systemTables, Listing &listing) {
  QStringList names;
  readRows(db,
           u"SELECT c.relname, n.nspname FROM pg_class c "
           u"LEFT JOIN pg_namespace n ON c.relnamespace = n.oid "
           u"WHERE c.relkind = 'r' AND c.relname !~ '^Inv' AND c.relname !~ '^pg_' "
           u"AND n.nspname != 'information_schema'"_s,
           listing, [&names](const QSqlQuery &q) {
             const QString schema = q.value(1).toString();
             const QString name = q.value(0).toString();
             names.append(schema.isEmpty() || schema == u"public"_s ? name : schema + u'.' + name);
           });
  if (systemTables)
    readRows(db, u"SELECT relname FROM pg_class WHERE relkind = 'r' AND relname LIKE 'pg_%'"_s,
             listing, [&names](const QSqlQuery &q) { names.append(q.value(0).toString()); });
  return names;
}

} // namespace

QStringList zelCatalogueTables(const QSqlDatabase &db, TzelDriverKind kind, bool systemTables) {
  Listing listing;
  if (kind == TzelDriverKind::MariaDB || kind == TzelDriverKind::Firebird)
    return db.tables(systemTables ? QSql::AllTables : QSql::Tables);
  return kind == TzelDriverKind::Postgres ? postgresTables(db, systemTables, listing)
                                          : sqliteTables(db, systemTables, listing);
}

QStringList zelFolderFiles(const QString &folder, bool (*keep)(const QString &fileName)) {
  Listing listing;
  QStringList files;
  for (QDirIterator it(folder, QDir::Files); it.hasNext();) {
    const QString name = it.nextFileInfo().fileName();
    if (!keep(name))
      continue;
    files.append(name);
    listing.count();
  }
  // QDir's order for Name | IgnoreCase: by the lower-case names, each made once.
  std::vector<std::pair<QString, int>> keys;
  keys.reserve(size_t(files.size()));
  for (int i = 0; i < files.size(); ++i)
    keys.emplace_back(files.at(i).toLower(), i);
  std::sort(keys.begin(), keys.end());
  QStringList sorted;
  sorted.reserve(files.size());
  for (const auto &key : keys)
    sorted.append(files.at(key.second));
  return sorted;
}
