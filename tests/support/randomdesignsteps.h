// SPDX-License-Identifier: MIT
#pragma once
// Random design steps on a query through the model calls the windows make (tables added,
// deleted, renamed and moved, joins added, changed and deleted, values added, edited and
// deleted, DISTINCT): the undo tests' source of steps.

#include "model/zelmodel.h"
#include "model/zelquery.h"

#include <QRandomGenerator>

// One random step on the query, as a window would make it; returns the step's name.
class RandomDesignSteps {
public:
  RandomDesignSteps(TzelQuery &query, quint32 seed) : m_query(query), m_random(seed) {
    m_query.DataModel()->ListTableAliases(m_modelTables);
  }
  QString step() {
    switch (m_random.bounded(10)) {
    case 0:
      return addTable();
    case 1:
      return deleteTable();
    case 2:
      return renameTable();
    case 3:
      return moveTable();
    case 4:
      return addJoin();
    case 5:
      return changeOrDeleteJoin();
    case 6:
      return addValue();
    case 7:
      return editCell();
    case 8:
      return deleteValue();
    default:
      m_query.SetIsDistinct(!m_query.IsDistinct());
      return QStringLiteral("Distinct");
    }
  }

private:
  int pick(int count) { return count > 0 ? int(m_random.bounded(count)) : -1; }
  TzelTable *liveTable() {
    QStringList aliases;
    m_query.ListTableAliases(aliases);
    const int i = pick(int(aliases.size()));
    return i < 0 ? nullptr : m_query.GetTable(m_query.IndexOfTableAlias(aliases.at(i)));
  }
  QString addTable() {
    const QString name = m_modelTables.at(pick(int(m_modelTables.size())));
    const QString alias = m_query.MakeTableAlias(name);
    m_query.AddTable({}, name, alias);
    m_query.AddAutoJoins(name, alias);
    return QStringLiteral("Add Table ") + alias;
  }
  QString deleteTable() {
    TzelTable *table = liveTable();
    if (table)
      m_query.DeleteTable(table->TableAlias());
    return QStringLiteral("Delete Table");
  }
  QString renameTable() {
    if (TzelTable *table = liveTable())
      m_query.RenameTableAlias(m_query.IndexOfTableAlias(table->TableAlias()),
                               m_query.MakeTableAlias(QStringLiteral("Renamed")));
    return QStringLiteral("Rename Table");
  }
  QString moveTable() {
    if (TzelTable *table = liveTable()) {
      table->SetLeft(pick(2000));
      table->SetTop(pick(2000));
    }
    return QStringLiteral("Move Table");
  }
  bool joined(const TzelTable &left, const TzelTable &right) {
    TzelProbe probe(m_query);
    return m_query.IndexOfJoin(left.TableAlias(), right.TableAlias()) >= 0;
  }
  QString addJoin() {
    TzelTable *left = liveTable();
    TzelTable *right = liveTable();
    if (!left || !right || left == right || joined(*left, *right))
      return QStringLiteral("Add Join");
    const int j = m_query.AddJoin(left->TableAlias(), zelJoinInner, 0, right->TableAlias());
    QStringList leftFields, rightFields;
    m_query.ListFieldAliases(left->TableAlias(), leftFields);
    m_query.ListFieldAliases(right->TableAlias(), rightFields);
    if (!leftFields.isEmpty() && !rightFields.isEmpty())
      m_query.GetJoin(j)->AddJoinField(leftFields.at(pick(int(leftFields.size()))), zelJoinEqual,
                                       rightFields.at(pick(int(rightFields.size()))));
    return QStringLiteral("Add Join");
  }
  QString changeOrDeleteJoin() {
    const int j = pick(m_query.JoinCount());
    if (j < 0 || m_query.GetJoin(j)->Deleted())
      return QStringLiteral("Delete Join");
    if (m_random.bounded(2))
      m_query.GetJoin(j)->SetDeleted(true);
    else
      m_query.GetJoin(j)->SetJoinType(TzelJoinType(pick(3)));
    return QStringLiteral("Join");
  }
  QString addValue() {
    TzelTable *table = liveTable();
    if (!table)
      return QStringLiteral("Add Value");
    QStringList fields;
    m_query.ListFieldAliases(table->TableAlias(), fields);
    if (!fields.isEmpty())
      m_query.AddValue(table->TableAlias(), fields.at(pick(int(fields.size()))), {});
    return QStringLiteral("Add Value");
  }
  TzelQueryValue *liveValue() {
    const int v = pick(m_query.ValueCount());
    return v < 0 || m_query.GetValue(v)->Deleted() ? nullptr : m_query.GetValue(v);
  }
  QString editCell() {
    if (TzelQueryValue *value = liveValue()) {
      switch (m_random.bounded(3)) {
      case 0:
        value->SetSort(TzelSort(pick(3)));
        break;
      case 1:
        value->SetFormat(QStringLiteral("F%1").arg(pick(9)));
        break;
      default:
        value->SetFilter(pick(4) + 1, TzelFilterOper(pick(3)), QString::number(pick(100)));
      }
    }
    return QStringLiteral("Edit Cell");
  }
  QString deleteValue() {
    if (TzelQueryValue *value = liveValue())
      value->SetDeleted(true);
    return QStringLiteral("Delete Value");
  }

  TzelQuery &m_query;
  QRandomGenerator m_random;
  QStringList m_modelTables;
};
