// SPDX-License-Identifier: MIT
// "Join to...": the dialog's join is the drop's join, stored form for stored form.
#include "joinseditorfixture.h"

#include "editors/frmzeljointo.h"
#include "support/modaldriver.h"
#include "support/recordingmessages.h"

#include <QListWidget>
#include <QMenu>
#include <QPushButton>
#include <QRadioButton>
#include <QtTest>

class TestFrmZelJoinTo : public QObject {
  Q_OBJECT
private slots:
  void sameJoinAsTheDrop_data();
  void sameJoinAsTheDrop();
  void cancelJoinsNothing();
  void outerJoinSeenFromTheStart();
};

void TestFrmZelJoinTo::sameJoinAsTheDrop_data() {
  QTest::addColumn<int>("type");
  QTest::newRow("inner") << int(zelJoinInner);
  QTest::newRow("left") << int(zelJoinLeft);
  QTest::newRow("right") << int(zelJoinRight);
}

void TestFrmZelJoinTo::sameJoinAsTheDrop() {
  QFETCH(int, type);
  Step1Editor dropped;
  QVERIFY(
      dropOnRow(dropped.list("Vendors"), 4, QStringLiteral("Customers"), QStringLiteral("City")));
  QCOMPARE(dropped.query()->JoinCount(), 5);
  dropped.join(4)->SetJoinType(TzelJoinType(type));

  Step1Editor asked;
  TzelTableList *customers = asked.list("Customers");
  customers->setItemIndex(customers->rowOf(QStringLiteral("City")));
  QStringList tables;
  whenModal([&](QWidget *w) {
    auto *dialog = qobject_cast<TfrmZelJoinTo *>(w);
    for (int i = 0; i < dialog->lstTables->count(); ++i)
      tables << dialog->lstTables->item(i)->text();
    QTest::keyClicks(dialog->lstTables, QStringLiteral("Ven")); // type-ahead
    QTest::keyClicks(dialog->lstFields, QStringLiteral("Ci"));
    const QList<QRadioButton *> types{dialog->optInner, dialog->optLeft, dialog->optRight};
    types.at(type)->setChecked(true);
    dialog->cmdOk->click();
  });
  asked.editor.popupMenu()->findChild<QAction *>(QStringLiteral("popJoinTo"))->trigger();
  QCOMPARE(tables, QStringList({"Orders", "Items", "Parts", "Vendors"}));
  QVERIFY(asked.editor.Modified());
  QCOMPARE(StoredFormWriter().write(*asked.query()), StoredFormWriter().write(*dropped.query()));
}

void TestFrmZelJoinTo::cancelJoinsNothing() {
  Step1Editor s;
  const QString before = StoredFormWriter().write(*s.query());
  s.list("Orders")->setItemIndex(1);
  whenModal([](QWidget *w) { qobject_cast<TfrmZelJoinTo *>(w)->cmdCancel->click(); });
  s.editor.JoinTo();
  QCOMPARE(StoredFormWriter().write(*s.query()), before);
  QVERIFY(!s.editor.Modified());
}

// Orders.CustNo to Customers reuses the stored Customers -> Orders join: "left" from Orders
// keeps the orders, which is that join's right join.
void TestFrmZelJoinTo::outerJoinSeenFromTheStart() {
  Step1Editor s;
  TzelTableList *orders = s.list("Orders");
  orders->setItemIndex(orders->rowOf(QStringLiteral("CustNo")));
  const int joins = s.query()->JoinCount();
  whenModal([](QWidget *w) {
    auto *dialog = qobject_cast<TfrmZelJoinTo *>(w);
    QTest::keyClicks(dialog->lstTables, QStringLiteral("Cu"));
    QTest::keyClicks(dialog->lstFields, QStringLiteral("Cu"));
    dialog->optLeft->setChecked(true);
    dialog->cmdOk->click();
  });
  s.editor.JoinTo();
  QCOMPARE(s.query()->JoinCount(), joins);
  const TzelJoin *join = nullptr;
  for (int j = 0; j < joins && !join; ++j)
    if (s.join(j)->RightTableAlias() == u"Orders" && s.join(j)->LeftTableAlias() == u"Customers")
      join = s.join(j);
  QVERIFY(join);
  QCOMPARE(join->JoinType(), zelJoinRight);
}

QTEST_MAIN(TestFrmZelJoinTo)
#include "tst_frmzeljointo.moc"
