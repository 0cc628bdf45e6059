// SPDX-License-Identifier: MIT
#pragma once
// The workspace's menu bar and toolbar: turns user commands into calls on the query editor
// panel and into signals for the host window. Only the commands that fit the current view
// are shown; the report-designer features exist but stay hidden unless DesignerMode is set.

#include "zelwidgets_export.h"

#include <QHash>
#include <QObject>
#include <QPointer>

class QAction;
class QComboBox;
class QFrame;
class QLabel;
class QMenu;
class QMenuBar;
class QPlainTextEdit;
class QStackedWidget;
class QToolButton;
class QUndoStack;
class QWidget;
class TzelQueryEditor;
class TzelQuerion;
class TzelToolbarFit;

enum TzelMenuView : quint8 {
  zelViewQuery = 0,
  zelViewLayout = 1,
  zelViewCode = 2,
  zelViewPreview = 3
};

class ZELWIDGETS_EXPORT TzelMenu : public QObject {
  Q_OBJECT
public:
  // Inserts the six menus at the front of menuBar and builds the toolbar panel on owner;
  // the host places panToolbar() above its other content.
  TzelMenu(QWidget *owner, QMenuBar *menuBar);

  QPointer<TzelQueryEditor> QueryEditor;
  QPointer<QPlainTextEdit> SQLMemo;
  bool DesignerMode = false;

  TzelMenuView View() const { return m_view; }
  bool MenuEnabled() const { return m_menuEnabled; }
  void SetEnabled(bool value);
  void SetView(TzelMenuView view);
  void FillFontNames();
  // Applies the editor's Enable settings and the state of the query's dataset to the file
  // commands again; the host calls it when the dataset opens or closes. Also done each time
  // the owner window is shown, since the host sets the editor up after building the menu.
  void UpdateFileCommands();

  QFrame *panToolbar() const { return m_panel; }
  QAction *item(const QString &name) const { return m_items.value(name); }
  QMenu *menu(const QString &name) const { return m_menus.value(name); }
  QWidget *control(const QString &name) const { return m_controls.value(name); }

signals:
  void OnNew(QObject *sender);
  void OnOpen(QObject *sender);
  void OnBeforeSave(QObject *sender);
  void OnExecute(QObject *sender);
  void OnViewQuery(QObject *sender);
  void OnViewCode(QObject *sender);
  void OnViewPreview(QObject *sender);
  // Edit > Design from SQL and its button: the host reads the SQL text into the design.
  void OnDesignFromSql(QObject *sender);
  void OnPageSetup(QObject *sender);
  // The host tells these commands apart by the sender's "Tag" property.
  void OnLayoutEdit(QObject *sender);
  void OnLayoutCommand(QObject *sender);
  void OnInsertObject(QObject *sender);

protected:
  bool eventFilter(QObject *watched, QEvent *event) override;

private:
  enum class EditBinding { None, Layout, Memo };

  void buildFileMenu();
  void buildEditMenu();
  void buildViewMenu();
  void buildInsertMenu();
  void buildWindowMenu();
  void buildHelpMenu();
  void buildToolbar();
  void buildQueryPage(QWidget *page);
  void buildLayoutPage(QWidget *page);
  void buildCodePage(QWidget *page);
  void buildPreviewPage(QWidget *page);

  QMenu *addMenu(const QString &name, const QString &caption);
  QAction *addItem(QMenu *menu, const QString &name, const QString &caption,
                   const QString &shortcut = {}, int tag = 0);
  QAction *addSeparator(QMenu *menu, const QString &name);
  QToolButton *addButton(QWidget *parent, const QString &name, const QString &hint,
                         const QString &glyph, int left, int tag = 0);
  QComboBox *addCombo(QWidget *parent, const QString &name, const QString &hint, int left,
                      int width, bool editable);
  void addBevel(QWidget *parent, int left, const QString &name = {});
  // Edit > Undo and Redo: the text's own on the SQL tab, else the design's history.
  void addUndoItems(QMenu *menu);
  void undoOrRedo(bool redo);
  void bindHistory();
  void updateUndoItems();
  void onLayoutCommand(QObject *sender);
  void onEdit(QAction *action);
  void memoDelete();

  void applyFileRules(TzelMenuView v);
  void applyEditRules(TzelMenuView v);
  void applyViewMenuRules(TzelMenuView v);
  void applyInsertRules(TzelMenuView v);
  void applyPreviewPageRules(TzelMenuView v);
  bool pagePreview() const;
  // The Preview's dataset: open (an export then gives at least the field names), and with
  // at least one record (what printing needs; an empty result prints nothing).
  bool resultOpen() const;
  bool hasRecords() const;

  TzelQuerion *querion() const;
  void fileNew();
  void fileOpen();
  void fileSave(bool saveAs);
  void fileExport();
  void filePageSetup();
  void filePrint();
  void helpContents();
  void helpSearch();
  void helpAbout();
  void regenerateSQL();

  QWidget *m_owner;
  QFrame *m_panel = nullptr;
  QStackedWidget *m_notebook = nullptr;
  TzelToolbarFit *m_fit = nullptr;
  QHash<QString, QMenu *> m_menus;
  QHash<QString, QAction *> m_items;
  QHash<QString, QWidget *> m_controls;
  TzelMenuView m_view = zelViewQuery;
  bool m_menuEnabled = true;
  EditBinding m_editBinding = EditBinding::None;
  QPointer<QUndoStack> m_boundStack;
  QPointer<QPlainTextEdit> m_boundMemo;
};
