// SPDX-License-Identifier: MIT
#include "workspace/frmzelquerydialog.h"

#include "database/zeldataset.h"
#include "database/zeldatasource.h"
#include "dialogs/guiscreen.h"
#include "editors/joinseditor.h"
#include "editors/valuesgrid.h"
#include "editors/zelqueryeditor.h"
#include "engine/designfromsql.h"
#include "engine/zelquerion.h"
#include "messages/zelmessages.h"
#include "model/zelmodel.h"
#include "workspace/zelmenu.h"

#include <QApplication>
#include <QFontDatabase>
#include <QHeaderView>
#include <QKeyEvent>
#include <QMenuBar>
#include <QPlainTextEdit>
#include <QScopedValueRollback>
#include <QShortcut>
#include <QStackedWidget>
#include <QTabBar>
#include <QTabWidget>
#include <QTableView>
#include <QTextBlock>
#include <QVBoxLayout>

namespace {

constexpr int kHelpContext = 69;

QFont sqlFont() {
  QFont font(QStringLiteral("Courier New"), 10);
  font.setStyleHint(QFont::Monospace);
  if (!QFontInfo(font).fixedPitch()) {
    font = QFontDatabase::systemFont(QFontDatabase::FixedFont);
    font.setPointSize(10);
  }
  return font;
}

} // namespace

TfrmZelQueryDialog::TfrmZelQueryDialog(QWidget *parent)
    : QDialog(parent, Qt::Window | Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
                          Qt::WindowMinMaxButtonsHint | Qt::WindowCloseButtonHint),
      m_captionBase(QStringLiteral("Querion")) {
  setObjectName(QStringLiteral("frmZelQueryDialog"));
  setWindowTitle(m_captionBase);
  setSizeGripEnabled(true);
  buildTabs();
  buildMenu();
  auto *f1 = new QShortcut(QKeySequence(Qt::Key_F1), this);
  connect(f1, &QShortcut::activated, this, &TfrmZelQueryDialog::showHelp);
  buildFocusOrder();
  connect(zelQueryEditor, &TzelQueryEditor::OnUpdateCaption, this,
          &TfrmZelQueryDialog::zelQueryEditorUpdateCaption);
  resize(733, 461 + zelMenu->panToolbar()->sizeHint().height() +
                  layout()->menuBar()->sizeHint().height());
  zelCentreOnScreen(*this);
}

TfrmZelQueryDialog::~TfrmZelQueryDialog() {
  // The editor's value editor is a window of its own: closed with the workspace.
  zelQueryEditor->SetValueEditorStatus(zelDialogClose);
}

void TfrmZelQueryDialog::buildTabs() {
  tabMain = new QTabWidget(this);
  tabMain->setObjectName(QStringLiteral("tabMain"));
  zelQueryEditor = new TzelQueryEditor(tabMain);
  zelQueryEditor->setObjectName(QStringLiteral("zelQueryEditor"));
  zelQueryEditor->SetShowJoins(true);
  zelQueryEditor->SetValueEditorStatus(zelDialogClose);
  memSQL = new QPlainTextEdit(tabMain);
  memSQL->setObjectName(QStringLiteral("memSQL"));
  memSQL->setAccessibleName(QStringLiteral("SQL text"));
  memSQL->setLineWrapMode(QPlainTextEdit::NoWrap);
  memSQL->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
  memSQL->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
  memSQL->setFont(sqlFont());
  tabMain->addTab(zelQueryEditor, QStringLiteral("&Query"));
  tabMain->addTab(memSQL, QStringLiteral("&SQL"));
  tabMain->addTab(buildPreviewPage(), QStringLiteral("&Preview"));
  tabMain->setCurrentIndex(TabQuery);
  connect(tabMain, &QTabWidget::currentChanged, this, &TfrmZelQueryDialog::tabMainChange);
}

QWidget *TfrmZelQueryDialog::buildPreviewPage() {
  nbkPreview = new QStackedWidget(tabMain);
  nbkPreview->setObjectName(QStringLiteral("nbkPreview"));
  srcQuery = new TzelDataSource(this);
  srcQuery->setObjectName(QStringLiteral("srcQuery"));
  DBGrid1 = new QTableView(nbkPreview);
  DBGrid1->setObjectName(QStringLiteral("DBGrid1"));
  DBGrid1->setAccessibleName(QStringLiteral("Records"));
  DBGrid1->setModel(srcQuery);
  DBGrid1->setEditTriggers(QAbstractItemView::NoEditTriggers);
  DBGrid1->verticalHeader()->setDefaultSectionSize(DBGrid1->fontMetrics().height() + 6);
  QHeaderView *titles = DBGrid1->horizontalHeader();
  QFont bold = titles->font();
  bold.setBold(true);
  titles->setFont(bold);
  QPalette navy = titles->palette();
  navy.setColor(QPalette::ButtonText, QColor(0, 0, 128));
  titles->setPalette(navy);
  connect(srcQuery, &QAbstractItemModel::modelReset, this, &TfrmZelQueryDialog::sizeColumns);
  // Export and Print follow the records shown, also when the dataset closes by itself.
  connect(srcQuery, &QAbstractItemModel::modelReset, this, [this] {
    if (zelMenu)
      zelMenu->UpdateFileCommands();
  });
  auto *page = new QWidget(nbkPreview);
  page->setObjectName(QStringLiteral("Page"));
  nbkPreview->addWidget(DBGrid1);
  nbkPreview->addWidget(page);
  return nbkPreview;
}

void TfrmZelQueryDialog::buildMenu() {
  auto *layout = new QVBoxLayout(this);
  layout->setContentsMargins(0, 0, 0, 0);
  layout->setSpacing(0);
  auto *bar = new QMenuBar(this);
  bar->setObjectName(QStringLiteral("mnuMain"));
  layout->setMenuBar(bar);
  zelMenu = new TzelMenu(this, bar);
  zelMenu->setObjectName(QStringLiteral("zelMenu"));
  zelMenu->QueryEditor = zelQueryEditor;
  zelMenu->SQLMemo = memSQL;
  zelMenu->SetView(zelViewQuery);
  layout->addWidget(zelMenu->panToolbar());
  layout->addWidget(tabMain, 1);
  connect(zelMenu, &TzelMenu::OnNew, this, &TfrmZelQueryDialog::zelMenuFile);
  connect(zelMenu, &TzelMenu::OnOpen, this, &TfrmZelQueryDialog::zelMenuFile);
  connect(zelMenu, &TzelMenu::OnExecute, this, [this] { turnTo(TabPreview); });
  connect(zelMenu, &TzelMenu::OnViewQuery, this, [this] { turnTo(TabQuery); });
  connect(zelMenu, &TzelMenu::OnViewCode, this, [this] { turnTo(TabSQL); });
  connect(zelMenu, &TzelMenu::OnViewPreview, this, [this] { turnTo(TabPreview); });
  connect(zelMenu, &TzelMenu::OnDesignFromSql, this, &TfrmZelQueryDialog::designFromSql);
}

// Tab runs from the table windows to the values grid and on to the tab bar; F6 and Shift+F6
// step between the panels (joins editor, grid, toolbar) as in the other designers.
void TfrmZelQueryDialog::buildFocusOrder() {
  setTabOrder(zelQueryEditor->zelJoins, zelQueryEditor->grdValues);
  setTabOrder(zelQueryEditor->grdValues, tabMain->tabBar());
  auto *next = new QShortcut(QKeySequence(Qt::Key_F6), this);
  connect(next, &QShortcut::activated, this, [this] { focusPanel(1); });
  auto *previous = new QShortcut(QKeySequence(Qt::SHIFT | Qt::Key_F6), this);
  connect(previous, &QShortcut::activated, this, [this] { focusPanel(-1); });
}

QList<QWidget *> TfrmZelQueryDialog::panels() const {
  QList<QWidget *> list;
  if (tabMain->currentIndex() != TabQuery)
    list << tabMain->currentWidget();
  else if (zelQueryEditor->zelJoins->isVisible())
    list << zelQueryEditor->zelJoins << zelQueryEditor->grdValues;
  else
    list << zelQueryEditor->grdValues;
  list << zelMenu->panToolbar();
  return list;
}

void TfrmZelQueryDialog::focusPanel(int step) {
  const QList<QWidget *> list = panels();
  QWidget *focused = QApplication::focusWidget();
  qsizetype at = -1;
  for (qsizetype i = 0; i < list.size(); ++i)
    if (focused && (focused == list[i] || list[i]->isAncestorOf(focused)))
      at = i;
  const qsizetype count = list.size();
  const qsizetype start = at < 0 ? (step > 0 ? count - 1 : 0) : at;
  for (qsizetype n = 1; n <= count; ++n)
    if (focusInto(list[(start + n * step + n * count) % count]))
      return;
}

// The panel itself when it takes the focus, else its first control that Tab reaches.
bool TfrmZelQueryDialog::focusInto(QWidget *panel) {
  const auto reachable = [](const QWidget *w) {
    return w->isVisible() && w->isEnabled() && (w->focusPolicy() & Qt::TabFocus);
  };
  if (reachable(panel)) {
    panel->setFocus(Qt::ShortcutFocusReason);
    return true;
  }
  // The whole chain: table windows added later need not follow their panel in it.
  for (QWidget *w = panel->nextInFocusChain(); w && w != panel; w = w->nextInFocusChain())
    if (panel->isAncestorOf(w) && reachable(w)) {
      w->setFocus(Qt::ShortcutFocusReason);
      return true;
    }
  return false;
}

// Each column as wide as its field's display width in characters, and never narrower than
// its title.
void TfrmZelQueryDialog::sizeColumns() {
  TzelDataset *shown = srcQuery->DataSet();
  if (!shown || !shown->Active())
    return;
  const int charWidth = DBGrid1->fontMetrics().averageCharWidth();
  const QFontMetrics titleMetrics(DBGrid1->horizontalHeader()->font());
  for (int c = 0; c < shown->FieldCount(); ++c) {
    const TzelDatasetField *field = shown->Fields(c);
    const int text = qMin(field->DisplayWidth(), 80) * charWidth;
    const int title = titleMetrics.horizontalAdvance(field->DisplayLabel());
    DBGrid1->setColumnWidth(c, qMax(text, title) + 12);
  }
}

void TfrmZelQueryDialog::SetPreviewDataSet(TzelDataset *dataset) {
  srcQuery->setDataSet(dataset);
}

TzelQuerion *TfrmZelQueryDialog::querion() const {
  return zelQueryEditor->Querion();
}

TzelDataset *TfrmZelQueryDialog::dataset() const {
  TzelQuerion *q = querion();
  return q ? qobject_cast<TzelDataset *>(q->DataQuery()) : nullptr;
}

void TfrmZelQueryDialog::tabMainChange(int index) {
  if (m_busy) {
    // A change while the previous one still runs is refused (the tab bar is disabled; this
    // catches changes made in code by a handler run meanwhile).
    const QSignalBlocker block(tabMain);
    tabMain->setCurrentIndex(m_targetTab);
    return;
  }
  m_targetTab = index;
  if (!m_inCommand)
    tabMainClick();
}

void TfrmZelQueryDialog::turnTo(Tab tab) {
  if (m_busy)
    return;
  m_inCommand = true;
  tabMain->setCurrentIndex(tab);
  m_inCommand = false;
  // Also when the tab was showing already: no change event, but the sequence still runs.
  m_targetTab = tab;
  tabMainClick();
}

void TfrmZelQueryDialog::zelMenuFile() {
  // The SQL text belongs to the document just left: no question about it.
  memSQL->document()->setModified(false);
  turnTo(TabQuery);
}

void TfrmZelQueryDialog::tabMainClick() {
  if (m_busy)
    return;
  {
    const QScopedValueRollback busy(m_busy, true);
    changeTabs();
  }
  zelMenu->UpdateFileCommands();
  if (m_closeRequested) {
    m_closeRequested = false;
    QMetaObject::invokeMethod(this, &QWidget::close, Qt::QueuedConnection);
  }
}

void TfrmZelQueryDialog::changeTabs() {
  if (m_targetTab == TabQuery && !designFromEditedSql())
    stayOnSqlAt(0, 0);
  showValueEditorFor(Tab(m_targetTab));
  static const TzelMenuView views[] = {zelViewQuery, zelViewCode, zelViewPreview};
  zelMenu->SetView(views[m_targetTab]);
  closeDataset();
  // Paint and timers only: a click or key now could start a second generation or run.
  QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
  if (m_sourceTab == TabQuery && m_targetTab > TabQuery && !regenerate())
    return; // the next change regenerates again
  if (m_targetTab == TabPreview && !memSQL->toPlainText().trimmed().isEmpty())
    runMemo();
  m_sourceTab = m_targetTab;
}

void TfrmZelQueryDialog::showValueEditorFor(Tab target) {
  const TzelDialogStatus status = zelQueryEditor->ValueEditorStatus();
  if (target == TabQuery && status == zelDialogHide)
    zelQueryEditor->SetValueEditorStatus(zelDialogShow);
  else if (target != TabQuery && status == zelDialogShow)
    zelQueryEditor->SetValueEditorStatus(zelDialogHide);
}

void TfrmZelQueryDialog::closeDataset() {
  if (TzelDataset *running = dataset())
    running->Close();
  else if (TzelQuerion *q = querion(); q && q->DataQuery())
    q->DataQuery()->setProperty("Active", false);
}

bool TfrmZelQueryDialog::regenerate() {
  memSQL->clear();
  TzelQuerion *q = querion();
  if (!q || !zelQueryEditor->ApplyValues() || !q->GenerateSQL())
    return false;
  memSQL->setPlainText(q->SQL().join(QLatin1Char('\n')));
  return true;
}

void TfrmZelQueryDialog::runMemo() {
  TzelQuerion *q = querion();
  if (!q)
    return;
  // The text on the SQL tab runs as it stands, typed or generated.
  q->SetSqlEdited(true);
  q->SQL() = memSQL->toPlainText().split(QLatin1Char('\n'));
  q->Execute();
}

void TfrmZelQueryDialog::designFromSql() {
  if (m_busy || tabMain->currentIndex() != TabSQL)
    return;
  if (readSqlIntoDesign())
    turnTo(TabQuery);
}

bool TfrmZelQueryDialog::designFromEditedSql() {
  // Text set by the program (a generated statement) leaves the document unmodified.
  if (!memSQL->document()->isModified() || memSQL->toPlainText().trimmed().isEmpty())
    return true;
  const TzelAnswer answer = zelMessageBox(QStringLiteral("Update the design from the SQL text?"),
                                          TzelMessageKind::Confirmation, TzelButtons::YesNo);
  if (answer != TzelAnswer::Yes) {
    memSQL->document()->setModified(false);
    return true;
  }
  return readSqlIntoDesign();
}

bool TfrmZelQueryDialog::readSqlIntoDesign() {
  TzelQuerion *q = querion();
  TzelQuery *query = zelQueryEditor->CurrentQuery();
  TzelModel *model = q ? q->DataModel() : nullptr;
  if (!query || !model)
    return false;
  const TzelSqlDesignResult read =
      zelDesignFromSql(memSQL->toPlainText(), *model, model->DatabaseType(), *query);
  if (!read) {
    stayOnSqlAt(0, 0);
    zelShowError(read.message);
    stayOnSqlAt(read.line, read.column);
    return false;
  }
  zelQueryEditor->SetValueEditorStatus(zelDialogClose);
  zelQueryEditor->ShowRewrittenQuery(QStringLiteral("Design from SQL"));
  memSQL->document()->setModified(false);
  return true;
}

// Back on the SQL tab without running the tab change again; the cursor at the 1-based line
// and column when given.
void TfrmZelQueryDialog::stayOnSqlAt(int line, int column) {
  if (tabMain->currentIndex() != TabSQL) {
    const QSignalBlocker block(tabMain);
    tabMain->setCurrentIndex(TabSQL);
  }
  m_targetTab = TabSQL;
  if (line <= 0)
    return;
  const QTextBlock block = memSQL->document()->findBlockByNumber(line - 1);
  if (!block.isValid())
    return;
  QTextCursor cursor(block);
  cursor.setPosition(block.position() + qBound(0, column - 1, block.length() - 1));
  memSQL->setTextCursor(cursor);
  memSQL->ensureCursorVisible();
  memSQL->setFocus(Qt::OtherFocusReason);
}

void TfrmZelQueryDialog::zelQueryEditorUpdateCaption(QObject *) {
  const QString &file = zelQueryEditor->FileName;
  setWindowTitle(IsBlank(file) ? m_captionBase : m_captionBase + QStringLiteral(": ") + file);
}

void TfrmZelQueryDialog::showHelp() {
  TzelQuerion *q = querion();
  if (q && q->DataModel())
    zelCatchToMessage([model = q->DataModel()] { model->ShowHelp(0, kHelpContext); });
}

void TfrmZelQueryDialog::changeEvent(QEvent *event) {
  QDialog::changeEvent(event);
  if (event->type() == QEvent::WindowStateChange && isMinimized() &&
      zelQueryEditor->ValueEditorStatus() == zelDialogShow)
    zelQueryEditor->SetValueEditorStatus(zelDialogClose);
}

void TfrmZelQueryDialog::keyPressEvent(QKeyEvent *event) {
  // Escape would close the whole document through the dialog's default handling.
  if (event->key() == Qt::Key_Escape) {
    event->accept();
    return;
  }
  QDialog::keyPressEvent(event);
}

void TfrmZelQueryDialog::reject() {
  if (m_busy) {
    // Closing while the database works: stop the statement, close once the run has ended.
    m_closeRequested = true;
    if (TzelDataset *running = dataset())
      running->Cancel();
    return;
  }
  if (!zelQueryEditor->FileSave(false, true))
    return;
  zelQueryEditor->SetValueEditorStatus(zelDialogClose);
  QDialog::reject();
}
