// SPDX-License-Identifier: MIT
// The help pages themselves: every help request the windows make lands on a page of its own,
// the pages are whole (title, heading, links that lead somewhere) and the contents pages list
// them all; the data model's help operation reaches the right pages whatever folder the help
// file name carries.

#include "dialogs/frmzelhelp.h"
#include "dialogs/guiinteraction.h"
#include "model/zelmodel.h"

#include <QDir>
#include <QLineEdit>
#include <QListWidget>
#include <QRegularExpression>
#include <QSet>
#include <QTemporaryDir>
#include <QTextBrowser>
#include <QTextDocument>
#include <QtTest>

namespace {

const QString HelpRoot = QStringLiteral(":/help");

QString readPage(const QString &path) {
  QFile file(path);
  return file.open(QIODevice::ReadOnly) ? QString::fromUtf8(file.readAll()) : QString();
}

QStringList helpFolders() {
  return QDir(HelpRoot).entryList(QDir::Dirs | QDir::NoDotAndDotDot, QDir::Name);
}

QStringList pagesOf(const QString &folder) {
  return QDir(HelpRoot + QLatin1Char('/') + folder)
      .entryList({QStringLiteral("*.html")}, QDir::Files, QDir::Name);
}

QString titleOf(const QString &html) {
  QTextDocument doc;
  doc.setHtml(html);
  return doc.metaInformation(QTextDocument::DocumentTitle);
}

// The targets of the page's links, resolved against the page as the help window resolves them.
QList<QUrl> linksOf(const QString &path) {
  static const QRegularExpression href(QStringLiteral("href=\"([^\"]*)\""));
  const QUrl base(QStringLiteral("qrc") + path);
  QList<QUrl> links;
  for (auto it = href.globalMatch(readPage(path)); it.hasNext();)
    links << base.resolved(QUrl(it.next().captured(1)));
  return links;
}

QString resourcePath(const QUrl &url) {
  return QLatin1Char(':') + url.path();
}

} // namespace

class TestHelpPages : public QObject {
  Q_OBJECT

  // One row per page of every help folder.
  static void addPageRows() {
    QTest::addColumn<QString>("path");
    for (const QString &folder : helpFolders())
      for (const QString &page : pagesOf(folder))
        QTest::newRow(qPrintable(folder + QLatin1Char('/') + page))
            << HelpRoot + QLatin1Char('/') + folder + QLatin1Char('/') + page;
  }

private slots:
  void initTestCase() {
    QVERIFY(config.isValid());
    // No settings file of the machine may move the help files elsewhere.
    qputenv("XDG_CONFIG_HOME", config.path().toLocal8Bit());
    zelInstallGui(*qApp);
    QCOMPARE(helpFolders(), (QStringList{QStringLiteral("raruve"), QStringLiteral("vizaduz"),
                                         QStringLiteral("zozerod")}));
  }

  // Every help request of the windows, with the window or command that makes it.
  void everyContextHasItsOwnPage_data() {
    QTest::addColumn<QString>("helpFile");
    QTest::addColumn<int>("context");
    const QString query = QStringLiteral("VIZADUZ.HLP");
    const QString report = QStringLiteral("ZOZEROD.HLP");
    const QString tour = QStringLiteral("RARUVE.HLP");
    QTest::newRow("rename table") << query << 4;
    QTest::newRow("data model window") << query << 5;
    QTest::newRow("value editor filter") << query << 9;
    QTest::newRow("field dialog") << query << 12;
    QTest::newRow("parameters") << query << 19;
    QTest::newRow("SQL tab") << query << 22;
    QTest::newRow("values grid") << query << 34;
    QTest::newRow("setup titles") << query << 46;
    QTest::newRow("setup options") << query << 47;
    QTest::newRow("preview and export") << query << 51;
    QTest::newRow("export dialog") << query << 52;
    QTest::newRow("join dialog") << query << 58;
    QTest::newRow("alias synchronisation") << query << 59;
    QTest::newRow("workspace") << query << 69;
    QTest::newRow("add table") << query << 1015;
    QTest::newRow("joins editor") << query << 1016;
    QTest::newRow("value editor expression") << query << 1019;
    QTest::newRow("value editor value") << query << 1020;
    QTest::newRow("setup page") << query << 1025;
    QTest::newRow("report preview") << report << 20;
    QTest::newRow("setup labels") << report << 43;
    QTest::newRow("printing") << report << 75;
    QTest::newRow("tour data model") << tour << 19;
    QTest::newRow("tour query component") << tour << 1000;
    QTest::newRow("tour query dialog") << tour << 1001;
  }
  void everyContextHasItsOwnPage() {
    QFETCH(QString, helpFile);
    QFETCH(int, context);
    const QUrl page = TfrmZelHelp::pageFor(helpFile, context);
    QCOMPARE(page.fileName(), QStringLiteral("ctx_%1.html").arg(context));
    QVERIFY(QFile::exists(resourcePath(page)));
  }

  // Help calls written with literal numbers anywhere in the sources have their pages too, so
  // a window that starts asking for a new topic fails here until its page is written.
  void everyLiteralHelpCallHasItsPage_data() {
    QTest::addColumn<int>("fileIndex");
    QTest::addColumn<int>("context");
    static const QRegularExpression call(QStringLiteral("ShowHelp\\((\\d),\\s*(\\d+)\\)"));
    const QString files[] = {QStringLiteral("VIZADUZ.HLP"), QStringLiteral("ZOZEROD.HLP")};
    QSet<QString> seen;
    for (const char *folder : {"editors", "engine", "export", "workspace", "demo", "model"}) {
      const QDir dir(QStringLiteral(ZEL_SOURCE_DIR "/") + QLatin1String(folder));
      for (const QString &name : dir.entryList({QStringLiteral("*.cpp")}, QDir::Files)) {
        for (auto it = call.globalMatch(readPage(dir.filePath(name))); it.hasNext();) {
          const auto match = it.next();
          const QString row = files[match.captured(1).toInt() % 2] + QLatin1Char(' ') +
                              match.captured(2) + QStringLiteral(" (") + name + QLatin1Char(')');
          if (match.captured(2) != QLatin1String("0") && !seen.contains(row)) {
            seen << row;
            QTest::newRow(qPrintable(row))
                << match.captured(1).toInt() << match.captured(2).toInt();
          }
        }
      }
    }
    QVERIFY(seen.size() >= 10);
  }
  void everyLiteralHelpCallHasItsPage() {
    QFETCH(int, fileIndex);
    QFETCH(int, context);
    const QString file =
        fileIndex == 0 ? QStringLiteral("VIZADUZ.HLP") : QStringLiteral("ZOZEROD.HLP");
    QCOMPARE(TfrmZelHelp::pageFor(file, context).fileName(),
             QStringLiteral("ctx_%1.html").arg(context));
  }

  void everyPageIsWhole_data() { addPageRows(); }
  void everyPageIsWhole() {
    QFETCH(QString, path);
    const QString html = readPage(path);
    const QString title = titleOf(html);
    QVERIFY2(!title.trimmed().isEmpty(), "no <title>");
    // The heading the reader sees is the title the topics list shows.
    QVERIFY2(
        html.contains(QStringLiteral("<h2>") + title.toHtmlEscaped() + QStringLiteral("</h2>")),
        qPrintable(title));
    QVERIFY(html.contains(QStringLiteral("<meta charset=\"utf-8\">")));
    if (!path.endsWith(QStringLiteral("/contents.html"))) {
      const QUrl contents = QUrl(QStringLiteral("qrc") + path).resolved(QUrl("contents.html"));
      QVERIFY2(linksOf(path).contains(contents), "no way back to the contents");
    }
  }

  void everyLinkLeadsToAPage_data() { addPageRows(); }
  void everyLinkLeadsToAPage() {
    QFETCH(QString, path);
    const QList<QUrl> links = linksOf(path);
    QVERIFY(!links.isEmpty());
    for (const QUrl &link : links) {
      QCOMPARE(link.scheme(), QStringLiteral("qrc"));
      QVERIFY2(QFile::exists(resourcePath(link)), qPrintable(link.toString()));
    }
  }

  void titlesAreUniqueAndContentsListsEveryPage_data() {
    QTest::addColumn<QString>("folder");
    for (const QString &folder : helpFolders())
      QTest::newRow(qPrintable(folder)) << folder;
  }
  void titlesAreUniqueAndContentsListsEveryPage() {
    QFETCH(QString, folder);
    const QString base = HelpRoot + QLatin1Char('/') + folder + QLatin1Char('/');
    QSet<QString> listed;
    for (const QUrl &link : linksOf(base + QStringLiteral("contents.html")))
      listed << resourcePath(link);
    QSet<QString> titles;
    for (const QString &page : pagesOf(folder)) {
      const QString title = titleOf(readPage(base + page));
      QVERIFY2(!titles.contains(title), qPrintable(title));
      titles << title;
      if (page != QStringLiteral("contents.html"))
        QVERIFY2(listed.contains(base + page), qPrintable(page));
    }
  }

  // Words of titles and of bodies find their pages in the help window's search; every word
  // must occur, in any case.
  void searchFindsPages_data() {
    QTest::addColumn<QString>("helpFile");
    QTest::addColumn<QString>("words");
    QTest::addColumn<QStringList>("titles");
    QTest::newRow("title word, also in the pages that link there")
        << "VIZADUZ.HLP"
        << "synchronization"
        << QStringList{"Data Model Synchronization dialog", "Query Help Contents",
                       "The Data Model window", "The SQL tab"};
    QTest::newRow("body word") << "VIZADUZ.HLP"
                               << "gearbox" << QStringList{"Value Editor: Filter page"};
    QTest::newRow("two words anywhere")
        << "VIZADUZ.HLP"
        << "tab-delimited  PARADOX" << QStringList{"The Preview tab: printing and exporting"};
    QTest::newRow("report help") << "ZOZEROD.HLP"
                                 << "gutter" << QStringList{"Setup: Labels tab"};
    QTest::newRow("tour help") << "RARUVE.HLP"
                               << "SetDataQuery" << QStringList{"Tour: the query component"};
    QTest::newRow("no such word") << "VIZADUZ.HLP"
                                  << "gearbox zeppelin" << QStringList{};
  }
  void searchFindsPages() {
    QFETCH(QString, helpFile);
    QFETCH(QString, words);
    QFETCH(QStringList, titles);
    TfrmZelHelp help;
    help.showHelp(helpFile, -1);
    help.txtSearch->setText(words);
    QStringList found;
    for (int i = 0; i < help.lstTopics->count(); ++i)
      if (!help.lstTopics->item(i)->isHidden())
        found << help.lstTopics->item(i)->text();
    QCOMPARE(found, titles);
    const QUrl before = help.currentPage();
    QTest::keyClick(help.txtSearch, Qt::Key_Return);
    if (titles.isEmpty()) {
      QCOMPARE(help.currentPage(), before);
      return;
    }
    QCOMPARE(help.txtPage->documentTitle(), titles.first());
    // The page opens at the word that matched.
    const QString selected = help.txtPage->textCursor().selectedText();
    QVERIFY(!selected.isEmpty());
    QVERIFY(words.contains(selected, Qt::CaseInsensitive));
  }

  // The data model's help operation, with its help file named in the ways a host may name
  // it, opens the page of the help folder named by the file's stem.
  void modelHelpReachesThePages_data() {
    QTest::addColumn<QString>("helpFile");
    QTest::addColumn<QByteArray>("settings");
    QTest::addColumn<int>("fileIndex");
    QTest::addColumn<int>("context");
    QTest::addColumn<QString>("page");
    QTest::newRow("default query help")
        << "" << QByteArray() << 0 << 69 << "qrc:/help/vizaduz/ctx_69.html";
    QTest::newRow("default report help")
        << "" << QByteArray() << 1 << 75 << "qrc:/help/zozerod/ctx_75.html";
    QTest::newRow("report contents")
        << "" << QByteArray() << 1 << 0 << "qrc:/help/zozerod/contents.html";
    QTest::newRow("tour file") << "RARUVE.HLP" << QByteArray() << 0 << 1000
                               << "qrc:/help/raruve/ctx_1000.html";
    QTest::newRow("windows folder")
        << "C:\\X\\RARUVE.HLP" << QByteArray() << 0 << 19 << "qrc:/help/raruve/ctx_19.html";
    QTest::newRow("unix folder, lower case") << "VIZADUZ.HLP;/some/dir/zozerod.hlp" << QByteArray()
                                             << 1 << 43 << "qrc:/help/zozerod/ctx_43.html";
    QTest::newRow("folder from the settings file")
        << "VIZADUZ.HLP;ZOZEROD.HLP" << QByteArray("[Settings]\nHELP=C:\\HELP\n") << 0 << 1016
        << "qrc:/help/vizaduz/ctx_1016.html";
    QTest::newRow("unix folder from the settings file")
        << "Vizaduz.hlp" << QByteArray("[Settings]\nHELP=/opt/pellox/help\n") << 0 << 58
        << "qrc:/help/vizaduz/ctx_58.html";
    QTest::newRow("context without a page")
        << "" << QByteArray() << 0 << 4242 << "qrc:/help/vizaduz/contents.html";
    QTest::newRow("other file's context")
        << "" << QByteArray() << 1 << 1016 << "qrc:/help/zozerod/contents.html";
  }
  void modelHelpReachesThePages() {
    QFETCH(QString, helpFile);
    QFETCH(QByteArray, settings);
    QFETCH(int, fileIndex);
    QFETCH(int, context);
    QFETCH(QString, page);
    const QString ini = config.filePath(QStringLiteral("PELLOX.INI"));
    if (!settings.isEmpty()) {
      QFile file(ini);
      QVERIFY(file.open(QIODevice::WriteOnly));
      file.write(settings);
    }
    TzelModel model;
    model.About()->SetHelpFile(helpFile);
    model.ShowHelp(fileIndex, context);
    QFile::remove(ini);
    TfrmZelHelp *help = TfrmZelHelp::instance();
    QVERIFY(help);
    QCOMPARE(help->currentPage().toString(), page);
    QVERIFY(help->isVisible());
  }

  void unknownHelpFileShowsNoHelp() {
    TzelModel model;
    model.About()->SetHelpFile(QStringLiteral("NOSUCH.HLP"));
    model.ShowHelp(0, 5);
    TfrmZelHelp *help = TfrmZelHelp::instance();
    QVERIFY(help);
    QVERIFY(help->txtPage->toPlainText().contains(
        QStringLiteral("No help pages are installed for NOSUCH.HLP.")));
  }

private:
  QTemporaryDir config;
};

QTEST_MAIN(TestHelpPages)
#include "tst_helppages.moc"
