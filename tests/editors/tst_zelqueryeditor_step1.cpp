// SPDX-License-Identifier: MIT
// The demo's "Step 1" built through the panel alone, as a user builds it: five tables added in
// the add-table dialog, the joins drawn by dragging fields, seven fields dragged into the grid,
// the two filters and the sort set in the value editor. The statement must be the stored
// query's, and running it gives the same 36 records.
#include "tst_zelqueryeditor_fixture.h"

#include "controls/stringgrid.h"
#include "database/zeldataset.h"
#include "database/zelsession.h"
#include "editors/frmzeladdtable.h"
#include "support/modaldriver.h"

#include <QComboBox>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTabWidget>
#include <QtTest>

namespace {

using VE = TfrmZelValueEditor;

void choose(QComboBox *combo, const QString &text) {
  const int index = combo->findText(text);
  QVERIFY2(index >= 0, qPrintable(text));
  combo->setCurrentIndex(index);
  emit combo->activated(index);
}

void type(QTableWidget *grid, int row, const QString &text) {
  grid->setCurrentCell(row, 1);
  grid->item(row, 1)->setText(text);
}

// Picks the tables in the add-table dialog, one Add click each, then closes it.
void addTables(TzelQueryEditor &editor, const QStringList &tables) {
  whenModal([tables](QWidget *w) {
    auto *dialog = qobject_cast<TfrmZelAddTable *>(w);
    QVERIFY(dialog);
    for (const QString &table : tables) {
      dialog->selectTable(table);
      dialog->cmdAdd->click();
    }
    dialog->cmdClose->click();
  });
  editor.AddTable();
}

} // namespace

class TestQueryEditorStep1 : public QObject {
  Q_OBJECT
private slots:
  void initTestCase();
  void cleanupTestCase();
  void builtByHandEqualsTheStoredQuery();
  void brokenExpressionIsReportedAndKept_data();
  void brokenExpressionIsReportedAndKept();
  void quotesInFilterValuesAreEscaped();
};

void TestQueryEditorStep1::initTestCase() {
  QLocale::setDefault(QLocale(QLocale::English, QLocale::UnitedStates));
  ZEL_SKIP_WITHOUT_PARADOX();
  QVERIFY2(useSampleData(), qPrintable(sampleDataFolder()));
}

void TestQueryEditorStep1::cleanupTestCase() {
  TzelSession::defaultSession().unregisterAlias(QStringLiteral("PELLOX"));
}

void TestQueryEditorStep1::builtByHandEqualsTheStoredQuery() {
  QueryEditorSetup s(false);
  s.model->SetAutoJoin(false); // every join is drawn by hand here
  TzelDataset dataset;
  dataset.setObjectName(QStringLiteral("Query1"));
  dataset.setDatabaseName(QStringLiteral("PELLOX"));
  s.querion.SetDataQuery(&dataset);

  addTables(s.editor, {"Customers", "Orders", "Items", "Parts", "Vendors"});
  QCOMPARE(s.editor.zelJoins->tableWindows().size(), 5);
  // Side by side, as the stored query places them.
  int left = 12;
  for (TzelTableForm *window : s.editor.zelJoins->tableWindows()) {
    window->move(left, 12);
    left += 124;
  }
  const auto join = [&s](const char *from, const char *field, const char *to) {
    QVERIFY(dropOnRow(s.list(to), s.list(to)->rowOf(QLatin1String(field)), QLatin1String(from),
                      QLatin1String(field)));
  };
  join("Customers", "CustNo", "Orders");
  join("Orders", "OrderNo", "Items");
  join("Items", "PartNo", "Parts");
  join("Items", "VendorNo", "Parts");
  join("Parts", "VendorNo", "Vendors");
  QCOMPARE(s.query()->JoinCount(), 4);

  const std::pair<const char *, const char *> fields[] = {
      {"Customers", "Company"}, {"Customers", "State"}, {"Orders", "SaleDate"},
      {"Parts", "PartDesc"},    {"Items", "Qty"},       {"Parts", "Cost"},
      {"Vendors", "VendorName"}};
  for (auto [table, field] : fields)
    QVERIFY(dropOn(s.grid().viewport(), cellCentre(s.grid(), 0), QLatin1String(table),
                   QLatin1String(field)));
  QCOMPARE(s.headers(),
           QStringList({"Company", "State", "SaleDate", "PartDesc", "Qty", "Cost", "VendorName"}));

  // The filters and the sort, typed in the value editor.
  VE *ve = s.openValueEditor(s.columnOf(QStringLiteral("State")), 5);
  ve->tabMain->setCurrentIndex(VE::pageFilter);
  const QStringList states{"NE", "WA", "NY"};
  for (int i = 0; i < states.size(); ++i)
    type(ve->grdFilter, VE::rowFirstValue + i, states[i]);
  choose(ve->cmbNames, QStringLiteral("PartDesc"));
  ve->grdFilter->setCurrentCell(VE::rowCommand, 1);
  choose(ve->cmbCommand, QStringLiteral("Is Like"));
  type(ve->grdFilter, VE::rowFirstValue, QStringLiteral("Gear"));
  choose(ve->cmbNames, QStringLiteral("Company"));
  ve->tabMain->setCurrentIndex(VE::pageValue);
  ve->grdValue->setCurrentCell(VE::rowSort, 1);
  choose(ve->cmbSort, QStringLiteral("Ascending"));
  QVERIFY(ve->close());
  QCOMPARE(s.cell(2, 5), QStringLiteral("= \"NE\" OR \"WA\" OR \"NY\""));
  QCOMPARE(s.cell(4, 5), QStringLiteral("LIKE \"Gear\""));

  QVERIFY(s.editor.ApplyValues());
  QVERIFY2(s.querion.GenerateSQL(), qPrintable(s.rec.texts().join(u'\n')));
  TzelQuerion stored;
  stored.SetDataModel(s.model.get());
  QVERIFY(stored.LoadFromFile(examplesFile(QStringLiteral("step1.zel"))));
  QVERIFY(stored.GenerateSQL());
  QCOMPARE(s.querion.SQL().join(u'\n'), stored.SQL().join(u'\n'));

  QVERIFY2(s.querion.Execute(), qPrintable(s.rec.texts().join(u'\n')));
  QCOMPARE(dataset.RecordCount(), 36);
  QVERIFY(s.rec.messages.isEmpty());
}

void TestQueryEditorStep1::brokenExpressionIsReportedAndKept_data() {
  QTest::addColumn<QString>("expression");
  QTest::newRow("bracket") << "UPPER(Customers.Company";
  QTest::newRow("quote") << "Customers.Company || \"x";
}

void TestQueryEditorStep1::brokenExpressionIsReportedAndKept() {
  QFETCH(QString, expression);
  QueryEditorSetup s;
  VE *ve = s.openValueEditor(8);
  type(ve->grdValue, VE::rowHeader, QStringLiteral("Broken"));
  ve->memExpression->setPlainText(expression);
  QVERIFY(ve->close());
  QVERIFY(s.editor.ApplyValues());
  QVERIFY(!s.querion.GenerateSQL());
  QCOMPARE(s.rec.messages.size(), 1);
  QVERIFY2(s.rec.lastText().startsWith(QStringLiteral("Error")), qPrintable(s.rec.lastText()));
  QCOMPARE(s.cell(8, ValueRow::Field), expression);
  QCOMPARE(s.query()->GetValue(7)->Expression(), expression);
}

void TestQueryEditorStep1::quotesInFilterValuesAreEscaped() {
  QueryEditorSetup s;
  VE *ve = s.openValueEditor(s.columnOf(QStringLiteral("Company")), 6);
  type(ve->grdFilter, VE::rowFirstValue, QStringLiteral("Say \"hi\""));
  QVERIFY(ve->close());
  QVERIFY(s.editor.ApplyValues());
  QVERIFY2(s.querion.GenerateSQL(), qPrintable(s.rec.texts().join(u'\n')));
  const QString sql = s.querion.SQL().join(u'\n');
  QVERIFY2(sql.contains(QStringLiteral("\"Say \"\"hi\"\"\"")), qPrintable(sql));
}

QTEST_MAIN(TestQueryEditorStep1)
#include "tst_zelqueryeditor_step1.moc"
