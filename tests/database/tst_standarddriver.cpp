// The STANDARD driver: Paradox and dBase folders queried with the local SQL dialect.
#include "database/zelconnection.h"
#include "database/zeldataset.h"
#include "database/zeldbasefile.h"
#include "database/zelparadoxfile.h"
#include "database/zelsession.h"
#include "support/errorof.h"

#include <QCoreApplication>
#include <QDate>
#include <QFile>
#include <QSettings>
#include <QTemporaryDir>
#include <QTest>

namespace {

QString sampleFolder() {
  return QCoreApplication::applicationDirPath() + u"/Data/"_qs;
}

TzelTableData smallTable(int rows) {
  TzelTableData t;
  t.columns = {{u"ID"_qs, {ftInteger, 0}},
               {u"NAME"_qs, {ftString, 20}},
               {u"SOLD"_qs, {ftDate, 0}},
               {u"OK"_qs, {ftBoolean, 0}},
               {u"PRICE"_qs, {ftCurrency, 0}}};
  for (int i = 0; i < rows; ++i)
    t.rows.append(
        {i + 1, u"Row %1"_qs.arg(i + 1), QDate(1998, 1, 1).addDays(i), i % 2 == 0, 1.25 * i});
  return t;
}

} // namespace

class TstStandardDriver : public QObject {
  Q_OBJECT
  TzelConnection connection;
  QTemporaryDir scratch;

private slots:
  void initTestCase() {
    qputenv("ZEL_ALIASES_FILE", scratch.filePath(u"aliases.ini"_qs).toLocal8Bit());
    connection.setDatabaseName(u"PELLOX"_qs);
    connection.setDriverName(u"STANDARD"_qs);
    connection.setParams(
        {u"PATH="_qs + sampleFolder(), u"DEFAULT DRIVER=PARADOX"_qs, u"ENABLE BCD=FALSE"_qs});
    connection.setLoginPrompt(false);
    connection.setConnected(true);
    QVERIFY2(connection.Connected(), qPrintable(connection.lastError()));
  }

  void workedExampleRunsAsWritten() {
    TzelDataset ds;
    ds.setProperty("DatabaseName", u"PELLOX"_qs);
    ds.setProperty("SQL", QStringList{u"  SELECT Vendors.VND_NM AS Vendors.VendorName,"_qs,
                                      u"         Parts.PT_DES AS Parts.PartDesc"_qs,
                                      u"    FROM \":PELLOX:T0492.DB\" AS Parts"_qs,
                                      u"         INNER JOIN \":PELLOX:T0494.DB\" AS Vendors"_qs,
                                      u"                 ON Parts.VND_NO = Vendors.VND_NO"_qs,
                                      u"   WHERE (((Parts.PT_DES LIKE \"%Gear%\")))"_qs,
                                      u"ORDER BY Vendors.VendorName ASC"_qs});
    ds.Open();
    QCOMPARE(ds.FieldCount(), 2);
    QCOMPARE(ds.Fields(0)->FieldName(), u"Vendors.VendorName"_qs);
    QCOMPARE(ds.Fields(1)->FieldName(), u"Parts.PartDesc"_qs);
    QCOMPARE(ds.Fields(0)->DataType(), ftString);
    QCOMPARE(ds.Fields(0)->Size(), 30);
    QVERIFY(ds.RecordCount() > 0);
    QString previous;
    for (ds.First(); !ds.Eof(); ds.Next()) {
      QVERIFY(ds.Fields(1)->DisplayText().contains(u"Gear"_qs));
      QVERIFY(previous <= ds.Fields(0)->DisplayText());
      previous = ds.Fields(0)->DisplayText();
    }
  }

  void chainOfFiveTablesWithTypes() {
    TzelDataset ds;
    ds.setDatabaseName(u"PELLOX"_qs);
    ds.setSQL({u"SELECT Customers.CST_CO AS Customers.Company, Orders.SL_DT AS Orders.SaleDate,"_qs,
               u" Orders.PD, Items.QTY, Parts.LST_PRC, Vendors.VND_NM"_qs,
               u" FROM \":PELLOX:T0490.DB\" AS Customers"_qs,
               u" INNER JOIN \":PELLOX:T0491.DB\" AS Orders ON Customers.CST_NO = Orders.CST_NO"_qs,
               u" INNER JOIN \":PELLOX:T0493.DB\" AS Items ON Orders.ORD_NO = Items.ORD_NO"_qs,
               u" INNER JOIN \":PELLOX:T0492.DB\" AS Parts ON Items.PT_ITM_NO = Parts.PT_ITM_NO"_qs,
               u" AND Items.VND_NO = Parts.VND_NO"_qs,
               u" INNER JOIN \":PELLOX:T0494.DB\" AS Vendors ON Parts.VND_NO = Vendors.VND_NO"_qs,
               u" WHERE Orders.SL_DT >= \"01/01/1998\""_qs});
    ds.Open();
    QVERIFY(ds.RecordCount() > 10);
    const QList<TFieldType> types{ftString, ftDate, ftBoolean, ftSmallint, ftCurrency, ftString};
    for (int i = 0; i < types.size(); ++i)
      QCOMPARE(ds.Fields(i)->DataType(), types[i]);
    for (ds.First(); !ds.Eof(); ds.Next())
      QVERIFY(ds.Fields(1)->Value().toDate() >= QDate(1998, 1, 1));
    ds.First();
    ds.Fields(4)->setDisplayFormat(u"$#,#.00"_qs);
    QVERIFY(ds.Fields(4)->DisplayText().startsWith(u'$'));
    ds.Fields(2)->setDisplayValues(u"Yes;No"_qs);
    QVERIFY(ds.Fields(2)->DisplayText() == u"Yes" || ds.Fields(2)->DisplayText() == u"No");
  }

  void tableNames() {
    TzelSession &s = TzelSession::defaultSession();
    QCOMPARE(s.tableNames(u"PELLOX"_qs, u"*"_qs, true, false),
             (QStringList{u"T0490.DB"_qs, u"T0491.DB"_qs, u"T0492.DB"_qs, u"T0493.DB"_qs,
                          u"T0494.DB"_qs}));
    QCOMPARE(s.tableNames(u"PELLOX"_qs, u"T0492*"_qs, false, false), QStringList{u"T0492"_qs});
    QVERIFY(s.aliasNames().contains(u"PELLOX"_qs));
  }

  void aliasesFileIsRead() {
    QSettings ini(scratch.filePath(u"aliases.ini"_qs), QSettings::IniFormat);
    ini.beginGroup(u"USERDATA"_qs);
    ini.setValue(u"Driver"_qs, u"STANDARD"_qs);
    ini.setValue(u"Path"_qs, sampleFolder());
    ini.endGroup();
    ini.sync();
    QVERIFY(TzelSession::defaultSession().aliasNames().contains(u"USERDATA"_qs));
    TzelDataset ds;
    ds.setDatabaseName(u"USERDATA"_qs);
    ds.setSQL({u"SELECT COUNT(*) FROM \":USERDATA:T0494.DB\""_qs});
    ds.Open();
    QCOMPARE(ds.Fields(0)->Value().toInt(), 12);
  }

  void reloadsOnlyWhenTheFileChanged() {
    QTemporaryDir dir;
    const QString path = dir.filePath(u"stock.db"_qs);
    QVERIFY(writeParadoxTable(path, smallTable(3)).ok);
    TzelDataset ds;
    ds.setDatabaseName(dir.path());
    ds.setSQL({u"SELECT * FROM stock"_qs});
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
    QVERIFY(errorOf([&] { ds.Open(); }).contains(u"stock"_qs));
  }

  void badInput_data() {
    QTest::addColumn<QString>("database");
    QTest::addColumn<QString>("sql");
    QTest::addColumn<QString>("message");
    QTest::newRow("unknown alias")
        << u"NOSUCH"_qs << u"SELECT 1"_qs << u"Error: Unknown database [NOSUCH]"_qs;
    QTest::newRow("unknown prefix") << u"PELLOX"_qs << u"SELECT * FROM \":NOSUCH:T0492.DB\""_qs
                                    << u"Error: Unknown database [NOSUCH]"_qs;
    QTest::newRow("missing table") << u"PELLOX"_qs << u"SELECT * FROM \":PELLOX:T9999.DB\""_qs
                                   << u"Error: Table [:PELLOX:T9999.DB] does not exist"_qs;
    QTest::newRow("sql error") << u"PELLOX"_qs << u"SELECT NOPE FROM \":PELLOX:T0492.DB\""_qs
                               << u"Error: no such column: NOPE"_qs;
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
    QTest::newRow("truncated paradox") << u"cut.db"_qs << u"truncate"_qs << u"truncated"_qs;
    QTest::newRow("foreign paradox") << u"text.db"_qs << u"text"_qs << u"not a Paradox table"_qs;
    QTest::newRow("truncated dbase") << u"cut.dbf"_qs << u"truncate"_qs << u"truncated"_qs;
    QTest::newRow("foreign dbase") << u"text.dbf"_qs << u"text"_qs << u"not a dBase table"_qs;
    QTest::newRow("empty paradox") << u"empty.db"_qs << u"empty"_qs << u"not a Paradox table"_qs;
  }
  void damagedFiles() {
    QFETCH(QString, file);
    QFETCH(QString, kind);
    QFETCH(QString, reason);
    QTemporaryDir dir;
    const QString path = dir.filePath(file);
    if (kind == u"truncate") {
      const TzelTableData t = smallTable(400);
      QVERIFY(file.endsWith(u".dbf"_qs) ? writeDbaseTable(path, t).ok
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
    ds.setSQL({u"SELECT * FROM \""_qs + path + u'"'});
    const QString error = errorOf([&] { ds.Open(); });
    QVERIFY2(error.startsWith(u"Error: "_qs) && error.contains(reason), qPrintable(error));
  }
};

QTEST_GUILESS_MAIN(TstStandardDriver)
#include "tst_standarddriver.moc"
