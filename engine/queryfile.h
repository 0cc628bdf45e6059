// SPDX-License-Identifier: MIT
#pragma once
// Query files: the component text form of a whole query component, cleaned of references
// to other components and of properties that must not travel with a query.

#include "zelcore_export.h"

#include <QString>
#include <QStringList>
#include <memory>

class TzelQuerion;

// Whether a line is left out of query files: a property line whose name is DataModel,
// DataQuery, Preview or DisplayParams, or ends in Font.Charset. Text values that merely
// contain those words stay.
ZELCORE_EXPORT bool IsDroppedQueryLine(const QString &line);
// The cleaning rules: dropped lines go; before the first query block, a whole page or label
// measure (Page.PageHeight = 11) gains ".0".
ZELCORE_EXPORT QStringList CleanQueryText(const QStringList &lines);

// The file name a query is saved under: ".zel" (".kvt" in report mode) is appended to a
// file name without any ".".
ZELCORE_EXPORT QString QueryFileName(const QString &name, bool reportMode);
// The cleaned text form of the query component, one line per entry.
ZELCORE_EXPORT QStringList QueryFileLines(const TzelQuerion &querion);
// Writes the lines (CR LF, UTF-8) beside the file and renames them into place; a write that
// fails, even part of the way, leaves an existing file as it was. Raises EzelError.
ZELCORE_EXPORT void SaveQueryFile(const QString &fileName, const QStringList &lines);
// The lines of a query file (UTF-8, or 8-bit text that is not UTF-8); raises EzelError.
ZELCORE_EXPORT QStringList ReadQueryFileLines(const QString &fileName);
// A new query component read from query file lines; raises EzelError with "Error: The first
// line of the report is blank", "Error: Invalid file type" or the reader's message.
ZELCORE_EXPORT std::unique_ptr<TzelQuerion> ReadQueryText(QStringList lines);
