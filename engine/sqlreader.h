// SPDX-License-Identifier: MIT
#pragma once
// The statement reader: one SELECT statement read into a small syntax tree, with the line,
// column and text span of every part. Constructs no design can hold (UNION, WITH, subqueries,
// window functions, FULL and CROSS joins, LIMIT ...) are refused here, naming the construct.
// It is written here over a scanner of the dialects' quoting rather than taken from a packaged
// engine grammar: those read one engine's SQL, not the older dialects' bracket names, date
// quotes and unquoted keyword names that the generator writes.

#include "engine/sqllexer.h"
#include "zelcore_export.h"

#include <QList>
#include <QSet>
#include <QString>
#include <QStringList>
#include <memory>

struct TzelSqlExpr;
using TzelSqlExprPtr = std::shared_ptr<const TzelSqlExpr>;

struct ZELCORE_EXPORT TzelSqlExpr {
  enum class Kind {
    Column,   // parts: [table, ] name; quoted tells how the last part was written
    Literal,  // token: the literal's first token (Number, String, DoubleQuoted, Hash, Word)
    Param,    // text: the name (empty for ?)
    Star,     // * or table.* (parts: [table])
    Function, // text: the name in upper case; args; star for COUNT(*)
    Compare,  // text: = <> < <= > >=; args: left, right
    Between,  // args: expression, low, high; negated
    In,       // args: expression, items...; negated
    Like,     // args: expression, pattern; negated
    IsNull,   // args: expression; negated
    And,      // args
    Or,       // args
    Not,      // args: one
    Other     // anything else, kept as its text (arithmetic, CASE, casts)
  };
  Kind kind = Kind::Other;
  QString text;
  QStringList parts;
  TzelSqlTokenKind quoted = TzelSqlTokenKind::Word;
  QList<TzelSqlExprPtr> args;
  bool negated = false;
  bool star = false;
  bool distinct = false;
  bool parenthesized = false;
  int line = 1;
  int column = 1;
  qsizetype begin = 0;
  qsizetype end = 0;
};

// A table in FROM, or a join of two of them.
struct TzelSqlFrom;
using TzelSqlFromPtr = std::shared_ptr<const TzelSqlFrom>;
struct ZELCORE_EXPORT TzelSqlFrom {
  bool isTable = true;
  QString name;      // the table's dotted name, parts unquoted
  QStringList parts; // the parts as written apart
  QString alias;     // empty when none was written
  TzelJoinType type = zelJoinInner;
  TzelSqlFromPtr left, right;
  TzelSqlExprPtr on; // none for a join whose condition stands in WHERE
  int height = 1;    // the levels of the tree under it, itself included
  int line = 1;
  int column = 1;
};

struct ZELCORE_EXPORT TzelSqlSelectItem {
  TzelSqlExprPtr expr;
  QString alias; // empty when none
  bool hasAlias = false;
};

struct ZELCORE_EXPORT TzelSqlOrderItem {
  TzelSqlExprPtr expr;
  bool descending = false;
};

struct ZELCORE_EXPORT TzelSqlStatement {
  bool distinct = false;
  int top = 0; // TOP, FIRST, LIMIT, ROWS or FETCH FIRST: 0 for all records
  bool topPercent = false;
  int topOffset = 0; // OFFSET, SKIP, or the start of ROWS, less one
  QString topWord;   // the first of those words, where it stands
  int topLine = 0;
  int topColumn = 0;
  QList<TzelSqlSelectItem> items;
  QList<TzelSqlFromPtr> from; // comma-separated
  TzelSqlExprPtr where, having;
  QList<TzelSqlExprPtr> groupBy;
  QList<TzelSqlOrderItem> orderBy;
};

// Refuses the statement at the part.
[[noreturn]] inline void zelRefuseSql(const TzelSqlExpr &at, const QString &what) {
  throw TzelSqlRefusal{what, at.line, at.column};
}
// "<construct> cannot be shown in the design", the refusals' form.
inline QString zelCannotShow(const QString &construct) {
  return construct + QStringLiteral(" cannot be shown in the design");
}

// Reads one SELECT statement (a closing ';' allowed). spacedNames lists the names, folded,
// that hold spaces and may stand unquoted (older dialects write them so): a run of words
// spelling one of them is read as that one name. Raises TzelSqlRefusal.
ZELCORE_EXPORT TzelSqlStatement ReadSqlStatement(const QString &sql, TzelDatabase dialect,
                                                 const QSet<QString> &spacedNames = {});
