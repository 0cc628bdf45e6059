#include "database/zellocalsql.h"

#include "model/keywords.h"

#include <QDate>
#include <QList>
#include <QRegularExpression>

namespace {

// ---- Tokens: the statement split once, quotes and escapes understood ----

enum class Kind { Space, Word, Number, Dot, DoubleQuoted, Bracketed, Literal, Symbol };

struct Token {
  Kind kind;
  QString text;    // as written
  QString content; // without the quotes and with doubled quotes undone, for quoted kinds
};

bool isWordStart(QChar c) {
  return c.isLetter() || c == u'_' || c == u'$' || c == u'#';
}

bool isWordChar(QChar c) {
  return isWordStart(c) || c.isDigit();
}

// A quoted text from its opening character; a doubled closing character stands for one.
// An unclosed text runs to the end.
Token quotedToken(const QString &sql, int &i) {
  const QChar open = sql[i];
  const QChar close = open == u'[' ? QChar(u']') : open;
  const Kind kind = open == u'\''  ? Kind::Literal
                    : open == u'"' ? Kind::DoubleQuoted
                                   : Kind::Bracketed;
  const int start = i;
  QString content;
  for (++i; i < sql.size(); ++i) {
    if (sql[i] != close) {
      content += sql[i];
    } else if (i + 1 < sql.size() && sql[i + 1] == close) {
      content += close;
      ++i;
    } else {
      ++i;
      break;
    }
  }
  return {kind, sql.mid(start, i - start), content};
}

Token runToken(const QString &sql, int &i, Kind kind, bool (*inRun)(QChar)) {
  const int start = i;
  while (i < sql.size() && inRun(sql[i]))
    ++i;
  const QString text = sql.mid(start, i - start);
  return {kind, text, text};
}

QList<Token> tokenize(const QString &sql) {
  QList<Token> tokens;
  int i = 0;
  while (i < sql.size()) {
    const QChar c = sql[i];
    if (c == u'\'' || c == u'"' || c == u'[')
      tokens.append(quotedToken(sql, i));
    else if (c.isSpace())
      tokens.append(runToken(sql, i, Kind::Space, [](QChar x) { return x.isSpace(); }));
    else if (c.isDigit())
      tokens.append(
          runToken(sql, i, Kind::Number, [](QChar x) { return isWordChar(x) || x == u'.'; }));
    else if (isWordStart(c))
      tokens.append(runToken(sql, i, Kind::Word, isWordChar));
    else {
      tokens.append({c == u'.' ? Kind::Dot : Kind::Symbol, QString(c), QString(c)});
      ++i;
    }
  }
  return tokens;
}

// ---- Small helpers ----

bool isNamePart(const Token &t) {
  return t.kind == Kind::Word || t.kind == Kind::DoubleQuoted || t.kind == Kind::Bracketed;
}

bool isWord(const Token &t, const char *word) {
  return t.kind == Kind::Word && t.text.compare(QLatin1String(word), Qt::CaseInsensitive) == 0;
}

bool isSymbol(const Token &t, char16_t c) {
  return t.kind == Kind::Symbol && t.text.size() == 1 && t.text[0] == c;
}

bool isExplicitReference(const QString &text) {
  static const QRegularExpression form(uR"(^(:[^:]+:.+|/.+|[A-Za-z]:[\\/].+|\\\\.+)$)"_qs);
  return form.match(text).hasMatch();
}

QString quoteLiteral(const QString &text) {
  return u'\'' + QString(text).replace(u'\'', u"''"_qs) + u'\'';
}

// A word SQLite would read as part of the statement's grammar rather than as a name: the
// library's keywords and the reserved words of SQLite they lack.
bool isReservedWord(const QString &word) {
  return KeywordIndex(word) >= ZelKeyword::FirstWord || IsDialectKeyword(word, zelSQLite);
}

// One part of a name as SQLite needs it: quoted when written quoted or when a keyword.
QString namePart(const Token &t) {
  if (t.kind == Kind::Word)
    return isReservedWord(t.text) ? quoteSqliteName(t.text) : t.text;
  return quoteSqliteName(t.content);
}

// mm/dd/yyyy with an optional time becomes yyyy-mm-dd[ hh:mm:ss]; other texts stay.
QString isoDate(const QString &text) {
  static const QRegularExpression form(
      uR"(^\s*(\d{1,2})/(\d{1,2})/(\d{4})(?:\s+(\d{1,2}):(\d{2})(?::(\d{2}))?)?\s*$)"_qs);
  const auto m = form.match(text);
  if (!m.hasMatch())
    return text;
  const QDate date(m.captured(3).toInt(), m.captured(1).toInt(), m.captured(2).toInt());
  if (!date.isValid())
    return text;
  QString iso = date.toString(Qt::ISODate);
  if (m.hasCaptured(4))
    iso += u" %1:%2:%3"_qs.arg(m.captured(4).toInt(), 2, 10, QChar(u'0'))
               .arg(m.captured(5))
               .arg(m.hasCaptured(6) ? m.captured(6) : u"00"_qs);
  return iso;
}

QString literalFor(const QString &text) {
  const QString upper = text.trimmed().toUpper();
  if (upper == u"TRUE")
    return u"1"_qs;
  if (upper == u"FALSE")
    return u"0"_qs;
  return quoteLiteral(isoDate(text));
}

bool isSortingClause(const QString &clause) {
  return clause == u"ORDER" || clause == u"GROUP";
}

// ---- Items: tokens grouped into table references and dotted names, with their role ----

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

// Groups the tokens, follows the clauses and loads the tables of the FROM clause.
class Reader {
public:
  Reader(const QList<Token> &tokens, const TzelLocalSqlHooks &hooks)
      : m_tokens(tokens), m_hooks(hooks) {}

  QList<Item> read() {
    for (m_at = 0; m_at < m_tokens.size();)
      readOne();
    return m_items;
  }
  const QSet<QString> &columns() const { return m_columns; }
  const QSet<QString> &columnAliases() const { return m_columnAliases; }

private:
  enum class Expect { Nothing, Table, TableAlias, ColumnAlias };

  const Token &at(int i) const { return m_tokens[i]; }
  QString &clause() { return m_clauses.last(); }

  void readOne() {
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

  void addToken(const Token &t) {
    m_items.append({Item::Type::Single, {t}, Role::Plain, clause(), std::nullopt});
    if (t.kind != Kind::Space)
      m_operandEnded = t.kind == Kind::Number || t.kind == Kind::Literal || isSymbol(t, u')');
    ++m_at;
  }

  void readSymbol(const Token &t) {
    if (isSymbol(t, u'(')) {
      // Inside parentheses a select list holds an expression, never a column alias
      // (CAST(x AS INTEGER)); a FROM clause goes on with its joined tables.
      m_clauses.append(clause() == u"SELECT" ? u"SELECT("_qs : clause());
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
  bool readKeyword(const Token &t) {
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
  bool endsTableAlias(const Token &t) const {
    static const QSet<QString> words{
        u"INNER"_qs, u"LEFT"_qs,  u"RIGHT"_qs,  u"FULL"_qs,  u"CROSS"_qs,   u"JOIN"_qs, u"ON"_qs,
        u"WHERE"_qs, u"GROUP"_qs, u"HAVING"_qs, u"UNION"_qs, u"NATURAL"_qs, u"OUTER"_qs};
    const QString upper = t.text.toUpper();
    if (upper == u"ORDER")
      return nextSignificantIs(m_at + 1, "BY");
    return words.contains(upper);
  }

  // A keyword such as Order or Count named as a column alias in ORDER BY or GROUP BY
  // ("ORDER BY Order ASC"), unless it calls a function or starts a clause.
  bool sortsByAlias(const Token &t) const {
    return isSortingClause(m_clauses.last()) && m_columnAliases.contains(t.text.toUpper()) &&
           !nextSignificantIs(m_at + 1, "BY") && !nextSignificantIs(m_at + 1, "(");
  }

  // A keyword after a value that ends its select item ("P.X Order," or "P.X Date FROM")
  // is that value's alias.
  bool namesSelectItem() const {
    return m_clauses.last() == u"SELECT" && m_operandEnded &&
           (nextSignificantIs(m_at + 1, ",") || nextSignificantIs(m_at + 1, "FROM"));
  }

  // The next token other than space is the word (or the symbol, for "(" and ",").
  bool nextSignificantIs(int from, const char *word) const {
    for (int i = from; i < m_tokens.size(); ++i)
      if (at(i).kind != Kind::Space)
        return word[0] && !word[1] && !QChar::isLetter(word[0]) ? isSymbol(at(i), word[0])
                                                                : isWord(at(i), word);
    return false;
  }

  void readName() {
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
  void readTableRef() {
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

// ---- Writing the items in SQLite's dialect ----

QString writeToken(const Token &t) {
  switch (t.kind) {
  case Kind::Literal:
    return quoteLiteral(isoDate(t.content));
  case Kind::Bracketed:
    return quoteSqliteName(t.content);
  default:
    return t.text;
  }
}

QString writeName(const Item &item, const Reader &reader, bool beforeParenthesis) {
  const Token &first = item.first();
  if (item.tokens.size() > 1) {
    // A dotted column alias stays one name, wherever it is written or referred to.
    if (item.role == Role::ColumnAlias ||
        (isSortingClause(item.clause) && reader.columnAliases().contains(item.joined().toUpper())))
      return quoteSqliteName(item.joined());
    QStringList parts;
    for (const Token &t : item.tokens)
      parts << namePart(t);
    return parts.join(u'.');
  }
  if (first.kind != Kind::DoubleQuoted) {
    const bool alias =
        item.role != Role::Plain || (isSortingClause(item.clause) && !beforeParenthesis &&
                                     reader.columnAliases().contains(first.content.toUpper()));
    return alias ? namePart(first) : writeToken(first);
  }
  // Double quotes enclose both names and texts: a name after AS, in a sort, or when a
  // column has it; a text otherwise.
  if (item.role != Role::Plain || isSortingClause(item.clause) ||
      reader.columns().contains(first.content.toUpper()))
    return quoteSqliteName(first.content);
  return literalFor(first.content);
}

bool parenthesisFollows(const QList<Item> &items, int i) {
  for (int j = i + 1; j < items.size(); ++j)
    if (items[j].type != Item::Type::Single || items[j].first().kind != Kind::Space)
      return items[j].type == Item::Type::Single && isSymbol(items[j].first(), u'(');
  return false;
}

} // namespace

QString translateLocalSql(const QString &sql, const TzelLocalSqlHooks &hooks) {
  const QList<Token> tokens = tokenize(sql);
  Reader reader(tokens, hooks);
  const QList<Item> items = reader.read();
  QString out;
  for (int i = 0; i < items.size(); ++i) {
    const Item &item = items[i];
    if (item.type == Item::Type::TableRef) {
      if (item.table)
        out += quoteSqliteName(*item.table);
      else
        for (const Token &t : item.tokens)
          out += writeToken(t);
    } else if (item.type == Item::Type::Name) {
      out += writeName(item, reader, parenthesisFollows(items, i));
    } else {
      out += writeToken(item.first());
    }
  }
  return out;
}

QString quoteSqliteName(const QString &name) {
  return u'"' + QString(name).replace(u'"', u"\"\""_qs) + u'"';
}
