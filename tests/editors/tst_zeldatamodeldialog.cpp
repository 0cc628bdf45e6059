// SPDX-License-Identifier: MIT
// The data model dialog component and its window over the sample model: the setup checks, the
// read-only warning, the copy written back only when the user keeps the changes, the
// read-only window, and the toolbar reaching the joins editor.
#include "editors/frmzeldatamodel.h"
#include "editors/joinseditor.h"
#include "editors/tablefinder.h"
#include "editors/tableform.h"
#include "editors/tablelist.h"
#include "editors/zeldatamodeldialog.h"
#include "support/modaldriver.h"
#include "support/recordingmessages.h"
#include "support/samplefiles.h"

#include <QScrollBar>
#include <QSignalSpy>
#include <QToolButton>
#include <QtTest>
#include <cmath>

namespace {

struct Fixture {
  Fixture() : model(readSampleModel()) {
    dialog.setObjectName(QStringLiteral("zelDataModelDialog1"));
    dialog.SetDataModel(model.get());
  }
  // Runs Execute with act driving the data model window.
  bool run(std::function<void(TfrmZelDataModel &)> act) {
    whenModal([act](QWidget *w) {
      auto *window = qobject_cast<TfrmZelDataModel *>(w);
      if (window)
        act(*window);
      if (w->isVisible())
        w->close();
    });
    return dialog.Execute();
  }
  TzelTable *firstTable() const { return model->GetTable(0); }
  std::unique_ptr<TzelModel> model;
  TzelDataModelDialog dialog;
};

const QString kWarning =
    QStringLiteral("The ReadOnly property of zelDataModelDialog1 is False.\r\r"
                   "Any changes made to the Data Model at run-time will be lost.");
const QString kSaveQuestion = QStringLiteral("Save changes to the current Data Model?");

double luminance(QRgb c) {
  const auto channel = [](int v) {
    const double x = v / 255.0;
    return x <= 0.03928 ? x / 12.92 : std::pow((x + 0.055) / 1.055, 2.4);
  };
  return 0.2126 * channel(qRed(c)) + 0.7152 * channel(qGreen(c)) + 0.0722 * channel(qBlue(c));
}

// The contrast between a field row's text and its background as the list draws them: the
// darkest pixel of the row against the row's right end, which no text reaches.
double rowContrast(TzelTableList &list, int row) {
  const QImage image = list.viewport()->grab().toImage();
  const QRect r = list.visualItemRect(list.item(row));
  const double background = luminance(image.pixel(r.right() - 1, r.center().y()));
  double text = background;
  for (int y = r.top(); y <= r.bottom(); ++y)
    for (int x = r.left(); x < r.left() + r.width() / 2; ++x)
      text = std::min(text, luminance(image.pixel(x, y)));
  return (std::max(text, background) + 0.05) / (std::min(text, background) + 0.05);
}

// Moves the first table window, which marks the editor modified.
void moveFirstWindow(TfrmZelDataModel &window) {
  TzelTableForm *form = window.zelJoinsEditor->tableWindows().first();
  form->move(form->x() + 40, form->y() + 30);
}

} // namespace

class TestZelDataModelDialog : public QObject {
  Q_OBJECT

private slots:
  void setupChecks_data() {
    QTest::addColumn<bool>("assigned");
    QTest::addColumn<QString>("line");
    QTest::newRow("no model") << false
                              << "Error 1: The DataModel property of zelDataModelDialog1 has not "
                                 "been assigned";
    QTest::newRow("unknown database") << true
                                      << "Error 2: The DatabaseType property of zelDataModel1 = "
                                         "zelUnknown";
  }
  void setupChecks() {
    QFETCH(bool, assigned);
    QFETCH(QString, line);
    Fixture f;
    if (assigned)
      f.model->SetDatabaseType(zel::zelUnknown);
    else
      f.dialog.SetDataModel(nullptr);
    RecordingMessages rec;
    QSignalSpy before(&f.dialog, &TzelDataModelDialog::OnBeforeExecute);
    QVERIFY(!f.dialog.Execute());
    QCOMPARE(rec.lists.size(), 1);
    QCOMPARE(rec.lists.first().lines, QStringList{line});
    QCOMPARE(rec.lists.first().title, QStringLiteral("TzelDataModelDialog"));
    QVERIFY(rec.messages.isEmpty());
    QCOMPARE(before.count(), 0);
  }

  void destroyedModelClearsReference() {
    Fixture f;
    f.model.reset();
    QCOMPARE(f.dialog.DataModel(), nullptr);
  }

  void warningAndEvents_data() {
    QTest::addColumn<bool>("readOnly");
    QTest::newRow("editable") << false;
    QTest::newRow("read-only") << true;
  }
  void warningAndEvents() {
    QFETCH(bool, readOnly);
    Fixture f;
    f.dialog.SetReadOnly(readOnly);
    RecordingMessages rec;
    QSignalSpy before(&f.dialog, &TzelDataModelDialog::OnBeforeExecute);
    QSignalSpy after(&f.dialog, &TzelDataModelDialog::OnAfterExecute);
    int tables = -1;
    QVERIFY(f.run([&](TfrmZelDataModel &w) {
      tables = int(w.zelJoinsEditor->tableWindows().size());
      QCOMPARE(before.count(), 1);
      QCOMPARE(after.count(), 0);
    }));
    QCOMPARE(tables, f.model->TableCount());
    QCOMPARE(rec.hides, 1);
    QCOMPARE(rec.texts(), readOnly ? QStringList() : QStringList{kWarning});
    QCOMPARE(after.count(), 1);
    QVERIFY(!f.dialog.Changed());
    // The copy lives for one run only.
    QVERIFY(f.dialog.findChildren<TzelModel *>().isEmpty());
  }

  void closing_data() {
    QTest::addColumn<TzelAnswer>("answer");
    QTest::addColumn<bool>("kept");
    QTest::newRow("yes") << TzelAnswer::Yes << true;
    QTest::newRow("no") << TzelAnswer::No << false;
  }
  void closing() {
    QFETCH(TzelAnswer, answer);
    QFETCH(bool, kept);
    Fixture f;
    const int left = f.firstTable()->Left();
    RecordingMessages rec;
    rec.answers << TzelAnswer::Ok << answer;
    int copyLeft = 0;
    QVERIFY(f.run([&](TfrmZelDataModel &w) {
      moveFirstWindow(w);
      copyLeft = w.zelJoinsEditor->Schema()->GetTable(0)->Left();
      QCOMPARE(f.firstTable()->Left(), left); // only the copy changes while the window is open
      w.close();
    }));
    QCOMPARE(rec.texts(), (QStringList{kWarning, kSaveQuestion}));
    QCOMPARE(f.firstTable()->Left(), kept ? copyLeft : left);
    QCOMPARE(f.dialog.Changed(), kept);
  }

  void cancelKeepsWindowOpen() {
    Fixture f;
    const int left = f.firstTable()->Left();
    RecordingMessages rec;
    rec.answers << TzelAnswer::Ok << TzelAnswer::Cancel << TzelAnswer::No;
    bool openAfterCancel = false;
    QVERIFY(f.run([&](TfrmZelDataModel &w) {
      moveFirstWindow(w);
      w.close();
      openAfterCancel = w.isVisible();
      w.close();
    }));
    QVERIFY(openAfterCancel);
    QCOMPARE(rec.texts(), (QStringList{kWarning, kSaveQuestion, kSaveQuestion}));
    QCOMPARE(f.firstTable()->Left(), left);
  }

  void unchangedWindowClosesWithoutQuestion() {
    Fixture f;
    RecordingMessages rec;
    QVERIFY(f.run([](TfrmZelDataModel &w) { w.close(); }));
    QCOMPARE(rec.texts(), QStringList{kWarning});
    QVERIFY(!f.dialog.Changed());
  }

  void readOnlyWindow() {
    Fixture f;
    f.dialog.SetReadOnly(true);
    const int left = f.firstTable()->Left();
    RecordingMessages rec;
    rec.answers << TzelAnswer::Yes;
    QString caption;
    bool toolbarShown = true;
    bool findShown = false;
    bool readOnlyEditor = false;
    bool scrolls = false;
    double contrast = 0;
    bool allTablesInView = false;
    QVERIFY(f.run([&](TfrmZelDataModel &w) {
      caption = w.windowTitle();
      // A disabled editor cannot scroll: the window has made room for every table.
      const QRect view = w.zelJoinsEditor->viewport()->rect();
      allTablesInView = true;
      for (const TzelTableForm *form : w.zelJoinsEditor->tableWindows())
        allTablesInView = allTablesInView && view.contains(form->geometry());
      toolbarShown = w.panToolbar->isVisible();
      findShown = w.txtFindTable->isVisible();
      // Read-only, not disabled: the text keeps its colours and the view scrolls.
      readOnlyEditor = w.zelJoinsEditor->ReadOnly() && w.zelJoinsEditor->isEnabled();
      contrast = rowContrast(*w.zelJoinsEditor->tableWindows().first()->list(), 2);
      QScrollBar *bar = w.zelJoinsEditor->verticalScrollBar();
      bar->setValue(40);
      scrolls = bar->isEnabled() && w.zelJoinsEditor->horizontalScrollBar()->isEnabled() &&
                bar->value() == 40 && w.zelJoinsEditor->surfacePoint({0, 0}).y() == 40;
      // Even a change made behind the user's back is never written back.
      moveFirstWindow(w);
      w.close();
    }));
    QCOMPARE(caption, QStringLiteral("Data Model (Read-Only)"));
    QVERIFY(!toolbarShown);
    QVERIFY(findShown); // finding changes nothing
    QVERIFY(readOnlyEditor);
    QVERIFY2(contrast >= 4.5, qPrintable(QString::number(contrast)));
    QVERIFY(scrolls);
    QVERIFY(allTablesInView);
    QCOMPARE(f.firstTable()->Left(), left);
    QVERIFY(!f.dialog.Changed());
  }

  void window() {
    TfrmZelDataModel w;
    QCOMPARE(w.windowTitle(), QStringLiteral("Data Model"));
    QCOMPARE(w.size(), QSize(631, 413));
    QVERIFY(w.zelJoinsEditor->ModelEditing());
    QCOMPARE(w.panToolbar->height(), 33);
  }

  // Ctrl+F reaches "Find a table", which selects the first table holding the text; the zoom
  // keys step between 25, 50 and 100 % and fit the model; nothing is modified.
  void findAndZoomKeys() {
    std::unique_ptr<TzelModel> model = readSampleModel();
    TfrmZelDataModel w;
    w.zelJoinsEditor->SetModel(model.get());
    w.zelJoinsEditor->SetSchema(model.get());
    w.show();
    QVERIFY(QTest::qWaitForWindowActive(&w));
    QTest::keyClick(&w, Qt::Key_F, Qt::ControlModifier);
    QCOMPARE(QApplication::focusWidget(), w.txtFindTable);
    QTest::keyClicks(w.txtFindTable, QStringLiteral("ord"));
    QCOMPARE(w.zelJoinsEditor->SelectedTableWindow()->windowTitle(), QStringLiteral("Orders"));
    const std::pair<Qt::Key, double> steps[] = {
        {Qt::Key_Minus, 0.5}, {Qt::Key_Minus, 0.25}, {Qt::Key_Plus, 0.5}, {Qt::Key_0, 1}};
    for (const auto &[key, zoom] : steps) {
      QTest::keyClick(w.txtFindTable, key, Qt::ControlModifier);
      QCOMPARE(w.zelJoinsEditor->Zoom(), zoom);
    }
    QTest::keyClick(w.txtFindTable, Qt::Key_9, Qt::ControlModifier);
    QVERIFY(w.zelJoinsEditor->Zoom() < 1);
    QVERIFY(!w.zelJoinsEditor->Modified());
  }

  void toolbar_data() {
    QTest::addColumn<QString>("button");
    QTest::addColumn<QString>("hint");
    QTest::addColumn<QString>("message");
    QTest::newRow("remove table") << "cmdRemoveTable"
                                  << "Remove Table"
                                  << "Select a table to remove";
    QTest::newRow("rename table") << "cmdRenameTable"
                                  << "Rename Table"
                                  << "Select a table to rename";
    QTest::newRow("edit join") << "cmdEditJoin"
                               << "Edit Join"
                               << "Select a join to edit";
    QTest::newRow("remove join") << "cmdRemoveJoin"
                                 << "Remove Join"
                                 << "Select a join to remove";
    QTest::newRow("rename fields") << "cmdRenameFields"
                                   << "Rename Fields"
                                   << "Select a table to edit fields";
  }
  void toolbar() {
    QFETCH(QString, button);
    QFETCH(QString, hint);
    QFETCH(QString, message);
    std::unique_ptr<TzelModel> model = readSampleModel();
    TfrmZelDataModel w;
    w.zelJoinsEditor->SetModel(model.get());
    w.zelJoinsEditor->SetSchema(model.get());
    auto *b = w.findChild<QToolButton *>(button);
    QVERIFY(b);
    QCOMPARE(b->toolTip(), hint);
    QVERIFY(!b->icon().isNull());
    QCOMPARE(b->size(), QSize(25, 25));
    RecordingMessages rec;
    b->click(); // with nothing selected the editor says what to select
    QCOMPARE(rec.texts(), QStringList{message});
  }

  // The window has no menu bar, yet Ctrl+J reaches Join To as in the workspace.
  void joinToKey() {
    std::unique_ptr<TzelModel> model = readSampleModel();
    TfrmZelDataModel w;
    w.zelJoinsEditor->SetModel(model.get());
    w.zelJoinsEditor->SetSchema(model.get());
    w.show();
    w.activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(&w));
    RecordingMessages rec;
    QTest::keyClick(w.zelJoinsEditor, Qt::Key_J, Qt::ControlModifier);
    QCOMPARE(rec.texts(), QStringList{"Select a field to join"});
  }

  void help() {
    std::unique_ptr<TzelModel> model = readSampleModel();
    TfrmZelDataModel w;
    w.zelJoinsEditor->SetModel(model.get());
    RecordingHelp help;
    w.show();
    QVERIFY(QTest::qWaitForWindowExposed(&w));
    w.cmdHelp->click();
    QTest::keyClick(w.zelJoinsEditor, Qt::Key_F1);
    QCOMPARE(help.calls.size(), 2);
    QCOMPARE(help.calls.first().context, 5);
    QVERIFY(!w.cmdHelp->icon().isNull());
    QVERIFY(!w.cmdAddTable->icon().isNull());
  }
};

QTEST_MAIN(TestZelDataModelDialog)
#include "tst_zeldatamodeldialog.moc"
