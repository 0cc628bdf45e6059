// SPDX-License-Identifier: MIT
#pragma once
// The SQL keyword table: 364 upper-case entries (symbols, operators, SQL words), read once
// per process from the TZELKEYWORDS resource and never changed afterwards.

#include "model/zeltypes.h"
#include "zelcore_export.h"

#include <QString>
#include <QStringList>
#include <QStringView>

// Indices of the entries that carry meaning elsewhere.
namespace ZelKeyword {
constexpr int Space = 0;
constexpr int Less = 1;
constexpr int Equal = 2;
constexpr int Greater = 3;
constexpr int OpenParen = 4;
constexpr int CloseParen = 5;
constexpr int Comma = 6;
constexpr int Dot = 7;
constexpr int OpenBracket = 8;
constexpr int CloseBracket = 9;
constexpr int DoubleQuote = 10;
constexpr int SingleQuote = 11;
constexpr int LessEqual = 31;
constexpr int GreaterEqual = 32;
constexpr int NotEqual = 33;
constexpr int Not = 71;
constexpr int Like = 104;
constexpr int Between = 229;

constexpr int Count = 364;
constexpr int SymbolCount = 24;    // entries 0..23: the tokenizer's symbol characters
constexpr int QuoteCharCount = 31; // entries 0..30: characters that force quoting of a name
constexpr int FirstWord = 31;      // entries 31..363: operators and SQL words
constexpr int MaxKeywordLength = 13;
} // namespace ZelKeyword

// Reads the stored form of a string table: records of a 16-bit little-endian id, an 8-bit
// length and that many characters, ended by an id of 0. A name without '/' stands for the
// program resource ":/TZELRESOURCE/<name>"; any other name is a file path. Failures raise
// EzelError naming the resource.
class ZELCORE_EXPORT TzelStringResource {
public:
  explicit TzelStringResource(QString name);

  // Every text up to the ending record, in order.
  QStringList readAll() const;
  // The text of the record with that id; raises when the ending record comes first or the
  // text is empty.
  QString read(int id) const;

  static QStringList parseAll(const QByteArray &data, const QString &name);
  static QString parseOne(const QByteArray &data, int id, const QString &name);

private:
  QByteArray load() const;
  QString m_name;
};

// The process-wide table (loaded on first use; raises EzelError when the resource is bad).
ZELCORE_EXPORT const QStringList &zelKeywords();
// The entry at index 0..363.
ZELCORE_EXPORT const QString &Keyword(int index);
// The index of the entry equal to word, ignoring case (ASCII letters), or -1.
ZELCORE_EXPORT int KeywordIndex(QStringView word);
// The index 0..23 of a symbol character, or -1 for any other character.
ZELCORE_EXPORT int SymbolCode(QChar c);
// True when c is one of the 31 one-character entries (they force quoting of a name).
ZELCORE_EXPORT bool IsQuoteForcingChar(QChar c);
// True when the dialect's engine reserves the word (ignoring case) although the table above
// lacks it; the native dialects and InterBase list such words.
ZELCORE_EXPORT bool IsDialectKeyword(QStringView word, TzelDatabase database);
