#include "editors/zelqueryeditor.h"

#include "controls/stringgrid.h"
#include "controls/zelalign.h"
#include "controls/zelsplit.h"
#include "controls/zeltabletree.h"
#include "editors/frmzelvalue.h"
#include "editors/joinseditor.h"
#include "editors/tableform.h"
#include "editors/tablelist.h"
#include "editors/valuecolumns.h"
#include "engine/queryfile.h"
#include "engine/queryprompts.h"
#include "engine/zelquerion.h"
#include "messages/busycursor.h"
#include "messages/zelfiledialog.h"
#include "messages/zelmessages.h"
#include "model/vocabulary.h"
#include "model/zelquery.h"

#include <QComboBox>
#include <QDropEvent>
#include <QFileInfo>
#include <QGuiApplication>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>
#include <QMenu>
#include <QMimeData>
#include <QPlainTextEdit>
#include <QScreen>
#include <QScrollBar>
#include <QSettings>
#include <QSignalBlocker>
#include <QStackedWidget>
#include <QTabBar>

namespace {

constexpr int InitialColumns = 31;
constexpr int MinimumColumns = 30;
constexpr int AddedColumns = 10;
constexpr int LastSelectableRow = ValueRow::LastFilter;
// The joins editor's share of the query page until the user moves the splitter; the tables
// need more room than the grid's five visible rows.
constexpr double DefaultJoinsShare = 0.6;
const char *const JoinsShareKey = "QueryEditor/JoinsShare";

// A per-user preference of the window's layout, kept out of query files.
std::unique_ptr<QSettings> layoutSettings() {
  return std::make_unique<QSettings>(QSettings::IniFormat, QSettings::UserScope,
                                     QStringLiteral("Pellox"), QStringLiteral("layout"));
}

double storedJoinsShare() {
  bool ok = false;
  const double share = layoutSettings()->value(QLatin1String(JoinsShareKey)).toDouble(&ok);
  return ok && share > 0.0 && share < 1.0 ? share : DefaultJoinsShare;
}

QStringList rowTitles() {
  QStringList titles{" Header", " Table", " Field", " Show", " Sort"};
  for (int n = TzelFilterPositionMin; n <= TzelFilterPositionMax; ++n)
    titles << QStringLiteral(" Filter %1").arg(n);
  titles << QStringList{" Index", " Show", " Sort", " Align", " Type", " Format", " Width", " Pos"};
  return titles;
}

QWidget *namedWidget(const char *name, QWidget *parent) {
  auto *widget = new QWidget(parent);
  widget->setObjectName(QLatin1String(name));
  return widget;
}

} // namespace

TzelValuesGrid::TzelValuesGrid(QWidget *parent) : TzelStringGrid(parent) {
  setAcceptDrops(true);
  viewport()->setAcceptDrops(true);
  setDragDropMode(QAbstractItemView::DropOnly);
  setDropIndicatorShown(false);
}

void TzelValuesGrid::keyPressEvent(QKeyEvent *event) {
  if (event->key() == Qt::Key_Insert) {
    emit insertPressed();
    return;
  }
  if (event->key() == Qt::Key_Delete) {
    emit deletePressed();
    return;
  }
  TzelStringGrid::keyPressEvent(event);
}

void TzelValuesGrid::dragEnterEvent(QDragEnterEvent *event) {
  if (event->mimeData()->hasFormat(zelFieldMimeType()))
    event->acceptProposedAction();
  else
    event->ignore();
}

void TzelValuesGrid::dragMoveEvent(QDragMoveEvent *event) {
  if (event->mimeData()->hasFormat(zelFieldMimeType()))
    event->acceptProposedAction();
  else
    event->ignore();
}

void TzelValuesGrid::dropEvent(QDropEvent *event) {
  TzelDraggedField field;
  if (!zelDecodeField(event->mimeData(), field)) {
    event->ignore();
    return;
  }
  event->acceptProposedAction();
  const int column = columnUnder(event->position().toPoint().x());
  emit fieldDropped(field, qMax(0, column));
}

TzelQueryEditor::TzelQueryEditor(QWidget *parent) : QWidget(parent) {
  setObjectName(QStringLiteral("zelQueryEditor"));
  resize(625, 353);
  m_joinsShare = storedJoinsShare();
  buildControls();
  buildGrid();
  buildPopup();
  SetQueryType(zelSelect);
}

TzelQueryEditor::~TzelQueryEditor() {
  if (m_valueEditor)
    m_valueEditor->Closing = true;
  delete m_valueEditor;
}

void TzelQueryEditor::buildControls() {
  panTables = namedWidget("panTables", this);
  panTables->resize(184, height());
  panDatabase = namedWidget("panDatabase", panTables);
  panDatabase->resize(184, 32);
  labDatabase = new QLabel(QStringLiteral("&Database"), panDatabase);
  labDatabase->setObjectName(QStringLiteral("labDatabase"));
  labDatabase->move(4, 8);
  cmbDatabase = new QComboBox(panDatabase);
  cmbDatabase->setObjectName(QStringLiteral("cmbDatabase"));
  cmbDatabase->setAccessibleName(QStringLiteral("Database"));
  cmbDatabase->setInsertPolicy(QComboBox::InsertAlphabetically);
  labDatabase->setBuddy(cmbDatabase);
  cmbDatabase->move(labDatabase->sizeHint().width() + 10, 4);
  panDatabase->installEventFilter(this);
  outTables = new TzelTableTree(panTables);
  outTables->setObjectName(QStringLiteral("outTables"));
  outTables->setAccessibleName(QStringLiteral("Tables"));
  zelSetAlign(panDatabase, ZelAlign::Top);
  zelSetAlign(outTables, ZelAlign::Client);
  panTables->hide();
  zelVertSplit = new TzelVertSplit(this);
  zelVertSplit->setObjectName(QStringLiteral("zelVertSplit"));
  zelVertSplit->hide();
  panQuery = namedWidget("panQuery", this);
  panQuery->installEventFilter(this);
  zelSetAlign(panTables, ZelAlign::Left);
  zelSetAlign(zelVertSplit, ZelAlign::Left);
  zelSetAlign(panQuery, ZelAlign::Client);
  zelVertSplit->SetFirstControl(panTables);
  zelVertSplit->SetSecondControl(panQuery);

  nbkQuery = new QStackedWidget(panQuery);
  nbkQuery->setObjectName(QStringLiteral("nbkQuery"));
  zelSetAlign(nbkQuery, ZelAlign::Client);
  buildQueryPage();
  buildScriptPage();
  connect(zelJoins, &TzelJoinsEditor::OnDeleteTable, this, &TzelQueryEditor::zelJoinsDeleteTable);
  connect(zelJoins, &TzelJoinsEditor::OnRenameTable, this,
          [this](TzelJoinsEditor *, const QString &oldAlias, const QString &newAlias) {
            zelJoinsRenameTable(oldAlias, newAlias);
          });
  connect(zelJoins, &TzelJoinsEditor::OnDblClickField, this,
          &TzelQueryEditor::zelJoinsDblClickField);
}

void TzelQueryEditor::buildQueryPage() {
  auto *queryPage = namedWidget("Query", nbkQuery);
  zelJoins = new TzelJoinsEditor(queryPage);
  zelJoins->setObjectName(QStringLiteral("zelJoins"));
  zelHorzSplit = new TzelHorzSplit(queryPage);
  zelHorzSplit->setObjectName(QStringLiteral("zelHorzSplit"));
  grdValues = new TzelValuesGrid(queryPage);
  grdValues->setObjectName(QStringLiteral("grdValues"));
  grdValues->setAccessibleName(QStringLiteral("Values"));
  zelHorzSplit->move(0, zelJoins->height());
  grdValues->move(0, zelJoins->height() + zelHorzSplit->height());
  zelSetAlign(zelJoins, ZelAlign::Top);
  zelSetAlign(zelHorzSplit, ZelAlign::Top);
  zelSetAlign(grdValues, ZelAlign::Client);
  zelJoins->installEventFilter(this); // the splitter's moves, to remember them
  zelHorzSplit->SetFirstControl(zelJoins);
  zelHorzSplit->SetSecondControl(grdValues);
  nbkQuery->addWidget(queryPage);
}

void TzelQueryEditor::buildScriptPage() {
  auto *scriptPage = namedWidget("Script", nbkQuery);
  panScript = namedWidget("panScript", scriptPage);
  panScript->resize(panScript->width(), 32);
  labScript = new QLabel(QStringLiteral("Script View"), panScript);
  labScript->setObjectName(QStringLiteral("labScript"));
  QFont scriptFont(QStringLiteral("Arial Narrow"));
  scriptFont.setPixelSize(24);
  scriptFont.setBold(true);
  labScript->setFont(scriptFont);
  labScript->setStyleSheet(QStringLiteral("color: navy"));
  labScript->move(8, 2);
  labScript->adjustSize();
  memScript = new QPlainTextEdit(scriptPage);
  memScript->setObjectName(QStringLiteral("memScript"));
  memScript->setAccessibleName(QStringLiteral("Script"));
  QFont memoFont(QStringLiteral("Courier New"));
  memoFont.setStyleHint(QFont::Monospace);
  memoFont.setPixelSize(13);
  memScript->setFont(memoFont);
  memScript->setLineWrapMode(QPlainTextEdit::NoWrap);
  memScript->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
  memScript->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
  // A table dragged from the tree may be dropped here; the script takes nothing from it.
  memScript->viewport()->installEventFilter(this);
  tabSteps = new QTabBar(scriptPage);
  tabSteps->setObjectName(QStringLiteral("tabSteps"));
  tabSteps->addTab(QStringLiteral("Step 1"));
  tabSteps->hide();
  zelSetAlign(panScript, ZelAlign::Top);
  zelSetAlign(tabSteps, ZelAlign::Bottom);
  zelSetAlign(memScript, ZelAlign::Client);
  nbkQuery->addWidget(scriptPage);
}

void TzelQueryEditor::buildGrid() {
  grdValues->setRowCount(ValueRow::Count);
  grdValues->setColumnCount(InitialColumns);
  grdValues->verticalHeader()->hide();
  grdValues->verticalHeader()->setMinimumSectionSize(0);
  const qreal dpi = QGuiApplication::primaryScreen()
                        ? QGuiApplication::primaryScreen()->logicalDotsPerInchY()
                        : 96.0;
  grdValues->verticalHeader()->setDefaultSectionSize(int(17 * dpi / 96));
  // A thin header row to take a value column by when moving it.
  QHeaderView *header = grdValues->horizontalHeader();
  header->setDefaultSectionSize(100);
  header->setMinimumSectionSize(8);
  header->setSectionsMovable(true);
  header->setFixedHeight(8);
  header->setHighlightSections(false);
  header->setToolTip(QStringLiteral("Drag to move the value"));
  grdValues->setHorizontalHeaderLabels(QStringList(InitialColumns, QString()));
  // The titles' column: 50 wide, or as wide as its longest title needs in the screen's font.
  const QFontMetrics metrics(grdValues->font());
  int titles = 50;
  for (const QString &title : rowTitles().mid(0, ValueRow::Index))
    titles = qMax(titles, metrics.horizontalAdvance(title) + 8);
  grdValues->setColumnWidth(0, titles);
  grdValues->setFrameShape(QFrame::NoFrame);
  grdValues->setEditTriggers(QAbstractItemView::NoEditTriggers);
  grdValues->setSelectionMode(QAbstractItemView::SingleSelection);
  grdValues->setWordWrap(false);
  grdValues->setContextMenuPolicy(Qt::CustomContextMenu);
  connect(grdValues, &QTableWidget::currentCellChanged, this,
          [this](int row, int column) { grdValuesSelectCell(row, column); });
  connect(grdValues, &QTableWidget::cellDoubleClicked, this,
          [this] { SetValueEditorStatus(zelDialogShow); });
  connect(grdValues, &TzelValuesGrid::fieldDropped, this, &TzelQueryEditor::DropField);
  connect(grdValues, &TzelValuesGrid::insertPressed, this, &TzelQueryEditor::InsertValue);
  connect(grdValues, &TzelValuesGrid::deletePressed, this, &TzelQueryEditor::RemoveValue);
  connect(header, &QHeaderView::sectionMoved, this, &TzelQueryEditor::grdValuesColumnMoved);
}

void TzelQueryEditor::buildPopup() {
  popMenu = new QMenu(this);
  popMenu->setObjectName(QStringLiteral("popMenu"));
  popMenu->addAction(QStringLiteral("&Insert Value"), this, &TzelQueryEditor::InsertValue)
      ->setObjectName(QStringLiteral("popInsertValue"));
  popMenu->addAction(QStringLiteral("&Remove Value"), this, &TzelQueryEditor::RemoveValue)
      ->setObjectName(QStringLiteral("popRemoveValue"));
  popMenu
      ->addAction(QStringLiteral("Edit Properties"), this,
                  [this] { SetValueEditorStatus(zelDialogShow); })
      ->setObjectName(QStringLiteral("popEditProperties"));
  popMenu->addSeparator();
  popMenu
      ->addAction(QStringLiteral("&Help"), this,
                  [this] {
                    if (m_querion && m_querion->DataModel())
                      m_querion->DataModel()->ShowHelp(0, 34);
                  })
      ->setObjectName(QStringLiteral("popHelp"));
  connect(grdValues, &QWidget::customContextMenuRequested, this,
          [this](const QPoint &pos) { popMenu->popup(grdValues->viewport()->mapToGlobal(pos)); });
}

void TzelQueryEditor::resizeEvent(QResizeEvent *event) {
  QWidget::resizeEvent(event);
  zelRealign(this);
}

bool TzelQueryEditor::eventFilter(QObject *watched, QEvent *event) {
  if (memScript && watched == memScript->viewport() &&
      (event->type() == QEvent::DragEnter || event->type() == QEvent::DragMove ||
       event->type() == QEvent::Drop)) {
    auto *drag = static_cast<QDropEvent *>(event);
    if (drag->source() == outTables) {
      drag->acceptProposedAction();
      return true;
    }
  }
  if (event->type() == QEvent::Resize) {
    if (watched == panQuery) {
      zelJoins->resize(zelJoins->width(), qRound(panQuery->height() * m_joinsShare));
      zelRealign(zelJoins->parentWidget());
    } else if (watched == zelJoins && zelHorzSplit->isDragging()) {
      rememberJoinsShare(); // the splitter gives the joins editor its height as it is let go
    } else if (watched == panDatabase)
      cmbDatabase->resize(qMax(0, panDatabase->width() - 8 - cmbDatabase->x()),
                          cmbDatabase->height());
  }
  return QWidget::eventFilter(watched, event);
}

void TzelQueryEditor::rememberJoinsShare() {
  if (panQuery->height() <= 0)
    return;
  m_joinsShare = qBound(0.05, double(zelJoins->height()) / panQuery->height(), 0.95);
  layoutSettings()->setValue(QLatin1String(JoinsShareKey), m_joinsShare);
}

void TzelQueryEditor::SetQuerion(TzelQuerion *querion) {
  m_querion = querion;
  LoadQuery();
}

TzelQuery *TzelQueryEditor::CurrentQuery() const {
  return m_querion ? m_querion->CurrentQuery() : nullptr;
}

void TzelQueryEditor::SetShowJoins(bool show) {
  m_showJoins = show;
  zelJoins->setVisible(show);
  zelHorzSplit->setVisible(show);
}

void TzelQueryEditor::SetShowTables(bool show) {
  m_showTables = show;
  panTables->setVisible(show);
  zelVertSplit->setVisible(show);
}

void TzelQueryEditor::SetQueryType(TzelQueryType type) {
  if (type == zelSelect) {
    const QStringList titles = rowTitles();
    for (int row = 0; row < titles.size(); ++row) {
      zelSetCellText(*grdValues, row, 0, titles[row]);
      grdValues->item(row, 0)->setFlags(Qt::ItemIsEnabled);
      grdValues->item(row, 0)->setBackground(palette().button());
    }
    for (int row = ValueRow::Index; row < ValueRow::Count; ++row)
      grdValues->setRowHidden(row, true);
  }
  nbkQuery->setCurrentIndex(type == zelScript ? 1 : 0);
  m_queryType = type;
}

bool TzelQueryEditor::Modified() const {
  if (!m_modified)
    const_cast<TzelQueryEditor *>(this)->m_modified = zelJoins->Modified();
  return m_modified;
}

void TzelQueryEditor::SetModified(bool on) {
  m_modified = on;
  zelJoins->SetModified(on);
}

QString TzelQueryEditor::cell(int column, int row) const {
  return zelCellText(*grdValues, row, column);
}

void TzelQueryEditor::setCell(int column, int row, const QString &text) {
  zelSetCellText(*grdValues, row, column, text);
}

int TzelQueryEditor::columnIndex(int column) const {
  const QString text = cell(column, ValueRow::Index);
  return IsBlank(text) ? -1 : text.trimmed().toInt();
}

void TzelQueryEditor::ensureColumns(int minimum) {
  if (grdValues->columnCount() < minimum)
    grdValues->setColumnCount(minimum);
}

int TzelQueryEditor::firstEmptyColumn() const {
  for (int column = 1; column < grdValues->columnCount(); ++column)
    if (IsBlank(cell(column, ValueRow::Header)))
      return column;
  return -1;
}

void TzelQueryEditor::LoadQuery() {
  TzelQuery *query = CurrentQuery();
  if (!query)
    return;
  zelJoins->SetModel(m_querion->DataModel());
  zelJoins->SetSchema(query);
  zelJoins->horizontalScrollBar()->setValue(0);
  zelJoins->verticalScrollBar()->setValue(0);
  zelClearGridFrom(*grdValues, 1, 0);
  QStringList aliases;
  query->ListValueAliases(aliases);
  ensureColumns(int(aliases.size()) + 1);
  {
    const TzelProbe<TzelQuery> quiet(*query);
    int column = 1;
    for (const QString &alias : std::as_const(aliases)) {
      const int index = query->IndexOfValueAlias(alias);
      if (index >= 0)
        fillValueColumn(column++, index);
    }
  }
  SetModified(false);
}

void TzelQueryEditor::fillValueColumn(int column, int valueIndex) {
  const TzelQueryValue *value = CurrentQuery()->GetValue(valueIndex);
  const QString texts[] = {value->ValueAlias(), value->TableAlias(), value->Expression(),
                           ShowDisplayText(value->Show()), SortDisplayText(value->Sort(), false)};
  for (int row = 0; row < 5; ++row)
    setCell(column, row, texts[row]);
  setCell(column, ValueRow::Index, QString::number(valueIndex));
  setCell(column, ValueRow::ShowOrdinal, QString::number(int(value->Show())));
  setCell(column, ValueRow::SortOrdinal, QString::number(int(value->Sort())));
  setCell(column, ValueRow::Align, QString::number(int(value->Alignment())));
  setCell(column, ValueRow::Type, QString::number(int(value->DataType())));
  setCell(column, ValueRow::Format, value->Format());
  setCell(column, ValueRow::Width, QString::number(value->Width()));
  setCell(column, ValueRow::Pos, QString::number(value->Position()));
  zelJoins->SetFieldActive(value->TableAlias(), value->Expression(), true);
  for (int f = 0; f < value->FilterCount(); ++f) {
    const TzelQueryFilter *filter = value->GetFilter(f);
    if (filter->Deleted() || filter->Position() < TzelFilterPositionMin ||
        filter->Position() > TzelFilterPositionMax)
      continue;
    const QString raw =
        QString::number(int(filter->Operator())) + QLatin1Char('|') + filter->Filter();
    setCell(column, ValueRow::Pos + filter->Position(), raw);
    setCell(column, ValueRow::Sort + filter->Position(), FilterDisplayText(raw, value->DataType()));
  }
}

bool TzelQueryEditor::duplicateHeader(QString &header) const {
  const int columns = grdValues->columnCount();
  for (int a = 1; a < columns; ++a) {
    if (IsBlank(cell(a, ValueRow::Index)))
      continue;
    for (int b = a + 1; b < columns; ++b)
      if (!IsBlank(cell(b, ValueRow::Index)) &&
          zelSameText(cell(a, ValueRow::Header), cell(b, ValueRow::Header))) {
        header = cell(a, ValueRow::Header);
        return true;
      }
  }
  return false;
}

bool TzelQueryEditor::ApplyValues() {
  TzelQuery *query = CurrentQuery();
  if (!query)
    return false;
  // Edits still in the value editor, shown or hidden, belong to the grid that is written.
  if (m_valueEditor && !m_valueEditor->Closing && !m_valueEditor->ApplyValue())
    return false;
  QString header;
  if (duplicateHeader(header)) {
    zelShowError(QStringLiteral("Error: The [") + header +
                 QStringLiteral("] Header is duplicated"));
    return false;
  }
  try {
    int position = 0;
    for (int column = 1; column < grdValues->columnCount(); ++column) {
      if (IsBlank(cell(column, ValueRow::Index)))
        continue;
      setCell(column, ValueRow::Pos, QString::number(position++));
      if (cell(column, ValueRow::Index).trimmed() == NewValueIndex()) {
        const int index = query->AddValue(QString(), cell(column, ValueRow::Field),
                                          cell(column, ValueRow::Header));
        setCell(column, ValueRow::Header, query->GetValue(index)->ValueAlias());
        setCell(column, ValueRow::Index, QString::number(index));
      }
    }
    for (int column = 1; column < grdValues->columnCount(); ++column)
      if (!IsBlank(cell(column, ValueRow::Index)))
        writeColumn(column);
  } catch (const EzelError &error) {
    zelShowError(error.message());
    return false;
  }
  return true;
}

void TzelQueryEditor::writeColumn(int column) {
  TzelQueryValue *value = CurrentQuery()->GetValue(columnIndex(column));
  if (!value)
    return;
  const auto number = [this, column](int row) { return cell(column, row).trimmed().toInt(); };
  value->SetValueAlias(cell(column, ValueRow::Header));
  value->SetTableAlias(cell(column, ValueRow::Table));
  value->SetExpression(cell(column, ValueRow::Field));
  value->SetShow(TzelShow(number(ValueRow::ShowOrdinal)));
  value->SetSort(TzelSort(number(ValueRow::SortOrdinal)));
  value->SetDataType(TFieldType(number(ValueRow::Type)));
  value->SetFormat(cell(column, ValueRow::Format).left(TzelFormat::MaxLength));
  value->SetWidth(number(ValueRow::Width));
  value->SetAlignment(TAlignment(number(ValueRow::Align)));
  value->SetPosition(number(ValueRow::Pos));
  value->ClearFilters();
  for (int position = TzelFilterPositionMin; position <= TzelFilterPositionMax; ++position) {
    const QString raw = cell(column, ValueRow::Pos + position);
    if (IsBlank(raw))
      continue;
    const qsizetype bar = raw.indexOf(QLatin1Char('|'));
    value->SetFilter(position, TzelFilterOper(raw.left(bar).trimmed().toInt()),
                     bar < 0 ? QString() : raw.mid(bar + 1));
  }
}

void TzelQueryEditor::InsertValue() {
  const int column = qMax(1, grdValues->currentColumn());
  zelInsertGridColumn(*grdValues, column);
  SelectCell(column, qMax(0, grdValues->currentRow()));
  SetModified(true);
}

void TzelQueryEditor::RemoveValue() {
  const int column = grdValues->currentColumn();
  if (column < 1)
    return;
  const QString index = cell(column, ValueRow::Index).trimmed();
  if (!IsBlank(index) && index != NewValueIndex()) {
    const QString table = cell(column, ValueRow::Table);
    const QString field = cell(column, ValueRow::Field);
    int users = 0;
    for (int c = 1; c < grdValues->columnCount(); ++c)
      users += zelSameText(cell(c, ValueRow::Table), table) &&
               zelSameText(cell(c, ValueRow::Field), field);
    if (users == 1)
      zelJoins->SetFieldActive(table, field, false);
    if (TzelQueryValue *value = CurrentQuery() ? CurrentQuery()->GetValue(index.toInt()) : nullptr)
      value->SetDeleted(true);
  }
  const int row = qMax(0, grdValues->currentRow());
  zelDeleteGridColumn(*grdValues, column);
  ensureColumns(MinimumColumns);
  SelectCell(qMin(column, grdValues->columnCount() - 1), row); // the column number stays current
  RefreshValueEditor();
  SetModified(true);
}

void TzelQueryEditor::AddTable() {
  SetValueEditorStatus(zelDialogClose);
  zelJoins->AddTable();
}

void TzelQueryEditor::RemoveTable() {
  zelJoins->RemoveTable();
}

void TzelQueryEditor::RenameTable() {
  zelJoins->RenameTable();
}

void TzelQueryEditor::EditJoin(bool showMessage) {
  zelJoins->EditJoin(showMessage);
}

void TzelQueryEditor::RemoveJoin() {
  zelJoins->RemoveJoin();
}

void TzelQueryEditor::ArrangeTables() {
  zelJoins->ArrangeTables();
}

void TzelQueryEditor::DropField(const TzelDraggedField &field, int column) {
  TzelQuery *query = CurrentQuery();
  if (!query)
    return;
  int target = column;
  if (target <= 0) {
    target = firstEmptyColumn();
    if (target < 0) {
      target = grdValues->columnCount();
      grdValues->setColumnCount(target + 1 + AddedColumns);
    }
  }
  const int first = target;
  QStringList fields{field.fieldAlias};
  const TzelProbe<TzelQuery> quiet(*query);
  if (field.fieldAlias == u"*") {
    fields.clear();
    query->ListFieldAliases(field.tableAlias, fields);
  }
  std::optional<TzelBusyCursor> busy;
  if (fields.size() > 1)
    busy.emplace();
  for (const QString &alias : std::as_const(fields)) {
    if (addFieldValue(*query, field.tableAlias, alias) < 0)
      continue;
    const int index = query->ValueCount() - 1;
    zelJoins->SetFieldActive(field.tableAlias, alias, true);
    if (target >= grdValues->columnCount() || !IsBlank(cell(target, ValueRow::Header)))
      zelInsertGridColumn(*grdValues, target);
    fillDroppedColumn(target++, field.tableAlias, alias, index);
  }
  SelectCell(first, qMax(0, grdValues->currentRow()));
  RefreshValueEditor();
  SetModified(true);
}

int TzelQueryEditor::addFieldValue(TzelQuery &query, const QString &table, const QString &field) {
  try {
    return query.AddValue(table, field, field);
  } catch (const EzelError &) {
    return -1; // a field the query refuses is skipped
  }
}

void TzelQueryEditor::fillDroppedColumn(int column, const QString &table, const QString &field,
                                        int valueIndex) {
  fillValueColumn(column, valueIndex);
  setCell(column, ValueRow::Table, table);
  setCell(column, ValueRow::Field, field);
  setCell(column, ValueRow::Show, ShowDisplayText(zelShow));
  setCell(column, ValueRow::Sort, QString());
  setCell(column, ValueRow::ShowOrdinal, QStringLiteral("0"));
  setCell(column, ValueRow::SortOrdinal, QStringLiteral("0"));
}

void TzelQueryEditor::zelJoinsDblClickField(TzelTableList *sender) {
  const int row = sender ? sender->ItemIndex() : -1;
  if (row < 0)
    return;
  DropField({sender->tableAlias(), sender->item(row)->text()}, 0);
}

void TzelQueryEditor::zelJoinsDeleteTable(TzelTableForm *sender) {
  const TzelBusyCursor busy;
  const QString alias = sender->windowTitle();
  for (int column = grdValues->columnCount() - 1; column >= 1; --column)
    if (zelSameText(cell(column, ValueRow::Table), alias))
      zelDeleteGridColumn(*grdValues, column);
  ensureColumns(MinimumColumns);
  RefreshValueEditor();
}

void TzelQueryEditor::zelJoinsRenameTable(const QString &oldAlias, const QString &newAlias) {
  const TzelBusyCursor busy;
  for (int column = grdValues->columnCount() - 1; column >= 1; --column) {
    QString field = cell(column, ValueRow::Field);
    if (IsBlank(field))
      continue;
    if (IsBlank(cell(column, ValueRow::Table))) {
      if (!oldAlias.isEmpty())
        setCell(column, ValueRow::Field, field.replace(oldAlias, newAlias, Qt::CaseSensitive));
    } else if (zelSameText(cell(column, ValueRow::Table), oldAlias)) {
      setCell(column, ValueRow::Table, newAlias);
    }
  }
  RefreshValueEditor();
}

void TzelQueryEditor::grdValuesColumnMoved(int, int oldVisual, int newVisual) {
  QHeaderView *header = grdValues->horizontalHeader();
  {
    // The view order stays the grid order: the cells move instead.
    const QSignalBlocker blocker(header);
    header->moveSection(newVisual, oldVisual);
  }
  if (oldVisual < 1 || newVisual < 1)
    return;
  QList<QTableWidgetItem *> moved;
  for (int row = 0; row < grdValues->rowCount(); ++row)
    moved << grdValues->takeItem(row, oldVisual);
  grdValues->removeColumn(oldVisual);
  grdValues->insertColumn(newVisual);
  for (int row = 0; row < grdValues->rowCount(); ++row)
    if (moved[row])
      grdValues->setItem(row, newVisual, moved[row]);
  SelectCell(newVisual, qMax(0, grdValues->currentRow()));
  RefreshValueEditor();
  SetModified(true);
}

void TzelQueryEditor::grdValuesSelectCell(int row, int column) {
  if (row < 0 || column < 0)
    return;
  if (row > LastSelectableRow || column == 0) {
    SelectCell(qMax(1, column), qMin(row, LastSelectableRow));
    return;
  }
  SelectCell(column, row);
}

void TzelQueryEditor::SelectCell(int column, int row) {
  if (column < 1 || column >= grdValues->columnCount())
    return;
  row = qBound(0, row, LastSelectableRow);
  if (grdValues->currentRow() != row || grdValues->currentColumn() != column) {
    const QSignalBlocker blocker(grdValues);
    grdValues->setCurrentCell(row, column);
  }
  if (!m_valueEditor || m_valueEditor->Closing)
    return;
  const int index = columnIndex(column);
  m_valueEditor->ShowValue(column, row, index);
  if (index == -1) {
    m_valueEditor->panNames->show();
    m_valueEditor->tabMain->setCurrentIndex(TfrmZelValueEditor::pageExpression);
  }
}

void TzelQueryEditor::RefreshValueEditor() {
  if (!m_valueEditor || m_valueEditor->Closing)
    return;
  QStringList headers;
  for (int column = 1; column < grdValues->columnCount(); ++column)
    if (!IsBlank(cell(column, ValueRow::Header)))
      headers << cell(column, ValueRow::Header);
  m_valueEditor->SetHeaders(headers);
  m_valueEditor->ReloadTables();
  const int column = grdValues->currentColumn() < 1 ? 1 : grdValues->currentColumn();
  SelectCell(column, qMax(0, grdValues->currentRow()));
}

void TzelQueryEditor::SetValueEditorStatus(TzelDialogStatus status) {
  switch (status) {
  case zelDialogClose:
    if (!closeValueEditor()) {
      // The window refused to close: the status says what it still is.
      m_valueEditorStatus = m_valueEditor->isVisible() ? zelDialogShow : zelDialogHide;
      return;
    }
    break;
  case zelDialogShow: {
    const TzelBusyCursor busy;
    if (!m_valueEditor) {
      m_valueEditor = new TfrmZelValueEditor(this);
      m_valueEditor->setFont(font());
      RefreshValueEditor();
    }
    m_valueEditor->show();
    m_valueEditor->raise();
    m_valueEditor->activateWindow();
    break;
  }
  case zelDialogHide:
    if (m_valueEditor)
      m_valueEditor->hide();
    break;
  }
  m_valueEditorStatus = status;
}

bool TzelQueryEditor::closeValueEditor() {
  if (m_valueEditor && !m_valueEditor->Closing) {
    m_valueEditor->Closing = true;
    if (!m_valueEditor->close()) {
      // Its edits could not be applied: the window stays open with them.
      m_valueEditor->Closing = false;
      return false;
    }
  }
  m_valueEditor = nullptr;
  return true;
}

QString TzelQueryEditor::fileExtension() const {
  QString pair =
      m_querion && m_querion->DataModel() ? m_querion->DataModel()->DefaultExtension() : QString();
  if (IsBlank(pair))
    pair = QStringLiteral("zel;kvt");
  const qsizetype semi = pair.indexOf(QLatin1Char(';'));
  if (semi < 0)
    return pair;
  const bool report = m_querion && m_querion->ReportMode();
  return report ? pair.mid(semi + 1) : pair.left(semi);
}

QString TzelQueryEditor::fileFilter() const {
  const QString ext = fileExtension();
  const QString kind =
      m_querion && m_querion->ReportMode() ? QStringLiteral("Report") : QStringLiteral("Query");
  return kind + QStringLiteral(" (*.") + ext + QStringLiteral(")|*.") + ext +
         QStringLiteral("|All Files (*.*)|*.*");
}

void TzelQueryEditor::updateCaption() {
  emit OnUpdateCaption(this);
}

bool TzelQueryEditor::saveTo(bool toForm) {
  if (!toForm)
    return m_querion->SaveToFile(FileName);
  if (m_sourceQuerion)
    m_sourceQuerion->Assign(m_querion);
  return true;
}

bool TzelQueryEditor::FileSave(bool saveAs, bool ask) {
  if (!EnableSave)
    return true;
  if (!m_querion || !ApplyValues())
    return false;
  if (!saveAs && !Modified())
    return true;
  if (m_querion->HasCustomSave()) {
    if (m_sourceQuerion)
      m_sourceQuerion->Assign(m_querion);
    emit m_querion->OnCustomSave(this);
    updateCaption();
    SetModified(false);
    return true;
  }
  bool saved = false;
  if (!saveAs) {
    if (AskSaveMethod) {
      switch (m_querion->Prompts().askSaveMethod()) {
      case TzelSaveMethod::Cancel:
        return false;
      case TzelSaveMethod::No:
        return true;
      case TzelSaveMethod::Form:
        SaveToForm = true;
        FileName.clear();
        break;
      case TzelSaveMethod::File:
        SaveToForm = false;
        break;
      }
      AskSaveMethod = false;
    } else if (ask) {
      const QString name = SaveToForm          ? QStringLiteral("Form")
                           : IsBlank(FileName) ? QStringLiteral("Untitled")
                                               : FileName;
      const TzelAnswer answer =
          zelMessageBox(QStringLiteral("Save changes to ") + name + QStringLiteral("?"),
                        TzelMessageKind::Confirmation, TzelButtons::YesNoCancel);
      if (answer == TzelAnswer::Cancel)
        return false;
      if (answer == TzelAnswer::No)
        return true;
    }
    if (SaveToForm || !IsBlank(FileName)) {
      if (!saveTo(SaveToForm))
        return false;
      saved = true;
    }
  }
  if (!saved) {
    SetValueEditorStatus(zelDialogClose);
    TzelFileRequest request;
    request.title = QStringLiteral("Save As");
    request.filter = fileFilter();
    request.folder = defaultFolder();
    request.fileName = FileName;
    request.confirmOverwrite = true;
    QString chosen;
    if (!zelSaveFileName(request, chosen) || !replaceWithExtension(chosen))
      return false;
    if (!m_querion->SaveToFile(chosen))
      return false; // the file name stays that of the document as it was
    FileName = QueryFileName(chosen, m_querion->ReportMode()); // with the extension written
    SaveToForm = false;
  }
  updateCaption();
  SetModified(false);
  return true;
}

bool TzelQueryEditor::replaceWithExtension(const QString &chosen) const {
  // The dialog asked about the name typed; the file written may be another one.
  const QString written = QueryFileName(chosen, m_querion->ReportMode());
  if (written == chosen || !QFileInfo::exists(written))
    return true;
  return zelConfirmReplace(QFileInfo(written).fileName());
}

// Where the file dialogs open: the data model's default folder.
QString TzelQueryEditor::defaultFolder() const {
  return m_querion && m_querion->DataModel() ? m_querion->DataModel()->DefaultFolder() : QString();
}

bool TzelQueryEditor::FileOpen() {
  if (!FileSave(false, true) || !m_querion)
    return false;
  if (m_querion->HasCustomOpen()) {
    SetValueEditorStatus(zelDialogClose);
    emit m_querion->OnCustomOpen(this);
    if (m_sourceQuerion)
      m_querion->Assign(m_sourceQuerion);
  } else {
    SetValueEditorStatus(zelDialogClose);
    TzelFileRequest request;
    request.filter = fileFilter();
    request.folder = defaultFolder();
    request.fileName = FileName;
    QString chosen;
    if (!zelOpenFileName(request, chosen))
      return false;
    // The file is read in full before the open document changes, so a broken file leaves
    // it as it was.
    if (!m_querion->LoadFromFile(chosen))
      return false;
    m_querion->Labels()->Reset(); // what starting a new query does; the file brings the page
    FileName = chosen;
    AskSaveMethod = SaveToForm;
  }
  SetModified(false);
  updateCaption();
  LoadQuery();
  return true;
}

bool TzelQueryEditor::FileNew(bool askSave, bool resetFile) {
  if (askSave && !FileSave(false, true))
    return false;
  if (!m_querion)
    return false;
  outTables->ClearNodes();
  zelJoins->ClearTables();
  zelClearGridFrom(*grdValues, 1, 0);
  m_querion->NewQuery();
  zelJoins->update();
  RefreshValueEditor();
  if (resetFile) {
    FileName.clear();
    updateCaption();
  }
  SetModified(false);
  return true;
}
