// SPDX-License-Identifier: MIT
#pragma once
// The data model window: a toolbar of table and join commands over the joins editor in model
// mode. It has no OK button: closing with unsaved changes asks whether to keep them, and the
// answer decides the result (Accepted keeps, Rejected drops).

#include "zelwidgets_export.h"

#include <QDialog>

class QFrame;
class QToolButton;
class QWidget;
class TzelDesignHistory;
class TzelJoinsEditor;
class TzelTableFinder;

class ZELWIDGETS_EXPORT TfrmZelDataModel : public QDialog {
  Q_OBJECT
public:
  explicit TfrmZelDataModel(QWidget *parent = nullptr);

  QWidget *panToolbar;
  QFrame *bevTop;
  QFrame *bevBottom;
  QFrame *Bevel1;
  QFrame *Bevel2;
  QFrame *Bevel3;
  QToolButton *cmdNewFromDatabase;
  QToolButton *cmdRefresh;
  QToolButton *cmdAddTable;
  QToolButton *cmdRemoveTable;
  QToolButton *cmdRenameTable;
  QToolButton *cmdEditJoin;
  QToolButton *cmdRemoveJoin;
  QToolButton *cmdRenameFields;
  QToolButton *cmdUndo;
  QToolButton *cmdRedo;
  QToolButton *cmdHelp;
  TzelJoinsEditor *zelJoinsEditor;
  TzelTableFinder *txtFindTable; // beside the toolbar; stays when the toolbar hides

  // Hides the toolbar, makes the editor read-only, marks the caption and makes room for the
  // tables.
  void SetReadOnly();
  // The undo history of the model copy: it starts when the window is first shown.
  TzelDesignHistory *history() const { return m_history; }
  void cmdHelpClick(); // the model's help, context 5
  // Replaces the tables and joins with those of a database the user chooses, arranged; one
  // step of the history.
  void cmdNewFromDatabaseClick();

  // Closing (title bar, Escape) asks about unsaved changes; Cancel keeps the window open.
  void reject() override;

protected:
  void showEvent(QShowEvent *event) override;

private:
  void fitTables();
  void arrangeUnplacedTables();
  QWidget *buildToolbar();
  QWidget *buildTopRow();
  void connectCommands();
  void connectZoomKeys();
  void connectHistory();
  void updateUndoButtons();
  TzelDesignHistory *m_history = nullptr;

  bool m_fitOnShow = false;
};
