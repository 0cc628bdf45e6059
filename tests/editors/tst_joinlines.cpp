// SPDX-License-Identifier: MIT
// Geometry of the join lines: where a field row's line ends, which window the line leaves,
// the points of a line and hit-testing of clicks near it.
#include "editors/joinlines.h"

#include <QtTest>

class TestJoinLines : public QObject {
  Q_OBJECT
private slots:
  void rowY_data();
  void rowY();
  void ends_data();
  void ends();
  void points();
  void pointInRect_data();
  void pointInRect();
  void hits_data();
  void hits();
  void firstHitOnly();
};

void TestJoinLines::rowY_data() {
  QTest::addColumn<QRect>("frame");
  QTest::addColumn<int>("listHeight");
  QTest::addColumn<int>("topRow");
  QTest::addColumn<int>("row");
  QTest::addColumn<int>("rowHeight");
  QTest::addColumn<int>("captionHeight");
  QTest::addColumn<int>("y");
  const QRect w(100, 50, 115, 165);
  // Visible: top + caption + rowHeight * r + rowHeight / 4.
  QTest::newRow("first field") << w << 137 << 0 << 1 << 16 << 28 << 50 + 28 + 16 + 4;
  QTest::newRow("star row") << w << 137 << 0 << 0 << 16 << 28 << 50 + 28 + 4;
  QTest::newRow("third field") << w << 137 << 0 << 3 << 16 << 28 << 50 + 28 + 48 + 4;
  QTest::newRow("scrolled, visible") << w << 137 << 2 << 3 << 16 << 28 << 50 + 28 + 16 + 4;
  QTest::newRow("top row itself") << w << 137 << 2 << 2 << 16 << 28 << 50 + 28 + 4;
  // Above the visible rows: inside the title bar, top + caption / 3 + rowHeight / 4.
  QTest::newRow("scrolled above") << w << 137 << 5 << 2 << 16 << 28 << 50 + 9 + 4;
  QTest::newRow("one above") << w << 137 << 5 << 4 << 16 << 28 << 50 + 9 + 4;
  // Below: the list's bottom edge less 2 (top + caption + list height - 2).
  QTest::newRow("scrolled below") << w << 137 << 0 << 20 << 16 << 28 << 50 + 28 + 137 - 2;
  QTest::newRow("at the quarter limit") << w << 52 << 0 << 3 << 16 << 28 << 50 + 28 + 50;
  QTest::newRow("just above the limit") << w << 52 << 0 << 2 << 16 << 28 << 50 + 28 + 36;
  // Divisions truncate: 15 / 4 = 3, 29 / 3 = 9, 29 / 2 = 14.
  QTest::newRow("odd sizes visible") << w << 137 << 0 << 2 << 15 << 29 << 50 + 29 + 30 + 3;
  QTest::newRow("odd sizes above") << w << 137 << 3 << 1 << 15 << 29 << 50 + 9 + 3;
  // Rolled up to the title bar: every line meets the middle of the title bar.
  const QRect rolled(100, 50, 115, 24);
  QTest::newRow("rolled up") << rolled << 0 << 0 << 3 << 16 << 28 << 50 + 14;
  QTest::newRow("rolled up, field missing") << rolled << 0 << 0 << -1 << 16 << 28 << 50 + 14;
  QTest::newRow("height equal to caption")
      << QRect(100, 50, 115, 28) << 0 << 0 << 1 << 16 << 28 << 50 + 14;
  QTest::newRow("odd caption rolled up")
      << QRect(0, 7, 115, 20) << 0 << 0 << 1 << 16 << 29 << 7 + 14;
  QTest::newRow("field missing") << w << 137 << 0 << -1 << 16 << 28 << -1;
  QTest::newRow("window above the surface")
      << QRect(0, -40, 115, 165) << 137 << 0 << 1 << 16 << 28 << -40 + 28 + 16 + 4;
}

void TestJoinLines::rowY() {
  QFETCH(QRect, frame);
  QFETCH(int, listHeight);
  QFETCH(int, topRow);
  QFETCH(int, row);
  QFETCH(int, rowHeight);
  QFETCH(int, captionHeight);
  QFETCH(int, y);
  QCOMPARE(fieldRowY({frame, listHeight, topRow}, row, rowHeight, captionHeight), y);
}

void TestJoinLines::ends_data() {
  QTest::addColumn<QRect>("leftTable");
  QTest::addColumn<QRect>("rightTable");
  QTest::addColumn<int>("x1");
  QTest::addColumn<int>("x2");
  QTest::addColumn<bool>("reversed");
  QTest::newRow("left table to the left")
      << QRect(12, 12, 115, 165) << QRect(136, 12, 115, 165) << 127 << 136 << false;
  QTest::newRow("left table to the right")
      << QRect(300, 12, 115, 165) << QRect(12, 40, 100, 165) << 112 << 300 << true;
  QTest::newRow("equal Left") << QRect(50, 12, 115, 165) << QRect(50, 300, 90, 165) << 165 << 50
                              << false;
  QTest::newRow("overlapping") << QRect(100, 12, 115, 165) << QRect(150, 12, 115, 165) << 215 << 150
                               << false;
  QTest::newRow("one pixel right")
      << QRect(51, 12, 115, 165) << QRect(50, 12, 80, 165) << 130 << 51 << true;
}

void TestJoinLines::ends() {
  QFETCH(QRect, leftTable);
  QFETCH(QRect, rightTable);
  const TzelLineEnds e = lineEnds(leftTable, rightTable);
  QTEST(e.x1, "x1");
  QTEST(e.x2, "x2");
  QTEST(e.reversed, "reversed");
}

void TestJoinLines::points() {
  const TzelLinePoints p = linePoints(127, 40, 136, 80);
  QCOMPARE(p[0], QPoint(127, 40));
  QCOMPARE(p[1], QPoint(137, 40));
  QCOMPARE(p[2], QPoint(126, 80));
  QCOMPARE(p[3], QPoint(136, 80));
  QVERIFY(!isEmptyLine(p));
  QVERIFY(isEmptyLine(TzelLinePoints{}));
}

void TestJoinLines::pointInRect_data() {
  QTest::addColumn<QPoint>("at");
  QTest::addColumn<QRect>("corners"); // left, bottom as topLeft; right, top as bottomRight
  QTest::addColumn<bool>("inside");
  const QRect down(QPoint(10, 20), QPoint(50, 80));
  const QRect up(QPoint(10, 80), QPoint(50, 20));
  const QRect back(QPoint(50, 80), QPoint(10, 20));
  QTest::newRow("middle") << QPoint(30, 50) << down << true;
  QTest::newRow("corner") << QPoint(10, 20) << down << true;
  QTest::newRow("far corner") << QPoint(50, 80) << down << true;
  QTest::newRow("edge") << QPoint(50, 33) << up << true;
  QTest::newRow("left of it") << QPoint(9, 50) << down << false;
  QTest::newRow("right of it") << QPoint(51, 50) << up << false;
  QTest::newRow("above it") << QPoint(30, 19) << up << false;
  QTest::newRow("below it") << QPoint(30, 81) << back << false;
  QTest::newRow("corners exchanged") << QPoint(30, 50) << back << true;
  QTest::newRow("flat") << QPoint(30, 20) << QRect(QPoint(10, 20), QPoint(50, 20)) << true;
  QTest::newRow("off the flat") << QPoint(30, 21) << QRect(QPoint(10, 20), QPoint(50, 20)) << false;
}

void TestJoinLines::pointInRect() {
  QFETCH(QPoint, at);
  QFETCH(QRect, corners);
  QFETCH(bool, inside);
  const QPoint a = corners.topLeft();
  const QPoint b = corners.bottomRight();
  QCOMPARE(PointInRect(at.x(), at.y(), a.x(), a.y(), b.x(), b.y()), inside);
}

void TestJoinLines::hits_data() {
  QTest::addColumn<QList<QPoint>>("line");
  QTest::addColumn<QPoint>("at");
  QTest::addColumn<bool>("hit");
  // Stubs 100..110 at y 50 and 190..200 at y 130; the middle slopes at 45 degrees.
  const QList<QPoint> down{{100, 50}, {110, 50}, {190, 130}, {200, 130}};
  QTest::newRow("on the first stub") << down << QPoint(105, 50) << true;
  QTest::newRow("1 above the stub") << down << QPoint(105, 49) << true;
  QTest::newRow("1 below the stub") << down << QPoint(105, 51) << true;
  QTest::newRow("2 above the stub") << down << QPoint(105, 48) << false;
  QTest::newRow("2 below the stub") << down << QPoint(105, 52) << false;
  QTest::newRow("stub start") << down << QPoint(100, 50) << true;
  QTest::newRow("left of the stub") << down << QPoint(99, 50) << false;
  QTest::newRow("last stub, 1 below") << down << QPoint(195, 131) << true;
  QTest::newRow("last stub, 2 below") << down << QPoint(195, 132) << false;
  QTest::newRow("line end") << down << QPoint(200, 130) << true;
  QTest::newRow("past the end") << down << QPoint(201, 130) << false;
  QTest::newRow("on the diagonal") << down << QPoint(150, 90) << true;
  QTest::newRow("2.83 below the diagonal") << down << QPoint(150, 94) << true;
  QTest::newRow("3.54 below the diagonal") << down << QPoint(150, 95) << false;
  QTest::newRow("2.83 right of the diagonal") << down << QPoint(154, 90) << true;
  QTest::newRow("3.54 left of the diagonal") << down << QPoint(145, 90) << false;
  // Slope 3/4: the distance is |0.75 (X - 110) - (Y - 50)| / 1.25, exact in floating point.
  const QList<QPoint> shallow{{100, 50}, {110, 50}, {190, 110}, {200, 110}};
  QTest::newRow("exactly 3.0 away") << shallow << QPoint(147, 74) << true;
  QTest::newRow("2.4 away") << shallow << QPoint(150, 77) << true;
  QTest::newRow("3.2 away") << shallow << QPoint(150, 76) << false;
  QTest::newRow("4.0 away") << shallow << QPoint(150, 85) << false;
  const QList<QPoint> up{{100, 130}, {110, 130}, {190, 50}, {200, 50}};
  QTest::newRow("rising diagonal") << up << QPoint(150, 90) << true;
  QTest::newRow("near a rising diagonal") << up << QPoint(152, 90) << true;
  QTest::newRow("outside its rectangle") << up << QPoint(112, 131) << false;
  const QList<QPoint> vertical{{100, 50}, {110, 50}, {110, 130}, {120, 130}};
  QTest::newRow("on a vertical middle") << vertical << QPoint(110, 90) << true;
  QTest::newRow("beside a vertical middle") << vertical << QPoint(111, 90) << false;
  const QList<QPoint> flat{{100, 50}, {110, 50}, {190, 50}, {200, 50}};
  QTest::newRow("on a flat middle") << flat << QPoint(150, 50) << true;
  QTest::newRow("beside a flat middle") << flat << QPoint(150, 51) << false;
  const QList<QPoint> none{{0, 0}, {0, 0}, {0, 0}, {0, 0}};
  QTest::newRow("no line") << none << QPoint(0, 0) << false;
}

void TestJoinLines::hits() {
  QFETCH(QList<QPoint>, line);
  QFETCH(QPoint, at);
  QFETCH(bool, hit);
  const TzelLinePoints points{line[0], line[1], line[2], line[3]};
  QCOMPARE(hitsJoinLine(points, at), hit);
}

void TestJoinLines::firstHitOnly() {
  const TzelLinePoints a = linePoints(100, 50, 200, 130);
  const TzelLinePoints b = linePoints(100, 52, 200, 60);
  const TzelLinePoints c = linePoints(300, 50, 400, 50);
  QCOMPARE(firstHitLine({a, b, c}, QPoint(105, 51)), 0);
  QCOMPARE(firstHitLine({b, a, c}, QPoint(105, 51)), 0);
  QCOMPARE(firstHitLine({c, a, b}, QPoint(105, 51)), 1);
  QCOMPARE(firstHitLine({a, b, c}, QPoint(350, 50)), 2);
  QCOMPARE(firstHitLine({a, b, c}, QPoint(600, 600)), -1);
  QCOMPARE(firstHitLine({}, QPoint(105, 51)), -1);
}

QTEST_APPLESS_MAIN(TestJoinLines)
#include "tst_joinlines.moc"
