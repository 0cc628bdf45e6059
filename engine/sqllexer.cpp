// SPDX-License-Identifier: MIT
#include "engine/sqllexer.h"
#include "model/dialects.h"

using namespace Qt::StringLiterals;

QString TzelSqlRefusal::message() const {
  return u"Error: Line %1, column %2: %3"_s.arg(line).arg(column).arg(what);
}

namespace {

bool isWordStart(char32_t c) {
  return QChar::isLetter(c) || c == U'_';
}
bool isWordChar(char32_t c) {
  return QChar::isLetterOrNumber(c) || c == U'_' || c == U'$';
}
bool isLineEnd(QChar c) {
  return c == u'\n' || c == u'\r';
}
class Scanner {
public:
  Scanner(const QString &sql, TzelDatabase dialect) : m_sql(sql), m_dialect(dialect) {}

  QList<TzelSqlToken> scan() {
    while (skipSpaceAndComments())
      m_tokens.append(next());
    TzelSqlToken end;
    end.line = m_line;
    end.column = column();
    end.begin = end.end = m_pos;
    m_tokens.append(end);
    return m_tokens;
  }

private:
  QChar at(qsizetype i) const { return i < m_sql.size() ? m_sql.at(i) : QChar(); }
  // The character at i, a surrogate pair read as the one character it encodes.
  char32_t codeAt(qsizetype i) const {
    const QChar c = at(i);
    if (c.isHighSurrogate() && at(i + 1).isLowSurrogate())
      return QChar::surrogateToUcs4(c, at(i + 1));
    return c.unicode();
  }
  int column() const { return int(m_pos - m_lineStart) + 1; }
  // One UTF-16 unit; a line ends at LF, CR LF or a lone CR.
  void advance() {
    const QChar c = m_sql.at(m_pos);
    ++m_pos;
    if (c == u'\n' || (c == u'\r' && at(m_pos) != u'\n')) {
      ++m_line;
      m_lineStart = m_pos;
    }
  }
  // One character, both halves of a surrogate pair.
  void advanceCharacter() {
    const bool pair = codeAt(m_pos) > 0xFFFF;
    advance();
    if (pair)
      advance();
  }

  // False at the end of the text.
  bool skipSpaceAndComments() {
    while (m_pos < m_sql.size()) {
      const QChar c = m_sql.at(m_pos);
      if (c.isSpace()) {
        advance();
      } else if (c == u'-' && at(m_pos + 1) == u'-') {
        while (m_pos < m_sql.size() && !isLineEnd(m_sql.at(m_pos)))
          advance();
      } else if (c == u'/' && at(m_pos + 1) == u'*') {
        const int line = m_line, col = column();
        const qsizetype close = m_sql.indexOf(u"*/"_s, m_pos + 2);
        if (close < 0)
          throw TzelSqlRefusal{u"a comment is not closed"_s, line, col};
        while (m_pos < close + 2)
          advance();
      } else {
        return true;
      }
    }
    return false;
  }

  TzelSqlToken next() {
    TzelSqlToken t;
    t.line = m_line;
    t.column = column();
    t.begin = m_pos;
    const QChar c = m_sql.at(m_pos);
    if (isWordStart(codeAt(m_pos)) && !(c == u'E' || c == u'e' ? at(m_pos + 1) == u'\'' : false)) {
      while (m_pos < m_sql.size() && isWordChar(codeAt(m_pos)))
        advanceCharacter();
      t.kind = TzelSqlTokenKind::Word;
      t.text = m_sql.mid(t.begin, m_pos - t.begin);
    } else if (c.isDigit() || (c == u'.' && at(m_pos + 1).isDigit())) {
      scanNumber(t);
    } else if (c == u'E' || c == u'e') {
      advance();
      quoted(t, u'\'', TzelSqlTokenKind::String, true);
    } else if (c == u'\'') {
      quoted(t, u'\'', TzelSqlTokenKind::String, false);
    } else if (c == u'"') {
      quoted(t, u'"', TzelSqlTokenKind::DoubleQuoted, false);
    } else if (c == u'`') {
      quoted(t, u'`', TzelSqlTokenKind::Name, false);
    } else if (c == u'[') {
      quoted(t, u']', TzelSqlTokenKind::Name, false);
    } else if (c == u'#' && zelDialect(m_dialect).hashDates) {
      quoted(t, u'#', TzelSqlTokenKind::Hash, false);
    } else if ((c == u':' && isWordStart(codeAt(m_pos + 1))) || c == u'?') {
      advance();
      const qsizetype from = m_pos;
      while (c == u':' && m_pos < m_sql.size() && isWordChar(codeAt(m_pos)))
        advanceCharacter();
      t.kind = TzelSqlTokenKind::Param;
      t.text = m_sql.mid(from, m_pos - from);
    } else {
      symbol(t);
    }
    t.end = m_pos;
    return t;
  }

  void scanNumber(TzelSqlToken &t) {
    while (m_pos < m_sql.size() && (m_sql.at(m_pos).isDigit() || m_sql.at(m_pos) == u'.'))
      advance();
    if ((at(m_pos) == u'e' || at(m_pos) == u'E') &&
        (at(m_pos + 1).isDigit() ||
         ((at(m_pos + 1) == u'+' || at(m_pos + 1) == u'-') && at(m_pos + 2).isDigit()))) {
      advance();
      advance();
      while (m_pos < m_sql.size() && m_sql.at(m_pos).isDigit())
        advance();
    }
    t.kind = TzelSqlTokenKind::Number;
    t.text = m_sql.mid(t.begin, m_pos - t.begin);
  }

  // A quoted text up to its closing character, a doubled one standing for itself.
  void quoted(TzelSqlToken &t, QChar close, TzelSqlTokenKind kind, bool backslashes) {
    advance(); // the opening character
    QString text;
    for (;;) {
      if (m_pos >= m_sql.size())
        throw TzelSqlRefusal{u"a quoted text or name is not closed"_s, t.line, t.column};
      const QChar c = m_sql.at(m_pos);
      if (backslashes && c == u'\\' && m_pos + 1 < m_sql.size()) {
        advance();
        text += m_sql.at(m_pos);
        advance();
        continue;
      }
      advance();
      if (c == close) {
        if (at(m_pos) != close)
          break;
        advance();
      }
      text += c;
    }
    t.kind = kind;
    t.text = text;
  }

  void symbol(TzelSqlToken &t) {
    static const QStringList pairs{u"<="_s, u">="_s, u"<>"_s, u"!="_s, u"||"_s, u"::"_s, u"=="_s};
    const QString two = m_sql.mid(m_pos, 2);
    if (pairs.contains(two)) {
      advance();
      advance();
    } else {
      advanceCharacter();
    }
    t.kind = TzelSqlTokenKind::Symbol;
    t.text = m_sql.mid(t.begin, m_pos - t.begin);
  }

  const QString &m_sql;
  TzelDatabase m_dialect;
  QList<TzelSqlToken> m_tokens;
  qsizetype m_pos = 0;
  qsizetype m_lineStart = 0;
  int m_line = 1;
};

} // namespace

QList<TzelSqlToken> ScanSql(const QString &sql, TzelDatabase dialect) {
  return Scanner(sql, dialect).scan();
}

QString CompactSql(const QString &sql, TzelDatabase dialect) {
  QString text;
  qsizetype at = 0;
  for (const TzelSqlToken &t : ScanSql(sql, dialect)) {
    if (t.begin > at)
      text += u' ';
    text += QStringView(sql).mid(t.begin, t.end - t.begin);
    at = t.end;
  }
  return text;
}

bool IsSqlAggregateName(QStringView word) {
  for (const char16_t *name : {u"SUM", u"COUNT", u"MIN", u"MAX", u"AVG"})
    if (word.compare(name, Qt::CaseInsensitive) == 0)
      return true;
  return false;
}

bool SqlHoldsAggregate(const QString &expression, TzelDatabase dialect) {
  try {
    const QList<TzelSqlToken> tokens = ScanSql(expression, dialect);
    for (qsizetype i = 0; i + 1 < tokens.size(); ++i)
      if (tokens.at(i).kind == TzelSqlTokenKind::Word && IsSqlAggregateName(tokens.at(i).text) &&
          tokens.at(i + 1).isSymbol(u"("))
        return true;
  } catch (const TzelSqlRefusal &) {
  }
  return false;
}
