// SPDX-License-Identifier: MIT
#pragma once
// Databases named on a command line: NAME=sqlite:FILE, NAME=standard:FOLDER,
// NAME=postgresql:HOST[:PORT]/DB[?user=U&connect_timeout=SECONDS], NAME=mariadb: (or mysql:) in
// the same form, NAME=firebird:HOST[:PORT]/PATH-OR-ALIAS[?user=U] and NAME=firebird:/FILE for the
// embedded engine. A password is never taken from the command line: PostgreSQL's only from the
// environment variable ZEL_PG_PASSWORD, MariaDB's from MYSQL_PWD or ~/.my.cnf, Firebird's from
// ISC_PASSWORD.

#include "database/zelsession.h"
#include "zelcore_export.h"

#include <QString>
#include <optional>

inline constexpr char PasswordVariable[] = "ZEL_PG_PASSWORD";

// The alias a value defines (relative paths made absolute), or nullopt with the reason.
ZELCORE_EXPORT std::optional<TzelAlias> parseAliasOption(const QString &value, QString &error);
// The value as a message may repeat it: a password in it, and every setting but the user
// name, shown as ***.
ZELCORE_EXPORT QString aliasOptionForMessage(const QString &value);

// A database named without an alias of its own: an alias's name, an SQLite file, a folder of
// tables, or sqlite:FILE, standard:FOLDER, postgresql:..., mariadb:..., firebird:... An alias's
// name comes back with no driver (the session knows it); a file or folder with its absolute path as
// the name; a server with its database's name. nullopt with the reason when the form is wrong.
ZELCORE_EXPORT std::optional<TzelAlias> zelDatabaseAlias(const QString &value, QString &error);

// A name a person reads for a database named without an alias (the file's or folder's base
// name, the server's database), unused by the session's aliases; a model's tables carry it.
ZELCORE_EXPORT QString zelReadableAliasName(const TzelAlias &alias);

// "Error: Database [value]: why", the value shown as aliasOptionForMessage shows it and why
// without its own "Error: ".
ZELCORE_EXPORT QString zelDatabaseError(const QString &value, QString why);
