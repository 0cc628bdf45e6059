// The joins editor in model mode over the sample data model, with the sample tables of the
// STANDARD folder as the database: adding tables from the database, renaming a table with
// its physical name and database, and editing fields.
#include "joinseditorfixture.h"

#include "database/zelconnection.h"
#include "editors/frmzeladdtable.h"
#include "editors/frmzelfield.h"
#include "editors/frmzelrename.h"
#include "support/modaldriver.h"
#include "support/recordingmessages.h"

#include <QCheckBox>
#include <QComboBox>
#include <QLineEdit>
#include <QPushButton>
#include <QTemporaryDir>
#include <QtTest>

namespace {

struct ModelEditor {
  ModelEditor() : model(readSampleModel()) {
    editor.resize(700, 260);
    editor.SetModelEditing(true);
    editor.SetModel(model.get());
    editor.show();
    editor.activateWindow();
    editor.SetSchema(model.get());
  }
  TzelTableForm *window(const char *alias) { return editor.FindTableWindow(QLatin1String(alias)); }
  std::unique_ptr<TzelModel> model;
  TzelJoinsEditor editor;
};

// What the add-table dialog showed, and the table it added.
struct AddTableRun {
  QStringList databases;
  QString selectedDatabase;
  QStringList tables;
  bool systemShown = false;
  bool systemTicked = true;
};

AddTableRun addFromDialog(TzelJoinsEditor &editor, const QString &table) {
  AddTableRun run;
  whenModal([&run, table](QWidget *w) {
    auto *dialog = qobject_cast<TfrmZelAddTable *>(w);
    for (int i = 0; dialog && i < dialog->databaseList()->count(); ++i)
      run.databases << dialog->databaseList()->itemText(i);
    if (!dialog) {
      w->close();
      return;
    }
    run.selectedDatabase = dialog->selectedDatabase();
    for (int i = 0; i < dialog->tableList()->count(); ++i)
      run.tables << dialog->tableList()->item(i)->text();
    run.systemShown = dialog->chkSystem->isVisible();
    run.systemTicked = dialog->chkSystem->isChecked();
    const QList<QListWidgetItem *> found = dialog->tableList()->findItems(table, Qt::MatchExactly);
    if (!found.isEmpty())
      dialog->tableList()->setCurrentItem(found.first());
    dialog->cmdAdd->click();
    dialog->chkSystem->setChecked(true); // the next use starts without it
    dialog->cmdClose->click();
  });
  editor.AddTable();
  return run;
}

} // namespace

class TestJoinsEditorModel : public QObject {
  Q_OBJECT
  TzelConnection pellox;
  QTemporaryDir scratch;

private slots:
  void initTestCase();
  void modelWindowsAndLines();
  void addTableFromTheSampleFolder_data();
  void addTableFromTheSampleFolder();
  void renameWithTheDialog_data();
  void renameWithTheDialog();
  void editFieldsMovesTheLine();
};

void TestJoinsEditorModel::initTestCase() {
  qputenv("ZEL_ALIASES_FILE", scratch.filePath(QStringLiteral("none.ini")).toLocal8Bit());
  pellox.setDatabaseName(QStringLiteral("PELLOX"));
  pellox.setDriverName(QStringLiteral("STANDARD"));
  pellox.setParams({QStringLiteral("PATH=") + QCoreApplication::applicationDirPath() +
                    QStringLiteral("/Data/")});
  QVERIFY2(pellox.Open(), qPrintable(pellox.lastError()));
}

void TestJoinsEditorModel::modelWindowsAndLines() {
  ModelEditor m;
  QVERIFY(m.model);
  QCOMPARE(m.editor.tableWindows().size(), 5);
  QStringList captions;
  for (const TzelTableForm *w : m.editor.tableWindows())
    captions << w->windowTitle();
  QCOMPARE(captions, QStringList({"Customers", "Orders", "Items", "Parts", "Vendors"}));
  QCOMPARE(livePairCount(*m.model), 5);
  const TzelJoinField *pair = m.model->GetJoin(0)->GetJoinField(0);
  const TzelTableForm *customers = m.window("Customers");
  QCOMPARE(pair->Point(0).x(), customers->x() + customers->width());
  QVERIFY(!m.editor.Modified());
  // Double clicking a field row raises no event in model mode.
  QSignalSpy clicks(&m.editor, &TzelJoinsEditor::OnDblClickField);
  TzelTableList *list = customers->list();
  QTest::mouseDClick(list->viewport(), Qt::LeftButton, {}, rowCentre(*list, 2));
  QCOMPARE(clicks.count(), 0);
}

void TestJoinsEditorModel::addTableFromTheSampleFolder_data() {
  QTest::addColumn<TzelAnswer>("answer");
  QTest::addColumn<int>("tables");
  QTest::newRow("another instance") << TzelAnswer::Yes << 6;
  QTest::newRow("declined") << TzelAnswer::No << 5;
}

void TestJoinsEditorModel::addTableFromTheSampleFolder() {
  QFETCH(TzelAnswer, answer);
  QFETCH(int, tables);
  ModelEditor m;
  RecordingMessages rec;
  rec.answers << answer;
  const AddTableRun run = addFromDialog(m.editor, QStringLiteral("T0490.DB"));
  QCOMPARE(run.databases, QStringList{"PELLOX"});
  QCOMPARE(run.selectedDatabase, QStringLiteral("PELLOX"));
  QCOMPARE(run.tables, QStringList({"T0490.DB", "T0491.DB", "T0492.DB", "T0493.DB", "T0494.DB"}));
  QVERIFY(run.systemShown);
  QVERIFY(!run.systemTicked);
  QCOMPARE(rec.texts(), QStringList{"The [T0490.DB] table already exists in the Data Model.\r\r"
                                    "Do you want to add another instance?"});
  QCOMPARE(rec.messages.first().buttons, TzelButtons::YesNo);
  QCOMPARE(m.model->TableCount(), tables);
  QCOMPARE(m.editor.tableWindows().size(), tables);
  QCOMPARE(m.editor.Modified(), answer == TzelAnswer::Yes);
  if (answer != TzelAnswer::Yes)
    return;
  // The new table, read from the engine, gets a fresh alias and a window at (10, 10).
  const TzelTable *added = m.model->GetTable(5);
  QCOMPARE(added->TableName(), QStringLiteral("T0490.DB"));
  QCOMPARE(added->GetDatabaseName(), QStringLiteral("PELLOX"));
  const TzelTableForm *window = m.editor.FindTableWindow(added->TableAlias());
  QVERIFY(window);
  QCOMPARE(window->geometry(), QRect(10, 10, 115, 165));
  QVERIFY(window->list()->count() > 1);
  QCOMPARE(window->list()->item(0)->text(), QStringLiteral("*"));

  // The dialog is kept for the next use, which starts afresh.
  rec.answers << TzelAnswer::No;
  const AddTableRun again = addFromDialog(m.editor, QStringLiteral("T0491.DB"));
  QCOMPARE(again.tables, run.tables);
  QVERIFY(!again.systemTicked);
  QCOMPARE(m.model->TableCount(), 6);
}

void TestJoinsEditorModel::renameWithTheDialog_data() {
  QTest::addColumn<QString>("alias");
  QTest::addColumn<QString>("caption");
  QTest::addColumn<QString>("message");
  QTest::newRow("new alias") << "Clients"
                             << "Clients" << QString();
  QTest::newRow("case only") << "CUSTOMERS"
                             << "CUSTOMERS" << QString();
  QTest::newRow("existing alias") << "Orders"
                                  << "Customers"
                                  << "Error: Table Alias [Orders] already exists";
  QTest::newRow("existing, other case") << "oRDERS"
                                        << "Customers"
                                        << "Error: Table Alias [oRDERS] already exists";
}

void TestJoinsEditorModel::renameWithTheDialog() {
  QFETCH(QString, alias);
  QFETCH(QString, caption);
  QFETCH(QString, message);
  ModelEditor m;
  RecordingMessages rec;
  TzelTableForm *customers = m.window("Customers");
  clickRow(customers->list(), 1);
  QStringList shown;
  whenModal([&](QWidget *w) {
    auto *dialog = qobject_cast<TfrmZelRename *>(w);
    if (!dialog) {
      w->close();
      return;
    }
    shown << dialog->tableAlias() << dialog->tableName() << dialog->databaseName();
    dialog->findChild<QLineEdit *>(QStringLiteral("txtTableAlias"))->setText(alias);
    dialog->findChild<QLineEdit *>(QStringLiteral("txtTableName"))->setText(u"CLIENTS.DB"_qs);
    dialog->findChild<QLineEdit *>(QStringLiteral("txtDatabase"))->setText(u"SALES"_qs);
    dialog->findChild<QPushButton *>(QStringLiteral("cmdOk"))->click();
  });
  m.editor.RenameTable();
  QCOMPARE(shown, QStringList({"Customers", "T0490.DB", "PELLOX"}));
  const TzelTable *table = m.model->GetTable(0);
  QCOMPARE(customers->windowTitle(), caption);
  QCOMPARE(table->TableAlias(), caption);
  const bool done = message.isEmpty();
  QCOMPARE(rec.texts(), done ? QStringList() : QStringList{message});
  QCOMPARE(table->TableName(), done ? u"CLIENTS.DB"_qs : u"T0490.DB"_qs);
  QCOMPARE(table->GetDatabaseName(), done ? u"SALES"_qs : u"PELLOX"_qs);
  QCOMPARE(m.model->GetJoin(0)->LeftTableAlias(), caption);
  QCOMPARE(m.editor.Modified(), done);
}

void TestJoinsEditorModel::editFieldsMovesTheLine() {
  ModelEditor m;
  RecordingMessages rec;
  TzelTableForm *customers = m.window("Customers");
  TzelTableList *list = customers->list();
  const TzelJoinField *pair = m.model->GetJoin(0)->GetJoinField(0); // Customers.CustNo
  const int rh = list->rowHeight();
  const int before = pair->Point(0).y();
  clickRow(list, 1);
  QString caption;
  whenModal([&](QWidget *w) {
    auto *dialog = qobject_cast<TfrmZelField *>(w);
    if (!dialog) {
      w->close();
      return;
    }
    caption = dialog->windowTitle();
    dialog->grdFieldsDragDrop(2, 0); // Address first, CustNo second
    rec.answers << TzelAnswer::Yes;  // save the changes
    dialog->reject();
  });
  m.editor.EditFields();
  QCOMPARE(caption, QStringLiteral("Edit Fields: Customers"));
  QCOMPARE(rec.texts(), QStringList{"Save changes to the [Customers] table?"});
  QCOMPARE(list->item(1)->text(), QStringLiteral("Address"));
  QCOMPARE(list->item(2)->text(), QStringLiteral("CustNo"));
  QCOMPARE(pair->Point(0).y(), before + rh);
  QVERIFY(m.editor.Modified());
}

QTEST_MAIN(TestJoinsEditorModel)
#include "tst_joinseditor_model.moc"
