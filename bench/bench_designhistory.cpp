// SPDX-License-Identifier: MIT
// The design history on a 300-table query: undo and redo of one step (reading the stored form
// back into the query), and the undo data 1,000 table moves hold.

#include "../tests/support/gridmodel.h"
#include "countingmessages.h"
#include "editors/designhistory.h"
#include "editors/valuecolumns.h"
#include "editors/zelqueryeditor.h"
#include "engine/zelquerion.h"
#include "messages/zelmessages.h"
#include "model/zelquery.h"

#include <QApplication>
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

// The same in the query editor: the joins editor and the grid show each restored form. A moved
// table gives its window back; an edited value fills the grid again.
void BM_UndoRedoInEditor(benchmark::State &state) {
  Design d;
  TzelQueryEditor editor;
  editor.resize(1000, 700);
  editor.show();
  editor.SetQuerion(&d.querion);
  const bool value = state.range(0) == 1;
  if (value) // typed into the grid, as a user does
    editor.setCell(8, ValueRow::Header, QStringLiteral("Renamed"));
  else
    d.moveTable(0);
  editor.history()->record(value ? QStringLiteral("Edit Value") : QStringLiteral("Move Table"));
  for (auto _ : state) {
    editor.history()->undo();
    editor.history()->redo();
  }
  state.SetLabel(value ? "a value edited: one undo and one redo, editor shown"
                       : "a table moved: one undo and one redo, editor shown");
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

int main(int argc, char **argv) {
  useOffscreenUnlessSet();
  QApplication app(argc, argv);
  benchmark::Initialize(&argc, argv);
  CountingMessages counting;
  zelInstallInteraction(counting);
  benchmark::RegisterBenchmark("BM_UndoRedoOneStep", BM_UndoRedoOneStep)
      ->Unit(benchmark::kMillisecond);
  benchmark::RegisterBenchmark("BM_UndoRedoInEditor", BM_UndoRedoInEditor)
      ->Arg(0)
      ->Arg(1)
      ->Unit(benchmark::kMillisecond);
  benchmark::RegisterBenchmark("BM_RecordStep", BM_RecordStep)->Unit(benchmark::kMillisecond);
  benchmark::RegisterBenchmark("BM_UndoDataAfter1000Steps", BM_UndoDataAfter1000Steps)
      ->Unit(benchmark::kMillisecond)
      ->Iterations(1);
  benchmark::RunSpecifiedBenchmarks();
  counting.report();
  return 0;
}
