// SPDX-License-Identifier: MIT
// Undo and redo in the data model window: a window move is one step; the toolbar buttons and
// the standard keys (and Ctrl+Y) take the model copy back and forth, and Modified follows. On a
// plain and on a database-bound model, undo and redo bring back the form and the windows.

#include "database/cataloguemodel.h"
#include "database/zeldatamodel.h"
#include "database/zelsession.h"
#include "editors/designhistory.h"
#include "editors/frmzeldatamodel.h"
#include "editors/frmzelrefresh.h"
#include "editors/joinseditor.h"
#include "editors/modelrefresh.h"
#include "editors/tableform.h"
#include "editors/tablelist.h"
#include "model/storedform.h"
#include "support/gridmodel.h"
#include "support/modaldriver.h"
#include "support/recordingmessages.h"

#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QSqlDatabase>
#include <QSqlQuery>
#include <QTemporaryDir>
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
  void refreshFromDatabase();
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

// Refresh from Database on a model made from an SQLite file: nothing changed says so; a column
// added to the database, applied on Yes, shows in its table window and is one undo step.
void TestDataModelWindowUndo::refreshFromDatabase() {
  RecordingMessages rec;
  QTemporaryDir dir;
  const QString file = dir.filePath(QStringLiteral("shop.db"));
  TzelDataModel model;
  {
    QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), QStringLiteral("fill"));
    db.setDatabaseName(file);
    QVERIFY(db.open());
    QVERIFY(QSqlQuery(db).exec(QStringLiteral("CREATE TABLE customers (id INTEGER, name TEXT)")));
    zelModelFromCatalogue(model, file);
    QVERIFY(QSqlQuery(db).exec(QStringLiteral("CREATE TABLE t (x INTEGER)")));
  }
  QSqlDatabase::removeDatabase(QStringLiteral("fill"));
  TfrmZelDataModel window;
  window.zelJoinsEditor->SetModel(&model);
  window.zelJoinsEditor->SetSchema(&model);
  window.show();
  QVERIFY(QTest::qWaitForWindowActive(&window));
  const QString before = StoredFormWriter().write(model);
  const auto refresh = [&window](QStringList &shown, bool yes) {
    whenModal([&shown, yes](QWidget *w) {
      auto *dialog = qobject_cast<TfrmZelRefresh *>(w);
      if (!dialog) {
        w->close();
        return;
      }
      {
        shown << dialog->windowTitle() << dialog->labMessage->text();
        for (int i = 0; i < dialog->lstChanges->count(); ++i)
          shown << dialog->lstChanges->item(i)->text() + (dialog->lstChanges->item(i)->checkState()
                                                              ? QStringLiteral(" [x]")
                                                              : QStringLiteral(" [ ]"));
        if (dialog->cmdClose->isVisible())
          shown << QStringLiteral("Close");
        if (yes && dialog->cmdYes->isVisible())
          dialog->lstChanges->item(0)->setCheckState(Qt::Checked);
      }
      (yes && dialog->cmdYes->isVisible() ? dialog->cmdYes : dialog->cmdNo)->click();
    });
    zelRefreshFromDatabase(*window.zelJoinsEditor, &window);
    window.history()->flush();
  };
  QStringList shown;
  refresh(shown, true);
  QCOMPARE(shown, (QStringList{QStringLiteral("Refresh from Database"),
                               QStringLiteral("The database has changed since the model was "
                                              "made. Apply the checked changes?"),
                               QStringLiteral("Table [t] added to the database [ ]")}));
  QCOMPARE(window.history()->stack()->undoText(), QStringLiteral("Refresh from Database"));
  QVERIFY(window.zelJoinsEditor->FindTableWindow(QStringLiteral("t")));

  TzelOpenDatabase &open = TzelSession::defaultSession().open(file);
  QVERIFY(QSqlQuery(QSqlDatabase::database(open.connectionName, false))
              .exec(QStringLiteral("ALTER TABLE customers ADD COLUMN email TEXT")));
  shown.clear();
  refresh(shown, true);
  QCOMPARE(shown.mid(2), QStringList{QStringLiteral("Column [customers.email] added (Memo) [x]")});
  QCOMPARE(window.history()->stack()->count(), 2);
  TzelTableList *list = window.zelJoinsEditor->FindTableWindow(QStringLiteral("customers"))->list();
  QCOMPARE(list->item(list->count() - 1)->text(), QStringLiteral("email"));
  QVERIFY(window.zelJoinsEditor->Modified());

  window.cmdUndo->click();
  list = window.zelJoinsEditor->FindTableWindow(QStringLiteral("customers"))->list();
  QCOMPARE(list->item(list->count() - 1)->text(), QStringLiteral("name"));
  window.cmdUndo->click();
  QCOMPARE(StoredFormWriter().write(model), before);
  QVERIFY(!window.zelJoinsEditor->FindTableWindow(QStringLiteral("t")));
  shown.clear();
  refresh(shown, false); // No changes nothing
  QCOMPARE(StoredFormWriter().write(model), before);
  QCOMPARE(rec.texts(), QStringList());

  TfrmZelRefresh same;
  same.setChanges({});
  QCOMPARE(same.labMessage->text(), QStringLiteral("The model matches the database."));
  QVERIFY(same.cmdClose->isVisibleTo(&same) && !same.cmdYes->isVisibleTo(&same) &&
          !same.lstChanges->isVisibleTo(&same));
}

QTEST_MAIN(TestDataModelWindowUndo)
#include "tst_frmzeldatamodel_undo.moc"
