// SPDX-License-Identifier: MIT
#include "engine/sqlconditions.h"

using namespace Qt::StringLiterals;

namespace {

using Kind = TzelSqlExpr::Kind;
using Clause = TzelSqlClause;
using Cell = TzelSqlCell;
using Row = TzelSqlCellRow;

bool isNegatedOper(TzelFilterOper oper) {
  return oper == zelFilterNotEqual || oper == zelFilterNotBetween || oper == zelFilterNotLike;
}
TzelFilterOper negatedOper(TzelFilterOper oper) {
  switch (oper) {
  case zelFilterEqual:
    return zelFilterNotEqual;
  case zelFilterNotEqual:
    return zelFilterEqual;
  case zelFilterBetween:
    return zelFilterNotBetween;
  case zelFilterNotBetween:
    return zelFilterBetween;
  case zelFilterLike:
    return zelFilterNotLike;
  case zelFilterNotLike:
    return zelFilterLike;
  case zelFilterGT:
    return zelFilterLE;
  case zelFilterLE:
    return zelFilterGT;
  case zelFilterGE:
    return zelFilterLT;
  case zelFilterLT:
    return zelFilterGE;
  }
  return oper;
}
// A comparison's operator; flipped when the literal stands on the left (5 < qty).
TzelFilterOper compareOper(const QString &op, bool flipped) {
  if (op == u"=")
    return zelFilterEqual;
  if (op == u"<>")
    return zelFilterNotEqual;
  const bool less = op.startsWith(u'<') != flipped;
  const bool orEqual = op.endsWith(u'=');
  return less ? (orEqual ? zelFilterLE : zelFilterLT) : (orEqual ? zelFilterGE : zelFilterGT);
}

// The rows of a AND b, into a. One row of b (most often) is appended in place: a long run of
// ANDs then takes time in proportion to its length.
void andRows(QList<Row> &a, const QList<Row> &b) {
  if (b.size() == 1) {
    for (Row &r : a)
      r += b.first();
    return;
  }
  QList<Row> result;
  for (const Row &r : std::as_const(a))
    for (const Row &p : b)
      result.append(r + p);
  a = std::move(result);
}

// An ILIKE pattern in lower case; only a text can be.
TzelSqlExprPtr lowered(const TzelSqlExprPtr &pattern) {
  if (pattern->kind != Kind::Literal || pattern->quoted != TzelSqlTokenKind::String)
    zelRefuseSql(*pattern, zelCannotShow(u"ILIKE with other than a text pattern"_s));
  auto copy = std::make_shared<TzelSqlExpr>(*pattern);
  copy->text = pattern->text.toLower();
  return copy;
}

// TRUE, standing where a Boolean column stands alone as a condition.
TzelSqlExprPtr trueLiteral(const TzelSqlExpr &at) {
  auto literal = std::make_shared<TzelSqlExpr>(at);
  literal->kind = Kind::Literal;
  literal->quoted = TzelSqlTokenKind::Word;
  literal->text = u"TRUE"_s;
  literal->parts.clear();
  return literal;
}

class ConditionReader {
public:
  explicit ConditionReader(const TzelSqlTargets &targets) : m_targets(targets) {}

  Cell atom(const TzelSqlExprPtr &e, Clause clause) const {
    Cell cell;
    switch (e->kind) {
    case Kind::Compare: {
      const bool leftLiteral = m_targets.literalSide(*e->args.at(0), clause);
      const bool rightLiteral = m_targets.literalSide(*e->args.at(1), clause);
      if (leftLiteral == rightLiteral)
        zelRefuseSql(*e, zelCannotShow(u"a condition that is not on one value"_s));
      cell.target = m_targets.conditionTarget(e->args.at(leftLiteral ? 1 : 0), clause);
      cell.oper = compareOper(e->text, leftLiteral);
      cell.items << e->args.at(leftLiteral ? 0 : 1);
      break;
    }
    case Kind::Between:
    case Kind::In:
    case Kind::Like: {
      const bool ilike = e->kind == Kind::Like && e->text == u"ILIKE";
      cell.target = m_targets.conditionTarget(e->args.at(0), clause);
      if (ilike)
        cell.target = m_targets.loweredTarget(cell.target);
      for (qsizetype i = 1; i < e->args.size(); ++i) {
        if (!m_targets.literalSide(*e->args.at(i), clause))
          zelRefuseSql(*e->args.at(i), zelCannotShow(u"a condition that is not on one value"_s));
        cell.items << (ilike ? lowered(e->args.at(i)) : e->args.at(i));
      }
      const TzelFilterOper oper = e->kind == Kind::Between ? zelFilterBetween
                                  : e->kind == Kind::In    ? zelFilterEqual
                                                           : zelFilterLike;
      cell.oper = e->negated ? negatedOper(oper) : oper;
      break;
    }
    case Kind::IsNull:
      cell.target = m_targets.conditionTarget(e->args.at(0), clause);
      cell.blank = true;
      cell.positive = !e->negated;
      return cell;
    case Kind::Column: // a Boolean column standing alone: WHERE active
      cell.target = m_targets.conditionTarget(e, clause);
      if (!cell.target.typed || cell.target.type != ftBoolean)
        zelRefuseSql(*e, zelCannotShow(u"a condition that is not on one value"_s));
      cell.oper = zelFilterEqual;
      cell.items << trueLiteral(*e);
      break;
    default:
      zelRefuseSql(*e, zelCannotShow(u"a condition that is not on one value"_s));
    }
    cell.positive = !isNegatedOper(*cell.oper);
    return cell;
  }

  static void negate(Cell &cell) {
    if (cell.oper)
      cell.oper = negatedOper(*cell.oper);
    cell.positive = cell.oper ? !isNegatedOper(*cell.oper) : !cell.positive;
  }

  // Two cells as one: OR of positive ones, AND of negated ones, on the same value.
  static bool merge(Cell &into, const Cell &part, bool disjunction) {
    if (into.target.key != part.target.key || into.target.aggregate != part.target.aggregate ||
        into.positive != disjunction || part.positive != disjunction)
      return false;
    if (into.oper && part.oper && *into.oper != *part.oper)
      return false;
    const TzelFilterOper oper = into.oper ? *into.oper : part.oper.value_or(zelFilterEqual);
    if ((oper == zelFilterBetween || oper == zelFilterNotBetween) && !into.items.isEmpty() &&
        !part.items.isEmpty())
      return false;
    if (!into.oper)
      into.oper = part.oper;
    into.items += part.items;
    into.blank = into.blank || part.blank;
    return true;
  }

  std::optional<Cell> cellOf(const TzelSqlExprPtr &e, bool negated, Clause clause) const {
    if (e->kind == Kind::Not)
      return cellOf(e->args.first(), !negated, clause);
    if (e->kind == Kind::Or || e->kind == Kind::And) {
      const bool disjunction = (e->kind == Kind::Or) != negated;
      std::optional<Cell> merged;
      for (const TzelSqlExprPtr &a : e->args) {
        if (a->parenthesized) // each cell stands in parentheses of its own
          return std::nullopt;
        std::optional<Cell> part = cellOf(a, negated, clause);
        if (!part)
          return std::nullopt;
        if (!merged)
          merged = part;
        else if (!merge(*merged, *part, disjunction))
          return std::nullopt;
      }
      return merged;
    }
    Cell cell = atom(e, clause);
    if (negated)
      negate(cell);
    return cell;
  }

  QList<Row> rows(const TzelSqlExprPtr &e, bool negated, Clause clause) const {
    if (std::optional<Cell> cell = cellOf(e, negated, clause))
      return {{*cell}};
    if (e->kind == Kind::Not)
      return rows(e->args.first(), !negated, clause);
    const bool disjunction = (e->kind == Kind::Or) != negated;
    QList<Row> result;
    if (disjunction) {
      for (const TzelSqlExprPtr &a : e->args)
        result += rows(a, negated, clause);
    } else {
      result = {Row()};
      for (const TzelSqlExprPtr &a : e->args) {
        andRows(result, rows(a, negated, clause));
        if (result.size() > TzelFilterPositionMax)
          break;
      }
    }
    if (result.size() > TzelFilterPositionMax)
      zelRefuseSql(*e, zelCannotShow(u"a condition of more than twenty OR branches"_s));
    return result;
  }

private:
  const TzelSqlTargets &m_targets;
};

} // namespace

QList<TzelSqlCellRow> SqlConditionRows(const QList<TzelSqlExprPtr> &conjuncts, TzelSqlClause clause,
                                       const TzelSqlTargets &targets) {
  const ConditionReader reader(targets);
  QList<Row> all{Row()};
  for (const TzelSqlExprPtr &c : conjuncts) {
    andRows(all, reader.rows(c, false, clause));
    if (all.size() > TzelFilterPositionMax)
      zelRefuseSql(*c, zelCannotShow(u"a condition of more than twenty OR branches"_s));
  }
  return all;
}
