// SPDX-License-Identifier: MIT
// The joins editor by keyboard: Tab through the table windows and then the join lines,
// Ctrl+Tab between the windows, the keys of a focused line, and where new windows go.
#include "editors/joinseditor.h"
#include "editors/joinseditorshared.h"

#include "editors/joinlineaccessible.h"
#include "editors/joinssurface.h"
#include "editors/tableform.h"
#include "editors/tablelist.h"
#include "editors/tableplace.h"

#include <QAccessible>
#include <QApplication>
#include <QFocusEvent>
#include <QKeyEvent>
#include <QMenu>
#include <QScrollBar>
#include <QTimer>
#include <algorithm>

using namespace ZelJoins;

namespace {

constexpr int kSpotGap = 20;    // between a new window and the one beside it
constexpr int kSpotMargin = 10; // from the visible area's edges

QRect lineBounds(const TzelJoinField &pair) {
  QRect bounds;
  for (int i = 0; i < 4; ++i)
    bounds |= QRect(pair.Point(i), QSize(1, 1));
  return bounds;
}

} // namespace

TzelTableForm *TzelJoinsEditor::ActiveTableWindow() const {
  for (TzelTableForm *window : tableWindows())
    if (window->list()->isActiveList())
      return window;
  return SelectedTableWindow();
}

QList<TzelTableForm *> TzelJoinsEditor::windowsInPositionOrder() const {
  QList<TzelTableForm *> windows;
  for (TzelTablePlace *place : placesInPositionOrder())
    windows.append(const_cast<TzelJoinsEditor *>(this)->realize(*place));
  return windows;
}

std::vector<TzelTablePlace *> TzelJoinsEditor::placesInPositionOrder() const {
  std::vector<TzelTablePlace *> places;
  places.reserve(m_places.size());
  for (const std::unique_ptr<TzelTablePlace> &place : m_places)
    places.push_back(place.get());
  std::stable_sort(places.begin(), places.end(), [](const auto *a, const auto *b) {
    return std::pair(a->geometry.x(), a->geometry.y()) <
           std::pair(b->geometry.x(), b->geometry.y());
  });
  return places;
}

void TzelJoinsEditor::focusInEvent(QFocusEvent *event) {
  QScrollArea::focusInEvent(event);
  if (!enterByKeys(event->reason()))
    return;
  // Qt tells a screen reader of the editor's own focus once this returns, after the window or
  // line that took it on: that one is told again, last.
  QTimer::singleShot(0, this, &TzelJoinsEditor::announceFocus);
}

// Tab comes to the first window, Shift+Tab the way Tab came backwards (the last line, else
// the last window), F6 back to the window last worked in.
bool TzelJoinsEditor::enterByKeys(Qt::FocusReason reason) {
  const std::vector<TzelTablePlace *> places = placesInPositionOrder();
  if (places.empty())
    return false;
  if (reason == Qt::TabFocusReason)
    focusPlace(places.front(), reason);
  else if (reason == Qt::BacktabFocusReason) {
    if (!FocusJoinLine(int(linePairs().size()) - 1))
      focusPlace(places.back(), reason);
  } else if (reason == Qt::ShortcutFocusReason) {
    if (!m_lastWindow)
      m_lastWindow = ActiveTableWindow();
    if (m_lastWindow)
      returnToLastWindow(reason);
    else
      focusPlace(places.front(), reason);
  } else
    return false;
  return true;
}

void TzelJoinsEditor::announceFocus() {
  QWidget *focus = QApplication::focusWidget();
  if (!QAccessible::isActive() || !focus || !isAncestorOf(focus))
    return;
  if (const int line = focusedLine(); focus == m_surface && line >= 0)
    return announceLine(line);
  QAccessibleEvent event(focus, QAccessible::Focus);
  QAccessible::updateAccessibility(&event);
}

void TzelJoinsEditor::returnToLastWindow(Qt::FocusReason reason) {
  TzelTableList *list = m_lastWindow->list();
  if (list->ItemIndex() < 0)
    list->setItemIndex(list->rowLeft());
  focusWindow(m_lastWindow, reason);
}

TzelTableForm *TzelJoinsEditor::windowWithFocus() const {
  for (TzelTableForm *window : tableWindows())
    if (window->list()->hasFocus())
      return window;
  return nullptr;
}

void TzelJoinsEditor::resizeEvent(QResizeEvent *event) {
  QScrollArea::resizeEvent(event);
  realizeNearView();
}

void TzelJoinsEditor::focusPlace(TzelTablePlace *place, Qt::FocusReason reason) {
  focusWindow(realize(*place), reason);
}

void TzelJoinsEditor::connectKeys(TzelTableForm *window) {
  TzelTableList *list = window->list();
  connect(list, &TzelTableList::tabRequested, this,
          [this, window](bool forward) { tabFromWindow(window, forward); });
  connect(list, &TzelTableList::cycleRequested, this,
          [this, window](bool forward) { cycleWindows(window, forward); });
  connect(list, &TzelTableList::worked, this, [this, window] { m_lastWindow = window; });
}

void TzelJoinsEditor::focusWindow(TzelTableForm *window, Qt::FocusReason reason) {
  if (m_zoom < 1) // a window to work in: back to 1, centred on it
    SetZoom(1, window->geometry().center());
  // The list first: activating the window would give it the focus for no reason of the user's.
  window->list()->setFocus(reason);
  m_surface->setActiveSubWindow(window);
  window->raise();
  m_lastWindow = window;
  ensureWidgetVisible(window, 0, 0);
}

namespace {

// Where the window's table stands in the order, or -1.
qsizetype positionOf(const std::vector<TzelTablePlace *> &places, const TzelTableForm *window) {
  const auto found =
      std::find_if(places.cbegin(), places.cend(),
                   [window](const TzelTablePlace *p) { return p->window == window; });
  return found == places.cend() ? -1 : found - places.cbegin();
}

} // namespace

void TzelJoinsEditor::cycleWindows(TzelTableForm *window, bool forward) {
  const std::vector<TzelTablePlace *> places = placesInPositionOrder();
  const qsizetype n = qsizetype(places.size());
  const qsizetype at = positionOf(places, window);
  if (n > 1 && at >= 0)
    focusPlace(places.at(size_t((at + (forward ? 1 : n - 1)) % n)), Qt::TabFocusReason);
}

void TzelJoinsEditor::tabFromWindow(TzelTableForm *window, bool forward) {
  const std::vector<TzelTablePlace *> places = placesInPositionOrder();
  const qsizetype at = positionOf(places, window) + (forward ? 1 : -1);
  if (at >= 0 && at < qsizetype(places.size()))
    focusPlace(places.at(size_t(at)), forward ? Qt::TabFocusReason : Qt::BacktabFocusReason);
  else if (!forward || !FocusJoinLine(0))
    leaveEditor(forward);
}

QList<TzelJoinField *> TzelJoinsEditor::linePairs() const {
  QList<TzelJoinField *> pairs;
  if (m_schema)
    forEachLivePair(*m_schema, [&pairs](TzelJoinField &pair) {
      if (pair.Point(0) != pair.Point(3) || pair.Point(1) != pair.Point(2))
        pairs.append(&pair);
    });
  return pairs;
}

int TzelJoinsEditor::focusedLine() const {
  const QList<TzelJoinField *> pairs = linePairs();
  const auto found = std::find_if(pairs.cbegin(), pairs.cend(),
                                  [](const TzelJoinField *pair) { return pair->Selected(); });
  return found == pairs.cend() ? -1 : int(found - pairs.cbegin());
}

bool TzelJoinsEditor::FocusJoinLine(int index) {
  const QList<TzelJoinField *> pairs = linePairs();
  if (index < 0 || index >= pairs.size())
    return false;
  m_schema->ClearSelectedJoinFields();
  pairs.at(index)->SetSelected(true);
  m_surface->setFocus(Qt::TabFocusReason);
  const QRect bounds = lineBounds(*pairs.at(index));
  ensureVisible(bounds.center().x(), bounds.center().y());
  PaintJoinLines();
  announceLine(index);
  return true;
}

void TzelJoinsEditor::tabFromLine(bool forward) {
  const int at = focusedLine() + (forward ? 1 : -1);
  if (at >= 0 && FocusJoinLine(at))
    return;
  const std::vector<TzelTablePlace *> places = placesInPositionOrder();
  if (!forward && !places.empty())
    focusPlace(places.back(), Qt::BacktabFocusReason);
  else
    leaveEditor(forward);
}

// On to the next control outside the editor that takes Tab, or back to the one before it.
void TzelJoinsEditor::leaveEditor(bool forward) {
  if (m_schema)
    m_schema->ClearSelectedJoinFields();
  PaintJoinLines();
  QWidget *w = this;
  do {
    w = forward ? w->nextInFocusChain() : w->previousInFocusChain();
    if (w != this && !isAncestorOf(w) && (w->focusPolicy() & Qt::TabFocus) && w->isEnabled() &&
        w->isVisible() && w->window() == window()) {
      w->setFocus(forward ? Qt::TabFocusReason : Qt::BacktabFocusReason);
      return;
    }
  } while (w != this);
}

bool TzelJoinsEditor::lineKey(const QKeyEvent &event) {
  const int line = focusedLine();
  const int key = event.key();
  if (line < 0)
    return false;
  if (key == Qt::Key_Delete) {
    if (RemoveJoin() && !FocusJoinLine(std::min(line, int(linePairs().size()) - 1)))
      tabFromLine(false); // the last line gone: back to the windows, not out of the editor
  } else if (key == Qt::Key_Return || key == Qt::Key_Enter)
    EditJoin(true);
  else if (key == Qt::Key_Menu || (key == Qt::Key_F10 && (event.modifiers() & Qt::ShiftModifier)))
    showLinePopup();
  else if (key == Qt::Key_Down || key == Qt::Key_Right)
    FocusJoinLine(line + 1);
  else if (key == Qt::Key_Up || key == Qt::Key_Left)
    FocusJoinLine(line - 1);
  else
    return false;
  return true;
}

void TzelJoinsEditor::showLinePopup() {
  const int line = focusedLine();
  if (line >= 0)
    showPopup(m_surface->viewport()->mapToGlobal(lineBounds(*linePairs().at(line)).center()));
}

QString TzelJoinsEditor::describeLine(const TzelJoinField &pair) {
  const TzelJoin *join = pair.Join();
  static const QString types[] = {tr("inner join"), tr("left join"), tr("right join")};
  return join->LeftTableAlias() + u'.' + pair.LeftFieldAlias() + tr(" to ") +
         join->RightTableAlias() + u'.' + pair.RightFieldAlias() + QStringLiteral(", ") +
         types[std::clamp(int(join->JoinType()), 0, 2)];
}

// A fresh accessible object for the line, announced with a focus event.
void TzelJoinsEditor::announceLine(int index) {
  if (m_lineAccessible)
    QAccessible::deleteAccessibleInterface(m_lineAccessible);
  const TzelJoinField &pair = *linePairs().at(index);
  auto *line = new TzelJoinLineAccessible(m_surface, describeLine(pair), lineBounds(pair));
  m_lineAccessible = QAccessible::registerAccessibleInterface(line);
  if (!QAccessible::isActive())
    return;
  QAccessibleEvent focus(line, QAccessible::Focus);
  QAccessible::updateAccessibility(&focus);
}

void TzelJoinsEditor::rollActiveTable() {
  if (TzelTableForm *window = ActiveTableWindow())
    window->toggleRolledUp();
}

QPoint TzelJoinsEditor::newTableSpot() const {
  const QSize size = TzelTableForm::defaultSize;
  const QRect visible(surfacePoint(QPoint(0, 0)), viewport()->size());
  std::vector<QRect> taken; // only the tables in view can stand in the way
  for (const std::unique_ptr<TzelTablePlace> &place : m_places)
    if (const QRect r =
            place->geometry.adjusted(-kSpotGap / 2, -kSpotGap / 2, kSpotGap / 2, kSpotGap / 2);
        r.intersects(visible))
      taken.push_back(r);
  const auto free = [&taken](const QRect &spot) {
    return std::none_of(taken.cbegin(), taken.cend(),
                        [&spot](const QRect &r) { return r.intersects(spot); });
  };
  const QPoint first = visible.topLeft() + QPoint(kSpotMargin, kSpotMargin);
  if (m_places.empty())
    return first;
  const QRect last = m_places.back()->geometry;
  const QRect beside(QPoint(last.right() + 1 + kSpotGap, last.top()), size);
  if (free(beside) && visible.contains(beside))
    return beside.topLeft();
  for (int y = first.y(); y + size.height() <= visible.bottom(); y += kSpotGap)
    for (int x = first.x(); x + size.width() <= visible.right(); x += kSpotGap)
      if (free(QRect(QPoint(x, y), size)))
        return {x, y};
  return beside.topLeft();
}
