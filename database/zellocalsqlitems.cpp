// SPDX-License-Identifier: MIT
// The local SQL tokens grouped into table references and dotted names, with their role.
#include "database/zellocalsqlitems.h"

#include <QRegularExpression>

using namespace Qt::StringLiterals;

namespace ZelLocalSql {

namespace {

bool isExplicitReference(const QString &text) {
  static const QRegularExpression form(uR"(^(:[^:]+:.+|/.+|[A-Za-z]:[\\/].+|\\\\.+)$)"_s);
  return form.match(text).hasMatch();
}

} // namespace

bool isSortingClause(const QString &clause) {
  return clause == u"ORDER" || clause == u"GROUP";
}

QList<Item> Reader::read() {
  for (m_at = 0; m_at < m_tokens.size();)
    readOne();
  return m_items;
}

void Reader::readOne() {
  const Token &t = at(m_at);
  if (m_expect == Expect::Table && t.kind != Kind::Space && !isSymbol(t, u'(') &&
      !isSymbol(t, u')') && !isSymbol(t, u',') && !isWord(t, "SELECT"))
    return readTableRef();
  if (t.kind == Kind::Word && readKeyword(t))
    return;
  if (isNamePart(t))
    return readName();
  readSymbol(t);
  addToken(t);
}

void Reader::addToken(const Token &t) {
  m_items.append({Item::Type::Single, {t}, Role::Plain, clause(), std::nullopt});
  if (t.kind != Kind::Space)
    m_operandEnded = t.kind == Kind::Number || t.kind == Kind::Literal || isSymbol(t, u')');
  ++m_at;
}

void Reader::readSymbol(const Token &t) {
  if (isSymbol(t, u'(')) {
    // Inside parentheses a select list holds an expression, never a column alias
    // (CAST(x AS INTEGER)); a FROM clause goes on with its joined tables.
    m_clauses.append(clause() == u"SELECT" ? u"SELECT("_s : clause());
  } else if (isSymbol(t, u')')) {
    // A closing parenthesis ends the table reference or item inside it.
    if (m_clauses.size() > 1)
      m_clauses.removeLast();
    m_expect = Expect::Nothing;
  } else if (isSymbol(t, u',') && clause() == u"FROM") {
    m_expect = Expect::Table;
  } else if (t.kind != Kind::Space) {
    m_expect = Expect::Nothing;
  }
}

// A word that steers the reading; true when it is one (it is then added as a token).
bool Reader::readKeyword(const Token &t) {
  if (m_at + 1 < m_tokens.size() && at(m_at + 1).kind == Kind::Dot)
    return false;
  if (isWord(t, "AS")) {
    m_expect = clause() == u"SELECT"            ? Expect::ColumnAlias
               : m_expect == Expect::TableAlias ? Expect::TableAlias
                                                : Expect::Nothing;
    addToken(t);
    m_operandEnded = false;
    return true;
  }
  if (m_expect == Expect::ColumnAlias || (m_expect == Expect::TableAlias && !endsTableAlias(t)) ||
      sortsByAlias(t) || namesSelectItem())
    return false;
  for (const char *word : {"SELECT", "FROM", "WHERE", "GROUP", "HAVING", "ORDER", "UNION"})
    if (isWord(t, word))
      clause() = QString::fromLatin1(word);
  if (!isReservedWord(t.text))
    return false;
  m_expect = isWord(t, "FROM") || isWord(t, "JOIN") ? Expect::Table : Expect::Nothing;
  addToken(t);
  m_operandEnded = isWord(t, "NULL") || isWord(t, "END");
  return true;
}

// After a table reference a word names its alias, unless it goes on with the statement.
bool Reader::endsTableAlias(const Token &t) const {
  static const QSet<QString> words{u"INNER"_s, u"LEFT"_s,    u"RIGHT"_s, u"FULL"_s,  u"CROSS"_s,
                                   u"JOIN"_s,  u"ON"_s,      u"WHERE"_s, u"GROUP"_s, u"HAVING"_s,
                                   u"UNION"_s, u"NATURAL"_s, u"OUTER"_s};
  const QString upper = t.text.toUpper();
  if (upper == u"ORDER")
    return nextSignificantIs(m_at + 1, "BY");
  return words.contains(upper);
}

// A keyword such as Order or Count named as a column alias in ORDER BY or GROUP BY
// ("ORDER BY Order ASC"), unless it calls a function or starts a clause.
bool Reader::sortsByAlias(const Token &t) const {
  return isSortingClause(m_clauses.last()) && m_columnAliases.contains(t.text.toUpper()) &&
         !nextSignificantIs(m_at + 1, "BY") && !nextSignificantIs(m_at + 1, "(");
}

// A keyword after a value that ends its select item ("P.X Order," or "P.X Date FROM")
// is that value's alias.
bool Reader::namesSelectItem() const {
  return m_clauses.last() == u"SELECT" && m_operandEnded &&
         (nextSignificantIs(m_at + 1, ",") || nextSignificantIs(m_at + 1, "FROM"));
}

// The next token other than space is the word (or the symbol, for "(" and ",").
bool Reader::nextSignificantIs(int from, const char *word) const {
  for (int i = from; i < m_tokens.size(); ++i)
    if (at(i).kind != Kind::Space)
      return word[0] && !word[1] && !QChar::isLetter(word[0]) ? isSymbol(at(i), word[0])
                                                              : isWord(at(i), word);
  return false;
}

void Reader::readName() {
  Item item{Item::Type::Name, {at(m_at)}, Role::Plain, clause(), std::nullopt};
  const bool afterSpace = m_at > 0 && at(m_at - 1).kind == Kind::Space;
  ++m_at;
  while (m_at + 1 < m_tokens.size() && at(m_at).kind == Kind::Dot && isNamePart(at(m_at + 1))) {
    item.tokens.append(at(m_at + 1));
    m_at += 2;
  }
  if (m_expect == Expect::TableAlias) {
    item.role = Role::TableAlias;
  } else if (m_expect == Expect::ColumnAlias ||
             (clause() == u"SELECT" && m_operandEnded && afterSpace)) {
    item.role = Role::ColumnAlias;
    m_columnAliases.insert(item.joined().toUpper());
  }
  m_expect = Expect::Nothing;
  m_operandEnded = item.role == Role::Plain;
  m_items.append(item);
}

// The reference runs to the next space, comma or parenthesis: a quoted name, a
// ":ALIAS:" prefixed name, a path or a bare table name.
void Reader::readTableRef() {
  Item item{Item::Type::TableRef, {}, Role::Plain, clause(), std::nullopt};
  QString reference;
  while (m_at < m_tokens.size() && at(m_at).kind != Kind::Space && !isSymbol(at(m_at), u',') &&
         !isSymbol(at(m_at), u'(') && !isSymbol(at(m_at), u')')) {
    item.tokens.append(at(m_at));
    reference += at(m_at).text;
    ++m_at;
  }
  if (item.tokens.size() == 1 && item.first().kind != Kind::Word)
    reference = item.first().content;
  item.table = m_hooks.resolveTable(reference, isExplicitReference(reference));
  if (item.table)
    m_columns.unite(m_hooks.columnsOf(*item.table));
  m_expect = Expect::TableAlias;
  m_operandEnded = false;
  m_items.append(item);
}

} // namespace ZelLocalSql
