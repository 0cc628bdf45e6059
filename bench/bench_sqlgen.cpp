// SQL generation for a large query (50 tables joined in a chain, 500 values, 20 filter rows
// on 50 of them) against SQLite preparing the generated text on the same 50 tables, with the
// joins in WHERE (a server model), as JOIN lines in FROM (a model whose joins carry no
// parentheses: SQLite's parser cannot nest 48 of them) and under the native SQLite dialect.
// Prints the ratios at the end.
#include "engine/zelquerion.h"
#include "messages/zelmessages.h"
#include "model/zelmodel.h"
#include "model/zelquery.h"

#include <QCoreApplication>
#include <QLocale>
#include <QSqlDatabase>
#include <QSqlError>
#include <QSqlQuery>
#include <benchmark/benchmark.h>
#include <cstdio>
#include <map>

namespace {

constexpr int Tables = 50;
constexpr int FieldsPerTable = 10; // 500 values
constexpr int FilteredValues = 50;
constexpr int FilterRows = 20;

// Counts what would have been shown; nothing blocks.
class CountingMessages : public TzelMessageHandler {
public:
  TzelAnswer messageBox(const QString &text, TzelMessageKind, TzelButtons) override {
    last = text;
    ++count;
    return TzelAnswer::Ok;
  }
  bool inputBox(const QString &, const QString &, QString &) override { return false; }
  void showMessageList(const QStringList &lines, const QString &) override {
    count += int(lines.size());
    last = lines.value(0);
  }
  void hideMessageList() override {}
  int count = 0;
  QString last;
};

CountingMessages *messages = nullptr;

TFieldType fieldType(int f) {
  static const TFieldType types[] = {ftString, ftInteger, ftFloat, ftDate, ftCurrency};
  return types[f % 5];
}

QString sqliteType(TFieldType type) {
  switch (type) {
  case ftString:
  case ftDate:
    return QStringLiteral("TEXT");
  case ftInteger:
    return QStringLiteral("INTEGER");
  default:
    return QStringLiteral("REAL");
  }
}

QString tableName(int t) {
  return QStringLiteral("TBL_%1").arg(t);
}
QString tableAlias(int t) {
  return QStringLiteral("Table%1").arg(t);
}

// A model (single-quoted strings, ISO dates) of 50 tables, each with a key, the key of the
// next table and ten fields of five types.
std::unique_ptr<TzelModel> makeModel(TzelDatabase type, TzelJoinMethod joins) {
  auto model = std::make_unique<TzelModel>();
  model->setObjectName(QStringLiteral("zelDataModel1"));
  model->SetDatabaseType(type);
  model->SetJoinMethod(joins);
  model->SetAliasAs(true);
  model->SetAliasByTable(false);
  model->SetOrderByAlias(false);
  model->SetVerifyNames(true);
  model->SetNameQuote(zelQuoteDouble);
  model->SetStringQuote(zelQuoteSingle);
  model->SetDateQuote(QStringLiteral("'"));
  model->SetDateFormat(QStringLiteral("yyyy-mm-dd"));
  for (int t = 0; t < Tables; ++t) {
    TzelTable *table =
        model->GetTable(model->AddTable(QStringLiteral("BENCH"), tableName(t), tableAlias(t)));
    table->AddField(QStringLiteral("ID"), QStringLiteral("Id"), ftInteger, 0);
    table->AddField(QStringLiteral("NEXT_ID"), QStringLiteral("NextId"), ftInteger, 0);
    for (int f = 0; f < FieldsPerTable; ++f)
      table->AddField(QStringLiteral("F_%1").arg(f), QStringLiteral("Field%1").arg(f), fieldType(f),
                      fieldType(f) == ftString ? 30 : 0);
  }
  return model;
}

QString filterFor(TFieldType type, int k) {
  switch (type) {
  case ftString:
    return QStringLiteral("A%|B%|C%|");
  case ftInteger:
    return QStringLiteral("%1|%2|%3|").arg(k).arg(k + 10).arg(k + 20);
  case ftDate: // the system's short date format, as a user types it
    return QStringLiteral("1/15/1998|12/31/1999|");
  default:
    return QStringLiteral("1.5|99.5|");
  }
}

TzelFilterOper operatorFor(TFieldType type) {
  switch (type) {
  case ftString:
    return zelFilterLike;
  case ftInteger:
    return zelFilterEqual;
  default:
    return zelFilterBetween;
  }
}

// The chain Table0 - Table1 - ... - Table49 on NextId = Id, every field of every table a
// value, three of them sorted, and one filter on each of 50 values spread over 20 rows.
void fillQuery(TzelQuery &query) {
  for (int t = 0; t < Tables; ++t)
    query.AddTable(QString(), tableAlias(t), tableAlias(t));
  for (int t = 0; t + 1 < Tables; ++t) {
    TzelJoin *join =
        query.GetJoin(query.AddJoin(tableAlias(t), zelJoinInner, 0, tableAlias(t + 1)));
    join->AddJoinField(QStringLiteral("NextId"), zelJoinEqual, QStringLiteral("Id"));
  }
  int position = 0;
  for (int t = 0; t < Tables; ++t)
    for (int f = 0; f < FieldsPerTable; ++f) {
      TzelQueryValue *value =
          query.GetValue(query.AddValue(tableAlias(t), QStringLiteral("Field%1").arg(f), {}));
      value->SetPosition(position++);
    }
  for (int k = 0; k < 3; ++k)
    query.GetValue(k * 7)->SetSort(zelSortAscending);
  for (int k = 0; k < FilteredValues; ++k) {
    const int f = k % FieldsPerTable;
    TzelQueryValue *value = query.GetValue(k * FieldsPerTable + f);
    const TFieldType type = fieldType(f);
    value->SetFilter(k % FilterRows + 1, operatorFor(type), filterFor(type, k));
  }
}

// One dialect's model and query component, and the statement it generates.
struct Variant {
  Variant(const char *name, TzelDatabase type, TzelJoinMethod joins)
      : name(name), model(makeModel(type, joins)) {
    querion.setObjectName(QStringLiteral("zelQuerion1"));
    querion.SetDataModel(model.get());
    fillQuery(*querion.CurrentQuery());
  }
  std::string name;
  std::unique_ptr<TzelModel> model;
  TzelQuerion querion;
  QString sql;
};

struct Fixture {
  Variant where{"JoinWhere", zelMSSQL, zelJoinWhere};
  Variant from{"JoinFrom", zelDBISAM, zelJoinFrom};
  Variant native{"SQLite", zelSQLite, zelJoinFrom}; // the settings above are its own row
  QSqlDatabase db;

  Fixture() {
    db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), QStringLiteral("bench_sqlgen"));
    db.setDatabaseName(QStringLiteral(":memory:"));
    db.open();
    QSqlQuery q(db);
    for (int t = 0; t < Tables; ++t) {
      QStringList columns{QStringLiteral("ID INTEGER"), QStringLiteral("NEXT_ID INTEGER")};
      for (int f = 0; f < FieldsPerTable; ++f)
        columns << QStringLiteral("F_%1 %2").arg(f).arg(sqliteType(fieldType(f)));
      q.exec(QStringLiteral("CREATE TABLE %1 (%2)").arg(tableName(t), columns.join(u", ")));
    }
  }
};

Fixture *fixture = nullptr;

bool prepare(const QString &sql) {
  QSqlQuery q(fixture->db);
  return q.prepare(sql);
}

void BM_GenerateSQL(benchmark::State &state, Variant *variant) {
  for (auto _ : state)
    benchmark::DoNotOptimize(variant->querion.GenerateSQL());
  state.counters["lines"] = double(variant->querion.SQL().size());
  state.counters["chars"] = double(variant->sql.size());
}

void BM_SqlitePrepare(benchmark::State &state, Variant *variant) {
  for (auto _ : state)
    benchmark::DoNotOptimize(prepare(variant->sql));
}

// Generates once, checks that nothing was shown and that SQLite takes the statement.
bool ready(Variant &v) {
  if (!v.querion.GenerateSQL() || messages->count > 0) {
    std::fprintf(stderr, "%s: generation failed: %s\n", v.name.c_str(), qPrintable(messages->last));
    return false;
  }
  v.sql = v.querion.SQL().join(u'\n');
  QSqlQuery check(fixture->db);
  if (!check.prepare(v.sql)) {
    std::fprintf(stderr, "%s: SQLite refuses the statement: %s\n", v.name.c_str(),
                 qPrintable(check.lastError().text()));
    return false;
  }
  return true;
}

class RatioReporter : public benchmark::ConsoleReporter {
public:
  std::map<std::string, double> times;
  void ReportRuns(const std::vector<Run> &runs) override {
    ConsoleReporter::ReportRuns(runs);
    // The mean when runs are repeated, otherwise the one run.
    for (const Run &r : runs)
      if (r.run_type == Run::RT_Iteration ? !times.count(r.run_name.str())
                                          : r.aggregate_name == "mean")
        times[r.run_name.str()] = r.GetAdjustedRealTime();
  }
};

} // namespace

int main(int argc, char **argv) {
  QCoreApplication app(argc, argv);
  QLocale::setDefault(QLocale::c()); // filter dates are typed month first
  benchmark::Initialize(&argc, argv);
  auto counting = std::make_unique<CountingMessages>();
  messages = counting.get();
  zelSetMessageHandler(std::move(counting));
  Fixture f;
  fixture = &f;

  Variant *variants[] = {&f.where, &f.from, &f.native};
  for (Variant *v : variants) {
    if (!ready(*v))
      return 1;
    benchmark::RegisterBenchmark(("BM_GenerateSQL/" + v->name).c_str(), BM_GenerateSQL, v)
        ->Unit(benchmark::kMillisecond);
    benchmark::RegisterBenchmark(("BM_SqlitePrepare/" + v->name).c_str(), BM_SqlitePrepare, v)
        ->Unit(benchmark::kMillisecond);
  }
  RatioReporter reporter;
  benchmark::RunSpecifiedBenchmarks(&reporter);
  for (const Variant *v : variants) {
    const double sqlite = reporter.times["BM_SqlitePrepare/" + v->name];
    if (sqlite > 0)
      std::printf("%s: GenerateSQL / SQLite prepare: %.2fx\n", v->name.c_str(),
                  reporter.times["BM_GenerateSQL/" + v->name] / sqlite);
  }
  if (messages->count > 0)
    std::fprintf(stderr, "%d messages during the runs, last: %s\n", messages->count,
                 qPrintable(messages->last));
  return 0;
}
