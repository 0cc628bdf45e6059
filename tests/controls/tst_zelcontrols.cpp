// SPDX-License-Identifier: MIT
#include "controls/glyphs.h"
#include "controls/zelbltbitmap.h"
#include "controls/zelcontrolregistry.h"
#include "controls/zelgauge.h"
#include "controls/zelspinbutton.h"
#include "controls/zelspinedit.h"
#include "controls/zeltabletree.h"

#include <QGridLayout>
#include <QLabel>
#include <QtTest>
#include <memory>

class TestZelControls : public QObject {
  Q_OBJECT
private slots:
  void createdByClassName_data() {
    QTest::addColumn<QString>("className");
    QTest::addColumn<const QMetaObject *>("meta");
    QTest::newRow("TzelSpinEdit") << "TzelSpinEdit" << &TzelSpinEdit::staticMetaObject;
    QTest::newRow("TzelSpinButton") << "TzelSpinButton" << &TzelSpinButton::staticMetaObject;
    QTest::newRow("TzelGauge") << "TzelGauge" << &TzelGauge::staticMetaObject;
  }
  void createdByClassName() {
    QFETCH(QString, className);
    QFETCH(const QMetaObject *, meta);
    ZelRegistry &registry = ZelRegistry::instance();
    QVERIFY(registry.contains(className));
    QCOMPARE(registry.registrationCount(className), 1);
    QCOMPARE(registry.metaObject(className), meta);
    QWidget parent;
    QWidget *control = zelCreateControl(className, &parent);
    QVERIFY(control);
    QCOMPARE(control->metaObject(), meta);
    QCOMPARE(control->parentWidget(), &parent);
  }

  void namesOfNoControlMakeNothing_data() {
    QTest::addColumn<QString>("className");
    QTest::newRow("unknown") << "TzelNoSuchControl";
    QTest::newRow("empty") << "";
    QTest::newRow("a component, not a control") << "TzelQuery";
    QTest::newRow("not registered") << "TzelHorzSplit";
  }
  void namesOfNoControlMakeNothing() {
    QFETCH(QString, className);
    QVERIFY(!zelCreateControl(className));
  }

  void holderFreesAnUntakenControl() {
    QPointer<QWidget> control;
    {
      std::unique_ptr<TzelComponent> made(
          ZelRegistry::instance().create(QStringLiteral("TzelGauge")));
      auto *holder = qobject_cast<ZelControlHolder *>(made.get());
      QVERIFY(holder);
      control = holder->control();
      QVERIFY(qobject_cast<TzelGauge *>(control));
    }
    QVERIFY(control.isNull());
  }

  void tableTree() {
    TzelTableTree tree;
    QVERIFY(!tree.accessibleName().isEmpty());
    tree.AddTableNode(QStringLiteral("Customers"));
    tree.AddFieldNode(QStringLiteral("Company"));
    tree.AddFieldNode(QStringLiteral("State"));
    QTreeWidgetItem *orders = tree.AddTableNode(QStringLiteral("Orders"));
    tree.AddFieldNode(QStringLiteral("SaleDate"));
    QCOMPARE(tree.topLevelItemCount(), 2);
    QCOMPARE(tree.topLevelItem(0)->childCount(), 2);
    QCOMPARE(tree.topLevelItem(0)->child(1)->text(0), QStringLiteral("State"));
    QCOMPARE(tree.lastTableNode(), orders);
    QCOMPARE(orders->child(0)->text(0), QStringLiteral("SaleDate"));
    tree.ClearNodes();
    QCOMPARE(tree.topLevelItemCount(), 0);
    QVERIFY(!tree.lastTableNode());
  }

  // Field nodes with no table node to hold them stand at the top level.
  void tableTreeFieldsWithoutTable() {
    TzelTableTree tree;
    tree.AddFieldNode(QStringLiteral("Loose"));
    QCOMPARE(tree.topLevelItemCount(), 1);
    delete tree.AddTableNode(QStringLiteral("Gone"));
    tree.AddFieldNode(QStringLiteral("AfterDelete"));
    QCOMPARE(tree.topLevelItemCount(), 2);
    QCOMPARE(tree.topLevelItem(1)->text(0), QStringLiteral("AfterDelete"));
  }

  void bltBitmapMakeLike() {
    QPixmap source(12, 7);
    source.setDevicePixelRatio(2.0);
    source.fill(Qt::red);
    TBltBitmap bitmap;
    bitmap.MakeLike(source);
    QCOMPARE(bitmap.size(), QSize(12, 7));
    QCOMPARE(bitmap.devicePixelRatio(), 2.0);
    const QImage image = bitmap.toImage();
    const QRgb face = QGuiApplication::palette().color(QPalette::Button).rgb();
    QCOMPARE(image.pixel(0, 0), face);
    QCOMPARE(image.pixel(11, 6), face);
  }

  // The arrows are drawn on whole pixels: no half-tone pixels at 1x or 2x.
  void glyphsAreCrisp_data() {
    QTest::addColumn<QString>("name");
    QTest::addColumn<qreal>("ratio");
    QTest::addColumn<int>("topRowPixels");
    QTest::newRow("up 1x") << "ZEL_CONTROLS_SPINUP" << 1.0 << 1;
    QTest::newRow("up 2x") << "ZEL_CONTROLS_SPINUP" << 2.0 << 4;
    QTest::newRow("down 1x") << "ZEL_CONTROLS_SPINDOWN" << 1.0 << 7;
    QTest::newRow("down 2x") << "ZEL_CONTROLS_SPINDOWN" << 2.0 << 28;
  }
  void glyphsAreCrisp() {
    QFETCH(QString, name);
    QFETCH(qreal, ratio);
    QFETCH(int, topRowPixels);
    const QImage image =
        zelGlyphPixmap(name, QSize(7, 4), ratio).toImage().convertToFormat(QImage::Format_ARGB32);
    QCOMPARE(image.size(), QSize(7, 4) * ratio);
    int opaque = 0;
    int top = 0;
    for (int y = 0; y < image.height(); ++y)
      for (int x = 0; x < image.width(); ++x) {
        const int alpha = qAlpha(image.pixel(x, y));
        QVERIFY2(alpha == 0 || alpha == 255, qPrintable(QStringLiteral("%1,%2").arg(x).arg(y)));
        opaque += alpha == 255;
        top += alpha == 255 && y < ratio;
      }
    QCOMPARE(opaque, int(16 * ratio * ratio)); // rows of 1, 3, 5 and 7 pixels
    QCOMPARE(top, topRowPixels);
  }

  // The controls as a user sees them, saved when ZEL_SCREENSHOT_DIR names a folder.
  void picture() {
    const QString folder = qEnvironmentVariable("ZEL_SCREENSHOT_DIR");
    if (folder.isEmpty())
      QSKIP("ZEL_SCREENSHOT_DIR is not set");
    QWidget window;
    auto *grid = new QGridLayout(&window);
    const QStringList kinds{"gkText", "gkHorizontalBar", "gkVerticalBar", "gkPie", "gkNeedle"};
    const QList<int> percents{0, 37, 100};
    for (int k = 0; k < kinds.size(); ++k) {
      grid->addWidget(new QLabel(kinds[k]), 0, k + 1);
      for (int p = 0; p < percents.size(); ++p) {
        auto *gauge = new TzelGauge;
        gauge->setProperty("Kind", kinds[k]);
        gauge->SetProgress(percents[p]);
        gauge->setFixedSize(k == 1 ? QSize(120, 28) : QSize(90, 90));
        grid->addWidget(gauge, p + 1, k + 1, Qt::AlignCenter);
      }
    }
    for (int p = 0; p < percents.size(); ++p)
      grid->addWidget(new QLabel(QString::number(percents[p]) + u'%'), p + 1, 0);
    auto *spin = new TzelSpinEdit;
    spin->SetIncrement(0.1);
    spin->SetValue(12.5);
    spin->setFixedWidth(90);
    auto *label = new QLabel(QStringLiteral("&Width"));
    label->setBuddy(spin);
    grid->addWidget(label, 4, 0);
    grid->addWidget(spin, 4, 1);
    auto *button = new TzelSpinButton;
    button->setFixedSize(20, 25);
    grid->addWidget(button, 4, 2, Qt::AlignLeft);
    window.show();
    QVERIFY(QTest::qWaitForWindowExposed(&window));
    QVERIFY(window.grab().save(folder + QStringLiteral("/controls.png")));
  }
};

QTEST_MAIN(TestZelControls)
#include "tst_zelcontrols.moc"
