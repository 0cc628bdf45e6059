// SPDX-License-Identifier: MIT
// The joins editor in model mode over the sample data model, with the sample tables of the
// STANDARD folder as the database: adding tables from the database, renaming a table with
// its physical name and database, and editing fields.
#include "joinseditorfixture.h"

#include "database/cataloguemodel.h"
#include "database/zelconnection.h"
#include "database/zeldatamodel.h"
#include "editors/frmzeladdtable.h"
#include "editors/frmzelfield.h"
#include "editors/frmzelrename.h"
#include "editors/tablenames.h"
#include "support/modaldriver.h"
#include "support/recordingmessages.h"
#include "support/samplefiles.h"

#include <QCheckBox>
#include <QComboBox>
#include <QLineEdit>
#include <QMenu>
#include <QPushButton>
#include <QSqlDatabase>
#include <QSqlQuery>
#include <QTemporaryDir>
#include <QTimer>
#include <QtTest>

using namespace Qt::StringLiterals;

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
    run.tables = dialog->tableNames()->names();
    run.systemShown = dialog->chkSystem->isVisible();
    run.systemTicked = dialog->chkSystem->isChecked();
    dialog->selectTable(table);
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
  void readOnlyRefusesEdits_data();
  void readOnlyRefusesEdits();
  void keysJoinATableAdded();
  void keyFieldsDrawnBold();
};

void TestJoinsEditorModel::initTestCase() {
  ZEL_SKIP_WITHOUT_PARADOX();
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
  // The new table, read from the engine, gets a fresh alias and a window beside the last.
  const TzelTable *added = m.model->GetTable(5);
  QCOMPARE(added->TableName(), QStringLiteral("T0490.DB"));
  QCOMPARE(added->GetDatabaseName(), QStringLiteral("PELLOX"));
  const TzelTableForm *window = m.editor.FindTableWindow(added->TableAlias());
  QVERIFY(window);
  QCOMPARE(window->geometry(), QRect(643, 12, 115, 165));
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
    dialog->findChild<QLineEdit *>(QStringLiteral("txtTableName"))->setText(u"CLIENTS.DB"_s);
    dialog->findChild<QLineEdit *>(QStringLiteral("txtDatabase"))->setText(u"SALES"_s);
    dialog->findChild<QPushButton *>(QStringLiteral("cmdOk"))->click();
  });
  m.editor.RenameTable();
  QCOMPARE(shown, QStringList({"Customers", "T0490.DB", "PELLOX"}));
  const TzelTable *table = m.model->GetTable(0);
  QCOMPARE(customers->windowTitle(), caption);
  QCOMPARE(table->TableAlias(), caption);
  const bool done = message.isEmpty();
  QCOMPARE(rec.texts(), done ? QStringList() : QStringList{message});
  QCOMPARE(table->TableName(), done ? u"CLIENTS.DB"_s : u"T0490.DB"_s);
  QCOMPARE(table->GetDatabaseName(), done ? u"SALES"_s : u"PELLOX"_s);
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

// What a read-only editor must keep: the schema's tables, joins and geometry, and Modified.
QString modelState(const TzelModel &model, const TzelJoinsEditor &editor) {
  QStringList state{QString::number(livePairCount(model)), QString::number(editor.Modified())};
  for (int i = 0; i < model.TableCount(); ++i) {
    const TzelTable *t = model.GetTable(i);
    state << QStringLiteral("%1 %2 %3 %4 %5 %6")
                 .arg(t->TableAlias(), t->TableName())
                 .arg(t->Left())
                 .arg(t->Top())
                 .arg(t->FieldCount())
                 .arg(t->Deleted());
  }
  return state.join(u'|');
}

void TestJoinsEditorModel::readOnlyRefusesEdits_data() {
  QTest::addColumn<QString>("command");
  for (const char *command : {"drop field", "add table", "remove table", "delete key",
                              "rename table", "edit join", "double click line", "remove join",
                              "edit fields", "move and size windows", "arrange tables"})
    QTest::newRow(command) << QString::fromLatin1(command);
}

void TestJoinsEditorModel::readOnlyRefusesEdits() {
  QFETCH(QString, command);
  ModelEditor m;
  m.editor.SetReadOnly(true);
  RecordingMessages rec;
  TzelTableForm *customers = m.window("Customers");
  TzelTableList *list = customers->list();
  clickRow(list, 1);
  TzelJoinField *pair = m.model->GetJoin(0)->GetJoinField(0);
  pressSurface(m.editor, pair->Point(0) + QPoint(5, 0)); // viewing a line's selection is allowed
  QVERIFY(pair->Selected());
  clickRow(list, 1);
  const QString before = modelState(*m.model, m.editor);
  bool dialogShown = false;
  QTimer closer; // closes any dialog a command opens, for as long as this test runs
  connect(&closer, &QTimer::timeout, &closer, [&dialogShown] {
    if (QWidget *w = QApplication::activeModalWidget()) {
      dialogShown = true;
      w->close();
    }
  });
  closer.start(10);
  if (command == "drop field") {
    QVERIFY(!dropOnRow(m.window("Vendors")->list(), 4, QStringLiteral("Customers"),
                       QStringLiteral("City")));
  } else if (command == "add table") {
    m.editor.AddTable();
    m.editor.DropTable(QStringLiteral("T0490.DB"), QPoint(10, 10));
  } else if (command == "remove table") {
    QVERIFY(!m.editor.RemoveTable());
  } else if (command == "delete key") {
    QTest::keyClick(list, Qt::Key_Delete);
  } else if (command == "rename table") {
    m.editor.RenameTable();
  } else if (command == "edit join") {
    m.editor.EditJoin(true);
  } else if (command == "double click line") {
    QTest::mouseDClick(m.editor.surface()->viewport(), Qt::LeftButton, {},
                       pair->Point(0) + QPoint(5, 0));
  } else if (command == "remove join") {
    QVERIFY(!m.editor.RemoveJoin());
  } else if (command == "edit fields") {
    m.editor.EditFields();
  } else if (command == "move and size windows") {
    // Only the view changes: the lines follow, the model keeps its geometry.
    customers->setGeometry(customers->geometry().translated(0, 200).adjusted(0, 0, 30, 30));
    QCOMPARE(pair->Point(0).x(), customers->geometry().right() + 1);
  } else {
    m.editor.ArrangeTables();
    QVERIFY(m.window("Orders")->pos() !=
            QPoint(m.model->GetTable(1)->Left(), m.model->GetTable(1)->Top()));
  }
  QApplication::processEvents();
  QCOMPARE(modelState(*m.model, m.editor), before);
  QCOMPARE(m.editor.tableWindows().size(), 5);
  QVERIFY(customers->isVisible());
  QCOMPARE(rec.texts(), QStringList());
  QVERIFY(!dialogShown);
  // The popup menu offers zoom and help only.
  QStringList enabled;
  for (const QAction *action : m.editor.popupMenu()->actions())
    if (action->isEnabled() && !action->isSeparator() && action->isVisible())
      enabled << action->objectName();
  QCOMPARE(enabled, (QStringList{"popZoom", "popHelp"}));
}

// With the model's AutoJoin on, a table added from a database is joined at once to the model's
// tables its keys relate it to, and the join shows its line.
void TestJoinsEditorModel::keysJoinATableAdded() {
  const QString file = scratch.filePath(u"shop.db"_s);
  {
    QSqlDatabase db = QSqlDatabase::addDatabase(u"QSQLITE"_s, u"shop-fill"_s);
    db.setDatabaseName(file);
    QVERIFY(db.open());
    QSqlQuery q(db);
    QVERIFY(q.exec(u"CREATE TABLE customers (id INTEGER PRIMARY KEY, name TEXT)"_s));
    QVERIFY(q.exec(u"CREATE TABLE orders (id INTEGER PRIMARY KEY, "
                   "customer INTEGER REFERENCES customers (id))"_s));
  }
  QSqlDatabase::removeDatabase(u"shop-fill"_s);
  TzelConnection shop;
  shop.setDatabaseName(u"SHOP"_s);
  shop.setDriverName(u"SQLITE"_s);
  shop.setParams({u"DATABASE="_s + file});
  QVERIFY2(shop.Open(), qPrintable(shop.lastError()));
  TzelDataModel model;
  zelModelFromCatalogue(model, u"SHOP"_s, {{u"orders"_s}, {}});
  TzelJoinsEditor editor;
  editor.resize(700, 260);
  editor.SetModelEditing(true);
  editor.SetModel(&model);
  editor.show();
  editor.SetSchema(&model);
  whenModal([](QWidget *w) {
    auto *dialog = qobject_cast<TfrmZelAddTable *>(w);
    if (dialog) {
      QComboBox *databases = dialog->databaseList();
      databases->setCurrentIndex(databases->findText(u"SHOP"_s));
      emit databases->activated(databases->currentIndex()); // as a user's choice relists
      dialog->selectTable(u"customers"_s);
      dialog->cmdAdd->click();
    }
    w->close();
  });
  editor.AddTable();
  QCOMPARE(model.TableCount(), 2);
  QCOMPARE(livePairCount(model), 1);
  const TzelJoin *join = model.GetJoin(0);
  QCOMPARE(join->LeftTableAlias() + u'>' + join->RightTableAlias(), u"Customers>orders"_s);
  QCOMPARE(join->GetJoinField(0)->RightFieldAlias(), u"customer"_s);
  const TzelTableForm *customers = editor.FindTableWindow(u"Customers"_s);
  QVERIFY(customers);
  QVERIFY(!join->GetJoinField(0)->Point(0).isNull()); // the line is drawn
  QVERIFY(editor.Modified());
}

// Bold rows are the key's: both of a composite key, or the first field where the model marks
// none (as the sample's tables).
void TestJoinsEditorModel::keyFieldsDrawnBold() {
  std::unique_ptr<TzelModel> model = readSampleModel();
  TzelTable *items = model->GetTable(model->IndexOfTableAlias(QStringLiteral("Items")));
  items->GetField(0)->SetIsKey(true);
  items->GetField(1)->SetIsKey(true);
  TzelJoinsEditor editor;
  editor.resize(700, 260);
  editor.SetModelEditing(true);
  editor.SetModel(model.get());
  editor.show();
  editor.SetSchema(model.get());
  const auto bold = [&](const char *alias) {
    QList<bool> rows;
    const TzelTableList *list = editor.FindTableWindow(QLatin1String(alias))->list();
    for (int row = 1; row <= 3; ++row)
      rows << list->isKeyRow(row);
    return rows;
  };
  QCOMPARE(bold("Items"), QList<bool>({true, true, false}));
  QCOMPARE(bold("Customers"), QList<bool>({true, false, false}));
}

QTEST_MAIN(TestJoinsEditorModel)
#include "tst_joinseditor_model.moc"
