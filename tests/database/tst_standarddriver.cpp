// SPDX-License-Identifier: MIT
// The STANDARD driver: Paradox and dBase folders queried with the local SQL dialect.
#include "database/zelconnection.h"
#include "database/zeldataset.h"
#include "database/zeldbasefile.h"
#include "database/zelparadoxfile.h"
#include "database/zelsession.h"
#include "support/errorof.h"
#include "support/samplefiles.h"

#include <QCoreApplication>
#include <QDate>
#include <QFile>
#include <QSettings>
#include <QTemporaryDir>
#include <QTest>

using namespace Qt::StringLiterals;

namespace {

QString sampleFolder() {
  return QCoreApplication::applicationDirPath() + u"/Data/"_s;
}

TzelTableData smallTable(int rows) {
  TzelTableData t;
  t.columns = {{u"ID"_s, {ftInteger, 0}},
               {u"NAME"_s, {ftString, 20}},
               {u"SOLD"_s, {ftDate, 0}},
               {u"OK"_s, {ftBoolean, 0}},
               {u"PRICE"_s, {ftCurrency, 0}}};
  for (int i = 0; i < rows; ++i)
    t.rows.append(
        {i + 1, u"Row %1"_s.arg(i + 1), QDate(1998, 1, 1).addDays(i), i % 2 == 0, 1.25 * i});
  return t;
}

} // namespace

class TstStandardDriver : public QObject {
  Q_OBJECT
  TzelConnection connection;
  QTemporaryDir scratch;

private slots:
  void initTestCase() {
    ZEL_SKIP_WITHOUT_PARADOX();
    qputenv("ZEL_ALIASES_FILE", scratch.filePath(u"aliases.ini"_s).toLocal8Bit());
    connection.setDatabaseName(u"PELLOX"_s);
    connection.setDriverName(u"STANDARD"_s);
    connection.setParams(
        {u"PATH="_s + sampleFolder(), u"DEFAULT DRIVER=PARADOX"_s, u"ENABLE BCD=FALSE"_s});
    connection.setLoginPrompt(false);
    connection.setConnected(true);
    QVERIFY2(connection.Connected(), qPrintable(connection.lastError()));
  }

  void workedExampleRunsAsWritten() {
    TzelDataset ds;
    ds.setProperty("DatabaseName", u"PELLOX"_s);
    ds.setProperty("SQL", QStringList{u"  SELECT Vendors.VND_NM AS Vendors.VendorName,"_s,
                                      u"         Parts.PT_DES AS Parts.PartDesc"_s,
                                      u"    FROM \":PELLOX:T0492.DB\" AS Parts"_s,
                                      u"         INNER JOIN \":PELLOX:T0494.DB\" AS Vendors"_s,
                                      u"                 ON Parts.VND_NO = Vendors.VND_NO"_s,
                                      u"   WHERE (((Parts.PT_DES LIKE \"%Gear%\")))"_s,
                                      u"ORDER BY Vendors.VendorName ASC"_s});
    ds.Open();
    QCOMPARE(ds.FieldCount(), 2);
    QCOMPARE(ds.Fields(0)->FieldName(), u"Vendors.VendorName"_s);
    QCOMPARE(ds.Fields(1)->FieldName(), u"Parts.PartDesc"_s);
    QCOMPARE(ds.Fields(0)->DataType(), ftString);
    QCOMPARE(ds.Fields(0)->Size(), 30);
    QVERIFY(ds.RecordCount() > 0);
    QString previous;
    for (ds.First(); !ds.Eof(); ds.Next()) {
      QVERIFY(ds.Fields(1)->DisplayText().contains(u"Gear"_s));
      QVERIFY(previous <= ds.Fields(0)->DisplayText());
      previous = ds.Fields(0)->DisplayText();
    }
  }

  void chainOfFiveTablesWithTypes() {
    TzelDataset ds;
    ds.setDatabaseName(u"PELLOX"_s);
    ds.setSQL({u"SELECT Customers.CST_CO AS Customers.Company, Orders.SL_DT AS Orders.SaleDate,"_s,
               u" Orders.PD, Items.QTY, Parts.LST_PRC, Vendors.VND_NM"_s,
               u" FROM \":PELLOX:T0490.DB\" AS Customers"_s,
               u" INNER JOIN \":PELLOX:T0491.DB\" AS Orders ON Customers.CST_NO = Orders.CST_NO"_s,
               u" INNER JOIN \":PELLOX:T0493.DB\" AS Items ON Orders.ORD_NO = Items.ORD_NO"_s,
               u" INNER JOIN \":PELLOX:T0492.DB\" AS Parts ON Items.PT_ITM_NO = Parts.PT_ITM_NO"_s,
               u" AND Items.VND_NO = Parts.VND_NO"_s,
               u" INNER JOIN \":PELLOX:T0494.DB\" AS Vendors ON Parts.VND_NO = Vendors.VND_NO"_s,
               u" WHERE Orders.SL_DT >= \"01/01/1998\""_s});
    ds.Open();
    QVERIFY(ds.RecordCount() > 10);
    const QList<TFieldType> types{ftString, ftDate, ftBoolean, ftSmallint, ftCurrency, ftString};
    for (int i = 0; i < types.size(); ++i)
      QCOMPARE(ds.Fields(i)->DataType(), types[i]);
    for (ds.First(); !ds.Eof(); ds.Next())
      QVERIFY(ds.Fields(1)->Value().toDate() >= QDate(1998, 1, 1));
    ds.First();
    ds.Fields(4)->setDisplayFormat(u"$#,#.00"_s);
    QVERIFY(ds.Fields(4)->DisplayText().startsWith(u'$'));
    ds.Fields(2)->setDisplayValues(u"Yes;No"_s);
    QVERIFY(ds.Fields(2)->DisplayText() == u"Yes" || ds.Fields(2)->DisplayText() == u"No");
  }

  void tableNames() {
    TzelSession &s = TzelSession::defaultSession();
    QCOMPARE(
        s.tableNames(u"PELLOX"_s, u"*"_s, true, false),
        (QStringList{u"T0490.DB"_s, u"T0491.DB"_s, u"T0492.DB"_s, u"T0493.DB"_s, u"T0494.DB"_s}));
    QCOMPARE(s.tableNames(u"PELLOX"_s, u"T0492*"_s, false, false), QStringList{u"T0492"_s});
    QVERIFY(s.aliasNames().contains(u"PELLOX"_s));
  }

  void aliasesFileIsRead() {
    QSettings ini(scratch.filePath(u"aliases.ini"_s), QSettings::IniFormat);
    ini.beginGroup(u"USERDATA"_s);
    ini.setValue(u"Driver"_s, u"STANDARD"_s);
    ini.setValue(u"Path"_s, sampleFolder());
    ini.endGroup();
    ini.sync();
    QVERIFY(TzelSession::defaultSession().aliasNames().contains(u"USERDATA"_s));
    TzelDataset ds;
    ds.setDatabaseName(u"USERDATA"_s);
    ds.setSQL({u"SELECT COUNT(*) FROM \":USERDATA:T0494.DB\""_s});
    ds.Open();
    QCOMPARE(ds.Fields(0)->Value().toInt(), 12);
  }

  void reloadsOnlyWhenTheFileChanged() {
    QTemporaryDir dir;
    const QString path = dir.filePath(u"stock.db"_s);
    QVERIFY(writeParadoxTable(path, smallTable(3)).ok);
    TzelDataset ds;
    ds.setDatabaseName(dir.path());
    ds.setSQL({u"SELECT * FROM stock"_s});
    ds.Open();
    QCOMPARE(ds.RecordCount(), 3);
    QCOMPARE(ds.Fields(2)->Value().toDate(), QDate(1998, 1, 1));
    QCOMPARE(ds.Fields(3)->Value().toBool(), true);
    ds.Close();
    QVERIFY(writeParadoxTable(path, smallTable(7)).ok);
    ds.Open();
    QCOMPARE(ds.RecordCount(), 7);
    ds.Close();
    QFile::remove(path);
    QVERIFY(errorOf([&] { ds.Open(); }).contains(u"stock"_s));
  }

  void badInput_data() {
    QTest::addColumn<QString>("database");
    QTest::addColumn<QString>("sql");
    QTest::addColumn<QString>("message");
    QTest::newRow("unknown alias")
        << u"NOSUCH"_s << u"SELECT 1"_s << u"Error: Unknown database [NOSUCH]"_s;
    QTest::newRow("unknown prefix") << u"PELLOX"_s << u"SELECT * FROM \":NOSUCH:T0492.DB\""_s
                                    << u"Error: Unknown database [NOSUCH]"_s;
    QTest::newRow("missing table") << u"PELLOX"_s << u"SELECT * FROM \":PELLOX:T9999.DB\""_s
                                   << u"Error: Table [:PELLOX:T9999.DB] does not exist"_s;
    QTest::newRow("sql error") << u"PELLOX"_s << u"SELECT NOPE FROM \":PELLOX:T0492.DB\""_s
                               << u"Error: no such column: NOPE"_s;
  }
  void badInput() {
    QFETCH(QString, database);
    QFETCH(QString, sql);
    QFETCH(QString, message);
    TzelDataset ds;
    ds.setDatabaseName(database);
    ds.setSQL({sql});
    QCOMPARE(errorOf([&] { ds.Open(); }), message);
    QVERIFY(!ds.Active());
  }

  void damagedFiles_data() {
    QTest::addColumn<QString>("file");
    QTest::addColumn<QString>("kind");
    QTest::addColumn<QString>("reason");
    QTest::newRow("truncated paradox") << u"cut.db"_s << u"truncate"_s << u"truncated"_s;
    QTest::newRow("foreign paradox") << u"text.db"_s << u"text"_s << u"not a Paradox table"_s;
    QTest::newRow("truncated dbase") << u"cut.dbf"_s << u"truncate"_s << u"truncated"_s;
    QTest::newRow("foreign dbase") << u"text.dbf"_s << u"text"_s << u"not a dBase table"_s;
    QTest::newRow("empty paradox") << u"empty.db"_s << u"empty"_s << u"not a Paradox table"_s;
  }
  void damagedFiles() {
    QFETCH(QString, file);
    QFETCH(QString, kind);
    QFETCH(QString, reason);
    QTemporaryDir dir;
    const QString path = dir.filePath(file);
    if (kind == u"truncate") {
      const TzelTableData t = smallTable(400);
      QVERIFY(file.endsWith(u".dbf"_s) ? writeDbaseTable(path, t).ok
                                       : writeParadoxTable(path, t).ok);
      QFile f(path);
      QVERIFY(f.open(QIODevice::ReadWrite));
      QVERIFY(f.resize(f.size() / 2));
    } else {
      QFile f(path);
      QVERIFY(f.open(QIODevice::WriteOnly));
      if (kind == u"text")
        f.write(QByteArray("This is a plain text file, not a table at all.\n").repeated(40));
    }
    TzelDataset ds;
    ds.setDatabaseName(dir.path());
    ds.setSQL({u"SELECT * FROM \""_s + path + u'"'});
    const QString error = errorOf([&] { ds.Open(); });
    QVERIFY2(error.startsWith(u"Error: "_s) && error.contains(reason), qPrintable(error));
  }
};

QTEST_GUILESS_MAIN(TstStandardDriver)
#include "tst_standarddriver.moc"
