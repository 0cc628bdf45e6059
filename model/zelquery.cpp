// SPDX-License-Identifier: MIT
#include "model/zelquery.h"
#include "model/tokenizer.h"
#include "model/vocabulary.h"
#include "model/zelregistry.h"

#include "model/zelmodel.h"

#include <memory>
#include <vector>

// TzelQueryTable

TzelQueryTable::TzelQueryTable(QObject *parent) : TzelTable(parent) {}

TzelQuery *TzelQueryTable::Query() const {
  return qobject_cast<TzelQuery *>(Schema());
}

bool TzelQueryTable::Resolve() const {
  if (m_modelTableIndex >= 0 && m_model)
    return true;
  // A model that went away leaves nothing to delegate to: resolve afresh.
  m_modelTableIndex = -1;
  const TzelQuery *query = Query();
  TzelModel *model = query ? query->DataModel() : nullptr;
  if (!model || model->TableCount() == 0)
    return false;
  m_model = model;
  m_modelTableIndex = model->IndexOfTableAlias(TableName());
  return m_modelTableIndex >= 0;
}

void TzelQueryTable::tableNameChanged() {
  m_modelTableIndex = -1;
  m_model = nullptr;
}

TzelTable *TzelQueryTable::ModelTable() const {
  if (m_modelTableIndex < 0 || !m_model || m_modelTableIndex >= m_model->TableCount())
    return nullptr;
  return m_model->GetTable(m_modelTableIndex);
}

int TzelQueryTable::FieldCount() const {
  return Resolve() ? ModelTable()->FieldCount() : -1;
}

TzelField *TzelQueryTable::GetField(int index) const {
  return Resolve() ? ModelTable()->GetField(index) : nullptr;
}

void TzelQueryTable::SetField(int index, TzelField *field) {
  if (Resolve())
    ModelTable()->SetField(index, field);
}

QString TzelQueryTable::GetDatabaseName() const {
  return Resolve() ? ModelTable()->GetDatabaseName() : QString();
}

void TzelQueryTable::SetDatabaseName(const QString &name) {
  if (Resolve())
    ModelTable()->SetDatabaseName(name);
}

bool TzelQueryTable::FieldIndexValid(int index) const {
  return Resolve() && ModelTable()->FieldIndexValid(index);
}

TzelField *TzelQueryTable::FieldByAlias(const QString &alias) const {
  return Resolve() ? ModelTable()->FieldByAlias(alias) : nullptr;
}

TzelField *TzelQueryTable::FieldByName(const QString &name) const {
  return Resolve() ? ModelTable()->FieldByName(name) : nullptr;
}

TzelField *TzelQueryTable::FindField(const QString &alias) const {
  return Resolve() ? ModelTable()->FindField(alias) : nullptr;
}

int TzelQueryTable::IndexOfFieldName(const QString &name) const {
  return Resolve() ? ModelTable()->IndexOfFieldName(name) : -1;
}

int TzelQueryTable::IndexOfFieldAlias(const QString &alias) const {
  return Resolve() ? ModelTable()->IndexOfFieldAlias(alias) : -1;
}

void TzelQueryTable::AttachField(TzelField *field) {
  Q_UNUSED(field);
}

int TzelQueryTable::AddField(const QString &fieldName, const QString &fieldAlias,
                             TFieldType dataType, int dataSize) {
  Q_UNUSED(fieldName);
  Q_UNUSED(fieldAlias);
  Q_UNUSED(dataType);
  Q_UNUSED(dataSize);
  return -1;
}

// TzelQueryFilter

TzelQueryFilter::TzelQueryFilter(QObject *parent) : TzelComponent(parent) {}

void TzelQueryFilter::SetFilter(const QString &filter) {
  m_filter = filter.endsWith(QLatin1Char('|')) ? filter : filter + QLatin1Char('|');
}

QStringList TzelQueryFilter::SplitFilter(const QString &filter) {
  QStringList items = filter.split(QLatin1Char('|'));
  items.removeLast(); // the text after the last bar
  items.removeAll(QString());
  return items;
}

// TzelQueryValue

TzelQueryValue::TzelQueryValue(QObject *parent) : TzelComponent(parent) {}

TzelQueryValue::~TzelQueryValue() {
  qDeleteAll(m_filters);
}

void TzelQueryValue::SetValueAlias(const QString &alias) {
  const TzelName value(alias);
  if (IsBlank(value))
    throw EzelError(QStringLiteral("Error: Header cannot be blank"));
  const QString old = m_valueAlias;
  m_valueAlias = value;
  if (m_query)
    m_query->valueAliasChanged(this, old);
}

void TzelQueryValue::SetDeleted(bool on) {
  if (m_deleted == on)
    return;
  m_deleted = on;
  if (m_query)
    m_query->valueDeletedChanged(this);
}

namespace {
// A quotient (a / b, a share of a total in percent) is not of its operands' scale.
bool divides(const QString &expression) {
  try {
    const QStringList lines{expression};
    TzelTokenList tokens;
    TokenizeExpression(lines, tokens);
    for (int i = 0; i < tokens.count(); ++i)
      if (!tokens.isValue(i) && tokens.text(i, lines) == u"/")
        return true;
  } catch (const EzelError &) {
    // an unbalanced expression is refused when the statement is made
  }
  return false;
}
} // namespace

bool TzelQueryValue::KeepsPrecision() const {
  if (m_dataType != ftUnknown && !IsNumericFieldType(m_dataType))
    return false;
  return m_show == zelShowAverage || m_show == zelHideAverage ||
         (IsBlank(m_tableAlias) && divides(m_expression));
}

bool TzelQueryValue::leavesFieldScale() const {
  return KeepsPrecision() || m_show == zelShowCount || m_show == zelHideCount;
}

const TzelField *TzelQueryValue::sourceField() const {
  if (!m_query || IsBlank(m_tableAlias))
    return nullptr;
  try {
    TzelProbe probe(*m_query);
    const int table = m_query->IndexOfTableAlias(m_tableAlias);
    return table < 0 ? nullptr : m_query->GetTable(table)->FindField(m_expression);
  } catch (const EzelError &) {
    return nullptr; // the data model no longer holds the table
  }
}

TFieldType TzelQueryValue::ResultDataType() const {
  if (m_show == zelShowCount || m_show == zelHideCount)
    return ftInteger;
  return KeepsPrecision() ? ftFloat : m_dataType;
}

QString TzelQueryValue::ResultFormat() const {
  const QString &format = m_format;
  if (!leavesFieldScale() || IsBlank(format))
    return format;
  const TzelField *field = sourceField();
  return field && field->Format() == format ? QString() : format;
}

bool TzelQueryValue::FilterIndexValid(int index) const {
  return zelIndexValid(index, m_filters.size(), m_raiseOnMissing, "Filter Index");
}

TzelQueryFilter *TzelQueryValue::GetFilter(int index) const {
  return FilterIndexValid(index) ? m_filters.at(index) : nullptr;
}

int TzelQueryValue::SetFilter(int position, TzelFilterOper oper, const QString &text) {
  int index = -1;
  for (int i = 0; i < m_filters.size() && index < 0; ++i)
    if (!m_filters.at(i)->Deleted() && m_filters.at(i)->Position() == position)
      index = i;
  for (int i = 0; i < m_filters.size() && index < 0; ++i)
    if (m_filters.at(i)->Deleted())
      index = i;
  if (index < 0) {
    AttachFilter(new TzelQueryFilter(this));
    index = FilterCount() - 1;
  }
  TzelQueryFilter *filter = m_filters.at(index);
  filter->SetPosition(position);
  filter->SetOperator(oper);
  filter->SetFilter(text);
  filter->SetDeleted(false);
  return index;
}

void TzelQueryValue::ClearFilters() {
  for (TzelQueryFilter *f : std::as_const(m_filters))
    f->SetDeleted(true);
}

void TzelQueryValue::AttachFilter(TzelQueryFilter *filter) {
  filter->setParent(this);
  filter->SetValue(this);
  m_filters.append(filter);
}

QList<TzelComponent *> TzelQueryValue::storedChildren() const {
  QList<TzelComponent *> children;
  for (TzelQueryFilter *f : m_filters)
    if (!f->Deleted())
      children.append(f);
  return children;
}

bool TzelQueryValue::attachStoredChild(TzelComponent *child) {
  auto *filter = qobject_cast<TzelQueryFilter *>(child);
  if (!filter)
    return false;
  AttachFilter(filter);
  return true;
}

// TzelQuery

TzelQuery::TzelQuery(QObject *parent) : TzelSchema(parent) {
  if (dynamic_cast<TzelQueryOwner *>(parent))
    SetQuerion(parent);
}

TzelQuery::~TzelQuery() {
  ClearValues();
  ClearTables();
  ClearJoins();
}

TzelQueryOwner *TzelQuery::Querion() const {
  return m_querion ? m_owner : nullptr;
}

void TzelQuery::SetQuerion(QObject *querion) {
  m_querion = querion;
  m_owner = dynamic_cast<TzelQueryOwner *>(querion);
}

TzelModel *TzelQuery::DataModel() const {
  const TzelQueryOwner *owner = Querion();
  return owner ? owner->queryDataModel() : nullptr;
}

int TzelQuery::AddTable(const QString &databaseName, const QString &tableName,
                        const QString &tableAlias) {
  Q_UNUSED(databaseName);
  const QString alias = newTableAlias(tableAlias, tableName);
  return addNewTable(std::make_unique<TzelQueryTable>(), [&](TzelTable &table) {
    table.SetTableAlias(alias);
    table.SetTableName(tableName);
  });
}

bool TzelQuery::DeleteTable(const QString &alias) {
  if (!TzelSchema::DeleteTable(alias))
    return false;
  for (TzelQueryValue *v : std::as_const(m_values))
    if (zelSameText(v->TableAlias(), alias))
      v->SetDeleted(true);
  return true;
}

bool TzelQuery::RenameTableAlias(int index, const QString &newAlias) {
  const TzelTable *table = GetTable(index);
  if (!table)
    return false;
  const QString old = table->TableAlias();
  if (!TzelSchema::RenameTableAlias(index, newAlias))
    return false;
  // Values compare table aliases ignoring case, so a case-only rename leaves them alone.
  if (zelSameText(old, newAlias))
    return true;
  for (TzelQueryValue *v : std::as_const(m_values))
    if (!v->Deleted() && zelSameText(v->TableAlias(), old))
      v->SetTableAlias(table->TableAlias());
  return true;
}

void TzelQuery::AddAutoJoins(const QString &tableName, const QString &tableAlias) {
  TzelModel *model = DataModel();
  if (!model || !model->AutoJoin())
    return;
  const QHash<QString, const TzelJoin *> modelJoins = modelJoinsOf(*model, tableName);
  for (const TzelTable *other : std::as_const(m_tables)) {
    if (other->Deleted() || other->TableAlias() == tableAlias)
      continue;
    const TzelJoin *modelJoin = modelJoins.value(other->TableName().toCaseFolded());
    if (!modelJoin)
      continue;
    {
      TzelProbe probe(*this);
      if (IndexOfJoin(other->TableAlias(), tableAlias) >= 0)
        continue;
    }
    const bool otherIsLeft = zelSameText(modelJoin->LeftTableAlias(), other->TableName());
    const int joinIndex = otherIsLeft
                              ? AddJoin(other->TableAlias(), modelJoin->JoinType(), 0, tableAlias)
                              : AddJoin(tableAlias, modelJoin->JoinType(), 0, other->TableAlias());
    TzelJoin *join = m_joins.at(joinIndex);
    for (int p = 0; p < modelJoin->JoinFieldCount(); ++p) {
      const TzelJoinField *pair = modelJoin->GetJoinField(p);
      if (!pair->Deleted())
        join->AddJoinField(pair->LeftFieldAlias(), pair->JoinOper(), pair->RightFieldAlias());
    }
  }
}

// The model's first live join between the table and each other table, by the other table's
// case-folded name: one pass over the model's joins rather than one per table of the query.
QHash<QString, const TzelJoin *> TzelQuery::modelJoinsOf(const TzelModel &model,
                                                         const QString &tableName) {
  QHash<QString, const TzelJoin *> joins;
  for (int j = 0; j < model.JoinCount(); ++j) {
    const TzelJoin *join = model.GetJoin(j);
    if (join->Deleted())
      continue;
    for (const auto &[end, other] : {std::pair(join->LeftTableAlias(), join->RightTableAlias()),
                                     std::pair(join->RightTableAlias(), join->LeftTableAlias())})
      if (zelSameText(end, tableName) && !joins.contains(other.toCaseFolded()))
        joins.insert(other.toCaseFolded(), join);
  }
  return joins;
}

TzelQueryValue *TzelQuery::GetValue(int index) const {
  zelIndexValid(index, m_values.size(), true, "Value Index");
  return m_values.at(index);
}

void TzelQuery::ClearValues() {
  m_valueAliases.clear();
  qDeleteAll(m_values);
  m_values.clear();
}

int TzelQuery::IndexOfValueAlias(const QString &alias) const {
  if (const int index = m_valueAliases.first(alias); index >= 0)
    return index;
  if (RaiseOnMissing())
    throw EzelError(QStringLiteral("Error: Value Alias [") + alias +
                    QStringLiteral("] does not exist"));
  return -1;
}

QString TzelQuery::MakeValueAlias(const QString &base) {
  return m_valueAliases.unique(ProperCase(base));
}

TzelQueryValue *TzelQuery::createValue(const QString &alias, const QString &tableAlias,
                                       const QString &expression) {
  auto value = std::make_unique<TzelQueryValue>();
  value->SetValueAlias(alias); // before it belongs to the query, which indexes it on attaching
  value->SetTableAlias(tableAlias);
  value->SetExpression(expression);
  value->SetShow(zelShow);
  value->SetSort(zelSortNone);
  value->SetPosition(ValueCount());
  AttachValue(value.get());
  return value.release();
}

int TzelQuery::AddValue(const QString &tableAlias, const QString &expression,
                        const QString &valueAlias) {
  return addValue(tableAlias, expression, valueAlias, AliasCase::Proper);
}

int TzelQuery::addValue(const QString &tableAlias, const QString &expression,
                        const QString &valueAlias, AliasCase aliasCase) {
  QString alias = valueAlias;
  const TzelField *field = nullptr;
  if (!IsBlank(tableAlias)) {
    const int tableIndex = IndexOfTableAlias(tableAlias);
    if (tableIndex < 0)
      return -1;
    const TzelTable *table = m_tables.at(tableIndex);
    const int fieldIndex = table->IndexOfFieldAlias(expression);
    if (fieldIndex < 0)
      return -1;
    field = table->GetField(fieldIndex);
    if (IsBlank(alias))
      alias = expression;
  } else if (IsBlank(alias)) {
    throw EzelError(QStringLiteral("Error: The Value Header cannot be blank"));
  }
  const QString unique =
      aliasCase == AliasCase::Proper ? MakeValueAlias(alias) : m_valueAliases.unique(alias);
  TzelQueryValue *value = createValue(unique, tableAlias, expression);
  if (field) {
    value->SetDataType(field->DataType());
    value->SetWidth(field->DataSize());
    value->SetFormat(field->Format());
    value->SetAlignment(field->Alignment());
  }
  return ValueCount() - 1;
}

void TzelQuery::ListValueAliases(QStringList &list) const {
  list.clear();
  std::vector<const TzelQueryValue *> byPosition(m_values.size(), nullptr);
  for (const TzelQueryValue *v : m_values) {
    const int p = v->Position();
    if (!v->Deleted() && p >= 0 && p < ValueCount() && !byPosition[p])
      byPosition[p] = v; // the first live value at each position
  }
  for (const TzelQueryValue *v : byPosition)
    if (v)
      list.append(v->ValueAlias());
}

void TzelQuery::Assign(const QObject *source) {
  TzelSchema::Assign(source);
  const auto *src = qobject_cast<const TzelQuery *>(source);
  if (!src || src == this)
    return;
  ClearValues();
  m_queryName = src->m_queryName;
  m_queryType = src->m_queryType;
  m_isDistinct = src->m_isDistinct;
  m_topValues = src->m_topValues;
  m_topPercent = src->m_topPercent;
  m_topOffset = src->m_topOffset;
  for (const TzelQueryValue *v : src->m_values) {
    if (v->Deleted())
      continue;
    // A copy is also how a query is read from its file: a header keeps the text the user
    // typed (or the statement gave it); only a second value of the same header is renamed.
    int index = addValue(v->TableAlias(), v->Expression(), v->ValueAlias(), AliasCase::AsWritten);
    if (index < 0) {
      // A copy that cannot reach the data model (no owner yet) cannot check the field;
      // keep the value rather than lose it.
      TzelProbe probe(*this);
      const int t = IndexOfTableAlias(v->TableAlias());
      if (t < 0 || m_tables.at(t)->FieldCount() >= 0)
        continue;
      createValue(m_valueAliases.unique(v->ValueAlias()), v->TableAlias(), v->Expression());
      index = ValueCount() - 1;
    }
    TzelQueryValue *copy = m_values.at(index);
    copy->SetShow(v->Show());
    copy->SetSort(v->Sort());
    copy->SetFormat(v->Format());
    copy->SetAlignment(v->Alignment());
    copy->SetDataType(v->DataType());
    copy->SetWidth(v->Width());
    copy->SetPosition(v->Position());
    for (int f = 0; f < v->FilterCount(); ++f) {
      const TzelQueryFilter *filter = v->GetFilter(f);
      if (!filter->Deleted())
        copy->SetFilter(filter->Position(), filter->Operator(), filter->Filter());
    }
  }
}

void TzelQuery::AttachValue(TzelQueryValue *value) {
  // The query owns its values through Values alone: as QObject children each one freed would
  // be looked up in, and cut out of, the list of all the query's children, so that clearing
  // many values took time growing with the square of their number.
  value->setParent(nullptr);
  value->SetQuery(this);
  m_values.append(value);
  if (!value->Deleted())
    m_valueAliases.insert(value->ValueAlias(), ValueCount() - 1);
}

void TzelQuery::valueAliasChanged(const TzelQueryValue *value, const QString &oldAlias) {
  const int index = int(m_values.lastIndexOf(value)); // the newest values change most
  if (index < 0 || value->Deleted())
    return;
  m_valueAliases.remove(oldAlias, index);
  m_valueAliases.insert(value->ValueAlias(), index);
}

void TzelQuery::valueDeletedChanged(const TzelQueryValue *value) {
  const int index = int(m_values.lastIndexOf(value));
  if (index < 0)
    return;
  if (value->Deleted())
    m_valueAliases.remove(value->ValueAlias(), index);
  else
    m_valueAliases.insert(value->ValueAlias(), index);
}

QList<TzelComponent *> TzelQuery::storedChildren() const {
  QList<TzelComponent *> children = TzelSchema::storedChildren();
  for (TzelQueryValue *v : m_values)
    if (!v->Deleted())
      children.append(v);
  return children;
}

bool TzelQuery::replaceStoredChildren(const QList<TzelComponent *> &children,
                                      std::vector<std::unique_ptr<TzelComponent>> &released) {
  zelReleaseChildren(m_values, QSet<const TzelComponent *>(children.cbegin(), children.cend()),
                     released);
  m_valueAliases.clear();
  return TzelSchema::replaceStoredChildren(children, released);
}

bool TzelQuery::attachStoredChild(TzelComponent *child) {
  if (auto *value = qobject_cast<TzelQueryValue *>(child)) {
    AttachValue(value);
    return true;
  }
  return TzelSchema::attachStoredChild(child);
}

bool TzelQuery::acceptsTable(const TzelTable *table) const {
  return qobject_cast<const TzelQueryTable *>(table) != nullptr;
}

namespace {
// Stored forms create these by class name.
const ZelRegisterClass<TzelQueryTable> registerTzelQueryTable;
const ZelRegisterClass<TzelQueryFilter> registerTzelQueryFilter;
const ZelRegisterClass<TzelQueryValue> registerTzelQueryValue;
const ZelRegisterClass<TzelQuery> registerTzelQuery;
} // namespace
