// SPDX-License-Identifier: MIT
// The catalogue listings behind the add-table dialog: the tables an SQLite or PostgreSQL
// database lists through one statement are exactly those the Qt driver lists, a folder's
// table files come in QDir's order, and Cancel stops a listing.
#include "database/tablecatalogue.h"
#include "messages/zelerror.h"
#include "support/stopat.h"
#include "support/testservers.h"

#include <QDir>
#include <QFile>
#include <QSqlDatabase>
#include <QSqlError>
#include <QSqlQuery>
#include <QTemporaryDir>
#include <QtTest>

using namespace Qt::StringLiterals;

namespace {

// Tables of mixed case, a view, a temporary table and, on a server, one outside "public".
QStringList objects(TzelDriverKind kind) {
  QStringList sql{u"CREATE TABLE Zebra (id integer)"_s, u"CREATE TABLE apple (id integer)"_s,
                  u"CREATE TABLE \"Order Items\" (id integer)"_s,
                  u"CREATE VIEW big_apples AS SELECT id FROM apple"_s,
                  u"CREATE TEMPORARY TABLE scratch (id integer)"_s};
  if (kind == TzelDriverKind::Postgres)
    sql << u"DROP SCHEMA IF EXISTS sales CASCADE"_s << u"CREATE SCHEMA sales"_s
        << u"CREATE TABLE sales.\"Leads\" (id integer)"_s;
  return sql;
}

} // namespace

class TestTableCatalogue : public QObject {
  Q_OBJECT
  QTemporaryDir scratch;

private slots:
  void asTheDriverLists_data() {
    QTest::addColumn<int>("kind");
    QTest::newRow("SQLite") << int(TzelDriverKind::Sqlite);
    QTest::newRow("PostgreSQL") << int(TzelDriverKind::Postgres);
  }
  void asTheDriverLists() {
    QFETCH(int, kind);
    const auto driver = TzelDriverKind(kind);
    const bool server = driver == TzelDriverKind::Postgres;
    if (server && qEnvironmentVariableIsEmpty("ZEL_PG_HOST"))
      QSKIP("ZEL_PG_HOST is not set: no PostgreSQL server was started for this run");
    {
      QSqlDatabase db = server ? testServerConnection(kTestPostgres, u"c"_s)
                               : QSqlDatabase::addDatabase(u"QSQLITE"_s, u"c"_s);
      if (!server)
        db.setDatabaseName(scratch.filePath(u"catalogue.sqlite"_s));
      QVERIFY2(db.open(), qPrintable(db.lastError().text()));
      QSqlQuery q(db);
      for (const QString &sql : objects(driver))
        QVERIFY2(q.exec(sql), qPrintable(sql + u": "_s + q.lastError().text()));
      for (const bool system : {false, true}) {
        QStringList expected = db.tables(QSql::Tables);
        if (system)
          expected += db.tables(QSql::SystemTables);
        QCOMPARE(zelCatalogueTables(db, driver, system), expected);
      }
      QVERIFY(
          zelCatalogueTables(db, driver, false).contains(server ? u"sales.Leads"_s : u"apple"_s));
      if (server)
        q.exec(u"DROP SCHEMA sales CASCADE"_s);
      for (const char *table : {"Zebra", "apple", "\"Order Items\""})
        q.exec(u"DROP TABLE %1 CASCADE"_s.arg(QLatin1String(table)));
    }
    QSqlDatabase::removeDatabase(u"c"_s);
  }

  void folderFilesInQDirsOrder() {
    const QString folder = scratch.filePath(u"folder"_s);
    QVERIFY(QDir().mkpath(folder + u"/Sub.DB"_s)); // a folder is no table
    for (const char *name :
         {"b.DB", "A.db", "a.dbf", "_x.DB", "Z.DB", ".hidden.DB", "notes.txt", "10.DB"})
      QVERIFY(QFile(folder + u'/' + QLatin1String(name)).open(QIODevice::WriteOnly));
    const auto isTable = [](const QString &f) { return f.endsWith(u".db"_s, Qt::CaseInsensitive); };
    const QStringList listed = zelFolderFiles(folder, isTable);
    QStringList expected = QDir(folder).entryList(QDir::Files, QDir::Name | QDir::IgnoreCase);
    expected.removeIf([&](const QString &f) { return !isTable(f); });
    QCOMPARE(listed, expected);
    QCOMPARE(listed, QStringList({"10.DB", "_x.DB", "A.db", "b.DB", "Z.DB"}));
  }

  // Cancel at the first question stops the listing, whether SQLite is still reading its
  // schema or rows are being counted.
  void cancelStopsTheListing() {
    {
      QSqlDatabase db = QSqlDatabase::addDatabase(u"QSQLITE"_s, u"many"_s);
      db.setDatabaseName(u":memory:"_s);
      QVERIFY(db.open());
      QSqlQuery q(db);
      for (int i = 0; i < 600; ++i)
        QVERIFY(q.exec(u"CREATE TABLE t%1 (id integer)"_s.arg(i)));
      QCOMPARE(zelCatalogueTables(db, TzelDriverKind::Sqlite, false).size(), 600);
      StopAt stop(1);
      try {
        zelCatalogueTables(db, TzelDriverKind::Sqlite, false);
        QFAIL("the listing went on after Cancel");
      } catch (const EzelError &e) {
        QCOMPARE(e.message(), u"Error: The listing of the tables was cancelled"_s);
      }
    }
    QSqlDatabase::removeDatabase(u"many"_s);
  }
};

QTEST_GUILESS_MAIN(TestTableCatalogue)
#include "tst_tablecatalogue.moc"
