// SPDX-License-Identifier: MIT
// The joins editor's join lines: placed beside the joined fields, painted and clicked.
#include "editors/joinseditor.h"
#include "editors/joinseditorshared.h"

#include "editors/joinpairs.h"
#include "editors/joinssurface.h"
#include "editors/tableform.h"
#include "editors/tablelist.h"
#include "editors/tableplace.h"
#include "model/aliasindex.h"
#include "model/vocabulary.h"
#include "model/zelquery.h"

#include <QPainter>
#include <algorithm>
#include <vector>

using namespace ZelJoins;

namespace {

// What the lines show, one pair to a line, for a screen reader.
QString describeLines(const TzelSchema &schema) {
  QStringList lines;
  forEachLivePair(schema, [&lines](const TzelJoinField &pair) {
    const TzelJoin *join = pair.Join();
    lines << join->LeftTableAlias() + u'.' + pair.LeftFieldAlias() +
                 JoinOperatorSql(pair.JoinOper()) + join->RightTableAlias() + u'.' +
                 pair.RightFieldAlias() +
                 (pair.Selected() ? QStringLiteral(" (selected)") : QString());
  });
  return lines.join(u'\n');
}

TzelLinePoints pointsOf(const TzelJoinField &pair) {
  return {pair.Point(0), pair.Point(1), pair.Point(2), pair.Point(3)};
}

} // namespace

void TzelJoinsEditor::CalculateJoinLines() {
  if (!m_schema)
    return;
  const WindowIndex &windows = windowIndex();
  int rowHeight = -1;
  int captionHeight = -1;
  for (int j = 0; j < m_schema->JoinCount(); ++j)
    if (TzelJoin *join = m_schema->GetJoin(j); !join->Deleted())
      calculateJoin(*join, windows, rowHeight, captionHeight);
  PaintJoinLines();
}

// After one window moved, changed size or scrolled its list only its own lines change; the
// other lines lose their selection as a full recalculation drops it.
void TzelJoinsEditor::calculateLinesOf(const TzelTableForm *window) {
  if (!m_schema)
    return;
  const WindowIndex &windows = windowIndex();
  const QString alias = window->windowTitle();
  int rowHeight = -1;
  int captionHeight = -1;
  for (int j = 0; j < m_schema->JoinCount(); ++j) {
    TzelJoin *join = m_schema->GetJoin(j);
    if (join->Deleted())
      continue;
    if (zelSameText(join->LeftTableAlias(), alias) || zelSameText(join->RightTableAlias(), alias))
      calculateJoin(*join, windows, rowHeight, captionHeight);
    else
      deselectPairs(*join, windows);
  }
  PaintJoinLines();
}

void TzelJoinsEditor::deselectPairs(TzelJoin &join, const WindowIndex &windows) {
  bool found = false; // the windows are looked up only for a join with a selected pair
  for (int p = 0; p < join.JoinFieldCount() && !found; ++p)
    found = !join.GetJoinField(p)->Deleted() && join.GetJoinField(p)->Selected();
  if (!found || !windows.contains(join.LeftTableAlias().toCaseFolded()) ||
      !windows.contains(join.RightTableAlias().toCaseFolded()))
    return;
  for (int p = 0; p < join.JoinFieldCount(); ++p)
    if (TzelJoinField *pair = join.GetJoinField(p); !pair->Deleted())
      pair->SetSelected(false);
}

const TzelJoinsEditor::WindowIndex &TzelJoinsEditor::windowIndex() const {
  if (!m_windowIndexStale)
    return m_windowIndex;
  m_windowIndex.clear();
  m_windowIndex.reserve(qsizetype(m_places.size()));
  for (const std::unique_ptr<TzelTablePlace> &place : m_places) {
    const QString key = place->alias.toCaseFolded();
    if (!m_windowIndex.contains(key))
      m_windowIndex.insert(key, place.get());
  }
  m_windowIndexStale = false;
  return m_windowIndex;
}

void TzelJoinsEditor::calculateJoin(TzelJoin &join, const WindowIndex &windows, int &rowHeight,
                                    int &captionHeight) {
  const TzelTablePlace *left = windows.value(join.LeftTableAlias().toCaseFolded());
  const TzelTablePlace *right = windows.value(join.RightTableAlias().toCaseFolded());
  if (rowHeight < 0 && left && right)
    measureRows(left->window, rowHeight, captionHeight);
  const TzelLineEnds ends =
      left && right ? lineEnds(left->geometry, right->geometry) : TzelLineEnds();
  for (int p = 0; p < join.JoinFieldCount(); ++p) {
    TzelJoinField *pair = join.GetJoinField(p);
    if (pair->Deleted())
      continue;
    // A pair whose ends cannot be found draws no line (rather than one where it used to be).
    clearLine(*pair);
    if (!left || !right)
      continue;
    pair->SetSelected(false);
    const QString &startField = ends.reversed ? pair->RightFieldAlias() : pair->LeftFieldAlias();
    const QString &endField = ends.reversed ? pair->LeftFieldAlias() : pair->RightFieldAlias();
    const int y1 = rowY(ends.reversed ? *right : *left, startField, rowHeight, captionHeight);
    const int y2 = rowY(ends.reversed ? *left : *right, endField, rowHeight, captionHeight);
    if (y1 == -1 || y2 == -1)
      continue;
    const TzelLinePoints points = linePoints(ends.x1, y1, ends.x2, y2);
    for (int i = 0; i < 4; ++i)
      pair->SetPoint(i, points[size_t(i)]);
  }
}

// Every window has the same row and caption heights: measured on the given window, else on
// any window made, else on the first table's window, made for it.
void TzelJoinsEditor::measureRows(const TzelTableForm *window, int &rowHeight, int &captionHeight) {
  for (auto place = m_places.cbegin(); !window && place != m_places.cend(); ++place)
    window = (*place)->window;
  if (!window)
    window = realize(*m_places.front());
  rowHeight = window->list()->rowHeight();
  captionHeight = window->captionHeight();
}

// A table without a window is drawn as its window would first show: scrolled to the top.
int TzelJoinsEditor::rowY(const TzelTablePlace &place, const QString &field, int rowHeight,
                          int captionHeight) const {
  if (const TzelTableForm *window = place.window) {
    const TzelTableList *list = window->list();
    const TzelLineWindow geometry{window->geometry(), list->height(), list->TopIndex()};
    return fieldRowY(geometry, list->rowOf(field), rowHeight, captionHeight);
  }
  const TzelLineWindow geometry{place.geometry, place.geometry.height() - captionHeight, 0};
  return fieldRowY(geometry, place.row(field), rowHeight, captionHeight);
}

void TzelJoinsEditor::PaintJoinLines() {
  m_surface->linesChanged();
  m_surface->viewport()->update();
}

QString TzelJoinsEditor::linesDescription() const {
  return m_schema ? describeLines(*m_schema) : QString();
}

void TzelJoinsEditor::paintLines(QPainter &painter) const {
  if (!m_schema)
    return;
  QPen pen(Qt::black, 1);
  pen.setCosmetic(true); // as thin zoomed out as at 1
  // Only the lines that cross the area being painted: a big schema has thousands.
  const QRect area = painter.hasClipping()
                         ? painter.clipBoundingRect().toAlignedRect().adjusted(-2, -2, 2, 2)
                         : QRect();
  forEachLivePair(*m_schema, [&](const TzelJoinField &pair) {
    const TzelLinePoints points = pointsOf(pair);
    if (isEmptyLine(points))
      return;
    if (area.isValid()) {
      const auto [minX, maxX] =
          std::minmax({points[0].x(), points[1].x(), points[2].x(), points[3].x()});
      const auto [minY, maxY] =
          std::minmax({points[0].y(), points[1].y(), points[2].y(), points[3].y()});
      if (!area.intersects(QRect(QPoint(minX, minY), QPoint(maxX, maxY))))
        return;
    }
    pen.setWidth(pair.Selected() ? 2 : 1);
    painter.setPen(pen);
    painter.drawPolyline(points.data(), int(points.size()));
  });
}

void TzelJoinsEditor::PressBackground(const QPoint &pos, Qt::MouseButton button,
                                      const QPoint &globalPos) {
  if (m_schema) {
    m_schema->ClearSelectedJoinFields();
    QList<TzelLinePoints> lines;
    QList<TzelJoinField *> pairs;
    forEachLivePair(*m_schema, [&](TzelJoinField &pair) {
      lines.append(pointsOf(pair));
      pairs.append(&pair);
    });
    const int hit = firstHitLine(lines, pos);
    if (hit >= 0)
      pairs.at(hit)->SetSelected(true);
    PaintJoinLines();
  }
  if (button == Qt::RightButton)
    showPopup(globalPos);
}
