// SPDX-License-Identifier: MIT
// The joins editor: its scrolled surface, its popup menu, its read-only and editing states.
#include "editors/joinseditor.h"
#include "editors/joinseditorshared.h"

#include "editors/joinssurface.h"
#include "editors/tableform.h"
#include "editors/tablelist.h"
#include "editors/tableplace.h"
#include "messages/zelmessages.h"
#include "model/zelmodel.h"

#include <QAccessible>
#include <QMenu>
#include <QPainter>
#include <QScrollBar>

namespace {

constexpr int kSurfaceSize = 1000; // the least scroll range in both directions
constexpr int kDropMargin = 200;   // room beside and below the furthest table to drop another
constexpr int kHelpContext = 1016;

} // namespace

namespace ZelJoins {

bool confirm(const QString &text) {
  return zelMessageBox(text, TzelMessageKind::Confirmation, TzelButtons::YesNo) == TzelAnswer::Yes;
}

void clearLine(TzelJoinField &pair) {
  for (int i = 0; i < 4; ++i)
    pair.SetPoint(i, {});
}

} // namespace ZelJoins

TzelJoinsEditor::TzelJoinsEditor(QWidget *parent)
    : QScrollArea(parent), m_surface(new TzelJoinsSurface) {
  setObjectName(QStringLiteral("zelJoinsEditor"));
  // The events carry these; registered so they can be queued and spied on.
  qRegisterMetaType<TzelTableForm *>();
  qRegisterMetaType<TzelTableList *>();
  qRegisterMetaType<TzelJoinsEditor *>();
  setAccessibleName(tr("Joins"));
  resize(600, 250);
  setFrameShape(QFrame::NoFrame);
  resetSurface();
  setWidget(m_surface);
  setWidgetResizable(true);
  horizontalScrollBar()->setTracking(true);
  verticalScrollBar()->setTracking(true);
  connect(horizontalScrollBar(), &QScrollBar::valueChanged, this, [this] { realizeNearView(); });
  connect(verticalScrollBar(), &QScrollBar::valueChanged, this, [this] { realizeNearView(); });
  m_surface->paintLines = [this](QPainter &painter) { paintSurface(painter); };
  connect(m_surface, &TzelJoinsSurface::backgroundPressed, this,
          [this](const QPoint &pos, Qt::MouseButton button, const QPoint &globalPos) {
            if (m_zoom >= 1)
              return PressBackground(pos, button, globalPos);
            if (button == Qt::RightButton)
              return showPopup(globalPos);
            if (const TzelTablePlace *place = placeAtZoomed(pos)) { // back to 1, on the table
              const QString alias = place->alias;
              SetZoom(1, place->geometry.center());
              ShowTable(alias);
            }
          });
  connect(m_surface, &TzelJoinsSurface::backgroundDoubleClicked, this, [this] {
    if (m_zoom >= 1)
      EditJoin(false);
  });
  m_surface->lineKey = [this](const QKeyEvent &event) { return lineKey(event); };
  m_surface->tabFromLine = [this](bool forward) { tabFromLine(forward); };
  m_surface->describeLines = [this] { return linesDescription(); };
  m_surface->unmadeTableCount = [this] { return int(unmadePlaces().size()); };
  m_surface->unmadeTable = [this](int i) -> QAccessibleInterface * {
    const std::vector<TzelTablePlace *> &places = unmadePlaces();
    return i >= 0 && size_t(i) < places.size() ? places.at(size_t(i))->accessible(m_surface)
                                               : nullptr;
  };
  buildPopup();
}

// The windows go first, while everything they report to is still whole.
TzelJoinsEditor::~TzelJoinsEditor() {
  m_surface->describeLines = nullptr;
  m_surface->unmadeTableCount = nullptr;
  m_surface->unmadeTable = nullptr;
  destroyWindows();
  if (m_lineAccessible)
    QAccessible::deleteAccessibleInterface(m_lineAccessible);
}

void TzelJoinsEditor::buildPopup() {
  m_popup = new QMenu(this);
  m_popup->setObjectName(QStringLiteral("popJoins"));
  m_popup->setAccessibleName(tr("Joins menu"));
  const auto add = [this](const char *name, const QString &caption, auto command) {
    QAction *action = m_popup->addAction(caption);
    action->setObjectName(QLatin1String(name));
    connect(action, &QAction::triggered, this, command);
    return action;
  };
  add("popAddTable", tr("&Add Table"), [this] { AddTable(); });
  add("popRemoveTable", tr("&Remove Table"), [this] { RemoveTable(); });
  add("popRenameTable", tr("Rename &Table"), [this] { RenameTable(); });
  QAction *roll = add("popRollTable", tr("R&oll Up/Down"), [this] { rollActiveTable(); });
  roll->setShortcut(QKeySequence(Qt::Key_F4)); // the key the table window answers
  roll->setShortcutContext(Qt::WidgetShortcut);
  m_popup->addSeparator();
  add("popEditJoin", tr("&Edit Join"), [this] { EditJoin(true); });
  add("popJoinTo", tr("Jo&in To..."), [this] { JoinTo(); });
  add("popRemoveJoin", tr("Remove &Join"), [this] { RemoveJoin(); });
  m_popup->addSeparator();
  addZoomMenu();
  m_popup->addSeparator();
  m_editFields = add("popEditFields", tr("Edit &Fields"), [this] { EditFields(); });
  m_editFieldsSeparator = m_popup->addSeparator();
  m_editFieldsSeparator->setObjectName(QStringLiteral("popFieldsSeparator"));
  add("popHelp", tr("&Help"), [this] {
    if (m_model)
      m_model->ShowHelp(0, kHelpContext);
  });
  SetModelEditing(m_modelEditing);
}

void TzelJoinsEditor::showPopup(const QPoint &globalPos) {
  m_popup->popup(globalPos);
}

void TzelJoinsEditor::SetSchema(TzelSchema *schema) {
  ClearTables();
  m_schema = schema;
  if (schema)
    LoadTables();
}

void TzelJoinsEditor::SetModelEditing(bool on) {
  m_modelEditing = on;
  m_editFields->setVisible(on);
  m_editFieldsSeparator->setVisible(on);
}

void TzelJoinsEditor::SetReadOnly(bool on) {
  m_readOnly = on;
  for (QAction *action : m_popup->actions())
    if (action->objectName() != QLatin1String("popHelp") && !action->menu())
      action->setEnabled(!on);
  for (TzelTableForm *window : tableWindows())
    applyReadOnly(window->list());
}

// Nothing to drag from or drop onto while the schema cannot change.
void TzelJoinsEditor::applyReadOnly(TzelTableList *list) const {
  list->setDragEnabled(!m_readOnly);
  list->setAcceptDrops(!m_readOnly);
}

void TzelJoinsEditor::resetSurface() {
  m_extent = QSize(kSurfaceSize, kSurfaceSize);
  m_zoomScroll = QPoint(-1, -1);
  applySurfaceSize();
}

// The surface holds the window with room to spare beyond it; it never shrinks while shown.
void TzelJoinsEditor::growSurface(const QRect &window) {
  const QSize wanted(window.right() + 1 + kDropMargin, window.bottom() + 1 + kDropMargin);
  if (wanted.width() > m_extent.width() || wanted.height() > m_extent.height()) {
    m_extent = m_extent.expandedTo(wanted);
    applySurfaceSize();
  }
}

QPoint TzelJoinsEditor::surfacePoint(const QPoint &viewportPoint) const {
  return m_surface->mapFromParent(viewportPoint);
}
