#pragma once
// The field list of a table window: row 0 is "*" (all fields), rows 1..n the field aliases in
// display order. Rows have one fixed height and are drawn by TzelTableListDelegate; a row may
// carry an active marker (the field is used by the query). Field rows are dragged onto other
// table windows to join them.

#include "editors/fielddrag.h"
#include "zelwidgets_export.h"

#include <QIcon>
#include <QListWidget>

class ZELWIDGETS_EXPORT TzelTableList : public QListWidget {
  Q_OBJECT
public:
  explicit TzelTableList(QWidget *parent = nullptr);

  // Replaces the rows: "*" then the aliases.
  void setFieldAliases(const QStringList &aliases);
  int rowOf(const QString &text) const; // exact text; -1 when absent
  int ItemIndex() const;                // the selected row, or -1
  void setItemIndex(int row);           // -1 selects nothing
  int TopIndex() const;                 // the top visible row
  int rowHeight() const;                // the fixed height of every row

  // Character n (1-based) is '1' while field row n is marked active; 255 characters.
  QString ActiveFields() const { return m_activeFields; }
  void setActiveFields(const QString &markers);
  bool isActiveRow(int row) const;
  void setRowActive(int row, bool active); // rows 1..255; repaints the list

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

protected:
  void mousePressEvent(QMouseEvent *event) override;
  void mouseDoubleClickEvent(QMouseEvent *event) override;
  void keyPressEvent(QKeyEvent *event) override;
  void focusOutEvent(QFocusEvent *event) override;
  void startDrag(Qt::DropActions supportedActions) override;
  void dragEnterEvent(QDragEnterEvent *event) override;
  void dragMoveEvent(QDragMoveEvent *event) override;
  void dropEvent(QDropEvent *event) override;

private:
  void checkTopChanged();

  QString m_activeFields;
  int m_lastTop = 0;
};
