// SPDX-License-Identifier: MIT
// The tour window: its components read from the form and wired together, the Data folder
// found beside the program whatever the current folder, navigation at both ends, the two
// pictures that open the dialogs on their topics only, the topic help with its help file
// switched and restored, the animation stopped by commands and by closing, and the screen
// resolution adjustment of the component picture.

#include "database/zelconnection.h"
#include "database/zeldatamodel.h"
#include "database/zeldataset.h"
#include "demo/componenttray.h"
#include "demo/frmmain.h"
#include "demo/topicpage.h"
#include "demo/tourtopics.h"
#include "dialogs/frmzelhelp.h"
#include "editors/frmzeldatamodel.h"
#include "editors/joinseditor.h"
#include "editors/zeldatamodeldialog.h"
#include "engine/zelquerion.h"
#include "support/modaldriver.h"
#include "support/recordingmessages.h"
#include "support/samplefiles.h"
#include "workspace/frmzelquerydialog.h"
#include "workspace/zelquerydialog.h"

#include <QDir>
#include <QFileInfo>
#include <QLabel>
#include <QPushButton>
#include <QSignalSpy>
#include <QStackedWidget>
#include <QTemporaryDir>
#include <QTest>
#include <QUrl>

namespace {

// The window with messages and help recorded instead of shown.
struct Tour {
  RecordingMessages rec;
  RecordingHelp help;
  TfrmMain w;
  explicit Tour(const QString &programFolder = QString()) : w(programFolder) {}

  void goTo(int topic) {
    w.cmdFirstClick();
    while (w.CurrentTopic() < topic)
      w.cmdNextClick();
    QCOMPARE(w.CurrentTopic(), topic);
  }
  QString status() const { return w.labStatus->text(); }
};

// Runs the command, closing the first modal window it shows; returns that window's title, or
// an empty text when none appeared.
QString closeModalOf(const std::function<void()> &command) {
  auto title = std::make_shared<QString>();
  whenModal([title](QWidget *window) {
    *title = window->windowTitle();
    window->close();
  });
  command();
  return *title;
}

void doubleClick(QWidget *picture) {
  QTest::mouseDClick(picture, Qt::LeftButton, {}, picture->rect().center());
}

} // namespace

class TestFrmMain : public QObject {
  Q_OBJECT
private slots:
  void initTestCase();
  void startUpReadsTheForm();
  void startUpFindsTheTablesFromAnyFolder();
  void missingDataFolderIsReportedAndTheTourStarts();
  void everyTopicHasItsTextAndPicture();
  void navigation_data();
  void navigation();
  void queryPictureOnTopic11OpensTheWorkspaceAndStays();
  void queryPictureOnTopic10AdvancesAfterwards();
  void picturesDoNothingOnOtherTopics();
  void dataModelPictureOnTopic8OpensTheReadOnlyWindow();
  void commandsOpenTheDialogs();
  void secondQueryCommandWhileTheWorkspaceIsOpen();
  void topicHelp_data();
  void topicHelp();
  void helpFileLabels();
  void animationStopsOnCommandsAndClosing();
  void positionForScreen_data();
  void positionForScreen();
  void screenAdjustmentMovesAllButTheBackground();
  void exitClosesTheWindow();
};

void TestFrmMain::initTestCase() {
  QLocale::setDefault(QLocale(QLocale::English, QLocale::UnitedStates));
  ZEL_SKIP_WITHOUT_PARADOX();
  QVERIFY2(QFileInfo::exists(sampleDataFolder() + QStringLiteral("/T0490.DB")),
           qPrintable(sampleDataFolder()));
}

void TestFrmMain::startUpReadsTheForm() {
  Tour t;
  QVERIFY(t.rec.messages.isEmpty());
  QCOMPARE(t.w.CurrentTopic(), 1);
  QCOMPARE(t.w.TopicCount(), 16);
  QCOMPARE(t.w.nbkTopics->count(), 16);
  QCOMPARE(t.w.nbkTopics->currentIndex(), 0);
  QCOMPARE(t.status(), QStringLiteral("Topic 1 of 16"));

  QVERIFY(t.w.Database1->Connected());
  QCOMPARE(t.w.Database1->DatabaseName(), QStringLiteral("PELLOX"));
  QCOMPARE(t.w.Database1->DriverName(), QStringLiteral("STANDARD"));
  QVERIFY(!t.w.Database1->LoginPrompt());
  QCOMPARE(
      t.w.Database1->Params(),
      QStringList({QStringLiteral("PATH=") + QCoreApplication::applicationDirPath() +
                       QStringLiteral("/Data"),
                   QStringLiteral("DEFAULT DRIVER=PARADOX"), QStringLiteral("ENABLE BCD=FALSE")}));
  QCOMPARE(t.w.Query1->DatabaseName(), QStringLiteral("PELLOX"));

  TzelDataModel *model = t.w.zelDataModel1;
  QCOMPARE(model->objectName(), QStringLiteral("zelDataModel1"));
  QCOMPARE(model->DatabaseType(), zelParadox);
  QCOMPARE(model->ModelName(), QStringLiteral("Pellox Data Model"));
  QCOMPARE(model->DefaultExtension(), QStringLiteral("zel;kvt"));
  QCOMPARE(model->About()->HelpFile(), QStringLiteral("VIZADUZ.HLP;ZOZEROD.HLP"));
  QCOMPARE(model->TableCount(), 5);

  TzelQuerion *querion = t.w.zelQuerion1;
  QCOMPARE(querion->DataModel(), model);
  QCOMPARE(querion->DataQuery(), t.w.Query1);
  QVERIFY(querion->DisplayParams());
  QCOMPARE(querion->QueryCount(), 1);
  QCOMPARE(querion->CurrentQuery()->QueryName(), QStringLiteral("Step 1"));
  QCOMPARE(querion->Page()->TitleFont()->Name(), QStringLiteral("Arial"));
  QCOMPARE(querion->Page()->TitleFont()->Height(), -24);
  QCOMPARE(querion->Page()->MarginLeft(), 0.3);
  QCOMPARE(querion->Page()->PageWidth(), 8.5);

  QCOMPARE(t.w.zelDataModelDialog1->DataModel(), model);
  QVERIFY(t.w.zelDataModelDialog1->ReadOnly());
  QCOMPARE(t.w.zelQueryDialog1->Querion(), querion);
  QVERIFY(t.w.zelQueryDialog1->EnableExport());
  QVERIFY(t.w.zelQueryDialog1->EnablePrint());
  QVERIFY(t.w.zelQueryDialog1->EnableSave());
  QCOMPARE(t.w.zelQueryDialog1->WindowCaption(), QStringLiteral("Querion"));
  QCOMPARE(t.w.zelQueryDialog1->WindowState(), TzelQueryDialog::wsNormal);
}

void TestFrmMain::startUpFindsTheTablesFromAnyFolder() {
  QTemporaryDir elsewhere;
  const QString before = QDir::currentPath();
  QVERIFY(QDir::setCurrent(elsewhere.path()));
  {
    Tour t;
    QVERIFY(t.rec.messages.isEmpty());
    QVERIFY(t.w.zelQuerion1->Execute());
    QCOMPARE(t.w.Query1->RecordCount(), 36);
    t.w.Query1->Close();
  }
  QVERIFY(QDir::setCurrent(before));
}

void TestFrmMain::missingDataFolderIsReportedAndTheTourStarts() {
  QTemporaryDir program;
  Tour t(program.path());
  QCOMPARE(t.rec.messages.size(), 1);
  QVERIFY2(t.rec.lastText().startsWith(
               QStringLiteral("Error: The sample tables cannot be read from the folder [") +
               program.path() + QStringLiteral("/Data].")),
           qPrintable(t.rec.lastText()));
  QVERIFY(!t.w.Database1->Connected());
  QCOMPARE(t.w.Database1->Params().first(),
           QStringLiteral("PATH=") + program.path() + QStringLiteral("/Data"));
  QCOMPARE(t.status(), QStringLiteral("Topic 1 of 16"));
  t.w.cmdNextClick();
  QCOMPARE(t.status(), QStringLiteral("Topic 2 of 16"));
}

void TestFrmMain::everyTopicHasItsTextAndPicture() {
  Tour t;
  const QList<TourTopic> &topics = TourTopics();
  QCOMPARE(topics.size(), t.w.nbkTopics->count());
  for (int i = 0; i < topics.size(); ++i) {
    auto *page = qobject_cast<TopicPage *>(t.w.nbkTopics->widget(i));
    QVERIFY(page);
    QVERIFY2(page->labText->text().startsWith(QStringLiteral("<h3>")), qPrintable(topics[i].text));
    QCOMPARE(page->imgPicture != nullptr, !topics[i].picture.isEmpty());
    if (page->imgPicture)
      QVERIFY2(!page->imgPicture->pixmap().isNull(), qPrintable(topics[i].picture));
  }
}

void TestFrmMain::navigation_data() {
  QTest::addColumn<int>("from");
  QTest::addColumn<QString>("button");
  QTest::addColumn<int>("to");
  QTest::newRow("next") << 1 << "cmdNext" << 2;
  QTest::newRow("next on the last wraps") << 16 << "cmdNext" << 1;
  QTest::newRow("previous") << 5 << "cmdPrevious" << 4;
  QTest::newRow("previous on the first stays") << 1 << "cmdPrevious" << 1;
  QTest::newRow("first") << 9 << "cmdFirst" << 1;
  QTest::newRow("last") << 3 << "cmdLast" << 16;
  QTest::newRow("last on the last") << 16 << "cmdLast" << 16;
}

void TestFrmMain::navigation() {
  QFETCH(int, from);
  QFETCH(QString, button);
  QFETCH(int, to);
  Tour t;
  t.goTo(from);
  auto *command = t.w.findChild<QPushButton *>(button);
  QVERIFY(command);
  QTest::mouseClick(command, Qt::LeftButton);
  QCOMPARE(t.w.CurrentTopic(), to);
  QCOMPARE(t.w.nbkTopics->currentIndex(), to - 1);
  QCOMPARE(t.status(), QStringLiteral("Topic %1 of 16").arg(to));
}

void TestFrmMain::queryPictureOnTopic11OpensTheWorkspaceAndStays() {
  Tour t;
  t.goTo(11);
  const QString title = closeModalOf([&] { doubleClick(t.w.panComponents->imgQuerion); });
  QCOMPARE(title, QStringLiteral("Querion"));
  QVERIFY(t.w.zelQueryDialog1->Ran());
  QCOMPARE(t.w.CurrentTopic(), 11);
  QCOMPARE(t.status(), QStringLiteral("Topic 11 of 16"));
}

void TestFrmMain::queryPictureOnTopic10AdvancesAfterwards() {
  Tour t;
  t.goTo(10);
  int topicWhileOpen = 0;
  whenModal([&](QWidget *window) {
    topicWhileOpen = t.w.CurrentTopic();
    window->close();
  });
  doubleClick(t.w.panComponents->imgQuerion);
  QCOMPARE(topicWhileOpen, 10);
  QVERIFY(t.w.zelQueryDialog1->Ran());
  QCOMPARE(t.w.CurrentTopic(), 11);
  QCOMPARE(t.status(), QStringLiteral("Topic 11 of 16"));
}

void TestFrmMain::picturesDoNothingOnOtherTopics() {
  Tour t;
  QSignalSpy queries(t.w.zelQueryDialog1, &TzelQueryDialog::OnBeforeExecute);
  QSignalSpy models(t.w.zelDataModelDialog1, &TzelDataModelDialog::OnBeforeExecute);
  for (int topic : {1, 7, 9, 12}) {
    t.goTo(topic);
    doubleClick(t.w.panComponents->imgQuerion);
    doubleClick(t.w.panComponents->imgDataModel);
    QCOMPARE(t.w.CurrentTopic(), topic);
  }
  t.goTo(10);
  doubleClick(t.w.panComponents->imgDataModel);
  t.goTo(8);
  doubleClick(t.w.panComponents->imgQuerion);
  QCOMPARE(queries.count(), 0);
  QCOMPARE(models.count(), 0);
}

void TestFrmMain::dataModelPictureOnTopic8OpensTheReadOnlyWindow() {
  Tour t;
  t.goTo(8);
  bool readOnly = false;
  whenModal([&](QWidget *window) {
    auto *frm = qobject_cast<TfrmZelDataModel *>(window);
    readOnly = frm && !frm->panToolbar->isVisible() && frm->zelJoinsEditor->ReadOnly();
    window->close();
  });
  doubleClick(t.w.panComponents->imgDataModel);
  QVERIFY(readOnly);
  QCOMPARE(t.w.CurrentTopic(), 8);
  QVERIFY(!t.w.zelDataModelDialog1->Changed());
  QVERIFY(t.rec.messages.isEmpty()); // read-only: no warning
}

void TestFrmMain::commandsOpenTheDialogs() {
  Tour t;
  t.goTo(3);
  QVERIFY(t.w.Animating());
  QCOMPARE(closeModalOf([&] { QTest::mouseClick(t.w.cmdModel, Qt::LeftButton); }),
           QStringLiteral("Data Model (Read-Only)"));
  QVERIFY(!t.w.Animating());
  t.goTo(4);
  QVERIFY(t.w.Animating());
  QCOMPARE(closeModalOf([&] { QTest::mouseClick(t.w.cmdQuery, Qt::LeftButton); }),
           QStringLiteral("Querion"));
  QVERIFY(!t.w.Animating());
  QCOMPARE(t.w.CurrentTopic(), 4);
  QVERIFY(t.rec.messages.isEmpty());
}

void TestFrmMain::secondQueryCommandWhileTheWorkspaceIsOpen() {
  Tour t;
  QSignalSpy runs(t.w.zelQueryDialog1, &TzelQueryDialog::OnBeforeExecute);
  int workspaces = -1;
  whenModal([&](QWidget *window) {
    t.w.cmdQueryClick();
    t.w.cmdModelClick();
    workspaces = 0;
    const QList<QWidget *> tops = QApplication::topLevelWidgets();
    for (QWidget *top : tops)
      if (qobject_cast<TfrmZelQueryDialog *>(top) && top->isVisible())
        ++workspaces;
    window->close();
  });
  t.w.cmdQueryClick();
  QCOMPARE(workspaces, 1);
  QCOMPARE(runs.count(), 1);
  // Once it is closed the command works again.
  QCOMPARE(closeModalOf([&] { t.w.cmdQueryClick(); }), QStringLiteral("Querion"));
  QCOMPARE(runs.count(), 2);
}

void TestFrmMain::topicHelp_data() {
  QTest::addColumn<int>("topic");
  QTest::addColumn<QString>("button");
  QTest::addColumn<int>("context"); // 0: nothing shown
  QTest::newRow("1") << 1 << "cmdHelp" << 0;
  QTest::newRow("5") << 5 << "cmdHelp2" << 0;
  QTest::newRow("6") << 6 << "cmdHelp" << 19;
  QTest::newRow("7") << 7 << "cmdHelp2" << 19;
  QTest::newRow("8") << 8 << "cmdHelp" << 19;
  QTest::newRow("9") << 9 << "cmdHelp" << 0;
  QTest::newRow("12") << 12 << "cmdHelp2" << 0;
  QTest::newRow("13") << 13 << "cmdHelp" << 1000;
  QTest::newRow("14") << 14 << "cmdHelp" << 0;
  QTest::newRow("15") << 15 << "cmdHelp2" << 1001;
  QTest::newRow("16") << 16 << "cmdHelp" << 0;
}

void TestFrmMain::topicHelp() {
  QFETCH(int, topic);
  QFETCH(QString, button);
  QFETCH(int, context);
  Tour t;
  t.goTo(topic);
  QTest::mouseClick(t.w.findChild<QPushButton *>(button), Qt::LeftButton);
  if (context == 0) {
    QVERIFY(t.help.calls.isEmpty());
  } else {
    QCOMPARE(t.help.calls.size(), 1);
    QCOMPARE(QFileInfo(t.help.calls[0].helpFile).fileName(), QStringLiteral("RARUVE.HLP"));
    QCOMPARE(t.help.calls[0].context, context);
    // The tour's help file has a page of its own for the context.
    QCOMPARE(TfrmZelHelp::pageFor(t.help.calls[0].helpFile, context),
             QUrl(QStringLiteral("qrc:/help/raruve/ctx_%1.html").arg(context)));
  }
  QCOMPARE(t.w.zelDataModel1->About()->HelpFile(), QStringLiteral("VIZADUZ.HLP;ZOZEROD.HLP"));
  QVERIFY(!t.w.Animating());
  QCOMPARE(t.w.CurrentTopic(), topic);
}

void TestFrmMain::helpFileLabels() {
  Tour t;
  t.goTo(6);
  emit t.w.labHelpFile1->linkActivated(QStringLiteral("help"));
  emit t.w.labHelpFile2->linkActivated(QStringLiteral("help"));
  QCOMPARE(t.help.calls.size(), 2);
  for (const RecordedHelp &call : std::as_const(t.help.calls)) {
    QCOMPARE(QFileInfo(call.helpFile).fileName(), QStringLiteral("VIZADUZ.HLP"));
    QCOMPARE(call.context, 0);
  }
}

void TestFrmMain::animationStopsOnCommandsAndClosing() {
  Tour t;
  QVERIFY(!t.w.Animating()); // topic 1 has no animation
  t.goTo(3);
  QVERIFY(t.w.Animating());
  QCOMPARE(t.w.AnimationInterval(), 200);
  const QList<QWidget *> pair = t.w.panComponents->animatedArrows(1);
  QCOMPARE(pair.size(), 2);
  QVERIFY(pair[0]->isVisibleTo(t.w.panComponents) != pair[1]->isVisibleTo(t.w.panComponents));
  t.w.cmdHelpClick();
  QVERIFY(!t.w.Animating());
  QVERIFY(pair[0]->isVisibleTo(t.w.panComponents) && pair[1]->isVisibleTo(t.w.panComponents));

  t.goTo(10);
  QVERIFY(t.w.Animating());
  QCOMPARE(t.w.AnimationInterval(), 175);
  t.w.cmdNextClick(); // topic 11 has none
  QVERIFY(!t.w.Animating());

  t.goTo(9);
  QVERIFY(t.w.Animating());
  t.w.show();
  t.w.close();
  QVERIFY(!t.w.Animating());
}

void TestFrmMain::positionForScreen_data() {
  QTest::addColumn<int>("position");
  QTest::addColumn<int>("ppi");
  QTest::addColumn<int>("expected");
  QTest::newRow("96 unchanged") << 390 << 96 << 390;
  QTest::newRow("120") << 100 << 120 << 80;
  QTest::newRow("120 rounds") << 18 << 120 << 14;
  QTest::newRow("144") << 50 << 144 << 33;
  QTest::newRow("zero") << 0 << 144 << 0;
  QTest::newRow("72 moves right") << 60 << 72 << 80;
}

void TestFrmMain::positionForScreen() {
  QFETCH(int, position);
  QFETCH(int, ppi);
  QFETCH(int, expected);
  QCOMPARE(PositionForScreen(position, ppi), expected);
}

void TestFrmMain::screenAdjustmentMovesAllButTheBackground() {
  ComponentTray tray;
  const QPoint querion = tray.imgQuerion->pos();
  const QPoint caption = tray.labDataModelDialog1->pos();
  const QPoint plain = tray.labDatabase1->pos();
  tray.adjustForScreen(96);
  QCOMPARE(tray.imgQuerion->pos(), querion);
  tray.adjustForScreen(120);
  QCOMPARE(tray.imgBackground->pos(), QPoint(0, 0));
  QCOMPARE(tray.imgQuerion->pos(),
           QPoint(PositionForScreen(querion.x(), 120), PositionForScreen(querion.y(), 120)));
  QCOMPARE(tray.labDatabase1->pos(),
           QPoint(PositionForScreen(plain.x(), 120), PositionForScreen(plain.y(), 120)));
  QCOMPARE(tray.labDataModelDialog1->pos(),
           QPoint(PositionForScreen(caption.x(), 120) - 30, PositionForScreen(caption.y(), 120)));
}

void TestFrmMain::exitClosesTheWindow() {
  Tour t;
  t.w.show();
  QVERIFY(QTest::qWaitForWindowExposed(&t.w));
  QTest::mouseClick(t.w.cmdExit, Qt::LeftButton);
  QVERIFY(!t.w.isVisible());
}

QTEST_MAIN(TestFrmMain)
#include "tst_frmmain.moc"
