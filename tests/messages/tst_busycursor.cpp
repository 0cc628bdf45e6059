// SPDX-License-Identifier: MIT
// The busy cursor of long operations: shown through the installed interaction for the scope
// of the operation and restored once; the program's interaction shows the wait cursor.
#include "dialogs/guiinteraction.h"
#include "messages/busycursor.h"
#include "support/scopedinteraction.h"

#include <QApplication>
#include <QGuiApplication>
#include <QtTest>

namespace {

class RecordsBusy : public ScopedInteraction {
public:
  explicit RecordsBusy(QList<bool> &calls) : m_calls(calls) {}
  void setBusy(bool busy) override { m_calls << busy; }

private:
  QList<bool> &m_calls;
};

} // namespace

class TestBusyCursor : public QObject {
  Q_OBJECT
private slots:
  void widgetLibraryShowsTheWaitCursor() {
    zelInstallGui(*qApp);
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
    {
      RecordsBusy recording(calls);
      TzelBusyCursor busy;
      QCOMPARE(calls, QList<bool>{true});
      busy.restore(); // before a message box
      QCOMPARE(calls, QList<bool>({true, false}));
    }
    QCOMPARE(calls, QList<bool>({true, false}));
    { TzelBusyCursor busy; }
    QCOMPARE(calls.size(), 2);
  }
};

QTEST_MAIN(TestBusyCursor)
#include "tst_busycursor.moc"
