// SPDX-License-Identifier: MIT
// The value editor over the "Step 1" grid: what it shows of a column, the in-place editors, the
// filter commands and their value rows, the checks of applying, field values turned into
// expressions, building expressions by double clicks, the menu and help.
#include "tst_zelqueryeditor_fixture.h"

#include "controls/stringgrid.h"
#include "controls/zelspinedit.h"
#include "controls/zeltabletree.h"

#include <QAction>
#include <QComboBox>
#include <QLineEdit>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QTabWidget>
#include <QTemporaryDir>
#include <QtTest>

namespace {

using VE = TfrmZelValueEditor;

// What a user's choice in a combo box does.
void choose(QComboBox *combo, const QString &text) {
  const int index = combo->findText(text);
  QVERIFY2(index >= 0, qPrintable(text));
  combo->setCurrentIndex(index);
  emit combo->activated(index);
}

QString prop(const VE &ve, int row) {
  return zelCellText(*ve.grdValue, row, 1);
}

QString filterValue(const VE &ve, int row) {
  return zelCellText(*ve.grdFilter, row, 1);
}

// Types a text into a cell as the cell editor would leave it.
void type(QTableWidget *grid, int row, const QString &text) {
  grid->setCurrentCell(row, 1);
  grid->item(row, 1)->setText(text);
}

// Types into the cell editor opened on the cell, leaving the editor open.
void typeInOpenEditor(VE &ve, QTableWidget *grid, int row, const QString &text) {
  ve.tabMain->setCurrentIndex(grid == ve.grdValue ? VE::pageValue : VE::pageFilter);
  grid->setCurrentCell(row, 1);
  auto *edit = qobject_cast<QLineEdit *>(grid->indexWidget(grid->currentIndex()));
  QVERIFY(edit);
  edit->setText(text);
}

void selectCommand(VE &ve, const QString &command) {
  ve.tabMain->setCurrentIndex(VE::pageFilter);
  ve.grdFilter->setCurrentCell(VE::rowCommand, 1);
  choose(ve.cmbCommand, command);
}

QStringList filterValues(const VE &ve) {
  QStringList values;
  for (int i = 0; i < ve.filterValueRows(); ++i)
    values << filterValue(ve, VE::rowFirstValue + i);
  while (!values.isEmpty() && values.last().isEmpty())
    values.removeLast();
  return values;
}

} // namespace

class TestValueEditor : public QObject {
  Q_OBJECT
private slots:
  void windowAndPages();
  void showsAFieldColumn();
  void showsAnEmptyColumn();
  void comboAndSpinLaidOverTheCell_data();
  void comboAndSpinLaidOverTheCell();
  void onlyTheValueColumnIsSelected();
  void commandSetsValueRows_data();
  void commandSetsValueRows();
  void switchingCommandKeepsTheValuesThatFit();
  void nullAndNilStoreBlank_data();
  void nullAndNilStoreBlank();
  void blankWithAComparisonIsRefused_data();
  void blankWithAComparisonIsRefused();
  void blankHeaderIsRefused();
  void propertiesWrittenIntoTheGrid();
  void distinctGoesStraightToTheQuery();
  void fieldTurnedIntoExpressionStaysTheSameValue();
  void untouchedEmptyColumnAddsNothing();
  void typedExpressionBecomesANewValue();
  void insertionSpacing_data();
  void insertionSpacing();
  void fieldDoubleClickQuotesOnlyWhereNeeded_data();
  void fieldDoubleClickQuotesOnlyWhereNeeded();
  void functionsAndOperators();
  void droppedFieldGoesIntoTheExpression();
  void movingToAnotherFilterPosition();
  void choosingAHeaderMovesToItsColumn();
  void failedApplyKeepsTheHeader();
  void menuClearAndRestore();
  void helpContextPerPage_data();
  void helpContextPerPage();
  void closingAppliesOrStaysOpen();
  void inPlaceEditorsReadAsTheirRows();
  void escapeInTheOpenEditorClosesAsTheCloseButton();
  void deactivationApplies();
  void filterValueWithQuotesSurvives();
  void openCellEditorIsApplied();
  void openCellEditorFollowsTheColumn();
  void openCellEditorIsCheckedOnEveryPath_data();
  void openCellEditorIsCheckedOnEveryPath();
  void clearedHeaderLeavesNoSharedPosition();
  void blankExpression_data();
  void blankExpression();
};

void TestValueEditor::windowAndPages() {
  QueryEditorSetup s;
  VE *ve = s.openValueEditor(1);
  QVERIFY(ve);
  QCOMPARE(ve->windowTitle(), QStringLiteral("Value Editor"));
  QVERIFY(ve->windowFlags().testFlag(Qt::Tool));
  QVERIFY(ve->windowFlags().testFlag(Qt::WindowStaysOnTopHint));
  QCOMPARE(ve->tabMain->count(), 3);
  QCOMPARE(ve->tabMain->tabText(0), QStringLiteral("&Value"));
  QCOMPARE(ve->tabMain->tabText(1), QStringLiteral("&Filter"));
  QCOMPARE(ve->tabMain->tabText(2), QStringLiteral("&Expression"));
  QCOMPARE(ve->lstFunctions->count(), 17);
  QCOMPARE(ve->lstFunctions->item(8)->text(),
           QStringLiteral("TRIM(LEADING \" \" FROM Table.Field)"));
  QCOMPARE(ve->lstFunctions->item(16)->text(),
           QStringLiteral("EXTRACT(SECOND FROM Table.DateTime)"));
  QCOMPARE(ve->lstOperators->item(4)->text(), QStringLiteral("( "));
  QCOMPARE(ve->cmbCommand->count(), 10);
  QCOMPARE(ve->cmbFilter->itemText(19), QStringLiteral("Filter 20"));
  QCOMPARE(ve->cmbShow->itemText(13), QStringLiteral("Average (Hide)"));
  // The header list is sorted.
  QCOMPARE(ve->cmbNames->itemText(0), QStringLiteral("Company"));
  QCOMPARE(ve->cmbNames->itemText(6), QStringLiteral("VendorName"));
  QCOMPARE(s.editor.ValueEditorStatus(), zelDialogShow);
}

void TestValueEditor::showsAFieldColumn() {
  QueryEditorSetup s;
  VE *ve = s.openValueEditor(s.columnOf(QStringLiteral("State")), 5);
  QCOMPARE(prop(*ve, VE::rowDistinct), QStringLiteral("False"));
  QCOMPARE(prop(*ve, VE::rowHeader), QStringLiteral("State"));
  QCOMPARE(prop(*ve, VE::rowTable), QStringLiteral("Customers"));
  QCOMPARE(prop(*ve, VE::rowField), QStringLiteral("State"));
  QCOMPARE(prop(*ve, VE::rowType), QStringLiteral("String"));
  QCOMPARE(prop(*ve, VE::rowShow), QStringLiteral("Show"));
  QCOMPARE(prop(*ve, VE::rowSort), QStringLiteral("Unsorted"));
  QCOMPARE(prop(*ve, VE::rowWidth), QStringLiteral("2"));
  QCOMPARE(prop(*ve, VE::rowAlign), QStringLiteral("Left"));
  QCOMPARE(ve->cmbNames->currentText(), QStringLiteral("State"));
  QCOMPARE(filterValue(*ve, VE::rowNumber), QStringLiteral("Filter 1"));
  QCOMPARE(filterValue(*ve, VE::rowCommand), QStringLiteral("Is Equal To"));
  QCOMPARE(filterValues(*ve), QStringList({"NE", "WA", "NY"}));
  QCOMPARE(ve->memExpression->toPlainText(), QStringLiteral("Customers.State"));

  s.editor.SelectCell(s.columnOf(QStringLiteral("Company")), 0);
  QCOMPARE(prop(*ve, VE::rowSort), QStringLiteral("Ascending"));
  QCOMPARE(ve->row(), 5); // rows above the filters count as filter 1
  s.editor.SelectCell(s.columnOf(QStringLiteral("PartDesc")), 5);
  QCOMPARE(filterValue(*ve, VE::rowCommand), QStringLiteral("Is Like"));
  QCOMPARE(filterValues(*ve), QStringList({"Gear"}));
}

void TestValueEditor::showsAnEmptyColumn() {
  QueryEditorSetup s;
  VE *ve = s.openValueEditor(9);
  QCOMPARE(ve->valueIndex(), -1);
  QCOMPARE(prop(*ve, VE::rowHeader), QStringLiteral("Custom"));
  QCOMPARE(prop(*ve, VE::rowTable), QString());
  QCOMPARE(prop(*ve, VE::rowField), QStringLiteral("{Expression}"));
  QCOMPARE(prop(*ve, VE::rowType), QStringLiteral("String"));
  QCOMPARE(prop(*ve, VE::rowWidth), QStringLiteral("25"));
  QCOMPARE(prop(*ve, VE::rowAlign), QStringLiteral("Left"));
  QCOMPARE(ve->cmbNames->currentIndex(), -1);
  QCOMPARE(ve->tabMain->currentIndex(), int(VE::pageExpression));
  QVERIFY(ve->panNames->isVisible());
}

void TestValueEditor::comboAndSpinLaidOverTheCell_data() {
  QTest::addColumn<int>("row");
  QTest::addColumn<QString>("editor");
  QTest::addColumn<QString>("text");
  QTest::newRow("distinct") << int(VE::rowDistinct) << "cmbDistinct"
                            << "False";
  QTest::newRow("type") << int(VE::rowType) << "cmbTypes"
                        << "String";
  QTest::newRow("show") << int(VE::rowShow) << "cmbShow"
                        << "Show";
  QTest::newRow("sort") << int(VE::rowSort) << "cmbSort"
                        << "Ascending";
  QTest::newRow("align") << int(VE::rowAlign) << "cmbAlign"
                         << "Left";
}

void TestValueEditor::comboAndSpinLaidOverTheCell() {
  QFETCH(int, row);
  QFETCH(QString, editor);
  QFETCH(QString, text);
  QueryEditorSetup s;
  VE *ve = s.openValueEditor(s.columnOf(QStringLiteral("Company")));
  ve->grdValue->setCurrentCell(row, 1);
  auto *combo = ve->findChild<QComboBox *>(editor);
  QVERIFY(combo->isVisible());
  QRect cell = ve->grdValue->visualRect(ve->grdValue->model()->index(row, 1));
  cell.setWidth(cell.width() + 2);
  QCOMPARE(combo->geometry(), cell);
  QCOMPARE(combo->currentText(), text);
  // Every other editor of the grid is hidden.
  const QList<QWidget *> editors{ve->cmbDistinct, ve->cmbTypes, ve->cmbShow,
                                 ve->cmbSort,     ve->cmbAlign, ve->spnWidth};
  for (QWidget *other : editors)
    QCOMPARE(other->isVisible(), other == combo);

  ve->grdValue->setCurrentCell(VE::rowWidth, 1);
  QVERIFY(ve->spnWidth->isVisible() && !combo->isVisible());
  QCOMPARE(ve->spnWidth->geometry(),
           ve->grdValue->visualRect(ve->grdValue->model()->index(VE::rowWidth, 1)));
  QCOMPARE(int(ve->spnWidth->Value()), 30);
  ve->spnWidth->UpClick();
  QCOMPARE(prop(*ve, VE::rowWidth), QStringLiteral("31"));
}

void TestValueEditor::onlyTheValueColumnIsSelected() {
  QueryEditorSetup s;
  VE *ve = s.openValueEditor(1);
  ve->grdValue->setCurrentCell(VE::rowFormat, 0);
  QCOMPARE(ve->grdValue->currentColumn(), 1);
  ve->grdFilter->setCurrentCell(VE::rowCommand, 2);
  QCOMPARE(ve->grdFilter->currentColumn(), 1);
  selectCommand(*ve, QStringLiteral("Is Greater Than"));
  QCOMPARE(ve->grdFilter->rowCount(), int(VE::rowFirstValue) + 1);
}

void TestValueEditor::commandSetsValueRows_data() {
  QTest::addColumn<QString>("command");
  QTest::addColumn<int>("rows");
  QTest::addColumn<int>("ordinal");
  const char *commands[] = {
      "Is Equal To",    "Is Between",          "Is Greater Than", "Is Greater or Equal To",
      "Is Less Than",   "Is Less or Equal To", "Is Like",         "Is Not Equal To",
      "Is Not Between", "Is Not Like"};
  const int rows[] = {20, 2, 1, 1, 1, 1, 20, 20, 2, 20};
  for (int i = 0; i < 10; ++i)
    QTest::newRow(commands[i]) << QString::fromLatin1(commands[i]) << rows[i] << i;
}

void TestValueEditor::commandSetsValueRows() {
  QFETCH(QString, command);
  QFETCH(int, rows);
  QFETCH(int, ordinal);
  QueryEditorSetup s;
  const int column = s.columnOf(QStringLiteral("Qty"));
  VE *ve = s.openValueEditor(column, 7);
  selectCommand(*ve, command);
  QCOMPARE(ve->filterValueRows(), rows);
  QCOMPARE(ve->grdFilter->rowCount(), 3 + rows);
  QCOMPARE(zelCellText(*ve->grdFilter, 2 + rows, 0), QStringLiteral("   Value %1").arg(rows));
  type(ve->grdFilter, VE::rowFirstValue, QStringLiteral("10"));
  if (rows > 1)
    type(ve->grdFilter, VE::rowFirstValue + 1, QStringLiteral("20"));
  QVERIFY(ve->ApplyValue());
  const QString raw = rows > 1 ? QStringLiteral("%1|10|20|") : QStringLiteral("%1|10|");
  QCOMPARE(s.cell(column, 7 + ValueRow::RawFilterOffset), raw.arg(ordinal));
  QVERIFY(s.editor.Modified());
}

void TestValueEditor::switchingCommandKeepsTheValuesThatFit() {
  QueryEditorSetup s;
  VE *ve = s.openValueEditor(s.columnOf(QStringLiteral("Qty")), 5);
  ve->tabMain->setCurrentIndex(VE::pageFilter);
  for (int i = 0; i < 5; ++i)
    type(ve->grdFilter, VE::rowFirstValue + i, QString::number(i + 1));
  selectCommand(*ve, QStringLiteral("Is Between"));
  QCOMPARE(filterValues(*ve), QStringList({"1", "2"}));
  selectCommand(*ve, QStringLiteral("Is Equal To"));
  QCOMPARE(filterValues(*ve), QStringList({"1", "2"}));
  QCOMPARE(ve->filterValueRows(), 20);
}

void TestValueEditor::nullAndNilStoreBlank_data() {
  QTest::addColumn<QString>("typed");
  QTest::newRow("null") << "null";
  QTest::newRow("NIL") << "NIL";
  QTest::newRow("Null") << "Null";
}

void TestValueEditor::nullAndNilStoreBlank() {
  QFETCH(QString, typed);
  QueryEditorSetup s;
  const int column = s.columnOf(QStringLiteral("State"));
  VE *ve = s.openValueEditor(column, 6);
  ve->tabMain->setCurrentIndex(VE::pageFilter);
  type(ve->grdFilter, VE::rowFirstValue, typed);
  QVERIFY(ve->ApplyValue());
  QCOMPARE(s.cell(column, 6 + ValueRow::RawFilterOffset), QStringLiteral("0|BLANK|"));
  QCOMPARE(s.cell(column, 6), QStringLiteral("= BLANK"));
  QCOMPARE(filterValue(*ve, VE::rowFirstValue), QStringLiteral("BLANK"));
}

void TestValueEditor::blankWithAComparisonIsRefused_data() {
  QTest::addColumn<QString>("command");
  QTest::addColumn<QString>("typed");
  QTest::newRow("greater, BLANK") << "Is Greater Than"
                                  << "BLANK";
  QTest::newRow("between, blank") << "Is Between"
                                  << "blank";
  QTest::newRow("less, null") << "Is Less Than"
                              << "null"; // null stands for BLANK
  QTest::newRow("not between, NIL") << "Is Not Between"
                                    << "NIL";
}

void TestValueEditor::blankWithAComparisonIsRefused() {
  QFETCH(QString, command);
  QFETCH(QString, typed);
  QueryEditorSetup s;
  const int column = s.columnOf(QStringLiteral("Qty"));
  VE *ve = s.openValueEditor(column, 5);
  selectCommand(*ve, command);
  type(ve->grdFilter, VE::rowFirstValue, typed);
  QVERIFY(!ve->ApplyValue());
  QCOMPARE(s.rec.texts(), QStringList{QStringLiteral("Error: Cannot use BLANK with the [") +
                                      command + QStringLiteral("] command")});
  QVERIFY(s.cell(column, 5 + ValueRow::RawFilterOffset).isEmpty());
  QCOMPARE(filterValue(*ve, VE::rowFirstValue), typed); // the edit is still there
}

void TestValueEditor::blankHeaderIsRefused() {
  QueryEditorSetup s;
  const int column = s.columnOf(QStringLiteral("Cost"));
  VE *ve = s.openValueEditor(column);
  type(ve->grdValue, VE::rowHeader, QStringLiteral("   "));
  QVERIFY(!ve->ApplyValue());
  QCOMPARE(s.rec.lastText(), QStringLiteral("Error: Cannot save a value with a blank Header"));
  QCOMPARE(s.cell(column, ValueRow::Header), QStringLiteral("Cost"));
}

void TestValueEditor::propertiesWrittenIntoTheGrid() {
  QueryEditorSetup s;
  const int column = s.columnOf(QStringLiteral("Cost"));
  VE *ve = s.openValueEditor(column);
  type(ve->grdValue, VE::rowHeader, QStringLiteral("Unit Cost"));
  ve->grdValue->setCurrentCell(VE::rowShow, 1);
  choose(ve->cmbShow, QStringLiteral("Sum (Hide)"));
  ve->grdValue->setCurrentCell(VE::rowSort, 1);
  choose(ve->cmbSort, QStringLiteral("Descending"));
  ve->grdValue->setCurrentCell(VE::rowAlign, 1);
  choose(ve->cmbAlign, QStringLiteral("Center"));
  ve->grdValue->setCurrentCell(VE::rowType, 1);
  choose(ve->cmbTypes, QStringLiteral("Float"));
  type(ve->grdValue, VE::rowFormat, QStringLiteral("#,##0.00"));
  QVERIFY(ve->ApplyValue());
  QCOMPARE(s.cell(column, ValueRow::Header), QStringLiteral("Unit Cost"));
  QCOMPARE(s.cell(column, ValueRow::Show), QStringLiteral("Sum (Hide)"));
  QCOMPARE(s.cell(column, ValueRow::Sort), QStringLiteral("Descending"));
  QCOMPARE(s.cell(column, ValueRow::ShowOrdinal), QString::number(int(zelHideSum)));
  QCOMPARE(s.cell(column, ValueRow::SortOrdinal), QStringLiteral("2"));
  QCOMPARE(s.cell(column, ValueRow::Align), QString::number(int(taCenter)));
  QCOMPARE(s.cell(column, ValueRow::Type), QString::number(int(ftFloat)));
  QCOMPARE(s.cell(column, ValueRow::Format), QStringLiteral("#,##0.00"));
  QVERIFY(s.editor.ApplyValues());
  const TzelQueryValue *value = s.query()->GetValue(s.query()->IndexOfValueAlias("Unit Cost"));
  QCOMPARE(value->Show(), zelHideSum);
  QCOMPARE(value->Sort(), zelSortDescending);
  QCOMPARE(value->Alignment(), taCenter);
  QCOMPARE(value->DataType(), ftFloat);
  // Unsorted is written as an empty sort cell.
  ve->grdValue->setCurrentCell(VE::rowSort, 1);
  choose(ve->cmbSort, QStringLiteral("Unsorted"));
  QVERIFY(ve->ApplyValue());
  QCOMPARE(s.cell(column, ValueRow::Sort), QString());
}

void TestValueEditor::distinctGoesStraightToTheQuery() {
  QueryEditorSetup s;
  VE *ve = s.openValueEditor(1);
  ve->grdValue->setCurrentCell(VE::rowDistinct, 1);
  choose(ve->cmbDistinct, QStringLiteral("True"));
  QVERIFY(ve->ApplyValue());
  QVERIFY(s.query()->IsDistinct());
}

// The Expression page shows a field value as the field it reads; an expression typed there
// replaces that value in its own column, and the SQL selects it once.
void TestValueEditor::fieldTurnedIntoExpressionStaysTheSameValue() {
  QueryEditorSetup s;
  const QStringList headers = s.headers();
  const int column = s.columnOf(QStringLiteral("Qty"));
  const QString index = s.cell(column, ValueRow::Index);
  VE *ve = s.openValueEditor(column);
  ve->tabMain->setCurrentIndex(VE::pageExpression);
  QCOMPARE(ve->memExpression->toPlainText(), QStringLiteral("Items.Qty"));
  ve->memExpression->setPlainText(QStringLiteral("Items.Qty * 2"));
  QVERIFY(ve->ApplyValue());
  QCOMPARE(s.headers(), headers);
  QCOMPARE(s.cell(column, ValueRow::Table), QString());
  QCOMPARE(s.cell(column, ValueRow::Field), QStringLiteral("Items.Qty * 2"));
  QCOMPARE(s.cell(column, ValueRow::Index), index);
  QVERIFY(!s.active("Items", "Qty"));
  QVERIFY(s.editor.ApplyValues());
  QCOMPARE(s.query()->ValueCount(), 7);
  const TzelQueryValue *qty = s.query()->GetValue(index.toInt());
  QCOMPARE(qty->TableAlias(), QString());
  QCOMPARE(qty->Expression(), QStringLiteral("Items.Qty * 2"));
  QVERIFY2(s.querion.GenerateSQL(), qPrintable(s.rec.texts().join(u'\n')));
  QCOMPARE(s.querion.SQL().filter(QStringLiteral("Qty"), Qt::CaseInsensitive),
           QStringList{QStringLiteral("         Items.QTY * 2 AS Items.Qty,")});
}

void TestValueEditor::untouchedEmptyColumnAddsNothing() {
  QueryEditorSetup s;
  VE *ve = s.openValueEditor(9);
  QVERIFY(ve->close());
  QVERIFY(!s.editor.valueEditor());
  QCOMPARE(s.editor.ValueEditorStatus(), zelDialogClose);
  QVERIFY(s.cell(9, ValueRow::Index).isEmpty());
  QVERIFY(s.editor.ApplyValues());
  QCOMPARE(s.query()->ValueCount(), 7);
}

void TestValueEditor::typedExpressionBecomesANewValue() {
  QueryEditorSetup s;
  VE *ve = s.openValueEditor(9);
  type(ve->grdValue, VE::rowHeader, QStringLiteral("total"));
  ve->InsertExpressionText(QStringLiteral("Items.Qty * Parts.Cost"));
  QVERIFY(ve->ApplyValue());
  QCOMPARE(s.cell(9, ValueRow::Index), QStringLiteral("-2"));
  QCOMPARE(s.cell(9, ValueRow::Field), QStringLiteral("Items.Qty * Parts.Cost"));
  QVERIFY(s.editor.ApplyValues());
  QCOMPARE(s.cell(9, ValueRow::Header), QStringLiteral("Total")); // as the query stored it
  QCOMPARE(s.cell(9, ValueRow::Index), QStringLiteral("7"));
  QCOMPARE(s.query()->GetValue(7)->Position(), 7);
}

void TestValueEditor::insertionSpacing_data() {
  QTest::addColumn<QString>("memo");
  QTest::addColumn<int>("cursor");
  QTest::addColumn<int>("anchor");
  QTest::addColumn<QString>("expected");
  QTest::addColumn<int>("cursorAfter");
  QTest::newRow("empty memo") << "" << 0 << 0 << "+" << 1;
  QTest::newRow("start of a memo") << "A" << 0 << 0 << "+ A" << 2;
  QTest::newRow("after text") << "A" << 1 << 1 << "A + " << 4;
  QTest::newRow("inside text") << "AB" << 1 << 1 << "A + B" << 4;
  QTest::newRow("selection replaced") << "A-B" << 2 << 1 << "A+B" << 2;
}

void TestValueEditor::insertionSpacing() {
  QFETCH(QString, memo);
  QFETCH(int, cursor);
  QFETCH(int, anchor);
  QFETCH(QString, expected);
  QFETCH(int, cursorAfter);
  QueryEditorSetup s;
  VE *ve = s.openValueEditor(9);
  ve->memExpression->setPlainText(memo);
  QTextCursor c = ve->memExpression->textCursor();
  c.setPosition(anchor);
  c.setPosition(cursor, QTextCursor::KeepAnchor);
  ve->memExpression->setTextCursor(c);
  ve->lstOperators->setCurrentRow(0);
  ve->lstOperatorsDblClick();
  QCOMPARE(ve->memExpression->toPlainText(), expected);
  QCOMPARE(ve->memExpression->textCursor().position(), cursorAfter);
}

void TestValueEditor::fieldDoubleClickQuotesOnlyWhereNeeded_data() {
  QTest::addColumn<QString>("table");
  QTest::addColumn<QString>("field");
  QTest::addColumn<QString>("inserted");
  QTest::newRow("space") << "Orders"
                         << "Order Date"
                         << "Orders.[Order Date]";
  QTest::newRow("plain") << "Customers"
                         << "Company"
                         << "Customers.Company";
  QTest::newRow("keyword") << "Order"
                           << "Select"
                           << "[Order].[Select]";
}

void TestValueEditor::fieldDoubleClickQuotesOnlyWhereNeeded() {
  QFETCH(QString, table);
  QFETCH(QString, field);
  QFETCH(QString, inserted);
  QueryEditorSetup s;
  VE *ve = s.openValueEditor(9);
  ve->outTables->ClearNodes();
  QTreeWidgetItem *tableNode = ve->outTables->AddTableNode(table);
  QTreeWidgetItem *fieldNode = ve->outTables->AddFieldNode(field);
  ve->outTablesDblClick(tableNode); // a table node inserts nothing
  QVERIFY(ve->memExpression->toPlainText().isEmpty());
  ve->outTablesDblClick(fieldNode);
  QCOMPARE(ve->memExpression->toPlainText(), inserted);
}

void TestValueEditor::functionsAndOperators() {
  QueryEditorSetup s;
  VE *ve = s.openValueEditor(9);
  ve->tabMain->setCurrentIndex(VE::pageExpression);
  // The tree holds the query's tables, sorted, each with its fields.
  QCOMPARE(ve->outTables->topLevelItemCount(), 5);
  QCOMPARE(ve->outTables->topLevelItem(0)->text(0), QStringLiteral("Customers"));
  QCOMPARE(ve->outTables->topLevelItem(4)->text(0), QStringLiteral("Vendors"));
  QCOMPARE(ve->outTables->topLevelItem(0)->child(0)->text(0), QStringLiteral("CustNo"));
  ve->lstFunctions->setCurrentRow(1);
  ve->lstFunctionsDblClick();
  ve->lstOperators->setCurrentRow(2);
  ve->lstOperatorsDblClick();
  QCOMPARE(ve->memExpression->toPlainText(), QStringLiteral("SUM(Table.Field) * "));
  ve->tabExpression->setCurrentIndex(1);
  QVERIFY(ve->lstFunctions->isVisible() && !ve->lstOperators->isVisible() &&
          !ve->outTables->isVisible());
}

void TestValueEditor::droppedFieldGoesIntoTheExpression() {
  QueryEditorSetup s;
  VE *ve = s.openValueEditor(9);
  ve->tabMain->setCurrentIndex(VE::pageExpression);
  QWidget *memo = ve->memExpression->viewport();
  QVERIFY(dropOn(memo, QPoint(5, 5), QStringLiteral("Orders"), QStringLiteral("Sale Date")));
  QCOMPARE(ve->memExpression->toPlainText(), QStringLiteral("Orders.[Sale Date]"));
  QVERIFY(!dropOn(memo, QPoint(5, 5), QStringLiteral("Orders"), QStringLiteral("*")));
  type(ve->grdValue, VE::rowHeader, QStringLiteral("When"));
  QVERIFY(ve->ApplyValue());
  QCOMPARE(s.cell(9, ValueRow::Field), QStringLiteral("Orders.[Sale Date]"));
  QCOMPARE(s.cell(9, ValueRow::Index), QStringLiteral("-2"));
}

void TestValueEditor::movingToAnotherFilterPosition() {
  QueryEditorSetup s;
  const int column = s.columnOf(QStringLiteral("Qty"));
  VE *ve = s.openValueEditor(column, 5);
  selectCommand(*ve, QStringLiteral("Is Greater Than"));
  type(ve->grdFilter, VE::rowFirstValue, QStringLiteral("3"));
  ve->grdFilter->setCurrentCell(VE::rowNumber, 1);
  choose(ve->cmbFilter, QStringLiteral("Filter 2"));
  QCOMPARE(s.cell(column, 5 + ValueRow::RawFilterOffset), QStringLiteral("2|3|"));
  QCOMPARE(s.cell(column, 5), QStringLiteral("> 3"));
  QCOMPARE(ve->row(), 6);
  QCOMPARE(s.grid().currentRow(), 6);
  QCOMPARE(filterValue(*ve, VE::rowNumber), QStringLiteral("Filter 2"));
  QCOMPARE(filterValue(*ve, VE::rowCommand), QStringLiteral("Is Equal To"));
  QVERIFY(filterValues(*ve).isEmpty());
}

void TestValueEditor::choosingAHeaderMovesToItsColumn() {
  QueryEditorSetup s;
  VE *ve = s.openValueEditor(s.columnOf(QStringLiteral("Company")));
  type(ve->grdValue, VE::rowFormat, QStringLiteral("@"));
  choose(ve->cmbNames, QStringLiteral("Qty"));
  QCOMPARE(s.cell(s.columnOf(QStringLiteral("Company")), ValueRow::Format), QStringLiteral("@"));
  QCOMPARE(ve->column(), s.columnOf(QStringLiteral("Qty")));
  QCOMPARE(prop(*ve, VE::rowHeader), QStringLiteral("Qty"));
  QCOMPARE(prop(*ve, VE::rowAlign), QStringLiteral("Right"));
}

void TestValueEditor::failedApplyKeepsTheHeader() {
  QueryEditorSetup s;
  const int column = s.columnOf(QStringLiteral("Company"));
  VE *ve = s.openValueEditor(column);
  type(ve->grdValue, VE::rowHeader, QString());
  choose(ve->cmbNames, QStringLiteral("Qty"));
  QCOMPARE(s.rec.lastText(), QStringLiteral("Error: Cannot save a value with a blank Header"));
  QCOMPARE(ve->column(), column);
  QCOMPARE(ve->cmbNames->currentText(), QStringLiteral("Company"));
}

void TestValueEditor::menuClearAndRestore() {
  QueryEditorSetup s;
  VE *ve = s.openValueEditor(s.columnOf(QStringLiteral("State")), 5);
  ve->tabMain->setCurrentIndex(VE::pageValue);
  QVERIFY(!ve->mnuClearValues->isEnabled() && !ve->mnuRestoreValues->isEnabled());
  ve->tabMain->setCurrentIndex(VE::pageFilter);
  QVERIFY(ve->mnuClearValues->isEnabled() && ve->mnuRestoreValues->isEnabled());
  selectCommand(*ve, QStringLiteral("Is Between"));
  ve->mnuClearValues->trigger();
  QCOMPARE(filterValue(*ve, VE::rowCommand), QStringLiteral("Is Equal To"));
  QCOMPARE(ve->filterValueRows(), 20);
  QVERIFY(filterValues(*ve).isEmpty());
  ve->mnuRestoreValues->trigger();
  QCOMPARE(filterValues(*ve), QStringList({"NE", "WA", "NY"}));

  QVERIFY(ve->mnuStayOnTop->isChecked());
  ve->mnuStayOnTop->trigger();
  QVERIFY(!ve->windowFlags().testFlag(Qt::WindowStaysOnTopHint));
  ve->mnuHide->trigger();
  QTRY_VERIFY(!s.editor.valueEditor());
}

void TestValueEditor::helpContextPerPage_data() {
  QTest::addColumn<int>("page");
  QTest::addColumn<int>("context");
  QTest::newRow("value") << int(VE::pageValue) << 1020;
  QTest::newRow("filter") << int(VE::pageFilter) << 9;
  QTest::newRow("expression") << int(VE::pageExpression) << 1019;
}

void TestValueEditor::helpContextPerPage() {
  QFETCH(int, page);
  QFETCH(int, context);
  QueryEditorSetup s;
  VE *ve = s.openValueEditor(1);
  ve->tabMain->setCurrentIndex(page);
  ve->mnuHelp->trigger();
  QTest::keyClick(ve->tabMain, Qt::Key_F1);
  QCOMPARE(s.help.calls.size(), 2);
  QCOMPARE(s.help.calls[0].context, context);
  QCOMPARE(s.help.calls[1].context, context);
}

void TestValueEditor::closingAppliesOrStaysOpen() {
  QueryEditorSetup s;
  const int column = s.columnOf(QStringLiteral("Cost"));
  VE *ve = s.openValueEditor(column);
  type(ve->grdValue, VE::rowHeader, QString());
  QVERIFY(!ve->close());
  QCOMPARE(s.editor.valueEditor(), ve);
  QVERIFY(ve->isVisible());
  QCOMPARE(prop(*ve, VE::rowHeader), QString()); // the edits stay
  // Closed from the panel, it stays open too.
  s.editor.SetValueEditorStatus(zelDialogClose);
  QCOMPARE(s.editor.valueEditor(), ve);
  QCOMPARE(s.editor.ValueEditorStatus(), zelDialogShow); // the status follows the window
  s.editor.SetValueEditorStatus(zelDialogHide);
  s.editor.SetValueEditorStatus(zelDialogClose);
  QCOMPARE(s.editor.ValueEditorStatus(), zelDialogHide);
  s.editor.SetValueEditorStatus(zelDialogShow);
  type(ve->grdValue, VE::rowHeader, QStringLiteral("Price"));
  s.editor.SetValueEditorStatus(zelDialogClose);
  QVERIFY(!s.editor.valueEditor());
  QCOMPARE(s.cell(column, ValueRow::Header), QStringLiteral("Price"));
  QCOMPARE(s.editor.ValueEditorStatus(), zelDialogClose);
}

void TestValueEditor::deactivationApplies() {
  QueryEditorSetup s;
  const int column = s.columnOf(QStringLiteral("Cost"));
  VE *ve = s.openValueEditor(column);
  type(ve->grdValue, VE::rowFormat, QStringLiteral("$0.00"));
  ve->FormDeactivate();
  QCOMPARE(s.cell(column, ValueRow::Format), QStringLiteral("$0.00"));
  QVERIFY(s.editor.Modified());
  s.editor.SetValueEditorStatus(zelDialogHide);
  QVERIFY(!ve->isVisible());
  s.editor.SetValueEditorStatus(zelDialogShow);
  QVERIFY(ve->isVisible());
}

void TestValueEditor::filterValueWithQuotesSurvives() {
  QueryEditorSetup s;
  const int column = s.columnOf(QStringLiteral("Company"));
  VE *ve = s.openValueEditor(column, 5);
  type(ve->grdFilter, VE::rowFirstValue, QStringLiteral("O'Brien \"Ltd\""));
  QVERIFY(ve->ApplyValue());
  QCOMPARE(s.cell(column, 5 + ValueRow::RawFilterOffset), QStringLiteral("0|O'Brien \"Ltd\"|"));
  QVERIFY(s.editor.ApplyValues());
  const TzelQueryValue *company = s.query()->GetValue(s.query()->IndexOfValueAlias("Company"));
  QCOMPARE(company->GetFilter(0)->Filter(), QStringLiteral("O'Brien \"Ltd\"|"));
}

void TestValueEditor::openCellEditorIsApplied() {
  QueryEditorSetup s;
  const int column = s.columnOf(QStringLiteral("Qty"));
  VE *ve = s.openValueEditor(column, 5);
  ve->tabMain->setCurrentIndex(VE::pageFilter);
  ve->grdFilter->setCurrentCell(VE::rowFirstValue, 1); // a text row opens its editor
  auto *edit = qobject_cast<QLineEdit *>(ve->grdFilter->focusWidget());
  if (!edit)
    edit = ve->grdFilter->viewport()->findChild<QLineEdit *>();
  QVERIFY(edit);
  edit->setText(QStringLiteral("7"));
  QVERIFY(ve->ApplyValue()); // still typing: the open editor's text is taken
  QCOMPARE(s.cell(column, 5 + ValueRow::RawFilterOffset), QStringLiteral("0|7|"));
}

void TestValueEditor::openCellEditorFollowsTheColumn() {
  QueryEditorSetup s;
  VE *ve = s.openValueEditor(s.columnOf(QStringLiteral("Company")));
  ve->tabMain->setCurrentIndex(VE::pageValue);
  ve->grdValue->setCurrentCell(VE::rowHeader, 1);
  auto *edit = qobject_cast<QLineEdit *>(ve->grdValue->focusWidget());
  QVERIFY(edit);
  QCOMPARE(edit->text(), QStringLiteral("Company"));
  s.editor.SelectCell(s.columnOf(QStringLiteral("Qty")), 0);
  edit = qobject_cast<QLineEdit *>(ve->grdValue->focusWidget());
  QVERIFY(edit);
  QCOMPARE(edit->text(), QStringLiteral("Qty"));
  QVERIFY(ve->ApplyValue());
  QCOMPARE(s.headers(),
           QStringList({"Company", "State", "SaleDate", "PartDesc", "Qty", "Cost", "VendorName"}));
}

void TestValueEditor::openCellEditorIsCheckedOnEveryPath_data() {
  QTest::addColumn<QString>("path");
  QTest::addColumn<bool>("header"); // a cleared header, else BLANK with Is Greater Than
  for (const char *path : {"close", "hide", "status close", "deactivate", "panel apply"}) {
    QTest::addRow("%s, BLANK", path) << QString::fromLatin1(path) << false;
    QTest::addRow("%s, header", path) << QString::fromLatin1(path) << true;
  }
}

void TestValueEditor::openCellEditorIsCheckedOnEveryPath() {
  QFETCH(QString, path);
  QFETCH(bool, header);
  QueryEditorSetup s;
  const int column = s.columnOf(QStringLiteral("Qty"));
  VE *ve = s.openValueEditor(column, 5);
  if (header) {
    typeInOpenEditor(*ve, ve->grdValue, VE::rowHeader, QString());
  } else {
    selectCommand(*ve, QStringLiteral("Is Greater Than"));
    typeInOpenEditor(*ve, ve->grdFilter, VE::rowFirstValue, QStringLiteral("BLANK"));
  }
  if (path == u"close")
    QVERIFY(!ve->close());
  else if (path == u"hide")
    ve->mnuHide->trigger();
  else if (path == u"status close")
    s.editor.SetValueEditorStatus(zelDialogClose);
  else if (path == u"deactivate")
    ve->FormDeactivate();
  else
    QVERIFY(!s.editor.ApplyValues());
  QCOMPARE(s.rec.texts(),
           QStringList{header ? QStringLiteral("Error: Cannot save a value with a blank Header")
                              : QStringLiteral("Error: Cannot use BLANK with the [Is Greater "
                                               "Than] command")});
  QCOMPARE(s.cell(column, ValueRow::Header), QStringLiteral("Qty"));
  QCOMPARE(s.cell(column, 5 + ValueRow::RawFilterOffset), QString());
  // The window stays open with the edit, and the panel says so.
  QCOMPARE(s.editor.valueEditor(), ve);
  QVERIFY(ve->isVisible());
  QCOMPARE(s.editor.ValueEditorStatus(), zelDialogShow);
}

void TestValueEditor::clearedHeaderLeavesNoSharedPosition() {
  QueryEditorSetup s;
  VE *ve = s.openValueEditor(s.columnOf(QStringLiteral("Cost")));
  typeInOpenEditor(*ve, ve->grdValue, VE::rowHeader, QString());
  ve->close();
  ve->FormDeactivate();
  s.editor.DropField({QStringLiteral("Parts"), QStringLiteral("OnHand")}, 0);
  QVERIFY(s.editor.ApplyValues());
  QTemporaryDir dir;
  const QString file = dir.filePath(QStringLiteral("shared.zel"));
  QVERIFY(s.querion.SaveToFile(file));
  TzelQuerion reread;
  reread.SetDataModel(s.model.get());
  QVERIFY(reread.LoadFromFile(file));
  const TzelQuery *q = reread.CurrentQuery();
  QSet<int> positions;
  for (int i = 0; i < q->ValueCount(); ++i) {
    const TzelQueryValue *value = q->GetValue(i);
    if (value->Deleted())
      continue;
    QVERIFY2(!positions.contains(value->Position()), qPrintable(value->ValueAlias()));
    positions.insert(value->Position());
  }
  QStringList aliases;
  q->ListValueAliases(aliases);
  QCOMPARE(aliases, s.headers());
}

void TestValueEditor::blankExpression_data() {
  QTest::addColumn<QString>("header");  // the column edited; empty for an empty column
  QTest::addColumn<QString>("refused"); // the message, empty when the memo is ignored
  QTest::newRow("expression emptied") << "Twice"
                                      << "Error: Cannot save a value with a blank Expression";
  QTest::newRow("field value keeps its field") << "Qty" << QString();
  QTest::newRow("empty column adds nothing") << QString() << QString();
}

void TestValueEditor::blankExpression() {
  QFETCH(QString, header);
  QFETCH(QString, refused);
  QueryEditorSetup s;
  VE *ve = s.openValueEditor(int(s.headers().size()) + 1);
  ve->memExpression->setPlainText(QStringLiteral("Items.Qty * 2"));
  type(ve->grdValue, VE::rowHeader, QStringLiteral("Twice"));
  QVERIFY(ve->ApplyValue());
  const QStringList before = s.headers();
  const int column = header.isEmpty() ? int(before.size()) + 1 : s.columnOf(header);
  s.editor.SelectCell(column, 0);
  const QString field = s.cell(column, ValueRow::Field);
  ve->memExpression->setPlainText(QStringLiteral(" \t  "));
  ve->tabMain->setCurrentIndex(VE::pageValue); // the memo is taken on a page change too
  QCOMPARE(ve->ApplyValue(), refused.isEmpty());
  QCOMPARE(s.rec.texts(), refused.isEmpty() ? QStringList() : QStringList{refused});
  QCOMPARE(s.headers(), before);
  QCOMPARE(s.cell(column, ValueRow::Field), field);
}

void TestValueEditor::inPlaceEditorsReadAsTheirRows() {
  QueryEditorSetup s;
  VE *ve = s.openValueEditor(s.columnOf(QStringLiteral("Company")));
  const QList<QPair<QComboBox *, QString>> combos{
      {ve->cmbDistinct, "Distinct"}, {ve->cmbTypes, "Type"},      {ve->cmbShow, "Show"},
      {ve->cmbSort, "Sort"},         {ve->cmbAlign, "Alignment"}, {ve->cmbFilter, "Number"},
      {ve->cmbCommand, "Command"}};
  for (const auto &[combo, name] : combos)
    QCOMPARE(combo->accessibleName(), name);
  ve->grdValue->setCurrentCell(VE::rowHeader, 1);
  auto *edit = qobject_cast<QLineEdit *>(ve->grdValue->indexWidget(ve->grdValue->currentIndex()));
  QVERIFY(edit);
  QCOMPARE(edit->accessibleName(), QStringLiteral("Header"));
}

// Escape in the open cell editor closes the window through the close checks: a blank header
// is refused with the window left open, a typed one is applied.
void TestValueEditor::escapeInTheOpenEditorClosesAsTheCloseButton() {
  QueryEditorSetup s;
  const int column = s.columnOf(QStringLiteral("Cost"));
  VE *ve = s.openValueEditor(column);
  typeInOpenEditor(*ve, ve->grdValue, VE::rowHeader, QString());
  QTest::keyClick(ve->grdValue->indexWidget(ve->grdValue->currentIndex()), Qt::Key_Escape);
  QTest::qWait(0); // the close is queued behind the key
  QCOMPARE(s.rec.lastText(), QStringLiteral("Error: Cannot save a value with a blank Header"));
  QVERIFY(ve->isVisible());
  typeInOpenEditor(*ve, ve->grdValue, VE::rowHeader, QStringLiteral("Price"));
  QTest::keyClick(ve->grdValue->indexWidget(ve->grdValue->currentIndex()), Qt::Key_Escape);
  QTRY_VERIFY(!s.editor.valueEditor());
  QCOMPARE(s.cell(column, ValueRow::Header), QStringLiteral("Price"));
}

QTEST_MAIN(TestValueEditor)
#include "tst_frmzelvalue.moc"
