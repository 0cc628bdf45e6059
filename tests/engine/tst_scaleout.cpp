// SPDX-License-Identifier: MIT
// Where users outgrow one server: the query matrix's statements run over MariaDB Spider tables
// whose partitions live on two servers, and over PostgreSQL tables partitioned across two
// servers through postgres_fdw, all on loopback. Each returns the rows of the same data kept
// in one table. Needs the two servers of each engine that scripts/test.sh starts (ZEL_MY_*
// with ZEL_MY2_HOST and ZEL_MY2_PORT; ZEL_PG_* with ZEL_PG2_HOST and ZEL_PG2_PORT).

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

// SqlRows 1 and 2 of every table live on the first server, the others on the second.
constexpr int SplitAt = 3;

QString env(const QString &name) {
  return qEnvironmentVariable(qPrintable(name));
}

// The test server of the prefix, at the port the variable names.
QSqlDatabase open(const TestServer &server, const QString &name, const QString &port) {
  QSqlDatabase db = testServerConnection(server, name);
  db.setPort(port.toInt());
  if (!db.open())
    qFatal("%s", qPrintable(db.lastError().text()));
  return db;
}

void exec(const QSqlDatabase &db, const QStringList &statements) {
  QString error;
  if (!execAll(db, statements, error))
    qFatal("%s", qPrintable(error));
}

// The CREATE statements of the matrix alone, and its INSERT statements alone.
QStringList creates(matrix::Engine engine) {
  return matrix::createStatements(engine).filter(QRegularExpression(u"^CREATE"_s));
}
QStringList inserts(matrix::Engine engine) {
  return matrix::createStatements(engine).filter(QRegularExpression(u"^INSERT"_s));
}

QString partName(int table, char side) {
  return u"\"%1_%2\""_s.arg(matrix::physical(table)).arg(QLatin1Char(side));
}

// The rows a table holds on one server, to show that the second holds its share.
int countOf(const QSqlDatabase &db, const QString &table) {
  QSqlQuery q(db);
  return q.exec(u"SELECT COUNT(*) FROM "_s + table) && q.next() ? q.value(0).toInt() : -1;
}

} // namespace

class TstScaleOut : public QObject {
  Q_OBJECT
  bool mariadb = false;
  bool postgres = false;

  // Spider tables in zelspread on the first server; their partitions in zelshard on each.
  void spreadOverMariaDb() {
    const QString ansi = u"SET sql_mode = 'ANSI'"_s;
    QSqlDatabase second = open(kTestMariaDb, u"scale-my2"_s, env(u"ZEL_MY2_PORT"_s));
    exec(second, {u"DROP DATABASE IF EXISTS zelshard"_s, u"CREATE DATABASE zelshard"_s,
                  u"USE zelshard"_s, ansi});
    exec(second, creates(matrix::Engine::MariaDb));
    QSqlDatabase first = open(kTestMariaDb, u"scale-my"_s, env(u"ZEL_MY_PORT"_s));
    QSqlQuery(first).exec(u"INSTALL SONAME 'ha_spider'"_s); // refused when already there
    // One partition lives on this server itself, through a loopback link.
    exec(first, {u"SET GLOBAL spider_same_server_link = ON"_s});
    QStringList setup{u"DROP DATABASE IF EXISTS zelshard"_s,
                      u"DROP DATABASE IF EXISTS zelplain"_s,
                      u"DROP DATABASE IF EXISTS zelspread"_s,
                      u"CREATE DATABASE zelshard"_s,
                      u"CREATE DATABASE zelplain"_s,
                      u"CREATE DATABASE zelspread"_s,
                      ansi};
    for (const auto &[server, port] :
         {std::pair{"zel_shard_a", u"ZEL_MY_PORT"_s}, std::pair{"zel_shard_b", u"ZEL_MY2_PORT"_s}})
      setup << u"DROP SERVER IF EXISTS %1"_s.arg(QLatin1String(server))
            << u"CREATE SERVER %1 FOREIGN DATA WRAPPER mysql OPTIONS (HOST '127.0.0.1', "
               "DATABASE 'zelshard', USER '%2', PASSWORD '%3', PORT %4)"_s.arg(
                   QLatin1String(server), env(u"ZEL_MY_USER"_s), env(u"ZEL_MY_PASSWORD"_s),
                   env(port));
    exec(first, setup);
    exec(first, QStringList{u"USE zelshard"_s} + creates(matrix::Engine::MariaDb));
    exec(first, QStringList{u"USE zelplain"_s} + matrix::createStatements(matrix::Engine::MariaDb));
    QStringList spider{u"USE zelspread"_s};
    const QStringList tables = creates(matrix::Engine::MariaDb);
    for (int i = 0; i < matrix::TableCount; ++i)
      spider << tables.at(i) +
                    u" ENGINE=SPIDER COMMENT='wrapper \"mysql\", table \"%1\"' PARTITION BY RANGE "
                    "(id) (PARTITION pa VALUES LESS THAN (%2) COMMENT='srv \"zel_shard_a\"', "
                    "PARTITION pb VALUES LESS THAN MAXVALUE COMMENT='srv \"zel_shard_b\"')"_s
                        .arg(matrix::physical(i))
                        .arg(SplitAt);
    exec(first, spider + inserts(matrix::Engine::MariaDb));
    for (const char *name : {"my-plain", "my-spread"}) {
      QSqlDatabase db = QSqlDatabase::cloneDatabase(first, QLatin1String(name));
      db.setDatabaseName(name == QByteArray("my-plain") ? u"zelplain"_s : u"zelspread"_s);
      QVERIFY2(db.open(), qPrintable(db.lastError().text()));
    }
    QCOMPARE(countOf(second, u"zelshard.t1"_s), 5 - SplitAt + 1);
    mariadb = true;
  }

  // Tables in zelspread on the first server partitioned into foreign tables in zelshard on
  // each server.
  void spreadOverPostgres() {
    for (const QString &port : {u"ZEL_PG_PORT"_s, u"ZEL_PG2_PORT"_s}) {
      QSqlDatabase shard = open(kTestPostgres, u"scale-shard"_s, env(port));
      exec(shard, {u"DROP SCHEMA IF EXISTS zelshard CASCADE"_s, u"CREATE SCHEMA zelshard"_s,
                   u"SET search_path TO zelshard"_s});
      exec(shard, creates(matrix::Engine::Postgres));
      shard.close();
      shard = QSqlDatabase();
      QSqlDatabase::removeDatabase(u"scale-shard"_s);
    }
    QSqlDatabase first = open(kTestPostgres, u"scale-pg"_s, env(u"ZEL_PG_PORT"_s));
    QStringList setup{u"CREATE EXTENSION IF NOT EXISTS postgres_fdw"_s,
                      u"DROP SCHEMA IF EXISTS zelplain CASCADE"_s,
                      u"DROP SCHEMA IF EXISTS zelspread CASCADE"_s};
    for (const auto &[server, port] :
         {std::pair{"zel_shard_a", u"ZEL_PG_PORT"_s}, std::pair{"zel_shard_b", u"ZEL_PG2_PORT"_s}})
      setup << u"DROP SERVER IF EXISTS %1 CASCADE"_s.arg(QLatin1String(server))
            << u"CREATE SERVER %1 FOREIGN DATA WRAPPER postgres_fdw OPTIONS (host '127.0.0.1', "
               "port '%2', dbname '%3')"_s.arg(QLatin1String(server), env(port),
                                               env(u"ZEL_PG_DATABASE"_s))
            << u"CREATE USER MAPPING FOR CURRENT_USER SERVER %1 OPTIONS (user '%2')"_s.arg(
                   QLatin1String(server), env(u"ZEL_PG_USER"_s));
    setup << u"CREATE SCHEMA zelplain"_s << u"CREATE SCHEMA zelspread"_s
          << u"SET search_path TO zelplain"_s;
    exec(first, setup + matrix::createStatements(matrix::Engine::Postgres));
    QStringList spread{u"SET search_path TO zelspread"_s};
    const QStringList tables = creates(matrix::Engine::Postgres);
    for (int i = 0; i < matrix::TableCount; ++i) {
      spread << tables.at(i) + u" PARTITION BY RANGE (id)"_s;
      for (const auto &[side, range] : {std::pair{'a', u"(MINVALUE) TO (%1)"_s.arg(SplitAt)},
                                        std::pair{'b', u"(%1) TO (MAXVALUE)"_s.arg(SplitAt)}})
        spread << u"CREATE FOREIGN TABLE %1 PARTITION OF %2 FOR VALUES FROM %3 SERVER "
                  "zel_shard_%4 OPTIONS (schema_name 'zelshard', table_name '%5')"_s.arg(
                      partName(i, side), matrix::handTable(i), range, QString(QLatin1Char(side)),
                      matrix::physical(i));
    }
    exec(first, spread + inserts(matrix::Engine::Postgres));
    for (const char *name : {"pg-plain", "pg-spread"}) {
      QSqlDatabase db = QSqlDatabase::cloneDatabase(first, QLatin1String(name));
      QVERIFY2(db.open(), qPrintable(db.lastError().text()));
      exec(db, {u"SET search_path TO "_s +
                (name == QByteArray("pg-plain") ? u"zelplain"_s : u"zelspread"_s)});
    }
    QSqlDatabase shard = open(kTestPostgres, u"scale-pg2"_s, env(u"ZEL_PG2_PORT"_s));
    QCOMPARE(countOf(shard, u"zelshard.t1"_s), 5 - SplitAt + 1);
    postgres = true;
  }

private slots:
  void initTestCase() {
    QLocale::setDefault(QLocale::c());
    if (!env(u"ZEL_MY_HOST"_s).isEmpty() && !env(u"ZEL_MY2_HOST"_s).isEmpty())
      spreadOverMariaDb();
    if (!env(u"ZEL_PG_HOST"_s).isEmpty() && !env(u"ZEL_PG2_HOST"_s).isEmpty())
      spreadOverPostgres();
  }

  void cleanupTestCase() {
    QString error;
    if (mariadb)
      execAll(QSqlDatabase::database(u"scale-my"_s),
              {u"DROP DATABASE zelspread"_s, u"DROP DATABASE zelplain"_s,
               u"DROP DATABASE zelshard"_s, u"DROP SERVER zel_shard_a"_s,
               u"DROP SERVER zel_shard_b"_s},
              error);
    if (postgres)
      execAll(QSqlDatabase::database(u"scale-pg"_s),
              {u"DROP SCHEMA zelspread CASCADE"_s, u"DROP SCHEMA zelplain CASCADE"_s,
               u"DROP SERVER zel_shard_a CASCADE"_s, u"DROP SERVER zel_shard_b CASCADE"_s},
              error);
  }

  void sameRowsAsOneTable_data() {
    QTest::addColumn<bool>("onMariaDb");
    QTest::addColumn<int>("shape");
    const QList<matrix::Shape> shapes = matrix::shapes();
    for (bool onMariaDb : {true, false})
      for (int i = 0; i < shapes.size(); ++i)
        QTest::addRow("%s: %s", onMariaDb ? "spider" : "postgres_fdw",
                      qPrintable(shapes.at(i).name))
            << onMariaDb << i;
  }
  void sameRowsAsOneTable() {
    QFETCH(bool, onMariaDb);
    QFETCH(int, shape);
    if (!(onMariaDb ? mariadb : postgres))
      QSKIP("Two servers of this engine are not named: scripts/test.sh starts them");
    const matrix::Shape s = matrix::shapes().at(shape);
    const QString sql = matrix::generate(onMariaDb ? zelMySQL : zelPostgreSQL, s);
    QVERIFY2(!sql.startsWith(u"ERROR: "_s), qPrintable(sql));
    SqlRows spread, plain;
    QString error;
    QVERIFY2(sqlRows(QSqlDatabase::database(onMariaDb ? u"my-spread"_s : u"pg-spread"_s), sql,
                     spread, error),
             qPrintable(error));
    QVERIFY2(sqlRows(QSqlDatabase::database(onMariaDb ? u"my-plain"_s : u"pg-plain"_s), sql, plain,
                     error),
             qPrintable(error));
    if (!s.ordered) {
      std::sort(spread.begin(), spread.end());
      std::sort(plain.begin(), plain.end());
    }
    QCOMPARE(spread, plain);
  }
};

QTEST_GUILESS_MAIN(TstScaleOut)
#include "tst_scaleout.moc"
