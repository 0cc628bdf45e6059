// SPDX-License-Identifier: MIT
#pragma once
// The visual editor of the tables and joins of one schema: every table is a small window
// listing its fields, every join field pair a line between two field rows. In query mode the
// schema is a query and new tables come from the data model; in model mode the schema is the
// data model itself and new tables come from the database.
//
// Only the tables in or near the view have windows: a window is made as the view scrolls to
// its table, and when the keys, a search or a command reach it; the lines are placed from each
// table's stored place, so a schema of thousands of tables costs what the view shows.
//
// Windows and lines live on a surface that scrolls, at least 1000 x 1000 pixels and grown to
// hold every table with room beyond the furthest to drop another; a table's
// Left and Top are surface coordinates, so they do not depend on the scroll position, and so
// are the line points kept with the join field pairs.

#include "editors/fielddrag.h"
#include "editors/joinlines.h"
#include "model/zelmodel.h"
#include "zelwidgets_export.h"

#include <QHash>
#include <QList>
#include <QPointer>
#include <QScrollArea>
#include <QSet>

#include <memory>
#include <optional>
#include <vector>

class QMenu;
class QAction;
class QKeyEvent;
class TzelJoinsSurface;
class TzelTableForm;
class TzelTableList;
class TfrmZelAddTable;
class TfrmZelField;
class TfrmZelJoin;
struct TzelTablePlace;

class ZELWIDGETS_EXPORT TzelJoinsEditor : public QScrollArea {
  Q_OBJECT
public:
  explicit TzelJoinsEditor(QWidget *parent = nullptr);
  ~TzelJoinsEditor() override;

  TzelSchema *Schema() const { return m_schema; }
  // Rebuilds every window: ClearTables, then LoadTables for a schema (none empties the editor).
  void SetSchema(TzelSchema *schema);
  TzelModel *Model() const { return m_model; }
  void SetModel(TzelModel *model) { m_model = model; }
  bool ModelEditing() const { return m_modelEditing; }
  void SetModelEditing(bool on);
  bool Modified() const { return m_modified; }
  void SetModified(bool on) { m_modified = on; }
  // Read-only: the schema is shown and scrolled, and windows may be moved or sized for a better
  // view (the schema keeps its geometry, Modified stays clear); every command, drop and close
  // that would change the schema is refused without a word. Only Help stays in the popup menu.
  bool ReadOnly() const { return m_readOnly; }
  void SetReadOnly(bool on);

  // Lays the table windows out left to right along their joins: a breadth-first walk from the
  // table with the most joins gives each table a column beside the one it was reached from
  // (never the column of a table it is joined to), rows stack within a column, and unjoined
  // tables follow. Columns stand ArrangeGap pixels apart so every line shows.
  // Sets Modified when a window moved.
  void ArrangeTables();
  static constexpr int ArrangeGap = 80;
  static constexpr int ArrangeMargin = 12;

  void AddTable();
  bool RemoveTable(); // true when a selected window was asked to close
  void RenameTable();
  void EditJoin(bool showMessage);
  bool RemoveJoin(); // true when the selected pair was removed
  void EditFields();
  void SetFieldActive(const QString &tableAlias, const QString &fieldAlias, bool active);
  void ClearFieldsActive(); // no field row of any window shows a value
  void CalculateJoinLines();
  void PaintJoinLines();
  void AddTableWindow(const QString &name, bool isNew, int left, int top, int height, int width);
  void LoadTables();
  void ClearTables();
  // Shows the schema after an undo or redo changed it: `added` are the tables (and other
  // objects) it read anew; windows of the tables it kept stay.
  void SyncTables(const QSet<const TzelComponent *> &added);

  // A table picked in the add-table dialog, placed at pos (viewport coordinates).
  void DropTable(const QString &name, const QPoint &pos);
  // A field dragged from one window dropped on row `row` of another window's list.
  void DropField(TzelTableList *target, const TzelDraggedField &from, int row);
  // Joins field `from` to field `to` as that drop does (same checks, same join reused), then
  // sets the join's type when one is given, as seen from `from`'s table: left keeps its
  // records even where the join reused runs the other way. False when nothing was joined.
  bool JoinFields(const TzelDraggedField &from, const TzelDraggedField &to,
                  std::optional<TzelJoinType> type = std::nullopt);
  // "Join to...": asks for the other table, field and join type of the selected field row.
  void JoinTo();
  // A mouse press on the background: selects the first line hit; the right button opens the
  // popup menu at globalPos.
  void PressBackground(const QPoint &pos, Qt::MouseButton button, const QPoint &globalPos);

  // The first window (in creation order) whose list has a selected row, or none.
  TzelTableForm *SelectedTableWindow() const;
  // The window the table commands act on: the one whose list has the keyboard focus (or had
  // it before a menu or dialog took it), else the first with a selected row; or none.
  TzelTableForm *ActiveTableWindow() const;
  // The windows left to right, those of one Left top to bottom: the order of Tab and Ctrl+Tab.
  // Makes the window of every table that has none yet: meant for small schemas (Tab and
  // Ctrl+Tab make only the window they reach).
  QList<TzelTableForm *> windowsInPositionOrder() const;
  // Gives the line of the pair (in list order of the live pairs that have a line) the keyboard
  // focus and draws it selected; false when there is no such line.
  bool FocusJoinLine(int index);
  // "Customers.CustNo to Orders.CustNo, inner join": what a screen reader says of a line.
  static QString describeLine(const TzelJoinField &pair);
  // Where the next table picked in the add-table dialog goes, in surface coordinates: beside
  // the last window when that is in view, else the first free spot in view, else beside the
  // last window all the same (the editor then scrolls to it). Never on another window.
  QPoint newTableSpot() const;

  // The window of the first table whose alias equals the alias, ignoring case, or none; the
  // window is made when the table has none yet.
  TzelTableForm *FindTableWindow(const QString &alias) const;
  // The aliases of the tables in position order (left to right, those of one Left top to
  // bottom): the order in which a search meets them.
  QStringList TableAliases() const;
  // Scrolls the table of the alias (ignoring case) into the middle of the view, its window
  // made, and selects its first row, so that the table commands act on it; with takeFocus its
  // list takes the keyboard focus too. False when no table has the alias.
  bool ShowTable(const QString &alias, bool takeFocus = false);
  // The windows made so far, in the order of their tables: those in or near the view and
  // those reached since (every table's, in a schema of up to 100 tables). Makes none.
  QList<TzelTableForm *> tableWindows() const;
  int tableCount() const { return int(m_places.size()); }

  // The scale the schema shows at. At 1 the tables are windows and can be edited; below it
  // they are drawn on the surface without windows, to see a big schema whole, and a click on
  // a table (or showing it) comes back to 1 centred on it.
  double Zoom() const { return m_zoom; }
  // Clamped to MinZoom..1; at 1 the view centres on `centre` (surface coordinates at 1) when
  // one is given, else it keeps the middle of the view where it was.
  void SetZoom(double zoom, std::optional<QPoint> centre = std::nullopt);
  void ZoomToFit(); // the whole schema in view, never above 1
  void ZoomIn();    // the next of 25, 50 and 100 %
  void ZoomOut();
  static constexpr double MinZoom = 0.02;
  TzelJoinsSurface *surface() const { return m_surface; }
  QMenu *popupMenu() const { return m_popup; }
  // Surface coordinates of a point of the viewport (they differ while scrolled).
  QPoint surfacePoint(const QPoint &viewportPoint) const;

signals:
  void OnDeleteTable(TzelTableForm *sender);
  void OnRenameTable(TzelJoinsEditor *sender, const QString &oldAlias, const QString &newAlias);
  void OnDblClickField(TzelTableList *sender);
  // The user changed the design: one undo step, named for what was done.
  void OnDesignStep(const QString &step);

protected:
  // Tab into the editor goes on to the first table window, Shift+Tab to the last, F6 to the
  // window last worked in.
  void focusInEvent(QFocusEvent *event) override;
  void resizeEvent(QResizeEvent *event) override;

private:
  void designChanged(const QString &step) {
    m_modified = true;
    emit OnDesignStep(m_commandStep.isEmpty() ? step : m_commandStep);
  }
  void buildPopup();
  void showPopup(const QPoint &globalPos);
  TzelTablePlace &addPlace(int index, const QRect &geometry, const QStringList &fields);
  TzelTableForm *realize(TzelTablePlace &place);
  // Windows for the tables in or near the view; but for the load's, they come without taking
  // the focus or the surface's activation.
  void realizeNearView(bool loading = false);
  TzelTablePlace *placeOf(const TzelTableForm *window) const;
  const std::vector<TzelTablePlace *> &unmadePlaces() const; // the tables without a window
  void removePlace(const TzelTableForm *window);
  bool movePlace(TzelTablePlace &place, const QPoint &to);
  void connectWindow(TzelTableForm *window);
  void destroyWindows();
  void dropWindow(TzelTableForm *window);
  int addNewTable(const QString &name, const QRect &geometry);
  void dropModelTable(const QString &name, const QPoint &pos);
  bool confirmClose(TzelTableForm *window);
  void resetSurface();
  void growSurface(const QRect &window);
  void windowMoved(TzelTableForm *window);
  void windowResized(TzelTableForm *window);
  bool keepGeometry(TzelTableForm *window); // true when the table's geometry changed
  static QString geometryStep(const TzelTable &table, const TzelTableForm &window);
  void applyReadOnly(TzelTableList *list) const;
  // True when the user lets a pair of fields whose types cannot compare be joined.
  bool confirmComparable(const TzelDraggedField &from, const TzelDraggedField &to) const;
  TzelTable *tableOf(const TzelTableForm *window) const;
  // Tables by alias case-folded, the first of equal aliases only.
  using WindowIndex = QHash<QString, const TzelTablePlace *>;
  const WindowIndex &windowIndex() const; // kept until a table comes, goes or is renamed
  void calculateLinesOf(const TzelTableForm *window);
  void deselectPairs(TzelJoin &join, const WindowIndex &windows);
  void measureRows(const TzelTableForm *window, int &rowHeight, int &captionHeight);
  QString linesDescription() const; // one line to a pair, for a screen reader
  void calculateJoin(TzelJoin &join, const WindowIndex &windows, int &rowHeight,
                     int &captionHeight);
  int rowY(const TzelTablePlace &place, const QString &field, int rowHeight,
           int captionHeight) const;
  void paintLines(QPainter &painter) const;
  TzelJoinField *selectedPair() const;
  void renameInModel(TzelTableForm *window);
  void renameInQuery(TzelTableForm *window);
  void fillJoinDialog(const TzelJoinField &pair);
  void fillAddTableDialog();
  void connectKeys(TzelTableForm *window);
  std::vector<TzelTablePlace *> placesInPositionOrder() const;
  void focusPlace(TzelTablePlace *place, Qt::FocusReason reason);
  void tabFromWindow(TzelTableForm *window, bool forward);
  void cycleWindows(TzelTableForm *window, bool forward);
  void focusWindow(TzelTableForm *window, Qt::FocusReason reason);
  // Tab, Shift+Tab or F6 into the editor: the focus handed on to a window or a line; false
  // for any other way in.
  bool enterByKeys(Qt::FocusReason reason);
  void announceFocus();
  // Back to the window last worked in, on the row it was left at.
  void returnToLastWindow(Qt::FocusReason reason);
  TzelTableForm *windowWithFocus() const;
  QList<TzelJoinField *> linePairs() const;
  int focusedLine() const;
  void tabFromLine(bool forward);
  bool lineKey(const QKeyEvent &event);
  void leaveEditor(bool forward);
  void announceLine(int index);
  void showLinePopup();
  void rollActiveTable();
  void addZoomMenu();
  // The middle of the view in surface coordinates at 1.
  QPoint viewMiddle() const;
  QPoint scrollPosition() const;
  // Shows the schema at the zoom scrolled to `scroll`, `middle` kept as the middle it means.
  void showZoomed(double zoom, const QPoint &scroll, const QPoint &middle);
  void applySurfaceSize();
  void paintSurface(QPainter &painter) const;
  void paintZoomed(QPainter &painter) const;
  // The table drawn at a point of the zoomed surface, or none.
  TzelTablePlace *placeAtZoomed(const QPoint &pos) const;

  QPointer<TzelSchema> m_schema;
  QPointer<TzelModel> m_model;
  bool m_modelEditing = false;
  bool m_modified = false;
  bool m_readOnly = false;
  bool m_loading = false;
  bool m_realizing = false;
  bool m_inPassing = false;
  QString m_commandStep; // while one command moves many windows: the one step they make
  TzelJoinsSurface *m_surface;
  double m_zoom = 1;
  // The middle the last zoom meant and where it scrolled: the surface may end before that
  // middle, and a zoom back from the same view comes back to it.
  QPoint m_zoomMiddle;
  QPoint m_zoomScroll{-1, -1};
  QPointer<TzelTableForm> m_lastWindow; // the window last worked in, for F6 and the zoom
  QSize m_extent;                       // the surface's least size at 1
  std::vector<std::unique_ptr<TzelTablePlace>> m_places; // every live table, in creation order
  mutable std::vector<TzelTablePlace *> m_unmade;
  mutable bool m_unmadeStale = true;
  mutable WindowIndex m_windowIndex;
  mutable bool m_windowIndexStale = true;
  QMenu *m_popup = nullptr;
  QAction *m_editFields = nullptr;
  QAction *m_editFieldsSeparator = nullptr;
  TfrmZelJoin *m_joinDialog = nullptr;
  TfrmZelField *m_fieldDialog = nullptr;
  TfrmZelAddTable *m_addTableDialog = nullptr;
  unsigned m_lineAccessible = 0; // the focused line's accessible object, registered
};
