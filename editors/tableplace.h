// SPDX-License-Identifier: MIT
#pragma once
// Where a table of the joins editor stands and which fields it lists, whether or not it has a
// window: the editor makes windows only for the tables in or near the view and draws the join
// lines from these places, so a schema of thousands of tables costs what the view shows.

#include <QHash>
#include <QRect>
#include <QStringList>

class QAccessibleInterface;
class QWidget;
class TzelTableForm;

struct TzelTablePlace {
  TzelTablePlace() = default;
  TzelTablePlace(const TzelTablePlace &) = delete;
  TzelTablePlace &operator=(const TzelTablePlace &) = delete;
  ~TzelTablePlace() { forgetAccessible(); }

  int tableIndex = -1;
  QString alias;
  QRect geometry;                  // surface coordinates; the window's own while it has one
  QStringList fields;              // the field aliases in display order
  TzelTableForm *window = nullptr; // none until the view or the keys reach the table
  // Which field rows show a value while there is no window ('1' at row - 1); the window takes
  // them when it is made.
  QString activeFields;

  // The list row of a field as the window shows it ("*" is row 0), or -1.
  int row(const QString &field) const;
  void setFieldActive(const QString &field, bool active);
  // The accessible object that stands for the table while it has no window, made on the
  // first request; forgotten once the window stands for it.
  QAccessibleInterface *accessible(QWidget *surface) const;
  void forgetAccessible();

private:
  mutable QHash<QString, int> m_rows; // built on the first look-up
  mutable unsigned m_accessible = 0;  // registered
};
