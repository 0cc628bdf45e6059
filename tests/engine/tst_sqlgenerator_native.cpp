// SPDX-License-Identifier: MIT
// The query matrix under the native dialects runs on the real engines and returns the rows of
// a hand-written statement: zelSQLite on SQLite; zelPostgreSQL on PostgreSQL, zelMySQL on
// MariaDB and zelInterBase on Firebird when scripts/test.sh has started them (ZEL_PG_HOST,
// ZEL_MY_HOST and ZEL_FB_HOST with their PORT, USER, PASSWORD and DATABASE). Each server also
// runs the statements under the settings that change how it reads literals.

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

// A connection the matrix runs on, the dialect written for it, and the connection that runs
// the hand-written statements (MariaDB reads their double-quoted names in ANSI mode only).
struct Target {
  const char *connection;
  const char *title;
  TzelDatabase dialect;
  const char *hand;
  const char *server; // the variable that names the server, or nullptr for SQLite
};

const Target kTargets[] = {
    {"native-sqlite", "sqlite", zelSQLite, "native-sqlite", nullptr},
    {"native-postgres", "postgresql", zelPostgreSQL, "native-postgres", "ZEL_PG_HOST"},
    // The same database where backslashes in ordinary strings are escapes, as older servers keep.
    {"native-postgres-escapes", "postgresql, backslash escapes", zelPostgreSQL,
     "native-postgres-escapes", "ZEL_PG_HOST"},
    {"native-mariadb", "mariadb, backslash escapes", zelMySQL, "native-mariadb-ansi",
     "ZEL_MY_HOST"},
    {"native-mariadb-modes", "mariadb, NO_BACKSLASH_ESCAPES and ANSI_QUOTES", zelMySQL,
     "native-mariadb-ansi", "ZEL_MY_HOST"},
    {"native-firebird", "firebird", zelInterBase, "native-firebird", "ZEL_FB_HOST"},
};

// Parameter values that would end an ordinary literal early where backslashes escape, or
// bring a comment or a character some client sets read as a quote: no row holds them, so
// each finds none.
QList<matrix::Shape> nativeShapes() {
  QList<matrix::Shape> shapes = matrix::shapes();
  const QStringList payloads{u"\\' OR 1=1 --"_s,     u"\\'' OR 1=1 --"_s,
                             u"\\\\' OR 1=1 --"_s,   u"x' OR 1=1 #"_s,
                             u"x'/* OR 1=1 */ --"_s, u"\u00bf' OR 1=1 --"_s,
                             u"\uff07 OR 1=1 --"_s,  u"\\\\\\' OR 1=1 -- \\"_s};
  for (const QString &payload : payloads)
    shapes << matrix::Shape{u"parameter "_s + payload,
                            [payload](TzelQuery &q, TzelModel &) {
                              matrix::addTables(q, {1});
                              matrix::value(q, 1, "Id");
                              matrix::value(q, 1, "Name", zelHide)
                                  ->SetFilter(1, zelFilterEqual, u"[Vendor]="_s + payload + u'|');
                            },
                            u"SELECT id FROM t1 WHERE 1 = 0"_s};
  return shapes;
}

} // namespace

class TstSqlGeneratorNative : public QObject {
  Q_OBJECT
  QSet<QString> open;

  bool openPostgres() {
    QSqlDatabase pg = testServerConnection(kTestPostgres, u"native-postgres"_s);
    QString error;
    if (!pg.open())
      return false;
    const QStringList schema{QStringLiteral("DROP SCHEMA IF EXISTS matrix CASCADE"),
                             QStringLiteral("CREATE SCHEMA matrix"),
                             QStringLiteral("SET search_path TO matrix")};
    if (!execAll(pg, schema + matrix::createStatements(matrix::Engine::Postgres), error))
      qFatal("%s", qPrintable(error));
    QSqlDatabase escapes = QSqlDatabase::cloneDatabase(pg, u"native-postgres-escapes"_s);
    return escapes.open() && execAll(escapes,
                                     {QStringLiteral("SET search_path TO matrix"),
                                      QStringLiteral("SET standard_conforming_strings = off")},
                                     error);
  }

  bool openMariaDb() {
    QSqlDatabase hand = testServerConnection(kTestMariaDb, u"native-mariadb-ansi"_s);
    QString error;
    if (!hand.open())
      return false;
    if (!execAll(hand,
                 {u"DROP DATABASE IF EXISTS zelmatrix"_s, u"CREATE DATABASE zelmatrix"_s,
                  u"USE zelmatrix"_s, u"SET sql_mode = 'ANSI'"_s},
                 error) ||
        !execAll(hand, matrix::createStatements(matrix::Engine::MariaDb), error))
      qFatal("%s", qPrintable(error));
    const QString strict = u"STRICT_TRANS_TABLES,ERROR_FOR_DIVISION_BY_ZERO"_s;
    for (const auto &[name, mode] :
         {std::pair{"native-mariadb", strict},
          std::pair{"native-mariadb-modes", strict + u",NO_BACKSLASH_ESCAPES,ANSI_QUOTES"_s}}) {
      QSqlDatabase db = QSqlDatabase::cloneDatabase(hand, QLatin1String(name));
      db.setDatabaseName(u"zelmatrix"_s);
      if (!db.open() || !execAll(db, {u"SET sql_mode = '%1'"_s.arg(mode)}, error))
        return false;
    }
    return true;
  }

  bool openFirebird() {
    QSqlDatabase fb = testServerConnection(kTestFirebird, u"native-firebird"_s);
    QString error;
    if (!fb.open())
      return false;
    QStringList create = matrix::createStatements(matrix::Engine::Firebird);
    for (QString &sql : create)
      if (sql.startsWith(u"CREATE TABLE"))
        sql.prepend(u"RE"_s); // replaces a table left by an earlier run
    if (!execAll(fb, create, error))
      qFatal("%s", qPrintable(error));
    return true;
  }

private slots:
  void initTestCase() {
    QLocale::setDefault(QLocale::c());
    QSqlDatabase lite = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), u"native-sqlite"_s);
    lite.setDatabaseName(QStringLiteral(":memory:"));
    QVERIFY2(lite.open(), qPrintable(lite.lastError().text()));
    QString error;
    QVERIFY2(execAll(lite, matrix::createStatements(matrix::Engine::Sqlite), error),
             qPrintable(error));
    open << u"ZEL_SQLITE"_s;
    if (!qEnvironmentVariableIsEmpty("ZEL_PG_HOST")) {
      QVERIFY2(openPostgres(), "PostgreSQL is named but cannot be reached");
      open << u"ZEL_PG_HOST"_s;
    }
    if (!qEnvironmentVariableIsEmpty("ZEL_MY_HOST")) {
      QVERIFY2(openMariaDb(), "MariaDB is named but cannot be reached");
      open << u"ZEL_MY_HOST"_s;
    }
    if (!qEnvironmentVariableIsEmpty("ZEL_FB_HOST")) {
      QVERIFY2(openFirebird(), "Firebird is named but cannot be reached");
      open << u"ZEL_FB_HOST"_s;
    }
  }

  void cleanupTestCase() {
    QString error;
    if (open.contains(u"ZEL_PG_HOST"_s))
      execAll(QSqlDatabase::database(u"native-postgres"_s),
              {QStringLiteral("DROP SCHEMA matrix CASCADE")}, error);
    if (open.contains(u"ZEL_MY_HOST"_s))
      execAll(QSqlDatabase::database(u"native-mariadb-ansi"_s),
              {QStringLiteral("DROP DATABASE zelmatrix")}, error);
    if (open.contains(u"ZEL_FB_HOST"_s)) {
      QStringList drop;
      for (int i = 0; i < matrix::TableCount; ++i)
        drop << u"DROP TABLE "_s + matrix::handTable(i);
      execAll(QSqlDatabase::database(u"native-firebird"_s), drop, error);
    }
  }

  // SQLite's parser refuses about 48 nested parentheses: a chain of 59 joins runs because
  // the native dialect writes none.
  void longChainOnSqlite() {
    constexpr int Tables = 60;
    QSqlDatabase lite = QSqlDatabase::database(u"native-sqlite"_s);
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
    SqlRows rows;
    QVERIFY2(sqlRows(lite, sql.join(QLatin1Char('\n')), rows, error), qPrintable(error));
    QCOMPARE(rows, SqlRows({{u"1"_s}, {u"2"_s}}));
  }

  void matrixRuns_data() {
    QTest::addColumn<int>("target");
    QTest::addColumn<int>("shape");
    const QList<matrix::Shape> shapes = nativeShapes();
    for (int t = 0; t < int(std::size(kTargets)); ++t)
      for (int i = 0; i < shapes.size(); ++i)
        QTest::addRow("%s: %s", kTargets[t].title, qPrintable(shapes.at(i).name)) << t << i;
  }
  void matrixRuns() {
    QFETCH(int, target);
    QFETCH(int, shape);
    const Target &t = kTargets[target];
    if (t.server && !open.contains(QLatin1String(t.server)))
      QSKIP("No server of this engine is named: scripts/test.sh starts one");
    const matrix::Shape s = nativeShapes().at(shape);
    const QString sql = matrix::generate(t.dialect, s);
    QVERIFY2(!sql.startsWith(QStringLiteral("ERROR: ")), qPrintable(sql));
    SqlRows generated, hand;
    QString error;
    QVERIFY2(sqlRows(QSqlDatabase::database(QLatin1String(t.connection)), sql, generated, error),
             qPrintable(error));
    QVERIFY2(sqlRows(QSqlDatabase::database(QLatin1String(t.hand)), s.hand, hand, error),
             qPrintable(error));
    if (!s.ordered) {
      std::sort(generated.begin(), generated.end());
      std::sort(hand.begin(), hand.end());
    }
    QCOMPARE(generated, hand);
  }
};

QTEST_GUILESS_MAIN(TstSqlGeneratorNative)
#include "tst_sqlgenerator_native.moc"
