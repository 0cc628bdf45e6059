// The same table in SQLite and in PostgreSQL gives the same field definitions and values.
// Needs ZEL_PG_HOST, ZEL_PG_PORT, ZEL_PG_USER and ZEL_PG_DATABASE (scripts/postgres.sh).
#include "database/zelconnection.h"
#include "database/zeldatamodel.h"
#include "database/zeldataset.h"
#include "engine/sqlgenerator.h"
#include "model/zelquery.h"
#include "support/recordingmessages.h"

#include <QDate>
#include <QSqlDatabase>
#include <QSqlError>
#include <QSqlQuery>
#include <QTemporaryDir>
#include <QTest>

namespace {

const QString CreateTable =
    u"CREATE TABLE stock (id INTEGER, bin SMALLINT, name VARCHAR(30), added DATE, "
    "checked TIMESTAMP, opens TIME, active BOOLEAN, weight DOUBLE PRECISION, "
    "price NUMERIC(10,2), note TEXT)"_qs;
const QStringList Inserts{
    u"INSERT INTO stock VALUES (1, 4, 'Spur Gear', '1998-01-15', '1998-01-15 08:30:00', "
    "'08:30:00', TRUE, 2.5, 12.75, 'first')"_qs,
    u"INSERT INTO stock VALUES (2, NULL, 'Hex Bolt', NULL, NULL, NULL, FALSE, NULL, 0.10, NULL)"_qs};

bool fill(QSqlDatabase db, QString &error) {
  QSqlQuery q(db);
  q.exec(u"DROP TABLE IF EXISTS stock"_qs);
  for (const QString &sql : QStringList{CreateTable} + Inserts)
    if (!q.exec(sql)) {
      error = q.lastError().text();
      return false;
    }
  return true;
}

// Parameter values that try to end the literal early, with backslashes, quotes and multibyte
// characters whose last byte could be read as a backslash (0x5C in SJIS, BIG5 and GBK).
const QStringList Payloads{u"\\' OR 1=1)))--"_qs,
                           u"\\'' OR 1=1--"_qs,
                           u"\\\\' OR 1=1--"_qs,
                           u"a\\"_qs,
                           u"\\"_qs,
                           u"O'Brien"_qs,
                           u"'; DROP TABLE inj; --"_qs,
                           u"\\x27 OR 1=1--"_qs,
                           u"\\\\\\'--"_qs,
                           u"\u00e9\\' OR 1=1--"_qs,
                           u"\u30bd\\' OR 1=1--"_qs,
                           u"\u8a31\\' OR 1=1--"_qs};

QStringList pgParams(const QString &database) {
  return {u"HOST="_qs + qEnvironmentVariable("ZEL_PG_HOST"),
          u"PORT="_qs + qEnvironmentVariable("ZEL_PG_PORT"), u"DATABASE="_qs + database,
          u"USER NAME="_qs + qEnvironmentVariable("ZEL_PG_USER")};
}

QSqlDatabase adminConnection(const QString &name, const QString &database) {
  QSqlDatabase db = QSqlDatabase::addDatabase(u"QPSQL"_qs, name);
  db.setHostName(qEnvironmentVariable("ZEL_PG_HOST"));
  db.setPort(qEnvironmentVariableIntValue("ZEL_PG_PORT"));
  db.setDatabaseName(database);
  db.setUserName(qEnvironmentVariable("ZEL_PG_USER"));
  return db;
}

bool execAll(QSqlDatabase db, const QStringList &statements, QString &error) {
  QSqlQuery q(db);
  for (const QString &sql : statements)
    if (!q.exec(sql)) {
      error = q.lastError().text() + u'\n' + sql;
      return false;
    }
  return true;
}

// The databases of the injection runs, one per server encoding, each holding every payload
// it can store as a row of inj.
const QStringList Encodings{u"UTF8"_qs, u"LATIN1"_qs, u"SQL_ASCII"_qs};

QString injectionDatabase(const QString &encoding) {
  return u"zel_inj_"_qs + encoding.toLower();
}

bool storable(const QString &payload, const QString &encoding) {
  return encoding != u"LATIN1" ||
         std::all_of(payload.cbegin(), payload.cend(), [](QChar c) { return c.unicode() < 256; });
}

class Holder : public QObject, public TzelQueryOwner {
public:
  explicit Holder(TzelModel *model) : model(model), query(new TzelQuery(this)) {
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
  model.GetTable(model.AddTable(u"INJ"_qs, u"inj"_qs, u"Inj"_qs))
      ->AddField(u"name"_qs, u"Name"_qs, ftString, 0);
  Holder holder(&model);
  holder.query->AddTable(QString(), u"Inj"_qs, u"Inj"_qs);
  holder.query->GetValue(holder.query->AddValue(u"Inj"_qs, u"Name"_qs, QString()))
      ->SetFilter(1, zelFilterEqual, u"[P]|"_qs);
  QStringList sql;
  TzelSqlGenerator(*holder.query, model).BuildStatement({u"P="_qs + value}, sql);
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
    const QString file = scratch.filePath(u"stock.sqlite"_qs);
    {
      QSqlDatabase db = QSqlDatabase::addDatabase(u"QSQLITE"_qs, u"setup-lite"_qs);
      db.setDatabaseName(file);
      QVERIFY(db.open());
      QVERIFY2(fill(db, error), qPrintable(error));
      db.close();
    }
    QSqlDatabase::removeDatabase(u"setup-lite"_qs);
    const QStringList pgParams{u"HOST="_qs + qEnvironmentVariable("ZEL_PG_HOST"),
                               u"PORT="_qs + qEnvironmentVariable("ZEL_PG_PORT"),
                               u"DATABASE="_qs + qEnvironmentVariable("ZEL_PG_DATABASE"),
                               u"USER NAME="_qs + qEnvironmentVariable("ZEL_PG_USER")};
    {
      QSqlDatabase db = QSqlDatabase::addDatabase(u"QPSQL"_qs, u"setup-pg"_qs);
      db.setHostName(qEnvironmentVariable("ZEL_PG_HOST"));
      db.setPort(qEnvironmentVariableIntValue("ZEL_PG_PORT"));
      db.setDatabaseName(qEnvironmentVariable("ZEL_PG_DATABASE"));
      db.setUserName(qEnvironmentVariable("ZEL_PG_USER"));
      QVERIFY2(db.open(), qPrintable(db.lastError().text()));
      QVERIFY2(fill(db, error), qPrintable(error));
      db.close();
    }
    QSqlDatabase::removeDatabase(u"setup-pg"_qs);
    lite.setDatabaseName(u"STOCKLITE"_qs);
    lite.setDriverName(u"SQLITE"_qs);
    lite.setParams({u"DATABASE="_qs + file});
    QVERIFY2(lite.Open(), qPrintable(lite.lastError()));
    pg.setDatabaseName(u"STOCKPG"_qs);
    pg.setDriverName(u"POSTGRESQL"_qs);
    pg.setParams(pgParams);
    QVERIFY2(pg.Open(), qPrintable(pg.lastError()));
    createInjectionDatabases();
  }

private:
  void createInjectionDatabases() {
    {
      QSqlDatabase admin =
          adminConnection(u"setup-admin"_qs, qEnvironmentVariable("ZEL_PG_DATABASE"));
      QVERIFY2(admin.open(), qPrintable(admin.lastError().text()));
      QString error;
      for (const QString &encoding : Encodings) {
        const QString name = injectionDatabase(encoding);
        QVERIFY2(execAll(admin,
                         {u"DROP DATABASE IF EXISTS %1 WITH (FORCE)"_qs.arg(name),
                          u"CREATE DATABASE %1 ENCODING '%2' TEMPLATE template0 LC_COLLATE 'C' "
                          "LC_CTYPE 'C'"_qs.arg(name, encoding)},
                         error),
                 qPrintable(error));
      }
    }
    QSqlDatabase::removeDatabase(u"setup-admin"_qs);
    for (const QString &encoding : Encodings) {
      {
        QSqlDatabase db = adminConnection(u"setup-inj"_qs, injectionDatabase(encoding));
        QVERIFY2(db.open(), qPrintable(db.lastError().text()));
        QSqlQuery q(db);
        QVERIFY(q.exec(u"CREATE TABLE inj (name TEXT)"_qs));
        QVERIFY(q.prepare(u"INSERT INTO inj VALUES (?)"_qs));
        for (const QString &payload : Payloads + QStringList{u"Acme"_qs, u"Zeus"_qs})
          if (storable(payload, encoding)) {
            q.addBindValue(payload);
            QVERIFY2(q.exec(), qPrintable(q.lastError().text()));
          }
      }
      QSqlDatabase::removeDatabase(u"setup-inj"_qs);
    }
  }

private slots:
  void cleanupTestCase() {
    if (qEnvironmentVariableIsEmpty("ZEL_PG_HOST"))
      return;
    {
      QSqlDatabase admin =
          adminConnection(u"drop-admin"_qs, qEnvironmentVariable("ZEL_PG_DATABASE"));
      QVERIFY(admin.open());
      QSqlQuery q(admin);
      for (const QString &encoding : Encodings)
        q.exec(u"DROP DATABASE IF EXISTS %1 WITH (FORCE)"_qs.arg(injectionDatabase(encoding)));
    }
    QSqlDatabase::removeDatabase(u"drop-admin"_qs);
  }

  // A parameter value finds exactly its own row, whatever the database or role sets for
  // backslashes in strings, backslash_quote and the client encoding.
  void injectionUnderServerSettings_data() {
    QTest::addColumn<QString>("encoding");
    QTest::addColumn<QStringList>("settings");
    const QString off = u"standard_conforming_strings = off"_qs;
    QTest::newRow("standard strings") << u"UTF8"_qs << QStringList();
    QTest::newRow("backslash escapes") << u"UTF8"_qs << QStringList{off};
    for (const char *quote : {"on", "off", "safe_encoding"})
      QTest::addRow("backslash escapes, backslash_quote %s", quote)
          << u"UTF8"_qs << QStringList{off, u"backslash_quote = "_qs + QLatin1String(quote)};
    for (const char *client : {"SJIS", "BIG5", "GBK", "LATIN1"})
      QTest::addRow("backslash escapes, client_encoding %s", client)
          << u"UTF8"_qs
          << QStringList{off, u"backslash_quote = on"_qs,
                         u"client_encoding = '%1'"_qs.arg(QLatin1String(client))};
    QTest::newRow("LATIN1 server")
        << u"LATIN1"_qs << QStringList{off, u"client_encoding = 'LATIN1'"_qs};
    QTest::newRow("SQL_ASCII server")
        << u"SQL_ASCII"_qs << QStringList{off, u"client_encoding = 'SQL_ASCII'"_qs};
  }
  void injectionUnderServerSettings() {
    QFETCH(QString, encoding);
    QFETCH(QStringList, settings);
    const QString database = injectionDatabase(encoding);
    {
      QSqlDatabase admin =
          adminConnection(u"set-admin"_qs, qEnvironmentVariable("ZEL_PG_DATABASE"));
      QVERIFY(admin.open());
      QStringList alter{u"ALTER DATABASE %1 RESET ALL"_qs.arg(database)};
      for (const QString &setting : std::as_const(settings))
        alter << u"ALTER DATABASE %1 SET "_qs.arg(database) + setting;
      QString error;
      QVERIFY2(execAll(admin, alter, error), qPrintable(error));
    }
    QSqlDatabase::removeDatabase(u"set-admin"_qs);
    TzelConnection connection;
    connection.setDatabaseName(u"INJ"_qs);
    connection.setDriverName(u"POSTGRESQL"_qs);
    connection.setParams(pgParams(database));
    QVERIFY2(connection.Open(), qPrintable(connection.lastError()));
    TzelDataset ds;
    ds.setDatabaseName(u"INJ"_qs);
    ds.setSQL({u"SHOW standard_conforming_strings"_qs});
    ds.Open();
    QCOMPARE(ds.value(0, 0).toString(), settings.isEmpty() ? u"on"_qs : u"off"_qs);
    ds.Close();
    ds.setSQL({u"SHOW client_encoding"_qs});
    ds.Open();
    QCOMPARE(ds.value(0, 0).toString(), u"UTF8"_qs);
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
          wrong << u"%1 rows: %2"_qs.arg(ds.RecordCount()).arg(sql);
      } catch (const EzelError &e) {
        wrong << e.message() + u": "_qs + sql;
      }
    }
    QVERIFY2(wrong.isEmpty(), qPrintable(wrong.join(u"\n"_qs)));
  }

  void sameFieldDefinitions() {
    TzelDataset a, b;
    a.setDatabaseName(u"STOCKLITE"_qs);
    b.setDatabaseName(u"STOCKPG"_qs);
    a.setSQL({u"SELECT * FROM stock ORDER BY id"_qs});
    b.setSQL(a.SQL());
    a.Open();
    b.Open();
    const QList<TzelFieldDef> expected{{u"id"_qs, ftInteger, 0},       {u"bin"_qs, ftSmallint, 0},
                                       {u"name"_qs, ftString, 30},     {u"added"_qs, ftDate, 0},
                                       {u"checked"_qs, ftDateTime, 0}, {u"opens"_qs, ftTime, 0},
                                       {u"active"_qs, ftBoolean, 0},   {u"weight"_qs, ftFloat, 0},
                                       {u"price"_qs, ftBCD, 2},        {u"note"_qs, ftMemo, 0}};
    QCOMPARE(a.FieldDefs(), expected);
    QCOMPARE(b.FieldDefs(), expected);
    QCOMPARE(a.RecordCount(), 2);
    QCOMPARE(b.RecordCount(), 2);
    for (int r = 0; r < 2; ++r)
      for (int i = 0; i < a.FieldCount(); ++i)
        QVERIFY2(
            a.value(r, i) == b.value(r, i) || (a.value(r, i).isNull() && b.value(r, i).isNull()),
            qPrintable(u"row %1 field %2: %3 / %4"_qs.arg(r).arg(
                a.Fields(i)->FieldName(), a.value(r, i).toString(), b.value(r, i).toString())));
    QCOMPARE(a.value(0, 3).toDate(), QDate(1998, 1, 15));
  }

  void serverErrorsCarryTheDriverText() {
    TzelDataset ds;
    ds.setDatabaseName(u"STOCKPG"_qs);
    ds.setSQL({u"SELECT nope FROM stock"_qs});
    try {
      ds.Open();
      QFAIL("no error");
    } catch (const EzelError &e) {
      QVERIFY2(e.message().startsWith(u"Error: "_qs) && e.message().contains(u"nope"_qs),
               qPrintable(e.message()));
    }
  }

  void unreachableServer() {
    TzelConnection bad;
    bad.setDatabaseName(u"NOPG"_qs);
    bad.setDriverName(u"POSTGRESQL"_qs);
    bad.setParams({u"HOST=127.0.0.1"_qs, u"PORT=1"_qs, u"DATABASE=x"_qs, u"USER NAME=x"_qs});
    QVERIFY(!bad.Open());
    // The client library's lines, one for the failure and one for the rest.
    QCOMPARE(bad.lastError(),
             u"Error: connection to server at \"127.0.0.1\", port 1 failed: Connection refused\n"
             "Is the server running on that host and accepting TCP/IP connections?"_qs);
    QVERIFY(!bad.Connected());
  }
};

QTEST_GUILESS_MAIN(TstPostgres)
#include "tst_postgres.moc"
