// SPDX-License-Identifier: MIT
#pragma once
// Runs a fixture's set-up statements in turn, stopping at the first that fails; reads the rows
// a statement gives, for comparing two statements' results.

#include <QList>
#include <QSqlDatabase>
#include <QSqlError>
#include <QSqlQuery>
#include <QSqlRecord>
#include <QStringList>

// False with the engine's message and the statement in error.
inline bool execAll(const QSqlDatabase &db, const QStringList &statements, QString &error) {
  QSqlQuery q(db);
  for (const QString &sql : statements)
    if (!q.exec(sql)) {
      error = q.lastError().text() + u'\n' + sql;
      return false;
    }
  return true;
}

using SqlRows = QList<QStringList>;

// The rows of sql, read forward, a null written "NULL"; false with the engine's message and
// the statement.
inline bool sqlRows(const QSqlDatabase &db, const QString &sql, SqlRows &rows, QString &error) {
  QSqlQuery q(db);
  q.setForwardOnly(true);
  if (!q.exec(sql)) {
    error = q.lastError().text() + u'\n' + sql;
    return false;
  }
  rows.clear();
  while (q.next()) {
    QStringList row;
    for (int i = 0; i < q.record().count(); ++i)
      row << (q.isNull(i) ? QStringLiteral("NULL") : q.value(i).toString());
    rows << row;
  }
  return true;
}
