// SPDX-License-Identifier: MIT
// Cost of rewriting local SQL for SQLite: a statement of n tables joined in a chain with
// ten quoted, table-qualified values per table, sorted by the last of them.
#include "database/zellocalsql.h"

#include <QSet>
#include <QStringList>
#include <benchmark/benchmark.h>

using namespace Qt::StringLiterals;

namespace {

QString chainStatement(int tables) {
  QStringList select;
  QStringList from{u"    FROM \":PELLOX:T000.DB\" AS \"Order 0\""_s};
  for (int t = 0; t < tables; ++t) {
    for (int v = 0; v < 10; ++v)
      select << u"         \"Order %1\".F%2 AS \"Order %1\".\"Value %2\""_s.arg(t).arg(v);
    if (t > 0)
      from << u"         INNER JOIN \":PELLOX:T%1.DB\" AS \"Order %2\"\n"
              "                 ON \"Order %3\".F0 = \"Order %2\".F0"_s.arg(t, 3, 10, QChar(u'0'))
                  .arg(t)
                  .arg(t - 1);
  }
  return u"  SELECT "_s + select.join(u",\n"_s).mid(9) + u'\n' + from.join(u'\n') +
         u"\n   WHERE (((\"Order 0\".F1 = \"x\")))\nORDER BY \"Order 0\".\"Value 9\" ASC"_s;
}

TzelLocalSqlHooks hooks() {
  TzelLocalSqlHooks h;
  h.resolveTable = [](const QString &ref, bool) -> std::optional<QString> {
    return ref.startsWith(u":PELLOX:"_s) ? std::optional(ref.mid(8, 4)) : std::nullopt;
  };
  h.columnsOf = [](const QString &) {
    QSet<QString> columns;
    for (int v = 0; v < 10; ++v)
      columns << u"F%1"_s.arg(v);
    return columns;
  };
  return h;
}

void BM_TranslateChain(benchmark::State &state) {
  const QString sql = chainStatement(int(state.range(0)));
  const TzelLocalSqlHooks h = hooks();
  for (auto _ : state)
    benchmark::DoNotOptimize(translateLocalSql(sql, h));
  state.SetBytesProcessed(int64_t(state.iterations()) * sql.size() * 2);
}
BENCHMARK(BM_TranslateChain)->Arg(5)->Arg(50)->Unit(benchmark::kMicrosecond);

} // namespace

BENCHMARK_MAIN();
