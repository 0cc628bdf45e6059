// SPDX-License-Identifier: MIT
#pragma once
// Every dialect described in one place: the defaults a model takes when it is chosen, and what
// generation, quoting and the scanner must know of it. Adding a dialect is one row here (and
// its value appended to TzelDatabase).

#include "model/zeltypes.h"
#include "zelcore_export.h"

#include <QString>

// How a string literal holding a backslash is written so that the backslash can never end it
// early, whichever way the engine reads backslashes.
enum class TzelBackslashes {
  Plain,        // a backslash is an ordinary character
  EscapeString, // E'a\\b': PostgreSQL, the same text whatever standard_conforming_strings says
  CharFunction, // CONCAT('a', CHAR(92 USING utf8mb4), 'b'): MySQL, the same whatever sql_mode says
};

// How a statement is limited to its first records.
enum class TzelTopForm {
  None,  // the dialect cannot say it: such a query is refused
  Limit, // LIMIT n OFFSET m after ORDER BY
  Top,   // SELECT TOP n [PERCENT]
  First, // SELECT FIRST n
  Rows,  // ROWS m+1 TO m+n after ORDER BY: InterBase and Firebird alike
  Fetch, // OFFSET m ROWS FETCH FIRST n [PERCENT] ROWS ONLY after ORDER BY
};

// The date pattern a model starts with.
enum class TzelDateDefault { Local, Slash, Iso, Oracle };

struct ZELCORE_EXPORT TzelDialect {
  // The model's defaults.
  bool aliasAs = false;
  bool aliasByTable = false;
  TzelQuoteType booleanQuote = zelQuoteNone;
  TzelQuoteType nameQuote = zelQuoteDouble;
  TzelQuoteType stringQuote = zelQuoteDouble;
  TzelDateDefault dateFormat = TzelDateDefault::Local;
  const char *dateQuote = "\"";
  bool groupBySelect = false;
  TzelJoinMethod joinMethod = zelJoinFrom;
  bool orderByAlias = false;
  bool verifyNames = true;
  // Generation and quoting.
  bool native = false;             // an engine the library runs on itself
  bool fileTables = false;         // a table is a file: a dot in its name starts the extension
  bool localTables = false;        // the local engine's tables, named through ":ALIAS:"
  bool namedIndexes = false;       // a detail table is linked through a named index
  bool quotesNames = true;         // false: names are never quoted
  bool nestsJoins = true;          // a joined FROM nests each join in parentheses
  bool groupsByExpression = false; // GROUP BY and ORDER BY repeat the expression, not the alias
  bool valueAliases = true;        // the select list names its columns
  bool typedHaving = false;        // HAVING compares with literals of the aggregate's type
  bool hashDates = false;          // dates are written #12/31/2000#
  char likeWildcard = '%';
  TzelBackslashes backslashes = TzelBackslashes::Plain;
  bool foldsToLowerCase = false; // an unquoted name is folded to lower case
  bool foldsToUpperCase = false; // an unquoted name is folded to upper case
  bool concatFunction = false;   // a || b is written CONCAT(a, b)
  const char *keywords = "";     // words the engine reserves beyond the shared table
  TzelTopForm topForm = TzelTopForm::None;
  bool topPercent = false; // top values may be a percentage of the records
  bool topOffset = false;  // records may be skipped before the top values
};

ZELCORE_EXPORT const TzelDialect &zelDialect(TzelDatabase database);
// The dialect's name as users read it: "Paradox", "PostgreSQL".
ZELCORE_EXPORT QString zelDialectName(TzelDatabase database);

// The last value of TzelDatabase, for loops over every dialect.
inline constexpr TzelDatabase zelLastDialect = zelMySQL;
