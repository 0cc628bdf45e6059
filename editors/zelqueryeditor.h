// SPDX-License-Identifier: MIT
#pragma once
// The panel on which one query of a query component is designed: the joins editor above a
// transposed values grid (one column per output value), a script page, and the document
// commands for query files. It keeps the grid and the query in step: LoadQuery fills the grid
// from the query, ApplyValues writes it back before anything reads the query.

#include "editors/fielddrag.h"
#include "editors/frmzelvalue.h"
#include "editors/valuesgrid.h"
#include "engine/zelquerion.h"
#include "model/zeltypes.h"
#include "zelwidgets_export.h"

#include <QPointer>
#include <QTableWidget>
#include <QWidget>
#include <functional>

class QComboBox;
class QLabel;
class QMenu;
class QPlainTextEdit;
class QStackedWidget;
class QTabBar;
class TzelHorzSplit;
class TzelDesignHistory;
struct ZelFormPatch;
class TzelJoinsEditor;
class TzelQuery;
class TzelQueryValue;
class TzelTableForm;
class TzelTableList;
class TzelTableTree;
class TzelVertSplit;

class ZELWIDGETS_EXPORT TzelQueryEditor : public QWidget {
  Q_OBJECT
  Q_PROPERTY(bool ShowJoins READ ShowJoins WRITE SetShowJoins)
  Q_PROPERTY(
      zel::TzelDialogStatus ValueEditorStatus READ ValueEditorStatus WRITE SetValueEditorStatus)
public:
  explicit TzelQueryEditor(QWidget *parent = nullptr);
  ~TzelQueryEditor() override;

  TzelQuerion *Querion() const { return m_querion; }
  void SetQuerion(TzelQuerion *querion); // loads the query
  TzelQuerion *SourceQuerion() const { return m_sourceQuerion; }
  void SetSourceQuerion(TzelQuerion *querion) { m_sourceQuerion = querion; }
  TzelQuery *CurrentQuery() const; // none without Querion
  bool ShowJoins() const { return m_showJoins; }
  void SetShowJoins(bool show);
  bool ShowTables() const { return m_showTables; }
  void SetShowTables(bool show);
  TzelQueryType QueryType() const { return m_queryType; }
  void SetQueryType(TzelQueryType type);
  TzelDialogStatus ValueEditorStatus() const { return m_valueEditorStatus; }
  void SetValueEditorStatus(TzelDialogStatus status);
  TfrmZelValueEditor *valueEditor() const { return m_valueEditor; }

  bool EnableExport = true;
  bool EnablePrint = true;
  bool EnableSave = true; // false: every save does nothing and succeeds
  QString FileName;
  bool SaveToForm = false;
  bool AskSaveMethod = false;
  // False takes over the joins editor's flag; setting sets both.
  bool Modified() const;
  void SetModified(bool on);

  void LoadQuery(); // a new design: its undo history starts afresh
  // The query rewritten as a whole by one user action (its design read from SQL): shown again,
  // its table windows laid out along their joins, and one step to undo.
  void ShowRewrittenQuery(const QString &step);
  // The undo history of the query: one step per user action.
  TzelDesignHistory *history() const { return m_history; }
  // Records a step named for what the user did, once the present event is handled.
  void recordStep(const QString &name);
  bool ApplyValues(); // false after the duplicate-header message; nothing written then
  void InsertValue();
  void RemoveValue();
  void AddTable();
  void RemoveTable();
  void RenameTable();
  void EditJoin(bool showMessage);
  void RemoveJoin();
  void ArrangeTables(); // the joins editor lays its table windows out along their joins
  bool FileNew(bool askSave, bool resetFile);
  bool FileOpen();
  bool FileSave(bool saveAs, bool ask);
  // The dialog filter and the extension of query (or report) files.
  QString fileExtension() const;
  QString fileFilter() const;
  QString defaultFolder() const;

  // Unmarks the field in its table window when no column of the grid shows it any more.
  void ReleaseField(const QString &table, const QString &field);
  // Adds the dragged field (or every field for "*") at the grid column (0: the first empty).
  void DropField(const TzelDraggedField &field, int column);
  // The value editor's view of the grid: the header list, the table tree and the current cell.
  void RefreshValueEditor();
  // Makes the cell current and shows it in the value editor when it is open.
  void SelectCell(int column, int row);
  // The value index of a grid column: -1 without index.
  int columnIndex(int column) const;
  QString cell(int column, int row) const;
  void setCell(int column, int row, const QString &text);

  QWidget *panTables = nullptr;
  QWidget *panDatabase = nullptr;
  QLabel *labDatabase = nullptr;
  QComboBox *cmbDatabase = nullptr;
  TzelTableTree *outTables = nullptr;
  TzelVertSplit *zelVertSplit = nullptr;
  QWidget *panQuery = nullptr;
  QStackedWidget *nbkQuery = nullptr;
  TzelJoinsEditor *zelJoins = nullptr;
  TzelHorzSplit *zelHorzSplit = nullptr;
  TzelValuesGrid *grdValues = nullptr;
  QWidget *panScript = nullptr;
  QLabel *labScript = nullptr;
  QPlainTextEdit *memScript = nullptr;
  QTabBar *tabSteps = nullptr;
  QMenu *popMenu = nullptr;

signals:
  void OnUpdateCaption(QObject *sender);

protected:
  void resizeEvent(QResizeEvent *event) override;
  bool eventFilter(QObject *watched, QEvent *event) override;

private:
  void buildControls();
  void buildQueryPage();
  void buildScriptPage();
  void buildGrid();
  void buildPopup();
  void layoutQueryPage();
  void grdValuesSelectCell(int row, int column);
  void grdValuesColumnMoved(int logical, int oldVisual, int newVisual);
  void zelJoinsDeleteTable(TzelTableForm *sender);
  void zelJoinsRenameTable(const QString &oldAlias, const QString &newAlias);
  void zelJoinsDblClickField(TzelTableList *sender);
  void fillValueColumn(int column, int valueIndex);
  void fillDroppedColumn(int column, const QString &table, const QString &field, int valueIndex);
  static int addFieldValue(TzelQuery &query, const QString &table, const QString &field);
  bool duplicateHeader(QString &header) const;
  void writeColumn(int column);
  int firstEmptyColumn() const;
  void ensureColumns(int minimum);
  bool closeValueEditor(); // false: the window refused, its edits could not be applied
  bool saveTo(bool toForm);
  // True unless the file Save As writes (the typed name with its extension) exists and the
  // user does not want it replaced.
  bool replaceWithExtension(const QString &chosen) const;
  void updateCaption();
  void buildHistory();
  void syncModified(); // Modified follows the undo stack's clean state
  void showRestored();
  static bool touchesValues(const ZelFormPatch &patch);
  void markValueFields(const QSet<const TzelComponent *> &tables);
  void fillValuesGrid();
  void refillValuesGrid();
  void refillValueColumn(int column, int valueIndex);
  void forEachShownValue(const std::function<void(int index, const TzelQueryValue &value)> &visit);
  // Keeps the joins editor's share of the page that the user set with the splitter.
  void rememberJoinsShare();

  QPointer<TzelQuerion> m_querion;
  QPointer<TzelQuerion> m_sourceQuerion;
  bool m_showJoins = true;
  bool m_showTables = false;
  TzelQueryType m_queryType = zelSelect;
  TzelDialogStatus m_valueEditorStatus = zelDialogClose;
  QPointer<TfrmZelValueEditor> m_valueEditor;
  bool m_modified = false;
  TzelDesignHistory *m_history = nullptr;
  double m_joinsShare = 0.0; // of panQuery's height, given to the joins editor on every resize
};
