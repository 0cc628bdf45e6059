// SPDX-License-Identifier: MIT
// The joins editor in query mode over "Step 1": windows and lines where the tables say, the
// geometry written back, lines selected by clicks, joins made by drops (and the drops that
// make none), the popup menu and its commands with their messages and dialogs.
#include "joinseditorfixture.h"

#include "editors/fieldcompare.h"
#include "editors/frmzeladdtable.h"
#include "editors/frmzeljoin.h"
#include "editors/joinpairs.h"
#include "editors/tablefinder.h"
#include "editors/tablenames.h"
#include "support/modaldriver.h"
#include "support/recordingmessages.h"

#include <QAccessible>
#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QListView>
#include <QMenu>
#include <QPushButton>
#include <QScrollBar>
#include <QSignalSpy>
#include <QtTest>
#include <algorithm>
#include <cmath>

namespace {

// y of a visible row's line end, from the measured row and caption heights.
int visibleRowY(const TzelTableForm &window, int row) {
  const int rh = window.list()->rowHeight();
  return window.y() + window.captionHeight() + rh * row + rh / 4;
}

QString captions(const TzelJoinsEditor &editor) {
  QStringList list;
  for (const TzelTableForm *w : editor.tableWindows())
    list << w->windowTitle();
  return list.join(u',');
}

QStringList rows(const TzelTableList &list) {
  QStringList texts;
  for (int i = 0; i < list.count(); ++i)
    texts << list.item(i)->text();
  return texts;
}

// A point on the first stub of a pair's line, dy pixels below it.
QPoint onStub(const TzelJoinField &pair, int dy = 0) {
  return pair.Point(0) + QPoint(5, dy);
}

// A model of 400 tables of 3 fields on a 20 x 20 grid 200 pixels apart, each joined to the
// next, in the editor in model mode.
struct BigSchema {
  static QString alias(int t) { return QStringLiteral("T%1").arg(t); }
  BigSchema() {
    for (int t = 0; t < 400; ++t) {
      model.AddTable(QStringLiteral("DB"), alias(t), alias(t));
      TzelTable *table = model.GetTable(t);
      table->SetLeft((t % 20) * 200);
      table->SetTop((t / 20) * 200);
      for (int f = 0; f < 3; ++f) {
        table->AddField(QStringLiteral("F%1").arg(f), QStringLiteral("F%1").arg(f), ftInteger, 0);
        table->GetField(f)->SetPosition(f);
      }
    }
    for (int t = 0; t + 1 < 400; ++t)
      model.GetJoin(model.AddJoin(alias(t), zelJoinInner, 0, alias(t + 1)))
          ->AddJoinField(QStringLiteral("F1"), zelJoinEqual, QStringLiteral("F2"));
    editor.resize(600, 400);
    editor.SetModelEditing(true);
    editor.SetModel(&model);
    editor.show();
    editor.activateWindow();
    windowActive = QTest::qWaitForWindowActive(&editor);
    editor.SetSchema(&model);
  }
  bool made(int t) const {
    const QList<TzelTableForm *> windows = editor.tableWindows();
    return std::any_of(windows.cbegin(), windows.cend(),
                       [t](const TzelTableForm *w) { return w->windowTitle() == alias(t); });
  }
  TzelModel model;
  TzelJoinsEditor editor;
  bool windowActive = false;
};

QString messageKinds(const RecordingMessages &rec) {
  QStringList kinds;
  for (const RecordedMessage &m : rec.messages)
    kinds << QString::number(int(m.kind));
  return kinds.join(u',');
}

} // namespace

class TestJoinsEditor : public QObject {
  Q_OBJECT
private slots:
  void step1Windows();
  void step1Lines();
  void linesArePainted();
  void geometryWrittenBack();
  void farTableCanBeScrolledTo_data();
  void farTableCanBeScrolledTo();
  void fieldRowsFollowEdits();
  void bigSchemaMakesWindowsInView();
  void findTable_data();
  void findTable();
  void zoomSteps_data();
  void zoomSteps();
  void zoomToFitAndBack();
  void zoomAndBackKeepsTheView_data();
  void zoomAndBackKeepsTheView();
  void rowsScrolledAndRolledUp();
  void equalLeftAndReversedWindows();
  void lineSelection();
  void drops_data();
  void drops();
  void dropOutsideAnyWindow();
  void popupMenu();
  void commandsWithoutSelection_data();
  void commandsWithoutSelection();
  void emptyEditorDoesNothing();
  void removeTable();
  void deleteKeyClosesWindow();
  void renameTable_data();
  void renameTable();
  void removeJoin();
  void editJoin();
  void doubleClicks();
  void activeFields();
  void focusLossClearsSelection();
  void addTableInQueryMode();
  void clearTables();
  void tableMissingFromTheModel();
  void comparableTypes_data();
  void comparableTypes();
  void incompatibleJoinAsks_data();
  void incompatibleJoinAsks();
  void arrangeTables_data();
  void arrangeTables();
};

void TestJoinsEditor::step1Windows() {
  Step1Editor s;
  QVERIFY(s.loaded);
  QCOMPARE(captions(s.editor), QStringLiteral("Customers,Orders,Items,Parts,Vendors"));
  QVERIFY(!s.editor.Modified());
  const int lefts[] = {12, 136, 260, 384, 508};
  for (int i = 0; i < 5; ++i) {
    const TzelTableForm *w = s.editor.tableWindows().at(i);
    QCOMPARE(w->geometry(), QRect(lefts[i], 12, 115, 165));
    QCOMPARE(w->TableIndex(), i);
    QCOMPARE(w->ActiveFields(), QString(255, u'0'));
    QVERIFY(!(w->windowFlags() & Qt::WindowSystemMenuHint));
    QVERIFY(!(w->windowFlags() & Qt::WindowMinMaxButtonsHint));
    // Caption height is the outer height less the list's (client) height.
    QCOMPARE(w->captionHeight(), w->height() - w->list()->height());
  }
  QCOMPARE(rows(*s.list("Orders")), QStringList({"*", "OrderNo", "CustNo", "SaleDate", "ShipDate",
                                                 "PaymentMethod", "Paid"}));
  // Every row has the same height, measured from the list.
  const TzelTableList *items = s.list("Items");
  QCOMPARE(items->visualItemRect(items->item(3)).height(), items->rowHeight());
  QCOMPARE(items->visualItemRect(items->item(3)).top(), 3 * items->rowHeight());
  // The surface scrolls over 1000 x 1000 pixels.
  QCOMPARE(s.editor.horizontalScrollBar()->maximum(), 1000 - s.editor.viewport()->width());
  QCOMPARE(s.editor.verticalScrollBar()->maximum(), 1000 - s.editor.viewport()->height());
}

void TestJoinsEditor::farTableCanBeScrolledTo_data() {
  QTest::addColumn<bool>("loaded"); // stored at Left 5000, else moved there
  QTest::newRow("loaded there") << true;
  QTest::newRow("moved there") << false;
}

void TestJoinsEditor::farTableCanBeScrolledTo() {
  QFETCH(bool, loaded);
  Step1Editor s;
  if (loaded) {
    s.query()->GetTable(3)->SetLeft(5000);
    s.editor.SetSchema(s.query());
  } else {
    s.window("Parts")->move(5000, 12);
  }
  TzelTableForm *parts = s.window("Parts");
  QCOMPARE(parts->geometry(), QRect(5000, 12, 115, 165));
  s.editor.ensureWidgetVisible(parts, 0, 0);
  const QRect shown(s.editor.surfacePoint(QPoint(0, 0)), s.editor.viewport()->size());
  QVERIFY(shown.contains(parts->geometry()));
}

void TestJoinsEditor::fieldRowsFollowEdits() {
  TzelTableList list;
  list.setFieldAliases({"OrderNo", "CustNo", "OrderNo"});
  QCOMPARE(list.rowOf(QStringLiteral("OrderNo")), 1); // the first of equal rows
  list.item(1)->setText(QStringLiteral("Renamed"));
  QCOMPARE(list.rowOf(QStringLiteral("OrderNo")), 3);
  QCOMPARE(list.rowOf(QStringLiteral("Renamed")), 1);
  delete list.takeItem(2);
  QCOMPARE(list.rowOf(QStringLiteral("CustNo")), -1);
  QCOMPARE(list.rowOf(QStringLiteral("OrderNo")), 2);
}

// Position order is by column: T390 (column 10) ... T398 come before T39 (column 19, row 1)
// and T399 (column 19, row 19).
void TestJoinsEditor::findTable_data() {
  QTest::addColumn<QString>("text");
  QTest::addColumn<int>("key");
  QTest::addColumn<int>("presses");
  QTest::addColumn<QString>("shown");
  QTest::newRow("first match") << "t39" << 0 << 0 << "T390";
  QTest::newRow("down") << "T39" << int(Qt::Key_Down) << 1 << "T391";
  QTest::newRow("f3") << "T39" << int(Qt::Key_F3) << 9 << "T39";
  QTest::newRow("last") << "T39" << int(Qt::Key_Down) << 10 << "T399";
  QTest::newRow("wraps") << "T39" << int(Qt::Key_F3) << 11 << "T390";
  QTest::newRow("far corner") << "T399" << 0 << 0 << "T399";
  QTest::newRow("none") << "X" << int(Qt::Key_Down) << 1 << "";
}

void TestJoinsEditor::findTable() {
  QFETCH(QString, text);
  QFETCH(int, key);
  QFETCH(int, presses);
  QFETCH(QString, shown);
  BigSchema big;
  TzelTableFinder finder(&big.editor);
  finder.show();
  finder.activateWindow();
  QVERIFY(QTest::qWaitForWindowActive(&finder));
  QTest::keyClicks(&finder, text);
  for (int i = 0; i < presses; ++i)
    QTest::keyClick(&finder, Qt::Key(key));
  QCOMPARE(finder.shownTable(), shown);
  TzelTableForm *selected = big.editor.SelectedTableWindow();
  QCOMPARE(selected ? selected->windowTitle() : QString(), shown);
  QVERIFY(!big.editor.Modified());
  if (shown.isEmpty())
    return;
  const QRect view(big.editor.surfacePoint({0, 0}), big.editor.viewport()->size());
  QVERIFY(view.contains(selected->geometry()));
  QTest::keyClick(&finder, Qt::Key_Return);
  QCOMPARE(big.editor.focusWidget(), selected->list());
}

void TestJoinsEditor::zoomSteps_data() {
  QTest::addColumn<QString>("steps");
  QTest::addColumn<double>("zoom");
  QTest::newRow("out") << "-" << 0.5;
  QTest::newRow("out twice") << "--" << 0.25;
  QTest::newRow("no further") << "---" << 0.25;
  QTest::newRow("out and in") << "--+" << 0.5;
  QTest::newRow("never above 1") << "-++" << 1.0;
}

void TestJoinsEditor::zoomSteps() {
  QFETCH(QString, steps);
  QFETCH(double, zoom);
  BigSchema big;
  for (QChar step : steps)
    step == u'-' ? big.editor.ZoomOut() : big.editor.ZoomIn();
  QCOMPARE(big.editor.Zoom(), zoom);
  const QList<TzelTableForm *> windows = big.editor.tableWindows();
  QVERIFY(std::all_of(windows.cbegin(), windows.cend(),
                      [zoom](const TzelTableForm *w) { return w->isVisible() == (zoom == 1.0); }));
  // The scroll range is the schema's, scaled.
  QCOMPARE(big.editor.surface()->minimumWidth(), int(std::ceil((19 * 200 + 115 + 200) * zoom)));
  QVERIFY(!big.editor.Modified());
}

// Fitted, the whole schema is in view with no window; a click on a table comes back to 1 with
// that table selected in the middle of the view.
void TestJoinsEditor::zoomToFitAndBack() {
  BigSchema big;
  big.editor.ZoomToFit();
  const double zoom = big.editor.Zoom();
  QVERIFY(zoom < 0.2);
  const QSize view = big.editor.viewport()->size();
  QVERIFY(big.editor.surface()->minimumWidth() <= view.width());
  QVERIFY(big.editor.surface()->minimumHeight() <= view.height());
  QVERIFY(!big.editor.tableWindows().first()->isVisible());
  const QPoint far = big.model.GetTable(399)->Left() * QPoint(1, 0) +
                     big.model.GetTable(399)->Top() * QPoint(0, 1) + QPoint(50, 60);
  QTest::mouseClick(big.editor.surface()->viewport(), Qt::LeftButton, {},
                    QPoint(int(far.x() * zoom), int(far.y() * zoom)));
  QCOMPARE(big.editor.Zoom(), 1.0);
  TzelTableForm *selected = big.editor.SelectedTableWindow();
  QVERIFY(selected && selected->isVisible());
  QCOMPARE(selected->windowTitle(), BigSchema::alias(399));
  const QRect visible(big.editor.surfacePoint({0, 0}), big.editor.viewport()->size());
  QVERIFY(visible.contains(selected->geometry()));
  QVERIFY(!big.editor.Modified());
}

void TestJoinsEditor::zoomAndBackKeepsTheView_data() {
  QTest::addColumn<QString>("steps"); // - and + step, f fits, 1 is 100 %
  QTest::addColumn<QPoint>("scroll");
  QTest::newRow("out and in, at the top left") << "-+" << QPoint(0, 0);
  QTest::newRow("out twice and in twice") << "--++" << QPoint(0, 0);
  QTest::newRow("fit and 100 %, at the top left") << "f1" << QPoint(0, 0);
  QTest::newRow("out and in, scrolled") << "-+" << QPoint(1500, 900);
  QTest::newRow("fit and 100 %, scrolled") << "f1" << QPoint(1500, 900);
}

// From 100 % and back every window stands where it stood in the view, and the window the
// keyboard was in has it again.
void TestJoinsEditor::zoomAndBackKeepsTheView() {
  QFETCH(QString, steps);
  QFETCH(QPoint, scroll);
  BigSchema big;
  big.editor.horizontalScrollBar()->setValue(scroll.x());
  big.editor.verticalScrollBar()->setValue(scroll.y());
  TzelTableForm *window = big.editor.FindTableWindow(BigSchema::alias(8 * 20 + 8));
  big.editor.ShowTable(window->windowTitle(), true);
  const QPoint shown = big.editor.surfacePoint({0, 0});
  for (QChar step : steps) {
    if (step == u'-')
      big.editor.ZoomOut();
    else if (step == u'+')
      big.editor.ZoomIn();
    else
      step == u'f' ? big.editor.ZoomToFit() : big.editor.SetZoom(1);
  }
  QCOMPARE(big.editor.Zoom(), 1.0);
  QCOMPARE(big.editor.surfacePoint({0, 0}), shown);
  QCOMPARE(QApplication::focusWidget(), window->list());
}

void TestJoinsEditor::bigSchemaMakesWindowsInView() {
  BigSchema big;
  QVERIFY(big.windowActive);
  QCOMPARE(big.editor.tableCount(), 400);
  QVERIFY(big.made(0) && !big.made(399));
  QVERIFY(big.editor.tableWindows().size() < 40);
  // A screen reader finds every table on the surface, windows first.
  QAccessibleInterface *surface = QAccessible::queryAccessibleInterface(big.editor.surface());
  QCOMPARE(surface->childCount(), 400);
  QAccessibleInterface *last = surface->child(399);
  QCOMPARE(last->text(QAccessible::Name), QStringLiteral("T399 table, 3 fields"));
  QCOMPARE(last->role(), QAccessible::Window);
  QCOMPARE(surface->indexOfChild(last), 399);
  // The lines of tables without windows lie where the windows will show them.
  const TzelJoinField *far = big.model.GetJoin(398)->GetJoinField(0);
  const QList<QPoint> before = {far->Point(0), far->Point(1), far->Point(2), far->Point(3)};
  QVERIFY(before.at(0) != before.at(3));
  // Windows made as the view scrolls leave the focus and the selected row where they were.
  TzelTableList *first = big.editor.FindTableWindow(BigSchema::alias(0))->list();
  clickRow(first, 2);
  big.editor.horizontalScrollBar()->setValue(900);
  QVERIFY(big.made(8));
  QCOMPARE(QApplication::focusWidget(), first);
  QCOMPARE(first->ItemIndex(), 2);
  // Ctrl+Shift+Tab from the first table goes round to the last, whose window is then made.
  QTest::keyClick(first, Qt::Key_Tab, Qt::ControlModifier | Qt::ShiftModifier);
  QCOMPARE(QApplication::focusWidget(), big.editor.FindTableWindow(BigSchema::alias(399))->list());
  QVERIFY(big.made(399) && big.made(398)); // and those near it, scrolled into view
  big.editor.CalculateJoinLines();
  QCOMPARE(QList<QPoint>({far->Point(0), far->Point(1), far->Point(2), far->Point(3)}), before);
  // Arranging moves the tables without windows too: their windows show where they went.
  big.editor.ArrangeTables();
  const TzelTable *middle = big.model.GetTable(200);
  QVERIFY(!big.made(200));
  QCOMPARE(big.editor.FindTableWindow(BigSchema::alias(200))->pos(),
           QPoint(middle->Left(), middle->Top()));
}

void TestJoinsEditor::step1Lines() {
  Step1Editor s;
  QCOMPARE(livePairCount(*s.query()), 5);
  struct Expected {
    int join, pair;
    const char *left;
    int leftRow;
    const char *right;
    int rightRow;
  };
  // Customers.CustNo-Orders.CustNo, Orders.OrderNo-Items.OrderNo, Items.PartNo-Parts.PartNo,
  // Items.VendorNo-Parts.VendorNo, Parts.VendorNo-Vendors.VendorNo.
  const Expected expected[] = {{0, 0, "Customers", 1, "Orders", 2},
                               {1, 0, "Orders", 1, "Items", 1},
                               {2, 0, "Items", 3, "Parts", 1},
                               {2, 1, "Items", 4, "Parts", 2},
                               {3, 0, "Parts", 2, "Vendors", 1}};
  for (const Expected &e : expected) {
    const TzelJoinField *pair = s.pair(e.join, e.pair);
    const TzelTableForm *left = s.window(e.left);
    const TzelTableForm *right = s.window(e.right);
    const int x1 = left->x() + left->width();
    const int y1 = visibleRowY(*left, e.leftRow);
    const int y2 = visibleRowY(*right, e.rightRow);
    QCOMPARE(pair->Point(0), QPoint(x1, y1));
    QCOMPARE(pair->Point(1), QPoint(x1 + 10, y1));
    QCOMPARE(pair->Point(2), QPoint(right->x() - 10, y2));
    QCOMPARE(pair->Point(3), QPoint(right->x(), y2));
    QVERIFY(!pair->Selected());
  }
}

void TestJoinsEditor::linesArePainted() {
  Step1Editor s;
  s.pair(2, 1)->SetSelected(true);
  const QImage image = s.editor.surface()->viewport()->grab().toImage();
  const QColor silver(192, 192, 192);
  QCOMPARE(image.pixelColor(300, 240), silver);
  for (int j = 0; j < 4; ++j)
    for (int p = 0; p < s.join(j)->JoinFieldCount(); ++p) {
      const QPoint at = s.pair(j, p)->Point(0) + QPoint(1, 0);
      QCOMPARE(image.pixelColor(at), QColor(Qt::black));
      // One pixel wide, except the selected pair's two.
      const bool wide = j == 2 && p == 1;
      QCOMPARE(image.pixelColor(at + QPoint(0, 1)) == QColor(Qt::black) ||
                   image.pixelColor(at - QPoint(0, 1)) == QColor(Qt::black),
               wide);
    }
}

void TestJoinsEditor::geometryWrittenBack() {
  Step1Editor s;
  TzelTableForm *orders = s.window("Orders");
  TzelTable *table = s.query()->GetTable(1);
  orders->move(200, 90);
  QCOMPARE(table->Left(), 200);
  QCOMPARE(table->Top(), 90);
  QVERIFY(s.editor.Modified());
  QCOMPARE(s.pair(0, 0)->Point(3).x(), 200); // the line follows at once
  orders->resize(150, 120);
  QCOMPARE(table->Width(), 150);
  QCOMPARE(table->Height(), 120);
  QCOMPARE(s.pair(1, 0)->Point(0).x(), 350);

  // Scrolled, the window's place on the surface is still what the table keeps.
  s.editor.horizontalScrollBar()->setValue(40);
  s.editor.verticalScrollBar()->setValue(30);
  QCOMPARE(orders->mapTo(s.editor.viewport(), QPoint(0, 0)), QPoint(160, 60));
  orders->move(210, 100);
  QCOMPARE(table->Left(), 210);
  QCOMPARE(table->Top(), 100);
  QCOMPARE(s.editor.surfacePoint(QPoint(10, 10)), QPoint(50, 40));

  // Reloading places the windows where the tables say.
  s.editor.SetSchema(s.query());
  QCOMPARE(s.window("Orders")->geometry(), QRect(210, 100, 150, 120));
  QVERIFY(!s.editor.Modified());
}

void TestJoinsEditor::rowsScrolledAndRolledUp() {
  Step1Editor s;
  TzelTableForm *items = s.window("Items");
  TzelTableList *list = items->list();
  const int rh = list->rowHeight();
  const int caption = items->captionHeight();
  // Items has 7 rows; a list two rows high scrolled to row 2 hides OrderNo (row 1) above
  // and VendorNo (row 4) below.
  items->resize(items->width(), caption + 2 * rh);
  QSignalSpy topChanged(list, &TzelTableList::OnTopChanged);
  list->verticalScrollBar()->setValue(2);
  QCOMPARE(topChanged.count(), 1);
  QCOMPARE(list->TopIndex(), 2);
  // Orders.OrderNo -> Items.OrderNo ends in the title bar.
  QCOMPARE(s.pair(1, 0)->Point(3).y(), items->y() + caption / 3 + rh / 4);
  // Items.PartNo (row 3) is visible as the second row.
  QCOMPARE(s.pair(2, 0)->Point(0).y(), items->y() + caption + rh + rh / 4);
  // Items.VendorNo (row 4) lies below the visible rows: the list's bottom edge less 2.
  QCOMPARE(s.pair(2, 1)->Point(0).y(), items->y() + caption + list->height() - 2);

  // Rolled up to its title bar: every line of the window meets the middle of the title bar.
  items->toggleRolledUp();
  QVERIFY(items->isRolledUp());
  const int middle = items->y() + caption / 2;
  QCOMPARE(s.pair(1, 0)->Point(3).y(), middle);
  QCOMPARE(s.pair(2, 0)->Point(0).y(), middle);
  QCOMPARE(s.pair(2, 1)->Point(0).y(), middle);
  QCOMPARE(s.pair(0, 0)->Point(3).y(), visibleRowY(*s.window("Orders"), 2));
  items->toggleRolledUp();
  QVERIFY(!items->isRolledUp());
  QCOMPARE(s.pair(2, 0)->Point(0).y(), items->y() + caption + rh + rh / 4);

  // Shrunk by hand to its title bar (the smallest size a user can drag it to).
  QCOMPARE(items->minimumSizeHint().height(), caption);
  items->resize(items->width(), caption);
  QVERIFY(items->isRolledUp());
  QCOMPARE(s.pair(2, 1)->Point(0).y(), middle);
  QCOMPARE(s.query()->GetTable(2)->Height(), caption);
  // A double click on the title bar opens it at the default height.
  QTest::mouseDClick(items, Qt::LeftButton, {}, QPoint(items->width() / 2, caption / 3));
  QCOMPARE(items->height(), 165);
}

void TestJoinsEditor::equalLeftAndReversedWindows() {
  Step1Editor s;
  TzelTableForm *customers = s.window("Customers");
  TzelTableForm *orders = s.window("Orders");
  // Equal Left: the line leaves the join's left table (Customers) on its right edge.
  orders->move(customers->x(), 300);
  const TzelJoinField *pair = s.pair(0, 0);
  QCOMPARE(pair->Point(0), QPoint(customers->x() + customers->width(), visibleRowY(*customers, 1)));
  QCOMPARE(pair->Point(3), QPoint(orders->x(), visibleRowY(*orders, 2)));
  // Customers right of Orders: the line leaves Orders' right edge from Orders.CustNo.
  customers->move(400, 20);
  QCOMPARE(pair->Point(0), QPoint(orders->x() + orders->width(), visibleRowY(*orders, 2)));
  QCOMPARE(pair->Point(3), QPoint(400, visibleRowY(*customers, 1)));
}

void TestJoinsEditor::lineSelection() {
  Step1Editor s;
  TzelJoinField *first = s.pair(0, 0);
  TzelJoinField *partNo = s.pair(2, 0);
  TzelJoinField *vendorNo = s.pair(2, 1);
  pressSurface(s.editor, onStub(*partNo, -1));
  QVERIFY(partNo->Selected());
  // A screen reader hears the pairs the lines show, and which one is selected.
  QCOMPARE(QAccessible::queryAccessibleInterface(s.editor.surface())
               ->text(QAccessible::Description)
               .split(u'\n'),
           QStringList({"Customers.CustNo = Orders.CustNo", "Orders.OrderNo = Items.OrderNo",
                        "Items.PartNo = Parts.PartNo (selected)", "Items.VendorNo = Parts.VendorNo",
                        "Parts.VendorNo = Vendors.VendorNo"}));
  QVERIFY(!vendorNo->Selected());
  int j = -1, p = -1;
  s.query()->GetSelectedJoinField(j, p);
  QCOMPARE(QPair(j, p), QPair(2, 0));
  pressSurface(s.editor, onStub(*partNo, 2)); // two below: nothing
  QVERIFY(!partNo->Selected());
  // The middle segment, a pixel beside the slanted line a quarter of the way along.
  const QPoint a = vendorNo->Point(1);
  const QPoint b = vendorNo->Point(2);
  pressSurface(s.editor, a + (b - a) / 4 + QPoint(1, 0));
  QVERIFY(vendorNo->Selected());
  // Where the VendorNo line crosses the PartNo stub, only the first pair is hit.
  const QPoint crossing((a.x() + b.x()) / 2, partNo->Point(0).y());
  QVERIFY(hitsJoinLine({vendorNo->Point(0), a, b, vendorNo->Point(3)}, crossing));
  pressSurface(s.editor, crossing);
  QVERIFY(partNo->Selected());
  QVERIFY(!vendorNo->Selected());
  pressSurface(s.editor, onStub(*first, 1), Qt::RightButton);
  QVERIFY(first->Selected());
  QVERIFY(!vendorNo->Selected());
  QTRY_VERIFY(s.editor.popupMenu()->isVisible());
  s.editor.popupMenu()->hide();
  // A recalculation clears the selection.
  s.editor.CalculateJoinLines();
  QVERIFY(!first->Selected());
}

void TestJoinsEditor::drops_data() {
  QTest::addColumn<QString>("fromTable");
  QTest::addColumn<QString>("fromField");
  QTest::addColumn<QString>("toTable");
  QTest::addColumn<int>("toRow");
  QTest::addColumn<int>("joins");
  QTest::addColumn<QString>("lastPair"); // left table.field = right table.field of the last pair
  QTest::addColumn<bool>("modified");
  const QString unchanged = QStringLiteral("Parts.VendorNo=Vendors.VendorNo");
  QTest::newRow("new join") << "Customers"
                            << "City"
                            << "Vendors" << 4 << 5 << "Customers.City=Vendors.City" << true;
  QTest::newRow("on the star row") << "Customers"
                                   << "City"
                                   << "Vendors" << 0 << 4 << unchanged << false;
  QTest::newRow("below the last row") << "Customers"
                                      << "City"
                                      << "Vendors" << 8 << 4 << unchanged << false;
  QTest::newRow("same window") << "Vendors"
                               << "City"
                               << "Vendors" << 3 << 4 << unchanged << false;
  QTest::newRow("star dragged") << "Customers"
                                << "*"
                                << "Vendors" << 4 << 4 << unchanged << false;
  QTest::newRow("unknown source") << "Shippers"
                                  << "City"
                                  << "Vendors" << 4 << 4 << unchanged << false;
  QTest::newRow("same pair again") << "Parts"
                                   << "VendorNo"
                                   << "Vendors" << 1 << 4 << unchanged << true;
  QTest::newRow("same pair reversed") << "Vendors"
                                      << "VendorNo"
                                      << "Parts" << 2 << 4 << unchanged << true;
  QTest::newRow("second pair") << "Parts"
                               << "PartDesc"
                               << "Vendors" << 2 << 4 << "Parts.PartDesc=Vendors.VendorName"
                               << true;
  // Against the join's direction: the join Parts -> Vendors is reused and the pair stored
  // with its left field in Parts.
  QTest::newRow("reverse direction") << "Vendors"
                                     << "Phone"
                                     << "Parts" << 4 << 4 << "Parts.OnHand=Vendors.Phone" << true;
  QTest::newRow("case of the caption") << "vendors"
                                       << "Phone"
                                       << "Parts" << 4 << 4 << "Parts.OnHand=Vendors.Phone" << true;
}

void TestJoinsEditor::drops() {
  QFETCH(QString, fromTable);
  QFETCH(QString, fromField);
  QFETCH(QString, toTable);
  QFETCH(int, toRow);
  QFETCH(int, joins);
  QFETCH(QString, lastPair);
  QFETCH(bool, modified);
  Step1Editor s;
  RecordingMessages rec; // a phone dropped on a number asks, and is answered Yes
  TzelTableList *target = s.list(toTable.toLatin1().constData());
  QVERIFY(dropOnRow(target, toRow, fromTable, fromField));
  QCOMPARE(s.query()->JoinCount(), joins);
  const TzelJoin *join = s.join(joins - 1);
  const TzelJoinField *pair = join->GetJoinField(join->JoinFieldCount() - 1);
  QCOMPARE(join->LeftTableAlias() + u'.' + pair->LeftFieldAlias() + u'=' + join->RightTableAlias() +
               u'.' + pair->RightFieldAlias(),
           lastPair);
  // A drop that reaches the join sets Modified, even when the pair was there already.
  QCOMPARE(s.editor.Modified(), modified);
  if (livePairCount(*s.query()) != 5) {
    QCOMPARE(target->ItemIndex(), toRow);
    QVERIFY(!isEmptyLine({pair->Point(0), pair->Point(1), pair->Point(2), pair->Point(3)}));
  }
}

void TestJoinsEditor::dropOutsideAnyWindow() {
  Step1Editor s;
  QVERIFY(!dropOn(s.editor.surface()->viewport(), QPoint(300, 220), QStringLiteral("Customers"),
                  QStringLiteral("City")));
  QCOMPARE(s.query()->JoinCount(), 4);
  QVERIFY(!s.editor.Modified());
}

void TestJoinsEditor::popupMenu() {
  Step1Editor s;
  QStringList items;
  for (const QAction *a : s.editor.popupMenu()->actions())
    items << (a->isSeparator() ? QStringLiteral("-") : a->objectName() + u' ' + a->text());
  QCOMPARE(items, QStringList({"popAddTable &Add Table", "popRemoveTable &Remove Table",
                               "popRenameTable Rename &Table", "popRollTable R&oll Up/Down", "-",
                               "popEditJoin &Edit Join", "popJoinTo Jo&in To...",
                               "popRemoveJoin Remove &Join", "-", "popZoom &Zoom", "-",
                               "popEditFields Edit &Fields", "-", "popHelp &Help"}));
  const auto *editFields = s.editor.popupMenu()->findChild<QAction *>("popEditFields");
  const auto *separator = s.editor.popupMenu()->findChild<QAction *>("popFieldsSeparator");
  QVERIFY(!editFields->isVisible());
  QVERIFY(!separator->isVisible());
  s.editor.SetModelEditing(true);
  QVERIFY(editFields->isVisible());
  QVERIFY(separator->isVisible());
  s.editor.SetModelEditing(false);
  QVERIFY(!editFields->isVisible());

  RecordingHelp help;
  s.editor.popupMenu()->findChild<QAction *>("popHelp")->trigger();
  QCOMPARE(help.calls.size(), 1);
  QCOMPARE(help.calls.first().context, 1016);

  // A right click on a field row selects it and opens the menu.
  TzelTableList *orders = s.list("Orders");
  QTest::mousePress(orders->viewport(), Qt::RightButton, {}, rowCentre(*orders, 3));
  QCOMPARE(orders->ItemIndex(), 3);
  QTRY_VERIFY(s.editor.popupMenu()->isVisible());
  s.editor.popupMenu()->hide();
  QCOMPARE(s.editor.SelectedTableWindow(), s.window("Orders"));
}

void TestJoinsEditor::commandsWithoutSelection_data() {
  QTest::addColumn<QString>("command");
  QTest::addColumn<QString>("message");
  QTest::newRow("remove table") << "popRemoveTable"
                                << "Select a table to remove";
  QTest::newRow("rename table") << "popRenameTable"
                                << "Select a table to rename";
  QTest::newRow("edit join") << "popEditJoin"
                             << "Select a join to edit";
  QTest::newRow("remove join") << "popRemoveJoin"
                               << "Select a join to remove";
  QTest::newRow("join to") << "popJoinTo"
                           << "Select a field to join";
  QTest::newRow("edit fields") << "popEditFields"
                               << "Select a table to edit fields";
}

void TestJoinsEditor::commandsWithoutSelection() {
  QFETCH(QString, command);
  QFETCH(QString, message);
  Step1Editor s;
  s.editor.SetModelEditing(true); // offers Edit Fields
  RecordingMessages rec;
  s.editor.popupMenu()->findChild<QAction *>(command)->trigger();
  QCOMPARE(rec.texts(), QStringList{message});
  QCOMPARE(messageKinds(rec), QString::number(int(TzelMessageKind::Information)));
  QCOMPARE(s.editor.tableWindows().size(), 5);
  QCOMPARE(livePairCount(*s.query()), 5);
  QVERIFY(!s.editor.Modified());
  // Double clicking the background is an EditJoin without the message.
  rec.clear();
  QTest::mouseDClick(s.editor.surface()->viewport(), Qt::LeftButton, {}, QPoint(300, 230));
  QVERIFY(rec.messages.isEmpty());
}

void TestJoinsEditor::emptyEditorDoesNothing() {
  TzelJoinsEditor editor;
  editor.show();
  RecordingMessages rec;
  editor.AddTable();
  QVERIFY(!editor.RemoveTable());
  editor.RenameTable();
  editor.EditJoin(true);
  QVERIFY(!editor.RemoveJoin());
  editor.SetModelEditing(true);
  editor.EditFields();
  editor.CalculateJoinLines();
  editor.SetFieldActive(QStringLiteral("Customers"), QStringLiteral("City"), true);
  editor.AddTableWindow(QStringLiteral("Customers"), true, 0, 0, 0, 0);
  pressSurface(editor, QPoint(20, 20));
  QVERIFY(rec.messages.isEmpty());
  QVERIFY(editor.tableWindows().isEmpty());
  QVERIFY(!editor.Modified());
}

void TestJoinsEditor::removeTable() {
  Step1Editor s;
  RecordingMessages rec;
  QSignalSpy deleted(&s.editor, &TzelJoinsEditor::OnDeleteTable);
  clickRow(s.list("Orders"), 2);
  rec.answers << TzelAnswer::No;
  QVERIFY(s.editor.RemoveTable());
  QCOMPARE(rec.texts(), QStringList{"Delete the [Orders] table?"});
  QCOMPARE(rec.messages.first().buttons, TzelButtons::YesNo);
  QVERIFY(s.window("Orders"));
  QVERIFY(!s.query()->GetTable(1)->Deleted());
  QCOMPARE(deleted.count(), 0);

  rec.answers << TzelAnswer::Yes;
  TzelTableForm *orders = s.window("Orders");
  QVERIFY(s.editor.RemoveTable());
  QCOMPARE(deleted.count(), 1);
  QCOMPARE(deleted.first().first().value<TzelTableForm *>(), orders);
  QVERIFY(!s.window("Orders"));
  QCOMPARE(captions(s.editor), QStringLiteral("Customers,Items,Parts,Vendors"));
  // Removal is a mark: the table keeps its index, its joins are marked too.
  QCOMPARE(s.query()->TableCount(), 5);
  QVERIFY(s.query()->GetTable(1)->Deleted());
  QVERIFY(s.join(0)->Deleted());
  QVERIFY(s.join(1)->Deleted());
  QVERIFY(!s.join(2)->Deleted());
  QVERIFY(s.editor.Modified());
  QTRY_COMPARE(s.editor.surface()->subWindowList().size(), 4);
}

void TestJoinsEditor::deleteKeyClosesWindow() {
  Step1Editor s;
  RecordingMessages rec;
  TzelTableList *vendors = s.list("Vendors");
  clickRow(vendors, 1);
  rec.answers << TzelAnswer::No;
  QTest::keyClick(vendors, Qt::Key_Delete);
  QCOMPARE(rec.texts(), QStringList{"Delete the [Vendors] table?"});
  QCOMPARE(vendors->count(), 8); // the key deleted nothing else
  rec.answers << TzelAnswer::Yes;
  QTest::keyClick(vendors, Qt::Key_Delete);
  QVERIFY(!s.window("Vendors"));
  QVERIFY(s.query()->GetTable(4)->Deleted());
  QVERIFY(s.join(3)->Deleted());
}

void TestJoinsEditor::renameTable_data() {
  QTest::addColumn<QString>("window");
  QTest::addColumn<QString>("answer");
  QTest::addColumn<QString>("caption");
  QTest::addColumn<QString>("message");
  QTest::newRow("new alias") << "Orders"
                             << "Sales"
                             << "Sales" << QString();
  QTest::newRow("case only") << "Orders"
                             << "ORDERS"
                             << "ORDERS" << QString();
  QTest::newRow("existing alias") << "Orders"
                                  << "Customers"
                                  << "Orders"
                                  << "Error: Table Alias [Customers] already exists";
  QTest::newRow("existing, other case") << "Orders"
                                        << "customers"
                                        << "Orders"
                                        << "Error: Table Alias [customers] already exists";
  QTest::newRow("blank") << "Orders"
                         << "   "
                         << "Orders"
                         << "Error: Table Alias cannot be blank.";
  QTest::newRow("empty") << "Orders"
                         << ""
                         << "Orders"
                         << "Error: Table Alias cannot be blank.";
}

void TestJoinsEditor::renameTable() {
  QFETCH(QString, window);
  QFETCH(QString, answer);
  QFETCH(QString, caption);
  QFETCH(QString, message);
  Step1Editor s;
  RecordingMessages rec;
  QSignalSpy renamed(&s.editor, &TzelJoinsEditor::OnRenameTable);
  TzelTableForm *w = s.window(window.toLatin1().constData());
  clickRow(w->list(), 1);
  rec.inputAnswers << answer;
  s.editor.RenameTable();
  QCOMPARE(rec.inputs.size(), 1);
  QCOMPARE(rec.inputs.first().caption, QStringLiteral("Rename Table"));
  QCOMPARE(rec.inputs.first().prompt, QStringLiteral("Enter new table name"));
  QCOMPARE(rec.inputs.first().text, window);
  QCOMPARE(w->windowTitle(), caption);
  QCOMPARE(s.query()->GetTable(w->TableIndex())->TableAlias(), caption);
  const bool done = message.isEmpty();
  QCOMPARE(rec.texts(), done ? QStringList() : QStringList{message});
  QCOMPARE(s.editor.Modified(), done);
  QCOMPARE(renamed.count(), done ? 1 : 0);
  if (done) {
    QCOMPARE(renamed.first().at(1).toString(), window);
    QCOMPARE(renamed.first().at(2).toString(), caption);
    // The joins follow, so the lines still find the window.
    QCOMPARE(s.join(0)->RightTableAlias(), caption);
    s.editor.CalculateJoinLines();
    QCOMPARE(s.pair(0, 0)->Point(3).x(), w->x());
  }
}

void TestJoinsEditor::removeJoin() {
  Step1Editor s;
  RecordingMessages rec;
  TzelJoinField *partNo = s.pair(2, 0);
  pressSurface(s.editor, onStub(*partNo));
  rec.answers << TzelAnswer::No;
  QVERIFY(!s.editor.RemoveJoin());
  QCOMPARE(rec.texts(), QStringList{"Remove the selected join?"});
  QVERIFY(!partNo->Deleted());
  QVERIFY(!s.editor.Modified());
  rec.answers << TzelAnswer::Yes;
  QVERIFY(s.editor.RemoveJoin());
  QVERIFY(partNo->Deleted());
  QVERIFY(!s.join(2)->Deleted()); // VendorNo still joins Items and Parts
  QVERIFY(s.editor.Modified());
  TzelJoinField *vendorNo = s.pair(2, 1);
  pressSurface(s.editor, onStub(*vendorNo));
  rec.answers << TzelAnswer::Yes;
  QVERIFY(s.editor.RemoveJoin());
  QVERIFY(s.join(2)->Deleted());
  QCOMPARE(livePairCount(*s.query()), 3);
  // A removed line is no longer hit.
  pressSurface(s.editor, onStub(*vendorNo));
  int j = -1, p = -1;
  s.query()->GetSelectedJoinField(j, p);
  QCOMPARE(j, -1);
}

void TestJoinsEditor::editJoin() {
  Step1Editor s;
  TzelJoinField *pair = s.pair(0, 0);
  pressSurface(s.editor, onStub(*pair));
  QString left, right, leftTable, oper;
  whenModal([&](QWidget *w) {
    auto *dialog = qobject_cast<TfrmZelJoin *>(w);
    QVERIFY(dialog);
    left = dialog->labLeftJoin->text();
    right = dialog->labRightJoin->text();
    leftTable = dialog->labLeftTable->text() + u'.' + dialog->labLeftField->text();
    dialog->cmbJoinOper->setCurrentIndex(int(zelJoinGE));
    dialog->setJoinType(zelJoinLeft);
    dialog->cmdOk->click();
  });
  s.editor.EditJoin(true);
  QCOMPARE(left,
           QStringLiteral("Return all records from \"Customers\" AND only matching records from "
                          "\"Orders\""));
  QCOMPARE(right,
           QStringLiteral("Return all records from \"Orders\" AND only matching records from "
                          "\"Customers\""));
  QVERIFY2(leftTable.contains(QStringLiteral("Customers")), qPrintable(leftTable));
  QCOMPARE(s.join(0)->JoinType(), zelJoinLeft);
  QCOMPARE(pair->JoinOper(), zelJoinGE);
  QVERIFY(s.editor.Modified());

  // Cancel changes nothing; the dialog is kept for the next use.
  s.editor.SetModified(false);
  TfrmZelJoin *first = nullptr;
  whenModal([&](QWidget *w) {
    first = qobject_cast<TfrmZelJoin *>(w);
    first->setJoinType(zelJoinRight);
    first->cmdCancel->click();
  });
  s.editor.EditJoin(true);
  QCOMPARE(s.join(0)->JoinType(), zelJoinLeft);
  QVERIFY(!s.editor.Modified());

  // Delete in the dialog removes the pair (after the question) and closes it.
  RecordingMessages rec;
  rec.answers << TzelAnswer::Yes;
  whenModal([&](QWidget *w) {
    QCOMPARE(w, static_cast<QWidget *>(first));
    first->cmdDelete->click();
  });
  s.editor.EditJoin(true);
  QCOMPARE(rec.texts(), QStringList{"Remove the selected join?"});
  QVERIFY(pair->Deleted());
  QVERIFY(s.join(0)->Deleted());
}

void TestJoinsEditor::doubleClicks() {
  Step1Editor s;
  QSignalSpy fieldClicks(&s.editor, &TzelJoinsEditor::OnDblClickField);
  TzelTableList *parts = s.list("Parts");
  QTest::mouseDClick(parts->viewport(), Qt::LeftButton, {}, rowCentre(*parts, 3));
  QCOMPARE(fieldClicks.count(), 1);
  QCOMPARE(fieldClicks.first().first().value<TzelTableList *>(), parts);
  s.editor.SetModelEditing(true);
  QTest::mouseDClick(parts->viewport(), Qt::LeftButton, {}, rowCentre(*parts, 3));
  QCOMPARE(fieldClicks.count(), 1);
  s.editor.SetModelEditing(false);

  // Double clicking a line opens the join dialog for it.
  const TzelJoinField *pair = s.pair(3, 0);
  bool shown = false;
  whenModal([&](QWidget *w) {
    auto *dialog = qobject_cast<TfrmZelJoin *>(w);
    shown = dialog && dialog->labRightTable->text().contains(QStringLiteral("Vendors"));
    w->close();
  });
  // The press of the double click selects the line, the double click edits it.
  pressSurface(s.editor, onStub(*pair));
  QTest::mouseDClick(s.editor.surface()->viewport(), Qt::LeftButton, {}, onStub(*pair));
  QVERIFY(shown);
}

void TestJoinsEditor::activeFields() {
  Step1Editor s;
  TzelTableForm *customers = s.window("Customers");
  s.editor.SetFieldActive(QStringLiteral("customers"), QStringLiteral("CITY"), true);
  s.editor.SetFieldActive(QStringLiteral("Customers"), QStringLiteral("CustNo"), true);
  QCOMPARE(customers->ActiveFields().left(6), QStringLiteral("100100"));
  QVERIFY(customers->list()->isActiveRow(4));
  QCOMPARE(customers->list()->item(4)->data(Qt::AccessibleDescriptionRole).toString(),
           QStringLiteral("Active"));
  s.editor.SetFieldActive(QStringLiteral("Customers"), QStringLiteral("CustNo"), false);
  QCOMPARE(customers->ActiveFields().left(6), QStringLiteral("000100"));
  // Blank aliases, the star, an unknown table or field: nothing.
  s.editor.SetFieldActive(QStringLiteral(" "), QStringLiteral("City"), true);
  s.editor.SetFieldActive(QStringLiteral("Customers"), QString(), true);
  s.editor.SetFieldActive(QStringLiteral("Customers"), QStringLiteral("*"), true);
  s.editor.SetFieldActive(QStringLiteral("Shippers"), QStringLiteral("City"), true);
  s.editor.SetFieldActive(QStringLiteral("Customers"), QStringLiteral("Fax"), true);
  QCOMPARE(customers->ActiveFields(), QString(255, u'0').replace(3, 1, u'1'));
  QVERIFY(!s.editor.Modified());
  // The marker is drawn: the row's left edge is no longer plain background.
  TzelTableList *list = customers->list();
  const QRect row = list->visualItemRect(list->item(4));
  const QImage image = list->viewport()->grab().toImage();
  QVERIFY(image.pixelColor(row.left() + 4, row.top() + 6) != list->palette().base().color());
}

void TestJoinsEditor::focusLossClearsSelection() {
  Step1Editor s;
  TzelTableList *orders = s.list("Orders");
  TzelTableList *items = s.list("Items");
  clickRow(orders, 2);
  QCOMPARE(orders->ItemIndex(), 2);
  QCOMPARE(s.editor.SelectedTableWindow(), s.window("Orders"));
  clickRow(items, 1);
  QCOMPARE(orders->ItemIndex(), -1);
  QCOMPARE(s.editor.SelectedTableWindow(), s.window("Items"));
}

void TestJoinsEditor::addTableInQueryMode() {
  Step1Editor s;
  s.editor.horizontalScrollBar()->setValue(30);
  QStringList databases, tables;
  bool systemShown = true;
  whenModal([&](QWidget *w) {
    auto *dialog = qobject_cast<TfrmZelAddTable *>(w);
    QVERIFY(dialog);
    for (int i = 0; i < dialog->databaseList()->count(); ++i)
      databases << dialog->databaseList()->itemText(i);
    databases << dialog->selectedDatabase();
    tables = dialog->tableNames()->names();
    systemShown = dialog->chkSystem->isVisible();
    dialog->tableList()->setCurrentIndex(dialog->tableList()->model()->index(0, 0)); // Customers
    dialog->cmdAdd->click();
    dialog->cmdClose->click();
  });
  s.editor.AddTable();
  QCOMPARE(databases, QStringList({"Pellox Data Model", "Pellox Data Model"}));
  QCOMPARE(tables, QStringList({"Customers", "Items", "Orders", "Parts", "Vendors"}));
  QVERIFY(!systemShown);
  TzelTableForm *added = s.window("Customers_1");
  QVERIFY(added);
  // Beside the last window (Vendors, ending at 622), kept in surface coordinates; the editor
  // scrolls to show it.
  QCOMPARE(added->geometry(), QRect(643, 12, 115, 165));
  QVERIFY(QRect(QPoint(0, 0), s.editor.viewport()->size())
              .contains(added->geometry().translated(s.editor.surface()->pos())));
  const TzelTable *table = s.query()->GetTable(5);
  QCOMPARE(QRect(table->Left(), table->Top(), table->Width(), table->Height()),
           QRect(643, 12, 115, 165));
  QCOMPARE(table->TableName(), QStringLiteral("Customers"));
  QVERIFY(s.editor.Modified());
  // The model's join Customers -> Orders is copied for the new instance, with its line.
  QCOMPARE(s.query()->JoinCount(), 5);
  QCOMPARE(s.join(4)->LeftTableAlias(), QStringLiteral("Customers_1"));
  QCOMPARE(s.join(4)->RightTableAlias(), QStringLiteral("Orders"));
  QCOMPARE(s.pair(4, 0)->Point(3).x(), 643); // drawn from Orders, on its left

  // Loading the query again does not bring back a join the user removed.
  s.join(4)->DeleteJoinField(0);
  s.editor.SetSchema(s.query());
  QCOMPARE(s.query()->JoinCount(), 5);
  QVERIFY(s.join(4)->Deleted());
}

void TestJoinsEditor::clearTables() {
  Step1Editor s;
  s.editor.ClearTables();
  QVERIFY(s.editor.tableWindows().isEmpty());
  QVERIFY(s.editor.surface()->subWindowList().isEmpty()); // gone at once
  QVERIFY(isEmptyLine({s.pair(0, 0)->Point(0), s.pair(0, 0)->Point(1), s.pair(0, 0)->Point(2),
                       s.pair(0, 0)->Point(3)}));
  s.editor.LoadTables();
  QCOMPARE(s.editor.tableWindows().size(), 5);
  s.editor.SetSchema(nullptr);
  QVERIFY(s.editor.tableWindows().isEmpty());
  QVERIFY(!s.editor.Schema());
}

void TestJoinsEditor::tableMissingFromTheModel() {
  Step1Editor s;
  RecordingMessages rec;
  s.query()->AddTable(QString(), QStringLiteral("Shippers"), QStringLiteral("Shippers"));
  s.editor.SetSchema(s.query());
  QCOMPARE(rec.texts(), QStringList{"Error: Table Alias [Shippers] does not exist"});
  QCOMPARE(captions(s.editor), QStringLiteral("Customers,Orders,Items,Parts,Vendors"));
  QCOMPARE(s.editor.surface()->subWindowList().size(), 5);
}

void TestJoinsEditor::comparableTypes_data() {
  QTest::addColumn<TFieldType>("a");
  QTest::addColumn<TFieldType>("b");
  QTest::addColumn<bool>("comparable");
  const auto row = [](const char *name, TFieldType a, TFieldType b, bool comparable) {
    QTest::newRow(name) << a << b << comparable;
  };
  row("text", ftString, ftMemo, true);
  row("numbers", ftSmallint, ftCurrency, true);
  row("counter and number", ftAutoInc, ftInteger, true);
  row("Booleans", ftBoolean, ftBoolean, true);
  row("date and date-time", ftDate, ftDateTime, true);
  row("times", ftTime, ftTime, true);
  row("binaries", ftBlob, ftGraphic, true);
  row("unknown", ftUnknown, ftBoolean, true);
  row("date and text", ftDate, ftString, false);
  row("number and Boolean", ftInteger, ftBoolean, false);
  row("number and text", ftFloat, ftString, false);
  row("date and time", ftDate, ftTime, false);
  row("date and number", ftDate, ftInteger, false);
  row("binary and text", ftBlob, ftString, false);
  row("Boolean and text", ftBoolean, ftString, false);
}

void TestJoinsEditor::comparableTypes() {
  QFETCH(TFieldType, a);
  QFETCH(TFieldType, b);
  QFETCH(bool, comparable);
  QCOMPARE(zelComparableFieldTypes(a, b), comparable);
  QCOMPARE(zelComparableFieldTypes(b, a), comparable);
}

void TestJoinsEditor::incompatibleJoinAsks_data() {
  QTest::addColumn<QString>("fromTable");
  QTest::addColumn<QString>("fromField");
  QTest::addColumn<QString>("toTable");
  QTest::addColumn<int>("toRow");
  QTest::addColumn<TzelAnswer>("answer");
  QTest::addColumn<QString>("question"); // empty: none asked
  QTest::addColumn<QString>("lastPair"); // empty: no pair made
  const QString dateOnZip = QStringLiteral("The [Orders.ShipDate] field (Date) and the "
                                           "[Customers.Zip] field (String) cannot be compared."
                                           "\r\rJoin them anyway?");
  QTest::newRow("date on text, No") << "Orders"
                                    << "ShipDate"
                                    << "Customers" << 6 << TzelAnswer::No << dateOnZip << QString();
  QTest::newRow("date on text, Yes")
      << "Orders"
      << "ShipDate"
      << "Customers" << 6 << TzelAnswer::Yes << dateOnZip << "Customers.Zip=Orders.ShipDate";
  QTest::newRow("Boolean on number, No")
      << "Vendors"
      << "Preferred"
      << "Parts" << 2 << TzelAnswer::No
      << "The [Vendors.Preferred] field (Boolean) and the [Parts.VendorNo] field (Integer) cannot "
         "be compared.\r\rJoin them anyway?"
      << QString();
  QTest::newRow("number on number")
      << "Items"
      << "Qty"
      << "Parts" << 4 << TzelAnswer::No << QString() << "Items.Qty=Parts.OnHand";
  // A pair that exists is not asked about again.
  QTest::newRow("existing pair") << "Parts"
                                 << "VendorNo"
                                 << "Vendors" << 1 << TzelAnswer::No << QString() << QString();
}

void TestJoinsEditor::incompatibleJoinAsks() {
  QFETCH(QString, fromTable);
  QFETCH(QString, fromField);
  QFETCH(QString, toTable);
  QFETCH(int, toRow);
  QFETCH(TzelAnswer, answer);
  QFETCH(QString, question);
  QFETCH(QString, lastPair);
  Step1Editor s;
  RecordingMessages rec;
  rec.answers << answer;
  QVERIFY(dropOnRow(s.list(toTable.toLatin1().constData()), toRow, fromTable, fromField));
  QCOMPARE(rec.texts(), question.isEmpty() ? QStringList() : QStringList{question});
  if (!question.isEmpty())
    QCOMPARE(int(rec.messages.first().buttons), int(TzelButtons::YesNo));
  QCOMPARE(livePairCount(*s.query()), lastPair.isEmpty() ? 5 : 6);
  QCOMPARE(s.editor.Modified(), !lastPair.isEmpty() || question.isEmpty());
  if (lastPair.isEmpty())
    return;
  const TzelJoin *join = s.query()->GetJoin(s.query()->IndexOfJoin(fromTable, toTable));
  const TzelJoinField *pair = join->GetJoinField(join->JoinFieldCount() - 1);
  QCOMPARE(join->LeftTableAlias() + u'.' + pair->LeftFieldAlias() + u'=' + join->RightTableAlias() +
               u'.' + pair->RightFieldAlias(),
           lastPair);
}

void TestJoinsEditor::arrangeTables_data() {
  QTest::addColumn<QString>("change");
  QTest::addColumn<QStringList>("positions"); // window: left,top after arranging
  // Orders has the most joins (ties go to the first listed): its neighbour with fewer joins
  // stands left of it, the other right, and so on along the chain.
  QTest::newRow("step 1") << QString()
                          << QStringList{"Customers 12,12", "Orders 207,12", "Items 402,12",
                                         "Parts 597,12", "Vendors 792,12"};
  // Tables that form a ring never share a column; an unjoined table starts a new group.
  QTest::newRow("ring and an unjoined table")
      << "ring"
      << QStringList{"Customers 207,189", "Orders 12,12", "Items 207,12", "Parts 402,12",
                     "Vendors 597,12"};
}

void TestJoinsEditor::arrangeTables() {
  QFETCH(QString, change);
  QFETCH(QStringList, positions);
  Step1Editor s;
  if (change == "ring") {
    s.join(0)->DeleteJoinField(0); // Customers joins nothing now
    zelAddJoinPair(*s.query(), {QStringLiteral("Items"), QStringLiteral("VendorNo")},
                   {QStringLiteral("Vendors"), QStringLiteral("VendorNo")});
  }
  s.editor.ArrangeTables();
  QVERIFY(s.editor.Modified());
  QStringList placed;
  const QList<TzelTableForm *> windows = s.editor.tableWindows();
  for (const TzelTableForm *w : windows) {
    placed << QStringLiteral("%1 %2,%3").arg(w->windowTitle()).arg(w->x()).arg(w->y());
    const TzelTable *table = s.query()->GetTable(w->TableIndex());
    QCOMPARE(QPoint(table->Left(), table->Top()), w->pos()); // kept in the query
    for (const TzelTableForm *other : windows)
      QVERIFY(other == w || !other->geometry().intersects(w->geometry()));
  }
  QCOMPARE(placed, positions);
  // Every joined pair of windows stands far enough apart for its lines to show.
  for (int j = 0; j < s.query()->JoinCount(); ++j) {
    const TzelJoin *join = s.join(j);
    if (join->Deleted())
      continue;
    const QRect a = s.editor.FindTableWindow(join->LeftTableAlias())->geometry();
    const QRect b = s.editor.FindTableWindow(join->RightTableAlias())->geometry();
    QVERIFY(qMax(b.left() - a.right(), a.left() - b.right()) - 1 >= 60);
  }
  // Arranging again changes nothing.
  s.editor.SetModified(false);
  s.editor.ArrangeTables();
  QVERIFY(!s.editor.Modified());
}

QTEST_MAIN(TestJoinsEditor)
#include "tst_joinseditor.moc"
