#include "database/zellocalsql.h"

#include <QDate>
#include <QList>
#include <QRegularExpression>

namespace {

enum class Kind { Other, Word, Quoted, Literal };

struct Token {
  Kind kind;
  QString text;    // as written
  QString content; // without quotes for Quoted and Literal
};

bool isWordChar(QChar c) {
  return c.isLetterOrNumber() || c == u'_' || c == u'$' || c == u'#' || c == u'.';
}

QList<Token> tokenize(const QString &sql) {
  static const QRegularExpression prefixed(uR"(\G:[^:\s"'\[\]]+:[\w$#.]+)"_qs);
  QList<Token> tokens;
  const int n = int(sql.size());
  int i = 0;
  while (i < n) {
    const QChar c = sql[i];
    if (c == u'\'' || c == u'"' || c == u'[') {
      const QChar close = c == u'[' ? QChar(u']') : c;
      QString content;
      int j = i + 1;
      for (; j < n; ++j) {
        if (sql[j] == close) {
          if (close != u']' && j + 1 < n && sql[j + 1] == close) {
            content += close;
            ++j;
            continue;
          }
          break;
        }
        content += sql[j];
      }
      j = std::min(j + 1, n);
      tokens.append({c == u'\'' ? Kind::Literal : Kind::Quoted, sql.mid(i, j - i), content});
      i = j;
    } else if (c == u':' && prefixed.match(sql, i).hasMatch()) {
      const QString text = prefixed.match(sql, i).captured();
      tokens.append({Kind::Word, text, text});
      i += int(text.size());
    } else if (isWordChar(c)) {
      int j = i;
      while (j < n && isWordChar(sql[j]))
        ++j;
      tokens.append({Kind::Word, sql.mid(i, j - i), sql.mid(i, j - i)});
      i = j;
    } else {
      tokens.append({Kind::Other, QString(c), QString(c)});
      ++i;
    }
  }
  return tokens;
}

bool isExplicitReference(const QString &text) {
  static const QRegularExpression form(uR"(^(:[^:]+:.+|/.+|[A-Za-z]:[\\/].+|\\\\.+)$)"_qs);
  return form.match(text).hasMatch();
}

QString quoteName(const QString &name) {
  return u'"' + QString(name).replace(u'"', u"\"\""_qs) + u'"';
}

QString quoteLiteral(const QString &text) {
  return u'\'' + QString(text).replace(u'\'', u"''"_qs) + u'\'';
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

bool isKeyword(const Token &t, const char *word) {
  return t.kind == Kind::Word && t.text.compare(QLatin1String(word), Qt::CaseInsensitive) == 0;
}

int nextSignificant(const QList<Token> &tokens, int from) {
  for (int i = from; i < tokens.size(); ++i)
    if (!(tokens[i].kind == Kind::Other && tokens[i].text.trimmed().isEmpty()))
      return i;
  return -1;
}

} // namespace

QString translateLocalSql(const QString &sql, const TzelLocalSqlHooks &hooks) {
  QList<Token> tokens = tokenize(sql);
  QSet<QString> names; // upper-case columns, aliases and words that may name something
  QSet<QString> tables;

  // Pass 1: table references (loading the tables), aliases.
  for (Token &t : tokens) {
    if (t.kind == Kind::Literal || t.kind == Kind::Other)
      continue;
    const QString ref = t.content;
    const bool explicitRef = isExplicitReference(ref);
    const bool candidate = explicitRef || t.kind == Kind::Quoted || !ref.contains(u'.') ||
                           ref.endsWith(u".DB"_qs, Qt::CaseInsensitive) ||
                           ref.endsWith(u".DBF"_qs, Qt::CaseInsensitive);
    if (candidate) {
      if (auto table = hooks.resolveTable(ref, explicitRef)) {
        tables.insert(*table);
        t = {Kind::Word, quoteName(*table), *table};
        names.insert(table->toUpper());
        continue;
      }
    }
    if (t.kind == Kind::Word)
      names.insert(ref.toUpper());
  }
  for (const QString &table : std::as_const(tables))
    names.unite(hooks.columnsOf(table));

  // Pass 2: aliases, clause-dependent alias references, literals.
  QSet<QString> dottedAliases;
  QString clause;
  int depth = 0;
  QString out;
  for (int i = 0; i < tokens.size(); ++i) {
    Token &t = tokens[i];
    if (t.kind == Kind::Other) {
      depth += t.text == u"(" ? 1 : t.text == u")" ? -1 : 0;
      out += t.text;
      continue;
    }
    if (t.kind == Kind::Word && depth == 0) {
      for (const char *k : {"SELECT", "FROM", "WHERE", "GROUP", "HAVING", "ORDER", "UNION"})
        if (isKeyword(t, k))
          clause = QString::fromLatin1(k);
    }
    if (isKeyword(t, "AS")) {
      const int a = nextSignificant(tokens, i + 1);
      if (a >= 0 && tokens[a].kind == Kind::Word && tokens[a].content.contains(u'.') &&
          !tables.contains(tokens[a].content)) {
        dottedAliases.insert(tokens[a].content.toUpper());
        tokens[a] = {Kind::Quoted, quoteName(tokens[a].content), tokens[a].content};
      }
      if (a >= 0)
        names.insert(tokens[a].content.toUpper());
      out += t.text;
      continue;
    }
    if (t.kind == Kind::Word && (clause == u"ORDER" || clause == u"GROUP") &&
        dottedAliases.contains(t.content.toUpper())) {
      out += quoteName(t.content);
      continue;
    }
    if (t.kind == Kind::Quoted && !t.text.startsWith(u'[') &&
        !names.contains(t.content.toUpper())) {
      out += literalFor(t.content);
      continue;
    }
    if (t.kind == Kind::Quoted && t.text.startsWith(u'[')) {
      out += quoteName(t.content);
      continue;
    }
    if (t.kind == Kind::Literal) {
      out += quoteLiteral(isoDate(t.content));
      continue;
    }
    out += t.text;
  }
  return out;
}
