// SPDX-License-Identifier: MIT
#pragma once
// The large query the speed measurements use: 50 tables joined in a chain on NextId = Id,
// every one of their ten fields a value (500), three values sorted and one filter on each
// of 50 values spread over the 20 filter rows. Shared by the generation benchmark and the
// program that writes the same query to files for the whole-process comparison.

#include "engine/zelquerion.h"
#include "model/zeltypes.h"

#include <QString>
#include <memory>
#include <string>

class TzelModel;
class TzelQuery;

namespace chainquery {

constexpr int Tables = 50;
constexpr int FieldsPerTable = 10;
constexpr int FilteredValues = 50;
constexpr int FilterRows = 20;

TFieldType fieldType(int f);
QString tableName(int t);  // TBL_0 ...
QString tableAlias(int t); // Table0 ...
QString sqliteType(TFieldType type);
// The CREATE TABLE statements of the 50 tables, one per line, each ended by ";".
QString sqliteTables();

// A model (single-quoted strings, ISO dates) of the 50 tables in the database BENCH.
std::unique_ptr<TzelModel> makeModel(TzelDatabase type, TzelJoinMethod joins);
// Fills an empty query of a query component bound to such a model.
void fillQuery(TzelQuery &query);

// One dialect's model and a query component holding the query; sql keeps its statement.
struct Variant {
  Variant(const char *dialect, TzelDatabase type, TzelJoinMethod joins)
      : name(dialect), model(makeModel(type, joins)) {
    querion.setObjectName(QStringLiteral("zelQuerion1"));
    querion.SetDataModel(model.get());
    fillQuery(*querion.CurrentQuery());
  }
  std::string name;
  std::unique_ptr<TzelModel> model;
  TzelQuerion querion;
  QString sql;
};

} // namespace chainquery
