// SPDX-License-Identifier: MIT
// The four marker bitmaps of the field lists load from the resources and draw at 1x and 2x:
// dark ones for plain rows, light ones for the highlighted (selected) row.
#include "editors/tablelist.h"
#include "editors/tablelistdelegate.h"

#include <QImage>
#include <QtTest>

class TestTableListGlyphs : public QObject {
  Q_OBJECT
private slots:
  void drawnAtBothScales_data();
  void drawnAtBothScales();
};

void TestTableListGlyphs::drawnAtBothScales_data() {
  QTest::addColumn<QString>("name");
  QTest::addColumn<bool>("star");
  QTest::addColumn<bool>("selected");
  QTest::newRow("ZEL_TABLELIST_ACTIVE1") << "ZEL_TABLELIST_ACTIVE1" << false << false;
  QTest::newRow("ZEL_TABLELIST_ACTIVE2") << "ZEL_TABLELIST_ACTIVE2" << false << true;
  QTest::newRow("ZEL_TABLELIST_STAR1") << "ZEL_TABLELIST_STAR1" << true << false;
  QTest::newRow("ZEL_TABLELIST_STAR2") << "ZEL_TABLELIST_STAR2" << true << true;
}

void TestTableListGlyphs::drawnAtBothScales() {
  QFETCH(QString, name);
  QFETCH(bool, star);
  QFETCH(bool, selected);
  QVERIFY(QFile::exists(QStringLiteral(":/glyphs/") + name + QStringLiteral(".svg")));
  const QSize size = star ? TzelTableListDelegate::starSize : TzelTableListDelegate::markerSize;
  for (qreal ratio : {1.0, 2.0}) {
    const QImage image = TzelTableList::glyph(star, selected).pixmap(size, ratio).toImage();
    QCOMPARE(image.size(), size * ratio);
    int ink = 0;
    int lightness = 0;
    for (int y = 0; y < image.height(); ++y)
      for (int x = 0; x < image.width(); ++x)
        if (qAlpha(image.pixel(x, y)) > 128) {
          ++ink;
          lightness += QColor(image.pixel(x, y)).lightness();
        }
    QVERIFY2(ink > image.width(), qPrintable(QString::number(ink)));
    QCOMPARE(lightness / ink > 200, selected);
  }
}

QTEST_MAIN(TestTableListGlyphs)
#include "tst_tablelistglyphs.moc"
