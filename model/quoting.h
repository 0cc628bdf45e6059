// SPDX-License-Identifier: MIT
#pragma once
// When and how names are quoted in generated SQL. The dialect is always passed in.

#include "model/zeltypes.h"
#include "zelcore_export.h"

#include <QString>

// True for the dialects of the engines the library runs on itself (SQLite, PostgreSQL, MySQL).
ZELCORE_EXPORT bool IsNativeDialect(TzelDatabase database);
// The text between the quote characters of the type ('...', "...", [...]), with every
// closing quote character inside doubled (' → '', " → "", ] → ]]) so that the text cannot end
// the quoted name early; zelQuoteNone leaves it unchanged.
ZELCORE_EXPORT QString QuoteText(const QString &text, TzelQuoteType quote);
// A string literal: QuoteText, except that a text holding a backslash is written so that it
// means the same text whether or not the server reads backslashes in strings as escapes, and
// a backslash can never end the literal early: under zelPostgreSQL an escape string with the
// backslashes doubled (E'a\\b'), under zelMySQL CONCAT('a', CHAR(92 USING utf8mb4), 'b').
ZELCORE_EXPORT QString QuoteLiteral(const QString &text, TzelQuoteType quote,
                                    TzelDatabase database);
// The text with its backslashes doubled where the dialect's engine may read them as escapes,
// for text written inside quotes that are not QuoteLiteral's (a date quote): safe under
// either reading of backslashes.
ZELCORE_EXPORT QString EscapeLiteralBackslashes(const QString &text, TzelDatabase database);
// True when the name holds a space, an operator or punctuation character, or is an SQL
// keyword (ignoring case), or one of the dialect's own keywords. The native dialects also
// quote a name that starts with a digit; PostgreSQL, which folds unquoted names to lower
// case, a name with an upper-case letter; InterBase, which folds them to upper case, a name
// with a lower-case letter.
ZELCORE_EXPORT bool NeedsQuoting(const QString &name, TzelDatabase database = zelUnknown);
// QuoteText of the name when NeedsQuoting holds, else the name.
ZELCORE_EXPORT QString QuoteIfKeyword(const QString &name, TzelQuoteType quote,
                                      TzelDatabase database = zelUnknown);
// A dotted name (owner.table, table.field) with every part quoted. Sybase names are never
// quoted; for file-based databases the whole name is one part (customer.db).
ZELCORE_EXPORT QString QuoteQualifiedName(const QString &name, TzelQuoteType quote,
                                          TzelDatabase database);
// As QuoteQualifiedName, but only the parts that need quoting are quoted.
ZELCORE_EXPORT QString QuoteQualifiedKeywords(const QString &name, TzelQuoteType quote,
                                              TzelDatabase database);
