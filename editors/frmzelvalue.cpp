// SPDX-License-Identifier: MIT
#include "editors/frmzelvalue.h"

#include "controls/celldraw.h"
#include "controls/stringgrid.h"
#include "controls/zelspinedit.h"
#include "controls/zeltabletree.h"
#include "dialogs/guiscreen.h"
#include "editors/fielddrag.h"
#include "editors/valuecolumns.h"
#include "editors/zelqueryeditor.h"
#include "engine/sqlgenerator.h"
#include "engine/zelquerion.h"
#include "messages/zelmessages.h"
#include "model/quoting.h"
#include "model/vocabulary.h"
#include "model/zelquery.h"

#include <QApplication>
#include <QCloseEvent>
#include <QComboBox>
#include <QCoreApplication>
#include <QDropEvent>
#include <QHeaderView>
#include <QKeyEvent>
#include <QListWidget>
#include <QMenu>
#include <QPainter>
#include <QPlainTextEdit>
#include <QScopedValueRollback>
#include <QScrollBar>
#include <QSet>
#include <QStyledItemDelegate>
#include <QTabBar>
#include <QTabWidget>
#include <QTableWidget>
#include <QVBoxLayout>

#include <functional>

namespace {

constexpr int PropertyRowHeight = 19;
const QString HeadingKind = QStringLiteral("-1");
const QString PropertyKind = QStringLiteral("0");
const QString CustomHeader = QStringLiteral("Custom");
const QString EqualCommand = QStringLiteral("Is Equal To");

const QStringList &showTexts() {
  static const QStringList texts{"Show",         "Group",         "Sum",          "Count",
                                 "Min",          "Max",           "Average",      "Hide",
                                 "Group (Hide)", "Sum (Hide)",    "Count (Hide)", "Min (Hide)",
                                 "Max (Hide)",   "Average (Hide)"};
  return texts;
}

const QStringList &commandTexts() {
  static const QStringList texts{
      "Is Equal To",    "Is Between",          "Is Greater Than", "Is Greater or Equal To",
      "Is Less Than",   "Is Less or Equal To", "Is Like",         "Is Not Equal To",
      "Is Not Between", "Is Not Like"};
  return texts;
}

QStringList typeNames() {
  QStringList names;
  FieldTypeNames(names);
  return names;
}

// Commands that take a list of values; every other one compares with one or two.
bool takesList(int command) {
  return command == zelFilterEqual || command == zelFilterLike || command == zelFilterNotEqual ||
         command == zelFilterNotLike;
}

int valueRowsOf(int command) {
  if (command == zelFilterBetween || command == zelFilterNotBetween)
    return 2;
  return takesList(command) ? TzelFilterPositionMax : 1;
}

// NULL and NIL mean an empty field, which the filters spell BLANK.
bool meansBlank(const QString &value) {
  const QString upper = value.trimmed().toUpper();
  return upper == u"BLANK" || upper == u"NULL" || upper == u"NIL";
}

class PropertyDelegate : public QStyledItemDelegate {
public:
  using QStyledItemDelegate::QStyledItemDelegate;
  // Escape in an open cell editor closes the window, as everywhere else in it, instead of
  // dropping the edit: the close applies or refuses it as the close button does.
  std::function<void()> onEscape;

  QWidget *createEditor(QWidget *parent, const QStyleOptionViewItem &option,
                        const QModelIndex &index) const override {
    QWidget *editor = QStyledItemDelegate::createEditor(parent, option, index);
    if (editor)
      editor->setAccessibleName(index.siblingAtColumn(0).data().toString().trimmed());
    return editor;
  }
  bool eventFilter(QObject *watched, QEvent *event) override {
    if (onEscape && event->type() == QEvent::KeyPress &&
        static_cast<QKeyEvent *>(event)->key() == Qt::Key_Escape) {
      onEscape();
      return true;
    }
    return QStyledItemDelegate::eventFilter(watched, event);
  }
  void paint(QPainter *painter, const QStyleOptionViewItem &option,
             const QModelIndex &index) const override {
    const auto *grid = static_cast<const QTableWidget *>(parent());
    DrawListCell(*painter, *grid, index.row(), index.column(), option.rect,
                 option.state.testFlag(QStyle::State_Selected));
  }
};

// table.field, each part in brackets where the name needs quoting.
QString fieldText(const QString &table, const QString &field) {
  return QuoteIfKeyword(table, zelQuoteBracket) + QLatin1Char('.') +
         QuoteIfKeyword(field, zelQuoteBracket);
}

QTableWidget *propertyGrid(const char *name, const QString &accessibleName, QWidget *parent) {
  auto *grid = new QTableWidget(parent);
  grid->setObjectName(QLatin1String(name));
  grid->setAccessibleName(accessibleName);
  grid->setColumnCount(3);
  grid->horizontalHeader()->hide();
  grid->verticalHeader()->hide();
  grid->verticalHeader()->setMinimumSectionSize(0);
  grid->verticalHeader()->setDefaultSectionSize(PropertyRowHeight);
  grid->setColumnWidth(0, 85);
  grid->setColumnWidth(1, 136);
  grid->setColumnWidth(2, 64);
  grid->setColumnHidden(2, true); // the row kinds steer the editors; nobody reads them
  grid->setSelectionMode(QAbstractItemView::SingleSelection);
  grid->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
  grid->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
  grid->setWordWrap(false);
  grid->setItemDelegate(new PropertyDelegate(grid));
  zelSetGridEditing(*grid, false);
  return grid;
}

// A property's value cell, told to a screen reader with the property's name ("Sort,
// Ascending"): the name is in the title cell beside it, which the keyboard never reaches.
class PropertyValueItem : public QTableWidgetItem {
public:
  QVariant data(int role) const override {
    if (role != Qt::AccessibleTextRole || !tableWidget())
      return QTableWidgetItem::data(role);
    const QString title = zelCellText(*tableWidget(), row(), 0).trimmed();
    if (zelCellText(*tableWidget(), row(), 2) == HeadingKind)
      return title; // a heading has no value of its own
    return title + QStringLiteral(", ") + text();
  }
  QTableWidgetItem *clone() const override { return new PropertyValueItem(*this); }
};

// Keys of the value editor itself, taken before any of its controls or shortcuts see them.
// The workspace owning this tool window shares its shortcuts with it: its menu bar's Alt
// letters and its F1 would otherwise win over the pages' letters and this window's help.
class WindowKeys : public QObject {
public:
  // key(event, act) tells whether the key is the window's and, with act, acts on it.
  using Key = std::function<bool(const QKeyEvent &, bool act)>;
  WindowKeys(QWidget *window, Key key) : QObject(window), m_window(window), m_key(std::move(key)) {}

  bool eventFilter(QObject *watched, QEvent *event) override {
    if (event->type() != QEvent::ShortcutOverride && event->type() != QEvent::KeyPress)
      return false;
    const auto *widget = qobject_cast<QWidget *>(watched);
    if (!widget || widget->window() != m_window)
      return false;
    // The override only claims the key; the press that follows acts on it.
    if (!m_key(*static_cast<QKeyEvent *>(event), event->type() == QEvent::KeyPress))
      return false;
    event->accept();
    return true;
  }

private:
  QWidget *m_window;
  Key m_key;
};

void setRow(QTableWidget &grid, int row, const QString &title, const QString &kind, bool editable) {
  grid.setItem(row, 1, new PropertyValueItem);
  zelSetCellText(grid, row, 0, title);
  zelSetCellText(grid, row, 2, kind);
  zelSetCellText(grid, row, 1, QString());
  grid.item(row, 0)->setFlags(Qt::ItemIsEnabled);
  grid.item(row, 2)->setFlags(Qt::ItemIsEnabled);
  Qt::ItemFlags flags = Qt::ItemIsEnabled | Qt::ItemIsSelectable;
  if (editable)
    flags |= Qt::ItemIsEditable;
  grid.item(row, 1)->setFlags(flags);
}

const QStringList &functionItems() {
  static const QStringList items = [] {
    QStringList list{"COUNT(Table.Field)", "SUM(Table.Field)",
                     "AVG(Table.Field)",   "MIN(Table.Field)",
                     "MAX(Table.Field)",   "UPPER(Table.Field)",
                     "LOWER(Table.Field)", "SUBSTRING(Table.Field FROM start FOR length)"};
    for (const char *side : {"LEADING", "TRAILING", "BOTH"})
      list << QStringLiteral("TRIM(%1 \" \" FROM Table.Field)").arg(QLatin1String(side));
    for (const char *part : {"YEAR", "MONTH", "DAY", "HOUR", "MINUTE", "SECOND"})
      list << QStringLiteral("EXTRACT(%1 FROM Table.DateTime)").arg(QLatin1String(part));
    return list;
  }();
  return items;
}

} // namespace

TfrmZelValueEditor::TfrmZelValueEditor(TzelQueryEditor *editor)
    : QWidget(editor, Qt::Tool | Qt::WindowStaysOnTopHint | Qt::WindowTitleHint |
                          Qt::WindowSystemMenuHint | Qt::WindowMinimizeButtonHint |
                          Qt::WindowCloseButtonHint),
      m_editor(editor) {
  setObjectName(QStringLiteral("frmZelValueEditor"));
  setWindowTitle(QStringLiteral("Value Editor"));
  setAttribute(Qt::WA_DeleteOnClose);

  panNames = new QWidget(this);
  panNames->setObjectName(QStringLiteral("panNames"));
  cmbNames = new QComboBox(panNames);
  cmbNames->setObjectName(QStringLiteral("cmbNames"));
  cmbNames->setAccessibleName(QStringLiteral("Value headers"));
  auto *namesLayout = new QVBoxLayout(panNames);
  namesLayout->setContentsMargins(4, 4, 4, 2);
  namesLayout->addWidget(cmbNames);

  tabMain = new QTabWidget(this);
  tabMain->setObjectName(QStringLiteral("tabMain"));
  buildValuePage();
  buildFilterPage();
  buildExpressionPage();
  buildMenu();

  auto *layout = new QVBoxLayout(this);
  layout->setContentsMargins(0, 0, 0, 0);
  layout->setSpacing(0);
  layout->addWidget(panNames);
  layout->addWidget(tabMain, 1);
  const int gridWidth = 85 + 136 + grdValue->verticalScrollBar()->sizeHint().width() +
                        2 * grdValue->frameWidth() + 12;
  resize(gridWidth, 13 * grdValue->verticalHeader()->defaultSectionSize() + 110);

  qApp->installEventFilter(
      new WindowKeys(this, [this](const QKeyEvent &key, bool act) { return ownKey(key, act); }));
  connect(cmbNames, &QComboBox::activated, this, &TfrmZelValueEditor::cmbNamesChange);
  connect(tabMain, &QTabWidget::currentChanged, this, &TfrmZelValueEditor::tabMainChange);
  zelCentreOnScreen(*this);
}

void TfrmZelValueEditor::buildValuePage() {
  grdValue = propertyGrid("grdValue", QStringLiteral("Value properties"), tabMain);
  grdValue->setRowCount(valueRowCount);
  const struct {
    int row;
    const char *title;
    bool heading;
    bool editable;
  } rows[] = {{rowQuery, " Query", true, false},       {rowDistinct, "   Distinct", false, false},
              {rowValue, " Value", true, false},       {rowHeader, "   Header", false, true},
              {rowTable, "   Table", false, false},    {rowField, "   Field", false, false},
              {rowType, "   Type", false, false},      {rowDisplay, " Display", true, false},
              {rowShow, "   Show", false, false},      {rowSort, "   Sort", false, false},
              {rowFormat, "   Format", false, true},   {rowWidth, "   Width", false, false},
              {rowAlign, "   Alignment", false, false}};
  for (const auto &r : rows)
    setRow(*grdValue, r.row, QLatin1String(r.title), r.heading ? HeadingKind : PropertyKind,
           r.editable);
  for (int row = rowAlign + 1; row < valueRowCount; ++row)
    for (int column = 0; column < 3; ++column) {
      zelSetCellText(*grdValue, row, column, QString());
      grdValue->item(row, column)->setFlags(Qt::NoItemFlags);
    }

  cmbDistinct = cellCombo("cmbDistinct", {"False", "True"}, grdValue);
  cmbTypes = cellCombo("cmbTypes", typeNames(), grdValue);
  cmbShow = cellCombo("cmbShow", showTexts(), grdValue);
  cmbSort = cellCombo("cmbSort", {"Unsorted", "Ascending", "Descending"}, grdValue);
  cmbAlign = cellCombo("cmbAlign", {"Left", "Right", "Center"}, grdValue);
  const std::pair<QComboBox *, int> combos[] = {{cmbDistinct, rowDistinct},
                                                {cmbTypes, rowType},
                                                {cmbShow, rowShow},
                                                {cmbSort, rowSort},
                                                {cmbAlign, rowAlign}};
  for (auto [combo, row] : combos)
    connect(combo, &QComboBox::activated, this,
            [this, combo, row] { comboActivated(combo, grdValue, row); });
  nameCombos(grdValue, {rowDistinct, rowType, rowShow, rowSort, rowAlign});
  closeOnEscape(grdValue);
  spnWidth = new TzelSpinEdit(grdValue->viewport());
  spnWidth->setObjectName(QStringLiteral("spnWidth"));
  spnWidth->setAccessibleName(QStringLiteral("Width"));
  spnWidth->SetIncrement(1);
  spnWidth->SetAutoSize(false);
  spnWidth->hide();
  // Rows as high as the in-place spin edit needs in the screen's font, so it fits the cell.
  const int rowHeight = qMax(PropertyRowHeight, spnWidth->minimumEditHeight() + 1); // + grid line
  grdValue->verticalHeader()->setDefaultSectionSize(rowHeight);
  grdValue->setRowHeight(rowTable, rowHeight + 1);
  connect(spnWidth, &QLineEdit::textChanged, this, &TfrmZelValueEditor::spnWidthChange);

  connect(grdValue, &QTableWidget::currentCellChanged, this,
          [this](int row, int column) { selectPropertyCell(grdValue, row, column); });
  connect(grdValue->verticalScrollBar(), &QScrollBar::valueChanged, this,
          [this] { hideEditors(grdValue); });
  connect(grdValue, &QTableWidget::itemChanged, this, [this] { setEdited(); });
  grdValue->installEventFilter(this);
  tabMain->addTab(grdValue, QStringLiteral("&Value"));
}

void TfrmZelValueEditor::buildFilterPage() {
  grdFilter = propertyGrid("grdFilter", QStringLiteral("Filter"), tabMain);
  grdFilter->verticalHeader()->setDefaultSectionSize(
      grdValue->verticalHeader()->defaultSectionSize());
  grdFilter->setRowCount(rowFirstValue);
  setRow(*grdFilter, rowFilter, QStringLiteral(" Filter"), HeadingKind, false);
  setRow(*grdFilter, rowNumber, QStringLiteral("   Number"), PropertyKind, false);
  setRow(*grdFilter, rowCommand, QStringLiteral("   Command"), PropertyKind, false);
  QStringList numbers;
  for (int n = TzelFilterPositionMin; n <= TzelFilterPositionMax; ++n)
    numbers << QStringLiteral("Filter %1").arg(n);
  cmbFilter = cellCombo("cmbFilter", numbers, grdFilter);
  cmbCommand = cellCombo("cmbCommand", commandTexts(), grdFilter);
  nameCombos(grdFilter, {rowNumber, rowCommand});
  closeOnEscape(grdFilter);
  connect(cmbFilter, &QComboBox::activated, this, &TfrmZelValueEditor::cmbFilterChange);
  connect(cmbCommand, &QComboBox::activated, this, [this](int index) {
    if (!cmbCommand->isVisible())
      return;
    SetCommand(index, true);
    setEdited();
  });
  connect(grdFilter, &QTableWidget::currentCellChanged, this,
          [this](int row, int column) { selectPropertyCell(grdFilter, row, column); });
  connect(grdFilter->verticalScrollBar(), &QScrollBar::valueChanged, this,
          [this] { hideEditors(grdFilter); });
  connect(grdFilter, &QTableWidget::itemChanged, this, [this] { setEdited(); });
  grdFilter->installEventFilter(this);
  tabMain->addTab(grdFilter, QStringLiteral("&Filter"));
}

void TfrmZelValueEditor::buildExpressionPage() {
  auto *page = new QWidget(tabMain);
  memExpression = new QPlainTextEdit(page);
  memExpression->setObjectName(QStringLiteral("memExpression"));
  memExpression->setAccessibleName(QStringLiteral("Expression"));
  memExpression->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
  memExpression->setFixedHeight(4 * memExpression->fontMetrics().height());
  memExpression->installEventFilter(this);
  memExpression->viewport()->installEventFilter(this); // fields dragged from table windows
  connect(memExpression, &QPlainTextEdit::textChanged, this, [this] {
    if (!m_loading)
      m_memoModified = true;
  });
  tabExpression = new QTabBar(page);
  tabExpression->setObjectName(QStringLiteral("tabExpression"));
  tabExpression->setAccessibleName(QStringLiteral("Expression parts"));
  for (const char *caption : {"&Tables", "&Functions", "&Operators"})
    tabExpression->addTab(QLatin1String(caption));
  bevExpression = new QFrame(page);
  bevExpression->setObjectName(QStringLiteral("bevExpression"));
  bevExpression->setFrameShape(QFrame::StyledPanel);
  auto *lists = new QVBoxLayout(bevExpression);
  lists->setContentsMargins(0, 0, 0, 0);
  outTables = new TzelTableTree(bevExpression);
  outTables->setObjectName(QStringLiteral("outTables"));
  outTables->setAccessibleName(QStringLiteral("Tables and fields"));
  lstFunctions = new QListWidget(bevExpression);
  lstFunctions->setObjectName(QStringLiteral("lstFunctions"));
  lstFunctions->setAccessibleName(QStringLiteral("Functions"));
  lstFunctions->addItems(functionItems());
  lstOperators = new QListWidget(bevExpression);
  lstOperators->setObjectName(QStringLiteral("lstOperators"));
  lstOperators->setAccessibleName(QStringLiteral("Operators"));
  lstOperators->addItems({"+", "-", "*", "/", "( ", ")", "||"});
  for (QWidget *list : {static_cast<QWidget *>(outTables), static_cast<QWidget *>(lstFunctions),
                        static_cast<QWidget *>(lstOperators)})
    lists->addWidget(list);
  auto *layout = new QVBoxLayout(page);
  layout->setContentsMargins(2, 2, 2, 2);
  layout->setSpacing(2);
  layout->addWidget(memExpression);
  layout->addWidget(tabExpression);
  layout->addWidget(bevExpression, 1);
  tabExpressionChange(0);
  connect(tabExpression, &QTabBar::currentChanged, this, &TfrmZelValueEditor::tabExpressionChange);
  connect(outTables, &QTreeWidget::itemDoubleClicked, this,
          [this](QTreeWidgetItem *item) { outTablesDblClick(item); });
  connect(lstFunctions, &QListWidget::itemDoubleClicked, this,
          &TfrmZelValueEditor::lstFunctionsDblClick);
  connect(lstOperators, &QListWidget::itemDoubleClicked, this,
          &TfrmZelValueEditor::lstOperatorsDblClick);
  page->setFocusProxy(memExpression); // turned to by its key, the page is typed into
  tabMain->addTab(page, QStringLiteral("&Expression"));
}

void TfrmZelValueEditor::buildMenu() {
  popMenu = new QMenu(this);
  popMenu->setObjectName(QStringLiteral("popMenu"));
  mnuStayOnTop = popMenu->addAction(QStringLiteral("&Stay on top"));
  mnuStayOnTop->setObjectName(QStringLiteral("mnuStayOnTop"));
  mnuStayOnTop->setCheckable(true);
  mnuStayOnTop->setChecked(true);
  mnuHide = popMenu->addAction(QStringLiteral("&Hide"));
  mnuHide->setObjectName(QStringLiteral("mnuHide"));
  popMenu->addSeparator();
  mnuClearValues = popMenu->addAction(QStringLiteral("&Clear Values"));
  mnuClearValues->setObjectName(QStringLiteral("mnuClearValues"));
  mnuClearValues->setEnabled(false);
  mnuRestoreValues = popMenu->addAction(QStringLiteral("&Restore Values"));
  mnuRestoreValues->setObjectName(QStringLiteral("mnuRestoreValues"));
  mnuRestoreValues->setEnabled(false);
  popMenu->addSeparator();
  mnuHelp = popMenu->addAction(QStringLiteral("H&elp"));
  mnuHelp->setObjectName(QStringLiteral("mnuHelp"));

  connect(mnuStayOnTop, &QAction::toggled, this, [this](bool on) {
    const bool shown = isVisible();
    setWindowFlag(Qt::WindowStaysOnTopHint, on);
    if (shown)
      show();
  });
  connect(mnuHide, &QAction::triggered, this, &QWidget::close);
  connect(mnuClearValues, &QAction::triggered, this, [this] {
    setFilterCell(rowCommand, EqualCommand);
    m_valueRows = 0; // every value row is cleared and titled again
    setValueRows(TzelFilterPositionMax, false);
    setEdited();
  });
  connect(mnuRestoreValues, &QAction::triggered, this,
          [this] { ShowValue(m_column, m_row, m_index); });
  connect(mnuHelp, &QAction::triggered, this, &TfrmZelValueEditor::HelpClick);
  setContextMenuPolicy(Qt::CustomContextMenu);
  connect(this, &QWidget::customContextMenuRequested, this,
          [this](const QPoint &pos) { popMenu->popup(mapToGlobal(pos)); });
  for (QWidget *child : {static_cast<QWidget *>(grdValue), static_cast<QWidget *>(grdFilter)}) {
    child->setContextMenuPolicy(Qt::CustomContextMenu);
    connect(child, &QWidget::customContextMenuRequested, this,
            [this, child](const QPoint &pos) { popMenu->popup(child->mapToGlobal(pos)); });
  }
}

QComboBox *TfrmZelValueEditor::cellCombo(const char *name, const QStringList &items,
                                         QTableWidget *grid) {
  auto *combo = new QComboBox(grid->viewport());
  combo->setObjectName(QLatin1String(name));
  combo->setAccessibleName(QLatin1String(name).mid(3));
  combo->addItems(items);
  combo->setMaxVisibleItems(14);
  combo->hide();
  combo->installEventFilter(this); // Escape and Shift+F10 act on the window here too
  return combo;
}

// Each in-place combo reads as the title of the row it edits.
void TfrmZelValueEditor::nameCombos(QTableWidget *grid, std::initializer_list<int> rows) {
  for (int row : rows)
    comboOf(grid, row)->setAccessibleName(zelCellText(*grid, row, 0).trimmed());
}

void TfrmZelValueEditor::closeOnEscape(QTableWidget *grid) {
  static_cast<PropertyDelegate *>(grid->itemDelegate())->onEscape = [this] {
    // Queued: the cell editor that saw the key is closed by the close itself.
    QMetaObject::invokeMethod(this, &QWidget::close, Qt::QueuedConnection);
  };
}

TzelQuery *TfrmZelValueEditor::query() const {
  return m_editor->CurrentQuery();
}

QString TfrmZelValueEditor::value(int row) const {
  return zelCellText(*grdValue, row, 1);
}

void TfrmZelValueEditor::setValue(int row, const QString &text) {
  const bool loading = std::exchange(m_loading, true);
  zelSetCellText(*grdValue, row, 1, text);
  m_loading = loading;
}

QString TfrmZelValueEditor::filterCell(int row) const {
  return zelCellText(*grdFilter, row, 1);
}

void TfrmZelValueEditor::setFilterCell(int row, const QString &text) {
  const bool loading = std::exchange(m_loading, true);
  zelSetCellText(*grdFilter, row, 1, text);
  m_loading = loading;
}

void TfrmZelValueEditor::setEdited() {
  if (!m_loading)
    m_edited = true;
}

void TfrmZelValueEditor::hideEditors(QTableWidget *grid) {
  const QList<QWidget *> editors =
      grid == grdValue
          ? QList<QWidget *>{cmbDistinct, cmbTypes, cmbShow, cmbSort, cmbAlign, spnWidth}
          : QList<QWidget *>{cmbFilter, cmbCommand};
  for (QWidget *editor : editors) {
    if (editor->hasFocus())
      grid->setFocus(); // not on to whatever follows in the window's focus chain
    editor->hide();
  }
  zelHideCellEditorLabel(*grid);
}

void TfrmZelValueEditor::selectPropertyCell(QTableWidget *grid, int row, int column) {
  if (row < 0)
    return;
  const int lastRow = grid == grdFilter ? 2 + m_valueRows : rowAlign;
  if (column != 1 || row > lastRow) {
    grid->setCurrentCell(qMin(row, lastRow), 1);
    return;
  }
  hideEditors(grid);
  const QTableWidgetItem *item = grid->item(row, 1);
  const bool text = item && item->flags().testFlag(Qt::ItemIsEditable);
  zelSetGridEditing(*grid, text, text);
  if (text && grid->isVisible())
    grid->edit(grid->model()->index(row, 1)); // the editor shows at once, as the mode says
  if (grid == grdValue && row == rowWidth) {
    const bool loading = std::exchange(m_loading, true);
    spnWidth->SetValue(zelSpinCellValue(*grdValue, row, 1));
    zelPlaceOverCell(*grdValue, *spnWidth, row, 1);
    m_loading = loading;
  }
  if (QComboBox *combo = comboOf(grid, row)) {
    zelPlaceComboOverCell(*grid, *combo, row, 1, {}, 2);
    zelLabelCellEditor(*grid, *combo, row);
    if (grid->hasFocus()) // typed letters and Alt+Down go to the combo, as on a text row
      combo->setFocus(Qt::OtherFocusReason);
  }
}

// Keys that move between rows or leave the grid pass from an in-place combo to its grid, so
// the arrow keys walk the rows rather than the combo's items.
bool TfrmZelValueEditor::comboKey(QComboBox *combo, QKeyEvent *event) {
  static const QSet<int> rowKeys{Qt::Key_Up,       Qt::Key_Down, Qt::Key_PageUp,
                                 Qt::Key_PageDown, Qt::Key_Tab,  Qt::Key_Backtab};
  auto *grid = combo->parentWidget()
                   ? qobject_cast<QTableWidget *>(combo->parentWidget()->parentWidget())
                   : nullptr;
  if (!grid || !rowKeys.contains(event->key()) || (event->modifiers() & Qt::AltModifier))
    return false;
  grid->setFocus(Qt::OtherFocusReason);
  QCoreApplication::sendEvent(grid, event);
  return true;
}

QComboBox *TfrmZelValueEditor::comboOf(const QTableWidget *grid, int row) const {
  if (grid == grdFilter)
    return row == rowNumber ? cmbFilter : row == rowCommand ? cmbCommand : nullptr;
  switch (row) {
  case rowDistinct:
    return cmbDistinct;
  case rowType:
    return cmbTypes;
  case rowShow:
    return cmbShow;
  case rowSort:
    return cmbSort;
  case rowAlign:
    return cmbAlign;
  default:
    return nullptr;
  }
}

void TfrmZelValueEditor::comboActivated(QComboBox *combo, QTableWidget *grid, int row) {
  if (!combo->isVisible())
    return;
  zelSetCellText(*grid, row, 1, combo->currentText());
  setEdited();
}

void TfrmZelValueEditor::spnWidthChange() {
  if (!spnWidth->isVisible() || m_loading)
    return;
  setValue(rowWidth, QString::number(qRound(spnWidth->Value())));
  setEdited();
}

void TfrmZelValueEditor::SetCommand(int command, bool fromCombo) {
  setFilterCell(rowCommand, commandTexts().value(command, EqualCommand));
  setValueRows(valueRowsOf(command), fromCombo);
}

void TfrmZelValueEditor::setValueRows(int count, bool fromCombo) {
  if (count == m_valueRows)
    return;
  const bool loading = std::exchange(m_loading, true);
  // From the combo the values that still fit survive; a load starts empty.
  const int keep = fromCombo ? qMin(count, m_valueRows) : 0;
  grdFilter->setRowCount(rowFirstValue + count);
  for (int i = 0; i < count; ++i) {
    const QString kept = i < keep ? filterCell(rowFirstValue + i) : QString();
    setRow(*grdFilter, rowFirstValue + i, QStringLiteral("   Value %1").arg(i + 1), PropertyKind,
           true);
    setFilterCell(rowFirstValue + i, kept);
  }
  m_valueRows = count;
  m_loading = loading;
}

void TfrmZelValueEditor::SetHeaders(const QStringList &headers) {
  const bool loading = std::exchange(m_loading, true);
  QStringList sorted = headers;
  sorted.sort(Qt::CaseInsensitive);
  cmbNames->clear();
  cmbNames->addItems(sorted);
  m_loading = loading;
}

void TfrmZelValueEditor::ReloadTables() {
  outTables->ClearNodes();
  TzelQuery *q = query();
  if (!q)
    return;
  QStringList tables;
  q->ListTableAliases(tables);
  tables.sort(Qt::CaseInsensitive);
  const TzelProbe<TzelQuery> quiet(*q);
  for (const QString &alias : std::as_const(tables)) {
    outTables->AddTableNode(alias);
    QStringList fields;
    q->ListFieldAliases(alias, fields);
    for (const QString &field : std::as_const(fields))
      outTables->AddFieldNode(field);
  }
}

void TfrmZelValueEditor::ShowValue(int column, int row, int index) {
  const bool loading = std::exchange(m_loading, true);
  // Cell editors left open would keep the old column's text: they close before the load and
  // open again on the new content.
  const int valueRow = grdValue->currentRow();
  const int filterRow = grdFilter->currentRow();
  grdValue->setCurrentCell(rowDistinct, 1);
  grdFilter->setCurrentCell(rowNumber, 1);
  m_column = column;
  m_row = qMax(row, ValueRow::FirstFilter);
  m_index = cmbNames->count() == 0 ? -1 : index;
  hideEditors(grdValue);
  hideEditors(grdFilter);
  setValue(rowDistinct, BooleanDisplayText(query() && query()->IsDistinct()));
  zelSelectComboText(*cmbNames,
                     m_index == -1 ? QString() : m_editor->cell(column, ValueRow::Header));
  loadValueRows();
  loadFilter();
  memExpression->setPlainText(m_index == -1 ? QString() : shownExpression());
  m_memoModified = false;
  m_loading = loading;
  reselect(grdValue, valueRow);
  reselect(grdFilter, qMin(filterRow, 2 + m_valueRows));
}

void TfrmZelValueEditor::reselect(QTableWidget *grid, int row) {
  if (row < 0)
    row = grid->currentRow();
  if (grid->currentRow() == row)
    selectPropertyCell(grid, row, 1);
  else
    grid->setCurrentCell(row, 1);
}

void TfrmZelValueEditor::loadValueRows() {
  if (m_index == -1) {
    const QString defaults[] = {CustomHeader, QString(), QStringLiteral("{Expression}"),
                                typeNames().value(1)};
    for (int i = 0; i < 4; ++i)
      setValue(rowHeader + i, defaults[i]);
    setValue(rowShow, showTexts().first());
    setValue(rowSort, QStringLiteral("Unsorted"));
    setValue(rowFormat, QString());
    setValue(rowWidth, QStringLiteral("25"));
    setValue(rowAlign, QStringLiteral("Left"));
    return;
  }
  const auto grid = [this](int row) { return m_editor->cell(m_column, row); };
  setValue(rowHeader, grid(ValueRow::Header));
  setValue(rowTable, grid(ValueRow::Table));
  setValue(rowField, grid(ValueRow::Field));
  setValue(rowType, typeNames().value(grid(ValueRow::Type).toInt()));
  setValue(rowShow, ShowDisplayText(TzelShow(grid(ValueRow::ShowOrdinal).toInt())));
  setValue(rowSort, SortDisplayText(TzelSort(grid(ValueRow::SortOrdinal).toInt()), true));
  setValue(rowFormat, grid(ValueRow::Format));
  setValue(rowWidth, grid(ValueRow::Width));
  setValue(rowAlign, AlignmentDisplayText(TAlignment(grid(ValueRow::Align).toInt())));
}

void TfrmZelValueEditor::loadFilter() {
  setFilterCell(rowNumber, QStringLiteral("Filter %1").arg(m_row - 4));
  setFilterCell(rowCommand, EqualCommand);
  m_valueRows = 0; // the reset clears every value row
  setValueRows(TzelFilterPositionMax, false);
  TzelRawFilter raw;
  if (SplitRawFilter(m_editor->cell(m_column, m_row + ValueRow::RawFilterOffset), raw)) {
    SetCommand(raw.oper, false);
    for (int i = 0; i < raw.values.size() && i < m_valueRows; ++i)
      setFilterCell(rowFirstValue + i, raw.values[i]);
  }
  zelSelectComboText(*cmbFilter, filterCell(rowNumber));
}

bool TfrmZelValueEditor::blankWithComparison(QString &command) const {
  command = filterCell(rowCommand);
  if (takesList(int(commandTexts().indexOf(command))))
    return false;
  for (int i = 0; i < m_valueRows; ++i)
    if (meansBlank(filterCell(rowFirstValue + i)))
      return true;
  return false;
}

// A calculated value's text, or the field a field value reads, written as a double click on
// that field puts it in.
QString TfrmZelValueEditor::shownExpression() const {
  if (IsBlank(value(rowTable)))
    return value(rowField);
  return fieldText(value(rowTable), value(rowField));
}

void TfrmZelValueEditor::takeExpression() {
  if (!std::exchange(m_memoModified, false))
    return;
  const QString text = memExpression->toPlainText();
  // An emptied memo does not turn a field value into an expression of nothing, and the field
  // written back as it was shown leaves it a field value.
  if (!IsBlank(value(rowTable)) &&
      (zelBlankExpression(text) || text.trimmed() == shownExpression()))
    return;
  setValue(rowTable, QString());
  setValue(rowField, text);
}

void TfrmZelValueEditor::commitEditors() {
  // The checks below read the cells: text still in a cell editor must be in its cell first.
  zelCommitCellEditor(*grdValue);
  zelCommitCellEditor(*grdFilter);
  spnWidthChange(); // the combos and the spin edit write on every change; this is a safeguard
}

bool TfrmZelValueEditor::blankExpression() const {
  // A column without a value gets none from an empty memo, and a field value stays a field.
  if (m_index == -1 || !IsBlank(value(rowTable)))
    return false;
  return zelBlankExpression(m_memoModified ? memExpression->toPlainText() : value(rowField));
}

bool TfrmZelValueEditor::ApplyValue() {
  const QScopedValueRollback applying(m_applying, true);
  commitEditors();
  if (IsBlank(value(rowHeader))) {
    zelShowError(QStringLiteral("Error: Cannot save a value with a blank Header"));
    return false;
  }
  QString command;
  if (blankWithComparison(command)) {
    zelShowError(QStringLiteral("Error: Cannot use BLANK with the [") + command +
                 QStringLiteral("] command"));
    return false;
  }
  if (blankExpression()) {
    zelShowError(QStringLiteral("Error: Cannot save a value with a blank Expression"));
    return false;
  }
  if (TzelQuery *q = query())
    q->SetIsDistinct(value(rowDistinct) == u"True");
  grdValue->setCurrentCell(rowDistinct, 1);
  grdFilter->setCurrentCell(rowNumber, 1);
  if (m_index == -1) {
    if (!m_memoModified || zelBlankExpression(memExpression->toPlainText()))
      return true;
    m_editor->setCell(m_column, ValueRow::Index, NewValueIndex());
    m_index = -2;
  }
  takeExpression();
  // A field value turned into an expression stays the same value, in the same column.
  const QString oldTable = m_editor->cell(m_column, ValueRow::Table);
  const QString oldField = m_editor->cell(m_column, ValueRow::Field);
  writeGridColumn();
  if (!IsBlank(oldTable) && IsBlank(value(rowTable)))
    m_editor->ReleaseField(oldTable, oldField);
  m_editor->SelectCell(m_column, m_row);
  m_editor->RefreshValueEditor();
  if (std::exchange(m_edited, false)) {
    m_editor->recordStep(QStringLiteral("Edit Value ") + value(rowHeader));
    m_editor->SetModified(true);
  }
  return true;
}

void TfrmZelValueEditor::writeGridColumn() {
  const auto put = [this](int row, const QString &text) { m_editor->setCell(m_column, row, text); };
  put(ValueRow::Header, value(rowHeader));
  put(ValueRow::Table, value(rowTable));
  put(ValueRow::Field, value(rowField));
  put(ValueRow::Show, value(rowShow));
  put(ValueRow::Sort, value(rowSort) == u"Unsorted" ? QString() : value(rowSort));
  put(ValueRow::ShowOrdinal, QString::number(cmbShow->findText(value(rowShow))));
  put(ValueRow::SortOrdinal, QString::number(cmbSort->findText(value(rowSort))));
  put(ValueRow::Type, QString::number(cmbTypes->findText(value(rowType))));
  put(ValueRow::Format, value(rowFormat));
  put(ValueRow::Width, value(rowWidth));
  put(ValueRow::Align, QString::number(cmbAlign->findText(value(rowAlign))));
  const QString raw = buildRawFilter();
  put(m_row + ValueRow::RawFilterOffset, raw);
  put(m_row, FilterDisplayText(raw, TFieldType(cmbTypes->findText(value(rowType)))));
}

QString TfrmZelValueEditor::buildRawFilter() {
  QStringList values;
  for (int i = 0; i < m_valueRows; ++i) {
    const int row = rowFirstValue + i;
    QString text = filterCell(row);
    if (IsBlank(zelCellText(*grdFilter, row, 0)) || IsBlank(text))
      continue;
    const QString upper = text.trimmed().toUpper();
    if (upper == u"NULL" || upper == u"NIL") {
      text = KeywordText(QStringLiteral("BLANK"));
      setFilterCell(row, text);
    }
    values << text;
  }
  return JoinRawFilter(int(commandTexts().indexOf(filterCell(rowCommand))), values);
}

void TfrmZelValueEditor::cmbFilterChange() {
  if (!cmbFilter->isVisible())
    return;
  const int position = cmbFilter->currentIndex() + 1;
  ApplyValue(); // a failed apply loses the edits of the old position, as the move goes on
  setFilterCell(rowNumber, cmbFilter->itemText(position - 1));
  m_editor->SelectCell(m_column, position + 4);
}

void TfrmZelValueEditor::cmbNamesChange() {
  const QString header = cmbNames->currentText();
  if (!ApplyValue()) {
    zelSelectComboText(*cmbNames, m_editor->cell(m_column, ValueRow::Header));
    return;
  }
  for (int column = 1; column < m_editor->grdValues->columnCount(); ++column)
    if (m_editor->cell(column, ValueRow::Header) == header) {
      m_editor->SelectCell(column, m_row);
      return;
    }
}

void TfrmZelValueEditor::tabMainChange(int page) {
  takeExpression();
  mnuClearValues->setEnabled(page == pageFilter);
  mnuRestoreValues->setEnabled(page == pageFilter);
  if (page == pageExpression)
    ReloadTables();
}

void TfrmZelValueEditor::tabExpressionChange(int tab) {
  outTables->setVisible(tab == 0);
  lstFunctions->setVisible(tab == 1);
  lstOperators->setVisible(tab == 2);
}

void TfrmZelValueEditor::InsertExpressionText(const QString &text) {
  QTextCursor cursor = memExpression->textCursor();
  QString inserted = text;
  if (!cursor.hasSelection()) {
    if (cursor.position() > 0)
      inserted = QLatin1Char(' ') + text + QLatin1Char(' ');
    else if (!memExpression->toPlainText().isEmpty())
      inserted = text + QLatin1Char(' ');
  }
  cursor.insertText(inserted);
  memExpression->setTextCursor(cursor);
  memExpression->setFocus();
  m_memoModified = true;
  m_edited = true;
}

void TfrmZelValueEditor::outTablesDblClick(QTreeWidgetItem *item) {
  if (!item || !item->parent())
    return;
  InsertFieldText(item->parent()->text(0), item->text(0));
}

void TfrmZelValueEditor::InsertFieldText(const QString &table, const QString &field) {
  InsertExpressionText(fieldText(table, field));
}

void TfrmZelValueEditor::lstFunctionsDblClick() {
  if (QListWidgetItem *item = lstFunctions->currentItem())
    InsertExpressionText(item->text());
}

void TfrmZelValueEditor::lstOperatorsDblClick() {
  if (QListWidgetItem *item = lstOperators->currentItem())
    InsertExpressionText(item->text());
}

void TfrmZelValueEditor::HelpClick() {
  static const int contexts[] = {1020, 9, 1019};
  TzelQuerion *querion = m_editor->Querion();
  if (querion && querion->DataModel())
    querion->DataModel()->ShowHelp(0, contexts[qBound(0, tabMain->currentIndex(), 2)]);
}

void TfrmZelValueEditor::FormActivate() {
  if (tabMain->currentIndex() == pageExpression)
    ReloadTables();
}

void TfrmZelValueEditor::FormDeactivate() {
  // The error box of a failed apply takes the focus: that is no second deactivation.
  if (m_applying)
    return;
  if (!ApplyValue())
    activateWindow();
}

void TfrmZelValueEditor::changeEvent(QEvent *event) {
  QWidget::changeEvent(event);
  if (event->type() != QEvent::ActivationChange || !isVisible())
    return;
  if (isActiveWindow())
    FormActivate();
  else
    FormDeactivate();
}

void TfrmZelValueEditor::closeEvent(QCloseEvent *event) {
  if (!ApplyValue()) {
    event->ignore();
    return;
  }
  event->accept();
  if (!Closing) {
    Closing = true;
    m_editor->SetValueEditorStatus(zelDialogClose);
  }
}

void TfrmZelValueEditor::keyPressEvent(QKeyEvent *event) {
  if (windowKey(*event))
    return;
  QWidget::keyPressEvent(event);
}

// F1 and the page keys, wherever the focus is in the window.
bool TfrmZelValueEditor::ownKey(const QKeyEvent &event, bool act) {
  const int page = pageKey(event);
  const bool help = event.key() == Qt::Key_F1 && event.modifiers() == Qt::NoModifier;
  if (act && help)
    HelpClick();
  if (act && page >= 0) {
    tabMain->setCurrentIndex(page);
    if (QWidget *shown = tabMain->currentWidget(); shown && !shown->isAncestorOf(focusWidget()))
      shown->setFocus(Qt::TabFocusReason);
  }
  return help || page >= 0;
}

// Escape closes the window as its close button does; Shift+F10 opens the popup over the
// focused control.
bool TfrmZelValueEditor::windowKey(const QKeyEvent &event) {
  if (event.key() == Qt::Key_Escape && event.modifiers() == Qt::NoModifier) {
    close();
    return true;
  }
  if (event.key() == Qt::Key_F10 && event.modifiers() == Qt::ShiftModifier) {
    QWidget *at = focusWidget() ? focusWidget() : this;
    popMenu->popup(at->mapToGlobal(at->rect().center()));
    return true;
  }
  return false;
}

// The page a key turns to, or -1: the tabs' own Alt letters (which the workspace's menu bar
// would otherwise take, this being its tool window), and Ctrl+Tab / Ctrl+Page Down forward,
// Ctrl+Shift+Tab / Ctrl+Page Up back, which the grids would take as Tab.
int TfrmZelValueEditor::pageKey(const QKeyEvent &event) const {
  const Qt::KeyboardModifiers mods = event.modifiers() & ~Qt::KeypadModifier;
  const int count = tabMain->count();
  const int at = tabMain->currentIndex();
  if (mods == Qt::AltModifier) {
    static const QList<int> letters{Qt::Key_V, Qt::Key_F, Qt::Key_E};
    return int(letters.indexOf(event.key()));
  }
  if (mods == Qt::ControlModifier &&
      (event.key() == Qt::Key_Tab || event.key() == Qt::Key_PageDown))
    return (at + 1) % count;
  if ((mods == (Qt::ControlModifier | Qt::ShiftModifier) && event.key() == Qt::Key_Backtab) ||
      (mods == Qt::ControlModifier && event.key() == Qt::Key_PageUp))
    return (at + count - 1) % count;
  return -1;
}

bool TfrmZelValueEditor::dropOnExpression(QEvent *event) {
  auto *drop = static_cast<QDropEvent *>(event);
  TzelDraggedField field;
  if (!zelDecodeField(drop->mimeData(), field) || field.fieldAlias == u"*")
    return false;
  drop->acceptProposedAction();
  if (event->type() == QEvent::Drop) {
    memExpression->setTextCursor(memExpression->cursorForPosition(drop->position().toPoint()));
    InsertFieldText(field.tableAlias, field.fieldAlias);
  }
  return true;
}

bool TfrmZelValueEditor::eventFilter(QObject *watched, QEvent *event) {
  if (memExpression && watched == memExpression->viewport() &&
      (event->type() == QEvent::DragEnter || event->type() == QEvent::DragMove ||
       event->type() == QEvent::Drop))
    return dropOnExpression(event) || QWidget::eventFilter(watched, event);
  if (event->type() == QEvent::KeyPress) {
    const auto *key = static_cast<QKeyEvent *>(event);
    if (windowKey(*key))
      return true;
    if (auto *combo = qobject_cast<QComboBox *>(watched))
      return comboKey(combo, static_cast<QKeyEvent *>(event)) ||
             QWidget::eventFilter(watched, event);
    setEdited();
  }
  return QWidget::eventFilter(watched, event);
}
