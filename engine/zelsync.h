#pragma once
// Alias synchronisation: finds the query's table names and field aliases that the data
// model no longer knows, asks for replacements through the installed prompt and applies
// them. Used before SQL generation and before the query workspace opens.

#include "zelcore_export.h"

#include <QList>
#include <QString>
#include <QStringList>
#include <memory>

class TzelQuery;
class TzelModel;
class TzelSchema;
class TzelTable;
class TzelField;

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

// The synchronisation dialog as the core sees it. OK writes the chosen replacements into
// the rows and returns true; cancel returns false. A dialog checks its rows with
// CheckSyncRows before it closes with OK and takes its help from the model.
class ZELCORE_EXPORT TzelSyncPrompt {
public:
  virtual ~TzelSyncPrompt() = default;
  virtual bool askReplacements(TzelSyncMode mode, QList<TzelSyncRow> &rows, TzelModel &model) = 0;
};

// Installs the process's prompt (ownership passes; null restores the default, which cannot
// choose and so reports the first unassigned name and cancels) and returns the previous one.
ZELCORE_EXPORT std::unique_ptr<TzelSyncPrompt>
zelSetSyncPrompt(std::unique_ptr<TzelSyncPrompt> prompt);
ZELCORE_EXPORT TzelSyncPrompt &zelSyncPrompt();

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

// The two steps: nothing stale gives true at once; otherwise the prompt decides, and on OK
// the replacements are applied. False means cancelled; the query is then unchanged.
ZELCORE_EXPORT bool SyncTableAliases(TzelQuery &query, TzelModel &model);
ZELCORE_EXPORT bool SyncFieldAliases(TzelQuery &query, TzelModel &model);
