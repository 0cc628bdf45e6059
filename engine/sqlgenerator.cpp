// SPDX-License-Identifier: MIT
#include "engine/sqlgenerator.h"

#include "engine/sqllexer.h"
#include "engine/zelparams.h"
#include "engine/zelsync.h"
#include "messages/zelmessages.h"
#include "model/dialects.h"
#include "model/displayformat.h"
#include "model/keywords.h"
#include "model/quoting.h"
#include "model/sqldates.h"
#include "model/tokenizer.h"
#include "model/vocabulary.h"
#include "model/zelmodel.h"
#include "model/zelquery.h"

#include <QSet>
#include <algorithm>

namespace {

// Clause heads: the word right-aligned so that the first item starts in column 10.
const QString kSelect = QStringLiteral("  SELECT ");
const QString kFrom = QStringLiteral("    FROM ");
const QString kWhere = QStringLiteral("   WHERE ");
const QString kAnd = QStringLiteral("     AND ");
const QString kOr = QStringLiteral("      OR ");
const QString kHaving = QStringLiteral("  HAVING ");
const QString kGroupBy = QStringLiteral("GROUP BY ");
const QString kOrderBy = QStringLiteral("ORDER BY ");
const QString kIndent = QStringLiteral("         ");

bool isShown(TzelShow show) {
  return show < zelHide;
}
bool isGroup(TzelShow show) {
  return show == zelShowGroup || show == zelHideGroup;
}
bool isAggregate(TzelShow show) {
  return (show >= zelShowSum && show <= zelShowAverage) ||
         (show >= zelHideSum && show <= zelHideAverage);
}
bool isShownAggregate(TzelShow show) {
  return show >= zelShowSum && show <= zelShowAverage;
}
bool takesPartInWhere(TzelShow show) {
  return show == zelShow || show == zelShowGroup || show == zelHide || show == zelHideGroup;
}
bool isCalculated(const TzelQueryValue &value) {
  return IsBlank(value.TableAlias());
}
// Firebird averages a whole-number column in whole numbers: the average is taken over its
// values as doubles.
bool averagesAsDouble(const TzelQueryValue &value, TzelDatabase database) {
  const TzelShow s = value.Show();
  const TFieldType type = value.DataType();
  return database == zelInterBase && (s == zelShowAverage || s == zelHideAverage) &&
         !isCalculated(value) &&
         (type == ftSmallint || type == ftInteger || type == ftWord || type == ftAutoInc);
}
QString averaged(const TzelQueryValue &value, TzelDatabase database, const QString &expr) {
  return averagesAsDouble(value, database)
             ? QStringLiteral("CAST(") + expr + QStringLiteral(" AS DOUBLE PRECISION)")
             : expr;
}
// A calculated value whose expression calls an aggregate (ROUND(SUM(x), 2)) is an aggregate
// value: never grouped, filtered in HAVING.
bool holdsAggregate(const TzelQueryValue &value, TzelDatabase database) {
  return isCalculated(value) && !isAggregate(value.Show()) &&
         SqlHoldsAggregate(value.Expression(), database);
}
bool isBetween(TzelFilterOper oper) {
  return oper == zelFilterBetween || oper == zelFilterNotBetween;
}
bool isNegated(TzelFilterOper oper) {
  return oper == zelFilterNotEqual || oper == zelFilterNotBetween || oper == zelFilterNotLike;
}
bool isDateType(TFieldType type) {
  return type == ftDate || type == ftTime || type == ftDateTime;
}
bool isQuote(QChar c) {
  return c == u'\'' || c == u'"' || c == u'`';
}
// The index just past the quoted text or name that starts at i (the end when it is open).
qsizetype pastQuoted(QStringView text, qsizetype i) {
  const qsizetype end = text.indexOf(text[i], i + 1);
  return end < 0 ? text.size() : end + 1;
}
// The index just past the parenthesis that closes the one at i.
qsizetype pastClosing(QStringView text, qsizetype i) {
  qsizetype depth = 0;
  for (qsizetype j = i; j < text.size(); ++j) {
    if (isQuote(text[j])) {
      j = pastQuoted(text, j) - 1;
      continue;
    }
    depth += text[j] == u'(' ? 1 : text[j] == u')' ? -1 : 0;
    if (depth == 0)
      return j + 1;
  }
  return text.size();
}
// a || b || c becomes CONCAT(a, b, c), at every level of parentheses, for engines where ||
// means OR; quoted text and names are copied as they are.
QString concatAsFunction(QStringView text) {
  QStringList parts;
  QString part;
  for (qsizetype i = 0; i < text.size(); ++i) {
    const QChar c = text[i];
    if (isQuote(c)) {
      const qsizetype stop = pastQuoted(text, i);
      part += text.mid(i, stop - i);
      i = stop - 1;
    } else if (c == u'(') {
      const qsizetype stop = pastClosing(text, i);
      part += u'(' + concatAsFunction(text.mid(i + 1, stop - i - 2)) + u')';
      i = stop - 1;
    } else if (c == u'|' && i + 1 < text.size() && text[i + 1] == u'|') {
      parts << part.trimmed();
      part.clear();
      ++i;
    } else {
      part += c;
    }
  }
  if (parts.isEmpty())
    return part;
  parts << part.trimmed();
  return QStringLiteral("CONCAT(") + parts.join(QStringLiteral(", ")) + u')';
}

// What an aggregate yields: MIN and MAX keep a known type, the others are numbers.
TFieldType aggregateType(TzelShow show, TFieldType type) {
  const bool keeps =
      show == zelShowMin || show == zelShowMax || show == zelHideMin || show == zelHideMax;
  return keeps && type != ftUnknown ? type : ftFloat;
}

QString missing(const QString &what, const QString &name) {
  return QStringLiteral("Error: ") + what + QStringLiteral(" [") + name +
         QStringLiteral("] does not exist");
}

// A calculated value of white space only would leave a hole in the statement.
void requireExpression(const TzelQueryValue &value) {
  if (isCalculated(value) && zelBlankExpression(value.Expression()))
    throw EzelError(QStringLiteral("Error: The [") + value.ValueAlias() +
                    QStringLiteral("] value has a blank Expression"));
}

QList<TzelJoin *> liveJoins(const TzelQuery &query) {
  QList<TzelJoin *> joins;
  for (int i = 0; i < query.JoinCount(); ++i)
    if (!query.GetJoin(i)->Deleted())
      joins.append(query.GetJoin(i));
  return joins;
}

QList<TzelJoinField *> liveJoinFields(const TzelJoin &join) {
  QList<TzelJoinField *> fields;
  for (int i = 0; i < join.JoinFieldCount(); ++i)
    if (!join.GetJoinField(i)->Deleted())
      fields.append(join.GetJoinField(i));
  return fields;
}

QList<TzelTable *> liveTables(const TzelQuery &query) {
  QList<TzelTable *> tables;
  for (int i = 0; i < query.TableCount(); ++i)
    if (!query.GetTable(i)->Deleted())
      tables.append(query.GetTable(i));
  return tables;
}

const TzelQueryFilter *firstFilterAt(const TzelQueryValue &value, int position) {
  for (int i = 0; i < value.FilterCount(); ++i) {
    const TzelQueryFilter *filter = value.GetFilter(i);
    if (!filter->Deleted() && filter->Position() == position)
      return filter;
  }
  return nullptr;
}

// Why the query's top values cannot be written in the dialect; empty when they can.
QString topValuesRefusal(const TzelQuery &query, TzelDatabase database) {
  if (query.TopValues() == 0 && query.TopOffset() == 0)
    return {};
  const TzelDialect &dialect = zelDialect(database);
  const QString name = zelDialectName(database);
  if (dialect.topForm == TzelTopForm::None)
    return QStringLiteral("Error: The ") + name +
           QStringLiteral(" dialect cannot limit a query to its top values");
  if (query.TopValues() == 0)
    return QStringLiteral("Error: Values can be skipped only before a number of top values");
  if (query.TopPercent() && !dialect.topPercent)
    return QStringLiteral("Error: The ") + name +
           QStringLiteral(" dialect cannot limit a query to a percentage of its values");
  if (query.TopPercent() && query.TopValues() > 100)
    return QStringLiteral("Error: A percentage of top values must be from 1 to 100");
  if (query.TopOffset() > 0 && !dialect.topOffset)
    return QStringLiteral("Error: The ") + name +
           QStringLiteral(" dialect cannot skip values before the top values");
  return {};
}

} // namespace

TzelSqlGenerator::TzelSqlGenerator(TzelQuery &query, TzelModel &model)
    : m_query(query), m_model(model) {}

bool TzelSqlGenerator::GenerateSQL(QStringList &sql, QStringList &params,
                                   TzelGenerationHost &host) {
  sql.clear();
  TzelQueryPrompts &prompts = host.prompts();
  if (!ValidateQuery() || !SyncTableAliases(m_query, m_model, prompts) ||
      !SyncFieldAliases(m_query, m_model, prompts))
    return false;
  if (!RunParamStep(m_query, params, &m_model, host))
    return false;
  host.beforeQuery();
  const bool built = BuildStatement(params, sql);
  host.afterQuery();
  return built;
}

QList<TzelQueryValue *> TzelSqlGenerator::ValuesByPosition() const {
  QList<TzelQueryValue *> values;
  for (int i = 0; i < m_query.ValueCount(); ++i)
    if (!m_query.GetValue(i)->Deleted())
      values.append(m_query.GetValue(i));
  std::stable_sort(values.begin(), values.end(),
                   [](const TzelQueryValue *a, const TzelQueryValue *b) {
                     return a->Position() < b->Position();
                   });
  return values;
}

bool TzelSqlGenerator::ValidateQuery() {
  const QList<TzelQueryValue *> values = ValuesByPosition();
  if (values.isEmpty()) {
    zelShowError(QStringLiteral("Error: The query must show one or more values"));
    return false;
  }
  int groups = 0;
  int aggregates = 0;
  bool anyShow = false;
  bool anyHideGroup = false;
  for (const TzelQueryValue *value : values) {
    groups += isGroup(value->Show()) ? 1 : 0;
    const bool computed = holdsAggregate(*value, m_model.DatabaseType());
    aggregates += isAggregate(value->Show()) || computed ? 1 : 0;
    anyShow = anyShow || (value->Show() == zelShow && !computed);
    anyHideGroup = anyHideGroup || value->Show() == zelHideGroup;
  }
  const QString aggregateNote =
      QStringLiteral("\r\rAggregate values include Sum, Min, Max, Count and Average.");
  if (groups > 0 && aggregates == 0) {
    zelShowError(QStringLiteral(
                     "Error: The Show property of [Group] must be used with an aggregate value.") +
                 aggregateNote);
    return false;
  }
  if (groups + aggregates > 0 && m_model.GroupBySelect() && (anyShow || anyHideGroup)) {
    zelShowError(QStringLiteral("Error: The Show property must be set to [Group] or [Hide] for "
                                "all non-aggregate values.") +
                 aggregateNote);
    return false;
  }
  if (const QString refusal = topValuesRefusal(m_query, m_model.DatabaseType());
      !refusal.isEmpty()) {
    zelShowError(refusal);
    return false;
  }
  QStringList tables;
  m_query.ListTableAliases(tables);
  if (tables.isEmpty()) {
    zelShowError(QStringLiteral("Error: The query must include one or more tables"));
    return false;
  }
  const QList<TzelJoin *> joins = liveJoins(m_query);
  if (tables.size() > 1) {
    for (const QString &alias : std::as_const(tables)) {
      const bool joined = std::any_of(joins.cbegin(), joins.cend(), [&](const TzelJoin *join) {
        return zelSameText(join->LeftTableAlias(), alias) ||
               zelSameText(join->RightTableAlias(), alias);
      });
      if (!joined) {
        zelShowError(QStringLiteral("Error: The [") + alias +
                     QStringLiteral("] table is not joined"));
        return false;
      }
    }
  }
  // A join to a table the query no longer holds would lose its condition.
  for (const TzelJoin *join : joins)
    for (const QString &alias : {join->LeftTableAlias(), join->RightTableAlias()})
      if (!FindLiveTable(m_query, alias)) {
        zelShowError(missing(QStringLiteral("Table Alias"), alias));
        return false;
      }
  // An unbalanced calculated value is refused before any dialog appears.
  try {
    TzelTokenList tokens;
    for (const TzelQueryValue *value : values) {
      requireExpression(*value);
      if (isCalculated(*value))
        TokenizeExpression({value->Expression()}, tokens);
    }
  } catch (const EzelError &e) {
    zelShowError(e.message());
    return false;
  }
  return true;
}

bool TzelSqlGenerator::BuildStatement(const QStringList &params, QStringList &sql) {
  sql.clear();
  m_params = params;
  m_sql.clear();
  m_line.clear();
  m_aliasSeparator = m_model.AliasAs() ? QStringLiteral(" AS ") : QStringLiteral(" ");
  bool built = false;
  try {
    built = BuildSelect();
  } catch (const EzelError &e) {
    zelShowError(e.message());
  }
  if (built)
    sql.swap(m_sql);
  m_sql.clear();
  m_line.clear();
  return built;
}

QString TzelSqlGenerator::Name(const QString &name) const {
  return m_model.VerifyNames() ? QuoteIfKeyword(name, m_model.NameQuote(), m_model.DatabaseType())
                               : name;
}

void TzelSqlGenerator::AppendLine() {
  m_sql.append(m_line);
}

void TzelSqlGenerator::CloseLastLine(const QString &text) {
  if (!m_sql.isEmpty())
    m_sql.last() += text;
}

bool TzelSqlGenerator::ResolveFieldRef(QString &tableAlias, QString &fieldAlias) {
  TzelTable *queryTable = FindLiveTable(m_query, tableAlias);
  if (!queryTable) {
    zelShowError(missing(QStringLiteral("Table Alias"), tableAlias));
    return false;
  }
  TzelTable *modelTable = FindLiveTable(m_model, queryTable->TableName());
  if (!modelTable) {
    zelShowError(missing(QStringLiteral("Table Alias"), queryTable->TableName()));
    return false;
  }
  const TzelField *field = FindLiveField(*modelTable, fieldAlias);
  if (!field) {
    zelShowError(missing(QStringLiteral("Field Alias"), fieldAlias));
    return false;
  }
  tableAlias = Name(queryTable->TableAlias());
  fieldAlias = Name(field->FieldName());
  return true;
}

bool TzelSqlGenerator::ResolveTableRef(QString &tableAlias, QString &tableName) {
  auto *modelTable = qobject_cast<TzelDataModelTable *>(FindLiveTable(m_model, tableName));
  if (!modelTable) {
    zelShowError(missing(QStringLiteral("Table Alias"), tableName));
    return false;
  }
  tableName = m_model.DatabasePrefix(modelTable->DatabaseName()) + modelTable->TableName();
  if (m_model.VerifyNames()) {
    tableAlias = Name(tableAlias);
    tableName = QuoteQualifiedKeywords(tableName, m_model.NameQuote(), m_model.DatabaseType());
  }
  return true;
}

QString TzelSqlGenerator::TranslateExpression(const QString &expression, QString *table) {
  QString text;
  QString found;
  if (!IsBlank(expression)) {
    const QStringList lines{expression};
    TzelTokenList tokens;
    TokenizeExpression(lines, tokens);
    TzelTable *current = nullptr;
    TzelTable *currentModel = nullptr;
    bool inText = false; // between single quotes: copied as written, never a name
    qsizetype at = 0;    // where the token stands in the expression
    for (int i = 0; i < tokens.count(); ++i) {
      const QString piece = tokens.text(i, lines);
      const int index = tokens.index(i);
      const bool bracket = index == ZelKeyword::OpenBracket || index == ZelKeyword::CloseBracket;
      if (tokens.isValue(i))
        at = tokens.value(i).column - 1;
      const QStringView written = QStringView(expression).mid(at, bracket ? 1 : piece.size());
      at += written.size();
      if (index == ZelKeyword::SingleQuote)
        inText = !inText;
      if (inText && index != ZelKeyword::SingleQuote) {
        // A keyword's token holds its upper-case spelling, not the text's.
        text += written.compare(piece, Qt::CaseInsensitive) == 0 ? written.toString() : piece;
        continue;
      }
      if (!tokens.isValue(i)) {
        if (!bracket)
          text += piece;
        continue;
      }
      const QString &word = piece;
      if (!current) {
        current = FindLiveTable(m_query, word);
        currentModel = current ? FindLiveTable(m_model, current->TableName()) : nullptr;
        text += current ? Name(current->TableAlias()) : word;
        if (current && found.isEmpty())
          found = Name(current->TableAlias());
        continue;
      }
      // The word after a table names one of its fields; an unknown one would leave the
      // expression cut short, so it is refused.
      const TzelField *field = currentModel ? FindLiveField(*currentModel, word) : nullptr;
      if (!field)
        throw EzelError(missing(QStringLiteral("Field Alias"), word));
      text += Name(field->FieldName());
      current = nullptr;
    }
  }
  if (table)
    *table = found;
  return zelDialect(m_model.DatabaseType()).concatFunction ? concatAsFunction(text) : text;
}

bool TzelSqlGenerator::ValueExpression(const TzelQueryValue &value, QString &expr, QString *table) {
  if (isCalculated(value)) {
    requireExpression(value);
    expr = TranslateExpression(value.Expression(), table);
    return true;
  }
  QString tableAlias = value.TableAlias();
  QString field = value.Expression();
  if (!ResolveFieldRef(tableAlias, field))
    return false;
  expr = tableAlias + QLatin1Char('.') + field;
  if (table)
    *table = tableAlias;
  return true;
}

bool TzelSqlGenerator::BuildSelect() {
  m_line = kSelect;
  const QList<TzelQueryValue *> values = ValuesByPosition();
  int shownLeft = int(std::count_if(values.cbegin(), values.cend(),
                                    [](const TzelQueryValue *v) { return isShown(v->Show()); }));
  if (const QString head = SelectHead(); !head.isEmpty()) {
    m_line += head;
    AppendLine();
    m_line = kIndent;
  }
  for (const TzelQueryValue *value : values) {
    if (!isShown(value->Show()))
      continue;
    if (m_line.isEmpty())
      m_line = kIndent;
    m_line += AggregatePrefix(value->Show(), false);
    QString table;
    bool writeAlias = true;
    if (isCalculated(*value)) {
      requireExpression(*value);
      m_line += TranslateExpression(value->Expression(), &table);
    } else {
      QString field = value->Expression();
      table = value->TableAlias();
      if (!ResolveFieldRef(table, field))
        return false;
      m_line += averaged(*value, m_model.DatabaseType(), table + QLatin1Char('.') + field);
      writeAlias = value->ValueAlias() != field || isAggregate(value->Show());
    }
    if (isShownAggregate(value->Show()))
      m_line += QLatin1Char(')');
    if (writeAlias && zelDialect(m_model.DatabaseType()).valueAliases) {
      m_line += m_aliasSeparator;
      if (m_model.AliasByTable() && !table.isEmpty())
        m_line += table + QLatin1Char('.');
      m_line += Name(value->ValueAlias());
    }
    if (--shownLeft > 0)
      m_line += QLatin1Char(',');
    AppendLine();
    m_line.clear();
  }
  const bool from = m_model.JoinMethod() == zelJoinWhere ? BuildFrom() : BuildJoinedFrom();
  return from && BuildFilterClause(TzelFilterKind::Where) && BuildGroupBy() &&
         BuildFilterClause(TzelFilterKind::Having) && BuildOrderBy() && BuildTopValues();
}

QString TzelSqlGenerator::SelectHead() const {
  const int top = m_query.TopValues();
  const QString count = QString::number(top);
  switch (top > 0 ? zelDialect(m_model.DatabaseType()).topForm : TzelTopForm::None) {
  case TzelTopForm::Top:
    return (m_query.IsDistinct() ? QStringLiteral("DISTINCT TOP ") : QStringLiteral("TOP ")) +
           count + (m_query.TopPercent() ? QStringLiteral(" PERCENT") : QString());
  case TzelTopForm::First:
    return QStringLiteral("FIRST ") + count +
           (m_query.IsDistinct() ? QStringLiteral(" DISTINCT") : QString());
  default:
    return m_query.IsDistinct() ? QStringLiteral("DISTINCT") : QString();
  }
}

bool TzelSqlGenerator::BuildTopValues() {
  const QString refusal = topValuesRefusal(m_query, m_model.DatabaseType());
  if (!refusal.isEmpty())
    throw EzelError(refusal); // never a statement that reads more records than asked for
  const int top = m_query.TopValues();
  const int offset = m_query.TopOffset();
  const QString count = QString::number(top);
  switch (top > 0 ? zelDialect(m_model.DatabaseType()).topForm : TzelTopForm::None) {
  case TzelTopForm::Limit:
    m_sql.append(QStringLiteral("   LIMIT ") + count);
    if (offset > 0)
      m_sql.append(QStringLiteral("  OFFSET ") + QString::number(offset));
    break;
  case TzelTopForm::Rows:
    m_sql.append(QStringLiteral("    ROWS ") +
                 (offset > 0 ? QString::number(qint64(offset) + 1) + QStringLiteral(" TO ") +
                                   QString::number(qint64(offset) + top)
                             : count));
    break;
  case TzelTopForm::Fetch:
    if (offset > 0)
      m_sql.append(QStringLiteral("  OFFSET ") + QString::number(offset) + QStringLiteral(" ROWS"));
    m_sql.append(QStringLiteral("   FETCH FIRST ") + count +
                 (m_query.TopPercent() ? QStringLiteral(" PERCENT") : QString()) +
                 QStringLiteral(" ROWS ONLY"));
    break;
  default:
    break;
  }
  return true;
}

bool TzelSqlGenerator::BuildFrom() {
  m_line = kFrom;
  const QList<TzelTable *> tables = liveTables(m_query);
  for (int i = 0; i < tables.size(); ++i) {
    QString alias = tables.at(i)->TableAlias();
    QString name = tables.at(i)->TableName();
    if (!ResolveTableRef(alias, name))
      return false;
    m_line += name;
    if (alias != name)
      m_line += m_aliasSeparator + alias;
    if (i + 1 < tables.size())
      m_line += QLatin1Char(',');
    AppendLine();
    m_line = kIndent;
  }
  return true;
}

bool TzelSqlGenerator::BuildJoinedFrom() {
  m_line = kFrom;
  QStringList tables;
  m_query.ListTableAliases(tables);
  if (tables.size() == 1)
    return BuildFrom();
  const QList<TzelJoin *> joins = liveJoins(m_query);
  const bool writeOn = m_model.JoinMethod() != zelJoinMixed;
  QList<TzelJoinStep> steps;
  if ((writeOn && !CheckJoinFields(joins)) || !PlanJoins(joins, writeOn, steps))
    return false;
  const bool nested = zelDialect(m_model.DatabaseType()).nestsJoins;
  const qsizetype open = steps.size() - 2;
  if (open >= 1 && nested)
    m_line += QString(open, QLatin1Char('('));
  for (qsizetype i = 0; i < steps.size(); ++i) {
    if (!WriteJoinStep(steps.at(i), i > 0 && writeOn))
      return false;
    if (i >= 1 && i <= open && nested)
      CloseLastLine(QStringLiteral(")"));
  }
  return true;
}

bool TzelSqlGenerator::CheckJoinFields(const QList<TzelJoin *> &joins) {
  for (const TzelJoin *join : joins)
    if (liveJoinFields(*join).isEmpty()) {
      zelShowError(QStringLiteral("Error: The [") + join->LeftTableAlias() +
                   QStringLiteral("] and [") + join->RightTableAlias() +
                   QStringLiteral("] tables are joined without fields"));
      return false;
    }
  return true;
}

// The first join's left table comes first; then, again and again, the first join that links a
// written table to a new one adds the new table, and every join between two written tables
// (the rest of a cycle) goes into that table's ON. An outer join whose kept table is the one
// added is written the other way round (LEFT becomes RIGHT), so the same rows are kept.
bool TzelSqlGenerator::PlanJoins(const QList<TzelJoin *> &joins, bool linked,
                                 QList<TzelJoinStep> &steps) {
  // Aliases compare ignoring case: each join's two ends are folded once.
  QList<std::pair<QString, QString>> ends;
  for (const TzelJoin *join : joins)
    ends.append({join->LeftTableAlias().toCaseFolded(), join->RightTableAlias().toCaseFolded()});
  QSet<QString> written;
  auto add = [&](qsizetype j, bool left, TzelJoinType type) {
    written.insert(left ? ends.at(j).first : ends.at(j).second);
    steps.append({left ? joins.at(j)->LeftTableAlias() : joins.at(j)->RightTableAlias(), type, {}});
  };
  QList<bool> used(joins.size(), false);
  add(0, true, zelJoinInner);
  for (;;) {
    qsizetype next = -1;
    for (qsizetype j = 0; j < joins.size() && next < 0; ++j)
      if (!used.at(j) && written.contains(ends.at(j).first) != written.contains(ends.at(j).second))
        next = j;
    if (next < 0) {
      // What is left is not linked to the tables written so far.
      qsizetype loose = 0;
      while (loose < joins.size() && written.contains(ends.at(loose).first))
        ++loose;
      if (loose == joins.size())
        return true;
      if (linked) {
        zelShowError(QStringLiteral("Error: The [") + joins.at(loose)->LeftTableAlias() +
                     QStringLiteral("] table is not joined"));
        return false;
      }
      add(loose, true, joins.at(loose)->JoinType());
      continue;
    }
    used[next] = true;
    const bool addsLeft = !written.contains(ends.at(next).first);
    TzelJoinType type = joins.at(next)->JoinType();
    if (addsLeft && type != zelJoinInner)
      type = type == zelJoinLeft ? zelJoinRight : zelJoinLeft;
    add(next, addsLeft, type);
    steps.last().conditions.append(joins.at(next));
    for (qsizetype j = 0; j < joins.size(); ++j)
      if (!used.at(j) && written.contains(ends.at(j).first) &&
          written.contains(ends.at(j).second)) {
        used[j] = true;
        steps.last().conditions.append(joins.at(j));
      }
  }
}

bool TzelSqlGenerator::WriteJoinStep(const TzelJoinStep &step, bool writeOn) {
  const QString joinType = JoinTypeSql(step.type);
  if (m_line.isEmpty())
    m_line = kIndent + joinType;
  TzelTable *table = FindLiveTable(m_query, step.alias);
  QString tableAlias = table ? table->TableAlias() : step.alias;
  QString tableName = table ? table->TableName() : QString();
  if (!table || !ResolveTableRef(tableAlias, tableName))
    return false;
  m_line += tableName;
  // Compared with case counting, so that PARTS still carries its alias Parts.
  if (tableName != tableAlias)
    m_line += m_aliasSeparator + tableAlias;
  AppendLine();
  m_line.clear();
  if (!writeOn)
    return true;
  const qsizetype w = joinType.size();
  m_line = QString(w + 6, QLatin1Char(' ')) + QStringLiteral("ON ");
  for (const TzelJoin *join : step.conditions)
    for (const TzelJoinField *pair : liveJoinFields(*join)) {
      QString condition;
      if (!BuildJoinCondition(*join, *pair, condition))
        return false;
      m_line += condition;
      AppendLine();
      m_line = QString(w + 5, QLatin1Char(' ')) + QStringLiteral("AND ");
    }
  m_line.clear();
  return true;
}

bool TzelSqlGenerator::BuildJoinCondition(const TzelJoin &join, const TzelJoinField &pair,
                                          QString &text) {
  QString leftTable = join.LeftTableAlias();
  QString leftField = pair.LeftFieldAlias();
  QString rightTable = join.RightTableAlias();
  QString rightField = pair.RightFieldAlias();
  if (!ResolveFieldRef(leftTable, leftField) || !ResolveFieldRef(rightTable, rightField))
    return false;
  text = leftTable + QLatin1Char('.') + leftField + JoinOperatorSql(pair.JoinOper()) + rightTable +
         QLatin1Char('.') + rightField;
  return true;
}

bool TzelSqlGenerator::BuildJoinWhere(int &count) {
  count = 0;
  m_line = kWhere + QStringLiteral("(");
  for (const TzelJoin *join : liveJoins(m_query))
    for (const TzelJoinField *pair : liveJoinFields(*join)) {
      QString condition;
      if (!BuildJoinCondition(*join, *pair, condition))
        return false;
      m_line += condition;
      AppendLine();
      m_line = kAnd;
      ++count;
    }
  if (count > 0)
    CloseLastLine(QStringLiteral(")"));
  return true;
}

bool TzelSqlGenerator::BuildFilterClause(TzelFilterKind kind) {
  if (kind == TzelFilterKind::Having) {
    m_line = kHaving + QStringLiteral("((");
  } else if (m_model.JoinMethod() == zelJoinFrom) {
    m_line = kWhere + QStringLiteral("((");
  } else {
    int joinConditions = 0;
    if (!BuildJoinWhere(joinConditions))
      return false;
    m_line = (joinConditions > 0 ? kAnd : kWhere) + QStringLiteral("((");
  }
  int rows = 0;
  for (int p = TzelFilterPositionMin; p <= TzelFilterPositionMax; ++p) {
    int conditions = 0;
    for (int v = 0; v < m_query.ValueCount(); ++v) {
      const TzelQueryValue *value = m_query.GetValue(v);
      const bool computed = holdsAggregate(*value, m_model.DatabaseType());
      const bool takes = kind == TzelFilterKind::Where
                             ? takesPartInWhere(value->Show()) && !computed
                             : isAggregate(value->Show()) || computed;
      const TzelQueryFilter *filter =
          takes && !value->Deleted() ? firstFilterAt(*value, p) : nullptr;
      if (!filter)
        continue;
      QString expr;
      if (!ValueExpression(*value, expr))
        return false;
      TFieldType type = value->DataType();
      if (kind == TzelFilterKind::Having && !computed) {
        expr = AggregatePrefix(value->Show(), true) +
               averaged(*value, m_model.DatabaseType(), expr) + QLatin1Char(')');
        type = aggregateType(value->Show(), type);
      }
      QString condition;
      if (!BuildCondition(expr, filter->Filter(), filter->Operator(), type, kind,
                          value->ValueAlias(), condition))
        return false;
      if (condition.isEmpty())
        continue; // a cell without items sets no condition
      m_line += QLatin1Char('(') + condition + QLatin1Char(')');
      AppendLine();
      m_line = kAnd;
      ++conditions;
    }
    if (conditions > 0) {
      CloseLastLine(QStringLiteral(")"));
      m_line = kOr + QStringLiteral("(");
      ++rows;
    }
  }
  if (rows > 0)
    CloseLastLine(QStringLiteral(")"));
  return true;
}

bool TzelSqlGenerator::BuildCondition(const QString &expr, const QString &filter,
                                      TzelFilterOper oper, TFieldType dataType, TzelFilterKind kind,
                                      const QString &valueAlias, QString &condition) {
  QStringList items = TzelQueryFilter::SplitFilter(filter);
  const qsizetype blankAt = std::find_if(items.cbegin(), items.cend(),
                                         [](const QString &item) {
                                           return item.compare(u"BLANK", Qt::CaseInsensitive) == 0;
                                         }) -
                            items.cbegin();
  const bool blank = blankAt < items.size();
  if (blank)
    items.removeAt(blankAt);
  if (isBetween(oper) && !items.isEmpty() && items.size() != 2) {
    zelShowError(QStringLiteral("Error: The Between filter of [") + valueAlias +
                 QStringLiteral("] must have exactly two values"));
    return false;
  }
  const bool listForm = kind == TzelFilterKind::Where && items.size() >= 2 &&
                        (oper == zelFilterEqual || oper == zelFilterNotEqual) &&
                        !IsNumericFieldType(dataType);
  const QString operSql = FilterOperatorSql(oper);
  QString text;
  if (listForm)
    text = oper == zelFilterNotEqual ? QStringLiteral("NOT IN(") : QStringLiteral("IN(");
  else if (!items.isEmpty())
    text = operSql + QLatin1Char(' ');
  if (!text.isEmpty())
    text = expr + QLatin1Char(' ') + text;
  const bool negated = isNegated(oper);
  for (qsizetype i = 0; i < items.size(); ++i) {
    if (i > 0) {
      if (listForm) {
        text += QStringLiteral(", ");
      } else {
        text +=
            oper == zelFilterBetween || negated ? QStringLiteral(" AND ") : QStringLiteral(" OR ");
        if (!isBetween(oper))
          text += expr + QLatin1Char(' ') + operSql + QLatin1Char(' ');
      }
    }
    QString literal;
    if (!LiteralItem(items.at(i), oper, dataType, kind, literal))
      return false;
    text += literal;
  }
  if (listForm)
    text += QLatin1Char(')');
  if (blank) {
    if (!text.isEmpty())
      text += negated ? QStringLiteral(" AND ") : QStringLiteral(" OR ");
    text += expr + QStringLiteral(" IS ") + (negated ? QStringLiteral("NOT ") : QString()) +
            QStringLiteral("NULL");
  }
  condition = text;
  return true;
}

bool TzelSqlGenerator::LiteralItem(const QString &source, TzelFilterOper oper, TFieldType dataType,
                                   TzelFilterKind kind, QString &literal) {
  QString item = source;
  const QString param = ParamItemName(source);
  if (!param.isNull())
    item = ParamValue(m_params, param);
  const QString word = item.toUpper();
  const bool today = word == u"TODAY";
  if (today)
    item = TzelDisplayFormatter().date(m_model.DateFormat(),
                                       m_today.isValid() ? m_today : QDate::currentDate());
  else if (word == u"SPACE")
    item = QStringLiteral(" ");
  // The older dialects write every HAVING item as typed; the native ones and InterBase write
  // the literal of what the aggregate yields, so that MIN and MAX of a date or a text compare.
  const bool raw =
      (kind == TzelFilterKind::Having && !zelDialect(m_model.DatabaseType()).typedHaving) ||
      IsNumericFieldType(dataType);
  if (raw || (dataType == ftBoolean && m_model.BooleanQuote() == zelQuoteNone)) {
    // A typed parameter written unquoted must not bring SQL of its own.
    if (!param.isNull()) {
      item = item.trimmed();
      const bool boolWord = !raw && (zelSameText(item, QStringLiteral("True")) ||
                                     zelSameText(item, QStringLiteral("False")));
      if (!IsSqlNumber(item) && !boolWord) {
        zelShowError(QStringLiteral("Error: The [") + param +
                     (raw ? QStringLiteral("] parameter must be a number")
                          : QStringLiteral("] parameter must be True, False or a number")));
        return false;
      }
    }
    literal = item;
  } else if (dataType == ftBoolean) {
    literal = QuoteLiteral(item, m_model.BooleanQuote(), m_model.DatabaseType());
  } else if (isDateType(dataType)) {
    // TODAY is already in the model's date format; reading it back as a system date could fail.
    literal = today ? ApplyDateQuote(item, m_model.DateQuote())
                    : FormatSqlDate(
                          m_model.DateFormat(), m_model.DateQuote(),
                          EscapeForDateQuote(EscapeLiteralBackslashes(item, m_model.DatabaseType()),
                                             m_model.DateQuote()));
  } else {
    if ((oper == zelFilterLike || oper == zelFilterNotLike) && !item.contains(QLatin1Char('%')) &&
        !item.contains(QLatin1Char('*'))) {
      const QChar wild = QLatin1Char(zelDialect(m_model.DatabaseType()).likeWildcard);
      item = wild + item + wild;
    }
    literal = QuoteLiteral(item, m_model.StringQuote(), m_model.DatabaseType());
  }
  return true;
}

QString TzelSqlGenerator::AliasForm(const TzelQueryValue &value) {
  QString text;
  if (m_model.AliasByTable()) {
    QString table = value.TableAlias();
    if (isCalculated(value)) {
      TranslateExpression(value.Expression(), &table); // the found alias is quoted already
    } else {
      table = Name(table);
    }
    if (!table.isEmpty())
      text = table + QLatin1Char('.');
  }
  return text + Name(value.ValueAlias());
}

bool TzelSqlGenerator::BuildGroupBy() {
  m_line = kGroupBy;
  QList<TzelQueryValue *> values = ValuesByPosition();
  values.removeIf([](const TzelQueryValue *v) { return !isGroup(v->Show()); });
  const bool aliasForm =
      m_model.OrderByAlias() && !zelDialect(m_model.DatabaseType()).groupsByExpression;
  for (int i = 0; i < values.size(); ++i) {
    QString item;
    // A hidden value has no alias in the select list to refer to.
    if (aliasForm && isShown(values.at(i)->Show()))
      item = AliasForm(*values.at(i));
    else if (!ValueExpression(*values.at(i), item))
      return false;
    m_line += item;
    if (i + 1 < values.size())
      m_line += QLatin1Char(',');
    AppendLine();
    m_line = kIndent;
  }
  return true;
}

bool TzelSqlGenerator::BuildOrderBy() {
  m_line = kOrderBy;
  QList<TzelQueryValue *> values = ValuesByPosition();
  values.removeIf([](const TzelQueryValue *v) { return v->Sort() == zelSortNone; });
  for (int i = 0; i < values.size(); ++i) {
    const TzelQueryValue &value = *values.at(i);
    QString item;
    if (m_model.OrderByAlias() && isShown(value.Show()))
      item = AliasForm(value);
    else if (!ValueExpression(value, item))
      return false;
    else if (isAggregate(value.Show())) // ordered by its value, not by a column of its rows
      item = AggregatePrefix(value.Show(), true) + averaged(value, m_model.DatabaseType(), item) +
             QLatin1Char(')');
    m_line += item +
              (value.Sort() == zelSortAscending ? QStringLiteral(" ASC") : QStringLiteral(" DESC"));
    if (i + 1 < values.size())
      m_line += QLatin1Char(',');
    AppendLine();
    m_line = kIndent;
  }
  return true;
}
