// SPDX-License-Identifier: MIT
// The print operation writing the report to PDF, read back with pdftotext: the page count
// the layout predicts, the title on page 1 only, the header, heading row and footer on every
// page, the records in order, columns beyond the right margin left out, the first 255
// characters of a value, the dataset left on its first record, cancelling, one job at a
// time, fonts that do not exist, and bad pages and paths. (Step 1 on the sample tables and
// landscape pages: tests/tools/tst_zelqueryprint.cpp, tst_printdialog.cpp.)

#include "engine/recordprinting.h"
#include "print/printjob.h"
#include "print/printlayout.h"
#include "printfixture.h"
#include "support/recordingmessages.h"
#include "support/scriptedprompts.h"

#include <QFile>
#include <QRegularExpression>
#include <QTest>
#include <cmath>
#include <functional>

using namespace Qt::StringLiterals;

namespace {

// Prints through the PDF printer for the scope.
class PdfPrinterScope : public ScriptedPromptsScope {
public:
  explicit PdfPrinterScope(const QString &file, TzelPrintProgress *progress = nullptr) {
    printer = std::make_unique<TzelPdfRecordPrinter>(file, progress);
  }
};

class ScriptedProgress : public TzelPrintProgress {
public:
  bool pagePrinted(int pageNumber) override {
    pages << pageNumber;
    if (onPage)
      onPage(pageNumber);
    return pageNumber != cancelAt;
  }
  QList<int> pages;
  int cancelAt = -1;
  std::function<void(int)> onPage;
};

QString simplified(const QString &line) {
  return line.simplified();
}

// The records each page takes on Letter with the default fonts, as the layout lays them out.
QList<int> predictedPages(int records, bool title, bool header) {
  const int record = pdfLineHeight(10);
  const int bold = pdfLineHeight(10, true);
  const int limit = 13200 - 360 - 3 * record - pdfLineHeight(10);
  QList<int> pages;
  for (int page = 1; records > 0; ++page) {
    const bool first = page == 1 && title;
    const int y = 360 + (first ? pdfLineHeight(18, true) : 0) +
                  (header ? pdfLineHeight(14, true) : 0) + (header || first ? record : 0) + bold +
                  ReportRound(bold / 3.0);
    const int capacity = qMax(1, int(std::ceil(double(limit - y) / record)));
    pages << qMin(capacity, records);
    records -= pages.constLast();
  }
  return pages;
}

// The record lines of a page of the Lines report: "Nr Item Amount".
QStringList recordLines(const QString &page) {
  static const QRegularExpression record(QStringLiteral("^\\d+ Item \\d{5}( |$)"));
  QStringList lines;
  for (const QString &line : page.split(u'\n'))
    if (record.match(simplified(line)).hasMatch())
      lines << simplified(line);
  return lines;
}

} // namespace

class TestPrintReport : public QObject {
  Q_OBJECT

private slots:
  void initTestCase();
  void manyRows();
  void columnsBeyondMarginLeftOut();
  void exactlyOnePage();
  void first255Characters();
  void cancelled();
  void oneJobAtATime();
  void preconditions();
  void badPages_data();
  void badPages();
  void missingFont();
  void badPaths_data();
  void badPaths();

private:
  QString pdf(const QString &name) const { return m_dir.filePath(name); }
  QTemporaryDir m_dir;
  QString m_many;
  QString m_few;
};

void TestPrintReport::initTestCase() {
  if (!havePoppler())
    QSKIP("pdftotext and pdfinfo (poppler-utils) are needed to read the reports back");
  QVERIFY(m_dir.isValid());
  m_many = m_dir.filePath(QStringLiteral("many.sqlite"));
  m_few = m_dir.filePath(QStringLiteral("few.sqlite"));
  QVERIFY(writeLinesTable(m_many, 2000));
  QVERIFY(writeLinesTable(m_few, 5));
}

void TestPrintReport::manyRows() {
  PrintFixture f(m_many);
  TzelPage *page = f.querion->Page();
  page->SetTitleCaption(QStringLiteral("Lines report"));
  page->SetHeaderCaption(QStringLiteral("Numbered lines"));
  page->SetFooterCaption(QStringLiteral("Printed by Pellox"));
  QVERIFY(f.querion->Execute());
  ScriptedProgress progress;
  {
    PdfPrinterScope printer(pdf(QStringLiteral("many.pdf")), &progress);
    QVERIFY(f.querion->Print());
  }
  const QList<int> expected = predictedPages(2000, true, true);
  const QStringList pages = pdfPages(pdf(QStringLiteral("many.pdf")));
  QCOMPARE(pages.size(), expected.size());
  QCOMPARE(progress.pages.size(), expected.size());
  QCOMPARE(progress.pages.constLast(), int(expected.size()));
  int next = 1;
  for (int p = 0; p < pages.size(); ++p) {
    const QStringList lines = pages.at(p).split(u'\n');
    QCOMPARE(pages.at(p).contains(u"Lines report"), p == 0);
    QVERIFY2(lines.contains(u"Numbered lines"_s) || pages.at(p).contains(u"Numbered lines"),
             qPrintable(QString::number(p)));
    bool heading = false;
    for (const QString &line : lines)
      heading = heading || simplified(line) == u"Nr Item Amount";
    QVERIFY2(heading, qPrintable(pages.at(p).left(300)));
    QVERIFY(pages.at(p).contains(u"Printed by Pellox"));
    const QStringList records = recordLines(pages.at(p));
    QCOMPARE(records.size(), expected.at(p));
    for (const QString &record : records) {
      QCOMPARE(record.section(u' ', 0, 2), QStringLiteral("%1 %2").arg(next).arg(printItem(next)));
      ++next;
    }
  }
  QCOMPARE(next, 2001);
  QCOMPARE(f.dataset->RecNo(), 0);
  QVERIFY(!f.dataset->ControlsDisabled());
}

void TestPrintReport::columnsBeyondMarginLeftOut() {
  PrintFixture f(m_few);
  QVERIFY(f.querion->Execute());
  f.querion->Page()->SetPageWidth(3.2);
  {
    PdfPrinterScope printer(pdf(u"narrow.pdf"_s));
    QVERIFY(f.querion->Print());
  }
  const QString text = pdfPages(pdf(u"narrow.pdf"_s)).join(u'\n');
  QVERIFY(text.contains(u"Item"));
  QVERIFY(!text.contains(u"Amount"));
  QVERIFY(!text.contains(u"7.5")); // the Amount of record 5
  const QStringList records = recordLines(text);
  QCOMPARE(records.size(), 5);
  QCOMPARE(records.constLast(), u"5 Item 00005"_s);
}

void TestPrintReport::exactlyOnePage() {
  const int capacity = predictedPages(1000, false, false).constFirst();
  const QString file = m_dir.filePath(u"one-page.sqlite"_s);
  QVERIFY(writeLinesTable(file, capacity));
  PrintFixture f(file);
  QVERIFY(f.querion->Execute());
  f.querion->Page()->SetFooterCaption(u"The end"_s);
  {
    PdfPrinterScope printer(pdf(u"one-page.pdf"_s));
    QVERIFY(f.querion->Print());
  }
  const QStringList pages = pdfPages(pdf(u"one-page.pdf"_s));
  QCOMPARE(pages.size(), 1);
  QCOMPARE(recordLines(pages.constFirst()).size(), capacity);
  QVERIFY(pages.constFirst().contains(u"The end"));
}

void TestPrintReport::first255Characters() {
  PrintFixture f(m_few);
  f.addValue(u"Note"_s, 400);
  QVERIFY(f.querion->Execute());
  // A landscape page wide enough for a column that shows 255 characters whole.
  f.querion->Page()->SetPageWidth(40.0);
  f.querion->Page()->SetPageHeight(8.5);
  f.querion->Page()->SetPageOrientation(zelPageLandscape);
  {
    PdfPrinterScope printer(pdf(u"wide.pdf"_s));
    QVERIFY(f.querion->Print());
  }
  QCOMPARE(pdfPageSize(pdf(u"wide.pdf"_s)), u"2880 x 612 pts"_s);
  const QStringList records = recordLines(pdfPages(pdf(u"wide.pdf"_s)).value(0));
  QCOMPARE(records.size(), 5);
  for (int i = 1; i <= 5; ++i)
    QCOMPARE(records.at(i - 1).section(u' ', 4), QString(255, QChar(u'a' + i % 26)));
}

void TestPrintReport::cancelled() {
  PrintFixture f(m_many);
  QVERIFY(f.querion->Execute());
  ScriptedProgress progress;
  progress.cancelAt = 2;
  const QString file = pdf(u"cancelled.pdf"_s);
  {
    PdfPrinterScope printer(file, &progress);
    QVERIFY(!f.querion->Print());
  }
  QCOMPARE(progress.pages, (QList<int>{1, 2}));
  QVERIFY(!QFileInfo::exists(file));
  QCOMPARE(f.dataset->RecNo(), 0);
  QVERIFY(!f.dataset->ControlsDisabled());
  QCOMPARE(zelPrintingQuerion(), nullptr);
}

void TestPrintReport::oneJobAtATime() {
  PrintFixture f(m_many);
  PrintFixture other(m_few);
  QVERIFY(f.querion->Execute());
  QVERIFY(other.querion->Execute());
  ScriptedProgress progress;
  QList<bool> nested;
  progress.onPage = [&](int page) {
    if (page != 1)
      return;
    QCOMPARE(zelPrintingQuerion(), f.querion.get());
    nested << f.querion->Print() << other.querion->Print();
  };
  {
    PdfPrinterScope printer(pdf(u"first.pdf"_s), &progress);
    QVERIFY(f.querion->Print());
  }
  QCOMPARE(nested, (QList<bool>{false, false}));
  QCOMPARE(zelPrintingQuerion(), nullptr);
  PdfPrinterScope printer(pdf(u"second.pdf"_s));
  QVERIFY(other.querion->Print());
}

void TestPrintReport::preconditions() {
  RecordingMessages rec;
  PdfPrinterScope printer(pdf(u"never.pdf"_s));
  {
    PrintFixture f(m_few);
    QVERIFY(!f.querion->Print()); // dataset closed
  }
  {
    PrintFixture f(m_few);
    f.querion->SQL() = QStringList{u"SELECT Nr, Item, Amount FROM Lines WHERE Nr > 99"_s};
    f.querion->SetSqlEdited(true);
    QVERIFY(f.querion->Execute());
    QVERIFY(!f.querion->Print()); // no records
  }
  QCOMPARE(rec.messages.size(), 0);
  {
    PrintFixture f(m_few);
    QVERIFY(f.querion->Execute());
    f.querion->SetDataModel(nullptr);
    QVERIFY(!f.querion->Print());
  }
  QCOMPARE(rec.lists.size(), 1);
  QVERIFY(rec.lists.constFirst().lines.constFirst().startsWith(u"Error 1: "));
  QVERIFY(!QFileInfo::exists(pdf(u"never.pdf"_s)));
}

void TestPrintReport::badPages_data() {
  QTest::addColumn<double>("width");
  QTest::addColumn<double>("height");
  QTest::addColumn<double>("topMargin");
  QTest::addColumn<QString>("message");
  QTest::addColumn<int>("pages");
  QTest::newRow("zero width") << 0.0 << 11.0 << 0.3
                              << "Error: A page of 0 x 11 inches cannot be printed" << 0;
  QTest::newRow("negative height")
      << 8.5 << -2.0 << 0.3 << "Error: A page of 8.5 x -2 inches cannot be printed" << 0;
  // No room for a record line above the bottom margin: the first record of each page is
  // printed all the same, but never below the paper.
  QTest::newRow("no room above the bottom margin") << 8.5 << 11.0 << 10.5 << "" << 5;
  QTest::newRow("no room on the paper")
      << 8.5 << 11.0 << 10.9 << "Error: No record line fits on the page below its top margin" << 0;
  QTest::newRow("margin beyond the page")
      << 8.5 << 11.0 << 30.0 << "Error: No record line fits on the page below its top margin" << 0;
  QTest::newRow("no column across")
      << 0.8 << 11.0 << 0.3 << "Error: No column fits across the page between its margins" << 0;
}

void TestPrintReport::badPages() {
  QFETCH(double, width);
  QFETCH(double, height);
  QFETCH(double, topMargin);
  QFETCH(QString, message);
  QFETCH(int, pages);
  RecordingMessages rec;
  PrintFixture f(m_few);
  QVERIFY(f.querion->Execute());
  f.querion->Page()->SetPageWidth(width);
  f.querion->Page()->SetPageHeight(height);
  f.querion->Page()->SetMarginTop(topMargin);
  const QString file = pdf(u"bad-page.pdf"_s);
  QFile::remove(file);
  {
    PdfPrinterScope printer(file);
    QCOMPARE(f.querion->Print(), pages > 0);
  }
  if (pages == 0) {
    QCOMPARE(rec.lastText(), message);
    QVERIFY(!QFileInfo::exists(file));
  } else {
    QCOMPARE(rec.messages.size(), 0);
    QCOMPARE(pdfPages(file).size(), pages);
  }
}

void TestPrintReport::missingFont() {
  RecordingMessages rec;
  PrintFixture f(m_few);
  QVERIFY(f.querion->Execute());
  f.querion->Page()->RecordFont()->SetName(u"No Such Font Family"_s);
  f.querion->Page()->SetFooterCaption(u"Footer"_s);
  {
    PdfPrinterScope printer(pdf(u"font.pdf"_s));
    QVERIFY(f.querion->Print());
  }
  QCOMPARE(rec.messages.size(), 0);
  // The platform's substitute prints the records.
  const QString text = pdfPages(pdf(u"font.pdf"_s)).join(u'\f');
  QCOMPARE(recordLines(text).size(), 5);
  QVERIFY(text.contains(u"Footer"));
}

void TestPrintReport::badPaths_data() {
  QTest::addColumn<QString>("path");
  QTest::newRow("missing folder") << u"missing/report.pdf"_s;
  QTest::newRow("folder is a file") << u"few.sqlite/report.pdf"_s;
}

void TestPrintReport::badPaths() {
  QFETCH(QString, path);
  RecordingMessages rec;
  PrintFixture f(m_few);
  QVERIFY(f.querion->Execute());
  const QString file = m_dir.filePath(path);
  {
    PdfPrinterScope printer(file);
    QVERIFY(!f.querion->Print());
  }
  QVERIFY2(rec.lastText().startsWith(u"Error: Cannot create the file "_s + file + u": "_s),
           qPrintable(rec.lastText()));
  QVERIFY(!QFileInfo::exists(file));
  QCOMPARE(zelPrintingQuerion(), nullptr);
}

QTEST_MAIN(TestPrintReport)
#include "tst_printreport.moc"
