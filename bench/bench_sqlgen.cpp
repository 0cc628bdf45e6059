// SPDX-License-Identifier: MIT
// SQL generation for a large query (50 tables joined in a chain, 500 values, 20 filter rows
// on 50 of them) against SQLite preparing the generated text on the same 50 tables, with the
// joins in WHERE (a server model), as JOIN lines in FROM (a model whose joins carry no
// parentheses: SQLite's parser cannot nest 48 of them) and under the native SQLite dialect.
// Prints the ratios at the end.
#include "chainquery.h"
#include "countingmessages.h"
#include "engine/zelquerion.h"
#include "messages/zelmessages.h"
#include "model/zelmodel.h"
#include "model/zelquery.h"

#include <QCoreApplication>
#include <QLocale>
#include <QSqlDatabase>
#include <QSqlError>
#include <QSqlQuery>
#include <benchmark/benchmark.h>
#include <cstdio>
#include <map>

namespace {

CountingMessages *messages = nullptr;

using chainquery::Variant;

struct Fixture {
  Variant where{"JoinWhere", zelMSSQL, zelJoinWhere};
  Variant from{"JoinFrom", zelDBISAM, zelJoinFrom};
  Variant native{"SQLite", zelSQLite, zelJoinFrom}; // the settings above are its own row
  QSqlDatabase db;

  Fixture() {
    db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), QStringLiteral("bench_sqlgen"));
    db.setDatabaseName(QStringLiteral(":memory:"));
    db.open();
    QSqlQuery q(db);
    for (const QString &create : chainquery::sqliteTables().split(u'\n', Qt::SkipEmptyParts))
      q.exec(create);
  }
};

Fixture *fixture = nullptr;

bool prepare(const QString &sql) {
  QSqlQuery q(fixture->db);
  return q.prepare(sql);
}

void BM_GenerateSQL(benchmark::State &state, Variant *variant) {
  for (auto _ : state)
    benchmark::DoNotOptimize(variant->querion.GenerateSQL());
  state.counters["lines"] = double(variant->querion.SQL().size());
  state.counters["chars"] = double(variant->sql.size());
}

void BM_SqlitePrepare(benchmark::State &state, Variant *variant) {
  for (auto _ : state)
    benchmark::DoNotOptimize(prepare(variant->sql));
}

// Generates once, checks that nothing was shown and that SQLite takes the statement.
bool ready(Variant &v) {
  if (!v.querion.GenerateSQL() || messages->count > 0) {
    std::fprintf(stderr, "%s: generation failed: %s\n", v.name.c_str(), qPrintable(messages->last));
    return false;
  }
  v.sql = v.querion.SQL().join(u'\n');
  QSqlQuery check(fixture->db);
  if (!check.prepare(v.sql)) {
    std::fprintf(stderr, "%s: SQLite refuses the statement: %s\n", v.name.c_str(),
                 qPrintable(check.lastError().text()));
    return false;
  }
  return true;
}

class RatioReporter : public benchmark::ConsoleReporter {
public:
  std::map<std::string, double> times;
  void ReportRuns(const std::vector<Run> &runs) override {
    ConsoleReporter::ReportRuns(runs);
    // The mean when runs are repeated, otherwise the one run.
    for (const Run &r : runs)
      if (r.run_type == Run::RT_Iteration ? !times.count(r.run_name.str())
                                          : r.aggregate_name == "mean")
        times[r.run_name.str()] = r.GetAdjustedRealTime();
  }
};

} // namespace

int main(int argc, char **argv) {
  QCoreApplication app(argc, argv);
  QLocale::setDefault(QLocale::c()); // filter dates are typed month first
  benchmark::Initialize(&argc, argv);
  CountingMessages counting;
  messages = &counting;
  zelInstallInteraction(counting);
  Fixture f;
  fixture = &f;

  Variant *variants[] = {&f.where, &f.from, &f.native};
  for (Variant *v : variants) {
    if (!ready(*v))
      return 1;
    benchmark::RegisterBenchmark(("BM_GenerateSQL/" + v->name).c_str(), BM_GenerateSQL, v)
        ->Unit(benchmark::kMillisecond);
    benchmark::RegisterBenchmark(("BM_SqlitePrepare/" + v->name).c_str(), BM_SqlitePrepare, v)
        ->Unit(benchmark::kMillisecond);
  }
  RatioReporter reporter;
  benchmark::RunSpecifiedBenchmarks(&reporter);
  for (const Variant *v : variants) {
    const double sqlite = reporter.times["BM_SqlitePrepare/" + v->name];
    if (sqlite > 0)
      std::printf("%s: GenerateSQL / SQLite prepare: %.2fx\n", v->name.c_str(),
                  reporter.times["BM_GenerateSQL/" + v->name] / sqlite);
  }
  messages->report();
  return 0;
}
