// SPDX-License-Identifier: MIT
// Queries of the sample model whose table and value aliases need quoting (spaces, keywords,
// quote characters) are generated and run through the STANDARD driver on the sample tables:
// each returns the records of the same query with plain names.

#include "database/zeldatamodel.h"
#include "database/zeldataset.h"
#include "database/zelsession.h"
#include "engine/zelquerion.h"
#include "model/storedform.h"
#include "model/zelmodel.h"
#include "model/zelquery.h"
#include "model/zelregistry.h"
#include "support/recordingmessages.h"
#include "support/samplefiles.h"

#include <QCoreApplication>
#include <QTemporaryDir>
#include <QTest>

using namespace Qt::StringLiterals;

namespace {

using Records = QList<QStringList>;

struct Settings {
  bool aliasByTable = true;
  bool aliasAs = true;
  bool verifyNames = true;
  TzelJoinMethod joinMethod = zelJoinFrom;
};

// "Orders=Order" renames a table alias, "SaleDate=Sale Date" a value alias.
void rename(TzelQuery &query, const QStringList &renames) {
  for (const QString &entry : renames) {
    const QString from = entry.section(u'=', 0, 0);
    const QString to = entry.section(u'=', 1);
    for (int i = 0; i < query.TableCount(); ++i)
      if (query.GetTable(i)->TableAlias() == from)
        QVERIFY(query.RenameTableAlias(i, to));
    for (int i = 0; i < query.ValueCount(); ++i)
      if (query.GetValue(i)->ValueAlias() == from)
        query.GetValue(i)->SetValueAlias(to);
  }
}

// The sample query reduced to the sum of Qty per State, sorted by that sum.
void sumPerState(TzelQuery &query, const QString &sumAlias) {
  for (int i = 0; i < query.ValueCount(); ++i) {
    TzelQueryValue *value = query.GetValue(i);
    if (value->ValueAlias() == u"State") {
      value->SetShow(zelShowGroup);
    } else if (value->ValueAlias() == u"Qty") {
      value->SetShow(zelShowSum);
      value->SetSort(zelSortDescending);
      value->SetValueAlias(sumAlias);
    } else {
      value->SetDeleted(true);
    }
  }
}

} // namespace

class TstLocalSqlExec : public QObject {
  Q_OBJECT
  QTemporaryDir scratch;
  std::unique_ptr<TzelModel> model;

  // Generates the sample query after the edit, runs it and returns its records (each
  // record's display texts); sql receives the generated statement.
  Records run(const std::function<void(TzelQuery &)> &edit, const Settings &settings,
              QString *sql = nullptr, QStringList *labels = nullptr) {
    model->SetAliasByTable(settings.aliasByTable);
    model->SetAliasAs(settings.aliasAs);
    model->SetVerifyNames(settings.verifyNames);
    model->SetJoinMethod(settings.joinMethod);
    TzelDataset dataset;
    TzelQuerion querion;
    querion.SetDataModel(model.get());
    querion.SetDataQuery(&dataset);
    RecordingMessages rec;
    if (!querion.LoadFromFile(examplesFile(u"step1.zel"_s)))
      return {{u"load failed"_s}};
    edit(*querion.CurrentQuery());
    dataset.setDatabaseName(u"PELLOX"_s);
    const bool ok = querion.Execute();
    if (sql)
      *sql = querion.SQL().join(u'\n');
    if (!ok)
      return {{u"failed"_s, rec.texts().join(u'\n'), querion.SQL().join(u'\n')}};
    Records records;
    for (dataset.First(); !dataset.Eof(); dataset.Next()) {
      QStringList record;
      for (int i = 0; i < dataset.FieldCount(); ++i)
        record << dataset.Fields(i)->DisplayText();
      records << record;
    }
    if (labels)
      for (int i = 0; i < dataset.FieldCount(); ++i)
        *labels << dataset.Fields(i)->DisplayLabel();
    return records;
  }

private slots:
  void initTestCase() {
    ZEL_SKIP_WITHOUT_PARADOX();
    qputenv("ZEL_ALIASES_FILE", scratch.filePath(u"aliases.ini"_s).toLocal8Bit());
    if (!ZelRegistry::instance().contains(u"TzelDataModel"_s))
      ZelRegistry::instance().registerClass<TzelDataModel>();
    const QString data = QCoreApplication::applicationDirPath() + u"/Data"_s;
    QVERIFY2(QFileInfo::exists(data + u"/T0490.DB"_s), qPrintable(data));
    TzelSession::defaultSession().registerAlias({u"PELLOX"_s, u"STANDARD"_s, {u"PATH="_s + data}});
    std::unique_ptr<TzelComponent> read =
        StoredFormReader().read(loadStoredFormFile(examplesFile(u"pellox-model.txt"_s)));
    QVERIFY(qobject_cast<TzelModel *>(read.get()));
    model.reset(static_cast<TzelModel *>(read.release()));
  }

  void quotedAliasesReturnTheSameRecords_data() {
    QTest::addColumn<QStringList>("renames");
    QTest::addColumn<bool>("aliasByTable");
    QTest::addColumn<bool>("aliasAs");
    QTest::addColumn<bool>("verifyNames");
    QTest::addColumn<int>("joinMethod");
    QTest::addColumn<QString>("written"); // a piece of the statement the case is about
    const QStringList spaced{u"SaleDate=Sale Date"_s, u"Company=Company Name"_s};
    const QStringList keywords{u"Company=Value"_s, u"SaleDate=Date"_s, u"Qty=Count"_s,
                               u"VendorName=Order"_s};
    const QStringList tables{u"Orders=Order"_s, u"Customers=Date"_s, u"Items=Count"_s,
                             u"Vendors=Value"_s};
    QTest::newRow("value alias with a space")
        << spaced << true << true << true << int(zelJoinFrom) << u"AS Orders.\"Sale Date\""_s;
    QTest::newRow("sorted by a quoted alias") << spaced << true << true << true << int(zelJoinFrom)
                                              << u"ORDER BY Customers.\"Company Name\" ASC"_s;
    QTest::newRow("keyword table aliases")
        << tables << true << true << true << int(zelJoinFrom) << u"AS \"Order\".SaleDate"_s;
    QTest::newRow("both parts quoted") << (tables + spaced) << true << true << true
                                       << int(zelJoinFrom) << u"AS \"Order\".\"Sale Date\""_s;
    QTest::newRow("keyword value aliases")
        << keywords << true << true << true << int(zelJoinFrom) << u"AS Orders.\"Date\""_s;
    QTest::newRow("keywords left unquoted")
        << (tables + keywords) << true << true << false << int(zelJoinFrom) << u"AS Order.Date"_s;
    QTest::newRow("alias without table")
        << (tables + spaced) << false << true << true << int(zelJoinFrom) << u"AS \"Sale Date\""_s;
    QTest::newRow("keyword alias without table")
        << keywords << false << true << false << int(zelJoinFrom) << u"ORDER BY Value ASC"_s;
    QTest::newRow("alias after a space") << (tables + spaced) << true << false << true
                                         << int(zelJoinFrom) << u"SL_DT \"Order\".\"Sale Date\""_s;
    QTest::newRow("joins in WHERE")
        << (tables + spaced) << true << true << true << int(zelJoinWhere)
        << u",\n         \":PELLOX:T0491.DB\" AS \"Order\""_s;
    QTest::newRow("joins in FROM and WHERE")
        << (tables + keywords) << true << false << false << int(zelJoinMixed) << u"JOIN"_s;
    QTest::newRow("table alias after a space") << (tables + keywords) << true << false << false
                                               << int(zelJoinFrom) << u":PELLOX:T0491.DB Order"_s;
  }
  void quotedAliasesReturnTheSameRecords() {
    QFETCH(QStringList, renames);
    QFETCH(bool, aliasByTable);
    QFETCH(bool, aliasAs);
    QFETCH(bool, verifyNames);
    QFETCH(int, joinMethod);
    QFETCH(QString, written);
    const Records plain = run([](TzelQuery &) {}, Settings());
    QVERIFY(plain.size() > 5);
    QString sql;
    QStringList labels;
    const Records quoted =
        run([&](TzelQuery &q) { rename(q, renames); },
            {aliasByTable, aliasAs, verifyNames, TzelJoinMethod(joinMethod)}, &sql, &labels);
    QVERIFY2(sql.contains(written), qPrintable(sql));
    QCOMPARE(quoted, plain);
    QCOMPARE(labels.size(), 7);
    for (const QString &entry : renames)
      if (entry.startsWith(u"SaleDate=") || entry.startsWith(u"Company="))
        QVERIFY(labels.contains(entry.section(u'=', 1)));
  }

  // GROUP BY writes the expression, ORDER BY the aggregate's alias.
  void sumSortedByKeywordAlias_data() {
    QTest::addColumn<QString>("alias");
    QTest::addColumn<bool>("verifyNames");
    QTest::newRow("Count") << u"Count"_s << true;
    QTest::newRow("Count unquoted") << u"Count"_s << false;
    QTest::newRow("Value") << u"Value"_s << true;
    QTest::newRow("with a space") << u"Total Qty"_s << true;
  }
  void sumSortedByKeywordAlias() {
    QFETCH(QString, alias);
    QFETCH(bool, verifyNames);
    const Records plain = run([](TzelQuery &q) { sumPerState(q, u"Total"_s); }, Settings());
    QCOMPARE(plain.size(), 3); // NE, WA, NY
    QString sql;
    const Records keyword =
        run([&](TzelQuery &q) { sumPerState(q, alias); }, {true, true, verifyNames}, &sql);
    QVERIFY2(sql.contains(u"ORDER BY Items."_s), qPrintable(sql));
    QCOMPARE(keyword, plain);
    for (int i = 1; i < keyword.size(); ++i)
      QVERIFY(keyword[i - 1][1].toDouble() >= keyword[i][1].toDouble());
  }

  // Quote characters inside quoted names are doubled, as generation writes them.
  void doubledQuotesRun() {
    TzelDataset ds;
    ds.setDatabaseName(u"PELLOX"_s);
    ds.setSQL(
        {u"  SELECT \"Or\"\"der\".SL_DT AS \"Or\"\"der\".\"Da\"\"te\","_s,
         u"         \"Or\"\"der\".ORD_NO AS \"Or\"\"der\".[No]]]"_s,
         u"    FROM \":PELLOX:T0491.DB\" AS \"Or\"\"der\""_s,
         u"   WHERE ((\"Or\"\"der\".PAY_MTH = \"Check \"\"A\"\"\") OR (\"Or\"\"der\".PAY_MTH <> \"x\"))"_s,
         u"ORDER BY \"Or\"\"der\".\"Da\"\"te\" DESC"_s});
    ds.Open();
    QCOMPARE(ds.FieldCount(), 2);
    // Qt's SQLite driver drops double quotes from the names of result columns.
    QCOMPARE(ds.Fields(0)->FieldName(), u"Order.Date"_s);
    QCOMPARE(ds.Fields(1)->FieldName(), u"Order.No]"_s);
    QVERIFY(ds.RecordCount() > 5);
    QDate previous(9999, 1, 1);
    for (ds.First(); !ds.Eof(); ds.Next()) {
      QVERIFY(ds.Fields(0)->Value().toDate() <= previous);
      previous = ds.Fields(0)->Value().toDate();
    }
  }
};

QTEST_GUILESS_MAIN(TstLocalSqlExec)
#include "tst_localsqlexec.moc"
