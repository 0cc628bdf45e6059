// SPDX-License-Identifier: MIT
#pragma once
// The data model component bound to the database engine: database and table lists,
// field structures read from a table, the prefix written before physical table names,
// and the export of a result to a dBase or Paradox table. Its working objects (structure
// query, two work queries, detail table, link source) are made on first use and freed
// with the model.

#include "database/zelbatchmove.h"
#include "database/zeldataset.h"
#include "database/zeldatasource.h"
#include "database/zeldbtable.h"
#include "model/zelmodel.h"
#include "zelcore_export.h"

#include <memory>

class ZELCORE_EXPORT TzelDataModel : public TzelModel {
  Q_OBJECT
public:
  explicit TzelDataModel(QObject *parent = nullptr);
  ~TzelDataModel() override;

  QObject *FirstWorkQuery() override { return m_firstQuery.get(); }
  QObject *SecondWorkQuery() override { return m_secondQuery.get(); }
  QObject *DetailTable() override { return m_detailTable.get(); }
  bool PrepareDetail(const QString &databaseName, const QString &tableName) override;
  // Runs the second work query; an engine error is shown and gives false.
  bool ExecuteSecondQuery() override;
  void SetDetailLink(int mode) override;
  bool ExportTable(QObject *dataset, QString &fileName, int fileType, bool showMessage) override;
  void ExportFileTypes(QStringList &list) override;
  QString DatabasePrefix(const QString &databaseName) override;
  int AddTableFromDatabase(const QString &databaseName, const QString &tableName) override;
  QString DatasetDatabaseName(QObject *dataset) override;
  void GetDatabaseNames(QStringList &list) override;
  // An engine error (unknown database) is shown and leaves the list empty.
  void GetTableNames(const QString &databaseName, const QString &pattern, bool withExtensions,
                     bool systemTables, QStringList &list) override;

  // The message of the last structure-reading error while RaiseOnMissing was off.
  QString LastErrorText() const { return m_lastError; }
  TzelDataset *StructureQuery() const { return m_structureQuery.get(); }
  TzelDataSource *LinkSource() const { return m_linkSource.get(); }

private:
  std::unique_ptr<TzelDataset> m_structureQuery;
  std::unique_ptr<TzelDataset> m_firstQuery;
  std::unique_ptr<TzelDataset> m_secondQuery;
  std::unique_ptr<TzelDataSource> m_linkSource; // before the table that refers to it
  std::unique_ptr<TzelDbTable> m_detailTable;
  QString m_lastError;
};
