// SPDX-License-Identifier: MIT
#include "querytool.h"

#include "database/zelcancel.h"
#include "database/zeldataset.h"
#include "database/zelsession.h"
#include "engine/designfromsql.h"
#include "engine/queryfile.h"
#include "engine/recordprinting.h"
#include "engine/zelparams.h"
#include "engine/zelquerion.h"
#include "export/exportrecords.h"
#include "messages/zelmessages.h"
#include "model/storedform.h"
#include "model/zelmodel.h"
#include "model/zelquery.h"
#include "toolmessages.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QIODevice>

namespace {

// A database name the session can open without being told more: an alias, or an absolute
// path of a folder of tables or of an SQLite file.
bool knownDatabase(const QString &name) {
  if (TzelSession::defaultSession().alias(name))
    return true;
  return !QFileInfo(name).isRelative() && QFileInfo::exists(name);
}

void writeText(QIODevice &out, const QString &text) {
  const QByteArray bytes = text.toUtf8();
  if (out.write(bytes) != bytes.size())
    throw EzelError(QStringLiteral("Error: Cannot write ") + out.objectName() +
                    QStringLiteral(": ") + out.errorString());
}

} // namespace

QueryTool::QueryTool(const QStringList &params, bool strict)
    : m_prompts(std::make_unique<ToolPrompts>(params, strict)),
      m_dataset(std::make_unique<TzelDataset>()), m_querion(std::make_unique<TzelQuerion>()) {
  m_querion->SetPrompts(m_prompts.get());
  m_dataset->setObjectName(QStringLiteral("zelQuery1"));
  m_querion->setObjectName(QStringLiteral("zelQuerion1"));
  // The parameters come from the command line, so the prompt is always consulted.
  m_querion->SetDisplayParams(true);
}

// Members go in reverse order: the component first, before the model and dataset it uses.
QueryTool::~QueryTool() = default;

bool QueryTool::loadModel(const QString &fileName) {
  std::unique_ptr<TzelComponent> read;
  try {
    read = readStoredFormFile(fileName);
  } catch (const EzelError &error) {
    zelShowError(error.message());
    return false;
  }
  auto *model = qobject_cast<TzelModel *>(read.get());
  if (!model) {
    zelShowError(QStringLiteral("Error: The ") + fileName +
                 QStringLiteral(" file does not hold a data model"));
    return false;
  }
  read.release();
  m_model.reset(model);
  const QDir beside = QFileInfo(fileName).absoluteDir();
  for (const QString &name : m_model->DatabaseNames()) {
    if (IsBlank(name) || knownDatabase(name) || !QFileInfo(name).isRelative())
      continue;
    const QFileInfo target(beside.filePath(name));
    if (target.isDir())
      TzelSession::defaultSession().registerAlias(
          {name,
           QStringLiteral("STANDARD"),
           {QStringLiteral("PATH=") + target.absoluteFilePath()}});
    else if (target.isFile())
      TzelSession::defaultSession().registerAlias(
          {name,
           QStringLiteral("SQLITE"),
           {QStringLiteral("DATABASE=") + target.absoluteFilePath()}});
  }
  m_querion->SetDataModel(m_model.get());
  m_querion->SetDataQuery(m_dataset.get());
  return true;
}

bool QueryTool::loadQuery(const QString &fileName, const QString &queryName) {
  if (!m_querion->LoadFromFile(fileName))
    return failed(QStringLiteral("Error: The query file ") + fileName +
                  QStringLiteral(" cannot be read"));
  if (queryName.isNull())
    return true;
  try {
    const std::unique_ptr<TzelQuerion> file = ReadQueryText(ReadQueryFileLines(fileName));
    for (int i = 0; i < file->QueryCount(); ++i) {
      TzelQuery *query = file->Queries(i);
      if (query->QueryName().compare(queryName, Qt::CaseInsensitive) == 0) {
        m_querion->CurrentQuery()->Assign(query);
        return true;
      }
    }
  } catch (const EzelError &error) {
    zelShowError(error.message());
    return false;
  }
  zelShowError(QStringLiteral("Error: The [") + queryName +
               QStringLiteral("] query does not exist in ") + fileName);
  return false;
}

void QueryTool::chooseDatabase(const QString &databaseName) {
  QString name = databaseName;
  TzelQuery *query = m_querion->CurrentQuery();
  for (int i = 0; name.isEmpty() && i < query->TableCount(); ++i) {
    const TzelTable *table = query->GetTable(i);
    if (!table->Deleted())
      name = table->GetDatabaseName();
  }
  if (name.isEmpty() && m_model && !m_model->DatabaseNames().isEmpty())
    name = m_model->DatabaseNames().constFirst();
  m_dataset->setDatabaseName(name);
}

bool QueryTool::checkParamNames(const QStringList &params) {
  const QStringList declared = CollectParams(*m_querion->CurrentQuery());
  bool known = true;
  for (const QString &given : params) {
    const QString name = given.section(u'=', 0, 0);
    if (!HasParam(declared, name)) {
      zelShowError(QStringLiteral("Error: The query has no [") + name +
                   QStringLiteral("] parameter"));
      known = false;
    }
  }
  return known;
}

bool QueryTool::generate(QIODevice &out) {
  if (!m_querion->GenerateSQL())
    return failed(QStringLiteral("Error: The SQL of the [") + queryName() +
                  QStringLiteral("] query cannot be generated"));
  try {
    for (const QString &line : std::as_const(m_querion->SQL()))
      writeText(out, line + u'\n');
  } catch (const EzelError &error) {
    zelShowError(error.message());
    return false;
  }
  return true;
}

bool QueryTool::execute() {
  try {
    if (!m_querion->Execute()) {
      if (m_dataset->Cancelled()) {
        zelShowError(EzelCancelled().message());
        return false;
      }
      return failed(QStringLiteral("Error: The [") + queryName() +
                    QStringLiteral("] query cannot be run"));
    }
  } catch (const EzelError &error) {
    zelShowError(error.message());
    return false;
  }
  return true;
}

bool QueryTool::run(QIODevice &out, QChar separator, bool includeNames) {
  if (!execute())
    return false;
  try {
    WriteDelimitedRecords(*m_dataset, out, separator, includeNames);
  } catch (const EzelError &error) {
    zelShowError(error.message());
    return false;
  }
  m_dataset->First();
  return true;
}

bool QueryTool::exportTo(const QString &fileName, int fileType, bool includeNames) {
  if (!execute())
    return false;
  if (!ExportSeparator(fileType).isNull()) {
    if (!ExportRecords(m_dataset.get(), fileName, fileType, includeNames, false))
      return failed(QStringLiteral("Error: ") + fileName + QStringLiteral(" cannot be written"));
    return true;
  }
  QString name = fileName;
  if (!m_model->ExportTable(m_dataset.get(), name, fileType, false))
    return failed(QStringLiteral("Error: The ") + m_model->metaObject()->className() +
                  QStringLiteral(" model cannot export tables"));
  return true;
}

bool QueryTool::printTo(const QString &fileName) {
  if (!execute())
    return false;
  if (m_dataset->IsEmpty()) {
    zelShowError(QStringLiteral("Error: The [") + queryName() +
                 QStringLiteral("] query gives no records to print"));
    return false;
  }
  std::unique_ptr<TzelRecordPrinter> printer = makePdfPrinter(fileName);
  if (!printer)
    return false;
  m_prompts->setPrinter(std::move(printer));
  const bool printed = m_querion->Print();
  return printed ||
         failed(QStringLiteral("Error: ") + fileName + QStringLiteral(" cannot be written"));
}

bool QueryTool::check(bool withQuery) {
  bool ok = true;
  for (const QString &name : m_model->DatabaseNames()) {
    if (!IsBlank(name) && !knownDatabase(name)) {
      zelShowError(TzelSession::unknownDatabaseMessage(name));
      ok = false;
    }
  }
  if (!m_querion->CheckSetup())
    ok = false;
  if (withQuery && !m_querion->GenerateSQL())
    ok = failed(QStringLiteral("Error: The SQL of the [") + queryName() +
                QStringLiteral("] query cannot be generated"));
  return ok && !ToolFailures::any();
}

QString QueryTool::queryName() const {
  return m_querion->CurrentQuery()->QueryName();
}

bool QueryTool::failed(const QString &fallback) const {
  // Some failures end an operation without a message; say something all the same.
  if (!ToolFailures::any())
    zelShowError(fallback);
  return false;
}

bool QueryTool::design(const QString &sqlFile, std::optional<TzelDatabase> dialect,
                       const QString &queryFile) {
  TzelSqlDesignResult result;
  {
    // Reading the statement leaves nothing behind: a signal ends the tool at once.
    const TzelStopAtOnce stoppable("Error: The design was cancelled");
    QFile in(sqlFile);
    if (!in.open(QIODevice::ReadOnly)) {
      zelShowError(QStringLiteral("Error: The file ") + sqlFile +
                   QStringLiteral(" cannot be read: ") + in.errorString());
      return false;
    }
    const QString sql = QString::fromUtf8(in.readAll());
    result = zelDesignFromSql(sql, *m_model, dialect.value_or(m_model->DatabaseType()),
                              *m_querion->CurrentQuery());
  }
  if (!result) {
    zelShowError(result.message);
    return false;
  }
  // A signal that came as the reading ended still keeps the query file from being written.
  if (TzelCancelTarget::allRequested())
    return false;
  return m_querion->SaveToFile(QFileInfo(queryFile).absoluteFilePath());
}
