// SPDX-License-Identifier: MIT
#include "editors/tablefinder.h"

#include "editors/joinseditor.h"

#include <QKeyEvent>

TzelTableFinder::TzelTableFinder(TzelJoinsEditor *editor, QWidget *parent)
    : QLineEdit(parent), m_editor(editor) {
  setObjectName(QStringLiteral("txtFindTable"));
  setPlaceholderText(tr("Find a table"));
  setAccessibleName(tr("Find a table"));
  setClearButtonEnabled(true);
  connect(this, &QLineEdit::textChanged, this, [this] { showMatch(QString()); });
}

bool TzelTableFinder::showMatch(QString after) {
  m_shown.clear();
  const QString wanted = text().trimmed();
  if (!m_editor || wanted.isEmpty())
    return false;
  const QStringList aliases = m_editor->TableAliases();
  const qsizetype n = aliases.size();
  const qsizetype start = after.isEmpty() ? 0 : aliases.indexOf(after) + 1;
  for (qsizetype i = 0; i < n; ++i) {
    const QString &alias = aliases.at((start + i) % n);
    if (alias.contains(wanted, Qt::CaseInsensitive) && m_editor->ShowTable(alias)) {
      m_shown = alias;
      return true;
    }
  }
  return false;
}

void TzelTableFinder::keyPressEvent(QKeyEvent *event) {
  const int key = event->key();
  if ((key == Qt::Key_Down || key == Qt::Key_F3) && !m_shown.isEmpty())
    showMatch(m_shown);
  else if ((key == Qt::Key_Return || key == Qt::Key_Enter) && !m_shown.isEmpty())
    m_editor->ShowTable(m_shown, true);
  else {
    QLineEdit::keyPressEvent(event);
    return;
  }
  event->accept();
}
