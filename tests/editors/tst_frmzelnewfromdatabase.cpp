// SPDX-License-Identifier: MIT
// New from Database in the data model window, on an SQLite file of three related tables and a
// view: a name that is no database is refused with the input kept; File… reads the chosen file;
// the filter (plain text and a wildcard), None on the tables shown and Space on a row choose
// two tables; OK after Yes to the question replaces the model with them and their join under an
// alias named after the file, arranged, as one undoable step, and a second key between them
// named in a message. On a PostgreSQL server: the tables of one schema chosen, not those of the
// same name in another; the password typed is nowhere in the model.
#include "database/zeldatamodel.h"
#include "database/zelsession.h"
#include "editors/cataloguetables.h"
#include "editors/designhistory.h"
#include "editors/frmzeldatamodel.h"
#include "editors/frmzelnewfromdatabase.h"
#include "editors/joinseditor.h"
#include "model/storedform.h"
#include "support/gridmodel.h"
#include "support/modaldriver.h"
#include "support/recordingmessages.h"
#include "support/testservers.h"

#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QListView>
#include <QPushButton>
#include <QRadioButton>
#include <QSpinBox>
#include <QSqlDatabase>
#include <QSqlError>
#include <QSqlQuery>
#include <QTemporaryDir>
#include <QToolButton>
#include <QUndoStack>
#include <QtTest>

class TestNewFromDatabase : public QObject {
  Q_OBJECT
private slots:
  void replacesTheModel();
  void readsAServer();
  void readsAMariaDbServer();
};

namespace {

void makeShop(const QString &file) {
  {
    QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), QStringLiteral("mk"));
    db.setDatabaseName(file);
    QVERIFY(db.open());
    QSqlQuery q(db);
    for (const char *sql :
         {"CREATE TABLE customers (id INTEGER PRIMARY KEY, name TEXT)",
          "CREATE TABLE orders (id INTEGER PRIMARY KEY, customer_id INTEGER REFERENCES "
          "customers(id), billed_to INTEGER REFERENCES customers(id), placed DATE)",
          "CREATE TABLE items (id INTEGER PRIMARY KEY, order_id INTEGER REFERENCES orders(id), "
          "qty INTEGER)",
          "CREATE VIEW big_orders AS SELECT * FROM orders"})
      QVERIFY2(q.exec(QString::fromLatin1(sql)), sql);
  }
  QSqlDatabase::removeDatabase(QStringLiteral("mk"));
}

// Answers the file dialog with one file.
class ChosenFile : public ScopedInteraction {
public:
  explicit ChosenFile(QString file) : m_file(std::move(file)) {}
  bool openFileName(const TzelFileRequest &, QString &fileName) override {
    fileName = m_file;
    return true;
  }

private:
  QString m_file;
};

QStringList shownTables(const TfrmZelNewFromDatabase &dialog) {
  QStringList names;
  for (int row = 0; row < dialog.tables()->rowCount(); ++row)
    names << dialog.tables()->index(row).data().toString();
  return names;
}

void checkRow(TfrmZelNewFromDatabase &dialog, const QString &name) {
  const int row = int(shownTables(dialog).indexOf(name));
  QVERIFY2(row >= 0, qPrintable(name));
  dialog.lstTables->setCurrentIndex(dialog.tables()->index(row));
  QTest::keyClick(dialog.lstTables, Qt::Key_Space);
}

void chooseTwo(TfrmZelNewFromDatabase &dialog, const QString &file, RecordingMessages &rec) {
  dialog.cboDatabase->setEditText(QStringLiteral("no-such-database"));
  QTest::keyClick(dialog.cboDatabase, Qt::Key_Return); // reads, rather than taking OK
  QVERIFY(dialog.isVisible());
  QCOMPARE(rec.lastText(), QStringLiteral("Error: Unknown database [no-such-database]"));
  QCOMPARE(dialog.cboDatabase->currentText(), QStringLiteral("no-such-database"));
  QVERIFY(!dialog.cmdOk->isEnabled());

  ChosenFile chosen(file);
  dialog.cmdBrowse->click();
  QCOMPARE(shownTables(dialog), QStringList({"big_orders (view)", "customers", "items", "orders"}));
  QCOMPARE(dialog.labCount->text(), QStringLiteral("4 of 4 tables chosen"));
  QStringList tabs; // from the list, where reading leaves the keyboard
  for (int i = 0; i < 12 && QApplication::focusWidget(); ++i) {
    tabs << QApplication::focusWidget()->objectName();
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
  }
  QCOMPARE(tabs, QStringList({"lstTables", "cmdAll", "cmdNone", "cmdOk", "cmdCancel", "cmdHelp",
                              "optAlias", "cboDatabase", "cmdBrowse", "cmdRead", "txtFilter",
                              "cboSchema"}));
  QTest::keyClicks(dialog.txtFilter, QStringLiteral("ORD"));
  QCOMPARE(shownTables(dialog), QStringList({"big_orders (view)", "orders"}));
  dialog.txtFilter->setText(QStringLiteral("*S"));
  QCOMPARE(shownTables(dialog), QStringList({"big_orders (view)", "customers", "items", "orders"}));
  dialog.txtFilter->setText(QStringLiteral("i*"));
  dialog.cmdNone->click(); // the tables shown only
  QCOMPARE(dialog.labCount->text(), QStringLiteral("3 of 4 tables chosen"));
  dialog.txtFilter->clear();
  dialog.cmdNone->click();
  QCOMPARE(dialog.labCount->text(), QStringLiteral("0 of 4 tables chosen"));
  QVERIFY(!dialog.cmdOk->isEnabled());
  checkRow(dialog, QStringLiteral("customers"));
  checkRow(dialog, QStringLiteral("orders"));
  QCOMPARE(dialog.labCount->text(), QStringLiteral("2 of 4 tables chosen"));
  QVERIFY(dialog.cmdOk->isEnabled());
  dialog.cmdOk->click();
}

} // namespace

void TestNewFromDatabase::replacesTheModel() {
  QTemporaryDir folder;
  const QString file = folder.filePath(QStringLiteral("shop.db"));
  makeShop(file);
  RecordingMessages rec; // Yes to "Replace the tables ..."
  TzelDataModel model;
  fillGridModel(model, 3);
  const QString before = StoredFormWriter().write(model);
  TfrmZelDataModel window;
  window.zelJoinsEditor->SetModel(&model);
  window.zelJoinsEditor->SetSchema(&model);
  window.show();
  QVERIFY(QTest::qWaitForWindowActive(&window));

  bool driven = false;
  whenModal([&](QWidget *w) {
    auto *dialog = qobject_cast<TfrmZelNewFromDatabase *>(w);
    QVERIFY(dialog);
    chooseTwo(*dialog, file, rec);
    if (dialog->isVisible())
      dialog->reject();
    driven = true;
  });
  window.cmdNewFromDatabase->click();
  QVERIFY(driven);
  QCOMPARE(rec.texts().first(), QStringLiteral("Replace the tables of the current Data Model?"));
  QVERIFY2(rec.lastText().endsWith(QStringLiteral("\n\norders (billed_to) -> customers (id)")),
           qPrintable(rec.lastText())); // the second key between the two tables

  QCOMPARE(model.TableCount(), 2);
  QStringList tables;
  for (int i = 0; i < model.TableCount(); ++i)
    tables << model.GetTable(i)->TableAlias() + u' ' + model.GetTable(i)->GetDatabaseName();
  QCOMPARE(tables, QStringList({"customers shop", "orders shop"}));
  QCOMPARE(TzelSession::defaultSession().alias(QStringLiteral("shop"))->params,
           QStringList({QStringLiteral("DATABASE=") + QFileInfo(file).absoluteFilePath()}));
  QCOMPARE(model.DatabaseType(), zelSQLite);
  QCOMPARE(model.JoinCount(), 1);
  const TzelJoin *join = model.GetJoin(0);
  QCOMPARE(join->LeftTableAlias() + u'.' + join->GetJoinField(0)->LeftFieldAlias() + u'=' +
               join->RightTableAlias() + u'.' + join->GetJoinField(0)->RightFieldAlias(),
           QStringLiteral("customers.id=orders.customer_id"));
  // Arranged: the two tables side by side.
  QCOMPARE(window.zelJoinsEditor->tableCount(), 2);
  QVERIFY(model.GetTable(0)->Left() != model.GetTable(1)->Left());

  QUndoStack *stack = window.history()->stack();
  QCOMPARE(stack->count(), 1);
  QCOMPARE(stack->undoText(), QStringLiteral("New from Database"));
  QVERIFY(window.zelJoinsEditor->Modified());
  window.cmdUndo->click();
  QCOMPARE(StoredFormWriter().write(model), before);
  QCOMPARE(window.zelJoinsEditor->tableCount(), 3);
}

void TestNewFromDatabase::readsAServer() {
  if (qEnvironmentVariableIsEmpty("ZEL_PG_HOST"))
    QSKIP("ZEL_PG_HOST is not set: no PostgreSQL server was started for this run");
  const QString name = QStringLiteral("zelnewfromdb");
  {
    QSqlDatabase db = testServerConnection(kTestPostgres, QStringLiteral("mk"));
    QVERIFY2(db.open(), qPrintable(db.lastError().text()));
    QSqlQuery(db).exec(QStringLiteral("DROP DATABASE IF EXISTS ") + name);
    QVERIFY(QSqlQuery(db).exec(QStringLiteral("CREATE DATABASE ") + name));
    db.close();
    db.setDatabaseName(name);
    QVERIFY(db.open());
    QSqlQuery q(db);
    for (const char *sql : {"CREATE SCHEMA sales", "CREATE TABLE buyers (id integer PRIMARY KEY)",
                            "CREATE TABLE sales.buyers (id integer PRIMARY KEY)",
                            "CREATE TABLE sales.deals (id integer PRIMARY KEY, buyer_id integer "
                            "REFERENCES sales.buyers)"})
      QVERIFY2(q.exec(QString::fromLatin1(sql)), qPrintable(q.lastError().text()));
  }
  QSqlDatabase::removeDatabase(QStringLiteral("mk"));
  RecordingMessages rec;
  TzelDataModel model;
  whenModal([&](QWidget *w) {
    auto *dialog = qobject_cast<TfrmZelNewFromDatabase *>(w);
    dialog->optServer->click();
    dialog->txtHost->setText(qEnvironmentVariable("ZEL_PG_HOST"));
    dialog->txtPort->setValue(qEnvironmentVariableIntValue("ZEL_PG_PORT"));
    dialog->txtDatabase->setText(name);
    dialog->txtUser->setText(qEnvironmentVariable("ZEL_PG_USER"));
    dialog->txtPassword->setText(QStringLiteral("typed-password"));
    dialog->cmdRead->click();
    dialog->cmdNone->click();
    dialog->cboSchema->setCurrentText(QStringLiteral("sales"));
    dialog->cmdAll->click();
    dialog->cmdOk->click();
  });
  QVERIFY(zelNewModelFromDatabase(model, nullptr));
  QVERIFY2(rec.messages.isEmpty(), qPrintable(rec.lastText()));
  QStringList tables;
  for (int i = 0; i < model.TableCount(); ++i)
    tables << model.GetTable(i)->TableAlias() + u' ' + model.GetTable(i)->TableName() + u' ' +
                  model.GetTable(i)->GetDatabaseName();
  QCOMPARE(tables,
           QStringList({"buyers sales.buyers zelnewfromdb", "deals sales.deals zelnewfromdb"}));
  QCOMPARE(model.JoinCount(), 1);
  QVERIFY(!StoredFormWriter().write(model).contains(QStringLiteral("typed-password")));
  TzelSession::defaultSession().close(name);
}

// The engine chosen sets the port; its tables come with their foreign key as a join, under
// the MySQL dialect.
void TestNewFromDatabase::readsAMariaDbServer() {
  using namespace Qt::StringLiterals;
  if (qEnvironmentVariableIsEmpty("ZEL_MY_HOST"))
    QSKIP("ZEL_MY_HOST is not set: no MariaDB server was started for this run");
  const QString name = QStringLiteral("zelnewfromdb");
  {
    QSqlDatabase db = testServerConnection(kTestMariaDb, QStringLiteral("mk"));
    QVERIFY2(db.open(), qPrintable(db.lastError().text()));
    QSqlQuery q(db);
    for (
        const QString &sql :
        {u"DROP DATABASE IF EXISTS "_s + name, u"CREATE DATABASE "_s + name, u"USE "_s + name,
         u"CREATE TABLE buyers (id INTEGER PRIMARY KEY, `full name` VARCHAR(40))"_s,
         u"CREATE TABLE deals (id INTEGER PRIMARY KEY, buyer_id INTEGER REFERENCES buyers (id))"_s})
      QVERIFY2(q.exec(sql), qPrintable(q.lastError().text()));
  }
  QSqlDatabase::removeDatabase(QStringLiteral("mk"));
  RecordingMessages rec;
  TzelDataModel model;
  int defaultPort = 0;
  whenModal([&](QWidget *w) {
    auto *dialog = qobject_cast<TfrmZelNewFromDatabase *>(w);
    dialog->optServer->click();
    dialog->cboEngine->setCurrentIndex(1);
    defaultPort = dialog->txtPort->value();
    dialog->txtHost->setText(qEnvironmentVariable("ZEL_MY_HOST"));
    dialog->txtPort->setValue(qEnvironmentVariableIntValue("ZEL_MY_PORT"));
    dialog->txtDatabase->setText(name);
    dialog->txtUser->setText(qEnvironmentVariable("ZEL_MY_USER"));
    dialog->txtPassword->setText(qEnvironmentVariable("ZEL_MY_PASSWORD"));
    dialog->cmdRead->click();
    dialog->cmdAll->click();
    dialog->cmdOk->click();
  });
  QVERIFY(zelNewModelFromDatabase(model, nullptr));
  QVERIFY2(rec.messages.isEmpty(), qPrintable(rec.lastText()));
  QCOMPARE(defaultPort, 3306);
  QCOMPARE(model.DatabaseType(), zelMySQL);
  QCOMPARE(model.TableCount(), 2);
  QCOMPARE(model.JoinCount(), 1);
  QVERIFY(!StoredFormWriter().write(model).contains(u"PASSWORD"_s, Qt::CaseInsensitive));
  TzelSession::defaultSession().close(model.GetTable(0)->GetDatabaseName());
}

QTEST_MAIN(TestNewFromDatabase)
#include "tst_frmzelnewfromdatabase.moc"
