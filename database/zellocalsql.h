// SPDX-License-Identifier: MIT
#pragma once
// Rewrites the local SQL dialect of desktop tables (as written for Paradox and dBase
// models) into SQLite's, for the in-memory database behind a STANDARD alias:
//  - table references of the FROM clause, ":ALIAS:T0492.DB", "C:\DATA\T0492.DB",
//    "/data/T0492.DB", "T0492.DB" or a bare table name, become the loaded SQLite table;
//  - a dotted column alias (AS Vendors.VendorName, AS Orders."Sale Date", with or without
//    AS) becomes one quoted name whose column label is its parts joined by '.', and
//    ORDER BY / GROUP BY references to it follow;
//  - keywords used as table or column aliases (Order, Date, Count, Value) are quoted, in
//    their definitions and in dotted references; [names] become "names";
//  - a double-quoted text is a name after AS, beside a dot, in ORDER BY / GROUP BY or when
//    a column has that name; otherwise it is a text: dates written mm/dd/yyyy become ISO
//    dates (as the tables store them), TRUE/FALSE become 1/0. Quoted texts keep every
//    other character; a doubled quote character inside quotes stands for one.

#include "zelcore_export.h"

#include <QSet>
#include <QString>
#include <functional>
#include <optional>

struct ZELCORE_EXPORT TzelLocalSqlHooks {
  // The SQLite table for a reference, loading it if needed; nullopt when the text names
  // no table. explicitRef is true for a prefixed or path reference, which must resolve
  // (the hook throws EzelError otherwise).
  std::function<std::optional<QString>(const QString &reference, bool explicitRef)> resolveTable;
  // The column names (upper case) of a loaded SQLite table.
  std::function<QSet<QString>(const QString &table)> columnsOf;
};

// Throws EzelError from the hooks (unknown alias, missing or unreadable table).
ZELCORE_EXPORT QString translateLocalSql(const QString &sql, const TzelLocalSqlHooks &hooks);
// The name in SQLite's double quotes, a quote inside it doubled.
ZELCORE_EXPORT QString quoteSqliteName(const QString &name);
