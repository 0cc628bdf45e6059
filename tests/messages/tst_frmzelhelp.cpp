#include "messages/frmzelhelp.h"
#include "messages/guimessages.h"
#include "messages/zelhelp.h"

#include <QLineEdit>
#include <QListWidget>
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

private slots:
  void initTestCase() { zelInstallGuiMessages(); }

  void helpFileNamesMapToFolders_data() {
    QTest::addColumn<QString>("helpFile");
    QTest::addColumn<QString>("folder");
    QTest::newRow("query help") << "VIZADUZ.HLP"
                                << ":/help/vizaduz";
    QTest::newRow("report help") << "ZOZEROD.HLP"
                                 << ":/help/zozerod";
    QTest::newRow("windows folder") << "C:\\Help\\VIZADUZ.HLP"
                                    << ":/help/vizaduz";
    QTest::newRow("unix folder") << "/usr/share/help/zozerod.hlp"
                                 << ":/help/zozerod";
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
    QTest::newRow("data model") << "VIZADUZ.HLP" << 5 << "qrc:/help/vizaduz/ctx_5.html";
    QTest::newRow("contents") << "VIZADUZ.HLP" << 0 << "qrc:/help/vizaduz/contents.html";
    QTest::newRow("no such page") << "VIZADUZ.HLP" << 4242 << "qrc:/help/vizaduz/contents.html";
    QTest::newRow("search") << "VIZADUZ.HLP" << -1 << "qrc:/help/vizaduz/contents.html";
    QTest::newRow("report") << "ZOZEROD.HLP" << 75 << "qrc:/help/zozerod/ctx_75.html";
    QTest::newRow("other file's topic") << "ZOZEROD.HLP" << 69 << "qrc:/help/zozerod/contents.html";
    QTest::newRow("unknown file") << "RARUVE.HLP" << 19 << "";
  }

  void contextsMapToPages() {
    QFETCH(QString, helpFile);
    QFETCH(int, context);
    QFETCH(QString, page);
    QCOMPARE(TfrmZelHelp::pageFor(helpFile, context).toString(), page);
  }

  void showHelpOpensThePageInTheOneWindow() {
    QVERIFY(TfrmZelHelp::instance() == nullptr);
    zelShowHelp(QStringLiteral("VIZADUZ.HLP"), 69);
    TfrmZelHelp *help = TfrmZelHelp::instance();
    QVERIFY(help);
    QVERIFY(help->isVisible());
    QCOMPARE(help->currentPage(), QUrl(QStringLiteral("qrc:/help/vizaduz/ctx_69.html")));
    QVERIFY(help->txtPage->toPlainText().contains(QStringLiteral("Designing a query")));
    QCOMPARE(help->windowTitle(), QStringLiteral("Help - Designing a query"));
    QVERIFY(!help->searching());

    zelShowHelp(QStringLiteral("VIZADUZ.HLP"), 4242);
    QCOMPARE(TfrmZelHelp::instance(), help);
    QCOMPARE(help->currentPage(), QUrl(QStringLiteral("qrc:/help/vizaduz/contents.html")));
  }

  void relativePagesLoad() {
    TfrmZelHelp help;
    help.showHelp(QStringLiteral("VIZADUZ.HLP"), 0);
    help.txtPage->setSource(QUrl(QStringLiteral("ctx_5.html")));
    QVERIFY(help.txtPage->toPlainText().contains(QStringLiteral("The data model lists")));
  }

  void everyLinkLeadsToAPage() {
    const QRegularExpression href(QStringLiteral("href=\"([^\"]+)\""));
    int links = 0;
    for (const QString &folder :
         {QStringLiteral(":/help/vizaduz"), QStringLiteral(":/help/zozerod")}) {
      const QStringList pages = QDir(folder).entryList({QStringLiteral("*.html")});
      QVERIFY(pages.contains(QStringLiteral("contents.html")));
      for (const QString &page : pages) {
        QFile file(folder + QLatin1Char('/') + page);
        QVERIFY(file.open(QIODevice::ReadOnly));
        const QString html = QString::fromUtf8(file.readAll());
        for (auto it = href.globalMatch(html); it.hasNext(); ++links) {
          const QString target = folder + QLatin1Char('/') + it.next().captured(1);
          QVERIFY2(QFile::exists(target), qPrintable(page + QStringLiteral(" -> ") + target));
        }
      }
    }
    QVERIFY(links > 0);
  }

  void searchFiltersTheTopics() {
    TfrmZelHelp help;
    help.showHelp(QStringLiteral("VIZADUZ.HLP"), -1);
    QVERIFY(help.searching());
    QCOMPARE(help.lstTopics->count(), 5);
    help.txtSearch->setText(QStringLiteral("parameter"));
    QCOMPARE(visibleTopics(help), QStringList{QStringLiteral("Filter values")});
    QTest::keyClick(help.txtSearch, Qt::Key_Return);
    QCOMPARE(help.currentPage().toString(), QStringLiteral("qrc:/help/vizaduz/ctx_19.html"));
    help.txtSearch->clear();
    QCOMPARE(visibleTopics(help).size(), 5);

    help.showHelp(QStringLiteral("VIZADUZ.HLP"), 22);
    QVERIFY(!help.searching());
  }

  void unknownHelpFileSaysSo() {
    TfrmZelHelp help;
    help.showHelp(QStringLiteral("RARUVE.HLP"), 19);
    QCOMPARE(help.txtPage->toPlainText(),
             QStringLiteral("No help pages are installed for RARUVE.HLP."));
  }

  void everyPageHasATitle() {
    for (const QString &folder :
         {QStringLiteral(":/help/vizaduz"), QStringLiteral(":/help/zozerod")}) {
      TfrmZelHelp help;
      help.showHelp(folder.mid(7) + QStringLiteral(".HLP"), -1);
      for (int i = 0; i < help.lstTopics->count(); ++i)
        QVERIFY2(!help.lstTopics->item(i)->text().endsWith(QStringLiteral(".html")),
                 qPrintable(help.lstTopics->item(i)->text()));
    }
  }

  void snapshot() {
    const QString folder = qEnvironmentVariable("ZEL_SNAPSHOTS");
    if (folder.isEmpty())
      QSKIP("ZEL_SNAPSHOTS not set");
    TfrmZelHelp help;
    help.showHelp(QStringLiteral("VIZADUZ.HLP"), -1);
    help.txtSearch->setText(QStringLiteral("join"));
    help.txtPage->setSource(TfrmZelHelp::pageFor(QStringLiteral("VIZADUZ.HLP"), 69));
    QVERIFY(help.grab().save(folder + QStringLiteral("/frmzelhelp.png")));
  }
};

QTEST_MAIN(TestFrmZelHelp)
#include "tst_frmzelhelp.moc"
