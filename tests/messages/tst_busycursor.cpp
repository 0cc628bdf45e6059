// The busy cursor of long operations: shown through the installed indicator for the scope
// of the operation, restored once, and nothing at all without an indicator.
#include "dialogs/guibusycursor.h"
#include "messages/busycursor.h"

#include <QGuiApplication>
#include <QtTest>

class TestBusyCursor : public QObject {
  Q_OBJECT
private slots:
  void widgetLibraryShowsTheWaitCursor() {
    zelInstallBusyCursor();
    QVERIFY(!QGuiApplication::overrideCursor());
    {
      TzelBusyCursor busy;
      QVERIFY(QGuiApplication::overrideCursor());
      QCOMPARE(QGuiApplication::overrideCursor()->shape(), Qt::WaitCursor);
    }
    QVERIFY(!QGuiApplication::overrideCursor());
  }

  void showsForTheScopeOnce() {
    QList<bool> calls;
    zelSetBusyIndicator([&](bool busy) { calls << busy; });
    {
      TzelBusyCursor busy;
      QCOMPARE(calls, QList<bool>{true});
      busy.restore(); // before a message box
      QCOMPARE(calls, QList<bool>({true, false}));
    }
    QCOMPARE(calls, QList<bool>({true, false}));
    zelSetBusyIndicator({});
    { TzelBusyCursor busy; }
    QCOMPARE(calls.size(), 2);
  }
};

QTEST_MAIN(TestBusyCursor)
#include "tst_busycursor.moc"
