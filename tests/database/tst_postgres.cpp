// The same table in SQLite and in PostgreSQL gives the same field definitions and values.
// Needs ZEL_PG_HOST, ZEL_PG_PORT, ZEL_PG_USER and ZEL_PG_DATABASE (scripts/postgres.sh).
#include "database/zelconnection.h"
#include "database/zeldataset.h"

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
    QVERIFY(bad.lastError().startsWith(u"Error: "_qs));
    QVERIFY(!bad.Connected());
  }
};

QTEST_MAIN(TstPostgres)
#include "tst_postgres.moc"
