// SPDX-License-Identifier: MIT
#pragma once
// The "SQL" and "DatabaseName" properties of a dataset known only as a QObject, reached by
// name (declared Q_PROPERTYs and dynamic properties alike).

#include "zelcore_export.h"

#include <QObject>
#include <QString>
#include <QStringList>
#include <optional>

// The dataset's "SQL" property when its value is a string list; no list otherwise.
ZELCORE_EXPORT std::optional<QStringList> GetDatasetSql(const QObject *dataset);
// Writes the dataset's "SQL" property; false (and nothing written) when the dataset has no
// string-list property of that name or refuses the value.
ZELCORE_EXPORT bool SetDatasetSql(QObject *dataset, const QStringList &sql);
// The dataset's "DatabaseName" string, or empty text when it has none.
ZELCORE_EXPORT QString GetDatasetDatabaseName(const QObject *dataset);
// False only when the dataset has a string property "DatabaseName" whose value is empty.
ZELCORE_EXPORT bool DatasetHasDatabaseName(const QObject *dataset);
