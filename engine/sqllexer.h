// SPDX-License-Identifier: MIT
#pragma once
// The statement reader's scanner: splits SELECT text into words, quoted names, literals,
// parameters and symbols, each with its line and column (1-based) and its span in the text.
// Comments and white space are skipped.

#include "model/zeltypes.h"
#include "zelcore_export.h"

#include <QList>
#include <QString>
#include <utility>

enum class TzelSqlTokenKind {
  End,
  Word,         // a bare word: keyword, name or bare literal (True)
  Name,         // a name in brackets or back-ticks
  DoubleQuoted, // "..." : a name, or a text where the dialect quotes texts so
  String,       // '...' (E'...' with its backslashes read)
  Number,
  Param, // :name or ?
  Hash,  // #...#, the date quote of some dialects
  Symbol
};

struct ZELCORE_EXPORT TzelSqlToken {
  TzelSqlTokenKind kind = TzelSqlTokenKind::End;
  QString text; // the word, the unquoted text, the parameter's name or the symbol
  int line = 1;
  int column = 1;
  qsizetype begin = 0; // span in the statement
  qsizetype end = 0;

  bool isSymbol(QStringView symbol) const {
    return kind == TzelSqlTokenKind::Symbol && text == symbol;
  }
  // A bare word equal to the upper-case keyword, ignoring case.
  bool isWord(QStringView keyword) const {
    return kind == TzelSqlTokenKind::Word && text.compare(keyword, Qt::CaseInsensitive) == 0;
  }
};

// A statement the design cannot take: the message names the construct and where it stands.
struct ZELCORE_EXPORT TzelSqlRefusal {
  TzelSqlRefusal(QString text, int atLine, int atColumn, QString table = {})
      : what(std::move(text)), line(atLine), column(atColumn), missingTable(std::move(table)) {}
  QString what; // "a subquery cannot be shown in the design"
  int line = 1;
  int column = 1;
  QString missingTable; // the table's name when the data model lacks it
  QString message() const;
};

// The tokens of the text, ended by an End token; raises TzelSqlRefusal for an open quote or
// comment.
ZELCORE_EXPORT QList<TzelSqlToken> ScanSql(const QString &sql, TzelDatabase dialect);
// True when the word names an aggregate function (SUM, COUNT, MIN, MAX, AVG), ignoring case.
ZELCORE_EXPORT bool IsSqlAggregateName(QStringView word);
// True when the expression calls an aggregate function: such a calculated value is an aggregate
// value (never grouped; its filters go to HAVING). Read over the tokens, so that a name or text
// that merely spells SUM( is not one; an expression that does not scan holds none.
ZELCORE_EXPORT bool SqlHoldsAggregate(const QString &expression, TzelDatabase dialect);
// The text's tokens as written, each run of white space and comments before, between or after
// them made one space: a part of a statement as one line that means the same.
ZELCORE_EXPORT QString CompactSql(const QString &sql, TzelDatabase dialect);
