// SPDX-License-Identifier: MIT
// The query workspace opened through the query dialog component on the sample database and
// "Step 1": the checks before the window, the tab-change sequence (SQL regenerated only when
// coming from the Query tab, the SQL tab's text run as it stands), the Preview grid, the
// caption, the document commands from the File menu, and closing with the save question,
// the caller's component untouched until the user saves into it.

#include "editors/tst_zelqueryeditor_fixture.h"

#include "database/zeldatamodel.h"
#include "database/zeldataset.h"
#include "database/zeldatasource.h"
#include "database/zelsession.h"
#include "dialogs/frmzelprogress.h"
#include "editors/designhistory.h"
#include "editors/joinseditor.h"
#include "editors/joinssurface.h"
#include "editors/tableform.h"
#include "editors/valuecolumns.h"
#include "engine/exportprompt.h"
#include "engine/recordprinting.h"
#include "export/exportrecords.h"
#include "model/zelregistry.h"
#include "print/printjob.h"
#include "support/modaldriver.h"
#include "support/scopedinteraction.h"
#include "workspace/frmzelquerydialog.h"
#include "workspace/zelmenu.h"
#include "workspace/zelquerydialog.h"

#include <QAccessible>
#include <QAction>
#include <QFile>
#include <QHeaderView>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QSignalSpy>
#include <QTabWidget>
#include <QTableView>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <QUndoStack>
#include <functional>

namespace {

using Window = TfrmZelQueryDialog;

// Prints into a PDF file instead of asking for a printer.
class PdfPrinter : public TzelRecordPrinter {
public:
  explicit PdfPrinter(QString file) : m_file(std::move(file)) {}
  bool printRecords(TzelQuerion &querion, TzelDataset &dataset) override {
    return PrintReportToPdf(querion, dataset, m_file, nullptr);
  }

private:
  QString m_file;
};

// The sample model, a dataset on PELLOX, "Step 1" in the form's query component and the
// dialog component wired to it, with messages and document dialogs answered from scripts.
struct Workspace {
  RecordingMessages rec;
  DocumentDialogsScope files;
  std::unique_ptr<TzelModel> model = readSampleModel();
  TzelDataset dataset;
  TzelQuerion querion;
  TzelQueryDialog dialog;

  Workspace() {
    dataset.setObjectName(QStringLiteral("Query1"));
    dataset.setDatabaseName(QStringLiteral("PELLOX"));
    querion.setObjectName(QStringLiteral("zelQuerion1"));
    querion.SetDataModel(model.get());
    querion.SetDataQuery(&dataset);
    querion.LoadFromFile(examplesFile(QStringLiteral("step1.zel")));
    dialog.setObjectName(QStringLiteral("zelQueryDialog1"));
    dialog.SetQuerion(&querion);
  }
  QString stored() { return StoredFormWriter().write(*querion.CurrentQuery()); }
  // The statement the component generates by itself.
  QString generated() {
    TzelQuerion other;
    other.SetDataModel(model.get());
    other.Assign(&querion);
    return other.GenerateSQL() ? other.SQL().join(QLatin1Char('\n')) : QString();
  }
  // Runs Execute with act driving the shown window; the window is closed afterwards when act
  // left it open, answering any save question No.
  bool run(const std::function<void(Window &)> &act, const QString &fileName = {}) {
    whenModal([this, act](QWidget *w) {
      auto *window = qobject_cast<Window *>(w);
      QVERIFY(window);
      act(*window);
      if (window->isVisible()) {
        rec.answers << TzelAnswer::No;
        window->close();
      }
    });
    return dialog.Execute(fileName);
  }
};

void turn(Window &w, Window::Tab tab) {
  w.tabMain->setCurrentIndex(tab);
}

void clearQuery(TzelQuery &query) {
  query.ClearValues();
  query.ClearJoins();
  query.ClearTables();
}

int rows(Window &w) {
  return w.DBGrid1->model()->rowCount();
}

QStringList titles(Window &w) {
  QStringList out;
  for (int c = 0; c < w.DBGrid1->model()->columnCount(); ++c)
    out << w.DBGrid1->model()->headerData(c, Qt::Horizontal).toString();
  return out;
}

// What the Query tab shows: table window captions, the join lines as the surface describes
// them, and each value column's table, field and show mode.
QStringList shownDesign(Window &w) {
  QStringList out;
  for (const TzelTableForm *table : w.zelQueryEditor->zelJoins->tableWindows())
    out << table->windowTitle();
  out << QAccessible::queryAccessibleInterface(w.zelQueryEditor->zelJoins->surface())
             ->text(QAccessible::Description)
             .split(u'\n');
  for (int c = 1; !w.zelQueryEditor->cell(c, ValueRow::Field).isEmpty(); ++c)
    out << w.zelQueryEditor->cell(c, ValueRow::Table) + u'.' +
               w.zelQueryEditor->cell(c, ValueRow::Field) + u' ' +
               w.zelQueryEditor->cell(c, ValueRow::Show);
  return out;
}

// The SQL tab's text replaced as a paste does: the document counts as edited.
void pasteSql(Window &w, const QString &sql) {
  QTextCursor cursor = w.memSQL->textCursor();
  cursor.select(QTextCursor::Document);
  cursor.insertText(sql);
}

const QString kUpdateQuestion = QStringLiteral("Update the design from the SQL text?");

// A statement that runs until it is stopped.
const QString kEndless = QStringLiteral("WITH RECURSIVE c(x) AS (SELECT 1 UNION ALL SELECT x + 1 "
                                        "FROM c) SELECT COUNT(*) FROM c");

// The program's progress window for the test's span; onShown runs once it has appeared.
struct ProgressWindow : ScopedInteraction {
  TzelGuiProgress progress;
  QTimer poll;
  QString title;
  void beginProgress(const QString &caption) override { progress.begin(caption); }
  bool stepProgress(const QString &text) override { return progress.step(text); }
  void endProgress() override { progress.end(); }
  void whenShown(const std::function<void(TfrmZelProgress &)> &onShown) {
    poll.setInterval(20);
    QObject::connect(&poll, &QTimer::timeout, [this, onShown] {
      TfrmZelProgress *w = TzelGuiProgress::window();
      if (!w || !w->isVisible())
        return;
      poll.stop();
      title = w->windowTitle();
      onShown(*w);
    });
    poll.start();
  }
};

} // namespace

class TestQueryDialog : public QObject {
  Q_OBJECT
private slots:
  void initTestCase();
  void step1ThroughTheThreeTabs();
  void typedSqlRunsAsTyped();
  void emptyMemoRunsNothing();
  void failedGenerationRegeneratesNextTime();
  void databaseErrorLeavesTheWindowUsable();
  void missingDatabaseFolderIsReported();
  void menuCommandsTurnTheTabs();
  void noSecondChangeWhileOneRuns();
  void longStatementShowsProgressAndCancels();
  void closingWhileAStatementRuns();
  void valueEditorFollowsTheTabs();
  void checksBeforeTheWindow();
  void queryFileOpensWithItsCaption();
  void brokenQueryFileIsReported();
  void closingAsksToSave();
  void savedFileIsRemembered();
  void exportAndPrintFromTheFileMenu();
  void exportAndPrintNeedRecords_data();
  void exportAndPrintNeedRecords();
  void helpAndCaption();
  void windowStateAndEvents();
  void storedForm();
  void designFromSql_data();
  void designFromSql();
  void newDocumentAsksNothingOfTheSqlText();
};

void TestQueryDialog::initTestCase() {
  QLocale::setDefault(QLocale(QLocale::English, QLocale::UnitedStates));
  ZEL_SKIP_WITHOUT_PARADOX();
  QVERIFY2(useSampleData(), qPrintable(sampleDataFolder()));
}

void TestQueryDialog::step1ThroughTheThreeTabs() {
  Workspace s;
  const QString before = s.stored();
  const QString expected = s.generated();
  QVERIFY(!expected.isEmpty());
  QString sqlTab;
  int previewRows = -1;
  QStringList previewTitles;
  bool gridFont = false;
  QVERIFY(s.run([&](Window &w) {
    QCOMPARE(w.windowTitle(), QStringLiteral("Querion"));
    QCOMPARE(w.tabMain->currentIndex(), int(Window::TabQuery));
    QCOMPARE(w.zelMenu->View(), zelViewQuery);
    turn(w, Window::TabSQL);
    QCOMPARE(w.zelMenu->View(), zelViewCode);
    sqlTab = w.memSQL->toPlainText();
    turn(w, Window::TabPreview);
    QCOMPARE(w.zelMenu->View(), zelViewPreview);
    previewRows = rows(w);
    previewTitles = titles(w);
    gridFont = w.DBGrid1->horizontalHeader()->font().bold();
    turn(w, Window::TabQuery);
    QVERIFY(!s.dataset.Active()); // closed on every change
  }));
  QCOMPARE(sqlTab, expected);
  QCOMPARE(previewRows, 36);
  QCOMPARE(previewTitles,
           QStringList({"Company", "State", "SaleDate", "PartDesc", "Qty", "Cost", "VendorName"}));
  QVERIFY(gridFont);
  QCOMPARE(s.stored(), before);
  QVERIFY(s.rec.messages.isEmpty());
  QVERIFY(s.dialog.Ran());
}

void TestQueryDialog::typedSqlRunsAsTyped() {
  Workspace s;
  const QString typed =
      QStringLiteral("SELECT CST_CO, CST_ST\n  FROM \"T0490.DB\"\n WHERE CST_ST = 'NE'");
  int typedRows = -1;
  QString afterPreview, regenerated;
  QVERIFY(s.run([&](Window &w) {
    turn(w, Window::TabSQL);
    w.memSQL->setPlainText(typed);
    turn(w, Window::TabPreview);
    typedRows = rows(w);
    turn(w, Window::TabSQL); // from Preview: the typed text stays
    afterPreview = w.memSQL->toPlainText();
    turn(w, Window::TabQuery);
    turn(w, Window::TabSQL); // from Query: generated again
    regenerated = w.memSQL->toPlainText();
  }));
  QVERIFY2(s.rec.messages.isEmpty(), qPrintable(s.rec.texts().join(u'\n')));
  QVERIFY(typedRows > 0);
  QVERIFY(typedRows < 36);
  QCOMPARE(afterPreview, typed);
  QCOMPARE(regenerated, s.generated());
}

void TestQueryDialog::emptyMemoRunsNothing() {
  Workspace s;
  bool active = true;
  int gridRows = -1;
  QVERIFY(s.run([&](Window &w) {
    turn(w, Window::TabSQL);
    w.memSQL->setPlainText(QStringLiteral("  \n"));
    turn(w, Window::TabPreview);
    active = s.dataset.Active();
    gridRows = rows(w);
  }));
  QVERIFY(!active);
  QCOMPARE(gridRows, 0);
  QVERIFY(s.rec.messages.isEmpty());
}

void TestQueryDialog::failedGenerationRegeneratesNextTime() {
  Workspace s;
  QString memo = QStringLiteral("x");
  int view = -1;
  int messages = 0;
  QVERIFY(s.run([&](Window &w) {
    // A query without values fails validation.
    w.zelQueryEditor->Querion()->CurrentQuery()->ClearValues();
    w.zelQueryEditor->LoadQuery();
    turn(w, Window::TabSQL);
    memo = w.memSQL->toPlainText();
    view = w.zelMenu->View();
    messages = int(s.rec.messages.size());
    turn(w, Window::TabPreview); // still from the Query tab: generated (and refused) again
  }));
  QVERIFY(memo.isEmpty());
  QCOMPARE(view, int(zelViewCode));
  QCOMPARE(messages, 1);
  QCOMPARE(s.rec.messages.size(), 2);
  QVERIFY(s.rec.messages.first().text.startsWith(QStringLiteral("Error: ")));
  QVERIFY(!s.dataset.Active());
}

void TestQueryDialog::databaseErrorLeavesTheWindowUsable() {
  Workspace s;
  int goodRows = -1;
  QVERIFY(s.run([&](Window &w) {
    turn(w, Window::TabSQL);
    w.memSQL->setPlainText(QStringLiteral("SELECT NOPE FROM \"T0490.DB\""));
    turn(w, Window::TabPreview);
    QVERIFY(!w.Busy());
    QVERIFY(w.zelMenu->MenuEnabled());
    QVERIFY(w.tabMain->tabBar()->isEnabled());
    turn(w, Window::TabQuery);
    turn(w, Window::TabPreview);
    goodRows = rows(w);
  }));
  QCOMPARE(s.rec.messages.size(), 1);
  QVERIFY(s.rec.messages.first().text.startsWith(QStringLiteral("Error: ")));
  QCOMPARE(goodRows, 36);
}

void TestQueryDialog::missingDatabaseFolderIsReported() {
  const auto registerData = [](const QString &folder) {
    TzelSession::defaultSession().registerAlias(
        {QStringLiteral("PELLOX"), QStringLiteral("STANDARD"), {QStringLiteral("PATH=") + folder}});
  };
  registerData(QStringLiteral("/no/such/folder"));
  Workspace s;
  QString sql;
  bool active = true;
  QVERIFY(s.run([&](Window &w) {
    turn(w, Window::TabPreview);
    sql = w.memSQL->toPlainText();
    active = s.dataset.Active();
  }));
  registerData(sampleDataFolder());
  QVERIFY(!sql.isEmpty()); // the design and its SQL are still there
  QVERIFY(!active);
  QCOMPARE(s.rec.messages.size(), 1);
  QVERIFY2(s.rec.lastText().startsWith(QStringLiteral("Error: ")), qPrintable(s.rec.lastText()));
}

void TestQueryDialog::menuCommandsTurnTheTabs() {
  Workspace s;
  QList<int> tabs;
  int previewRows = -1;
  QVERIFY(s.run([&](Window &w) {
    w.zelMenu->item(QStringLiteral("mnuViewSQL"))->trigger();
    tabs << w.tabMain->currentIndex();
    w.zelMenu->item(QStringLiteral("mnuViewPreview"))->trigger();
    tabs << w.tabMain->currentIndex();
    previewRows = rows(w);
    w.zelMenu->item(QStringLiteral("mnuViewQuery"))->trigger();
    tabs << w.tabMain->currentIndex();
    // New on the Query tab: no change event, but the sequence still runs.
    s.rec.answers << TzelAnswer::No;
    w.zelMenu->item(QStringLiteral("mnuFileNew"))->trigger();
    tabs << w.tabMain->currentIndex();
    QCOMPARE(w.zelMenu->View(), zelViewQuery);
  }));
  QCOMPARE(tabs, QList<int>({1, 2, 0, 0}));
  QCOMPARE(previewRows, 36);
}

void TestQueryDialog::noSecondChangeWhileOneRuns() {
  Workspace s;
  int tabDuring = -1;
  int tabAfter = -1;
  QString memo;
  QVERIFY(s.run([&](Window &w) {
    // Runs while the change to the SQL tab lets pending events through.
    QTimer::singleShot(0, &w, [&] {
      QVERIFY(w.Busy());
      w.tabMain->setCurrentIndex(Window::TabPreview);
      w.zelMenu->item(QStringLiteral("mnuViewQuery"))->trigger();
      tabDuring = w.tabMain->currentIndex();
    });
    turn(w, Window::TabSQL);
    tabAfter = w.tabMain->currentIndex();
    memo = w.memSQL->toPlainText();
    QVERIFY(!w.Busy());
  }));
  QCOMPARE(tabDuring, int(Window::TabSQL));
  QCOMPARE(tabAfter, int(Window::TabSQL));
  QCOMPARE(memo, s.generated());
  QVERIFY(!s.dataset.Active());
}

void TestQueryDialog::longStatementShowsProgressAndCancels() {
  Workspace s;
  ProgressWindow progress;
  bool modal = false;
  progress.whenShown([&](TfrmZelProgress &w) {
    modal = w.windowModality() == Qt::ApplicationModal;
    QTest::mouseClick(w.cmdCancel, Qt::LeftButton);
  });
  int cancelledRows = -1, laterRows = -1;
  bool usable = false;
  QVERIFY(s.run([&](Window &w) {
    turn(w, Window::TabSQL);
    w.memSQL->setPlainText(kEndless);
    turn(w, Window::TabPreview); // returns once Cancel has stopped the statement
    cancelledRows = rows(w);
    usable = !w.Busy() && w.tabMain->tabBar()->isEnabled() && !TzelGuiProgress::window();
    turn(w, Window::TabQuery);
    turn(w, Window::TabPreview);
    laterRows = rows(w);
  }));
  QCOMPARE(progress.title, QStringLiteral("Running Query"));
  QVERIFY(modal);
  QCOMPARE(cancelledRows, 0);
  QVERIFY(usable);
  QCOMPARE(laterRows, 36);
  QVERIFY2(s.rec.messages.isEmpty(), qPrintable(s.rec.texts().join(u'\n'))); // the user stopped it
}

void TestQueryDialog::closingWhileAStatementRuns() {
  Workspace s;
  ProgressWindow progress;
  Window *window = nullptr;
  progress.whenShown([&](TfrmZelProgress &) { window->close(); });
  bool closedAfterRun = false;
  QVERIFY(s.run([&](Window &w) {
    window = &w;
    turn(w, Window::TabSQL);
    w.memSQL->setPlainText(kEndless);
    turn(w, Window::TabPreview);
    QVERIFY(!s.dataset.Active());
    QTRY_VERIFY(!w.isVisible());
    closedAfterRun = true;
  }));
  QVERIFY(closedAfterRun);
  QVERIFY(!TzelGuiProgress::window());
  QVERIFY2(s.rec.messages.isEmpty(), qPrintable(s.rec.texts().join(u'\n')));
}

void TestQueryDialog::valueEditorFollowsTheTabs() {
  Workspace s;
  QList<TzelDialogStatus> states;
  bool shownAgain = false;
  TzelQueryEditor *editor = nullptr;
  QVERIFY(s.run([&](Window &w) {
    editor = w.zelQueryEditor;
    editor->SelectCell(1, 0);
    editor->SetValueEditorStatus(zelDialogShow);
    turn(w, Window::TabSQL);
    states << editor->ValueEditorStatus();
    turn(w, Window::TabPreview);
    states << editor->ValueEditorStatus();
    turn(w, Window::TabQuery);
    states << editor->ValueEditorStatus();
    shownAgain = editor->valueEditor() && editor->valueEditor()->isVisible();
    w.showMinimized();
    states << editor->ValueEditorStatus();
    w.showNormal();
  }));
  QCOMPARE(states,
           QList<TzelDialogStatus>({zelDialogHide, zelDialogHide, zelDialogShow, zelDialogClose}));
  QVERIFY(shownAgain);
}

void TestQueryDialog::checksBeforeTheWindow() {
  RecordingMessages rec;
  TzelQueryDialog dialog;
  dialog.setObjectName(QStringLiteral("zelQueryDialog1"));
  QSignalSpy before(&dialog, &TzelQueryDialog::OnBeforeExecute);
  QVERIFY(!dialog.Execute(QStringLiteral("/no/such/query.zel")));
  QCOMPARE(rec.lists.size(), 1);
  QCOMPARE(rec.lists.first().lines,
           QStringList({"Error 1: The Querion property of zelQueryDialog1 has not been assigned",
                        "Error 2: File /no/such/query.zel does not exist"}));
  QCOMPARE(rec.lists.first().title, QStringLiteral("TzelQueryDialog"));
  QCOMPARE(before.size(), 0);
  QVERIFY(!dialog.Ran());

  // The component's own setup check (no dataset) stops it too.
  Workspace s;
  s.querion.SetDataQuery(nullptr);
  QVERIFY(!s.dialog.Execute());
  QVERIFY(!s.dialog.Ran());
}

void TestQueryDialog::queryFileOpensWithItsCaption() {
  Workspace s;
  clearQuery(*s.querion.CurrentQuery());
  const QString before = s.stored();
  const QString file = examplesFile(QStringLiteral("step1.zel"));
  QString caption;
  int previewRows = -1;
  QVERIFY(s.run(
      [&](Window &w) {
        caption = w.windowTitle();
        turn(w, Window::TabPreview);
        previewRows = rows(w);
      },
      file));
  QCOMPARE(caption, QStringLiteral("Querion: ") + file);
  QCOMPARE(previewRows, 36);
  QCOMPARE(s.stored(), before);
  QCOMPARE(s.dialog.FileName(), file);
}

void TestQueryDialog::brokenQueryFileIsReported() {
  Workspace s;
  QTemporaryDir dir;
  const QString file = dir.filePath(QStringLiteral("broken.zel"));
  QFile out(file);
  QVERIFY(out.open(QIODevice::WriteOnly));
  out.write("object zelQuery1: TzelQuery\n  Tables.Nonsense = (\n");
  out.close();
  QSignalSpy after(&s.dialog, &TzelQueryDialog::OnAfterExecute);
  QVERIFY(!s.dialog.Execute(file));
  QCOMPARE(s.rec.messages.size(), 1);
  QVERIFY(s.rec.lastText().startsWith(QStringLiteral("Error")));
  QCOMPARE(after.size(), 1);
}

void TestQueryDialog::closingAsksToSave() {
  Workspace s;
  const QString before = s.stored();
  bool stayedOpen = false;
  QVERIFY(s.run([&](Window &w) {
    w.zelQueryEditor->RemoveValue();
    w.zelQueryEditor->SetModified(true);
    s.rec.answers << TzelAnswer::Cancel;
    w.close();
    QTest::keyClick(&w, Qt::Key_Escape); // never closes the document by itself
    stayedOpen = w.isVisible();
    s.rec.answers << TzelAnswer::No;
    w.zelMenu->item(QStringLiteral("mnuFileClose"))->trigger(); // the same path as the window's
  }));
  QVERIFY(stayedOpen);
  QCOMPARE(s.rec.messages.size(), 2);
  QCOMPARE(s.stored(), before); // No: the form's component never saw the change

  // Yes, into the form's component.
  (*s.files).methods << TzelSaveMethod::Form;
  QVERIFY(s.run([&](Window &w) {
    w.zelQueryEditor->Querion()->CurrentQuery()->GetValue(0)->SetValueAlias(QStringLiteral("Firm"));
    w.zelQueryEditor->LoadQuery();
    w.zelQueryEditor->SetModified(true);
    w.zelQueryEditor->SaveToForm = true;
    w.zelQueryEditor->AskSaveMethod = true;
    s.rec.answers << TzelAnswer::Yes;
    w.close();
    QVERIFY(!w.isVisible());
  }));
  QVERIFY(s.stored() != before);
  QCOMPARE(s.querion.CurrentQuery()->GetValue(0)->ValueAlias(), QStringLiteral("Firm"));
}

void TestQueryDialog::savedFileIsRemembered() {
  Workspace s;
  QTemporaryDir dir;
  const QString file = dir.filePath(QStringLiteral("mine.zel"));
  (*s.files).files << file;
  QString caption;
  QVERIFY(s.run([&](Window &w) {
    w.zelMenu->item(QStringLiteral("mnuFileSaveAs"))->trigger();
    caption = w.windowTitle();
  }));
  QVERIFY(QFileInfo::exists(file));
  QCOMPARE(caption, QStringLiteral("Querion: ") + file);
  QCOMPARE(s.dialog.FileName(), file);

  // Reopened through the File menu, it runs as before.
  Workspace t;
  (*t.files).files << file;
  int previewRows = -1;
  QVERIFY(t.run([&](Window &w) {
    clearQuery(*w.zelQueryEditor->Querion()->CurrentQuery());
    w.zelQueryEditor->LoadQuery();
    w.zelMenu->item(QStringLiteral("mnuFileOpen"))->trigger();
    caption = w.windowTitle();
    turn(w, Window::TabPreview);
    previewRows = rows(w);
  }));
  QCOMPARE(caption, QStringLiteral("Querion: ") + file);
  QCOMPARE(previewRows, 36);
}

void TestQueryDialog::exportAndPrintFromTheFileMenu() {
  Workspace s;
  QTemporaryDir dir;
  const QString csv = dir.filePath(QStringLiteral("step1.csv"));
  const QString pdf = dir.filePath(QStringLiteral("step1.pdf"));
  s.files->exportChoice = TzelExportChoice{csv, zelExportCsv, true, {}};
  s.files->printer = std::make_unique<PdfPrinter>(pdf);
  QVERIFY(s.run([&](Window &w) {
    turn(w, Window::TabPreview);
    w.zelMenu->item(QStringLiteral("mnuFileExport"))->trigger();
    w.zelMenu->item(QStringLiteral("mnuFilePrint"))->trigger();
  }));
  QFile exported(csv);
  QVERIFY(exported.open(QIODevice::ReadOnly));
  const QList<QByteArray> lines = exported.readAll().split('\n');
  QCOMPARE(lines.first().trimmed(),
           QByteArray("Company,State,SaleDate,PartDesc,Qty,Cost,VendorName"));
  QCOMPARE(lines.size(), 36 + 2); // labels, 36 records, the end after the last CR LF
  QVERIFY(QFileInfo(pdf).size() > 1000);
}

// Export and Print stay disabled while the Preview shows no open dataset.
void TestQueryDialog::exportAndPrintNeedRecords_data() {
  QTest::addColumn<QString>("sql");         // typed on the SQL tab; empty: Step 1 as generated
  QTest::addColumn<QList<bool>>("enabled"); // Export, Print, cmdPrint on the Preview tab
  const QList<bool> all(3, true), none(3, false);
  QTest::newRow("Step 1") << QString() << all;
  QTest::newRow("empty SQL text") << QStringLiteral(" \n") << none;
  QTest::newRow("failed statement") << QStringLiteral("SELECT NOPE FROM \"T0490.DB\"") << none;
  // An empty result exports its field names, but there is nothing to print.
  QTest::newRow("no rows") << QStringLiteral("SELECT * FROM \"T0490.DB\" WHERE 1 = 0")
                           << QList<bool>{true, false, false};
}

void TestQueryDialog::exportAndPrintNeedRecords() {
  QFETCH(QString, sql);
  QFETCH(QList<bool>, enabled);
  Workspace s;
  QList<bool> preview, query;
  QVERIFY(s.run([&](Window &w) {
    const auto commands = [&w] {
      return QList<bool>{w.zelMenu->item(QStringLiteral("mnuFileExport"))->isEnabled(),
                         w.zelMenu->item(QStringLiteral("mnuFilePrint"))->isEnabled(),
                         w.zelMenu->control(QStringLiteral("cmdPrint"))->isEnabled()};
    };
    turn(w, Window::TabSQL);
    if (!sql.isEmpty())
      w.memSQL->setPlainText(sql);
    turn(w, Window::TabPreview);
    preview = commands();
    turn(w, Window::TabQuery);
    query = commands();
  }));
  QCOMPARE(preview, enabled);
  QCOMPARE(query, QList<bool>(3, false));
}

void TestQueryDialog::helpAndCaption() {
  Workspace s;
  RecordingHelp help;
  QList<int> contexts;
  QString blankCaption;
  QVERIFY(s.run([&](Window &w) {
    w.activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(&w));
    for (Window::Tab tab : {Window::TabQuery, Window::TabSQL, Window::TabPreview}) {
      turn(w, tab);
      QTest::keyClick(w.tabMain->currentWidget(), Qt::Key_F1);
    }
    w.zelQueryEditor->FileName = QStringLiteral("   ");
    w.zelQueryEditorUpdateCaption(nullptr);
    blankCaption = w.windowTitle();
  }));
  for (const RecordedHelp &call : help.calls)
    contexts << call.context;
  QCOMPARE(contexts, QList<int>({69, 69, 69}));
  QCOMPARE(blankCaption, QStringLiteral("Querion"));
}

void TestQueryDialog::windowStateAndEvents() {
  Workspace s;
  s.dialog.SetWindowCaption(QStringLiteral("Orders"));
  s.dialog.SetWindowState(TzelQueryDialog::wsMaximized);
  s.dialog.SetEnableSave(false);
  QSignalSpy before(&s.dialog, &TzelQueryDialog::OnBeforeExecute);
  QSignalSpy after(&s.dialog, &TzelQueryDialog::OnAfterExecute);
  bool maximized = false;
  QString caption;
  bool closedAtOnce = false;
  QList<bool> saveCommands;
  QVERIFY(s.run([&](Window &w) {
    maximized = w.isMaximized();
    caption = w.windowTitle();
    saveCommands = {w.zelMenu->item(QStringLiteral("mnuFileSave"))->isEnabled(),
                    w.zelMenu->item(QStringLiteral("mnuFileSaveAs"))->isEnabled(),
                    w.zelMenu->control(QStringLiteral("cmdSave"))->isEnabled()};
    QCOMPARE(before.size(), 1);
    QCOMPARE(after.size(), 0);
    w.zelQueryEditor->SetModified(true);
    w.close(); // EnableSave off: never asks
    closedAtOnce = !w.isVisible();
  }));
  QVERIFY(maximized);
  QCOMPARE(saveCommands, QList<bool>(3, false)); // EnableSave off from the start
  QCOMPARE(caption, QStringLiteral("Orders"));
  QVERIFY(closedAtOnce);
  QVERIFY(s.rec.messages.isEmpty());
  QCOMPARE(after.size(), 1);
  QCOMPARE(s.dialog.Window(), nullptr);
}

void TestQueryDialog::storedForm() {
  Workspace s;
  s.dialog.SetWindowState(TzelQueryDialog::wsMaximized);
  s.dialog.SetEnablePrint(false);
  const QString text = StoredFormWriter().write(s.dialog);
  QCOMPARE(text, QStringLiteral("object zelQueryDialog1: TzelQueryDialog\n"
                                "  Querion = zelQuerion1\n"
                                "  EnablePrint = False\n"
                                "  WindowState = wsMaximized\n"
                                "end\n"));
  StoredFormReader reader;
  reader.setResolver([&](const QString &name) -> QObject * {
    return name == QStringLiteral("zelQuerion1") ? &s.querion : nullptr;
  });
  const std::unique_ptr<TzelComponent> read = reader.read(text);
  auto *copy = qobject_cast<TzelQueryDialog *>(read.get());
  QVERIFY(copy);
  QCOMPARE(copy->Querion(), &s.querion);
  QCOMPARE(copy->WindowState(), TzelQueryDialog::wsMaximized);
  QVERIFY(!copy->EnablePrint());
  QVERIFY(copy->EnableSave());
  QCOMPARE(copy->WindowCaption(), QStringLiteral("Querion"));
}

void TestQueryDialog::designFromSql_data() {
  QTest::addColumn<QString>("sql");
  QTest::addColumn<QString>("how"); // menu, button, or turning to the Query tab: yes, no
  QTest::addColumn<QStringList>("messages");
  QTest::addColumn<QStringList>("design"); // empty: the design stays as it was
  QTest::addColumn<int>("line");           // the cursor's, when the text is refused
  QTest::addColumn<int>("column");
  const QString joined =
      QStringLiteral("SELECT Customers.CST_CO, Items.QTY\n"
                     "  FROM \"T0490.DB\" Customers\n"
                     "  JOIN \"T0491.DB\" Orders ON Customers.CST_NO = "
                     "Orders.CST_NO\n"
                     "  JOIN \"T0493.DB\" Items ON Orders.ORD_NO = Items.ORD_NO\n"
                     " WHERE Items.QTY > 5");
  const QStringList joinedDesign{"Customers",
                                 "Orders",
                                 "Items",
                                 "Customers.CustNo = Orders.CustNo",
                                 "Orders.OrderNo = Items.OrderNo",
                                 "Customers.Company Show",
                                 "Items.Qty Show"};
  const QString refused = QStringLiteral("SELECT CST_CO\n  FROM \"T0490.DB\"\n"
                                         " WHERE CST_NO IN (SELECT CST_NO FROM \"T0491.DB\")");
  const QString refusal =
      QStringLiteral("Error: Line 3, column 19: a subquery cannot be shown in the design");
  QTest::newRow("menu") << joined << "menu" << QStringList{} << joinedDesign << 0 << 0;
  QTest::newRow("button: implicit join, grouped count")
      << QStringLiteral("select c.CST_ST, count(*)\n  from \"T0490.DB\" c, \"T0491.DB\" o\n"
                        " where c.CST_NO = o.CST_NO -- the customers' orders\n"
                        " group by c.CST_ST")
      << "button" << QStringList{}
      << QStringList{"c", "o", "c.CustNo = o.CustNo", "c.State Group", ".* Count"} << 0 << 0;
  QTest::newRow("turning to Query: Yes")
      << joined << "yes" << QStringList{kUpdateQuestion} << joinedDesign << 0 << 0;
  QTest::newRow("turning to Query: No")
      << joined << "no" << QStringList{kUpdateQuestion} << QStringList{} << 0 << 0;
  QTest::newRow("menu: refused") << refused << "menu" << QStringList{refusal} << QStringList{} << 3
                                 << 19;
  QTest::newRow("turning to Query: Yes, refused")
      << refused << "yes" << QStringList{kUpdateQuestion, refusal} << QStringList{} << 3 << 19;
}

// The SQL tab's text turned into the design: the Query tab then shows its tables, join lines
// and values, and the design counts as changed, one step to undo. A refused text stays on the SQL
// tab as typed, the cursor at the refused place; No keeps the design, whose SQL the tab then shows
// again.
void TestQueryDialog::designFromSql() {
  QFETCH(QString, sql);
  QFETCH(QString, how);
  QFETCH(QStringList, messages);
  QFETCH(QStringList, design);
  QFETCH(int, line);
  QFETCH(int, column);
  Workspace s;
  QVERIFY(s.run([&](Window &w) {
    const QStringList before = shownDesign(w);
    const QString storedBefore = s.stored();
    turn(w, Window::TabSQL);
    pasteSql(w, sql);
    if (how == u"menu")
      w.zelMenu->item(QStringLiteral("mnuEditDesignFromSql"))->trigger();
    else if (how == u"button")
      qobject_cast<QAbstractButton *>(w.zelMenu->control(QStringLiteral("cmdDesignFromSql")))
          ->click();
    else {
      s.rec.answers << (how == u"yes" ? TzelAnswer::Yes : TzelAnswer::No);
      turn(w, Window::TabQuery);
    }
    QCOMPARE(s.rec.texts(), messages);
    QCOMPARE(shownDesign(w), design.isEmpty() ? before : design);
    QCOMPARE(w.zelQueryEditor->Modified(), !design.isEmpty());
    if (line > 0) {
      QCOMPARE(w.tabMain->currentIndex(), int(Window::TabSQL));
      QCOMPARE(w.zelMenu->View(), zelViewCode);
      QCOMPARE(w.memSQL->toPlainText(), sql);
      QCOMPARE(w.memSQL->textCursor().blockNumber() + 1, line);
      QCOMPARE(w.memSQL->textCursor().positionInBlock() + 1, column);
      return;
    }
    QCOMPARE(w.tabMain->currentIndex(), int(Window::TabQuery));
    turn(w, Window::TabSQL);
    if (design.isEmpty())
      QCOMPARE(w.memSQL->toPlainText(), s.generated());
    QCOMPARE(s.rec.texts(), messages); // no second question
    if (design.isEmpty())
      return;
    // One step: undone, the design before comes back.
    TzelDesignHistory &history = *w.zelQueryEditor->history();
    QCOMPARE(history.stack()->undoText(), QStringLiteral("Design from SQL"));
    history.undo();
    QCOMPARE(shownDesign(w), before);
    QCOMPARE(s.stored(), storedBefore);
    QVERIFY(!w.zelQueryEditor->Modified());
  }));
}

// File > New from the SQL tab: the edited text belongs to the document left, nothing is asked.
void TestQueryDialog::newDocumentAsksNothingOfTheSqlText() {
  Workspace s;
  int tab = -1;
  QVERIFY(s.run([&](Window &w) {
    turn(w, Window::TabSQL);
    pasteSql(w, QStringLiteral("SELECT CST_CO FROM \"T0490.DB\""));
    w.zelMenu->item(QStringLiteral("mnuFileNew"))->trigger();
    tab = w.tabMain->currentIndex();
  }));
  QCOMPARE(tab, int(Window::TabQuery));
  QVERIFY2(s.rec.messages.isEmpty(), qPrintable(s.rec.texts().join(u'\n')));
}

QTEST_MAIN(TestQueryDialog)
#include "tst_frmzelquerydialog.moc"
