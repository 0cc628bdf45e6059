// SPDX-License-Identifier: MIT
#include "model/zelmodel.h"
#include "model/zelregistry.h"

#include "messages/zelhelp.h"
#include "messages/zelinteraction.h"
#include "messages/zelmessages.h"
#include "model/dialects.h"
#include "model/sqldates.h"
#include "model/supportfiles.h"
#include "model/zelsettings.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <memory>

namespace {

const QString kSlashDate = QStringLiteral("mm\"/\"dd\"/\"yyyy");
const QString kIsoDate = QStringLiteral("yyyy-mm-dd");
const QString kOracleDate = QStringLiteral("dd-mmm-yyyy");

} // namespace

// TzelDisplay, TzelAbout

TzelDisplay::TzelDisplay(QObject *parent) : TzelComponent(parent) {}

TzelAbout::TzelAbout(QObject *parent) : TzelComponent(parent) {}

void TzelAbout::SetHelpFile(const QString &t) {
  if (t == QLatin1String("RODIDIR.UZO"))
    return;
  m_helpFile = t;
}

// TzelDataModelField

TzelDataModelField::TzelDataModelField(QObject *parent) : TzelField(parent) {}

// TzelDataModelTable

TzelDataModelTable::TzelDataModelTable(QObject *parent) : TzelTable(parent) {}

TzelDataModelTable::~TzelDataModelTable() {
  ClearFields();
}

TzelModel *TzelDataModelTable::Model() const {
  return qobject_cast<TzelModel *>(Schema());
}

void TzelDataModelTable::SetSchema(TzelSchema *schema) {
  TzelTable::SetSchema(schema);
  if (TzelModel *model = Model(); model && !m_pendingDatabaseName.isEmpty()) {
    m_databaseIndex = model->InternDatabaseName(m_pendingDatabaseName);
    m_pendingDatabaseName.clear();
  }
}

QString TzelDataModelTable::DatabaseName() const {
  const TzelModel *model = Model();
  if (!model || m_databaseIndex < 0 || m_databaseIndex >= model->DatabaseNames().size())
    return m_pendingDatabaseName;
  return model->DatabaseNames().at(m_databaseIndex);
}

TzelField *TzelDataModelTable::GetField(int index) const {
  return FieldIndexValid(index) ? m_fields.at(index) : nullptr;
}

void TzelDataModelTable::SetField(int index, TzelField *field) {
  if (!field || !FieldIndexValid(index))
    return;
  TzelField *old = m_fields.at(index);
  if (old == field)
    return;
  field->setParent(this);
  field->SetTable(this);
  m_fields[index] = field;
  delete old;
}

QString TzelDataModelTable::GetDatabaseName() const {
  const TzelModel *model = Model();
  if (!model)
    return m_pendingDatabaseName;
  return model->DatabaseNameAt(m_databaseIndex);
}

void TzelDataModelTable::SetDatabaseName(const QString &name) {
  if (name.isEmpty())
    throw EzelError(QStringLiteral("Error: Database Name cannot be blank."));
  if (TzelModel *model = Model())
    m_databaseIndex = model->InternDatabaseName(TzelName(name));
  else
    m_pendingDatabaseName = TzelName(name);
}

bool TzelDataModelTable::FieldIndexValid(int index) const {
  return zelIndexValid(index, m_fields.size(), RaiseOnMissing(), "Field Index");
}

TzelField *TzelDataModelTable::FieldByAlias(const QString &alias) const {
  const int index = IndexOfFieldAlias(alias);
  return index >= 0 ? m_fields.at(index) : nullptr;
}

TzelField *TzelDataModelTable::FieldByName(const QString &name) const {
  const int index = IndexOfFieldName(name);
  return index >= 0 ? m_fields.at(index) : nullptr;
}

TzelField *TzelDataModelTable::FindField(const QString &alias) const {
  return FieldByAlias(alias);
}

int TzelDataModelTable::IndexOfFieldName(const QString &name) const {
  for (int i = 0; i < m_fields.size(); ++i)
    if (!m_fields.at(i)->Deleted() && zelSameText(m_fields.at(i)->FieldName(), name))
      return i;
  if (RaiseOnMissing())
    throw EzelError(QStringLiteral("Error: Field Name [") + name +
                    QStringLiteral("] does not exist"));
  return -1;
}

int TzelDataModelTable::IndexOfFieldAlias(const QString &alias) const {
  for (int i = 0; i < m_fields.size(); ++i)
    if (!m_fields.at(i)->Deleted() && zelSameText(m_fields.at(i)->FieldAlias(), alias))
      return i;
  if (RaiseOnMissing())
    throw EzelError(QStringLiteral("Error: Field Alias [") + alias +
                    QStringLiteral("] does not exist"));
  return -1;
}

void TzelDataModelTable::AttachField(TzelField *field) {
  field->setParent(this);
  field->SetTable(this);
  m_fields.append(field);
}

int TzelDataModelTable::AddField(const QString &fieldName, const QString &fieldAlias,
                                 TFieldType dataType, int dataSize) {
  auto field = std::make_unique<TzelDataModelField>();
  field->SetTable(this);
  field->SetFieldName(fieldName);
  field->SetFieldAlias(fieldAlias);
  field->SetDataType(dataType);
  field->SetDataSize(dataSize);
  AttachField(field.release());
  return FieldCount() - 1;
}

void TzelDataModelTable::ClearFields() {
  qDeleteAll(m_fields);
  m_fields.clear();
}

QList<TzelComponent *> TzelDataModelTable::storedChildren() const {
  QList<TzelComponent *> children;
  for (TzelField *f : m_fields)
    if (!f->Deleted())
      children.append(f);
  return children;
}

bool TzelDataModelTable::attachStoredChild(TzelComponent *child) {
  auto *field = qobject_cast<TzelField *>(child);
  if (!field)
    return false;
  AttachField(field);
  return true;
}

// TzelModel

TzelModel::TzelModel(QObject *parent)
    : TzelSchema(parent), m_about(new TzelAbout(this)), m_display(new TzelDisplay(this)) {
  SetDatabaseType(zelUnknown);
}

TzelModel::~TzelModel() = default;

void TzelModel::SetAbout(TzelAbout *about) {
  zelAssignSettings(m_about, about);
}

void TzelModel::SetDisplay(TzelDisplay *display) {
  zelAssignSettings(m_display, display);
}

QString TzelModel::LocalDatePattern() {
  const QString s(SystemDateSeparator());
  switch (SystemDateOrder()) {
  case 1:
    return QStringLiteral("dd") + s + QStringLiteral("mm") + s + QStringLiteral("yyyy");
  case 2:
    return QStringLiteral("yyyy") + s + QStringLiteral("mm") + s + QStringLiteral("dd");
  default:
    return QStringLiteral("mm") + s + QStringLiteral("dd") + s + QStringLiteral("yyyy");
  }
}

void TzelModel::applyDialectDefaults(TzelDatabase type) {
  if (int(type) < 0 || int(type) > int(zelLastDialect))
    return;
  const TzelDialect &d = zelDialect(type);
  m_aliasAs = d.aliasAs;
  m_aliasByTable = d.aliasByTable;
  m_booleanQuote = d.booleanQuote;
  m_nameQuote = d.nameQuote;
  m_stringQuote = d.stringQuote;
  switch (d.dateFormat) {
  case TzelDateDefault::Local:
    m_dateFormat = LocalDatePattern();
    break;
  case TzelDateDefault::Slash:
    m_dateFormat = kSlashDate;
    break;
  case TzelDateDefault::Iso:
    m_dateFormat = kIsoDate;
    break;
  case TzelDateDefault::Oracle:
    m_dateFormat = kOracleDate;
    break;
  }
  m_dateQuote = QString::fromLatin1(d.dateQuote);
  m_groupBySelect = d.groupBySelect;
  m_joinMethod = d.joinMethod;
  m_orderByAlias = d.orderByAlias;
  m_verifyNames = d.verifyNames;
}

void TzelModel::SetDatabaseType(TzelDatabase type) {
  if (!isLoading())
    applyDialectDefaults(type);
  m_databaseType = type;
}

int TzelModel::AddTable(const QString &databaseName, const QString &tableName,
                        const QString &tableAlias) {
  const QString alias = newTableAlias(tableAlias, tableName);
  return addNewTable(std::make_unique<TzelDataModelTable>(), [&](TzelTable &table) {
    table.SetTableAlias(alias);
    table.SetTableName(tableName);
    table.SetDatabaseName(databaseName);
  });
}

bool TzelModel::RenameFieldAlias(int tableIndex, int fieldIndex, const QString &newAlias) {
  TzelTable *table = GetTable(tableIndex);
  TzelField *field = table ? table->GetField(fieldIndex) : nullptr;
  if (!field)
    return false;
  const QString old = field->FieldAlias();
  if (newAlias == old)
    return true;
  if (!zelSameText(newAlias, old)) {
    TzelProbe probe(*table);
    if (table->IndexOfFieldAlias(newAlias) >= 0)
      throw EzelError(QStringLiteral("Error: Field Alias [") + newAlias +
                      QStringLiteral("] already exists"));
  }
  field->SetFieldAlias(newAlias);
  const QString renamed = field->FieldAlias();
  const QString tableAlias = table->TableAlias();
  auto renameFirst = [&](TzelJoin *join, bool left) {
    for (int p = 0; p < join->JoinFieldCount(); ++p) {
      TzelJoinField *pair = join->GetJoinField(p);
      if (pair->Deleted())
        continue;
      if (zelSameText(left ? pair->LeftFieldAlias() : pair->RightFieldAlias(), old)) {
        if (left)
          pair->SetLeftFieldAlias(renamed);
        else
          pair->SetRightFieldAlias(renamed);
        return;
      }
    }
  };
  for (TzelJoin *join : std::as_const(m_joins)) {
    if (join->Deleted())
      continue;
    if (zelSameText(join->LeftTableAlias(), tableAlias))
      renameFirst(join, true);
    else if (zelSameText(join->RightTableAlias(), tableAlias))
      renameFirst(join, false);
  }
  return true;
}

QString TzelModel::DatabaseNameAt(int index) const {
  if (index < 0 || index >= m_databaseNames.size())
    throw EzelError(QStringLiteral("Error: List index out of bounds (") + QString::number(index) +
                    QStringLiteral(")"));
  return m_databaseNames.at(index);
}

int TzelModel::InternDatabaseName(const QString &name) {
  for (int i = 0; i < m_databaseNames.size(); ++i)
    if (zelSameText(m_databaseNames.at(i), name))
      return i;
  m_databaseNames.append(name);
  return int(m_databaseNames.size()) - 1;
}

void TzelModel::ShowAbout() {
  zelInteraction().showAbout(*this);
}

void TzelModel::ShowHelp(int fileIndex, int context) {
  QString file = m_about->HelpFile();
  if (IsBlank(file))
    file = QStringLiteral("VIZADUZ.HLP;ZOZEROD.HLP");
  if (const qsizetype semi = file.indexOf(QLatin1Char(';')); semi >= 0)
    file = fileIndex == 0 ? file.left(semi) : file.mid(semi + 1);
  if (!QFileInfo::exists(file)) {
    const QString inProgramFolder = InProgramFolder(QFileInfo(file).fileName());
    file = QFileInfo::exists(inProgramFolder) ? inProgramFolder : LocateHelpFile(file);
  }
  zelShowHelp(file, context);
}

bool TzelModel::CheckExportArguments(const QObject *query, QString &fileName, int fileType) {
  if (!query) {
    zelShowError(QStringLiteral("Error: cQuery parameter of ExportQuery method cannot be blank."));
    return false;
  }
  switch (fileType) {
  case 0:
  case 3:
  case 4:
  case 7:
  case 8:
  case 10:
  case 11:
  case 12:
  case 13:
  case 14:
  case 15:
    zelShowError(QStringLiteral("Error: The ExportTable method does not support file type ") +
                 QString::number(fileType) + QStringLiteral("."));
    return false;
  default:
    break;
  }
  if (IsBlank(fileName)) {
    zelShowError(QStringLiteral("Error: Table Name cannot be blank."));
    return false;
  }
  fileName = InProgramFolder(fileName);
  return true;
}

void TzelModel::Assign(const QObject *source) {
  TzelSchema::Assign(source);
  const auto *src = qobject_cast<const TzelModel *>(source);
  if (!src || src == this)
    return;
  m_databaseType = src->m_databaseType;
  m_aliasAs = src->m_aliasAs;
  m_aliasByTable = src->m_aliasByTable;
  m_booleanQuote = src->m_booleanQuote;
  m_nameQuote = src->m_nameQuote;
  m_stringQuote = src->m_stringQuote;
  m_dateFormat = src->m_dateFormat;
  m_dateQuote = src->m_dateQuote;
  m_groupBySelect = src->m_groupBySelect;
  m_joinMethod = src->m_joinMethod;
  m_orderByAlias = src->m_orderByAlias;
  m_verifyNames = src->m_verifyNames;
}

bool TzelModel::PrepareDetail(const QString &databaseName, const QString &tableName) {
  Q_UNUSED(databaseName);
  Q_UNUSED(tableName);
  return false;
}

bool TzelModel::ExportTable(QObject *dataset, QString &fileName, int fileType, bool showMessage) {
  Q_UNUSED(dataset);
  Q_UNUSED(fileName);
  Q_UNUSED(fileType);
  Q_UNUSED(showMessage);
  return false;
}

QString TzelModel::DatabasePrefix(const QString &databaseName) {
  Q_UNUSED(databaseName);
  return {};
}

int TzelModel::AddTableFromDatabase(const QString &databaseName, const QString &tableName) {
  Q_UNUSED(databaseName);
  Q_UNUSED(tableName);
  return -1;
}

QString TzelModel::DatasetDatabaseName(QObject *dataset) {
  Q_UNUSED(dataset);
  return {};
}

void TzelModel::GetTableNames(const QString &databaseName, const QString &pattern,
                              bool withExtensions, bool systemTables, QStringList &list) {
  Q_UNUSED(databaseName);
  Q_UNUSED(pattern);
  Q_UNUSED(withExtensions);
  Q_UNUSED(systemTables);
  list.clear();
}

bool TzelModel::acceptsTable(const TzelTable *table) const {
  return qobject_cast<const TzelDataModelTable *>(table) != nullptr;
}

namespace {
// Stored forms create these by class name.
const ZelRegisterClass<TzelDisplay> registerTzelDisplay;
const ZelRegisterClass<TzelAbout> registerTzelAbout;
const ZelRegisterClass<TzelDataModelField> registerTzelDataModelField;
const ZelRegisterClass<TzelDataModelTable> registerTzelDataModelTable;
const ZelRegisterClass<TzelModel> registerTzelModel;
} // namespace
