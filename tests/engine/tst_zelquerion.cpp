// SPDX-License-Identifier: MIT
#include "engine/zelquerion.h"
#include "model/zelmodel.h"
#include "support/querionfixture.h"
#include "support/recordingmessages.h"

#include <QtTest>

class TestQuerion : public QObject {
  Q_OBJECT
private slots:
  void firstQueryComesIntoBeing() {
    TzelQuerion querion;
    QCOMPARE(querion.Queries(0)->QueryName(), QStringLiteral("Step 1"));
    QCOMPARE(querion.QueryCount(), 1);
  }

  void indexOutsideTheListRaises_data() {
    QTest::addColumn<int>("index");
    for (int index : {1, -1, -5})
      QTest::addRow("%d", index) << index;
  }
  void indexOutsideTheListRaises() {
    QFETCH(int, index);
    TzelQuerion querion;
    QCOMPARE(querion.QueryCount(), 1);
    try {
      querion.Queries(index);
      QFAIL("no error raised");
    } catch (const EzelError &e) {
      QCOMPARE(e.message(), QStringLiteral("Error: Query Index [%1] does not exist").arg(index));
    }
    querion.SetRaiseOnMissing(false);
    QCOMPARE(querion.Queries(index), nullptr);
  }

  void loadFromTextEmptiesTheQueryFirst_data() {
    QTest::addColumn<QStringList>("text");
    QTest::addColumn<bool>("loaded");
    QTest::addColumn<QString>("message"); // empty: none shown
    QTest::addColumn<int>("tables");      // of the current query afterwards
    const QStringList good{"object zelQuerion1: TzelQuerion",
                           "  object TzelQuery",
                           "    object TzelQueryTable",
                           "      TableAlias = 'Buyers'",
                           "      TableName = 'Customers'",
                           "    end",
                           "  end",
                           "end"};
    QTest::newRow("empty") << QStringList() << false << QString() << 0;
    QTest::newRow("blank first line")
        << QStringList{"  ", "end"} << false
        << QStringLiteral("Error: The first line of the report is blank") << 0;
    QTest::newRow("other component") << QStringList{"object Form1: TForm1", "end"} << false
                                     << QStringLiteral("Error: Invalid file type") << 0;
    QTest::newRow("not readable")
        << QStringList{"object zelQuerion1: TzelQuerion", "  Nonsense = 1", "end"} << false
        << QStringLiteral("Error: Line 2: Unknown property [Nonsense] of TzelQuerion") << 0;
    QTest::newRow("a query") << good << true << QString() << 1;
  }

  // Whatever the text, the query that was there goes; a readable text brings its own.
  void loadFromTextEmptiesTheQueryFirst() {
    QFETCH(QStringList, text);
    QFETCH(bool, loaded);
    QFETCH(QString, message);
    QFETCH(int, tables);
    RecordingMessages rec;
    QObject owner;
    TzelQuerion querion(&owner);
    querion.SetDataModel(makeCustomersModel(&owner));
    fillExampleQuery(querion);
    TzelQuery *query = querion.CurrentQuery();
    QCOMPARE(query->TableCount(), 1);
    querion.QueryText() = text;
    QCOMPARE(querion.LoadFromText(), loaded);
    QCOMPARE(rec.lastText(), message);
    QCOMPARE(querion.CurrentQuery(), query);
    QCOMPARE(query->TableCount(), tables);
    QCOMPARE(query->JoinCount(), 0);
    QCOMPARE(query->ValueCount(), 0);
    query->SetRaiseOnMissing(false);
    QCOMPARE(query->IndexOfTableAlias(QStringLiteral("Customers")), -1);
    QCOMPARE(query->IndexOfTableAlias(QStringLiteral("buyers")), tables - 1);
  }

  void versionAlwaysReadsTheRelease() {
    TzelQuerion querion;
    querion.SetVersion(QStringLiteral("9.9"));
    QCOMPARE(querion.Version(), QStringLiteral("4.0 rev B"));
  }

  void checkSetupListsEveryMissingPiece() {
    RecordingMessages rec;
    TzelQuerion querion;
    querion.setObjectName(QStringLiteral("zelQuerion1"));
    QVERIFY(!querion.CheckSetup());
    QCOMPARE(rec.lists.size(), 1);
    QCOMPARE(rec.lists.first().lines,
             QStringList({QStringLiteral("Error 1: The DataModel property of zelQuerion1 has "
                                         "not been assigned"),
                          QStringLiteral("Error 3: The DataQuery property of zelQuerion1 has "
                                         "not been assigned")}));
  }

  // A query saved where days come first, read where months come first: the date filters
  // are rewritten item by item, each shown before and after; texts that are not dates stay.
  void dateFiltersFollowTheSystemDateOrder() {
    QLocale::setDefault(QLocale(QLocale::English, QLocale::UnitedStates));
    RecordingMessages rec;
    TzelQuerion querion;
    querion.SetDataModel(makeCustomersModel(&querion));
    const auto filter = [](int position, const char *text) {
      return QStringList{
          "      object TzelQueryFilter", QStringLiteral("        Position = %1").arg(position),
          QStringLiteral("        Filter = '%1'").arg(QLatin1String(text)), "      end"};
    };
    const auto value = [](const char *field, const char *type) {
      return QStringList{"    object TzelQueryValue", "      TableAlias = 'Customers'",
                         QStringLiteral("      Expression = '%1'").arg(QLatin1String(field)),
                         QStringLiteral("      DataType = %1").arg(QLatin1String(type))};
    };
    querion.QueryText() = QStringList{"object zelQuerion1: TzelQuerion",
                                      "  DateOrder = 1",
                                      "  DateSeparator = '/'",
                                      "  DecimalSeparator = ','",
                                      "  object TzelQuery",
                                      "    object TzelQueryTable",
                                      "      TableAlias = 'Customers'",
                                      "      TableName = 'Customers'",
                                      "    end"} +
                          value("LastInvoice", "ftDate") + filter(1, "31/12/1999|") +
                          filter(2, "1/2/2000|TODAY|BLANK|[Since]|") + QStringList{"    end"} +
                          value("City", "ftString") + filter(1, "31/12/1999|") +
                          QStringList{"    end", "  end", "end"};
    QVERIFY(querion.LoadFromText());
    const TzelQuery *query = querion.Queries(0);
    QCOMPARE(query->GetValue(0)->GetFilter(0)->Filter(), QStringLiteral("12/31/1999|"));
    QCOMPARE(query->GetValue(0)->GetFilter(1)->Filter(),
             QStringLiteral("2/1/2000|TODAY|BLANK|[Since]|"));
    QCOMPARE(query->GetValue(1)->GetFilter(0)->Filter(), QStringLiteral("31/12/1999|"));
    QCOMPARE(rec.texts(), QStringList({"Before: 31/12/1999", "After: 12/31/1999",
                                       "Before: 1/2/2000", "After: 2/1/2000"}));
    // The component now carries the conventions of this system.
    QCOMPARE(querion.DateOrder(), 0);
    QCOMPARE(querion.DecimalSeparator(), QStringLiteral("."));
  }

  void referencesClearWhenTheModelGoes() {
    TzelQuerion querion;
    auto *model = new TzelModel;
    querion.SetDataModel(model);
    QCOMPARE(querion.DataModel(), model);
    delete model;
    QCOMPARE(querion.DataModel(), nullptr);
  }
};

QTEST_GUILESS_MAIN(TestQuerion)
#include "tst_zelquerion.moc"
