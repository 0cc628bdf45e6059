// SPDX-License-Identifier: MIT
#include "zelmenu.h"
#include "controls/windowhelpers.h"

#include "controls/glyphs.h"
#include "database/zeldataset.h"
#include "editors/designhistory.h"
#include "editors/joinseditor.h"
#include "editors/zelqueryeditor.h"
#include "engine/zelquerion.h"
#include "model/zelmodel.h"
#include "workspace/toolbarfit.h"

#include <QApplication>
#include <QButtonGroup>
#include <QComboBox>
#include <QFontDatabase>
#include <QFrame>
#include <QKeyEvent>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QPlainTextEdit>
#include <QStackedWidget>
#include <QToolButton>
#include <QUndoStack>

namespace {
constexpr int kButtonSize = 25;
constexpr int kButtonStep = 24;

void setTag(QObject *object, int tag) {
  if (tag != 0)
    object->setProperty("Tag", tag);
}
} // namespace

TzelMenu::TzelMenu(QWidget *owner, QMenuBar *menuBar) : QObject(owner), m_owner(owner) {
  buildFileMenu();
  buildEditMenu();
  buildViewMenu();
  buildInsertMenu();
  buildWindowMenu();
  buildHelpMenu();
  // Inserted before whatever the host's menu bar already holds, in this order.
  const QList<QAction *> existing = menuBar->actions();
  QAction *before = existing.isEmpty() ? nullptr : existing.first();
  for (const char *name : {"mnuFile", "mnuEdit", "mnuView", "mnuInsert", "mnuWindow", "mnuHelp"})
    menuBar->insertMenu(before, m_menus.value(name));
  m_menus.value("mnuWindow")->menuAction()->setVisible(false);
  buildToolbar();
  owner->installEventFilter(this);
}

bool TzelMenu::eventFilter(QObject *watched, QEvent *event) {
  if (watched == m_owner && event->type() == QEvent::Show)
    UpdateFileCommands();
  return QObject::eventFilter(watched, event);
}

QMenu *TzelMenu::addMenu(const QString &name, const QString &caption) {
  auto *menu = new QMenu(caption, m_owner);
  menu->setObjectName(name);
  m_menus.insert(name, menu);
  return menu;
}

QAction *TzelMenu::addItem(QMenu *menu, const QString &name, const QString &caption,
                           const QString &shortcut, int tag) {
  QAction *action = menu->addAction(caption);
  action->setObjectName(name);
  if (!shortcut.isEmpty())
    action->setShortcut(QKeySequence(shortcut));
  setTag(action, tag);
  m_items.insert(name, action);
  return action;
}

QAction *TzelMenu::addSeparator(QMenu *menu, const QString &name) {
  QAction *action = menu->addSeparator();
  action->setObjectName(name);
  m_items.insert(name, action);
  return action;
}

void TzelMenu::buildFileMenu() {
  QMenu *m = addMenu("mnuFile", "&File");
  connect(addItem(m, "mnuFileNew", "&New", "Ctrl+N"), &QAction::triggered, this,
          &TzelMenu::fileNew);
  connect(addItem(m, "mnuFileOpen", "&Open...", "Ctrl+O"), &QAction::triggered, this,
          &TzelMenu::fileOpen);
  connect(addItem(m, "mnuFileSave", "&Save", "Ctrl+S"), &QAction::triggered, this,
          [this] { fileSave(false); });
  connect(addItem(m, "mnuFileSaveAs", "Save &As..."), &QAction::triggered, this,
          [this] { fileSave(true); });
  connect(addItem(m, "mnuFileExport", "&Export..."), &QAction::triggered, this,
          &TzelMenu::fileExport);
  addSeparator(m, "mnuFileSep1");
  connect(addItem(m, "mnuFilePageSetup", "Page Set&up..."), &QAction::triggered, this,
          &TzelMenu::filePageSetup);
  QAction *preview = addItem(m, "mnuFilePrintPreview", "Print Pre&view");
  preview->setVisible(false);
  connect(preview, &QAction::triggered, this, [this] { emit OnViewPreview(this); });
  connect(addItem(m, "mnuFilePrint", "&Print...", "Ctrl+P"), &QAction::triggered, this,
          &TzelMenu::filePrint);
  addSeparator(m, "mnuFileSep2");
  connect(addItem(m, "mnuFileClose", "&Close"), &QAction::triggered, m_owner, &QWidget::close);
}

void TzelMenu::buildEditMenu() {
  QMenu *m = addMenu("mnuEdit", "&Edit");
  addUndoItems(m);
  const QList<QAction *> edits{addItem(m, "mnuEditCut", "Cu&t", "Ctrl+X", 1),
                               addItem(m, "mnuEditCopy", "&Copy", "Ctrl+C", 2),
                               addItem(m, "mnuEditPaste", "&Paste", "Ctrl+V", 3)};
  addSeparator(m, "mnuEditSep1");
  QList<QAction *> all = edits;
  all << addItem(m, "mnuEditDelete", "&Delete", {}, 4)
      << addItem(m, "mnuEditSelectAll", "Select &All", "Ctrl+A", 5);
  for (QAction *a : all)
    connect(a, &QAction::triggered, this, [this, a] { onEdit(a); });
  addSeparator(m, "mnuEditSep3");
  connect(addItem(m, "mnuEditDesignFromSql", "Design from &SQL", "Ctrl+Shift+D"),
          &QAction::triggered, this, [this] { emit OnDesignFromSql(this); });
  addSeparator(m, "mnuEditSep2");
  addItem(m, "mnuEditFind", "&Find")->setVisible(false);
  addItem(m, "mnuEditReplace", "&Replace")->setVisible(false);
  connect(addItem(m, "mnuEditRenameTable", "Re&name Table"), &QAction::triggered, this, [this] {
    if (QueryEditor)
      QueryEditor->RenameTable();
  });
  connect(addItem(m, "mnuEditRemoveTable", "Remove &Table"), &QAction::triggered, this, [this] {
    if (QueryEditor)
      QueryEditor->RemoveTable();
  });
  connect(addItem(m, "mnuEditJoinTo", "Join T&o...", "Ctrl+J"), &QAction::triggered, this, [this] {
    if (QueryEditor && QueryEditor->zelJoins)
      QueryEditor->zelJoins->JoinTo();
  });
  connect(addItem(m, "mnuEditRemoveJoin", "Remove &Join"), &QAction::triggered, this, [this] {
    if (QueryEditor)
      QueryEditor->RemoveJoin();
  });
  connect(addItem(m, "mnuEditRemoveValue", "Remove &Value"), &QAction::triggered, this, [this] {
    if (QueryEditor)
      QueryEditor->RemoveValue();
  });
}

void TzelMenu::addUndoItems(QMenu *m) {
  QAction *undo = addItem(m, "mnuEditUndo", "&Undo");
  undo->setShortcut(QKeySequence::Undo);
  connect(undo, &QAction::triggered, this, [this] { undoOrRedo(false); });
  QAction *redo = addItem(m, "mnuEditRedo", "&Redo");
  redo->setShortcut(QKeySequence::Redo);
  connect(redo, &QAction::triggered, this, [this] { undoOrRedo(true); });
  addSeparator(m, "mnuEditSep0");
  connect(m, &QMenu::aboutToShow, this, &TzelMenu::updateUndoItems);
}

void TzelMenu::undoOrRedo(bool redo) {
  if (m_view == zelViewCode) {
    if (SQLMemo)
      redo ? SQLMemo->redo() : SQLMemo->undo();
  } else if (QueryEditor && m_view == zelViewQuery) {
    TzelDesignHistory *history = QueryEditor->history();
    redo ? history->redo() : history->undo();
  }
  updateUndoItems();
}

// The host sets QueryEditor and SQLMemo after building the menu: the items follow the stack
// and the text's own undo from the first time they are updated.
void TzelMenu::bindHistory() {
  if (SQLMemo != m_boundMemo) {
    if (m_boundMemo)
      disconnect(m_boundMemo, nullptr, this, nullptr);
    m_boundMemo = SQLMemo;
    if (m_boundMemo) {
      connect(m_boundMemo, &QPlainTextEdit::undoAvailable, this, &TzelMenu::updateUndoItems);
      connect(m_boundMemo, &QPlainTextEdit::redoAvailable, this, &TzelMenu::updateUndoItems);
    }
  }
  QUndoStack *stack = QueryEditor ? QueryEditor->history()->stack() : nullptr;
  if (stack == m_boundStack)
    return;
  if (m_boundStack)
    disconnect(m_boundStack, nullptr, this, nullptr);
  m_boundStack = stack;
  if (stack)
    connect(stack, &QUndoStack::indexChanged, this, &TzelMenu::updateUndoItems);
}

void TzelMenu::updateUndoItems() {
  bindHistory();
  QAction *undo = item("mnuEditUndo");
  QAction *redo = item("mnuEditRedo");
  QString undoText;
  QString redoText;
  bool canUndo = false;
  bool canRedo = false;
  if (m_view == zelViewCode && SQLMemo) {
    canUndo = SQLMemo->document()->isUndoAvailable();
    canRedo = SQLMemo->document()->isRedoAvailable();
  } else if (m_view == zelViewQuery && m_boundStack) {
    canUndo = m_boundStack->canUndo();
    canRedo = m_boundStack->canRedo();
    undoText = m_boundStack->undoText();
    redoText = m_boundStack->redoText();
  }
  undo->setEnabled(canUndo);
  redo->setEnabled(canRedo);
  undo->setText(undoText.isEmpty() ? "&Undo" : "&Undo " + undoText);
  redo->setText(redoText.isEmpty() ? "&Redo" : "&Redo " + redoText);
  for (const char *name : {"cmdUndo", "cmdRedo"})
    if (QWidget *button = control(name))
      button->setEnabled(name == QLatin1String("cmdUndo") ? canUndo : canRedo);
}

void TzelMenu::buildViewMenu() {
  QMenu *m = addMenu("mnuView", "&View");
  connect(addItem(m, "mnuViewQuery", "&Query"), &QAction::triggered, this,
          [this] { emit OnViewQuery(this); });
  QList<QAction *> layout{addItem(m, "mnuViewLayout", "&Layout", {}, 1)};
  connect(addItem(m, "mnuViewSQL", "&SQL"), &QAction::triggered, this,
          [this] { emit OnViewCode(this); });
  connect(addItem(m, "mnuViewPreview", "&Preview"), &QAction::triggered, this,
          [this] { emit OnViewPreview(this); });
  addSeparator(m, "mnuViewSep1");
  layout << addItem(m, "mnuViewFirst", "&First Page", {}, 2)
         << addItem(m, "mnuViewNext", "&Next Page", {}, 3)
         << addItem(m, "mnuViewPrevious", "&Previous Page", {}, 4)
         << addItem(m, "mnuViewLast", "&Last Page", {}, 5);
  addSeparator(m, "mnuViewSep2");
  layout << addItem(m, "mnuViewZoomIn", "Zoom + 25%", {}, 6)
         << addItem(m, "mnuViewZoomOut", "Zoom - 25%", {}, 7);
  addSeparator(m, "mnuViewSep3");
  layout << addItem(m, "mnuViewPageDesigner", "Page &Designer", {}, 8);
  for (QAction *a : layout) {
    a->setVisible(false);
    connect(a, &QAction::triggered, this, [this, a] { onLayoutCommand(a); });
  }
  connect(addItem(m, "mnuViewJoinEditor", "Join &Editor..."), &QAction::triggered, this, [this] {
    if (QueryEditor)
      QueryEditor->EditJoin(true);
  });
  connect(addItem(m, "mnuViewValueEditor", "Value &Editor..."), &QAction::triggered, this, [this] {
    if (QueryEditor)
      QueryEditor->SetValueEditorStatus(zel::zelDialogShow);
  });
  addSeparator(m, "mnuViewSep4");
  QAction *joins = addItem(m, "mnuViewTableJoins", "Table &Joins");
  joins->setCheckable(true);
  joins->setChecked(true);
  connect(joins, &QAction::triggered, this, [this](bool checked) {
    if (QueryEditor)
      QueryEditor->SetShowJoins(checked);
  });
  connect(addItem(m, "mnuViewArrangeTables", "&Arrange Tables"), &QAction::triggered, this, [this] {
    if (QueryEditor)
      QueryEditor->ArrangeTables();
  });
}

void TzelMenu::buildInsertMenu() {
  QMenu *m = addMenu("mnuInsert", "&Insert");
  connect(addItem(m, "mnuInsertTable", "&Table"), &QAction::triggered, this, [this] {
    if (QueryEditor)
      QueryEditor->AddTable(); // closes the value editor first
  });
  connect(addItem(m, "mnuInsertValue", "&Value"), &QAction::triggered, this, [this] {
    if (QueryEditor)
      QueryEditor->InsertValue();
  });
  struct Object {
    const char *name;
    const char *caption;
  };
  const Object objects[] = {{"mnuInsertField", "&Field"},
                            {"mnuInsertSep1", nullptr},
                            {"mnuInsertLabel", "&Label"},
                            {"mnuInsertMemo", "&Memo"},
                            {"mnuInsertRectangle", "&Rectangle"},
                            {"mnuInsertCircle", "&Circle"},
                            {"mnuInsertHorzLine", "&Horizontal Line"},
                            {"mnuInsertVertLine", "&Verticle Line"},
                            {"mnuInsertImage", "&Image"},
                            {"mnuInsertSep2", nullptr},
                            {"mnuInsertDate", "&Date"},
                            {"mnuInsertTime", "&Time"},
                            {"mnuInsertPageNumber", "Page &Number"},
                            {"mnuInsertPageCount", "&Page Count"}};
  int tag = 0;
  for (const Object &o : objects) {
    if (!o.caption) {
      addSeparator(m, o.name)->setVisible(false);
      continue;
    }
    QAction *a = addItem(m, o.name, o.caption, {}, ++tag);
    a->setVisible(false);
    connect(a, &QAction::triggered, this, [this, a] { emit OnInsertObject(a); });
  }
}

void TzelMenu::buildWindowMenu() {
  QMenu *m = addMenu("mnuWindow", "&Window");
  addItem(m, "mnuWindowTileHorz", "Tile &Horizontally")->setVisible(false);
  addItem(m, "mnuWindowTileVert", "Tile &Vertically")->setVisible(false);
  addItem(m, "mnuWindowCascade", "&Cascade")->setVisible(false);
  addItem(m, "mnuWindowArrange", "&Arrange Icons")->setVisible(false);
  addSeparator(m, "mnuWindowSep1")->setVisible(false);
}

void TzelMenu::buildHelpMenu() {
  QMenu *m = addMenu("mnuHelp", "&Help");
  connect(addItem(m, "mnuHelpContents", "&Contents"), &QAction::triggered, this,
          &TzelMenu::helpContents);
  connect(addItem(m, "mnuHelpSearch", "&Search Help"), &QAction::triggered, this,
          &TzelMenu::helpSearch);
  addSeparator(m, "mnuHelpSep1");
  connect(addItem(m, "mnuHelpAbout", "&About"), &QAction::triggered, this, &TzelMenu::helpAbout);
}

QToolButton *TzelMenu::addButton(QWidget *parent, const QString &name, const QString &hint,
                                 const QString &glyph, int left, int tag) {
  QToolButton *b =
      zelToolbarButton(name, hint, zelToolbarIcon(glyph), QSize(kButtonSize, kButtonSize), parent);
  b->move(left, 0);
  setTag(b, tag);
  m_controls.insert(name, b);
  return b;
}

QComboBox *TzelMenu::addCombo(QWidget *parent, const QString &name, const QString &hint, int left,
                              int width, bool editable) {
  auto *c = new QComboBox(parent);
  c->setObjectName(name);
  c->setGeometry(left, 0, width, kButtonSize);
  c->setEditable(editable);
  c->setToolTip(hint);
  c->setAccessibleName(hint);
  m_controls.insert(name, c);
  connect(c, &QComboBox::activated, this, [this, c] { onLayoutCommand(c); });
  return c;
}

void TzelMenu::addBevel(QWidget *parent, int left, const QString &name) {
  auto *f = new QFrame(parent);
  f->setFrameShape(QFrame::VLine);
  f->setFrameShadow(QFrame::Sunken);
  f->setGeometry(left, 1, 2, kButtonSize - 2);
  if (!name.isEmpty()) {
    f->setObjectName(name);
    m_controls.insert(name, f);
  }
}

void TzelMenu::buildToolbar() {
  m_panel = new QFrame(m_owner);
  m_panel->setObjectName("panToolbar");
  m_panel->setFixedHeight(33);
  m_panel->setFrameShape(QFrame::Panel);
  m_panel->setFrameShadow(QFrame::Raised);
  m_panel->setFont(QFont("MS Sans Serif", 8));
  auto *inner = new QWidget(m_panel);
  inner->setGeometry(0, 4, 680, kButtonSize);
  connect(addButton(inner, "cmdNew", "New", "ZEL_TOOLBAR_NEW", 2), &QToolButton::clicked, this,
          &TzelMenu::fileNew);
  connect(addButton(inner, "cmdOpen", "Open", "ZEL_TOOLBAR_OPEN", 26), &QToolButton::clicked, this,
          &TzelMenu::fileOpen);
  connect(addButton(inner, "cmdSave", "Save", "ZEL_TOOLBAR_SAVE", 50), &QToolButton::clicked, this,
          [this] { fileSave(false); });
  addBevel(inner, 78);
  connect(addButton(inner, "cmdSetup", "Setup", "ZEL_TOOLBAR_SETUP", 84), &QToolButton::clicked,
          this, &TzelMenu::filePageSetup);
  connect(addButton(inner, "cmdExecute", "Execute", "ZEL_TOOLBAR_QUERY", 108),
          &QToolButton::clicked, this, [this] { emit OnExecute(this); });
  addBevel(inner, 136);
  m_notebook = new QStackedWidget(inner);
  m_notebook->setObjectName("nbkToolbar");
  m_notebook->setGeometry(142, 0, 488, kButtonSize);
  for (const char *title : {"Query", "Layout", "Code", "Preview"}) {
    auto *page = new QWidget;
    page->setObjectName(QString("pag") + title);
    m_notebook->addWidget(page);
  }
  buildQueryPage(m_notebook->widget(zelViewQuery));
  buildLayoutPage(m_notebook->widget(zelViewLayout));
  buildCodePage(m_notebook->widget(zelViewCode));
  buildPreviewPage(m_notebook->widget(zelViewPreview));
  QToolButton *help = addButton(inner, "cmdHelp", "Display Help", "ZEL_TOOLBAR_HELP", 638);
  connect(help, &QToolButton::clicked, this, &TzelMenu::helpContents);
  m_fit = new TzelToolbarFit(m_panel, inner, help, m_notebook);
}

void TzelMenu::buildQueryPage(QWidget *page) {
  auto call = [this](void (TzelQueryEditor::*op)()) {
    return [this, op] {
      if (QueryEditor)
        (QueryEditor->*op)();
    };
  };
  connect(addButton(page, "cmdAddTable", "Add Table", "ZEL_TOOLBAR_ADD_TABLE", 0),
          &QToolButton::clicked, this, call(&TzelQueryEditor::AddTable));
  connect(addButton(page, "cmdRemoveTable", "Remove Table", "ZEL_TOOLBAR_REMOVE_TABLE", 24),
          &QToolButton::clicked, this, call(&TzelQueryEditor::RemoveTable));
  connect(addButton(page, "cmdRenameTable", "Rename Table", "ZEL_TOOLBAR_RENAME_TABLE", 48),
          &QToolButton::clicked, this, call(&TzelQueryEditor::RenameTable));
  addBevel(page, 76);
  connect(addButton(page, "cmdEditJoin", "Edit Join", "ZEL_TOOLBAR_EDIT_JOIN", 82),
          &QToolButton::clicked, this, [this] {
            if (QueryEditor)
              QueryEditor->EditJoin(true);
          });
  connect(addButton(page, "cmdRemoveJoin", "Remove Join", "ZEL_TOOLBAR_REMOVE_JOIN", 106),
          &QToolButton::clicked, this, call(&TzelQueryEditor::RemoveJoin));
  addBevel(page, 134);
  connect(addButton(page, "cmdEditValue", "Edit Value", "ZEL_TOOLBAR_EDIT_VALUE", 140),
          &QToolButton::clicked, this, [this] {
            if (QueryEditor)
              QueryEditor->SetValueEditorStatus(zel::zelDialogShow);
          });
  connect(addButton(page, "cmdAddValue", "Add Value", "ZEL_TOOLBAR_ADD_VALUE", 164),
          &QToolButton::clicked, this, call(&TzelQueryEditor::InsertValue));
  connect(addButton(page, "cmdRemoveValue", "Remove Value", "ZEL_TOOLBAR_REMOVE_VALUE", 188),
          &QToolButton::clicked, this, call(&TzelQueryEditor::RemoveValue));
  addButton(page, "cmdWizard", "Query Wizard", "ZEL_TOOLBAR_WIZARD", 218)->hide();
  QToolButton *summary = addButton(page, "cmdSummary", "Summary Mode", "ZEL_TOOLBAR_SUMMARY", 242);
  addBevel(page, 270);
  for (const bool redo : {false, true}) {
    QToolButton *b =
        zelToolbarButton(redo ? "cmdRedo" : "cmdUndo", redo ? "Redo" : "Undo",
                         zelToolbarIcon(redo ? "ZEL_TOOLBAR_REDO" : "ZEL_TOOLBAR_UNDO"),
                         QSize(kButtonSize, kButtonSize), page);
    b->move(redo ? 300 : 276, 0);
    b->setEnabled(false);
    m_controls.insert(b->objectName(), b);
    connect(b, &QToolButton::clicked, this, [this, redo] { undoOrRedo(redo); });
  }
  summary->setCheckable(true);
  summary->hide();
}

void TzelMenu::buildLayoutPage(QWidget *page) {
  const char *names[] = {"cmdCutLayout", "cmdCopyLayout", "cmdPasteLayout"};
  const char *hints[] = {"Cut", "Copy", "Paste"};
  const char *glyphs[] = {"ZEL_TOOLBAR_CUT", "ZEL_TOOLBAR_COPY", "ZEL_TOOLBAR_PASTE"};
  for (int i = 0; i < 3; ++i) {
    QToolButton *b = addButton(page, names[i], hints[i], glyphs[i], i * kButtonStep, i + 1);
    connect(b, &QToolButton::clicked, this, [this, b] { emit OnLayoutEdit(b); });
  }
  addBevel(page, 76);
  QList<QToolButton *> commands{
      addButton(page, "cmdPageDesigner", "Page Designer", "ZEL_TOOLBAR_DESIGNER", 82, 8)};
  addCombo(page, "cmbFontName", "Font Name", 114, 152, false)->setProperty("Tag", 36);
  QComboBox *size = addCombo(page, "cmbFontSize", "Font Size", 272, 48, true);
  size->setProperty("Tag", 36);
  size->addItems({"8", "9", "10", "11", "12", "14", "16", "18", "20", "22", "24", "26", "28", "30",
                  "36", "40", "48", "60", "72"});
  size->setCurrentText("12");
  addBevel(page, 324);
  const char *styles[][3] = {{"cmdBold", "Bold", "ZEL_TOOLBAR_BOLD"},
                             {"cmdItalics", "Italics", "ZEL_TOOLBAR_ITALICS"},
                             {"cmdUnderline", "Underline", "ZEL_TOOLBAR_UNDERLINE"}};
  for (int i = 0; i < 3; ++i) {
    QToolButton *b =
        addButton(page, styles[i][0], styles[i][1], styles[i][2], 330 + i * 24, 30 + i);
    b->setCheckable(true);
    commands << b;
  }
  addBevel(page, 404);
  const char *aligns[][3] = {{"cmdLeft", "Align Left", "ZEL_TOOLBAR_LEFT"},
                             {"cmdCenter", "Align Center", "ZEL_TOOLBAR_CENTER"},
                             {"cmdRight", "Align Right", "ZEL_TOOLBAR_RIGHT"}};
  auto *group = new QButtonGroup(page);
  for (int i = 0; i < 3; ++i) {
    QToolButton *b =
        addButton(page, aligns[i][0], aligns[i][1], aligns[i][2], 410 + i * 24, 33 + i);
    b->setCheckable(true);
    group->addButton(b);
    commands << b;
  }
  for (QToolButton *b : commands)
    connect(b, &QToolButton::clicked, this, [this, b] { onLayoutCommand(b); });
}

void TzelMenu::buildCodePage(QWidget *page) {
  connect(addButton(page, "cmdCutSQL", "Cut", "ZEL_TOOLBAR_CUT", 0), &QToolButton::clicked, this,
          [this] {
            if (SQLMemo)
              SQLMemo->cut();
          });
  connect(addButton(page, "cmdCopySQL", "Copy", "ZEL_TOOLBAR_COPY", 24), &QToolButton::clicked,
          this, [this] {
            if (SQLMemo)
              SQLMemo->copy();
          });
  connect(addButton(page, "cmdPasteSQL", "Paste", "ZEL_TOOLBAR_PASTE", 48), &QToolButton::clicked,
          this, [this] {
            if (SQLMemo)
              SQLMemo->paste();
          });
  addBevel(page, 76);
  connect(addButton(page, "cmdRefreshCode", "Regenerate SQL", "ZEL_TOOLBAR_SQL", 82),
          &QToolButton::clicked, this, &TzelMenu::regenerateSQL);
  connect(addButton(page, "cmdDesignFromSql", "Design from SQL", "ZEL_TOOLBAR_DESIGN_SQL", 106),
          &QToolButton::clicked, this, [this] { emit OnDesignFromSql(this); });
}

void TzelMenu::buildPreviewPage(QWidget *page) {
  connect(addButton(page, "cmdPrint", "Print", "ZEL_TOOLBAR_PRINT", 0), &QToolButton::clicked, this,
          &TzelMenu::filePrint);
  auto *group = new QButtonGroup(page);
  QList<QToolButton *> commands{
      addButton(page, "cmdPreview", "Preview Page", "ZEL_TOOLBAR_PREVIEW", 26, 20),
      addButton(page, "cmdRecords", "Preview Grid", "ZEL_TOOLBAR_RECORDS", 50, 21)};
  for (QToolButton *b : commands) {
    b->setCheckable(true);
    group->addButton(b);
  }
  commands.first()->setChecked(true);
  addBevel(page, 77, "bvlPreview");
  commands << addButton(page, "cmdFirst", "View First", "ZEL_TOOLBAR_FIRST", 82, 2)
           << addButton(page, "cmdPrev", "View Previous", "ZEL_TOOLBAR_PREVIOUS", 106, 4);
  auto *label = new QLabel("Ready", page);
  label->setObjectName("labPage");
  label->setAlignment(Qt::AlignCenter);
  label->setGeometry(131, 0, 152, kButtonSize);
  m_controls.insert("labPage", label);
  commands << addButton(page, "cmdNext", "View Next", "ZEL_TOOLBAR_NEXT", 283, 3)
           << addButton(page, "cmdLast", "View Last", "ZEL_TOOLBAR_LAST", 307, 5);
  QToolButton *cancel =
      addButton(page, "cmdCancel", "Cancel current process", "ZEL_TOOLBAR_CANCEL", 283, 50);
  cancel->setText("&Cancel");
  cancel->setToolButtonStyle(Qt::ToolButtonTextBesideIcon);
  cancel->setFixedSize(73, kButtonSize);
  cancel->hide();
  commands << cancel;
  QComboBox *zoom = addCombo(page, "cmbZoom", "Zoom Report", 340, 64, false);
  zoom->setProperty("Tag", 40);
  zoom->addItems({"25%", "50%", "75%", "100%", "125%", "150%", "175%", "200%"});
  zoom->setCurrentText("100%");
  for (QToolButton *b : commands)
    connect(b, &QToolButton::clicked, this, [this, b] { onLayoutCommand(b); });
}

bool TzelMenu::pagePreview() const {
  return static_cast<QToolButton *>(control("cmdPreview"))->isChecked();
}

void TzelMenu::SetEnabled(bool value) {
  m_menuEnabled = value;
  for (const char *name : {"mnuFile", "mnuEdit", "mnuView"})
    m_menus.value(name)->menuAction()->setEnabled(value);
  m_panel->setEnabled(value);
  m_menus.value("mnuInsert")->menuAction()->setEnabled(value && m_view < zelViewCode);
}

void TzelMenu::SetView(TzelMenuView view) {
  applyFileRules(view);
  applyEditRules(view);
  applyViewMenuRules(view);
  applyInsertRules(view);
  applyPreviewPageRules(view);
  if (view == zelViewLayout)
    FillFontNames();
  m_notebook->setCurrentIndex(view);
  m_view = view;
  updateUndoItems();
  m_fit->fit(); // the page's own commands may not fit where the last page's did
}

void TzelMenu::UpdateFileCommands() {
  applyFileRules(m_view);
  updateUndoItems();
}

// Without an editor every command does nothing anyway; the items then keep the look of a
// workspace whose settings allow everything.
bool TzelMenu::resultOpen() const {
  if (!QueryEditor)
    return true;
  const TzelQuerion *q = querion();
  const QObject *data = q ? q->DataQuery() : nullptr;
  return data && data->property("Active").toBool();
}

bool TzelMenu::hasRecords() const {
  if (!QueryEditor)
    return true;
  const TzelQuerion *q = querion();
  const auto *dataset = q ? qobject_cast<const TzelDataset *>(q->DataQuery()) : nullptr;
  // Another kind of dataset is judged by its being open.
  return dataset ? dataset->Active() && !dataset->IsEmpty() : resultOpen();
}

void TzelMenu::applyFileRules(TzelMenuView v) {
  const bool save = QueryEditor ? QueryEditor->EnableSave : true;
  const bool exportOk = QueryEditor ? QueryEditor->EnableExport : true;
  const bool print = QueryEditor ? QueryEditor->EnablePrint : true;
  // Nothing to export until a statement has run, nothing to print until it gave records.
  const bool opened = resultOpen();
  const bool records = hasRecords();
  item("mnuFileSave")->setEnabled(save);
  item("mnuFileSaveAs")->setEnabled(save);
  control("cmdSave")->setEnabled(save);
  item("mnuFileExport")->setEnabled(v == zelViewPreview && exportOk && opened);
  item("mnuFilePrint")->setEnabled(v == zelViewPreview && print && records);
  control("cmdPrint")->setEnabled(print && records);
  item("mnuFilePrintPreview")->setVisible(DesignerMode);
}

void TzelMenu::applyEditRules(TzelMenuView v) {
  const bool editable = v == zelViewLayout || v == zelViewCode;
  for (const char *name :
       {"mnuEditCut", "mnuEditCopy", "mnuEditPaste", "mnuEditDelete", "mnuEditSelectAll"})
    item(name)->setEnabled(editable);
  // The text becomes the design on the SQL tab only, where the user sees what is read.
  item("mnuEditDesignFromSql")->setEnabled(v == zelViewCode);
  for (const char *name : {"mnuEditSep2", "mnuEditRenameTable", "mnuEditRemoveTable",
                           "mnuEditJoinTo", "mnuEditRemoveJoin", "mnuEditRemoveValue"})
    item(name)->setVisible(v == zelViewQuery);
  if (v == zelViewLayout)
    m_editBinding = EditBinding::Layout;
  else if (v == zelViewCode)
    m_editBinding = EditBinding::Memo;
}

void TzelMenu::applyViewMenuRules(TzelMenuView v) {
  const bool preview = v == zelViewPreview && DesignerMode;
  const bool page = pagePreview();
  item("mnuViewLayout")->setVisible(DesignerMode);
  item("mnuViewSep1")->setVisible(v == zelViewQuery || preview);
  for (const char *name : {"mnuViewFirst", "mnuViewNext", "mnuViewPrevious", "mnuViewLast"})
    item(name)->setVisible(preview);
  for (const char *name : {"mnuViewSep2", "mnuViewZoomIn", "mnuViewZoomOut"})
    item(name)->setVisible(preview && page);
  item("mnuViewSep3")->setVisible(v == zelViewLayout && DesignerMode);
  item("mnuViewPageDesigner")->setVisible(v == zelViewLayout);
  for (const char *name : {"mnuViewJoinEditor", "mnuViewValueEditor", "mnuViewSep4",
                           "mnuViewTableJoins", "mnuViewArrangeTables"})
    item(name)->setVisible(v == zelViewQuery);
  if (v != zelViewPreview)
    return;
  const QString kind = page ? "Page" : "Record";
  item("mnuViewFirst")->setText("&First " + kind);
  item("mnuViewNext")->setText("&Next " + kind);
  item("mnuViewPrevious")->setText("&Previous " + kind);
  item("mnuViewLast")->setText("&Last " + kind);
}

void TzelMenu::applyInsertRules(TzelMenuView v) {
  // Kept disabled while the whole menu is, so a running job cannot be disturbed.
  m_menus.value("mnuInsert")->menuAction()->setEnabled(m_menuEnabled && v < zelViewCode);
  item("mnuInsertTable")->setVisible(v == zelViewQuery);
  item("mnuInsertValue")->setVisible(v == zelViewQuery);
  for (QAction *a : m_menus.value("mnuInsert")->actions())
    if (a != item("mnuInsertTable") && a != item("mnuInsertValue"))
      a->setVisible(v == zelViewLayout);
}

void TzelMenu::applyPreviewPageRules(TzelMenuView v) {
  const bool preview = v == zelViewPreview && DesignerMode;
  for (const char *name : {"labPage", "cmdPreview", "cmdRecords", "cmdFirst", "cmdPrev", "cmdNext",
                           "cmdLast", "bvlPreview"})
    control(name)->setVisible(preview);
  control("cmbZoom")->setVisible(preview && pagePreview());
}

void TzelMenu::FillFontNames() {
  auto *combo = static_cast<QComboBox *>(control("cmbFontName"));
  if (combo->count() > 0)
    return;
  QStringList names = QFontDatabase::families();
  names.sort(Qt::CaseInsensitive);
  combo->addItems(names);
  for (const char *preferred : {"Arial", "Times New Roman"}) {
    const int index = combo->findText(preferred);
    if (index >= 0) {
      combo->setCurrentIndex(index);
      return;
    }
  }
  combo->setCurrentIndex(0);
}

void TzelMenu::onLayoutCommand(QObject *sender) {
  SetView(m_view);
  emit OnLayoutCommand(sender);
}

void TzelMenu::onEdit(QAction *action) {
  if (m_editBinding == EditBinding::Layout) {
    emit OnLayoutEdit(action);
    return;
  }
  if (m_editBinding != EditBinding::Memo || !SQLMemo)
    return;
  switch (action->property("Tag").toInt()) {
  case 1:
    SQLMemo->cut();
    break;
  case 2:
    SQLMemo->copy();
    break;
  case 3:
    SQLMemo->paste();
    break;
  case 4:
    memoDelete();
    break;
  case 5:
    SQLMemo->setFocus();
    SQLMemo->selectAll();
    break;
  }
}

void TzelMenu::memoDelete() {
  QTextCursor cursor = SQLMemo->textCursor();
  if (!cursor.hasSelection()) {
    QKeyEvent press(QEvent::KeyPress, Qt::Key_Delete, Qt::NoModifier);
    QApplication::sendEvent(SQLMemo, &press);
    return;
  }
  SQLMemo->setFocus();
  cursor.removeSelectedText();
  SQLMemo->setTextCursor(cursor);
}

TzelQuerion *TzelMenu::querion() const {
  return QueryEditor ? QueryEditor->Querion() : nullptr;
}

void TzelMenu::fileNew() {
  if (QueryEditor && QueryEditor->FileNew(true, true))
    emit OnNew(this);
}

void TzelMenu::fileOpen() {
  if (QueryEditor && QueryEditor->FileOpen())
    emit OnOpen(this);
}

void TzelMenu::fileSave(bool saveAs) {
  if (!QueryEditor)
    return;
  emit OnBeforeSave(this);
  QueryEditor->FileSave(saveAs, false);
}

void TzelMenu::fileExport() {
  if (TzelQuerion *q = querion())
    q->Export();
}

void TzelMenu::filePageSetup() {
  TzelQuerion *q = querion();
  if (!q || !q->PageSetup())
    return;
  QueryEditor->recordStep(QStringLiteral("Page Setup")); // DISTINCT is set there
  QueryEditor->SetModified(true);
  emit OnPageSetup(this);
}

void TzelMenu::filePrint() {
  TzelQuerion *q = querion();
  // A report host prints pages from its own preview; plain queries print their records.
  if (q && (!q->ReportMode() || !pagePreview()))
    q->Print();
}

void TzelMenu::helpContents() {
  TzelQuerion *q = querion();
  TzelModel *model = q ? q->DataModel() : nullptr;
  if (!model)
    return;
  switch (m_view) {
  case zelViewQuery:
    model->ShowHelp(0, 69);
    break;
  case zelViewLayout:
    model->ShowHelp(1, 75);
    break;
  case zelViewCode:
    model->ShowHelp(0, 22);
    break;
  case zelViewPreview:
    if (!q->ReportMode() || !pagePreview())
      model->ShowHelp(0, 51);
    else
      model->ShowHelp(1, 20);
    break;
  }
}

void TzelMenu::helpSearch() {
  TzelQuerion *q = querion();
  if (q && q->DataModel())
    q->DataModel()->ShowHelp(0, -1);
}

void TzelMenu::helpAbout() {
  TzelQuerion *q = querion();
  if (q && q->DataModel())
    q->DataModel()->ShowAbout();
}

void TzelMenu::regenerateSQL() {
  TzelQuerion *q = querion();
  if (q && q->GenerateSQL() && SQLMemo)
    SQLMemo->setPlainText(q->SQL().join('\n'));
}
