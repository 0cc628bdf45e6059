// SPDX-License-Identifier: MIT
// Printing records to a PDF file: 10,000 and 100,000 rows of a SQLite table through the
// report job, in rows per second. The peak resident memory is reported after each size, with
// the growth the printing itself caused beyond the open dataset: it must not follow the row
// count (the report draws page by page and keeps nothing per record).
#include "database/zeldataset.h"
#include "engine/zelquerion.h"
#include "messages/zelmessages.h"
#include "print/printjob.h"

#include <QGuiApplication>
#include <QSqlDatabase>
#include <QSqlQuery>
#include <QTemporaryDir>
#include <benchmark/benchmark.h>
#include <sys/resource.h>

using namespace Qt::StringLiterals;

namespace {

double peakMegabytes() {
  rusage usage{};
  getrusage(RUSAGE_SELF, &usage);
  return double(usage.ru_maxrss) / 1024.0;
}

class Fixture {
public:
  explicit Fixture(int rows) {
    const QString file = m_dir.filePath(u"lines.sqlite"_s);
    {
      QSqlDatabase db = QSqlDatabase::addDatabase(u"QSQLITE"_s, u"fill"_s);
      db.setDatabaseName(file);
      db.open();
      QSqlQuery q(db);
      q.exec(u"CREATE TABLE Lines (Nr INTEGER, Item VARCHAR(30), Amount FLOAT)"_s);
      db.transaction();
      q.prepare(u"INSERT INTO Lines VALUES (?, ?, ?)"_s);
      for (int i = 1; i <= rows; ++i) {
        q.bindValue(0, i);
        q.bindValue(1, u"Item number %1"_s.arg(i));
        q.bindValue(2, i * 1.25);
        q.exec();
      }
      db.commit();
    }
    QSqlDatabase::removeDatabase(u"fill"_s);
    m_dataset.setDatabaseName(file);
    m_dataset.setSQL({u"SELECT Nr, Item, Amount FROM Lines ORDER BY Nr"_s});
    m_dataset.Open();
    const int widths[] = {8, 25, 12};
    for (int i = 0; i < 3; ++i)
      m_dataset.Fields(i)->setDisplayWidth(widths[i]);
    m_dataset.Fields(2)->setAlignment(taRightJustify);
    m_querion.Page()->SetTitleCaption(u"Lines"_s);
    m_querion.Page()->SetFooterCaption(u"Benchmark"_s);
  }
  bool print() { return PrintReportToPdf(m_querion, m_dataset, m_dir.filePath(u"lines.pdf"_s)); }

private:
  QTemporaryDir m_dir;
  TzelDataset m_dataset;
  TzelQuerion m_querion;
};

void BM_PrintToPdf(benchmark::State &state) {
  const int rows = int(state.range(0));
  Fixture fixture(rows);
  const double opened = peakMegabytes();
  for (auto _ : state)
    if (!fixture.print())
      state.SkipWithError("the report was not written");
  state.SetItemsProcessed(state.iterations() * rows);
  state.counters["rows_per_s"] =
      benchmark::Counter(double(rows) * double(state.iterations()), benchmark::Counter::kIsRate);
  state.counters["peak_MB"] = peakMegabytes();
  state.counters["print_growth_MB"] = peakMegabytes() - opened;
}

} // namespace

int main(int argc, char **argv) {
  if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
    qputenv("QT_QPA_PLATFORM", "offscreen");
  QGuiApplication app(argc, argv);
  benchmark::Initialize(&argc, argv);
  // The peak only grows: each run reports what its printing added above its open dataset.
  benchmark::RegisterBenchmark("BM_PrintToPdf", BM_PrintToPdf)
      ->Arg(10000)
      ->Arg(100000)
      ->Unit(benchmark::kMillisecond)
      ->Iterations(1);
  benchmark::RunSpecifiedBenchmarks();
  return 0;
}
