// SPDX-License-Identifier: MIT
#pragma once
// "Find a table": a box over a joins editor. Typing shows the first table (in position order)
// whose alias holds the text, ignoring case, and selects it; Down or F3 goes on to the next
// such table, Enter gives its window the keyboard focus. It changes nothing in the schema.

#include "zelwidgets_export.h"

#include <QLineEdit>
#include <QPointer>

class TzelJoinsEditor;

class ZELWIDGETS_EXPORT TzelTableFinder : public QLineEdit {
  Q_OBJECT
public:
  explicit TzelTableFinder(TzelJoinsEditor *editor, QWidget *parent = nullptr);

  // The alias of the table shown last, or empty when the text matches none.
  QString shownTable() const { return m_shown; }

protected:
  void keyPressEvent(QKeyEvent *event) override;

private:
  // Shows the first match standing after `after` in position order (from the start when
  // after is empty), wrapping round; true when one was found.
  bool showMatch(QString after);

  QPointer<TzelJoinsEditor> m_editor;
  QString m_shown;
};
