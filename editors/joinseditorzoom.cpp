// SPDX-License-Identifier: MIT
// The joins editor zoomed out: the whole schema drawn on the surface, tables as boxes without
// windows, so that a schema of thousands of tables can be seen at a glance.
#include "editors/joinseditor.h"

#include "editors/joinssurface.h"
#include "editors/tableform.h"
#include "editors/tablelist.h"
#include "editors/tableplace.h"

#include <QMenu>
#include <QPainter>
#include <QScrollBar>
#include <algorithm>
#include <array>
#include <cmath>

namespace {

constexpr std::array kSteps{0.25, 0.5, 1.0}; // Ctrl+minus and Ctrl+plus
constexpr double kTitlesFrom = 0.2;          // smaller, a table is its box and title band
constexpr double kFieldsFrom = 0.45;         // smaller, a table shows no field rows
constexpr int kTitleHeight = 18;             // at 1, as a window's title bar stands
constexpr int kRowHeight = 15;

const QColor kTitleColour(0, 0, 128);
const QColor kSelectedColour(160, 0, 0);
const QColor kFrameColour(96, 96, 96);

} // namespace

void TzelJoinsEditor::addZoomMenu() {
  QMenu *zoom = m_popup->addMenu(tr("&Zoom"));
  zoom->setObjectName(QStringLiteral("popZoom"));
  zoom->menuAction()->setObjectName(QStringLiteral("popZoom"));
  const auto add = [this, zoom](const char *name, const QString &caption, auto command) {
    QAction *action = zoom->addAction(caption);
    action->setObjectName(QLatin1String(name));
    connect(action, &QAction::triggered, this, command);
  };
  add("popZoomFit", tr("Fit"), [this] { ZoomToFit(); });
  add("popZoom50", tr("50%"), [this] { SetZoom(0.5); });
  add("popZoom100", tr("100%"), [this] { SetZoom(1); });
}

void TzelJoinsEditor::SetZoom(double zoom, std::optional<QPoint> centre) {
  zoom = std::clamp(zoom, MinZoom, 1.0);
  if (zoom == m_zoom && !centre)
    return;
  const QPoint middle = centre.value_or(viewMiddle());
  const QSize view = viewport()->size();
  showZoomed(
      zoom,
      QPoint(int(middle.x() * zoom) - view.width() / 2, int(middle.y() * zoom) - view.height() / 2),
      middle);
}

// The surface with its room to drop in, so that nothing is left to scroll; 100 % comes back
// to the view before.
void TzelJoinsEditor::ZoomToFit() {
  const QSize view = viewport()->size();
  showZoomed(
      std::min(double(view.width()) / m_extent.width(), double(view.height()) / m_extent.height()),
      QPoint(0, 0), viewMiddle());
}

QPoint TzelJoinsEditor::scrollPosition() const {
  return {horizontalScrollBar()->value(), verticalScrollBar()->value()};
}

// Near the surface's edges a zoom cannot scroll as far as its middle needs: while the view
// stays where that zoom left it, the middle it meant still counts, so that a zoom and back
// shows every table where it stood.
QPoint TzelJoinsEditor::viewMiddle() const {
  if (scrollPosition() == m_zoomScroll)
    return m_zoomMiddle;
  const QSize view = viewport()->size();
  return surfacePoint(QPoint(view.width() / 2, view.height() / 2)) / m_zoom;
}

void TzelJoinsEditor::showZoomed(double zoom, const QPoint &scroll, const QPoint &middle) {
  // The windows hide: the keyboard waits on the editor rather than wander from window to
  // window as each hides, and comes back to its row at 100 %.
  if (TzelTableForm *window = m_zoom >= 1 && zoom < 1 ? windowWithFocus() : nullptr) {
    m_lastWindow = window;
    setFocus(Qt::OtherFocusReason);
  }
  const bool keyboardWaits = hasFocus(); // showing them, the area would activate a window
  m_zoom = zoom;
  for (TzelTableForm *window : tableWindows())
    window->setVisible(zoom >= 1);
  applySurfaceSize();
  m_surface->resize(m_surface->minimumSize().expandedTo(viewport()->size()));
  horizontalScrollBar()->setValue(scroll.x());
  verticalScrollBar()->setValue(scroll.y());
  m_zoomMiddle = middle;
  m_zoomScroll = scrollPosition();
  realizeNearView();
  PaintJoinLines();
  if (zoom >= 1 && keyboardWaits && m_lastWindow)
    returnToLastWindow(Qt::ShortcutFocusReason);
}

void TzelJoinsEditor::ZoomIn() {
  const auto *next = std::upper_bound(kSteps.cbegin(), kSteps.cend(), m_zoom + 1e-9);
  SetZoom(next == kSteps.cend() ? 1.0 : *next);
}

void TzelJoinsEditor::ZoomOut() {
  const auto *next = std::lower_bound(kSteps.cbegin(), kSteps.cend(), m_zoom - 1e-9);
  SetZoom(next == kSteps.cbegin() ? std::min(m_zoom, kSteps.front()) : *(next - 1));
}

void TzelJoinsEditor::applySurfaceSize() {
  m_surface->setMinimumSize(int(std::ceil(m_extent.width() * m_zoom)),
                            int(std::ceil(m_extent.height() * m_zoom)));
}

void TzelJoinsEditor::paintSurface(QPainter &painter) const {
  if (m_zoom >= 1)
    return paintLines(painter);
  painter.scale(m_zoom, m_zoom);
  paintZoomed(painter);
  // Over the boxes, since between small boxes they would hardly show; faint, so that the
  // tables stand out of thousands of lines.
  painter.setOpacity(0.35);
  paintLines(painter);
}

// Each table in the painted area: a white box, a title band with the alias while it can be
// read, the field rows when they can; the selected table's band in red.
void TzelJoinsEditor::paintZoomed(QPainter &painter) const {
  const QRect area = painter.clipBoundingRect().toAlignedRect();
  const TzelTableForm *selected = SelectedTableWindow();
  QFont font = painter.font();
  font.setPixelSize(12);
  painter.setFont(font);
  for (const std::unique_ptr<TzelTablePlace> &place : m_places) {
    const QRect box = place->geometry;
    if (area.isValid() && !area.intersects(box))
      continue;
    // At least two pixels of band, so that it shows at any scale.
    const int band = std::max(kTitleHeight, int(std::ceil(2 / m_zoom)));
    const QRect title(box.topLeft(), QSize(box.width(), std::min(band, box.height() / 2)));
    painter.fillRect(box, Qt::white);
    painter.fillRect(title, selected && place->window == selected ? kSelectedColour : kTitleColour);
    painter.setPen(QPen(kFrameColour, 0));
    painter.drawRect(box.adjusted(0, 0, -1, -1));
    if (m_zoom < kTitlesFrom)
      continue;
    painter.setPen(Qt::white);
    painter.drawText(title.adjusted(3, 0, -3, 0), Qt::AlignVCenter | Qt::AlignLeft, place->alias);
    if (m_zoom < kFieldsFrom)
      continue;
    painter.setPen(Qt::black);
    int y = title.bottom() + 1;
    for (const QString &field : place->fields) {
      if (y + kRowHeight > box.bottom())
        break;
      painter.drawText(QRect(box.left() + 3, y, box.width() - 6, kRowHeight),
                       Qt::AlignVCenter | Qt::AlignLeft, field);
      y += kRowHeight;
    }
  }
}

TzelTablePlace *TzelJoinsEditor::placeAtZoomed(const QPoint &pos) const {
  const QPoint at(int(pos.x() / m_zoom), int(pos.y() / m_zoom));
  for (auto place = m_places.crbegin(); place != m_places.crend(); ++place)
    if ((*place)->geometry.contains(at))
      return place->get();
  return nullptr;
}
