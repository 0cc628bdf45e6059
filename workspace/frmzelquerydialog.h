// SPDX-License-Identifier: MIT
#pragma once
// The query workspace: the modal window in which one query document is designed (Query tab),
// read and edited as SQL (SQL tab) and previewed as records (Preview tab), under the
// workspace menus and toolbar. The query dialog component creates it on a working copy of a
// query component and frees it afterwards; closing only hides it.

#include "zelwidgets_export.h"

#include <QDialog>

class QPlainTextEdit;
class QStackedWidget;
class QTableView;
class QTabWidget;
class TzelDataSource;
class TzelDataset;
class TzelMenu;
class TzelQueryEditor;
class TzelQuerion;

class ZELWIDGETS_EXPORT TfrmZelQueryDialog : public QDialog {
  Q_OBJECT
public:
  enum Tab { TabQuery = 0, TabSQL = 1, TabPreview = 2 };

  explicit TfrmZelQueryDialog(QWidget *parent = nullptr);
  ~TfrmZelQueryDialog() override;

  // The caption without the document's file name.
  QString CaptionBase() const { return m_captionBase; }
  void SetCaptionBase(const QString &caption) { m_captionBase = caption; }
  // The dataset the Preview grid shows (the query component's DataQuery).
  void SetPreviewDataSet(TzelDataset *dataset);
  // True while a tab change generates, runs or waits for the database: commands that would
  // start a second one are refused meanwhile.
  bool Busy() const { return m_busy; }

  QTabWidget *tabMain;
  TzelQueryEditor *zelQueryEditor;
  QPlainTextEdit *memSQL;
  QStackedWidget *nbkPreview;
  QTableView *DBGrid1;
  TzelDataSource *srcQuery;
  TzelMenu *zelMenu = nullptr;

  void zelQueryEditorUpdateCaption(QObject *sender);

protected:
  void changeEvent(QEvent *event) override;
  void keyPressEvent(QKeyEvent *event) override;
  void reject() override;

private:
  void buildTabs();
  void buildMenu();
  void buildFocusOrder();
  QList<QWidget *> panels() const; // the panels F6 steps through, in order
  void focusPanel(int step);
  static bool focusInto(QWidget *panel);
  QWidget *buildPreviewPage();
  void sizeColumns();
  void tabMainChange(int index);
  void tabMainClick();
  void changeTabs();
  void turnTo(Tab tab);
  void zelMenuFile();
  void closeDataset();
  bool regenerate();
  void runMemo();
  void showValueEditorFor(Tab target);
  // Edit > Design from SQL: the SQL tab's text read into the design, then the Query tab.
  void designFromSql();
  // Turning to the Query tab with the SQL text edited: asks whether the design should follow
  // it. False when the user agreed and the text could not be read (the SQL tab then stays).
  bool designFromEditedSql();
  // The text read into the query, the editor reloaded as after opening a query file; on a
  // statement the design cannot hold, the reader's message and the cursor at its place.
  bool readSqlIntoDesign();
  void stayOnSqlAt(int line, int column);
  void showHelp();
  TzelQuerion *querion() const;
  TzelDataset *dataset() const;

  QString m_captionBase;
  int m_sourceTab = TabQuery;
  int m_targetTab = TabQuery;
  bool m_busy = false;
  bool m_inCommand = false;
  bool m_closeRequested = false;
};
