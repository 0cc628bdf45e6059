// SPDX-License-Identifier: MIT
#include "model/zelschema.h"
#include "model/zelregistry.h"

namespace {

QString bracketed(const QString &what, const QString &name, const QString &rest) {
  return QStringLiteral("Error: ") + what + QStringLiteral(" [") + name + QStringLiteral("] ") +
         rest;
}

[[noreturn]] void raiseMissing(const QString &what, const QString &name) {
  throw EzelError(bracketed(what, name, QStringLiteral("does not exist")));
}

bool isAsciiLetter(QChar c) {
  return (c >= QLatin1Char('a') && c <= QLatin1Char('z')) ||
         (c >= QLatin1Char('A') && c <= QLatin1Char('Z'));
}

} // namespace

bool zelIndexValid(int index, qsizetype count, bool raise, const char *what) {
  if (index >= 0 && index < count)
    return true;
  if (raise)
    raiseMissing(QLatin1String(what), QString::number(index));
  return false;
}

// TzelField

TzelField::TzelField(QObject *parent) : TzelComponent(parent) {}

void TzelField::SetFieldAlias(const QString &alias) {
  const TzelName value(alias);
  if (IsBlank(value))
    throw EzelError(QStringLiteral("Error: Field Alias cannot be blank."));
  m_fieldAlias = value;
}

void TzelField::SetFieldName(const QString &name) {
  const TzelName value(name);
  if (IsBlank(value))
    throw EzelError(QStringLiteral("Error: Field Name cannot be blank."));
  m_fieldName = value;
}

// TzelTable

TzelTable::TzelTable(QObject *parent) : TzelComponent(parent) {}

void TzelTable::SetTableName(const QString &name) {
  const TzelName value(name);
  if (value.text().isEmpty())
    throw EzelError(QStringLiteral("Error: Table Name cannot be blank."));
  m_tableName = value;
  tableNameChanged();
}

void TzelTable::SetTableAlias(const QString &alias) {
  const TzelName value(alias);
  if (value.text().isEmpty())
    throw EzelError(QStringLiteral("Error: Table Alias cannot be blank."));
  const QString old = m_tableAlias;
  m_tableAlias = value;
  if (m_schema)
    m_schema->tableAliasChanged(this, old);
}

void TzelTable::SetDeleted(bool on) {
  if (m_deleted == on)
    return;
  m_deleted = on;
  if (m_schema)
    m_schema->tableDeletedChanged(this);
}

// TzelJoinField

TzelJoinField::TzelJoinField(QObject *parent) : TzelComponent(parent) {}

// TzelJoin

TzelJoin::TzelJoin(QObject *parent) : TzelComponent(parent) {}

TzelJoin::~TzelJoin() {
  ClearJoinFields();
}

bool TzelJoin::JoinFieldIndexValid(int index) const {
  return zelIndexValid(index, m_joinFields.size(), m_raiseOnMissing, "Join Field Index");
}

TzelJoinField *TzelJoin::GetJoinField(int index) const {
  return JoinFieldIndexValid(index) ? m_joinFields.at(index) : nullptr;
}

int TzelJoin::AddJoinField(const QString &leftFieldAlias, TzelJoinOper oper,
                           const QString &rightFieldAlias) {
  auto *pair = new TzelJoinField(this);
  pair->SetLeftFieldAlias(leftFieldAlias);
  pair->SetJoinOper(oper);
  pair->SetRightFieldAlias(rightFieldAlias);
  AttachJoinField(pair);
  return JoinFieldCount() - 1;
}

int TzelJoin::IndexOfJoinField(const QString &a, const QString &b) const {
  for (int i = 0; i < m_joinFields.size(); ++i) {
    const TzelJoinField *p = m_joinFields.at(i);
    if (p->Deleted())
      continue;
    if ((zelSameText(p->LeftFieldAlias(), a) && zelSameText(p->RightFieldAlias(), b)) ||
        (zelSameText(p->LeftFieldAlias(), b) && zelSameText(p->RightFieldAlias(), a)))
      return i;
  }
  if (m_raiseOnMissing)
    throw EzelError(QStringLiteral("Error: Join fields between [") + a + QStringLiteral("] and [") +
                    b + QStringLiteral("] does not exist"));
  return -1;
}

void TzelJoin::DeleteJoinField(int index) {
  TzelJoinField *pair = GetJoinField(index);
  if (!pair)
    return;
  pair->SetDeleted(true);
  for (const TzelJoinField *p : std::as_const(m_joinFields))
    if (!p->Deleted())
      return;
  m_deleted = true;
}

void TzelJoin::AttachJoinField(TzelJoinField *joinField) {
  joinField->setParent(this);
  joinField->SetJoin(this);
  m_joinFields.append(joinField);
}

void TzelJoin::ClearJoinFields() {
  qDeleteAll(m_joinFields);
  m_joinFields.clear();
}

QList<TzelComponent *> TzelJoin::storedChildren() const {
  QList<TzelComponent *> children;
  for (TzelJoinField *p : m_joinFields)
    if (!p->Deleted())
      children.append(p);
  return children;
}

bool TzelJoin::attachStoredChild(TzelComponent *child) {
  auto *pair = qobject_cast<TzelJoinField *>(child);
  if (!pair)
    return false;
  AttachJoinField(pair);
  return true;
}

// TzelSchema

TzelSchema::TzelSchema(QObject *parent) : TzelComponent(parent) {}

TzelSchema::~TzelSchema() {
  ClearTables();
  ClearJoins();
}

bool TzelSchema::TableIndexValid(int index) const {
  return zelIndexValid(index, m_tables.size(), m_raiseOnMissing, "Table Index");
}

bool TzelSchema::JoinIndexValid(int index) const {
  return zelIndexValid(index, m_joins.size(), m_raiseOnMissing, "Join Index");
}

TzelTable *TzelSchema::GetTable(int index) const {
  return TableIndexValid(index) ? m_tables.at(index) : nullptr;
}

TzelJoin *TzelSchema::GetJoin(int index) const {
  return JoinIndexValid(index) ? m_joins.at(index) : nullptr;
}

int TzelSchema::IndexOfTableName(const QString &name) const {
  for (int i = 0; i < m_tables.size(); ++i)
    if (!m_tables.at(i)->Deleted() && zelSameText(m_tables.at(i)->TableName(), name))
      return i;
  if (m_raiseOnMissing)
    raiseMissing(QStringLiteral("Table Name"), name);
  return -1;
}

int TzelSchema::IndexOfTableAlias(const QString &alias) const {
  if (const int index = m_tableAliases.first(alias); index >= 0)
    return index;
  if (m_raiseOnMissing)
    raiseMissing(QStringLiteral("Table Alias"), alias);
  return -1;
}

int TzelSchema::IndexOfJoin(const QString &a, const QString &b) const {
  for (int i = 0; i < m_joins.size(); ++i) {
    const TzelJoin *j = m_joins.at(i);
    if (j->Deleted())
      continue;
    if ((zelSameText(j->LeftTableAlias(), a) && zelSameText(j->RightTableAlias(), b)) ||
        (zelSameText(j->LeftTableAlias(), b) && zelSameText(j->RightTableAlias(), a)))
      return i;
  }
  if (m_raiseOnMissing)
    throw EzelError(QStringLiteral("Error: Join between [") + a + QStringLiteral("] and [") + b +
                    QStringLiteral("] does not exist"));
  return -1;
}

bool TzelSchema::DeleteTable(const QString &alias) {
  const int index = IndexOfTableAlias(alias);
  if (index < 0)
    return false;
  m_tables.at(index)->SetDeleted(true);
  for (TzelJoin *j : std::as_const(m_joins))
    if (zelSameText(j->LeftTableAlias(), alias) || zelSameText(j->RightTableAlias(), alias))
      j->SetDeleted(true);
  return true;
}

bool TzelSchema::RenameTableAlias(int index, const QString &newAlias) {
  TzelTable *table = GetTable(index);
  if (!table)
    return false;
  const QString old = table->TableAlias();
  if (newAlias == old)
    return true;
  if (!zelSameText(newAlias, old)) {
    TzelProbe probe(*this);
    if (IndexOfTableAlias(newAlias) >= 0)
      throw EzelError(
          bracketed(QStringLiteral("Table Alias"), newAlias, QStringLiteral("already exists")));
  }
  table->SetTableAlias(newAlias);
  const QString renamed = table->TableAlias();
  for (TzelJoin *j : std::as_const(m_joins)) {
    if (j->Deleted())
      continue;
    if (zelSameText(j->LeftTableAlias(), old))
      j->SetLeftTableAlias(renamed);
    else if (zelSameText(j->RightTableAlias(), old))
      j->SetRightTableAlias(renamed);
  }
  return true;
}

int TzelSchema::AddJoin(const QString &leftTableAlias, TzelJoinType joinType, int sequence,
                        const QString &rightTableAlias) {
  auto *join = new TzelJoin(this);
  join->SetLeftTableAlias(leftTableAlias);
  join->SetJoinType(joinType);
  join->SetSequence(sequence);
  join->SetRightTableAlias(rightTableAlias);
  AttachJoin(join);
  return JoinCount() - 1;
}

QString TzelSchema::ProperCase(const QString &text) {
  bool lower = false;
  bool upper = false;
  for (QChar c : text) {
    if (!isAsciiLetter(c))
      continue;
    if (c.isLower())
      lower = true;
    else
      upper = true;
  }
  if (lower == upper) // both cases, or no letters
    return text;
  QString result = text.toLower();
  if (isAsciiLetter(result.at(0)))
    result[0] = result.at(0).toUpper();
  return result;
}

QString TzelSchema::MakeTableAlias(const QString &tableName) {
  QString base = tableName;
  const QString upper = tableName.toUpper();
  for (const char *ext : {".DBF", ".DB", ".TXT", ".DAT", ".ADT"}) {
    const qsizetype at = upper.indexOf(QLatin1String(ext));
    if (at >= 0) {
      base = base.left(at);
      break;
    }
  }
  const qsizetype dot = base.indexOf(QLatin1Char('.'));
  if (dot >= 0)
    base = base.mid(dot + 1);
  return m_tableAliases.unique(ProperCase(base));
}

void TzelSchema::ListTableAliases(QStringList &list) const {
  list.clear();
  for (const TzelTable *t : m_tables)
    if (!t->Deleted())
      list.append(t->TableAlias());
}

void TzelSchema::ListFieldAliases(const QString &tableAlias, QStringList &list) const {
  list.clear();
  const int index = IndexOfTableAlias(tableAlias);
  if (index < 0)
    return;
  const TzelTable *table = m_tables.at(index);
  const int n = table->FieldCount();
  for (int p = 0; p < n; ++p) {
    for (int i = 0; i < n; ++i) {
      const TzelField *f = table->GetField(i);
      if (f && !f->Deleted() && f->Position() == p) {
        list.append(f->FieldAlias());
        break;
      }
    }
  }
}

void TzelSchema::GetSelectedJoinField(int &joinIndex, int &pairIndex) const {
  joinIndex = -1;
  pairIndex = -1;
  for (int j = 0; j < m_joins.size(); ++j) {
    const TzelJoin *join = m_joins.at(j);
    if (join->Deleted())
      continue;
    for (int p = 0; p < join->JoinFieldCount(); ++p) {
      const TzelJoinField *pair = join->GetJoinField(p);
      if (!pair->Deleted() && pair->Selected()) {
        joinIndex = j;
        pairIndex = p;
        break;
      }
    }
  }
}

void TzelSchema::ClearSelectedJoinFields() {
  for (TzelJoin *join : std::as_const(m_joins)) {
    if (join->Deleted())
      continue;
    for (int p = 0; p < join->JoinFieldCount(); ++p) {
      TzelJoinField *pair = join->GetJoinField(p);
      if (!pair->Deleted() && pair->Selected()) {
        pair->SetSelected(false);
        break;
      }
    }
  }
}

void TzelSchema::ClearTables() {
  m_tableAliases.clear();
  qDeleteAll(m_tables);
  m_tables.clear();
}

void TzelSchema::ClearJoins() {
  qDeleteAll(m_joins);
  m_joins.clear();
}

void TzelSchema::raiseAssignError(const QObject *source) const {
  const QString from =
      source ? QString::fromLatin1(source->metaObject()->className()) : QStringLiteral("nil");
  throw EzelError(QStringLiteral("Error: Cannot assign a ") + from + QStringLiteral(" to a ") +
                  QString::fromLatin1(metaObject()->className()));
}

void TzelSchema::Assign(const QObject *source) {
  const auto *src = qobject_cast<const TzelSchema *>(source);
  if (!src)
    raiseAssignError(source);
  if (src == this)
    return;
  ClearTables();
  ClearJoins();
  // A query table takes its database from its model table, so a query source has none to
  // give (and asking would resolve it against a model that may lack the table).
  const bool fromQuery = source->inherits("TzelQuery");
  for (const TzelTable *t : src->m_tables) {
    if (t->Deleted())
      continue;
    const int index =
        AddTable(fromQuery ? QString() : t->GetDatabaseName(), t->TableName(), t->TableAlias());
    if (index < 0)
      continue;
    TzelTable *copy = m_tables.at(index);
    copy->SetLeft(t->Left());
    copy->SetTop(t->Top());
    copy->SetHeight(t->Height());
    copy->SetWidth(t->Width());
    if (fromQuery)
      continue;
    for (int i = 0; i < t->FieldCount(); ++i) {
      const TzelField *f = t->GetField(i);
      if (!f || f->Deleted())
        continue;
      const int fi = copy->AddField(f->FieldName(), f->FieldAlias(), f->DataType(), f->DataSize());
      TzelField *nf = fi >= 0 ? copy->GetField(fi) : nullptr;
      if (!nf)
        continue;
      nf->SetAlignment(f->Alignment());
      nf->SetFormat(f->Format());
      nf->SetLookup(f->Lookup());
      nf->SetIsNullable(f->IsNullable());
      nf->SetIsReadOnly(f->IsReadOnly());
      nf->SetIsKey(f->IsKey());
      nf->SetPosition(f->Position());
    }
  }
  for (const TzelJoin *j : src->m_joins) {
    if (j->Deleted())
      continue;
    TzelJoin *copy = m_joins.at(
        AddJoin(j->LeftTableAlias(), j->JoinType(), j->Sequence(), j->RightTableAlias()));
    for (int p = 0; p < j->JoinFieldCount(); ++p) {
      const TzelJoinField *pair = j->GetJoinField(p);
      if (!pair->Deleted())
        copy->AddJoinField(pair->LeftFieldAlias(), pair->JoinOper(), pair->RightFieldAlias());
    }
  }
}

void TzelSchema::AttachTable(TzelTable *table) {
  table->setParent(this);
  m_tables.append(table);
  table->SetSchema(this);
  if (!table->Deleted())
    m_tableAliases.insert(table->TableAlias(), TableCount() - 1);
}

void TzelSchema::tableAliasChanged(const TzelTable *table, const QString &oldAlias) {
  const int index = int(m_tables.lastIndexOf(table)); // the newest tables change most
  if (index < 0 || table->Deleted())
    return;
  m_tableAliases.remove(oldAlias, index);
  m_tableAliases.insert(table->TableAlias(), index);
}

void TzelSchema::tableDeletedChanged(const TzelTable *table) {
  const int index = int(m_tables.lastIndexOf(table));
  if (index < 0)
    return;
  if (table->Deleted())
    m_tableAliases.remove(table->TableAlias(), index);
  else
    m_tableAliases.insert(table->TableAlias(), index);
}

void TzelSchema::AttachJoin(TzelJoin *join) {
  join->setParent(this);
  join->SetSchema(this);
  m_joins.append(join);
}

QString TzelSchema::newTableAlias(const QString &tableAlias, const QString &tableName) {
  QString alias = TzelName(tableAlias);
  if (alias.isEmpty())
    return MakeTableAlias(tableName);
  TzelProbe probe(*this);
  if (IndexOfTableAlias(alias) >= 0)
    throw EzelError(QStringLiteral("Error: Table Alias [") + alias +
                    QStringLiteral("] already exists."));
  return alias;
}

int TzelSchema::addNewTable(std::unique_ptr<TzelTable> table,
                            const std::function<void(TzelTable &)> &fill) {
  try {
    table->SetSchema(this);
    fill(*table);
  } catch (const EzelError &e) {
    // The failure's message already carries the "Error: " prefix.
    if (RaiseOnMissing())
      throw EzelError(e.message());
    return -1;
  }
  AttachTable(table.release());
  return TableCount() - 1;
}

QList<TzelComponent *> TzelSchema::storedChildren() const {
  QList<TzelComponent *> children;
  for (TzelTable *t : m_tables)
    if (!t->Deleted())
      children.append(t);
  for (TzelJoin *j : m_joins)
    if (!j->Deleted())
      children.append(j);
  return children;
}

bool TzelSchema::replaceStoredChildren(const QList<TzelComponent *> &children,
                                       std::vector<std::unique_ptr<TzelComponent>> &released) {
  const QSet<const TzelComponent *> kept(children.cbegin(), children.cend());
  zelReleaseChildren(m_tables, kept, released);
  zelReleaseChildren(m_joins, kept, released);
  m_tableAliases.clear();
  for (TzelComponent *child : children)
    if (!attachStoredChild(child)) // not ours: the caller keeps it
      return false;
  return true;
}

bool TzelSchema::attachStoredChild(TzelComponent *child) {
  if (auto *join = qobject_cast<TzelJoin *>(child)) {
    AttachJoin(join);
    return true;
  }
  auto *table = qobject_cast<TzelTable *>(child);
  if (!table || !acceptsTable(table))
    return false;
  AttachTable(table);
  return true;
}

namespace {
// Stored forms create these by class name.
const ZelRegisterClass<TzelField> registerTzelField;
const ZelRegisterClass<TzelJoinField> registerTzelJoinField;
const ZelRegisterClass<TzelJoin> registerTzelJoin;
} // namespace
