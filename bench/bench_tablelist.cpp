// Listing the tables of a database of 2,000 tables, as the add-table dialog does when a
// database is chosen: the engine's listing alone, and the listing with the dialog's list
// filled. SQLite always; PostgreSQL when ZEL_PG_HOST and friends name a server.
#include "database/zeldatamodel.h"
#include "database/zelsession.h"
#include "editors/frmzeladdtable.h"

#include <QApplication>
#include <QComboBox>
#include <QListWidget>
#include <QSqlDatabase>
#include <QSqlError>
#include <QSqlQuery>
#include <QTemporaryDir>
#include <benchmark/benchmark.h>
#include <memory>

namespace {

constexpr int Tables = 2000;

QString tableName(int i) {
  // Mixed case and spread initials, as real catalogues have.
  static const char *const stems[] = {"Orders", "customer", "Items", "vendor", "Parts", "ledger"};
  return QStringLiteral("%1_%2").arg(QLatin1String(stems[i % 6])).arg(i, 4, 10, QChar(u'0'));
}

bool createTables(QSqlDatabase &db) {
  QSqlQuery q(db);
  db.transaction();
  for (int i = 0; i < Tables; ++i)
    if (!q.exec(QStringLiteral("CREATE TABLE %1 (id integer, name varchar(20))").arg(tableName(i))))
      return false;
  return db.commit();
}

struct SqliteDatabase {
  QTemporaryDir dir;
  QString file = dir.filePath(QStringLiteral("tables.sqlite"));
  SqliteDatabase() {
    {
      QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), QStringLiteral("mk"));
      db.setDatabaseName(file);
      db.open();
      createTables(db);
    }
    QSqlDatabase::removeDatabase(QStringLiteral("mk"));
  }
};

// The alias PGTABLES on a fresh database of the server; empty name without a server.
QString postgresDatabase() {
  static QString alias;
  static bool tried = false;
  if (tried || qEnvironmentVariableIsEmpty("ZEL_PG_HOST"))
    return alias;
  tried = true;
  const QString name = QStringLiteral("zelbench_tables");
  {
    QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QPSQL"), QStringLiteral("mk"));
    db.setHostName(qEnvironmentVariable("ZEL_PG_HOST"));
    db.setPort(qEnvironmentVariableIntValue("ZEL_PG_PORT"));
    db.setDatabaseName(qEnvironmentVariable("ZEL_PG_DATABASE"));
    db.setUserName(qEnvironmentVariable("ZEL_PG_USER"));
    if (!db.open())
      return alias;
    QSqlQuery q(db);
    q.exec(QStringLiteral("DROP DATABASE IF EXISTS ") + name);
    q.exec(QStringLiteral("CREATE DATABASE ") + name);
    db.close();
    db.setDatabaseName(name);
    if (!db.open() || !createTables(db))
      return alias;
  }
  QSqlDatabase::removeDatabase(QStringLiteral("mk"));
  TzelSession::defaultSession().registerAlias(
      {QStringLiteral("PGTABLES"),
       QStringLiteral("POSTGRESQL"),
       {QStringLiteral("HOST=") + qEnvironmentVariable("ZEL_PG_HOST"),
        QStringLiteral("PORT=") + qEnvironmentVariable("ZEL_PG_PORT"),
        QStringLiteral("DATABASE=") + name,
        QStringLiteral("USER NAME=") + qEnvironmentVariable("ZEL_PG_USER")}});
  alias = QStringLiteral("PGTABLES");
  return alias;
}

QString sqliteDatabase() {
  static SqliteDatabase db;
  return db.file;
}

void listOnly(benchmark::State &state, const QString &database) {
  if (database.isEmpty()) {
    state.SkipWithError("no PostgreSQL server (ZEL_PG_HOST is not set)");
    return;
  }
  TzelDataModel model;
  QStringList names;
  for (auto _ : state) {
    model.GetTableNames(database, QString(), true, false, names);
    benchmark::DoNotOptimize(names.size());
  }
  if (names.size() != Tables)
    state.SkipWithError("the listing missed tables");
}

void listAndFill(benchmark::State &state, const QString &database) {
  if (database.isEmpty()) {
    state.SkipWithError("no PostgreSQL server (ZEL_PG_HOST is not set)");
    return;
  }
  TzelDataModel model;
  TfrmZelAddTable dialog;
  dialog.setModel(&model);
  dialog.setModelEditing(true);
  dialog.databaseList()->addItem(database);
  dialog.databaseList()->setCurrentIndex(0);
  for (auto _ : state)
    dialog.fillTables();
  if (dialog.tableList()->count() != Tables)
    state.SkipWithError("the list missed tables");
}

void BM_SqliteListTables(benchmark::State &state) {
  listOnly(state, sqliteDatabase());
}
void BM_SqliteListAndFillDialog(benchmark::State &state) {
  listAndFill(state, sqliteDatabase());
}
void BM_PostgresListTables(benchmark::State &state) {
  listOnly(state, postgresDatabase());
}
void BM_PostgresListAndFillDialog(benchmark::State &state) {
  listAndFill(state, postgresDatabase());
}

} // namespace

BENCHMARK(BM_SqliteListTables)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_SqliteListAndFillDialog)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_PostgresListTables)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_PostgresListAndFillDialog)->Unit(benchmark::kMillisecond);

int main(int argc, char **argv) {
  if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
    qputenv("QT_QPA_PLATFORM", "offscreen");
  QApplication app(argc, argv);
  benchmark::Initialize(&argc, argv);
  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();
  TzelSession::defaultSession().closeAll();
  return 0;
}
