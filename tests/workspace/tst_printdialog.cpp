// SPDX-License-Identifier: MIT
// Printing through the print dialog (answered by the modal driver; the printer writes a PDF
// file): accepted, the report prints in the page setting's orientation even when the dialog
// asked for another, on the paper the dialog chose, every record on the paper and the same
// pages as the PDF printer's; cancelled, nothing prints; the progress window counts pages
// and its Cancel stops a long job.

#include "print/printjob.h"
#include "printfixture.h"
#include "support/modaldriver.h"
#include "support/recordingmessages.h"
#include "support/scriptedprompts.h"
#include "workspace/frmzelprintprogress.h"
#include "workspace/guirecordprinter.h"

#include <QApplication>
#include <QLabel>
#include <QPrintDialog>
#include <QPrinter>
#include <QPushButton>
#include <QRegularExpression>
#include <QTest>
#include <QTimer>
#include <numeric>

using namespace Qt::StringLiterals;

namespace {

class DialogPrinterScope : public ScriptedPromptsScope {
public:
  explicit DialogPrinterScope(const QString &file) {
    auto dialogPrinter = std::make_unique<TzelDialogRecordPrinter>();
    dialogPrinter->setOutputFileName(file);
    printer = std::move(dialogPrinter);
  }
};

TfrmZelPrintProgress *visibleProgress() {
  for (QWidget *w : QApplication::topLevelWidgets())
    if (auto *progress = qobject_cast<TfrmZelPrintProgress *>(w); progress && w->isVisible())
      return progress;
  return nullptr;
}

// Clicks the progress window's Cancel as soon as it shows.
void cancelWhenProgressShows() {
  QTimer::singleShot(0, [] {
    if (TfrmZelPrintProgress *progress = visibleProgress())
      progress->findChild<QPushButton *>(u"cmdCancel"_s)->click();
    else
      cancelWhenProgressShows();
  });
}

// The item numbers of the record lines of every page, in order.
QList<int> printedItems(const QStringList &pages) {
  static const QRegularExpression item(QStringLiteral("Item (\\d{5})"));
  QList<int> items;
  for (const QString &page : pages)
    for (const auto &match : item.globalMatch(page))
      items << match.captured(1).toInt();
  return items;
}

} // namespace

class TestPrintDialog : public QObject {
  Q_OBJECT

private slots:
  void initTestCase();
  void orientationOfThePageWins_data();
  void orientationOfThePageWins();
  void everyRecordOnThePaper_data();
  void everyRecordOnThePaper();
  void dialogCancelled();
  void unprintablePageBeforeDialog();
  void noRoomOnTheChosenPaper();
  void progressWindow();
  void cancelLongJob();

private:
  QTemporaryDir m_dir;
  QString m_few;
  QString m_many;
  QString m_308;
};

void TestPrintDialog::initTestCase() {
  if (!havePoppler())
    QSKIP("pdftotext and pdfinfo (poppler-utils) are needed to read the reports back");
  QVERIFY(m_dir.isValid());
  m_few = m_dir.filePath(u"few.sqlite"_s);
  m_many = m_dir.filePath(u"many.sqlite"_s);
  QVERIFY(writeLinesTable(m_few, 5));
  QVERIFY(writeLinesTable(m_many, 2000));
  m_308 = m_dir.filePath(u"308.sqlite"_s);
  QVERIFY(writeLinesTable(m_308, 308));
}

void TestPrintDialog::orientationOfThePageWins_data() {
  QTest::addColumn<int>("page");
  QTest::addColumn<int>("dialog");
  QTest::addColumn<QString>("size");
  QTest::newRow("landscape over portrait")
      << int(zelPageLandscape) << int(QPageLayout::Portrait) << "792 x 612 pts (letter)";
  QTest::newRow("portrait over landscape")
      << int(zelPagePortrait) << int(QPageLayout::Landscape) << "612 x 792 pts (letter)";
}

void TestPrintDialog::orientationOfThePageWins() {
  QFETCH(int, page);
  QFETCH(int, dialog);
  QFETCH(QString, size);
  PrintFixture f(m_few);
  QVERIFY(f.querion->Execute());
  f.querion->Page()->SetPageOrientation(TzelPageOrientation(page));
  if (page == zelPageLandscape) {
    f.querion->Page()->SetPageWidth(11.0);
    f.querion->Page()->SetPageHeight(8.5);
  }
  const QString file = m_dir.filePath(QStringLiteral("dialog-%1.pdf").arg(page));
  DialogPrinterScope printer(file);
  bool sawDialog = false;
  whenModal([&](QWidget *w) {
    auto *print = qobject_cast<QPrintDialog *>(w);
    sawDialog = print != nullptr;
    if (print)
      print->printer()->setPageOrientation(QPageLayout::Orientation(dialog));
    qobject_cast<QDialog *>(w)->accept();
  });
  QVERIFY(f.querion->Print());
  QVERIFY(sawDialog);
  QCOMPARE(pdfPageSize(file), size);
  const QString text = pdfPages(file).join(u'\f');
  QVERIFY(text.contains(printItem(1)));
  QVERIFY(text.contains(printItem(5)));
  QCOMPARE(f.dataset->RecNo(), 0);
}

void TestPrintDialog::everyRecordOnThePaper_data() {
  QTest::addColumn<int>("size");
  QTest::addColumn<double>("width");
  QTest::addColumn<double>("height");
  QTest::addColumn<int>("orientation");
  QTest::addColumn<int>("dialogPaper"); // -1: the paper the dialog offers
  QTest::addColumn<QString>("paper");
  QTest::addColumn<QString>("toolPaper"); // the PDF printer's, when the dialog kept none
  const int portrait = zelPagePortrait;
  const int landscape = zelPageLandscape;
  const int offered = -1;
  QTest::newRow("Letter portrait")
      << int(zelPageLetter) << 8.5 << 11.0 << portrait << offered << "612 x 792 pts (letter)"
      << "612 x 792 pts (letter)";
  QTest::newRow("Letter landscape")
      << int(zelPageLetter) << 11.0 << 8.5 << landscape << offered << "792 x 612 pts (letter)"
      << "792 x 612 pts (letter)";
  QTest::newRow("A4 portrait") << int(zelPageA4) << 8.268 << 11.693 << portrait << offered
                               << "595 x 842 pts (A4)"
                               << "595 x 842 pts (A4)";
  QTest::newRow("A4 landscape") << int(zelPageA4) << 11.693 << 8.268 << landscape << offered
                                << "842 x 595 pts (A4)"
                                << "842 x 595 pts (A4)";
  QTest::newRow("Custom 8.5 x 11 stored landscape")
      << int(zelPageCustom) << 8.5 << 11.0 << landscape << offered << "792 x 612 pts (letter)"
      << "792 x 612 pts (letter)";
  // The dialog offers no paper of these lengths and falls back to Letter.
  QTest::newRow("Custom 5 x 7") << int(zelPageCustom) << 5.0 << 7.0 << portrait << offered
                                << "612 x 792 pts (letter)"
                                << "360 x 504 pts";
  QTest::newRow("Mini, the dialog chooses Letter")
      << int(zelPageMini) << 4.25 << 5.0 << portrait << int(QPageSize::Letter)
      << "612 x 792 pts (letter)"
      << "306 x 360 pts";
  QTest::newRow("Custom landscape, the dialog chooses A5")
      << int(zelPageCustom) << 8.5 << 11.0 << landscape << int(QPageSize::A5)
      << "595 x 420 pts (A5)"
      << "792 x 612 pts (letter)";
}

// Laid out on the paper printed on, all 308 records print, in order; both print paths
// choose the same paper and print the same pages.
void TestPrintDialog::everyRecordOnThePaper() {
  QFETCH(int, size);
  QFETCH(double, width);
  QFETCH(double, height);
  QFETCH(int, orientation);
  QFETCH(int, dialogPaper);
  QFETCH(QString, paper);
  QFETCH(QString, toolPaper);
  PrintFixture f(m_308);
  QVERIFY(f.querion->Execute());
  TzelPage *page = f.querion->Page();
  page->SetPageSize(TzelPageSize(size));
  page->SetPageWidth(width);
  page->SetPageHeight(height);
  page->SetPageOrientation(TzelPageOrientation(orientation));
  const QString file = m_dir.filePath(u"paper.pdf"_s);
  {
    DialogPrinterScope printer(file);
    whenModal([&](QWidget *w) {
      if (auto *print = qobject_cast<QPrintDialog *>(w); print && dialogPaper >= 0)
        print->printer()->setPageSize(QPageSize(QPageSize::PageSizeId(dialogPaper)));
      qobject_cast<QDialog *>(w)->accept();
    });
    QVERIFY(f.querion->Print());
  }
  QCOMPARE(pdfPageSize(file), paper);
  const QStringList pages = pdfPages(file);
  QList<int> all(308);
  std::iota(all.begin(), all.end(), 1);
  QCOMPARE(printedItems(pages), all);
  const QString tool = m_dir.filePath(u"paper-tool.pdf"_s);
  ScriptedPrompts toolPrompts;
  toolPrompts.printer = std::make_unique<TzelPdfRecordPrinter>(tool);
  f.querion->SetPrompts(&toolPrompts);
  QVERIFY(f.querion->Print());
  f.querion->SetPrompts(nullptr);
  QCOMPARE(pdfPageSize(tool), toolPaper);
  QCOMPARE(printedItems(pdfPages(tool)), all);
  if (paper == toolPaper)
    QCOMPARE(pdfPages(tool), pages);
}

void TestPrintDialog::dialogCancelled() {
  PrintFixture f(m_few);
  QVERIFY(f.querion->Execute());
  const QString file = m_dir.filePath(u"cancelled.pdf"_s);
  DialogPrinterScope printer(file);
  whenModal([](QWidget *w) { qobject_cast<QDialog *>(w)->reject(); });
  QVERIFY(!f.querion->Print());
  QVERIFY(!QFileInfo::exists(file));
  QCOMPARE(zelPrintingQuerion(), nullptr);
}

void TestPrintDialog::unprintablePageBeforeDialog() {
  RecordingMessages rec;
  PrintFixture f(m_few);
  QVERIFY(f.querion->Execute());
  f.querion->Page()->SetPageHeight(0);
  DialogPrinterScope printer(m_dir.filePath(u"never.pdf"_s));
  QVERIFY(!f.querion->Print()); // no dialog is shown: nothing would answer it
  QCOMPARE(rec.texts(), QStringList{u"Error: A page of 8.5 x 0 inches cannot be printed"_s});
}

void TestPrintDialog::noRoomOnTheChosenPaper() {
  RecordingMessages rec;
  PrintFixture f(m_few);
  QVERIFY(f.querion->Execute());
  f.querion->Page()->SetMarginTop(6.0); // room on Letter, none on A6 (5.8 inches)
  const QString file = m_dir.filePath(u"a6.pdf"_s);
  DialogPrinterScope printer(file);
  whenModal([](QWidget *w) {
    if (auto *print = qobject_cast<QPrintDialog *>(w))
      print->printer()->setPageSize(QPageSize(QPageSize::A6));
    qobject_cast<QDialog *>(w)->accept();
  });
  QVERIFY(!f.querion->Print());
  QCOMPARE(rec.texts(),
           QStringList{u"Error: No record line fits on the page below its top margin"_s});
  QVERIFY(!QFileInfo::exists(file));
  QCOMPARE(zelPrintingQuerion(), nullptr);
}

void TestPrintDialog::progressWindow() {
  TfrmZelPrintProgress progress;
  QVERIFY(!progress.isVisible());
  QVERIFY(progress.pagePrinted(1));
  QVERIFY(progress.isVisible());
  QCOMPARE(progress.windowTitle(), u"Printing"_s);
  QCOMPARE(progress.findChild<QLabel *>(u"labPages"_s)->text(), u"Pages printed: 1"_s);
  QVERIFY(progress.pagePrinted(2));
  QCOMPARE(progress.findChild<QLabel *>(u"labPages"_s)->text(), u"Pages printed: 2"_s);
  progress.grab().save(m_dir.filePath(u"progress.png"_s));
  auto *cancel = progress.findChild<QPushButton *>(u"cmdCancel"_s);
  QCOMPARE(cancel->text(), u"Cancel"_s);
  cancel->click();
  QVERIFY(progress.cancelled());
  QVERIFY(!cancel->isEnabled());
  QVERIFY(!progress.pagePrinted(3));
}

void TestPrintDialog::cancelLongJob() {
  PrintFixture f(m_many);
  QVERIFY(f.querion->Execute());
  const QString file = m_dir.filePath(u"long.pdf"_s);
  DialogPrinterScope printer(file);
  whenModal([](QWidget *w) {
    cancelWhenProgressShows();
    qobject_cast<QDialog *>(w)->accept();
  });
  QVERIFY(!f.querion->Print());
  QCOMPARE(visibleProgress(), nullptr);
  QCOMPARE(zelPrintingQuerion(), nullptr);
  QCOMPARE(f.dataset->RecNo(), 0);
  QVERIFY(!f.dataset->ControlsDisabled());
  // Nothing half-written is left of a cancelled run.
  QVERIFY(!QFileInfo::exists(file));
}

QTEST_MAIN(TestPrintDialog)
#include "tst_printdialog.moc"
