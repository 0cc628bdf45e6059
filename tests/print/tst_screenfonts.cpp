// SPDX-License-Identifier: MIT
// The support helpers that need the platform's font types.
#include "print/screenfonts.h"

#include <QFont>
#include <QtTest>

class TestScreenFonts : public QObject {
  Q_OBJECT
private slots:
  void defaultFont() {
    QFont font;
    SetDefaultFont(font, 14);
    QCOMPARE(font.family(), QStringLiteral("Arial"));
    QCOMPARE(font.pointSize(), 14);
    QVERIFY(font.bold());
    SetDefaultFont(font, 13);
    QCOMPARE(font.pointSize(), 13);
    QVERIFY(!font.bold());
  }
};

QTEST_MAIN(TestScreenFonts)
#include "tst_screenfonts.moc"
