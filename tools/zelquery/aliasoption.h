#pragma once
// The --alias values of the tool: NAME=sqlite:FILE, NAME=standard:FOLDER and
// NAME=postgresql:HOST[:PORT]/DB[?user=U&connect_timeout=SECONDS]. A PostgreSQL password is never
// taken from the command line, only from the environment variable ZEL_PG_PASSWORD.

#include "database/zelsession.h"

#include <QString>
#include <optional>

inline constexpr char PasswordVariable[] = "ZEL_PG_PASSWORD";

// The alias a value defines (relative paths made absolute), or nullopt with the reason.
std::optional<TzelAlias> parseAliasOption(const QString &value, QString &error);
// The value as a message may repeat it: a password in it, and every setting but the user
// name, shown as ***.
QString aliasOptionForMessage(const QString &value);
