// SPDX-License-Identifier: MIT
#pragma once
// Splits a free-text expression into keyword and value tokens and checks its nesting.

#include "zelcore_export.h"

#include <QString>
#include <QStringList>
#include <variant>
#include <vector>

// A keyword or symbol token: its keyword-table index.
struct ZELCORE_EXPORT TzelToken {
  qint32 index = 0;
};

// A value token (a word that is no keyword, a bracketed name, a double-quoted text). Its text
// is not stored but cut from the source lines. Columns are 1-based.
struct ZELCORE_EXPORT TzelValue {
  static constexpr qint32 Marker = -1; // stands where a keyword token has its index
  qint32 line = 0;
  qint32 column = 0;
  qint32 length = 0;
  QString text(const QStringList &lines) const;
};

// The ordered tokens of one expression; owns them.
class ZELCORE_EXPORT TzelTokenList {
public:
  int count() const { return int(m_items.size()); }
  bool isEmpty() const { return m_items.empty(); }
  void clear() { m_items.clear(); }
  void addToken(int index) { m_items.emplace_back(TzelToken{index}); }
  void addValue(int line, int column, int length) {
    m_items.emplace_back(TzelValue{line, column, length});
  }

  bool isValue(int i) const { return std::holds_alternative<TzelValue>(m_items.at(i)); }
  // The keyword index of token i, or TzelValue::Marker for a value token.
  int index(int i) const;
  const TzelValue &value(int i) const { return std::get<TzelValue>(m_items.at(i)); }
  // The keyword text of token i, or the value's text cut from lines.
  QString text(int i, const QStringList &lines) const;

private:
  std::vector<std::variant<TzelToken, TzelValue>> m_items;
};

// Empties tokens, fills it from the lines and returns the number of tokens. Raises EzelError
// on unbalanced parentheses, brackets or double quotes (tokens then hold a partial result).
ZELCORE_EXPORT int TokenizeExpression(const QStringList &lines, TzelTokenList &tokens);
