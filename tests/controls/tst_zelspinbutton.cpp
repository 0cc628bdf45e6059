// SPDX-License-Identifier: MIT
#include "controls/zelspinbutton.h"
#include "controls/zeltimerspeedbutton.h"

#include <QFile>
#include <QLineEdit>
#include <QSignalSpy>
#include <QTimer>
#include <QVBoxLayout>
#include <QtTest>

using State = TzelTimerSpeedButton::TimeBtnState;

// What the button had done each time its repeat timer fired.
struct Tick {
  int clicks;
  int nextInterval;
};

class TestZelSpinButton : public QObject {
  Q_OBJECT

  // A shown, active window holding an edit and a spin button that steps it.
  struct Rig {
    QWidget window;
    QLineEdit *edit = new QLineEdit(&window);
    TzelSpinButton *spin = new TzelSpinButton(&window);
    Rig() {
      auto *layout = new QVBoxLayout(&window);
      layout->addWidget(edit);
      layout->addWidget(spin);
      spin->SetFocusControl(edit);
      window.show();
      window.activateWindow();
    }
  };

private slots:
  void creation() {
    TzelSpinButton spin;
    QCOMPARE(spin.size(), QSize(20, 25));
    QCOMPARE(spin.focusedButton(), spin.upButton());
    QVERIFY(!spin.TabStop());
    for (TzelTimerSpeedButton *b : {spin.upButton(), spin.downButton()}) {
      QVERIFY(!b->isHidden() && b->isEnabled());
      QVERIFY(b->autoRaise());
      QCOMPARE(b->TimeBtnStates(), State(TzelTimerSpeedButton::tbAllowTimer));
      QVERIFY(!b->icon().isNull());
      QVERIFY(!b->accessibleName().isEmpty());
    }
    QVERIFY(QFile::exists(QStringLiteral(":/glyphs/ZEL_CONTROLS_SPINUP.svg")));
    QVERIFY(QFile::exists(QStringLiteral(":/glyphs/ZEL_CONTROLS_SPINDOWN.svg")));
  }

  void layout_data() {
    QTest::addColumn<QSize>("size");
    QTest::addColumn<QRect>("up");
    QTest::addColumn<QRect>("down");
    QTest::newRow("creation size") << QSize(20, 25) << QRect(0, 0, 20, 12) << QRect(0, 11, 20, 14);
    QTest::newRow("in a spin edit") << QSize(15, 17) << QRect(0, 0, 15, 8) << QRect(0, 7, 15, 10);
    QTest::newRow("even height") << QSize(18, 40) << QRect(0, 0, 18, 20) << QRect(0, 19, 18, 21);
    QTest::newRow("narrow is widened")
        << QSize(9, 30) << QRect(0, 0, 15, 15) << QRect(0, 14, 15, 16);
  }
  void layout() {
    QFETCH(QSize, size);
    QFETCH(QRect, up);
    QFETCH(QRect, down);
    TzelSpinButton spin;
    spin.resize(size);
    spin.show();
    QCOMPARE(spin.upButton()->geometry(), up);
    QCOMPARE(spin.downButton()->geometry(), down);
  }

  void keyboard() {
    Rig rig;
    rig.spin->SetTabStop(true);
    rig.spin->setFocus();
    QTRY_VERIFY(rig.spin->hasFocus());
    QSignalSpy ups(rig.spin, &TzelSpinButton::UpClick);
    QSignalSpy downs(rig.spin, &TzelSpinButton::DownClick);
    const auto focusRect = [](TzelTimerSpeedButton *b) {
      return b->TimeBtnStates().testFlag(TzelTimerSpeedButton::tbFocusRect);
    };
    QVERIFY(focusRect(rig.spin->upButton()));
    QTest::keyClick(rig.spin, Qt::Key_Space);
    QCOMPARE(ups.count(), 1);
    QTest::keyClick(rig.spin, Qt::Key_Down);
    QCOMPARE(downs.count(), 1);
    QCOMPARE(rig.spin->focusedButton(), rig.spin->downButton());
    QVERIFY(focusRect(rig.spin->downButton()) && !focusRect(rig.spin->upButton()));
    QTest::keyClick(rig.spin, Qt::Key_Space);
    QCOMPARE(downs.count(), 2);
    QTest::keyClick(rig.spin, Qt::Key_Up);
    QCOMPARE(ups.count(), 2);
    QCOMPARE(rig.spin->focusedButton(), rig.spin->upButton());
    rig.edit->setFocus();
    QTRY_VERIFY(rig.edit->hasFocus());
    QVERIFY(!focusRect(rig.spin->upButton()) && !focusRect(rig.spin->downButton()));
  }

  // Who takes the focus when an arrow is pressed with the mouse.
  void pressFocus_data() {
    QTest::addColumn<bool>("editEnabled");
    QTest::addColumn<bool>("tabStop");
    QTest::addColumn<bool>("editFocused");
    QTest::addColumn<QString>("focused"); // "edit", "spin" or ""
    QTest::newRow("the edit") << true << false << false << "edit";
    QTest::newRow("the edit before the tab stop") << true << true << false << "edit";
    QTest::newRow("disabled edit, tab stop") << false << true << false << "spin";
    QTest::newRow("disabled edit, no tab stop") << false << false << false << "";
    QTest::newRow("edit focused, no tab stop") << true << false << true << "edit";
    QTest::newRow("edit focused, tab stop") << true << true << true << "spin";
  }
  void pressFocus() {
    QFETCH(bool, editEnabled);
    QFETCH(bool, tabStop);
    QFETCH(bool, editFocused);
    QFETCH(QString, focused);
    Rig rig;
    QTRY_VERIFY(rig.window.isActiveWindow());
    rig.edit->setEnabled(editEnabled);
    rig.spin->SetTabStop(tabStop);
    if (editFocused)
      rig.edit->setFocus();
    else
      rig.window.setFocus();
    QSignalSpy downs(rig.spin, &TzelSpinButton::DownClick);
    QTest::mouseClick(rig.spin->downButton(), Qt::LeftButton);
    QCOMPARE(downs.count(), 1);
    QCOMPARE(rig.spin->focusedButton(), rig.spin->downButton());
    QCOMPARE(rig.edit->hasFocus(), focused == QLatin1String("edit"));
    QCOMPARE(rig.spin->hasFocus(), focused == QLatin1String("spin"));
  }

  void autoRepeat() {
    TzelSpinButton spin;
    spin.show();
    TzelTimerSpeedButton *up = spin.upButton();
    QSignalSpy clicks(&spin, &TzelSpinButton::UpClick);
    QVERIFY(!up->repeatTimer());
    QTest::mousePress(up, Qt::LeftButton);
    QTimer *timer = up->repeatTimer();
    QVERIFY(timer && timer->isActive());
    QCOMPARE(timer->interval(), 400);
    QList<Tick> ticks;
    connect(timer, &QTimer::timeout, this, [&] {
      ticks.append({int(clicks.count()), timer->interval()});
    });
    QTRY_VERIFY_WITH_TIMEOUT(ticks.size() >= 3, 5000);
    QTest::mouseRelease(up, Qt::LeftButton);
    QVERIFY(!timer->isActive());
    // One click per tick, none before the first; the timer waits 400 ms for the first tick,
    // then 100 ms (its intervals, not the wall clock, which a loaded machine stretches).
    for (int i = 0; i < ticks.size(); ++i) {
      QCOMPARE(ticks[i].clicks, i + 1);
      QCOMPARE(ticks[i].nextInterval, 100);
    }
    const int afterRelease = int(clicks.count()); // the release itself clicks once
    QCOMPARE(afterRelease, int(ticks.size()) + 1);
    QTest::qWait(250);
    QCOMPARE(int(clicks.count()), afterRelease);
    // A new press starts again at 400 ms.
    QTest::mousePress(up, Qt::LeftButton);
    QCOMPARE(timer->interval(), 400);
    QTest::mouseRelease(up, Qt::LeftButton);
  }

  void noRepeatOutsideTheButton() {
    TzelSpinButton spin;
    spin.show();
    TzelTimerSpeedButton *down = spin.downButton();
    QSignalSpy clicks(&spin, &TzelSpinButton::DownClick);
    QTest::mousePress(down, Qt::LeftButton);
    QTest::mouseMove(down, QPoint(200, 200));
    QVERIFY(!down->isDown());
    QSignalSpy ticks(down->repeatTimer(), &QTimer::timeout);
    QTRY_VERIFY_WITH_TIMEOUT(ticks.count() >= 2, 5000);
    QTest::mouseRelease(down, Qt::LeftButton, {}, QPoint(200, 200));
    QCOMPARE(clicks.count(), 0);
  }

  void timerOnlyWhenAllowed() {
    TzelTimerSpeedButton button;
    button.show();
    button.SetTimeBtnStates({});
    QTest::mousePress(&button, Qt::LeftButton);
    QVERIFY(!button.repeatTimer());
    QTest::mouseRelease(&button, Qt::LeftButton);
  }
};

QTEST_MAIN(TestZelSpinButton)
#include "tst_zelspinbutton.moc"
