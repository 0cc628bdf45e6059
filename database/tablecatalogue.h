// SPDX-License-Identifier: MIT
#pragma once
// The tables a database's catalogue lists: one statement for SQLite and PostgreSQL (never one
// per table), one directory read for a STANDARD folder. Names are read one by one and counted
// through the progress of long work, so that a listing of 100,000 tables that lasts shows the
// progress window, and Cancel stops it with EzelError.

#include "database/zelsession.h"
#include "zelcore_export.h"

#include <QStringList>

class QSqlDatabase;

// The tables (and with systemTables, the catalogue's own) as the Qt driver lists them, in the
// catalogue's order. Throws EzelError when the statement fails or the user cancels.
ZELCORE_EXPORT QStringList zelCatalogueTables(const QSqlDatabase &db, TzelDriverKind kind,
                                              bool systemTables);
// The file names in folder that pass keep, sorted by name without regard to case.
ZELCORE_EXPORT QStringList zelFolderFiles(const QString &folder,
                                          bool (*keep)(const QString &fileName));
