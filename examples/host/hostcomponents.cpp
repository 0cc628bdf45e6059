// SPDX-License-Identifier: MIT
#include "hostcomponents.h"

#include "database/zelsession.h"
#include "model/storedform.h"

#include <QDir>

namespace {

const QString databaseName = QStringLiteral("PELLOX");

std::unique_ptr<TzelModel> readModel(const QString &fileName) {
  // The stored form names its class (TzelDataModel, the database-bound model); the library
  // registered it when it loaded.
  std::unique_ptr<TzelComponent> read = readStoredFormFile(fileName);
  auto *model = qobject_cast<TzelModel *>(read.get());
  if (!model)
    throw EzelError(QStringLiteral("Error: ") + fileName +
                    QStringLiteral(" does not hold a data model"));
  read.release();
  return std::unique_ptr<TzelModel>(model);
}

} // namespace

HostComponents::HostComponents(const QString &examplesFolder) {
  const QDir folder(examplesFolder);
  // The model's tables live in database PELLOX: here an alias for the folder of sample
  // Paradox tables. A host can as well name an SQLite file or a PostgreSQL server.
  TzelSession::defaultSession().registerAlias(
      {databaseName,
       QStringLiteral("STANDARD"),
       {QStringLiteral("PATH=") + folder.filePath(QStringLiteral("Data"))}});
  m_model = readModel(folder.filePath(QStringLiteral("pellox-model.txt")));

  m_dataset.setObjectName(QStringLiteral("zelQuery1"));
  m_dataset.setDatabaseName(databaseName);
  m_querion.setObjectName(QStringLiteral("zelQuerion1"));
  m_querion.SetDataModel(m_model.get());
  m_querion.SetDataQuery(&m_dataset);
  // A failed load has shown why and leaves the empty query "Step 1".
  m_querion.LoadFromFile(folder.filePath(QStringLiteral("step1.zel")));
}

HostComponents::~HostComponents() {
  TzelSession::defaultSession().unregisterAlias(databaseName);
}
