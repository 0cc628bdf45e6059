// SPDX-License-Identifier: MIT
#include "database/zeldatamodel.h"
#include "messages/busycursor.h"

#include "database/exportsource.h"
#include "database/zelsession.h"
#include "messages/zelmessages.h"
#include "model/datasetprops.h"
#include "model/dialects.h"
#include "model/quoting.h"
#include "model/supportfiles.h"
#include "model/zelregistry.h"

#include <QFileInfo>

using namespace Qt::StringLiterals;

namespace {

const ZelRegisterClass<TzelDataModel> registerDataModel;

} // namespace

TzelDataModel::TzelDataModel(QObject *parent) : TzelModel(parent) {
  SetDatabaseType(zelUnknown);
}

TzelDataModel::~TzelDataModel() = default;

bool TzelDataModel::PrepareDetail(const QString &databaseName, const QString &tableName) {
  if (!m_firstQuery)
    m_firstQuery = std::make_unique<TzelDataset>();
  if (!m_secondQuery)
    m_secondQuery = std::make_unique<TzelDataset>();
  if (!m_linkSource)
    m_linkSource = std::make_unique<TzelDataSource>();
  if (!m_detailTable)
    m_detailTable = std::make_unique<TzelDbTable>();
  m_firstQuery->Close();
  m_secondQuery->Close();
  m_firstQuery->setDatabaseName(databaseName);
  m_secondQuery->setDatabaseName(databaseName);
  m_linkSource->setDataSet(m_secondQuery.get());
  m_detailTable->Close();
  m_detailTable->setDatabaseName(databaseName);
  m_detailTable->setTableName(tableName);
  m_detailTable->setMasterSource(m_linkSource.get());
  m_detailTable->setMasterFields(u"ITEM_ID"_s);
  if (zelDialect(DatabaseType()).namedIndexes)
    m_detailTable->setIndexName(u"ITEM_ID"_s);
  return true;
}

bool TzelDataModel::ExecuteSecondQuery() {
  if (!m_secondQuery)
    return false;
  try {
    m_secondQuery->Close();
    m_secondQuery->Open();
  } catch (const EzelError &e) {
    zelShowError(e.message());
    return false;
  }
  return true;
}

void TzelDataModel::SetDetailLink(int mode) {
  if (!m_linkSource)
    return;
  m_linkSource->setDataSet(mode == 1 ? m_secondQuery.get() : nullptr);
}

bool TzelDataModel::ExportTable(QObject *dataset, QString &fileName, int fileType,
                                bool showMessage) {
  if (!CheckExportArguments(dataset, fileName, fileType))
    return false;
  if (fileType != 5 && fileType != 9) {
    zelShowError(u"Error: The Borland Database Engine cannot export file type %1."_s.arg(fileType));
    return false;
  }
  auto *source = qobject_cast<TzelDataset *>(dataset);
  if (!source) {
    zelShowError(u"Error: The dataset [%1] cannot be exported"_s.arg(dataset->objectName()));
    return false;
  }
  if (!zelCheckExportSource(*source) || !zelCheckExportTarget(*source, fileName))
    return false;
  bool failed = false;
  {
    TzelBusyCursor busy;
    const QFileInfo file(fileName);
    TzelDbTable table;
    table.setDatabaseName(file.path());
    table.setTableName(file.fileName());
    table.setTableType(fileType == 5 ? TzelTableType::ttDBase : TzelTableType::ttParadox);
    TzelBatchMove move;
    move.setDestination(&table);
    move.setSource(source);
    move.setMode(TzelBatchMode::batCopy);
    try {
      move.Execute();
    } catch (const EzelError &e) {
      busy.restore();
      zelShowError(e.message());
      failed = true;
    }
  }
  if (failed)
    return false;
  if (showMessage)
    zelMessageBox(fileName + u" has been successfully created."_s, TzelMessageKind::Information);
  return true;
}

void TzelDataModel::ExportFileTypes(QStringList &list) {
  list.clear();
  list << u"dBase table (*.dbf)"_s << u"Paradox table (*.db)"_s;
}

QString TzelDataModel::DatabasePrefix(const QString &databaseName) {
  if (IsAbsolutePath(databaseName))
    return AddTrailingBackslash(databaseName);
  if (zelDialect(DatabaseType()).localTables)
    return u':' + databaseName + u':';
  return {};
}

int TzelDataModel::AddTableFromDatabase(const QString &databaseName, const QString &tableName) {
  if (!m_structureQuery)
    m_structureQuery = std::make_unique<TzelDataset>();
  TzelDataset &query = *m_structureQuery;
  int index = -1;
  try {
    query.Close();
    query.setDatabaseName(databaseName);
    query.setSQL({u"SELECT * FROM "_s + QuoteQualifiedName(tableName, NameQuote(), DatabaseType()) +
                  u" WHERE 1 = 0"_s});
    query.Open();
    index = AddTable(databaseName, tableName, QString());
    TzelTable *table = GetTable(index);
    const QList<TzelFieldDef> defs = query.FieldDefs();
    for (int i = 0; i < defs.size(); ++i) {
      const int f = table->AddField(defs[i].Name, defs[i].Name, defs[i].DataType, defs[i].Size);
      TzelField *field = table->GetField(f);
      field->SetAlignment(query.Fields(i)->Alignment());
      field->SetPosition(i);
    }
  } catch (const EzelError &e) {
    if (RaiseOnMissing())
      zelShowError(e.message());
    else
      m_lastError = e.message();
  }
  query.Close();
  return index;
}

QString TzelDataModel::DatasetDatabaseName(QObject *dataset) {
  return GetDatasetDatabaseName(dataset);
}

void TzelDataModel::GetDatabaseNames(QStringList &list) {
  list = TzelSession::defaultSession().aliasNames();
}

void TzelDataModel::GetTableNames(const QString &databaseName, const QString &pattern,
                                  bool withExtensions, bool systemTables, QStringList &list) {
  list.clear();
  try {
    list = TzelSession::defaultSession().tableNames(databaseName, pattern, withExtensions,
                                                    systemTables);
  } catch (const EzelError &e) {
    zelShowError(e.message());
  }
}
