#pragma once
// A data model made from a database's catalogue: its tables and views with their columns,
// types, nullability and primary keys, and its foreign keys as the model's default joins.

#include "database/catalogueread.h"
#include "zelcore_export.h"

#include <QString>
#include <QStringList>

class TzelDataModel;

// Which tables to read: names matching one of the wildcard patterns (all when none), in one
// of the schemas named (all when none; SQLite's only schema is "main").
struct ZELCORE_EXPORT TzelCatalogueChoice {
  QStringList tablePatterns;
  QStringList schemas;
};

// What a database's catalogue holds, read once: a dialog lists its tables, a model is made
// from those chosen. A folder of tables has no catalogue: its tables carry names only, and
// their structure is read from their files when the model is made.
struct ZELCORE_EXPORT TzelDatabaseCatalogue {
  QString databaseName;
  bool folder = false;
  TzelDriverKind kind = TzelDriverKind::Sqlite;
  QList<TzelCatalogueTable> tables;

  // The table's name in the database: outside PostgreSQL's default schema, with its schema.
  static QString physicalName(const TzelCatalogueTable &table);
  // The schemas of the tables, in order of first appearance ("main" for SQLite and folders).
  QStringList schemas() const;
};

// Reads the catalogue of databaseName (an alias, an SQLite file, a folder of tables) with a
// progress the user may stop (EzelCancelled). Throws EzelError.
ZELCORE_EXPORT TzelDatabaseCatalogue zelReadDatabaseCatalogue(const QString &databaseName);

// Adds the chosen tables of the catalogue to the model and sets its dialect. A join is made
// for the first key between two tables (parent on the left, inner); the result names each
// further key that was not, as "child (columns) -> parent (columns)". Keys to tables not
// chosen are left out. Throws EzelError; EzelCancelled when the user stops.
ZELCORE_EXPORT QStringList zelModelFromCatalogue(TzelDataModel &model,
                                                 const TzelDatabaseCatalogue &catalogue,
                                                 const TzelCatalogueChoice &choice = {});
// The same, reading the catalogue first.
ZELCORE_EXPORT QStringList zelModelFromCatalogue(TzelDataModel &model, const QString &databaseName,
                                                 const TzelCatalogueChoice &choice = {});
