// SPDX-License-Identifier: MIT
// The joins editor by keyboard: Tab and Ctrl+Tab through the table windows and the join
// lines, the keys of a focused line and of a table window, what a screen reader is told.
#include "joinseditorfixture.h"

#include "support/recordingmessages.h"

#include <QMenu>
#include <QSignalSpy>
#include <QtTest>

class TestJoinsEditorKeys : public QObject {
  Q_OBJECT
private slots:
  void tabOrder();
  void ctrlTabCyclesAllWindows();
  void deleteKeyRemovesFocusedLine();
  void commandsActOnTheActiveWindow();
  void enterAddsValue_data();
  void enterAddsValue();
  void ctrlArrowMovesWindow();
  void spokenNames();
};

namespace {

QWidget *focused() {
  return QApplication::focusWidget();
}

} // namespace

// Windows in position order (Step 1 stands left to right in creation order), then the lines.
void TestJoinsEditorKeys::tabOrder() {
  Step1Editor s;
  const QStringList order{"Customers", "Orders", "Items", "Parts", "Vendors"};
  s.list("Customers")->setFocus(Qt::TabFocusReason);
  for (const QString &alias : order.mid(1)) {
    QTest::keyClick(focused(), Qt::Key_Tab);
    QCOMPARE(focused(), s.editor.FindTableWindow(alias)->list());
  }
  QTest::keyClick(focused(), Qt::Key_Tab);
  QCOMPARE(focused(), s.editor.surface());
  QVERIFY(s.pair(0, 0)->Selected());
  QTest::keyClick(focused(), Qt::Key_Tab);
  QVERIFY(!s.pair(0, 0)->Selected());
  QVERIFY(s.pair(1, 0)->Selected());
  QTest::keyClick(focused(), Qt::Key_Backtab);
  QTest::keyClick(focused(), Qt::Key_Backtab);
  QCOMPARE(focused(), s.list("Vendors"));
}

void TestJoinsEditorKeys::ctrlTabCyclesAllWindows() {
  Step1Editor s;
  s.window("Customers")->move(600, 150); // now last in position order
  s.list("Orders")->setFocus(Qt::TabFocusReason);
  QStringList visited;
  for (int i = 0; i < 5; ++i) {
    QTest::keyClick(focused(), Qt::Key_Tab, Qt::ControlModifier);
    visited << qobject_cast<TzelTableList *>(focused())->tableAlias();
  }
  QCOMPARE(visited, QStringList({"Items", "Parts", "Vendors", "Customers", "Orders"}));
  QTest::keyClick(focused(), Qt::Key_Backtab, Qt::ControlModifier | Qt::ShiftModifier);
  QCOMPARE(focused(), s.list("Customers"));
}

// Regression: the Delete key on a selected join line did nothing.
void TestJoinsEditorKeys::deleteKeyRemovesFocusedLine() {
  Step1Editor s;
  RecordingMessages rec;
  QVERIFY(s.editor.FocusJoinLine(1));
  rec.answers << TzelAnswer::Yes;
  QTest::keyClick(s.editor.surface(), Qt::Key_Delete);
  QCOMPARE(rec.texts(), QStringList{"Remove the selected join?"});
  QCOMPARE(livePairCount(*s.query()), 4);
  QVERIFY(s.pair(1, 0)->Deleted());
  QVERIFY(s.editor.Modified());
  QCOMPARE(focused(), s.editor.surface()); // on to the line that took its place
  QVERIFY(s.pair(2, 0)->Selected());
}

// Regression: a row chosen with the keys lost its selection to the menu bar, and Rename and
// Remove Table answered "Select a table".
void TestJoinsEditorKeys::commandsActOnTheActiveWindow() {
  Step1Editor s;
  RecordingMessages rec;
  TzelTableList *orders = s.list("Orders");
  orders->setFocus(Qt::TabFocusReason);
  QTest::keyClick(orders, Qt::Key_Down);
  QApplication::setActiveWindow(&s.editor);
  s.editor.setFocus(Qt::MenuBarFocusReason);
  QCOMPARE(s.editor.ActiveTableWindow(), s.window("Orders"));
  rec.answers << TzelAnswer::No;
  QVERIFY(s.editor.RemoveTable());
  QCOMPARE(rec.texts(), QStringList{"Delete the [Orders] table?"});
}

void TestJoinsEditorKeys::enterAddsValue_data() {
  QTest::addColumn<int>("key");
  QTest::newRow("Enter") << int(Qt::Key_Return);
  QTest::newRow("Insert") << int(Qt::Key_Insert);
}

void TestJoinsEditorKeys::enterAddsValue() {
  QFETCH(int, key);
  Step1Editor s;
  QSignalSpy added(&s.editor, &TzelJoinsEditor::OnDblClickField);
  TzelTableList *items = s.list("Items");
  items->setFocus(Qt::TabFocusReason);
  QTest::keyClick(items, Qt::Key(key)); // no row yet: nothing
  QCOMPARE(added.count(), 0);
  items->setItemIndex(2);
  QTest::keyClick(items, Qt::Key(key));
  QCOMPARE(added.count(), 1);
  QCOMPARE(added.first().first().value<TzelTableList *>(), items);
}

void TestJoinsEditorKeys::ctrlArrowMovesWindow() {
  Step1Editor s;
  TzelTableForm *parts = s.window("Parts");
  const QPoint was = parts->pos();
  QTest::keyClick(parts->list(), Qt::Key_Right, Qt::ControlModifier);
  QTest::keyClick(parts->list(), Qt::Key_Down, Qt::ControlModifier);
  QCOMPARE(parts->pos(), was + QPoint(10, 10));
  const TzelTable *table = s.query()->GetTable(parts->TableIndex());
  QCOMPARE(QPoint(table->Left(), table->Top()), parts->pos());
  QVERIFY(s.editor.Modified());
  QTest::keyClick(parts->list(), Qt::Key_F4);
  QVERIFY(parts->isRolledUp());
}

void TestJoinsEditorKeys::spokenNames() {
  Step1Editor s;
  QCOMPARE(s.window("Orders")->accessibleName(), QStringLiteral("Orders table, 6 fields"));
  QCOMPARE(TzelJoinsEditor::describeLine(*s.pair(0, 0)),
           QStringLiteral("Customers.CustNo to Orders.CustNo, inner join"));
  s.join(0)->SetJoinType(zelJoinLeft);
  QCOMPARE(TzelJoinsEditor::describeLine(*s.pair(0, 0)),
           QStringLiteral("Customers.CustNo to Orders.CustNo, left join"));
  QCOMPARE(s.editor.popupMenu()->accessibleName(), QStringLiteral("Joins menu"));
}

QTEST_MAIN(TestJoinsEditorKeys)
#include "tst_joinseditorkeys.moc"
