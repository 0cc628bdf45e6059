// The joins editor over a large data model (300 tables of 10 fields, 400 joins): building
// every window (LoadTables), one recalculation of all join lines, one full repaint of the
// visible area and of the whole surface. Runs offscreen.
#include "countingmessages.h"
#include "editors/joinseditor.h"
#include "editors/joinssurface.h"
#include "messages/zelmessages.h"
#include "model/zelmodel.h"

#include <QApplication>
#include <benchmark/benchmark.h>
#include <cstdio>

namespace {

constexpr int Tables = 300;
constexpr int FieldsPerTable = 10;
constexpr int Joins = 400;

QString tableAlias(int t) {
  return QStringLiteral("Table%1").arg(t);
}
QString fieldAlias(int f) {
  return QStringLiteral("Field%1").arg(f);
}

// Windows on a 20 x 15 grid over the 1000 x 1000 surface (they overlap, as crowded designs do);
// join i links table i to a table further on, field to field.
void fillModel(TzelModel &model) {
  for (int t = 0; t < Tables; ++t) {
    model.AddTable(QStringLiteral("BENCH"), QStringLiteral("T%1.DB").arg(t), tableAlias(t));
    TzelTable *table = model.GetTable(t);
    table->SetLeft((t % 20) * 45);
    table->SetTop((t / 20) * 60);
    for (int f = 0; f < FieldsPerTable; ++f) {
      table->AddField(QStringLiteral("F%1").arg(f), fieldAlias(f), ftInteger, 0);
      table->GetField(f)->SetPosition(f);
    }
  }
  for (int j = 0; j < Joins; ++j) {
    const int left = j % Tables;
    const int right = (left + 1 + (j * 7) % (Tables - 1)) % Tables;
    const int index = model.AddJoin(tableAlias(left), zelJoinInner, 0, tableAlias(right));
    model.GetJoin(index)->AddJoinField(fieldAlias(j % FieldsPerTable), zelJoinEqual,
                                       fieldAlias((j + 3) % FieldsPerTable));
  }
}

struct Fixture {
  Fixture() {
    fillModel(model);
    editor.SetModelEditing(true);
    editor.SetModel(&model);
    editor.show();
    editor.SetSchema(&model);
  }
  TzelModel model;
  TzelJoinsEditor editor;
};

Fixture *fixture = nullptr;

void BM_LoadTables(benchmark::State &state) {
  for (auto _ : state)
    fixture->editor.SetSchema(&fixture->model); // clears, then loads every window
  state.counters["windows"] = double(fixture->editor.tableWindows().size());
}

// Loading as the user sees it: the windows built, then painted for the first time.
void BM_LoadTablesAndShow(benchmark::State &state) {
  for (auto _ : state) {
    fixture->editor.SetSchema(&fixture->model);
    QApplication::processEvents();
  }
}

void BM_CalculateJoinLines(benchmark::State &state) {
  for (auto _ : state)
    fixture->editor.CalculateJoinLines();
}

void BM_RepaintVisible(benchmark::State &state) {
  for (auto _ : state)
    benchmark::DoNotOptimize(fixture->editor.grab());
}

void BM_RepaintSurface(benchmark::State &state) {
  for (auto _ : state)
    benchmark::DoNotOptimize(fixture->editor.surface()->grab());
}

void BM_RecalculateAndRepaint(benchmark::State &state) {
  for (auto _ : state) {
    fixture->editor.CalculateJoinLines();
    benchmark::DoNotOptimize(fixture->editor.grab());
  }
}

} // namespace

int main(int argc, char **argv) {
  if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
    qputenv("QT_QPA_PLATFORM", "offscreen");
  QApplication app(argc, argv);
  benchmark::Initialize(&argc, argv);
  CountingMessages counting;
  CountingMessages *messages = &counting;
  zelInstallInteraction(counting);
  Fixture f;
  fixture = &f;
  benchmark::RegisterBenchmark("BM_LoadTables", BM_LoadTables)->Unit(benchmark::kMillisecond);
  benchmark::RegisterBenchmark("BM_LoadTablesAndShow", BM_LoadTablesAndShow)
      ->Unit(benchmark::kMillisecond);
  benchmark::RegisterBenchmark("BM_CalculateJoinLines", BM_CalculateJoinLines)
      ->Unit(benchmark::kMillisecond);
  benchmark::RegisterBenchmark("BM_RepaintVisible", BM_RepaintVisible)
      ->Unit(benchmark::kMillisecond);
  benchmark::RegisterBenchmark("BM_RepaintSurface", BM_RepaintSurface)
      ->Unit(benchmark::kMillisecond);
  benchmark::RegisterBenchmark("BM_RecalculateAndRepaint", BM_RecalculateAndRepaint)
      ->Unit(benchmark::kMillisecond);
  benchmark::RunSpecifiedBenchmarks();
  if (messages->count > 0)
    std::fprintf(stderr, "%d messages during the runs, last: %s\n", messages->count,
                 qPrintable(messages->last));
  return 0;
}
