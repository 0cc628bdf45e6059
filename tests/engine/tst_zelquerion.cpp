#include "engine/zelquerion.h"
#include "model/zelmodel.h"
#include "querionfixture.h"
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

  void indexPastTheLastRaises() {
    TzelQuerion querion;
    QCOMPARE(querion.QueryCount(), 1);
    try {
      querion.Queries(1);
      QFAIL("no error raised");
    } catch (const EzelError &e) {
      QCOMPARE(e.message(), QStringLiteral("Error: Query Index [1] does not exist"));
    }
    querion.SetRaiseOnMissing(false);
    QCOMPARE(querion.Queries(1), nullptr);
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
