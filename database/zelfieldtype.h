// SPDX-License-Identifier: MIT
#pragma once
// Mapping between the drivers' column types and the dataset layer's TFieldType.

#include "model/zeltypes.h"
#include "zelcore_export.h"

#include <QString>

struct ZELCORE_EXPORT TzelColumnType {
  TFieldType type = ftUnknown;
  int size = 0; // characters for strings, decimals for BCD, 0 otherwise
};

// Numbers, shown right-justified.
ZELCORE_EXPORT bool isNumericFieldType(TFieldType type);
// A declared SQL type ("VARCHAR(30)", "DOUBLE PRECISION", "DATE"); an empty or unknown
// declaration gives ftUnknown so the caller can fall back on the value's type.
ZELCORE_EXPORT TzelColumnType fieldTypeFromDeclared(const QString &declared);
// A PostgreSQL type oid with the driver's length and precision.
ZELCORE_EXPORT TzelColumnType fieldTypeFromPostgres(int oid, int length, int precision);
// The declared type under which a column of that type is kept in SQLite; read back
// through fieldTypeFromDeclared it gives the same TzelColumnType.
ZELCORE_EXPORT QString declaredTypeFor(const TzelColumnType &column);
