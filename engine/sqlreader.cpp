// SPDX-License-Identifier: MIT
#include "engine/sqlreader.h"

using namespace Qt::StringLiterals;

namespace {

using Kind = TzelSqlExpr::Kind;
using TK = TzelSqlTokenKind;

// Words that never stand as a bare name or alias.
const QSet<QString> &reservedWords() {
  static const QSet<QString> words{
      u"SELECT"_s,  u"DISTINCT"_s, u"ALL"_s,       u"FROM"_s,   u"WHERE"_s,  u"GROUP"_s,
      u"BY"_s,      u"HAVING"_s,   u"ORDER"_s,     u"ASC"_s,    u"DESC"_s,   u"AS"_s,
      u"JOIN"_s,    u"INNER"_s,    u"LEFT"_s,      u"RIGHT"_s,  u"OUTER"_s,  u"FULL"_s,
      u"CROSS"_s,   u"NATURAL"_s,  u"ON"_s,        u"USING"_s,  u"AND"_s,    u"OR"_s,
      u"NOT"_s,     u"BETWEEN"_s,  u"IN"_s,        u"LIKE"_s,   u"ILIKE"_s,  u"IS"_s,
      u"NULL"_s,    u"UNION"_s,    u"INTERSECT"_s, u"EXCEPT"_s, u"MINUS"_s,  u"WITH"_s,
      u"LIMIT"_s,   u"OFFSET"_s,   u"FETCH"_s,     u"OVER"_s,   u"CASE"_s,   u"WHEN"_s,
      u"THEN"_s,    u"ELSE"_s,     u"END"_s,       u"EXISTS"_s, u"ESCAPE"_s, u"WINDOW"_s,
      u"QUALIFY"_s, u"INTO"_s,     u"ROWS"_s};
  return words;
}

// Every level of nesting is a level of recursion here and in whatever walks the tree read, and
// a tree this deep is already far beyond what a design shows: deeper statements are refused
// before the stack runs out, with room to spare where frames are larger (instrumented builds,
// a caller's smaller thread stack). The generator nests FROM once per joined table, so the
// bound also limits the tables of one statement.
constexpr int kMaxNesting = 500;

class Reader {
public:
  Reader(const QString &sql, TzelDatabase dialect, const QSet<QString> &spacedNames)
      : m_tokens(ScanSql(sql, dialect)), m_spaced(spacedNames), m_sqlite(dialect == zelSQLite) {
    for (const QString &name : spacedNames)
      m_spacedWords = std::max(m_spacedWords, int(name.count(u' ')) + 1);
  }

  TzelSqlStatement statement() {
    if (peek().isWord(u"WITH"))
      fail(peek(), zelCannotShow(u"a WITH clause"_s));
    while (peek().isSymbol(u"(") && m_tokens.value(m_at + 1).isWord(u"SELECT"))
      fail(peek(), zelCannotShow(u"a subquery"_s)); // a parenthesised statement
    expectWord(u"SELECT");
    TzelSqlStatement s;
    topHead(s);
    if (acceptWord(u"DISTINCT"))
      s.distinct = true;
    else
      acceptWord(u"ALL");
    topHead(s);
    if (s.distinct && peek().isWord(u"ON"))
      fail(peek(), zelCannotShow(u"DISTINCT ON"_s));
    do
      s.items.append(selectItem());
    while (acceptSymbol(u","));
    expectWord(u"FROM");
    do
      s.from.append(fromItem());
    while (acceptSymbol(u","));
    if (acceptWord(u"WHERE"))
      s.where = expression();
    if (acceptWord(u"GROUP")) {
      expectWord(u"BY");
      do {
        for (const char16_t *w : {u"ROLLUP", u"CUBE", u"GROUPING"})
          if (peek().isWord(w))
            fail(peek(), zelCannotShow(u"GROUP BY "_s + peek().text.toUpper()));
        s.groupBy.append(expression());
      } while (acceptSymbol(u","));
    }
    if (acceptWord(u"HAVING"))
      s.having = expression();
    if (acceptWord(u"ORDER")) {
      expectWord(u"BY");
      do
        s.orderBy.append(orderItem());
      while (acceptSymbol(u","));
    }
    topTail(s);
    refuseTail();
    acceptSymbol(u";");
    if (peek().kind != TK::End)
      fail(peek(), u"the statement should end before [%1]"_s.arg(peek().text));
    return s;
  }

private:
  // One level of nesting, held while its part is read.
  class Nested {
  public:
    Nested(Reader &reader, const TzelSqlToken &at) : m_reader(reader) {
      if (m_reader.m_depth >= kMaxNesting)
        fail(at, zelCannotShow(u"nesting deeper than %1 levels"_s.arg(kMaxNesting)));
      ++m_reader.m_depth;
    }
    ~Nested() { --m_reader.m_depth; }
    Q_DISABLE_COPY_MOVE(Nested)

  private:
    Reader &m_reader;
  };

  const TzelSqlToken &peek(int ahead = 0) const {
    return m_tokens.at(std::min<qsizetype>(m_at + ahead, m_tokens.size() - 1));
  }
  const TzelSqlToken &take() {
    const TzelSqlToken &t = peek();
    if (m_at < m_tokens.size() - 1)
      ++m_at;
    return t;
  }
  [[noreturn]] static void fail(const TzelSqlToken &t, const QString &what) {
    throw TzelSqlRefusal{what, t.line, t.column};
  }
  bool acceptWord(QStringView w) {
    if (!peek().isWord(w))
      return false;
    take();
    return true;
  }
  bool acceptSymbol(QStringView s) {
    if (!peek().isSymbol(s))
      return false;
    take();
    return true;
  }
  void expectWord(QStringView w) {
    if (!acceptWord(w))
      fail(peek(), w.toString() + u" expected"_s);
  }
  void expectSymbol(QStringView s) {
    if (!acceptSymbol(s))
      fail(peek(), u"'"_s + s.toString() + u"' expected"_s);
  }
  // A clause word; ORDER, GROUP, LIMIT, OFFSET, FETCH and ROWS only before what they take (else
  // they are names, as the older dialects write them unquoted).
  bool isReserved(int ahead = 0) const {
    const TzelSqlToken &t = peek(ahead);
    if (t.kind != TK::Word || !reservedWords().contains(t.text.toUpper()))
      return false;
    if (t.isWord(u"ORDER") || t.isWord(u"GROUP"))
      return peek(ahead + 1).isWord(u"BY");
    if (t.isWord(u"LIMIT") || t.isWord(u"OFFSET") || t.isWord(u"FETCH") || t.isWord(u"ROWS")) {
      const TzelSqlToken &n = peek(ahead + 1);
      return n.kind == TK::Number || n.kind == TK::Param || n.isWord(u"FIRST") ||
             n.isWord(u"NEXT") || n.isWord(u"ALL");
    }
    return true;
  }

  // A count of records: a whole number, not a parameter or an expression.
  int topCount() {
    const TzelSqlToken &t = peek();
    bool ok = false;
    const int count = t.kind == TK::Number ? t.text.toInt(&ok) : 0;
    if (!ok || count < 0)
      fail(t, zelCannotShow(u"a number of records other than a whole number"_s));
    take();
    return count;
  }
  bool beforeCount(QStringView word) const {
    return peek().isWord(word) && peek(1).kind == TK::Number;
  }
  // Takes the word that limits the records, noting the first such word of the statement.
  void takeTopWord(TzelSqlStatement &s) {
    const TzelSqlToken &t = take();
    if (!s.topWord.isEmpty())
      return;
    s.topWord = t.text.toUpper();
    s.topLine = t.line;
    s.topColumn = t.column;
  }
  // TOP n [PERCENT], FIRST n [SKIP m] and SKIP m, written before or after DISTINCT.
  void topHead(TzelSqlStatement &s) {
    for (bool more = true; more;) {
      more = false;
      if (beforeCount(u"TOP")) {
        takeTopWord(s);
        s.top = topCount();
        s.topPercent = acceptWord(u"PERCENT");
        more = true;
      } else if (beforeCount(u"FIRST")) {
        takeTopWord(s);
        s.top = topCount();
        more = true;
      } else if (beforeCount(u"SKIP")) {
        takeTopWord(s);
        s.topOffset = topCount();
        more = true;
      }
    }
  }
  // LIMIT n [OFFSET m], LIMIT m, n, OFFSET m [ROWS], FETCH FIRST|NEXT n [PERCENT] ROWS ONLY
  // and ROWS a [TO b], in the orders the engines take them.
  void topTail(TzelSqlStatement &s) {
    for (bool more = true; more;) {
      more = false;
      if (peek().isWord(u"LIMIT")) {
        takeTopWord(s);
        if (!acceptWord(u"ALL"))
          s.top = topCount();
        if (acceptSymbol(u",")) { // LIMIT offset, count
          s.topOffset = s.top;
          s.top = topCount();
        }
        more = true;
      } else if (peek().isWord(u"OFFSET") && peek(1).kind == TK::Number) {
        takeTopWord(s);
        s.topOffset = topCount();
        acceptWord(u"ROWS") || acceptWord(u"ROW");
        more = true;
      } else if (peek().isWord(u"FETCH")) {
        takeTopWord(s);
        if (!acceptWord(u"FIRST"))
          expectWord(u"NEXT");
        s.top = peek().kind == TK::Number ? topCount() : 1;
        s.topPercent = acceptWord(u"PERCENT");
        if (!acceptWord(u"ROWS"))
          expectWord(u"ROW");
        if (peek().isWord(u"WITH"))
          fail(peek(), zelCannotShow(u"WITH TIES"_s));
        expectWord(u"ONLY");
        more = true;
      } else if (beforeCount(u"ROWS")) {
        takeTopWord(s);
        const int from = topCount();
        s.top = from;
        if (acceptWord(u"TO")) {
          const int to = topCount();
          if (from < 1 || to < from)
            fail(peek(), zelCannotShow(u"ROWS that count no records"_s));
          s.topOffset = from - 1;
          s.top = to - from + 1;
        }
        more = true;
      }
    }
  }

  void refuseTail() {
    const TzelSqlToken &t = peek();
    if (t.isWord(u"UNION") || t.isWord(u"INTERSECT") || t.isWord(u"EXCEPT") || t.isWord(u"MINUS"))
      fail(t, zelCannotShow((t.isWord(u"UNION") || t.isWord(u"MINUS") ? u"a "_s : u"an "_s) +
                            t.text.toUpper()));
    for (const char16_t *w : {u"LIMIT", u"OFFSET", u"FETCH"})
      if (t.isWord(w))
        fail(t, zelCannotShow(t.text.toUpper()));
    if (t.isWord(u"WINDOW"))
      fail(t, zelCannotShow(u"a window function"_s));
  }

  // A name: a bare word (or a run of words spelling a spaced name) or a quoted one.
  bool isNameToken(int ahead = 0) const {
    const TzelSqlToken &t = peek(ahead);
    return t.kind == TK::Word ? !isReserved(ahead) : anyName(ahead);
  }
  bool isSqliteAlias() const { return m_sqlite && peek().kind == TK::String; }
  // After a dot or AS any word names.
  bool anyName(int ahead = 0) const {
    const TzelSqlToken &t = peek(ahead);
    return t.kind == TK::Word || t.kind == TK::Name || t.kind == TK::DoubleQuoted;
  }
  QString name() {
    const TzelSqlToken &t = take();
    QString text = t.text;
    if (t.kind != TK::Word || m_spaced.isEmpty())
      return text;
    // The longest run of following words that spells a spaced name.
    int best = 0;
    QString run = text;
    // No longer run can spell one: a long run of words is read in one pass.
    for (int k = 0; k + 2 <= m_spacedWords && peek(k).kind == TK::Word && !isReserved(k); ++k) {
      run += u' ' + peek(k).text;
      if (m_spaced.contains(run.toCaseFolded()))
        best = k + 1;
    }
    for (int k = 0; k < best; ++k)
      text += u' ' + take().text;
    return text;
  }

  TzelSqlSelectItem selectItem() {
    TzelSqlSelectItem item;
    item.expr = expression();
    // SQLite takes a single-quoted alias too.
    if (acceptWord(u"AS") ? anyName() || isSqliteAlias() : isNameToken() || isSqliteAlias()) {
      item.hasAlias = true;
      item.alias = name();
      // A table-dotted alias (Main."Double"): the last part names the value.
      while (acceptSymbol(u"."))
        item.alias = name();
    }
    return item;
  }

  TzelSqlOrderItem orderItem() {
    TzelSqlOrderItem item;
    item.expr = expression();
    if (acceptWord(u"DESC"))
      item.descending = true;
    else
      acceptWord(u"ASC");
    if (peek().isWord(u"NULLS"))
      fail(peek(), zelCannotShow(u"NULLS FIRST or LAST"_s));
    return item;
  }

  // FROM: tables joined left to right; parentheses group.
  TzelSqlFromPtr fromItem() {
    TzelSqlFromPtr left = fromPrimary();
    for (;;) {
      const TzelSqlToken &at = peek();
      if (at.isWord(u"FULL") || at.isWord(u"CROSS") || at.isWord(u"NATURAL"))
        fail(at, zelCannotShow(u"a "_s + at.text.toUpper() + u" JOIN"_s));
      TzelJoinType type = zelJoinInner;
      if (acceptWord(u"LEFT"))
        type = zelJoinLeft;
      else if (acceptWord(u"RIGHT"))
        type = zelJoinRight;
      else if (!acceptWord(u"INNER") && !peek().isWord(u"JOIN"))
        return left;
      if (type != zelJoinInner)
        acceptWord(u"OUTER");
      expectWord(u"JOIN");
      auto join = std::make_shared<TzelSqlFrom>();
      join->isTable = false;
      join->type = type;
      join->line = at.line;
      join->column = at.column;
      join->left = left;
      join->right = fromPrimary();
      // Joins written one after another nest in the tree without nesting here.
      join->height = std::max(left->height, join->right->height) + 1;
      if (join->height > kMaxNesting)
        fail(at, zelCannotShow(u"more than %1 joins"_s.arg(kMaxNesting)));
      if (peek().isWord(u"USING"))
        fail(peek(), zelCannotShow(u"a join with USING"_s));
      if (acceptWord(u"ON"))
        join->on = expression();
      left = join;
    }
  }

  TzelSqlFromPtr fromPrimary() {
    if (peek().isSymbol(u"(")) {
      if (peek(1).isWord(u"SELECT"))
        fail(peek(1), zelCannotShow(u"a subquery"_s));
      const Nested nested(*this, take());
      TzelSqlFromPtr inner = fromItem();
      expectSymbol(u")");
      return inner;
    }
    const TzelSqlToken &first = peek();
    if (!anyName())
      fail(first, u"a table name expected"_s);
    auto table = std::make_shared<TzelSqlFrom>();
    table->line = first.line;
    table->column = first.column;
    table->parts << name();
    while (acceptSymbol(u"."))
      table->parts << name();
    table->name = table->parts.join(u'.');
    if (peek().isSymbol(u"("))
      fail(peek(), zelCannotShow(u"a table function"_s));
    if (acceptWord(u"AS") ? anyName() : isNameToken())
      table->alias = name();
    return table;
  }

  // Expressions, loosest first.
  TzelSqlExprPtr node(Kind kind, const TzelSqlToken &from, QList<TzelSqlExprPtr> args = {},
                      const QString &text = {}) const {
    auto e = std::make_shared<TzelSqlExpr>();
    e->kind = kind;
    e->line = from.line;
    e->column = from.column;
    e->begin = from.begin;
    e->end = m_tokens.at(std::max<qsizetype>(m_at - 1, 0)).end;
    e->args = std::move(args);
    e->text = text;
    return e;
  }
  static std::shared_ptr<TzelSqlExpr> edit(const TzelSqlExprPtr &e) {
    return std::const_pointer_cast<TzelSqlExpr>(e);
  }

  TzelSqlExprPtr expression() {
    const Nested nested(*this, peek());
    return orExpr();
  }

  TzelSqlExprPtr orExpr() {
    const TzelSqlToken &start = peek();
    QList<TzelSqlExprPtr> args{andExpr()};
    while (acceptWord(u"OR"))
      args.append(andExpr());
    return args.size() == 1 ? args.first() : node(Kind::Or, start, args);
  }
  TzelSqlExprPtr andExpr() {
    const TzelSqlToken &start = peek();
    QList<TzelSqlExprPtr> args{notExpr()};
    while (acceptWord(u"AND"))
      args.append(notExpr());
    return args.size() == 1 ? args.first() : node(Kind::And, start, args);
  }
  TzelSqlExprPtr notExpr() {
    const TzelSqlToken &start = peek();
    if (acceptWord(u"NOT")) {
      const Nested nested(*this, start);
      TzelSqlExprPtr inner = notExpr();
      return node(Kind::Not, start, {inner});
    }
    if (start.isWord(u"EXISTS"))
      fail(start, zelCannotShow(u"a subquery"_s));
    return predicate();
  }

  TzelSqlExprPtr predicate() {
    const TzelSqlToken &start = peek();
    TzelSqlExprPtr left = additive();
    static const QStringList compares{u"="_s, u"<>"_s, u"!="_s, u"<"_s, u"<="_s, u">"_s, u">="_s};
    if (peek().kind == TK::Symbol &&
        (compares.contains(peek().text) || (m_sqlite && peek().isSymbol(u"==")))) {
      QString op = take().text;
      if (op == u"!=")
        op = u"<>"_s;
      else if (op == u"==")
        op = u"="_s;
      if (peek().isWord(u"ANY") || peek().isWord(u"ALL") || peek().isWord(u"SOME"))
        fail(peek(), zelCannotShow(u"a subquery"_s));
      TzelSqlExprPtr right = additive();
      return node(Kind::Compare, start, {left, right}, op);
    }
    if (acceptWord(u"IS")) {
      const bool negated = acceptWord(u"NOT");
      expectWord(u"NULL");
      auto e = edit(node(Kind::IsNull, start, {left}));
      e->negated = negated;
      return e;
    }
    const bool negated =
        peek().isWord(u"NOT") && (peek(1).isWord(u"BETWEEN") || peek(1).isWord(u"IN") ||
                                  peek(1).isWord(u"LIKE") || peek(1).isWord(u"ILIKE"));
    if (negated)
      take();
    std::shared_ptr<TzelSqlExpr> e;
    if (acceptWord(u"BETWEEN")) {
      TzelSqlExprPtr low = additive();
      expectWord(u"AND");
      TzelSqlExprPtr high = additive();
      e = edit(node(Kind::Between, start, {left, low, high}));
    } else if (acceptWord(u"IN")) {
      expectSymbol(u"(");
      if (peek().isWord(u"SELECT"))
        fail(peek(), zelCannotShow(u"a subquery"_s));
      QList<TzelSqlExprPtr> args{left};
      do
        args.append(additive());
      while (acceptSymbol(u","));
      expectSymbol(u")");
      e = edit(node(Kind::In, start, args));
    } else if (peek().isWord(u"LIKE") || peek().isWord(u"ILIKE")) {
      const bool ilike = take().isWord(u"ILIKE");
      TzelSqlExprPtr pattern = additive();
      if (peek().isWord(u"ESCAPE"))
        fail(peek(), zelCannotShow(u"LIKE with ESCAPE"_s));
      e = edit(node(Kind::Like, start, {left, pattern}, ilike ? u"ILIKE"_s : u"LIKE"_s));
    } else {
      return left;
    }
    e->negated = negated;
    return e;
  }

  // Arithmetic and concatenation: kept as text (an Other node over its parts).
  TzelSqlExprPtr additive() {
    const TzelSqlToken &start = peek();
    TzelSqlExprPtr first = unary();
    QList<TzelSqlExprPtr> args{first};
    static const QStringList operators{u"+"_s, u"-"_s, u"*"_s, u"/"_s, u"%"_s, u"||"_s};
    while (peek().kind == TK::Symbol && operators.contains(peek().text)) {
      take();
      args.append(unary());
    }
    return args.size() == 1 ? first : node(Kind::Other, start, args);
  }

  TzelSqlExprPtr unary() {
    const TzelSqlToken &start = peek();
    if (start.isSymbol(u"-") || start.isSymbol(u"+")) {
      take();
      const Nested nested(*this, start);
      TzelSqlExprPtr inner = unary();
      if (inner->kind == Kind::Literal && inner->quoted == TK::Number) {
        auto e = edit(node(Kind::Literal, start, {}, start.text + inner->text));
        e->quoted = TK::Number;
        return e;
      }
      return node(Kind::Other, start, {inner});
    }
    TzelSqlExprPtr e = primary();
    // PostgreSQL's casts and a collation: kept as text over what they change.
    for (bool more = true; more;) {
      more = false;
      if (acceptSymbol(u"::")) {
        typeName();
        e = node(Kind::Other, start, {e});
        more = true;
      } else if (acceptWord(u"COLLATE")) {
        if (!anyName())
          fail(peek(), u"a collation expected"_s);
        take();
        e = node(Kind::Other, start, {e});
        more = true;
      }
    }
    return e;
  }

  // A type as CAST and :: take it: words (DOUBLE PRECISION) and a size (NUMERIC(10, 2)).
  void typeName() {
    if (peek().kind != TK::Word && peek().kind != TK::DoubleQuoted)
      fail(peek(), u"a type expected"_s);
    while (peek().kind == TK::Word && !isReserved())
      take();
    if (peek().kind == TK::DoubleQuoted)
      take();
    if (acceptSymbol(u"(")) {
      do
        if (peek().kind != TK::Number)
          fail(peek(), u"a size expected"_s);
        else
          take();
      while (acceptSymbol(u","));
      expectSymbol(u")");
    }
  }

  TzelSqlExprPtr primary() {
    const TzelSqlToken &t = peek();
    switch (t.kind) {
    case TK::Number:
    case TK::String:
    case TK::Hash: {
      take();
      auto e = edit(node(Kind::Literal, t, {}, t.text));
      e->quoted = t.kind;
      return e;
    }
    case TK::Param:
      take();
      return node(Kind::Param, t, {}, t.text);
    case TK::Symbol:
      if (t.isSymbol(u"*")) {
        take();
        return node(Kind::Star, t);
      }
      if (t.isSymbol(u"(")) {
        take();
        if (peek().isWord(u"SELECT"))
          fail(peek(), zelCannotShow(u"a subquery"_s));
        TzelSqlExprPtr inner = expression();
        if (peek().isSymbol(u",")) // a row value: kept as text
          while (acceptSymbol(u","))
            expression();
        expectSymbol(u")");
        edit(inner)->parenthesized = true; // redundant, but they group a filter cell
        return inner;
      }
      fail(t, u"an expression expected at [%1]"_s.arg(t.text));
    case TK::End:
      fail(t, u"the statement ends too early"_s);
    default:
      break;
    }
    if (t.isWord(u"CASE"))
      return caseExpr();
    // The date and time of the moment, functions written without parentheses.
    for (const char16_t *w :
         {u"CURRENT_DATE", u"CURRENT_TIME", u"CURRENT_TIMESTAMP", u"LOCALTIME", u"LOCALTIMESTAMP"})
      if (t.isWord(w) && !peek(1).isSymbol(u".")) {
        take();
        return node(Kind::Function, t, {}, t.text.toUpper());
      }
    if (t.isWord(u"NULL") || t.isWord(u"TRUE") || t.isWord(u"FALSE")) {
      take();
      auto e = edit(node(Kind::Literal, t, {}, t.text));
      e->quoted = TK::Word;
      return e;
    }
    if (isReserved() && !peek(1).isSymbol(u"."))
      fail(t, u"an expression expected at [%1]"_s.arg(t.text));
    if (t.kind == TK::Word && peek(1).isSymbol(u"("))
      return function();
    if (t.kind == TK::Word && (peek(1).kind == TK::String) &&
        (t.isWord(u"DATE") || t.isWord(u"TIMESTAMP") || t.isWord(u"TIME"))) {
      take();
      take();
      return node(Kind::Other, t);
    }
    return columnRef();
  }

  TzelSqlExprPtr columnRef() {
    const TzelSqlToken &t = peek();
    auto e = std::make_shared<TzelSqlExpr>();
    e->kind = Kind::Column;
    e->line = t.line;
    e->column = t.column;
    e->begin = t.begin;
    e->quoted = t.kind;
    e->parts << name();
    while (acceptSymbol(u".")) {
      if (acceptSymbol(u"*")) {
        e->kind = Kind::Star;
        break;
      }
      if (!anyName())
        fail(peek(), u"a name expected"_s);
      e->quoted = peek().kind;
      e->parts << name();
    }
    e->end = m_tokens.at(m_at - 1).end;
    return e;
  }

  TzelSqlExprPtr function() {
    const TzelSqlToken &t = take();
    take(); // (
    auto e = std::make_shared<TzelSqlExpr>();
    e->kind = Kind::Function;
    e->text = t.text.toUpper();
    e->line = t.line;
    e->column = t.column;
    e->begin = t.begin;
    if (e->text == u"CAST" || e->text == u"EXTRACT")
      keywordArguments(*e);
    else
      arguments(*e);
    expectSymbol(u")");
    if (peek().isWord(u"FILTER") || peek().isWord(u"WITHIN"))
      fail(peek(), zelCannotShow(u"an aggregate with FILTER or WITHIN GROUP"_s));
    if (peek().isWord(u"OVER"))
      fail(peek(), zelCannotShow(u"a window function"_s));
    e->end = m_tokens.at(m_at - 1).end;
    return e;
  }

  void arguments(TzelSqlExpr &e) {
    if (acceptWord(u"DISTINCT"))
      e.distinct = true;
    else
      acceptWord(u"ALL");
    if (peek().isSymbol(u"*") && peek(1).isSymbol(u")")) {
      take();
      e.star = true;
    } else if (!peek().isSymbol(u")")) {
      do
        e.args.append(expression());
      while (acceptSymbol(u","));
    }
  }
  // CAST(x AS type) and EXTRACT(YEAR FROM x): kept as text over x.
  void keywordArguments(TzelSqlExpr &e) {
    if (e.text == u"EXTRACT") {
      if (peek().kind != TK::Word)
        fail(peek(), u"a part of a date expected"_s);
      take();
      expectWord(u"FROM");
    }
    e.args.append(expression());
    if (e.text == u"CAST") {
      expectWord(u"AS");
      typeName();
    }
  }

  TzelSqlExprPtr caseExpr() {
    const TzelSqlToken &t = take();
    QList<TzelSqlExprPtr> args;
    if (!peek().isWord(u"WHEN"))
      args.append(expression());
    while (acceptWord(u"WHEN")) {
      args.append(expression());
      expectWord(u"THEN");
      args.append(expression());
    }
    if (acceptWord(u"ELSE"))
      args.append(expression());
    expectWord(u"END");
    return node(Kind::Other, t, args);
  }

  QList<TzelSqlToken> m_tokens;
  const QSet<QString> &m_spaced;
  const bool m_sqlite; // its leniencies: == and single-quoted aliases
  qsizetype m_at = 0;
  int m_spacedWords = 0; // the most words a spaced name holds
  int m_depth = 0;       // the parts being read, one inside the other
};

} // namespace

TzelSqlStatement ReadSqlStatement(const QString &sql, TzelDatabase dialect,
                                  const QSet<QString> &spacedNames) {
  return Reader(sql, dialect, spacedNames).statement();
}
