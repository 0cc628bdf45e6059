// SPDX-License-Identifier: MIT
#include "model/zelpage.h"
#include "model/zelsettings.h"
#include "print/printfont.h"

#include <QtTest>

class TestPage : public QObject {
  Q_OBJECT
private slots:
  void newPageDefaults();
  void resetRestoresDefaults();
  void fontSizes_data();
  void fontSizes();
  void fontToAndFromQFont();
  void fontColours();
  void fontsAreCopiedNotShared();
  void labels();
};

void TestPage::newPageDefaults() {
  TzelPage page;
  QCOMPARE(page.PageSize(), zelPageLetter);
  QCOMPARE(page.PageOrientation(), zelPagePortrait);
  QCOMPARE(page.PageWidth(), 8.5);
  QCOMPARE(page.PageHeight(), 11.0);
  QCOMPARE(page.MarginTop(), 0.3);
  QCOMPARE(page.MarginBottom(), 0.3);
  QCOMPARE(page.MarginLeft(), 0.3);
  QCOMPARE(page.MarginRight(), 0.3);
  QVERIFY(page.TitleCaption().isEmpty());
  QVERIFY(page.HeaderCaption().isEmpty());
  QVERIFY(page.FooterCaption().isEmpty());
  QCOMPARE(page.TopMarginShift(), 0.0);
  QCOMPARE(page.LeftMarginShift(), 0.0);
  struct Expected {
    TzelFont *font;
    int size;
    int height;
    bool bold;
  };
  for (const Expected &e :
       {Expected{page.TitleFont(), 18, -24, true}, Expected{page.HeaderFont(), 14, -19, true},
        Expected{page.FooterFont(), 10, -13, false}, Expected{page.RecordFont(), 10, -13, false}}) {
    QCOMPARE(e.font->Size(), e.size);
    QCOMPARE(e.font->Height(), e.height);
    QCOMPARE(e.font->Name(), QStringLiteral("Arial"));
    QCOMPARE(e.font->Color(), TzelFont::clBlack);
    QCOMPARE(e.font->Style(),
             e.bold ? TzelFont::TFontStyles(TzelFont::fsBold) : TzelFont::TFontStyles());
    QCOMPARE(e.font->parent(), &page);
  }
}

void TestPage::resetRestoresDefaults() {
  TzelPage page;
  page.SetTitleCaption(QStringLiteral("Title"));
  page.SetPageSize(zelPageA4);
  page.SetPageOrientation(zelPageLandscape);
  page.SetMarginLeft(1.5);
  page.SetPageWidth(11.0);
  page.SetTopMarginShift(0.2);
  page.TitleFont()->SetName(QStringLiteral("Courier"));
  page.RecordFont()->SetStyle(TzelFont::fsItalic);
  TzelFont *title = page.TitleFont();
  page.Reset();
  QVERIFY(page.TitleCaption().isEmpty());
  QCOMPARE(page.PageSize(), zelPageLetter);
  QCOMPARE(page.PageOrientation(), zelPagePortrait);
  QCOMPARE(page.MarginLeft(), 0.3);
  QCOMPARE(page.PageWidth(), 8.5);
  QCOMPARE(page.TopMarginShift(), 0.0);
  QCOMPARE(page.TitleFont(), title);
  QCOMPARE(title->Name(), QStringLiteral("Arial"));
  QCOMPARE(page.RecordFont()->Style(), TzelFont::TFontStyles());
}

void TestPage::fontSizes_data() {
  QTest::addColumn<int>("points");
  QTest::addColumn<int>("height");
  QTest::addColumn<bool>("bold");
  QTest::newRow("8") << 8 << -11 << false;
  QTest::newRow("10") << 10 << -13 << false;
  QTest::newRow("13") << 13 << -17 << false;
  QTest::newRow("14") << 14 << -19 << true;
  QTest::newRow("18") << 18 << -24 << true;
}

void TestPage::fontSizes() {
  QFETCH(int, points);
  QFETCH(int, height);
  QFETCH(bool, bold);
  TzelFont font;
  font.SetDefault(points);
  QCOMPARE(font.Height(), height);
  QCOMPARE(font.Size(), points);
  QCOMPARE(font.Style().testFlag(TzelFont::fsBold), bold);
}

void TestPage::fontToAndFromQFont() {
  TzelFont font;
  font.SetDefault(14);
  font.SetStyle(TzelFont::fsBold | TzelFont::fsUnderline);
  const QFont q = toQFont(font);
  QCOMPARE(q.family(), QStringLiteral("Arial"));
  QCOMPARE(q.pointSize(), 14);
  QVERIFY(q.bold());
  QVERIFY(q.underline());
  QVERIFY(!q.italic());

  QFont other(QStringLiteral("Courier New"));
  other.setPointSize(12);
  other.setItalic(true);
  other.setStrikeOut(true);
  font.SetColor(TzelFont::clNavy);
  fromQFont(font, other);
  QCOMPARE(font.Name(), QStringLiteral("Courier New"));
  QCOMPARE(font.Height(), -16);
  QCOMPARE(font.Style(), TzelFont::fsItalic | TzelFont::fsStrikeOut);
  QCOMPARE(font.Color(), TzelFont::clNavy); // a QFont carries no colour

  QFont pixels(QStringLiteral("Arial"));
  pixels.setPixelSize(20);
  fromQFont(font, pixels);
  QCOMPARE(font.Height(), -20);
}

void TestPage::fontColours() {
  TzelFont font;
  QCOMPARE(toQColor(font), QColor(Qt::black));
  font.SetColor(TzelFont::clRed);
  QCOMPARE(toQColor(font), QColor(255, 0, 0));
  font.SetColor(TzelFont::clNavy);
  QCOMPARE(toQColor(font), QColor(0, 0, 128));
  QCOMPARE(QMetaEnum::fromType<TzelFont::TColor>().valueToKey(TzelFont::clBlack), "clBlack");
  QCOMPARE(QMetaEnum::fromType<TzelFont::TFontStyles>().valueToKeys(TzelFont::fsBold),
           QByteArray("fsBold"));
}

void TestPage::fontsAreCopiedNotShared() {
  TzelPage source;
  source.SetHeaderCaption(QStringLiteral("Header"));
  source.SetMarginTop(1.25);
  source.SetPageSize(zelPageLegal);
  source.TitleFont()->SetName(QStringLiteral("Times"));
  source.TitleFont()->SetColor(TzelFont::clMaroon);
  source.SetTopMarginShift(0.5);

  TzelPage target;
  TzelFont *title = target.TitleFont();
  zelAssignSettings(&target, &source);
  QCOMPARE(target.HeaderCaption(), QStringLiteral("Header"));
  QCOMPARE(target.MarginTop(), 1.25);
  QCOMPARE(target.PageSize(), zelPageLegal);
  QCOMPARE(target.TitleFont(), title);
  QCOMPARE(title->Name(), QStringLiteral("Times"));
  QCOMPARE(title->Color(), TzelFont::clMaroon);
  QCOMPARE(target.TopMarginShift(), 0.0); // not a published property
  source.TitleFont()->SetName(QStringLiteral("Changed"));
  QCOMPARE(title->Name(), QStringLiteral("Times"));

  TzelFont font;
  font.SetDefault(9);
  font.SetName(QStringLiteral("Verdana"));
  target.SetRecordFont(&font);
  QVERIFY(target.RecordFont() != &font);
  QCOMPARE(target.RecordFont()->Name(), QStringLiteral("Verdana"));
  QCOMPARE(target.RecordFont()->Height(), -12);
}

void TestPage::labels() {
  TzelLabels labels;
  QVERIFY(!labels.Active());
  QCOMPARE(labels.NumberAcross(), 0);
  QCOMPARE(labels.LabelWidth(), 0.0);
  labels.SetActive(true);
  labels.SetNumberAcross(3);
  labels.SetNumberDown(10);
  labels.SetGutterAcross(0.125);
  labels.SetLabelHeight(1.0);
  TzelLabels copy;
  zelAssignSettings(&copy, &labels);
  QVERIFY(copy.Active());
  QCOMPARE(copy.NumberDown(), 10);
  QCOMPARE(copy.GutterAcross(), 0.125);
  labels.Reset();
  QVERIFY(!labels.Active());
  QCOMPARE(labels.NumberAcross(), 0);
  QCOMPARE(labels.NumberDown(), 0);
  QCOMPARE(labels.GutterAcross(), 0.0);
  QCOMPARE(labels.LabelHeight(), 0.0);
}

QTEST_MAIN(TestPage)
#include "tst_page.moc"
