// SPDX-License-Identifier: MIT
// The field dialog: loading a table's fields, the in-place combos, adding, removing and
// dragging rows, the checks, and the close question with its partial save.
#include "editors/frmzelfield.h"
#include "editors/tablelist.h"
#include "model/zelmodel.h"
#include "support/modaldriver.h"
#include "support/recordingmessages.h"

#include <QAbstractItemView>
#include <QComboBox>
#include <QHeaderView>
#include <QLineEdit>
#include <QListWidget>
#include <QMimeData>
#include <QScrollBar>
#include <QToolButton>
#include <QtTest>

namespace {

// Customers with four fields (CustNo, Name, City, Phone), positions in that order, plus a
// deleted field that never shows.
struct FieldFixture {
  FieldFixture() {
    model.SetDatabaseType(zelParadox);
    model.AddTable(QStringLiteral("PELLOX"), QStringLiteral("CUSTOMER.DB"),
                   QStringLiteral("Customers"));
    table = model.GetTable(0);
    const QStringList aliases{"CustNo", "Name", "City", "Phone"};
    const QList<TFieldType> types{ftInteger, ftString, ftString, ftString};
    for (int i = 0; i < aliases.size(); ++i) {
      table->AddField(aliases[i].toUpper(), aliases[i], types[i], i == 0 ? 0 : 20 + i);
      table->GetField(i)->SetPosition(i);
    }
    table->GetField(0)->SetAlignment(taRightJustify);
    table->GetField(2)->SetFormat(QStringLiteral("!>"));
    table->AddField(QStringLiteral("OLD"), QStringLiteral("Old"), ftString, 5);
    table->GetField(4)->SetDeleted(true);
    dialog.setModel(&model);
    dialog.setTable(0, &fieldList);
    dialog.LoadFields();
  }
  QString cell(int row, int column) const { return dialog.grdFields->item(row, column)->text(); }
  void type(int row, int column, const QString &text) {
    dialog.grdFields->item(row, column)->setText(text); // as the cell editor commits it
  }
  QStringList column(int c) const {
    QStringList texts;
    for (int row = 0; row < dialog.grdFields->rowCount(); ++row)
      texts << cell(row, c);
    return texts;
  }
  QStringList listed() const {
    QStringList texts;
    for (int i = 0; i < fieldList.count(); ++i)
      texts << fieldList.item(i)->text();
    return texts;
  }
  QStringList modelAliases() const {
    QStringList aliases;
    model.ListFieldAliases(QStringLiteral("Customers"), aliases);
    return aliases;
  }

  TzelModel model;
  TzelTable *table;
  TzelTableList fieldList;
  TfrmZelField dialog;
};

// The events a real drag sends to the grid: enter, move, drop. True when the drop was taken.
bool deliverDrop(QTableWidget &grid, QMimeData &data, QPoint pos) {
  QDragEnterEvent enter(pos, Qt::MoveAction, &data, Qt::LeftButton, Qt::NoModifier);
  QApplication::sendEvent(grid.viewport(), &enter);
  QDragMoveEvent move(pos, Qt::MoveAction, &data, Qt::LeftButton, Qt::NoModifier);
  QApplication::sendEvent(grid.viewport(), &move);
  if (!enter.isAccepted() || !move.isAccepted())
    return false;
  QDropEvent drop(pos, Qt::MoveAction, &data, Qt::LeftButton, Qt::NoModifier);
  QApplication::sendEvent(grid.viewport(), &drop);
  return drop.isAccepted();
}

} // namespace

class TestFrmZelField : public QObject {
  Q_OBJECT

private slots:
  void layoutAndLoading() {
    FieldFixture f;
    QCOMPARE(f.dialog.objectName(), QStringLiteral("frmZelField"));
    QCOMPARE(f.dialog.windowTitle(), QStringLiteral("Edit Fields: Customers"));
    QVERIFY(f.dialog.windowFlags().testFlag(Qt::WindowStaysOnTopHint));
    QTableWidget *grid = f.dialog.grdFields;
    const QList<int> widths{12, 170, 172, 79, 64, 55, 123};
    // The designed widths, wider only where the title would be cut or, for the type and
    // alignment columns, where their combo would cover the next cell.
    const QFontMetrics titles(grid->horizontalHeader()->font());
    for (int c = 0; c < widths.size(); ++c) {
      const QString title = grid->horizontalHeaderItem(c)->text();
      QVERIFY(grid->columnWidth(c) >= widths[c]);
      const QComboBox *combo = c == 3 ? f.dialog.cmbType : c == 5 ? f.dialog.cmbAlign : nullptr;
      const int comboWidth = combo ? combo->sizeHint().width() - 2 : 0;
      QVERIFY(grid->columnWidth(c) == widths[c] || grid->columnWidth(c) == comboWidth ||
              grid->columnWidth(c) <= titles.horizontalAdvance(title) + 12);
      QVERIFY(grid->columnWidth(c) > titles.horizontalAdvance(title));
    }
    QCOMPARE(grid->columnWidth(0), 12);
    QCOMPARE(grid->columnWidth(1), 170);
    for (int c = 7; c < 10; ++c)
      QVERIFY(grid->isColumnHidden(c));
    QCOMPARE(grid->horizontalHeaderItem(1)->text(), QStringLiteral("Field Alias"));
    QCOMPARE(grid->horizontalHeaderItem(5)->text(), QStringLiteral("Alignment"));
    QCOMPARE(grid->rowHeight(0), 19);
    for (QToolButton *b : {f.dialog.cmdAddField, f.dialog.cmdRemoveField, f.dialog.cmdRenameTable,
                           f.dialog.cmdHelp}) {
      QVERIFY(b->autoRaise());
      QVERIFY(!b->icon().isNull());
    }
    QCOMPARE(f.dialog.cmdAddField->toolTip(), QStringLiteral("Add Field"));
    QCOMPARE(f.dialog.cmdRenameTable->toolTip(), QStringLiteral("Rename Table"));

    QCOMPARE(f.column(1), QStringList({"CustNo", "Name", "City", "Phone"}));
    QCOMPARE(f.column(2), QStringList({"CUSTNO", "NAME", "CITY", "PHONE"}));
    QCOMPARE(f.column(3), QStringList({"Integer", "String", "String", "String"}));
    QCOMPARE(f.column(4), QStringList({"0", "21", "22", "23"}));
    QCOMPARE(f.column(5), QStringList({"Right", "Left", "Left", "Left"}));
    QCOMPARE(f.column(6), QStringList({"", "", "!>", ""}));
    QCOMPARE(f.column(7), QStringList({"0", "1", "2", "3"}));
    QCOMPARE(f.column(8), QStringList({"3", "1", "1", "1"}));
    QCOMPARE(f.column(9), QStringList({"1", "0", "0", "0"}));
    QCOMPARE(grid->currentRow(), 0);
    QCOMPARE(grid->currentColumn(), 1);
    QVERIFY(!f.dialog.Modified);
    // Only the text columns are edited in place; the hidden ones cannot even be selected.
    QVERIFY(grid->item(0, 1)->flags().testFlag(Qt::ItemIsEditable));
    QVERIFY(!grid->item(0, 3)->flags().testFlag(Qt::ItemIsEditable));
    QVERIFY(!grid->item(0, 7)->flags().testFlag(Qt::ItemIsEditable));
    QVERIFY(!grid->item(0, 8)->flags().testFlag(Qt::ItemIsSelectable));
  }

  void rowsFollowPositionsAndShowEveryLiveField() {
    FieldFixture f;
    f.table->GetField(0)->SetPosition(3);
    f.table->GetField(3)->SetPosition(0);
    f.dialog.LoadFields();
    QCOMPARE(f.column(1), QStringList({"Phone", "Name", "City", "CustNo"}));
    // Fields that share a position (added by code) all show, in list order.
    for (int i = 0; i < 4; ++i)
      f.table->GetField(i)->SetPosition(0);
    f.dialog.LoadFields();
    QCOMPARE(f.column(1), QStringList({"CustNo", "Name", "City", "Phone"}));
  }

  void combosOverTheTypeAndAlignmentCells() {
    FieldFixture f;
    f.dialog.show();
    QTableWidget *grid = f.dialog.grdFields;
    grid->setCurrentCell(1, 3);
    QVERIFY(f.dialog.cmbType->isVisible());
    QVERIFY(!f.dialog.cmbAlign->isVisible());
    QCOMPARE(f.dialog.cmbType->currentText(), QStringLiteral("String"));
    const QRect cell = grid->visualItemRect(grid->item(1, 3));
    QCOMPARE(f.dialog.cmbType->geometry().topLeft(), cell.topLeft() - QPoint(1, 1));
    QVERIFY(!f.dialog.Modified);
    f.dialog.cmbType->setCurrentIndex(f.dialog.cmbType->findText(QStringLiteral("Memo")));
    emit f.dialog.cmbType->activated(f.dialog.cmbType->currentIndex());
    QCOMPARE(f.cell(1, 3), QStringLiteral("Memo"));
    QCOMPARE(f.cell(1, 8), QString::number(int(ftMemo)));
    QVERIFY(f.dialog.Modified); // a choice made with the mouse is an edit too

    grid->setCurrentCell(0, 5);
    QVERIFY(!f.dialog.cmbType->isVisible());
    QVERIFY(f.dialog.cmbAlign->isVisible());
    QCOMPARE(f.dialog.cmbAlign->currentText(), QStringLiteral("Right"));
    f.dialog.cmbAlign->setCurrentIndex(2);
    emit f.dialog.cmbAlign->activated(2);
    QCOMPARE(f.cell(0, 5), QStringLiteral("Center"));
    QCOMPARE(f.cell(0, 9), QStringLiteral("2"));
    // A narrow window: choosing a cell out of view scrolls it in and places the combo after.
    f.dialog.resize(200, 120);
    grid->setCurrentCell(3, 5);
    QVERIFY(f.dialog.cmbAlign->isVisible());
    QCOMPARE(f.dialog.cmbAlign->geometry().topLeft(),
             grid->visualItemRect(grid->item(3, 5)).topLeft() - QPoint(1, 1));
    grid->horizontalScrollBar()->setValue(0);
    QVERIFY(!f.dialog.cmbAlign->isVisible()); // scrolling hides the combos
    grid->setCurrentCell(0, 1);
    QVERIFY(!f.dialog.cmbAlign->isVisible());
  }

  void keysOpenTheCombos_data() {
    QTest::addColumn<int>("key");
    QTest::addColumn<int>("modifiers");
    QTest::newRow("F4") << int(Qt::Key_F4) << int(Qt::NoModifier);
    QTest::newRow("Alt+Down") << int(Qt::Key_Down) << int(Qt::AltModifier);
    QTest::newRow("Space") << int(Qt::Key_Space) << int(Qt::NoModifier);
  }
  void keysOpenTheCombos() {
    QFETCH(int, key);
    QFETCH(int, modifiers);
    FieldFixture f;
    f.dialog.show();
    f.dialog.grdFields->setCurrentCell(1, 5);
    QTest::keyClick(f.dialog.grdFields, Qt::Key(key), Qt::KeyboardModifiers(modifiers));
    QVERIFY(f.dialog.cmbAlign->view()->isVisible());
    f.dialog.cmbAlign->hidePopup();
    QCOMPARE(f.cell(1, 5), QStringLiteral("Left")); // opening is not choosing
  }

  void anyKeyReleasedMarksTheTableModified() {
    FieldFixture f;
    f.dialog.show();
    QTest::keyRelease(f.dialog.grdFields, Qt::Key_Down);
    QVERIFY(f.dialog.Modified);
  }

  void checks_data() {
    QTest::addColumn<int>("row");
    QTest::addColumn<int>("column");
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("message");
    QTest::newRow("invalid size") << 1 << 4 << "12a"
                                  << "Error: The [Name] field contains an invalid size.";
    QTest::newRow("negative size") << 1 << 4 << "-5"
                                   << "Error: The [Name] field contains an invalid size.";
    QTest::newRow("string of size 0") << 2 << 4 << "0"
                                      << "Error: The [City] field cannot have a size of 0.";
    QTest::newRow("blank alias") << 1 << 1 << "  "
                                 << "Error: Row 2 contains a blank field alias.";
    QTest::newRow("blank name") << 3 << 2 << ""
                                << "Error: Row 4 contains a blank field name.";
    QTest::newRow("alias case twin") << 3 << 1 << "NAME"
                                     << "Error: The [Name] field alias is not unique.";
    QTest::newRow("integer of size 0") << 0 << 4 << "0"
                                       << "";
    QTest::newRow("blank size") << 1 << 4 << " "
                                << "";
  }
  void checks() {
    QFETCH(int, row);
    QFETCH(int, column);
    QFETCH(QString, text);
    QFETCH(QString, message);
    RecordingMessages rec;
    FieldFixture f;
    f.type(row, column, text);
    QCOMPARE(f.dialog.CheckFields(), message.isEmpty());
    QCOMPARE(rec.lastText(), message);
    if (!message.isEmpty())
      QCOMPARE(rec.messages.last().kind, TzelMessageKind::Error);
    if (IsBlank(text) && column == 4)
      QCOMPARE(f.cell(row, 4), QStringLiteral("25"));
  }

  void blankSizeIsSavedAs25AndInvalidSizeStopsClosing() {
    RecordingMessages rec;
    FieldFixture f;
    f.dialog.show();
    f.type(1, 4, QString());
    QVERIFY(f.dialog.Modified);
    rec.answers << TzelAnswer::Yes;
    f.dialog.reject();
    QCOMPARE(rec.texts(), QStringList{"Save changes to the [Customers] table?"});
    QCOMPARE(rec.messages.first().buttons, TzelButtons::YesNoCancel);
    QVERIFY(!f.dialog.isVisible());
    QCOMPARE(f.table->GetField(1)->DataSize(), 25);

    f.dialog.LoadFields();
    f.dialog.show();
    rec.clear();
    f.type(2, 4, QStringLiteral("12a"));
    f.dialog.reject();
    QCOMPARE(rec.texts(), QStringList{"Error: The [City] field contains an invalid size."});
    QVERIFY(f.dialog.isVisible()); // no question: the dialog stays open
    QCOMPARE(f.dialog.grdFields->currentRow(), 2);
    QCOMPARE(f.dialog.grdFields->currentColumn(), 4);
  }

  void closeQuestionAnswers_data() {
    QTest::addColumn<int>("answer");
    QTest::addColumn<bool>("closed");
    QTest::addColumn<QString>("savedAlias");
    QTest::newRow("yes saves") << int(TzelAnswer::Yes) << true << "Town";
    QTest::newRow("no discards") << int(TzelAnswer::No) << true << "City";
    QTest::newRow("cancel stays") << int(TzelAnswer::Cancel) << false << "City";
  }
  void closeQuestionAnswers() {
    QFETCH(int, answer);
    QFETCH(bool, closed);
    QFETCH(QString, savedAlias);
    RecordingMessages rec;
    FieldFixture f;
    QSignalSpy saved(&f.dialog, &TfrmZelField::fieldsSaved);
    f.dialog.show();
    f.type(2, 1, QStringLiteral("Town"));
    rec.answers << TzelAnswer(answer);
    f.dialog.reject();
    QCOMPARE(f.dialog.isVisible(), !closed);
    QCOMPARE(f.table->GetField(2)->FieldAlias(), savedAlias);
    QCOMPARE(saved.count(), answer == int(TzelAnswer::Yes) ? 1 : 0);
    if (answer == int(TzelAnswer::Yes)) {
      QCOMPARE(f.listed(), QStringList({"*", "CustNo", "Name", "Town", "Phone"}));
      QCOMPARE(f.fieldList.item(0)->data(Qt::AccessibleTextRole).toString(), "All fields");
      QVERIFY(!f.dialog.Modified);
    }
  }

  void modalUseAsTheEditorRunsIt() {
    RecordingMessages rec;
    FieldFixture f;
    rec.answers << TzelAnswer::Yes;
    whenModal([&f](QWidget *w) {
      QCOMPARE(w, &f.dialog);
      f.type(0, 1, QStringLiteral("Number"));
      QTest::keyClick(w, Qt::Key_Escape); // closing asks to save
    });
    f.dialog.exec();
    QCOMPARE(rec.texts(), QStringList{"Save changes to the [Customers] table?"});
    QCOMPARE(f.table->GetField(0)->FieldAlias(), QStringLiteral("Number"));
  }

  void unmodifiedClosesWithoutAQuestion() {
    RecordingMessages rec;
    FieldFixture f;
    f.dialog.show();
    f.dialog.reject();
    QVERIFY(!f.dialog.isVisible());
    QVERIFY(rec.messages.isEmpty());
  }

  void swappedAliasesStopAtTheFirstRename() {
    RecordingMessages rec;
    FieldFixture f;
    f.fieldList.addItems({"*", "CustNo", "Name", "City", "Phone"});
    f.dialog.show();
    f.type(0, 2, QStringLiteral("CUST_NO")); // row 1 saves before the failing row
    f.type(1, 1, QStringLiteral("City"));
    f.type(2, 1, QStringLiteral("Name"));
    rec.answers << TzelAnswer::Yes;
    f.dialog.reject();
    QCOMPARE(rec.texts(), QStringList({"Save changes to the [Customers] table?",
                                       "Error: Field Alias [City] already exists"}));
    QVERIFY(f.dialog.isVisible());
    QVERIFY(f.dialog.Modified);
    QCOMPARE(f.table->GetField(0)->FieldName(), QStringLiteral("CUST_NO")); // saved
    QCOMPARE(f.table->GetField(1)->FieldAlias(), QStringLiteral("Name"));   // not renamed
    QCOMPARE(f.listed(), QStringList({"*", "CustNo", "Name", "City", "Phone"}));
  }

  void partialSaveKeepsTheTableWindowInStep() {
    RecordingMessages rec;
    FieldFixture f;
    f.type(0, 1, QStringLiteral("Number")); // saved
    f.type(2, 1, QStringLiteral("Phone"));  // taken by the row after it
    QVERIFY(!f.dialog.SaveFields());
    QCOMPARE(rec.lastText(), QStringLiteral("Error: Field Alias [Phone] already exists"));
    QCOMPARE(f.modelAliases(), QStringList({"Number", "Name", "City", "Phone"}));
    QCOMPARE(f.listed(), QStringList({"*", "Number", "Name", "City", "Phone"}));
  }

  void dragRow3OntoRow1() {
    RecordingMessages rec;
    FieldFixture f;
    f.dialog.show();
    QTableWidget *grid = f.dialog.grdFields;
    QMimeData data;
    data.setData(TzelFieldGrid::mimeType(), "2");
    const QPoint onRow1 = grid->visualItemRect(grid->item(0, 1)).center();
    QVERIFY(deliverDrop(*grid, data, onRow1));
    QCOMPARE(f.column(1), QStringList({"City", "CustNo", "Name", "Phone"}));
    QVERIFY(f.dialog.Modified);
    rec.answers << TzelAnswer::Yes;
    f.dialog.reject();
    QVERIFY(!f.dialog.isVisible());
    QCOMPARE(f.table->GetField(2)->Position(), 0);
    QCOMPARE(f.table->GetField(0)->Position(), 1);
    QCOMPARE(f.modelAliases(), QStringList({"City", "CustNo", "Name", "Phone"}));
    QCOMPARE(f.listed(), QStringList({"*", "City", "CustNo", "Name", "Phone"}));
  }

  void dropsThatMoveNothing() {
    FieldFixture f;
    f.dialog.show();
    QTableWidget *grid = f.dialog.grdFields;
    QMimeData foreign;
    foreign.setText(QStringLiteral("CustNo"));
    QVERIFY(!deliverDrop(*grid, foreign, grid->visualItemRect(grid->item(0, 1)).center()));
    QMimeData row;
    row.setData(TzelFieldGrid::mimeType(), "0");
    QVERIFY(!deliverDrop(*grid, row, QPoint(20, grid->viewport()->height() - 2)));
    QCOMPARE(f.column(1), QStringList({"CustNo", "Name", "City", "Phone"}));
    QVERIFY(!f.dialog.Modified);
  }

  void addFieldAfterTheCurrentRowAndSaveIt() {
    RecordingMessages rec;
    FieldFixture f;
    f.dialog.grdFields->setCurrentCell(1, 2);
    f.dialog.cmdAddField->click();
    QCOMPARE(f.dialog.grdFields->rowCount(), 5);
    QCOMPARE(f.dialog.grdFields->currentRow(), 2);
    QCOMPARE(f.dialog.grdFields->currentColumn(), 1);
    QStringList added;
    for (int c = 1; c < 10; ++c)
      added << f.cell(2, c);
    QCOMPARE(added, QStringList({"", "", "String", "25", "Left", "", "", "1", "0"}));
    QVERIFY(!f.dialog.Modified);
    f.type(2, 1, QStringLiteral("Email"));
    f.type(2, 2, QStringLiteral("EMAIL"));
    QVERIFY(f.dialog.SaveFields());
    QCOMPARE(f.table->FieldCount(), 6);
    const TzelField *email = f.table->GetField(5);
    QCOMPARE(email->FieldAlias(), QStringLiteral("Email"));
    QCOMPARE(email->FieldName(), QStringLiteral("EMAIL"));
    QCOMPARE(email->DataType(), ftString);
    QCOMPARE(email->DataSize(), 25);
    QCOMPARE(email->Position(), 2);
    QCOMPARE(f.cell(2, 7), QStringLiteral("5"));
    QCOMPARE(f.listed(), QStringList({"*", "CustNo", "Name", "Email", "City", "Phone"}));
  }

  void anAddedFieldThatCannotBeNamedLeavesNoTrace() {
    RecordingMessages rec;
    FieldFixture f;
    f.dialog.grdFields->setCurrentCell(0, 1);
    f.dialog.cmdAddField->click();
    f.type(1, 1, QStringLiteral("Phone"));
    f.type(1, 2, QStringLiteral("PHONE2"));
    f.type(4, 1, QStringLiteral("Fax"));
    QVERIFY(!f.dialog.SaveFields());
    QCOMPARE(rec.lastText(), QStringLiteral("Error: Field Alias [Phone] already exists"));
    QCOMPARE(f.modelAliases(), QStringList({"CustNo", "Name", "City", "Phone"}));
    QCOMPARE(f.cell(1, 7), QString()); // saved later as a new field again
  }

  void removeField() {
    RecordingMessages rec;
    FieldFixture f;
    f.fieldList.addItems({"*", "CustNo", "Name", "City", "Phone"});
    f.dialog.grdFields->setCurrentCell(2, 1);
    rec.answers << TzelAnswer::No;
    f.dialog.cmdRemoveField->click();
    QCOMPARE(rec.lastText(), QStringLiteral("Remove [City] from the [Customers] table?"));
    QCOMPARE(rec.messages.last().buttons, TzelButtons::YesNo);
    QCOMPARE(f.dialog.grdFields->rowCount(), 4);
    QVERIFY(!f.dialog.Modified);

    rec.answers << TzelAnswer::Yes;
    f.dialog.cmdRemoveField->click();
    QCOMPARE(f.column(1), QStringList({"CustNo", "Name", "Phone"}));
    QVERIFY(f.table->GetField(2)->Deleted()); // at once, before any save
    QVERIFY(f.dialog.Modified);
    QCOMPARE(f.listed(), QStringList({"*", "CustNo", "Name", "Phone"}));

    // A row added in the dialog goes without a question.
    f.dialog.cmdAddField->click();
    rec.clear();
    f.dialog.cmdRemoveField->click();
    QVERIFY(rec.messages.isEmpty());
    QCOMPARE(f.dialog.grdFields->rowCount(), 3);
  }

  void theLastFieldStays() {
    RecordingMessages rec;
    FieldFixture f;
    for (int i = 1; i < 4; ++i)
      f.table->GetField(i)->SetDeleted(true);
    f.dialog.LoadFields();
    f.dialog.cmdRemoveField->click();
    QCOMPARE(rec.texts(), QStringList{"The table must have at least one field"});
    QCOMPARE(rec.messages.first().kind, TzelMessageKind::Error);
    QCOMPARE(f.dialog.grdFields->rowCount(), 1);
    QVERIFY(!f.table->GetField(0)->Deleted());
  }

  void noTableGivesAnEmptyGrid_data() {
    QTest::addColumn<int>("tableIndex");
    QTest::newRow("none yet") << -1;
    QTest::newRow("past the end") << 1;
  }
  void noTableGivesAnEmptyGrid() {
    QFETCH(int, tableIndex);
    FieldFixture f;
    f.dialog.setTable(tableIndex, &f.fieldList);
    f.dialog.LoadFields();
    QCOMPARE(f.dialog.grdFields->rowCount(), 0);
    QCOMPARE(f.dialog.windowTitle(), QStringLiteral("Edit Fields: "));
    QVERIFY(!f.dialog.SaveFields());
    f.dialog.cmdAddField->click();
    QVERIFY(!f.dialog.SaveFields());
  }

  void renameTableAndHelp() {
    RecordingHelp help;
    FieldFixture f;
    f.dialog.onRenameTable = [&f] { f.model.RenameTableAlias(0, QStringLiteral("Clients")); };
    f.dialog.cmdRenameTable->click();
    QCOMPARE(f.dialog.windowTitle(), QStringLiteral("Edit Fields: Clients"));
    f.dialog.show();
    QVERIFY(QTest::qWaitForWindowActive(&f.dialog));
    f.dialog.cmdHelp->click();
    QTest::keyClick(f.dialog.grdFields, Qt::Key_F1);
    QCOMPARE(help.calls.size(), 2);
    QCOMPARE(help.calls.first().context, 12);
    QCOMPARE(help.calls.last().context, 12);
  }
};

QTEST_MAIN(TestFrmZelField)
#include "tst_frmzelfield.moc"
