// SPDX-License-Identifier: MIT
#pragma once
// The engine's session: the database aliases (registered by the host program, plus the
// user's aliases file) and the open connection behind each database name.
//
// A database name is an alias, a folder of desktop tables (STANDARD) or an SQLite file.
// Drivers: "STANDARD" (PATH=folder), "SQLITE" (DATABASE=file), "POSTGRESQL" (HOST=,
// PORT=, DATABASE=, USER NAME=, PASSWORD=, SERVICE=, CONNECT TIMEOUT= in seconds; what is
// left out comes from libpq's own environment, password and service files, and a connection
// gives up after DefaultConnectTimeout seconds unless the alias or PGCONNECT_TIMEOUT says),
// "MARIADB" or "MYSQL" and "FIREBIRD" (the same keys; an unset password comes from MYSQL_PWD or
// the [client] group of ~/.my.cnf, from ISC_PASSWORD for Firebird, whose user may come from
// ISC_USER; a Firebird database given as a file path with no host opens the embedded engine as
// SYSDBA). The aliases file is an INI file read as written, one section per alias with the key
// Driver and the parameter keys (see README).

#include "zelcore_export.h"

#include <QHash>
#include <QString>
#include <QStringList>
#include <memory>
#include <optional>

class QSqlDatabase;
class TzelStandardDatabase;

enum class TzelDriverKind { Standard, Sqlite, Postgres, MariaDB, Firebird };

struct ZELCORE_EXPORT TzelAlias {
  QString name;
  QString driverName;
  QStringList params; // "KEY=value"
};

// An open database: a Qt SQL connection, and for STANDARD the table loader over it.
struct ZELCORE_EXPORT TzelOpenDatabase {
  TzelDriverKind kind = TzelDriverKind::Sqlite;
  QString connectionName;
  QString definition; // what it was opened from, to notice a changed alias
  std::unique_ptr<TzelStandardDatabase> standard;
  ~TzelOpenDatabase();
};

class ZELCORE_EXPORT TzelSession {
public:
  static constexpr int DefaultConnectTimeout = 15;

  static TzelSession &defaultSession();
  TzelSession();
  ~TzelSession();
  TzelSession(const TzelSession &) = delete;
  TzelSession &operator=(const TzelSession &) = delete;

  // The user's aliases file: $ZEL_ALIASES_FILE, else <config>/Pellox/aliases.ini.
  static QString aliasesFile();
  static std::optional<TzelDriverKind> driverKind(const QString &driverName);
  static QString paramValue(const QStringList &params, const QString &key);
  // Opens a connection; a PostgreSQL or MariaDB one then sends its statements as UTF-8
  // (utf8mb4) whatever the server, database or role sets. Empty when open, else the driver's
  // message in two lines at most.
  static QString openConnection(QSqlDatabase &db);
  // "Error: Unknown database [name]", and why the aliases file could not be read when it
  // exists but cannot be used at all.
  static QString unknownDatabaseMessage(const QString &databaseName);

  void registerAlias(const TzelAlias &alias);
  void unregisterAlias(const QString &name);
  // A registered alias, else one of the aliases file. Throws EzelError when the file holds
  // a password and group or others may read it (the message says: chmod 600 <file>).
  std::optional<TzelAlias> alias(const QString &name) const;
  // Every alias, host aliases first in their order, then the file's, without repeats.
  QStringList aliasNames() const;

  // The open database for a name, opened (or reopened after its alias changed) as
  // needed; throws EzelError with the driver's message.
  TzelOpenDatabase &open(const QString &databaseName);
  void close(const QString &databaseName);
  void closeAll();
  // The folder of a STANDARD alias or folder name, else empty.
  QString folderOf(const QString &databaseName) const;

  // The files a statement on the database reads: the SQLite file, or the table files of a
  // STANDARD folder that the statement names (none for a server). Throws EzelError.
  QStringList filesRead(const QString &databaseName, const QString &sql);

  // Table names of a database; pattern is a wildcard ("*" = all). Throws EzelError.
  QStringList tableNames(const QString &databaseName, const QString &pattern, bool extensions,
                         bool systemTables);

private:
  std::optional<TzelAlias> definitionOf(const QString &databaseName) const;
  QList<TzelAlias> m_aliases;
  QHash<QString, std::shared_ptr<TzelOpenDatabase>> m_open; // by upper-case name
  int m_counter = 0;
};
