// SPDX-License-Identifier: MIT
#include "engine/sqlliterals.h"

#include "engine/zelparams.h"
#include "model/dialects.h"
#include "model/displayformat.h"
#include "model/quoting.h"
#include "model/sqldates.h"
#include "model/vocabulary.h"
#include "model/zelmodel.h"

#include <QLocale>
#include <QRegularExpression>

using namespace Qt::StringLiterals;

namespace {

enum class Part { Day, Month, MonthName, Year };

// The format as a pattern with one group per date part, in the order the parts stand.
QString datePattern(const QString &format, QList<Part> &parts) {
  QString pattern;
  const QString separator = TzelDisplayFormatter::dateSeparator(SystemShortDateFormat());
  for (qsizetype i = 0; i < format.size();) {
    const QChar c = format.at(i);
    const QChar lower = c.toLower();
    if (c == u'"' || c == u'\'') {
      const qsizetype close = format.indexOf(c, i + 1);
      const qsizetype end = close < 0 ? format.size() : close;
      pattern += QRegularExpression::escape(format.mid(i + 1, end - i - 1));
      i = end + 1;
      continue;
    }
    qsizetype run = 1;
    while (i + run < format.size() && format.at(i + run).toLower() == lower)
      ++run;
    if (lower == u'd' && run <= 2) {
      pattern += u"(\\d{1,2})"_s;
      parts << Part::Day;
    } else if (lower == u'm' && run <= 2) {
      pattern += u"(\\d{1,2})"_s;
      parts << Part::Month;
    } else if (lower == u'm') {
      pattern += u"(\\w+)"_s;
      parts << Part::MonthName;
    } else if (lower == u'y') {
      pattern += u"(\\d{2,4})"_s;
      parts << Part::Year;
    } else if (c == u'/') {
      pattern += QRegularExpression::escape(separator);
    } else {
      pattern += QRegularExpression::escape(format.mid(i, run));
    }
    i += run;
  }
  return pattern;
}

bool isDateType(TFieldType type) {
  return type == ftDate || type == ftTime || type == ftDateTime;
}

// A date literal without the type people write around it: DATE '2000-01-01' or
// '2000-01-01'::date.
QString untyped(const QString &literal) {
  static const QRegularExpression typed(
      u"^(?:(?:DATE|TIMESTAMP|TIME)\\s+)?('.*')(?:\\s*::\\s*\\w+)?$"_s,
      QRegularExpression::CaseInsensitiveOption | QRegularExpression::DotMatchesEverythingOption);
  const QRegularExpressionMatch match = typed.match(literal);
  return match.hasMatch() ? match.captured(1) : literal;
}

int monthFromName(const QString &name) {
  const QLocale locale;
  for (int m = 1; m <= 12; ++m)
    for (QLocale::FormatType type : {QLocale::ShortFormat, QLocale::LongFormat})
      if (locale.monthName(m, type).compare(name, Qt::CaseInsensitive) == 0)
        return m;
  return 0;
}

} // namespace

std::optional<QDate> ReadSqlDate(const QString &format, const QString &text) {
  QList<Part> parts;
  const QRegularExpression re(QRegularExpression::anchoredPattern(datePattern(format, parts)),
                              QRegularExpression::CaseInsensitiveOption);
  const QRegularExpressionMatch match = re.match(text.trimmed());
  if (!match.hasMatch() || parts.isEmpty())
    return std::nullopt;
  int day = 1, month = 1, year = 0;
  for (qsizetype i = 0; i < parts.size(); ++i) {
    const QString got = match.captured(int(i) + 1);
    switch (parts.at(i)) {
    case Part::Day:
      day = got.toInt();
      break;
    case Part::Month:
      month = got.toInt();
      break;
    case Part::MonthName:
      month = monthFromName(got);
      break;
    case Part::Year:
      year = got.toInt();
      break;
    }
  }
  const QDate date(year, month, day);
  // Only a text the format writes again unchanged is taken.
  if (!date.isValid() ||
      TzelDisplayFormatter().date(format, date).compare(text.trimmed(), Qt::CaseInsensitive) != 0)
    return std::nullopt;
  return date;
}

QString StripDateQuote(const QString &text, const QString &quote) {
  const qsizetype split = quote.indexOf(u';');
  const QString front = split < 0 ? quote : quote.left(split);
  const QString back = split < 0 ? quote : quote.mid(split + 1);
  if (text.size() < front.size() + back.size() || !text.startsWith(front) || !text.endsWith(back))
    return {};
  return text.mid(front.size(), text.size() - front.size() - back.size());
}

bool IsPlainFilterText(const QString &text) {
  if (text.isEmpty() || text.contains(u'|') || text.startsWith(u'['))
    return false;
  for (const char16_t *word : {u"BLANK", u"TODAY", u"SPACE"})
    if (text.compare(word, Qt::CaseInsensitive) == 0)
      return false;
  return true;
}

TzelFilterItemReader::TzelFilterItemReader(const QString &sql, const TzelModel &model,
                                           TzelDatabase dialect)
    : m_sql(sql), m_dialect(dialect), m_model(settingsOf(model)) {
  if (dialect == model.DatabaseType()) {
    readSettings(model);
  } else {
    TzelModel defaults;
    defaults.SetDatabaseType(dialect);
    readSettings(defaults);
  }
}

TzelFilterItemReader::Settings TzelFilterItemReader::settingsOf(const TzelModel &model) {
  return {model.DatabaseType(), model.StringQuote(), model.BooleanQuote(), model.DateFormat(),
          model.DateQuote()};
}

bool TzelFilterItemReader::keepsHavingText() const {
  return !zelDialect(m_model.dialect).typedHaving && m_dialect == m_model.dialect;
}

void TzelFilterItemReader::readSettings(const TzelModel &model) {
  m_booleanQuote = model.BooleanQuote();
  m_dateFormat = model.DateFormat();
  m_dateQuote = model.DateQuote();
  m_doubleTexts = model.StringQuote() == zelQuoteDouble || m_booleanQuote == zelQuoteDouble ||
                  m_dateQuote.contains(u'"');
}

bool TzelFilterItemReader::isTextLiteral(const TzelSqlExpr &e) const {
  return e.kind == TzelSqlExpr::Kind::Column && e.parts.size() == 1 &&
         e.quoted == TzelSqlTokenKind::DoubleQuoted && m_doubleTexts;
}

TFieldType TzelFilterItemReader::inferredType(const TzelSqlExpr &e) {
  if (e.kind == TzelSqlExpr::Kind::Literal && e.quoted == TzelSqlTokenKind::Number)
    return ftFloat;
  if (e.kind == TzelSqlExpr::Kind::Literal && e.quoted == TzelSqlTokenKind::Word)
    return ftBoolean;
  return ftString;
}

QString TzelFilterItemReader::item(const TzelSqlExpr &e, TFieldType type, bool having,
                                   TzelFilterOper oper) {
  using Kind = TzelSqlExpr::Kind;
  using TK = TzelSqlTokenKind;

  if (e.kind == Kind::Param)
    return u'[' + (e.text.isEmpty() ? u"Param"_s + QString::number(++m_params) : e.text) + u']';
  if (e.kind == Kind::Literal && e.quoted == TK::Word &&
      e.text.compare(u"NULL", Qt::CaseInsensitive) == 0)
    zelRefuseSql(e, zelCannotShow(u"a comparison with NULL"_s));
  const QString raw = CompactSql(m_sql.mid(e.begin, e.end - e.begin), m_dialect).trimmed();
  if (having && !zelDialect(m_model.dialect).typedHaving)
    return havingLiteral(e, raw, type, oper);
  return typedItem(e, raw, type, oper);
}

// The model's dialect writes a HAVING item as it stands: the literal as written when the
// statement is in that dialect, else the literal read and written again in its quoting, so
// that the design writes the same condition.
QString TzelFilterItemReader::havingLiteral(const TzelSqlExpr &e, const QString &raw,
                                            TFieldType type, TzelFilterOper oper) const {
  QString literal = raw;
  if (!keepsHavingText() && !IsSqlNumber(raw)) {
    const QString item = typedItem(e, raw, type, oper);
    if (isDateType(type))
      literal = ApplyDateQuote(TzelDisplayFormatter().date(m_model.dateFormat, *date(e, raw)),
                               m_model.dateQuote);
    else if (type == ftBoolean && m_model.booleanQuote != zelQuoteNone)
      literal = QuoteLiteral(item, m_model.booleanQuote, m_model.dialect);
    else if (type != ftBoolean && !IsNumericFieldType(type))
      literal = QuoteLiteral(item, m_model.stringQuote, m_model.dialect);
    else
      literal = item;
  }
  if (!IsPlainFilterText(literal))
    zelRefuseSql(e, zelCannotShow(u"the literal [%1]"_s.arg(raw)));
  return literal;
}

std::optional<QDate> TzelFilterItemReader::date(const TzelSqlExpr &e, const QString &raw) const {
  const QString inside = StripDateQuote(untyped(raw), m_dateQuote);
  const std::optional<QDate> date =
      inside.isNull() ? std::nullopt : ReadSqlDate(m_dateFormat, inside);
  if (!date)
    zelRefuseSql(
        e, zelCannotShow(u"the date [%1] not written as the data model writes dates"_s.arg(raw)));
  return date;
}

QString TzelFilterItemReader::typedItem(const TzelSqlExpr &e, const QString &raw, TFieldType type,
                                        TzelFilterOper oper) const {
  using Kind = TzelSqlExpr::Kind;
  using TK = TzelSqlTokenKind;

  if (IsNumericFieldType(type)) {
    QString number = e.kind == Kind::Literal && e.quoted == TK::String ? e.text : raw;
    if (!IsSqlNumber(number))
      zelRefuseSql(e, zelCannotShow(u"a number column compared with [%1]"_s.arg(raw)));
    return number;
  }
  if (type == ftBoolean && m_booleanQuote == zelQuoteNone &&
      (e.kind == Kind::Literal && (e.quoted == TK::Word || e.quoted == TK::Number)))
    return e.text;
  if (isDateType(type))
    return date(e, raw)->toString(SystemShortDateFormat());
  QString text;
  if (e.kind == Kind::Literal && e.quoted != TK::Hash)
    text = e.text;
  else if (isTextLiteral(e))
    text = e.parts.first();
  else
    zelRefuseSql(e, zelCannotShow(u"the literal [%1]"_s.arg(raw)));
  if ((oper == zelFilterLike || oper == zelFilterNotLike) && !text.contains(u'%') &&
      !text.contains(u'*'))
    zelRefuseSql(e, zelCannotShow(u"a LIKE pattern without a wildcard"_s));
  if (!IsPlainFilterText(text))
    zelRefuseSql(e, zelCannotShow(u"the text [%1] as a filter item"_s.arg(text)));
  return text;
}
