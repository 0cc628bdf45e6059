// SPDX-License-Identifier: MIT
// The report's layout on its numbers, without printing a job: column widths from "T" x n less
// a quarter (halves to even), column edges, the overflow rule, the page's pixels, the bottom
// limit, where the heading row starts with and without title and header, and the rules drawn
// under the headings and above the footer (also with a blank footer caption), and every
// printed cell text fitting its column whole (dates, numbers, currency) or cut at a
// character (text).

#include "print/printlayout.h"
#include "printfixture.h"
#include "support/recordingmessages.h"

#include <QImage>
#include <QPainter>
#include <QTest>

using namespace Qt::StringLiterals;

class TestPrintLayout : public QObject {
  Q_OBJECT

private slots:
  void initTestCase();
  void columnWidth_data();
  void columnWidth();
  void columnEdges();
  void overflow_data();
  void overflow();
  void pageNumbers();
  void headingStart_data();
  void headingStart();
  void everyFieldGetsAnEdge();
  void rules();
  void fontsKeepTheirPointSize_data();
  void fontsKeepTheirPointSize();
  void cellsFitTheirColumns_data();
  void cellsFitTheirColumns();

private:
  QTemporaryDir m_dir;
  QString m_db;
};

void TestPrintLayout::initTestCase() {
  QVERIFY(m_dir.isValid());
  m_db = m_dir.filePath(QStringLiteral("lines.sqlite"));
  QVERIFY(writeLinesTable(m_db, 5));
}

void TestPrintLayout::columnWidth_data() {
  QTest::addColumn<int>("tWidth");
  QTest::addColumn<int>("displayWidth");
  QTest::addColumn<int>("labelLength");
  QTest::addColumn<int>("width");
  QTest::newRow("display width wins") << 10 << 25 << 7 << 188;           // 250 - round(62.5)=62
  QTest::newRow("label longer than the width") << 10 << 2 << 5 << 38;    // 50 - round(12.5)=12
  QTest::newRow("quarter rounds half up to even") << 10 << 3 << 1 << 22; // 30 - round(7.5)=8
  QTest::newRow("quarter below a half") << 7 << 3 << 3 << 16;            // 21 - round(5.25)=5
  QTest::newRow("empty label, no width") << 10 << 0 << 0 << 0;
  QTest::newRow("printer T at 1200 dpi") << 96 << 30 << 7 << 2160; // 2880 - 720
}

void TestPrintLayout::columnWidth() {
  QFETCH(int, tWidth);
  QFETCH(int, displayWidth);
  QFETCH(int, labelLength);
  QFETCH(int, width);
  QCOMPARE(ReportColumnWidth(tWidth, displayWidth, labelLength), width);
}

void TestPrintLayout::columnEdges() {
  QCOMPARE(ReportColumnEdges({188, 38, 80}, 360, 180), (QList<int>{360, 728, 946}));
  QCOMPARE(ReportColumnEdges({}, 360, 180), QList<int>());
  QCOMPARE(ReportRound(2.5), 2);
  QCOMPARE(ReportRound(3.5), 4);
  QCOMPARE(ReportRound(-0.5), 0);
}

void TestPrintLayout::overflow_data() {
  QTest::addColumn<int>("edge");
  QTest::addColumn<int>("width");
  QTest::addColumn<bool>("overflows");
  // Right limit 9840: page 10200 less a 360 margin.
  QTest::newRow("ends before the margin") << 9000 << 839 << false;
  QTest::newRow("ends at the margin") << 9000 << 840 << true;
  QTest::newRow("ends beyond the margin") << 9000 << 900 << true;
  QTest::newRow("starts beyond the margin") << 9900 << 0 << true;
}

void TestPrintLayout::overflow() {
  QFETCH(int, edge);
  QFETCH(int, width);
  QFETCH(bool, overflows);
  QCOMPARE(ReportColumnOverflows(edge, width, 9840), overflows);
}

void TestPrintLayout::pageNumbers() {
  PrintFixture f(m_db);
  QVERIFY(f.querion->Execute());
  QPdfWriter writer(m_dir.filePath(QStringLiteral("numbers.pdf")));
  writer.setResolution(1200);
  QPainter painter(&writer);
  TzelReportLayout layout(painter, *f.querion->Page(), *f.dataset);
  layout.prepare(1200);
  const TzelPrintState &s = layout.state();
  QCOMPARE(s.resolution, 1200);
  QCOMPARE(s.pageWidth, 10200);
  QCOMPARE(s.pageHeight, 13200);
  QCOMPARE(s.leftMargin, 360);
  QCOMPARE(s.topMargin, 360);
  QCOMPARE(s.rightMargin, 360);
  QCOMPARE(s.bottomMargin, 360);
  QCOMPARE(s.columnGap, 180);
  QCOMPARE(s.pageNumber, 0);
  const int record = pdfLineHeight(10);
  const int footer = pdfLineHeight(10);
  QCOMPARE(s.bottomLimit, 13200 - 360 - 3 * record - footer);
  painter.end();
}

void TestPrintLayout::headingStart_data() {
  QTest::addColumn<QString>("title");
  QTest::addColumn<QString>("header");
  QTest::addColumn<int>("page");
  // Lines above the heading row: title, header, blank (record font) lines.
  QTest::addColumn<int>("titles");
  QTest::addColumn<int>("headers");
  QTest::addColumn<int>("blanks");
  QTest::newRow("nothing, page 1") << ""
                                   << "  " << 1 << 0 << 0 << 0;
  QTest::newRow("nothing, page 2") << ""
                                   << "" << 2 << 0 << 0 << 0;
  QTest::newRow("title only, page 1") << "Sales"
                                      << "" << 1 << 1 << 0 << 1;
  QTest::newRow("title only, page 2") << "Sales"
                                      << "" << 2 << 0 << 0 << 0;
  QTest::newRow("header only, page 1") << ""
                                       << "Lines" << 1 << 0 << 1 << 1;
  QTest::newRow("both, page 1") << "Sales"
                                << "Lines" << 1 << 1 << 1 << 1;
  QTest::newRow("both, page 3") << "Sales"
                                << "Lines" << 3 << 0 << 1 << 1;
}

void TestPrintLayout::headingStart() {
  QFETCH(QString, title);
  QFETCH(QString, header);
  QFETCH(int, page);
  QFETCH(int, titles);
  QFETCH(int, headers);
  QFETCH(int, blanks);
  PrintFixture f(m_db);
  QVERIFY(f.querion->Execute());
  f.querion->Page()->SetTitleCaption(title);
  f.querion->Page()->SetHeaderCaption(header);
  QPdfWriter writer(m_dir.filePath(QStringLiteral("start.pdf")));
  writer.setResolution(1200);
  QPainter painter(&writer);
  TzelReportLayout layout(painter, *f.querion->Page(), *f.dataset);
  layout.prepare(1200);
  layout.penToTop();
  layout.title();
  for (int p = 1; p < page; ++p) {
    layout.beginPage();
    layout.penToTop();
  }
  layout.beginPage();
  layout.pageHeader();
  layout.columnHeadings();
  const int record = pdfLineHeight(10);
  const int bold = pdfLineHeight(10, true);
  const int expected = 360 + titles * pdfLineHeight(18, true) + headers * pdfLineHeight(14, true) +
                       blanks * record + bold + ReportRound(bold / 3.0);
  QCOMPARE(layout.state().penY, expected);
  painter.end();
}

void TestPrintLayout::everyFieldGetsAnEdge() {
  PrintFixture f(m_db);
  QVERIFY(f.querion->Execute());
  f.querion->Page()->SetPageWidth(2.0); // only Nr fits
  QPdfWriter writer(m_dir.filePath(QStringLiteral("edges.pdf")));
  writer.setResolution(1200);
  QPainter painter(&writer);
  TzelReportLayout layout(painter, *f.querion->Page(), *f.dataset);
  layout.prepare(1200);
  layout.penToTop();
  layout.beginPage();
  layout.columnHeadings();
  QFont font(QStringLiteral("Arial"));
  font.setPointSize(10);
  const int t = QFontMetrics(font, &writer).horizontalAdvance(u'T');
  // Nr 8, Item 20 and Amount 10 characters wide, measured with the record font, at least.
  const QList<int> widths = layout.columnWidths();
  QCOMPARE(widths.size(), 3);
  QVERIFY(widths.at(0) >= ReportColumnWidth(t, 8, 2));
  QVERIFY(widths.at(1) >= ReportColumnWidth(t, 20, 4));
  QVERIFY(widths.at(2) >= ReportColumnWidth(t, 10, 6));
  const QList<int> edges = ReportColumnEdges(widths, 360, 180);
  QCOMPARE(layout.columnEdges(), edges);
  QVERIFY(!ReportColumnOverflows(edges.at(0), widths.at(0), 2400 - 360));
  QVERIFY(ReportColumnOverflows(edges.at(1), widths.at(1), 2400 - 360));
  painter.end();
}

void TestPrintLayout::rules() {
  PrintFixture f(m_db);
  QVERIFY(f.querion->Execute());
  f.querion->Page()->SetFooterCaption(QString());
  QImage image(2550, 3300, QImage::Format_RGB32); // Letter at 300 dpi
  image.setDotsPerMeterX(11811);
  image.setDotsPerMeterY(11811);
  image.fill(Qt::white);
  QPainter painter(&image);
  TzelReportLayout layout(painter, *f.querion->Page(), *f.dataset);
  layout.prepare(image.logicalDpiX());
  QCOMPARE(layout.state().resolution, 300);
  layout.penToTop();
  layout.title();
  layout.beginPage();
  layout.pageHeader();
  layout.columnHeadings();
  const int headingRule = 90 + layout.state().lineHeight; // top margin + bold line height
  layout.selectRecordFont();
  layout.recordLine();
  const int footerRule = layout.state().bottomLimit + layout.state().lineHeight;
  layout.footer();
  painter.end();
  const auto dark = [&](int x, int y) { return qGray(image.pixel(x, y)) < 128; };
  QVERIFY(dark(95, headingRule));
  QVERIFY(!dark(95, headingRule + 3));
  // The footer rule spans the margins, also under a blank caption.
  QVERIFY(dark(91, footerRule));
  QVERIFY(dark(2458, footerRule));
  QVERIFY(!dark(2470, footerRule));
  QVERIFY(!dark(1200, footerRule - 3));
}

void TestPrintLayout::fontsKeepTheirPointSize_data() {
  QTest::addColumn<int>("height");
  QTest::addColumn<int>("points");
  QTest::newRow("stored as character height") << -24 << 18;
  QTest::newRow("stored as pixels of a 96 dpi screen") << 24 << 18;
  QTest::newRow("small") << -11 << 8;
}

void TestPrintLayout::fontsKeepTheirPointSize() {
  QFETCH(int, height);
  QFETCH(int, points);
  PrintFixture f(m_db);
  QVERIFY(f.querion->Execute());
  f.querion->Page()->SetTitleCaption(u"Title"_s);
  f.querion->Page()->TitleFont()->SetHeight(height);
  QPdfWriter writer(m_dir.filePath(QStringLiteral("fonts.pdf")));
  writer.setResolution(1200);
  QPainter painter(&writer);
  TzelReportLayout layout(painter, *f.querion->Page(), *f.dataset);
  layout.prepare(1200);
  layout.penToTop();
  layout.title();
  QCOMPARE(layout.state().penY - 360, pdfLineHeight(points, true));
  painter.end();
}

void TestPrintLayout::cellsFitTheirColumns_data() {
  QTest::addColumn<QString>("declared");
  QTest::addColumn<int>("type");
  QTest::addColumn<QString>("format");
  QTest::addColumn<int>("width");
  QTest::addColumn<QVariantList>("values");
  // Whether every value prints whole; text and numbers beyond the width may be cut.
  QTest::addColumn<bool>("whole");
  const QVariantList dates{u"1998-12-26"_s, u"1997-11-28"_s, u"2000-09-27"_s};
  QTest::newRow("short date") << "DATE" << int(ftDate) << "" << 10 << dates << true;
  QTest::newRow("four-digit year") << "DATE" << int(ftDate) << "mm/dd/yyyy" << 8 << dates << true;
  QTest::newRow("long date") << "DATE" << int(ftDate) << "dddd, mmmm d, yyyy" << 10 << dates
                             << true;
  QTest::newRow("date and time") << "TIMESTAMP" << int(ftDateTime) << "c" << 10
                                 << QVariantList{u"1998-12-26 23:58:59"_s} << true;
  QTest::newRow("time") << "TIME" << int(ftTime) << "hh:nn:ss ampm" << 5
                        << QVariantList{u"23:58:59"_s, u"08:00:00"_s} << true;
  QTest::newRow("Boolean") << "BOOLEAN" << int(ftBoolean) << "Whole;Empty" << 1
                           << QVariantList{true, false} << true;
  QTest::newRow("integer") << "INTEGER" << int(ftInteger) << "" << 6
                           << QVariantList{888888, -99999, 0} << true;
  QTest::newRow("number with thousands") << "FLOAT" << int(ftFloat) << "#,##0.00" << 10
                                         << QVariantList{-8888.88, 4444.5, 0.25} << true;
  QTest::newRow("number beyond its width")
      << "FLOAT" << int(ftFloat) << "#,##0.00" << 4 << QVariantList{88888888.88} << false;
  QTest::newRow("currency") << "MONEY" << int(ftCurrency) << "" << 10
                            << QVariantList{9999.99, -888.88, 106.34} << true;
  QTest::newRow("currency pattern") << "MONEY" << int(ftCurrency) << "$#,##0.00;($#,##0.00)" << 12
                                    << QVariantList{-8888.88, 106.34} << true;
  QTest::newRow("text") << "VARCHAR(40)" << int(ftString) << "" << 20
                        << QVariantList{u"Heritage Manufacturing"_s, QString(20, u'W'),
                                        QString(40, u'm')}
                        << false;
}

void TestPrintLayout::cellsFitTheirColumns() {
  QFETCH(QString, declared);
  QFETCH(int, type);
  QFETCH(QString, format);
  QFETCH(int, width);
  QFETCH(QVariantList, values);
  QFETCH(bool, whole);
  const QString db = m_dir.filePath(QString::fromLatin1(QTest::currentDataTag()) + u".sqlite"_s);
  {
    QSqlDatabase sql = QSqlDatabase::addDatabase(u"QSQLITE"_s, u"cells"_s);
    sql.setDatabaseName(db);
    QVERIFY(sql.open());
    QSqlQuery q(sql);
    QVERIFY(q.exec(u"CREATE TABLE Cells (V "_s + declared + u")"_s));
    for (const QVariant &value : std::as_const(values)) {
      QVERIFY(q.prepare(u"INSERT INTO Cells VALUES (?)"_s));
      q.bindValue(0, value);
      QVERIFY(q.exec());
    }
  }
  QSqlDatabase::removeDatabase(u"cells"_s);
  TzelModel model;
  model.SetDatabaseType(zelSQLite);
  model.AddTable(db, u"Cells"_s, u"Cells"_s);
  model.GetTable(0)->AddField(u"V"_s, u"V"_s, TFieldType(type), 40);
  TzelDataset dataset;
  dataset.setDatabaseName(db);
  TzelQuerion querion;
  querion.SetDataModel(&model);
  querion.SetDataQuery(&dataset);
  querion.SetDisplayParams(false);
  TzelQuery *query = querion.CurrentQuery();
  query->AddTable(QString(), u"Cells"_s, u"Cells"_s);
  TzelQueryValue *value = query->GetValue(query->AddValue(u"Cells"_s, u"V"_s, QString()));
  value->SetWidth(width);
  value->SetFormat(format);
  QVERIFY(querion.Execute());
  QCOMPARE(dataset.Fields(0)->DataType(), TFieldType(type));
  QPdfWriter writer(m_dir.filePath(u"cells.pdf"_s));
  writer.setResolution(1200);
  QPainter painter(&writer);
  TzelReportLayout layout(painter, *querion.Page(), dataset);
  layout.prepare(1200);
  layout.penToTop();
  layout.beginPage();
  layout.columnHeadings();
  layout.selectRecordFont();
  const QFontMetrics metrics(painter.font(), &writer);
  const int column = layout.columnWidths().at(0);
  int records = 0;
  for (dataset.First(); !dataset.Eof(); dataset.Next(), ++records) {
    const QString shown = dataset.Fields(0)->DisplayText();
    QVERIFY(!shown.isEmpty());
    const QString text = layout.cellText(0);
    QVERIFY2(metrics.horizontalAdvance(text) <= column,
             qPrintable(text + u" in "_s + QString::number(column)));
    if (whole)
      QCOMPARE(text, shown);
    else
      QVERIFY(text == shown || text.endsWith(QChar(0x2026)));
  }
  QCOMPARE(records, values.size());
  painter.end();
}

QTEST_MAIN(TestPrintLayout)
#include "tst_printlayout.moc"
