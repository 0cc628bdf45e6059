// SPDX-License-Identifier: MIT
#pragma once
// The local SQL statement as tokens: split once, quotes and escapes understood.

#include <QList>
#include <QString>

namespace ZelLocalSql {

enum class Kind { Space, Word, Number, Dot, DoubleQuoted, Bracketed, Literal, Symbol };

struct Token {
  Kind kind;
  QString text;    // as written
  QString content; // without the quotes and with doubled quotes undone, for quoted kinds
};

QList<Token> tokenize(const QString &sql);

bool isNamePart(const Token &t);
bool isWord(const Token &t, const char *word);
bool isSymbol(const Token &t, char16_t c);
// A word SQLite would read as part of the statement's grammar rather than as a name: the
// library's keywords and the reserved words of SQLite they lack.
bool isReservedWord(const QString &word);

} // namespace ZelLocalSql
