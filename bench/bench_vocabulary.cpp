// SPDX-License-Identifier: MIT
// Throughput of the expression tokenizer and of the keyword test behind name quoting.

#include "model/quoting.h"
#include "model/tokenizer.h"

#include <QStringList>
#include <benchmark/benchmark.h>

namespace {

// A long calculated-value expression of the kind the query editor produces, in short lines.
QStringList longExpression() {
  const QString line = QStringLiteral(
      "SUM([Order Items].Qty * Products.\"Unit Price\") + 1,250.75 - (a<>b) AND Name LIKE 'x%'");
  QStringList lines;
  for (int i = 0; i < 200; ++i)
    lines << line;
  return lines;
}

void BM_TokenizeExpression(benchmark::State &state) {
  const QStringList lines = longExpression();
  qint64 bytes = 0;
  for (const QString &line : lines)
    bytes += line.size();
  TzelTokenList tokens;
  for (auto _ : state)
    benchmark::DoNotOptimize(TokenizeExpression(lines, tokens));
  state.SetBytesProcessed(state.iterations() * bytes);
  state.SetItemsProcessed(state.iterations() * tokens.count());
}
BENCHMARK(BM_TokenizeExpression);

void BM_NeedsQuoting(benchmark::State &state) {
  // Table and field names: keywords, plain names, names with spaces, long names.
  const QStringList names{
      QStringLiteral("Customers"),   QStringLiteral("Order"),
      QStringLiteral("date"),        QStringLiteral("CustNo"),
      QStringLiteral("Order Items"), QStringLiteral("smalldatetime"),
      QStringLiteral("Unit_Price"),  QStringLiteral("EmployeeNumberOfTheMonth"),
  };
  NeedsQuoting(names.first()); // loads the keyword table outside the timing
  for (auto _ : state)
    for (const QString &name : names)
      benchmark::DoNotOptimize(NeedsQuoting(name));
  state.SetItemsProcessed(state.iterations() * names.size());
}
BENCHMARK(BM_NeedsQuoting);

} // namespace

BENCHMARK_MAIN();
