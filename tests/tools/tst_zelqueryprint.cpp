// SPDX-License-Identifier: MIT
// zelquery print run as a process: the report of the stored query Step 1 is the one the
// print operation writes for the same files, the page settings come from the query file
// (captions, landscape), parameters narrow a 2,000-row query, and wrong command lines, an
// empty result and a folder that does not exist fail with their messages and no file.

#include "database/zeldatamodel.h"
#include "database/zelsession.h"
#include "model/storedform.h"
#include "model/zelregistry.h"
#include "print/printjob.h"
#include "support/recordingmessages.h"
#include "support/samplefiles.h"
#include "support/scriptedprompts.h"
#include "workspace/printfixture.h"

#include <QFile>
#include <QTest>

using namespace Qt::StringLiterals;

namespace {

struct ToolRun {
  int status = -1;
  QString err;
};

// Qt's own notice when the offscreen platform starts without a runtime folder.
QString withoutQtNotices(const QString &err) {
  QStringList lines = err.split(u'\n');
  lines.removeIf([](const QString &l) { return l.startsWith(u"QStandardPaths: "); });
  return lines.join(u'\n');
}

} // namespace

class TestZelQueryPrint : public QObject {
  Q_OBJECT

private slots:
  void initTestCase();
  void stepOneAsThePrintOperation();
  void pageSettingsFromQueryFile();
  void parameters();
  void failures_data();
  void failures();

private:
  ToolRun tool(const QStringList &args);
  QStringList sampleArgs(const QString &queryFile, const QString &out) const;

  QTemporaryDir m_dir;
  QString m_tool;
  QString m_data;
  QString m_captions; // Step 1 with a title, a header and a footer
  QString m_linesModel;
  QString m_linesQuery;
};

void TestZelQueryPrint::initTestCase() {
  if (!havePoppler())
    QSKIP("pdftotext and pdfinfo (poppler-utils) are needed to read the reports back");
  QVERIFY(m_dir.isValid());
  if (!ZelRegistry::instance().contains(u"TzelDataModel"_s))
    ZelRegistry::instance().registerClass<TzelDataModel>();
  m_tool = QCoreApplication::applicationDirPath() + u"/zelquery"_s;
  QVERIFY(QFileInfo(m_tool).isExecutable());
  m_data = QCoreApplication::applicationDirPath() + u"/Data"_s;
  TzelSession::defaultSession().registerAlias({u"PELLOX"_s, u"STANDARD"_s, {u"PATH="_s + m_data}});

  QFile step1(QStringLiteral(ZEL_SOURCE_DIR "/examples/step1.zel"));
  QVERIFY(step1.open(QIODevice::ReadOnly));
  QString text = QString::fromUtf8(step1.readAll());
  text.replace(u"  Page.FooterFont.Color"_s,
               u"  Page.FooterCaption = 'Pellox sample data'\r\n  Page.FooterFont.Color"_s);
  text.replace(u"  Page.HeaderFont.Color"_s,
               u"  Page.HeaderCaption = 'Customers in NE, WA and NY'\r\n  Page.HeaderFont.Color"_s);
  text.replace(u"  Page.TitleFont.Color"_s,
               u"  Page.TitleCaption = 'Gear orders'\r\n  Page.TitleFont.Color"_s);
  m_captions = m_dir.filePath(u"captions.zel"_s);
  QFile captions(m_captions);
  QVERIFY(captions.open(QIODevice::WriteOnly));
  captions.write(text.toUtf8());
  captions.close();

  // 2,000 lines, printed landscape, Nr up to a parameter.
  const QString db = m_dir.filePath(u"lines.sqlite"_s);
  QVERIFY(writeLinesTable(db, 2000));
  PrintFixture f(db);
  TzelQuery *query = f.querion->CurrentQuery();
  query->GetValue(0)->SetFilter(1, zelFilterLE, u"[Upto]=2000|"_s);
  f.querion->Page()->SetPageOrientation(zelPageLandscape);
  f.querion->Page()->SetPageWidth(11.0);
  f.querion->Page()->SetPageHeight(8.5);
  f.querion->Page()->SetTitleCaption(u"Lines"_s);
  m_linesModel = m_dir.filePath(u"lines-model.txt"_s);
  saveStoredFormFile(m_linesModel, StoredFormWriter().write(*f.model));
  m_linesQuery = m_dir.filePath(u"lines.zel"_s);
  RecordingMessages rec;
  QVERIFY(f.querion->SaveToFile(m_linesQuery));
}

ToolRun TestZelQueryPrint::tool(const QStringList &args) {
  QProcess process;
  QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
  env.insert(u"ZEL_ALIASES_FILE"_s, m_dir.filePath(u"no-aliases.ini"_s));
  env.remove(u"QT_QPA_PLATFORM"_s); // the tool needs no display of its own
  env.remove(u"DISPLAY"_s);
  process.setProcessEnvironment(env);
  process.start(m_tool, args);
  ToolRun run;
  if (!process.waitForFinished(120000)) {
    process.kill();
    process.waitForFinished();
    return run;
  }
  run.status = process.exitStatus() == QProcess::NormalExit ? process.exitCode() : -1;
  run.err = withoutQtNotices(QString::fromUtf8(process.readAllStandardError()));
  return run;
}

QStringList TestZelQueryPrint::sampleArgs(const QString &queryFile, const QString &out) const {
  return {u"print"_s,
          u"--alias"_s,
          u"PELLOX=standard:"_s + m_data,
          QStringLiteral(ZEL_SOURCE_DIR "/examples/pellox-model.txt"),
          queryFile,
          u"--out"_s,
          out};
}

void TestZelQueryPrint::stepOneAsThePrintOperation() {
  ZEL_SKIP_WITHOUT_PARADOX();
  const QString toolPdf = m_dir.filePath(u"tool.pdf"_s);
  const ToolRun run = tool(sampleArgs(m_captions, toolPdf));
  QCOMPARE(run.err, QString());
  QCOMPARE(run.status, 0);

  std::unique_ptr<TzelComponent> read = StoredFormReader().read(
      loadStoredFormFile(QStringLiteral(ZEL_SOURCE_DIR "/examples/pellox-model.txt")));
  std::unique_ptr<TzelModel> model(qobject_cast<TzelModel *>(read.release()));
  TzelDataset dataset;
  dataset.setObjectName(u"zelQuery1"_s);
  dataset.setDatabaseName(u"PELLOX"_s);
  TzelQuerion querion;
  querion.setObjectName(u"zelQuerion1"_s);
  querion.SetDataModel(model.get());
  querion.SetDataQuery(&dataset);
  QVERIFY(querion.Execute(m_captions));
  const QString operationPdf = m_dir.filePath(u"operation.pdf"_s);
  {
    ScriptedPrompts prompts;
    prompts.printer = std::make_unique<TzelPdfRecordPrinter>(operationPdf);
    querion.SetPrompts(&prompts);
    QVERIFY(querion.Print());
    querion.SetPrompts(nullptr);
  }
  const QStringList pages = pdfPages(toolPdf);
  QCOMPARE(pages, pdfPages(operationPdf));
  QCOMPARE(pages.size(), 1);
  QStringList lines;
  for (const QString &line : pages.constFirst().split(u'\n'))
    if (!line.trimmed().isEmpty())
      lines << line.simplified();
  QCOMPARE(lines.mid(0, 3), (QStringList{u"Gear orders"_s, u"Customers in NE, WA and NY"_s,
                                         u"Company State SaleDate PartDesc Qty Cost"_s}));
  QCOMPARE(lines.at(3), u"Atlas Equipment NE 3/26/1998 Worm Gear M10 4 $106.34"_s);
  QCOMPARE(lines.constLast(), u"Pellox sample data"_s);
  QCOMPARE(lines.size(), 3 + dataset.RecordCount() + 1);
}

void TestZelQueryPrint::pageSettingsFromQueryFile() {
  const QString out = m_dir.filePath(u"lines.pdf"_s);
  const ToolRun run = tool({u"print"_s, m_linesModel, m_linesQuery, u"--out"_s, out});
  QCOMPARE(run.err, QString());
  QCOMPARE(run.status, 0);
  QCOMPARE(pdfPageSize(out), u"792 x 612 pts (letter)"_s);
  const QStringList pages = pdfPages(out);
  QVERIFY(pages.size() > 40);
  QVERIFY(pages.constFirst().startsWith(u"Lines"));
  QVERIFY(!pages.at(1).contains(u"Lines\n"));
  QVERIFY(pages.constLast().contains(printItem(2000)));
}

void TestZelQueryPrint::parameters() {
  const QString out = m_dir.filePath(u"upto.pdf"_s);
  const ToolRun run =
      tool({u"print"_s, m_linesModel, m_linesQuery, u"--out"_s, out, u"--param"_s, u"Upto=3"_s});
  QCOMPARE(run.err, QString());
  QCOMPARE(run.status, 0);
  const QString text = pdfPages(out).join(u'\f');
  QVERIFY(text.contains(printItem(3)));
  QVERIFY(!text.contains(printItem(4)));
}

void TestZelQueryPrint::failures_data() {
  QTest::addColumn<QStringList>("extra");
  QTest::addColumn<QString>("out");
  QTest::addColumn<int>("status");
  QTest::addColumn<QString>("message");
  QTest::newRow("no --out") << QStringList() << QString() << 2
                            << "Error: The print command needs --out FILE.pdf\n";
  QTest::newRow("not a PDF") << QStringList() << "report.txt" << 2
                             << "Error: The print command writes .pdf files, not .txt\n";
  QTest::newRow("no records") << QStringList{u"--param"_s, u"Upto=0"_s} << "empty.pdf" << 1
                              << "Error: The [Step 1] query gives no records to print\n";
  QTest::newRow("missing folder") << QStringList() << "missing/report.pdf" << 1
                                  << "Error: Cannot create the file ";
}

void TestZelQueryPrint::failures() {
  QFETCH(QStringList, extra);
  QFETCH(QString, out);
  QFETCH(int, status);
  QFETCH(QString, message);
  QStringList args{u"print"_s, m_linesModel, m_linesQuery};
  const QString file = m_dir.filePath(out);
  if (!out.isEmpty())
    args << u"--out"_s << file;
  const ToolRun run = tool(args + extra);
  QCOMPARE(run.status, status);
  QVERIFY2(run.err.startsWith(message), qPrintable(run.err));
  if (!out.isEmpty())
    QVERIFY(!QFileInfo::exists(file));
}

QTEST_MAIN(TestZelQueryPrint)
#include "tst_zelqueryprint.moc"
