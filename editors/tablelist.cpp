// SPDX-License-Identifier: MIT
#include "editors/tablelist.h"

#include "controls/glyphs.h"
#include "editors/tablelistdelegate.h"

#include <QApplication>
#include <QDrag>
#include <QDropEvent>
#include <QFocusEvent>
#include <QKeyEvent>
#include <QMdiSubWindow>
#include <QMouseEvent>
#include <QScrollBar>

namespace {
constexpr int kMarkerCount = 255;
}

TzelTableList::TzelTableList(QWidget *parent)
    : QListWidget(parent), m_activeFields(kMarkerCount, u'0') {
  setItemDelegate(new TzelTableListDelegate(this));
  setUniformItemSizes(true);
  setFrameShape(QFrame::NoFrame);
  setSelectionMode(QAbstractItemView::SingleSelection);
  setVerticalScrollMode(QAbstractItemView::ScrollPerItem);
  setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
  setEditTriggers(QAbstractItemView::NoEditTriggers);
  setDragEnabled(true);
  setAcceptDrops(true);
  setDropIndicatorShown(false);
  setDragDropMode(QAbstractItemView::DragDrop);
  setMinimumSize(0, 0);
  setAccessibleName(tr("Fields"));
  connect(verticalScrollBar(), &QScrollBar::valueChanged, this, &TzelTableList::checkTopChanged);
  const auto stale = [this] { m_rowsStale = true; };
  QAbstractItemModel *rows = model();
  connect(rows, &QAbstractItemModel::rowsInserted, this, stale);
  connect(rows, &QAbstractItemModel::rowsRemoved, this, stale);
  connect(rows, &QAbstractItemModel::rowsMoved, this, stale);
  connect(rows, &QAbstractItemModel::dataChanged, this, stale);
  connect(rows, &QAbstractItemModel::layoutChanged, this, stale);
  connect(rows, &QAbstractItemModel::modelReset, this, stale);
}

void TzelTableList::setFieldAliases(const QStringList &aliases) {
  clear();
  addItem(QStringLiteral("*"));
  item(0)->setData(Qt::AccessibleTextRole, tr("All fields"));
  addItems(aliases);
}

// The join lines look rows up for every pair on every move: through the index, not the rows.
int TzelTableList::rowOf(const QString &text) const {
  if (m_rowsStale) {
    m_rows.clear();
    for (int i = count() - 1; i >= 0; --i) // the first of equal texts wins
      m_rows.insert(item(i)->text(), i);
    m_rowsStale = false;
  }
  return m_rows.value(text, -1);
}

int TzelTableList::ItemIndex() const {
  const QList<QListWidgetItem *> selected = selectedItems();
  return selected.isEmpty() ? -1 : row(selected.first());
}

void TzelTableList::setItemIndex(int row) {
  if (row < 0 || row >= count()) {
    clearSelection();
    setCurrentIndex(QModelIndex());
    return;
  }
  setCurrentRow(row);
}

int TzelTableList::TopIndex() const {
  return verticalScrollBar()->value();
}

int TzelTableList::rowHeight() const {
  return count() > 0 ? sizeHintForRow(0) : itemDelegate()->sizeHint({}, {}).height();
}

void TzelTableList::setActiveFields(const QString &markers) {
  m_activeFields = markers.leftJustified(kMarkerCount, u'0', true);
  viewport()->update();
}

bool TzelTableList::isActiveRow(int row) const {
  return row >= 1 && row <= kMarkerCount && row < count() && m_activeFields.at(row - 1) != u'0';
}

void TzelTableList::setRowActive(int row, bool active) {
  if (row < 1 || row > kMarkerCount)
    return;
  m_activeFields[row - 1] = active ? u'1' : u'0';
  if (QListWidgetItem *marked = item(row)) // what the marker shows, for a screen reader
    marked->setData(Qt::AccessibleDescriptionRole, active ? tr("Active") : QString());
  viewport()->update();
}

QString TzelTableList::tableAlias() const {
  for (QWidget *w = parentWidget(); w; w = w->parentWidget())
    if (auto *window = qobject_cast<QMdiSubWindow *>(w))
      return window->windowTitle();
  return {};
}

const QIcon &TzelTableList::glyph(bool star, bool selected) {
  // Shared, so that the rendered pixmaps are cached once for all windows.
  static const QIcon glyphs[] = {zelGlyph(QStringLiteral("ZEL_TABLELIST_ACTIVE1")),
                                 zelGlyph(QStringLiteral("ZEL_TABLELIST_ACTIVE2")),
                                 zelGlyph(QStringLiteral("ZEL_TABLELIST_STAR1")),
                                 zelGlyph(QStringLiteral("ZEL_TABLELIST_STAR2"))};
  return glyphs[(star ? 2 : 0) + (selected ? 1 : 0)];
}

void TzelTableList::mousePressEvent(QMouseEvent *event) {
  emit pressed();
  if (event->button() == Qt::RightButton) {
    setFocus(Qt::MouseFocusReason);
    setItemIndex(indexAt(event->position().toPoint()).row());
    checkTopChanged();
    emit popupRequested(event->globalPosition().toPoint());
    return;
  }
  QListWidget::mousePressEvent(event);
  checkTopChanged();
}

void TzelTableList::mouseDoubleClickEvent(QMouseEvent *event) {
  event->accept();
  emit fieldDoubleClicked();
}

void TzelTableList::keyPressEvent(QKeyEvent *event) {
  if (windowKey(*event)) {
    event->accept();
    return;
  }
  QListWidget::keyPressEvent(event);
}

// The keys that act on the table window rather than on a row; true when handled.
bool TzelTableList::windowKey(const QKeyEvent &event) {
  const int key = event.key();
  const bool ctrl = event.modifiers() & Qt::ControlModifier;
  const bool shift = event.modifiers() & Qt::ShiftModifier;
  if (key == Qt::Key_Delete)
    emit deleteRequested();
  else if ((key == Qt::Key_Return || key == Qt::Key_Enter || key == Qt::Key_Insert) && !ctrl) {
    if (ItemIndex() < 0)
      return false;
    emit fieldDoubleClicked(); // a value added, as a double click adds it
  } else if (key == Qt::Key_Menu || (key == Qt::Key_F10 && shift))
    emit popupRequested(popupPoint());
  else if (key == Qt::Key_F4)
    emit rollRequested();
  else if (ctrl && key == Qt::Key_Left)
    emit moveRequested(QPoint(-10, 0));
  else if (ctrl && key == Qt::Key_Right)
    emit moveRequested(QPoint(10, 0));
  else if (ctrl && key == Qt::Key_Up)
    emit moveRequested(QPoint(0, -10));
  else if (ctrl && key == Qt::Key_Down)
    emit moveRequested(QPoint(0, 10));
  else
    return false;
  return true;
}

// Beside the current row, or at the list's middle when no row is current.
QPoint TzelTableList::popupPoint() const {
  const QRect row = currentItem() ? visualItemRect(currentItem()) : QRect();
  const QPoint at = row.isValid() ? row.center() : viewport()->rect().center();
  return viewport()->mapToGlobal(at);
}

// Ctrl+Tab goes between the table windows in the editor's order; the surface's own window
// switching, an application-wide filter, must not see it first.
bool TzelTableList::cycleKey(QEvent *event) {
  if (event->type() != QEvent::KeyPress && event->type() != QEvent::ShortcutOverride)
    return false;
  const auto *key = static_cast<QKeyEvent *>(event);
  if ((key->key() != Qt::Key_Tab && key->key() != Qt::Key_Backtab) ||
      !(key->modifiers() & Qt::ControlModifier))
    return false;
  event->accept();
  if (event->type() == QEvent::KeyPress)
    emit cycleRequested(key->key() == Qt::Key_Tab && !(key->modifiers() & Qt::ShiftModifier));
  return true;
}

bool TzelTableList::event(QEvent *event) {
  return cycleKey(event) || QListWidget::event(event);
}

bool TzelTableList::eventFilter(QObject *watched, QEvent *event) {
  return (watched == this && cycleKey(event)) || QListWidget::eventFilter(watched, event);
}

bool TzelTableList::focusNextPrevChild(bool next) {
  emit tabRequested(next);
  return true;
}

void TzelTableList::focusInEvent(QFocusEvent *event) {
  // Only the user's own choice: not the focus the surface hands its first window on showing.
  const Qt::FocusReason reason = event->reason();
  if (reason == Qt::MouseFocusReason || reason == Qt::TabFocusReason ||
      reason == Qt::BacktabFocusReason || reason == Qt::ShortcutFocusReason) {
    m_active = true;
    emit worked();
  }
  qApp->installEventFilter(this); // again: ahead of the filters installed since
  QListWidget::focusInEvent(event);
}

void TzelTableList::focusOutEvent(QFocusEvent *event) {
  // A popup menu, the menu bar or another window (a dialog the editor opens) does not end the
  // selection: the editor's commands act on the window last used.
  const Qt::FocusReason reason = event->reason();
  if (reason != Qt::PopupFocusReason && reason != Qt::ActiveWindowFocusReason &&
      reason != Qt::MenuBarFocusReason) {
    m_rowLeft = ItemIndex();
    setItemIndex(-1);
    m_active = false;
  }
  qApp->removeEventFilter(this);
  QListWidget::focusOutEvent(event);
}

void TzelTableList::startDrag(Qt::DropActions) {
  const int row = ItemIndex();
  if (row < 0)
    return;
  auto *drag = new QDrag(this);
  drag->setMimeData(zelEncodeField({tableAlias(), item(row)->text()}));
  drag->exec(Qt::CopyAction | Qt::LinkAction, Qt::LinkAction);
}

void TzelTableList::dragEnterEvent(QDragEnterEvent *event) {
  if (event->mimeData()->hasFormat(zelFieldMimeType()))
    event->acceptProposedAction();
  else
    event->ignore();
}

void TzelTableList::dragMoveEvent(QDragMoveEvent *event) {
  QListWidget::dragMoveEvent(event); // scrolls the list near its edges
  if (event->mimeData()->hasFormat(zelFieldMimeType()))
    event->acceptProposedAction();
  else
    event->ignore();
}

void TzelTableList::dropEvent(QDropEvent *event) {
  TzelDraggedField from;
  if (!zelDecodeField(event->mimeData(), from)) {
    event->ignore();
    return;
  }
  event->acceptProposedAction();
  emit fieldDropped(from, indexAt(event->position().toPoint()).row());
}

void TzelTableList::checkTopChanged() {
  const int top = TopIndex();
  if (top == m_lastTop)
    return;
  m_lastTop = top;
  emit OnTopChanged();
}
