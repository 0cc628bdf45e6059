// SPDX-License-Identifier: MIT
// The progress window of long work: nothing for quick work, the window after half a second
// with its caption and text, Cancel and closing both asking to stop, nested tasks sharing
// the outer task's window, the busy cursor back afterwards; and the counting progress of
// exports raising its stop message.
#include "dialogs/frmzelprogress.h"
#include "messages/zelerror.h"
#include "messages/zelprogress.h"
#include "model/zeltypes.h"
#include "support/scopedinteraction.h"

#include <QElapsedTimer>
#include <QGuiApplication>
#include <QLabel>
#include <QPushButton>
#include <QThread>
#include <QtTest>

namespace {

// Steps until the window is up (the work "lasts" as long as that takes).
TfrmZelProgress *stepUntilShown(TzelGuiProgress &handler, const QString &text) {
  for (int i = 0; i < 200 && !TzelGuiProgress::window(); ++i) {
    QThread::msleep(10);
    handler.step(text);
  }
  QThread::msleep(50); // the next step also refreshes the text
  handler.step(text);
  return TzelGuiProgress::window();
}

// Stops after the given number of steps.
class StopAfter : public ScopedInteraction {
public:
  explicit StopAfter(int steps) : m_left(steps) {}
  void beginProgress(const QString &) override {}
  bool stepProgress(const QString &text) override {
    last = text;
    return --m_left > 0;
  }
  void endProgress() override {}
  QString last;

private:
  int m_left;
};

} // namespace

class TestProgress : public QObject {
  Q_OBJECT
private slots:
  void quickWorkShowsNothing() {
    TzelGuiProgress handler;
    handler.begin(QStringLiteral("Exporting"));
    for (int i = 0; i < 10; ++i)
      QVERIFY(handler.step(QStringLiteral("Records exported: 256")));
    QVERIFY(!TzelGuiProgress::window());
    handler.end();
  }

  void longWorkShowsTheWindowAndCancelStops() {
    TzelGuiProgress handler;
    QGuiApplication::setOverrideCursor(Qt::WaitCursor); // the work's own busy cursor
    handler.begin(QStringLiteral("Exporting"));
    handler.begin(QStringLiteral("Running Query")); // nested: the outer task's window
    TfrmZelProgress *w = stepUntilShown(handler, QStringLiteral("Records exported: 512"));
    QVERIFY(w);
    QVERIFY(w->isVisible());
    QCOMPARE(w->windowTitle(), QStringLiteral("Exporting"));
    QCOMPARE(w->windowModality(), Qt::ApplicationModal);
    QCOMPARE(w->labText->text(), QStringLiteral("Records exported: 512"));
    QCOMPARE(QGuiApplication::overrideCursor()->shape(), Qt::ArrowCursor);
    QVERIFY(w->cmdCancel->isEnabled());
    if (const QString dir = qEnvironmentVariable("ZEL_SCREENSHOTS"); !dir.isEmpty())
      w->grab().save(dir + QStringLiteral("/progress.png"));
    QTest::mouseClick(w->cmdCancel, Qt::LeftButton);
    QVERIFY(!handler.step(QStringLiteral("Records exported: 768")));
    QCOMPARE(w->labText->text(), QStringLiteral("Cancelling..."));
    QVERIFY(!w->cmdCancel->isEnabled());
    handler.end();
    QVERIFY(TzelGuiProgress::window()); // the outer task still runs
    handler.end();
    QVERIFY(!TzelGuiProgress::window());
    QCOMPARE(QGuiApplication::overrideCursor()->shape(), Qt::WaitCursor);
    QGuiApplication::restoreOverrideCursor();

    // The next task starts afresh.
    handler.begin(QStringLiteral("Exporting"));
    QVERIFY(handler.step(QString()));
    handler.end();
  }

  void closingTheWindowAsksToStop() {
    TzelGuiProgress handler;
    handler.begin(QStringLiteral("Running Query"));
    TfrmZelProgress *w = stepUntilShown(handler, QStringLiteral("The database is working."));
    QVERIFY(w);
    w->close();
    QVERIFY(w->isVisible()); // stays until the work has ended
    QVERIFY(!handler.step(QString()));
    handler.end();
    QVERIFY(!TzelGuiProgress::window());
  }

  void countingProgressRaisesItsStopMessage() {
    StopAfter stopper(2);
    QString stopped;
    int counted = 0;
    try {
      TzelCountingProgress progress = zelExportProgress();
      for (; counted < 10000; ++counted)
        progress.count();
    } catch (const EzelError &e) {
      stopped = e.message();
    }
    QCOMPARE(stopped, QStringLiteral("Error: The export was cancelled; no file was written."));
    QCOMPARE(stopper.last, QStringLiteral("Records exported: 512"));
    QCOMPARE(counted, 511); // the 512th record asked, and the answer was to stop
  }
};

QTEST_MAIN(TestProgress)
#include "tst_frmzelprogress.moc"
