// The joins editor's table windows: made, loaded, found, moved, arranged and closed.
#include "editors/joinseditor.h"
#include "editors/joinseditorshared.h"

#include "editors/frmzeljoin.h"
#include "editors/joinssurface.h"
#include "editors/tableform.h"
#include "editors/tablelist.h"
#include "messages/zelmessages.h"
#include "model/zelmodel.h"
#include "model/zelquery.h"

#include <QScrollBar>
#include <algorithm>
#include <vector>

using namespace ZelJoins;

namespace {

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
    window->describe();
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
  m_windowIndexStale = true;
  growSurface(geometry);
  connectWindow(window);
  applyReadOnly(window->list());
  connectKeys(window);
  return window;
}

void TzelJoinsEditor::connectWindow(TzelTableForm *window) {
  TzelTableList *list = window->list();
  window->closeQuery = [this](TzelTableForm *w) { return confirmClose(w); };
  connect(window, &TzelTableForm::moved, this, [this, window] { windowMoved(window); });
  connect(window, &TzelTableForm::resized, this, [this, window] { windowResized(window); });
  connect(window, &QObject::destroyed, this, [this, window] {
    m_windows.removeOne(window);
    m_windowIndexStale = true;
  });
  connect(window, &QWidget::windowTitleChanged, this, [this] { m_windowIndexStale = true; });
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
  CalculateJoinLines();
  m_modified = false;
}

void TzelJoinsEditor::destroyWindows() {
  const QList<TzelTableForm *> windows = m_windows;
  m_windows.clear();
  m_windowIndexStale = true;
  for (TzelTableForm *window : windows) {
    window->disconnect(this);
    window->list()->disconnect(this);
    delete window;
  }
}

void TzelJoinsEditor::ClearTables() {
  destroyWindows();
  resetSurface();
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
  for (int i : order) {
    TzelTableForm *window = m_windows.at(i);
    const size_t c = size_t(column[size_t(i)]);
    window->move(left[c], top[c]);
    top[c] += window->height() + ArrangeMargin;
    growSurface(window->geometry()); // at once, though a hidden window reports its move later
    moved = keepGeometry(window) || moved;
  }
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
  m_windowIndexStale = true;
  CalculateJoinLines();
  m_modified = true;
  emit OnDeleteTable(window);
  return true;
}
