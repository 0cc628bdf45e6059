// SPDX-License-Identifier: MIT
// The query editor panel over a large query: 50 tables of 10 fields with 500 values (one
// filter each), loaded into the grid (LoadQuery: the joins editor's windows and the grid) and
// written back (ApplyValues); and the "*" row of a 200-field table dropped on the grid.
// Runs offscreen.
#include "countingmessages.h"
#include "editors/joinseditor.h"
#include "editors/zelqueryeditor.h"
#include "engine/zelquerion.h"
#include "messages/zelmessages.h"
#include "model/zelmodel.h"

#include <QApplication>
#include <benchmark/benchmark.h>

namespace {

constexpr int Tables = 50;
constexpr int FieldsPerTable = 10;
constexpr int WideFields = 200;

QString tableAlias(int t) {
  return QStringLiteral("Table%1").arg(t);
}

void addTable(TzelModel &model, const QString &alias, int fields) {
  const int index = model.AddTable(QStringLiteral("BENCH"), alias + QStringLiteral(".DB"), alias);
  TzelTable *table = model.GetTable(index);
  table->SetLeft((index % 10) * 95);
  table->SetTop((index / 10) * 120);
  for (int f = 0; f < fields; ++f) {
    table->AddField(QStringLiteral("F%1").arg(f), QStringLiteral("Field%1").arg(f), ftString, 20);
    table->GetField(f)->SetPosition(f);
  }
}

void fillModel(TzelModel &model) {
  for (int t = 0; t < Tables; ++t)
    addTable(model, tableAlias(t), FieldsPerTable);
  addTable(model, QStringLiteral("Wide"), WideFields);
}

// Every field of the 50 tables as a value with one filter; the wide table is in the query but
// has no values.
void fillQuery(TzelQuery &query) {
  for (int t = 0; t < Tables; ++t) {
    query.AddTable(QString(), tableAlias(t), tableAlias(t));
    if (t > 0)
      query.GetJoin(query.AddJoin(tableAlias(t - 1), zelJoinInner, 0, tableAlias(t)))
          ->AddJoinField(QStringLiteral("Field0"), zelJoinEqual, QStringLiteral("Field0"));
  }
  query.AddTable(QString(), QStringLiteral("Wide"), QStringLiteral("Wide"));
  for (int t = 0; t < Tables; ++t)
    for (int f = 0; f < FieldsPerTable; ++f) {
      const int index = query.AddValue(tableAlias(t), QStringLiteral("Field%1").arg(f), {});
      query.GetValue(index)->SetFilter(1 + f, zelFilterEqual, QStringLiteral("A|B|"));
    }
}

struct Fixture {
  Fixture() {
    fillModel(model);
    querion.SetDataModel(&model);
    fillQuery(*querion.CurrentQuery());
    editor.resize(1000, 700);
    editor.show();
    editor.SetQuerion(&querion);
  }
  TzelModel model;
  TzelQuerion querion;
  TzelQueryEditor editor;
};

Fixture *fixture = nullptr;

void BM_LoadQuery(benchmark::State &state) {
  for (auto _ : state)
    fixture->editor.LoadQuery();
  state.counters["values"] = double(fixture->querion.CurrentQuery()->ValueCount());
}

void BM_ApplyValues(benchmark::State &state) {
  fixture->editor.LoadQuery();
  for (auto _ : state)
    benchmark::DoNotOptimize(fixture->editor.ApplyValues());
}

void BM_DropStarOfWideTable(benchmark::State &state) {
  TzelQuery *query = fixture->querion.CurrentQuery();
  for (auto _ : state) {
    state.PauseTiming();
    // Back to the 500 values: the dropped ones are marked deleted and their columns go.
    for (int i = Tables * FieldsPerTable; i < query->ValueCount(); ++i)
      query->GetValue(i)->SetDeleted(true);
    fixture->editor.grdValues->setColumnCount(Tables * FieldsPerTable + 1);
    fixture->editor.LoadQuery();
    state.ResumeTiming();
    fixture->editor.DropField({QStringLiteral("Wide"), QStringLiteral("*")}, 1);
  }
  state.counters["columns"] = double(fixture->editor.grdValues->columnCount());
}

} // namespace

int main(int argc, char **argv) {
  useOffscreenUnlessSet();
  QApplication app(argc, argv);
  benchmark::Initialize(&argc, argv);
  CountingMessages counting;
  CountingMessages *messages = &counting;
  zelInstallInteraction(counting);
  Fixture f;
  fixture = &f;
  benchmark::RegisterBenchmark("BM_LoadQuery", BM_LoadQuery)->Unit(benchmark::kMillisecond);
  benchmark::RegisterBenchmark("BM_ApplyValues", BM_ApplyValues)->Unit(benchmark::kMillisecond);
  benchmark::RegisterBenchmark("BM_DropStarOfWideTable", BM_DropStarOfWideTable)
      ->Unit(benchmark::kMillisecond);
  benchmark::RunSpecifiedBenchmarks();
  messages->report();
  return 0;
}
