// SPDX-License-Identifier: MIT
// The joins editor's table windows: made, loaded, found, moved, arranged and closed.
#include "editors/joinseditor.h"
#include "editors/joinseditorshared.h"

#include "editors/frmzeljoin.h"
#include "editors/joinssurface.h"
#include "editors/tableform.h"
#include "editors/tablelist.h"
#include "editors/tableplace.h"
#include "messages/zelmessages.h"
#include "model/zelmodel.h"
#include "model/zelquery.h"

#include <QScopedValueRollback>
#include <QScrollBar>
#include <algorithm>
#include <utility>
#include <vector>

using namespace ZelJoins;

namespace {

// A schema of up to this many tables has every window made at once, as the view and its
// commands always had them; a bigger one only those in or near the view.
constexpr size_t kEveryWindowUpTo = 100;

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

// The rows (from 1, under the star) of the fields the table marks as its key.
QList<int> keyRowsOf(const TzelTable &table, const QStringList &fields) {
  QList<int> rows;
  for (int i = 0; i < fields.size(); ++i)
    if (const TzelField *field = table.FindField(fields.at(i)); field && field->IsKey())
      rows.append(i + 1);
  return rows;
}

} // namespace

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
    TzelTablePlace &place = addPlace(index, geometry, aliases);
    if (!m_loading) // a table the user adds shows at once, wherever it stands
      realize(place);
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
  designChanged(QStringLiteral("Add Table ") + name);
  return index;
}

// The table's place; a table without a size of its own takes the window's default, kept in
// the schema as a window's first showing keeps it.
TzelTablePlace &TzelJoinsEditor::addPlace(int index, const QRect &geometry,
                                          const QStringList &fields) {
  auto place = std::make_unique<TzelTablePlace>();
  place->tableIndex = index;
  place->alias = m_schema->GetTable(index)->TableAlias();
  place->geometry = geometry;
  place->fields = fields;
  m_places.push_back(std::move(place));
  m_windowIndexStale = true;
  m_unmadeStale = true;
  growSurface(geometry);
  TzelTable *table = m_schema->GetTable(index);
  if (!m_readOnly &&
      QRect(table->Left(), table->Top(), table->Width(), table->Height()) != geometry) {
    table->SetLeft(geometry.left());
    table->SetTop(geometry.top());
    table->SetWidth(geometry.width());
    table->SetHeight(geometry.height());
    designChanged(QStringLiteral("Move Table ") + table->TableAlias());
  }
  return *m_places.back();
}

TzelTableForm *TzelJoinsEditor::realize(TzelTablePlace &place) {
  if (place.window)
    return place.window;
  auto *window = new TzelTableForm;
  window->setWindowTitle(place.alias);
  window->setTableIndex(place.tableIndex);
  m_surface->addSubWindow(window);
  window->setGeometry(place.geometry);
  place.window = window;
  place.forgetAccessible();
  m_unmadeStale = true;
  connectWindow(window);
  applyReadOnly(window->list());
  connectKeys(window);
  window->list()->setFieldAliases(place.fields);
  window->list()->setKeyRows(keyRowsOf(*m_schema->GetTable(place.tableIndex), place.fields));
  for (int row = 1; row <= place.activeFields.size(); ++row)
    if (place.activeFields.at(row - 1) != u'0')
      window->list()->setRowActive(row, true);
  window->describe();
  const bool realizing = std::exchange(m_realizing, true);
  // A sub-window activates itself, and takes the focus, as it shows; unless disabled.
  window->setEnabled(!m_inPassing);
  window->setVisible(m_zoom >= 1); // zoomed out, the surface draws the table itself
  window->setEnabled(true);
  m_realizing = realizing;
  return window;
}

// Windows for the tables within half a view of the visible area, so that no table is ever
// seen without its window and a scroll by half a page finds its windows made; the view's own
// scroll and size changes call it.
void TzelJoinsEditor::realizeNearView(bool loading) {
  if (m_places.empty() || m_zoom < 1)
    return;
  const bool every = m_places.size() <= kEveryWindowUpTo;
  const QSize view = viewport()->size();
  const QRect near =
      QRect(surfacePoint(QPoint(0, 0)), view)
          .adjusted(-view.width() / 2, -view.height() / 2, view.width() / 2, view.height() / 2);
  const bool inPassing = std::exchange(m_inPassing, !loading);
  for (const std::unique_ptr<TzelTablePlace> &place : m_places)
    if (!place->window && (every || place->geometry.intersects(near)))
      realize(*place);
  m_inPassing = inPassing;
}

const std::vector<TzelTablePlace *> &TzelJoinsEditor::unmadePlaces() const {
  if (m_unmadeStale) {
    m_unmade.clear();
    for (const std::unique_ptr<TzelTablePlace> &place : m_places)
      if (!place->window)
        m_unmade.push_back(place.get());
    m_unmadeStale = false;
  }
  return m_unmade;
}

TzelTablePlace *TzelJoinsEditor::placeOf(const TzelTableForm *window) const {
  for (const std::unique_ptr<TzelTablePlace> &place : m_places)
    if (place->window == window)
      return place.get();
  return nullptr;
}

void TzelJoinsEditor::removePlace(const TzelTableForm *window) {
  const auto found = std::find_if(m_places.begin(), m_places.end(),
                                  [window](const auto &place) { return place->window == window; });
  if (found == m_places.end())
    return;
  m_places.erase(found);
  m_windowIndexStale = true;
  m_unmadeStale = true;
}

void TzelJoinsEditor::connectWindow(TzelTableForm *window) {
  TzelTableList *list = window->list();
  window->closeQuery = [this](TzelTableForm *w) { return confirmClose(w); };
  connect(window, &TzelTableForm::moved, this, [this, window] { windowMoved(window); });
  connect(window, &TzelTableForm::resized, this, [this, window] { windowResized(window); });
  connect(window, &QObject::destroyed, this, [this, window] { removePlace(window); });
  connect(window, &QWidget::windowTitleChanged, this, [this, window](const QString &title) {
    if (TzelTablePlace *place = placeOf(window))
      place->alias = title;
    m_windowIndexStale = true;
  });
  connect(list, &TzelTableList::OnTopChanged, this, [this, window] { calculateLinesOf(window); });
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
  realizeNearView(true);
  CalculateJoinLines();
  m_modified = false;
}

void TzelJoinsEditor::destroyWindows() {
  const std::vector<std::unique_ptr<TzelTablePlace>> places = std::move(m_places);
  m_places.clear();
  m_windowIndexStale = true;
  m_unmadeStale = true;
  for (const std::unique_ptr<TzelTablePlace> &place : places)
    dropWindow(place->window);
}

void TzelJoinsEditor::dropWindow(TzelTableForm *window) {
  if (!window)
    return;
  window->disconnect(this);
  window->list()->disconnect(this);
  delete window;
}

// After an undo or redo: the places and windows of tables the step left alone stay as they
// are; those of tables it removed or read again go, and the tables read again get new ones.
void TzelJoinsEditor::SyncTables(const QSet<const TzelComponent *> &added) {
  if (!m_schema)
    return;
  std::vector<std::unique_ptr<TzelTablePlace>> places = std::move(m_places);
  m_places.clear();
  m_windowIndexStale = true;
  m_unmadeStale = true;
  {
    const TzelProbe probe(*m_schema);
    for (std::unique_ptr<TzelTablePlace> &place : places) {
      const int index = m_schema->IndexOfTableAlias(place->alias);
      if (index < 0 || added.contains(m_schema->GetTable(index))) {
        dropWindow(place->window);
        continue;
      }
      place->tableIndex = index;
      if (place->window)
        place->window->setTableIndex(index);
      m_places.push_back(std::move(place));
    }
  }
  m_loading = true;
  for (int i = 0; i < m_schema->TableCount(); ++i)
    if (const TzelTable *table = m_schema->GetTable(i); !table->Deleted() && added.contains(table))
      AddTableWindow(table->TableAlias(), false, table->Left(), table->Top(), table->Height(),
                     table->Width());
  m_loading = false;
  realizeNearView(true);
  CalculateJoinLines();
}

QList<TzelTableForm *> TzelJoinsEditor::tableWindows() const {
  QList<TzelTableForm *> windows;
  for (const std::unique_ptr<TzelTablePlace> &place : m_places)
    if (place->window)
      windows.append(place->window);
  return windows;
}

void TzelJoinsEditor::ClearTables() {
  destroyWindows();
  resetSurface();
  if (m_schema)
    forEachLivePair(*m_schema, clearLine);
  PaintJoinLines();
}

TzelTableForm *TzelJoinsEditor::SelectedTableWindow() const {
  for (TzelTableForm *window : tableWindows())
    if (window->list()->ItemIndex() != -1)
      return window;
  return nullptr;
}

TzelTableForm *TzelJoinsEditor::FindTableWindow(const QString &alias) const {
  for (const std::unique_ptr<TzelTablePlace> &place : m_places)
    if (zelSameText(place->alias, alias)) // made on demand: the editor shows no different
      return const_cast<TzelJoinsEditor *>(this)->realize(*place);
  return nullptr;
}

QStringList TzelJoinsEditor::TableAliases() const {
  QStringList aliases;
  const std::vector<TzelTablePlace *> places = placesInPositionOrder();
  aliases.reserve(qsizetype(places.size()));
  for (const TzelTablePlace *place : places)
    aliases.append(place->alias);
  return aliases;
}

bool TzelJoinsEditor::ShowTable(const QString &alias, bool takeFocus) {
  const TzelTablePlace *found = windowIndex().value(alias.toCaseFolded());
  if (!found)
    return false;
  TzelTablePlace &place = const_cast<TzelTablePlace &>(*found);
  const QPoint centre = place.geometry.center();
  if (m_zoom < 1 && !takeFocus) // drawn selected where it stands
    ensureVisible(int(centre.x() * m_zoom), int(centre.y() * m_zoom), viewport()->width() / 2,
                  viewport()->height() / 2);
  else
    ensureVisible(centre.x(), centre.y(), viewport()->width() / 2, viewport()->height() / 2);
  TzelTableForm *window = realize(place);
  for (TzelTableForm *other : tableWindows())
    if (other != window)
      other->list()->setItemIndex(-1);
  window->raise();
  window->list()->setItemIndex(0);
  if (m_zoom < 1)
    m_surface->viewport()->update();
  if (takeFocus)
    focusWindow(window, Qt::OtherFocusReason);
  return true;
}

TzelTable *TzelJoinsEditor::tableOf(const TzelTableForm *window) const {
  if (!m_schema || !window || window->TableIndex() < 0 ||
      window->TableIndex() >= m_schema->TableCount())
    return nullptr;
  return m_schema->GetTable(window->TableIndex());
}

void TzelJoinsEditor::windowMoved(TzelTableForm *window) {
  TzelTablePlace *place = m_realizing ? nullptr : placeOf(window);
  if (!place) // a window showing for the first time stands where its place says
    return;
  place->geometry = window->geometry();
  growSurface(window->geometry());
  if (keepGeometry(window) || m_readOnly)
    calculateLinesOf(window);
}

void TzelJoinsEditor::windowResized(TzelTableForm *window) {
  windowMoved(window);
}

bool TzelJoinsEditor::keepGeometry(TzelTableForm *window) {
  TzelTable *table = tableOf(window);
  if (!table || m_readOnly ||
      QRect(table->Left(), table->Top(), table->Width(), table->Height()) == window->geometry())
    return false;
  const QString step = geometryStep(*table, *window);
  table->SetLeft(window->x());
  table->SetTop(window->y());
  table->SetWidth(window->width());
  table->SetHeight(window->height());
  designChanged(step + table->TableAlias());
  return true;
}

// The name a user reads for a window's new geometry: moved, rolled up or down, or resized.
QString TzelJoinsEditor::geometryStep(const TzelTable &table, const TzelTableForm &window) {
  if (QPoint(table.Left(), table.Top()) != window.pos())
    return QStringLiteral("Move Table ");
  if (window.isRolledUp())
    return QStringLiteral("Roll Up Table ");
  if (table.Height() <= window.captionHeight())
    return QStringLiteral("Roll Down Table ");
  return QStringLiteral("Resize Table ");
}

void TzelJoinsEditor::ArrangeTables() {
  if (!m_schema || m_places.empty())
    return;
  const QScopedValueRollback<QString> step(m_commandStep, QStringLiteral("Arrange Tables"));
  const size_t n = m_places.size();
  QHash<QString, int> byAlias; // the first table of equal aliases, as the lines use
  for (int i = int(n) - 1; i >= 0; --i)
    byAlias.insert(m_places.at(size_t(i))->alias.toCaseFolded(), i);
  const auto indexOf = [&](const QString &alias) {
    return byAlias.value(alias.toCaseFolded(), -1);
  };
  std::vector<std::vector<int>> neighbours(n);
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
  for (size_t i = 0; i < n; ++i) { // a column is as wide as its widest window
    const size_t c = size_t(column[i]);
    if (c + 1 < size_t(columns))
      left[c + 1] = std::max(left[c + 1], m_places.at(i)->geometry.width());
  }
  for (size_t c = 1; c < size_t(columns); ++c)
    left[c] += left[c - 1] + ArrangeGap;
  bool moved = false;
  for (int i : order) {
    TzelTablePlace &place = *m_places.at(size_t(i));
    const size_t c = size_t(column[size_t(i)]);
    moved = movePlace(place, QPoint(left[c], top[c])) || moved;
    top[c] += place.geometry.height() + ArrangeMargin;
  }
  horizontalScrollBar()->setValue(0);
  verticalScrollBar()->setValue(0);
  realizeNearView();
  CalculateJoinLines();
  if (moved)
    designChanged(QStringLiteral("Arrange Tables"));
}

// A table moved by the editor: its window when it has one, else its place alone. True when
// the schema's geometry changed.
bool TzelJoinsEditor::movePlace(TzelTablePlace &place, const QPoint &to) {
  if (TzelTableForm *window = place.window) {
    window->move(to);
    place.geometry = window->geometry(); // at once, though a hidden window reports it later
    growSurface(place.geometry);
    return keepGeometry(window);
  }
  place.geometry.moveTo(to);
  place.forgetAccessible(); // made again where the table now stands
  growSurface(place.geometry);
  TzelTable *table = m_schema->GetTable(place.tableIndex);
  if (m_readOnly || QPoint(table->Left(), table->Top()) == to)
    return false;
  table->SetLeft(to.x());
  table->SetTop(to.y());
  return true;
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
  removePlace(window); // now: the window itself goes once closed
  CalculateJoinLines();
  designChanged(QStringLiteral("Delete Table ") + alias);
  emit OnDeleteTable(window);
  return true;
}
