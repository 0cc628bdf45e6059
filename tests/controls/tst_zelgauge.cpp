// SPDX-License-Identifier: MIT
#include "controls/zelgauge.h"

#include <QMetaEnum>
#include <QMetaProperty>
#include <QPainter>
#include <QtTest>
#include <climits>

namespace {
// Counts the times the gauge is painted.
class CountingGauge : public TzelGauge {
public:
  int paints = 0;

protected:
  void paintEvent(QPaintEvent *event) override {
    ++paints;
    TzelGauge::paintEvent(event);
  }
};

QImage imageOf(const TzelGauge &gauge) {
  return gauge.paintImage(1.0).toImage().convertToFormat(QImage::Format_RGB32);
}

int lightness(QRgb c) {
  return qGray(c);
}

// The gauge's text pixels, split by whether they lie on a dark or a light ground, with the
// mean lightness difference between text and ground on each.
struct TextContrast {
  int onDark = 0;
  int onLight = 0;
  double darkContrast = 0;
  double lightContrast = 0;
};

TextContrast measureText(TzelGauge &gauge) {
  gauge.SetShowText(false);
  const QImage ground = imageOf(gauge);
  gauge.SetShowText(true);
  const QImage withText = imageOf(gauge);
  TextContrast m;
  for (int y = 0; y < ground.height(); ++y) {
    for (int x = 0; x < ground.width(); ++x) {
      const QRgb g = ground.pixel(x, y);
      const QRgb t = withText.pixel(x, y);
      if (g == t)
        continue;
      const int diff = std::abs(lightness(t) - lightness(g));
      if (lightness(g) < 128) {
        ++m.onDark;
        m.darkContrast += diff;
      } else {
        ++m.onLight;
        m.lightContrast += diff;
      }
    }
  }
  if (m.onDark)
    m.darkContrast /= m.onDark;
  if (m.onLight)
    m.lightContrast /= m.onLight;
  return m;
}

TzelGauge::TzelGaugeKind kindNamed(const QString &name) {
  const QMetaEnum e = QMetaEnum::fromType<TzelGauge::TzelGaugeKind>();
  return TzelGauge::TzelGaugeKind(e.keyToValue(name.toLatin1()));
}
} // namespace

class TestZelGauge : public QObject {
  Q_OBJECT
private slots:
  void defaults_data() {
    QTest::addColumn<QString>("property");
    QTest::addColumn<QString>("stored"); // the value in stored text form
    QTest::newRow("Kind") << "Kind"
                          << "gkHorizontalBar";
    QTest::newRow("ShowText") << "ShowText"
                              << "True";
    QTest::newRow("BorderStyle") << "BorderStyle"
                                 << "bsSingle";
    QTest::newRow("ForeColor") << "ForeColor"
                               << "#000000";
    QTest::newRow("BackColor") << "BackColor"
                               << "#ffffff";
    QTest::newRow("MinValue") << "MinValue"
                              << "0";
    QTest::newRow("MaxValue") << "MaxValue"
                              << "100";
    QTest::newRow("Progress") << "Progress"
                              << "0";
  }
  void defaults() {
    QFETCH(QString, property);
    QFETCH(QString, stored);
    TzelGauge gauge;
    const QMetaObject *meta = gauge.metaObject();
    const QMetaProperty p = meta->property(meta->indexOfProperty(property.toLatin1()));
    const QVariant v = p.read(&gauge);
    QString text;
    if (p.isEnumType())
      text = QString::fromLatin1(p.enumerator().valueToKey(v.toInt()));
    else if (v.typeId() == QMetaType::Bool)
      text = v.toBool() ? QStringLiteral("True") : QStringLiteral("False");
    else if (v.typeId() == QMetaType::QColor)
      text = v.value<QColor>().name();
    else
      text = v.toString();
    QCOMPARE(text, stored);
    const int info = meta->indexOfClassInfo(QByteArray("zel.default.") + property.toLatin1());
    QCOMPARE(QString::fromLatin1(meta->classInfo(info).value()), stored);
    QCOMPARE(gauge.size(), QSize(100, 100));
    QVERIFY(gauge.testAttribute(Qt::WA_OpaquePaintEvent));
    QCOMPARE(gauge.BackColor(), QColor(0xFFFFFF)); // 16777215
  }

  void percentDone_data() {
    QTest::addColumn<int>("min");
    QTest::addColumn<int>("max");
    QTest::addColumn<int>("progress");
    QTest::addColumn<int>("percent");
    QTest::newRow("plain") << 0 << 100 << 37 << 37;
    QTest::newRow("equal limits") << 0 << 0 << 0 << 0;
    QTest::newRow("equal limits elsewhere") << 5 << 5 << 5 << 0;
    QTest::newRow("offset range") << 10 << 20 << 15 << 50;
    QTest::newRow("integer part") << 0 << 3 << 2 << 66;
    QTest::newRow("negative range") << -50 << 50 << 0 << 50;
    QTest::newRow("at max") << 0 << 7 << 7 << 100;
    QTest::newRow("whole int range") << INT_MIN << INT_MAX << INT_MAX << 100;
    QTest::newRow("large values") << 0 << INT_MAX << INT_MAX / 4 << 24;
  }
  void percentDone() {
    QFETCH(int, min);
    QFETCH(int, max);
    QFETCH(int, progress);
    QFETCH(int, percent);
    TzelGauge gauge;
    gauge.SetMinValue(min);
    gauge.SetMaxValue(max);
    gauge.SetProgress(progress);
    QCOMPARE(gauge.PercentDone(), percent);
    QCOMPARE(gauge.accessibleName(), QString::number(percent) + u'%');
  }

  void equalLimitsShowZeroPercent() {
    TzelGauge gauge;
    gauge.resize(80, 30);
    gauge.SetMaxValue(0);
    QCOMPARE(gauge.PercentDone(), 0);
    QCOMPARE(gauge.accessibleName(), QStringLiteral("0%"));
    // The text shows: the image differs from the one without text.
    const QImage withText = imageOf(gauge);
    gauge.SetShowText(false);
    QVERIFY(withText != imageOf(gauge));
  }

  void progressOutsideTheRangeIsIgnored_data() {
    QTest::addColumn<int>("value");
    QTest::addColumn<int>("kept");
    QTest::newRow("beyond max") << 101 << 40;
    QTest::newRow("below min") << -1 << 40;
    QTest::newRow("far beyond") << INT_MAX << 40;
    QTest::newRow("at max") << 100 << 100;
    QTest::newRow("at min") << 0 << 0;
  }
  void progressOutsideTheRangeIsIgnored() {
    QFETCH(int, value);
    QFETCH(int, kept);
    TzelGauge gauge;
    gauge.SetProgress(40);
    gauge.SetProgress(value);
    QCOMPARE(gauge.Progress(), kept);
  }

  // A new value repaints, the same value does not.
  void settersRepaintOnChange_data() {
    QTest::addColumn<QString>("property");
    QTest::addColumn<QVariant>("value");
    QTest::newRow("Kind") << "Kind" << QVariant::fromValue(TzelGauge::gkPie);
    QTest::newRow("ShowText") << "ShowText" << QVariant(false);
    QTest::newRow("BorderStyle") << "BorderStyle" << QVariant::fromValue(TzelGauge::bsNone);
    QTest::newRow("ForeColor") << "ForeColor" << QVariant(QColor(Qt::red));
    QTest::newRow("BackColor") << "BackColor" << QVariant(QColor(Qt::yellow));
    QTest::newRow("MinValue") << "MinValue" << QVariant(-10);
    QTest::newRow("MaxValue") << "MaxValue" << QVariant(50);
    QTest::newRow("Progress") << "Progress" << QVariant(30);
  }
  void settersRepaintOnChange() {
    QFETCH(QString, property);
    QFETCH(QVariant, value);
    CountingGauge gauge;
    gauge.show();
    QVERIFY(QTest::qWaitForWindowExposed(&gauge));
    const QByteArray name = property.toLatin1();
    const QVariant old = gauge.property(name);
    QTRY_VERIFY(gauge.paints > 0);
    gauge.paints = 0;
    gauge.setProperty(name, old);
    QTest::qWait(50);
    QCOMPARE(gauge.paints, 0);
    QVERIFY(gauge.setProperty(name, value));
    QCOMPARE(gauge.property(name), value);
    QTRY_VERIFY(gauge.paints > 0);
  }

  void barGeometry_data() {
    QTest::addColumn<QString>("kind");
    QTest::addColumn<int>("border");
    QTest::addColumn<int>("percent");
    QTest::addColumn<int>("barLength"); // in pixels of ForeColor along the bar's axis
    QTest::newRow("horizontal 37") << "gkHorizontalBar" << 1 << 37 << 37;
    QTest::newRow("horizontal 0") << "gkHorizontalBar" << 1 << 0 << 0;
    QTest::newRow("horizontal 100") << "gkHorizontalBar" << 1 << 100 << 100;
    QTest::newRow("horizontal no border") << "gkHorizontalBar" << 0 << 50 << 51;
    QTest::newRow("vertical 37") << "gkVerticalBar" << 1 << 37 << 37;
    QTest::newRow("vertical 100 stays below the top") << "gkVerticalBar" << 1 << 100 << 99;
    QTest::newRow("vertical 0") << "gkVerticalBar" << 1 << 0 << 0;
  }
  // A 102-pixel gauge has a 100-pixel area inside its border.
  void barGeometry() {
    QFETCH(QString, kind);
    QFETCH(int, border);
    QFETCH(int, percent);
    QFETCH(int, barLength);
    TzelGauge gauge;
    gauge.resize(102, 102);
    gauge.SetKind(kindNamed(kind));
    gauge.SetBorderStyle(border ? TzelGauge::bsSingle : TzelGauge::bsNone);
    gauge.SetShowText(false);
    gauge.SetForeColor(Qt::blue);
    gauge.SetProgress(percent);
    const QImage image = imageOf(gauge);
    int length = 0;
    for (int i = 0; i < 102; ++i) {
      const QPoint at = kind == QLatin1String("gkHorizontalBar") ? QPoint(i, 50) : QPoint(50, i);
      length += image.pixel(at) == QColor(Qt::blue).rgb();
    }
    QCOMPARE(length, barLength);
    if (border)
      QCOMPARE(QColor(image.pixel(0, 0)), gauge.palette().color(QPalette::WindowText));
  }

  void pieAndNeedle() {
    TzelGauge gauge;
    gauge.resize(102, 102);
    gauge.SetShowText(false);
    gauge.SetForeColor(Qt::blue);
    gauge.SetKind(TzelGauge::gkPie);
    gauge.SetProgress(25);
    QImage image = imageOf(gauge);
    const QRgb fore = QColor(Qt::blue).rgb();
    const QRgb back = QColor(Qt::white).rgb();
    QCOMPARE(image.pixel(35, 35), fore); // the quarter from the top, counter-clockwise
    QCOMPARE(image.pixel(66, 35), back);
    QCOMPARE(image.pixel(35, 66), back);
    QCOMPARE(QColor(image.pixel(3, 3)), gauge.Color()); // outside the dial
    gauge.SetProgress(0);
    QCOMPARE(imageOf(gauge).pixel(35, 35), back);

    gauge.SetKind(TzelGauge::gkNeedle);
    gauge.SetProgress(50); // straight up from the middle of the base
    image = imageOf(gauge);
    QCOMPARE(image.pixel(51, 50), fore);
    QCOMPARE(image.pixel(25, 80), back);
    gauge.SetProgress(0);
    QCOMPARE(imageOf(gauge).pixel(51, 50), back);

    gauge.SetKind(TzelGauge::gkText);
    gauge.SetProgress(80);
    image = imageOf(gauge);
    QCOMPARE(image.pixel(10, 50), back);
  }

  // Every kind, at 0, 37 and 100 %, shows its percent in colours that stand out from what
  // lies beneath, with the default colours and with a dark bar on a light ground.
  void textIsReadable_data() {
    QTest::addColumn<QString>("kind");
    QTest::addColumn<int>("percent");
    QTest::addColumn<QColor>("fore");
    QTest::addColumn<QColor>("back");
    for (const char *kind : {"gkText", "gkHorizontalBar", "gkVerticalBar", "gkPie", "gkNeedle"})
      for (int percent : {0, 37, 50, 100}) {
        QTest::addRow("%s %d", kind, percent)
            << kind << percent << QColor(Qt::black) << QColor(Qt::white);
        QTest::addRow("%s %d navy on yellow", kind, percent)
            << kind << percent << QColor(0, 0, 128) << QColor(255, 255, 0);
      }
  }
  void textIsReadable() {
    QFETCH(QString, kind);
    QFETCH(int, percent);
    QFETCH(QColor, fore);
    QFETCH(QColor, back);
    TzelGauge gauge;
    gauge.resize(120, 120);
    QFont font = gauge.font();
    font.setPixelSize(28);
    font.setBold(true);
    gauge.setFont(font);
    gauge.SetKind(kindNamed(kind));
    gauge.SetForeColor(fore);
    gauge.SetBackColor(back);
    gauge.SetProgress(percent);
    const TextContrast m = measureText(gauge);
    QVERIFY(m.onDark + m.onLight > 50);
    // A few pixels of a glyph's soft edge may touch the other ground; those say nothing.
    const int Touch = 10;
    if (m.onDark > Touch)
      QVERIFY2(m.darkContrast > 100, qPrintable(QString::number(m.darkContrast)));
    if (m.onLight > Touch)
      QVERIFY2(m.lightContrast > 100, qPrintable(QString::number(m.lightContrast)));
    // Where the text crosses the edge of the bar, both halves show.
    const bool crossesBar =
        percent == 50 && kind != QLatin1String("gkText") && kind != QLatin1String("gkNeedle");
    if (crossesBar)
      QVERIFY2(m.onDark > 20 && m.onLight > 20,
               qPrintable(QStringLiteral("%1 on dark, %2 on light").arg(m.onDark).arg(m.onLight)));
  }
};

QTEST_MAIN(TestZelGauge)
#include "tst_zelgauge.moc"
