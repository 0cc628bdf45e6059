// SPDX-License-Identifier: MIT
#include "dialogs/frmzelabout.h"
#include "dialogs/frmzelinputbox.h"
#include "dialogs/guiinteraction.h"
#include "messages/zelmessages.h"
#include "model/zelmodel.h"
#include "support/modaldriver.h"
#include "support/recordingmessages.h"

#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QtTest>

Q_DECLARE_METATYPE(TzelMessageKind)
Q_DECLARE_METATYPE(TzelButtons)
Q_DECLARE_METATYPE(TzelAnswer)

class TestGuiMessages : public QObject {
  Q_OBJECT

  static TfrmZelInputBox *inputBox(QWidget *w) { return qobject_cast<TfrmZelInputBox *>(w); }

private slots:
  void initTestCase() { zelInstallGui(*qApp); }

  void messageBoxKindButtonsAndAnswer_data() {
    QTest::addColumn<TzelMessageKind>("kind");
    QTest::addColumn<TzelButtons>("buttons");
    QTest::addColumn<int>("icon");
    QTest::addColumn<QString>("caption");
    QTest::addColumn<int>("shown");
    QTest::addColumn<int>("pressed");
    QTest::addColumn<TzelAnswer>("answer");
    const int ok = QMessageBox::Ok, yes = QMessageBox::Yes, no = QMessageBox::No,
              cancel = QMessageBox::Cancel;
    QTest::newRow("error") << TzelMessageKind::Error << TzelButtons::Ok
                           << int(QMessageBox::Critical) << QStringLiteral("Error") << ok << ok
                           << TzelAnswer::Ok;
    QTest::newRow("information") << TzelMessageKind::Information << TzelButtons::Ok
                                 << int(QMessageBox::Information) << QStringLiteral("Information")
                                 << ok << ok << TzelAnswer::Ok;
    QTest::newRow("yes") << TzelMessageKind::Confirmation << TzelButtons::YesNo
                         << int(QMessageBox::Question) << QStringLiteral("Confirm") << (yes | no)
                         << yes << TzelAnswer::Yes;
    QTest::newRow("no") << TzelMessageKind::Confirmation << TzelButtons::YesNo
                        << int(QMessageBox::Question) << QStringLiteral("Confirm") << (yes | no)
                        << no << TzelAnswer::No;
    QTest::newRow("cancel") << TzelMessageKind::Confirmation << TzelButtons::YesNoCancel
                            << int(QMessageBox::Question) << QStringLiteral("Confirm")
                            << (yes | no | cancel) << cancel << TzelAnswer::Cancel;
  }

  void messageBoxKindButtonsAndAnswer() {
    QFETCH(TzelMessageKind, kind);
    QFETCH(TzelButtons, buttons);
    QFETCH(int, icon);
    QFETCH(QString, caption);
    QFETCH(int, shown);
    QFETCH(int, pressed);
    QFETCH(TzelAnswer, answer);
    bool seen = false;
    whenModal([&](QWidget *w) {
      auto *box = qobject_cast<QMessageBox *>(w);
      QVERIFY(box);
      seen = true;
      QCOMPARE(box->text(), QStringLiteral("Error: The [Orders] table is not joined"));
      QCOMPARE(int(box->icon()), icon);
      QCOMPARE(box->windowTitle(), caption);
      QCOMPARE(int(box->standardButtons()), shown);
      QVERIFY(box->windowFlags().testFlag(Qt::WindowStaysOnTopHint));
      box->button(QMessageBox::StandardButton(pressed))->click();
    });
    QCOMPARE(
        zelMessageBox(QStringLiteral("Error: The [Orders] table is not joined"), kind, buttons),
        answer);
    QVERIFY(seen);
  }

  void inputBoxLayoutInDialogUnits() {
    TfrmZelInputBox box(QStringLiteral("Rename"), QStringLiteral("New alias:"),
                        QStringLiteral("Orders"));
    const QSize u = TfrmZelInputBox::dialogUnits(box.font());
    QVERIFY(u.width() > 0 && u.height() > 0);
    const auto x = [&](int n) { return qRound(n * u.width() / 4.0); };
    const auto y = [&](int n) { return qRound(n * u.height() / 8.0); };
    QCOMPARE(box.size(), QSize(x(180), y(63)));
    QCOMPARE(box.minimumSize(), box.maximumSize()); // fixed border
    QCOMPARE(box.labPrompt->pos(), QPoint(x(8), y(8)));
    QCOMPARE(box.labPrompt->text(), QStringLiteral("New alias:"));
    QCOMPARE(box.txtValue->geometry().topLeft(), QPoint(x(8), y(19)));
    QCOMPARE(box.txtValue->width(), x(164));
    QCOMPARE(box.txtValue->maxLength(), 255);
    QCOMPARE(box.txtValue->text(), QStringLiteral("Orders"));
    QCOMPARE(box.cmdOk->text(), QStringLiteral("&OK"));
    QVERIFY(box.cmdOk->isDefault());
    QCOMPARE(box.cmdOk->geometry(), QRect(x(38), y(41), x(50), y(14)));
    QCOMPARE(box.cmdCancel->text(), QStringLiteral("&Cancel"));
    QCOMPARE(box.cmdCancel->geometry(), QRect(x(92), y(41), x(50), y(14)));
    QCOMPARE(box.windowTitle(), QStringLiteral("Rename"));
    QVERIFY(box.windowFlags().testFlag(Qt::WindowStaysOnTopHint));
  }

  void dialogUnitsAreAverageLetterWidthAndHeight() {
    const QFont font = QApplication::font();
    const QFontMetrics m(font);
    const QSize u = TfrmZelInputBox::dialogUnits(font);
    QCOMPARE(u.width(), m.horizontalAdvance(QStringLiteral("ABCDEFGHIJKLMNOPQRSTUVWXYZ"
                                                           "abcdefghijklmnopqrstuvwxyz")) /
                            52);
    QCOMPARE(u.height(), m.height());
  }

  void inputBoxCancelLeavesTheTextUnchanged_data() {
    QTest::addColumn<QString>("how");
    QTest::newRow("cancel button") << QStringLiteral("cancel");
    QTest::newRow("escape") << QStringLiteral("escape");
    QTest::newRow("close") << QStringLiteral("close");
  }

  void inputBoxCancelLeavesTheTextUnchanged() {
    QFETCH(QString, how);
    whenModal([&](QWidget *w) {
      TfrmZelInputBox *box = inputBox(w);
      QVERIFY(box);
      box->txtValue->setText(QStringLiteral("Customers"));
      if (how == QLatin1String("cancel"))
        box->cmdCancel->click();
      else if (how == QLatin1String("escape"))
        QTest::keyClick(box, Qt::Key_Escape);
      else
        box->close();
    });
    QString text = QStringLiteral("Orders");
    QVERIFY(!zelInputBox(QStringLiteral("Rename"), QStringLiteral("New alias:"), text));
    QCOMPARE(text, QStringLiteral("Orders"));
  }

  void inputBoxOkWritesTheTextBack() {
    whenModal([](QWidget *w) {
      TfrmZelInputBox *box = inputBox(w);
      QVERIFY(box);
      QCOMPARE(box->txtValue->text(), QStringLiteral("Orders"));
      box->txtValue->setText(QStringLiteral("Customers"));
      QTest::keyClick(box->txtValue, Qt::Key_Return); // OK is the default button
    });
    QString text = QStringLiteral("Orders");
    QVERIFY(zelInputBox(QStringLiteral("Rename"), QStringLiteral("New alias:"), text));
    QCOMPARE(text, QStringLiteral("Customers"));
  }

  // Help is offered only when the caller has some: its button and F1 call it, the text stays.
  void inputBoxHelpByButtonAndF1() {
    int asked = 0;
    whenModal([&](QWidget *w) {
      TfrmZelInputBox *box = inputBox(w);
      QVERIFY(box && box->cmdHelp);
      QCOMPARE(box->cmdHelp->text(), QStringLiteral("&Help"));
      QVERIFY(box->cmdHelp->geometry().right() < box->width());
      box->cmdHelp->click();
      QTest::keyClick(box->txtValue, Qt::Key_F1);
      box->cmdCancel->click();
    });
    QString text = QStringLiteral("Orders");
    QVERIFY(!zelInputBox(QStringLiteral("Rename Table"), QStringLiteral("Enter new table name"),
                         text, [&] { ++asked; }));
    QCOMPARE(asked, 2);
    TfrmZelInputBox plain(QStringLiteral("Rename"), QStringLiteral("New alias:"), QString());
    QVERIFY(!plain.cmdHelp);
  }

  // Help › About of every window reaches the model's ShowAbout: the box installed with the
  // other windows shows the model's texts, the library's and Qt's versions, and help.
  void aboutBoxOfTheModel_data() {
    QTest::addColumn<QString>("helpCaption");
    QTest::addColumn<QStringList>("shown");
    QTest::newRow("sample") << QStringLiteral("&Help")
                            << QStringList{QStringLiteral("Pellox"), QStringLiteral("Version 4.0"),
                                           QStringLiteral("(c) Pellox authors"),
                                           QStringLiteral("Free to try.")};
    QTest::newRow("no help, no copyright")
        << QStringLiteral(" ")
        << QStringList{QStringLiteral("Pellox"), QStringLiteral("Version 4.0")};
  }
  void aboutBoxOfTheModel() {
    QFETCH(QString, helpCaption);
    QFETCH(QStringList, shown);
    TzelModel model;
    model.About()->SetHelpCaption(helpCaption);
    model.About()->SetHelpContext(7);
    if (shown.size() > 2) {
      model.About()->SetCopyright(shown.at(2));
      model.About()->SetLegalNotice(shown.at(3));
    }
    RecordingHelp help;
    QString caption, library;
    QStringList texts;
    bool helpButton = false;
    whenModal([&](QWidget *w) {
      auto *box = qobject_cast<TfrmZelAbout *>(w);
      if (!box) {
        w->close();
        return;
      }
      caption = box->windowTitle();
      for (QLabel *label : {box->labTitle, box->labVersion, box->labCopyright, box->labComments,
                            box->labLegalNotice})
        if (label->isVisibleTo(box))
          texts << label->text();
      library = box->labLibrary->text();
      helpButton = box->cmdHelp->isVisibleTo(box);
      if (helpButton)
        box->cmdHelp->click();
      QTest::keyClick(box, Qt::Key_Return); // OK is the default button
    });
    model.ShowAbout();
    QCOMPARE(caption, QStringLiteral("About Pellox")); // no space in front of the title
    QCOMPARE(texts, shown);
    QVERIFY2(library.contains(QStringLiteral("Qt ") + QString::fromLatin1(qVersion())),
             qPrintable(library));
    QVERIFY2(library.startsWith(QStringLiteral("Pellox library 4.")), qPrintable(library));
    QCOMPARE(helpButton, !IsBlank(helpCaption));
    QCOMPARE(help.calls.size(), helpButton ? 1 : 0);
    if (helpButton)
      QCOMPARE(help.calls.first().context, 7);
  }

  void snapshot() {
    const QString folder = qEnvironmentVariable("ZEL_SNAPSHOTS");
    if (folder.isEmpty())
      QSKIP("ZEL_SNAPSHOTS not set");
    TfrmZelInputBox box(QStringLiteral("Rename"), QStringLiteral("New alias:"),
                        QStringLiteral("Orders"));
    box.show();
    QVERIFY(box.grab().save(folder + QStringLiteral("/frmzelinputbox.png")));
    TzelModel model;
    model.About()->SetCopyright(QStringLiteral("(c) Pellox authors"));
    TfrmZelAbout about(model);
    about.show();
    QVERIFY(about.grab().save(folder + QStringLiteral("/frmzelabout.png")));
  }
};

QTEST_MAIN(TestGuiMessages)
#include "tst_guimessages.moc"
