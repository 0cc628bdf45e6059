// The database-bound data model: prefixes, structures read from tables, native export.
#include "database/zelconnection.h"
#include "database/zeldatamodel.h"
#include "database/zelsession.h"
#include "support/recordingmessages.h"

#include <QCoreApplication>
#include <QDate>
#include <QDir>
#include <QFile>
#include <QSqlDatabase>
#include <QSqlQuery>
#include <QTemporaryDir>
#include <QTest>

namespace {

const QStringList ExportQuery{
    u"SELECT Orders.ORD_NO, Items.ITM_NO, Customers.CST_CO, Orders.SL_DT, Orders.SHP_DT,"_qs,
    u"       Orders.PD, Items.DSC"_qs,
    u"  FROM \":PELLOX:T0490.DB\" AS Customers"_qs,
    u"       INNER JOIN \":PELLOX:T0491.DB\" AS Orders ON Customers.CST_NO = Orders.CST_NO"_qs,
    u"       INNER JOIN \":PELLOX:T0493.DB\" AS Items ON Orders.ORD_NO = Items.ORD_NO"_qs,
    u"ORDER BY Orders.ORD_NO, Items.ITM_NO"_qs};

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
    QCOMPARE(rec.lastText(), name.toUpper() + u" has been successfully created."_qs);
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
  }

  void exportWithoutFolderGoesToProgramFolder() {
    TzelDataset source;
    source.setDatabaseName(u"PELLOX"_qs);
    source.setSQL({u"SELECT * FROM \":PELLOX:T0494.DB\""_qs});
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
    QVERIFY(model.ExportTable(&source, name, 9, false));
    source.Close();
    source.setSQL({u"SELECT * FROM \":PELLOX:T0494.DB\" WHERE PRF = \"TRUE\""_qs});
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

QTEST_MAIN(TstDataModel)
#include "tst_datamodel.moc"
