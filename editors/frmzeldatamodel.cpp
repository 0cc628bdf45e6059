// SPDX-License-Identifier: MIT
#include "editors/frmzeldatamodel.h"

#include "controls/glyphs.h"
#include "controls/windowhelpers.h"
#include "dialogs/guiscreen.h"
#include "editors/designhistory.h"
#include "editors/frmzelnewfromdatabase.h"
#include "editors/joinseditor.h"
#include "editors/modelrefresh.h"
#include "editors/tablefinder.h"
#include "editors/tableform.h"
#include "messages/zelmessages.h"
#include "model/storedformpatch.h"
#include "model/zelmodel.h"

#include <QFrame>
#include <QHBoxLayout>
#include <QScreen>
#include <QShortcut>
#include <QSignalBlocker>
#include <QToolButton>
#include <QUndoStack>
#include <QVBoxLayout>
#include <functional>

namespace {

QToolButton *toolButton(const QString &name, const QString &hint, const QString &glyph,
                        QWidget *parent) {
  return zelToolbarButton(name, hint, zelGlyph(glyph), QSize(25, 25), parent);
}

QFrame *bevel(const QString &name, QFrame::Shape shape, QWidget *parent) {
  auto *line = new QFrame(parent);
  line->setObjectName(name);
  line->setFrameShape(shape);
  line->setFrameShadow(QFrame::Sunken);
  line->setLineWidth(1);
  return line;
}

} // namespace

TfrmZelDataModel::TfrmZelDataModel(QWidget *parent) : QDialog(parent) {
  setObjectName(QStringLiteral("frmZelDataModel"));
  setWindowTitle(QStringLiteral("Data Model"));
  setWindowFlags(Qt::Window | Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
                 Qt::WindowMinMaxButtonsHint | Qt::WindowCloseButtonHint);
  panToolbar = buildToolbar();

  zelJoinsEditor = new TzelJoinsEditor(this);
  zelJoinsEditor->setObjectName(QStringLiteral("zelJoinsEditor"));
  zelJoinsEditor->SetModelEditing(true);
  txtFindTable = new TzelTableFinder(zelJoinsEditor, this);

  auto *layout = new QVBoxLayout(this);
  layout->setContentsMargins(0, 0, 0, 0);
  layout->setSpacing(0);
  layout->addWidget(buildTopRow());
  layout->addWidget(zelJoinsEditor, 1);
  resize(631, 413);
  zelCentreOnScreen(*this);
  connectCommands();
  connectHistory();
  zelF1Clicks(*this, *cmdHelp);
}

QWidget *TfrmZelDataModel::buildToolbar() {
  auto *panel = new QWidget(this);
  panel->setObjectName(QStringLiteral("panToolbar"));
  panel->setFixedHeight(33);
  cmdNewFromDatabase =
      toolButton(QStringLiteral("cmdNewFromDatabase"), QStringLiteral("New from Database…"),
                 QStringLiteral("ZEL_TOOLBAR_NEW_FROM_DATABASE"), panel);
  cmdRefresh = toolButton(QStringLiteral("cmdRefresh"), QStringLiteral("Refresh from Database…"),
                          QStringLiteral("ZEL_TOOLBAR_REFRESH_FROM_DATABASE"), panel);
  cmdAddTable = toolButton(QStringLiteral("cmdAddTable"), QStringLiteral("Add Table"),
                           QStringLiteral("ZEL_TOOLBAR_ADD_TABLE"), panel);
  cmdRemoveTable = toolButton(QStringLiteral("cmdRemoveTable"), QStringLiteral("Remove Table"),
                              QStringLiteral("ZEL_TOOLBAR_REMOVE_TABLE"), panel);
  cmdRenameTable = toolButton(QStringLiteral("cmdRenameTable"), QStringLiteral("Rename Table"),
                              QStringLiteral("ZEL_TOOLBAR_RENAME_TABLE"), panel);
  cmdEditJoin = toolButton(QStringLiteral("cmdEditJoin"), QStringLiteral("Edit Join"),
                           QStringLiteral("ZEL_TOOLBAR_EDIT_JOIN"), panel);
  cmdRemoveJoin = toolButton(QStringLiteral("cmdRemoveJoin"), QStringLiteral("Remove Join"),
                             QStringLiteral("ZEL_TOOLBAR_REMOVE_JOIN"), panel);
  cmdRenameFields = toolButton(QStringLiteral("cmdRenameFields"), QStringLiteral("Rename Fields"),
                               QStringLiteral("ZEL_TOOLBAR_RENAME_FIELDS"), panel);
  cmdUndo =
      zelToolbarButton(QStringLiteral("cmdUndo"), QStringLiteral("Undo"),
                       zelToolbarIcon(QStringLiteral("ZEL_TOOLBAR_UNDO")), QSize(25, 25), panel);
  cmdRedo =
      zelToolbarButton(QStringLiteral("cmdRedo"), QStringLiteral("Redo"),
                       zelToolbarIcon(QStringLiteral("ZEL_TOOLBAR_REDO")), QSize(25, 25), panel);
  cmdHelp = toolButton(QStringLiteral("cmdHelp"), QStringLiteral("Help"),
                       QStringLiteral("ZEL_TOOLBAR_HELP"), panel);
  bevTop = bevel(QStringLiteral("bevTop"), QFrame::HLine, panel);
  bevBottom = bevel(QStringLiteral("bevBottom"), QFrame::HLine, panel);
  Bevel2 = bevel(QStringLiteral("Bevel2"), QFrame::VLine, panel);
  Bevel1 = bevel(QStringLiteral("Bevel1"), QFrame::VLine, panel);
  Bevel3 = bevel(QStringLiteral("Bevel3"), QFrame::VLine, panel);

  auto *row = new QHBoxLayout;
  row->setContentsMargins(3, 0, 3, 0);
  row->setSpacing(1);
  for (QWidget *w : std::initializer_list<QWidget *>{
           cmdNewFromDatabase, cmdRefresh, Bevel3, cmdAddTable, cmdRemoveTable, cmdRenameTable,
           Bevel2, cmdEditJoin, cmdRemoveJoin, Bevel1, cmdRenameFields})
    row->addWidget(w);
  row->addSpacing(6);
  row->addWidget(cmdUndo);
  row->addWidget(cmdRedo);
  row->addStretch();
  row->addWidget(cmdHelp);
  auto *column = new QVBoxLayout(panel);
  column->setContentsMargins(0, 0, 0, 0);
  column->setSpacing(0);
  column->addWidget(bevTop);
  column->addLayout(row, 1);
  column->addWidget(bevBottom);
  SetButtonsFlat(*panel);
  return panel;
}

// The toolbar, and the find box at its right end (alone there while the toolbar is hidden).
QWidget *TfrmZelDataModel::buildTopRow() {
  auto *top = new QWidget(this);
  top->setObjectName(QStringLiteral("panTop"));
  txtFindTable->setParent(top);
  txtFindTable->setFixedWidth(170);
  auto *row = new QHBoxLayout(top);
  row->setContentsMargins(0, 0, 3, 0);
  row->setSpacing(3);
  row->addWidget(panToolbar, 1);
  row->addStretch();
  row->addWidget(txtFindTable);
  return top;
}

void TfrmZelDataModel::connectCommands() {
  // The editor's operations show their own messages; the guard keeps a model error from
  // leaving the click.
  const auto forward = [this](QToolButton *button, std::function<void(TzelJoinsEditor &)> act) {
    connect(button, &QToolButton::clicked, this,
            [this, act] { zelCatchToMessage([&] { act(*zelJoinsEditor); }); });
  };
  forward(cmdAddTable, [](TzelJoinsEditor &e) { e.AddTable(); });
  forward(cmdRemoveTable, [](TzelJoinsEditor &e) { e.RemoveTable(); });
  forward(cmdRenameTable, [](TzelJoinsEditor &e) { e.RenameTable(); });
  forward(cmdEditJoin, [](TzelJoinsEditor &e) { e.EditJoin(true); });
  forward(cmdRemoveJoin, [](TzelJoinsEditor &e) { e.RemoveJoin(); });
  forward(cmdRenameFields, [](TzelJoinsEditor &e) { e.EditFields(); });
  connect(cmdHelp, &QToolButton::clicked, this, &TfrmZelDataModel::cmdHelpClick);
  connect(cmdNewFromDatabase, &QToolButton::clicked, this,
          &TfrmZelDataModel::cmdNewFromDatabaseClick);
  connect(cmdRefresh, &QToolButton::clicked, this,
          [this] { zelRefreshFromDatabase(*zelJoinsEditor, this); });
  // No menu bar here: the workspace's Edit menu key for Join To works in this window too.
  auto *find = new QShortcut(QKeySequence::Find, this);
  connect(find, &QShortcut::activated, this, [this] {
    txtFindTable->setFocus(Qt::ShortcutFocusReason);
    txtFindTable->selectAll();
  });
  connectZoomKeys();
  auto *joinTo = new QShortcut(QKeySequence(Qt::CTRL | Qt::Key_J), this);
  connect(joinTo, &QShortcut::activated, this,
          [this] { zelCatchToMessage([this] { zelJoinsEditor->JoinTo(); }); });
}

// No View menu here: its zoom keys, read-only too.
void TfrmZelDataModel::connectZoomKeys() {
  const auto key = [this](QKeyCombination combination, std::function<void()> act) {
    auto *shortcut = new QShortcut(QKeySequence(combination), this);
    connect(shortcut, &QShortcut::activated, this, act);
  };
  key(Qt::CTRL | Qt::Key_0, [this] { zelJoinsEditor->SetZoom(1); });
  key(Qt::CTRL | Qt::Key_9, [this] { zelJoinsEditor->ZoomToFit(); });
  key(Qt::CTRL | Qt::Key_Minus, [this] { zelJoinsEditor->ZoomOut(); });
  key(Qt::CTRL | Qt::Key_Plus, [this] { zelJoinsEditor->ZoomIn(); });
  key(Qt::CTRL | Qt::Key_Equal, [this] { zelJoinsEditor->ZoomIn(); }); // + unshifted
}

void TfrmZelDataModel::connectHistory() {
  m_history = new TzelDesignHistory(this);
  connect(m_history, &TzelDesignHistory::restored, this,
          [this] { zelJoinsEditor->SyncTables(m_history->patch()->added); });
  connect(zelJoinsEditor, &TzelJoinsEditor::OnDesignStep, m_history,
          [this](const QString &step) { m_history->schedule(step); });
  QUndoStack *stack = m_history->stack();
  connect(stack, &QUndoStack::indexChanged, this, [this] {
    zelJoinsEditor->SetModified(!m_history->stack()->isClean());
    updateUndoButtons();
  });
  connect(cmdUndo, &QToolButton::clicked, m_history, &TzelDesignHistory::undo);
  connect(cmdRedo, &QToolButton::clicked, m_history, &TzelDesignHistory::redo);
  // No menu bar here: the standard keys, and Ctrl+Y beside Ctrl+Shift+Z for redo.
  // One shortcut per command: two holding the same keys would both be ambiguous.
  const auto key = [this](QList<QKeySequence> keys, void (TzelDesignHistory::*act)()) {
    auto *shortcut = new QShortcut(this);
    QList<QKeySequence> unique;
    for (const QKeySequence &k : keys)
      if (!k.isEmpty() && !unique.contains(k))
        unique << k;
    shortcut->setKeys(unique);
    connect(shortcut, &QShortcut::activated, m_history, act);
  };
  key(QKeySequence::keyBindings(QKeySequence::Undo), &TzelDesignHistory::undo);
  key(QKeySequence::keyBindings(QKeySequence::Redo) +
          QList<QKeySequence>{QKeySequence(Qt::CTRL | Qt::Key_Y),
                              QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_Z)},
      &TzelDesignHistory::redo);
  updateUndoButtons();
}

void TfrmZelDataModel::updateUndoButtons() {
  const QUndoStack *stack = m_history->stack();
  cmdUndo->setEnabled(stack->canUndo());
  cmdRedo->setEnabled(stack->canRedo());
  cmdUndo->setToolTip(stack->canUndo() ? QStringLiteral("Undo ") + stack->undoText()
                                       : QStringLiteral("Undo"));
  cmdRedo->setToolTip(stack->canRedo() ? QStringLiteral("Redo ") + stack->redoText()
                                       : QStringLiteral("Redo"));
}

void TfrmZelDataModel::SetReadOnly() {
  panToolbar->hide();
  // Not disabled: a disabled editor greys its text and cannot scroll.
  zelJoinsEditor->SetReadOnly(true);
  setWindowTitle(windowTitle() + QStringLiteral(" (Read-Only)"));
  m_fitOnShow = true;
}

void TfrmZelDataModel::showEvent(QShowEvent *event) {
  QDialog::showEvent(event);
  // The host sets the model copy before showing the window.
  if (!m_history->design() && zelJoinsEditor->Schema()) {
    arrangeUnplacedTables();
    m_history->setDesign(zelJoinsEditor->Schema());
  }
  if (!m_fitOnShow)
    return;
  m_fitOnShow = false;
  fitTables();
}

// A model read from a database's catalogue has never been laid out: every table stands at the
// origin. It opens arranged along its joins, as where the history starts, not as a change.
void TfrmZelDataModel::arrangeUnplacedTables() {
  const TzelSchema *schema = zelJoinsEditor->Schema();
  if (schema->TableCount() < 2)
    return;
  for (int i = 0; i < schema->TableCount(); ++i)
    if (const TzelTable *t = schema->GetTable(i); t->Left() != 0 || t->Top() != 0)
      return;
  const QSignalBlocker quiet(zelJoinsEditor);
  zelJoinsEditor->ArrangeTables();
}

// A window that only shows the model opens large enough to show every table at a glance (as far
// as the screen allows).
void TfrmZelDataModel::fitTables() {
  QRect tables;
  for (const TzelTableForm *form : zelJoinsEditor->tableWindows())
    tables |= form->geometry();
  if (tables.isEmpty())
    return;
  const QSize viewport = zelJoinsEditor->viewport()->size();
  const int margin = 12;
  const QSize grow(qMax(0, tables.right() + margin - viewport.width()),
                   qMax(0, tables.bottom() + margin - viewport.height()));
  QSize wanted = size() + grow;
  if (const QScreen *screen = this->screen())
    wanted = wanted.boundedTo(screen->availableGeometry().size() - QSize(40, 60));
  if (wanted.width() > width() || wanted.height() > height()) {
    resize(wanted.expandedTo(size()));
    zelCentreOnScreen(*this);
  }
}

void TfrmZelDataModel::cmdHelpClick() {
  if (TzelModel *model = zelJoinsEditor->Model())
    zelCatchToMessage([model] { model->ShowHelp(0, 5); });
}

void TfrmZelDataModel::cmdNewFromDatabaseClick() {
  TzelModel *model = zelJoinsEditor->Model();
  if (!model || zelJoinsEditor->Schema() != model)
    return;
  m_history->flush(); // what the user did before is a step of its own
  zelNewModelFromDatabase(*model, this, [this, model] {
    // Named first: the arrangement that follows is part of the same step.
    m_history->schedule(QStringLiteral("New from Database"));
    zelJoinsEditor->SetSchema(model);
    zelJoinsEditor->ArrangeTables();
    m_history->flush();
  });
}

void TfrmZelDataModel::reject() {
  if (!zelJoinsEditor->Modified()) {
    QDialog::reject();
    return;
  }
  switch (zelMessageBox(QStringLiteral("Save changes to the current Data Model?"),
                        TzelMessageKind::Confirmation, TzelButtons::YesNoCancel)) {
  case TzelAnswer::Yes:
    QDialog::accept();
    break;
  case TzelAnswer::No:
    QDialog::reject();
    break;
  default:
    break; // Cancel: the window stays open
  }
}
