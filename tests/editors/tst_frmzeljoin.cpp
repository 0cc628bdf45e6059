// SPDX-License-Identifier: MIT
// The join dialog: its pair and operator, the clickable join types with the check mark, the
// outer-join refusal under joins written in WHERE, Delete and Help.
#include "editors/frmzeljoin.h"
#include "model/zelmodel.h"
#include "support/recordingmessages.h"

#include <QComboBox>
#include <QLabel>
#include <QPushButton>
#include <QtTest>

namespace {

const QString LeftText = QStringLiteral(
    "Return all records from \"Customers\" AND only matching records from \"Orders\"");
const QString RightText = QStringLiteral(
    "Return all records from \"Orders\" AND only matching records from \"Customers\"");

struct JoinFixture {
  explicit JoinFixture(TzelJoinMethod method = zelJoinFrom) {
    model.SetJoinMethod(method);
    dialog.setModel(&model);
    dialog.setPair(QStringLiteral("Customers"), QStringLiteral("CustNo"), zelJoinGE,
                   QStringLiteral("Orders"), QStringLiteral("Customer"));
    dialog.setJoinTypeTexts(LeftText, RightText);
    dialog.setJoinType(zelJoinInner);
  }
  void click(QLabel *label) { QTest::mouseClick(label, Qt::LeftButton); }
  // The check mark stands level with the top of the label, left of it.
  bool checks(const QLabel *label) const {
    return dialog.imgCheck->y() == label->y() && dialog.imgCheck->x() < label->x();
  }
  TzelModel model;
  TfrmZelJoin dialog;
};

} // namespace

class TestFrmZelJoin : public QObject {
  Q_OBJECT

private slots:
  void captionsAndPair() {
    JoinFixture f;
    QCOMPARE(f.dialog.objectName(), QStringLiteral("frmZelJoin"));
    QCOMPARE(f.dialog.windowTitle(), QStringLiteral(" Join Tables"));
    QCOMPARE(f.dialog.size(), QSize(329, 313));
    QCOMPARE(f.dialog.labLeftTable->text(), QStringLiteral("Customers"));
    QCOMPARE(f.dialog.labLeftField->text(), QStringLiteral("CustNo"));
    QCOMPARE(f.dialog.labRightTable->text(), QStringLiteral("Orders"));
    QCOMPARE(f.dialog.labRightField->text(), QStringLiteral("Customer"));
    QCOMPARE(f.dialog.cmbJoinOper->count(), 6);
    QCOMPARE(f.dialog.cmbJoinOper->itemText(2), QStringLiteral("Is Greater or Equal To"));
    QCOMPARE(f.dialog.cmbJoinOper->itemText(5), QStringLiteral("Is Not Equal To"));
    QCOMPARE(f.dialog.joinOper(), zelJoinGE);
    f.dialog.cmbJoinOper->setCurrentIndex(3);
    QCOMPARE(f.dialog.joinOper(), zelJoinLT);
    QCOMPARE(f.dialog.labMsg->text(), QStringLiteral("Join Type:"));
    QCOMPARE(f.dialog.labInnerJoin->text(),
             QStringLiteral("Return matching records from both tables."));
    QCOMPARE(f.dialog.labLeftJoin->text(), LeftText);
    QCOMPARE(f.dialog.labRightJoin->text(), RightText);
    for (QLabel *label : {f.dialog.labInnerJoin, f.dialog.labLeftJoin, f.dialog.labRightJoin})
      QVERIFY(label->wordWrap());
    QCOMPARE(f.dialog.cmdOk->text(), QStringLiteral("&OK"));
    QVERIFY(f.dialog.cmdOk->isDefault());
    QCOMPARE(f.dialog.cmdDelete->text(), QStringLiteral("&Delete"));
    QVERIFY(!f.dialog.imgCheck->pixmap().isNull());
  }

  void clickingALabelMovesTheCheck_data() {
    QTest::addColumn<int>("label");
    QTest::newRow("left") << int(zelJoinLeft);
    QTest::newRow("right") << int(zelJoinRight);
    QTest::newRow("inner") << int(zelJoinInner);
  }
  void clickingALabelMovesTheCheck() {
    QFETCH(int, label);
    JoinFixture f;
    f.dialog.setJoinType(zelJoinRight);
    f.dialog.show();
    QVERIFY(f.checks(f.dialog.labRightJoin));
    QLabel *labels[] = {f.dialog.labInnerJoin, f.dialog.labLeftJoin, f.dialog.labRightJoin};
    f.click(labels[label]);
    QCOMPARE(int(f.dialog.JoinType()), label);
    QVERIFY(f.checks(labels[label]));
  }

  void spaceChoosesTheFocusedType() {
    JoinFixture f;
    f.dialog.show();
    QTest::keyClick(f.dialog.labLeftJoin, Qt::Key_Space);
    QCOMPARE(f.dialog.JoinType(), zelJoinLeft);
  }

  void outerJoinsUnderWhereJoins_data() {
    QTest::addColumn<int>("method");
    QTest::addColumn<int>("type");
    QTest::addColumn<bool>("accepted");
    QTest::newRow("where, left") << int(zelJoinWhere) << int(zelJoinLeft) << false;
    QTest::newRow("where, right") << int(zelJoinWhere) << int(zelJoinRight) << false;
    QTest::newRow("where, inner") << int(zelJoinWhere) << int(zelJoinInner) << true;
    QTest::newRow("from, left") << int(zelJoinFrom) << int(zelJoinLeft) << true;
    QTest::newRow("mixed, right") << int(zelJoinMixed) << int(zelJoinRight) << true;
  }
  void outerJoinsUnderWhereJoins() {
    QFETCH(int, method);
    QFETCH(int, type);
    QFETCH(bool, accepted);
    RecordingMessages rec;
    JoinFixture f{TzelJoinMethod(method)};
    f.dialog.show();
    QLabel *labels[] = {f.dialog.labInnerJoin, f.dialog.labLeftJoin, f.dialog.labRightJoin};
    f.click(labels[type]);
    f.dialog.cmdOk->click();
    QCOMPARE(f.dialog.isVisible(), !accepted);
    if (accepted) {
      QCOMPARE(f.dialog.result(), int(QDialog::Accepted));
      QVERIFY(rec.messages.isEmpty());
    } else {
      QCOMPARE(
          rec.texts(),
          QStringList{"Error: Left and right outer joins are not supported for this database."});
      QCOMPARE(rec.messages.first().kind, TzelMessageKind::Error);
    }
  }

  void leftRefusedThenInnerCloses() {
    RecordingMessages rec;
    JoinFixture f{zelJoinWhere};
    f.dialog.show();
    f.click(f.dialog.labLeftJoin);
    f.dialog.cmdOk->click();
    QVERIFY(f.dialog.isVisible());
    f.click(f.dialog.labInnerJoin);
    f.dialog.cmdOk->click();
    QVERIFY(!f.dialog.isVisible());
    QCOMPARE(f.dialog.JoinType(), zelJoinInner);
    QCOMPARE(rec.messages.size(), 1);
  }

  void deleteClosesOnlyWhenThePairWasRemoved() {
    JoinFixture f;
    f.dialog.show();
    f.dialog.cmdDelete->click(); // no handler: nothing happens
    QVERIFY(f.dialog.isVisible());
    bool removed = false;
    int asked = 0;
    f.dialog.onRemoveJoin = [&] {
      ++asked;
      return removed;
    };
    f.dialog.cmdDelete->click();
    QVERIFY(f.dialog.isVisible());
    removed = true;
    f.dialog.cmdDelete->click();
    QVERIFY(!f.dialog.isVisible());
    QCOMPARE(f.dialog.result(), int(QDialog::Rejected));
    QCOMPARE(asked, 2);
  }

  void cancelAndHelp() {
    RecordingHelp help;
    JoinFixture f;
    f.dialog.show();
    QVERIFY(QTest::qWaitForWindowActive(&f.dialog));
    f.dialog.cmdHelp->click();
    QTest::keyClick(&f.dialog, Qt::Key_F1);
    QCOMPARE(help.calls.size(), 2);
    QCOMPARE(help.calls.first().context, 58);
    f.dialog.cmdCancel->click();
    QVERIFY(!f.dialog.isVisible());
    QCOMPARE(f.dialog.result(), int(QDialog::Rejected));
  }
};

QTEST_MAIN(TestFrmZelJoin)
#include "tst_frmzeljoin.moc"
