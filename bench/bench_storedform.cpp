// SPDX-License-Identifier: MIT
#include "model/storedform.h"
#include "model/zelmodel.h"
#include "model/zelregistry.h"

#include <benchmark/benchmark.h>

namespace {

// A model of 500 tables of 20 fields each and 400 joins of two pairs.
std::unique_ptr<TzelModel> bigModel() {
  auto model = std::make_unique<TzelModel>();
  model->setObjectName(QStringLiteral("zelModel1"));
  for (int t = 0; t < 500; ++t) {
    const int i = model->AddTable(QStringLiteral("PELLOX"), QStringLiteral("T%1.DB").arg(t),
                                  QStringLiteral("Table%1").arg(t));
    TzelTable *table = model->GetTable(i);
    table->SetLeft(t * 3);
    table->SetTop(t * 2);
    for (int f = 0; f < 20; ++f) {
      const int k =
          table->AddField(QStringLiteral("FLD_%1").arg(f), QStringLiteral("Field%1").arg(f),
                          f % 2 ? ftInteger : ftString, f + 10);
      table->GetField(k)->SetPosition(f);
    }
  }
  for (int j = 0; j < 400; ++j) {
    const int k = model->AddJoin(QStringLiteral("Table%1").arg(j), zelJoinInner, 0,
                                 QStringLiteral("Table%1").arg(j + 1));
    model->GetJoin(k)->AddJoinField(QStringLiteral("Field0"), zelJoinEqual,
                                    QStringLiteral("Field0"));
    model->GetJoin(k)->AddJoinField(QStringLiteral("Field1"), zelJoinEqual,
                                    QStringLiteral("Field1"));
  }
  return model;
}

void registerModelClasses() {
  ZelRegistry &r = ZelRegistry::instance();
  r.registerClass<TzelModel>();
  r.registerClass<TzelDataModelTable>();
  r.registerClass<TzelDataModelField>();
  r.registerClass<TzelJoin>();
  r.registerClass<TzelJoinField>();
}

void BM_WriteModel(benchmark::State &state) {
  const auto model = bigModel();
  for (auto _ : state)
    benchmark::DoNotOptimize(StoredFormWriter().write(*model));
}
BENCHMARK(BM_WriteModel)->Unit(benchmark::kMillisecond);

void BM_ReadModel(benchmark::State &state) {
  registerModelClasses();
  const QString text = StoredFormWriter().write(*bigModel());
  state.counters["lines"] = double(text.count(QLatin1Char('\n')));
  for (auto _ : state)
    benchmark::DoNotOptimize(StoredFormReader().read(text));
}
BENCHMARK(BM_ReadModel)->Unit(benchmark::kMillisecond);

} // namespace

BENCHMARK_MAIN();
