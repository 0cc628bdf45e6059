// Undo and redo in the data model window: a window move is one step; the toolbar buttons and
// the standard keys (and Ctrl+Y) take the model copy back and forth, and Modified follows. On a
// plain and on a database-bound model, undo and redo bring back the form and the windows.

#include "database/zeldatamodel.h"
#include "editors/designhistory.h"
#include "editors/frmzeldatamodel.h"
#include "editors/joinseditor.h"
#include "editors/tableform.h"
#include "model/storedform.h"
#include "support/gridmodel.h"
#include "support/recordingmessages.h"

#include <QToolButton>
#include <QUndoStack>
#include <QtTest>

class TestDataModelWindowUndo : public QObject {
  Q_OBJECT
private slots:
  void redoKeys_data();
  void redoKeys();
  void stepsShowAgain_data();
  void stepsShowAgain();
};

namespace {

QStringList shownWindows(const TfrmZelDataModel &window) {
  QStringList shown;
  for (const TzelTableForm *w : window.zelJoinsEditor->tableWindows())
    shown << QStringLiteral("%1 %2,%3").arg(w->windowTitle()).arg(w->x()).arg(w->y());
  shown.sort();
  return shown;
}

} // namespace

void TestDataModelWindowUndo::redoKeys_data() {
  QTest::addColumn<QKeySequence>("redo");
  QTest::newRow("Ctrl+Shift+Z") << QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_Z);
  QTest::newRow("Ctrl+Y") << QKeySequence(Qt::CTRL | Qt::Key_Y);
}

void TestDataModelWindowUndo::redoKeys() {
  QFETCH(QKeySequence, redo);
  RecordingMessages rec;
  TzelModel model;
  fillGridModel(model, 4);
  TfrmZelDataModel window;
  window.zelJoinsEditor->SetModel(&model);
  window.zelJoinsEditor->SetSchema(&model);
  window.show();
  QVERIFY(QTest::qWaitForWindowActive(&window));
  const QString before = StoredFormWriter().write(model);
  QVERIFY(!window.cmdUndo->isEnabled());
  TzelTableForm *form = window.zelJoinsEditor->tableWindows().first();
  form->move(form->x() + 40, form->y() + 30);
  window.history()->flush();
  QCOMPARE(window.history()->stack()->count(), 1);
  QVERIFY(window.cmdUndo->isEnabled());
  QCOMPARE(window.cmdUndo->toolTip(), QStringLiteral("Undo Move Table Table0"));
  const QString after = StoredFormWriter().write(model);
  QVERIFY(after != before);

  window.cmdUndo->click();
  QCOMPARE(StoredFormWriter().write(model), before);
  QVERIFY(!window.zelJoinsEditor->Modified());
  QVERIFY(window.cmdRedo->isEnabled());
  QTest::keySequence(&window, redo);
  QCOMPARE(StoredFormWriter().write(model), after);
  QVERIFY(window.zelJoinsEditor->Modified());
  QTest::keySequence(&window, QKeySequence::Undo);
  QCOMPARE(StoredFormWriter().write(model), before);
}

void TestDataModelWindowUndo::stepsShowAgain_data() {
  QTest::addColumn<bool>("bound");  // the database-bound model
  QTest::addColumn<bool>("remove"); // else the window is moved
  QTest::newRow("plain model, table removed") << false << true;
  QTest::newRow("database-bound model, table removed") << true << true;
  QTest::newRow("database-bound model, window moved") << true << false;
}

void TestDataModelWindowUndo::stepsShowAgain() {
  QFETCH(bool, bound);
  QFETCH(bool, remove);
  RecordingMessages rec;
  const std::unique_ptr<TzelModel> model =
      bound ? std::make_unique<TzelDataModel>() : std::make_unique<TzelModel>();
  fillGridModel(*model, 4);
  TfrmZelDataModel window;
  window.zelJoinsEditor->SetModel(model.get());
  window.zelJoinsEditor->SetSchema(model.get());
  window.show();
  QVERIFY(QTest::qWaitForWindowActive(&window));
  const QString before = StoredFormWriter().write(*model);
  const QStringList shownBefore = shownWindows(window);
  TzelTableForm *table1 = window.zelJoinsEditor->FindTableWindow(QStringLiteral("Table1"));
  if (remove) {
    QVERIFY(window.zelJoinsEditor->ShowTable(QStringLiteral("Table1"), true));
    rec.answers << TzelAnswer::Yes;
    QVERIFY(window.zelJoinsEditor->RemoveTable());
  } else {
    table1->move(table1->pos() + QPoint(50, 40));
  }
  window.history()->flush();
  QCOMPARE(window.history()->stack()->undoText(),
           (remove ? QStringLiteral("Delete Table ") : QStringLiteral("Move Table ")) +
               QStringLiteral("Table1"));
  const QString after = StoredFormWriter().write(*model);
  const QStringList shownAfter = shownWindows(window);
  QVERIFY(shownAfter != shownBefore);
  window.history()->undo();
  QCOMPARE(StoredFormWriter().write(*model), before);
  QCOMPARE(shownWindows(window), shownBefore);
  window.history()->redo();
  QCOMPARE(StoredFormWriter().write(*model), after);
  QCOMPARE(shownWindows(window), shownAfter);
}

QTEST_MAIN(TestDataModelWindowUndo)
#include "tst_frmzeldatamodel_undo.moc"
