// SPDX-License-Identifier: MIT
// The query editor panel over "Step 1": the grid as loaded and written back, fields dropped
// and removed, the joins editor's renames and deletions followed, columns moved, and the
// document commands with their dialogs and questions.
#include "dialogs/guifiledialog.h"
#include "tst_zelqueryeditor_fixture.h"

#include "controls/stringgrid.h"
#include "controls/zelsplit.h"
#include "engine/queryfile.h"
#include "engine/tst_sqlgenerator_fixture.h"
#include "support/modaldriver.h"

#include <QComboBox>
#include <QFileInfo>
#include <QHeaderView>
#include <QMenu>
#include <QPainter>
#include <QSettings>
#include <QSignalSpy>
#include <QStackedWidget>
#include <QStandardPaths>
#include <QTabBar>
#include <QTabWidget>
#include <QTemporaryDir>
#include <QtTest>

namespace {

QStringList menuTexts(const QMenu &menu) {
  QStringList texts;
  for (const QAction *action : menu.actions())
    texts << (action->isSeparator() ? QStringLiteral("-") : action->text());
  return texts;
}

QString fileText(const QString &name) {
  QFile file(name);
  return file.open(QIODevice::ReadOnly) ? QString::fromUtf8(file.readAll()) : QString();
}

// Positions of the live values by alias, as the query holds them.
QString positions(const TzelQuery &query) {
  QStringList list;
  for (int i = 0; i < query.ValueCount(); ++i) {
    const TzelQueryValue *v = query.GetValue(i);
    if (!v->Deleted())
      list << v->ValueAlias() + QLatin1Char('=') + QString::number(v->Position());
  }
  return list.join(QLatin1Char(','));
}

// Every kind of value the grid carries: a hidden expression with a format, a between filter,
// a filter in a later row, a right-aligned sum.
void fillMixed(TzelQuery &query) {
  fillExample3(query);
  TzelQueryValue *twice = query.GetValue(
      query.AddValue(QString(), QStringLiteral("Parts.Cost * 2"), QStringLiteral("Twice")));
  twice->SetShow(zelHideMax);
  twice->SetFormat(QStringLiteral("#,##0.00"));
  twice->SetFilter(3, zelFilterBetween, QStringLiteral("10|20|"));
  TzelQueryValue *onHand = addValue(query, QStringLiteral("Parts"), QStringLiteral("OnHand"), {},
                                    zelShowSum, zelSortDescending);
  onHand->SetAlignment(taRightJustify);
  onHand->SetFilter(1, zelFilterNotEqual, QStringLiteral("1|2|"));
  onHand->SetFilter(20, zelFilterNotLike, QStringLiteral("x%|"));
  query.SetIsDistinct(true);
}

const QStringList step1Headers{"Company", "State", "SaleDate",  "PartDesc",
                               "Qty",     "Cost",  "VendorName"};

} // namespace

class TestQueryEditor : public QObject {
  Q_OBJECT
private slots:
  void initTestCase();
  void createdLayout();
  void queryTypeChoosesThePage_data();
  void queryTypeChoosesThePage();
  void loadFillsTheGrid();
  void filterDisplayText_data();
  void filterDisplayText();
  void loadThenApplyLeavesTheQueryEqual();
  void roundTrips_data();
  void roundTrips();
  void duplicateHeadersBlockApplying_data();
  void duplicateHeadersBlockApplying();
  void droppedFieldGetsAUniqueAlias();
  void droppedStarAddsEveryField();
  void dropOnColumnZero();
  void dropOnColumnZeroWhenFull();
  void dropEventFromATableWindow();
  void doubleClickedFieldIsAdded();
  void removingClearsTheMarkerOfTheLastUser();
  void insertAndDeleteKeys();
  void renamedTableFollowsInTheGrid();
  void deletedTableTakesItsColumns();
  void movedColumnReordersValues();
  void rowsBelowTheFiltersCannotBeSelected();
  void popupMenuCommands();
  void disabledSavingSucceedsWithoutSaving_data();
  void disabledSavingSucceedsWithoutSaving();
  void saveQuestion_data();
  void saveQuestion();
  void saveMethodQuestion_data();
  void saveMethodQuestion();
  void saveAsThenOpenGivesTheSameQuery();
  void saveAsNamesTheFileWritten_data();
  void saveAsNamesTheFileWritten();
  void cancelledDialogsChangeNothing();
  void brokenFileLeavesTheDocument();
  void customSaveAndOpen();
  void fileFilter_data();
  void fileFilter();
  void newQueryEmptiesEverything();
  void pictures();
  void splitterPositionIsKeptPerUser();
};

void TestQueryEditor::initTestCase() {
  // The layout preference goes to a test folder, starting from the default share.
  QStandardPaths::setTestModeEnabled(true);
  QSettings(QSettings::IniFormat, QSettings::UserScope, QStringLiteral("Pellox"),
            QStringLiteral("layout"))
      .clear();
}

void TestQueryEditor::createdLayout() {
  TzelQueryEditor editor;
  QCOMPARE(editor.size(), QSize(625, 353));
  QCOMPARE(editor.grdValues->rowCount(), 53);
  QCOMPARE(editor.grdValues->columnCount(), 31);
  QVERIFY(editor.grdValues->columnWidth(0) >= 50);
  QCOMPARE(editor.grdValues->columnWidth(5), 100);
  QCOMPARE(editor.cell(0, 0), QStringLiteral(" Header"));
  QCOMPARE(editor.cell(0, 24), QStringLiteral(" Filter 20"));
  QCOMPARE(editor.cell(0, 32), QStringLiteral(" Pos"));
  QVERIFY(!editor.grdValues->isRowHidden(24));
  for (int row = 25; row < 53; ++row)
    QVERIFY(editor.grdValues->isRowHidden(row));
  QVERIFY(editor.panTables->isHidden() && editor.zelVertSplit->isHidden());
  QVERIFY(editor.tabSteps->isHidden());
  QCOMPARE(editor.tabSteps->tabText(0), QStringLiteral("Step 1"));
  QCOMPARE(menuTexts(*editor.popMenu),
           QStringList({"&Insert Value", "&Remove Value", "Edit Properties", "-", "&Help"}));
  QVERIFY(!editor.Modified());
  QCOMPARE(editor.ValueEditorStatus(), zelDialogClose);
  editor.show();
  QVERIFY(QTest::qWaitForWindowExposed(&editor));
  QCOMPARE(editor.zelJoins->height(), qRound(editor.panQuery->height() * 0.6));
  QCOMPARE(editor.zelHorzSplit->y(), editor.zelJoins->height());
  QCOMPARE(editor.grdValues->y(), editor.zelHorzSplit->geometry().bottom() + 1);
  editor.resize(700, 500); // the joins editor keeps 60 % of the height, the grid follows
  QCOMPARE(editor.zelJoins->height(), 300);
  QCOMPARE(editor.zelHorzSplit->y(), 300);
  editor.SetShowJoins(false);
  QVERIFY(editor.zelJoins->isHidden() && editor.zelHorzSplit->isHidden());
  editor.SetShowTables(true);
  QVERIFY(editor.panTables->isVisible() && editor.zelVertSplit->isVisible());
  QCOMPARE(editor.cmbDatabase->geometry().right() + 1, editor.panDatabase->width() - 8);
}

void TestQueryEditor::queryTypeChoosesThePage_data() {
  QTest::addColumn<int>("type");
  QTest::addColumn<int>("page");
  QTest::newRow("select") << int(zelSelect) << 0;
  QTest::newRow("update") << int(zelUpdate) << 0;
  QTest::newRow("script") << int(zelScript) << 1;
}

void TestQueryEditor::queryTypeChoosesThePage() {
  QFETCH(int, type);
  QFETCH(int, page);
  TzelQueryEditor editor;
  editor.SetQueryType(TzelQueryType(type));
  QCOMPARE(editor.nbkQuery->currentIndex(), page);
  QCOMPARE(int(editor.QueryType()), type);
}

void TestQueryEditor::loadFillsTheGrid() {
  QueryEditorSetup s;
  QVERIFY(s.loaded);
  QCOMPARE(s.headers(), step1Headers);
  QCOMPARE(s.editor.zelJoins->tableWindows().size(), 5);
  const int state = s.columnOf(QStringLiteral("State"));
  QCOMPARE(state, 2);
  const QStringList expected{"State", "Customers", "State", "Show", ""};
  for (int row = 0; row < 5; ++row)
    QCOMPARE(s.cell(state, row), expected[row]);
  QCOMPARE(s.cell(state, 5), QStringLiteral("= \"NE\" OR \"WA\" OR \"NY\""));
  QCOMPARE(s.cell(state, 33), QStringLiteral("0|NE|WA|NY|"));
  QCOMPARE(s.cell(state, ValueRow::Index), QStringLiteral("1"));
  QCOMPARE(s.cell(state, ValueRow::Width), QStringLiteral("2"));
  QCOMPARE(s.cell(state, ValueRow::Pos), QStringLiteral("1"));
  QCOMPARE(s.cell(state, ValueRow::Type), QString::number(int(ftString)));
  QCOMPARE(s.cell(1, ValueRow::Sort), QStringLiteral("Ascending"));
  QCOMPARE(s.cell(1, ValueRow::SortOrdinal), QStringLiteral("1"));
  QCOMPARE(s.cell(4, 5), QStringLiteral("LIKE \"Gear\""));
  QCOMPARE(s.cell(4, 33), QStringLiteral("6|Gear|"));
  QCOMPARE(s.cell(5, ValueRow::Align), QString::number(int(taRightJustify)));
  QVERIFY(s.cell(8, ValueRow::Index).isEmpty());
  QVERIFY(s.active("Customers", "State"));
  QVERIFY(s.active("Vendors", "VendorName"));
  QVERIFY(!s.active("Customers", "City"));
  QVERIFY(!s.editor.Modified());
}

void TestQueryEditor::filterDisplayText_data() {
  QTest::addColumn<QString>("raw");
  QTest::addColumn<int>("type");
  QTest::addColumn<QString>("display");
  QTest::newRow("blank") << "  " << int(ftString) << "";
  QTest::newRow("no values") << "0|" << int(ftString) << "";
  QTest::newRow("numbers") << "0|1|2|" << int(ftInteger) << "= 1 OR 2";
  QTest::newRow("between") << "1|10|20|" << int(ftInteger) << "BETWEEN 10 AND 20";
  QTest::newRow("not equal") << "7|A|B|" << int(ftString) << "<> \"A\" AND \"B\"";
  QTest::newRow("not like") << "9|A%|" << int(ftString) << "NOT LIKE \"A%\"";
  QTest::newRow("keywords") << "0|blank|Space|TODAY|" << int(ftString)
                            << "= blank OR Space OR TODAY";
  QTest::newRow("parameters") << "0|[Name]|Who?]|" << int(ftString) << "= [Name] OR Who?]";
  QTest::newRow("text after the last bar") << "2|5|6" << int(ftInteger) << "> 5";
}

void TestQueryEditor::filterDisplayText() {
  QFETCH(QString, raw);
  QFETCH(int, type);
  QFETCH(QString, display);
  QCOMPARE(FilterDisplayText(raw, TFieldType(type)), display);
}

void TestQueryEditor::loadThenApplyLeavesTheQueryEqual() {
  QueryEditorSetup s;
  const QString before = s.storedQuery();
  QVERIFY(s.editor.ApplyValues());
  QCOMPARE(s.storedQuery(), before);
  s.editor.LoadQuery();
  QVERIFY(s.editor.ApplyValues());
  QCOMPARE(s.storedQuery(), before);
  QVERIFY(s.rec.messages.isEmpty());
}

void TestQueryEditor::roundTrips_data() {
  QTest::addColumn<int>("example");
  QTest::newRow("joined, LIKE filter") << 1;
  QTest::newRow("grouped, summed, two filter rows") << 2;
  QTest::newRow("outer join on two pairs") << 3;
  QTest::newRow("every kind of value") << 4;
}

void TestQueryEditor::roundTrips() {
  QFETCH(int, example);
  QTemporaryDir dir;
  QueryEditorSetup s(false);
  DocumentDialogsScope dialogs;
  auto model = makePartsModel(zelParadox, true);
  s.querion.SetDataModel(model.get());
  const std::function<void(TzelQuery &)> fills[] = {fillExample1, fillExample2, fillExample3,
                                                    fillMixed};
  fills[example - 1](*s.query());
  s.editor.LoadQuery();
  const QString before = s.storedQuery();
  QVERIFY(s.editor.ApplyValues());
  QCOMPARE(s.storedQuery(), before);

  const QString path = dir.filePath(QStringLiteral("q.zel"));
  dialogs->files << path;
  QVERIFY(s.editor.FileSave(true, false));
  const QString text = fileText(path);
  QVERIFY(s.editor.FileNew(false, true));
  dialogs->files << path;
  QVERIFY(s.editor.FileOpen());
  QCOMPARE(s.storedQuery(), before);
  QVERIFY(s.editor.ApplyValues());
  QCOMPARE(s.storedQuery(), before);
  dialogs->files << path;
  QVERIFY(s.editor.FileSave(true, false));
  QCOMPARE(fileText(path), text);
  QVERIFY(s.rec.messages.isEmpty());
}

void TestQueryEditor::duplicateHeadersBlockApplying_data() {
  QTest::addColumn<QString>("header");
  QTest::addColumn<QString>("named");
  QTest::newRow("case only") << "COMPANY"
                             << "Company";
  QTest::newRow("same") << "Company"
                        << "Company";
}

void TestQueryEditor::duplicateHeadersBlockApplying() {
  QFETCH(QString, header);
  QFETCH(QString, named);
  QueryEditorSetup s;
  const QString before = s.storedQuery();
  s.editor.setCell(5, ValueRow::Header, header);
  s.editor.setCell(5, ValueRow::Width, QStringLiteral("99"));
  QVERIFY(!s.editor.ApplyValues());
  QCOMPARE(s.rec.texts(), QStringList{QStringLiteral("Error: The [") + named +
                                      QStringLiteral("] Header is duplicated")});
  QCOMPARE(s.storedQuery(), before);
  QVERIFY(!s.editor.FileSave(true, false)); // saving is blocked too
}

void TestQueryEditor::droppedFieldGetsAUniqueAlias() {
  QueryEditorSetup s;
  QSignalSpy caption(&s.editor, &TzelQueryEditor::OnUpdateCaption);
  s.editor.DropField({QStringLiteral("Customers"), QStringLiteral("City")}, 3);
  s.editor.DropField({QStringLiteral("Customers"), QStringLiteral("City")}, 3);
  QCOMPARE(s.headers(), QStringList({"Company", "State", "City_1", "City", "SaleDate", "PartDesc",
                                     "Qty", "Cost", "VendorName"}));
  QCOMPARE(s.cell(4, ValueRow::Table), QStringLiteral("Customers"));
  QCOMPARE(s.cell(4, ValueRow::Show), QStringLiteral("Show"));
  QCOMPARE(s.cell(4, ValueRow::Index), QStringLiteral("7"));
  QCOMPARE(s.cell(4, ValueRow::Width), QStringLiteral("20"));
  QCOMPARE(s.grid().currentColumn(), 3);
  QVERIFY(s.active("Customers", "City"));
  QVERIFY(s.editor.Modified());
  QVERIFY(s.editor.ApplyValues());
  QCOMPARE(positions(*s.query()),
           QStringLiteral("Company=0,State=1,SaleDate=4,PartDesc=5,Qty=6,Cost=7,VendorName=8,"
                          "City=3,City_1=2"));
  // A field the query does not know is skipped silently.
  s.editor.DropField({QStringLiteral("Customers"), QStringLiteral("Nothing")}, 3);
  s.editor.DropField({QStringLiteral("Nobody"), QStringLiteral("City")}, 3);
  QCOMPARE(s.headers().size(), 9);
  QVERIFY(s.rec.messages.isEmpty());
}

void TestQueryEditor::droppedStarAddsEveryField() {
  QueryEditorSetup s;
  s.editor.DropField({QStringLiteral("Vendors"), QStringLiteral("*")}, 2);
  QCOMPARE(s.headers(), QStringList({"Company", "VendorNo", "VendorName_1", "Address", "City",
                                     "State_1", "Phone", "Preferred", "State", "SaleDate",
                                     "PartDesc", "Qty", "Cost", "VendorName"}));
  QCOMPARE(s.cell(3, ValueRow::Field), QStringLiteral("VendorName"));
  for (const char *field : {"VendorNo", "Address", "Preferred"})
    QVERIFY(s.active("Vendors", field));
}

void TestQueryEditor::dropOnColumnZero() {
  QueryEditorSetup s;
  s.editor.DropField({QStringLiteral("Orders"), QStringLiteral("ShipDate")}, 0);
  QCOMPARE(s.cell(8, ValueRow::Header), QStringLiteral("ShipDate"));
  QCOMPARE(s.grid().columnCount(), 31);
}

void TestQueryEditor::dropOnColumnZeroWhenFull() {
  QueryEditorSetup s;
  for (int c = 8; c < 31; ++c)
    s.editor.setCell(c, ValueRow::Header, QStringLiteral("X%1").arg(c));
  s.editor.DropField({QStringLiteral("Orders"), QStringLiteral("ShipDate")}, 0);
  QCOMPARE(s.grid().columnCount(), 42);
  QCOMPARE(s.cell(31, ValueRow::Header), QStringLiteral("ShipDate"));
  QCOMPARE(s.grid().currentColumn(), 31);
}

void TestQueryEditor::dropEventFromATableWindow() {
  QueryEditorSetup s;
  QTableWidget &grid = s.grid();
  QVERIFY(dropOn(grid.viewport(), cellCentre(grid, 2), QStringLiteral("Orders"),
                 QStringLiteral("ShipDate")));
  QCOMPARE(s.cell(2, ValueRow::Header), QStringLiteral("ShipDate"));
  QCOMPARE(s.cell(3, ValueRow::Header), QStringLiteral("State"));
  QVERIFY(dropOn(grid.viewport(), cellCentre(grid, 0), QStringLiteral("Orders"),
                 QStringLiteral("Paid")));
  QCOMPARE(s.cell(9, ValueRow::Header), QStringLiteral("Paid"));
  // Other drags are refused.
  QMimeData text;
  text.setText(QStringLiteral("Orders.Paid"));
  QDragEnterEvent enter(cellCentre(grid, 2), Qt::CopyAction, &text, Qt::LeftButton, {});
  QApplication::sendEvent(grid.viewport(), &enter);
  QVERIFY(!enter.isAccepted());
}

void TestQueryEditor::doubleClickedFieldIsAdded() {
  QueryEditorSetup s;
  TzelTableList *orders = s.list("Orders");
  const int row = orders->rowOf(QStringLiteral("ShipDate"));
  clickRow(orders, row);
  QTest::mouseDClick(orders->viewport(), Qt::LeftButton, {}, rowCentre(*orders, row));
  QCOMPARE(s.cell(8, ValueRow::Header), QStringLiteral("ShipDate"));
  QVERIFY(s.active("Orders", "ShipDate"));
}

void TestQueryEditor::removingClearsTheMarkerOfTheLastUser() {
  QueryEditorSetup s;
  s.editor.DropField({QStringLiteral("Parts"), QStringLiteral("Cost")}, 0);
  QCOMPARE(s.cell(8, ValueRow::Header), QStringLiteral("Cost_1"));
  s.editor.SelectCell(8, 0);
  s.editor.RemoveValue();
  QVERIFY(s.active("Parts", "Cost")); // column 6 still uses it
  QVERIFY(s.query()->GetValue(7)->Deleted());
  s.editor.SelectCell(6, 0);
  s.editor.RemoveValue();
  QVERIFY(!s.active("Parts", "Cost"));
  QCOMPARE(s.headers(),
           QStringList({"Company", "State", "SaleDate", "PartDesc", "Qty", "VendorName"}));
  QCOMPARE(s.grid().columnCount(), 30);
  QVERIFY(s.editor.ApplyValues());
  QVERIFY(!s.storedQuery().contains(QStringLiteral("'Cost'")));
  QCOMPARE(s.query()->GetValue(6)->Position(), 5);
}

void TestQueryEditor::insertAndDeleteKeys() {
  QueryEditorSetup s;
  s.grid().setFocus();
  s.editor.SelectCell(2, 0);
  QTest::keyClick(s.grid().viewport(), Qt::Key_Insert);
  QVERIFY(s.cell(2, ValueRow::Header).isEmpty());
  QCOMPARE(s.cell(3, ValueRow::Header), QStringLiteral("State"));
  QCOMPARE(s.grid().columnCount(), 32);
  QVERIFY(s.editor.Modified());
  s.editor.SelectCell(3, 0);
  QTest::keyClick(s.grid().viewport(), Qt::Key_Delete);
  QCOMPARE(s.headers(),
           QStringList({"Company", "SaleDate", "PartDesc", "Qty", "Cost", "VendorName"}));
  QVERIFY(!s.active("Customers", "State"));
}

void TestQueryEditor::renamedTableFollowsInTheGrid() {
  QueryEditorSetup s;
  const auto rename = [&s](const char *from, const char *to) {
    clickRow(s.list(from), 1);
    s.rec.inputAnswers << QString::fromLatin1(to);
    s.editor.RenameTable();
  };
  rename("Customers", "Cust");
  QCOMPARE(s.cell(1, ValueRow::Table), QStringLiteral("Cust"));
  s.editor.setCell(8, ValueRow::Header, QStringLiteral("Twice"));
  s.editor.setCell(8, ValueRow::Field, QStringLiteral("Cust.Amt*2"));
  s.editor.setCell(9, ValueRow::Header, QStringLiteral("Next"));
  s.editor.setCell(9, ValueRow::Field, QStringLiteral("CustNo + Cust.CustNo"));
  rename("Cust", "Customer");
  QCOMPARE(s.cell(8, ValueRow::Field), QStringLiteral("Customer.Amt*2"));
  QCOMPARE(s.cell(9, ValueRow::Field), QStringLiteral("CustomerNo + Customer.CustomerNo"));
  QCOMPARE(s.cell(1, ValueRow::Table), QStringLiteral("Customer"));
  QCOMPARE(s.cell(3, ValueRow::Table), QStringLiteral("Orders"));
  QVERIFY(s.editor.ApplyValues());
  QCOMPARE(s.query()->GetValue(0)->TableAlias(), QStringLiteral("Customer"));
}

void TestQueryEditor::deletedTableTakesItsColumns() {
  QueryEditorSetup s;
  clickRow(s.list("Parts"), 1);
  s.rec.answers << TzelAnswer::Yes;
  s.editor.RemoveTable();
  QTRY_VERIFY(!s.editor.zelJoins->FindTableWindow(QStringLiteral("Parts")));
  QCOMPARE(s.headers(), QStringList({"Company", "State", "SaleDate", "Qty", "VendorName"}));
  QCOMPARE(s.grid().columnCount(), 30);
  QVERIFY(s.editor.ApplyValues());
  QVERIFY(s.query()->GetValue(3)->Deleted());
}

void TestQueryEditor::movedColumnReordersValues() {
  QueryEditorSetup s;
  s.grid().horizontalHeader()->moveSection(1, 3);
  QCOMPARE(s.headers(),
           QStringList({"State", "SaleDate", "Company", "PartDesc", "Qty", "Cost", "VendorName"}));
  QCOMPARE(s.grid().horizontalHeader()->visualIndex(3), 3); // the view order stays plain
  QCOMPARE(s.cell(3, ValueRow::Sort), QStringLiteral("Ascending"));
  QVERIFY(s.editor.Modified());
  QVERIFY(s.editor.ApplyValues());
  QCOMPARE(positions(*s.query()), QStringLiteral("Company=2,State=0,SaleDate=1,PartDesc=3,Qty=4,"
                                                 "Cost=5,VendorName=6"));
  s.grid().horizontalHeader()->moveSection(2, 0); // the titles stay first
  QCOMPARE(s.cell(0, 0), QStringLiteral(" Header"));
}

void TestQueryEditor::rowsBelowTheFiltersCannotBeSelected() {
  QueryEditorSetup s;
  s.grid().setCurrentCell(30, 2);
  QCOMPARE(s.grid().currentRow(), 24);
  s.grid().setCurrentCell(3, 0);
  QCOMPARE(s.grid().currentColumn(), 1);
}

void TestQueryEditor::popupMenuCommands() {
  QueryEditorSetup s;
  const QList<QAction *> actions = s.editor.popMenu->actions();
  s.editor.SelectCell(2, 0);
  actions[0]->trigger(); // insert
  QVERIFY(s.cell(2, ValueRow::Header).isEmpty());
  actions[1]->trigger(); // remove the inserted column again
  QCOMPARE(s.headers(), step1Headers);
  actions[4]->trigger();
  QCOMPARE(s.help.calls.size(), 1);
  QCOMPARE(s.help.calls[0].context, 34);
  QVERIFY(!s.editor.valueEditor());
  actions[2]->trigger(); // edit properties
  QVERIFY(s.editor.valueEditor() && s.editor.valueEditor()->isVisible());
  QCOMPARE(s.editor.valueEditor()->column(), 2);
  s.editor.SetValueEditorStatus(zelDialogClose);
  QTest::mouseClick(s.grid().viewport(), Qt::LeftButton, {}, cellCentre(s.grid(), 3, 1));
  QTest::mouseDClick(s.grid().viewport(), Qt::LeftButton, {}, cellCentre(s.grid(), 3, 1));
  QCOMPARE(s.grid().currentColumn(), 3);
  QVERIFY(s.editor.valueEditor());
  QCOMPARE(s.editor.ValueEditorStatus(), zelDialogShow);
  // Adding a table closes the value editor first.
  whenModal([](QWidget *w) { w->close(); });
  s.editor.AddTable();
  QVERIFY(!s.editor.valueEditor());
}

void TestQueryEditor::disabledSavingSucceedsWithoutSaving_data() {
  QTest::addColumn<int>("command");
  QTest::newRow("save") << 0;
  QTest::newRow("save as") << 1;
  QTest::newRow("save, asking") << 2;
  QTest::newRow("new") << 3;
  QTest::newRow("open") << 4;
}

void TestQueryEditor::disabledSavingSucceedsWithoutSaving() {
  QFETCH(int, command);
  QueryEditorSetup s;
  DocumentDialogsScope dialogs;
  s.editor.EnableSave = false;
  s.editor.SetModified(true);
  s.editor.setCell(1, ValueRow::Header, QStringLiteral("Company"));
  switch (command) {
  case 0:
    QVERIFY(s.editor.FileSave(false, false));
    break;
  case 1:
    QVERIFY(s.editor.FileSave(true, false));
    break;
  case 2:
    QVERIFY(s.editor.FileSave(false, true));
    break;
  case 3:
    QVERIFY(s.editor.FileNew(true, true));
    break;
  case 4:
    QVERIFY(!s.editor.FileOpen()); // the open dialog is cancelled
    QCOMPARE(dialogs->requests.size(), 1);
    break;
  }
  QVERIFY(s.rec.messages.isEmpty());
  QCOMPARE(dialogs->requests.size(), command == 4 ? 1 : 0);
}

void TestQueryEditor::saveQuestion_data() {
  QTest::addColumn<QString>("fileName");
  QTest::addColumn<bool>("toForm");
  QTest::addColumn<int>("answer");
  QTest::addColumn<bool>("result");
  QTest::addColumn<bool>("saved");
  QTest::addColumn<QString>("question");
  QTest::newRow("file, yes") << "q.zel" << false << int(TzelAnswer::Yes) << true << true
                             << "Save changes to %1?";
  QTest::newRow("file, no") << "q.zel" << false << int(TzelAnswer::No) << true << false
                            << "Save changes to %1?";
  QTest::newRow("file, cancel") << "q.zel" << false << int(TzelAnswer::Cancel) << false << false
                                << "Save changes to %1?";
  QTest::newRow("untitled, yes") << "" << false << int(TzelAnswer::Yes) << false << false
                                 << "Save changes to Untitled?";
  QTest::newRow("form, yes") << "" << true << int(TzelAnswer::Yes) << true << true
                             << "Save changes to Form?";
}

void TestQueryEditor::saveQuestion() {
  QFETCH(QString, fileName);
  QFETCH(bool, toForm);
  QFETCH(int, answer);
  QFETCH(bool, result);
  QFETCH(bool, saved);
  QFETCH(QString, question);
  QTemporaryDir dir;
  QueryEditorSetup s;
  DocumentDialogsScope dialogs;
  TzelQuerion source;
  s.editor.SetSourceQuerion(&source);
  s.editor.SaveToForm = toForm;
  const QString path = fileName.isEmpty() ? QString() : dir.filePath(fileName);
  s.editor.FileName = path;
  s.editor.SetModified(true);
  s.rec.answers << TzelAnswer(answer);
  QCOMPARE(s.editor.FileSave(false, true), result);
  QCOMPARE(s.rec.texts(), QStringList{question.arg(path)});
  QCOMPARE(s.rec.messages.first().buttons, TzelButtons::YesNoCancel);
  const bool written = toForm ? source.CurrentQuery()->ValueCount() == 7 : QFile::exists(path);
  QCOMPARE(written, saved);
  QCOMPARE(s.editor.Modified(), !saved);
  // The untitled query goes on to the save dialog, cancelled here.
  QCOMPARE(dialogs->requests.size(), fileName.isEmpty() && !toForm ? 1 : 0);
}

void TestQueryEditor::saveMethodQuestion_data() {
  QTest::addColumn<int>("method");
  QTest::addColumn<bool>("result");
  QTest::addColumn<bool>("toForm");
  QTest::addColumn<bool>("fileWritten");
  QTest::addColumn<bool>("stillAsks");
  QTest::newRow("form") << int(TzelSaveMethod::Form) << true << true << false << false;
  QTest::newRow("file") << int(TzelSaveMethod::File) << true << false << true << false;
  QTest::newRow("no") << int(TzelSaveMethod::No) << true << true << false << true;
  QTest::newRow("cancel") << int(TzelSaveMethod::Cancel) << false << true << false << true;
}

void TestQueryEditor::saveMethodQuestion() {
  QFETCH(int, method);
  QFETCH(bool, result);
  QFETCH(bool, toForm);
  QFETCH(bool, fileWritten);
  QFETCH(bool, stillAsks);
  QTemporaryDir dir;
  QueryEditorSetup s;
  DocumentDialogsScope dialogs;
  TzelQuerion source;
  s.editor.SetSourceQuerion(&source);
  s.editor.AskSaveMethod = true;
  s.editor.SaveToForm = true;
  s.editor.FileName = dir.filePath(QStringLiteral("m.zel"));
  s.editor.SetModified(true);
  dialogs->methods << TzelSaveMethod(method);
  QCOMPARE(s.editor.FileSave(false, true), result);
  QCOMPARE(dialogs->methodQuestions, 1);
  QVERIFY(s.rec.messages.isEmpty()); // the method question replaces the plain one
  QCOMPARE(s.editor.SaveToForm, toForm);
  QCOMPARE(QFile::exists(dir.filePath(QStringLiteral("m.zel"))), fileWritten);
  QCOMPARE(s.editor.AskSaveMethod, stillAsks);
  if (method == int(TzelSaveMethod::Form)) {
    QVERIFY(s.editor.FileName.isEmpty());
    QCOMPARE(source.CurrentQuery()->ValueCount(), 7);
  }
}

void TestQueryEditor::saveAsThenOpenGivesTheSameQuery() {
  QTemporaryDir dir;
  QueryEditorSetup s;
  DocumentDialogsScope dialogs;
  QSignalSpy caption(&s.editor, &TzelQueryEditor::OnUpdateCaption);
  s.editor.DropField({QStringLiteral("Orders"), QStringLiteral("Paid")}, 0);
  const QString path = dir.filePath(QStringLiteral("step.zel"));
  dialogs->files << path;
  QVERIFY(s.editor.FileSave(true, false));
  QCOMPARE(dialogs->requests.first().title, QStringLiteral("Save As"));
  QCOMPARE(dialogs->requests.first().filter,
           QStringLiteral("Query (*.zel)|*.zel|All Files (*.*)|*.*"));
  QCOMPARE(s.editor.FileName, path);
  QCOMPARE(caption.size(), 1);
  QVERIFY(!s.editor.Modified());
  const QString stored = s.storedQuery();
  const QString text = fileText(path);
  QVERIFY(text.contains(QStringLiteral("'Paid'")));

  QVERIFY(s.editor.FileNew(false, true));
  QVERIFY(s.editor.FileName.isEmpty());
  QVERIFY(s.headers().isEmpty());
  s.querion.Labels()->SetNumberAcross(3); // a label sheet of the new query does not stay
  dialogs->files << path;
  QVERIFY(s.editor.FileOpen());
  QCOMPARE(s.querion.Labels()->NumberAcross(), 0);
  QCOMPARE(dialogs->requests.last().fileName, QString());
  QCOMPARE(s.editor.FileName, path);
  QCOMPARE(s.storedQuery(), stored);
  QCOMPARE(s.headers().size(), 8);
  QCOMPARE(s.editor.zelJoins->tableWindows().size(), 5);
  QVERIFY(!s.editor.Modified());
  // Saving the opened query again writes the same text.
  QVERIFY(s.editor.FileSave(true, false) == false); // no answer: the dialog is cancelled
  dialogs->files << path;
  QVERIFY(s.editor.FileSave(true, false));
  QCOMPARE(fileText(path), text);
  QVERIFY(s.rec.messages.isEmpty());
}

void TestQueryEditor::saveAsNamesTheFileWritten_data() {
  QTest::addColumn<QString>("typed");
  QTest::addColumn<bool>("report");
  QTest::addColumn<QString>("written");
  QTest::newRow("no extension") << "task3" << false << "task3.zel";
  QTest::newRow("report") << "task3" << true << "task3.kvt";
  QTest::newRow("extension typed") << "task3.zel" << false << "task3.zel";
}

void TestQueryEditor::saveAsNamesTheFileWritten() {
  QFETCH(QString, typed);
  QFETCH(bool, report);
  QFETCH(QString, written);
  QTemporaryDir dir;
  QueryEditorSetup s;
  DocumentDialogsScope dialogs;
  s.querion.SetReportMode(report);
  dialogs->files << dir.filePath(typed);
  QVERIFY(s.editor.FileSave(true, false));
  QVERIFY(QFileInfo::exists(dir.filePath(written)));
  QCOMPARE(s.editor.FileName, dir.filePath(written));
  QVERIFY(s.rec.messages.isEmpty());
  if (typed == written)
    return; // the dialog asks about the name typed
  // Typed again, the file it names is there: replaced only when the user agrees.
  const QString before = fileText(dir.filePath(written));
  s.editor.DropField({QStringLiteral("Orders"), QStringLiteral("Paid")}, 0);
  for (const TzelAnswer answer : {TzelAnswer::No, TzelAnswer::Yes}) {
    dialogs->files << dir.filePath(typed);
    s.rec.answers << answer;
    QCOMPARE(s.editor.FileSave(true, false), answer == TzelAnswer::Yes);
    QCOMPARE(fileText(dir.filePath(written)) == before, answer == TzelAnswer::No);
  }
  QCOMPARE(s.rec.texts().size(), 2);
  QCOMPARE(s.rec.lastText(), QStringLiteral("The file ") + written +
                                 QStringLiteral(" already exists.\r\rDo you want to replace it?"));
}

void TestQueryEditor::cancelledDialogsChangeNothing() {
  QueryEditorSetup s;
  DocumentDialogsScope dialogs;
  s.editor.FileName = QStringLiteral("/tmp/kept.zel");
  const QString stored = s.storedQuery();
  QVERIFY(!s.editor.FileOpen());
  QVERIFY(!s.editor.FileSave(true, false));
  QCOMPARE(s.editor.FileName, QStringLiteral("/tmp/kept.zel"));
  QCOMPARE(s.storedQuery(), stored);
  QCOMPARE(s.headers(), step1Headers);
}

void TestQueryEditor::brokenFileLeavesTheDocument() {
  QTemporaryDir dir;
  QueryEditorSetup s;
  DocumentDialogsScope dialogs;
  const QString broken = dir.filePath(QStringLiteral("broken.zel"));
  QFile file(broken);
  QVERIFY(file.open(QIODevice::WriteOnly));
  file.write("object zelQuerion1: TzelQuerion\r\n  object TzelQuery\r\n    QueryName = \r\n");
  file.close();
  s.editor.FileName = QStringLiteral("/tmp/open.zel");
  s.editor.setCell(2, ValueRow::Format, QStringLiteral("unsaved edit"));
  QVERIFY(s.editor.ApplyValues()); // what opening does first
  const QString stored = s.storedQuery();
  dialogs->files << broken;
  QVERIFY(!s.editor.FileOpen());
  QCOMPARE(s.rec.messages.size(), 1);
  QCOMPARE(s.rec.lastText(),
           QStringLiteral("Error: ") + broken + ": Line 3: Missing value of property [QueryName]");
  QCOMPARE(s.editor.FileName, QStringLiteral("/tmp/open.zel"));
  QCOMPARE(s.storedQuery(), stored);
  QCOMPARE(s.headers(), step1Headers);
  QCOMPARE(s.cell(2, ValueRow::Format), QStringLiteral("unsaved edit"));
  QCOMPARE(s.editor.zelJoins->tableWindows().size(), 5);
}

void TestQueryEditor::customSaveAndOpen() {
  QueryEditorSetup s;
  TzelQuerion source;
  s.editor.SetSourceQuerion(&source);
  QObject *sender = nullptr;
  int saves = 0;
  connect(&s.querion, &TzelQuerion::OnCustomSave, this, [&](QObject *from) {
    sender = from;
    ++saves;
  });
  connect(&s.querion, &TzelQuerion::OnCustomOpen, this, [&](QObject *from) { sender = from; });
  s.editor.SetModified(true);
  QVERIFY(s.editor.FileSave(false, true));
  QCOMPARE(saves, 1);
  QCOMPARE(sender, &s.editor);
  QCOMPARE(source.CurrentQuery()->ValueCount(), 7);
  QVERIFY(s.rec.messages.isEmpty());
  // The custom open copies the source back.
  source.CurrentQuery()->GetValue(0)->SetValueAlias(QStringLiteral("Firm"));
  sender = nullptr;
  QVERIFY(s.editor.FileOpen());
  QCOMPARE(sender, &s.editor);
  QCOMPARE(s.headers().first(), QStringLiteral("Firm"));
}

void TestQueryEditor::fileFilter_data() {
  QTest::addColumn<QString>("extension");
  QTest::addColumn<bool>("report");
  QTest::addColumn<QString>("filter");
  QTest::newRow("default") << "" << false << "Query (*.zel)|*.zel|All Files (*.*)|*.*";
  QTest::newRow("default report") << "" << true << "Report (*.kvt)|*.kvt|All Files (*.*)|*.*";
  QTest::newRow("pair") << "qry;rpt" << true << "Report (*.rpt)|*.rpt|All Files (*.*)|*.*";
  QTest::newRow("one") << "sql" << true << "Report (*.sql)|*.sql|All Files (*.*)|*.*";
}

void TestQueryEditor::fileFilter() {
  QFETCH(QString, extension);
  QFETCH(bool, report);
  QFETCH(QString, filter);
  QueryEditorSetup s(false);
  s.model->SetDefaultExtension(extension);
  s.model->SetDefaultFolder(QStringLiteral("/tmp"));
  s.querion.SetReportMode(report);
  QCOMPARE(s.editor.fileFilter(), filter);
  DocumentDialogsScope dialogs;
  QVERIFY(!s.editor.FileOpen());
  QCOMPARE(dialogs->requests.first().folder, QStringLiteral("/tmp"));
  QCOMPARE(zelQtNameFilters(filter).size(), 2);
}

void TestQueryEditor::newQueryEmptiesEverything() {
  QueryEditorSetup s;
  QSignalSpy caption(&s.editor, &TzelQueryEditor::OnUpdateCaption);
  s.editor.FileName = QStringLiteral("x.zel");
  QVERIFY(s.editor.FileNew(false, false));
  QCOMPARE(caption.size(), 0);
  QCOMPARE(s.editor.FileName, QStringLiteral("x.zel"));
  QVERIFY(s.editor.zelJoins->tableWindows().isEmpty());
  QCOMPARE(s.query()->ValueCount(), 0);
  QVERIFY(s.headers().isEmpty());
  QVERIFY(!s.editor.Modified());
  QVERIFY(s.editor.FileNew(false, true));
  QCOMPARE(caption.size(), 1);
  QVERIFY(s.editor.FileName.isEmpty());
}

// The panel holding "Step 1" and the value editor on its pages, saved when ZEL_SCREENSHOT_DIR
// names a folder.
void TestQueryEditor::pictures() {
  const QString folder = qEnvironmentVariable("ZEL_SCREENSHOT_DIR");
  if (folder.isEmpty())
    QSKIP("ZEL_SCREENSHOT_DIR is not set");
  QueryEditorSetup s;
  s.editor.resize(760, 520);
  int left = 8;
  for (TzelTableForm *window : s.editor.zelJoins->tableWindows()) {
    window->move(left, 8);
    left += 148;
  }
  TfrmZelValueEditor *ve = s.openValueEditor(s.columnOf(QStringLiteral("State")), 5);
  ve->tabMain->setCurrentIndex(TfrmZelValueEditor::pageFilter);
  ve->grdFilter->setCurrentCell(TfrmZelValueEditor::rowCommand, 1);
  QTest::qWait(50);
  const QPixmap panel = s.editor.grab();
  const QPixmap filter = ve->grab();
  QVERIFY(panel.save(folder + QStringLiteral("/queryeditor-step1.png")));
  QVERIFY(filter.save(folder + QStringLiteral("/valueeditor-filter.png")));
  // Both together, the tool window beside the panel as a user places it.
  QPixmap both(panel.width() + 8 + filter.width(), qMax(panel.height(), filter.height()));
  both.fill(Qt::darkGray);
  QPainter painter(&both);
  painter.drawPixmap(0, 0, panel);
  painter.drawPixmap(panel.width() + 8, 0, filter);
  painter.end();
  QVERIFY(both.save(folder + QStringLiteral("/queryeditor-step1-filter.png")));
  ve->tabMain->setCurrentIndex(TfrmZelValueEditor::pageValue);
  ve->grdValue->setCurrentCell(TfrmZelValueEditor::rowShow, 1);
  QVERIFY(ve->grab().save(folder + QStringLiteral("/valueeditor-value.png")));
  ve->tabMain->setCurrentIndex(TfrmZelValueEditor::pageExpression);
  ve->tabExpression->setCurrentIndex(1);
  QVERIFY(ve->grab().save(folder + QStringLiteral("/valueeditor-expression.png")));
  // Scrolled to the last value, the row titles stay at the left.
  s.editor.SelectCell(s.columnOf(QStringLiteral("VendorName")) + 3, 5);
  QTest::qWait(50);
  QVERIFY(s.editor.grab().save(folder + QStringLiteral("/queryeditor-scrolled.png")));
}
void TestQueryEditor::splitterPositionIsKeptPerUser() {
  {
    TzelQueryEditor editor;
    editor.resize(700, 500);
    editor.show();
    QVERIFY(QTest::qWaitForWindowExposed(&editor));
    TzelHorzSplit *bar = editor.zelHorzSplit;
    QTest::mousePress(bar, Qt::LeftButton, {}, QPoint(5, 2));
    QTest::mouseMove(bar, QPoint(5, 380 - bar->y()));
    QTest::mouseRelease(bar, Qt::LeftButton, {}, QPoint(5, 2));
    QCOMPARE(editor.zelJoins->height(), 380);
    editor.resize(700, 250); // the share stays: 76 %
    QCOMPARE(editor.zelJoins->height(), 190);
  }
  TzelQueryEditor next; // the next window, or the next run, opens as the user left it
  next.resize(700, 500);
  next.show();
  QVERIFY(QTest::qWaitForWindowExposed(&next));
  QCOMPARE(next.zelJoins->height(), 380);
  QSettings(QSettings::IniFormat, QSettings::UserScope, QStringLiteral("Pellox"),
            QStringLiteral("layout"))
      .clear();
}

QTEST_MAIN(TestQueryEditor)
#include "tst_zelqueryeditor.moc"
