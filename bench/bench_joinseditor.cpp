// SPDX-License-Identifier: MIT
// The joins editor over a large data model (300 tables of 10 fields, 400 joins): building
// every window (LoadTables), one recalculation of all join lines, one full repaint of the
// visible area and of the whole surface. Then the data model window over big schemas (3,000
// and 30,000 tables of 10 fields, 4 joins to every 3 tables): opened until its first paint,
// one table window moved, the view scrolled, zoomed out to fit and back, and the process's
// memory once shown. Runs offscreen.
#include "../tests/support/gridmodel.h"
#include "countingmessages.h"
#include "editors/frmzeldatamodel.h"
#include "editors/joinseditor.h"
#include "editors/joinssurface.h"
#include "editors/tableform.h"
#include "messages/zelmessages.h"
#include "model/zelmodel.h"

#include <QApplication>
#include <QFile>
#include <QScrollBar>
#include <benchmark/benchmark.h>
#include <map>
#include <memory>
#include <unistd.h>

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

// The big models and their open windows by size, dropped before the application goes.
std::map<int, std::unique_ptr<TzelModel>> models;
std::map<int, std::unique_ptr<TfrmZelDataModel>> windows;

TzelModel &gridModel(int tables) {
  std::unique_ptr<TzelModel> &model = models[tables];
  if (!model) {
    model = std::make_unique<TzelModel>();
    fillGridModel(*model, tables); // 4 joins to every 3 tables
  }
  return *model;
}

double residentMegabytes() {
  QFile statm(QStringLiteral("/proc/self/statm"));
  if (!statm.open(QIODevice::ReadOnly))
    return 0;
  const QList<QByteArray> pages = statm.readAll().split(' ');
  return pages.size() > 1 ? pages.at(1).toDouble() * double(sysconf(_SC_PAGESIZE)) / 1048576.0 : 0;
}

std::unique_ptr<TfrmZelDataModel> openWindow(TzelModel &model) {
  auto window = std::make_unique<TfrmZelDataModel>();
  window->zelJoinsEditor->SetModel(&model);
  window->zelJoinsEditor->SetSchema(&model);
  window->show();
  QApplication::processEvents(); // laid out, exposed and painted
  return window;
}

void BM_OpenDataModelWindow(benchmark::State &state) {
  TzelModel &model = gridModel(int(state.range(0)));
  for (auto _ : state) {
    std::unique_ptr<TfrmZelDataModel> window = openWindow(model);
    state.PauseTiming();
    state.counters["rss_MB"] = residentMegabytes();
    window.reset();
    QApplication::processEvents();
    state.ResumeTiming();
  }
}

// One window open per schema size for the moves and scrolls.
TfrmZelDataModel &shownWindow(int tables) {
  std::unique_ptr<TfrmZelDataModel> &window = windows[tables];
  if (!window)
    window = openWindow(gridModel(tables));
  return *window;
}

// A window in view moved by one pixel to and fro, its lines recalculated and repainted.
void BM_MoveTableWindow(benchmark::State &state) {
  TzelJoinsEditor &editor = *shownWindow(int(state.range(0))).zelJoinsEditor;
  TzelTableForm *window = editor.FindTableWindow(tableAlias(1));
  int step = 1;
  for (auto _ : state) {
    window->move(window->pos() + QPoint(step, 0));
    step = -step;
    QApplication::processEvents();
  }
}

// The view scrolled by 400 pixels down and back, repainted.
void BM_ScrollView(benchmark::State &state) {
  TzelJoinsEditor &editor = *shownWindow(int(state.range(0))).zelJoinsEditor;
  QScrollBar *bar = editor.verticalScrollBar();
  for (auto _ : state) {
    bar->setValue(bar->value() == 0 ? 400 : 0);
    QApplication::processEvents();
  }
}

// The whole schema drawn zoomed out to fit, then back at 100 %, each repainted.
void BM_ZoomToFit(benchmark::State &state) {
  TzelJoinsEditor &editor = *shownWindow(int(state.range(0))).zelJoinsEditor;
  for (auto _ : state) {
    editor.ZoomToFit();
    QApplication::processEvents();
    editor.SetZoom(1);
    QApplication::processEvents();
  }
}

} // namespace

int main(int argc, char **argv) {
  useOffscreenUnlessSet();
  QApplication app(argc, argv);
  benchmark::Initialize(&argc, argv);
  CountingMessages counting;
  CountingMessages *messages = &counting;
  zelInstallInteraction(counting);
  // ZEL_BENCH_SHOT=file.png: a picture of the data model window over 3,000 tables instead.
  if (const QString shot = qEnvironmentVariable("ZEL_BENCH_SHOT"); !shot.isEmpty()) {
    std::unique_ptr<TfrmZelDataModel> window = openWindow(gridModel(3000));
    window->resize(1000, 700);
    QApplication::processEvents();
    const bool saved = window->grab().save(shot);
    window.reset();
    models.clear();
    return saved ? 0 : 1;
  }
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
  benchmark::RegisterBenchmark("BM_OpenDataModelWindow", BM_OpenDataModelWindow)
      ->Arg(3000)
      ->Arg(30000)
      ->Unit(benchmark::kMillisecond);
  benchmark::RegisterBenchmark("BM_MoveTableWindow", BM_MoveTableWindow)
      ->Arg(3000)
      ->Arg(30000)
      ->Unit(benchmark::kMillisecond);
  benchmark::RegisterBenchmark("BM_ScrollView", BM_ScrollView)
      ->Arg(3000)
      ->Arg(30000)
      ->Unit(benchmark::kMillisecond);
  benchmark::RegisterBenchmark("BM_ZoomToFit", BM_ZoomToFit)
      ->Arg(3000)
      ->Arg(30000)
      ->Unit(benchmark::kMillisecond);
  benchmark::RunSpecifiedBenchmarks();
  windows.clear();
  models.clear();
  messages->report();
  return 0;
}
