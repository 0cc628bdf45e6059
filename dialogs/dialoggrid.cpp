// SPDX-License-Identifier: MIT
#include "dialogs/dialoggrid.h"

#include "controls/windowhelpers.h"
#include "model/zeltypes.h"

#include <QDialog>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QKeyEvent>
#include <QPushButton>
#include <QScrollBar>
#include <QTableWidget>

QTableWidget *zelCreateDialogGrid(const QList<int> &widths, QWidget *parent) {
  auto *grid = new QTableWidget(zelGridMinimumRows, int(widths.size()), parent);
  grid->horizontalHeader()->hide();
  grid->verticalHeader()->hide();
  grid->setSelectionMode(QAbstractItemView::SingleSelection);
  grid->setSelectionBehavior(QAbstractItemView::SelectItems);
  grid->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
  grid->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
  grid->setWordWrap(false);
  int visibleWidth = 0;
  for (int column = 0; column < widths.size(); ++column) {
    if (widths[column] > 0) {
      grid->setColumnWidth(column, widths[column]);
      visibleWidth += widths[column];
    } else {
      grid->setColumnHidden(column, true);
    }
  }
  const int frame = grid->frameWidth() * 2;
  grid->setFixedSize(visibleWidth + frame + grid->verticalScrollBar()->sizeHint().width(),
                     grid->verticalHeader()->defaultSectionSize() * zelGridVisibleRows + frame);
  return grid;
}

QTableWidgetItem *zelCreateGridItem(const QString &text, Qt::ItemFlags flags) {
  auto *item = new QTableWidgetItem(text);
  item->setFlags(flags);
  if (!flags.testFlag(Qt::ItemIsEditable) && !IsBlank(text))
    item->setToolTip(text);
  return item;
}

void zelResetGridRows(QTableWidget &grid, int rows) {
  grid.clearContents();
  grid.setRowCount(std::max(zelGridMinimumRows, rows));
}

TzelDialogButtons zelCreateDialogButtons(QDialog &dialog) {
  TzelDialogButtons buttons{new QPushButton(QStringLiteral("&OK"), &dialog),
                            new QPushButton(QStringLiteral("&Cancel"), &dialog),
                            new QPushButton(QStringLiteral("&Help"), &dialog), new QHBoxLayout};
  buttons.ok->setObjectName(QStringLiteral("cmdOk"));
  buttons.cancel->setObjectName(QStringLiteral("cmdCancel"));
  buttons.help->setObjectName(QStringLiteral("cmdHelp"));
  buttons.ok->setDefault(true);
  buttons.row->addStretch();
  for (QPushButton *button : {buttons.ok, buttons.cancel, buttons.help})
    buttons.row->addWidget(button);
  zelF1Clicks(dialog, *buttons.help);
  return buttons;
}

void zelGoToFirstMissing(QTableWidget &grid) {
  const auto blank = [&grid](int row, int column) {
    const QTableWidgetItem *item = grid.item(row, column);
    return !item || IsBlank(item->text());
  };
  for (int row = 0; row < grid.rowCount(); ++row)
    if (!blank(row, 0) && blank(row, 1)) {
      grid.setCurrentCell(row, 1);
      return;
    }
}

namespace {

// Sees the keys an open cell editor passes on to its grid.
class ReturnFilter : public QObject {
public:
  ReturnFilter(QPushButton &button, QObject *parent) : QObject(parent), m_button(button) {}
  bool eventFilter(QObject *, QEvent *event) override {
    if (event->type() != QEvent::KeyPress)
      return false;
    const int key = static_cast<QKeyEvent *>(event)->key();
    if (key != Qt::Key_Return && key != Qt::Key_Enter)
      return false;
    m_button.click();
    return true;
  }

private:
  QPushButton &m_button;
};

} // namespace

void zelReturnClicks(QTableWidget &grid, QPushButton &button) {
  grid.installEventFilter(new ReturnFilter(button, &grid));
}

void zelMakeFixedDialog(QDialog &dialog, const QString &caption) {
  dialog.setWindowTitle(caption);
  dialog.setWindowFlags(dialog.windowFlags() | Qt::WindowStaysOnTopHint |
                        Qt::MSWindowsFixedSizeDialogHint);
  dialog.setWindowFlag(Qt::WindowContextHelpButtonHint, false);
  dialog.setSizeGripEnabled(false);
}
