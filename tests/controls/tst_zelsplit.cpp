// SPDX-License-Identifier: MIT
#include "controls/zelalign.h"
#include "controls/zelsplit.h"

#include <QtTest>
#include <memory>

// A container with a top (or left) control, the splitter and a client control, shown.
struct SplitRig {
  std::unique_ptr<QWidget> container = std::make_unique<QWidget>();
  QWidget *first;
  QWidget *second;
  ZelSplitBar *split;

  explicit SplitRig(bool horizontalBar, bool setFirst = true, bool setSecond = true) {
    container->resize(400, 300);
    first = new QWidget(container.get());
    first->resize(100, 100);
    zelSetAlign(first, horizontalBar ? ZelAlign::Top : ZelAlign::Left);
    split = horizontalBar ? static_cast<ZelSplitBar *>(new TzelHorzSplit(container.get()))
                          : new TzelVertSplit(container.get());
    second = new QWidget(container.get());
    zelSetAlign(second, ZelAlign::Client);
    if (setFirst)
      split->SetFirstControl(first);
    if (setSecond)
      split->SetSecondControl(second);
    container->show();
  }

  // Position along the axis the bar moves on.
  int pos() const { return horizontal() ? split->y() : split->x(); }
  bool horizontal() const { return qobject_cast<TzelHorzSplit *>(split) != nullptr; }
  QPoint local(int along) const { return horizontal() ? QPoint(5, along) : QPoint(along, 5); }

  void press() { QTest::mousePress(split, Qt::LeftButton, {}, local(2)); }
  // Moves the mouse so that the bar's edge would land at target.
  void moveTo(int target) { QTest::mouseMove(split, local(target - pos())); }
  void release() { QTest::mouseRelease(split, Qt::LeftButton, {}, local(2)); }
};

class TestZelSplit : public QObject {
  Q_OBJECT
private slots:
  void creationDefaults_data() {
    QTest::addColumn<bool>("horizontalBar");
    QTest::addColumn<QSize>("size");
    QTest::addColumn<int>("cursor");
    QTest::addColumn<int>("bevel");
    QTest::addColumn<int>("align");
    QTest::newRow("TzelHorzSplit")
        << true << QSize(600, 8) << int(Qt::SplitVCursor) << 2 << int(ZelAlign::Top);
    QTest::newRow("TzelVertSplit")
        << false << QSize(6, 130) << int(Qt::SplitHCursor) << 1 << int(ZelAlign::Left);
  }
  void creationDefaults() {
    QFETCH(bool, horizontalBar);
    std::unique_ptr<ZelSplitBar> split;
    if (horizontalBar)
      split = std::make_unique<TzelHorzSplit>();
    else
      split = std::make_unique<TzelVertSplit>();
    QFETCH(QSize, size);
    QFETCH(int, cursor);
    QFETCH(int, bevel);
    QFETCH(int, align);
    QCOMPARE(split->size(), size);
    QCOMPARE(int(split->cursor().shape()), cursor);
    QCOMPARE(split->lineWidth(), bevel);
    QCOMPARE(int(zelAlignOf(split.get())), align);
    QVERIFY(!split->FirstControl() && !split->SecondControl());
    QVERIFY(!split->isDragging());
    QVERIFY(!split->accessibleName().isEmpty());
  }

  void dockedBetweenItsControls_data() {
    QTest::addColumn<bool>("horizontalBar");
    QTest::newRow("horizontal bar") << true;
    QTest::newRow("vertical bar") << false;
  }
  void dockedBetweenItsControls() {
    QFETCH(bool, horizontalBar);
    SplitRig rig(horizontalBar);
    if (horizontalBar) {
      QCOMPARE(rig.first->geometry(), QRect(0, 0, 400, 100));
      QCOMPARE(rig.split->geometry(), QRect(0, 100, 400, 8));
      QCOMPARE(rig.second->geometry(), QRect(0, 108, 400, 192));
    } else {
      QCOMPARE(rig.first->geometry(), QRect(0, 0, 100, 300));
      QCOMPARE(rig.split->geometry(), QRect(100, 0, 6, 300));
      QCOMPARE(rig.second->geometry(), QRect(106, 0, 294, 300));
    }
    rig.container->resize(500, 400); // docking follows the container
    QTRY_COMPARE(rig.container->size(), QSize(500, 400));
    QTRY_COMPARE(rig.second->geometry().bottomRight(), QPoint(499, 399));
  }

  // A drag to target stops the bar at expected (its last allowed place).
  void dragLimits_data() {
    QTest::addColumn<bool>("horizontalBar");
    QTest::addColumn<QList<int>>("targets");
    QTest::addColumn<int>("expected");
    // The container is 400 x 300: a horizontal bar stays within 41..199, a vertical one
    // within 41..339.
    QTest::newRow("horz inside") << true << QList<int>{150} << 150;
    QTest::newRow("horz just below the top limit") << true << QList<int>{41} << 41;
    QTest::newRow("horz at 40") << true << QList<int>{40} << 100;
    QTest::newRow("horz above 40") << true << QList<int>{10} << 100;
    QTest::newRow("horz at parent height - 100") << true << QList<int>{200} << 100;
    QTest::newRow("horz one short of it") << true << QList<int>{199} << 199;
    QTest::newRow("horz last allowed stays") << true << QList<int>{150, 260, 30} << 150;
    QTest::newRow("vert inside") << false << QList<int>{250} << 250;
    QTest::newRow("vert at 40") << false << QList<int>{40} << 100;
    QTest::newRow("vert at 41") << false << QList<int>{41} << 41;
    QTest::newRow("vert at parent width - 60") << false << QList<int>{340} << 100;
    QTest::newRow("vert one short of it") << false << QList<int>{339} << 339;
    QTest::newRow("vert last allowed stays") << false << QList<int>{300, 380, 60, 5} << 60;
  }
  void dragLimits() {
    QFETCH(bool, horizontalBar);
    QFETCH(QList<int>, targets);
    QFETCH(int, expected);
    SplitRig rig(horizontalBar);
    rig.press();
    QVERIFY(rig.split->isDragging());
    QCOMPARE(int(zelAlignOf(rig.first)), int(ZelAlign::None));
    QCOMPARE(int(zelAlignOf(rig.split)), int(ZelAlign::None));
    QCOMPARE(int(zelAlignOf(rig.second)), int(ZelAlign::None));
    for (int target : targets)
      rig.moveTo(target);
    QCOMPARE(rig.pos(), expected);
    rig.release();
    QVERIFY(!rig.split->isDragging());
    // The first control takes the bar's place as its size; all three are docked again.
    QCOMPARE(rig.pos(), expected);
    const int barSize = horizontalBar ? 8 : 6;
    if (horizontalBar) {
      QCOMPARE(rig.first->geometry(), QRect(0, 0, 400, expected));
      QCOMPARE(rig.second->geometry(), QRect(0, expected + barSize, 400, 300 - expected - barSize));
      QCOMPARE(int(zelAlignOf(rig.first)), int(ZelAlign::Top));
      QCOMPARE(int(zelAlignOf(rig.split)), int(ZelAlign::Top));
    } else {
      QCOMPARE(rig.first->geometry(), QRect(0, 0, expected, 300));
      QCOMPARE(rig.second->geometry(), QRect(expected + barSize, 0, 400 - expected - barSize, 300));
      QCOMPARE(int(zelAlignOf(rig.first)), int(ZelAlign::Left));
      QCOMPARE(int(zelAlignOf(rig.split)), int(ZelAlign::Left));
    }
    QCOMPARE(int(zelAlignOf(rig.second)), int(ZelAlign::Client));
  }

  void withoutBothControlsNothingMoves_data() {
    QTest::addColumn<bool>("horizontalBar");
    QTest::addColumn<bool>("setFirst");
    QTest::addColumn<bool>("setSecond");
    for (bool horizontalBar : {true, false}) {
      const char *bar = horizontalBar ? "horz" : "vert";
      QTest::addRow("%s neither", bar) << horizontalBar << false << false;
      QTest::addRow("%s first only", bar) << horizontalBar << true << false;
      QTest::addRow("%s second only", bar) << horizontalBar << false << true;
    }
  }
  void withoutBothControlsNothingMoves() {
    QFETCH(bool, horizontalBar);
    QFETCH(bool, setFirst);
    QFETCH(bool, setSecond);
    SplitRig rig(horizontalBar, setFirst, setSecond);
    const QRect firstBefore = rig.first->geometry();
    const QRect splitBefore = rig.split->geometry();
    rig.press();
    QVERIFY(!rig.split->isDragging());
    const ZelAlign nearEdge = horizontalBar ? ZelAlign::Top : ZelAlign::Left;
    QCOMPARE(int(zelAlignOf(rig.first)), int(nearEdge));
    QCOMPARE(int(zelAlignOf(rig.split)), int(nearEdge));
    QCOMPARE(int(zelAlignOf(rig.second)), int(ZelAlign::Client));
    rig.moveTo(150);
    rig.release();
    QCOMPARE(rig.split->geometry(), splitBefore);
    QCOMPARE(rig.first->geometry(), firstBefore);
    QCOMPARE(int(zelAlignOf(rig.first)), int(nearEdge));
    QCOMPARE(int(zelAlignOf(rig.second)), int(ZelAlign::Client));
  }

  void destroyedControlCountsAsUnset() {
    SplitRig rig(true);
    delete rig.second;
    rig.press();
    QVERIFY(!rig.split->isDragging());
    QVERIFY(!rig.split->SecondControl());
    QCOMPARE(int(zelAlignOf(rig.first)), int(ZelAlign::Top));
  }
};

QTEST_MAIN(TestZelSplit)
#include "tst_zelsplit.moc"
