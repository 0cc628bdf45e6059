// SPDX-License-Identifier: MIT
#pragma once
// The model command: a data model read from a database's catalogue, written as a stored form.

#include "database/cataloguemodel.h"

#include <QString>

// database is an alias, an SQLite file, a folder of tables, or an --alias value with or
// without its NAME= (sqlite:FILE, standard:FOLDER, postgresql:HOST:PORT/DB?user=U). Without
// a NAME the model's database name is the file's or folder's path from the model's folder
// (which the tool reads as that file again), or the PostgreSQL database's name (an alias the
// user defines with --alias when running). False after a message that names the database.
bool writeModelOfDatabase(const QString &database, const QString &modelFile,
                          const TzelCatalogueChoice &choice);
