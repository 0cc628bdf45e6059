// The design history on a 300-table query: undo and redo of one step (reading the stored form
// back into the query), and the undo data 1,000 table moves hold.

#include "../tests/support/gridmodel.h"
#include "editors/designhistory.h"
#include "engine/zelquerion.h"
#include "model/zelquery.h"

#include <QUndoStack>
#include <benchmark/benchmark.h>

namespace {

constexpr int tables = 300;

// The query of every table of the grid model, its joins and two values of each table.
struct Design {
  TzelModel model;
  TzelQuerion querion;
  TzelQuery *query = nullptr;
  Design() {
    fillGridModel(model, tables);
    querion.SetDataModel(&model);
    query = querion.Queries(0);
    for (int t = 0; t < tables; ++t) {
      const QString alias = gridTableAlias(t);
      query->AddTable({}, alias, alias);
      query->AddAutoJoins(alias, alias);
      query->GetTable(t)->SetLeft(model.GetTable(t)->Left());
      query->GetTable(t)->SetTop(model.GetTable(t)->Top());
      query->AddValue(alias, gridFieldAlias(0), {});
      query->AddValue(alias, gridFieldAlias(1), {});
    }
  }
  void moveTable(int step) {
    TzelTable *table = query->GetTable(step % tables);
    table->SetLeft(table->Left() + 1 + step % 7);
    table->SetTop(table->Top() + 1);
  }
};

void BM_UndoRedoOneStep(benchmark::State &state) {
  Design d;
  TzelDesignHistory history;
  history.setDesign(d.query);
  d.moveTable(0);
  history.record(QStringLiteral("Move Table"));
  for (auto _ : state) {
    history.stack()->undo();
    history.stack()->redo();
  }
  state.SetLabel("one undo and one redo");
}

void BM_RecordStep(benchmark::State &state) {
  Design d;
  TzelDesignHistory history;
  history.setDesign(d.query);
  int step = 0;
  for (auto _ : state) {
    d.moveTable(step++);
    history.record(QStringLiteral("Move Table"));
  }
}

void BM_UndoDataAfter1000Steps(benchmark::State &state) {
  for (auto _ : state) {
    Design d;
    TzelDesignHistory history;
    history.setDesign(d.query);
    for (int step = 0; step < 1000; ++step) {
      d.moveTable(step);
      history.record(QStringLiteral("Move Table"));
    }
    state.counters["undo_MB"] = double(history.undoBytes()) / (1024.0 * 1024.0);
    state.counters["steps"] = history.stack()->count();
  }
}

} // namespace

BENCHMARK(BM_UndoRedoOneStep)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_RecordStep)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_UndoDataAfter1000Steps)->Unit(benchmark::kMillisecond)->Iterations(1);
BENCHMARK_MAIN();
