// SQL into the design: the generator's own statements in every dialect read back into a
// design that writes them again unchanged (under the native dialects the same design where
// the text determines it), the filter cells of each form of condition, and the refusals
// with their line and column.

#include "engine/designfromsql.h"
#include "model/quoting.h"
#include "model/storedform.h"
#include "querymatrix.h"

#include <QLocale>
#include <QTest>

using namespace Qt::StringLiterals;

namespace {

QString generateFrom(TzelQuery &query, TzelModel &model) {
  RecordingMessages rec;
  TzelSqlGenerator generator(query, model);
  generator.SetToday(matrix::today());
  QStringList sql, params;
  matrix::QuietHost host;
  if (!generator.GenerateSQL(sql, params, host))
    return u"ERROR: "_s + rec.texts().join(u" / "_s);
  return sql.join(u'\n');
}

const matrix::Shape &shapeNamed(const QString &name) {
  static const QList<matrix::Shape> shapes = matrix::shapes();
  for (const matrix::Shape &s : shapes)
    if (s.name == name)
      return s;
  return shapes.first();
}

// Whether the statement determines the design: not where the joins were drawn in another
// order than they are written, nor where generation rewrites the filter items (wildcards
// added to LIKE, TODAY, SPACE and parameters written as their values).
bool textDetermines(const QString &shape) {
  static const QStringList drawnElse{u"reversed"_s, u"interleaved"_s, u"out of order"_s,
                                     u"backwards"_s, u"chain and star"_s};
  static const QStringList rewritten{u"text like"_s, u"today"_s, u"space"_s, u"parameter"_s};
  return std::none_of(drawnElse.cbegin(), drawnElse.cend(),
                      [&](const QString &word) { return shape.contains(word); }) &&
         std::none_of(rewritten.cbegin(), rewritten.cend(),
                      [&](const QString &word) { return shape.endsWith(word); });
}

} // namespace

class TstDesignFromSql : public QObject {
  Q_OBJECT

private slots:
  void initTestCase() { QLocale::setDefault(QLocale::c()); }

  void roundTrip_data() { matrix::addDialectShapeRows(); }
  // Generate, read back, generate again: the same text.
  void roundTrip() {
    QFETCH(int, type);
    QFETCH(QString, name);
    const auto dialect = TzelDatabase(type);
    auto model = matrix::makeModel(dialect);
    matrix::Holder source(model.get());
    shapeNamed(name).fill(*source.query, *model);
    const QString sql = generateFrom(*source.query, *model);
    if (sql.startsWith(u"ERROR"))
      QSKIP("the generator refuses this shape in this dialect");
    matrix::Holder read(model.get());
    const TzelSqlDesignResult result = zelDesignFromSql(sql, *model, dialect, *read.query);
    QVERIFY2(result.ok, qPrintable(result.message + u"\n"_s + sql));
    QCOMPARE(generateFrom(*read.query, *model), sql);
    // The native dialects write every alias and join as the design holds it.
    if (IsNativeDialect(dialect) && textDetermines(name))
      QCOMPARE(StoredFormWriter().write(*read.query), StoredFormWriter().write(*source.query));
  }

  // What the value editor would have written, read from each form of condition.
  void cells_data() {
    QTest::addColumn<QString>("where");
    QTest::addColumn<QString>("value"); // the alias of the value holding the cell
    QTest::addColumn<int>("row");
    QTest::addColumn<int>("oper");
    QTest::addColumn<QString>("filter");
    auto row = [](const char *name, const char *where, const char *value, int filterRow,
                  TzelFilterOper oper, const char *filter) {
      QTest::newRow(name) << QString::fromUtf8(where) << QString::fromUtf8(value) << filterRow
                          << int(oper) << QString::fromUtf8(filter);
    };
    row("named parameter", "name = :Vendor", "Name", 1, zelFilterEqual, "[Vendor]|");
    row("numbered parameter", "qty >= ?", "Count", 1, zelFilterGE, "[Param1]|");
    row("list and blank", "name IN ('A', 'B') OR name IS NULL", "Name", 1, zelFilterEqual,
        "A|B|BLANK|");
    row("not blank", "added IS NOT NULL", "Date", 1, zelFilterNotEqual, "BLANK|");
    row("like", "name like '%ear%'", "Name", 1, zelFilterLike, "%ear%|");
    row("date", "added between '1998-01-15' and '2000-12-31'", "Date", 1, zelFilterBetween,
        "1/15/1998|12/31/2000|");
    row("typed date", "added >= date '1999-03-01'", "Date", 1, zelFilterGE, "3/1/1999|");
    row("cast date", "added < '2000-01-01'::date", "Date", 1, zelFilterLT, "1/1/2000|");
    row("literal first", "5 < qty", "Count", 1, zelFilterGT, "5|");
    row("negated", "not (qty <= 5 or qty is null)", "Count", 1, zelFilterGT, "5|");
    row("second branch", "qty = 1 or name = 'A'", "Name", 2, zelFilterEqual, "A|");
    row("two cells on one column", "qty > 2 and qty < 9", "Count_1", 1, zelFilterLT, "9|");
  }
  void cells() {
    QFETCH(QString, where);
    QFETCH(QString, value);
    QFETCH(int, row);
    QFETCH(int, oper);
    QFETCH(QString, filter);
    auto model = matrix::makeModel(zelSQLite);
    matrix::Holder holder(model.get());
    const QString sql = u"select id from t1 where "_s + where;
    const TzelSqlDesignResult result = zelDesignFromSql(sql, *model, zelSQLite, *holder.query);
    QVERIFY2(result.ok, qPrintable(result.message));
    const int index = holder.query->IndexOfValueAlias(value);
    QVERIFY(index >= 0);
    const TzelQueryValue *v = holder.query->GetValue(index);
    QCOMPARE(v->Show(), zelHide);
    const TzelQueryFilter *cell = nullptr;
    for (int f = 0; f < v->FilterCount(); ++f)
      if (v->GetFilter(f)->Position() == row)
        cell = v->GetFilter(f);
    QVERIFY(cell);
    QCOMPARE(int(cell->Operator()), oper);
    QCOMPARE(cell->Filter(), filter);
  }

  // Each construct no design holds: its message, where it stands, and the design unchanged.
  void refusals_data() {
    QTest::addColumn<QString>("sql");
    QTest::addColumn<QString>("message");
    const QString shown = u" cannot be shown in the design"_s;
    auto row = [&](const char *name, const QString &sql, int line, int column,
                   const QString &what) {
      QTest::newRow(name) << sql
                          << u"Error: Line %1, column %2: %3"_s.arg(line).arg(column).arg(what);
    };
    row("union", u"select id from t1\nunion select id from t2"_s, 2, 1, u"a UNION"_s + shown);
    row("intersect", u"select id from t1 intersect select id from t2"_s, 1, 19,
        u"an INTERSECT"_s + shown);
    row("except", u"select id from t1\n  except select id from t2"_s, 2, 3, u"an EXCEPT"_s + shown);
    row("subquery in where", u"select id\n  from t1\n where id in (select id from t2)"_s, 3, 15,
        u"a subquery"_s + shown);
    row("subquery in from", u"select x.id from (select id from t1) x"_s, 1, 19,
        u"a subquery"_s + shown);
    row("exists", u"select id from t1 where exists (select 1 from t2)"_s, 1, 25,
        u"a subquery"_s + shown);
    row("with", u"with x as (select id from t1) select id from x"_s, 1, 1,
        u"a WITH clause"_s + shown);
    row("window function", u"select id,\n       rank() over (order by qty) from t1"_s, 2, 15,
        u"a window function"_s + shown);
    row("join on a comparison", u"select a.id from t0 a join t1 b\n  on a.nxt > b.id"_s, 2, 6,
        u"a join condition other than an equality"_s + shown);
    row("join on an or", u"select a.id from t0 a join t1 b on a.nxt = b.id or a.hub = b.hub"_s, 1,
        36, u"an OR in a join condition"_s + shown);
    row("full join", u"select a.id from t0 a full join t1 b on a.nxt = b.id"_s, 1, 23,
        u"a FULL JOIN"_s + shown);
    row("cross join", u"select a.id from t0 a cross join t1 b"_s, 1, 23, u"a CROSS JOIN"_s + shown);
    row("table not joined", u"select a.id from t0 a, t1 b"_s, 1, 24,
        u"a table joined to no other"_s + shown);
    row("unknown table", u"select id\n  from nothere"_s, 2, 8,
        u"the table [nothere] is not in the data model"_s);
    row("unknown column", u"select id, nope from t1"_s, 1, 12,
        u"the column [nope] is not in the data model"_s);
    row("limit", u"select id from t1\n order by id limit 5"_s, 2, 14, u"LIMIT"_s + shown);
    row("offset", u"select id from t1 offset 2"_s, 1, 19, u"OFFSET"_s + shown);
    row("distinct on", u"select distinct on (name) id from t1"_s, 1, 17, u"DISTINCT ON"_s + shown);
    row("rollup", u"select active, count(*) from t1 group by rollup(active)"_s, 1, 42,
        u"GROUP BY ROLLUP"_s + shown);
    row("condition on two values", u"select id from t1 where qty > hub"_s, 1, 25,
        u"a condition that is not on one value"_s + shown);
  }
  void refusals() {
    QFETCH(QString, sql);
    QFETCH(QString, message);
    auto model = matrix::makeModel(zelSQLite);
    matrix::Holder holder(model.get());
    shapeNamed(u"filter rows on two tables"_s).fill(*holder.query, *model);
    const QString before = StoredFormWriter().write(*holder.query);
    const TzelSqlDesignResult result = zelDesignFromSql(sql, *model, zelSQLite, *holder.query);
    QVERIFY(!result.ok);
    QCOMPARE(result.message, message);
    QCOMPARE(u"Error: Line %1, column %2: "_s.arg(result.line).arg(result.column),
             message.left(message.indexOf(u": "_s, 7) + 2));
    QCOMPARE(StoredFormWriter().write(*holder.query), before);
    QCOMPARE(result.missingTable,
             QTest::currentDataTag() == QByteArray("unknown table") ? u"nothere"_s : QString());
  }
};

QTEST_GUILESS_MAIN(TstDesignFromSql)
#include "tst_designfromsql.moc"
