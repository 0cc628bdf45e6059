#include "engine/zelquerion.h"
#include "model/zelmodel.h"
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
