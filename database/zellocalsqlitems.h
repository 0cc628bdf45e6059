// SPDX-License-Identifier: MIT
#pragma once
// The local SQL tokens grouped into table references and dotted names, with their role.

#include "database/zellocalsql.h"
#include "database/zellocalsqltokens.h"

#include <QList>
#include <QSet>
#include <QString>
#include <QStringList>
#include <optional>

namespace ZelLocalSql {

enum class Role { Plain, TableAlias, ColumnAlias };

struct Item {
  enum class Type { Single, Name, TableRef } type;
  QList<Token> tokens; // a Name's parts without the dots; a TableRef's tokens as written
  Role role = Role::Plain;
  QString clause;               // the clause the item stands in
  std::optional<QString> table; // the loaded table of a resolved TableRef

  const Token &first() const { return tokens.constFirst(); }
  QString joined() const { // a Name's parts as one text, for column aliases
    QStringList parts;
    for (const Token &t : tokens)
      parts << t.content;
    return parts.join(u'.');
  }
};

bool isSortingClause(const QString &clause);

// Groups the tokens, follows the clauses and loads the tables of the FROM clause.
class Reader {
public:
  Reader(const QList<Token> &tokens, const TzelLocalSqlHooks &hooks)
      : m_tokens(tokens), m_hooks(hooks) {}

  QList<Item> read();
  const QSet<QString> &columns() const { return m_columns; }
  const QSet<QString> &columnAliases() const { return m_columnAliases; }

private:
  enum class Expect { Nothing, Table, TableAlias, ColumnAlias };

  const Token &at(int i) const { return m_tokens[i]; }
  QString &clause() { return m_clauses.last(); }

  void readOne();
  void addToken(const Token &t);
  void readSymbol(const Token &t);
  bool readKeyword(const Token &t);
  bool endsTableAlias(const Token &t) const;
  bool sortsByAlias(const Token &t) const;
  bool namesSelectItem() const;
  bool nextSignificantIs(int from, const char *word) const;
  void readName();
  void readTableRef();

  const QList<Token> &m_tokens;
  const TzelLocalSqlHooks &m_hooks;
  QList<Item> m_items;
  QList<QString> m_clauses{QString()}; // one per open parenthesis
  QSet<QString> m_columns;             // upper case, of every loaded table
  QSet<QString> m_columnAliases;       // upper case, parts joined with '.'
  Expect m_expect = Expect::Nothing;
  bool m_operandEnded = false; // the last item ends a value, so a name after it is an alias
  int m_at = 0;
};

} // namespace ZelLocalSql
