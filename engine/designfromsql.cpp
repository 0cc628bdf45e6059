// SPDX-License-Identifier: MIT
#include "engine/designfromsql.h"

#include "engine/designplan.h"
#include "engine/sqlconditions.h"
#include "engine/sqlliterals.h"
#include "engine/sqlreader.h"
#include "engine/zelsync.h"
#include "model/dialects.h"
#include "model/keywords.h"
#include "model/quoting.h"
#include "model/vocabulary.h"
#include "model/zelmodel.h"
#include "model/zelquery.h"

#include <QMap>
#include <QRegularExpression>
#include <algorithm>
#include <optional>

using namespace Qt::StringLiterals;

namespace {

using Kind = TzelSqlExpr::Kind;
using TK = TzelSqlTokenKind;

constexpr int kHiddenTwin = 7; // zelHide - zelShow: the hidden twin of a show mode

bool isAggregate(TzelShow show) {
  return (show >= zelShowSum && show <= zelShowAverage) ||
         (show >= zelHideSum && show <= zelHideAverage);
}
TzelShow aggregateShow(const QString &function) {
  if (function == u"SUM")
    return zelShowSum;
  if (function == u"COUNT")
    return zelShowCount;
  if (function == u"MIN")
    return zelShowMin;
  if (function == u"MAX")
    return zelShowMax;
  if (function == u"AVG")
    return zelShowAverage;
  return zelShow;
}
TzelShow shownForm(TzelShow show) {
  return show >= zelHide ? TzelShow(show - kHiddenTwin) : show;
}
TFieldType aggregateType(TzelShow show, TFieldType type) {
  const TzelShow s = shownForm(show);
  return (s == zelShowMin || s == zelShowMax) && type != ftUnknown ? type : ftFloat;
}
using Clause = TzelSqlClause;
using Target = TzelSqlTarget;
using Cell = TzelSqlCell;
using PlanValue = TzelPlannedValue;
using PlanJoin = TzelPlannedJoin;

struct PlanTable {
  QString alias;
  QString written;
  TzelTable *model = nullptr;
  int line = 1, column = 1;
  QHash<QString, TzelField *> byName, byAlias; // live fields by folded name and alias
};
// A pending step of a join written without ON: its condition stands in WHERE.
struct OpenStep {
  QSet<QString> left, right;
  TzelJoinType type;
};

// Keeps the first value of a key.
template <typename T> void insertFirst(QHash<QString, T> &hash, const QString &key, T value) {
  if (!hash.contains(key))
    hash.insert(key, value);
}

class Mapper : public TzelSqlTargets {
public:
  Mapper(const QString &sql, TzelModel &model, TzelDatabase dialect)
      : m_sql(sql), m_model(model), m_dialect(dialect), m_items(sql, model, dialect) {}

  void read() {
    try {
      readStatement();
    } catch (TzelSqlRefusal &refusal) {
      if (!m_notes.isEmpty())
        refusal.what += u" ("_s + m_notes.join(u"; "_s) + u')';
      throw;
    }
  }

  TzelDesignPlan plan() const {
    TzelDesignPlan plan;
    plan.distinct = m_distinct;
    plan.top = m_top;
    plan.topPercent = m_topPercent;
    plan.topOffset = m_topOffset;
    for (const PlanTable &t : m_tables)
      plan.tables.append({t.model->TableAlias(), t.alias});
    plan.joins = m_joins;
    plan.values = m_values;
    plan.order = m_order;
    return plan;
  }

private:
  // Records limited in a way the dialect cannot write would make a design that never runs.
  void refuseUnwritableTop(const TzelSqlStatement &s) const {
    const TzelDialect &dialect = zelDialect(m_dialect);
    QString what;
    if (s.top == 0 && s.topOffset == 0)
      return;
    if (dialect.topForm == TzelTopForm::None)
      what = s.topWord;
    else if (s.topPercent && !dialect.topPercent)
      what = u"a percentage of records"_s;
    else if (s.topOffset > 0 && !dialect.topOffset)
      what = u"records skipped before the top values"_s;
    else if (s.top == 0)
      what = u"records skipped without a number of top values"_s;
    if (!what.isEmpty())
      throw TzelSqlRefusal{
          what + u" cannot be written in the %1 dialect"_s.arg(zelDialectName(m_dialect)),
          s.topLine, s.topColumn};
  }

  void readStatement() {
    const TzelSqlStatement s = ReadSqlStatement(m_sql, m_dialect, spacedNames());
    m_distinct = s.distinct;
    m_top = s.top;
    m_topPercent = s.topPercent;
    m_topOffset = s.topOffset;
    refuseUnwritableTop(s);
    for (const TzelSqlFromPtr &from : s.from)
      collectAliases(*from, m_writtenAliases);
    for (const TzelSqlFromPtr &from : s.from)
      readFrom(*from);
    if (m_dialect == zelSQLite)
      readSqliteTexts(s);
    QList<TzelSqlExprPtr> filters;
    if (s.where)
      splitWhere(s.where, filters);
    checkJoined();
    for (const TzelSqlSelectItem &item : s.items)
      readSelectItem(item);
    if (!filters.isEmpty())
      readFilters(filters, Clause::Where);
    for (const TzelSqlExprPtr &group : s.groupBy)
      readGroupBy(*group);
    if (s.having)
      readFilters({s.having}, Clause::Having);
    finishGrouping(s);
    for (const TzelSqlOrderItem &item : s.orderBy)
      readOrderBy(item);
  }

  QSet<QString> spacedNames() const {
    QSet<QString> names;
    auto add = [&](const QString &name) {
      if (name.contains(u' '))
        names.insert(name.toCaseFolded());
    };
    for (int t = 0; t < m_model.TableCount(); ++t) {
      const TzelTable *table = m_model.GetTable(t);
      if (table->Deleted())
        continue;
      add(table->TableAlias());
      add(table->TableName());
      for (int f = 0; f < table->FieldCount(); ++f)
        if (!table->GetField(f)->Deleted()) {
          add(table->GetField(f)->FieldName());
          add(table->GetField(f)->FieldAlias());
        }
    }
    return names;
  }

  QString span(const TzelSqlExpr &e) const { return m_sql.mid(e.begin, e.end - e.begin); }

  void note(const QString &text) const {
    if (!m_notes.contains(text))
      m_notes.append(text);
  }

  // ---- FROM ----------------------------------------------------------------------------
  // The model table a FROM name stands for: the one stored under that name, else the one the
  // model calls so (the name every window shows). Where the name is both, what the database
  // reads wins, and every refusal that follows says which table was taken.
  TzelTable *modelTable(const QString &written) {
    TzelTable *physical = nullptr;
    for (int t = 0; t < m_model.TableCount() && !physical; ++t) {
      auto *table = qobject_cast<TzelDataModelTable *>(m_model.GetTable(t));
      if (!table || table->Deleted())
        continue;
      const QString prefixed = m_model.DatabasePrefix(table->DatabaseName()) + table->TableName();
      if (zelSameText(prefixed, written) || zelSameText(table->TableName(), written))
        physical = table;
    }
    TzelTable *aliased = qobject_cast<TzelDataModelTable *>(FindLiveTable(m_model, written));
    if (physical && aliased && aliased != physical)
      note(u"[%1] is read as the table stored under that name (%2), not as the "
           u"table the data model calls %1"_s.arg(written, physical->TableAlias()));
    return physical ? physical : aliased;
  }

  // The aliases written in FROM, folded: a table written without one takes a name none of
  // them has.
  static void collectAliases(const TzelSqlFrom &from, QSet<QString> &out) {
    if (!from.isTable) {
      collectAliases(*from.left, out);
      collectAliases(*from.right, out);
    } else if (!from.alias.isEmpty()) {
      out.insert(from.alias.toCaseFolded());
    }
  }

  // A table written without an alias is called as the model calls it; its written name (and,
  // for a dotted one, the last part) still qualifies its columns, as in SQL.
  QString implicitAlias(const TzelSqlFrom &from, const TzelTable &table) {
    const QString written = from.name.toCaseFolded();
    if (m_unaliased.contains(written))
      throw TzelSqlRefusal{u"the table [%1] stands twice without an alias"_s.arg(from.name),
                           from.line, from.column};
    m_unaliased.insert(written);
    const QString base = table.TableAlias();
    QString alias = base;
    for (int n = 1; m_byAlias.contains(alias.toCaseFolded()) ||
                    m_writtenAliases.contains(alias.toCaseFolded());
         ++n)
      alias = base + u'_' + QString::number(n);
    if (from.parts.size() > 1)
      insertFirst(m_byWritten, from.parts.last().toCaseFolded(), int(m_tables.size()));
    return alias;
  }

  // The aliases of the tables under a FROM item.
  QSet<QString> readFrom(const TzelSqlFrom &from) {
    if (from.isTable)
      return {addTable(from)};
    const QSet<QString> left = readFrom(*from.left);
    const QSet<QString> right = readFrom(*from.right);
    if (from.on) {
      QList<TzelSqlExprPtr> conditions;
      flattenAnd(from.on, conditions);
      for (const TzelSqlExprPtr &c : conditions)
        readJoinCondition(*c, from.type, right);
    } else {
      m_openSteps.append({left, right, from.type});
    }
    return left + right;
  }

  QString addTable(const TzelSqlFrom &from) {
    TzelTable *table = modelTable(from.name);
    if (!table)
      throw TzelSqlRefusal{u"the table [%1] is not in the data model"_s.arg(from.name), from.line,
                           from.column, from.name};
    const QString alias = from.alias.isEmpty() ? implicitAlias(from, *table) : from.alias;
    if (m_byAlias.contains(alias.toCaseFolded()))
      throw TzelSqlRefusal{u"the table alias [%1] stands twice"_s.arg(alias), from.line,
                           from.column};
    PlanTable planned{alias, from.name, table, from.line, from.column, {}, {}};
    for (int f = 0; f < table->FieldCount(); ++f) {
      TzelField *field = table->GetField(f);
      if (field->Deleted())
        continue;
      insertFirst(planned.byName, field->FieldName().toCaseFolded(), field);
      insertFirst(planned.byAlias, field->FieldAlias().toCaseFolded(), field);
    }
    m_byAlias.insert(alias.toCaseFolded(), int(m_tables.size()));
    insertFirst(m_byWritten, from.name.toCaseFolded(), int(m_tables.size()));
    m_tables.append(planned);
    return alias.toCaseFolded();
  }

  static void flattenAnd(const TzelSqlExprPtr &e, QList<TzelSqlExprPtr> &out) {
    if (e->kind == Kind::And)
      for (const TzelSqlExprPtr &a : e->args)
        flattenAnd(a, out);
    else
      out.append(e);
  }

  bool isColumnPair(const TzelSqlExpr &c) const {
    return c.kind == Kind::Compare && c.args.at(0)->kind == Kind::Column &&
           c.args.at(1)->kind == Kind::Column && !isTextLiteral(*c.args.at(1)) &&
           !isTextLiteral(*c.args.at(0));
  }

  void readJoinCondition(const TzelSqlExpr &c, TzelJoinType type, const QSet<QString> &added) {
    if (c.kind == Kind::Or)
      zelRefuseSql(c, zelCannotShow(u"an OR in a join condition"_s));
    if (!isColumnPair(c))
      zelRefuseSql(c,
                   zelCannotShow(u"a join condition that does not compare two tables' columns"_s));
    if (c.text != u"=")
      zelRefuseSql(c, zelCannotShow(u"a join condition other than an equality"_s));
    addJoinPair(c, type, added);
  }

  void addJoinPair(const TzelSqlExpr &c, TzelJoinType type, const QSet<QString> &added) {
    const auto [ta, fa] = resolveColumn(*c.args.at(0));
    const auto [tb, fb] = resolveColumn(*c.args.at(1));
    const QString a = m_tables.at(ta).alias, b = m_tables.at(tb).alias;
    if (ta == tb)
      zelRefuseSql(c, zelCannotShow(u"a join of a table with itself"_s));
    for (PlanJoin &join : m_joins) {
      if (zelSameText(join.left, a) && zelSameText(join.right, b)) {
        join.pairs.append({fa->FieldAlias(), fb->FieldAlias()});
        return;
      }
      if (zelSameText(join.left, b) && zelSameText(join.right, a)) {
        join.pairs.append({fb->FieldAlias(), fa->FieldAlias()});
        return;
      }
    }
    // The table the join adds is the one kept or dropped; written first it swaps the sides.
    if (added.contains(a.toCaseFolded()) && !added.contains(b.toCaseFolded()) &&
        type != zelJoinInner)
      type = type == zelJoinLeft ? zelJoinRight : zelJoinLeft;
    m_joins.append({a, b, type, {{fa->FieldAlias(), fb->FieldAlias()}}});
  }

  // Equalities of two tables' columns at the top of WHERE are joins; the rest filters.
  bool holdsJoin(const TzelSqlExpr &e) const {
    if (isColumnPair(e))
      return true;
    return e.kind == Kind::And &&
           std::any_of(e.args.cbegin(), e.args.cend(),
                       [&](const TzelSqlExprPtr &a) { return holdsJoin(*a); });
  }
  // The conjuncts of WHERE, opening only the ANDs that hold a join: the others keep their
  // grouping, which tells the filter cells apart.
  void joinConjuncts(const TzelSqlExprPtr &e, QList<TzelSqlExprPtr> &out) const {
    if (e->kind == Kind::And && holdsJoin(*e))
      for (const TzelSqlExprPtr &a : e->args)
        joinConjuncts(a, out);
    else
      out.append(e);
  }

  void splitWhere(const TzelSqlExprPtr &where, QList<TzelSqlExprPtr> &filters) {
    QList<TzelSqlExprPtr> conjuncts;
    joinConjuncts(where, conjuncts);
    for (const TzelSqlExprPtr &c : conjuncts) {
      const int ta = isColumnPair(*c) ? resolveColumn(*c->args.at(0)).first : -1;
      const int tb = ta >= 0 ? resolveColumn(*c->args.at(1)).first : -1;
      if (ta == tb) { // not two tables' columns: a filter, or refused as one
        filters.append(c);
        continue;
      }
      if (c->text != u"=")
        zelRefuseSql(*c, zelCannotShow(u"a join condition other than an equality"_s));
      const QString a = m_tables.at(ta).alias.toCaseFolded();
      const QString b = m_tables.at(tb).alias.toCaseFolded();
      TzelJoinType type = zelJoinInner;
      QSet<QString> added;
      for (const OpenStep &step : std::as_const(m_openSteps))
        if ((step.left.contains(a) && step.right.contains(b)) ||
            (step.left.contains(b) && step.right.contains(a))) {
          type = step.type;
          added = step.right;
          break;
        }
      addJoinPair(*c, type, added);
    }
  }

  void checkJoined() const {
    if (m_tables.size() < 2)
      return;
    QSet<QString> reached{m_tables.first().alias.toCaseFolded()};
    for (bool grew = true; grew;) {
      grew = false;
      for (const PlanJoin &j : m_joins) {
        const QString l = j.left.toCaseFolded(), r = j.right.toCaseFolded();
        if (reached.contains(l) != reached.contains(r)) {
          reached.insert(l);
          reached.insert(r);
          grew = true;
        }
      }
    }
    for (const PlanTable &t : m_tables)
      if (!reached.contains(t.alias.toCaseFolded()))
        throw TzelSqlRefusal{zelCannotShow(u"a table joined to no other"_s), t.line, t.column};
  }

  // ---- SQLite's double-quoted texts ---------------------------------------------------
  // SQLite reads a double-quoted word as a column when one is in scope (a column of the
  // statement's tables or a value's alias), else as a text: such words become text literals,
  // written again in the standard quotes.
  void readSqliteTexts(const TzelSqlStatement &s) {
    QSet<QString> aliases;
    for (const TzelSqlSelectItem &item : s.items)
      if (item.hasAlias)
        aliases.insert(item.alias.toCaseFolded());
    QList<TzelSqlExprPtr> parts{s.where, s.having};
    for (const TzelSqlSelectItem &item : s.items)
      parts.append(item.expr);
    parts += s.groupBy;
    for (const TzelSqlOrderItem &item : s.orderBy)
      parts.append(item.expr);
    for (const TzelSqlExprPtr &part : std::as_const(parts))
      if (part)
        markSqliteTexts(*part, aliases);
  }
  void markSqliteTexts(const TzelSqlExpr &e, const QSet<QString> &aliases) {
    for (const TzelSqlExprPtr &a : e.args)
      markSqliteTexts(*a, aliases);
    if (e.kind != Kind::Column || e.parts.size() != 1 || e.quoted != TK::DoubleQuoted)
      return;
    const QString folded = e.parts.first().toCaseFolded();
    if (aliases.contains(folded) ||
        std::any_of(m_tables.cbegin(), m_tables.cend(),
                    [&](const PlanTable &t) { return t.byName.contains(folded); }))
      return;
    auto &text = const_cast<TzelSqlExpr &>(e);
    text.kind = Kind::Literal;
    text.quoted = TK::String;
    text.text = e.parts.first();
    m_sqliteTexts.insert(e.begin);
  }

  // ---- names ---------------------------------------------------------------------------
  // The live field of a statement table by physical name, else by alias (ignoring case).
  TzelField *fieldOf(int table, const QString &name) const {
    const QString folded = name.toCaseFolded();
    const PlanTable &t = m_tables.at(table);
    TzelField *field = t.byName.value(folded);
    return field ? field : t.byAlias.value(folded);
  }

  int tableByQualifier(const QString &qualifier) const {
    const QString folded = qualifier.toCaseFolded();
    return m_byAlias.value(folded, m_byWritten.value(folded, -1));
  }

  std::pair<int, TzelField *> resolveColumn(const TzelSqlExpr &c) const {
    const QString name = c.parts.last();
    if (c.parts.size() > 1) {
      const QString qualifier = c.parts.mid(0, c.parts.size() - 1).join(u'.');
      const int t = tableByQualifier(qualifier);
      if (t < 0)
        zelRefuseSql(c, u"the table [%1] is not in the statement"_s.arg(qualifier));
      TzelField *field = fieldOf(t, name);
      if (!field)
        zelRefuseSql(c, u"the column [%1] is not in the data model"_s.arg(qualifier + u'.' + name));
      return {t, field};
    }
    // A column stored under the name wins over one the model calls so in another table.
    const QString folded = name.toCaseFolded();
    std::pair<int, TzelField *> stored{-1, nullptr}, called{-1, nullptr};
    bool calledTwice = false;
    for (int t = 0; t < m_tables.size(); ++t) {
      if (TzelField *field = m_tables.at(t).byName.value(folded)) {
        if (stored.second)
          zelRefuseSql(c, u"the column [%1] is in more than one table"_s.arg(name));
        stored = {t, field};
      } else if (TzelField *aliased = m_tables.at(t).byAlias.value(folded)) {
        calledTwice = calledTwice || called.second;
        called = {t, aliased};
      }
    }
    if (stored.second && called.second)
      note(u"[%1] is read as the column stored under that name in %2, not as the column the "
           u"data model calls %1"_s.arg(name, m_tables.at(stored.first).alias));
    if (!stored.second && calledTwice)
      zelRefuseSql(c, u"the column [%1] is in more than one table"_s.arg(name));
    if (!stored.second && !called.second)
      zelRefuseSql(c, u"the column [%1] is not in the data model"_s.arg(name));
    return stored.second ? stored : called;
  }

  // A double-quoted word standing alone where the dialect quotes texts so.
  bool isTextLiteral(const TzelSqlExpr &e) const { return m_items.isTextLiteral(e); }

  // The columns under e; with sqliteTexts, SQLite's double-quoted texts too.
  void collectColumns(const TzelSqlExprPtr &e, QList<const TzelSqlExpr *> &out,
                      bool sqliteTexts = false) const {
    if ((e->kind == Kind::Column && !isTextLiteral(*e)) ||
        (sqliteTexts && e->kind == Kind::Literal && m_sqliteTexts.contains(e->begin)))
      out.append(e.get());
    for (const TzelSqlExprPtr &a : e->args)
      collectColumns(a, out, sqliteTexts);
  }
  // Whether the part calls an aggregate, by the rule generation decides GROUP BY with.
  bool containsAggregate(const TzelSqlExpr &e) const {
    return SqlHoldsAggregate(m_sql.mid(e.begin, e.end - e.begin), m_dialect);
  }
  // A calculated value that computes an aggregate without being one of the design's.
  bool holdsAggregate(const PlanValue &v) const {
    return !isAggregate(v.show) && v.target.tableAlias.isEmpty() &&
           SqlHoldsAggregate(v.target.expression, m_dialect);
  }

  // A name as a calculated expression writes it: bracketed unless a plain word.
  static QString expressionName(const QString &name, bool field) {
    static const QRegularExpression plain(u"^[A-Za-z_][A-Za-z0-9_]*[A-Za-z_]$|^[A-Za-z_]$"_s);
    if (!field && plain.match(name).hasMatch() && KeywordIndex(name) < 0)
      return name;
    return u'[' + name + u']';
  }

  // The calculated expression of a part of the statement: its text with every column
  // written as Table.[Field] (aliases of the design), white space runs made one space.
  QString designExpression(const TzelSqlExprPtr &e) const {
    QList<const TzelSqlExpr *> columns;
    collectColumns(e, columns, true);
    std::sort(columns.begin(), columns.end(),
              [](const TzelSqlExpr *a, const TzelSqlExpr *b) { return a->begin < b->begin; });
    QString text;
    qsizetype at = e->begin;
    for (const TzelSqlExpr *c : columns) {
      text += CompactSql(m_sql.mid(at, c->begin - at), m_dialect);
      if (c->kind == Kind::Literal) {
        text += u'\'' + QString(c->text).replace(u'\'', u"''"_s) + u'\'';
      } else {
        const auto [t, field] = resolveColumn(*c);
        text += expressionName(m_tables.at(t).alias, false) + u'.' +
                expressionName(field->FieldAlias(), true);
      }
      at = c->end;
    }
    text += CompactSql(m_sql.mid(at, e->end - at), m_dialect);
    return text.trimmed();
  }

  Target target(const TzelSqlExprPtr &e) const {
    Target t;
    if (e->kind == Kind::Column && !isTextLiteral(*e)) {
      const auto [table, field] = resolveColumn(*e);
      t.tableAlias = m_tables.at(table).alias;
      t.expression = field->FieldAlias();
      t.type = field->DataType();
      t.defaultAlias = field->FieldName();
      t.key = u"c:"_s + t.tableAlias.toCaseFolded() + u'.' + t.expression.toCaseFolded();
      return t;
    }
    t.expression = e->kind == Kind::Star ? u"*"_s : designExpression(e);
    t.typed = false;
    t.defaultAlias = u"Expression"_s;
    t.key = u"x:"_s + t.expression.toCaseFolded();
    return t;
  }

  // Under InterBase the generator averages a whole-number column as
  // AVG(CAST(x AS DOUBLE PRECISION)), Firebird's AVG of one being whole: that is read as x.
  TzelSqlExprPtr averagedColumn(TzelShow show, const TzelSqlExprPtr &arg) const {
    if (show != zelShowAverage || m_dialect != zelInterBase || arg->kind != Kind::Function ||
        arg->text != u"CAST" || arg->args.size() != 1 || arg->args.first()->kind != Kind::Column ||
        !CompactSql(span(*arg), m_dialect)
             .endsWith(u" AS DOUBLE PRECISION)"_s, Qt::CaseInsensitive))
      return arg;
    const TzelSqlExprPtr &column = arg->args.first();
    if (isTextLiteral(*column))
      return arg;
    const TFieldType type = resolveColumn(*column).second->DataType();
    const bool whole =
        type == ftSmallint || type == ftInteger || type == ftWord || type == ftAutoInc;
    return whole ? column : arg;
  }

  // An aggregate over a column, an expression or *, or nothing.
  std::optional<Target> aggregateTarget(const TzelSqlExprPtr &e) const {
    if (e->kind != Kind::Function)
      return std::nullopt;
    const TzelShow show = aggregateShow(e->text);
    if (show == zelShow || (e->args.size() != 1 && !e->star))
      return std::nullopt;
    Target t;
    if (e->star) {
      t.expression = u"*"_s;
      t.typed = false;
      t.key = u"x:*"_s;
      t.defaultAlias = u"Count"_s;
    } else if (e->distinct) {
      t = target(e->args.first());
      const QString inner = t.tableAlias.isEmpty() ? t.expression
                                                   : expressionName(t.tableAlias, false) + u'.' +
                                                         expressionName(t.expression, true);
      t.tableAlias.clear();
      t.expression = u"DISTINCT "_s + inner;
      t.key = u"x:"_s + t.expression.toCaseFolded();
      t.typed = false;
    } else {
      t = target(averagedColumn(show, e->args.first()));
    }
    t.aggregate = show;
    if (t.defaultAlias == u"Expression")
      t.defaultAlias = e->text.left(1) + e->text.mid(1).toLower();
    return t;
  }

  // ---- values --------------------------------------------------------------------------
  void select(int value, const TzelSqlExpr &from) {
    m_select.append(value);
    m_selectedFrom.append(&from);
    m_selected.insert(value);
  }

  // Adds the value, known by its alias and by what it computes.
  int appendValue(const PlanValue &v) {
    const int index = int(m_values.size());
    m_aliases.insert(v.alias, index);
    m_byKey[v.target.key].append(index);
    m_values.append(v);
    return index;
  }

  int addValue(const Target &t, TzelShow show, const QString &alias) {
    PlanValue v;
    v.target = t;
    v.show = show;
    // A hidden value's header is never written: it takes the field's alias, as the design does.
    const bool fieldAlias = show >= zelHide && !t.tableAlias.isEmpty();
    v.alias = m_aliases.unique(!alias.isEmpty() ? alias
                               : fieldAlias     ? t.expression
                                                : t.defaultAlias);
    const int index = appendValue(v);
    m_order.append(index);
    return index;
  }

  void readSelectItem(const TzelSqlSelectItem &item) {
    const TzelSqlExprPtr &e = item.expr;
    if (e->kind == Kind::Star) {
      for (int t = 0; t < m_tables.size(); ++t) {
        if (!e->parts.isEmpty() && t != tableByQualifier(e->parts.join(u'.')))
          continue;
        const TzelTable &table = *m_tables.at(t).model;
        for (int f = 0; f < table.FieldCount(); ++f) {
          const TzelField *field = table.GetField(f);
          if (field->Deleted())
            continue;
          Target target;
          target.tableAlias = m_tables.at(t).alias;
          target.expression = field->FieldAlias();
          target.type = field->DataType();
          target.key =
              u"c:"_s + target.tableAlias.toCaseFolded() + u'.' + target.expression.toCaseFolded();
          select(addValue(target, zelShow, field->FieldName()), *e);
        }
      }
      if (!e->parts.isEmpty() && tableByQualifier(e->parts.join(u'.')) < 0)
        zelRefuseSql(*e, u"the table [%1] is not in the statement"_s.arg(e->parts.join(u'.')));
      return;
    }
    if (const std::optional<Target> agg = aggregateTarget(e)) {
      select(addValue(*agg, agg->aggregate, item.alias), *e);
      return;
    }
    select(addValue(target(e), zelShow, item.alias), *e);
  }

  // ---- filters -------------------------------------------------------------------------
  bool literalSide(const TzelSqlExpr &e, Clause clause) const override {
    if (clause == Clause::Having && m_items.keepsHavingText())
      return !containsAggregate(e);
    if (e.kind == Kind::Column)
      return isTextLiteral(e);
    if (e.kind == Kind::Star || containsAggregate(e))
      return false;
    QList<const TzelSqlExpr *> columns;
    collectColumns(std::shared_ptr<const TzelSqlExpr>(std::shared_ptr<const TzelSqlExpr>(), &e),
                   columns);
    return columns.isEmpty();
  }

  Target conditionTarget(const TzelSqlExprPtr &e, Clause clause) const override {
    if (clause == Clause::Having) {
      if (const std::optional<Target> agg = aggregateTarget(e))
        return *agg;
      if (!containsAggregate(*e))
        zelRefuseSql(*e, zelCannotShow(u"a HAVING condition on other than an aggregate value"_s));
      return target(e); // a calculated value holding an aggregate, filtered in HAVING
    }
    if (containsAggregate(*e))
      zelRefuseSql(*e, zelCannotShow(u"an aggregate in WHERE"_s));
    return target(e);
  }

  Target loweredTarget(const Target &t) const override {
    Target lowered = t;
    lowered.expression = u"LOWER("_s +
                         (t.tableAlias.isEmpty() ? t.expression
                                                 : expressionName(t.tableAlias, false) + u'.' +
                                                       expressionName(t.expression, true)) +
                         u')';
    lowered.tableAlias.clear();
    lowered.key = u"x:"_s + lowered.expression.toCaseFolded();
    lowered.typed = false;
    lowered.defaultAlias = u"Expression"_s;
    return lowered;
  }

  void readFilters(const QList<TzelSqlExprPtr> &conjuncts, Clause clause) {
    const QList<TzelSqlCellRow> rows = SqlConditionRows(conjuncts, clause, *this);
    for (int r = 0; r < rows.size(); ++r)
      for (const Cell &cell : rows.at(r))
        place(cell, r + TzelFilterPositionMin, clause);
  }

  bool matches(const PlanValue &v, const Target &t) const {
    if (v.target.key != t.key)
      return false;
    if (t.aggregate == zelShow)
      return !isAggregate(v.show);
    return shownForm(v.show) == t.aggregate;
  }

  // A filter item that is an expression rather than a literal: datetime('now'), 2 * 3; a
  // literal of a date in any form the dialect writes one (DATE '...', TO_DATE(...)) is none.
  bool isExpressionItem(const TzelSqlExpr &e) {
    if (e.kind == Kind::Literal || e.kind == Kind::Param || isTextLiteral(e))
      return false;
    try {
      m_items.item(e, ftDate, false, zelFilterEqual);
      return false;
    } catch (const TzelSqlRefusal &) {
      return true;
    }
  }
  // The item of an expression: as written, which the generator writes unchanged in HAVING
  // and for a number.
  QString expressionItem(const TzelSqlExpr &e) const {
    QString text = CompactSql(span(e), m_dialect).trimmed();
    if (!IsPlainFilterText(text))
      zelRefuseSql(e, zelCannotShow(u"the expression [%1] as a filter item"_s.arg(text)));
    return text;
  }
  // What a WHERE condition with an expression for a value is on: a number column as it is,
  // else a calculated value of the same expression taken as a number, so that the generator
  // writes the items as they stand.
  Target verbatimTarget(const Target &t) const {
    if (t.typed && IsNumericFieldType(t.type))
      return t;
    Target v = t;
    if (!t.tableAlias.isEmpty())
      v.expression =
          expressionName(t.tableAlias, false) + u'.' + expressionName(t.expression, true);
    v.tableAlias.clear();
    v.key = u"v:"_s + v.expression.toCaseFolded();
    v.type = ftFloat;
    v.typed = true;
    v.defaultAlias = u"Expression"_s;
    return v;
  }

  void place(const Cell &cell, int row, Clause clause) {
    const bool verbatim =
        std::any_of(cell.items.cbegin(), cell.items.cend(),
                    [&](const TzelSqlExprPtr &item) { return isExpressionItem(*item); });
    const Target target =
        verbatim && clause == Clause::Where ? verbatimTarget(cell.target) : cell.target;
    int index = -1;
    // The values of a key that hold the row or compute another aggregate keep doing so: the
    // search for the next free one starts where the last one ended.
    const QList<int> candidates = m_byKey.value(target.key);
    qsizetype &from = m_placed[u"%1|%2|%3"_s.arg(target.key).arg(target.aggregate).arg(row)];
    for (; from < candidates.size() && index < 0; ++from)
      if (matches(m_values.at(candidates.at(from)), target) &&
          !m_values.at(candidates.at(from)).cells.contains(row))
        index = candidates.at(from);
    if (index < 0)
      index = addValue(
          target, clause == Clause::Having ? TzelShow(target.aggregate + kHiddenTwin) : zelHide,
          QString());
    PlanValue &v = m_values[index];
    if (!v.target.typed && !cell.items.isEmpty()) {
      v.target.type = TzelFilterItemReader::inferredType(*cell.items.first());
      v.target.typed = true;
    }
    const TFieldType type = clause == Clause::Having && isAggregate(v.show)
                                ? aggregateType(v.show, v.target.type)
                                : v.target.type;
    const TzelFilterOper oper =
        cell.oper.value_or(cell.positive ? zelFilterEqual : zelFilterNotEqual);
    QString text;
    for (const TzelSqlExprPtr &item : cell.items)
      text += (verbatim ? expressionItem(*item)
                        : m_items.item(*item, type, clause == Clause::Having, oper)) +
              u'|';
    if (cell.blank)
      text += u"BLANK|"_s;
    v.cells.insert(row, {oper, text});
  }

  // ---- GROUP BY and ORDER BY ----------------------------------------------------------
  // A shown value named by its alias (optionally table-dotted), or by its position.
  int selectedValue(const TzelSqlExpr &e, bool qualifiedAliasLast) const {
    if (e.kind == Kind::Literal && e.quoted == TK::Number) {
      bool ok = false;
      const int n = e.text.toInt(&ok);
      if (!ok || n < 1 || n > m_select.size())
        zelRefuseSql(e, u"the select list has no value [%1]"_s.arg(e.text));
      return m_select.at(n - 1);
    }
    if (e.kind != Kind::Column || (e.parts.size() > 1 && !qualifiedAliasLast))
      return -1;
    const int i = m_aliases.first(e.parts.last());
    return m_selected.contains(i) ? i : -1;
  }

  // A dotted name whose last part is no physical column of the table it names.
  bool isAliasForm(const TzelSqlExpr &e) const {
    if (e.kind != Kind::Column || e.parts.size() < 2)
      return false;
    const int t = tableByQualifier(e.parts.mid(0, e.parts.size() - 1).join(u'.'));
    if (t < 0)
      return false;
    return !m_tables.at(t).byName.contains(e.parts.last().toCaseFolded());
  }

  // A value computing what the expression computes, shown ones first.
  int valueFor(const TzelSqlExprPtr &e, bool aggregatesToo) const {
    int found = selectedValue(*e, false);
    if (found >= 0)
      return found;
    const std::optional<Target> agg = aggregateTarget(e);
    if (!agg && isAliasForm(*e) && (found = selectedValue(*e, true)) >= 0)
      return found; // Table."Alias", the older dialects' alias form
    if (agg && !aggregatesToo)
      zelRefuseSql(*e, zelCannotShow(u"an aggregate in GROUP BY"_s));
    const Target t = agg ? *agg : target(e);
    for (int pass = 0; pass < 2; ++pass)
      for (int i : m_byKey.value(t.key))
        if (matches(m_values.at(i), t) && (pass == 1 || m_values.at(i).show < zelHide))
          return i;
    return -1;
  }

  void readGroupBy(const TzelSqlExpr &e) {
    const TzelSqlExprPtr ptr(TzelSqlExprPtr(), &e);
    int i = valueFor(ptr, false);
    if (i < 0) {
      // Such models group only by values the statement shows.
      if (m_model.GroupBySelect())
        zelRefuseSql(e, zelCannotShow(u"a GROUP BY on a value not selected"_s));
      i = addValue(target(ptr), zelHideGroup, QString());
    }
    PlanValue &v = m_values[i];
    if (isAggregate(v.show) || holdsAggregate(v))
      zelRefuseSql(e, zelCannotShow(u"an aggregate in GROUP BY"_s));
    if (!m_groupedFrom.contains(i))
      m_groupedFrom.insert(i, &e);
    v.show = v.show >= zelHide ? zelHideGroup : zelShowGroup;
  }

  void finishGrouping(const TzelSqlStatement &s) {
    // ORDER BY adds its values later; an aggregate there makes the statement aggregate too.
    const bool aggregates =
        std::any_of(m_values.cbegin(), m_values.cend(),
                    [&](const PlanValue &v) { return isAggregate(v.show) || holdsAggregate(v); }) ||
        std::any_of(s.orderBy.cbegin(), s.orderBy.cend(),
                    [&](const TzelSqlOrderItem &item) { return containsAggregate(*item.expr); });
    // Some engines take a shown value neither grouped nor aggregated; no design shows one, nor
    // writes it.
    for (qsizetype i = 0; i < m_select.size(); ++i) {
      const PlanValue &v = m_values.at(m_select.at(i));
      if ((aggregates || !s.groupBy.isEmpty()) && v.show == zelShow && !holdsAggregate(v))
        zelRefuseSql(*m_selectedFrom.at(i),
                     zelCannotShow(s.groupBy.isEmpty()
                                       ? u"a value beside an aggregate without GROUP BY"_s
                                       : u"a value neither grouped nor aggregated"_s));
    }
    if (s.groupBy.isEmpty() || aggregates)
      return;
    // Grouping without aggregates keeps one row of each group: DISTINCT over the groups, when
    // the grouped values are the shown ones.
    for (auto grouped = m_groupedFrom.cbegin(); grouped != m_groupedFrom.cend(); ++grouped)
      if (m_values.at(grouped.key()).show == zelHideGroup)
        zelRefuseSql(
            *grouped.value(),
            u"a GROUP BY on [%1], a value the statement does not show, without an "
            u"aggregate value cannot be shown in the design: without one, a design "
            u"groups only as DISTINCT over the values it shows"_s.arg(span(*grouped.value())));
    for (PlanValue &v : m_values)
      if (v.show == zelShowGroup)
        v.show = zelShow;
    m_distinct = true;
  }

  void readOrderBy(const TzelSqlOrderItem &item) {
    int i = valueFor(item.expr, true);
    if (i < 0) {
      const std::optional<Target> agg = aggregateTarget(item.expr);
      i = agg ? addValue(*agg, TzelShow(agg->aggregate + kHiddenTwin), QString())
              : addValue(target(item.expr), zelHide, QString());
    }
    if (m_values.at(i).sort != zelSortNone)
      return; // sorted already by an earlier item
    const qsizetype at = m_order.indexOf(i);
    if (at < m_lastSorted) {
      // The design sorts in the order of its values: a value that stands too early is sorted
      // through a hidden twin placed after the last sorted value (a hidden one is moved).
      if (m_values.at(i).show < zelHide) {
        PlanValue twin = m_values.at(i);
        // The value itself groups already: its twin only sorts.
        twin.show = isAggregate(twin.show) ? TzelShow(twin.show + kHiddenTwin) : zelHide;
        twin.cells.clear();
        twin.alias = m_aliases.unique(twin.alias);
        i = appendValue(twin);
      } else {
        m_order.removeAt(at);
        --m_lastSorted;
      }
      m_order.insert(m_lastSorted + 1, i);
    }
    m_values[i].sort = item.descending ? zelSortDescending : zelSortAscending;
    m_lastSorted = m_order.indexOf(i);
  }

  const QString &m_sql;
  TzelModel &m_model;
  TzelDatabase m_dialect;
  TzelFilterItemReader m_items;
  bool m_distinct = false;
  int m_top = 0;
  bool m_topPercent = false;
  int m_topOffset = 0;
  QList<PlanTable> m_tables;
  QHash<QString, int> m_byAlias, m_byWritten;  // statement tables by folded alias and name
  QSet<QString> m_writtenAliases, m_unaliased; // folded: FROM's aliases, names without one
  mutable QStringList m_notes;                 // how a name that could mean two things was read
  QSet<qsizetype> m_sqliteTexts;               // where SQLite's double-quoted texts begin
  ZelAliasIndex m_aliases;                     // the values by alias
  QHash<QString, QList<int>> m_byKey;          // the values by what they compute
  // Per key, aggregate and filter row: how far its values are known to be taken.
  QHash<QString, qsizetype> m_placed;
  QList<PlanJoin> m_joins;
  QList<OpenStep> m_openSteps;
  QList<PlanValue> m_values;
  QList<int> m_select; // the select list's values, in its order
  QSet<int> m_selected;
  QList<const TzelSqlExpr *> m_selectedFrom;    // the select list's items, one per value
  QMap<int, const TzelSqlExpr *> m_groupedFrom; // the values grouped, by GROUP BY's items
  QList<int> m_order;                           // the values in position order
  qsizetype m_lastSorted = -1;
};

} // namespace

TzelSqlDesignResult zelDesignFromSql(const QString &sql, TzelModel &model, TzelDatabase dialect,
                                     TzelQuery &out) {
  TzelSqlDesignResult result;
  if (out.QuerionObject() && out.DataModel() != &model) {
    result.message = u"Error: The query does not belong to the data model"_s;
    return result;
  }
  try {
    Mapper mapper(sql, model, dialect);
    mapper.read();
    const TzelDesignPlan plan = mapper.plan();
    {
      // Made once aside, so that a design the query refuses leaves it as it was.
      TzelQuery scratch;
      ApplyDesignPlan(plan, model, scratch);
    }
    ApplyDesignPlan(plan, model, out);
    result.ok = true;
  } catch (const TzelSqlRefusal &refusal) {
    result.message = refusal.message();
    result.line = refusal.line;
    result.column = refusal.column;
    result.missingTable = refusal.missingTable;
  } catch (const EzelError &error) {
    const TzelSqlRefusal refusal{error.message().mid(QStringLiteral("Error: ").size()), 1, 1};
    result.message = refusal.message();
    result.line = result.column = 1;
  }
  return result;
}
