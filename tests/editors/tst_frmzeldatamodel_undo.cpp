// Undo and redo in the data model window: a window move is one step; the toolbar buttons and
// the standard keys (and Ctrl+Y) take the model copy back and forth, and Modified follows.

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
};

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

QTEST_MAIN(TestDataModelWindowUndo)
#include "tst_frmzeldatamodel_undo.moc"
