// SPDX-License-Identifier: MIT
#include "database/catalogueread.h"

#include "messages/zelerror.h"
#include "messages/zelprogress.h"

#include <QHash>
#include <QSqlError>
#include <QSqlQuery>
#include <algorithm>

using namespace Qt::StringLiterals;

namespace {

// The user's tables and views, without SQLite's own.
const QString SqliteTables =
    u"SELECT name, '', name, type = 'view' FROM sqlite_schema "
    "WHERE type IN ('table', 'view') AND name NOT LIKE 'sqlite\\_%' ESCAPE '\\' "
    "ORDER BY name COLLATE NOCASE"_s;
const QString SqliteColumns = u"SELECT m.name, p.name, p.type, p.\"notnull\", p.pk "
                              "FROM sqlite_schema m JOIN pragma_table_info(m.name) p "
                              "WHERE m.type IN ('table', 'view') ORDER BY m.name, p.cid"_s;
const QString SqliteKeys =
    u"SELECT m.name, f.id, f.\"table\", f.\"from\", f.\"to\" "
    "FROM sqlite_schema m JOIN pragma_foreign_key_list(m.name) f "
    // SQLite numbers a table's keys from the last declared: DESC gives them as written.
    "WHERE m.type = 'table' ORDER BY m.name, f.id DESC, f.seq"_s;

// Every schema the user may read but the catalogue's own; partitions are read as their
// parent table.
const QString PgTables =
    u"SELECT c.oid, n.nspname, c.relname, c.relkind IN ('v', 'm') "
    "FROM pg_class c JOIN pg_namespace n ON n.oid = c.relnamespace "
    "WHERE c.relkind IN ('r', 'p', 'v', 'm', 'f') AND NOT c.relispartition "
    "AND n.nspname <> 'information_schema' AND n.nspname !~ '^pg_' "
    "AND has_schema_privilege(n.oid, 'USAGE') AND has_table_privilege(c.oid, 'SELECT') "
    "ORDER BY lower(c.relname), c.relname, n.nspname"_s;
// indkey counts from 0; a column's place in the primary key counts from 1.
const QString PgColumns =
    u"SELECT a.attrelid, a.attname, a.atttypid, a.atttypmod, a.attnotnull, "
    "COALESCE(array_position(i.indkey::int2[], a.attnum) + 1 "
    "- array_lower(i.indkey::int2[], 1), 0) "
    "FROM pg_attribute a JOIN pg_class c ON c.oid = a.attrelid "
    "JOIN pg_namespace n ON n.oid = c.relnamespace "
    "LEFT JOIN pg_index i ON i.indrelid = a.attrelid AND i.indisprimary "
    "WHERE a.attnum > 0 AND NOT a.attisdropped AND c.relkind IN ('r', 'p', 'v', 'm', 'f') "
    "AND n.nspname <> 'information_schema' AND n.nspname !~ '^pg_' "
    "ORDER BY a.attrelid, a.attnum"_s;
// A table's keys in the order they were made.
const QString PgKeys =
    u"SELECT c.conrelid, c.conname, c.confrelid, a.attname, fa.attname "
    "FROM pg_constraint c "
    "CROSS JOIN LATERAL unnest(c.conkey, c.confkey) WITH ORDINALITY k(att, fatt, ord) "
    "JOIN pg_attribute a ON a.attrelid = c.conrelid AND a.attnum = k.att "
    "JOIN pg_attribute fa ON fa.attrelid = c.confrelid AND fa.attnum = k.fatt "
    "WHERE c.contype = 'f' ORDER BY c.conrelid, c.oid, k.ord"_s;

// MariaDB: the tables of the connection's database; a column's type as declared.
const QString MyTables = u"SELECT TABLE_NAME, '', TABLE_NAME, TABLE_TYPE = 'VIEW' "
                         "FROM information_schema.TABLES WHERE TABLE_SCHEMA = DATABASE() "
                         "ORDER BY TABLE_NAME"_s;
const QString MyColumns =
    u"SELECT c.TABLE_NAME, c.COLUMN_NAME, c.COLUMN_TYPE, c.IS_NULLABLE = 'YES', "
    "COALESCE(k.ORDINAL_POSITION, 0) FROM information_schema.COLUMNS c "
    "LEFT JOIN information_schema.KEY_COLUMN_USAGE k ON k.TABLE_SCHEMA = c.TABLE_SCHEMA "
    "AND k.TABLE_NAME = c.TABLE_NAME AND k.COLUMN_NAME = c.COLUMN_NAME "
    "AND k.CONSTRAINT_NAME = 'PRIMARY' "
    "WHERE c.TABLE_SCHEMA = DATABASE() ORDER BY c.TABLE_NAME, c.ORDINAL_POSITION"_s;
const QString MyKeys =
    u"SELECT k.TABLE_NAME, rc.CONSTRAINT_NAME, k.REFERENCED_TABLE_NAME, k.COLUMN_NAME, "
    "k.REFERENCED_COLUMN_NAME FROM information_schema.REFERENTIAL_CONSTRAINTS rc "
    "JOIN information_schema.KEY_COLUMN_USAGE k ON k.CONSTRAINT_SCHEMA = rc.CONSTRAINT_SCHEMA "
    "AND k.CONSTRAINT_NAME = rc.CONSTRAINT_NAME AND k.TABLE_NAME = rc.TABLE_NAME "
    "WHERE rc.CONSTRAINT_SCHEMA = DATABASE() "
    "ORDER BY k.TABLE_NAME, rc.CONSTRAINT_NAME, k.ORDINAL_POSITION"_s;

// Firebird: the user's tables and views; CHAR names come blank-padded, so they are trimmed.
const QString FbTables =
    u"SELECT TRIM(RDB$RELATION_NAME), '', TRIM(RDB$RELATION_NAME), RDB$VIEW_BLR IS NOT NULL "
    "FROM RDB$RELATIONS WHERE COALESCE(RDB$SYSTEM_FLAG, 0) = 0 ORDER BY 1"_s;
const QString FbColumns =
    u"SELECT TRIM(rf.RDB$RELATION_NAME), TRIM(rf.RDB$FIELD_NAME), f.RDB$FIELD_TYPE, "
    "f.RDB$FIELD_SUB_TYPE, f.RDB$FIELD_SCALE, f.RDB$CHARACTER_LENGTH, "
    "COALESCE(rf.RDB$NULL_FLAG, f.RDB$NULL_FLAG, 0), COALESCE(pk.KEY_ORDER, 0) "
    "FROM RDB$RELATION_FIELDS rf "
    "JOIN RDB$RELATIONS r ON r.RDB$RELATION_NAME = rf.RDB$RELATION_NAME "
    "JOIN RDB$FIELDS f ON f.RDB$FIELD_NAME = rf.RDB$FIELD_SOURCE "
    "LEFT JOIN (SELECT rc.RDB$RELATION_NAME AS REL, s.RDB$FIELD_NAME AS FLD, "
    "s.RDB$FIELD_POSITION + 1 AS KEY_ORDER FROM RDB$RELATION_CONSTRAINTS rc "
    "JOIN RDB$INDEX_SEGMENTS s ON s.RDB$INDEX_NAME = rc.RDB$INDEX_NAME "
    "WHERE rc.RDB$CONSTRAINT_TYPE = 'PRIMARY KEY') pk "
    "ON pk.REL = rf.RDB$RELATION_NAME AND pk.FLD = rf.RDB$FIELD_NAME "
    "WHERE COALESCE(r.RDB$SYSTEM_FLAG, 0) = 0 "
    "ORDER BY rf.RDB$RELATION_NAME, rf.RDB$FIELD_POSITION"_s;
const QString FbKeys =
    u"SELECT TRIM(rc.RDB$RELATION_NAME), TRIM(rc.RDB$CONSTRAINT_NAME), "
    "TRIM(pk.RDB$RELATION_NAME), TRIM(fs.RDB$FIELD_NAME), TRIM(ps.RDB$FIELD_NAME) "
    "FROM RDB$RELATION_CONSTRAINTS rc "
    "JOIN RDB$REF_CONSTRAINTS ref ON ref.RDB$CONSTRAINT_NAME = rc.RDB$CONSTRAINT_NAME "
    "JOIN RDB$RELATION_CONSTRAINTS pk ON pk.RDB$CONSTRAINT_NAME = ref.RDB$CONST_NAME_UQ "
    "JOIN RDB$INDEX_SEGMENTS fs ON fs.RDB$INDEX_NAME = rc.RDB$INDEX_NAME "
    "JOIN RDB$INDEX_SEGMENTS ps ON ps.RDB$INDEX_NAME = pk.RDB$INDEX_NAME "
    "AND ps.RDB$FIELD_POSITION = fs.RDB$FIELD_POSITION "
    "WHERE rc.RDB$CONSTRAINT_TYPE = 'FOREIGN KEY' "
    "ORDER BY rc.RDB$RELATION_NAME, rc.RDB$CONSTRAINT_NAME, fs.RDB$FIELD_POSITION"_s;

// A catalogue of many thousand tables takes seconds: the rows are counted so that Cancel
// answers while they are read.
template <typename Take> void readRows(const QSqlDatabase &db, const QString &sql, Take take) {
  TzelCountingProgress progress(u"Reading the Database Catalogue"_s, u"Catalogue rows read: %1"_s,
                                u"Error: Reading the database catalogue was cancelled"_s);
  QSqlQuery q(db);
  q.setForwardOnly(true);
  bool ok = q.exec(sql);
  while (ok && q.next()) {
    take(q);
    progress.count();
  }
  if (!ok || q.lastError().isValid())
    throw EzelError(u"Error: "_s + q.lastError().text());
}

// The tables read, found by their catalogue reference.
class Catalogue {
public:
  explicit Catalogue(Qt::CaseSensitivity names) : m_names(names) {}
  void add(TzelCatalogueTable table) {
    m_index.insert(idKey(table.id), int(m_tables.size()));
    m_tables.append(std::move(table));
  }
  TzelCatalogueTable *find(const QString &id) {
    const int i = m_index.value(idKey(id), -1);
    return i < 0 ? nullptr : &m_tables[i];
  }
  QList<TzelCatalogueTable> take() { return std::move(m_tables); }

private:
  QString idKey(const QString &id) const {
    return m_names == Qt::CaseInsensitive ? id.toLower() : id;
  }
  Qt::CaseSensitivity m_names;
  QList<TzelCatalogueTable> m_tables;
  QHash<QString, int> m_index;
};

void readTables(const QSqlDatabase &db, const QString &sql, Catalogue &catalogue) {
  readRows(db, sql, [&](const QSqlQuery &q) {
    TzelCatalogueTable table;
    table.id = q.value(0).toString();
    table.schema = sql == PgTables ? q.value(1).toString() : QString();
    table.name = q.value(2).toString();
    table.view = q.value(3).toBool();
    catalogue.add(std::move(table));
  });
}

// A key's rows come one per column pair, in key order; a new key starts where its name or
// table changes.
void addKeyColumn(TzelCatalogueTable &child, const QString &keyName, const QString &parentId,
                  const QString &from, const QVariant &to) {
  if (child.keys.isEmpty() || child.keys.last().name != keyName)
    child.keys.append({keyName, parentId, {}, {}});
  TzelCatalogueKey &key = child.keys.last();
  key.childColumns.append(from);
  if (!to.isNull())
    key.parentColumns.append(to.toString());
}

QList<TzelCatalogueTable> readSqlite(const QSqlDatabase &db) {
  Catalogue catalogue(Qt::CaseInsensitive);
  readTables(db, SqliteTables, catalogue);
  readRows(db, SqliteColumns, [&](const QSqlQuery &q) {
    if (TzelCatalogueTable *table = catalogue.find(q.value(0).toString())) {
      TzelColumnType type = fieldTypeFromDeclared(q.value(2).toString());
      if (type.type == ftUnknown)
        type.type = ftString; // no declared type: SQLite holds any value
      table->columns.append(
          {q.value(1).toString(), type, q.value(3).toInt() == 0, q.value(4).toInt()});
    }
  });
  readRows(db, SqliteKeys, [&](const QSqlQuery &q) {
    TzelCatalogueTable *table = catalogue.find(q.value(0).toString());
    // The parent as the key spells it, which may differ in case from its own name.
    const TzelCatalogueTable *parent = catalogue.find(q.value(2).toString());
    if (table)
      addKeyColumn(*table, q.value(1).toString(), parent ? parent->id : q.value(2).toString(),
                   q.value(3).toString(), q.value(4));
  });
  return catalogue.take();
}

// atttypmod holds a character type's length + 4 and a numeric's (precision << 16 | scale) + 4.
TzelColumnType postgresType(int oid, int typmod) {
  constexpr int kHeader = 4;
  const int modifier = typmod >= kHeader ? typmod - kHeader : -1;
  constexpr int kNumeric = 1700;
  if (oid == kNumeric)
    return fieldTypeFromPostgres(oid, 0, modifier < 0 ? 0 : modifier & 0xffff);
  return fieldTypeFromPostgres(oid, modifier, 0);
}

QList<TzelCatalogueTable> readPostgres(const QSqlDatabase &db) {
  Catalogue catalogue(Qt::CaseSensitive);
  readTables(db, PgTables, catalogue);
  readRows(db, PgColumns, [&](const QSqlQuery &q) {
    if (TzelCatalogueTable *table = catalogue.find(q.value(0).toString()))
      table->columns.append({q.value(1).toString(),
                             postgresType(q.value(2).toInt(), q.value(3).toInt()),
                             !q.value(4).toBool(), q.value(5).toInt()});
  });
  readRows(db, PgKeys, [&](const QSqlQuery &q) {
    if (TzelCatalogueTable *table = catalogue.find(q.value(0).toString()))
      addKeyColumn(*table, q.value(1).toString(), q.value(2).toString(), q.value(3).toString(),
                   q.value(4));
  });
  return catalogue.take();
}

// The columns and keys of a server whose catalogue names each table once (the table's name
// is its reference); typeOf reads a column's type from its row.
template <typename TypeOf>
QList<TzelCatalogueTable> readNamed(const QSqlDatabase &db, const QString &tables,
                                    const QString &columns, const QString &keys, TypeOf typeOf,
                                    int nullableField, bool nullableWhenTrue) {
  Catalogue catalogue(Qt::CaseSensitive);
  readTables(db, tables, catalogue);
  readRows(db, columns, [&](const QSqlQuery &q) {
    if (TzelCatalogueTable *table = catalogue.find(q.value(0).toString()))
      table->columns.append({q.value(1).toString(), typeOf(q),
                             q.value(nullableField).toBool() == nullableWhenTrue,
                             q.value(nullableField + 1).toInt()});
  });
  readRows(db, keys, [&](const QSqlQuery &q) {
    if (TzelCatalogueTable *table = catalogue.find(q.value(0).toString()))
      addKeyColumn(*table, q.value(1).toString(), q.value(2).toString(), q.value(3).toString(),
                   q.value(4));
  });
  return catalogue.take();
}

// tinyint(1) is how MariaDB keeps a BOOLEAN.
TzelColumnType mariaDbType(const QSqlQuery &q) {
  const QString declared = q.value(2).toString();
  if (declared.startsWith(u"tinyint(1)"_s, Qt::CaseInsensitive))
    return {ftBoolean, 0};
  TzelColumnType type = fieldTypeFromDeclared(declared);
  if (type.type == ftUnknown)
    type.type = ftString;
  return type;
}

// RDB$FIELD_TYPE codes; a SMALLINT, INTEGER or BIGINT with a scale is a NUMERIC.
TzelColumnType firebirdType(const QSqlQuery &q) {
  const int scale = -q.value(4).toInt();
  switch (q.value(2).toInt()) {
  case 7:
  case 8:
  case 16:
    return scale > 0 ? TzelColumnType{ftBCD, scale}
                     : TzelColumnType{q.value(2).toInt() == 7 ? ftSmallint : ftInteger, 0};
  case 10:
  case 27:
    return {ftFloat, 0};
  case 12:
    return {ftDate, 0};
  case 13:
    return {ftTime, 0};
  case 35:
    return {ftDateTime, 0};
  case 14:
  case 37:
    return {ftString, q.value(5).toInt()};
  case 23:
    return {ftBoolean, 0};
  case 261:
    return {q.value(3).toInt() == 1 ? ftMemo : ftBlob, 0};
  default:
    return {ftString, 0};
  }
}

} // namespace

QStringList TzelCatalogueTable::primaryKey() const {
  QList<const TzelCatalogueColumn *> key;
  for (const TzelCatalogueColumn &column : columns)
    if (column.keyOrder > 0)
      key.append(&column);
  std::sort(key.begin(), key.end(),
            [](const auto *a, const auto *b) { return a->keyOrder < b->keyOrder; });
  QStringList names;
  for (const TzelCatalogueColumn *column : key)
    names.append(column->name);
  return names;
}

QList<TzelCatalogueTable> zelReadCatalogue(const QSqlDatabase &db, TzelDriverKind kind) {
  switch (kind) {
  case TzelDriverKind::Postgres:
    return readPostgres(db);
  case TzelDriverKind::MariaDB:
    return readNamed(db, MyTables, MyColumns, MyKeys, mariaDbType, 3, true);
  case TzelDriverKind::Firebird:
    return readNamed(db, FbTables, FbColumns, FbKeys, firebirdType, 6, false);
  default:
    return readSqlite(db);
  }
}
