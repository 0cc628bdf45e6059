// SPDX-License-Identifier: MIT
// Exporting a 1,000,000-row result as the export dialog does once the user has pressed OK:
// the query component's export operation with a prompt that answers at once, then the
// delimited-text writer (or the dBase or Paradox table writer, on the same rows). Reports rows
// per second and the process's peak memory before and after the export. ZEL_BENCH_ROWS sets
// another number of rows (a profile of one writer wants fewer).
#include "database/zeldatamodel.h"
#include "database/zeldataset.h"
#include "engine/exportprompt.h"
#include "engine/queryprompts.h"
#include "engine/zelquerion.h"
#include "export/exportrecords.h"
#include "messages/zelconsoleinteraction.h"

#include <QCoreApplication>
#include <QDate>
#include <QFile>
#include <QSqlDatabase>
#include <QSqlQuery>
#include <QTemporaryDir>
#include <benchmark/benchmark.h>
#include <sys/resource.h>

using namespace Qt::StringLiterals;

namespace {

const int Rows = qEnvironmentVariableIsSet("ZEL_BENCH_ROWS")
                     ? qEnvironmentVariableIntValue("ZEL_BENCH_ROWS")
                     : 1000000;

double peakMegabytes() {
  rusage usage{};
  getrusage(RUSAGE_SELF, &usage);
  return double(usage.ru_maxrss) / 1024.0;
}

class SilentMessages : public TzelConsoleInteraction {
public:
  TzelAnswer messageBox(const QString &, TzelMessageKind, TzelButtons) override {
    return TzelAnswer::Ok;
  }
  void showMessageList(const QStringList &, const QString &) override {}
};

class FixedChoice : public TzelQueryPrompts {
public:
  TzelExportChoice choice;
  bool exportRecords(TzelQuerion &querion) override { return RunExport(querion, choice); }
};

struct Fixture {
  QTemporaryDir dir;
  TzelDataset dataset;
  TzelDataModel model;
  FixedChoice fixed;
  FixedChoice *prompt = &fixed;
  TzelQuerion querion;
  double openedMegabytes = 0;

  Fixture() {
    const QString file = dir.filePath(u"orders.sqlite"_s);
    {
      QSqlDatabase db = QSqlDatabase::addDatabase(u"QSQLITE"_s, u"fill"_s);
      db.setDatabaseName(file);
      db.open();
      QSqlQuery q(db);
      q.exec(u"CREATE TABLE Orders (OrderNo INTEGER, Company VARCHAR(30), Placed DATE, "
             "Amount CURRENCY, Note VARCHAR(40))"_s);
      db.transaction();
      q.prepare(u"INSERT INTO Orders VALUES (?, ?, ?, ?, ?)"_s);
      for (int i = 0; i < Rows; ++i) {
        q.bindValue(0, i + 1);
        q.bindValue(1, u"Company %1, Ltd"_s.arg(i % 5000));
        q.bindValue(2, QDate(1998, 1, 1).addDays(i % 700).toString(Qt::ISODate));
        q.bindValue(3, double((i * 31) % 100000) / 100.0);
        q.bindValue(4, u"said \"ok\""_s);
        q.exec();
      }
      db.commit();
      db.close();
    }
    QSqlDatabase::removeDatabase(u"fill"_s);
    dataset.setDatabaseName(file);
    dataset.setSQL({u"SELECT OrderNo, Company, Placed, Amount, Note FROM Orders"_s});
    dataset.Open();
    dataset.Fields(2)->setDisplayFormat(u"mm/dd/yyyy"_s);
    openedMegabytes = peakMegabytes();
    querion.SetDataModel(&model);
    querion.SetDataQuery(&dataset);
    querion.SetPrompts(&fixed);
  }
};

Fixture &fixture() {
  static Fixture f;
  return f;
}

void exportAs(benchmark::State &state, int fileType, const QString &name) {
  Fixture &f = fixture();
  f.prompt->choice = {f.dir.filePath(name), fileType, true, {}};
  for (auto _ : state) {
    if (!f.querion.Export())
      state.SkipWithError("the export failed");
  }
  state.counters["rows/s"] =
      benchmark::Counter(double(Rows) * double(state.iterations()), benchmark::Counter::kIsRate);
  state.counters["peak MB after open"] = f.openedMegabytes;
  state.counters["peak MB"] = peakMegabytes();
  state.counters["file MB"] = double(QFile(f.dir.filePath(name)).size()) / 1048576.0;
}

void BM_ExportCsv(benchmark::State &state) {
  exportAs(state, zelExportCsv, u"orders.csv"_s);
}
void BM_ExportTab(benchmark::State &state) {
  exportAs(state, zelExportTab, u"orders.tab"_s);
}
void BM_ExportDbase(benchmark::State &state) {
  exportAs(state, zelExportDbf, u"orders.dbf"_s);
}

void BM_ExportParadox(benchmark::State &state) {
  exportAs(state, zelExportDb, u"orders.db"_s);
}

} // namespace

BENCHMARK(BM_ExportCsv)->Unit(benchmark::kMillisecond)->Iterations(2);
BENCHMARK(BM_ExportTab)->Unit(benchmark::kMillisecond)->Iterations(2);
BENCHMARK(BM_ExportDbase)->Unit(benchmark::kMillisecond)->Iterations(1);
BENCHMARK(BM_ExportParadox)->Unit(benchmark::kMillisecond)->Iterations(1);

int main(int argc, char **argv) {
  QCoreApplication app(argc, argv);
  SilentMessages silent;
  zelInstallInteraction(silent);
  benchmark::Initialize(&argc, argv);
  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();
  return 0;
}
