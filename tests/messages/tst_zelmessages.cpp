// SPDX-License-Identifier: MIT
#include "messages/zelhelp.h"
#include "messages/zelmessages.h"
#include "model/zeltypes.h"
#include "support/recordingmessages.h"
#include <QtTest>

using namespace Qt::StringLiterals;

class TestMessages : public QObject {
  Q_OBJECT
private slots:
  void showMessagesEmptiesTheList() {
    RecordingMessages rec;
    QStringList lines{QStringLiteral("Error 1: x"), QStringLiteral("Error 2: y")};
    QVERIFY(ShowMessages(lines, QStringLiteral("TzelQuerion")));
    QVERIFY(lines.isEmpty());
    QCOMPARE(rec.lists.size(), 1);
    QCOMPARE(rec.lists[0].lines,
             QStringList({QStringLiteral("Error 1: x"), QStringLiteral("Error 2: y")}));
    QCOMPARE(rec.lists[0].title, QStringLiteral("TzelQuerion"));
    QCOMPARE(rec.hides, 0);
    QVERIFY(!ShowMessages(lines, QStringLiteral("TzelQuerion")));
    QCOMPARE(rec.hides, 1);
    QCOMPARE(rec.lists.size(), 1);
  }

  // A name of a megabyte or a line of a thousand characters is cut where it is shown, in a
  // box and in the message list; the rest of the sentence stays.
  void longTextsAreCut_data() {
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("shown");
    const QString name(1 << 20, u'x');
    const QChar more(0x2026);
    QTest::newRow("huge name") << u"Error: The ["_s + name + u"] table is not joined"_s
                               << u"Error: The ["_s + name.left(200) + more +
                                      u"] table is not joined"_s;
    QTest::newRow("name of 200") << u"["_s + name.left(200) + u"]"_s
                                 << u"["_s + name.left(200) + u"]"_s;
    QTest::newRow("two names") << u"["_s + name.left(201) + u"] and ["_s + name.left(201) + u"]"_s
                               << u"["_s + name.left(200) + more + u"] and ["_s + name.left(200) +
                                      more + u"]"_s;
    QTest::newRow("long line, short next") << u"Error: "_s + name.left(2000) + u"\nDetail"_s
                                           << u"Error: "_s + name.left(993) + more + u"\nDetail"_s;
    const QString clefs = QString(199, u'x') + u"\U0001D11Eyy"_s;
    QTest::newRow("pair at the cut")
        << u"["_s + clefs + u"]"_s << u"["_s + clefs.left(201) + more + u"]"_s;
    QTest::newRow("unclosed bracket")
        << u"Error: ["_s + name << u"Error: ["_s + name.left(200) + more;
  }
  void longTextsAreCut() {
    QFETCH(QString, text);
    QFETCH(QString, shown);
    RecordingMessages rec;
    zelShowError(text);
    QStringList lines{text};
    ShowMessages(lines, u"T"_s);
    QCOMPARE(rec.texts(), QStringList{shown});
    QCOMPARE(rec.lists.value(0).lines, QStringList{shown});
  }

  // The guard of slots and mains: a model error becomes one error message, nothing else.
  void catchToMessage() {
    RecordingMessages rec;
    int ran = 0;
    QVERIFY(zelCatchToMessage([&] { ++ran; }));
    QCOMPARE(rec.messages.size(), 0);
    QVERIFY(!zelCatchToMessage([&] {
      ++ran;
      throw EzelError(QStringLiteral("Error: List index out of bounds (-1)"));
    }));
    QCOMPARE(ran, 2);
    QCOMPARE(rec.texts(), QStringList{QStringLiteral("Error: List index out of bounds (-1)")});
    QCOMPARE(rec.messages[0].kind, TzelMessageKind::Error);
    // Other exceptions are not the model's to report: they pass.
    QVERIFY_THROWS_EXCEPTION(std::runtime_error,
                             zelCatchToMessage([] { throw std::runtime_error("x"); }));
  }

  void errorsUseTheErrorKindWithOk() {
    RecordingMessages rec;
    zelShowError(QStringLiteral("Error: The [Orders] table is not joined"));
    QCOMPARE(rec.messages.size(), 1);
    QCOMPARE(rec.lastText(), QStringLiteral("Error: The [Orders] table is not joined"));
    QCOMPARE(rec.messages[0].kind, TzelMessageKind::Error);
    QCOMPARE(rec.messages[0].buttons, TzelButtons::Ok);
  }

  void scriptedAnswersThenDefaults() {
    RecordingMessages rec;
    rec.answers << TzelAnswer::No << TzelAnswer::Cancel;
    const auto ask = [](TzelButtons b) {
      return zelMessageBox(QStringLiteral("Save?"), TzelMessageKind::Confirmation, b);
    };
    QCOMPARE(ask(TzelButtons::YesNo), TzelAnswer::No);
    QCOMPARE(ask(TzelButtons::YesNoCancel), TzelAnswer::Cancel);
    QCOMPARE(ask(TzelButtons::YesNo), TzelAnswer::Yes);
    QCOMPARE(zelMessageBox(QStringLiteral("Done"), TzelMessageKind::Information), TzelAnswer::Ok);
    QCOMPARE(rec.texts().size(), 4);
  }

  void inputBoxWritesBackOnlyOnOk() {
    RecordingMessages rec;
    rec.inputAnswers << QStringLiteral("Customers") << std::nullopt;
    QString text = QStringLiteral("Orders");
    QVERIFY(zelInputBox(QStringLiteral("Rename"), QStringLiteral("Alias"), text));
    QCOMPARE(text, QStringLiteral("Customers"));
    QVERIFY(!zelInputBox(QStringLiteral("Rename"), QStringLiteral("Alias"), text));
    QCOMPARE(text, QStringLiteral("Customers"));
    QVERIFY(!zelInputBox(QStringLiteral("Rename"), QStringLiteral("Alias"), text)); // empty script
    QCOMPARE(text, QStringLiteral("Customers"));
    QCOMPARE(rec.inputs.size(), 3);
    QCOMPARE(rec.inputs[0].text, QStringLiteral("Orders"));
    QCOMPARE(rec.inputs[1].caption, QStringLiteral("Rename"));
    QCOMPARE(rec.inputs[1].prompt, QStringLiteral("Alias"));
  }

  void recordersNestAndRestore() {
    RecordingMessages outer;
    {
      RecordingMessages inner;
      zelShowError(QStringLiteral("Error: inner"));
      QCOMPARE(inner.messages.size(), 1);
    }
    zelShowError(QStringLiteral("Error: outer"));
    QCOMPARE(outer.texts(), QStringList{QStringLiteral("Error: outer")});
  }

  void helpGoesThroughItsSeam() {
    RecordingHelp help;
    zelShowHelp(QStringLiteral("VIZADUZ.HLP"), 19);
    zelShowHelp(QStringLiteral("ZOZEROD.HLP"), -1);
    QCOMPARE(help.calls.size(), 2);
    QCOMPARE(help.calls[0].helpFile, QStringLiteral("VIZADUZ.HLP"));
    QCOMPARE(help.calls[0].context, 19);
    QCOMPARE(help.calls[1].context, -1);
  }
};

QTEST_GUILESS_MAIN(TestMessages)
#include "tst_zelmessages.moc"
