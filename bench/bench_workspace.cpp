// SPDX-License-Identifier: MIT
// The query workspace as a user meets it, offscreen: opening it on the demo's "Step 1" (the
// window shown, the tables and the values grid loaded), then each tab change, Query -> SQL
// (generation) and SQL -> Preview (the statement run on the sample Paradox tables, the grid
// filled); and the Preview over a 10,000,000-row SQLite table until its first rows are in the
// grid. Each phase is timed on its own (manual time). The big table is made once in
// $ZEL_BENCH_DIR (default /tmp).
#include "countingmessages.h"
#include "database/zeldatamodel.h"
#include "database/zeldataset.h"
#include "database/zelsession.h"
#include "model/storedform.h"
#include "model/zelregistry.h"
#include "workspace/zelquerydialog.h"

#include <QApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFileInfo>
#include <QSqlDatabase>
#include <QSqlQuery>
#include <QTabWidget>
#include <QTableView>
#include <QTimer>
#include <benchmark/benchmark.h>
#include <functional>

namespace {

constexpr int BigRows = 10000000;

enum class Phase { Open, ToSQL, ToPreview };

QString examples(const QString &name) {
  return QStringLiteral(ZEL_SOURCE_DIR "/examples/") + name;
}

std::unique_ptr<TzelModel> sampleModel() {
  std::unique_ptr<TzelComponent> read =
      StoredFormReader().read(loadStoredFormFile(examples(QStringLiteral("pellox-model.txt"))));
  auto *model = qobject_cast<TzelModel *>(read.get());
  if (model)
    read.release();
  return std::unique_ptr<TzelModel>(model);
}

QString bigTable() {
  const QString dir = qEnvironmentVariable("ZEL_BENCH_DIR");
  const QString file = (dir.isEmpty() ? QDir::tempPath() : dir) +
                       QStringLiteral("/zel-workspace-%1.sqlite").arg(BigRows);
  if (QFileInfo::exists(file))
    return file;
  {
    QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), QStringLiteral("make"));
    db.setDatabaseName(file + QStringLiteral(".part"));
    db.open();
    QSqlQuery q(db);
    q.exec(QStringLiteral("CREATE TABLE BIG (ID INTEGER, NAME VARCHAR(30), AMOUNT FLOAT)"));
    q.exec(QStringLiteral("WITH RECURSIVE n(i) AS (SELECT 1 UNION ALL SELECT i + 1 FROM n WHERE "
                          "i < %1) INSERT INTO BIG SELECT i, 'Name number ' || i, "
                          "(i % 100000) / 100.0 FROM n")
               .arg(BigRows));
  }
  QSqlDatabase::removeDatabase(QStringLiteral("make"));
  QFile::rename(file + QStringLiteral(".part"), file);
  return file;
}

// A model of the big table and a query of its three fields.
void fillBig(TzelModel &model, TzelQuerion &querion) {
  model.SetDatabaseType(zelSQLite);
  model.AddTable(bigTable(), QStringLiteral("BIG"), QStringLiteral("Big"));
  TzelTable *table = model.GetTable(0);
  table->AddField(QStringLiteral("ID"), QStringLiteral("Id"), ftInteger, 0);
  table->AddField(QStringLiteral("NAME"), QStringLiteral("Name"), ftString, 30);
  table->AddField(QStringLiteral("AMOUNT"), QStringLiteral("Amount"), ftFloat, 0);
  TzelQuery *query = querion.CurrentQuery();
  query->AddTable(QString(), QStringLiteral("Big"), QStringLiteral("Big"));
  int position = 0;
  for (const char *field : {"Id", "Name", "Amount"})
    query->GetValue(query->AddValue(QStringLiteral("Big"), QLatin1String(field), QString()))
        ->SetPosition(position++);
}

// One run of the workspace: the clock runs from before Execute (Open) or before the tab
// change, and stops once the phase's result is on screen.
double timePhase(TzelQueryDialog &dialog, Phase phase) {
  QElapsedTimer clock;
  double seconds = 0;
  QTimer::singleShot(0, [&] {
    auto *window = dialog.Window();
    QCoreApplication::processEvents();
    if (phase == Phase::Open)
      seconds = double(clock.nsecsElapsed()) / 1e9;
    if (phase == Phase::ToPreview)
      window->tabMain->setCurrentIndex(TfrmZelQueryDialog::TabSQL);
    clock.restart();
    if (phase != Phase::Open)
      window->tabMain->setCurrentIndex(phase == Phase::ToSQL ? TfrmZelQueryDialog::TabSQL
                                                             : TfrmZelQueryDialog::TabPreview);
    QCoreApplication::processEvents();
    if (phase != Phase::Open)
      seconds = double(clock.nsecsElapsed()) / 1e9;
    if (phase == Phase::ToPreview && window->DBGrid1->model()->rowCount() == 0)
      seconds = -1;
    window->close();
  });
  clock.start();
  dialog.Execute();
  return seconds;
}

CountingMessages *messages = nullptr; // installed by main

struct Workspace {
  std::unique_ptr<TzelModel> model;
  TzelDataset dataset;
  TzelQuerion querion;
  TzelQueryDialog dialog;
  explicit Workspace(bool big) : model(big ? std::make_unique<TzelModel>() : sampleModel()) {
    querion.SetDataModel(model.get());
    if (big) {
      fillBig(*model, querion);
      dataset.setDatabaseName(model->GetTable(0)->GetDatabaseName());
    } else {
      dataset.setDatabaseName(QStringLiteral("PELLOX"));
      querion.LoadFromFile(examples(QStringLiteral("step1.zel")));
    }
    querion.SetDataModel(model.get());
    querion.SetDataQuery(&dataset);
    querion.SetDisplayParams(false);
    dialog.SetQuerion(&querion);
    dialog.SetEnableSave(false);
  }
};

void runPhase(benchmark::State &state, bool big, Phase phase) {
  messages->count = 0;
  Workspace w(big);
  for (auto _ : state) {
    const double seconds = timePhase(w.dialog, phase);
    if (seconds < 0) {
      state.SkipWithError(qPrintable(QStringLiteral("the grid stayed empty: ") + messages->last +
                                     w.querion.SQL().join(QLatin1Char(' '))));
      break;
    }
    state.SetIterationTime(seconds);
  }
  if (messages->count > 0)
    state.SkipWithError(qPrintable(messages->last));
}

void BM_OpenStep1(benchmark::State &state) {
  runPhase(state, false, Phase::Open);
}
void BM_Step1QueryToSQL(benchmark::State &state) {
  runPhase(state, false, Phase::ToSQL);
}
void BM_Step1SQLToPreview(benchmark::State &state) {
  runPhase(state, false, Phase::ToPreview);
}
void BM_Preview10MFirstRows(benchmark::State &state) {
  runPhase(state, true, Phase::ToPreview);
}

BENCHMARK(BM_OpenStep1)->UseManualTime()->Unit(benchmark::kMillisecond);
BENCHMARK(BM_Step1QueryToSQL)->UseManualTime()->Unit(benchmark::kMillisecond);
BENCHMARK(BM_Step1SQLToPreview)->UseManualTime()->Unit(benchmark::kMillisecond);
BENCHMARK(BM_Preview10MFirstRows)->UseManualTime()->Unit(benchmark::kMillisecond);

} // namespace

int main(int argc, char **argv) {
  qputenv("QT_QPA_PLATFORM", "offscreen");
  QApplication app(argc, argv);
  const QString data = QCoreApplication::applicationDirPath() + QStringLiteral("/Data");
  TzelSession::defaultSession().registerAlias(
      {QStringLiteral("PELLOX"), QStringLiteral("STANDARD"), {QStringLiteral("PATH=") + data}});
  if (!ZelRegistry::instance().contains(QStringLiteral("TzelDataModel")))
    ZelRegistry::instance().registerClass<TzelDataModel>();
  CountingMessages counting;
  messages = &counting;
  zelInstallInteraction(counting);
  benchmark::Initialize(&argc, argv);
  benchmark::RunSpecifiedBenchmarks();
  return 0;
}
