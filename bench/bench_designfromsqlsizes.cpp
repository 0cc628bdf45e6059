// SPDX-License-Identifier: MIT
// SQL into the design at sizes no one types but a script or a paste may bring: thousands of
// copies of one column (each taking the next free Name_n), thousands of *, a long run of bare
// words after WHERE over a model with spaced names, thousands of filter conditions and the
// parameters they declare. Each should grow in proportion to the size (compare the rows of
// one benchmark: twice the size, about twice the time).
#include "countingmessages.h"
#include "database/zeldatamodel.h"
#include "engine/designfromsql.h"
#include "engine/zelparams.h"
#include "messages/zelmessages.h"
#include "model/zelquery.h"

#include <QCoreApplication>
#include <QLocale>
#include <benchmark/benchmark.h>
#include <memory>

namespace {

// One table t1 (alias T1) with a few columns, two of them with spaces in their names.
std::unique_ptr<TzelDataModel> makeModel() {
  auto model = std::make_unique<TzelDataModel>();
  model->SetDatabaseType(zelSQLite);
  model->SetAutoJoin(false);
  TzelTable *table = model->GetTable(
      model->AddTable(QStringLiteral("BENCH"), QStringLiteral("t1"), QStringLiteral("T1")));
  table->AddField(QStringLiteral("id"), QStringLiteral("Id"), ftInteger, 0);
  table->AddField(QStringLiteral("name"), QStringLiteral("Name"), ftString, 30);
  table->AddField(QStringLiteral("qty"), QStringLiteral("Count"), ftInteger, 0);
  table->AddField(QStringLiteral("unit price"), QStringLiteral("Unit Price"), ftFloat, 0);
  table->AddField(QStringLiteral("sale items"), QStringLiteral("Sale Items"), ftInteger, 0);
  return model;
}

class Holder : public QObject, public TzelQueryOwner {
public:
  explicit Holder(TzelModel *model) : m_model(model), query(new TzelQuery(this)) {
    query->SetQuerion(this);
  }
  TzelModel *queryDataModel() const override { return m_model; }

private:
  TzelModel *m_model;

public:
  TzelQuery *query;
};

void design(benchmark::State &state, const QString &sql) {
  const std::unique_ptr<TzelDataModel> model = makeModel();
  for (auto _ : state) {
    Holder holder(model.get());
    benchmark::DoNotOptimize(zelDesignFromSql(sql, *model, zelSQLite, *holder.query));
  }
  state.SetComplexityN(state.range(0));
}

void BM_CopiesOfOneColumn(benchmark::State &state) {
  design(state, QStringLiteral("select ") +
                    QStringLiteral("name, ").repeated(int(state.range(0)) - 1) +
                    QStringLiteral("name from t1"));
}

void BM_Stars(benchmark::State &state) {
  design(state, QStringLiteral("select ") +
                    QStringLiteral("*, ").repeated(int(state.range(0)) - 1) +
                    QStringLiteral("* from t1"));
}

// Refused at the second word, after the names have been looked for.
void BM_BareWordsAfterWhere(benchmark::State &state) {
  design(state, QStringLiteral("select id from t1 where ") +
                    QStringLiteral("sale ").repeated(int(state.range(0))));
}

void BM_FilterParameters(benchmark::State &state) {
  QString where;
  for (int i = 0; i < state.range(0); ++i)
    where += QStringLiteral(" and qty > :p%1").arg(i);
  design(state, QStringLiteral("select id from t1 where id > 0") + where);
}

// The parameters of a design holding thousands of them, collected as a run collects them.
void BM_CollectParams(benchmark::State &state) {
  const std::unique_ptr<TzelDataModel> model = makeModel();
  Holder holder(model.get());
  QString where;
  for (int i = 0; i < state.range(0); ++i)
    where += QStringLiteral(" and qty > :p%1").arg(i);
  if (!zelDesignFromSql(QStringLiteral("select id from t1 where id > 0") + where, *model, zelSQLite,
                        *holder.query)) {
    state.SkipWithError("the statement was refused");
    return;
  }
  for (auto _ : state)
    benchmark::DoNotOptimize(CollectParams(*holder.query));
  state.SetComplexityN(state.range(0));
}

BENCHMARK(BM_CopiesOfOneColumn)
    ->RangeMultiplier(2)
    ->Range(2000, 16000)
    ->Unit(benchmark::kMillisecond)
    ->Complexity();
BENCHMARK(BM_Stars)
    ->RangeMultiplier(2)
    ->Range(750, 6000)
    ->Unit(benchmark::kMillisecond)
    ->Complexity();
BENCHMARK(BM_BareWordsAfterWhere)
    ->RangeMultiplier(2)
    ->Range(25000, 200000)
    ->Unit(benchmark::kMillisecond)
    ->Complexity();
BENCHMARK(BM_FilterParameters)
    ->RangeMultiplier(2)
    ->Range(1250, 10000)
    ->Unit(benchmark::kMillisecond)
    ->Complexity();
BENCHMARK(BM_CollectParams)
    ->RangeMultiplier(2)
    ->Range(1250, 10000)
    ->Unit(benchmark::kMillisecond)
    ->Complexity();

} // namespace

int main(int argc, char **argv) {
  QCoreApplication app(argc, argv);
  QLocale::setDefault(QLocale::c());
  benchmark::Initialize(&argc, argv);
  CountingMessages messages;
  zelInstallInteraction(messages);
  benchmark::RunSpecifiedBenchmarks();
  messages.report();
  return 0;
}
