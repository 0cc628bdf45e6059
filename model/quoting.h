#pragma once
// When and how names are quoted in generated SQL. The dialect is always passed in.

#include "model/zeltypes.h"

#include <QString>

// The text between the quote characters of the type ('...', "...", [...]); zelQuoteNone
// leaves it unchanged. Nothing inside is escaped.
QString QuoteText(const QString &text, TzelQuoteType quote);
// True when the name holds a space, an operator or punctuation character, or is an SQL
// keyword (ignoring case).
bool NeedsQuoting(const QString &name);
// QuoteText of the name when NeedsQuoting holds, else the name.
QString QuoteIfKeyword(const QString &name, TzelQuoteType quote);
// A dotted name (owner.table, table.field) with every part quoted. Sybase names are never
// quoted; for file-based databases the whole name is one part (customer.db).
QString QuoteQualifiedName(const QString &name, TzelQuoteType quote, TzelDatabase database);
// As QuoteQualifiedName, but only the parts that need quoting are quoted.
QString QuoteQualifiedKeywords(const QString &name, TzelQuoteType quote, TzelDatabase database);
