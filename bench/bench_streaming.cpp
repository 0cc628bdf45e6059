// SPDX-License-Identifier: MIT
// Records on demand over large SQLite tables: opening a dataset and showing the first 100
// rows in the data source (for tables of 100,000, 1,000,000 and 10,000,000 rows: the time
// should not grow with the table), walking 1,000,000 records, exporting them to CSV and
// writing them as CSV into a device that keeps nothing (records per second). The tables are made
// once in $ZEL_BENCH_DIR (default /tmp), since the largest takes a while;
// bench/streaming/compare.sh runs this with the shell comparison. With a PostgreSQL server
// (ZEL_PG_HOST..., scripts/postgres.sh) it also walks 100,000 records there, through the dataset
// and, for reference, through Qt's driver alone, and writes 1,000,000 records of six columns of
// every kind as CSV, as on SQLite (client CPU time, to set against `psql -A -F, -t` and
// `sqlite3 -csv` on the same statement). With a MariaDB server (ZEL_MY_HOST...,
// scripts/mariadb.sh) it streams 1,000,000 generated records (client CPU time, to set against
// `mariadb --batch -e` on the same statement) and 5,000,000 (the peak resident memory); with a
// Firebird server (ZEL_FB_HOST..., scripts/firebird.sh) the same, to set against isql-fb.
#include "database/zelconnection.h"
#include "database/zeldataset.h"
#include "database/zeldatasource.h"
#include "database/zelsession.h"
#include "export/exportrecords.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QIODevice>
#include <QSqlDatabase>
#include <QSqlQuery>
#include <benchmark/benchmark.h>
#include <cstdio>
#include <map>
#include <sys/resource.h>

using namespace Qt::StringLiterals;

namespace {

// The process's peak resident memory: run one benchmark alone to read its own.
double peakMegabytes() {
  rusage usage{};
  getrusage(RUSAGE_SELF, &usage);
  return double(usage.ru_maxrss) / 1024.0;
}

QString benchDir() {
  const QString dir = qEnvironmentVariable("ZEL_BENCH_DIR");
  return dir.isEmpty() ? QDir::tempPath() : dir;
}

// The alias of a table of rows records (ID, NAME, AMOUNT), made when missing.
QString database(int rows) {
  static std::map<int, QString> made;
  if (auto it = made.find(rows); it != made.end())
    return it->second;
  const QString file = benchDir() + u"/zel-streaming-%1.sqlite"_s.arg(rows);
  if (!QFileInfo::exists(file)) {
    std::fprintf(stderr, "making %s\n", qPrintable(file));
    QSqlDatabase db = QSqlDatabase::addDatabase(u"QSQLITE"_s, u"make"_s);
    db.setDatabaseName(file + u".part"_s);
    db.open();
    QSqlQuery q(db);
    q.exec(u"CREATE TABLE BIG (ID INTEGER, NAME VARCHAR(30), AMOUNT FLOAT)"_s);
    q.exec(
        u"WITH RECURSIVE n(i) AS (SELECT 1 UNION ALL SELECT i + 1 FROM n WHERE i < %1) "
        "INSERT INTO BIG SELECT i, 'Name number ' || i, (i % 100000) / 100.0 FROM n"_s.arg(rows));
    q = QSqlQuery();
    db.close();
    db = QSqlDatabase();
    QSqlDatabase::removeDatabase(u"make"_s);
    QFile::rename(file + u".part"_s, file);
  }
  const QString alias = u"BIG%1"_s.arg(rows);
  auto *connection = new TzelConnection; // lives for the run
  connection->setDatabaseName(alias);
  connection->setDriverName(u"SQLITE"_s);
  connection->setParams({u"DATABASE="_s + file});
  connection->Open();
  made[rows] = alias;
  return alias;
}

// As the query component dresses them: integers "#", amounts with two decimals.
void openDressed(TzelDataset &ds, int rows) {
  ds.setDatabaseName(database(rows));
  ds.setSQL({u"SELECT ID, NAME, AMOUNT FROM BIG"_s});
  ds.Open();
  ds.Fields(0)->setDisplayFormat(u"#"_s);
  ds.Fields(2)->setDisplayFormat(u"#,#.00"_s);
}

void BM_OpenAndShowFirst100(benchmark::State &state) {
  const int rows = int(state.range(0));
  database(rows);
  for (auto _ : state) {
    TzelDataset ds;
    TzelDataSource source;
    source.setDataSet(&ds);
    openDressed(ds, rows);
    for (int r = 0; r < 100; ++r)
      for (int c = 0; c < source.columnCount(); ++c)
        benchmark::DoNotOptimize(source.data(source.index(r, c)));
  }
}
BENCHMARK(BM_OpenAndShowFirst100)
    ->Arg(100000)
    ->Arg(1000000)
    ->Arg(10000000)
    ->Unit(benchmark::kMillisecond);

void BM_Walk1M(benchmark::State &state) {
  TzelDataset ds;
  openDressed(ds, 1000000);
  qint64 records = 0;
  for (auto _ : state) {
    for (ds.First(); !ds.Eof(); ds.Next())
      ++records;
  }
  state.counters["records/s"] = benchmark::Counter(double(records), benchmark::Counter::kIsRate);
}
BENCHMARK(BM_Walk1M)->Unit(benchmark::kMillisecond)->UseRealTime();

void BM_ExportCsv1M(benchmark::State &state) {
  TzelDataset ds;
  openDressed(ds, 1000000);
  const QString file = benchDir() + u"/zel-streaming-export.csv"_s;
  qint64 records = 0;
  for (auto _ : state) {
    if (!ExportRecords(&ds, file, zelExportCsv, true, false))
      state.SkipWithError("export failed");
    records += 1000000;
  }
  QFile::remove(file);
  state.counters["records/s"] = benchmark::Counter(double(records), benchmark::Counter::kIsRate);
}
BENCHMARK(BM_ExportCsv1M)->Unit(benchmark::kMillisecond)->UseRealTime();

// Takes what is written and keeps none of it: the writer's own cost, without a file system.
class NullDevice : public QIODevice {
protected:
  qint64 readData(char *, qint64) override { return -1; }
  qint64 writeData(const char *, qint64 size) override { return size; }
};

// The delimited writer as `zelquery run` drives it, opening included: past the first block the
// records go straight from SQLite's values into text.
void BM_WriteDelimited1M(benchmark::State &state) {
  NullDevice sink;
  sink.open(QIODevice::WriteOnly);
  qint64 records = 0;
  for (auto _ : state) {
    TzelDataset ds;
    openDressed(ds, 1000000);
    WriteDelimitedRecords(ds, sink, u',', true);
    records += 1000000;
  }
  state.counters["records/s"] = benchmark::Counter(double(records), benchmark::Counter::kIsRate);
}
BENCHMARK(BM_WriteDelimited1M)->Unit(benchmark::kMillisecond)->UseRealTime();

// The alias of a connection to the tests' PostgreSQL database, or empty without a server.
QString postgresConnection() {
  static QString alias;
  if (!alias.isEmpty() || qEnvironmentVariableIsEmpty("ZEL_PG_HOST"))
    return alias;
  auto *connection = new TzelConnection; // lives for the run
  connection->setDatabaseName(u"BIGPG"_s);
  connection->setDriverName(u"POSTGRESQL"_s);
  connection->setParams({u"HOST="_s + qEnvironmentVariable("ZEL_PG_HOST"),
                         u"PORT="_s + qEnvironmentVariable("ZEL_PG_PORT"),
                         u"DATABASE="_s + qEnvironmentVariable("ZEL_PG_DATABASE"),
                         u"USER NAME="_s + qEnvironmentVariable("ZEL_PG_USER")});
  if (connection->Open())
    alias = u"BIGPG"_s;
  return alias;
}

// The alias of a PostgreSQL table like the SQLite ones, or empty without a server.
QString postgres() {
  static bool made = false;
  const QString alias = postgresConnection();
  if (made || alias.isEmpty())
    return alias;
  TzelDataset make;
  make.setDatabaseName(alias);
  make.setSQL({u"DROP TABLE IF EXISTS BIG; CREATE TABLE BIG (ID INTEGER, NAME VARCHAR(30), "
               "AMOUNT FLOAT); INSERT INTO BIG SELECT i, 'Name number ' || i, "
               "(i % 100000) / 100.0 FROM generate_series(1, 100000) AS i"_s});
  make.ExecSQL();
  made = true;
  return alias;
}

void BM_WalkPostgres100k(benchmark::State &state) {
  if (postgres().isEmpty())
    return state.SkipWithError("ZEL_PG_HOST is not set");
  qint64 records = 0;
  for (auto _ : state) {
    TzelDataset ds;
    ds.setDatabaseName(postgres());
    ds.setSQL({u"SELECT ID, NAME, AMOUNT FROM BIG"_s});
    ds.Open();
    for (ds.First(); !ds.Eof(); ds.Next(), ++records)
      for (int c = 0; c < 3; ++c)
        benchmark::DoNotOptimize(ds.Fields(c)->Value());
  }
  state.counters["records/s"] = benchmark::Counter(double(records), benchmark::Counter::kIsRate);
}
BENCHMARK(BM_WalkPostgres100k)->Unit(benchmark::kMillisecond)->UseRealTime();

// Qt's driver reading the same records forward only: the reference for the dataset's reader.
void BM_WalkPostgres100kDriver(benchmark::State &state) {
  if (postgres().isEmpty())
    return state.SkipWithError("ZEL_PG_HOST is not set");
  const QString session = TzelSession::defaultSession().open(postgres()).connectionName;
  if (!QSqlDatabase::contains(u"bench-driver"_s))
    QSqlDatabase::cloneDatabase(session, u"bench-driver"_s);
  qint64 records = 0;
  for (auto _ : state) {
    QSqlDatabase clone = QSqlDatabase::database(u"bench-driver"_s);
    QSqlQuery q(clone);
    q.setForwardOnly(true);
    q.exec(u"SELECT ID, NAME, AMOUNT FROM BIG"_s);
    for (; q.next(); ++records)
      for (int c = 0; c < 3; ++c)
        benchmark::DoNotOptimize(q.value(c));
  }
  state.counters["records/s"] = benchmark::Counter(double(records), benchmark::Counter::kIsRate);
}
BENCHMARK(BM_WalkPostgres100kDriver)->Unit(benchmark::kMillisecond)->UseRealTime();

// The alias of the MariaDB server, or empty without one.
QString mariadb() {
  static QString alias;
  if (!alias.isEmpty() || qEnvironmentVariableIsEmpty("ZEL_MY_HOST"))
    return alias;
  auto *connection = new TzelConnection; // lives for the run
  connection->setDatabaseName(u"BIGMY"_s);
  connection->setDriverName(u"MARIADB"_s);
  connection->setParams({u"HOST="_s + qEnvironmentVariable("ZEL_MY_HOST"),
                         u"PORT="_s + qEnvironmentVariable("ZEL_MY_PORT"),
                         u"DATABASE="_s + qEnvironmentVariable("ZEL_MY_DATABASE"),
                         u"USER NAME="_s + qEnvironmentVariable("ZEL_MY_USER"),
                         u"PASSWORD="_s + qEnvironmentVariable("ZEL_MY_PASSWORD")});
  if (connection->Open())
    alias = u"BIGMY"_s;
  return alias;
}

// Records made by the server, so that the table's reading costs nothing on either side.
QString generated(int records) {
  return u"SELECT seq, CONCAT('Name number ', seq), (seq % 100000) / 100.0 "
         "FROM seq_1_to_%1"_s.arg(records);
}

void walkServer(benchmark::State &state, const QString &alias, const QString &sql) {
  qint64 records = 0;
  for (auto _ : state) {
    TzelDataset ds;
    ds.setDatabaseName(alias);
    ds.setSQL({sql});
    ds.Open();
    for (ds.First(); !ds.Eof(); ds.Next(), ++records)
      for (int c = 0; c < 3; ++c)
        benchmark::DoNotOptimize(ds.Fields(c)->Value());
  }
  state.counters["records/s"] = benchmark::Counter(double(records), benchmark::Counter::kIsRate);
  state.counters["peak MB"] = peakMegabytes();
}

void BM_StreamMariaDb1M(benchmark::State &state) {
  if (mariadb().isEmpty())
    return state.SkipWithError("ZEL_MY_HOST is not set");
  walkServer(state, mariadb(), generated(1000000));
}
BENCHMARK(BM_StreamMariaDb1M)
    ->Unit(benchmark::kMillisecond)
    ->MeasureProcessCPUTime()
    ->Iterations(1);

void BM_StreamMariaDb5M(benchmark::State &state) {
  if (mariadb().isEmpty())
    return state.SkipWithError("ZEL_MY_HOST is not set");
  walkServer(state, mariadb(), generated(5000000));
}
BENCHMARK(BM_StreamMariaDb5M)
    ->Unit(benchmark::kMillisecond)
    ->MeasureProcessCPUTime()
    ->Iterations(1);

// The alias of the Firebird server, or empty without one.
QString firebird() {
  static QString alias;
  if (!alias.isEmpty() || qEnvironmentVariableIsEmpty("ZEL_FB_HOST"))
    return alias;
  auto *connection = new TzelConnection; // lives for the run
  connection->setDatabaseName(u"BIGFB"_s);
  connection->setDriverName(u"FIREBIRD"_s);
  connection->setParams({u"HOST="_s + qEnvironmentVariable("ZEL_FB_HOST"),
                         u"PORT="_s + qEnvironmentVariable("ZEL_FB_PORT"),
                         u"DATABASE="_s + qEnvironmentVariable("ZEL_FB_DATABASE"),
                         u"USER NAME="_s + qEnvironmentVariable("ZEL_FB_USER"),
                         u"PASSWORD="_s + qEnvironmentVariable("ZEL_FB_PASSWORD")});
  if (connection->Open())
    alias = u"BIGFB"_s;
  return alias;
}

// The same records made by a Firebird server (to run in isql-fb too, after SET TERM).
QString generatedFirebird(int records) {
  return u"EXECUTE BLOCK RETURNS (SEQ INTEGER, NAME VARCHAR(30), AMOUNT NUMERIC(9,2)) AS "
         "BEGIN SEQ = 1; WHILE (SEQ <= %1) DO BEGIN NAME = 'Name number ' || SEQ; "
         "AMOUNT = MOD(SEQ, 100000) / 100.0; SUSPEND; SEQ = SEQ + 1; END END"_s.arg(records);
}

void BM_StreamFirebird1M(benchmark::State &state) {
  if (firebird().isEmpty())
    return state.SkipWithError("ZEL_FB_HOST is not set");
  walkServer(state, firebird(), generatedFirebird(1000000));
}
BENCHMARK(BM_StreamFirebird1M)
    ->Unit(benchmark::kMillisecond)
    ->MeasureProcessCPUTime()
    ->Iterations(1);

void BM_StreamFirebird5M(benchmark::State &state) {
  if (firebird().isEmpty())
    return state.SkipWithError("ZEL_FB_HOST is not set");
  walkServer(state, firebird(), generatedFirebird(5000000));
}
BENCHMARK(BM_StreamFirebird5M)
    ->Unit(benchmark::kMillisecond)
    ->MeasureProcessCPUTime()
    ->Iterations(1);

// Six columns of every kind `zelquery run` writes (integer, text, numeric(10,2), date, Boolean,
// text), dressed as the query component dresses them: the date in the locale's short form.
constexpr const char *kSixColumns =
    "SELECT id, name, amount, placed, active, note FROM zel_bench_six";

void writeSix(benchmark::State &state, const QString &alias) {
  NullDevice sink;
  sink.open(QIODevice::WriteOnly);
  qint64 records = 0;
  for (auto _ : state) {
    TzelDataset ds;
    ds.setDatabaseName(alias);
    ds.setSQL({QString::fromLatin1(kSixColumns)});
    ds.Open();
    ds.Fields(0)->setDisplayFormat(u"#"_s);
    ds.Fields(2)->setDisplayFormat(u"#,#.00"_s);
    WriteDelimitedRecords(ds, sink, u',', false);
    records += 1000000;
  }
  state.counters["records/s"] = benchmark::Counter(double(records), benchmark::Counter::kIsRate);
  state.counters["peak MB"] = peakMegabytes();
}

// The statement that fills the table with 1,000,000 rows, in each dialect.
QString sixRows(bool postgres) {
  const QString rows = postgres ? u"generate_series(1, 1000000) AS n(i)"_s : u"n"_s;
  const QString day = postgres ? u"DATE '1998-01-01' + (i % 700)"_s
                               : u"date('1998-01-01', '+' || (i % 700) || ' days')"_s;
  return (postgres ? QString()
                   : u"WITH RECURSIVE n(i) AS (SELECT 1 UNION ALL SELECT i + 1 "
                     "FROM n WHERE i < 1000000) "_s) +
         u"INSERT INTO zel_bench_six SELECT i, 'Company ' || (i % 5000) || ', Ltd', "
         "((i * 31) % 100000) / 100.0, %1, i % 3 = 0, 'note ' || i FROM %2"_s.arg(day, rows);
}

void makeSix(const QString &alias, bool postgres) {
  TzelDataset make;
  make.setDatabaseName(alias);
  for (const QString &sql :
       {u"DROP TABLE IF EXISTS zel_bench_six"_s,
        u"CREATE TABLE zel_bench_six (id INTEGER, name TEXT, amount NUMERIC(10,2), placed DATE, "
        "active BOOLEAN, note TEXT)"_s,
        sixRows(postgres)}) {
    make.setSQL({sql});
    make.ExecSQL();
  }
}

void dropSix(const QString &alias) {
  TzelDataset drop;
  drop.setDatabaseName(alias);
  drop.setSQL({u"DROP TABLE zel_bench_six"_s});
  drop.ExecSQL();
}

// The PostgreSQL table lives only while its benchmark runs: it is made in the tests' database.
void BM_WriteSixColumnsPostgres1M(benchmark::State &state) {
  const QString alias = postgresConnection();
  if (alias.isEmpty())
    return state.SkipWithError("ZEL_PG_HOST is not set");
  makeSix(alias, true);
  writeSix(state, alias);
  dropSix(alias);
}
BENCHMARK(BM_WriteSixColumnsPostgres1M)
    ->Unit(benchmark::kMillisecond)
    ->MeasureProcessCPUTime()
    ->Iterations(3);

void BM_WriteSixColumnsSqlite1M(benchmark::State &state) {
  const QString alias = database(100000); // the connection of a scratch file of this run
  makeSix(alias, false);
  writeSix(state, alias);
  dropSix(alias);
}
BENCHMARK(BM_WriteSixColumnsSqlite1M)
    ->Unit(benchmark::kMillisecond)
    ->MeasureProcessCPUTime()
    ->Iterations(3);

} // namespace

int main(int argc, char **argv) {
  QCoreApplication app(argc, argv);
  benchmark::Initialize(&argc, argv);
  benchmark::RunSpecifiedBenchmarks();
  return 0;
}
