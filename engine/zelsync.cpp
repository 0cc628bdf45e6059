// SPDX-License-Identifier: MIT
#include "engine/zelsync.h"

#include "engine/queryprompts.h"
#include "messages/zelmessages.h"
#include "model/zelmodel.h"
#include "model/zelquery.h"

namespace {

bool askAndApply(TzelSyncMode mode, QList<TzelSyncRow> &rows, TzelModel &model,
                 TzelQueryPrompts &prompts) {
  return rows.isEmpty() || prompts.askReplacements(mode, rows, model);
}

} // namespace

TzelTable *FindLiveTable(TzelSchema &schema, const QString &alias) {
  TzelProbe probe(schema);
  const int index = schema.IndexOfTableAlias(alias);
  return index >= 0 ? schema.GetTable(index) : nullptr;
}

TzelField *FindLiveField(TzelTable &table, const QString &alias) {
  TzelProbe probe(table);
  const int index = table.IndexOfFieldAlias(alias);
  return index >= 0 ? table.GetField(index) : nullptr;
}

QString SyncCaption(TzelSyncMode mode) {
  return (mode == TzelSyncMode::Tables ? QStringLiteral("Table") : QStringLiteral("Field")) +
         QStringLiteral(" aliases in the query do not match the Data Model.");
}

QString CheckSyncRows(const QList<TzelSyncRow> &rows) {
  for (const TzelSyncRow &row : rows)
    if (!IsBlank(row.name) && IsBlank(row.replacement))
      return QStringLiteral("Error: The new name for [") + row.name +
             QStringLiteral("] has not been assigned");
  return {};
}

QList<TzelSyncRow> FindStaleTables(TzelQuery &query, TzelModel &model) {
  QList<TzelSyncRow> rows;
  QStringList choices;
  model.ListTableAliases(choices);
  for (int i = 0; i < query.TableCount(); ++i) {
    const TzelTable *table = query.GetTable(i);
    if (table->Deleted() || FindLiveTable(model, table->TableName()))
      continue;
    const bool listed = std::any_of(rows.cbegin(), rows.cend(), [&](const TzelSyncRow &row) {
      return zelSameText(row.name, table->TableName());
    });
    if (!listed)
      rows.append({table->TableName(), {}, {}, {}, choices});
  }
  return rows;
}

void ApplyTableRows(TzelQuery &query, const QList<TzelSyncRow> &rows) {
  for (const TzelSyncRow &row : rows)
    for (int i = 0; i < query.TableCount(); ++i) {
      TzelTable *table = query.GetTable(i);
      if (!table->Deleted() && zelSameText(table->TableName(), row.name))
        table->SetTableName(row.replacement);
    }
}

QList<TzelSyncRow> FindStaleFields(TzelQuery &query, TzelModel &model) {
  QList<TzelSyncRow> rows;
  for (int v = 0; v < query.ValueCount(); ++v) {
    const TzelQueryValue *value = query.GetValue(v);
    if (value->Deleted() || IsBlank(value->TableAlias()))
      continue;
    const TzelTable *queryTable = FindLiveTable(query, value->TableAlias());
    TzelTable *modelTable = queryTable ? FindLiveTable(model, queryTable->TableName()) : nullptr;
    if (!modelTable || FindLiveField(*modelTable, value->Expression()))
      continue;
    QStringList choices;
    model.ListFieldAliases(modelTable->TableAlias(), choices);
    rows.append({value->TableAlias() + QLatin1Char('.') + value->Expression(),
                 {},
                 value->TableAlias(),
                 value->ValueAlias(),
                 choices});
  }
  return rows;
}

void ApplyFieldRows(TzelQuery &query, const QList<TzelSyncRow> &rows) {
  for (const TzelSyncRow &row : rows) {
    TzelProbe probe(query);
    const int index = query.IndexOfValueAlias(row.valueAlias);
    if (index >= 0)
      query.GetValue(index)->SetExpression(row.replacement);
  }
}

bool SyncTableAliases(TzelQuery &query, TzelModel &model, TzelQueryPrompts &prompts) {
  QList<TzelSyncRow> rows = FindStaleTables(query, model);
  if (!askAndApply(TzelSyncMode::Tables, rows, model, prompts))
    return false;
  ApplyTableRows(query, rows);
  return true;
}

bool SyncFieldAliases(TzelQuery &query, TzelModel &model, TzelQueryPrompts &prompts) {
  QList<TzelSyncRow> rows = FindStaleFields(query, model);
  if (!askAndApply(TzelSyncMode::Fields, rows, model, prompts))
    return false;
  ApplyFieldRows(query, rows);
  return true;
}
