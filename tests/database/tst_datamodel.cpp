// SPDX-License-Identifier: MIT
// The database-bound data model: prefixes, structures read from tables, native export.
#include "database/tablefieldnames.h"
#include "database/zelconnection.h"
#include "database/zeldatamodel.h"
#include "database/zelsession.h"
#include "support/recordingmessages.h"
#include "support/samplefiles.h"

#include <QCoreApplication>
#include <QDate>
#include <QDir>
#include <QFile>
#include <QProcess>
#include <QSqlDatabase>
#include <QSqlQuery>
#include <QTemporaryDir>
#include <QTest>

using namespace Qt::StringLiterals;

extern "C" {
#include <paradox.h>
}

namespace {

const QStringList ExportQuery{
    u"SELECT Orders.ORD_NO, Items.ITM_NO, Customers.CST_CO, Orders.SL_DT, Orders.SHP_DT,"_s,
    u"       Orders.PD, Items.DSC"_s,
    u"  FROM \":PELLOX:T0490.DB\" AS Customers"_s,
    u"       INNER JOIN \":PELLOX:T0491.DB\" AS Orders ON Customers.CST_NO = Orders.CST_NO"_s,
    u"       INNER JOIN \":PELLOX:T0493.DB\" AS Items ON Orders.ORD_NO = Items.ORD_NO"_s,
    u"ORDER BY Orders.ORD_NO, Items.ITM_NO"_s};

// The field names of a table as readers that are not ours see them: the dbf package of
// Python 3 (which gives them in lower case) and pxlib.
QStringList dbaseFieldNames(const QString &path) {
  QProcess python;
  python.start(
      u"/usr/bin/python3"_s,
      {u"-W"_s, u"ignore"_s, u"-c"_s,
       u"import dbf, sys\nt = dbf.Table(sys.argv[1])\nt.open()\nprint(' '.join(t.field_names))"_s,
       path});
  python.waitForFinished(60000);
  return QString::fromUtf8(python.readAllStandardOutput())
      .simplified()
      .split(u' ', Qt::SkipEmptyParts);
}

QStringList paradoxFieldNames(const QString &path) {
  QStringList names;
  pxdoc_t *doc = PX_new();
  if (doc && PX_open_file(doc, QFile::encodeName(path).constData()) == 0) {
    const pxfield_t *fields = PX_get_fields(doc);
    for (int i = 0; i < PX_get_num_fields(doc); ++i)
      names << QString::fromLatin1(fields[i].px_fname);
    PX_close(doc);
  }
  if (doc)
    PX_delete(doc);
  return names;
}

bool pythonHasDbf() {
  QProcess python;
  python.start(u"/usr/bin/python3"_s, {u"-c"_s, u"import dbf"_s});
  return python.waitForFinished(60000) && python.exitStatus() == QProcess::NormalExit &&
         python.exitCode() == 0;
}

} // namespace

class TstDataModel : public QObject {
  Q_OBJECT
  TzelConnection pellox;
  QTemporaryDir scratch;

private slots:
  void initTestCase() {
    ZEL_SKIP_WITHOUT_PARADOX();
    qputenv("ZEL_ALIASES_FILE", scratch.filePath(u"none.ini"_s).toLocal8Bit());
    pellox.setDatabaseName(u"PELLOX"_s);
    pellox.setDriverName(u"STANDARD"_s);
    pellox.setParams({u"PATH="_s + QCoreApplication::applicationDirPath() + u"/Data/"_s});
    QVERIFY2(pellox.Open(), qPrintable(pellox.lastError()));
  }

  void prefixes_data() {
    QTest::addColumn<TzelDatabase>("type");
    QTest::addColumn<QString>("database");
    QTest::addColumn<QString>("prefix");
    QTest::newRow("paradox alias") << zelParadox << u"PELLOX"_s << u":PELLOX:"_s;
    QTest::newRow("dbase alias") << zelDbase << u"PELLOX"_s << u":PELLOX:"_s;
    QTest::newRow("paradox folder") << zelParadox << u"C:\\DATA"_s << u"C:\\DATA\\"_s;
    QTest::newRow("folder with separator") << zelParadox << u"C:\\DATA\\"_s << u"C:\\DATA\\"_s;
    QTest::newRow("unix folder") << zelParadox << u"/srv/data"_s << u"/srv/data/"_s;
    QTest::newRow("mssql alias") << zelMSSQL << u"PELLOX"_s << QString();
    QTest::newRow("mssql folder") << zelMSSQL << u"/srv/data"_s << u"/srv/data/"_s;
  }
  void prefixes() {
    QFETCH(TzelDatabase, type);
    QFETCH(QString, database);
    QFETCH(QString, prefix);
    TzelDataModel model;
    QCOMPARE(model.DatabaseType(), zelUnknown);
    model.SetDatabaseType(type);
    QCOMPARE(model.DatabasePrefix(database), prefix);
  }

  void listsAndTypes() {
    TzelDataModel model;
    QStringList list{u"junk"_s};
    model.ExportFileTypes(list);
    QCOMPARE(list, (QStringList{u"dBase table (*.dbf)"_s, u"Paradox table (*.db)"_s}));
    model.GetDatabaseNames(list);
    QVERIFY(list.contains(u"PELLOX"_s));
    model.GetTableNames(u"PELLOX"_s, u"*"_s, true, false, list);
    QCOMPARE(list.size(), 5);
    TzelDataset ds;
    ds.setDatabaseName(u"PELLOX"_s);
    QCOMPARE(model.DatasetDatabaseName(&ds), u"PELLOX"_s);
    RecordingMessages rec;
    model.GetTableNames(u"NOSUCH"_s, u"*"_s, true, false, list);
    QVERIFY(list.isEmpty());
    QCOMPARE(rec.lastText(), u"Error: Unknown database [NOSUCH]"_s);
  }

  void structureOfOrderItems() {
    const QString file = scratch.filePath(u"orders.sqlite"_s);
    {
      QSqlDatabase db = QSqlDatabase::addDatabase(u"QSQLITE"_s, u"setup"_s);
      db.setDatabaseName(file);
      QVERIFY(db.open());
      QSqlQuery q(db);
      QVERIFY(
          q.exec(u"CREATE TABLE [Order Items] (OrderNo INTEGER, Item VARCHAR(20), Qty SMALLINT, "
                 "Price NUMERIC(10,2), Shipped DATE)"_s));
      db.close();
    }
    QSqlDatabase::removeDatabase(u"setup"_s);
    TzelConnection sales;
    sales.setDatabaseName(u"SALES"_s);
    sales.setDriverName(u"SQLITE"_s);
    sales.setParams({u"DATABASE="_s + file});
    QVERIFY2(sales.Open(), qPrintable(sales.lastError()));

    TzelDataModel model;
    model.SetDatabaseType(zelMSSQL);
    model.SetNameQuote(zelQuoteBracket);
    const int index = model.AddTableFromDatabase(u"SALES"_s, u"Order Items"_s);
    QVERIFY(index >= 0);
    QCOMPARE(model.StructureQuery()->SQL(),
             QStringList{u"SELECT * FROM [Order Items] WHERE 1 = 0"_s});
    QVERIFY(!model.StructureQuery()->Active());
    TzelTable *table = model.GetTable(index);
    QCOMPARE(table->TableName(), u"Order Items"_s);
    const QStringList names{u"OrderNo"_s, u"Item"_s, u"Qty"_s, u"Price"_s, u"Shipped"_s};
    const QList<TFieldType> types{ftInteger, ftString, ftSmallint, ftBCD, ftDate};
    QCOMPARE(table->FieldCount(), 5);
    for (int i = 0; i < 5; ++i) {
      TzelField *f = table->GetField(i);
      QCOMPARE(f->FieldName(), names[i]);
      QCOMPARE(f->FieldAlias(), names[i]);
      QCOMPARE(f->DataType(), types[i]);
      QCOMPARE(f->Position(), i);
    }
    QCOMPARE(table->GetField(1)->DataSize(), 20);
    QCOMPARE(table->GetField(0)->Alignment(), taRightJustify);
    QCOMPARE(table->GetField(1)->Alignment(), taLeftJustify);
  }

  void paradoxStructureFromAlias() {
    TzelDataModel model;
    model.SetDatabaseType(zelParadox);
    const int index = model.AddTableFromDatabase(u"PELLOX"_s, u"T0492.DB"_s);
    QVERIFY(index >= 0);
    QCOMPARE(model.StructureQuery()->SQL(),
             QStringList{u"SELECT * FROM \"T0492.DB\" WHERE 1 = 0"_s});
    QCOMPARE(model.GetTable(index)->FieldCount(), 7);
    QCOMPARE(model.GetTable(index)->GetField(6)->FieldName(), u"LST_PRC"_s);
    QCOMPARE(model.GetTable(index)->GetField(6)->DataType(), ftCurrency);
  }

  void missingTableStructure() {
    TzelDataModel model;
    model.SetDatabaseType(zelParadox);
    RecordingMessages rec;
    QCOMPARE(model.AddTableFromDatabase(u"PELLOX"_s, u"NOSUCH.DB"_s), -1);
    QCOMPARE(rec.lastText(), u"Error: no such table: NOSUCH.DB"_s);
    QCOMPARE(model.TableCount(), 0);
    rec.clear();
    model.SetRaiseOnMissing(false);
    QCOMPARE(model.AddTableFromDatabase(u"NOWHERE"_s, u"T0492.DB"_s), -1);
    QVERIFY(rec.messages.isEmpty());
    QCOMPARE(model.LastErrorText(), u"Error: Unknown database [NOWHERE]"_s);
  }

  void exportRoundTrip_data() {
    QTest::addColumn<QString>("file");
    QTest::addColumn<int>("type");
    QTest::newRow("dbase") << u"sales.dbf"_s << 5;
    QTest::newRow("paradox") << u"sales.db"_s << 9;
  }
  void exportRoundTrip() {
    QFETCH(QString, file);
    QFETCH(int, type);
    QTemporaryDir dir;
    TzelDataset source;
    source.setDatabaseName(u"PELLOX"_s);
    source.setSQL(ExportQuery);
    source.Open();
    TzelDataModel model;
    RecordingMessages rec;
    QString name = dir.filePath(file);
    QVERIFY(model.ExportTable(&source, name, type, true));
    QCOMPARE(rec.lastText(), name + u" has been successfully created."_s);
    QCOMPARE(rec.messages.last().kind, TzelMessageKind::Information);

    TzelDataset back;
    back.setDatabaseName(dir.path());
    back.setSQL({u"SELECT * FROM \""_s + file + u"\" ORDER BY ORD_NO, ITM_NO"_s});
    back.Open();
    QCOMPARE(back.FieldCount(), source.FieldCount());
    for (int i = 0; i < source.FieldCount(); ++i) {
      QCOMPARE(back.Fields(i)->FieldName(), source.Fields(i)->FieldName());
      QCOMPARE(back.Fields(i)->DataType(), source.Fields(i)->DataType());
    }
    QCOMPARE(back.RecordCount(), source.RecordCount());
    QVERIFY(source.RecordCount() > 100);
    for (int r = 0; r < source.RecordCount(); ++r)
      for (int i = 0; i < source.FieldCount(); ++i)
        QVERIFY2(back.value(r, i) == source.value(r, i),
                 qPrintable(u"row %1 column %2"_s.arg(r).arg(i)));
  }

  void exportRefusals() {
    TzelDataModel model;
    TzelDataset source;
    RecordingMessages rec;
    QString name = u"sales.txt"_s;
    QVERIFY(!model.ExportTable(&source, name, 3, false));
    QCOMPARE(rec.lastText(), u"Error: The ExportTable method does not support file type 3."_s);
    QVERIFY(!model.ExportTable(&source, name, 1, false));
    QCOMPARE(rec.lastText(), u"Error: The Borland Database Engine cannot export file type 1."_s);
    QVERIFY(!model.ExportTable(nullptr, name, 5, false));
    QCOMPARE(rec.lastText(), u"Error: cQuery parameter of ExportQuery method cannot be blank."_s);
    // Nothing ran: no records to give, and no file.
    name = scratch.filePath(u"never.dbf"_s);
    QVERIFY(!model.ExportTable(&source, name, 5, true));
    QCOMPARE(rec.lastText(), u"Error: There are no records to export: the query has not run, or "
                             "its statement failed."_s);
    QVERIFY(!QFile::exists(name));
  }

  // One naming rule for both table types, from the labels the user sees.
  void tableFieldNames_data() {
    QTest::addColumn<QStringList>("labels");
    QTest::addColumn<int>("limit");
    QTest::addColumn<QStringList>("names");
    QTest::newRow("table prefix, spaces, symbols, accents")
        << QStringList{u"Customers.Company"_s, u"Orders.Sale Date"_s, u"Unit Price ($)"_s,
                       u"Société"_s}
        << 10 << QStringList{u"Company"_s, u"Sale_Date"_s, u"Unit_Price"_s, u"Societe"_s};
    QTest::newRow("unique without regard to case, within the limit")
        << QStringList{u"Amount"_s, u"AMOUNT"_s, u"LongerThanTen1"_s, u"LongerThanTen2"_s} << 10
        << QStringList{u"Amount"_s, u"AMOUNT_2"_s, u"LongerThan"_s, u"LongerTh_2"_s};
    QTest::newRow("a letter first, never empty")
        << QStringList{u"2nd Qty"_s, u"(%)"_s, QString(), u"Avg. Price"_s} << 25
        << QStringList{u"F2nd_Qty"_s, u"FIELD"_s, u"FIELD_2"_s, u"Avg_Price"_s};
  }
  void tableFieldNames() {
    QFETCH(QStringList, labels);
    QFETCH(int, limit);
    QFETCH(QStringList, names);
    QCOMPARE(zelTableFieldNames(labels, limit), names);
  }

  void exportedFieldNames_data() {
    QTest::addColumn<QString>("file");
    QTest::addColumn<int>("type");
    QTest::addColumn<QStringList>("names");
    QTest::newRow("dbase") << u"names.dbf"_s << 5
                           << QStringList{u"company"_s, u"sale_date"_s, u"companynam"_s,
                                          u"companyn_2"_s, u"unit_price"_s};
    QTest::newRow("paradox") << u"names.db"_s << 9
                             << QStringList{u"Company"_s, u"Sale_Date"_s,
                                            u"CompanyNameForTheInvoices"_s,
                                            u"CompanyNameForTheInvoic_2"_s, u"Unit_Price"_s};
  }
  void exportedFieldNames() {
    QFETCH(QString, file);
    QFETCH(int, type);
    QFETCH(QStringList, names);
    if (type == 5 && !pythonHasDbf())
      QSKIP("The dbf package of Python 3 is missing (python3-dbf, scripts/install-deps.sh)");
    TzelDataset source;
    source.setDatabaseName(u"PELLOX"_s);
    source.setSQL(
        {u"SELECT CST_CO, CST_ST, CST_CTY, CST_ZIP, CST_ADR FROM \":PELLOX:T0490.DB\""_s});
    source.Open();
    const QStringList labels{u"Customers.Company"_s, u"Orders.Sale Date"_s,
                             u"Customers.CompanyNameForTheInvoices"_s,
                             u"Customers.CompanyNameForTheInvoicesSent"_s, u"Unit Price ($)"_s};
    for (int i = 0; i < labels.size(); ++i)
      source.Fields(i)->setDisplayLabel(labels[i]);
    TzelDataModel model;
    RecordingMessages rec;
    QString name = scratch.filePath(file);
    QVERIFY(model.ExportTable(&source, name, type, false));
    QCOMPARE(type == 5 ? dbaseFieldNames(name) : paradoxFieldNames(name), names);
  }

  void exportWithoutFolderGoesToProgramFolder() {
    TzelDataset source;
    source.setDatabaseName(u"PELLOX"_s);
    source.setSQL({u"SELECT * FROM \":PELLOX:T0494.DB\""_s});
    source.Open();
    TzelDataModel model;
    RecordingMessages rec;
    QString name = u"sales.dbf"_s;
    const QString expected = QCoreApplication::applicationDirPath() + u"/sales.dbf"_s;
    QFile::remove(expected);
    QVERIFY(model.ExportTable(&source, name, 5, false));
    QVERIFY(rec.messages.isEmpty());
    QVERIFY(QFile::exists(expected));
    QFile::remove(expected);
  }

  void exportFailures_data() {
    QTest::addColumn<QString>("file");
    QTest::addColumn<QStringList>("sql");
    QTest::newRow("unwritable folder")
        << u"/proc/sales.db"_s << QStringList{u"SELECT * FROM \":PELLOX:T0494.DB\""_s};
    QTest::newRow("missing folder") << u"/nonexistent/folder/sales.dbf"_s
                                    << QStringList{u"SELECT * FROM \":PELLOX:T0494.DB\""_s};
    QTest::newRow("bad statement")
        << QString() << QStringList{u"SELECT NOPE FROM \":PELLOX:T0494.DB\""_s};
  }
  void exportFailures() {
    QFETCH(QString, file);
    QFETCH(QStringList, sql);
    QTemporaryDir dir;
    // An existing file stays as it was when the new one cannot be made.
    const QString existing = dir.filePath(u"old.db"_s);
    QFile old(existing);
    QVERIFY(old.open(QIODevice::WriteOnly));
    old.write("previous");
    old.close();
    QString name = file.isEmpty() ? existing : file;
    TzelDataset source;
    source.setDatabaseName(u"PELLOX"_s);
    source.setSQL(sql);
    TzelDataModel model;
    RecordingMessages rec;
    QVERIFY(!model.ExportTable(&source, name, name.endsWith(u".dbf"_s) ? 5 : 9, true));
    QCOMPARE(rec.messages.size(), 1);
    QVERIFY2(rec.lastText().startsWith(u"Error: "_s), qPrintable(rec.lastText()));
    QVERIFY(!QFile::exists(name) || name == existing);
    QVERIFY(old.open(QIODevice::ReadOnly));
    QCOMPARE(old.readAll(), QByteArray("previous"));
    QCOMPARE(QDir(dir.path()).entryList(QDir::Files), QStringList{u"old.db"_s});
  }

  void exportReplacesAnExistingTable() {
    QTemporaryDir dir;
    TzelDataModel model;
    RecordingMessages rec;
    QString name = dir.filePath(u"vendors.db"_s);
    TzelDataset source;
    source.setDatabaseName(u"PELLOX"_s);
    source.setSQL({u"SELECT * FROM \":PELLOX:T0494.DB\""_s});
    source.Open();
    QVERIFY(model.ExportTable(&source, name, 9, false));
    source.Close();
    source.setSQL({u"SELECT * FROM \":PELLOX:T0494.DB\" WHERE PRF = \"TRUE\""_s});
    source.Open();
    QVERIFY(model.ExportTable(&source, name, 9, false));
    TzelDataset back;
    back.setDatabaseName(dir.path());
    back.setSQL({u"SELECT COUNT(*) FROM vendors"_s});
    back.Open();
    QCOMPARE(back.Fields(0)->Value().toInt(), source.RecordCount());
    QVERIFY(source.RecordCount() < 12);
  }

  void detailObjects() {
    TzelDataModel model;
    model.SetDatabaseType(zelDbase);
    QVERIFY(!model.FirstWorkQuery());
    QVERIFY(model.PrepareDetail(u"PELLOX"_s, u"T0493.DB"_s));
    auto *second = qobject_cast<TzelDataset *>(model.SecondWorkQuery());
    auto *detail = qobject_cast<TzelDbTable *>(model.DetailTable());
    QVERIFY(second && detail && model.FirstWorkQuery());
    QCOMPARE(model.FirstWorkQuery()->property("DatabaseName").toString(), u"PELLOX"_s);
    QCOMPARE(detail->TableName(), u"T0493.DB"_s);
    QCOMPARE(detail->MasterFields(), u"ITEM_ID"_s);
    QCOMPARE(detail->IndexName(), u"ITEM_ID"_s);
    QCOMPARE(detail->MasterSource(), model.LinkSource());
    QCOMPARE(model.LinkSource()->DataSet(), second);
    model.SetDetailLink(0);
    QVERIFY(!model.LinkSource()->DataSet());
    model.SetDetailLink(1);
    QCOMPARE(model.LinkSource()->DataSet(), second);
    second->setSQL({u"SELECT * FROM \":PELLOX:T0493.DB\""_s});
    QVERIFY(model.ExecuteSecondQuery());
    QCOMPARE(model.LinkSource()->rowCount(), 308);
    QCOMPARE(model.LinkSource()->headerData(4, Qt::Horizontal).toString(), u"QTY"_s);
    RecordingMessages rec;
    second->setSQL({u"SELECT FROM"_s});
    QVERIFY(!model.ExecuteSecondQuery());
    QVERIFY(rec.lastText().startsWith(u"Error: "_s));
    QCOMPARE(model.LinkSource()->rowCount(), 0);
  }
};

QTEST_GUILESS_MAIN(TstDataModel)
#include "tst_datamodel.moc"
