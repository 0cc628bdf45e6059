// SPDX-License-Identifier: MIT
// The local SQL statement as tokens: split once, quotes and escapes understood.
#include "database/zellocalsqltokens.h"

#include "model/keywords.h"

namespace ZelLocalSql {

namespace {

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

} // namespace

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

bool isNamePart(const Token &t) {
  return t.kind == Kind::Word || t.kind == Kind::DoubleQuoted || t.kind == Kind::Bracketed;
}

bool isWord(const Token &t, const char *word) {
  return t.kind == Kind::Word && t.text.compare(QLatin1String(word), Qt::CaseInsensitive) == 0;
}

bool isSymbol(const Token &t, char16_t c) {
  return t.kind == Kind::Symbol && t.text.size() == 1 && t.text[0] == c;
}

bool isReservedWord(const QString &word) {
  return KeywordIndex(word) >= ZelKeyword::FirstWord || IsDialectKeyword(word, zelSQLite);
}

} // namespace ZelLocalSql
