// SPDX-License-Identifier: MIT
// Display texts of dataset fields over a scratch SQLite file: every kind of column, with and
// without a display format, and a record of nulls.

#include "database/zeldataset.h"

#include <QLocale>
#include <QSqlDatabase>
#include <QSqlError>
#include <QSqlQuery>
#include <QTemporaryDir>
#include <QTest>

using namespace Qt::StringLiterals;

class TestDatasetDisplay : public QObject {
  Q_OBJECT

private slots:
  void initTestCase();
  void cleanupTestCase() { QLocale::setDefault(m_previous); }
  void withoutFormats_data();
  void withoutFormats();
  void withFormats();
  void nullsShowEmpty();

private:
  void open(TzelDataset &dataset);
  QTemporaryDir m_dir;
  QString m_db;
  QLocale m_previous;
};

void TestDatasetDisplay::initTestCase() {
  QLocale::setDefault(QLocale(QLocale::English, QLocale::UnitedStates));
  QVERIFY(m_dir.isValid());
  m_db = m_dir.filePath(QStringLiteral("display.sqlite"));
  {
    QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), QStringLiteral("setup"));
    db.setDatabaseName(m_db);
    QVERIFY(db.open());
    QSqlQuery q(db);
    const QStringList statements = {
        QStringLiteral("CREATE TABLE Shown (Amount CURRENCY, Price FLOAT, Qty INTEGER, "
                       "Sold DATE, At TIME, Stamp DATETIME, Ok BOOLEAN, Pic BLOB, "
                       "Note VARCHAR(20))"),
        QStringLiteral("INSERT INTO Shown VALUES (1250, 2.5, 1234567, '1999-03-01', '14:05:09', "
                       "'1999-03-01 14:05:09', 1, x'0102', 'Acme')"),
        QStringLiteral("INSERT INTO Shown VALUES (NULL, NULL, NULL, NULL, NULL, NULL, NULL, "
                       "NULL, NULL)"),
    };
    for (const QString &s : statements)
      QVERIFY2(q.exec(s), qPrintable(q.lastError().text()));
  }
  QSqlDatabase::removeDatabase(QStringLiteral("setup"));
}

void TestDatasetDisplay::open(TzelDataset &dataset) {
  dataset.setDatabaseName(m_db);
  dataset.setSQL({QStringLiteral("SELECT * FROM Shown")});
  dataset.Open();
}

void TestDatasetDisplay::withoutFormats_data() {
  QTest::addColumn<int>("field");
  QTest::addColumn<QString>("text");
  QTest::newRow("currency as #,##0.00") << 0 << "1,250.00";
  QTest::newRow("float plain") << 1 << "2.5";
  QTest::newRow("integer plain") << 2 << "1234567";
  QTest::newRow("date as short date") << 3 << "3/1/1999";
  QTest::newRow("time as long time") << 4 << "2:05:09 PM";
  QTest::newRow("date-time") << 5 << "3/1/1999 2:05:09 PM";
  QTest::newRow("boolean") << 6 << "True";
  QTest::newRow("blob") << 7 << "(BLOB)";
  QTest::newRow("string") << 8 << "Acme";
}

void TestDatasetDisplay::withoutFormats() {
  QFETCH(int, field);
  QFETCH(QString, text);
  TzelDataset dataset;
  open(dataset);
  QCOMPARE(dataset.Fields(field)->displayTextAt(0), text);
}

void TestDatasetDisplay::withFormats() {
  TzelDataset dataset;
  open(dataset);
  dataset.Fields(0)->setDisplayFormat(QStringLiteral("$#,#.00"));
  dataset.Fields(1)->setDisplayFormat(QStringLiteral("#,#.00"));
  dataset.Fields(2)->setDisplayFormat(QStringLiteral("#,#"));
  dataset.Fields(3)->setDisplayFormat(QStringLiteral("mm\"/\"dd\"/\"yyyy"));
  dataset.Fields(4)->setDisplayFormat(QStringLiteral("c"));
  dataset.Fields(5)->setDisplayFormat(QStringLiteral("yyyy-mm-dd hh:nn"));
  dataset.Fields(6)->setDisplayValues(QStringLiteral("Yes;No"));
  const QStringList expected = {u"$1,250.00"_s,  u"2.50"_s,       u"1,234,567"_s,
                                u"03/01/1999"_s, u"2:05:09 PM"_s, u"1999-03-01 14:05"_s,
                                u"Yes"_s,        u"(BLOB)"_s,     u"Acme"_s};
  for (int i = 0; i < expected.size(); ++i)
    QCOMPARE(dataset.Fields(i)->displayTextAt(0), expected.at(i));
}

void TestDatasetDisplay::nullsShowEmpty() {
  TzelDataset dataset;
  open(dataset);
  for (int i = 0; i < dataset.FieldCount(); ++i)
    QCOMPARE(dataset.Fields(i)->displayTextAt(1), QString());
}

QTEST_GUILESS_MAIN(TestDatasetDisplay)
#include "tst_datasetdisplay.moc"
