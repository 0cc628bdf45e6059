// SPDX-License-Identifier: MIT
#pragma once
// Alias synchronisation: finds the query's table names and field aliases that the data
// model no longer knows, asks for replacements through the run's prompts and applies
// them. Used before SQL generation and before the query workspace opens.

#include "zelcore_export.h"

#include <QList>
#include <QString>
#include <QStringList>

class TzelQuery;
class TzelModel;
class TzelSchema;
class TzelTable;
class TzelField;
class TzelQueryPrompts;

enum class TzelSyncMode { Tables, Fields };

// One row of the synchronisation dialog: the unmatched name (column 0), its replacement
// (column 1) and, in field mode, the value's table alias and value alias (the hidden
// columns 2 and 3). choices is what the row's drop-down list offers.
struct ZELCORE_EXPORT TzelSyncRow {
  QString name;
  QString replacement;
  QString tableAlias;
  QString valueAlias;
  QStringList choices;
};

// "Table aliases in the query do not match the Data Model." or the same with "Field".
ZELCORE_EXPORT QString SyncCaption(TzelSyncMode mode);
// The dialog's OK check: "Error: The new name for [name] has not been assigned" for the first
// row with a non-blank name and a blank replacement, else an empty text.
ZELCORE_EXPORT QString CheckSyncRows(const QList<TzelSyncRow> &rows);

// The distinct table names (ignoring case) of live query tables that name no model table;
// choices: the model's table aliases.
ZELCORE_EXPORT QList<TzelSyncRow> FindStaleTables(TzelQuery &query, TzelModel &model);
// Every live query table whose TableName is a row's name (ignoring case) gets its replacement.
ZELCORE_EXPORT void ApplyTableRows(TzelQuery &query, const QList<TzelSyncRow> &rows);
// The live field values whose Expression names no field of their table's model table:
// name = table alias + "." + expression; choices: the query's field aliases of that table.
ZELCORE_EXPORT QList<TzelSyncRow> FindStaleFields(TzelQuery &query, TzelModel &model);
// The live value whose ValueAlias is a row's value alias gets the replacement as Expression.
ZELCORE_EXPORT void ApplyFieldRows(TzelQuery &query, const QList<TzelSyncRow> &rows);

// Probing lookups (the container's errors switched off): the live table or field with that
// alias, ignoring case, or none.
ZELCORE_EXPORT TzelTable *FindLiveTable(TzelSchema &schema, const QString &alias);
ZELCORE_EXPORT TzelField *FindLiveField(TzelTable &table, const QString &alias);

// The two steps: nothing stale gives true at once; otherwise the prompts' askReplacements
// decides (the dialog checks its rows with CheckSyncRows and takes its help from the model),
// and on OK the replacements are applied. False means cancelled; the query is then unchanged.
ZELCORE_EXPORT bool SyncTableAliases(TzelQuery &query, TzelModel &model, TzelQueryPrompts &prompts);
ZELCORE_EXPORT bool SyncFieldAliases(TzelQuery &query, TzelModel &model, TzelQueryPrompts &prompts);
