// SPDX-License-Identifier: MIT
// Undo and redo in the query editor panel: each user action is one step named for it; undo
// gives back the stored form and the grid of before, redo those of after, and Modified
// follows the stack's clean state. After every undo and redo of random steps the editor shows
// exactly what an editor freshly loaded with the same stored form shows.

#include "../support/gridmodel.h"
#include "../support/randomdesignsteps.h"
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
  void randomStepsShowTheRestoredDesign();
  void duplicateHeaderWaitsQuietly();
  void bigQueryMarksValuesWithoutWindows();
  void replacedDesignStartsAFreshHistory_data();
  void replacedDesignStartsAFreshHistory();
};

namespace {

enum class Action { DropField, DropStar, RemoveJoin, EditHeader, Move, Resize, RollUp, Arrange };

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
  case Action::Arrange:
    s.editor.ArrangeTables();
    break;
  case Action::Move:
  case Action::Resize:
  case Action::RollUp: {
    TzelTableForm *window = s.editor.zelJoins->FindTableWindow(table);
    if (action == Action::Move)
      window->move(window->pos() + QPoint(30, 20));
    else if (action == Action::Resize)
      window->resize(window->size() + QSize(40, 0));
    else
      window->toggleRolledUp();
    break;
  }
  }
}

// What the editor shows of its design: each table window (title, place, rows and which are
// values, the table it stands for), each line's points, each value column's cells.
QStringList shown(const TzelQueryEditor &editor, const TzelQuery &query) {
  QStringList windows;
  for (const TzelTableForm *w : editor.zelJoins->tableWindows()) {
    QStringList rows;
    for (int r = 0; r < w->list()->count(); ++r)
      rows << w->list()->item(r)->text() + (w->list()->isActiveRow(r) ? "+" : "");
    const QRect g = w->geometry();
    windows << QStringLiteral("%1 %2,%3 %4x%5 [%6] %7")
                   .arg(w->windowTitle())
                   .arg(g.x())
                   .arg(g.y())
                   .arg(g.width())
                   .arg(g.height())
                   .arg(rows.join(u','), query.GetTable(w->TableIndex())->TableAlias());
  }
  windows.sort();
  QStringList lines;
  for (int j = 0; j < query.JoinCount(); ++j)
    for (int p = 0; !query.GetJoin(j)->Deleted() && p < query.GetJoin(j)->JoinFieldCount(); ++p)
      if (const TzelJoinField *pair = query.GetJoin(j)->GetJoinField(p); !pair->Deleted())
        lines << QStringLiteral("%1.%2 %3,%4 %5,%6")
                     .arg(pair->LeftFieldAlias(), pair->RightFieldAlias())
                     .arg(pair->Point(0).x())
                     .arg(pair->Point(0).y())
                     .arg(pair->Point(3).x())
                     .arg(pair->Point(3).y());
  QStringList cells;
  for (int c = 1; c < editor.grdValues->columnCount(); ++c)
    for (int r = 0; r < editor.grdValues->rowCount(); ++r)
      cells << editor.cell(c, r);
  return windows + lines + cells;
}

QStringList shownFresh(TzelModel &model, const QString &form) {
  TzelQuerion querion;
  querion.SetDataModel(&model);
  StoredFormReader().readInto(querion.Queries(0), form);
  TzelQueryEditor editor;
  editor.resize(900, 600);
  editor.show();
  editor.SetQuerion(&querion);
  return shown(editor, *querion.Queries(0));
}

} // namespace

void TestQueryEditorUndo::actionUndoesAndRedoes_data() {
  QTest::addColumn<int>("action");
  QTest::addColumn<QString>("step");
  QTest::newRow("drop field") << int(Action::DropField) << "Add Value ";
  QTest::newRow("drop *") << int(Action::DropStar) << "Add Value ";
  QTest::newRow("delete join") << int(Action::RemoveJoin) << "Delete Join ";
  QTest::newRow("edit a cell") << int(Action::EditHeader) << "Edit Value Renamed";
  QTest::newRow("move a window") << int(Action::Move) << "Move Table Customers";
  QTest::newRow("resize a window") << int(Action::Resize) << "Resize Table Customers";
  QTest::newRow("roll a window up") << int(Action::RollUp) << "Roll Up Table Customers";
  QTest::newRow("arrange tables") << int(Action::Arrange) << "Arrange Tables";
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

void TestQueryEditorUndo::randomStepsShowTheRestoredDesign() {
  QueryEditorSetup s;
  QVERIFY(s.loaded);
  const quint32 seed = QRandomGenerator::global()->generate();
  RandomDesignSteps steps(*s.query(), seed);
  TzelDesignHistory &history = *s.editor.history();
  for (int i = 0; i < 60; ++i)
    history.record(steps.step());
  // The steps bypassed the windows: show their end before walking back.
  s.editor.zelJoins->SetSchema(s.query());
  qInfo("seed %u", seed); // shown before a difference is reported
  while (history.stack()->canUndo()) {
    history.undo();
    QCOMPARE(shown(s.editor, *s.query()), shownFresh(*s.model, s.storedQuery()));
  }
  while (history.stack()->canRedo()) {
    history.redo();
    QCOMPARE(shown(s.editor, *s.query()), shownFresh(*s.model, s.storedQuery()));
  }
}

// Two columns sharing a header: the steps around it go on without a message after each; the
// values follow in the step that mends the header.
void TestQueryEditorUndo::duplicateHeaderWaitsQuietly() {
  QueryEditorSetup s;
  QVERIFY(s.loaded);
  TzelDesignHistory &history = *s.editor.history();
  const QString first = s.cell(1, ValueRow::Header);
  s.editor.setCell(2, ValueRow::Header, first);
  history.flush();
  act(s, Action::Move);
  history.flush();
  QCOMPARE(history.stack()->undoText(), QStringLiteral("Move Table Customers"));
  QVERIFY2(s.rec.messages.isEmpty(), qPrintable(s.rec.texts().join(u'\n')));
  s.editor.setCell(2, ValueRow::Header, QStringLiteral("Mended"));
  history.flush();
  QCOMPARE(history.stack()->undoText(), QStringLiteral("Edit Value Mended"));
  QVERIFY(s.storedQuery().contains(QStringLiteral("Mended")));
}

// A query of 150 tables with a value in each: loading it and undoing a step on a far table make
// windows only near the view; the far table's window, once made, shows its value's row marked.
void TestQueryEditorUndo::bigQueryMarksValuesWithoutWindows() {
  TzelModel model;
  fillGridModel(model, 150);
  TzelQuerion querion;
  querion.SetDataModel(&model);
  TzelQuery *query = querion.Queries(0);
  for (int t = 0; t < 150; ++t) {
    const QString alias = gridTableAlias(t);
    query->AddTable({}, alias, alias);
    query->GetTable(t)->SetLeft(model.GetTable(t)->Left());
    query->GetTable(t)->SetTop(model.GetTable(t)->Top());
    query->AddValue(alias, gridFieldAlias(1), {});
  }
  TzelQueryEditor editor;
  editor.resize(900, 600);
  editor.show();
  editor.SetQuerion(&querion);
  QVERIFY(editor.zelJoins->tableWindows().size() < 60);
  TzelTable *far = query->GetTable(149);
  far->SetLeft(far->Left() + 10);
  QVERIFY(editor.history()->record(QStringLiteral("Move Table")));
  editor.history()->undo();
  QVERIFY(editor.zelJoins->tableWindows().size() < 60);
  const TzelTableList *list = editor.zelJoins->FindTableWindow(gridTableAlias(149))->list();
  QVERIFY(list->isActiveRow(list->rowOf(gridFieldAlias(1))));
  QVERIFY(!list->isActiveRow(list->rowOf(gridFieldAlias(2))));
}

void TestQueryEditorUndo::replacedDesignStartsAFreshHistory_data() {
  QTest::addColumn<bool>("open");
  QTest::newRow("new") << false;
  QTest::newRow("open") << true;
}

// File New and Open, the old design's changes not saved: nothing of it is left to undo.
void TestQueryEditorUndo::replacedDesignStartsAFreshHistory() {
  QFETCH(bool, open);
  QueryEditorSetup s;
  QVERIFY(s.loaded);
  DocumentDialogsScope dialogs;
  act(s, Action::Move);
  s.editor.history()->flush();
  QUndoStack *stack = s.editor.history()->stack();
  QCOMPARE(stack->count(), 1);
  s.rec.answers << TzelAnswer::No; // "Save changes to Untitled?"
  if (open)
    dialogs->files << examplesFile(QStringLiteral("step1.zel"));
  QVERIFY(open ? s.editor.FileOpen() : s.editor.FileNew(true, true));
  QCOMPARE(stack->count(), 0);
  QVERIFY(!s.editor.Modified());
  const QString replaced = s.storedQuery();
  s.editor.history()->undo();
  QCOMPARE(s.storedQuery(), replaced);
}

QTEST_MAIN(TestQueryEditorUndo)
#include "tst_zelqueryeditor_undo.moc"
