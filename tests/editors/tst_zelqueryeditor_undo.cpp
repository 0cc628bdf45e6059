// Undo and redo in the query editor panel: each user action is one step named for it; undo
// gives back the stored form and the grid of before, redo those of after, and Modified
// follows the stack's clean state.

#include "../support/samplefiles.h"
#include "editors/designhistory.h"
#include "tst_zelqueryeditor_fixture.h"

#include <QUndoStack>
#include <QtTest>

class TestQueryEditorUndo : public QObject {
  Q_OBJECT
private slots:
  void initTestCase() {
    QStandardPaths::setTestModeEnabled(true);
    useSampleData();
  }
  void actionUndoesAndRedoes_data();
  void actionUndoesAndRedoes();
  void undoBackToSavedIsUnmodified();
};

namespace {

enum class Action { DropField, DropStar, RemoveJoin, EditHeader };

void act(QueryEditorSetup &s, Action action) {
  const QString table = s.query()->GetTable(0)->TableAlias();
  switch (action) {
  case Action::DropField: {
    QStringList fields;
    s.query()->ListFieldAliases(table, fields);
    s.editor.DropField({table, fields.last()}, 0);
    break;
  }
  case Action::DropStar:
    s.editor.DropField({table, QStringLiteral("*")}, 0);
    break;
  case Action::RemoveJoin:
    s.query()->GetJoin(0)->GetJoinField(0)->SetSelected(true);
    s.rec.answers << TzelAnswer::Yes;
    s.editor.RemoveJoin();
    break;
  case Action::EditHeader:
    s.editor.setCell(1, ValueRow::Header, QStringLiteral("Renamed"));
    break;
  }
}

} // namespace

void TestQueryEditorUndo::actionUndoesAndRedoes_data() {
  QTest::addColumn<int>("action");
  QTest::addColumn<QString>("step");
  QTest::newRow("drop field") << int(Action::DropField) << "Add Value ";
  QTest::newRow("drop *") << int(Action::DropStar) << "Add Value ";
  QTest::newRow("delete join") << int(Action::RemoveJoin) << "Delete Join ";
  QTest::newRow("edit a cell") << int(Action::EditHeader) << "Edit Value";
}

void TestQueryEditorUndo::actionUndoesAndRedoes() {
  QFETCH(int, action);
  QFETCH(QString, step);
  QueryEditorSetup s;
  QVERIFY(s.loaded);
  QUndoStack *stack = s.editor.history()->stack();
  const QString before = s.storedQuery();
  const QStringList headersBefore = s.headers();
  act(s, Action(action));
  s.editor.history()->flush();
  QCOMPARE(stack->count(), 1);
  QVERIFY2(stack->undoText().startsWith(step), qPrintable(stack->undoText()));
  QVERIFY(s.editor.Modified());
  const QString after = s.storedQuery();
  const QStringList headersAfter = s.headers();
  QVERIFY(after != before);
  s.editor.history()->undo();
  QCOMPARE(s.storedQuery(), before);
  QCOMPARE(s.headers(), headersBefore);
  QVERIFY(!s.editor.Modified());
  s.editor.history()->redo();
  QCOMPARE(s.storedQuery(), after);
  QCOMPARE(s.headers(), headersAfter);
  QVERIFY(s.editor.Modified());
}

void TestQueryEditorUndo::undoBackToSavedIsUnmodified() {
  QueryEditorSetup s;
  QVERIFY(s.loaded);
  act(s, Action::DropStar);
  s.editor.history()->flush();
  s.editor.SetModified(false); // as a save does
  QCOMPARE(s.editor.history()->stack()->count(), 1);
  act(s, Action::EditHeader);
  s.editor.history()->flush();
  QVERIFY(s.editor.Modified());
  s.editor.history()->undo();
  QVERIFY(!s.editor.Modified());
  s.editor.history()->undo();
  QVERIFY(s.editor.Modified());
}

QTEST_MAIN(TestQueryEditorUndo)
#include "tst_zelqueryeditor_undo.moc"
