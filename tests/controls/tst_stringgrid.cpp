// SPDX-License-Identifier: MIT
// The string-grid operations, the cell painters and the small window routines.
#include "controls/celldraw.h"
#include "controls/stringgrid.h"
#include "controls/windowhelpers.h"

#include <QComboBox>
#include <QImage>
#include <QPainter>
#include <QScrollBar>
#include <QSpinBox>
#include <QTableWidget>
#include <QToolButton>
#include <QtTest>

namespace {

// A grid from rows written "a|b|c".
void fill(QTableWidget &grid, const QStringList &rows) {
  grid.setRowCount(int(rows.size()));
  grid.setColumnCount(rows.isEmpty() ? 0 : int(rows.first().split(u'|').size()));
  for (int r = 0; r < rows.size(); ++r) {
    const QStringList cells = rows[r].split(u'|');
    for (int c = 0; c < cells.size(); ++c)
      grid.setItem(r, c, new QTableWidgetItem(cells[c]));
  }
}

QStringList contents(const QTableWidget &grid) {
  QStringList rows;
  for (int r = 0; r < grid.rowCount(); ++r) {
    QStringList cells;
    for (int c = 0; c < grid.columnCount(); ++c)
      cells << zelCellText(grid, r, c);
    rows << cells.join(u'|');
  }
  return rows;
}

const QStringList Three{"a|1|x", "b|2|y", "c|3|z"};

} // namespace

class TestStringGrid : public QObject {
  Q_OBJECT

private slots:
  void insertRow_data() {
    QTest::addColumn<int>("current");
    QTest::addColumn<bool>("below");
    QTest::addColumn<QStringList>("expected");
    // Column 0 of the new row keeps the text shifted down out of it.
    QTest::newRow("at first") << 0 << false << QStringList{"a||", "a|1|x", "b|2|y", "c|3|z"};
    QTest::newRow("at middle") << 1 << false << QStringList{"a|1|x", "b||", "b|2|y", "c|3|z"};
    QTest::newRow("below middle") << 1 << true << QStringList{"a|1|x", "b|2|y", "c||", "c|3|z"};
    QTest::newRow("below last") << 2 << true << QStringList{"a|1|x", "b|2|y", "c|3|z", "||"};
    QTest::newRow("no current row") << -1 << false << QStringList{"a|1|x", "b|2|y", "c|3|z", "||"};
  }
  void insertRow() {
    QFETCH(int, current);
    QFETCH(bool, below);
    QFETCH(QStringList, expected);
    QTableWidget grid;
    fill(grid, Three);
    grid.setCurrentCell(current, current < 0 ? -1 : 1);
    zelInsertGridRow(grid, below);
    QCOMPARE(contents(grid), expected);
  }

  void deleteAndInsertColumns_data() {
    QTest::addColumn<QString>("operation");
    QTest::addColumn<int>("index");
    QTest::addColumn<QStringList>("expected");
    QTest::newRow("insert at 1") << "insert" << 1 << QStringList{"a||1|x", "b||2|y", "c||3|z"};
    QTest::newRow("insert past end") << "insert" << 9 << QStringList{"a|1|x|", "b|2|y|", "c|3|z|"};
    QTest::newRow("delete 0") << "delete" << 0 << QStringList{"1|x", "2|y", "3|z"};
    QTest::newRow("delete last") << "delete" << 2 << QStringList{"a|1", "b|2", "c|3"};
    QTest::newRow("delete out of range") << "delete" << 3 << Three;
    QTest::newRow("clear from 1, 1") << "clear" << 1 << QStringList{"a|1|x", "b||", "c||"};
    QTest::newRow("clear from 2, 2") << "clear" << 2 << QStringList{"a|1|x", "b|2|y", "c|3|"};
  }
  void deleteAndInsertColumns() {
    QFETCH(QString, operation);
    QFETCH(int, index);
    QFETCH(QStringList, expected);
    QTableWidget grid;
    fill(grid, Three);
    if (operation == QLatin1String("insert"))
      zelInsertGridColumn(grid, index);
    else if (operation == QLatin1String("delete"))
      zelDeleteGridColumn(grid, index);
    else
      zelClearGridFrom(grid, index, index);
    QCOMPARE(contents(grid), expected);
  }

  void deleteRow_data() {
    QTest::addColumn<int>("current");
    QTest::addColumn<QStringList>("expected");
    QTest::newRow("first") << 0 << QStringList{"b|2|y", "c|3|z"};
    QTest::newRow("last") << 2 << QStringList{"a|1|x", "b|2|y"};
    QTest::newRow("none") << -1 << Three;
  }
  void deleteRow() {
    QFETCH(int, current);
    QFETCH(QStringList, expected);
    QTableWidget grid;
    fill(grid, Three);
    grid.setCurrentCell(current, current < 0 ? -1 : 0);
    zelDeleteGridRow(grid);
    QCOMPARE(contents(grid), expected);
  }

  void moveRow_data() {
    QTest::addColumn<int>("from");
    QTest::addColumn<int>("to");
    QTest::addColumn<QStringList>("expected");
    QTest::newRow("last to first") << 2 << 0 << QStringList{"c|3|z", "a|1|x", "b|2|y"};
    QTest::newRow("first to last") << 0 << 2 << QStringList{"b|2|y", "c|3|z", "a|1|x"};
    QTest::newRow("one down") << 0 << 1 << QStringList{"b|2|y", "a|1|x", "c|3|z"};
    QTest::newRow("onto itself") << 1 << 1 << Three;
    QTest::newRow("out of range") << 1 << 3 << Three;
  }
  void moveRow() {
    QFETCH(int, from);
    QFETCH(int, to);
    QFETCH(QStringList, expected);
    QTableWidget grid;
    fill(grid, Three);
    zelMoveGridRow(grid, from, to);
    QCOMPARE(contents(grid), expected);
  }

  void editingSwitch() {
    QTableWidget grid;
    zelSetGridEditing(grid, false);
    QCOMPARE(grid.editTriggers(), QAbstractItemView::NoEditTriggers);
    zelSetGridEditing(grid, true);
    QVERIFY(grid.editTriggers().testFlag(QAbstractItemView::AnyKeyPressed));
    QVERIFY(!grid.editTriggers().testFlag(QAbstractItemView::CurrentChanged));
    zelSetGridEditing(grid, true, true);
    QVERIFY(grid.editTriggers().testFlag(QAbstractItemView::CurrentChanged));
  }

  void comboAndSpinOverACell() {
    QTableWidget grid;
    fill(grid, {"Show|Right|", "Sort|Nowhere|"});
    grid.resize(300, 200);
    grid.show();
    QComboBox combo;
    combo.addItems({"Left", "Right", "Center"});
    int changes = 0;
    connect(&combo, &QComboBox::currentIndexChanged, [&changes] { ++changes; });
    zelPlaceComboOverCell(grid, combo, 0, 1, QPoint(-1, -1), 2);
    const QRect cell = grid.visualItemRect(grid.item(0, 1));
    QCOMPARE(combo.parentWidget(), grid.viewport());
    QCOMPARE(combo.geometry(),
             QRect(cell.left() - 1, cell.top() - 1, cell.width() + 2, cell.height()));
    QVERIFY(combo.isVisible());
    QCOMPARE(combo.currentText(), QStringLiteral("Right"));
    zelPlaceComboOverCell(grid, combo, 1, 1);
    QCOMPARE(combo.currentIndex(), -1); // no item has the cell's text
    QCOMPARE(combo.geometry(), grid.visualItemRect(grid.item(1, 1)));
    QCOMPARE(changes, 0); // placing is not choosing

    QSpinBox spin;
    zelPlaceSpinOverCell(grid, spin, 0, 2);
    QCOMPARE(zelCellText(grid, 0, 2), QStringLiteral("1")); // a blank cell becomes "1"
    QCOMPARE(spin.value(), 1);
    zelSetCellText(grid, 1, 2, QStringLiteral("7"));
    zelPlaceSpinOverCell(grid, spin, 1, 2);
    QCOMPARE(spin.value(), 7);
  }

  void cellTextPlacement_data() {
    QTest::addColumn<int>("alignment");
    QTest::addColumn<int>("left");
    QTest::addColumn<int>("right");
    QTest::newRow("left") << int(Qt::AlignLeft) << 13 << -1; // 2 in + the side bearing
    QTest::newRow("right") << int(Qt::AlignRight) << -1 << 96;
  }
  void cellTextPlacement() {
    QFETCH(int, alignment);
    QFETCH(int, left);
    QFETCH(int, right);
    // A cell at (10, 10) of 90 x 19 on a white image: ink starts 2 pixels in (left) or ends 3
    // pixels before the edge (right), never above the top + 3 line, never outside the cell.
    QImage image(120, 60, QImage::Format_RGB32);
    image.fill(Qt::white);
    {
      QPainter painter(&image);
      painter.setBrush(QColor(Qt::yellow));
      painter.setPen(Qt::black);
      DrawCellText(painter, QRect(10, 10, 90, 19), QStringLiteral("IIIIIIIIIIIIIIIIIIIIIIIIIII"),
                   Qt::Alignment(alignment));
    }
    int inkLeft = 1000, inkRight = -1, inkTop = 1000;
    for (int y = 0; y < image.height(); ++y)
      for (int x = 0; x < image.width(); ++x)
        if (qGray(image.pixel(x, y)) < 100) {
          inkLeft = qMin(inkLeft, x);
          inkRight = qMax(inkRight, x);
          inkTop = qMin(inkTop, y);
        }
    QCOMPARE(image.pixel(10, 10), QColor(Qt::yellow).rgb()); // opaque background
    QVERIFY(inkTop >= 13);
    QVERIFY(inkLeft >= 10 && inkRight <= 99); // clipped to the cell
    if (left >= 0)
      QVERIFY2(inkLeft <= left, qPrintable(QString::number(inkLeft)));
    if (right >= 0)
      QVERIFY2(inkRight <= right && inkRight >= right - 2, qPrintable(QString::number(inkRight)));
  }

  void listCellHeadingsAndBlankRows() {
    QTableWidget grid;
    fill(grid, {"Heading|x|-1", "|hidden|0", "Row|y|0"});
    QImage image(200, 20, QImage::Format_RGB32);
    const auto paint = [&](int row, int column, bool selected) {
      image.fill(Qt::green);
      QPainter painter(&image);
      DrawListCell(painter, grid, row, column, QRect(0, 0, 200, 20), selected);
    };
    const auto has = [&image](QColor colour) {
      for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
          if (image.pixelColor(x, y) == colour)
            return true;
      return false;
    };
    paint(1, 1, false);
    QVERIFY(!has(Qt::white)); // blank column 0: nothing painted
    paint(0, 0, false);
    QVERIFY(has(QColor(0, 0, 128))); // navy heading
    paint(2, 1, true);
    QVERIFY(has(Qt::white));
    QVERIFY(!has(Qt::green));
  }

  void flatButtonsAndPrograms() {
    QWidget panel;
    auto *inner = new QWidget(&panel);
    auto *a = new QToolButton(&panel);
    auto *b = new QToolButton(inner);
    SetButtonsFlat(panel);
    QVERIFY(a->autoRaise());
    QVERIFY(b->autoRaise());
    QVERIFY(!RunProgram(QStringLiteral("/nonexistent/pellox-program")));
    QVERIFY(!RunProgram(QStringLiteral("  ")));
    QVERIFY(RunProgram(QStringLiteral("/bin/true")));
  }

  // Scrolled right by keys, the title column stays drawn, hit and reported where it was,
  // and the first value column comes back beside it, not under it.
  void titleColumnStaysWhenScrolled() {
    TzelStringGrid grid;
    grid.setRowCount(6);
    grid.setColumnCount(12);
    for (int r = 0; r < 6; ++r)
      grid.setItem(r, 0, new QTableWidgetItem(QStringLiteral(" Title %1").arg(r)));
    grid.setColumnWidth(0, 60);
    grid.resize(300, 200);
    grid.show();
    QVERIFY(QTest::qWaitForWindowExposed(&grid));
    const QRect strip(0, 0, 60, grid.rowViewportPosition(5) + grid.rowHeight(5));
    grid.setCurrentCell(0, 1);
    const QImage before = grid.viewport()->grab(strip).toImage();
    QTest::keyClick(&grid, Qt::Key_End);
    QCOMPARE(grid.currentColumn(), 11);
    QVERIFY(grid.horizontalScrollBar()->value() > 0);
    QCOMPARE(grid.viewport()->grab(strip).toImage(), before);
    QCOMPARE(grid.indexAt(QPoint(10, 5)).column(), 0);
    QCOMPARE(grid.columnUnder(10), 0);
    QCOMPARE(grid.visualRect(grid.model()->index(2, 0)).left(), 0);
    QTest::keyClick(&grid, Qt::Key_Home);
    QCOMPARE(grid.currentColumn(), 0);
    grid.setCurrentCell(0, 11);
    grid.setCurrentCell(0, 1);
    QCOMPARE(grid.columnViewportPosition(1), 60);
  }
};

QTEST_MAIN(TestStringGrid)
#include "tst_stringgrid.moc"
