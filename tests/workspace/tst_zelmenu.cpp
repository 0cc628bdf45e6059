// SPDX-License-Identifier: MIT
// The workspace menu bar and toolbar: structure, the view rules, enabling, the signals fired
// by items and buttons, and the Edit items acting on the SQL text.

#include "editors/designhistory.h"
#include "editors/tst_zelqueryeditor_fixture.h"
#include "editors/zelqueryeditor.h"
#include "engine/zelquerion.h"
#include "workspace/zelmenu.h"

#include <QAction>
#include <QComboBox>
#include <QFile>
#include <QLabel>
#include <QMainWindow>
#include <QMenu>
#include <QMenuBar>
#include <QPlainTextEdit>
#include <QSignalSpy>
#include <QStackedWidget>
#include <QTest>
#include <QToolButton>
#include <QUndoStack>
#include <QVBoxLayout>
#include <memory>

namespace {
struct Host {
  QMainWindow window;
  TzelMenu *menu = new TzelMenu(&window, window.menuBar());
  QPlainTextEdit *memo = new QPlainTextEdit;
  TzelQueryEditor *editor = new TzelQueryEditor;
  Host() {
    auto *central = new QWidget;
    auto *layout = new QVBoxLayout(central);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(menu->panToolbar());
    layout->addWidget(memo);
    window.setCentralWidget(central);
    menu->SQLMemo = memo;
  }
  QAction *item(const char *name) const { return menu->item(name); }
  QWidget *control(const char *name) const { return menu->control(name); }
  QToolButton *button(const char *name) const {
    return qobject_cast<QToolButton *>(menu->control(name));
  }
  // Visible as the user sees it: the item and its menu both shown.
  bool shown(const char *name) const { return item(name)->isVisible(); }
  bool controlShown(const char *name) const { return !control(name)->isHidden(); }
};

QStringList captions(QMenu *menu) {
  QStringList out;
  for (QAction *a : menu->actions())
    out << (a->isSeparator() ? QStringLiteral("-") : a->text());
  return out;
}
} // namespace

class TestZelMenu : public QObject {
  Q_OBJECT
private slots:
  void menusInOrder();
  void undoItems();
  void menuItems_data();
  void menuItems();
  void toolbarControls_data();
  void toolbarControls();
  void toolbarFitsItsWidth_data();
  void toolbarFitsItsWidth();
  void toolbarCombos();
  void glyphsPresent();
  void viewRules_data();
  void viewRules();
  void enableSettings_data();
  void enableSettings();
  void designerCaptionsFollowPagePreview();
  void setEnabled();
  void fillFontNamesOnce();
  void eventsFromItemsAndButtons();
  void layoutCommandsCarryTheirSender_data();
  void layoutCommandsCarryTheirSender();
  void editItemsActOnTheSQLText();
  void editItemsFireLayoutEditInLayoutView();
  void commandsWithoutEditorDoNothing();
  void tableJoinsToggles();
  void commandsOnStep1();
  void arrangeTables();
};

void TestZelMenu::menusInOrder() {
  QMainWindow window;
  QMenu *other = window.menuBar()->addMenu("Other");
  TzelMenu menu(&window, window.menuBar());
  QStringList titles;
  for (QAction *a : window.menuBar()->actions())
    titles << a->text();
  QCOMPARE(titles,
           QStringList({"&File", "&Edit", "&View", "&Insert", "&Window", "&Help", "Other"}));
  QVERIFY(!menu.menu("mnuWindow")->menuAction()->isVisible());
  QCOMPARE(menu.View(), zelViewQuery);
  QVERIFY(menu.MenuEnabled());
  QVERIFY(!menu.DesignerMode);
  QVERIFY(!menu.QueryEditor);
  Q_UNUSED(other);
}

void TestZelMenu::menuItems_data() {
  QTest::addColumn<QString>("menu");
  QTest::addColumn<QStringList>("items");
  QTest::newRow("File") << "mnuFile"
                        << QStringList{"&New",       "&Open...", "&Save",          "Save &As...",
                                       "&Export...", "-",        "Page Set&up...", "Print Pre&view",
                                       "&Print...",  "-",        "&Close"};
  QTest::newRow("Edit") << "mnuEdit"
                        << QStringList{"&Undo",
                                       "&Redo",
                                       "-",
                                       "Cu&t",
                                       "&Copy",
                                       "&Paste",
                                       "-",
                                       "&Delete",
                                       "Select &All",
                                       "-",
                                       "Design from &SQL",
                                       "-",
                                       "&Find",
                                       "&Replace",
                                       "Re&name Table",
                                       "Remove &Table",
                                       "Join T&o...",
                                       "Remove &Join",
                                       "Remove &Value"};
  QTest::newRow("View") << "mnuView"
                        << QStringList{"&Query",
                                       "&Layout",
                                       "&SQL",
                                       "&Preview",
                                       "-",
                                       "&First Page",
                                       "&Next Page",
                                       "&Previous Page",
                                       "&Last Page",
                                       "-",
                                       "Zoom + 25%",
                                       "Zoom - 25%",
                                       "-",
                                       "Page &Designer",
                                       "Join &Editor...",
                                       "Value &Editor...",
                                       "-",
                                       "Table &Joins",
                                       "&Arrange Tables"};
  QTest::newRow("Insert") << "mnuInsert" << QStringList{"&Table",
                                                        "&Value",
                                                        "&Field",
                                                        "-",
                                                        "&Label",
                                                        "&Memo",
                                                        "&Rectangle",
                                                        "&Circle",
                                                        "&Horizontal Line",
                                                        "&Verticle Line",
                                                        "&Image",
                                                        "-",
                                                        "&Date",
                                                        "&Time",
                                                        "Page &Number",
                                                        "&Page Count"};
  QTest::newRow("Window") << "mnuWindow"
                          << QStringList{"Tile &Horizontally", "Tile &Vertically", "&Cascade",
                                         "&Arrange Icons", "-"};
  QTest::newRow("Help") << "mnuHelp" << QStringList{"&Contents", "&Search Help", "-", "&About"};
}

void TestZelMenu::menuItems() {
  QFETCH(QString, menu);
  QFETCH(QStringList, items);
  Host host;
  QCOMPARE(captions(host.menu->menu(menu)), items);
}

void TestZelMenu::toolbarControls_data() {
  QTest::addColumn<QString>("name");
  QTest::addColumn<QString>("hint");
  QTest::addColumn<int>("tag");
  QTest::addColumn<int>("left");
  QTest::addColumn<int>("page"); // -1: fixed on the panel
  QTest::newRow("cmdNew") << "cmdNew"
                          << "New" << 0 << 2 << -1;
  QTest::newRow("cmdOpen") << "cmdOpen"
                           << "Open" << 0 << 26 << -1;
  QTest::newRow("cmdSave") << "cmdSave"
                           << "Save" << 0 << 50 << -1;
  QTest::newRow("cmdSetup") << "cmdSetup"
                            << "Setup" << 0 << 84 << -1;
  QTest::newRow("cmdExecute") << "cmdExecute"
                              << "Execute" << 0 << 108 << -1;
  QTest::newRow("cmdHelp") << "cmdHelp"
                           << "Display Help" << 0 << 638 << -1;
  QTest::newRow("cmdAddTable") << "cmdAddTable"
                               << "Add Table" << 0 << 0 << 0;
  QTest::newRow("cmdRemoveValue") << "cmdRemoveValue"
                                  << "Remove Value" << 0 << 188 << 0;
  QTest::newRow("cmdCutLayout") << "cmdCutLayout"
                                << "Cut" << 1 << 0 << 1;
  QTest::newRow("cmdPasteLayout") << "cmdPasteLayout"
                                  << "Paste" << 3 << 48 << 1;
  QTest::newRow("cmdPageDesigner") << "cmdPageDesigner"
                                   << "Page Designer" << 8 << 82 << 1;
  QTest::newRow("cmdBold") << "cmdBold"
                           << "Bold" << 30 << 330 << 1;
  QTest::newRow("cmdRight") << "cmdRight"
                            << "Align Right" << 35 << 458 << 1;
  QTest::newRow("cmdCopySQL") << "cmdCopySQL"
                              << "Copy" << 0 << 24 << 2;
  QTest::newRow("cmdRefreshCode") << "cmdRefreshCode"
                                  << "Regenerate SQL" << 0 << 82 << 2;
  QTest::newRow("cmdDesignFromSql") << "cmdDesignFromSql"
                                    << "Design from SQL" << 0 << 106 << 2;
  QTest::newRow("cmdPrint") << "cmdPrint"
                            << "Print" << 0 << 0 << 3;
  QTest::newRow("cmdPreview") << "cmdPreview"
                              << "Preview Page" << 20 << 26 << 3;
  QTest::newRow("cmdRecords") << "cmdRecords"
                              << "Preview Grid" << 21 << 50 << 3;
  QTest::newRow("cmdFirst") << "cmdFirst"
                            << "View First" << 2 << 82 << 3;
  QTest::newRow("cmdPrev") << "cmdPrev"
                           << "View Previous" << 4 << 106 << 3;
  QTest::newRow("cmdNext") << "cmdNext"
                           << "View Next" << 3 << 283 << 3;
  QTest::newRow("cmdLast") << "cmdLast"
                           << "View Last" << 5 << 307 << 3;
  QTest::newRow("cmdCancel") << "cmdCancel"
                             << "Cancel current process" << 50 << 283 << 3;
}

void TestZelMenu::toolbarControls() {
  QFETCH(QString, name);
  QFETCH(QString, hint);
  QFETCH(int, tag);
  QFETCH(int, left);
  QFETCH(int, page);
  Host host;
  auto *button = host.window.findChild<QToolButton *>(name);
  QVERIFY(button);
  QCOMPARE(button->toolTip(), hint);
  QCOMPARE(button->property("Tag").toInt(), tag);
  QCOMPARE(button->x(), left);
  QVERIFY(button->autoRaise());
  QVERIFY(!button->icon().isNull());
  // The caption "&Cancel" stands beside the glyph, so that button is wider.
  QCOMPARE(button->size(), name == "cmdCancel" ? QSize(73, 25) : QSize(25, 25));
  QVERIFY(button->sizeHint().width() <= button->width());
  auto *notebook = host.window.findChild<QStackedWidget *>("nbkToolbar");
  QCOMPARE(notebook->count(), 4);
  if (page >= 0)
    QCOMPARE(button->parentWidget(), notebook->widget(page));
  else
    QVERIFY(!notebook->isAncestorOf(button));
}

void TestZelMenu::toolbarFitsItsWidth_data() {
  QTest::addColumn<int>("width");
  QTest::addColumn<QStringList>("overflowed"); // the hints in the overflow button's menu
  QTest::newRow("wide") << 1200 << QStringList();
  QTest::newRow("as wide as the bar") << 665 << QStringList();
  QTest::newRow("narrow") << 400 << QStringList{"Undo", "Redo"};
}

// Help stands at the right end at every width; what does not fit is in the overflow menu and
// out of the Tab order.
void TestZelMenu::toolbarFitsItsWidth() {
  QFETCH(int, width);
  QFETCH(QStringList, overflowed);
  Host host;
  host.window.resize(width, 300);
  host.window.show();
  QVERIFY(QTest::qWaitForWindowExposed(&host.window));
  QWidget *panel = host.menu->panToolbar();
  QCOMPARE(panel->width(), width);
  QToolButton *help = host.button("cmdHelp");
  QCOMPARE(help->mapTo(panel, QPoint(help->width(), 0)).x(), width - 2);
  auto *more = host.window.findChild<QToolButton *>("cmdMore");
  QVERIFY(more);
  QCOMPARE(more->isVisible(), !overflowed.isEmpty());
  emit more->menu()->aboutToShow();
  QStringList hints;
  for (const QAction *a : more->menu()->actions())
    hints << a->text();
  QCOMPARE(hints, overflowed);
  for (const QString &hint : std::as_const(overflowed))
    QCOMPARE(host.button(hint == u"Undo" ? "cmdUndo" : "cmdRedo")->focusPolicy(), Qt::NoFocus);
}

void TestZelMenu::toolbarCombos() {
  Host host;
  auto *size = host.window.findChild<QComboBox *>("cmbFontSize");
  auto *zoom = host.window.findChild<QComboBox *>("cmbZoom");
  auto *font = host.window.findChild<QComboBox *>("cmbFontName");
  QVERIFY(size && zoom && font);
  QVERIFY(size->isEditable());
  QVERIFY(!zoom->isEditable() && !font->isEditable());
  QCOMPARE(size->currentText(), "12");
  QCOMPARE(size->count(), 19);
  QCOMPARE(size->itemText(18), "72");
  QCOMPARE(zoom->currentText(), "100%");
  QCOMPARE(zoom->count(), 8);
  QCOMPARE(font->property("Tag").toInt(), 36);
  QCOMPARE(size->property("Tag").toInt(), 36);
  QCOMPARE(zoom->property("Tag").toInt(), 40);
  QCOMPARE(font->geometry(), QRect(114, 0, 152, 25));
  QCOMPARE(host.window.findChild<QLabel *>("labPage")->text(), "Ready");
  QCOMPARE(host.menu->panToolbar()->height(), 33);
  QCOMPARE(host.item("mnuFileNew")->shortcut(), QKeySequence("Ctrl+N"));
  QCOMPARE(host.item("mnuFilePrint")->shortcut(), QKeySequence("Ctrl+P"));
  QCOMPARE(host.item("mnuEditSelectAll")->shortcut(), QKeySequence("Ctrl+A"));
  QCOMPARE(host.item("mnuEditDesignFromSql")->shortcut(), QKeySequence("Ctrl+Shift+D"));
  // Every shortcut belongs to one command.
  QHash<QKeySequence, QString> owners;
  for (QAction *a : host.window.findChildren<QAction *>()) {
    if (a->shortcut().isEmpty())
      continue;
    QVERIFY2(!owners.contains(a->shortcut()), qPrintable(a->text()));
    owners.insert(a->shortcut(), a->text());
  }
  QCOMPARE(host.item("mnuEditDelete")->property("Tag").toInt(), 4);
  QCOMPARE(host.item("mnuInsertPageCount")->property("Tag").toInt(), 12);
  QCOMPARE(host.item("mnuViewPageDesigner")->property("Tag").toInt(), 8);
}

void TestZelMenu::glyphsPresent() {
  for (const char *name :
       {"NEW",       "OPEN",         "SAVE",         "SETUP",     "QUERY",       "HELP",
        "ADD_TABLE", "REMOVE_TABLE", "RENAME_TABLE", "EDIT_JOIN", "REMOVE_JOIN", "EDIT_VALUE",
        "ADD_VALUE", "REMOVE_VALUE", "WIZARD",       "SUMMARY",   "CUT",         "COPY",
        "PASTE",     "DESIGNER",     "BOLD",         "ITALICS",   "UNDERLINE",   "LEFT",
        "CENTER",    "RIGHT",        "SQL",          "PRINT",     "PREVIEW",     "RECORDS",
        "FIRST",     "PREVIOUS",     "NEXT",         "LAST",      "CANCEL",      "DESIGN_SQL"}) {
    const QString glyph = QStringLiteral("ZEL_TOOLBAR_") + name;
    QVERIFY2(QFile::exists(":/glyphs/" + glyph + ".svg"), qPrintable(glyph));
  }
}

// For each view, with and without DesignerMode, which items are visible or enabled.
void TestZelMenu::viewRules_data() {
  QTest::addColumn<int>("view");
  QTest::addColumn<bool>("designer");
  QTest::addColumn<QStringList>("visible");
  QTest::addColumn<QStringList>("hidden");
  QTest::addColumn<QStringList>("enabled");
  QTest::addColumn<QStringList>("disabled");
  const QStringList edit{"mnuEditCut", "mnuEditCopy", "mnuEditPaste", "mnuEditDelete",
                         "mnuEditSelectAll"};
  const QStringList queryItems{"mnuEditSep2",       "mnuEditRenameTable",   "mnuEditRemoveTable",
                               "mnuEditJoinTo",     "mnuEditRemoveJoin",    "mnuEditRemoveValue",
                               "mnuViewJoinEditor", "mnuViewValueEditor",   "mnuViewSep4",
                               "mnuViewTableJoins", "mnuViewArrangeTables", "mnuInsertTable",
                               "mnuInsertValue"};
  const QStringList layoutItems{"mnuInsertField", "mnuInsertSep1", "mnuInsertLabel",
                                "mnuInsertPageCount", "mnuViewPageDesigner"};
  const QStringList designer{"mnuViewLayout", "mnuFilePrintPreview"};
  const QStringList navigation{"mnuViewFirst", "mnuViewNext",   "mnuViewPrevious", "mnuViewLast",
                               "mnuViewSep2",  "mnuViewZoomIn", "mnuViewZoomOut"};
  const QStringList never{"mnuEditFind", "mnuEditReplace", "mnuWindowCascade"};
  const QStringList exportPrint{"mnuFileExport", "mnuFilePrint"};
  const QStringList design{"mnuEditDesignFromSql"};

  QTest::newRow("Query") << 0 << false << (queryItems + QStringList{"mnuViewSep1"})
                         << (layoutItems + designer + navigation + never) << QStringList{}
                         << (edit + exportPrint + design);
  QTest::newRow("Layout") << 1 << false << layoutItems
                          << (queryItems + designer + navigation + never +
                              QStringList{"mnuViewSep3", "mnuViewSep1"})
                          << edit << (exportPrint + design);
  QTest::newRow("Code") << 2 << false << design
                        << (queryItems + layoutItems + designer + navigation + never)
                        << (edit + design) << exportPrint;
  QTest::newRow("Preview") << 3 << false << QStringList{}
                           << (queryItems + layoutItems + designer + navigation + never +
                               QStringList{"mnuViewSep1"})
                           << exportPrint << (edit + design);
  QTest::newRow("Layout designer")
      << 1 << true << (layoutItems + designer + QStringList{"mnuViewSep3"})
      << (queryItems + navigation) << edit << (exportPrint + design);
  QTest::newRow("Preview designer")
      << 3 << true << (designer + navigation + QStringList{"mnuViewSep1"})
      << (queryItems + layoutItems + QStringList{"mnuViewSep3"}) << exportPrint << (edit + design);
}

void TestZelMenu::viewRules() {
  QFETCH(int, view);
  QFETCH(bool, designer);
  QFETCH(QStringList, visible);
  QFETCH(QStringList, hidden);
  QFETCH(QStringList, enabled);
  QFETCH(QStringList, disabled);
  Host host;
  host.menu->DesignerMode = designer;
  host.menu->SetView(zelViewCode); // start elsewhere, so every rule has work to do
  host.menu->SetView(TzelMenuView(view));
  for (const QString &name : visible)
    QVERIFY2(host.menu->item(name)->isVisible(), qPrintable(name));
  for (const QString &name : hidden)
    QVERIFY2(!host.menu->item(name)->isVisible(), qPrintable(name));
  for (const QString &name : enabled)
    QVERIFY2(host.menu->item(name)->isEnabled(), qPrintable(name));
  for (const QString &name : disabled)
    QVERIFY2(!host.menu->item(name)->isEnabled(), qPrintable(name));
  QCOMPARE(host.menu->menu("mnuInsert")->menuAction()->isEnabled(), view < zelViewCode);
  QCOMPARE(host.window.findChild<QStackedWidget *>("nbkToolbar")->currentIndex(), view);
  QCOMPARE(int(host.menu->View()), view);
  const bool previewControls = designer && view == zelViewPreview;
  for (const char *name : {"labPage", "cmdPreview", "cmdRecords", "cmdFirst", "cmdPrev", "cmdNext",
                           "cmdLast", "bvlPreview", "cmbZoom"})
    QVERIFY2(host.controlShown(name) == previewControls, name);
  QVERIFY(host.controlShown("cmdPrint"));
  QVERIFY(!host.controlShown("cmdCancel"));
  QVERIFY(!host.controlShown("cmdWizard"));
  QVERIFY(!host.controlShown("cmdSummary"));
}

void TestZelMenu::enableSettings_data() {
  QTest::addColumn<bool>("save");
  QTest::addColumn<bool>("exportOk");
  QTest::addColumn<bool>("print");
  QTest::addColumn<bool>("records"); // the query's dataset is open
  QTest::addColumn<int>("view");
  QTest::newRow("all, Preview") << true << true << true << true << 3;
  QTest::newRow("all, Query") << true << true << true << true << 0;
  QTest::newRow("no save") << false << true << true << true << 3;
  QTest::newRow("no save, Query") << false << true << true << false << 0;
  QTest::newRow("no export") << true << false << true << true << 3;
  QTest::newRow("no print, Query") << true << true << false << true << 0;
  QTest::newRow("no print, Preview") << true << true << false << true << 3;
  QTest::newRow("no records, Preview") << true << true << true << false << 3;
}

// The host sets the editor up after the menu has taken its first view: the settings count
// from the moment the window shows.
void TestZelMenu::enableSettings() {
  QFETCH(bool, save);
  QFETCH(bool, exportOk);
  QFETCH(bool, print);
  QFETCH(bool, records);
  QFETCH(int, view);
  Host host;
  QObject dataset;
  dataset.setProperty("SQL", QStringList());
  dataset.setProperty("Active", records);
  TzelQuerion querion;
  querion.SetDataQuery(&dataset);
  host.menu->QueryEditor = host.editor;
  host.menu->SetView(TzelMenuView(view));
  host.editor->EnableSave = save;
  host.editor->EnableExport = exportOk;
  host.editor->EnablePrint = print;
  host.editor->SetQuerion(&querion);
  host.window.show();
  const bool preview = view == zelViewPreview;
  QCOMPARE(host.item("mnuFileSave")->isEnabled(), save);
  QCOMPARE(host.item("mnuFileSaveAs")->isEnabled(), save);
  QCOMPARE(host.control("cmdSave")->isEnabled(), save);
  QCOMPARE(host.item("mnuFileExport")->isEnabled(), preview && exportOk && records);
  QCOMPARE(host.item("mnuFilePrint")->isEnabled(), preview && print && records);
  QCOMPARE(host.control("cmdPrint")->isEnabled(), print && records);
  // The dataset opens or closes: the host tells the menu.
  dataset.setProperty("Active", !records);
  host.menu->UpdateFileCommands();
  QCOMPARE(host.item("mnuFileExport")->isEnabled(), preview && exportOk && !records);
  QCOMPARE(host.control("cmdPrint")->isEnabled(), print && !records);
}

void TestZelMenu::designerCaptionsFollowPagePreview() {
  Host host;
  host.menu->DesignerMode = true;
  host.menu->SetView(zelViewPreview);
  QCOMPARE(host.item("mnuViewFirst")->text(), "&First Page");
  QVERIFY(host.item("mnuViewZoomIn")->isVisible());
  QVERIFY(host.controlShown("cmbZoom"));
  QSignalSpy commands(host.menu, &TzelMenu::OnLayoutCommand);
  host.button("cmdRecords")->click();
  QCOMPARE(commands.count(), 1);
  QCOMPARE(host.item("mnuViewFirst")->text(), "&First Record");
  QCOMPARE(host.item("mnuViewNext")->text(), "&Next Record");
  QCOMPARE(host.item("mnuViewPrevious")->text(), "&Previous Record");
  QCOMPARE(host.item("mnuViewLast")->text(), "&Last Record");
  QVERIFY(!host.item("mnuViewZoomIn")->isVisible());
  QVERIFY(!host.item("mnuViewSep2")->isVisible());
  QVERIFY(!host.controlShown("cmbZoom"));
  host.button("cmdPreview")->click();
  QCOMPARE(host.item("mnuViewLast")->text(), "&Last Page");
  QVERIFY(host.controlShown("cmbZoom"));
}

void TestZelMenu::setEnabled() {
  Host host;
  host.menu->SetEnabled(false);
  QVERIFY(!host.menu->MenuEnabled());
  for (const char *name : {"mnuFile", "mnuEdit", "mnuView", "mnuInsert"})
    QVERIFY2(!host.menu->menu(name)->menuAction()->isEnabled(), name);
  QVERIFY(host.menu->menu("mnuHelp")->menuAction()->isEnabled());
  QVERIFY(!host.menu->panToolbar()->isEnabled());
  // A view change while disabled leaves Insert disabled.
  host.menu->SetView(zelViewQuery);
  QVERIFY(!host.menu->menu("mnuInsert")->menuAction()->isEnabled());
  host.menu->SetEnabled(true);
  QVERIFY(host.menu->menu("mnuInsert")->menuAction()->isEnabled());
  QVERIFY(host.menu->panToolbar()->isEnabled());
  host.menu->SetView(zelViewCode);
  host.menu->SetEnabled(true);
  QVERIFY(!host.menu->menu("mnuInsert")->menuAction()->isEnabled());
  QVERIFY(host.menu->menu("mnuFile")->menuAction()->isEnabled());
}

void TestZelMenu::fillFontNamesOnce() {
  Host host;
  auto *font = host.window.findChild<QComboBox *>("cmbFontName");
  QCOMPARE(font->count(), 0);
  host.menu->SetView(zelViewLayout);
  QVERIFY(font->count() > 0);
  QVERIFY(font->currentIndex() >= 0);
  for (int i = 1; i < font->count(); ++i)
    QVERIFY(font->itemText(i - 1).compare(font->itemText(i), Qt::CaseInsensitive) <= 0);
  font->clear();
  font->addItem("Mine");
  host.menu->FillFontNames();
  QCOMPARE(font->count(), 1);
}

void TestZelMenu::eventsFromItemsAndButtons() {
  Host host;
  QSignalSpy execute(host.menu, &TzelMenu::OnExecute);
  QSignalSpy query(host.menu, &TzelMenu::OnViewQuery);
  QSignalSpy code(host.menu, &TzelMenu::OnViewCode);
  QSignalSpy preview(host.menu, &TzelMenu::OnViewPreview);
  QSignalSpy insert(host.menu, &TzelMenu::OnInsertObject);
  QSignalSpy design(host.menu, &TzelMenu::OnDesignFromSql);
  host.button("cmdExecute")->click();
  host.item("mnuViewQuery")->trigger();
  host.item("mnuViewSQL")->trigger();
  host.item("mnuViewPreview")->trigger();
  host.item("mnuFilePrintPreview")->trigger();
  host.item("mnuInsertImage")->trigger();
  QCOMPARE(execute.count(), 1);
  QCOMPARE(execute.first().first().value<QObject *>(), host.menu);
  QCOMPARE(query.count(), 1);
  QCOMPARE(code.count(), 1);
  QCOMPARE(preview.count(), 2);
  QCOMPARE(insert.count(), 1);
  QCOMPARE(insert.first().first().value<QObject *>()->property("Tag").toInt(), 8);
  host.menu->SetView(zelViewQuery);
  host.item("mnuEditDesignFromSql")->trigger(); // off the SQL tab: disabled
  QCOMPARE(design.count(), 0);
  host.menu->SetView(zelViewCode);
  host.item("mnuEditDesignFromSql")->trigger();
  host.button("cmdDesignFromSql")->click();
  QCOMPARE(design.count(), 2);
  QCOMPARE(design.first().first().value<QObject *>(), host.menu);
  host.window.show();
  host.item("mnuFileClose")->trigger();
  QVERIFY(!host.window.isVisible());
}

void TestZelMenu::layoutCommandsCarryTheirSender_data() {
  QTest::addColumn<QString>("name");
  QTest::addColumn<int>("tag");
  QTest::newRow("menu Layout") << "mnuViewLayout" << 1;
  QTest::newRow("menu first") << "mnuViewFirst" << 2;
  QTest::newRow("menu zoom out") << "mnuViewZoomOut" << 7;
  QTest::newRow("menu designer") << "mnuViewPageDesigner" << 8;
  QTest::newRow("cmdBold") << "cmdBold" << 30;
  QTest::newRow("cmdCenter") << "cmdCenter" << 34;
  QTest::newRow("cmdLast") << "cmdLast" << 5;
  QTest::newRow("cmdCancel") << "cmdCancel" << 50;
}

void TestZelMenu::layoutCommandsCarryTheirSender() {
  QFETCH(QString, name);
  QFETCH(int, tag);
  Host host;
  host.menu->SetView(zelViewLayout);
  QSignalSpy commands(host.menu, &TzelMenu::OnLayoutCommand);
  QObject *sender = host.menu->item(name);
  if (sender)
    static_cast<QAction *>(sender)->trigger();
  else {
    sender = host.control(qPrintable(name));
    static_cast<QToolButton *>(sender)->click();
  }
  QCOMPARE(commands.count(), 1);
  QCOMPARE(commands.first().first().value<QObject *>(), sender);
  QCOMPARE(sender->property("Tag").toInt(), tag);
  QCOMPARE(host.menu->View(), zelViewLayout);
}

void TestZelMenu::editItemsActOnTheSQLText() {
  Host host;
  host.window.show();
  host.menu->SetView(zelViewCode);
  host.memo->setPlainText("SELECT x");
  QTextCursor cursor = host.memo->textCursor();
  cursor.setPosition(0);
  host.memo->setTextCursor(cursor);
  host.item("mnuEditDelete")->trigger(); // nothing selected: one Delete key press
  QCOMPARE(host.memo->toPlainText(), "ELECT x");
  host.item("mnuEditSelectAll")->trigger();
  QCOMPARE(host.memo->textCursor().selectedText(), "ELECT x");
  host.item("mnuEditCopy")->trigger();
  host.item("mnuEditDelete")->trigger(); // a selection: removed
  QCOMPARE(host.memo->toPlainText(), "");
  host.item("mnuEditPaste")->trigger();
  QCOMPARE(host.memo->toPlainText(), "ELECT x");
  host.item("mnuEditSelectAll")->trigger();
  host.item("mnuEditCut")->trigger();
  QCOMPARE(host.memo->toPlainText(), "");
  host.button("cmdPasteSQL")->click();
  host.button("cmdPasteSQL")->click();
  QCOMPARE(host.memo->toPlainText(), "ELECT xELECT x");
  // Outside the editing views the items are disabled and do nothing.
  host.menu->SetView(zelViewQuery);
  host.item("mnuEditSelectAll")->trigger();
  QVERIFY(!host.memo->textCursor().hasSelection());
}

void TestZelMenu::editItemsFireLayoutEditInLayoutView() {
  Host host;
  host.menu->SetView(zelViewLayout);
  host.memo->setPlainText("kept");
  QSignalSpy edits(host.menu, &TzelMenu::OnLayoutEdit);
  for (const char *name :
       {"mnuEditCut", "mnuEditCopy", "mnuEditPaste", "mnuEditDelete", "mnuEditSelectAll"})
    host.item(name)->trigger();
  host.button("cmdCopyLayout")->click();
  QCOMPARE(edits.count(), 6);
  for (int i = 0; i < 5; ++i)
    QCOMPARE(edits.at(i).first().value<QObject *>()->property("Tag").toInt(), i + 1);
  QCOMPARE(edits.at(5).first().value<QObject *>(), host.control("cmdCopyLayout"));
  QCOMPARE(host.memo->toPlainText(), "kept");
}

void TestZelMenu::commandsWithoutEditorDoNothing() {
  Host host;
  QSignalSpy created(host.menu, &TzelMenu::OnNew);
  QSignalSpy opened(host.menu, &TzelMenu::OnOpen);
  QSignalSpy beforeSave(host.menu, &TzelMenu::OnBeforeSave);
  QSignalSpy setup(host.menu, &TzelMenu::OnPageSetup);
  for (const char *name :
       {"mnuFileNew", "mnuFileOpen", "mnuFileSave", "mnuFileSaveAs", "mnuFileExport",
        "mnuFilePageSetup", "mnuFilePrint", "mnuEditRemoveTable", "mnuViewValueEditor",
        "mnuInsertTable", "mnuHelpContents", "mnuHelpSearch", "mnuHelpAbout"})
    host.item(name)->trigger();
  for (const char *name : {"cmdNew", "cmdOpen", "cmdSave", "cmdSetup", "cmdAddTable",
                           "cmdRefreshCode", "cmdPrint", "cmdHelp"})
    host.button(name)->click();
  QCOMPARE(created.count() + opened.count() + beforeSave.count() + setup.count(), 0);
}

void TestZelMenu::tableJoinsToggles() {
  Host host;
  host.menu->QueryEditor = host.editor;
  QAction *joins = host.item("mnuViewTableJoins");
  QVERIFY(joins->isChecked());
  joins->trigger();
  QVERIFY(!joins->isChecked());
  QVERIFY(!host.editor->ShowJoins());
  joins->trigger();
  QVERIFY(host.editor->ShowJoins());
  host.item("mnuViewValueEditor")->trigger();
  QCOMPARE(host.editor->ValueEditorStatus(), zel::zelDialogShow);
}

// On the sample "Step 1": help contexts by view, regenerated SQL in the memo, New fires OnNew.
void TestZelMenu::commandsOnStep1() {
  QueryEditorSetup setup;
  QVERIFY(setup.loaded);
  Host host;
  host.menu->QueryEditor = &setup.editor;
  const int contexts[] = {69, 75, 22, 51};
  for (int v = 0; v < 4; ++v) {
    host.menu->SetView(TzelMenuView(v));
    host.button("cmdHelp")->click();
    QCOMPARE(setup.help.calls.size(), v + 1);
    QCOMPARE(setup.help.calls.last().context, contexts[v]);
  }
  QVERIFY(setup.help.calls.at(1).helpFile != setup.help.calls.at(0).helpFile);
  host.menu->SetView(zelViewCode);
  host.button("cmdRefreshCode")->click();
  QVERIFY(!setup.querion.SQL().isEmpty());
  QCOMPARE(host.memo->toPlainText(), setup.querion.SQL().join('\n'));
  QSignalSpy created(host.menu, &TzelMenu::OnNew);
  host.item("mnuFileNew")->trigger();
  QCOMPARE(created.count(), 1);
  QCOMPARE(created.first().first().value<QObject *>(), host.menu);
}

// The stored sample stands its windows 9 px apart; arranged, they move and the query changes.
void TestZelMenu::arrangeTables() {
  QueryEditorSetup setup;
  QVERIFY(setup.loaded);
  Host host;
  host.menu->QueryEditor = &setup.editor;
  host.menu->SetView(zelViewQuery);
  host.item("mnuViewArrangeTables")->trigger();
  QVERIFY(setup.editor.Modified());
}

// Edit > Undo and Redo follow the design's history on the Query tab, captioned with the step,
// and the text's own undo on the SQL tab.
void TestZelMenu::undoItems() {
  QueryEditorSetup setup;
  QVERIFY(setup.loaded);
  Host host;
  host.menu->QueryEditor = &setup.editor;
  host.menu->SetView(zelViewQuery);
  QCOMPARE(host.item("mnuEditUndo")->shortcut(), QKeySequence(QKeySequence::Undo));
  QCOMPARE(host.item("mnuEditRedo")->shortcut(), QKeySequence(QKeySequence::Redo));
  QVERIFY(!host.item("mnuEditUndo")->isEnabled());
  const QString table = setup.query()->GetTable(0)->TableAlias();
  setup.editor.DropField({table, QStringLiteral("*")}, 0);
  setup.editor.history()->flush();
  const QString step = QStringLiteral("Add Value ") + table + QStringLiteral(".*");
  QCOMPARE(host.item("mnuEditUndo")->text(), QStringLiteral("&Undo ") + step);
  QVERIFY(host.button("cmdUndo")->isEnabled());
  host.item("mnuEditUndo")->trigger();
  QVERIFY(!host.item("mnuEditUndo")->isEnabled());
  QCOMPARE(host.item("mnuEditRedo")->text(), QStringLiteral("&Redo ") + step);
  QVERIFY(host.button("cmdRedo")->isEnabled());
  host.menu->SetView(zelViewCode);
  host.memo->setPlainText(QStringLiteral("SELECT"));
  QVERIFY(!host.item("mnuEditUndo")->isEnabled());
  host.memo->insertPlainText(QStringLiteral(" 1"));
  QVERIFY(host.item("mnuEditUndo")->isEnabled()); // at once, not only when the menu opens
  host.item("mnuEditUndo")->trigger();
  QCOMPARE(host.memo->toPlainText(), QStringLiteral("SELECT"));
  QCOMPARE(setup.editor.history()->stack()->index(), 0);
}

QTEST_MAIN(TestZelMenu)
#include "tst_zelmenu.moc"
