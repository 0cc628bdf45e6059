// SPDX-License-Identifier: MIT
// The add-table dialog: captions, the table list the editor fills in query mode, listings of
// a desktop folder, an SQLite file and a PostgreSQL database in model mode, databases that
// cannot be listed, the filter box, and the order of names and the choice kept as the user
// types.
#include "database/zeldatamodel.h"
#include "database/zelsession.h"
#include "editors/frmzeladdtable.h"
#include "editors/tablenames.h"
#include "support/recordingmessages.h"
#include "support/samplefiles.h"
#include "support/testservers.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDir>
#include <QLabel>
#include <QLineEdit>
#include <QListView>
#include <QPushButton>
#include <QSignalSpy>
#include <QSqlDatabase>
#include <QSqlError>
#include <QSqlQuery>
#include <QTemporaryDir>
#include <QtTest>

namespace {

QStringList shown(const QListView &list) {
  return qobject_cast<const TzelTableNames *>(list.model())->shownNames();
}

QModelIndex row(const QListView &list, int row) {
  return list.model()->index(row, 0);
}

// Query mode as the joins editor sets it up: one database entry, the model's aliases.
void fillQueryMode(TfrmZelAddTable &dialog) {
  dialog.setModelEditing(false);
  dialog.databaseList()->clear();
  dialog.databaseList()->addItem(QStringLiteral("Data Model"));
  dialog.databaseList()->setCurrentIndex(0);
  dialog.tableNames()->clear();
  dialog.tableNames()->setNames({"Orders", "Customers", "Order Items", "Parts", "Vendors"});
}

// Model mode: the database list holds name, and choosing it lists its tables.
void chooseDatabase(TfrmZelAddTable &dialog, const QString &name) {
  dialog.setModelEditing(true);
  dialog.databaseList()->clear();
  dialog.databaseList()->addItem(name);
  dialog.databaseList()->setCurrentIndex(0);
  emit dialog.databaseList()->activated(0);
}

bool makeSqlite(const QString &file, QString &error) {
  bool ok = true;
  {
    QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), QStringLiteral("mk"));
    db.setDatabaseName(file);
    ok = db.open();
    QSqlQuery q(db);
    for (const char *sql : {"CREATE TABLE Zebra (id INTEGER)", "CREATE TABLE apple (id INTEGER)",
                            "CREATE TABLE [Order Items] (id INTEGER)"})
      if (ok && !q.exec(QString::fromLatin1(sql))) {
        error = q.lastError().text();
        ok = false;
      }
  }
  QSqlDatabase::removeDatabase(QStringLiteral("mk"));
  return ok;
}

} // namespace

class TestFrmZelAddTable : public QObject {
  Q_OBJECT
  QTemporaryDir scratch;

private slots:
  void initTestCase() {
    qputenv("ZEL_ALIASES_FILE", scratch.filePath(QStringLiteral("none.ini")).toLocal8Bit());
  }

  void captionsAndModes() {
    TfrmZelAddTable dialog;
    QCOMPARE(dialog.objectName(), QStringLiteral("frmZelAddTable"));
    QCOMPARE(dialog.windowTitle(), QStringLiteral("Add Table"));
    QCOMPARE(dialog.size(), QSize(316, 279));
    QCOMPARE(dialog.labDatabase->text(), QStringLiteral("&Database"));
    QCOMPARE(dialog.labDatabase->buddy(), dialog.cmbDatabase);
    QCOMPARE(dialog.labTables->text(), QStringLiteral("&Tables"));
    QCOMPARE(dialog.cmdAdd->text(), QStringLiteral("&Add Table"));
    QVERIFY(dialog.cmdAdd->isDefault());
    QCOMPARE(dialog.cmdClose->text(), QStringLiteral("&Close"));
    QCOMPARE(dialog.chkSystem->text(), QStringLiteral("System"));
    QCOMPARE(dialog.labSystem->text(), QStringLiteral("Tables"));
    QVERIFY(dialog.tableNames()->keepsSorted());
    QVERIFY(!dialog.txtFilter->placeholderText().isEmpty());
    dialog.show();
    QVERIFY(!dialog.chkSystem->isVisible());
    dialog.setModelEditing(true);
    QVERIFY(dialog.chkSystem->isVisible());
    QVERIFY(dialog.labSystem->isVisible());
    dialog.cmdClose->click();
    QVERIFY(!dialog.isVisible());
  }

  void queryModeListAndAdding() {
    TfrmZelAddTable dialog;
    QSignalSpy added(&dialog, &TfrmZelAddTable::addTableRequested);
    fillQueryMode(dialog);
    dialog.show();
    QCOMPARE(shown(*dialog.lstTables),
             QStringList({"Customers", "Order Items", "Orders", "Parts", "Vendors"}));
    dialog.cmdAdd->click(); // nothing selected: nothing added
    QCOMPARE(added.count(), 0);
    dialog.lstTables->setCurrentIndex(row(*dialog.lstTables, 2));
    dialog.cmdAdd->click();
    QVERIFY(dialog.isVisible()); // stays open for more
    const QModelIndex parts = row(*dialog.lstTables, 3);
    QTest::mouseClick(dialog.lstTables->viewport(), Qt::LeftButton, {},
                      dialog.lstTables->visualRect(parts).center());
    QTest::mouseDClick(dialog.lstTables->viewport(), Qt::LeftButton, {},
                       dialog.lstTables->visualRect(parts).center());
    QCOMPARE(added.count(), 2);
    QCOMPARE(added.at(0).at(0).toString(), QStringLiteral("Orders"));
    QCOMPARE(added.at(1).at(0).toString(), QStringLiteral("Parts"));
    QCOMPARE(dialog.selectedDatabase(), QStringLiteral("Data Model"));
    // Query mode never lists by itself.
    emit dialog.cmbDatabase->activated(0);
    QCOMPARE(dialog.tableNames()->nameCount(), 5);
  }

  void filterBox_data() {
    QTest::addColumn<QString>("filter");
    QTest::addColumn<QStringList>("expected");
    QTest::newRow("empty") << ""
                           << QStringList{"Customers", "Order Items", "Orders", "Parts", "Vendors"};
    QTest::newRow("substring, any case") << "ORD" << QStringList{"Order Items", "Orders"};
    QTest::newRow("inside") << "tom" << QStringList{"Customers"};
    QTest::newRow("nothing") << "xyz" << QStringList{};
  }
  void filterBox() {
    QFETCH(QString, filter);
    QFETCH(QStringList, expected);
    TfrmZelAddTable dialog;
    QSignalSpy added(&dialog, &TfrmZelAddTable::addTableRequested);
    fillQueryMode(dialog);
    dialog.show();
    QTest::keyClicks(dialog.txtFilter, filter);
    QCOMPARE(shown(*dialog.lstTables), expected);
    QTest::keyClick(dialog.txtFilter, Qt::Key_Return);
    if (expected.isEmpty() || filter.isEmpty()) {
      QCOMPARE(added.count(), 0);
    } else {
      QCOMPARE(added.count(), 1); // the first table shown
      QCOMPARE(added.first().first().toString(), expected.first());
    }
  }

  // The order names are shown in, what the filter keeps through successive keys, and the
  // table Return then adds: the one chosen before typing while it is shown, else the first.
  void orderFilterAndChoice_data() {
    QTest::addColumn<bool>("asListed");
    QTest::addColumn<QStringList>("names");
    QTest::addColumn<QString>("chosen");
    QTest::addColumn<QStringList>("typed");
    QTest::addColumn<QStringList>("expected");
    QTest::addColumn<QString>("added");
    const QStringList mixed{"apple", "Zebra", "ABd", "Abc", "_x"};
    const QStringList shop{"Orders", "Customers", "Order Items", "Parts", "Vendors"};
    const QStringList sortedShop{"Customers", "Order Items", "Orders", "Parts", "Vendors"};
    QTest::newRow("query mode: by code units")
        << false << mixed << "" << QStringList{}
        << QStringList{"ABd", "Abc", "Zebra", "_x", "apple"} << "";
    QTest::newRow("model mode: the catalogue's order")
        << true << mixed << "Zebra" << QStringList{} << mixed << "Zebra";
    QTest::newRow("typing on keeps the choice")
        << false << shop << "Orders" << QStringList{"o", "or", "ord"}
        << QStringList{"Order Items", "Orders"} << "Orders";
    QTest::newRow("Backspace brings rows back")
        << false << shop << "" << QStringList{"ord", "or"}
        << QStringList{"Order Items", "Orders", "Vendors"} << "Order Items";
    QTest::newRow("a hidden choice comes back")
        << false << shop << "Parts" << QStringList{"x", ""} << sortedShop << "Parts";
    QTest::newRow("filtered out: nothing to add")
        << true << shop << "Parts" << QStringList{"ITEMS", "xITEMS"} << QStringList{} << "";
  }
  void orderFilterAndChoice() {
    QFETCH(bool, asListed);
    QFETCH(QStringList, names);
    QFETCH(QString, chosen);
    QFETCH(QStringList, typed);
    QFETCH(QStringList, expected);
    QFETCH(QString, added);
    TfrmZelAddTable dialog;
    QSignalSpy adds(&dialog, &TfrmZelAddTable::addTableRequested);
    dialog.show();
    if (asListed)
      dialog.tableNames()->setNamesAsListed(names);
    else
      dialog.tableNames()->setNames(names);
    QCOMPARE(dialog.selectTable(chosen), !chosen.isEmpty());
    for (const QString &text : typed)
      dialog.txtFilter->setText(text);
    QCOMPARE(shown(*dialog.lstTables), expected);
    QCOMPARE(dialog.tableList()->model()->rowCount(), expected.size());
    QTest::keyClick(dialog.txtFilter, Qt::Key_Return);
    QCOMPARE(adds.size(), added.isEmpty() ? 0 : 1);
    if (!added.isEmpty())
      QCOMPARE(adds.first().first().toString(), added);
  }

  void downMovesIntoTheListAndRefillsObeyTheFilter() {
    TfrmZelAddTable dialog;
    fillQueryMode(dialog);
    dialog.show();
    QVERIFY(QTest::qWaitForWindowActive(&dialog));
    dialog.txtFilter->setFocus();
    QTest::keyClick(dialog.txtFilter, Qt::Key_Down);
    QCOMPARE(QApplication::focusWidget(), dialog.lstTables);
    QCOMPARE(dialog.selectedTable(), QStringLiteral("Customers"));
    QTest::keyClicks(dialog.txtFilter, QStringLiteral("or"));
    QCOMPARE(dialog.selectedTable(), QStringLiteral("Order Items"));
    dialog.tableNames()->addName(QStringLiteral("Sorters"));
    QCOMPARE(shown(*dialog.lstTables),
             QStringList({"Order Items", "Orders", "Sorters", "Vendors"}));
    // Shown again, the dialog starts unfiltered with the filter box ready.
    dialog.hide();
    dialog.show();
    QVERIFY(dialog.txtFilter->text().isEmpty());
    QCOMPARE(dialog.tableNames()->nameCount(), 6);
    QCOMPARE(shown(*dialog.lstTables).size(), 6);
    QCOMPARE(dialog.focusWidget(), dialog.txtFilter);
  }

  void standardSampleFolder() {
    ZEL_SKIP_WITHOUT_PARADOX();
    TzelDataModel model;
    TfrmZelAddTable dialog;
    dialog.setModel(&model);
    chooseDatabase(dialog, QCoreApplication::applicationDirPath() + QStringLiteral("/Data"));
    QCOMPARE(shown(*dialog.lstTables),
             QStringList({"T0490.DB", "T0491.DB", "T0492.DB", "T0493.DB", "T0494.DB"}));
  }

  void sqliteFileAndSystemTables() {
    QString error;
    const QString file = scratch.filePath(QStringLiteral("shop.sqlite"));
    QVERIFY2(makeSqlite(file, error), qPrintable(error));
    TzelDataModel model;
    TfrmZelAddTable dialog;
    dialog.setModel(&model);
    chooseDatabase(dialog, file);
    QCOMPARE(shown(*dialog.lstTables), QStringList({"apple", "Order Items", "Zebra"}));
    dialog.chkSystem->click();
    QVERIFY(shown(*dialog.lstTables).contains(QStringLiteral("sqlite_master")));
    dialog.chkSystem->click();
    QCOMPARE(dialog.tableNames()->nameCount(), 3);
    dialog.chkSystem->click();
    dialog.setModelEditing(true); // a new use starts without system tables
    QVERIFY(!dialog.chkSystem->isChecked());
  }

  void databasesThatCannotBeListed_data() {
    QTest::addColumn<QString>("driver");
    QTest::addColumn<QStringList>("params");
    QTest::addColumn<QString>("message");
    QTest::newRow("missing folder")
        << "STANDARD" << QStringList{"PATH=/nonexistent/pellox"}
        << "Error: The folder [/nonexistent/pellox] of database [BROKEN] does not exist";
    QTest::newRow("missing file") << "SQLITE" << QStringList{"DATABASE=/nonexistent/x.db"}
                                  << "Error: The database file [/nonexistent/x.db] does not exist";
    QTest::newRow("stopped server")
        << "POSTGRESQL"
        << QStringList{"HOST=127.0.0.1", "PORT=1", "DATABASE=none", "USER NAME=nobody"} << "";
  }
  void databasesThatCannotBeListed() {
    QFETCH(QString, driver);
    QFETCH(QStringList, params);
    QFETCH(QString, message);
    RecordingMessages rec;
    TzelSession::defaultSession().registerAlias({QStringLiteral("BROKEN"), driver, params});
    TzelDataModel model;
    TfrmZelAddTable dialog;
    dialog.setModel(&model);
    dialog.tableNames()->addName(QStringLiteral("stale"));
    chooseDatabase(dialog, QStringLiteral("BROKEN"));
    TzelSession::defaultSession().unregisterAlias(QStringLiteral("BROKEN"));
    QCOMPARE(dialog.tableNames()->nameCount(), 0);
    QCOMPARE(rec.messages.size(), 1);
    QCOMPARE(rec.messages.first().buttons, TzelButtons::Ok);
    QVERIFY(rec.lastText().startsWith(QStringLiteral("Error: ")));
    if (!message.isEmpty())
      QCOMPARE(rec.lastText(), message);
  }

  void postgresDatabase() {
    if (qEnvironmentVariableIsEmpty("ZEL_PG_HOST"))
      QSKIP("ZEL_PG_HOST is not set: no PostgreSQL server was started for this run");
    const QString name = QStringLiteral("zeldialogs");
    {
      QSqlDatabase db = testServerConnection(kTestPostgres, QStringLiteral("mk"));
      QVERIFY2(db.open(), qPrintable(db.lastError().text()));
      QSqlQuery q(db);
      q.exec(QStringLiteral("DROP DATABASE IF EXISTS ") + name);
      QVERIFY2(q.exec(QStringLiteral("CREATE DATABASE ") + name), qPrintable(q.lastError().text()));
      db.close();
      db.setDatabaseName(name);
      QVERIFY(db.open());
      QSqlQuery t(db);
      QVERIFY(t.exec(QStringLiteral("CREATE TABLE orders (id integer)")));
      QVERIFY(t.exec(QStringLiteral("CREATE TABLE customers (id integer)")));
      db.close();
    }
    QSqlDatabase::removeDatabase(QStringLiteral("mk"));
    TzelSession::defaultSession().registerAlias(
        {QStringLiteral("DIALOGSPG"),
         QStringLiteral("POSTGRESQL"),
         {QStringLiteral("HOST=") + qEnvironmentVariable("ZEL_PG_HOST"),
          QStringLiteral("PORT=") + qEnvironmentVariable("ZEL_PG_PORT"),
          QStringLiteral("DATABASE=") + name,
          QStringLiteral("USER NAME=") + qEnvironmentVariable("ZEL_PG_USER")}});
    RecordingMessages rec;
    TzelDataModel model;
    TfrmZelAddTable dialog;
    dialog.setModel(&model);
    chooseDatabase(dialog, QStringLiteral("DIALOGSPG"));
    QCOMPARE(shown(*dialog.lstTables), QStringList({"customers", "orders"}));
    dialog.chkSystem->click();
    QVERIFY(dialog.tableNames()->nameCount() > 2);
    QVERIFY(rec.messages.isEmpty());
    TzelSession::defaultSession().close(QStringLiteral("DIALOGSPG"));
    TzelSession::defaultSession().unregisterAlias(QStringLiteral("DIALOGSPG"));
  }

  void help() {
    RecordingHelp help;
    TzelModel model;
    TfrmZelAddTable dialog;
    dialog.setModel(&model);
    dialog.show();
    QVERIFY(QTest::qWaitForWindowActive(&dialog));
    dialog.cmdHelp->click();
    QTest::keyClick(dialog.lstTables, Qt::Key_F1);
    QCOMPARE(help.calls.size(), 2);
    QCOMPARE(help.calls.first().context, 1015);
  }
};

QTEST_MAIN(TestFrmZelAddTable)
#include "tst_frmzeladdtable.moc"
