// SPDX-License-Identifier: MIT
// The query editor panel: its controls built and wired, its layout, its joins commands.
#include "editors/zelqueryeditor.h"

#include "controls/stringgrid.h"
#include "controls/zelalign.h"
#include "controls/zelsplit.h"
#include "controls/zeltabletree.h"
#include "editors/designhistory.h"
#include "editors/frmzelvalue.h"
#include "editors/joinseditor.h"
#include "editors/tableform.h"
#include "editors/tablelist.h"
#include "editors/valuecolumns.h"
#include "engine/zelquerion.h"
#include "model/zelquery.h"

#include <QComboBox>
#include <QDropEvent>
#include <QGuiApplication>
#include <QHeaderView>
#include <QLabel>
#include <QMenu>
#include <QPlainTextEdit>
#include <QScreen>
#include <QSettings>
#include <QStackedWidget>
#include <QTabBar>
#include <QUndoStack>

namespace {

constexpr int InitialColumns = 31;
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

TzelQueryEditor::TzelQueryEditor(QWidget *parent) : QWidget(parent) {
  setObjectName(QStringLiteral("zelQueryEditor"));
  resize(625, 353);
  m_joinsShare = storedJoinsShare();
  buildControls();
  buildGrid();
  buildPopup();
  buildHistory();
  SetQueryType(zelSelect);
}

void TzelQueryEditor::buildHistory() {
  m_history = new TzelDesignHistory(this);
  // The grid holds the values until they are applied. While two columns share a header the
  // step records the design as it stands, without a message after every move of a window: the
  // grid's values follow in the step that mends the header.
  m_history->setPrepare([this] {
    QString header;
    if (!duplicateHeader(header))
      ApplyValues();
    return true;
  });
  connect(m_history, &TzelDesignHistory::restored, this, &TzelQueryEditor::showRestored);
  connect(m_history->stack(), &QUndoStack::indexChanged, this, &TzelQueryEditor::syncModified);
  connect(m_history->stack(), &QUndoStack::cleanChanged, this, &TzelQueryEditor::syncModified);
  connect(zelJoins, &TzelJoinsEditor::OnDesignStep, this, &TzelQueryEditor::recordStep);
  connect(grdValues, &QTableWidget::itemChanged, this, [this](const QTableWidgetItem *item) {
    if (m_history->isRestoring()) // the grid showing what an undo put back
      return;
    const QString header = item ? cell(item->column(), ValueRow::Header) : QString();
    m_history->schedule(QStringLiteral("Edit Value ") + header, true);
  });
}

void TzelQueryEditor::recordStep(const QString &name) {
  m_history->schedule(name);
}

void TzelQueryEditor::syncModified() {
  const bool modified = !m_history->stack()->isClean();
  m_modified = modified;
  zelJoins->SetModified(modified);
  updateCaption();
}

TzelQueryEditor::~TzelQueryEditor() {
  // Children going away (the grid's cells, the table windows) are no steps.
  disconnect(grdValues, nullptr, this, nullptr);
  disconnect(zelJoins, nullptr, this, nullptr);
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
  // The arrow keys move between cells; Tab goes on to the next control, out of the grid.
  grdValues->setTabKeyNavigation(false);
  connect(grdValues, &QTableWidget::currentCellChanged, this,
          [this](int row, int column) { grdValuesSelectCell(row, column); });
  connect(grdValues, &QTableWidget::cellDoubleClicked, this,
          [this] { SetValueEditorStatus(zelDialogShow); });
  connect(grdValues, &TzelValuesGrid::fieldDropped, this, &TzelQueryEditor::DropField);
  connect(grdValues, &TzelValuesGrid::insertPressed, this, &TzelQueryEditor::InsertValue);
  connect(grdValues, &TzelValuesGrid::deletePressed, this, &TzelQueryEditor::RemoveValue);
  connect(grdValues, &TzelValuesGrid::editPressed, this,
          [this] { SetValueEditorStatus(zelDialogShow); });
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
  if (on)
    m_history->schedule(QStringLiteral("Edit Values"), true);
  else if (!m_history->isRestoring())
    m_history->stack()->setClean();
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
