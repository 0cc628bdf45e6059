// SPDX-License-Identifier: MIT
// The query matrix under the native dialects runs on the real engines: every statement
// generated for zelSQLite runs on SQLite, and every one generated for zelPostgreSQL on
// PostgreSQL (when ZEL_PG_HOST, ZEL_PG_PORT, ZEL_PG_USER and ZEL_PG_DATABASE name a server),
// and returns the rows of a hand-written statement.

#include "querymatrix.h"
#include "support/sqlexec.h"

#include <QLocale>
#include <QSqlDatabase>
#include <QSqlError>
#include <QSqlQuery>
#include <QSqlRecord>
#include <QTest>

using namespace Qt::StringLiterals;

namespace {

const QString kLite = QStringLiteral("native-sqlite");
const QString kPg = QStringLiteral("native-postgres");
// The same database where backslashes in ordinary strings are escapes, as older servers keep.
const QString kPgEscapes = QStringLiteral("native-postgres-escapes");

using Rows = QList<QStringList>;

bool run(QSqlDatabase db, const QString &sql, Rows &rows, QString &error) {
  QSqlQuery q(db);
  if (!q.exec(sql)) {
    error = q.lastError().text() + QStringLiteral("\n") + sql;
    return false;
  }
  rows.clear();
  while (q.next()) {
    QStringList row;
    for (int i = 0; i < q.record().count(); ++i)
      row << (q.isNull(i) ? QStringLiteral("NULL") : q.value(i).toString());
    rows << row;
  }
  return true;
}

// The matrix, and parameter values that end an ordinary literal early where backslashes
// escape: no row holds them, so each finds none.
QList<matrix::Shape> nativeShapes() {
  QList<matrix::Shape> shapes = matrix::shapes();
  for (const QString &payload : {u"\\' OR 1=1 --"_s, u"\\'' OR 1=1 --"_s, u"\\\\' OR 1=1 --"_s})
    shapes << matrix::Shape{u"backslash parameter "_s + payload,
                            [payload](TzelQuery &q, TzelModel &) {
                              matrix::addTables(q, {1});
                              matrix::value(q, 1, "Id");
                              matrix::value(q, 1, "Name", zelHide)
                                  ->SetFilter(1, zelFilterEqual, u"[Vendor]="_s + payload + u'|');
                            },
                            u"SELECT id FROM t1 WHERE 1 = 0"_s};
  return shapes;
}

QString connectionTitle(const QString &connection) {
  return connection == kLite ? u"sqlite"_s
         : connection == kPg ? u"postgresql"_s
                             : u"postgresql, backslash escapes"_s;
}

} // namespace

class TstSqlGeneratorNative : public QObject {
  Q_OBJECT
  bool postgres = false;

private slots:
  void initTestCase() {
    QLocale::setDefault(QLocale::c());
    QSqlDatabase lite = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), kLite);
    lite.setDatabaseName(QStringLiteral(":memory:"));
    QVERIFY2(lite.open(), qPrintable(lite.lastError().text()));
    QString error;
    QVERIFY2(execAll(lite, matrix::createStatements(false), error), qPrintable(error));
    if (qEnvironmentVariableIsEmpty("ZEL_PG_HOST"))
      return;
    QSqlDatabase pg = QSqlDatabase::addDatabase(QStringLiteral("QPSQL"), kPg);
    pg.setHostName(qEnvironmentVariable("ZEL_PG_HOST"));
    pg.setPort(qEnvironmentVariableIntValue("ZEL_PG_PORT"));
    pg.setUserName(qEnvironmentVariable("ZEL_PG_USER"));
    pg.setDatabaseName(qEnvironmentVariable("ZEL_PG_DATABASE"));
    QVERIFY2(pg.open(), qPrintable(pg.lastError().text()));
    const QStringList schema{QStringLiteral("DROP SCHEMA IF EXISTS matrix CASCADE"),
                             QStringLiteral("CREATE SCHEMA matrix"),
                             QStringLiteral("SET search_path TO matrix")};
    QVERIFY2(execAll(pg, schema + matrix::createStatements(true), error), qPrintable(error));
    QSqlDatabase escapes = QSqlDatabase::cloneDatabase(kPg, kPgEscapes);
    QVERIFY2(escapes.open(), qPrintable(escapes.lastError().text()));
    QVERIFY2(execAll(escapes,
                     {QStringLiteral("SET search_path TO matrix"),
                      QStringLiteral("SET standard_conforming_strings = off")},
                     error),
             qPrintable(error));
    postgres = true;
  }

  void cleanupTestCase() {
    if (postgres) {
      QString error;
      QSqlDatabase pg = QSqlDatabase::database(kPg);
      QVERIFY2(execAll(pg, {QStringLiteral("DROP SCHEMA matrix CASCADE")}, error),
               qPrintable(error));
    }
  }

  // SQLite's parser refuses about 48 nested parentheses: a chain of 59 joins runs because
  // the native dialect writes none.
  void longChainOnSqlite() {
    constexpr int Tables = 60;
    QSqlDatabase lite = QSqlDatabase::database(kLite);
    TzelDataModel model;
    model.SetDatabaseType(zelSQLite);
    model.SetAutoJoin(false);
    QStringList create;
    for (int t = 0; t < Tables; ++t) {
      const QString name = u"link%1"_s.arg(t);
      create << u"CREATE TABLE %1 (id INTEGER, nxt INTEGER)"_s.arg(name)
             << u"INSERT INTO %1 VALUES (1, 1), (2, 2), (3, %2)"_s.arg(name).arg(t == 30 ? 4 : 3);
      TzelTable *table = model.GetTable(model.AddTable(u"LINKS"_s, name, u"Link%1"_s.arg(t)));
      table->AddField(u"id"_s, u"Id"_s, ftInteger, 0);
      table->AddField(u"nxt"_s, u"Next"_s, ftInteger, 0);
    }
    QString error;
    QVERIFY2(execAll(lite, create, error), qPrintable(error));
    matrix::Holder holder(&model);
    TzelQuery &q = *holder.query;
    for (int t = 0; t < Tables; ++t)
      q.AddTable(QString(), u"Link%1"_s.arg(t), u"Link%1"_s.arg(t));
    for (int t = 0; t + 1 < Tables; ++t)
      q.GetJoin(q.AddJoin(u"Link%1"_s.arg(t), zelJoinInner, 0, u"Link%1"_s.arg(t + 1)))
          ->AddJoinField(u"Next"_s, zelJoinEqual, u"Id"_s);
    q.AddValue(u"Link0"_s, u"Id"_s, QString());
    RecordingMessages rec;
    TzelSqlGenerator generator(q, model);
    QStringList sql, params;
    matrix::QuietHost host;
    QVERIFY(generator.GenerateSQL(sql, params, host));
    QVERIFY(!sql.join(QLatin1Char('\n')).contains(QLatin1Char('(')));
    Rows rows;
    QVERIFY2(run(lite, sql.join(QLatin1Char('\n')), rows, error), qPrintable(error));
    QCOMPARE(rows, Rows({{u"1"_s}, {u"2"_s}}));
  }

  void matrixRuns_data() {
    QTest::addColumn<QString>("connection");
    QTest::addColumn<int>("shape");
    const QList<matrix::Shape> shapes = nativeShapes();
    for (const QString &c : {kLite, kPg, kPgEscapes})
      for (int i = 0; i < shapes.size(); ++i)
        QTest::addRow("%s: %s", qPrintable(connectionTitle(c)), qPrintable(shapes.at(i).name))
            << c << i;
  }
  void matrixRuns() {
    QFETCH(QString, connection);
    QFETCH(int, shape);
    const bool onPostgres = connection != kLite;
    if (onPostgres && !postgres)
      QSKIP("ZEL_PG_HOST is not set: no PostgreSQL server to run on (scripts/test.sh starts one)");
    const matrix::Shape s = nativeShapes().at(shape);
    const QString sql = matrix::generate(onPostgres ? zelPostgreSQL : zelSQLite, s);
    QVERIFY2(!sql.startsWith(QStringLiteral("ERROR: ")), qPrintable(sql));
    QSqlDatabase db = QSqlDatabase::database(connection);
    Rows generated, hand;
    QString error;
    QVERIFY2(run(db, sql, generated, error), qPrintable(error));
    QVERIFY2(run(db, s.hand, hand, error), qPrintable(error));
    if (!s.ordered) {
      std::sort(generated.begin(), generated.end());
      std::sort(hand.begin(), hand.end());
    }
    QCOMPARE(generated, hand);
  }
};

QTEST_GUILESS_MAIN(TstSqlGeneratorNative)
#include "tst_sqlgenerator_native.moc"
