// SPDX-License-Identifier: MIT
// Listing the tables of a database of 2,000 and of 100,000 tables, as the add-table dialog
// does when a database is chosen: the engine's listing alone, and the listing with the
// dialog's list filled and painted. SQLite and a STANDARD folder always; PostgreSQL when
// ZEL_PG_HOST and friends name a server. Then the dialog alone over 100,000 names: filled and
// painted, and one key typed into its filter.
#include "database/zeldatamodel.h"
#include "database/zelsession.h"
#include "editors/frmzeladdtable.h"
#include "editors/tablenames.h"

#include <QApplication>
#include <QComboBox>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <QLineEdit>
#include <QListView>
#include <QMap>
#include <QSqlDatabase>
#include <QSqlError>
#include <QSqlQuery>
#include <QTemporaryDir>
#include <algorithm>
#include <benchmark/benchmark.h>
#include <cstdio>
#include <memory>

namespace {

QString tableName(int i) {
  // Mixed case and spread initials, as real catalogues have.
  static const char *const stems[] = {"Orders", "customer", "Items", "vendor", "Parts", "ledger"};
  return QStringLiteral("%1_%2").arg(QLatin1String(stems[i % 6])).arg(i, 4, 10, QChar(u'0'));
}

// The dialog as the user sees it: shown, its list laid out and painted.
void paint(TfrmZelAddTable &dialog) {
  dialog.tableList()->doItemsLayout();
  dialog.repaint();
}

// A thousand tables a transaction: the server holds a lock per table until the commit.
bool createTables(QSqlDatabase &db, int tables) {
  QSqlQuery q(db);
  for (int first = 0; first < tables; first += 1000) {
    db.transaction();
    for (int i = first; i < std::min(tables, first + 1000); ++i)
      if (!q.exec(
              QStringLiteral("CREATE TABLE %1 (id integer, name varchar(20))").arg(tableName(i))))
        return false;
    if (!db.commit())
      return false;
  }
  return true;
}

QTemporaryDir &scratch() {
  static QTemporaryDir dir;
  return dir;
}

// The schema of an SQLite file of so many tables, written straight into sqlite_master: SQLite
// takes hours to create 100,000 tables one by one. Every table shares the first one's pages,
// which listing never reads.
bool writeSchema(QSqlDatabase &db, int tables) {
  QSqlQuery q(db);
  if (!q.exec(QStringLiteral("CREATE TABLE %1 (id integer, name varchar(20))").arg(tableName(0))) ||
      !q.exec(QStringLiteral("SELECT rootpage FROM sqlite_master")) || !q.next())
    return false;
  const int root = q.value(0).toInt();
  q.exec(QStringLiteral("PRAGMA writable_schema=ON"));
  db.transaction();
  q.prepare(QStringLiteral("INSERT INTO sqlite_master (type, name, tbl_name, rootpage, sql) "
                           "VALUES ('table', ?, ?, ?, ?)"));
  for (int i = 1; i < tables; ++i) {
    const QString name = tableName(i);
    q.addBindValue(name);
    q.addBindValue(name);
    q.addBindValue(root);
    q.addBindValue(QStringLiteral("CREATE TABLE %1 (id integer, name varchar(20))").arg(name));
    if (!q.exec())
      return false;
  }
  // A new schema version makes the next connection read the schema written.
  q.exec(QStringLiteral("PRAGMA schema_version"));
  const int version = q.next() ? q.value(0).toInt() : 0;
  q.exec(QStringLiteral("PRAGMA schema_version=%1").arg(version + 1));
  return db.commit();
}

// An SQLite file of so many tables, made once and opened once: the first listing, SQLite
// reading the whole schema, is timed apart and written to standard error.
QString sqliteDatabase(int tables) {
  const QString file = scratch().filePath(QStringLiteral("tables%1.sqlite").arg(tables));
  if (QFileInfo::exists(file))
    return file;
  {
    QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), QStringLiteral("mk"));
    db.setDatabaseName(file);
    db.open();
    writeSchema(db, tables);
  }
  QSqlDatabase::removeDatabase(QStringLiteral("mk"));
  QElapsedTimer opening;
  opening.start();
  TzelSession::defaultSession().tableNames(file, QString(), true, false);
  std::fprintf(stderr, "SQLite, %d tables: first listing (schema read) %lld ms\n", tables,
               opening.elapsed());
  return file;
}

// A folder of so many (empty) table files, made once: listing reads names only.
QString standardFolder(int tables) {
  const QString folder = scratch().filePath(QStringLiteral("folder%1").arg(tables));
  if (QFileInfo::exists(folder))
    return folder;
  QDir().mkpath(folder);
  for (int i = 0; i < tables; ++i)
    QFile(folder + u'/' + tableName(i) + QStringLiteral(".DB")).open(QIODevice::WriteOnly);
  return folder;
}

// The alias PGTABLES on a fresh database of the server; empty name without a server.
QString postgresDatabase(int tables) {
  static QMap<int, QString> aliases;
  if (aliases.contains(tables) || qEnvironmentVariableIsEmpty("ZEL_PG_HOST"))
    return aliases.value(tables);
  QString &alias = aliases[tables];
  const QString name = QStringLiteral("zelbench_tables%1").arg(tables);
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
    if (!db.open() || !createTables(db, tables))
      return alias;
  }
  QSqlDatabase::removeDatabase(QStringLiteral("mk"));
  alias = QStringLiteral("PGTABLES%1").arg(tables);
  TzelSession::defaultSession().registerAlias(
      {alias,
       QStringLiteral("POSTGRESQL"),
       {QStringLiteral("HOST=") + qEnvironmentVariable("ZEL_PG_HOST"),
        QStringLiteral("PORT=") + qEnvironmentVariable("ZEL_PG_PORT"),
        QStringLiteral("DATABASE=") + name,
        QStringLiteral("USER NAME=") + qEnvironmentVariable("ZEL_PG_USER")}});
  return alias;
}

void listOnly(benchmark::State &state, const QString &database) {
  const int tables = int(state.range(0));
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
  if (names.size() != tables)
    state.SkipWithError("the listing missed tables");
}

void listAndFill(benchmark::State &state, const QString &database) {
  const int tables = int(state.range(0));
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
  dialog.show();
  for (auto _ : state) {
    dialog.fillTables();
    paint(dialog);
  }
  if (dialog.tableNames()->nameCount() != tables)
    state.SkipWithError("the list missed tables");
}

void BM_SqliteListTables(benchmark::State &state) {
  listOnly(state, sqliteDatabase(int(state.range(0))));
}
void BM_SqliteListAndFillDialog(benchmark::State &state) {
  listAndFill(state, sqliteDatabase(int(state.range(0))));
}
void BM_StandardListTables(benchmark::State &state) {
  listOnly(state, standardFolder(int(state.range(0))));
}
void BM_StandardListAndFillDialog(benchmark::State &state) {
  listAndFill(state, standardFolder(int(state.range(0))));
}
void BM_PostgresListTables(benchmark::State &state) {
  listOnly(state, postgresDatabase(int(state.range(0))));
}
void BM_PostgresListAndFillDialog(benchmark::State &state) {
  listAndFill(state, postgresDatabase(int(state.range(0))));
}

constexpr int ManyTables = 100000;

QStringList manyNames() {
  QStringList names;
  names.reserve(ManyTables);
  for (int i = 0; i < ManyTables; ++i)
    names.append(tableName((i * 7919) % ManyTables)); // not in order, as aliases come
  return names;
}

// Query mode: the editor hands the dialog every alias; sorted, laid out, painted.
void BM_AddTableFillAndPaint(benchmark::State &state) {
  const QStringList names = manyNames();
  TfrmZelAddTable dialog;
  dialog.show();
  for (auto _ : state) {
    dialog.tableNames()->setNames(names);
    paint(dialog);
  }
  if (dialog.tableNames()->rowCount() != ManyTables)
    state.SkipWithError("the list missed tables");
}

// One key typed into the filter and the list painted again. Keys alternate between two
// filters: a key typed on (which narrows) and Backspace (which brings rows back).
void BM_AddTableFilterKeystroke(benchmark::State &state) {
  static const char *const pairs[][2] = {{"", "o"}, {"ord", "orde"}, {"1", "12"}};
  const char *const *filters = pairs[state.range(0)];
  TfrmZelAddTable dialog;
  dialog.show();
  dialog.tableNames()->setNames(manyNames());
  int i = 0;
  for (auto _ : state) {
    dialog.txtFilter->setText(QString::fromLatin1(filters[++i % 2]));
    paint(dialog);
  }
  state.SetLabel(QStringLiteral("'%1' <-> '%2'")
                     .arg(QLatin1String(filters[0]), QLatin1String(filters[1]))
                     .toStdString());
}

// Catalogues of 2,000 and of 100,000 tables.
void catalogues(benchmark::internal::Benchmark *b) {
  b->Arg(2000)->Arg(100000)->Unit(benchmark::kMillisecond);
}

} // namespace

BENCHMARK(BM_AddTableFillAndPaint)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_AddTableFilterKeystroke)->DenseRange(0, 2)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_SqliteListTables)->Apply(catalogues);
BENCHMARK(BM_SqliteListAndFillDialog)->Apply(catalogues);
BENCHMARK(BM_StandardListTables)->Apply(catalogues);
BENCHMARK(BM_StandardListAndFillDialog)->Apply(catalogues);
BENCHMARK(BM_PostgresListTables)->Apply(catalogues);
BENCHMARK(BM_PostgresListAndFillDialog)->Apply(catalogues);

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
