// SPDX-License-Identifier: MIT
#pragma once
// Runs a fixture's set-up statements in turn, stopping at the first that fails.

#include <QSqlDatabase>
#include <QSqlError>
#include <QSqlQuery>
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
