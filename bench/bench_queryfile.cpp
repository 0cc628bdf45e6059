// SPDX-License-Identifier: MIT
// Reading the large chain query back from its files, as zelquery does before it generates:
// the data model's stored form, then the query file into a query component over it.
#include "chainquery.h"

#include "engine/zelquerion.h"
#include "model/storedform.h"
#include "model/zelmodel.h"

#include <QCoreApplication>
#include <QFile>
#include <QLocale>
#include <QTemporaryDir>
#include <benchmark/benchmark.h>

namespace {

struct Files {
  QTemporaryDir dir;
  QString model = dir.filePath(QStringLiteral("chain-model.txt"));
  QString query = dir.filePath(QStringLiteral("chain.zel"));

  Files() {
    const std::unique_ptr<TzelModel> m = chainquery::makeModel(zelDBISAM, zelJoinFrom);
    saveStoredFormFile(model, StoredFormWriter().write(*m));
    TzelQuerion querion;
    querion.SetDataModel(m.get());
    chainquery::fillQuery(*querion.CurrentQuery());
    querion.SaveToFile(query);
  }
};

Files *files = nullptr;

// A query file of n values that all ask for one alias: loading makes Company, Company_1 ...
QString sharedAliasFile(const QTemporaryDir &dir, int n) {
  const QString name = dir.filePath(QStringLiteral("shared%1.zel").arg(n));
  if (QFile::exists(name))
    return name;
  QStringList lines{QStringLiteral("object zelQuerion1: TzelQuerion"),
                    QStringLiteral("  object TzelQuery"),
                    QStringLiteral("    QueryName = 'Step 1'")};
  for (int i = 0; i < n; ++i)
    lines << QStringLiteral("    object TzelQueryValue")
          << QStringLiteral("      ValueAlias = 'Company'")
          << QStringLiteral("      Expression = '1'")
          << QStringLiteral("      Position = %1").arg(i) << QStringLiteral("    end");
  lines << QStringLiteral("  end") << QStringLiteral("end");
  saveStoredFormFile(name, lines.join(u'\n'));
  return name;
}

void BM_ReadModel(benchmark::State &state) {
  for (auto _ : state)
    benchmark::DoNotOptimize(StoredFormReader().read(loadStoredFormFile(files->model)));
}

void BM_LoadQueryFile(benchmark::State &state) {
  const auto read = StoredFormReader().read(loadStoredFormFile(files->model));
  TzelQuerion querion;
  querion.SetDataModel(qobject_cast<TzelModel *>(read.get()));
  for (auto _ : state)
    benchmark::DoNotOptimize(querion.LoadFromFile(files->query));
  state.counters["values"] = querion.CurrentQuery()->ValueCount();
}

void BM_LoadSharedAliases(benchmark::State &state) {
  const QString name = sharedAliasFile(files->dir, int(state.range(0)));
  TzelQuerion querion;
  for (auto _ : state)
    benchmark::DoNotOptimize(querion.LoadFromFile(name));
  state.counters["values"] = querion.CurrentQuery()->ValueCount();
}

} // namespace

BENCHMARK(BM_LoadSharedAliases)->Arg(4000)->Arg(8000)->Arg(16000)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_ReadModel)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_LoadQueryFile)->Unit(benchmark::kMillisecond);

int main(int argc, char **argv) {
  QCoreApplication app(argc, argv);
  QLocale::setDefault(QLocale::c()); // filter dates are typed month first
  benchmark::Initialize(&argc, argv);
  Files f;
  files = &f;
  benchmark::RunSpecifiedBenchmarks();
  return 0;
}
