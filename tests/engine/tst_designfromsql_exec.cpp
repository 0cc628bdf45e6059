// SPDX-License-Identifier: MIT
// Statements written by hand over the matrix tables, in the styles people write them, each
// opened as a design, generated again and run: the rows equal the hand-written statement's,
// on SQLite and (when ZEL_PG_HOST, ZEL_PG_PORT, ZEL_PG_USER and ZEL_PG_DATABASE name a
// server) on PostgreSQL. The matrix's own hand-written statements are read the same way.

#include "engine/designfromsql.h"
#include "querymatrix.h"
#include "support/sqlexec.h"
#include "support/testservers.h"

#include <QLocale>
#include <QSqlDatabase>
#include <QSqlError>
#include <QSqlQuery>
#include <QSqlRecord>
#include <QTest>

using namespace Qt::StringLiterals;

namespace {

const QString kLite = u"design-sqlite"_s;
const QString kPg = u"design-postgres"_s;

const QStringList &handWritten() {
  static const QStringList list{
      u"select name, qty from t1"_s,
      u"select * from t2"_s,
      u"select o.* from \"order\" o"_s,
      u"select a.name, b.name from t0 a, t1 b where a.nxt = b.id"_s,
      u"select a.name, b.qty from t0 a, t1 b, t2 c\n where a.nxt = b.id and b.nxt = c.id\n"
      "   and c.qty > 2"_s,
      u"select count(*) from t1"_s,
      u"select active, count(*) from t1 group by active"_s,
      u"select active, count(*) as n from t2 group by active having count(*) > 1"_s,
      u"select name, qty from t1 order by 2 desc, 1"_s,
      u"-- named rows only\nselect id from t1 where name is not null"_s,
      u"select id /* the key */ from t1 where name like 'A%'"_s,
      u"select id from t1 where name in ('Acme', 'Zeus') or name is null"_s,
      u"select id from t1 where qty between 2 and 6 and active = true"_s,
      u"select id from t1 where not (qty > 5)"_s,
      u"select id from t1 where qty <> 4 and qty <> 7"_s,
      u"select id from t1 where added >= '1999-03-01'"_s,
      u"select id from t1\nwhere added between '1998-01-01' and '2000-12-31'\n   or added is null"_s,
      u"select distinct active from t1"_s,
      u"select a.id, b.id from t0 a left join t1 b on a.nxt = b.id"_s,
      u"select a.id, b.id from t0 a left outer join t1 b on b.id = a.nxt"_s,
      u"select a.id, b.id from t1 b right join t0 a on a.nxt = b.id"_s,
      u"select m.name, sum(s.qty) from t0 m inner join t1 s on m.nxt = s.id group by m.name"_s,
      u"select m.name, max(s.added) as last from t0 m join t1 s on m.nxt = s.id\n"
      "group by m.name order by m.name"_s,
      u"select active, avg(qty), min(\"unit price\") from \"order\" group by active"_s,
      u"select sum(qty * 2) from t1"_s,
      u"select qty * 2 as double_qty from t1 where qty * 2 > 4"_s,
      u"select name from t1 where name > 'M' order by name desc"_s,
      u"select x.name, y.name from t0 x join t1 y on x.nxt = y.id join t2 z on y.nxt = z.id\n"
      " where z.active = false"_s,
      u"select a.id, b.id from t1 a join t1 b on a.nxt = b.id"_s,
      u"select a.name, b.qty, c.qty from t0 a join t1 b on a.id = b.hub join t2 c on a.id = c.hub"_s,
      u"select a.name from t0 a, t1 b, t2 c where a.nxt = b.id and b.nxt = c.id and c.hub = a.id"_s,
      u"select id, \"limit\" from t4 where \"limit\" <= 97"_s,
      u"SELECT Name, Qty FROM T1 WHERE Qty >= 3 ORDER BY Qty, Name"_s,
      u"select id from t1 where (name = 'Acme' and qty > 2) or (active = false)"_s,
      u"select id from t1 where name = 'O''Brien'"_s,
      u"select id from t1 where name not like '%e%'"_s,
      u"select id from t1 where name not in ('Acme', 'Zeus')"_s,
      u"select id from t1 where qty not between 2 and 6"_s,
      u"select active, count(id) from \"offset\" group by active\n"
      "having count(id) >= 1 and sum(qty) > 3"_s,
      u"select a.active, count(*) from t0 a join t1 b on a.nxt = b.id\n"
      "group by a.active order by 2 desc"_s,
      u"select name from t1 group by name"_s,
      u"select active from t1 group by active order by sum(qty) desc, active"_s,
      u"select t.name as \"Vendor Name\" from t2 as t"_s,
      u"select id from t1 where id in (1, 2, 3)"_s,
      u"select id from t1 where qty > 2 and qty < 9"_s,
      u"select a.name, b.name from t0 a join t1 b on a.nxt = b.id and a.hub = b.hub"_s,
      u"SELECT a.name, b.name FROM t0 AS a LEFT JOIN (t1 AS b JOIN t2 AS c ON b.nxt = c.id)\n"
      "  ON a.nxt = b.id"_s,
      u"select count(distinct name) from t1"_s,
      u"select id, case when qty > 5 then 'big' else 'small' end as size from t1"_s,
      u"select coalesce(name, '-') as label from t1 order by label"_s,
      u"select name || '!' from t1"_s,
      u"select a.name, count(*) from t0 a join t1 b on a.nxt = b.id where b.active = true\n"
      "group by a.name having count(*) >= 1 order by count(*) desc, a.name"_s,
      // aggregates inside calculated values
      u"select o.active, round(avg(o.qty), 2) as mean from \"order\" o\n"
      "group by o.active"_s,
      u"select round(avg(qty), 1) from t1"_s,
      u"select m.name, sum(s.qty * s.id) from t0 m join t1 s on m.nxt = s.id group by m.name"_s,
      u"select active, count(distinct name) + 1 as kinds from t2 group by active"_s,
      u"select active, sum(qty) * 2 as twice from t1 group by active having sum(qty) * 2 > 4"_s,
      u"select active, max(qty) - min(qty) as spread from t1 group by active\n"
      "order by max(qty) - min(qty) desc"_s,
      u"select coalesce(sum(qty), 0) as total from t6"_s,
      // grouping without aggregates
      u"select name, qty from t1 group by qty, name"_s,
      u"select upper(name) as n from t1 group by upper(name)"_s,
      u"select qty % 3 as bucket from t2 group by 1 order by 1"_s,
      // more in the styles of course exercises
      u"select t.name, t.qty from t1 t where t.qty >= 3 order by t.qty desc, t.name"_s,
      u"select name from t2 where added between '1998-01-01' and '1999-12-31'"_s,
      u"select a.name, b.name as next_name from t0 a left join t1 b on b.id = a.nxt\n"
      "where b.id is null"_s,
      u"select name, qty * 2 + 1 as score from t1 where qty is not null order by score desc"_s,
      u"select upper(name) from t2 where lower(name) like '%o%'"_s,
      u"select name from t1 where length(name) > 4"_s,
      u"select active, min(added) as first_added, max(added) as last_added from t1\n"
      "group by active"_s,
      u"select m.name, count(s.id) as spokes\n  from t0 m left join t1 s on s.hub = m.id\n"
      " group by m.name\n order by spokes desc, m.name"_s,
      u"select id, name from t1 where name in ('Acme', 'Zeus', 'Gear box') order by id"_s,
      u"select id from t1 where qty > 3 or qty < 1"_s,
      u"select distinct a.name from t0 a, t1 b where a.id = b.hub and b.qty > 2"_s,
      u"select avg(\"unit price\") as mean_price from t2"_s,
      u"select active, sum(qty) as total from t1 where added > '1998-06-01'\n"
      "group by active having sum(qty) > 2 order by total desc"_s,
      u"select id, coalesce(qty, 0) as q from t1 order by q desc, id"_s,
      u"/* quantities of the orders */\nselect o.id, o.qty from \"order\" o\n"
      "where o.qty between 1 and 8 -- inclusive\norder by o.id"_s,
      u"select name from t1 where name is not null and name <> ' '"_s,
      u"select a.id, b.id, c.id from t0 a join t1 b on a.nxt = b.id\n"
      "left join t2 c on b.nxt = c.id"_s,
      u"select count(*) from t1 a join t2 b on a.hub = b.hub"_s,
      u"select name, count(*) as times from t0 group by name having count(*) > 1"_s,
      u"select round(avg(qty), 2) as mean, max(qty) - min(qty) as spread from t1"_s,
      u"select id, case when active then 'yes' else 'nope' end as flag from t1"_s,
      u"select id from t1 where id between 2 and 4 and name not like 'Z%'"_s,
      u"select t.id as \"Key\", t.name as \"Vendor\" from t2 t order by \"Key\""_s,
      u"select id from t1 where qty = (2 + 1)"_s,
      u"select name from t1 where added < date('2000-01-01')"_s,
      u"select id from t1 where cast(qty as varchar(5)) = '3'"_s,
      u"select id, \"limit\" - qty as room from t4 where \"limit\" - qty > 90"_s,
      u"select x.name from t0 x where x.hub is null or x.nxt is null"_s,
      u"select a.name, sum(b.qty) from t0 a, t1 b where a.id = b.hub group by a.name"_s,
      u"select id, name from t1 where name like '%e%' and qty >= 2 order by name"_s,
      u"select count(distinct active) from t2"_s,
      u"select max(added) from t1 where active = false"_s,
      u"select id, qty from t1 where qty in (3, 6, 9)"_s,
      u"select * from t1 where id = 2"_s,
      u"select t1.*, t2.name from t1 join t2 on t1.nxt = t2.id"_s,
      u"select abs(qty - 5) as dist from t1 order by dist, 1"_s,
      // the first records only
      u"select name from t1 order by id limit 3"_s,
      u"select id, qty from t2 order by qty desc, id limit 2 offset 1"_s,
      u"select active, count(*) as n from t1 group by active order by n desc, active limit 1"_s,
      u"select count(*) as n from t1 where active"_s,
      u"select id from t1 where not active"_s,
  };
  return list;
}

// Statements of the same styles that no design holds: refused with line and column.
const QStringList &refused() {
  static const QStringList list{
      u"select id from t1 where qty > (select avg(qty) from t1)"_s,
      u"select name from t1 union select name from t2"_s,
      u"with big as (select * from t1 where qty > 3) select name from big"_s,
      u"select id, row_number() over (order by qty) from t1"_s,
  };
  return list;
}

// Statements only one engine takes, in its own leniencies and functions.
const QStringList &sqliteOnly() {
  static const QStringList list{
      u"select id from t1 where name != \"Acme\""_s,
      u"select id, name from t1 where name like \"%e%\" or name == 'Zeus'"_s,
      u"select active, count(*) as 'Rows' from t1 group by active"_s,
      u"select name || \"!\" as shout from t1 where qty == 3"_s,
      u"select \"name\", \"qty\" from t1 where \"name\" <> \"Bolt Works\" order by \"qty\""_s,
      u"select id from t1 where added between datetime('1998-01-01 00:00:00')\n"
      "  and datetime('2000-01-01 00:00:00')"_s,
      u"select id from t1 where strftime('%Y', added) = '1999'"_s,
      u"select name from t1 order by name collate nocase"_s,
      u"select id from t1 where name = 'acme' collate nocase"_s,
      u"select id from t1 where date(added) >= date('1999-01-01')"_s,
      u"select count(*) as 'n' from t2 where active == 1"_s,
      u"select id from t1 where added > date('now', '-100 years')"_s,
      u"select substr(name, 1, 3) as short from t1 where name like \"B%\""_s,
      u"select id, ifnull(qty, 0) as q from t1"_s,
      u"select strftime('%Y', added) as yr, count(*) from t1 group by yr"_s,
      u"select id from t1 where cast(strftime('%m', added) as integer) > 6"_s,
  };
  return list;
}
const QStringList &postgresOnly() {
  static const QStringList list{
      u"select id from t1 where name ilike 'a%'"_s,
      u"select extract(year from added) as yr, count(*) from t1 group by extract(year from added)"_s,
      u"select id from t1 where qty::text = '3'"_s,
      u"select id, \"unit price\"::numeric(10, 2) as price from t2"_s,
      u"select name from t1 order by name collate \"C\""_s,
      u"select id from t1 where added < current_date"_s,
      u"select id from t1 where added between date '1998-01-01' and current_date - 1"_s,
      u"select id from t1 where extract(month from added) > 6"_s,
      u"select name from t1 where name not ilike '%works%'"_s,
      u"select id from t1 where cast(qty as numeric) / 2 > 1.5"_s,
      u"select date_trunc('year', added) as y, sum(qty) from t1 group by 1 order by 1"_s,
      u"select id from t1 where name = 'Acme' collate \"C\""_s,
      u"select id from t1 order by id offset 1 rows fetch first 2 rows only"_s,
  };
  return list;
}

// The statements, each with the matrix shape whose model settings it runs under (-1: none).
QList<std::pair<QString, int>> cases(bool postgres) {
  QList<std::pair<QString, int>> all;
  for (const QString &sql : handWritten() + (postgres ? postgresOnly() : sqliteOnly()))
    all.append({sql, -1});
  const QList<matrix::Shape> shapes = matrix::shapes();
  for (int i = 0; i < shapes.size(); ++i)
    all.append({shapes.at(i).hand, i});
  return all;
}

} // namespace

class TstDesignFromSqlExec : public QObject {
  Q_OBJECT
  bool postgres = false;

private slots:
  void initTestCase() {
    QLocale::setDefault(QLocale::c());
    QSqlDatabase lite = QSqlDatabase::addDatabase(u"QSQLITE"_s, kLite);
    lite.setDatabaseName(u":memory:"_s);
    QVERIFY2(lite.open(), qPrintable(lite.lastError().text()));
    QString error;
    QVERIFY2(execAll(lite, matrix::createStatements(false), error), qPrintable(error));
    if (qEnvironmentVariableIsEmpty("ZEL_PG_HOST"))
      return;
    QSqlDatabase pg = testServerConnection(kTestPostgres, kPg);
    QVERIFY2(pg.open(), qPrintable(pg.lastError().text()));
    const QStringList schema{u"DROP SCHEMA IF EXISTS designsql CASCADE"_s,
                             u"CREATE SCHEMA designsql"_s, u"SET search_path TO designsql"_s};
    QVERIFY2(execAll(pg, schema + matrix::createStatements(true), error), qPrintable(error));
    postgres = true;
  }

  void cleanupTestCase() {
    QString error;
    if (postgres)
      QVERIFY2(execAll(QSqlDatabase::database(kPg), {u"DROP SCHEMA designsql CASCADE"_s}, error),
               qPrintable(error));
  }

  void refusedWithPlace_data() {
    QTest::addColumn<QString>("sql");
    for (const QString &sql : refused())
      QTest::newRow(qPrintable(sql.left(60))) << sql;
  }
  void refusedWithPlace() {
    QFETCH(QString, sql);
    auto model = matrix::makeModel(zelSQLite);
    matrix::Holder holder(model.get());
    const TzelSqlDesignResult result = zelDesignFromSql(sql, *model, zelSQLite, *holder.query);
    QVERIFY(!result.ok);
    QVERIFY(result.line >= 1 && result.column >= 1);
    QVERIFY2(result.message.endsWith(u" cannot be shown in the design"_s),
             qPrintable(result.message));
  }

  // Firebird's AVG of a whole-number column is whole: the design read from an average writes
  // it over the values as doubles, and reads that back as the same average.
  void averageOnFirebird() {
    if (!testServerStarted(kTestFirebird))
      QSKIP("ZEL_FB_HOST is not set: no Firebird server to run on (scripts/test.sh starts one)");
    QSqlDatabase fb = testServerConnection(kTestFirebird, u"design-firebird"_s);
    QVERIFY2(fb.open(), qPrintable(fb.lastError().text()));
    QString error;
    QVERIFY2(execAll(fb,
                     {u"RECREATE TABLE designavg (n INTEGER)"_s,
                      u"INSERT INTO designavg VALUES (1)"_s, u"INSERT INTO designavg VALUES (2)"_s},
                     error),
             qPrintable(error));
    TzelDataModel model;
    model.SetDatabaseType(zelInterBase);
    model.GetTable(model.AddTable(u"TESTS"_s, u"DESIGNAVG"_s, u"Numbers"_s))
        ->AddField(u"N"_s, u"N"_s, ftInteger, 0);
    matrix::Holder holder(&model);
    QVERIFY(
        zelDesignFromSql(u"select avg(n) from designavg"_s, model, zelInterBase, *holder.query));
    const QString sql = matrix::generated(*holder.query, model);
    SqlRows rows;
    QVERIFY2(sqlRows(fb, sql, rows, error), qPrintable(error));
    QCOMPARE(rows, SqlRows{{u"1.5"_s}});
    matrix::Holder again(&model);
    QVERIFY(zelDesignFromSql(sql, model, zelInterBase, *again.query));
    QCOMPARE(matrix::generated(*again.query, model), sql);
    QVERIFY2(execAll(fb, {u"DROP TABLE designavg"_s}, error), qPrintable(error));
  }

  void sameRows_data() {
    QTest::addColumn<bool>("onPostgres");
    QTest::addColumn<QString>("sql");
    QTest::addColumn<int>("shape");
    for (bool pg : {false, true}) {
      const QList<std::pair<QString, int>> all = cases(pg);
      for (int i = 0; i < all.size(); ++i)
        QTest::addRow("%s %d: %s", pg ? "postgresql" : "sqlite", i + 1,
                      qPrintable(all.at(i).first.simplified().left(60)))
            << pg << all.at(i).first << all.at(i).second;
    }
  }
  void sameRows() {
    QFETCH(bool, onPostgres);
    QFETCH(QString, sql);
    QFETCH(int, shape);
    if (onPostgres && !postgres)
      QSKIP("ZEL_PG_HOST is not set: no PostgreSQL server to run on (scripts/test.sh starts one)");
    const TzelDatabase dialect = onPostgres ? zelPostgreSQL : zelSQLite;
    auto model = matrix::makeModel(dialect);
    if (shape >= 0) {
      matrix::Holder settings(model.get());
      matrix::shapes().at(shape).fill(*settings.query, *model);
    }
    matrix::Holder holder(model.get());
    const TzelSqlDesignResult result = zelDesignFromSql(sql, *model, dialect, *holder.query);
    QVERIFY2(result.ok, qPrintable(result.message));
    RecordingMessages rec;
    TzelSqlGenerator generator(*holder.query, *model);
    QStringList generated, params;
    matrix::QuietHost host;
    QVERIFY2(generator.GenerateSQL(generated, params, host), qPrintable(rec.texts().join(u' ')));
    QSqlDatabase db = QSqlDatabase::database(onPostgres ? kPg : kLite);
    SqlRows mine, theirs;
    QString error;
    QVERIFY2(sqlRows(db, generated.join(u'\n'), mine, error), qPrintable(error));
    QVERIFY2(sqlRows(db, sql, theirs, error), qPrintable(error));
    if (!sql.contains(u"order by"_s, Qt::CaseInsensitive)) {
      std::sort(mine.begin(), mine.end());
      std::sort(theirs.begin(), theirs.end());
    }
    QVERIFY2(mine == theirs, qPrintable(generated.join(u'\n')));
  }
};

QTEST_GUILESS_MAIN(TstDesignFromSqlExec)
#include "tst_designfromsql_exec.moc"
