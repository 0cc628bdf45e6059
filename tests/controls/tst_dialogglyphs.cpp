// SPDX-License-Identifier: MIT
// The glyphs of the small dialogs load from the resources and draw at 1x and 2x.
#include "controls/glyphs.h"

#include <QImage>
#include <QtTest>

class TestDialogGlyphs : public QObject {
  Q_OBJECT

private slots:
  void drawnAtBothScales_data() {
    QTest::addColumn<QString>("name");
    for (const char *name : {"ZEL_TOOLBAR_ADD_VALUE", "ZEL_TOOLBAR_REMOVE_VALUE",
                             "ZEL_TOOLBAR_RENAME_TABLE", "ZEL_TOOLBAR_HELP", "ZEL_JOIN_CHECK"})
      QTest::newRow(name) << QString::fromLatin1(name);
  }
  void drawnAtBothScales() {
    QFETCH(QString, name);
    QVERIFY(QFile::exists(QStringLiteral(":/glyphs/") + name + QStringLiteral(".svg")));
    for (qreal ratio : {1.0, 2.0}) {
      const QImage image = zelGlyphPixmap(name, {16, 16}, ratio).toImage();
      QCOMPARE(image.size(), QSize(16, 16) * ratio);
      int ink = 0;
      for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
          ink += qAlpha(image.pixel(x, y)) > 128;
      QVERIFY2(ink > image.width(), qPrintable(QString::number(ink))); // something drawn
      QVERIFY(qAlpha(image.pixel(0, 0)) == 0 || name != QLatin1String("ZEL_JOIN_CHECK"));
    }
  }
};

QTEST_MAIN(TestDialogGlyphs)
#include "tst_dialogglyphs.moc"
