// SPDX-License-Identifier: MIT
#pragma once
// One run of the tool: the data model read from its stored form, a query component over it
// with the engine's dataset, and the commands that drive them. Failures are shown through
// the message seam (standard error); the commands return false after one.

#include "model/zeltypes.h"

#include <QObject>
#include <QString>
#include <QStringList>
#include <memory>
#include <optional>

class TzelRecordPrinter;
class ToolPrompts;

// A printer writing the report into a PDF file, from the print module; null after saying why
// it cannot be loaded.
std::unique_ptr<TzelRecordPrinter> makePdfPrinter(const QString &fileName);

class QIODevice;
class TzelDataset;
class TzelModel;
class TzelQuerion;

class QueryTool {
public:
  // The query component asks for parameter values with the given ones (strict: none may be
  // left blank).
  QueryTool(const QStringList &params, bool strict);
  ~QueryTool();
  QueryTool(const QueryTool &) = delete;
  QueryTool &operator=(const QueryTool &) = delete;

  // Reads the model file; database names that are folders or files beside it become aliases.
  bool loadModel(const QString &fileName);
  // Loads the query file into the current query, or its query named queryName.
  bool loadQuery(const QString &fileName, const QString &queryName);
  // The database the statement runs on: the given name, else that of the first query
  // table, else the model's first database.
  void chooseDatabase(const QString &databaseName);
  // Every given parameter must be one of the query's ("NAME=VALUE").
  bool checkParamNames(const QStringList &params);

  bool generate(QIODevice &out);
  bool run(QIODevice &out, QChar separator, bool includeNames);
  bool exportTo(const QString &fileName, int fileType, bool includeNames);
  // The records as the paged report, with the page settings of the query file, into a PDF.
  bool printTo(const QString &fileName);
  // The setup checks, the model's database names and, with a query loaded, its generation.
  bool check(bool withQuery);
  // The SELECT statement of sqlFile as the current query's design, saved to queryFile;
  // written in the dialect given, else the model's.
  bool design(const QString &sqlFile, std::optional<TzelDatabase> dialect,
              const QString &queryFile);

  TzelQuerion &querion() { return *m_querion; }

private:
  bool execute();
  QString queryName() const;
  bool failed(const QString &fallback) const;

  std::unique_ptr<ToolPrompts> m_prompts;
  std::unique_ptr<TzelModel> m_model;
  std::unique_ptr<TzelDataset> m_dataset;
  std::unique_ptr<TzelQuerion> m_querion;
};
