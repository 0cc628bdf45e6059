// SPDX-License-Identifier: MIT
// A model error thrown by an event handler or a slot reaches the user as one error message,
// and the program goes on.
#include "dialogs/guiapplication.h"
#include "model/zeltypes.h"
#include "support/recordingmessages.h"

#include <QPushButton>
#include <QTest>

namespace {

class Thrower : public QObject {
public:
  bool event(QEvent *event) override {
    if (event->type() == QEvent::User)
      throw EzelError(QStringLiteral("Error: List index out of bounds (-1)"));
    return QObject::event(event);
  }
};

} // namespace

class TstGuiApplication : public QObject {
  Q_OBJECT
private slots:
  void eventHandlerError() {
    RecordingMessages rec;
    Thrower thrower;
    QEvent event(QEvent::User);
    QVERIFY(QCoreApplication::sendEvent(&thrower, &event));
    QCOMPARE(rec.texts(), QStringList{QStringLiteral("Error: List index out of bounds (-1)")});
    // Posted events go through the same guard, from the event loop.
    QCoreApplication::postEvent(&thrower, new QEvent(QEvent::User));
    QTRY_COMPARE(rec.texts().size(), 2);
  }

  void slotError() {
    RecordingMessages rec;
    QPushButton button;
    int clicks = 0;
    connect(&button, &QPushButton::clicked, &button, [&] {
      ++clicks;
      throw EzelError(QStringLiteral("Error: The query must include one or more tables"));
    });
    QTest::mouseClick(&button, Qt::LeftButton);
    QCOMPARE(rec.lastText(), QStringLiteral("Error: The query must include one or more tables"));
    QTest::mouseClick(&button, Qt::LeftButton);
    QCOMPARE(clicks, 2);
    QCOMPARE(rec.texts().size(), 2);
  }
};

int main(int argc, char *argv[]) {
  GuardedApplication app(argc, argv);
  TstGuiApplication test;
  return QTest::qExec(&test, argc, argv);
}
#include "tst_guiapplication.moc"
