#pragma once
// Rewrites the local SQL dialect of desktop tables (as written for Paradox and dBase
// models) into SQLite's, for the in-memory database behind a STANDARD alias:
//  - table references ":ALIAS:T0492.DB", "C:\DATA\T0492.DB", "/data/T0492.DB", "T0492.DB"
//    or a bare table name become the loaded SQLite table;
//  - a dotted column alias (AS Vendors.VendorName) becomes a quoted alias whose column
//    label stays Vendors.VendorName, and ORDER BY / GROUP BY references to it follow;
//  - a double-quoted text that names no column, table or alias is a literal: dates written
//    mm/dd/yyyy become ISO dates (as the tables store them), TRUE/FALSE become 1/0.

#include <QSet>
#include <QString>
#include <functional>
#include <optional>

struct TzelLocalSqlHooks {
  // The SQLite table for a reference, loading it if needed; nullopt when the text names
  // no table. explicitRef is true for a prefixed or path reference, which must resolve
  // (the hook throws EzelError otherwise).
  std::function<std::optional<QString>(const QString &reference, bool explicitRef)> resolveTable;
  // The column names (upper case) of a loaded SQLite table.
  std::function<QSet<QString>(const QString &table)> columnsOf;
};

// Throws EzelError from the hooks (unknown alias, missing or unreadable table).
QString translateLocalSql(const QString &sql, const TzelLocalSqlHooks &hooks);
