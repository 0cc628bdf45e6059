#pragma once
// A data model made from a database's catalogue: its tables and views with their columns,
// types, nullability and primary keys, and its foreign keys as the model's default joins.

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

// Adds the tables of databaseName (an alias, an SQLite file, a folder of tables) to the model
// and sets its dialect. A join is made for the first key between two tables (parent on the
// left, inner); the result names each further key that was not, as "child (columns) ->
// parent (columns)". Keys to tables not read are left out. Throws EzelError.
ZELCORE_EXPORT QStringList zelModelFromCatalogue(TzelDataModel &model, const QString &databaseName,
                                                 const TzelCatalogueChoice &choice = {});
