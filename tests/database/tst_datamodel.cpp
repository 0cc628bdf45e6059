// The database-bound data model: prefixes, structures read from tables, native export.
#include "database/tablefieldnames.h"
#include "database/zelconnection.h"
#include "database/zeldatamodel.h"
#include "database/zelsession.h"
#include "support/recordingmessages.h"

#include <QCoreApplication>
#include <QDate>
#include <QDir>
#include <QFile>
#include <QProcess>
#include <QSqlDatabase>
#include <QSqlQuery>
#include <QTemporaryDir>
#include <QTest>

extern "C" {
#include <paradox.h>
}

namespace {

const QStringList ExportQuery{
    u"SELECT Orders.ORD_NO, Items.ITM_NO, Customers.CST_CO, Orders.SL_DT, Orders.SHP_DT,"_qs,
    u"       Orders.PD, Items.DSC"_qs,
    u"  FROM \":PELLOX:T0490.DB\" AS Customers"_qs,
    u"       INNER JOIN \":PELLOX:T0491.DB\" AS Orders ON Customers.CST_NO = Orders.CST_NO"_qs,
    u"       INNER JOIN \":PELLOX:T0493.DB\" AS Items ON Orders.ORD_NO = Items.ORD_NO"_qs,
    u"ORDER BY Orders.ORD_NO, Items.ITM_NO"_qs};

// The field names of a table as readers that are not ours see them: the dbf package of
// Python 3 (which gives them in lower case) and pxlib.
QStringList dbaseFieldNames(const QString &path) {
  QProcess python;
  python.start(
      u"/usr/bin/python3"_qs,
      {u"-W"_qs, u"ignore"_qs, u"-c"_qs,
       u"import dbf, sys\nt = dbf.Table(sys.argv[1])\nt.open()\nprint(' '.join(t.field_names))"_qs,
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
  python.start(u"/usr/bin/python3"_qs, {u"-c"_qs, u"import dbf"_qs});
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
    qputenv("ZEL_ALIASES_FILE", scratch.filePath(u"none.ini"_qs).toLocal8Bit());
    pellox.setDatabaseName(u"PELLOX"_qs);
    pellox.setDriverName(u"STANDARD"_qs);
    pellox.setParams({u"PATH="_qs + QCoreApplication::applicationDirPath() + u"/Data/"_qs});
    QVERIFY2(pellox.Open(), qPrintable(pellox.lastError()));
  }

  void prefixes_data() {
    QTest::addColumn<TzelDatabase>("type");
    QTest::addColumn<QString>("database");
    QTest::addColumn<QString>("prefix");
    QTest::newRow("paradox alias") << zelParadox << u"PELLOX"_qs << u":PELLOX:"_qs;
    QTest::newRow("dbase alias") << zelDbase << u"PELLOX"_qs << u":PELLOX:"_qs;
    QTest::newRow("paradox folder") << zelParadox << u"C:\\DATA"_qs << u"C:\\DATA\\"_qs;
    QTest::newRow("folder with separator") << zelParadox << u"C:\\DATA\\"_qs << u"C:\\DATA\\"_qs;
    QTest::newRow("unix folder") << zelParadox << u"/srv/data"_qs << u"/srv/data/"_qs;
    QTest::newRow("mssql alias") << zelMSSQL << u"PELLOX"_qs << QString();
    QTest::newRow("mssql folder") << zelMSSQL << u"/srv/data"_qs << u"/srv/data/"_qs;
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
    QStringList list{u"junk"_qs};
    model.ExportFileTypes(list);
    QCOMPARE(list, (QStringList{u"dBase table (*.dbf)"_qs, u"Paradox table (*.db)"_qs}));
    model.GetDatabaseNames(list);
    QVERIFY(list.contains(u"PELLOX"_qs));
    model.GetTableNames(u"PELLOX"_qs, u"*"_qs, true, false, list);
    QCOMPARE(list.size(), 5);
    TzelDataset ds;
    ds.setDatabaseName(u"PELLOX"_qs);
    QCOMPARE(model.DatasetDatabaseName(&ds), u"PELLOX"_qs);
    RecordingMessages rec;
    model.GetTableNames(u"NOSUCH"_qs, u"*"_qs, true, false, list);
    QVERIFY(list.isEmpty());
    QCOMPARE(rec.lastText(), u"Error: Unknown database [NOSUCH]"_qs);
  }

  void structureOfOrderItems() {
    const QString file = scratch.filePath(u"orders.sqlite"_qs);
    {
      QSqlDatabase db = QSqlDatabase::addDatabase(u"QSQLITE"_qs, u"setup"_qs);
      db.setDatabaseName(file);
      QVERIFY(db.open());
      QSqlQuery q(db);
      QVERIFY(
          q.exec(u"CREATE TABLE [Order Items] (OrderNo INTEGER, Item VARCHAR(20), Qty SMALLINT, "
                 "Price NUMERIC(10,2), Shipped DATE)"_qs));
      db.close();
    }
    QSqlDatabase::removeDatabase(u"setup"_qs);
    TzelConnection sales;
    sales.setDatabaseName(u"SALES"_qs);
    sales.setDriverName(u"SQLITE"_qs);
    sales.setParams({u"DATABASE="_qs + file});
    QVERIFY2(sales.Open(), qPrintable(sales.lastError()));

    TzelDataModel model;
    model.SetDatabaseType(zelMSSQL);
    model.SetNameQuote(zelQuoteBracket);
    const int index = model.AddTableFromDatabase(u"SALES"_qs, u"Order Items"_qs);
    QVERIFY(index >= 0);
    QCOMPARE(model.StructureQuery()->SQL(),
             QStringList{u"SELECT * FROM [Order Items] WHERE 1 = 0"_qs});
    QVERIFY(!model.StructureQuery()->Active());
    TzelTable *table = model.GetTable(index);
    QCOMPARE(table->TableName(), u"Order Items"_qs);
    const QStringList names{u"OrderNo"_qs, u"Item"_qs, u"Qty"_qs, u"Price"_qs, u"Shipped"_qs};
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
    const int index = model.AddTableFromDatabase(u"PELLOX"_qs, u"T0492.DB"_qs);
    QVERIFY(index >= 0);
    QCOMPARE(model.StructureQuery()->SQL(),
             QStringList{u"SELECT * FROM \"T0492.DB\" WHERE 1 = 0"_qs});
    QCOMPARE(model.GetTable(index)->FieldCount(), 7);
    QCOMPARE(model.GetTable(index)->GetField(6)->FieldName(), u"LST_PRC"_qs);
    QCOMPARE(model.GetTable(index)->GetField(6)->DataType(), ftCurrency);
  }

  void missingTableStructure() {
    TzelDataModel model;
    model.SetDatabaseType(zelParadox);
    RecordingMessages rec;
    QCOMPARE(model.AddTableFromDatabase(u"PELLOX"_qs, u"NOSUCH.DB"_qs), -1);
    QCOMPARE(rec.lastText(), u"Error: no such table: NOSUCH.DB"_qs);
    QCOMPARE(model.TableCount(), 0);
    rec.clear();
    model.SetRaiseOnMissing(false);
    QCOMPARE(model.AddTableFromDatabase(u"NOWHERE"_qs, u"T0492.DB"_qs), -1);
    QVERIFY(rec.messages.isEmpty());
    QCOMPARE(model.LastErrorText(), u"Error: Unknown database [NOWHERE]"_qs);
  }

  void exportRoundTrip_data() {
    QTest::addColumn<QString>("file");
    QTest::addColumn<int>("type");
    QTest::newRow("dbase") << u"sales.dbf"_qs << 5;
    QTest::newRow("paradox") << u"sales.db"_qs << 9;
  }
  void exportRoundTrip() {
    QFETCH(QString, file);
    QFETCH(int, type);
    QTemporaryDir dir;
    TzelDataset source;
    source.setDatabaseName(u"PELLOX"_qs);
    source.setSQL(ExportQuery);
    source.Open();
    TzelDataModel model;
    RecordingMessages rec;
    QString name = dir.filePath(file);
    QVERIFY(model.ExportTable(&source, name, type, true));
    QCOMPARE(rec.lastText(), name + u" has been successfully created."_qs);
    QCOMPARE(rec.messages.last().kind, TzelMessageKind::Information);

    TzelDataset back;
    back.setDatabaseName(dir.path());
    back.setSQL({u"SELECT * FROM \""_qs + file + u"\" ORDER BY ORD_NO, ITM_NO"_qs});
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
                 qPrintable(u"row %1 column %2"_qs.arg(r).arg(i)));
  }

  void exportRefusals() {
    TzelDataModel model;
    TzelDataset source;
    RecordingMessages rec;
    QString name = u"sales.txt"_qs;
    QVERIFY(!model.ExportTable(&source, name, 3, false));
    QCOMPARE(rec.lastText(), u"Error: The ExportTable method does not support file type 3."_qs);
    QVERIFY(!model.ExportTable(&source, name, 1, false));
    QCOMPARE(rec.lastText(), u"Error: The Borland Database Engine cannot export file type 1."_qs);
    QVERIFY(!model.ExportTable(nullptr, name, 5, false));
    QCOMPARE(rec.lastText(), u"Error: cQuery parameter of ExportQuery method cannot be blank."_qs);
    // Nothing ran: no records to give, and no file.
    name = scratch.filePath(u"never.dbf"_qs);
    QVERIFY(!model.ExportTable(&source, name, 5, true));
    QCOMPARE(rec.lastText(), u"Error: There are no records to export: the query has not run, or "
                             "its statement failed."_qs);
    QVERIFY(!QFile::exists(name));
  }

  // One naming rule for both table types, from the labels the user sees.
  void tableFieldNames_data() {
    QTest::addColumn<QStringList>("labels");
    QTest::addColumn<int>("limit");
    QTest::addColumn<QStringList>("names");
    QTest::newRow("table prefix, spaces, symbols, accents")
        << QStringList{u"Customers.Company"_qs, u"Orders.Sale Date"_qs, u"Unit Price ($)"_qs,
                       u"Société"_qs}
        << 10 << QStringList{u"Company"_qs, u"Sale_Date"_qs, u"Unit_Price"_qs, u"Societe"_qs};
    QTest::newRow("unique without regard to case, within the limit")
        << QStringList{u"Amount"_qs, u"AMOUNT"_qs, u"LongerThanTen1"_qs, u"LongerThanTen2"_qs} << 10
        << QStringList{u"Amount"_qs, u"AMOUNT_2"_qs, u"LongerThan"_qs, u"LongerTh_2"_qs};
    QTest::newRow("a letter first, never empty")
        << QStringList{u"2nd Qty"_qs, u"(%)"_qs, QString(), u"Avg. Price"_qs} << 25
        << QStringList{u"F2nd_Qty"_qs, u"FIELD"_qs, u"FIELD_2"_qs, u"Avg_Price"_qs};
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
    QTest::newRow("dbase") << u"names.dbf"_qs << 5
                           << QStringList{u"company"_qs, u"sale_date"_qs, u"companynam"_qs,
                                          u"companyn_2"_qs, u"unit_price"_qs};
    QTest::newRow("paradox") << u"names.db"_qs << 9
                             << QStringList{u"Company"_qs, u"Sale_Date"_qs,
                                            u"CompanyNameForTheInvoices"_qs,
                                            u"CompanyNameForTheInvoic_2"_qs, u"Unit_Price"_qs};
  }
  void exportedFieldNames() {
    QFETCH(QString, file);
    QFETCH(int, type);
    QFETCH(QStringList, names);
    if (type == 5 && !pythonHasDbf())
      QSKIP("The dbf package of Python 3 is missing (python3-dbf, scripts/install-deps.sh)");
    TzelDataset source;
    source.setDatabaseName(u"PELLOX"_qs);
    source.setSQL(
        {u"SELECT CST_CO, CST_ST, CST_CTY, CST_ZIP, CST_ADR FROM \":PELLOX:T0490.DB\""_qs});
    source.Open();
    const QStringList labels{u"Customers.Company"_qs, u"Orders.Sale Date"_qs,
                             u"Customers.CompanyNameForTheInvoices"_qs,
                             u"Customers.CompanyNameForTheInvoicesSent"_qs, u"Unit Price ($)"_qs};
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
    source.setDatabaseName(u"PELLOX"_qs);
    source.setSQL({u"SELECT * FROM \":PELLOX:T0494.DB\""_qs});
    source.Open();
    TzelDataModel model;
    RecordingMessages rec;
    QString name = u"sales.dbf"_qs;
    const QString expected = QCoreApplication::applicationDirPath() + u"/sales.dbf"_qs;
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
        << u"/proc/sales.db"_qs << QStringList{u"SELECT * FROM \":PELLOX:T0494.DB\""_qs};
    QTest::newRow("missing folder") << u"/nonexistent/folder/sales.dbf"_qs
                                    << QStringList{u"SELECT * FROM \":PELLOX:T0494.DB\""_qs};
    QTest::newRow("bad statement")
        << QString() << QStringList{u"SELECT NOPE FROM \":PELLOX:T0494.DB\""_qs};
  }
  void exportFailures() {
    QFETCH(QString, file);
    QFETCH(QStringList, sql);
    QTemporaryDir dir;
    // An existing file stays as it was when the new one cannot be made.
    const QString existing = dir.filePath(u"old.db"_qs);
    QFile old(existing);
    QVERIFY(old.open(QIODevice::WriteOnly));
    old.write("previous");
    old.close();
    QString name = file.isEmpty() ? existing : file;
    TzelDataset source;
    source.setDatabaseName(u"PELLOX"_qs);
    source.setSQL(sql);
    TzelDataModel model;
    RecordingMessages rec;
    QVERIFY(!model.ExportTable(&source, name, name.endsWith(u".dbf"_qs) ? 5 : 9, true));
    QCOMPARE(rec.messages.size(), 1);
    QVERIFY2(rec.lastText().startsWith(u"Error: "_qs), qPrintable(rec.lastText()));
    QVERIFY(!QFile::exists(name) || name == existing);
    QVERIFY(old.open(QIODevice::ReadOnly));
    QCOMPARE(old.readAll(), QByteArray("previous"));
    QCOMPARE(QDir(dir.path()).entryList(QDir::Files), QStringList{u"old.db"_qs});
  }

  void exportReplacesAnExistingTable() {
    QTemporaryDir dir;
    TzelDataModel model;
    RecordingMessages rec;
    QString name = dir.filePath(u"vendors.db"_qs);
    TzelDataset source;
    source.setDatabaseName(u"PELLOX"_qs);
    source.setSQL({u"SELECT * FROM \":PELLOX:T0494.DB\""_qs});
    source.Open();
    QVERIFY(model.ExportTable(&source, name, 9, false));
    source.Close();
    source.setSQL({u"SELECT * FROM \":PELLOX:T0494.DB\" WHERE PRF = \"TRUE\""_qs});
    source.Open();
    QVERIFY(model.ExportTable(&source, name, 9, false));
    TzelDataset back;
    back.setDatabaseName(dir.path());
    back.setSQL({u"SELECT COUNT(*) FROM vendors"_qs});
    back.Open();
    QCOMPARE(back.Fields(0)->Value().toInt(), source.RecordCount());
    QVERIFY(source.RecordCount() < 12);
  }

  void detailObjects() {
    TzelDataModel model;
    model.SetDatabaseType(zelDbase);
    QVERIFY(!model.FirstWorkQuery());
    QVERIFY(model.PrepareDetail(u"PELLOX"_qs, u"T0493.DB"_qs));
    auto *second = qobject_cast<TzelDataset *>(model.SecondWorkQuery());
    auto *detail = qobject_cast<TzelDbTable *>(model.DetailTable());
    QVERIFY(second && detail && model.FirstWorkQuery());
    QCOMPARE(model.FirstWorkQuery()->property("DatabaseName").toString(), u"PELLOX"_qs);
    QCOMPARE(detail->TableName(), u"T0493.DB"_qs);
    QCOMPARE(detail->MasterFields(), u"ITEM_ID"_qs);
    QCOMPARE(detail->IndexName(), u"ITEM_ID"_qs);
    QCOMPARE(detail->MasterSource(), model.LinkSource());
    QCOMPARE(model.LinkSource()->DataSet(), second);
    model.SetDetailLink(0);
    QVERIFY(!model.LinkSource()->DataSet());
    model.SetDetailLink(1);
    QCOMPARE(model.LinkSource()->DataSet(), second);
    second->setSQL({u"SELECT * FROM \":PELLOX:T0493.DB\""_qs});
    QVERIFY(model.ExecuteSecondQuery());
    QCOMPARE(model.LinkSource()->rowCount(), 308);
    QCOMPARE(model.LinkSource()->headerData(4, Qt::Horizontal).toString(), u"QTY"_qs);
    RecordingMessages rec;
    second->setSQL({u"SELECT FROM"_qs});
    QVERIFY(!model.ExecuteSecondQuery());
    QVERIFY(rec.lastText().startsWith(u"Error: "_qs));
    QCOMPARE(model.LinkSource()->rowCount(), 0);
  }
};

QTEST_GUILESS_MAIN(TstDataModel)
#include "tst_datamodel.moc"
