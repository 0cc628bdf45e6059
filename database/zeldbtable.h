// SPDX-License-Identifier: MIT
#pragma once
// The engine's table object: a table of a database, used as a batch move's destination
// and as the detail of a master dataset (MasterSource with MasterFields).

#include <QObject>
#include <QPointer>
#include <QString>

#include "database/zeldatasource.h"
#include "zelcore_export.h"

enum class TzelTableType { ttDefault, ttParadox, ttDBase };

class ZELCORE_EXPORT TzelDbTable : public QObject {
  Q_OBJECT
  Q_PROPERTY(QString DatabaseName READ DatabaseName WRITE setDatabaseName)
  Q_PROPERTY(QString TableName READ TableName WRITE setTableName)
  Q_PROPERTY(QString IndexName READ IndexName WRITE setIndexName)
  Q_PROPERTY(QString MasterFields READ MasterFields WRITE setMasterFields)
public:
  explicit TzelDbTable(QObject *parent = nullptr) : QObject(parent) {}
  Q_DISABLE_COPY(TzelDbTable)

  QString DatabaseName() const { return m_databaseName; }
  void setDatabaseName(const QString &name) { m_databaseName = name; }
  QString TableName() const { return m_tableName; }
  void setTableName(const QString &name) { m_tableName = name; }
  TzelTableType TableType() const { return m_tableType; }
  void setTableType(TzelTableType type) { m_tableType = type; }
  QString IndexName() const { return m_indexName; }
  void setIndexName(const QString &name) { m_indexName = name; }
  TzelDataSource *MasterSource() const { return m_masterSource; }
  void setMasterSource(TzelDataSource *source) { m_masterSource = source; }
  QString MasterFields() const { return m_masterFields; }
  void setMasterFields(const QString &fields) { m_masterFields = fields; }
  bool Active() const { return m_active; }
  void Close() { m_active = false; }

  // The table's file: DatabaseName as a folder (or an alias's folder) plus TableName,
  // with the extension of TableType when the name has none.
  QString filePath() const;

private:
  QString m_databaseName;
  QString m_tableName;
  TzelTableType m_tableType = TzelTableType::ttDefault;
  QString m_indexName;
  QPointer<TzelDataSource> m_masterSource;
  QString m_masterFields;
  bool m_active = false;
};
