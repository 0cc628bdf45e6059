// SPDX-License-Identifier: MIT
// The page setup dialog: its tabs and texts, the page size and orientation rules, Load and
// Store with the margin shifts, the label report reset, the fonts, help per tab, and the
// query component's page setup operation through the installed prompt.

#include "controls/zelspinedit.h"
#include "engine/zelquerion.h"
#include "model/zelmodel.h"
#include "model/zelpage.h"
#include "support/modaldriver.h"
#include "support/recordingmessages.h"
#include "support/scriptedprompts.h"
#include "workspace/frmzelsetup.h"
#include "workspace/queryprompts.h"

#include <QCheckBox>
#include <QComboBox>
#include <QFileInfo>
#include <QFontDatabase>
#include <QFontDialog>
#include <QGroupBox>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QSpinBox>
#include <QTabWidget>
#include <QTableWidget>
#include <QtTest>

namespace {

TfrmZelSetup *setupDialog(QWidget *w) {
  return qobject_cast<TfrmZelSetup *>(w);
}

// Replaces the text of an edit as a user would: select all, type.
void retype(QLineEdit *edit, const QString &text) {
  edit->selectAll();
  if (text.isEmpty())
    edit->del();
  else
    QTest::keyClicks(edit, text);
}

// Chooses a list item as a user does, so the change handler runs.
void choose(QComboBox *combo, int index) {
  combo->setCurrentIndex(index);
  emit combo->activated(index);
}

QStringList tabTexts(const QTabWidget &tabs) {
  QStringList texts;
  for (int i = 0; i < tabs.count(); ++i)
    texts << tabs.tabText(i);
  return texts;
}

// A font chooser for a setup window: it answers with font (or cancels when it is empty) and
// remembers the font the dialog was given.
struct ScriptedFonts {
  explicit ScriptedFonts(std::optional<QFont> answer) {
    chooser = [this, answer](QFontDialog &dialog) {
      offered << dialog.currentFont();
      if (answer)
        dialog.setCurrentFont(*answer);
      return answer.has_value();
    };
  }
  TzelFontChooser chooser;
  QList<QFont> offered;
};

// A query component with a model for help and a dialog loaded from it.
struct Setup {
  explicit Setup(bool reportMode = false) {
    querion.SetDataModel(&model);
    querion.SetReportMode(reportMode);
    dialog.SetQuerion(&querion);
    if (!reportMode)
      dialog.RemoveReportTabs();
  }
  void load() { dialog.Load(); }
  TzelPage &page() { return *querion.Page(); }

  TzelModel model;
  TzelQuerion querion;
  TfrmZelSetup dialog;
};

QFont courier() {
  QFont font(QStringLiteral("Liberation Mono"));
  font.setPointSize(12);
  font.setItalic(true);
  return font;
}

} // namespace

class TestFrmZelSetup : public QObject {
  Q_OBJECT

private slots:
  void initTestCase() { zelInstallQueryPrompts(); }

  void pageSizeItems_data() {
    QTest::addColumn<int>("size");
    QTest::addColumn<QString>("text");
    QTest::addColumn<QSizeF>("portrait");
    QTest::newRow("custom") << 0 << "Custom" << QSizeF();
    QTest::newRow("letter") << 1 << "Letter 8.5\" x 11\"" << QSizeF(8.5, 11);
    QTest::newRow("legal") << 2 << "Legal 8.5\" x 14\"" << QSizeF(8.5, 14);
    QTest::newRow("tabloid") << 3 << "Tabloid 11\" x 17\"" << QSizeF(11, 17);
    QTest::newRow("a3") << 4 << "A3 11.693\" x 16.535\"" << QSizeF(11.693, 16.535);
    QTest::newRow("a4") << 5 << "A4 8.268\" x 11.693\"" << QSizeF(8.268, 11.693);
    QTest::newRow("a5") << 6 << "A5 5.827\" x 8.268\"" << QSizeF(5.827, 8.268);
    QTest::newRow("mini") << 7 << "Mini 4.25\" x 5\"" << QSizeF(4.25, 5);
  }
  void pageSizeItems() {
    QFETCH(int, size);
    QFETCH(QString, text);
    QFETCH(QSizeF, portrait);
    TfrmZelSetup dialog;
    QCOMPARE(dialog.cmbPageSize->count(), 8);
    QCOMPARE(dialog.cmbPageSize->itemText(size), text);
    QCOMPARE(zelStandardPageSize(TzelPageSize(size)), portrait);
  }

  void controlsAtCreation() {
    TfrmZelSetup dialog;
    QCOMPARE(dialog.windowTitle(), QStringLiteral("Setup"));
    QVERIFY(dialog.windowFlags().testFlag(Qt::WindowStaysOnTopHint));
    QCOMPARE(tabTexts(*dialog.tabMain), (QStringList{"&Page", "&Titles", "&Labels", "&Options"}));
    QVERIFY(dialog.cmdOk->isDefault());
    QCOMPARE(dialog.cmdCancel->text(), QStringLiteral("&Cancel"));
    QCOMPARE(dialog.cmdRecordFont->text(), QStringLiteral("..."));
    QVERIFY(!dialog.txtPageWidth->isEnabled());
    QVERIFY(!dialog.txtPageHeight->isEnabled());
    QCOMPARE(dialog.txtPageWidth->Increment(), 1.0);
    QCOMPARE(dialog.txtMarginTop->Increment(), 0.1);
    QVERIFY(!dialog.LabelReport());
    QCOMPARE(dialog.LabelValueFormat(), QStringLiteral("#0.0##"));
    QVERIFY(dialog.chkStandard->isChecked());
    QVERIFY(!dialog.cmdLabels->isEnabled());
    QVERIFY(!dialog.grdLabels->isEnabled());
    QCOMPARE(dialog.grdLabels->rowCount(), 8);
    QVERIFY(dialog.grdLabels->columnWidth(0) >= 90);
    // Every row name and every row can be read whole.
    dialog.tabMain->setCurrentWidget(dialog.grdLabels->parentWidget());
    dialog.show();
    const QFontMetrics metrics = dialog.grdLabels->fontMetrics();
    QVERIFY(dialog.grdLabels->columnWidth(0) >
            metrics.horizontalAdvance(QStringLiteral("Number Across")));
    QVERIFY(dialog.grdLabels->rowHeight(7) >= metrics.height());
    QVERIFY(dialog.grdLabels->verticalHeader()->length() <= dialog.grdLabels->viewport()->height());
    QCOMPARE(dialog.grdLabels->columnWidth(1), 61);
    QCOMPARE(dialog.grdLabels->item(0, 0)->text(), QStringLiteral("Top Margin"));
    QCOMPARE(dialog.grdLabels->item(7, 0)->text(), QStringLiteral("Number Down"));
    QCOMPARE(dialog.dlgFont->objectName(), QStringLiteral("dlgFont"));
  }

  void tabsPerReportMode_data() {
    QTest::addColumn<bool>("reportMode");
    QTest::addColumn<QStringList>("tabs");
    QTest::addColumn<bool>("layoutGroup");
    QTest::newRow("query use") << false << QStringList{"&Page", "&Titles", "&Options"} << false;
    QTest::newRow("report use") << true << QStringList{"&Page", "&Titles", "&Labels", "&Options"}
                                << true;
  }
  void tabsPerReportMode() {
    QFETCH(bool, reportMode);
    QFETCH(QStringList, tabs);
    QFETCH(bool, layoutGroup);
    TzelQuerion querion;
    querion.SetReportMode(reportMode);
    QStringList shown;
    bool layoutShown = !layoutGroup;
    int queryWidth = 0;
    int current = -1;
    whenModal([&](QWidget *w) {
      TfrmZelSetup *dialog = setupDialog(w);
      shown = tabTexts(*dialog->tabMain);
      current = dialog->tabMain->currentIndex();
      dialog->tabMain->setCurrentWidget(dialog->grpQuery->parentWidget());
      layoutShown = dialog->grpLayout->isVisible();
      queryWidth = dialog->grpQuery->width();
      dialog->cmdCancel->click();
    });
    QVERIFY(!querion.PageSetup());
    QCOMPARE(shown, tabs);
    QCOMPARE(current, 0);
    QCOMPARE(layoutShown, layoutGroup);
    if (!reportMode)
      QVERIFY2(queryWidth >= 347, qPrintable(QString::number(queryWidth)));
  }

  // Values as the user picks them: the start size and orientation, then one change.
  void pageSizeAndOrientation_data() {
    QTest::addColumn<int>("size");
    QTest::addColumn<int>("orientation");
    QTest::addColumn<QString>("typedWidth");
    QTest::addColumn<QString>("typedHeight");
    QTest::addColumn<QString>("change"); // "size:N" or "orientation:N"
    QTest::addColumn<QString>("width");
    QTest::addColumn<QString>("height");
    QTest::addColumn<bool>("editable");
    QTest::newRow("A4 landscape") << 1 << 1 << ""
                                  << ""
                                  << "size:5"
                                  << "11.693"
                                  << "8.268" << false;
    QTest::newRow("A4 back to portrait") << 5 << 1 << ""
                                         << ""
                                         << "orientation:0"
                                         << "8.268"
                                         << "11.693" << false;
    QTest::newRow("letter turned") << 1 << 0 << ""
                                   << ""
                                   << "orientation:1"
                                   << "11.0"
                                   << "8.5" << false;
    QTest::newRow("mini portrait") << 1 << 0 << ""
                                   << ""
                                   << "size:7"
                                   << "4.25"
                                   << "5.0" << false;
    QTest::newRow("custom turned") << 0 << 0 << "7.25"
                                   << "9.5"
                                   << "orientation:1"
                                   << "9.5"
                                   << "7.25" << true;
    QTest::newRow("custom turned back") << 0 << 1 << "9.5"
                                        << "7.25"
                                        << "orientation:0"
                                        << "7.25"
                                        << "9.5" << true;
    QTest::newRow("custom chosen keeps the values") << 5 << 0 << ""
                                                    << ""
                                                    << "size:0"
                                                    << "8.268"
                                                    << "11.693" << true;
    QTest::newRow("custom chosen in landscape keeps them") << 5 << 1 << ""
                                                           << ""
                                                           << "size:0"
                                                           << "11.693"
                                                           << "8.268" << true;
  }
  void pageSizeAndOrientation() {
    QFETCH(int, size);
    QFETCH(int, orientation);
    QFETCH(QString, typedWidth);
    QFETCH(QString, typedHeight);
    QFETCH(QString, change);
    Setup s;
    choose(s.dialog.cmbPageSize, size);
    choose(s.dialog.cmbPageOrientation, orientation);
    if (!typedWidth.isEmpty()) {
      retype(s.dialog.txtPageWidth, typedWidth);
      retype(s.dialog.txtPageHeight, typedHeight);
    }
    const int index = change.section(u':', 1).toInt();
    choose(change.startsWith(u's') ? s.dialog.cmbPageSize : s.dialog.cmbPageOrientation, index);
    QTEST(s.dialog.txtPageWidth->text(), "width");
    QTEST(s.dialog.txtPageHeight->text(), "height");
    QTEST(s.dialog.txtPageWidth->isEnabled(), "editable");
    QTEST(s.dialog.txtPageHeight->isEnabled(), "editable");
    const bool landscape = s.dialog.cmbPageOrientation->currentIndex() == 1;
    QCOMPARE(s.dialog.imgLandscape->isVisibleTo(&s.dialog), landscape);
    QCOMPARE(s.dialog.imgPortrait->isVisibleTo(&s.dialog), !landscape);

    // What the edits show is what is stored.
    s.dialog.Store();
    QCOMPARE(s.page().PageWidth(), s.dialog.txtPageWidth->text().toDouble());
    QCOMPARE(s.page().PageHeight(), s.dialog.txtPageHeight->text().toDouble());
    QCOMPARE(int(s.page().PageSize()), s.dialog.cmbPageSize->currentIndex());
    QCOMPARE(int(s.page().PageOrientation()), s.dialog.cmbPageOrientation->currentIndex());
  }

  void loadShowsThePage() {
    Setup s;
    TzelPage &page = s.page();
    page.SetPageSize(zelPageCustom);
    page.SetPageOrientation(zelPageLandscape);
    page.SetPageWidth(12.125);
    page.SetPageHeight(6);
    page.SetMarginTop(0.5);
    page.SetMarginBottom(1);
    page.SetMarginLeft(0.75);
    page.SetMarginRight(0.333);
    page.SetTitleCaption(QStringLiteral("Sales by City"));
    page.SetHeaderCaption(QStringLiteral("Pellox Ltd"));
    page.SetFooterCaption(QStringLiteral("Confidential"));
    page.TitleFont()->SetName(QStringLiteral("Liberation Serif"));
    s.querion.CurrentQuery()->SetIsDistinct(true);
    s.load();
    TfrmZelSetup &d = s.dialog;
    QCOMPARE(d.cmbPageSize->currentIndex(), 0);
    QCOMPARE(d.cmbPageOrientation->currentText(), QStringLiteral("Landscape"));
    QVERIFY(d.txtPageWidth->isEnabled());
    QCOMPARE(d.txtPageWidth->text(), QStringLiteral("12.125"));
    QCOMPARE(d.txtPageHeight->text(), QStringLiteral("6.0"));
    QCOMPARE(d.txtMarginTop->text(), QStringLiteral("0.5"));
    QCOMPARE(d.txtMarginBottom->text(), QStringLiteral("1.0"));
    QCOMPARE(d.txtMarginLeft->text(), QStringLiteral("0.75"));
    QCOMPARE(d.txtMarginRight->text(), QStringLiteral("0.333"));
    QCOMPARE(d.txtTitleCaption->text(), QStringLiteral("Sales by City"));
    QCOMPARE(d.txtHeaderCaption->text(), QStringLiteral("Pellox Ltd"));
    QCOMPARE(d.txtFooterCaption->text(), QStringLiteral("Confidential"));
    QVERIFY(d.chkUnique->isChecked());
    QVERIFY(d.imgLandscape->isVisibleTo(&d));
    QCOMPARE(d.TitleFont()->Name(), QStringLiteral("Liberation Serif"));
    QVERIFY(d.TitleFont() != page.TitleFont()); // a working copy
    QVERIFY(d.cmdTitleFont->toolTip().startsWith(QStringLiteral("Liberation Serif, 18 pt")));

    // Unchanged controls store the same page.
    d.chkUnique->setChecked(false);
    retype(d.txtTitleCaption, QStringLiteral("Sales"));
    d.Store();
    QCOMPARE(page.PageWidth(), 12.125);
    QCOMPARE(page.MarginRight(), 0.333);
    QCOMPARE(page.TitleCaption(), QStringLiteral("Sales"));
    QVERIFY(!s.querion.CurrentQuery()->IsDistinct());
    QCOMPARE(page.TopMarginShift(), 0.0);
    QCOMPARE(page.LeftMarginShift(), 0.0);
  }

  // Top values: loaded and stored with the query; only what the dialect can say is offered.
  void topValues_data() {
    QTest::addColumn<TzelDatabase>("dialect");
    QTest::addColumn<bool>("percentOffered");
    QTest::addColumn<bool>("offsetOffered");
    QTest::newRow("MSSQL") << zelMSSQL << true << false;
    QTest::newRow("PostgreSQL") << zelPostgreSQL << false << true;
    QTest::newRow("Oracle") << zelOracle << true << true;
  }
  void topValues() {
    QFETCH(TzelDatabase, dialect);
    QFETCH(bool, percentOffered);
    QFETCH(bool, offsetOffered);
    Setup s;
    s.model.SetDatabaseType(dialect);
    TzelQuery &query = *s.querion.CurrentQuery();
    query.SetTopValues(25);
    s.load();
    TfrmZelSetup &d = s.dialog;
    QCOMPARE(d.spnTopValues->value(), 25);
    QCOMPARE(d.cmbTopKind->isEnabled(), percentOffered);
    QCOMPARE(d.spnTopOffset->isEnabled(), offsetOffered);
    d.spnTopOffset->setValue(4);
    d.cmbTopKind->setCurrentIndex(1);
    d.Store();
    QCOMPARE(query.TopPercent(), true);
    QCOMPARE(query.TopOffset(), 4);
    d.spnTopValues->setValue(0); // All: nothing skipped, no percentage
    QVERIFY(!d.spnTopOffset->isEnabled());
    QCOMPARE(d.spnTopValues->text(), QStringLiteral("All"));
    d.Store();
    QCOMPARE(query.TopValues(), 0);
    QCOMPARE(query.TopOffset(), 0);
    QVERIFY(!query.TopPercent());
  }

  void marginShifts_data() {
    QTest::addColumn<QString>("top");
    QTest::addColumn<QString>("left");
    QTest::addColumn<double>("topShift");
    QTest::addColumn<double>("leftShift");
    // The page starts with top 0.3 and left 0.5.
    QTest::newRow("left moved") << "0.3"
                                << "0.75" << 0.0 << 0.25;
    QTest::newRow("top moved") << "1.3"
                               << "0.5" << 1.3 - 0.3 << 0.0;
    QTest::newRow("both moved back") << "0.1"
                                     << "0.25" << 0.1 - 0.3 << -0.25;
    QTest::newRow("nothing moved") << "0.3"
                                   << "0.5" << 0.0 << 0.0;
  }
  void marginShifts() {
    QFETCH(QString, top);
    QFETCH(QString, left);
    QFETCH(double, topShift);
    QFETCH(double, leftShift);
    TzelQuerion querion;
    querion.Page()->SetMarginLeft(0.5);
    querion.Page()->SetTopMarginShift(9); // from an earlier setup
    whenModal([&](QWidget *w) {
      TfrmZelSetup *dialog = setupDialog(w);
      retype(dialog->txtMarginTop, top);
      retype(dialog->txtMarginLeft, left);
      dialog->cmdOk->click();
    });
    QVERIFY(querion.PageSetup());
    QCOMPARE(querion.Page()->MarginTop(), top.toDouble());
    QCOMPARE(querion.Page()->MarginLeft(), left.toDouble());
    QCOMPARE(querion.Page()->TopMarginShift(), topShift);
    QCOMPARE(querion.Page()->LeftMarginShift(), leftShift);

    // A second OK without changes resets both shifts.
    whenModal([](QWidget *w) { setupDialog(w)->cmdOk->click(); });
    QVERIFY(querion.PageSetup());
    QCOMPARE(querion.Page()->TopMarginShift(), 0.0);
    QCOMPARE(querion.Page()->LeftMarginShift(), 0.0);
    QCOMPARE(querion.Page()->MarginLeft(), left.toDouble());
  }

  void cancelLeavesPageAndQuery() {
    TzelQuerion querion;
    querion.Page()->SetMarginLeft(0.5);
    whenModal([](QWidget *w) {
      TfrmZelSetup *dialog = setupDialog(w);
      retype(dialog->txtMarginLeft, QStringLiteral("2"));
      choose(dialog->cmbPageSize, zelPageA4);
      dialog->chkUnique->setChecked(true);
      dialog->cmdCancel->click();
    });
    QVERIFY(!querion.PageSetup());
    QCOMPARE(querion.Page()->MarginLeft(), 0.5);
    QCOMPARE(querion.Page()->PageSize(), zelPageLetter);
    QCOMPARE(querion.Page()->LeftMarginShift(), 0.0);
    QVERIFY(!querion.CurrentQuery()->IsDistinct());
  }

  // Sizes and margins are not checked: zero and negative values go to the page as typed.
  void sizesStoredAsEntered_data() {
    QTest::addColumn<QString>("width");
    QTest::addColumn<QString>("height");
    QTest::addColumn<QString>("margin");
    QTest::newRow("zero") << "0"
                          << "0"
                          << "0";
    QTest::newRow("negative") << "-8.5"
                              << "-1"
                              << "-0.25";
    QTest::newRow("huge") << "1000000"
                          << "2500.5"
                          << "400";
    QTest::newRow("empty reads as zero") << ""
                                         << ""
                                         << "";
  }
  void sizesStoredAsEntered() {
    QFETCH(QString, width);
    QFETCH(QString, height);
    QFETCH(QString, margin);
    Setup s;
    s.page().SetPageSize(zelPageCustom);
    s.load();
    retype(s.dialog.txtPageWidth, width);
    retype(s.dialog.txtPageHeight, height);
    for (TzelSpinEdit *edit : {s.dialog.txtMarginTop, s.dialog.txtMarginBottom,
                               s.dialog.txtMarginLeft, s.dialog.txtMarginRight})
      retype(edit, margin);
    s.dialog.Store();
    QCOMPARE(s.page().PageWidth(), width.toDouble());
    QCOMPARE(s.page().PageHeight(), height.toDouble());
    QCOMPARE(s.page().MarginTop(), margin.toDouble());
    QCOMPARE(s.page().MarginBottom(), margin.toDouble());
    QCOMPARE(s.page().MarginLeft(), margin.toDouble());
    QCOMPARE(s.page().MarginRight(), margin.toDouble());
    // Turning a custom page exchanges what was typed, zero and negative values included.
    choose(s.dialog.cmbPageOrientation, 1);
    QCOMPARE(s.dialog.txtPageWidth->Value(), height.toDouble());
    QCOMPARE(s.dialog.txtPageHeight->Value(), width.toDouble());
  }

  void standardReportResets() {
    Setup s(true);
    s.page().SetPageSize(zelPageA4);
    s.page().SetPageOrientation(zelPageLandscape);
    s.page().SetPageWidth(11.693);
    s.page().SetPageHeight(8.268);
    s.page().SetMarginTop(1.25);
    s.load();
    TfrmZelSetup &d = s.dialog;
    d.tabMain->setCurrentIndex(2);
    d.chkLabel->click();
    QVERIFY(d.LabelReport());
    QVERIFY(d.grdLabels->isEnabled());
    QVERIFY(d.cmdLabels->isEnabled());
    d.grdLabels->item(2, 1)->setText(QStringLiteral("1.5"));
    d.grdLabels->item(6, 1)->setText(QStringLiteral("3"));
    d.cmdLabels->click(); // nothing behind it

    d.chkStandard->click();
    QVERIFY(!d.LabelReport());
    QVERIFY(!d.grdLabels->isEnabled());
    QVERIFY(!d.cmdLabels->isEnabled());
    for (int row = 0; row < 8; ++row)
      QCOMPARE(d.grdLabels->item(row, 1)->text(), QString());
    QCOMPARE(d.cmbPageSize->currentIndex(), int(zelPageLetter));
    // Letter in the orientation shown.
    QCOMPARE(d.txtPageWidth->text(), QStringLiteral("11.0"));
    QCOMPARE(d.txtPageHeight->text(), QStringLiteral("8.5"));
    QVERIFY(!d.txtPageWidth->isEnabled());
    for (TzelSpinEdit *edit :
         {d.txtMarginTop, d.txtMarginBottom, d.txtMarginLeft, d.txtMarginRight})
      QCOMPARE(edit->text(), QStringLiteral("0.3"));
    d.Store();
    QCOMPARE(s.page().MarginTop(), 0.3);
    QCOMPARE(s.page().TopMarginShift(), 0.3 - 1.25);
    QCOMPARE(s.querion.Labels()->Active(), false); // the tab stores nothing
  }

  void fontButtons_data() {
    QTest::addColumn<QString>("button");
    QTest::addColumn<QString>("font");
    QTest::newRow("title") << "cmdTitleFont"
                           << "TitleFont";
    QTest::newRow("header") << "cmdHeaderFont"
                            << "HeaderFont";
    QTest::newRow("footer") << "cmdFooterFont"
                            << "FooterFont";
    QTest::newRow("record") << "cmdRecordFont"
                            << "RecordFont";
  }
  void fontButtons() {
    QFETCH(QString, button);
    QFETCH(QString, font);
    const auto pageFont = [&](TzelQuerion &q) {
      return q.Page()->property(font.toLatin1()).value<TzelFont *>();
    };
    for (const bool confirm : {false, true}) {
      TzelQuerion querion;
      const int points = pageFont(querion)->Size();
      ScriptedFonts fonts(courier());
      whenModal([&](QWidget *w) {
        TfrmZelSetup *dialog = setupDialog(w);
        dialog->SetFontChooser(fonts.chooser);
        dialog->findChild<QPushButton *>(button)->click();
        (confirm ? dialog->cmdOk : dialog->cmdCancel)->click();
      });
      QCOMPARE(querion.PageSetup(), confirm);
      QCOMPARE(fonts.offered.size(), 1);
      // The working font is offered (as the nearest face the system has).
      QCOMPARE(fonts.offered[0].pointSize(), points);
      QVERIFY(QFontDatabase::families().contains(fonts.offered[0].family()));
      const TzelFont *stored = pageFont(querion);
      QCOMPARE(stored->Name(),
               confirm ? QStringLiteral("Liberation Mono") : QStringLiteral("Arial"));
      QCOMPARE(stored->Size(), confirm ? 12 : points);
      QCOMPARE(stored->Style().testFlag(TzelFont::fsItalic), confirm);
    }
  }

  // Without a scripted chooser the font dialog itself runs modally.
  void fontDialogRuns() {
    Setup s;
    s.load();
    QString modalName;
    whenModal([&](QWidget *w) {
      modalName = w->objectName();
      auto *fontDialog = qobject_cast<QFontDialog *>(w);
      if (fontDialog)
        fontDialog->setCurrentFont(courier());
      qobject_cast<QDialog *>(w)->accept();
    });
    s.dialog.cmdTitleFont->click();
    QCOMPARE(modalName, QStringLiteral("dlgFont"));
    QCOMPARE(s.dialog.TitleFont()->Name(), QStringLiteral("Liberation Mono"));
    QCOMPARE(s.dialog.TitleFont()->Size(), 12);
    QVERIFY(s.dialog.cmdTitleFont->toolTip().startsWith(QStringLiteral("Liberation Mono, 12 pt")));
    QCOMPARE(s.page().TitleFont()->Name(), QStringLiteral("Arial")); // until Store
  }

  // A stored font the system does not have is kept unless the user picks another one; the
  // font dialog then offers a font that exists.
  void missingFont() {
    Setup s;
    s.page().RecordFont()->SetName(QStringLiteral("No Such Face Zq"));
    s.load();
    s.dialog.Store();
    QCOMPARE(s.page().RecordFont()->Name(), QStringLiteral("No Such Face Zq"));

    ScriptedFonts fonts(std::nullopt);
    s.dialog.SetFontChooser(fonts.chooser);
    s.dialog.cmdRecordFont->click();
    QCOMPARE(fonts.offered.size(), 1);
    QCOMPARE(s.dialog.RecordFont()->Name(), QStringLiteral("No Such Face Zq"));
    const QFont shown = s.dialog.dlgFont->currentFont();
    QVERIFY2(QFontDatabase::families().contains(QFontInfo(shown).family()),
             qPrintable(QFontInfo(shown).family()));
  }

  void helpPerTab_data() {
    QTest::addColumn<bool>("reportMode");
    QTest::addColumn<int>("tab");
    QTest::addColumn<QString>("file");
    QTest::addColumn<int>("context");
    QTest::newRow("page") << true << 0 << "VIZADUZ.HLP" << 1025;
    QTest::newRow("titles") << true << 1 << "VIZADUZ.HLP" << 46;
    QTest::newRow("labels") << true << 2 << "ZOZEROD.HLP" << 43;
    QTest::newRow("options") << true << 3 << "VIZADUZ.HLP" << 47;
    QTest::newRow("three tabs: page") << false << 0 << "VIZADUZ.HLP" << 1025;
    QTest::newRow("three tabs: titles") << false << 1 << "VIZADUZ.HLP" << 46;
    QTest::newRow("three tabs: options") << false << 2 << "VIZADUZ.HLP" << 47;
  }
  void helpPerTab() {
    QFETCH(bool, reportMode);
    QFETCH(int, tab);
    QFETCH(QString, file);
    QFETCH(int, context);
    RecordingHelp help;
    Setup s(reportMode);
    s.load();
    s.dialog.show();
    QVERIFY(QTest::qWaitForWindowActive(&s.dialog));
    s.dialog.tabMain->setCurrentIndex(tab);
    s.dialog.cmdHelp->click();
    QTest::keyClick(s.dialog.tabMain->currentWidget(), Qt::Key_F1);
    QCOMPARE(help.calls.size(), 2);
    for (const RecordedHelp &call : std::as_const(help.calls)) {
      QCOMPARE(QFileInfo(call.helpFile).fileName(), file);
      QCOMPARE(call.context, context);
    }
  }

  void helpWithoutModelDoesNothing() {
    RecordingHelp help;
    TzelQuerion querion;
    TfrmZelSetup dialog;
    dialog.SetQuerion(&querion);
    dialog.cmdHelp->click();
    QVERIFY(help.calls.isEmpty());
  }

  void lengthTexts_data() {
    QTest::addColumn<double>("inches");
    QTest::addColumn<QString>("text");
    QTest::newRow("0.3") << 0.3 << "0.3";
    QTest::newRow("whole") << 11.0 << "11.0";
    QTest::newRow("three decimals") << 11.693 << "11.693";
    QTest::newRow("zero") << 0.0 << "0.0";
    QTest::newRow("negative") << -0.25 << "-0.25";
    QTest::newRow("no group separator") << 12345.5 << "12345.5";
  }
  void lengthTexts() {
    QFETCH(double, inches);
    QTEST(zelPageLengthText(inches), "text");
  }

  void withoutWindowsNothingIsConfirmed() {
    ScriptedPrompts withoutWindows;
    TzelQuerion querion;
    querion.SetPrompts(&withoutWindows);
    querion.Page()->SetMarginTop(2);
    const bool confirmed = querion.PageSetup();
    QVERIFY(!confirmed);
    QCOMPARE(querion.Page()->MarginTop(), 2.0);
    QVERIFY(dynamic_cast<TzelGuiQueryPrompts *>(&zelQueryPrompts()));
  }

  // The tabs as a user sees them, saved when ZEL_SCREENSHOT_DIR names a folder.
  void pictures() {
    const QString folder = qEnvironmentVariable("ZEL_SCREENSHOT_DIR");
    if (folder.isEmpty())
      QSKIP("ZEL_SCREENSHOT_DIR is not set");
    for (const bool reportMode : {false, true}) {
      Setup s(reportMode);
      s.page().SetTitleCaption(QStringLiteral("Customers by City"));
      s.page().SetHeaderCaption(QStringLiteral("Pellox Trading"));
      s.page().SetFooterCaption(QStringLiteral("Printed for the sales team"));
      s.page().SetPageSize(zelPageA4);
      s.page().SetPageWidth(8.268);
      s.page().SetPageHeight(11.693);
      s.load();
      if (reportMode) {
        s.dialog.chkLabel->click();
        s.dialog.grdLabels->item(2, 1)->setText(QStringLiteral("1.0"));
        s.dialog.grdLabels->item(3, 1)->setText(QStringLiteral("2.625"));
        s.dialog.grdLabels->item(6, 1)->setText(QStringLiteral("3"));
      }
      s.dialog.show();
      for (int tab = 0; tab < s.dialog.tabMain->count(); ++tab) {
        s.dialog.tabMain->setCurrentIndex(tab);
        const QString name = s.dialog.tabMain->tabText(tab).remove(u'&').toLower();
        const QString file =
            QStringLiteral("%1/setup-%2%3.png")
                .arg(folder, reportMode ? QStringLiteral("report-") : QString(), name);
        QVERIFY(s.dialog.grab().save(file));
      }
    }
  }
};

QTEST_MAIN(TestFrmZelSetup)
#include "tst_frmzelsetup.moc"
