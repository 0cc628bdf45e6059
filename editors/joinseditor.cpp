#include "editors/joinseditor.h"

#include "editors/fieldcompare.h"
#include "editors/frmzeladdtable.h"
#include "editors/frmzelfield.h"
#include "editors/frmzeljoin.h"
#include "editors/frmzelrename.h"
#include "editors/joinpairs.h"
#include "editors/joinssurface.h"
#include "editors/tableform.h"
#include "editors/tablelist.h"
#include "messages/zelmessages.h"
#include "model/vocabulary.h"
#include "model/zelmodel.h"
#include "model/zelquery.h"

#include <QCheckBox>
#include <QComboBox>
#include <QListWidget>
#include <QMenu>
#include <QPainter>
#include <QScrollBar>
#include <algorithm>
#include <vector>

namespace {

constexpr int kSurfaceSize = 1000; // scroll range in both directions
constexpr int kHelpContext = 1016;
const QPoint kDialogDropPoint(10, 10); // where tables picked in the add-table dialog go

void inform(const QString &text) {
  zelMessageBox(text, TzelMessageKind::Information);
}

bool confirm(const QString &text) {
  return zelMessageBox(text, TzelMessageKind::Confirmation, TzelButtons::YesNo) == TzelAnswer::Yes;
}

QString outerJoinText(const QString &all, const QString &matching) {
  return QStringLiteral("Return all records from \"") + all +
         QStringLiteral("\" AND only matching records from \"") + matching + u'"';
}

void clearLine(TzelJoinField &pair) {
  for (int i = 0; i < 4; ++i)
    pair.SetPoint(i, {});
}

// Calls fn for every live pair of every live join, in list order.
template <typename Fn> void forEachLivePair(const TzelSchema &schema, Fn fn) {
  for (int j = 0; j < schema.JoinCount(); ++j) {
    const TzelJoin *join = schema.GetJoin(j);
    if (join->Deleted())
      continue;
    for (int p = 0; p < join->JoinFieldCount(); ++p) {
      TzelJoinField *pair = join->GetJoinField(p);
      if (!pair->Deleted())
        fn(*pair);
    }
  }
}

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

TFieldType fieldType(TzelTable *table, const QString &alias) {
  if (!table)
    return ftUnknown;
  try {
    TzelProbe probe(*table);
    const TzelField *field = table->FindField(alias);
    return field ? field->DataType() : ftUnknown;
  } catch (const EzelError &) {
    return ftUnknown; // a table missing from the model: nothing to compare against
  }
}

// Columns of the arranged layout for n tables joined as `neighbours` says (sorted indices):
// a breadth-first walk from the table with the most neighbours. The root's neighbour with the
// fewest joins goes one column left of it, its other neighbours one column right, and every
// table further on one column beyond the table it was reached from, in the same direction,
// moved on while a placed neighbour stands in that column. Unjoined groups start again at
// the first root's column. Columns start at 0; `order` receives the walk's order.
std::vector<int> arrangeColumns(const std::vector<std::vector<int>> &neighbours,
                                std::vector<int> &order) {
  const size_t n = neighbours.size();
  const auto degree = [&](int i) { return neighbours[size_t(i)].size(); };
  std::vector<int> column(n, 0);
  std::vector<int> direction(n, 1);
  std::vector<bool> placed(n, false);
  const auto place = [&](int table, int col) {
    column[size_t(table)] = col;
    placed[size_t(table)] = true;
    order.push_back(table);
  };
  order.clear();
  while (order.size() < n) {
    int root = -1;
    for (int i = 0; i < int(n); ++i)
      if (!placed[size_t(i)] && (root < 0 || degree(i) > degree(root)))
        root = i;
    place(root, 0);
    const std::vector<int> &first = neighbours[size_t(root)];
    if (first.size() > 1) {
      const int left = *std::min_element(first.cbegin(), first.cend(),
                                         [&](int a, int b) { return degree(a) < degree(b); });
      direction[size_t(left)] = -1;
    }
    for (size_t next = order.size() - 1; next < order.size(); ++next) {
      const int from = order[next];
      for (int to : neighbours[size_t(from)]) {
        if (placed[size_t(to)])
          continue;
        const int step = from == root ? direction[size_t(to)] : direction[size_t(from)];
        direction[size_t(to)] = step;
        const auto taken = [&](int col) {
          return std::any_of(neighbours[size_t(to)].cbegin(), neighbours[size_t(to)].cend(),
                             [&](int v) { return placed[size_t(v)] && column[size_t(v)] == col; });
        };
        int c = column[size_t(from)] + step;
        while (taken(c))
          c += step;
        place(to, c);
      }
    }
  }
  const int first = *std::min_element(column.cbegin(), column.cend());
  for (int &c : column)
    c -= first;
  return column;
}

} // namespace

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
  m_surface->setMinimumSize(kSurfaceSize, kSurfaceSize);
  setWidget(m_surface);
  setWidgetResizable(true);
  horizontalScrollBar()->setTracking(true);
  verticalScrollBar()->setTracking(true);
  m_surface->paintLines = [this](QPainter &painter) { paintLines(painter); };
  connect(m_surface, &TzelJoinsSurface::backgroundPressed, this, &TzelJoinsEditor::PressBackground);
  connect(m_surface, &TzelJoinsSurface::backgroundDoubleClicked, this, [this] { EditJoin(false); });
  buildPopup();
}

// The windows go first, while everything they report to is still whole.
TzelJoinsEditor::~TzelJoinsEditor() {
  destroyWindows();
}

void TzelJoinsEditor::buildPopup() {
  m_popup = new QMenu(this);
  m_popup->setObjectName(QStringLiteral("popJoins"));
  const auto add = [this](const char *name, const QString &caption, auto command) {
    QAction *action = m_popup->addAction(caption);
    action->setObjectName(QLatin1String(name));
    connect(action, &QAction::triggered, this, command);
    return action;
  };
  add("popAddTable", tr("&Add Table"), [this] { AddTable(); });
  add("popRemoveTable", tr("&Remove Table"), [this] { RemoveTable(); });
  add("popRenameTable", tr("Rename &Table"), [this] { RenameTable(); });
  m_popup->addSeparator();
  add("popEditJoin", tr("&Edit Join"), [this] { EditJoin(true); });
  add("popRemoveJoin", tr("Remove &Join"), [this] { RemoveJoin(); });
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
    if (action->objectName() != QLatin1String("popHelp"))
      action->setEnabled(!on);
  for (TzelTableForm *window : std::as_const(m_windows))
    applyReadOnly(window->list());
}

// Nothing to drag from or drop onto while the schema cannot change.
void TzelJoinsEditor::applyReadOnly(TzelTableList *list) const {
  list->setDragEnabled(!m_readOnly);
  list->setAcceptDrops(!m_readOnly);
}

QPoint TzelJoinsEditor::surfacePoint(const QPoint &viewportPoint) const {
  return m_surface->mapFromParent(viewportPoint);
}

// ---- Table windows -------------------------------------------------------------------------

void TzelJoinsEditor::AddTableWindow(const QString &name, bool isNew, int left, int top, int height,
                                     int width) {
  if (!m_model || !m_schema)
    return;
  const QSize size = TzelTableForm::defaultSize;
  const QRect geometry(left, top, width ? width : size.width(), height ? height : size.height());
  try {
    const int index = isNew ? addNewTable(name, geometry) : m_schema->IndexOfTableAlias(name);
    if (index < 0)
      return;
    const TzelTable *table = m_schema->GetTable(index);
    QStringList aliases; // first, so that a table whose fields cannot be read gets no window
    m_schema->ListFieldAliases(table->TableAlias(), aliases);
    TzelTableForm *window = createWindow(table->TableAlias(), index, geometry);
    window->list()->setFieldAliases(aliases);
    window->show();
    // Only a table just added takes the model's joins: a loaded query keeps the joins it was
    // saved with, even when the user removed one.
    if (auto *query = qobject_cast<TzelQuery *>(m_schema.data()); query && isNew)
      query->AddAutoJoins(table->TableName(), table->TableAlias());
    if (!m_loading)
      CalculateJoinLines();
  } catch (const EzelError &e) {
    zelShowError(e.message());
  }
}

int TzelJoinsEditor::addNewTable(const QString &name, const QRect &geometry) {
  const int index = m_schema->AddTable(QString(), name, QString());
  if (index < 0)
    return -1;
  TzelTable *table = m_schema->GetTable(index);
  table->SetTop(geometry.top());
  table->SetLeft(geometry.left());
  table->SetWidth(geometry.width());
  table->SetHeight(geometry.height());
  m_modified = true;
  return index;
}

TzelTableForm *TzelJoinsEditor::createWindow(const QString &alias, int index,
                                             const QRect &geometry) {
  auto *window = new TzelTableForm;
  window->setWindowTitle(alias);
  window->setTableIndex(index);
  m_surface->addSubWindow(window);
  window->setGeometry(geometry);
  m_windows.append(window);
  connectWindow(window);
  applyReadOnly(window->list());
  return window;
}

void TzelJoinsEditor::connectWindow(TzelTableForm *window) {
  TzelTableList *list = window->list();
  window->closeQuery = [this](TzelTableForm *w) { return confirmClose(w); };
  connect(window, &TzelTableForm::moved, this, [this, window] { windowMoved(window); });
  connect(window, &TzelTableForm::resized, this, [this, window] { windowResized(window); });
  connect(window, &QObject::destroyed, this, [this, window] { m_windows.removeOne(window); });
  connect(list, &TzelTableList::OnTopChanged, this, &TzelJoinsEditor::CalculateJoinLines);
  connect(list, &TzelTableList::popupRequested, this, &TzelJoinsEditor::showPopup);
  connect(list, &TzelTableList::fieldDropped, this,
          [this, list](const TzelDraggedField &from, int row) { DropField(list, from, row); });
  connect(list, &TzelTableList::fieldDoubleClicked, this, [this, list] {
    if (!m_modelEditing)
      emit OnDblClickField(list);
  });
}

void TzelJoinsEditor::LoadTables() {
  if (!m_schema)
    return;
  m_loading = true;
  for (int i = 0; i < m_schema->TableCount(); ++i) {
    const TzelTable *table = m_schema->GetTable(i);
    if (!table->Deleted())
      AddTableWindow(table->TableAlias(), false, table->Left(), table->Top(), table->Height(),
                     table->Width());
  }
  m_loading = false;
  CalculateJoinLines();
  m_modified = false;
}

void TzelJoinsEditor::destroyWindows() {
  const QList<TzelTableForm *> windows = m_windows;
  m_windows.clear();
  for (TzelTableForm *window : windows) {
    window->disconnect(this);
    window->list()->disconnect(this);
    delete window;
  }
}

void TzelJoinsEditor::ClearTables() {
  destroyWindows();
  if (m_schema)
    forEachLivePair(*m_schema, clearLine);
  PaintJoinLines();
}

TzelTableForm *TzelJoinsEditor::SelectedTableWindow() const {
  for (TzelTableForm *window : m_windows)
    if (window->list()->ItemIndex() != -1)
      return window;
  return nullptr;
}

TzelTableForm *TzelJoinsEditor::FindTableWindow(const QString &alias) const {
  for (TzelTableForm *window : m_windows)
    if (zelSameText(window->windowTitle(), alias))
      return window;
  return nullptr;
}

TzelTable *TzelJoinsEditor::tableOf(const TzelTableForm *window) const {
  if (!m_schema || !window || window->TableIndex() < 0 ||
      window->TableIndex() >= m_schema->TableCount())
    return nullptr;
  return m_schema->GetTable(window->TableIndex());
}

void TzelJoinsEditor::windowMoved(TzelTableForm *window) {
  if (keepGeometry(window) || m_readOnly)
    CalculateJoinLines();
}

void TzelJoinsEditor::windowResized(TzelTableForm *window) {
  windowMoved(window);
}

bool TzelJoinsEditor::keepGeometry(TzelTableForm *window) {
  TzelTable *table = tableOf(window);
  if (!table || m_readOnly ||
      QRect(table->Left(), table->Top(), table->Width(), table->Height()) == window->geometry())
    return false;
  table->SetLeft(window->x());
  table->SetTop(window->y());
  table->SetWidth(window->width());
  table->SetHeight(window->height());
  m_modified = true;
  return true;
}

void TzelJoinsEditor::ArrangeTables() {
  if (!m_schema || m_windows.isEmpty())
    return;
  QHash<QString, int> byAlias; // the first window of equal captions, as the lines use
  for (int i = int(m_windows.size()) - 1; i >= 0; --i)
    byAlias.insert(m_windows.at(i)->windowTitle().toCaseFolded(), i);
  const auto indexOf = [&](const QString &alias) {
    return byAlias.value(alias.toCaseFolded(), -1);
  };
  std::vector<std::vector<int>> neighbours(size_t(m_windows.size()));
  for (int j = 0; j < m_schema->JoinCount(); ++j) {
    const TzelJoin *join = m_schema->GetJoin(j);
    const int a = indexOf(join->LeftTableAlias());
    const int b = indexOf(join->RightTableAlias());
    if (join->Deleted() || a < 0 || b < 0 || a == b)
      continue;
    neighbours[size_t(a)].push_back(b);
    neighbours[size_t(b)].push_back(a);
  }
  for (std::vector<int> &list : neighbours) {
    std::sort(list.begin(), list.end());
    list.erase(std::unique(list.begin(), list.end()), list.end());
  }
  std::vector<int> order;
  const std::vector<int> column = arrangeColumns(neighbours, order);
  const int columns = *std::max_element(column.cbegin(), column.cend()) + 1;
  std::vector<int> left(size_t(columns), ArrangeMargin);
  std::vector<int> top(size_t(columns), ArrangeMargin);
  for (int i = 0; i < int(m_windows.size()); ++i) { // a column is as wide as its widest window
    const size_t c = size_t(column[size_t(i)]);
    if (c + 1 < size_t(columns))
      left[c + 1] = std::max(left[c + 1], m_windows.at(i)->width());
  }
  for (size_t c = 1; c < size_t(columns); ++c)
    left[c] += left[c - 1] + ArrangeGap;
  bool moved = false;
  QRect extent;
  for (int i : order) {
    TzelTableForm *window = m_windows.at(i);
    const size_t c = size_t(column[size_t(i)]);
    window->move(left[c], top[c]);
    top[c] += window->height() + ArrangeMargin;
    moved = keepGeometry(window) || moved;
    extent |= window->geometry();
  }
  // The surface grows to hold a layout wider or taller than its usual size.
  m_surface->setMinimumSize(m_surface->minimumSize().expandedTo(
      QSize(extent.right() + ArrangeMargin, extent.bottom() + ArrangeMargin)));
  horizontalScrollBar()->setValue(0);
  verticalScrollBar()->setValue(0);
  CalculateJoinLines();
  if (moved)
    m_modified = true;
}

bool TzelJoinsEditor::confirmClose(TzelTableForm *window) {
  if (!m_schema)
    return true;
  if (m_readOnly)
    return false;
  const QString alias = window->windowTitle();
  if (!confirm(QStringLiteral("Delete the [") + alias + QStringLiteral("] table?")))
    return false;
  try {
    if (!m_schema->DeleteTable(alias))
      return false;
  } catch (const EzelError &e) {
    zelShowError(e.message());
    return false;
  }
  m_windows.removeOne(window);
  CalculateJoinLines();
  m_modified = true;
  emit OnDeleteTable(window);
  return true;
}

// ---- Join lines ----------------------------------------------------------------------------

void TzelJoinsEditor::CalculateJoinLines() {
  if (!m_schema)
    return;
  const WindowIndex windows = windowIndex();
  int rowHeight = -1;
  int captionHeight = -1;
  for (int j = 0; j < m_schema->JoinCount(); ++j)
    if (TzelJoin *join = m_schema->GetJoin(j); !join->Deleted())
      calculateJoin(*join, windows, rowHeight, captionHeight);
  PaintJoinLines();
}

TzelJoinsEditor::WindowIndex TzelJoinsEditor::windowIndex() const {
  WindowIndex windows;
  windows.reserve(m_windows.size());
  for (const TzelTableForm *window : m_windows) {
    const QString key = window->windowTitle().toCaseFolded();
    if (!windows.contains(key))
      windows.insert(key, window);
  }
  return windows;
}

void TzelJoinsEditor::calculateJoin(TzelJoin &join, const WindowIndex &windows, int &rowHeight,
                                    int &captionHeight) {
  const TzelTableForm *left = windows.value(join.LeftTableAlias().toCaseFolded());
  const TzelTableForm *right = windows.value(join.RightTableAlias().toCaseFolded());
  if (rowHeight < 0 && left && right) {
    rowHeight = left->list()->rowHeight();
    captionHeight = left->captionHeight();
  }
  const TzelLineEnds ends =
      left && right ? lineEnds(left->geometry(), right->geometry()) : TzelLineEnds();
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
    const int y1 = rowY(ends.reversed ? right : left, startField, rowHeight, captionHeight);
    const int y2 = rowY(ends.reversed ? left : right, endField, rowHeight, captionHeight);
    if (y1 == -1 || y2 == -1)
      continue;
    const TzelLinePoints points = linePoints(ends.x1, y1, ends.x2, y2);
    for (int i = 0; i < 4; ++i)
      pair->SetPoint(i, points[size_t(i)]);
  }
}

int TzelJoinsEditor::rowY(const TzelTableForm *window, const QString &field, int rowHeight,
                          int captionHeight) const {
  const TzelTableList *list = window->list();
  const TzelLineWindow geometry{window->geometry(), list->height(), list->TopIndex()};
  return fieldRowY(geometry, list->rowOf(field), rowHeight, captionHeight);
}

void TzelJoinsEditor::PaintJoinLines() {
  m_surface->setAccessibleDescription(m_schema ? describeLines(*m_schema) : QString());
  m_surface->viewport()->update();
}

void TzelJoinsEditor::paintLines(QPainter &painter) const {
  if (!m_schema)
    return;
  QPen pen(Qt::black, 1);
  forEachLivePair(*m_schema, [&](const TzelJoinField &pair) {
    const TzelLinePoints points = pointsOf(pair);
    if (isEmptyLine(points))
      return;
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

// ---- Drops ---------------------------------------------------------------------------------

void TzelJoinsEditor::DropField(TzelTableList *target, const TzelDraggedField &from, int row) {
  const auto found = std::find_if(m_windows.cbegin(), m_windows.cend(),
                                  [target](const TzelTableForm *w) { return w->list() == target; });
  const TzelTableForm *targetWindow = found == m_windows.cend() ? nullptr : *found;
  const TzelTableForm *source = FindTableWindow(from.tableAlias);
  // No pair within one window, on the "*" row or below the last row; and "*" is no field.
  if (!m_schema || m_readOnly || !targetWindow || !source || source == targetWindow || row <= 0 ||
      row >= target->count() || source->list()->rowOf(from.fieldAlias) < 1)
    return;
  target->setItemIndex(row);
  const TzelDraggedField dragged{source->windowTitle(), from.fieldAlias};
  const TzelDraggedField to{targetWindow->windowTitle(), target->item(row)->text()};
  if (!confirmComparable(dragged, to))
    return;
  try {
    if (zelAddJoinPair(*m_schema, dragged, to) < 0)
      return;
  } catch (const EzelError &e) {
    zelShowError(e.message());
    return;
  }
  CalculateJoinLines();
  m_modified = true;
}

bool TzelJoinsEditor::confirmComparable(const TzelDraggedField &from,
                                        const TzelDraggedField &to) const {
  const TFieldType fromType = fieldType(tableOf(FindTableWindow(from.tableAlias)), from.fieldAlias);
  const TFieldType toType = fieldType(tableOf(FindTableWindow(to.tableAlias)), to.fieldAlias);
  if (zelComparableFieldTypes(fromType, toType) || zelHasJoinPair(*m_schema, from, to))
    return true;
  const auto describe = [](const TzelDraggedField &field, TFieldType type) {
    return u'[' + field.tableAlias + u'.' + field.fieldAlias + QStringLiteral("] field (") +
           zelFieldTypeName(type) + u')';
  };
  return confirm(QStringLiteral("The ") + describe(from, fromType) + QStringLiteral(" and the ") +
                 describe(to, toType) +
                 QStringLiteral(" cannot be compared.\r\rJoin them anyway?"));
}

void TzelJoinsEditor::DropTable(const QString &name, const QPoint &pos) {
  if (!m_model || !m_schema || m_readOnly)
    return;
  const QPoint at = surfacePoint(pos);
  if (m_modelEditing)
    dropModelTable(name, at);
  else
    AddTableWindow(name, true, at.x(), at.y(), 0, 0);
}

void TzelJoinsEditor::dropModelTable(const QString &name, const QPoint &at) {
  int existing;
  {
    TzelProbe probe(*m_model);
    existing = m_model->IndexOfTableName(name);
  }
  if (existing >= 0 && !confirm(QStringLiteral("The [") + name +
                                QStringLiteral("] table already exists in the Data Model.\r\r"
                                               "Do you want to add another instance?")))
    return;
  const QString database = m_addTableDialog ? m_addTableDialog->selectedDatabase() : QString();
  try {
    const int index = m_model->AddTableFromDatabase(database, name);
    if (index < 0)
      return;
    AddTableWindow(m_model->GetTable(index)->TableAlias(), false, at.x(), at.y(), 0, 0);
  } catch (const EzelError &e) {
    zelShowError(e.message());
    return;
  }
  m_modified = true;
}

// ---- Commands ------------------------------------------------------------------------------

void TzelJoinsEditor::AddTable() {
  if (!m_schema || m_readOnly)
    return;
  if (!m_addTableDialog) {
    m_addTableDialog = new TfrmZelAddTable(this);
    connect(m_addTableDialog, &TfrmZelAddTable::addTableRequested, this,
            [this](const QString &table) { DropTable(table, kDialogDropPoint); });
  }
  fillAddTableDialog();
  m_addTableDialog->exec();
}

void TzelJoinsEditor::fillAddTableDialog() {
  TfrmZelAddTable &dialog = *m_addTableDialog;
  dialog.setModel(m_model);
  dialog.setModelEditing(m_modelEditing);
  dialog.chkSystem->setChecked(false);
  QComboBox *databases = dialog.databaseList();
  databases->clear();
  dialog.tableList()->clear(); // nothing left from the last use
  if (!m_model)
    return;
  if (!m_modelEditing) {
    const QString name = m_model->ModelName();
    databases->addItem(IsBlank(name) ? QStringLiteral("Data Model") : name);
    databases->setCurrentIndex(0);
    QStringList tables;
    m_model->ListTableAliases(tables);
    tables.sort(Qt::CaseInsensitive);
    dialog.tableList()->addItems(tables);
    return;
  }
  QStringList names;
  m_model->GetDatabaseNames(names);
  databases->addItems(names);
  databases->setCurrentIndex(names.size() == 1 ? 0 : -1);
  dialog.fillTables();
}

bool TzelJoinsEditor::RemoveTable() {
  if (!m_schema || m_readOnly)
    return false;
  TzelTableForm *window = SelectedTableWindow();
  if (!window) {
    inform(QStringLiteral("Select a table to remove"));
    return false;
  }
  window->close();
  return true;
}

void TzelJoinsEditor::RenameTable() {
  if (!m_schema || m_readOnly)
    return;
  TzelTableForm *window = SelectedTableWindow();
  if (!window) {
    inform(QStringLiteral("Select a table to rename"));
    return;
  }
  if (m_modelEditing)
    renameInModel(window);
  else
    renameInQuery(window);
}

void TzelJoinsEditor::renameInQuery(TzelTableForm *window) {
  QString alias = window->windowTitle();
  if (!zelInputBox(QStringLiteral("Rename Table"), QStringLiteral("Enter new table name"), alias))
    return;
  // The schema accepts an alias of spaces, which no SQL statement could use.
  if (IsBlank(alias)) {
    zelShowError(QStringLiteral("Error: Table Alias cannot be blank."));
    return;
  }
  try {
    if (!m_schema->RenameTableAlias(window->TableIndex(), alias))
      return;
  } catch (const EzelError &e) {
    zelShowError(e.message());
    return;
  }
  const QString newAlias = m_schema->GetTable(window->TableIndex())->TableAlias();
  emit OnRenameTable(this, window->windowTitle(), newAlias);
  window->setWindowTitle(newAlias);
  m_modified = true;
}

void TzelJoinsEditor::renameInModel(TzelTableForm *window) {
  TzelTable *table = tableOf(window);
  if (!table)
    return;
  TfrmZelRename dialog(this);
  dialog.setModel(m_model);
  try {
    dialog.setValues(table->TableAlias(), table->TableName(), table->GetDatabaseName());
    if (dialog.exec() != QDialog::Accepted)
      return;
    if (!m_schema->RenameTableAlias(window->TableIndex(), dialog.tableAlias()))
      return;
    window->setWindowTitle(table->TableAlias());
    table->SetTableName(dialog.tableName());
    table->SetDatabaseName(dialog.databaseName());
  } catch (const EzelError &e) {
    zelShowError(e.message());
    return;
  }
  m_modified = true;
}

TzelJoinField *TzelJoinsEditor::selectedPair() const {
  int joinIndex = -1;
  int pairIndex = -1;
  m_schema->GetSelectedJoinField(joinIndex, pairIndex);
  if (joinIndex < 0 || pairIndex < 0)
    return nullptr;
  return m_schema->GetJoin(joinIndex)->GetJoinField(pairIndex);
}

void TzelJoinsEditor::EditJoin(bool showMessage) {
  if (!m_schema || m_readOnly)
    return;
  TzelJoinField *pair = selectedPair();
  if (!pair) {
    if (showMessage)
      inform(QStringLiteral("Select a join to edit"));
    return;
  }
  if (!m_joinDialog) {
    m_joinDialog = new TfrmZelJoin(this);
    m_joinDialog->onRemoveJoin = [this] { return RemoveJoin(); };
  }
  fillJoinDialog(*pair);
  if (m_joinDialog->exec() != QDialog::Accepted)
    return;
  pair->Join()->SetJoinType(m_joinDialog->JoinType());
  pair->SetJoinOper(m_joinDialog->joinOper());
  m_modified = true;
}

void TzelJoinsEditor::fillJoinDialog(const TzelJoinField &pair) {
  const TzelJoin *join = pair.Join();
  const QString left = join->LeftTableAlias();
  const QString right = join->RightTableAlias();
  m_joinDialog->setModel(m_model);
  m_joinDialog->setPair(left, pair.LeftFieldAlias(), pair.JoinOper(), right,
                        pair.RightFieldAlias());
  m_joinDialog->setJoinType(join->JoinType());
  m_joinDialog->setJoinTypeTexts(outerJoinText(left, right), outerJoinText(right, left));
}

bool TzelJoinsEditor::RemoveJoin() {
  if (!m_schema || m_readOnly)
    return false;
  int joinIndex = -1;
  int pairIndex = -1;
  m_schema->GetSelectedJoinField(joinIndex, pairIndex);
  if (joinIndex < 0 || pairIndex < 0) {
    inform(QStringLiteral("Select a join to remove"));
    return false;
  }
  if (!confirm(QStringLiteral("Remove the selected join?")))
    return false;
  m_schema->GetJoin(joinIndex)->DeleteJoinField(pairIndex);
  CalculateJoinLines();
  m_modified = true;
  return true;
}

void TzelJoinsEditor::EditFields() {
  if (!m_modelEditing || !m_schema || m_readOnly)
    return;
  TzelTableForm *window = SelectedTableWindow();
  if (!window) {
    inform(QStringLiteral("Select a table to edit fields"));
    return;
  }
  if (!m_fieldDialog) {
    m_fieldDialog = new TfrmZelField(this);
    m_fieldDialog->onRenameTable = [this] { RenameTable(); };
    connect(m_fieldDialog, &TfrmZelField::fieldsSaved, this, &TzelJoinsEditor::CalculateJoinLines);
  }
  m_fieldDialog->setModel(m_model);
  m_fieldDialog->setTable(window->TableIndex(), window->list());
  m_fieldDialog->LoadFields();
  m_fieldDialog->exec();
  m_modified = true;
}

void TzelJoinsEditor::SetFieldActive(const QString &tableAlias, const QString &fieldAlias,
                                     bool active) {
  if (IsBlank(tableAlias) || IsBlank(fieldAlias))
    return;
  const TzelTableForm *window = FindTableWindow(tableAlias);
  if (!window)
    return;
  TzelTableList *list = window->list();
  for (int row = 1; row < list->count(); ++row)
    if (zelSameText(list->item(row)->text(), fieldAlias)) {
      list->setRowActive(row, active);
      return;
    }
}
