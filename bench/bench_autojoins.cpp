// SPDX-License-Identifier: MIT
// Adding tables to a query over a big model: each new table takes the model's joins to the
// query's other tables. 300 tables of a 3,000-table model with 4,000 joins.

#include "../tests/support/gridmodel.h"
#include "engine/zelquerion.h"
#include "model/zelquery.h"

#include <benchmark/benchmark.h>

namespace {

void BM_AddTablesWithAutoJoins(benchmark::State &state) {
  TzelModel model;
  fillGridModel(model, 3000);
  const int tables = int(state.range(0));
  for (auto _ : state) {
    TzelQuerion querion;
    querion.SetDataModel(&model);
    TzelQuery *query = querion.Queries(0);
    for (int t = 0; t < tables; ++t) {
      const QString alias = gridTableAlias(t);
      query->AddTable({}, alias, alias);
      query->AddAutoJoins(alias, alias);
    }
    state.counters["joins"] = query->JoinCount();
  }
  state.SetLabel("the whole query built");
}

} // namespace

BENCHMARK(BM_AddTablesWithAutoJoins)->Arg(300)->Unit(benchmark::kMillisecond);
BENCHMARK_MAIN();
