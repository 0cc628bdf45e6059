// SPDX-License-Identifier: MIT
// Local SQL rewritten for SQLite: the statement's items written in SQLite's dialect.
#include "database/zellocalsql.h"
#include "database/zellocalsqlitems.h"

#include <QDate>
#include <QList>
#include <QRegularExpression>

using namespace Qt::StringLiterals;

using namespace ZelLocalSql;

namespace {

QString quoteLiteral(const QString &text) {
  return u'\'' + QString(text).replace(u'\'', u"''"_s) + u'\'';
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
      uR"(^\s*(\d{1,2})/(\d{1,2})/(\d{4})(?:\s+(\d{1,2}):(\d{2})(?::(\d{2}))?)?\s*$)"_s);
  const auto m = form.match(text);
  if (!m.hasMatch())
    return text;
  const QDate date(m.captured(3).toInt(), m.captured(1).toInt(), m.captured(2).toInt());
  if (!date.isValid())
    return text;
  QString iso = date.toString(Qt::ISODate);
  if (m.hasCaptured(4))
    iso += u" %1:%2:%3"_s.arg(m.captured(4).toInt(), 2, 10, QChar(u'0'))
               .arg(m.captured(5))
               .arg(m.hasCaptured(6) ? m.captured(6) : u"00"_s);
  return iso;
}

QString literalFor(const QString &text) {
  const QString upper = text.trimmed().toUpper();
  if (upper == u"TRUE")
    return u"1"_s;
  if (upper == u"FALSE")
    return u"0"_s;
  return quoteLiteral(isoDate(text));
}

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
  return u'"' + QString(name).replace(u'"', u"\"\""_s) + u'"';
}
