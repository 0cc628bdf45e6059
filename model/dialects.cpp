// SPDX-License-Identifier: MIT
#include "model/dialects.h"

#include <QMetaEnum>

#include <iterator>

namespace {

using enum TzelDateDefault;

const char *const kSqliteKeywords =
    "ABORT ALWAYS ANALYZE ATTACH AUTOINCREMENT CASE CONFLICT CROSS CURRENT_DATE CURRENT_TIME "
    "CURRENT_TIMESTAMP DETACH EACH EXCEPT EXCLUDE EXCLUSIVE FAIL FOLLOWING GENERATED GLOB GROUPS "
    "IGNORE INDEXED INSTEAD INTERSECT LIMIT MATERIALIZED NOTHING NOTNULL NULLS OFFSET OTHERS OVER "
    "PARTITION PRAGMA PRECEDING QUERY RAISE RANGE RECURSIVE REGEXP REINDEX RELEASE RENAME REPLACE "
    "RETURNING SAVEPOINT TEMP TEMPORARY TIES UNBOUNDED VACUUM VIRTUAL WINDOW WITHOUT";
const char *const kPostgresKeywords =
    "ANALYSE ANALYZE ARRAY ASYMMETRIC CASE CONCURRENTLY CROSS CURRENT_CATALOG CURRENT_DATE "
    "CURRENT_ROLE CURRENT_SCHEMA CURRENT_TIME CURRENT_TIMESTAMP CURRENT_USER EXCEPT FREEZE ILIKE "
    "INTERSECT LATERAL LIMIT LOCALTIME LOCALTIMESTAMP NOTNULL OFFSET PLACING RETURNING "
    "SESSION_USER SIMILAR SYMMETRIC TABLESAMPLE VARIADIC VERBOSE WINDOW";
// MariaDB's reserved words (MySQL's are a subset but for a few, which are kept too).
const char *const kMySqlKeywords =
    "ACCESSIBLE ANALYZE ASENSITIVE BEFORE BIGINT BINARY BLOB BOTH CALL CASE CHANGE CONDITION "
    "CONTINUE CONVERT CROSS CUBE CUME_DIST CURRENT_DATE CURRENT_ROLE CURRENT_TIME "
    "CURRENT_TIMESTAMP CURRENT_USER CURSOR DATABASE DATABASES DAY_HOUR DAY_MICROSECOND DAY_MINUTE "
    "DAY_SECOND DEC DECLARE DELAYED DELETE_DOMAIN_ID DENSE_RANK DESCRIBE DETERMINISTIC "
    "DISTINCTROW DIV DO_DOMAIN_IDS DUAL EACH ELSEIF EMPTY ENCLOSED ESCAPED EXCEPT EXIT EXPLAIN "
    "FALSE FETCH FIRST_VALUE FLOAT4 FLOAT8 FORCE FULLTEXT FUNCTION GENERAL GENERATED GROUPING "
    "GROUPS HIGH_PRIORITY HOUR_MICROSECOND HOUR_MINUTE HOUR_SECOND IF IGNORE IGNORE_DOMAIN_IDS "
    "IGNORE_SERVER_IDS INFILE INOUT INSENSITIVE INT1 INT2 INT3 INT4 INT8 INTERSECT ITERATE "
    "JSON_TABLE KEYS KILL LAG LATERAL LAST_VALUE LEAD LEADING LEAVE LIMIT LINEAR LINES LOAD "
    "LOCALTIME LOCALTIMESTAMP LOCK LONG LONGBLOB LONGTEXT LOOP LOW_PRIORITY "
    "MASTER_HEARTBEAT_PERIOD MASTER_SSL_VERIFY_SERVER_CERT MAXVALUE MEDIUMBLOB MEDIUMINT "
    "MEDIUMTEXT MIDDLEINT MINUTE_MICROSECOND MINUTE_SECOND MOD MODIFIES NO_WRITE_TO_BINLOG "
    "NTH_VALUE NTILE OF OFFSET OPTIMIZE OPTIONALLY OUT OUTFILE OVER PAGE_CHECKSUM "
    "PARSE_VCOL_EXPR PARTITION PERCENT_RANK PURGE RANGE RANK READS READ_WRITE RECURSIVE "
    "REF_SYSTEM_ID REGEXP RELEASE RENAME REPEAT REPLACE REQUIRE RESIGNAL RETURN RETURNING RLIKE "
    "ROW ROW_NUMBER ROWS SCHEMAS SECOND_MICROSECOND SENSITIVE SEPARATOR SHOW SIGNAL SLOW SPATIAL "
    "SPECIFIC SQLEXCEPTION SQLSTATE SQLWARNING SQL_BIG_RESULT SQL_CALC_FOUND_ROWS "
    "SQL_SMALL_RESULT SSL STARTING STATS_AUTO_RECALC STATS_PERSISTENT STATS_SAMPLE_PAGES "
    "STORED STRAIGHT_JOIN SYSTEM TERMINATED TINYBLOB TINYINT TINYTEXT TRAILING TRIGGER TRUE UNDO "
    "UNLOCK UNSIGNED USAGE USE UTC_DATE UTC_TIME UTC_TIMESTAMP VARBINARY VARCHARACTER VIRTUAL "
    "WHILE WINDOW WRITE XOR YEAR_MONTH ZEROFILL";

// Firebird 3's reserved words.
const char *const kFirebirdKeywords =
    "ADMIN BIGINT BIT_LENGTH BLOB BOOLEAN BOTH CASE CHAR_LENGTH CHARACTER_LENGTH CLOSE CONNECT "
    "CORR COVAR_POP COVAR_SAMP CROSS CURRENT CURRENT_CONNECTION CURRENT_DATE CURRENT_ROLE "
    "CURRENT_TIME CURRENT_TIMESTAMP CURRENT_TRANSACTION CURRENT_USER CURSOR DAY DELETING "
    "DETERMINISTIC DISCONNECT ESCAPE EXECUTE EXTERNAL EXTRACT FALSE FETCH FILTER FULL FUNCTION "
    "GDSCODE GLOBAL HOUR INSENSITIVE INSERTING LEADING LONG LOWER MERGE MINUTE MONTH NATIONAL "
    "NATURAL NCHAR NO OCTET_LENGTH OF OFFSET ONLY OPEN OVER PARAMETER PLAN POSITION POST_EVENT "
    "RDB$DB_KEY RDB$RECORD_VERSION RECORD_VERSION RECREATE RECURSIVE REGR_AVGX REGR_AVGY "
    "REGR_COUNT REGR_INTERCEPT REGR_R2 REGR_SLOPE REGR_SXX REGR_SXY REGR_SYY RELEASE "
    "RETURNING_VALUES RETURNS ROW ROW_COUNT ROWS SAVEPOINT SCROLL SECOND SENSITIVE SIMILAR SOME "
    "SQLCODE SQLSTATE START STDDEV_POP STDDEV_SAMP TIME TIMESTAMP TRAILING TRIGGER TRIM TRUE "
    "UNKNOWN UPDATING UPPER USER VALUE VAR_POP VAR_SAMP VARIABLE WHILE YEAR";

// One row per TzelDatabase value, in enumeration order; each names only what differs from
// the defaults in TzelDialect.
const TzelDialect kDialects[] = {
    // zelUnknown
    {.aliasAs = true,
     .aliasByTable = true,
     .booleanQuote = zelQuoteDouble,
     .dateFormat = Slash,
     .orderByAlias = true},
    // zelAccess
    {.aliasAs = true,
     .nameQuote = zelQuoteBracket,
     .stringQuote = zelQuoteSingle,
     .dateQuote = "#",
     .groupBySelect = true,
     .namedIndexes = true,
     .hashDates = true,
     .likeWildcard = '*',
     .topForm = TzelTopForm::Top,
     .topPercent = true},
    // zelAdvantage
    {.stringQuote = zelQuoteSingle,
     .dateFormat = Iso,
     .dateQuote = "'",
     .joinMethod = zelJoinWhere,
     .fileTables = true,
     .topForm = TzelTopForm::Top},
    // zelAnywhere
    {.topForm = TzelTopForm::Top},
    // zelApollo
    {.aliasAs = true,
     .nameQuote = zelQuoteBracket,
     .dateFormat = Slash,
     .dateQuote = "#",
     .groupBySelect = true,
     .fileTables = true,
     .nestsJoins = false,
     .hashDates = true},
    // zelBtrieve
    {.groupBySelect = true, .joinMethod = zelJoinWhere},
    // zelDB2
    {.dateQuote = "'", .orderByAlias = true, .topForm = TzelTopForm::Fetch},
    // zelDbase
    {.aliasAs = true,
     .aliasByTable = true,
     .booleanQuote = zelQuoteDouble,
     .dateFormat = Slash,
     .orderByAlias = true,
     .fileTables = true,
     .localTables = true,
     .namedIndexes = true,
     .groupsByExpression = true},
    // zelDBISAM
    {.booleanQuote = zelQuoteDouble,
     .dateFormat = Slash,
     .groupBySelect = true,
     .orderByAlias = true,
     .fileTables = true,
     .nestsJoins = false},
    // zelInformix
    {.joinMethod = zelJoinMixed, .topForm = TzelTopForm::First},
    // zelInterBase: Firebird and InterBase in dialect 3 read "..." as a name, so strings and
    // dates take single quotes, and names that need it are quoted; ISO dates read the same
    // whatever the server's locale.
    // An unquoted name is folded to upper case, so a name with a lower-case letter is quoted.
    {.stringQuote = zelQuoteSingle,
     .dateFormat = Iso,
     .dateQuote = "'",
     .valueAliases = false,
     .typedHaving = true,
     .foldsToUpperCase = true,
     .keywords = kFirebirdKeywords,
     .topForm = TzelTopForm::Rows,
     .topOffset = true},
    // zelMSSQL
    {.aliasAs = true,
     .nameQuote = zelQuoteBracket,
     .stringQuote = zelQuoteSingle,
     .dateQuote = "'",
     .groupBySelect = true,
     .topForm = TzelTopForm::Top,
     .topPercent = true},
    // zelParadox
    {.aliasAs = true,
     .aliasByTable = true,
     .booleanQuote = zelQuoteDouble,
     .dateFormat = Slash,
     .orderByAlias = true,
     .fileTables = true,
     .localTables = true,
     .groupsByExpression = true},
    // zelOracle
    {.stringQuote = zelQuoteSingle,
     .dateFormat = Oracle,
     .dateQuote = "TO_DATE(';', 'dd-mon-yyyy')",
     .joinMethod = zelJoinWhere,
     .topForm = TzelTopForm::Fetch,
     .topPercent = true,
     .topOffset = true},
    // zelSybase
    {.aliasAs = true, .groupBySelect = true, .quotesNames = false, .topForm = TzelTopForm::Top},
    // zelXQuery
    {.nameQuote = zelQuoteBracket,
     .dateFormat = Slash,
     .dateQuote = "#",
     .groupBySelect = true,
     .orderByAlias = true,
     .nestsJoins = false,
     .hashDates = true},
    // The native dialects write what the engine runs unchanged: ISO dates, TRUE and FALSE,
    // no dotted column aliases, GROUP BY and ORDER BY with expressions, joins unnested (they
    // bind left to right; SQLite refuses more than about 48 levels of parentheses). PostgreSQL
    // and MySQL refuse an ungrouped column beside an aggregate, so such a query is refused
    // before it runs.
    // zelSQLite
    {.aliasAs = true,
     .stringQuote = zelQuoteSingle,
     .dateFormat = Iso,
     .dateQuote = "'",
     .native = true,
     .nestsJoins = false,
     .typedHaving = true,
     .keywords = kSqliteKeywords,
     .topForm = TzelTopForm::Limit,
     .topOffset = true},
    // zelPostgreSQL
    {.aliasAs = true,
     .stringQuote = zelQuoteSingle,
     .dateFormat = Iso,
     .dateQuote = "'",
     .groupBySelect = true,
     .native = true,
     .nestsJoins = false,
     .typedHaving = true,
     .backslashes = TzelBackslashes::EscapeString,
     .foldsToLowerCase = true,
     .keywords = kPostgresKeywords,
     .topForm = TzelTopForm::Limit,
     .topOffset = true},
    // zelMySQL: `||` means OR unless the server's mode says otherwise, so text is joined with
    // CONCAT; a backslash is an escape in literals unless the mode says otherwise.
    {.aliasAs = true,
     .nameQuote = zelQuoteBacktick,
     .stringQuote = zelQuoteSingle,
     .dateFormat = Iso,
     .dateQuote = "'",
     .groupBySelect = true,
     .native = true,
     .nestsJoins = false,
     .typedHaving = true,
     .backslashes = TzelBackslashes::CharFunction,
     .concatFunction = true,
     .keywords = kMySqlKeywords,
     .topForm = TzelTopForm::Limit,
     .topOffset = true},
};
static_assert(std::size(kDialects) == zelLastDialect + 1);

} // namespace

const TzelDialect &zelDialect(TzelDatabase database) {
  const int row = int(database);
  return row >= 0 && row < int(std::size(kDialects)) ? kDialects[row] : kDialects[0];
}

QString zelDialectName(TzelDatabase database) {
  const char *key = QMetaEnum::fromType<TzelDatabase>().valueToKey(database);
  return key ? QString::fromLatin1(key + 3) : QString();
}
