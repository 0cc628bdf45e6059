// SPDX-License-Identifier: MIT
#pragma once
// Refresh from the database: what changed in the databases' catalogues since the model was
// made, each change a line a person reads, and the chosen changes applied to the model in
// place, keeping what the user set (aliases, captions, display formats, field order, window
// places).

#include "database/cataloguemodel.h"
#include "zelcore_export.h"

#include <QList>
#include <QString>
#include <QStringList>

class TzelModel;

struct ZELCORE_EXPORT TzelCatalogueChange {
  enum class Kind {
    TableDropped,
    ColumnAdded,
    ColumnDropped,
    ColumnRetyped,
    NullableChanged,
    KeyFlagChanged,
    KeyDropped,
    KeyAdded,
    TableAdded
  };
  Kind kind = Kind::TableDropped;
  QString text;         // "Column [orders.note] added (String(40))"
  bool proposed = true; // a table the model does not hold is only offered
  QString databaseName;
  QString tableAlias;  // the model's table; a key's child end
  QString tableName;   // the table's name in the database (a table added)
  QString column;      // a column change
  QString parentAlias; // a key's parent end
  QStringList childColumns;
  QStringList parentColumns;
  TzelCatalogueColumn source; // a column added or changed, as the database now holds it
  bool view = false;          // a column added to a view
};

// Compares each database's tables in the model with that database's catalogue (its
// databaseName matched ignoring case; tables of databases not given are left out): tables
// dropped and added, columns added, dropped, retyped, nullability and primary-key flags, and
// foreign keys added or dropped between tables of the model, seen as its default joins. A
// folder of tables has no catalogue: its tables compare by their columns, read from their files.
// Throws EzelError.
ZELCORE_EXPORT QList<TzelCatalogueChange>
zelCatalogueChanges(const TzelModel &model, const QList<TzelDatabaseCatalogue> &catalogues);

// Applies the changes given (the catalogues those changes were found in): a dropped table
// goes with its joins, a dropped column with the join pairs naming it, new columns go at the
// end of their table, and a new table is placed right of the others and joined by its keys as
// zelModelFromCatalogue joins them. Throws EzelError.
ZELCORE_EXPORT void zelApplyCatalogueChanges(TzelModel &model,
                                             const QList<TzelCatalogueChange> &changes,
                                             const QList<TzelDatabaseCatalogue> &catalogues);

// The databases the model's live tables come from, in order of first use.
ZELCORE_EXPORT QStringList zelModelDatabases(const TzelModel &model);
