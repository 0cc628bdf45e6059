// SPDX-License-Identifier: MIT
// A numeric display pattern read once gives the same text (and UTF-8 bytes) as the display
// formatter reading it for every value; patterns the shortcut does not take are left to the
// formatter.
#include "database/zelnumberpattern.h"
#include "model/displayformat.h"

#include <QTest>

using namespace Qt::StringLiterals;

class TstNumberPattern : public QObject {
  Q_OBJECT

private slots:
  void sameTextAsTheFormatter_data();
  void sameTextAsTheFormatter();
  void patternsLeftToTheFormatter_data();
  void patternsLeftToTheFormatter();
};

void TstNumberPattern::sameTextAsTheFormatter_data() {
  QTest::addColumn<QString>("locale");
  QTest::addColumn<QString>("pattern");
  for (const char *locale : {"en_US", "de_DE"})
    for (const char *pattern : {"#", "0", "#,#.00", "#,##0.00", "$#,#.00", "0.###", "000.0", "#.#%",
                                "# units", "#,#", ".00", "#,#.0#"})
      QTest::newRow(qPrintable(u"%1 %2"_s.arg(QLatin1String(locale), QLatin1String(pattern))))
          << QString::fromLatin1(locale) << QString::fromLatin1(pattern);
}

void TstNumberPattern::sameTextAsTheFormatter() {
  QFETCH(QString, locale);
  QFETCH(QString, pattern);
  const QLocale l(locale);
  const TzelDisplayFormatter formatter(l);
  const TzelNumberPattern compiled(pattern, l);
  QVERIFY(compiled.usable());
  const double values[] = {0.0,     -0.0,      0.004,       -0.004,    0.01,    0.5,
                           1.0,     -1.0,      12.345,      -12.345,   999.995, 1000.0,
                           -1000.5, 1234567.8, -98765432.1, 1e15 + 1., 0.125,   2.675};
  for (const double v : values) {
    QCOMPARE(compiled.text(v), formatter.number(pattern, v));
    char bytes[256];
    if (const char *end = compiled.writeUtf8(bytes, v)) // halfway values are left to text()
      QCOMPARE(QByteArray(bytes, end - bytes), formatter.number(pattern, v).toUtf8());
  }
}

void TstNumberPattern::patternsLeftToTheFormatter_data() {
  QTest::addColumn<QString>("pattern");
  QTest::newRow("empty") << QString();
  QTest::newRow("sections") << u"#,#.00;(#,#.00)"_s;
  QTest::newRow("quoted text") << u"\"USD \"#.00"_s;
  QTest::newRow("no digits") << u"none"_s;
}

void TstNumberPattern::patternsLeftToTheFormatter() {
  QFETCH(QString, pattern);
  QVERIFY(!TzelNumberPattern(pattern, QLocale::c()).usable());
}

QTEST_APPLESS_MAIN(TstNumberPattern)
#include "tst_numberpattern.moc"
