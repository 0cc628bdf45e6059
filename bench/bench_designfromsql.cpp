// SPDX-License-Identifier: MIT
// SQL into the design for the large query (50 tables joined in a chain, 49 joins, 500 values,
// 50 filters over 20 rows): the statement the generator writes, read back into a fresh
// query, under the native SQLite dialect, with the joins in WHERE and as nested JOIN lines
// in FROM. Each statement is first checked to read back into a design that writes it again.
#include "chainquery.h"
#include "countingmessages.h"
#include "engine/designfromsql.h"
#include "engine/zelquerion.h"
#include "messages/zelmessages.h"
#include "model/zelmodel.h"
#include "model/zelquery.h"

#include <QCoreApplication>
#include <QLocale>
#include <benchmark/benchmark.h>
#include <cstdio>

namespace {

using chainquery::Variant;

// Generates the statement, reads it into a second component and generates again.
bool ready(Variant &v, const CountingMessages &messages) {
  if (!v.querion.GenerateSQL() || messages.count > 0) {
    std::fprintf(stderr, "%s: generation failed: %s\n", v.name.c_str(), qPrintable(messages.last));
    return false;
  }
  v.sql = v.querion.SQL().join(u'\n');
  TzelQuerion again;
  again.setObjectName(QStringLiteral("zelQuerion2"));
  again.SetDataModel(v.model.get());
  const TzelSqlDesignResult result =
      zelDesignFromSql(v.sql, *v.model, v.model->DatabaseType(), *again.CurrentQuery());
  if (!result) {
    std::fprintf(stderr, "%s: %s\n", v.name.c_str(), qPrintable(result.message));
    return false;
  }
  if (!again.GenerateSQL() || again.SQL().join(u'\n') != v.sql) {
    std::fprintf(stderr, "%s: the design read back writes another statement\n", v.name.c_str());
    return false;
  }
  return true;
}

void BM_DesignFromSql(benchmark::State &state, Variant *v) {
  TzelQuerion target;
  target.SetDataModel(v->model.get());
  for (auto _ : state)
    benchmark::DoNotOptimize(
        zelDesignFromSql(v->sql, *v->model, v->model->DatabaseType(), *target.CurrentQuery()));
  state.counters["chars"] = double(v->sql.size());
}

} // namespace

int main(int argc, char **argv) {
  QCoreApplication app(argc, argv);
  QLocale::setDefault(QLocale::c()); // filter dates are typed month first
  benchmark::Initialize(&argc, argv);
  CountingMessages messages;
  zelInstallInteraction(messages);
  Variant native{"SQLite", zelSQLite, zelJoinFrom};
  Variant where{"JoinWhere", zelMSSQL, zelJoinWhere};
  Variant from{"JoinFrom", zelDBISAM, zelJoinFrom};
  for (Variant *v : {&native, &where, &from}) {
    if (!ready(*v, messages))
      return 1;
    benchmark::RegisterBenchmark(("BM_DesignFromSql/" + v->name).c_str(), BM_DesignFromSql, v)
        ->Unit(benchmark::kMillisecond);
  }
  benchmark::RunSpecifiedBenchmarks();
  return 0;
}
