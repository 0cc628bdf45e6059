// SPDX-License-Identifier: MIT
// A database of 10,000 tables of 12 columns with 15,000 foreign keys: its catalogue made into a
// data model, from an SQLite file and (with ZEL_PG_HOST, ZEL_PG_PORT, ZEL_PG_USER and
// ZEL_PG_DATABASE set) from PostgreSQL in a schema of its own, dropped at the end; and Refresh
// from the database after 1 % of the tables gained a column. Goal: under 3 s each.
#include "database/cataloguemodel.h"
#include "database/cataloguerefresh.h"
#include "database/zeldatamodel.h"
#include "database/zelsession.h"
#include "messages/zelconsoleinteraction.h"
#include "messages/zelinteraction.h"

#include <QCoreApplication>
#include <QSqlDatabase>
#include <QSqlError>
#include <QSqlQuery>
#include <QTemporaryDir>
#include <algorithm>
#include <benchmark/benchmark.h>
#include <cstdio>
#include <sys/resource.h>

using namespace Qt::StringLiterals;

namespace {

constexpr int Tables = 10000;
constexpr int SideKeys = 5001; // tables 1 to 5001 hold a second key: 15,000 keys in all
constexpr int ChangedTables = Tables / 100;

double peakMegabytes() {
  rusage usage{};
  getrusage(RUSAGE_SELF, &usage);
  return double(usage.ru_maxrss) / 1024.0;
}

// Table i refers to the table before it and, for the first half, to a second one.
QString createTable(int i, const QString &prefix) {
  const auto ref = [&](int to) {
    return u" INTEGER REFERENCES "_s + prefix + u't' + QString::number(to) + u" (id)"_s;
  };
  QString sql = u"CREATE TABLE "_s + prefix + u't' + QString::number(i) +
                u" (id INTEGER PRIMARY KEY, up"_s + (i > 0 ? ref(i - 1) : u" INTEGER"_s) +
                u", side"_s + (i > 0 && i <= SideKeys ? ref(i / 2) : u" INTEGER"_s);
  sql += u", name VARCHAR(40) NOT NULL, code VARCHAR(10), price NUMERIC(10,2), qty INTEGER, "
         "made DATE, note TEXT, flag BOOLEAN, weight DOUBLE PRECISION, extra VARCHAR(80))"_s;
  return sql;
}

bool execBatch(QSqlDatabase db, const QStringList &statements) {
  QSqlQuery q(db);
  for (const QString &sql : statements)
    if (!q.exec(sql)) {
      std::fprintf(stderr, "%s\n%s\n", qPrintable(q.lastError().text()), qPrintable(sql));
      return false;
    }
  return true;
}

QStringList schemaStatements(const QString &prefix) {
  QStringList ddl;
  for (int i = 0; i < Tables; ++i)
    ddl << createTable(i, prefix);
  return ddl;
}

QStringList changeStatements(const QString &prefix) {
  QStringList ddl;
  for (int i = 0; i < Tables; i += Tables / ChangedTables)
    ddl << u"ALTER TABLE "_s + prefix + u't' + QString::number(i) + u" ADD COLUMN added INTEGER"_s;
  return ddl;
}

struct SqliteFixture {
  QTemporaryDir dir;
  QString file = dir.filePath(u"big.db"_s);

  SqliteFixture() {
    QSqlDatabase db = QSqlDatabase::addDatabase(u"QSQLITE"_s, u"fill"_s);
    db.setDatabaseName(file);
    db.open();
    db.transaction(); // one transaction: seconds rather than minutes
    execBatch(db, schemaStatements({}));
    db.commit();
    db.close();
  }
  ~SqliteFixture() { QSqlDatabase::removeDatabase(u"fill"_s); }
};

SqliteFixture *sqlite = nullptr;

// A schema of the benchmark's own in the test server's database, reached by an alias.
struct PostgresFixture {
  QString schema = u"zelbench%1"_s.arg(QCoreApplication::applicationPid());
  QString alias = u"ZELBENCHPG"_s;
  bool ready = false;
  static constexpr int Chunk = 500;

  PostgresFixture() {
    if (!qEnvironmentVariableIsSet("ZEL_PG_HOST"))
      return;
    QSqlDatabase db = connection();
    if (!db.open()) {
      std::fprintf(stderr, "%s\n", qPrintable(db.lastError().text()));
      return;
    }
    // The server holds a lock per table made until the transaction ends: one per 500 tables.
    const QStringList ddl = schemaStatements(schema + u'.');
    ready = execBatch(db, {u"CREATE SCHEMA "_s + schema});
    for (qsizetype i = 0; ready && i < ddl.size(); i += Chunk)
      ready = db.transaction() && execBatch(db, ddl.mid(i, Chunk)) && db.commit();
    db.close();
    TzelSession::defaultSession().registerAlias(
        {alias,
         u"POSTGRESQL"_s,
         {u"HOST="_s + qEnvironmentVariable("ZEL_PG_HOST"),
          u"PORT="_s + qEnvironmentVariable("ZEL_PG_PORT"),
          u"DATABASE="_s + qEnvironmentVariable("ZEL_PG_DATABASE"),
          u"USER NAME="_s + qEnvironmentVariable("ZEL_PG_USER")}});
  }
  ~PostgresFixture() {
    if (!qEnvironmentVariableIsSet("ZEL_PG_HOST"))
      return;
    TzelSession::defaultSession().closeAll();
    {
      QSqlDatabase db = connection();
      if (db.open()) {
        for (int i = Tables; i > 0; i -= Chunk) {
          QStringList names;
          for (int t = std::max(0, i - Chunk); t < i; ++t)
            names << schema + u".t"_s + QString::number(t);
          execBatch(db, {u"DROP TABLE IF EXISTS "_s + names.join(u", "_s) + u" CASCADE"_s});
        }
        execBatch(db, {u"DROP SCHEMA IF EXISTS "_s + schema + u" CASCADE"_s});
      }
    }
    QSqlDatabase::removeDatabase(u"pgfill"_s);
  }
  static QSqlDatabase connection() {
    QSqlDatabase db = QSqlDatabase::contains(u"pgfill"_s)
                          ? QSqlDatabase::database(u"pgfill"_s, false)
                          : QSqlDatabase::addDatabase(u"QPSQL"_s, u"pgfill"_s);
    db.setHostName(qEnvironmentVariable("ZEL_PG_HOST"));
    db.setPort(qEnvironmentVariableIntValue("ZEL_PG_PORT"));
    db.setDatabaseName(qEnvironmentVariable("ZEL_PG_DATABASE"));
    db.setUserName(qEnvironmentVariable("ZEL_PG_USER"));
    return db;
  }
};

PostgresFixture *postgres = nullptr;

void intoModel(benchmark::State &state, const QString &database,
               const TzelCatalogueChoice &choice) {
  for (auto _ : state) {
    TzelDataModel model;
    zelModelFromCatalogue(model, database, choice);
    // Tables 1 and 2 hold their two keys to one table: one join each.
    if (model.TableCount() != Tables || model.JoinCount() != Tables - 1 + SideKeys - 2)
      state.SkipWithError("the model is not the database's");
  }
  state.counters["peak_MB"] = peakMegabytes();
}

void BM_SqliteCatalogueIntoModel(benchmark::State &state) {
  intoModel(state, sqlite->file, {});
}
BENCHMARK(BM_SqliteCatalogueIntoModel)->Unit(benchmark::kMillisecond)->Iterations(3);

void BM_PostgresCatalogueIntoModel(benchmark::State &state) {
  if (!postgres->ready) {
    state.SkipWithError("no PostgreSQL schema: ZEL_PG_HOST is not set or the tables were not made");
    return;
  }
  intoModel(state, postgres->alias, {{}, {postgres->schema}});
}
BENCHMARK(BM_PostgresCatalogueIntoModel)->Unit(benchmark::kMillisecond)->Iterations(3);

// Reading the catalogue, comparing and applying, on a model of every table made before 1 % of
// them gained a column.
void BM_RefreshOnePercentChanged(benchmark::State &state) {
  TzelDataModel before;
  zelModelFromCatalogue(before, sqlite->file);
  TzelOpenDatabase &open = TzelSession::defaultSession().open(sqlite->file);
  execBatch(QSqlDatabase::database(open.connectionName, false), changeStatements({}));
  qsizetype changes = 0;
  for (auto _ : state) {
    state.PauseTiming();
    TzelDataModel model;
    model.Assign(&before);
    state.ResumeTiming();
    const QList<TzelDatabaseCatalogue> catalogues{zelReadDatabaseCatalogue(sqlite->file)};
    const QList<TzelCatalogueChange> found = zelCatalogueChanges(model, catalogues);
    zelApplyCatalogueChanges(model, found, catalogues);
    changes = found.size();
  }
  if (changes != ChangedTables)
    state.SkipWithError("not only the changes were listed");
  state.counters["changes"] = double(changes);
}
BENCHMARK(BM_RefreshOnePercentChanged)->Unit(benchmark::kMillisecond)->Iterations(3);

class Silent : public TzelConsoleInteraction {
public:
  TzelAnswer messageBox(const QString &, TzelMessageKind, TzelButtons) override {
    return TzelAnswer::Ok;
  }
};

} // namespace

int main(int argc, char **argv) {
  QCoreApplication app(argc, argv);
  benchmark::Initialize(&argc, argv);
  Silent silent;
  zelInstallInteraction(silent);
  SqliteFixture lite;
  sqlite = &lite;
  PostgresFixture pg;
  postgres = &pg;
  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();
  return 0;
}
