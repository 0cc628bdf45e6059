#include "messages/zelmessages.h"
#include <QtTest>

class TestMessages : public QObject {
  Q_OBJECT
private slots:
  void showMessagesEmptiesTheList() {
    QStringList lines{QStringLiteral("Error 1: x")};
    QVERIFY(ShowMessages(lines, QStringLiteral("TzelQuerion")));
    QVERIFY(lines.isEmpty());
    QVERIFY(!ShowMessages(lines, QStringLiteral("TzelQuerion")));
  }
};

QTEST_GUILESS_MAIN(TestMessages)
#include "tst_zelmessages.moc"
