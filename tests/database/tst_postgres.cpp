// SPDX-License-Identifier: MIT
// The same table in SQLite and in PostgreSQL gives the same field definitions and values.
// Needs ZEL_PG_HOST, ZEL_PG_PORT, ZEL_PG_USER and ZEL_PG_DATABASE (scripts/postgres.sh).
#include "database/zelconnection.h"
#include "database/zeldatamodel.h"
#include "database/zeldataset.h"
#include "engine/sqlgenerator.h"
#include "model/zelquery.h"
#include "support/recordingmessages.h"
#include "support/sqlexec.h"
#include "support/testservers.h"

#include <QDate>
#include <QSqlDatabase>
#include <QSqlError>
#include <QSqlQuery>
#include <QTemporaryDir>
#include <QTest>

using namespace Qt::StringLiterals;

namespace {

const QString CreateTable =
    u"CREATE TABLE stock (id INTEGER, bin SMALLINT, name VARCHAR(30), added DATE, "
    "checked TIMESTAMP, opens TIME, active BOOLEAN, weight DOUBLE PRECISION, "
    "price NUMERIC(10,2), note TEXT)"_s;
const QStringList Inserts{
    u"INSERT INTO stock VALUES (1, 4, 'Spur Gear', '1998-01-15', '1998-01-15 08:30:00', "
    "'08:30:00', TRUE, 2.5, 12.75, 'first')"_s,
    u"INSERT INTO stock VALUES (2, NULL, 'Hex Bolt', NULL, NULL, NULL, FALSE, NULL, 0.10, NULL)"_s};

bool fill(QSqlDatabase db, QString &error) {
  QSqlQuery q(db);
  q.exec(u"DROP TABLE IF EXISTS stock"_s);
  for (const QString &sql : QStringList{CreateTable} + Inserts)
    if (!q.exec(sql)) {
      error = q.lastError().text();
      return false;
    }
  return true;
}

// Parameter values that try to end the literal early, with backslashes, quotes and multibyte
// characters whose last byte could be read as a backslash (0x5C in SJIS, BIG5 and GBK).
const QStringList Payloads{u"\\' OR 1=1)))--"_s,
                           u"\\'' OR 1=1--"_s,
                           u"\\\\' OR 1=1--"_s,
                           u"a\\"_s,
                           u"\\"_s,
                           u"O'Brien"_s,
                           u"'; DROP TABLE inj; --"_s,
                           u"\\x27 OR 1=1--"_s,
                           u"\\\\\\'--"_s,
                           u"\u00e9\\' OR 1=1--"_s,
                           u"\u30bd\\' OR 1=1--"_s,
                           u"\u8a31\\' OR 1=1--"_s};

QStringList pgParams(const QString &database) {
  return {u"HOST="_s + qEnvironmentVariable("ZEL_PG_HOST"),
          u"PORT="_s + qEnvironmentVariable("ZEL_PG_PORT"), u"DATABASE="_s + database,
          u"USER NAME="_s + qEnvironmentVariable("ZEL_PG_USER")};
}

QSqlDatabase adminConnection(const QString &name, const QString &database) {
  return testServerConnection(kTestPostgres, name, database);
}

// The databases of the injection runs, one per server encoding, each holding every payload
// it can store as a row of inj.
const QStringList Encodings{u"UTF8"_s, u"LATIN1"_s, u"SQL_ASCII"_s};

QString injectionDatabase(const QString &encoding) {
  return u"zel_inj_"_s + encoding.toLower();
}

bool storable(const QString &payload, const QString &encoding) {
  return encoding != u"LATIN1" ||
         std::all_of(payload.cbegin(), payload.cend(), [](QChar c) { return c.unicode() < 256; });
}

class Holder : public QObject, public TzelQueryOwner {
public:
  explicit Holder(TzelModel *dataModel) : model(dataModel), query(new TzelQuery(this)) {
    query->SetQuerion(this);
  }
  TzelModel *queryDataModel() const override { return model; }
  TzelModel *model;
  TzelQuery *query;
};

// SELECT name FROM inj WHERE name = [P], written for zelPostgreSQL with P = value.
QString injectionStatement(const QString &value) {
  RecordingMessages rec;
  TzelDataModel model;
  model.SetDatabaseType(zelPostgreSQL);
  model.GetTable(model.AddTable(u"INJ"_s, u"inj"_s, u"Inj"_s))
      ->AddField(u"name"_s, u"Name"_s, ftString, 0);
  Holder holder(&model);
  holder.query->AddTable(QString(), u"Inj"_s, u"Inj"_s);
  holder.query->GetValue(holder.query->AddValue(u"Inj"_s, u"Name"_s, QString()))
      ->SetFilter(1, zelFilterEqual, u"[P]|"_s);
  QStringList sql;
  TzelSqlGenerator(*holder.query, model).BuildStatement({u"P="_s + value}, sql);
  return sql.join(u'\n');
}

} // namespace

class TstPostgres : public QObject {
  Q_OBJECT
  QTemporaryDir scratch;
  TzelConnection lite;
  TzelConnection pg;

private slots:
  void initTestCase() {
    if (qEnvironmentVariableIsEmpty("ZEL_PG_HOST"))
      QSKIP("ZEL_PG_HOST is not set: no PostgreSQL server was started for this run");
    QString error;
    const QString file = scratch.filePath(u"stock.sqlite"_s);
    {
      QSqlDatabase db = QSqlDatabase::addDatabase(u"QSQLITE"_s, u"setup-lite"_s);
      db.setDatabaseName(file);
      QVERIFY(db.open());
      QVERIFY2(fill(db, error), qPrintable(error));
      db.close();
    }
    QSqlDatabase::removeDatabase(u"setup-lite"_s);
    const QStringList pgParams{u"HOST="_s + qEnvironmentVariable("ZEL_PG_HOST"),
                               u"PORT="_s + qEnvironmentVariable("ZEL_PG_PORT"),
                               u"DATABASE="_s + qEnvironmentVariable("ZEL_PG_DATABASE"),
                               u"USER NAME="_s + qEnvironmentVariable("ZEL_PG_USER")};
    {
      QSqlDatabase db = testServerConnection(kTestPostgres, u"setup-pg"_s);
      QVERIFY2(db.open(), qPrintable(db.lastError().text()));
      QVERIFY2(fill(db, error), qPrintable(error));
      db.close();
    }
    QSqlDatabase::removeDatabase(u"setup-pg"_s);
    lite.setDatabaseName(u"STOCKLITE"_s);
    lite.setDriverName(u"SQLITE"_s);
    lite.setParams({u"DATABASE="_s + file});
    QVERIFY2(lite.Open(), qPrintable(lite.lastError()));
    pg.setDatabaseName(u"STOCKPG"_s);
    pg.setDriverName(u"POSTGRESQL"_s);
    pg.setParams(pgParams);
    QVERIFY2(pg.Open(), qPrintable(pg.lastError()));
    createInjectionDatabases();
  }

private:
  void createInjectionDatabases() {
    {
      QSqlDatabase admin =
          adminConnection(u"setup-admin"_s, qEnvironmentVariable("ZEL_PG_DATABASE"));
      QVERIFY2(admin.open(), qPrintable(admin.lastError().text()));
      QString error;
      for (const QString &encoding : Encodings) {
        const QString name = injectionDatabase(encoding);
        QVERIFY2(execAll(admin,
                         {u"DROP DATABASE IF EXISTS %1 WITH (FORCE)"_s.arg(name),
                          u"CREATE DATABASE %1 ENCODING '%2' TEMPLATE template0 LC_COLLATE 'C' "
                          "LC_CTYPE 'C'"_s.arg(name, encoding)},
                         error),
                 qPrintable(error));
      }
    }
    QSqlDatabase::removeDatabase(u"setup-admin"_s);
    for (const QString &encoding : Encodings) {
      {
        QSqlDatabase db = adminConnection(u"setup-inj"_s, injectionDatabase(encoding));
        QVERIFY2(db.open(), qPrintable(db.lastError().text()));
        QSqlQuery q(db);
        QVERIFY(q.exec(u"CREATE TABLE inj (name TEXT)"_s));
        QVERIFY(q.prepare(u"INSERT INTO inj VALUES (?)"_s));
        for (const QString &payload : Payloads + QStringList{u"Acme"_s, u"Zeus"_s})
          if (storable(payload, encoding)) {
            q.addBindValue(payload);
            QVERIFY2(q.exec(), qPrintable(q.lastError().text()));
          }
      }
      QSqlDatabase::removeDatabase(u"setup-inj"_s);
    }
  }

private slots:
  void cleanupTestCase() {
    if (qEnvironmentVariableIsEmpty("ZEL_PG_HOST"))
      return;
    {
      QSqlDatabase admin =
          adminConnection(u"drop-admin"_s, qEnvironmentVariable("ZEL_PG_DATABASE"));
      QVERIFY(admin.open());
      QSqlQuery q(admin);
      for (const QString &encoding : Encodings)
        q.exec(u"DROP DATABASE IF EXISTS %1 WITH (FORCE)"_s.arg(injectionDatabase(encoding)));
    }
    QSqlDatabase::removeDatabase(u"drop-admin"_s);
  }

  // A parameter value finds exactly its own row, whatever the database or role sets for
  // backslashes in strings, backslash_quote and the client encoding.
  void injectionUnderServerSettings_data() {
    QTest::addColumn<QString>("encoding");
    QTest::addColumn<QStringList>("settings");
    const QString off = u"standard_conforming_strings = off"_s;
    QTest::newRow("standard strings") << u"UTF8"_s << QStringList();
    QTest::newRow("backslash escapes") << u"UTF8"_s << QStringList{off};
    for (const char *quote : {"on", "off", "safe_encoding"})
      QTest::addRow("backslash escapes, backslash_quote %s", quote)
          << u"UTF8"_s << QStringList{off, u"backslash_quote = "_s + QLatin1String(quote)};
    for (const char *client : {"SJIS", "BIG5", "GBK", "LATIN1"})
      QTest::addRow("backslash escapes, client_encoding %s", client)
          << u"UTF8"_s
          << QStringList{off, u"backslash_quote = on"_s,
                         u"client_encoding = '%1'"_s.arg(QLatin1String(client))};
    QTest::newRow("LATIN1 server")
        << u"LATIN1"_s << QStringList{off, u"client_encoding = 'LATIN1'"_s};
    QTest::newRow("SQL_ASCII server")
        << u"SQL_ASCII"_s << QStringList{off, u"client_encoding = 'SQL_ASCII'"_s};
  }
  void injectionUnderServerSettings() {
    QFETCH(QString, encoding);
    QFETCH(QStringList, settings);
    const QString database = injectionDatabase(encoding);
    {
      QSqlDatabase admin = adminConnection(u"set-admin"_s, qEnvironmentVariable("ZEL_PG_DATABASE"));
      QVERIFY(admin.open());
      QStringList alter{u"ALTER DATABASE %1 RESET ALL"_s.arg(database)};
      for (const QString &setting : std::as_const(settings))
        alter << u"ALTER DATABASE %1 SET "_s.arg(database) + setting;
      QString error;
      QVERIFY2(execAll(admin, alter, error), qPrintable(error));
    }
    QSqlDatabase::removeDatabase(u"set-admin"_s);
    TzelConnection connection;
    connection.setDatabaseName(u"INJ"_s);
    connection.setDriverName(u"POSTGRESQL"_s);
    connection.setParams(pgParams(database));
    QVERIFY2(connection.Open(), qPrintable(connection.lastError()));
    TzelDataset ds;
    ds.setDatabaseName(u"INJ"_s);
    ds.setSQL({u"SHOW standard_conforming_strings"_s});
    ds.Open();
    QCOMPARE(ds.value(0, 0).toString(), settings.isEmpty() ? u"on"_s : u"off"_s);
    ds.Close();
    ds.setSQL({u"SHOW client_encoding"_s});
    ds.Open();
    QCOMPARE(ds.value(0, 0).toString(), u"UTF8"_s);
    QStringList wrong;
    for (const QString &payload : Payloads) {
      if (!storable(payload, encoding))
        continue;
      const QString sql = injectionStatement(payload);
      ds.Close();
      ds.setSQL({sql});
      try {
        ds.Open();
        if (ds.RecordCount() != 1 || ds.value(0, 0).toString() != payload)
          wrong << u"%1 rows: %2"_s.arg(ds.RecordCount()).arg(sql);
      } catch (const EzelError &e) {
        wrong << e.message() + u": "_s + sql;
      }
    }
    QVERIFY2(wrong.isEmpty(), qPrintable(wrong.join(u"\n"_s)));
  }

  void sameFieldDefinitions() {
    TzelDataset a, b;
    a.setDatabaseName(u"STOCKLITE"_s);
    b.setDatabaseName(u"STOCKPG"_s);
    a.setSQL({u"SELECT * FROM stock ORDER BY id"_s});
    b.setSQL(a.SQL());
    a.Open();
    b.Open();
    const QList<TzelFieldDef> expected{{u"id"_s, ftInteger, 0},       {u"bin"_s, ftSmallint, 0},
                                       {u"name"_s, ftString, 30},     {u"added"_s, ftDate, 0},
                                       {u"checked"_s, ftDateTime, 0}, {u"opens"_s, ftTime, 0},
                                       {u"active"_s, ftBoolean, 0},   {u"weight"_s, ftFloat, 0},
                                       {u"price"_s, ftBCD, 2},        {u"note"_s, ftMemo, 0}};
    QCOMPARE(a.FieldDefs(), expected);
    QCOMPARE(b.FieldDefs(), expected);
    QCOMPARE(a.RecordCount(), 2);
    QCOMPARE(b.RecordCount(), 2);
    for (int r = 0; r < 2; ++r)
      for (int i = 0; i < a.FieldCount(); ++i)
        QVERIFY2(
            a.value(r, i) == b.value(r, i) || (a.value(r, i).isNull() && b.value(r, i).isNull()),
            qPrintable(u"row %1 field %2: %3 / %4"_s.arg(r).arg(
                a.Fields(i)->FieldName(), a.value(r, i).toString(), b.value(r, i).toString())));
    QCOMPARE(a.value(0, 3).toDate(), QDate(1998, 1, 15));
  }

  void serverErrorsCarryTheDriverText() {
    TzelDataset ds;
    ds.setDatabaseName(u"STOCKPG"_s);
    ds.setSQL({u"SELECT nope FROM stock"_s});
    try {
      ds.Open();
      QFAIL("no error");
    } catch (const EzelError &e) {
      QVERIFY2(e.message().startsWith(u"Error: "_s) && e.message().contains(u"nope"_s),
               qPrintable(e.message()));
    }
  }

  void unreachableServer() {
    TzelConnection bad;
    bad.setDatabaseName(u"NOPG"_s);
    bad.setDriverName(u"POSTGRESQL"_s);
    bad.setParams({u"HOST=127.0.0.1"_s, u"PORT=1"_s, u"DATABASE=x"_s, u"USER NAME=x"_s});
    QVERIFY(!bad.Open());
    // The client library's lines, one for the failure and one for the rest.
    QCOMPARE(bad.lastError(),
             u"Error: connection to server at \"127.0.0.1\", port 1 failed: Connection refused\n"
             "Is the server running on that host and accepting TCP/IP connections?"_s);
    QVERIFY(!bad.Connected());
  }
};

QTEST_GUILESS_MAIN(TstPostgres)
#include "tst_postgres.moc"
