// SPDX-License-Identifier: MIT
// SQL into the design: the generator's own statements in every dialect read back into a
// design that writes them again unchanged (under the native dialects the same design where
// the text determines it), the filter cells of each form of condition, and the refusals
// with their line and column.

#include "engine/designfromsql.h"
#include "model/displayformat.h"
#include "model/quoting.h"
#include "model/sqldates.h"
#include "model/storedform.h"
#include "querymatrix.h"
#include "support/samplefiles.h"

#include <QLocale>
#include <QTest>

using namespace Qt::StringLiterals;

namespace {

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
  // MySQL's CONCAT is read back as CONCAT, not as the || it was written from.
  static const QStringList rewritten{u"text like"_s, u"today"_s, u"space"_s, u"parameter"_s,
                                     u"text joined"_s};
  return std::none_of(drawnElse.cbegin(), drawnElse.cend(),
                      [&](const QString &word) { return shape.contains(word); }) &&
         std::none_of(rewritten.cbegin(), rewritten.cend(),
                      [&](const QString &word) { return shape.endsWith(word); });
}

// The design's tables, then its values as table.field (or the expression), in position order.
QString designSummary(const TzelQuery &query) {
  QStringList tables, values;
  for (int t = 0; t < query.TableCount(); ++t)
    if (!query.GetTable(t)->Deleted())
      tables << query.GetTable(t)->TableAlias();
  QList<const TzelQueryValue *> live;
  for (int v = 0; v < query.ValueCount(); ++v)
    if (!query.GetValue(v)->Deleted())
      live << query.GetValue(v);
  std::sort(live.begin(), live.end(), [](const TzelQueryValue *a, const TzelQueryValue *b) {
    return a->Position() < b->Position();
  });
  for (const TzelQueryValue *v : live)
    values << (v->TableAlias().isEmpty() ? v->Expression()
                                         : v->TableAlias() + u'.' + v->Expression());
  return tables.join(u", "_s) + u": "_s + values.join(u", "_s);
}

QString repeated(const QString &text, int times) {
  return text.repeated(times);
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
    const QString sql = matrix::generated(*source.query, *model);
    if (sql.startsWith(u"ERROR"))
      QSKIP("the generator refuses this shape in this dialect");
    matrix::Holder read(model.get());
    const TzelSqlDesignResult result = zelDesignFromSql(sql, *model, dialect, *read.query);
    QVERIFY2(result.ok, qPrintable(result.message + u"\n"_s + sql));
    QCOMPARE(matrix::generated(*read.query, *model), sql);
    // The native dialects write every alias and join as the design holds it.
    if (IsNativeDialect(dialect) && textDetermines(name))
      QCOMPARE(StoredFormWriter().write(*read.query), StoredFormWriter().write(*source.query));
  }

  // Statements read as their engine reads them, written again in the generator's form.
  void writtenAgain_data() {
    QTest::addColumn<int>("type");
    QTest::addColumn<QString>("sql");
    QTest::addColumn<QString>("part"); // a part of the statement generated from the design
    auto row = [](const char *name, TzelDatabase type, const char *sql, const char *part) {
      QTest::newRow(name) << int(type) << QString::fromUtf8(sql) << QString::fromUtf8(part);
    };
    row("SQLite double-quoted text", zelSQLite, "select id from t1 where name != \"NE\"",
        "(T1.name <> 'NE')");
    row("SQLite double-quoted pattern", zelSQLite, "select id from t1 where name like \"19%\"",
        "(T1.name LIKE '19%')");
    row("SQLite double-quoted column", zelSQLite, "select \"name\" from t1", "SELECT T1.name");
    row("SQLite double-quoted text in a value", zelSQLite, "select name || \"!\" from t1",
        "T1.name || '!'");
    row("SQLite single-quoted alias", zelSQLite, "select count(*) as 'Orders' from t1",
        "COUNT(*) AS Orders");
    row("SQLite ==", zelSQLite, "select id from t1 where qty == 3", "(T1.qty = 3)");
    row("aggregate in a value", zelSQLite, "select round(avg(qty), 1) as m from t1",
        "round(AVG(T1.qty), 1) AS m");
    row("aggregate in a value filtered", zelPostgreSQL,
        "select active, sum(qty) * 2 as n from t1 group by active having sum(qty) * 2 > 4",
        "GROUP BY \"T1\".\"active\"\n  HAVING (((SUM(\"T1\".qty) * 2 > 4)))");
  }
  void writtenAgain() {
    QFETCH(int, type);
    QFETCH(QString, sql);
    QFETCH(QString, part);
    auto model = matrix::makeModel(TzelDatabase(type));
    matrix::Holder holder(model.get());
    const TzelSqlDesignResult result =
        zelDesignFromSql(sql, *model, TzelDatabase(type), *holder.query);
    QVERIFY2(result.ok, qPrintable(result.message));
    const QString generated = matrix::generated(*holder.query, *model);
    QVERIFY2(generated.contains(part), qPrintable(generated));
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
    row("Boolean alone", "active", "Active", 1, zelFilterEqual, "TRUE|");
    row("Boolean alone negated", "not active", "Active", 1, zelFilterNotEqual, "TRUE|");
    row("ilike", "name ilike 'A%'", "Expression", 1, zelFilterLike, "a%|");
    row("expression for a value", "added > date('now', '-1 day')", "Expression", 1, zelFilterGT,
        "date('now', '-1 day')|");
    row("expression for a number", "qty between abs(-2) and 2 * 3", "Count", 1, zelFilterBetween,
        "abs(-2)|2 * 3|");
    row("collation", "name = 'acme' collate nocase", "Expression", 1, zelFilterEqual,
        "'acme' collate nocase|");
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
  // Each engine's way of asking for the first records sets the design's top values.
  void topValues_data() {
    QTest::addColumn<TzelDatabase>("dialect");
    QTest::addColumn<QString>("sql");
    QTest::addColumn<QString>("top"); // count, percent, offset; or the refusal
    const QString order = u"select id from t1 order by id "_s;
    QTest::newRow("limit") << zelSQLite << order + u"limit 5"_s << u"5 0 0"_s;
    QTest::newRow("limit offset") << zelSQLite << order + u"LIMIT 5 OFFSET 2;"_s << u"5 0 2"_s;
    QTest::newRow("offset before limit")
        << zelPostgreSQL << order + u"offset 2 limit 5"_s << u"5 0 2"_s;
    QTest::newRow("limit all") << zelPostgreSQL << order + u"limit all"_s << u"0 0 0"_s;
    QTest::newRow("MySQL's offset, count") << zelMySQL << order + u"limit 2, 5"_s << u"5 0 2"_s;
    QTest::newRow("fetch next") << zelOracle << order + u"offset 2 rows fetch next 5 rows only"_s
                                << u"5 0 2"_s;
    QTest::newRow("fetch percent")
        << zelOracle << order + u"fetch first 10 percent rows only"_s << u"10 1 0"_s;
    QTest::newRow("top") << zelMSSQL << u"select top 5 id from t1"_s << u"5 0 0"_s;
    QTest::newRow("distinct top percent")
        << zelAccess << u"select distinct top 10 percent id from t1"_s << u"10 1 0"_s;
    QTest::newRow("first skip") << zelInterBase << u"select first 5 skip 2 id from t1"_s
                                << u"5 0 2"_s;
    QTest::newRow("rows") << zelInterBase << u"select id from t1 rows 4"_s << u"4 0 0"_s;
    QTest::newRow("rows to") << zelInterBase << order + u"rows 3 to 7"_s << u"5 0 2"_s;
    QTest::newRow("a column named first") << zelSQLite << u"select first from t1"_s << u"0 0 0"_s;
    QTest::newRow("no form in the dialect")
        << zelParadox << order + u"\n limit 5"_s
        << u"Error: Line 2, column 2: LIMIT cannot be written in the Paradox dialect"_s;
    QTest::newRow("no percentage in the dialect")
        << zelPostgreSQL << order + u"fetch first 5 percent rows only"_s
        << u"Error: Line 1, column 31: a percentage of records cannot be written in the PostgreSQL "
           "dialect"_s;
  }
  void topValues() {
    QFETCH(TzelDatabase, dialect);
    QFETCH(QString, sql);
    QFETCH(QString, top);
    auto model = matrix::makeModel(dialect);
    if (sql.contains(u"first from"))
      model->GetTable(1)->AddField(u"first"_s, u"first"_s, ftString, 0);
    matrix::Holder holder(model.get());
    const TzelSqlDesignResult result = zelDesignFromSql(sql, *model, dialect, *holder.query);
    if (top.startsWith(u"Error: ")) {
      QCOMPARE(result.message, top);
      return;
    }
    QVERIFY2(result.ok, qPrintable(result.message));
    const TzelQuery &q = *holder.query;
    QCOMPARE(u"%1 %2 %3"_s.arg(q.TopValues()).arg(int(q.TopPercent())).arg(q.TopOffset()), top);
  }

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
    row("limit by a parameter", u"select id from t1\n order by id limit :n"_s, 2, 20,
        u"a number of records other than a whole number"_s + shown);
    row("fetch with ties", u"select id from t1 order by id fetch first 2 rows with ties"_s, 1, 50,
        u"WITH TIES"_s + shown);
    row("distinct on", u"select distinct on (name) id from t1"_s, 1, 17, u"DISTINCT ON"_s + shown);
    row("rollup", u"select active, count(*) from t1 group by rollup(active)"_s, 1, 42,
        u"GROUP BY ROLLUP"_s + shown);
    row("condition on two values", u"select id from t1 where qty > hub"_s, 1, 25,
        u"a condition that is not on one value"_s + shown);
    row("a value beside an aggregate", u"select active, sum(qty) from t1"_s, 1, 8,
        u"a value beside an aggregate without GROUP BY"_s + shown);
    row("a value beside an aggregate in ORDER BY", u"select active from t1 order by sum(qty)"_s, 1,
        8, u"a value beside an aggregate without GROUP BY"_s + shown);
    row("a value neither grouped nor aggregated",
        u"select active, qty from t1 group by active having sum(qty) > 3"_s, 1, 16,
        u"a value neither grouped nor aggregated"_s + shown);
    row("an aggregate in WHERE", u"select id from t1 where round(sum(qty)) > 2"_s, 1, 25,
        u"an aggregate in WHERE"_s + shown);
    row("grouping by a value not shown without an aggregate",
        u"select name\n  from t1 group by name, qty"_s, 2, 26,
        u"a GROUP BY on [qty], a value the statement does not show, without an aggregate value"_s +
            shown + u": without one, a design groups only as DISTINCT over the values it shows"_s);
    row("a value neither grouped nor aggregated, without an aggregate",
        u"select name, qty from t1 group by name"_s, 1, 14,
        u"a value neither grouped nor aggregated"_s + shown);
    row("lone CR line ends", u"select id\rfrom t1\r\n  union select id from t2"_s, 3, 3,
        u"a UNION"_s + shown);
    row("a letter outside the basic plane", u"select id from t1 where id = 1 \U0001D4B3"_s, 1, 32,
        u"the statement should end before [\U0001D4B3]"_s);
    row("a symbol outside the basic plane", u"select id from t1 where id = \U0001F600"_s, 1, 30,
        u"an expression expected at [\U0001F600]"_s);
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

  // Tables named as the program shows them: by the name they are stored under, with no alias
  // (as the SQL tab writes it), or by the model's alias, read as that table under the model's
  // alias. A name both stored and the model's alias of another table is the stored one.
  void modelNames_data() {
    QTest::addColumn<QString>("sql");
    QTest::addColumn<QString>("ordersAlias"); // given to the Orders table first, when not empty
    QTest::addColumn<QString>("expected");    // the design, or the refusal
    const QString customers = u"\":PELLOX:T0490.DB\""_s, orders = u"\":PELLOX:T0491.DB\""_s;
    QTest::newRow("stored name, one table") << u"SELECT %1.CST_CO FROM %1"_s.arg(customers)
                                            << QString() << u"Customers: Customers.Company"_s;
    QTest::newRow("stored names joined")
        << u"SELECT %1.CST_CO, %2.SL_DT\n  FROM %1\n INNER JOIN %2 ON %1.CST_NO = %2.CST_NO"_s.arg(
               customers, orders)
        << QString() << u"Customers, Orders: Customers.Company, Orders.SaleDate"_s;
    QTest::newRow("model's names")
        << u"SELECT Customers.Company, Customers.State FROM Customers\n"
           u" WHERE Customers.State = 'WA'"_s
        << QString() << u"Customers: Customers.Company, Customers.State"_s;
    QTest::newRow("model's names joined")
        << u"SELECT Company, SaleDate FROM Customers JOIN Orders\n"
           u"  ON Customers.CustNo = Orders.CustNo"_s
        << QString() << u"Customers, Orders: Customers.Company, Orders.SaleDate"_s;
    QTest::newRow("the model's alias written for another table")
        << u"SELECT Orders.Company FROM %1 Orders JOIN %2 ON Orders.CST_NO = %2.CST_NO"_s.arg(
               customers, orders)
        << QString() << u"Orders, Orders_1: Orders.Company"_s;
    QTest::newRow("one table twice without an alias")
        << u"SELECT Company FROM Customers JOIN Customers ON Company = State"_s << QString()
        << u"Error: Line 1, column 36: the table [Customers] stands twice without an alias"_s;
    QTest::newRow("stored name over the model's alias")
        << u"SELECT Company FROM \"T0490.DB\""_s << u"T0490.DB"_s
        << u"Customers: Customers.Company"_s;
    QTest::newRow("the refusal says which was read")
        << u"SELECT SaleDate FROM \"T0490.DB\""_s << u"T0490.DB"_s
        << u"Error: Line 1, column 8: the column [SaleDate] is not in the data model ([T0490.DB] "
           u"is read as the table stored under that name (Customers), not as the table the data "
           u"model calls T0490.DB)"_s;
  }
  void modelNames() {
    QFETCH(QString, sql);
    QFETCH(QString, ordersAlias);
    QFETCH(QString, expected);
    useSampleData();
    const std::unique_ptr<TzelModel> model = readSampleModel();
    QVERIFY(model);
    if (!ordersAlias.isEmpty())
      QVERIFY(model->RenameTableAlias(model->IndexOfTableAlias(u"Orders"_s), ordersAlias));
    matrix::Holder holder(model.get());
    const TzelSqlDesignResult result =
        zelDesignFromSql(sql, *model, model->DatabaseType(), *holder.query);
    QCOMPARE(result.ok ? designSummary(*holder.query) : result.message, expected);
    if (result.ok)
      QVERIFY2(!matrix::generated(*holder.query, *model).startsWith(u"ERROR"),
               qPrintable(matrix::generated(*holder.query, *model)));
  }

  // Nesting far past any design, in each place it can stand, is refused where it goes too deep
  // rather than running the stack out; nesting short of the bound is read.
  void nesting_data() {
    QTest::addColumn<QString>("sql");
    QTest::addColumn<QString>("refusal"); // empty: read
    const int deep = 20000, allowed = 450;
    const QString tooDeep = u"nesting deeper than 500 levels cannot be shown in the design"_s;
    auto nested = [](const QString &open, const QString &inner, const QString &close, int n) {
      return repeated(open, n) + inner + repeated(close, n);
    };
    QTest::newRow("parentheses") << u"select id from t1 where "_s +
                                        nested(u"("_s, u"qty = 1"_s, u")"_s, deep)
                                 << tooDeep;
    QTest::newRow("not") << u"select id from t1 where "_s + repeated(u"not "_s, deep) + u"qty = 1"_s
                         << tooDeep;
    QTest::newRow("minus") << u"select "_s + repeated(u"- "_s, deep) + u"qty from t1"_s << tooDeep;
    QTest::newRow("functions") << u"select "_s + nested(u"abs("_s, u"qty"_s, u")"_s, deep) +
                                      u" from t1"_s
                               << tooDeep;
    QTest::newRow("case") << u"select "_s +
                                 nested(u"case when qty = 1 then "_s, u"1"_s, u" end"_s, deep) +
                                 u" from t1"_s
                          << tooDeep;
    QTest::newRow("from") << u"select id from "_s + nested(u"("_s, u"t1"_s, u")"_s, deep)
                          << tooDeep;
    QTest::newRow("in") << u"select id from t1 where qty in ("_s +
                               nested(u"("_s, u"1"_s, u")"_s, deep) + u")"_s
                        << tooDeep;
    QTest::newRow("between") << u"select id from t1 where qty between "_s +
                                    nested(u"("_s, u"1"_s, u")"_s, deep) + u" and 2"_s
                             << tooDeep;
    QString joins = u"select a0.id from t1 a0"_s;
    for (int i = 1; i < deep; ++i)
      joins += u" join t1 a%1 on a%2.id = a%1.id"_s.arg(i).arg(i - 1);
    QTest::newRow("joins") << joins << u"more than 500 joins cannot be shown in the design"_s;
    QTest::newRow("parentheses within the bound")
        << u"select id from t1 where "_s + nested(u"("_s, u"qty = 1"_s, u")"_s, allowed)
        << QString();
    QTest::newRow("functions within the bound")
        << u"select "_s + nested(u"abs("_s, u"qty"_s, u")"_s, allowed) + u" from t1"_s << QString();
    QTest::newRow("from within the bound")
        << u"select id from "_s + nested(u"("_s, u"t1"_s, u")"_s, allowed) << QString();
  }
  void nesting() {
    QFETCH(QString, sql);
    QFETCH(QString, refusal);
    auto model = matrix::makeModel(zelSQLite);
    matrix::Holder holder(model.get());
    const TzelSqlDesignResult result = zelDesignFromSql(sql, *model, zelSQLite, *holder.query);
    if (refusal.isEmpty()) {
      QVERIFY2(result.ok, qPrintable(result.message));
      return;
    }
    QVERIFY(!result.ok);
    QCOMPARE(result.message.mid(result.message.indexOf(u": "_s, 7) + 2), refusal);
    // Where the bound is passed: on the first line, past the first five hundred characters.
    QCOMPARE(result.line, 1);
    QVERIFY2(result.column > 500 && result.column < sql.size(), qPrintable(result.message));
  }

  // A HAVING condition read in one dialect and written in the model's: the literal, written as
  // the reading dialect writes the date, is written again as the model's dialect writes it.
  void havingAcrossDialects_data() {
    QTest::addColumn<int>("reading");
    QTest::addColumn<int>("type");
    for (TzelDatabase reading :
         {zelSQLite, zelPostgreSQL, zelMSSQL, zelAccess, zelOracle, zelParadox})
      for (TzelDatabase type : {zelSQLite, zelPostgreSQL, zelMSSQL, zelAccess, zelOracle})
        QTest::addRow("%s into %s", qPrintable(enumName(reading).mid(3)),
                      qPrintable(enumName(type).mid(3)))
            << int(reading) << int(type);
  }
  void havingAcrossDialects() {
    QFETCH(int, reading);
    QFETCH(int, type);
    auto dateLiteral = [](TzelDatabase dialect) {
      TzelModel settings;
      settings.SetDatabaseType(dialect);
      return ApplyDateQuote(TzelDisplayFormatter().date(settings.DateFormat(), QDate(2025, 6, 1)),
                            settings.DateQuote());
    };
    auto model = matrix::makeModel(TzelDatabase(type));
    matrix::Holder holder(model.get());
    const QString sql = u"select name, max(added) from t1 group by name having max(added) >= "_s +
                        dateLiteral(TzelDatabase(reading));
    const TzelSqlDesignResult result =
        zelDesignFromSql(sql, *model, TzelDatabase(reading), *holder.query);
    QVERIFY2(result.ok, qPrintable(result.message));
    const QString generated = matrix::generated(*holder.query, *model);
    QVERIFY2(generated.contains(u">= "_s + dateLiteral(TzelDatabase(type))), qPrintable(generated));
  }

  // Many values of one name take Name, Name_1, ... in order, as one does.
  void manyValues_data() {
    QTest::addColumn<QString>("sql");
    QTest::addColumn<int>("count");
    QTest::addColumn<QString>("last");
    QTest::newRow("one column") << u"select "_s + repeated(u"name, "_s, 2999) + u"name from t1"_s
                                << 3000 << u"name_2999"_s;
    QTest::newRow("stars") << u"select "_s + repeated(u"*, "_s, 299) + u"* from t1"_s << 2700
                           << u"limit_299"_s;
    QTest::newRow("filters on one column")
        << u"select id from t1 where "_s + repeated(u"qty > :p and "_s, 2999) + u"qty > :p"_s
        << 3001 << u"Count_2999"_s;
  }
  void manyValues() {
    QFETCH(QString, sql);
    QFETCH(int, count);
    QFETCH(QString, last);
    auto model = matrix::makeModel(zelSQLite);
    matrix::Holder holder(model.get());
    const TzelSqlDesignResult result = zelDesignFromSql(sql, *model, zelSQLite, *holder.query);
    QVERIFY2(result.ok, qPrintable(result.message));
    QCOMPARE(holder.query->ValueCount(), count);
    QCOMPARE(holder.query->GetValue(count - 1)->ValueAlias(), last);
  }
};

QTEST_GUILESS_MAIN(TstDesignFromSql)
#include "tst_designfromsql.moc"
