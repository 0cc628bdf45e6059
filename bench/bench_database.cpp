// SPDX-License-Identifier: MIT
// A 100,000-row Paradox table loaded and joined through the STANDARD driver, against the
// same join on a plain SQLite file holding the same rows. Prints the ratio at the end.
#include "database/zelconnection.h"
#include "database/zeldataset.h"
#include "database/zelparadoxfile.h"
#include "database/zelsession.h"

#include <QCoreApplication>
#include <QDate>
#include <QSqlDatabase>
#include <QSqlQuery>
#include <QTemporaryDir>
#include <benchmark/benchmark.h>
#include <cstdio>
#include <map>

using namespace Qt::StringLiterals;

namespace {

constexpr int PartRows = 100000;
constexpr int VendorRows = 200;

const QString StandardJoin =
    u"SELECT Vendors.VND_NM AS Vendors.VendorName, COUNT(*) AS Parts.Count, SUM(Parts.ON_HND) "
    "AS Parts.OnHand FROM \":BENCH:PARTS.DB\" AS Parts INNER JOIN \":BENCH:VENDORS.DB\" AS Vendors "
    "ON Parts.VND_NO = Vendors.VND_NO WHERE Parts.LST_PRC > 50 GROUP BY Vendors.VND_NM "
    "ORDER BY Vendors.VendorName"_s;
const QString SqliteJoin =
    u"SELECT Vendors.VND_NM AS \"Vendors.VendorName\", COUNT(*) AS \"Parts.Count\", "
    "SUM(Parts.ON_HND) AS \"Parts.OnHand\" FROM PARTS AS Parts INNER JOIN VENDORS AS Vendors "
    "ON Parts.VND_NO = Vendors.VND_NO WHERE Parts.LST_PRC > 50 GROUP BY Vendors.VND_NM "
    "ORDER BY \"Vendors.VendorName\""_s;

struct Fixture {
  QTemporaryDir dir;
  TzelConnection standard;
  TzelConnection lite;

  Fixture() {
    TzelTableData parts;
    parts.columns = {{u"PT_ITM_NO"_s, {ftInteger, 0}}, {u"VND_NO"_s, {ftInteger, 0}},
                     {u"PT_DES"_s, {ftString, 30}},    {u"ON_HND"_s, {ftSmallint, 0}},
                     {u"LST_PRC"_s, {ftCurrency, 0}},  {u"ADDED"_s, {ftDate, 0}}};
    for (int i = 0; i < PartRows; ++i)
      parts.rows.append({i + 1, (i * 7919) % VendorRows, u"Part number %1"_s.arg(i), i % 500,
                         double((i * 31) % 10000) / 100.0, QDate(1998, 1, 1).addDays(i % 700)});
    TzelTableData vendors;
    vendors.columns = {{u"VND_NO"_s, {ftInteger, 0}}, {u"VND_NM"_s, {ftString, 30}}};
    for (int i = 0; i < VendorRows; ++i)
      vendors.rows.append({i, u"Vendor %1"_s.arg(i, 3, 10, QChar(u'0'))});
    writeParadoxTable(dir.filePath(u"PARTS.DB"_s), parts);
    writeParadoxTable(dir.filePath(u"VENDORS.DB"_s), vendors);

    const QString file = dir.filePath(u"bench.sqlite"_s);
    {
      QSqlDatabase db = QSqlDatabase::addDatabase(u"QSQLITE"_s, u"fill"_s);
      db.setDatabaseName(file);
      db.open();
      QSqlQuery q(db);
      q.exec(u"CREATE TABLE PARTS (PT_ITM_NO INTEGER, VND_NO INTEGER, PT_DES VARCHAR(30), "
             "ON_HND SMALLINT, LST_PRC MONEY, ADDED DATE)"_s);
      q.exec(u"CREATE TABLE VENDORS (VND_NO INTEGER, VND_NM VARCHAR(30))"_s);
      db.transaction();
      q.prepare(u"INSERT INTO PARTS VALUES (?, ?, ?, ?, ?, ?)"_s);
      for (const QVariantList &r : std::as_const(parts.rows)) {
        for (int i = 0; i < r.size(); ++i)
          q.bindValue(i, i == 5 ? QVariant(r[i].toDate().toString(Qt::ISODate)) : r[i]);
        q.exec();
      }
      q.prepare(u"INSERT INTO VENDORS VALUES (?, ?)"_s);
      for (const QVariantList &r : std::as_const(vendors.rows)) {
        q.bindValue(0, r[0]);
        q.bindValue(1, r[1]);
        q.exec();
      }
      db.commit();
      db.close();
    }
    QSqlDatabase::removeDatabase(u"fill"_s);
    standard.setDatabaseName(u"BENCH"_s);
    standard.setDriverName(u"STANDARD"_s);
    standard.setParams({u"PATH="_s + dir.path()});
    standard.Open();
    lite.setDatabaseName(u"BENCHLITE"_s);
    lite.setDriverName(u"SQLITE"_s);
    lite.setParams({u"DATABASE="_s + file});
    lite.Open();
  }
};

Fixture *fixture = nullptr;

int runJoin(const QString &database, const QString &sql) {
  TzelDataset ds;
  ds.setDatabaseName(database);
  ds.setSQL({sql});
  ds.Open();
  return ds.RecordCount();
}

void BM_StandardLoadAndJoin(benchmark::State &state) {
  for (auto _ : state) {
    // A fresh in-memory database: the tables are read from their files again.
    TzelSession::defaultSession().close(u"BENCH"_s);
    benchmark::DoNotOptimize(runJoin(u"BENCH"_s, StandardJoin));
  }
}
BENCHMARK(BM_StandardLoadAndJoin)->Unit(benchmark::kMillisecond);

void BM_StandardJoinLoaded(benchmark::State &state) {
  runJoin(u"BENCH"_s, StandardJoin);
  for (auto _ : state)
    benchmark::DoNotOptimize(runJoin(u"BENCH"_s, StandardJoin));
}
BENCHMARK(BM_StandardJoinLoaded)->Unit(benchmark::kMillisecond);

void BM_SqliteFileJoin(benchmark::State &state) {
  for (auto _ : state)
    benchmark::DoNotOptimize(runJoin(u"BENCHLITE"_s, SqliteJoin));
}
BENCHMARK(BM_SqliteFileJoin)->Unit(benchmark::kMillisecond);

class RatioReporter : public benchmark::ConsoleReporter {
public:
  std::map<std::string, double> times;
  void ReportRuns(const std::vector<Run> &runs) override {
    ConsoleReporter::ReportRuns(runs);
    for (const Run &r : runs)
      times[r.benchmark_name()] = r.GetAdjustedRealTime();
  }
};

} // namespace

int main(int argc, char **argv) {
  QCoreApplication app(argc, argv);
  benchmark::Initialize(&argc, argv);
  Fixture f;
  fixture = &f;
  if (runJoin(u"BENCH"_s, StandardJoin) != runJoin(u"BENCHLITE"_s, SqliteJoin)) {
    std::fprintf(stderr, "the two joins disagree\n");
    return 1;
  }
  RatioReporter reporter;
  benchmark::RunSpecifiedBenchmarks(&reporter);
  const double sqlite = reporter.times["BM_SqliteFileJoin"];
  if (sqlite > 0) {
    std::printf("STANDARD load+join / SQLite file join: %.1fx\n",
                reporter.times["BM_StandardLoadAndJoin"] / sqlite);
    std::printf("STANDARD join (tables loaded) / SQLite file join: %.2fx\n",
                reporter.times["BM_StandardJoinLoaded"] / sqlite);
  }
  return 0;
}
