// SPDX-License-Identifier: MIT
#include "controls/zelcontrolregistry.h"

#include <QtTest>

// Without a QApplication no widget can exist: the registry knows the controls but makes
// none, so a stored form naming one fails as an unknown class instead of aborting.
class TestZelControlsGuiless : public QObject {
  Q_OBJECT
private slots:
  void registeredButNotCreated_data() {
    QTest::addColumn<QString>("className");
    QTest::newRow("TzelSpinEdit") << "TzelSpinEdit";
    QTest::newRow("TzelSpinButton") << "TzelSpinButton";
    QTest::newRow("TzelGauge") << "TzelGauge";
  }
  void registeredButNotCreated() {
    QFETCH(QString, className);
    QVERIFY(!zelCanCreateControls());
    QVERIFY(ZelRegistry::instance().contains(className));
    QVERIFY(!ZelRegistry::instance().create(className));
    QVERIFY(!zelCreateControl(className));
  }
};

QTEST_GUILESS_MAIN(TestZelControlsGuiless)
#include "tst_zelcontrolsguiless.moc"
