// SPDX-License-Identifier: MIT
#pragma once
// A database's tables, columns and keys as its catalogue states them, read with one statement
// per kind of object (tables, columns, keys) whatever the number of tables.

#include "database/zelfieldtype.h"
#include "database/zelsession.h"
#include "zelcore_export.h"

#include <QList>
#include <QString>
#include <QStringList>

class QSqlDatabase;

struct ZELCORE_EXPORT TzelCatalogueColumn {
  QString name;
  TzelColumnType type;
  bool nullable = true;
  int keyOrder = 0; // 1-based place in the primary key, 0 outside it
};

// A foreign key: the columns of the referring table and those they refer to, in key order.
// An empty parentColumns means the parent's primary key (SQLite's "REFERENCES t").
struct ZELCORE_EXPORT TzelCatalogueKey {
  QString name;
  QString parentId;
  QStringList childColumns;
  QStringList parentColumns;
};

struct ZELCORE_EXPORT TzelCatalogueTable {
  QString id;     // the catalogue's own reference: the SQLite name, the PostgreSQL oid
  QString schema; // empty for SQLite
  QString name;
  bool view = false;
  QList<TzelCatalogueColumn> columns; // in column order
  QList<TzelCatalogueKey> keys;       // those this table holds, in the catalogue's order

  // The primary key's columns in key order.
  QStringList primaryKey() const;
};

// Tables (and views) in the order of their names, then their columns and keys. SQLite's
// names compare without regard to case. Throws EzelError with the engine's message.
ZELCORE_EXPORT QList<TzelCatalogueTable> zelReadCatalogue(const QSqlDatabase &db,
                                                          TzelDriverKind kind);
