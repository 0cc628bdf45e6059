// SPDX-License-Identifier: MIT
#pragma once
// The field list of a table window: row 0 is "*" (all fields), rows 1..n the field aliases in
// display order. Rows have one fixed height and are drawn by TzelTableListDelegate; a row may
// carry an active marker (the field is used by the query). Field rows are dragged onto other
// table windows to join them.

#include "editors/fielddrag.h"
#include "zelwidgets_export.h"

#include <QHash>
#include <QIcon>
#include <QListWidget>

class ZELWIDGETS_EXPORT TzelTableList : public QListWidget {
  Q_OBJECT
public:
  explicit TzelTableList(QWidget *parent = nullptr);

  // Replaces the rows: "*" then the aliases.
  void setFieldAliases(const QStringList &aliases);
  int rowOf(const QString &text) const; // exact text, the first such row; -1 when absent
  int ItemIndex() const;                // the selected row, or -1
  void setItemIndex(int row);           // -1 selects nothing
  int TopIndex() const;                 // the top visible row
  int rowHeight() const;                // the fixed height of every row

  // Character n (1-based) is '1' while field row n is marked active; 255 characters.
  QString ActiveFields() const { return m_activeFields; }
  void setActiveFields(const QString &markers);
  bool isActiveRow(int row) const;
  // The rows of the table's key fields; none known, the first field's row stands for the key.
  void setKeyRows(const QList<int> &rows) { m_keyRows = rows; }
  bool isKeyRow(int row) const { return m_keyRows.isEmpty() ? row == 1 : m_keyRows.contains(row); }
  void setRowActive(int row, bool active); // rows 1..255; repaints the list

  // True while the list has the keyboard focus, and after it lost it to a menu, a popup or a
  // dialog: the table the editor's commands act on.
  bool isActiveList() const { return m_active; }
  // The row that was selected when the list last lost the focus and its selection; -1 for none.
  int rowLeft() const { return m_rowLeft; }

  // The table alias: the caption of the window holding the list.
  QString tableAlias() const;
  // The marker bitmaps; every list shares one set, loaded with the first list.
  static const QIcon &glyph(bool star, bool selected);

signals:
  void OnTopChanged();
  void popupRequested(const QPoint &globalPos);
  void fieldDropped(const TzelDraggedField &from, int row);
  void fieldDoubleClicked();
  void deleteRequested();
  void pressed();
  // Keys for the editor: Tab / Shift+Tab leave the list (forward or back), Ctrl+Tab /
  // Ctrl+Shift+Tab go to the next or previous table window, Ctrl+arrows move the window,
  // F4 rolls it up or down.
  void tabRequested(bool forward);
  void cycleRequested(bool forward);
  // The user put the keyboard in the list (a click, Tab, a shortcut).
  void worked();
  void moveRequested(const QPoint &step);
  void rollRequested();

protected:
  void mousePressEvent(QMouseEvent *event) override;
  void mouseDoubleClickEvent(QMouseEvent *event) override;
  void keyPressEvent(QKeyEvent *event) override;
  void focusInEvent(QFocusEvent *event) override;
  void focusOutEvent(QFocusEvent *event) override;
  bool event(QEvent *event) override;
  bool eventFilter(QObject *watched, QEvent *event) override;
  bool focusNextPrevChild(bool next) override;
  void startDrag(Qt::DropActions supportedActions) override;
  void dragEnterEvent(QDragEnterEvent *event) override;
  void dragMoveEvent(QDragMoveEvent *event) override;
  void dropEvent(QDropEvent *event) override;

private:
  void checkTopChanged();
  bool windowKey(const QKeyEvent &event);
  bool cycleKey(QEvent *event);
  QPoint popupPoint() const;

  QString m_activeFields;
  QList<int> m_keyRows;
  // Rows by text, the first of equal texts; rebuilt on the next look-up after any change.
  mutable QHash<QString, int> m_rows;
  mutable bool m_rowsStale = true;
  int m_lastTop = 0;
  bool m_active = false;
  int m_rowLeft = -1;
};
