// SPDX-License-Identifier: MIT
#include "engine/designplan.h"

#include "model/zelmodel.h"
#include "model/zelquery.h"

#include <memory>

namespace {

// Holds the query while it is filled when it belongs to no query component.
class ModelHolder : public QObject, public TzelQueryOwner {
public:
  explicit ModelHolder(TzelModel *model) : m_model(model) {}
  TzelModel *queryDataModel() const override { return m_model; }

private:
  TzelModel *m_model;
};

} // namespace

void ApplyDesignPlan(const TzelDesignPlan &plan, TzelModel &model, TzelQuery &out) {
  std::unique_ptr<ModelHolder> holder;
  if (!out.QuerionObject()) {
    holder = std::make_unique<ModelHolder>(&model);
    out.SetQuerion(holder.get());
  }
  out.ClearValues();
  out.ClearJoins();
  out.ClearTables();
  out.SetIsDistinct(plan.distinct);
  out.SetTopValues(plan.top);
  out.SetTopPercent(plan.topPercent);
  out.SetTopOffset(plan.topOffset);
  for (const auto &[modelAlias, alias] : plan.tables)
    out.AddTable(QString(), modelAlias, alias);
  for (const TzelPlannedJoin &j : plan.joins) {
    TzelJoin *join = out.GetJoin(out.AddJoin(j.left, j.type, 0, j.right));
    for (const auto &[left, right] : j.pairs)
      join->AddJoinField(left, zelJoinEqual, right);
  }
  const int base = out.ValueCount();
  QList<int> position(plan.values.size(), -1);
  for (qsizetype p = 0; p < plan.order.size(); ++p)
    position[plan.order.at(p)] = int(p);
  for (int i = 0; i < plan.values.size(); ++i) {
    const TzelPlannedValue &v = plan.values.at(i);
    const int index = out.AddValue(v.target.tableAlias, v.target.expression, v.alias);
    TzelQueryValue *value = out.GetValue(index < 0 ? base + i : index);
    value->SetValueAlias(v.alias);
    value->SetShow(v.show);
    value->SetSort(v.sort);
    value->SetPosition(position.at(i));
    if (v.target.tableAlias.isEmpty() && v.target.typed)
      value->SetDataType(v.target.type);
    for (auto cell = v.cells.cbegin(); cell != v.cells.cend(); ++cell)
      value->SetFilter(cell.key(), cell->oper, cell->text);
  }
  if (holder)
    out.SetQuerion(nullptr);
}
