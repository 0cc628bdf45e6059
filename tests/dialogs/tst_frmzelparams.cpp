// SPDX-License-Identifier: MIT
// The parameter dialog: its layout, the rows it shows, the OK check, and the parameter step
// asking through it once the program's prompts are installed.

#include "dialogs/dialoggrid.h"
#include "dialogs/frmzelparams.h"
#include "engine/generationhost.h"
#include "engine/zelparams.h"
#include "support/modaldriver.h"
#include "support/querionfixture.h"
#include "support/recordingmessages.h"
#include "support/scriptedprompts.h"
#include "workspace/queryprompts.h"

#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTableWidget>
#include <QtTest>

namespace {

// Asks through the application's prompts and records the parameter events.
class EventsHost : public TzelGenerationHost {
public:
  TzelQueryPrompts &prompts() const override { return own ? *own : zelQueryPrompts(); }
  void beforeParams() override { fired << QStringLiteral("before"); }
  void afterParams() override { fired << QStringLiteral("after"); }
  TzelQueryPrompts *own = nullptr;
  QStringList fired;
};

// The Customers model with a query whose City value carries the given filter rows.
struct ParamQuery {
  explicit ParamQuery(const QStringList &filters) : model(makeCustomersModel(&owner)) {
    querion.SetDataModel(model);
    query = querion.CurrentQuery();
    query->AddTable(QString(), QStringLiteral("Customers"), QStringLiteral("Customers"));
    TzelQueryValue *city =
        query->GetValue(query->AddValue(QStringLiteral("Customers"), QStringLiteral("City"), {}));
    for (int i = 0; i < filters.size(); ++i)
      city->SetFilter(i + 1, zelFilterEqual, filters[i]);
  }
  bool step() { return RunParamStep(*query, params, model, host); }

  QObject owner;
  TzelModel *model;
  TzelQuerion querion;
  TzelQuery *query;
  QStringList params;
  EventsHost host;
};

TfrmZelParams *paramsDialog(QWidget *w) {
  return qobject_cast<TfrmZelParams *>(w);
}

// Types text into the open editor of the current cell.
void typeIntoCurrentCell(TfrmZelParams *dialog, const QString &text) {
  auto *editor =
      qobject_cast<QLineEdit *>(dialog->grdParams->indexWidget(dialog->grdParams->currentIndex()));
  QVERIFY(editor);
  editor->selectAll();
  QTest::keyClicks(editor, text);
}

QStringList cells(const QTableWidget &grid, int column, int rows) {
  QStringList texts;
  for (int row = 0; row < rows; ++row)
    texts << grid.item(row, column)->text();
  return texts;
}

} // namespace

class TestFrmZelParams : public QObject {
  Q_OBJECT

private slots:
  void initTestCase() { zelInstallQueryPrompts(); }

  void promptsThatKeepTheValuesDoNotBlock() {
    ScriptedPrompts keepValues;
    ParamQuery q({QStringLiteral("[State]=CA|")});
    q.host.own = &keepValues;
    const bool ok = q.step();
    QVERIFY(ok);
    QCOMPARE(q.params, QStringList{QStringLiteral("State=CA")});
    QVERIFY(dynamic_cast<TzelGuiQueryPrompts *>(&zelQueryPrompts()));
  }

  void captionsAndLayout() {
    TfrmZelParams dialog;
    QCOMPARE(dialog.windowTitle(), QStringLiteral(" Filter Values"));
    QCOMPARE(dialog.labPrompt->text(), QStringLiteral("Enter or accept the following values:"));
    QVERIFY(dialog.windowFlags().testFlag(Qt::WindowStaysOnTopHint));
    QCOMPARE(dialog.grdParams->columnCount(), 2);
    QCOMPARE(dialog.grdParams->rowCount(), 41);
    QCOMPARE(dialog.grdParams->columnWidth(0), 126);
    QCOMPARE(dialog.grdParams->columnWidth(1), 135);
    QVERIFY(dialog.grdParams->horizontalHeader()->isHidden());
    QVERIFY(dialog.grdParams->verticalHeader()->isHidden());
    QCOMPARE(dialog.cmdOk->text(), QStringLiteral("&OK"));
    QCOMPARE(dialog.cmdCancel->text(), QStringLiteral("&Cancel"));
    QCOMPARE(dialog.cmdHelp->text(), QStringLiteral("&Help"));
    QVERIFY(dialog.cmdOk->isDefault());
    QVERIFY(!dialog.OkFlag());
    dialog.show();
    // Fixed size, both columns in view without a horizontal scroll bar.
    QCOMPARE(dialog.minimumSize(), dialog.maximumSize());
    QVERIFY(dialog.grdParams->viewport()->width() >= 126 + 135);
    dialog.SetParams({QStringLiteral("City=  Vancouver  ")});
    QCOMPARE(dialog.grdParams->item(0, 1)->text(), QStringLiteral("Vancouver"));
  }

  void oneRowPerParameterInOrderWithTrimmedValues() {
    // Two filters using State give one row; the later default wins.
    ParamQuery q(
        {QStringLiteral("[State]|[City]=  Vancouver  |"), QStringLiteral("[state]=CA|[Blank]=|")});
    QStringList shown;
    whenModal([&](QWidget *w) {
      TfrmZelParams *dialog = paramsDialog(w);
      shown = cells(*dialog->grdParams, 0, 4) + cells(*dialog->grdParams, 1, 4);
      // Named rows take values, empty rows take nothing.
      QVERIFY(dialog->grdParams->item(0, 1)->flags().testFlag(Qt::ItemIsEditable));
      QVERIFY(!dialog->grdParams->item(0, 0)->flags().testFlag(Qt::ItemIsEditable));
      QVERIFY(!dialog->grdParams->item(3, 1)->flags().testFlag(Qt::ItemIsEditable));
      QVERIFY(!dialog->grdParams->item(40, 1)->flags().testFlag(Qt::ItemIsEditable));
      QCOMPARE(dialog->grdParams->currentColumn(), 1); // the first value is open for typing
      dialog->cmdCancel->click();
    });
    QVERIFY(!q.step());
    QCOMPARE(shown, QStringList({"State", "City", "Blank", "", "CA", "Vancouver", "", ""}));
  }

  void stateAloneIsRefusedUntilAValueIsTyped() {
    RecordingMessages rec;
    ParamQuery q({QStringLiteral("[State]|")});
    QStringList seen;
    whenModal([&](QWidget *w) {
      TfrmZelParams *dialog = paramsDialog(w);
      seen << dialog->grdParams->item(0, 0)->text() << dialog->grdParams->item(0, 1)->text();
      dialog->cmdOk->click();
      seen << QString::number(dialog->isVisible()) << QString::number(dialog->OkFlag());
      QCOMPARE(dialog->grdParams->currentRow(), 0); // back on the row that needs a value
      typeIntoCurrentCell(dialog, QStringLiteral("   "));
      dialog->cmdOk->click(); // spaces only are blank too
      typeIntoCurrentCell(dialog, QStringLiteral("OR"));
      dialog->cmdOk->click();
    });
    QVERIFY(q.step());
    QCOMPARE(seen, QStringList({"State", "", "1", "0"}));
    const QString refused = QStringLiteral("Error: The [State] parameter cannot be blank");
    QCOMPARE(rec.texts(), QStringList({refused, refused}));
    QCOMPARE(rec.messages.first().kind, TzelMessageKind::Error);
    QCOMPARE(q.params, QStringList{QStringLiteral("State=OR")});
  }

  void okWritesTheValuesBackIntoParams() {
    ParamQuery q({QStringLiteral("[State]=CA|[City]|")});
    bool closedByReturn = false;
    whenModal([&](QWidget *w) {
      TfrmZelParams *dialog = paramsDialog(w);
      dialog->grdParams->setCurrentCell(1, 1);
      typeIntoCurrentCell(dialog, QStringLiteral("Bogota"));
      QTest::keyClick(dialog->grdParams->indexWidget(dialog->grdParams->currentIndex()),
                      Qt::Key_Return); // OK is the default button
      closedByReturn = !dialog->isVisible();
      if (!closedByReturn)
        dialog->cmdOk->click();
    });
    QVERIFY(q.step());
    QCOMPARE(q.params, QStringList({"State=CA", "City=Bogota"}));
    QVERIFY(closedByReturn);
  }

  void cancelGivesFalseAndChangesNothing() {
    ParamQuery q({QStringLiteral("[State]=CA|")});
    whenModal([](QWidget *w) {
      TfrmZelParams *dialog = paramsDialog(w);
      typeIntoCurrentCell(dialog, QStringLiteral("NY"));
      dialog->cmdCancel->click();
    });
    QVERIFY(!q.step());
    QCOMPARE(q.params, QStringList{QStringLiteral("State=CA")});
    QCOMPARE(q.host.fired, QStringList({"before", "after"}));

    TfrmZelParams dialog;
    dialog.SetParams({QStringLiteral("State=CA")});
    dialog.cmdCancelClick();
    QVERIFY(!dialog.OkFlag());
    QCOMPARE(dialog.result(), int(QDialog::Rejected));
  }

  void moreThan41ParametersGrowTheGrid() {
    QStringList entries;
    for (int i = 1; i <= 45; ++i)
      entries << QStringLiteral("P%1=%2").arg(i).arg(i * 10);
    int rows = 0;
    whenModal([&](QWidget *w) {
      TfrmZelParams *dialog = paramsDialog(w);
      rows = dialog->grdParams->rowCount();
      dialog->grdParams->setCurrentCell(44, 1);
      typeIntoCurrentCell(dialog, QStringLiteral("last"));
      dialog->cmdOk->click();
    });
    QStringList answered = entries;
    QVERIFY(zelQueryPrompts().askParams(answered, nullptr));
    QCOMPARE(rows, 45);
    QCOMPARE(answered.size(), 45);
    QCOMPARE(answered.mid(0, 44), entries.mid(0, 44));
    QCOMPARE(answered.last(), QStringLiteral("P45=last"));

    TfrmZelParams dialog; // a shorter list afterwards keeps the 41 rows
    dialog.SetParams(entries);
    dialog.SetParams(entries.mid(0, 3));
    QCOMPARE(dialog.grdParams->rowCount(), zelGridMinimumRows);
    QCOMPARE(dialog.Params(), entries.mid(0, 3));
  }

  void helpAndF1OpenTopic19() {
    RecordingHelp help;
    QObject owner;
    TzelModel *model = makeCustomersModel(&owner);
    TfrmZelParams dialog(model);
    dialog.SetParams({QStringLiteral("State=CA")});
    dialog.show();
    QVERIFY(QTest::qWaitForWindowActive(&dialog));
    dialog.cmdHelp->click();
    QWidget *editor = dialog.grdParams->indexWidget(dialog.grdParams->currentIndex());
    QVERIFY(editor);
    QTest::keyClick(editor, Qt::Key_F1); // also while a value is being typed
    QCOMPARE(help.calls.size(), 2);
    for (const RecordedHelp &call : std::as_const(help.calls)) {
      QCOMPARE(call.context, 19);
      QVERIFY2(call.helpFile.endsWith(QStringLiteral("VIZADUZ.HLP")), qPrintable(call.helpFile));
    }
    dialog.cmdOk->click();
    QVERIFY(dialog.OkFlag());
  }

  void snapshot() {
    // Developer aid: ZEL_SNAPSHOTS=<folder> writes a picture of the dialog there.
    const QString folder = qEnvironmentVariable("ZEL_SNAPSHOTS");
    if (folder.isEmpty())
      QSKIP("ZEL_SNAPSHOTS not set");
    TfrmZelParams dialog;
    dialog.SetParams({QStringLiteral("State=CA"), QStringLiteral("City= "),
                      QStringLiteral("MinimumOrderValueInDollars=250")});
    dialog.show();
    QVERIFY(dialog.grab().save(folder + QStringLiteral("/dialog-params.png")));
  }
};

QTEST_MAIN(TestFrmZelParams)
#include "tst_frmzelparams.moc"
