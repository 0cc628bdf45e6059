// SPDX-License-Identifier: MIT
#pragma once
// A data model made from a database's catalogue: its tables and views with their columns,
// types, nullability and primary keys, and its foreign keys as the model's default joins.

#include "database/catalogueread.h"
#include "zelcore_export.h"

#include <QHash>
#include <QString>
#include <QStringList>

class TzelDataModel;
class TzelModel;
class TzelField;
class TzelJoin;
class TzelTable;

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

// The catalogue's tables found by the name a model's table holds (TableName): as spelled, else
// ignoring case; or by the catalogue's own reference.
class ZELCORE_EXPORT TzelCatalogueNames {
public:
  explicit TzelCatalogueNames(const TzelDatabaseCatalogue &catalogue);
  const TzelCatalogueTable *find(const QString &tableName) const;
  const TzelCatalogueTable *byId(const QString &id) const { return m_ids.value(id); }

private:
  QHash<QString, const TzelCatalogueTable *> m_names;
  QHash<QString, const TzelCatalogueTable *> m_folded;
  QHash<QString, const TzelCatalogueTable *> m_ids;
};

// Appends the column to the table as a model made from the catalogue holds it: type, size,
// alignment, nullability, key flag, read-only for a view's, at the position given.
ZELCORE_EXPORT TzelField *zelAddCatalogueField(TzelTable &table, const TzelCatalogueColumn &column,
                                               bool view, int position);

// The join a key makes between two of the model's tables: inner, the parent on the left, a pair
// for each column in key order, each named by the model's field alias of the column (by the
// column's name where the table lacks it).
ZELCORE_EXPORT TzelJoin *zelAddKeyJoin(TzelModel &model, const TzelTable &parent,
                                       const QStringList &parentColumns, const TzelTable &child,
                                       const QStringList &childColumns);

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

// Draws the joins the catalogue's keys make between the model's table at tableIndex and the
// model's other tables of the same database (itself too, for a key to itself), as
// zelModelFromCatalogue draws them: one inner join for each pair of tables not joined yet, the
// parent on the left, its fields in key order. Returns the number of joins drawn.
ZELCORE_EXPORT int zelAddKeyJoins(TzelModel &model, int tableIndex,
                                  const TzelDatabaseCatalogue &catalogue);
// The same, reading the catalogue of the table's database; nothing while the model's AutoJoin
// is off or for a folder of tables, which has no keys. Throws EzelError.
ZELCORE_EXPORT int zelAddKeyJoins(TzelModel &model, int tableIndex);
