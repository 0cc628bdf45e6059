// SPDX-License-Identifier: MIT
// The alias synchronisation dialog: its layout, the drop-down list over the replacement cell,
// the OK check, both synchronisation steps asking through it, and SQL generation repairing a
// renamed model table and then its renamed field.

#include "dialogs/dialoggrid.h"
#include "dialogs/frmzelsync.h"
#include "engine/zelsync.h"
#include "support/modaldriver.h"
#include "support/querionfixture.h"
#include "support/recordingmessages.h"
#include "support/scriptedprompts.h"
#include "workspace/queryprompts.h"

#include <QComboBox>
#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QTableWidget>
#include <QtTest>

Q_DECLARE_METATYPE(TzelSyncMode)

namespace {

// The Customers model plus Orders, and a query over Customers (twice) and Orders with the
// values City and OrderNo.
struct SyncQuery {
  SyncQuery() : model(makeCustomersModel(&owner)) {
    for (int i = 0; i < customers()->FieldCount(); ++i) // the order the field lists follow
      customers()->GetField(i)->SetPosition(i);
    model->AddTable(QStringLiteral("PELLOX"), QStringLiteral("T0496.DB"), QStringLiteral("Orders"));
    model->GetTable(1)->AddField(QStringLiteral("ORD_NO"), QStringLiteral("OrderNo"), ftFloat, 0);
    querion.setObjectName(QStringLiteral("zelQuerion1"));
    querion.SetDataModel(model);
    query = querion.CurrentQuery();
    const QString customers = QStringLiteral("Customers");
    query->AddTable(QString(), customers, customers);
    query->AddTable(QString(), customers, QStringLiteral("Billing"));
    query->AddTable(QString(), QStringLiteral("Orders"), QStringLiteral("Orders"));
    query->AddValue(customers, QStringLiteral("City"), {});
    query->AddValue(QStringLiteral("Orders"), QStringLiteral("OrderNo"), {});
  }
  TzelTable *customers() const { return model->GetTable(0); }
  QStringList tableNames() const {
    QStringList names;
    for (int i = 0; i < query->TableCount(); ++i)
      names << query->GetTable(i)->TableName();
    return names;
  }

  QObject owner;
  TzelModel *model;
  TzelQuerion querion;
  TzelQuery *query;
};

TfrmZelSync *syncDialog(QWidget *w) {
  return qobject_cast<TfrmZelSync *>(w);
}

// The drop-down list open over the current replacement cell.
QComboBox *openList(TfrmZelSync *dialog) {
  return qobject_cast<QComboBox *>(dialog->grdSync->indexWidget(dialog->grdSync->currentIndex()));
}

QStringList entries(const QComboBox *list) {
  QStringList texts;
  for (int i = 0; list && i < list->count(); ++i)
    texts << list->itemText(i);
  return texts;
}

// Picks an entry of the open list as a user does: the entry is written into the cell at once.
void choose(TfrmZelSync *dialog, const QString &text) {
  QComboBox *list = openList(dialog);
  QVERIFY(list);
  const int index = list->findText(text);
  QVERIFY2(index >= 0, qPrintable(entries(list).join(u',') + u'@' +
                                  QString::number(dialog->grdSync->currentRow())));
  list->setCurrentIndex(index);
  emit list->activated(index);
}

QStringList rowTexts(const QTableWidget &grid, int row) {
  QStringList texts;
  for (int column = 0; column < grid.columnCount(); ++column)
    texts << grid.item(row, column)->text();
  return texts;
}

} // namespace

class TestFrmZelSync : public QObject {
  Q_OBJECT

private slots:
  void initTestCase() { zelInstallQueryPrompts(); }

  void promptsThatCannotChooseCancelWithoutBlocking() {
    RecordingMessages rec;
    ScriptedPrompts cannotChoose;
    SyncQuery q;
    q.customers()->SetTableAlias(QStringLiteral("Clients"));
    const bool ok = SyncTableAliases(*q.query, *q.model, cannotChoose);
    QVERIFY(!ok);
    QCOMPARE(rec.texts(), QStringList{QStringLiteral(
                              "Error: The new name for [Customers] has not been assigned")});
    QVERIFY(dynamic_cast<TzelGuiQueryPrompts *>(&zelQueryPrompts()));
  }

  void captionsAndLayout_data() {
    QTest::addColumn<TzelSyncMode>("mode");
    QTest::addColumn<QString>("title");
    QTest::newRow("tables") << TzelSyncMode::Tables
                            << QStringLiteral("Table aliases in the query do not match the Data "
                                              "Model.");
    QTest::newRow("fields") << TzelSyncMode::Fields
                            << QStringLiteral("Field aliases in the query do not match the Data "
                                              "Model.");
  }

  void captionsAndLayout() {
    QFETCH(TzelSyncMode, mode);
    QFETCH(QString, title);
    TfrmZelSync dialog(mode);
    QCOMPARE(dialog.windowTitle(), QStringLiteral(" Data Model Synchronization"));
    QCOMPARE(dialog.labTitle->text(), title);
    QCOMPARE(dialog.labLeft->text(),
             QStringLiteral("The left column below displays the unmatched aliases."));
    QCOMPARE(dialog.labRight->text(),
             QStringLiteral("Use the right column to select their replacement."));
    QVERIFY(dialog.windowFlags().testFlag(Qt::WindowStaysOnTopHint));
    QCOMPARE(dialog.grdSync->columnCount(), 4);
    QCOMPARE(dialog.grdSync->rowCount(), 41);
    QCOMPARE(dialog.grdSync->columnWidth(0), 169);
    QCOMPARE(dialog.grdSync->columnWidth(1), 157);
    QVERIFY(!dialog.grdSync->isColumnHidden(0));
    QVERIFY(!dialog.grdSync->isColumnHidden(1));
    QVERIFY(dialog.grdSync->isColumnHidden(2));
    QVERIFY(dialog.grdSync->isColumnHidden(3));
    QVERIFY(dialog.grdSync->horizontalHeader()->isHidden());
    QVERIFY(dialog.grdSync->verticalHeader()->isHidden());
    QCOMPARE(dialog.cmdOk->text(), QStringLiteral("&OK"));
    QCOMPARE(dialog.cmdCancel->text(), QStringLiteral("&Cancel"));
    QCOMPARE(dialog.cmdHelp->text(), QStringLiteral("&Help"));
    QVERIFY(dialog.cmdOk->isDefault());
    dialog.show();
    QCOMPARE(dialog.minimumSize(), dialog.maximumSize());
    QVERIFY(dialog.grdSync->viewport()->width() >= 169 + 157);
    QVERIFY(!openList(&dialog)); // no list before there is a row to choose for
  }

  void tableModeListsUnmatchedNamesAndRenamesTheQueryTables() {
    RecordingMessages rec;
    SyncQuery q;
    q.customers()->SetTableAlias(QStringLiteral("Clients"));
    QStringList row0, row1, choices;
    QString chosen;
    bool stayedOpen = false, closedByReturn = false;
    whenModal([&](QWidget *w) {
      TfrmZelSync *dialog = syncDialog(w);
      row0 = rowTexts(*dialog->grdSync, 0);
      row1 = rowTexts(*dialog->grdSync, 1);
      choices = entries(openList(dialog));
      dialog->cmdOk->click(); // nothing chosen yet
      stayedOpen = dialog->isVisible();
      QTest::keyClick(openList(dialog), Qt::Key_Down); // the first entry, by keyboard
      chosen = dialog->grdSync->item(0, 1)->text();
      QTest::keyClick(openList(dialog), Qt::Key_Return); // OK is the default button
      closedByReturn = !dialog->isVisible();
      if (!closedByReturn)
        dialog->cmdOk->click();
    });
    QVERIFY(SyncTableAliases(*q.query, *q.model, zelQueryPrompts()));
    // Both instances of Customers share one row.
    QCOMPARE(row0, QStringList({"Customers", "", "", ""}));
    QCOMPARE(row1, QStringList({"", "", "", ""}));
    QCOMPARE(choices, QStringList({"Clients", "Orders"}));
    QVERIFY(stayedOpen);
    QCOMPARE(rec.texts(), QStringList{QStringLiteral(
                              "Error: The new name for [Customers] has not been assigned")});
    QCOMPARE(chosen, QStringLiteral("Clients"));
    QVERIFY(closedByReturn);
    QCOMPARE(q.tableNames(), QStringList({"Clients", "Clients", "Orders"}));
  }

  void cancelGivesFalseAndChangesNothing() {
    SyncQuery q;
    q.customers()->SetTableAlias(QStringLiteral("Clients"));
    whenModal([](QWidget *w) {
      TfrmZelSync *dialog = syncDialog(w);
      choose(dialog, QStringLiteral("Orders"));
      dialog->cmdCancel->click();
    });
    QVERIFY(!SyncTableAliases(*q.query, *q.model, zelQueryPrompts()));
    QCOMPARE(q.tableNames(), QStringList({"Customers", "Customers", "Orders"}));
  }

  void fieldModeOffersTheFieldsOfTheValuesTable() {
    RecordingMessages rec;
    SyncQuery q;
    q.customers()->GetField(1)->SetFieldAlias(QStringLiteral("Town"));
    q.model->GetTable(1)->GetField(0)->SetFieldAlias(QStringLiteral("Number"));
    QStringList row0, row1, choices0, choices1;
    QString title;
    whenModal([&](QWidget *w) {
      TfrmZelSync *dialog = syncDialog(w);
      title = dialog->labTitle->text();
      row0 = rowTexts(*dialog->grdSync, 0);
      row1 = rowTexts(*dialog->grdSync, 1);
      choices0 = entries(openList(dialog));
      choose(dialog, QStringLiteral("Town"));
      dialog->cmdOk->click(); // the second row still lacks its replacement
      dialog->grdSync->setCurrentCell(1, 0);
      choices1 = entries(openList(dialog));
      choose(dialog, QStringLiteral("Number"));
      dialog->cmdOk->click();
    });
    QVERIFY(SyncFieldAliases(*q.query, *q.model, zelQueryPrompts()));
    QCOMPARE(title, QStringLiteral("Field aliases in the query do not match the Data Model."));
    QCOMPARE(row0, QStringList({"Customers.City", "", "Customers", "City"}));
    QCOMPARE(row1, QStringList({"Orders.OrderNo", "", "Orders", "OrderNo"}));
    QCOMPARE(choices0, QStringList({"CustNo", "Town", "LastInvoice"}));
    QCOMPARE(choices1, QStringList{QStringLiteral("Number")});
    QCOMPARE(rec.texts(), QStringList{QStringLiteral(
                              "Error: The new name for [Orders.OrderNo] has not been assigned")});
    QCOMPARE(q.query->GetValue(0)->Expression(), QStringLiteral("Town"));
    QCOMPARE(q.query->GetValue(1)->Expression(), QStringLiteral("Number"));
    QCOMPARE(q.query->GetValue(0)->ValueAlias(), QStringLiteral("City"));
  }

  void theListSitsOverTheReplacementCellOfNamedRowsOnly() {
    TfrmZelSync dialog(TzelSyncMode::Tables);
    const QStringList choices{QStringLiteral("Clients"), QStringLiteral("Orders")};
    dialog.SetRows({{QStringLiteral("Customers"), {}, {}, {}, choices},
                    {QStringLiteral("Vendors"), {}, {}, {}, choices}});
    dialog.show();
    QVERIFY(QTest::qWaitForWindowExposed(&dialog));
    QCOMPARE(dialog.grdSync->currentRow(), 0);
    QCOMPARE(dialog.grdSync->currentColumn(), 1);

    // A click on the name selects the row's replacement cell.
    QTableWidget *grid = dialog.grdSync;
    QTest::mouseClick(grid->viewport(), Qt::LeftButton, {},
                      grid->visualItemRect(grid->item(1, 0)).center());
    QCOMPARE(grid->currentRow(), 1);
    QCOMPARE(grid->currentColumn(), 1);
    QComboBox *list = openList(&dialog);
    QVERIFY(list);
    QCOMPARE(list->geometry(), grid->visualItemRect(grid->item(1, 1)));
    QCOMPARE(list->currentIndex(), -1); // nothing is chosen for the user

    // A row without a name cannot be selected.
    grid->setCurrentCell(2, 1);
    QCOMPARE(grid->currentRow(), 1);
    QTest::mouseClick(grid->viewport(), Qt::LeftButton, {},
                      grid->visualItemRect(grid->item(5, 1)).center());
    QCOMPARE(grid->currentRow(), 1);
    QVERIFY(!grid->item(5, 1)->flags().testFlag(Qt::ItemIsEditable));
  }

  void moreThan41RowsGrowTheGrid() {
    QList<TzelSyncRow> rows;
    for (int i = 1; i <= 45; ++i)
      rows.append({QStringLiteral("Table%1").arg(i), {}, {}, {}, {QStringLiteral("Orders")}});
    int shown = 0;
    whenModal([&](QWidget *w) {
      TfrmZelSync *dialog = syncDialog(w);
      shown = dialog->grdSync->rowCount();
      for (int row = 0; row < 45; ++row) {
        dialog->grdSync->setCurrentCell(row, 1);
        choose(dialog, QStringLiteral("Orders"));
      }
      dialog->cmdOk->click();
    });
    QObject owner;
    QVERIFY(
        zelQueryPrompts().askReplacements(TzelSyncMode::Tables, rows, *makeCustomersModel(&owner)));
    QCOMPARE(shown, 45);
    QCOMPARE(rows.size(), 45);
    QCOMPARE(rows.last().name, QStringLiteral("Table45"));
    for (const TzelSyncRow &row : std::as_const(rows))
      QCOMPARE(row.replacement, QStringLiteral("Orders"));
  }

  void helpAndF1OpenTopic59() {
    RecordingHelp help;
    QObject owner;
    TfrmZelSync dialog(TzelSyncMode::Tables, makeCustomersModel(&owner));
    dialog.SetRows({{QStringLiteral("Customers"), {}, {}, {}, {QStringLiteral("Clients")}}});
    dialog.show();
    QVERIFY(QTest::qWaitForWindowActive(&dialog));
    dialog.cmdHelp->click();
    QTest::keyClick(openList(&dialog), Qt::Key_F1);
    QCOMPARE(help.calls.size(), 2);
    for (const RecordedHelp &call : std::as_const(help.calls)) {
      QCOMPARE(call.context, 59);
      QVERIFY2(call.helpFile.endsWith(QStringLiteral("VIZADUZ.HLP")), qPrintable(call.helpFile));
    }
  }

  void generationRepairsARenamedTableThenItsFields() {
    RecordingMessages rec;
    SyncQuery q;
    q.query->DeleteTable(QStringLiteral("Billing"));
    q.query->DeleteTable(QStringLiteral("Orders"));
    q.customers()->SetTableAlias(QStringLiteral("Clients"));
    q.customers()->GetField(1)->SetFieldAlias(QStringLiteral("Town"));
    QStringList titles, names;
    whenModal([&](QWidget *w) {
      TfrmZelSync *tables = syncDialog(w);
      titles << tables->labTitle->text();
      names << tables->grdSync->item(0, 0)->text();
      choose(tables, QStringLiteral("Clients"));
      whenModal([&](QWidget *inner) {
        TfrmZelSync *fields = syncDialog(inner);
        titles << fields->labTitle->text();
        names << fields->grdSync->item(0, 0)->text();
        choose(fields, QStringLiteral("Town"));
        fields->cmdOk->click();
      });
      tables->cmdOk->click();
    });
    QVERIFY(q.querion.GenerateSQL());
    QCOMPARE(titles,
             QStringList({SyncCaption(TzelSyncMode::Tables), SyncCaption(TzelSyncMode::Fields)}));
    QCOMPARE(names, QStringList({"Customers", "Customers.City"}));
    QVERIFY2(rec.messages.isEmpty(), qPrintable(rec.texts().join(u'\n')));
    // The Paradox dialect writes the table before the column alias and quotes file names.
    QCOMPARE(q.querion.SQL().join(u'\n'),
             QStringLiteral("  SELECT Customers.CITY AS Customers.City\n"
                            "    FROM \"T0490.DB\" AS Customers"));
  }

  void snapshot_data() {
    QTest::addColumn<TzelSyncMode>("mode");
    QTest::addColumn<QString>("file");
    QTest::newRow("tables") << TzelSyncMode::Tables << QStringLiteral("dialog-sync-tables.png");
    QTest::newRow("fields") << TzelSyncMode::Fields << QStringLiteral("dialog-sync-fields.png");
  }

  void snapshot() {
    // Developer aid: ZEL_SNAPSHOTS=<folder> writes a picture of the dialog there.
    QFETCH(TzelSyncMode, mode);
    QFETCH(QString, file);
    const QString folder = qEnvironmentVariable("ZEL_SNAPSHOTS");
    if (folder.isEmpty())
      QSKIP("ZEL_SNAPSHOTS not set");
    TfrmZelSync dialog(mode);
    const QStringList choices{QStringLiteral("Clients"), QStringLiteral("Orders")};
    if (mode == TzelSyncMode::Tables)
      dialog.SetRows({{QStringLiteral("Customers"), QStringLiteral("Clients"), {}, {}, choices},
                      {QStringLiteral("Vendors"), {}, {}, {}, choices}});
    else
      dialog.SetRows({{QStringLiteral("Customers.City"),
                       {},
                       QStringLiteral("Customers"),
                       QStringLiteral("City"),
                       {QStringLiteral("CustNo"), QStringLiteral("Town")}},
                      {QStringLiteral("Orders.OrderNo"), QStringLiteral("Number"),
                       QStringLiteral("Orders"), QStringLiteral("OrderNo"), choices}});
    dialog.show();
    QVERIFY(dialog.grab().save(folder + u'/' + file));
  }
};

QTEST_MAIN(TestFrmZelSync)
#include "tst_frmzelsync.moc"
