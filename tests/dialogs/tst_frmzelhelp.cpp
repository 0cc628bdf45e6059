// SPDX-License-Identifier: MIT
#include "dialogs/frmzelhelp.h"
#include "dialogs/guiinteraction.h"
#include "messages/zelhelp.h"
#include "support/modaldriver.h"

#include <QAccessible>
#include <QDialog>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QScreen>
#include <QTextBrowser>
#include <QtTest>

class TestFrmZelHelp : public QObject {
  Q_OBJECT

  static QStringList visibleTopics(const TfrmZelHelp &help) {
    QStringList result;
    for (int i = 0; i < help.lstTopics->count(); ++i)
      if (!help.lstTopics->item(i)->isHidden())
        result << help.lstTopics->item(i)->text();
    return result;
  }

  static QUrl page(const QString &path) { return QUrl(QStringLiteral("qrc:/help/") + path); }

  // A click delivered to the window as the window system delivers it, so that a modal
  // session can refuse it.
  static void clickAsUser(QWidget *button) {
    QWidget *window = button->window();
    QTest::mouseClick(window->windowHandle(), Qt::LeftButton, {},
                      button->mapTo(window, button->rect().center()));
  }

  // Help from inside a running modal dialog: Contents and Close take clicks, Escape closes.
  static QStringList useHelp(const QString &where) {
    QStringList failed;
    zelShowHelp(QStringLiteral("VIZADUZ.HLP"), 69);
    TfrmZelHelp *help = TfrmZelHelp::instance();
    if (!help || !QTest::qWaitForWindowExposed(help))
      return {where + QStringLiteral(": no help window")};
    if (help->parentWidget() != QApplication::activeModalWidget())
      failed << where + QStringLiteral(": not a child of the modal window");
    clickAsUser(help->cmdContents);
    if (help->currentPage() != page(QStringLiteral("vizaduz/contents.html")))
      failed << where + QStringLiteral(": Contents refused");
    clickAsUser(help->cmdClose);
    if (help->isVisible())
      failed << where + QStringLiteral(": Close refused");
    zelShowHelp(QStringLiteral("VIZADUZ.HLP"), 69);
    if (!QTest::qWaitForWindowActive(help))
      failed << where + QStringLiteral(": not activated");
    QTest::keyClick(help->windowHandle(), Qt::Key_Escape);
    if (help->isVisible())
      failed << where + QStringLiteral(": Escape refused");
    zelShowHelp(QStringLiteral("VIZADUZ.HLP"), 69);
    return failed;
  }

  // Shows the window and makes it the active one, so that its shortcuts take keys.
  static bool activate(TfrmZelHelp &help) {
    help.show();
    help.activateWindow();
    return QTest::qWaitForWindowActive(&help);
  }

private slots:
  void initTestCase() { zelInstallGui(*qApp); }

  void helpFileNamesMapToFolders_data() {
    QTest::addColumn<QString>("helpFile");
    QTest::addColumn<QString>("folder");
    QTest::newRow("query help") << "VIZADUZ.HLP"
                                << ":/help/vizaduz";
    QTest::newRow("report help") << "ZOZEROD.HLP"
                                 << ":/help/zozerod";
    QTest::newRow("windows folder") << "C:\\X\\RARUVE.HLP"
                                    << ":/help/raruve";
    QTest::newRow("unix folder") << "/some/dir/zozerod.hlp"
                                 << ":/help/zozerod";
    QTest::newRow("mixed case, no extension") << "Vizaduz"
                                              << ":/help/vizaduz";
    QTest::newRow("settings folder with spaces") << "C:\\Program Files\\Help\\RaRuVe.Hlp"
                                                 << ":/help/raruve";
  }
  void helpFileNamesMapToFolders() {
    QFETCH(QString, helpFile);
    QFETCH(QString, folder);
    QCOMPARE(TfrmZelHelp::helpFolder(helpFile), folder);
  }

  void contextsMapToPages_data() {
    QTest::addColumn<QString>("helpFile");
    QTest::addColumn<int>("context");
    QTest::addColumn<QString>("page");
    QTest::newRow("topic") << "VIZADUZ.HLP" << 69 << "qrc:/help/vizaduz/ctx_69.html";
    QTest::newRow("contents") << "VIZADUZ.HLP" << 0 << "qrc:/help/vizaduz/contents.html";
    QTest::newRow("no such page") << "VIZADUZ.HLP" << 4242 << "qrc:/help/vizaduz/contents.html";
    QTest::newRow("negative") << "VIZADUZ.HLP" << -7 << "qrc:/help/vizaduz/contents.html";
    QTest::newRow("search") << "VIZADUZ.HLP" << -1 << "qrc:/help/vizaduz/contents.html";
    QTest::newRow("report") << "ZOZEROD.HLP" << 75 << "qrc:/help/zozerod/ctx_75.html";
    QTest::newRow("other file's topic") << "ZOZEROD.HLP" << 69 << "qrc:/help/zozerod/contents.html";
    QTest::newRow("tour") << "RARUVE.HLP" << 1001 << "qrc:/help/raruve/ctx_1001.html";
    QTest::newRow("unknown file") << "NOSUCH.HLP" << 19 << "";
    QTest::newRow("empty name") << "" << 0 << "";
  }
  void contextsMapToPages() {
    QFETCH(QString, helpFile);
    QFETCH(int, context);
    QFETCH(QString, page);
    QCOMPARE(TfrmZelHelp::pageFor(helpFile, context).toString(), page);
  }

  void searchWordsMustAllOccur_data() {
    QTest::addColumn<QString>("text");
    QTest::addColumn<bool>("match");
    QTest::newRow("empty") << "" << true;
    QTest::newRow("spaces") << "   " << true;
    QTest::newRow("title word") << "JOIN" << true;
    QTest::newRow("body word") << "operator" << true;
    QTest::newRow("title and body") << " join  operator " << true;
    QTest::newRow("one missing") << "join zeppelin" << false;
    QTest::newRow("part of a word") << "perat" << true;
  }
  void searchWordsMustAllOccur() {
    QFETCH(QString, text);
    QFETCH(bool, match);
    QCOMPARE(TfrmZelHelp::matchesSearch(text, QStringLiteral("Join Tables dialog"),
                                        QStringLiteral("The operator compares the fields.")),
             match);
  }

  void showHelpOpensThePageInTheOneWindow() {
    QVERIFY(TfrmZelHelp::instance() == nullptr);
    zelShowHelp(QStringLiteral("VIZADUZ.HLP"), 69);
    TfrmZelHelp *help = TfrmZelHelp::instance();
    QVERIFY(help);
    QVERIFY(help->isVisible());
    QCOMPARE(help->currentPage(), page(QStringLiteral("vizaduz/ctx_69.html")));
    QVERIFY(help->txtPage->toPlainText().contains(QStringLiteral("design one query")));
    QCOMPARE(help->windowTitle(), QStringLiteral("Help - The query workspace"));
    QVERIFY(!help->searching());

    zelShowHelp(QStringLiteral("VIZADUZ.HLP"), 4242);
    QCOMPARE(TfrmZelHelp::instance(), help);
    QCOMPARE(help->currentPage(), page(QStringLiteral("vizaduz/contents.html")));
    QCOMPARE(help->windowTitle(), QStringLiteral("Help - Query Help Contents"));
  }

  void backForwardAndContents() {
    TfrmZelHelp help;
    help.showHelp(QStringLiteral("VIZADUZ.HLP"), 69);
    QVERIFY(!help.cmdBack->isEnabled());
    help.txtPage->setSource(page(QStringLiteral("vizaduz/ctx_5.html")));
    QVERIFY(help.txtPage->toPlainText().contains(QStringLiteral("The data model lists")));
    QVERIFY(help.cmdBack->isEnabled());
    QVERIFY(!help.cmdForward->isEnabled());

    QTest::mouseClick(help.cmdBack, Qt::LeftButton);
    QCOMPARE(help.currentPage(), page(QStringLiteral("vizaduz/ctx_69.html")));
    QVERIFY(help.cmdForward->isEnabled());
    QTest::mouseClick(help.cmdForward, Qt::LeftButton);
    QCOMPARE(help.currentPage(), page(QStringLiteral("vizaduz/ctx_5.html")));
    QTest::mouseClick(help.cmdContents, Qt::LeftButton);
    QCOMPARE(help.currentPage(), page(QStringLiteral("vizaduz/contents.html")));
  }

  // A link into the other help file's pages makes Contents and Search work on that file.
  void linkIntoAnotherHelpFile() {
    TfrmZelHelp help;
    help.showHelp(QStringLiteral("VIZADUZ.HLP"), -1);
    QVERIFY(visibleTopics(help).contains(QStringLiteral("The query workspace")));
    help.txtPage->setSource(page(QStringLiteral("zozerod/ctx_75.html")));
    QCOMPARE(help.currentPage(), page(QStringLiteral("zozerod/ctx_75.html")));
    QCOMPARE(visibleTopics(help).size(), 4);
    QVERIFY(visibleTopics(help).contains(QStringLiteral("Printing a report")));
    QTest::mouseClick(help.cmdContents, Qt::LeftButton);
    QCOMPARE(help.currentPage(), page(QStringLiteral("zozerod/contents.html")));
  }

  void searchFiltersTheTopics() {
    TfrmZelHelp help;
    help.showHelp(QStringLiteral("VIZADUZ.HLP"), -1);
    QVERIFY(help.searching());
    QVERIFY(help.cmdSearch->isChecked());
    const int all = help.lstTopics->count();
    QCOMPARE(all, 23); // one page per topic, Join To, the keyboard page and Design from SQL
    help.txtSearch->setText(QStringLiteral("gutter"));
    QCOMPARE(visibleTopics(help), QStringList{});
    help.txtSearch->setText(QStringLiteral("[State]=CA"));
    QCOMPARE(visibleTopics(help), QStringList{QStringLiteral("Filter Values dialog")});
    QTest::keyClick(help.txtSearch, Qt::Key_Return);
    QCOMPARE(help.currentPage(), page(QStringLiteral("vizaduz/ctx_19.html")));
    help.txtSearch->clear();
    QCOMPARE(visibleTopics(help).size(), all);

    help.showHelp(QStringLiteral("VIZADUZ.HLP"), 22);
    QVERIFY(!help.searching());
    QVERIFY(!help.cmdSearch->isChecked());
    QTest::mouseClick(help.cmdSearch, Qt::LeftButton);
    QVERIFY(help.searching());
    QTest::mouseClick(help.cmdSearch, Qt::LeftButton);
    QVERIFY(!help.searching());
  }

  void keyboardAlone() {
    TfrmZelHelp help;
    help.showHelp(QStringLiteral("VIZADUZ.HLP"), -1);
    QVERIFY(activate(help));
    QCOMPARE(QApplication::focusWidget(), help.txtSearch);
    QTest::keyClicks(help.txtSearch, QStringLiteral("operator"));
    QVERIFY(visibleTopics(help).contains(QStringLiteral("Join Tables dialog")));
    // Down goes on into the list, Return opens the topic under the cursor.
    QTest::keyClick(help.txtSearch, Qt::Key_Down);
    QCOMPARE(QApplication::focusWidget(), help.lstTopics);
    QVERIFY(!help.lstTopics->currentItem()->isHidden());
    // Up from the first topic found goes back to the words, and Down again into the list.
    QTest::keyClick(help.lstTopics, Qt::Key_Up);
    QCOMPARE(QApplication::focusWidget(), help.txtSearch);
    QTest::keyClick(help.txtSearch, Qt::Key_Down);
    QTest::keyClick(help.lstTopics, Qt::Key_Down);
    QTest::keyClick(help.lstTopics, Qt::Key_Up);
    QCOMPARE(QApplication::focusWidget(), help.lstTopics);
    const QString first = help.lstTopics->currentItem()->text();
    QTest::keyClick(help.lstTopics, Qt::Key_Return);
    QCOMPARE(help.txtPage->documentTitle(), first);

    QTest::keyClick(&help, Qt::Key_C, Qt::AltModifier);
    QTRY_COMPARE(help.currentPage(), page(QStringLiteral("vizaduz/contents.html")));
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Left, Qt::AltModifier);
    QCOMPARE(help.txtPage->documentTitle(), first);

    // Escape first empties the search field, then closes the window.
    QTest::keyClick(&help, Qt::Key_F, Qt::ControlModifier);
    QCOMPARE(QApplication::focusWidget(), help.txtSearch);
    QCOMPARE(help.txtSearch->selectedText(), QStringLiteral("operator"));
    QTest::keyClick(help.txtSearch, Qt::Key_Escape);
    QVERIFY(help.txtSearch->text().isEmpty());
    QVERIFY(help.isVisible());
    QTest::keyClick(help.txtSearch, Qt::Key_Escape);
    QVERIFY(!help.isVisible());
  }

  void controlsAreNamedAndReachable() {
    TfrmZelHelp help;
    help.showHelp(QStringLiteral("ZOZEROD.HLP"), -1);
    // Controls without a caption of their own carry a name a screen reader can say.
    for (QWidget *w :
         {static_cast<QWidget *>(help.txtSearch), static_cast<QWidget *>(help.lstTopics),
          static_cast<QWidget *>(help.txtPage)}) {
      QAccessibleInterface *a11y = QAccessible::queryAccessibleInterface(w);
      QVERIFY(a11y);
      QVERIFY2(!a11y->text(QAccessible::Name).isEmpty(), qPrintable(w->objectName()));
    }
    QCOMPARE(help.labSearch->buddy(), help.txtSearch);
    for (QWidget *w :
         {static_cast<QWidget *>(help.cmdBack), static_cast<QWidget *>(help.cmdContents),
          static_cast<QWidget *>(help.txtSearch), static_cast<QWidget *>(help.lstTopics),
          static_cast<QWidget *>(help.txtPage)})
      QVERIFY2(w->focusPolicy() & Qt::TabFocus, qPrintable(w->objectName()));

    // Big enough to read a page beside the topics, small enough for the screen.
    QVERIFY(help.width() >= 640 && help.height() >= 440);
    const QRect screen = help.screen()->availableGeometry();
    QVERIFY(help.width() <= screen.width() && help.height() <= screen.height());
  }

  void unknownHelpFileSaysSo() {
    TfrmZelHelp help;
    help.showHelp(QStringLiteral("VIZADUZ.HLP"), 5);
    help.showHelp(QStringLiteral("NOSUCH.HLP"), 19);
    QCOMPARE(help.txtPage->toPlainText(),
             QStringLiteral("No help\nNo help pages are installed for NOSUCH.HLP."));
    QCOMPARE(help.windowTitle(), QStringLiteral("Help - No help"));
    QVERIFY(!help.cmdContents->isEnabled());
    QVERIFY(!help.cmdSearch->isEnabled());
    help.showHelp(QStringLiteral("NOSUCH.HLP"), -1);
    QVERIFY(!help.searching());

    QVERIFY(help.currentPage().isEmpty());

    // The page shown before the "no help" text comes back when asked for again.
    help.showHelp(QStringLiteral("VIZADUZ.HLP"), 5);
    QVERIFY(help.txtPage->toPlainText().contains(QStringLiteral("The data model lists")));
    QCOMPARE(help.windowTitle(), QStringLiteral("Help - The Data Model window"));
    help.showHelp(QStringLiteral("NOSUCH.HLP"), 5);

    // The next help file with pages brings Contents and Search back.
    help.showHelp(QStringLiteral("ZOZEROD.HLP"), 43);
    QCOMPARE(help.currentPage(), page(QStringLiteral("zozerod/ctx_43.html")));
    QVERIFY(help.cmdContents->isEnabled());
    QVERIFY(help.cmdSearch->isEnabled());
  }

  // Dialog B runs modally over dialog A: help follows the innermost one, goes back to A when
  // B ends, and stays open on its own when A ends too.
  void usableFromModalDialogs() {
    QDialog outer;
    QStringList failed;
    QWidget *afterInner = nullptr;
    whenModal([&](QWidget *a) {
      failed << useHelp(QStringLiteral("outer"));
      QDialog inner(a);
      whenModal([&](QWidget *b) {
        failed << useHelp(QStringLiteral("inner"));
        b->close();
      });
      inner.exec();
      afterInner = TfrmZelHelp::instance()->parentWidget();
      clickAsUser(TfrmZelHelp::instance()->cmdBack);
      if (TfrmZelHelp::instance()->currentPage() != page(QStringLiteral("vizaduz/contents.html")))
        failed << QStringLiteral("outer after inner: Back refused");
      a->close();
    });
    outer.exec();
    QVERIFY2(failed.isEmpty(), qPrintable(failed.join(QStringLiteral("; "))));
    QCOMPARE(afterInner, &outer);
    TfrmZelHelp *help = TfrmZelHelp::instance();
    QVERIFY(help && help->isVisible());
    QCOMPARE(help->parentWidget(), nullptr);
    help->close();
  }

  void snapshot_data() {
    QTest::addColumn<QString>("helpFile");
    QTest::addColumn<int>("context");
    QTest::addColumn<QString>("search");
    QTest::addColumn<QString>("name");
    QTest::newRow("topic") << "VIZADUZ.HLP" << 1016 << ""
                           << "help-joins-editor";
    QTest::newRow("search") << "VIZADUZ.HLP" << -1 << "join"
                            << "help-search";
    QTest::newRow("report") << "ZOZEROD.HLP" << 75 << ""
                            << "help-printing";
    QTest::newRow("tour") << "RARUVE.HLP" << 1000 << ""
                          << "help-tour-querion";
  }
  void snapshot() {
    QFETCH(QString, helpFile);
    QFETCH(int, context);
    QFETCH(QString, search);
    QFETCH(QString, name);
    const QString folder = qEnvironmentVariable("ZEL_SNAPSHOTS");
    if (folder.isEmpty())
      QSKIP("ZEL_SNAPSHOTS not set");
    TfrmZelHelp help;
    help.showHelp(helpFile, context);
    if (!search.isEmpty()) {
      help.txtSearch->setText(search);
      QTest::keyClick(help.txtSearch, Qt::Key_Down);
      QTest::keyClick(help.lstTopics, Qt::Key_Down);
      QTest::keyClick(help.lstTopics, Qt::Key_Return);
    }
    QVERIFY(help.grab().save(folder + QLatin1Char('/') + name + QStringLiteral(".png")));
  }
};

QTEST_MAIN(TestFrmZelHelp)
#include "tst_frmzelhelp.moc"
