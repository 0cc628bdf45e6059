// SPDX-License-Identifier: MIT
// Writes the large chain query of the benchmarks as files, with the project's own writers:
//   chainfiles DIR  ->  DIR/chain-model.txt (the data model's stored form),
//                       DIR/chain.zel (the query file),
//                       DIR/chain-tables.sql (the 50 CREATE TABLE statements for SQLite).
// The model writes its joins as JOIN lines in FROM without parentheses, which SQLite takes.
#include "chainquery.h"

#include "engine/zelquerion.h"
#include "model/storedform.h"
#include "model/zelmodel.h"

#include <QCoreApplication>
#include <QDir>
#include <QLocale>
#include <cstdio>

int main(int argc, char **argv) {
  QCoreApplication app(argc, argv);
  QLocale::setDefault(QLocale::c()); // filter dates are typed month first
  if (argc != 2) {
    std::fprintf(stderr, "Usage: chainfiles DIR\n");
    return 2;
  }
  const QDir dir(QString::fromLocal8Bit(argv[1]));
  try {
    const std::unique_ptr<TzelModel> model = chainquery::makeModel(zelDBISAM, zelJoinFrom);
    saveStoredFormFile(dir.filePath(QStringLiteral("chain-model.txt")),
                       StoredFormWriter().write(*model));
    TzelQuerion querion;
    querion.setObjectName(QStringLiteral("zelQuerion1"));
    querion.SetDataModel(model.get());
    chainquery::fillQuery(*querion.CurrentQuery());
    if (!querion.SaveToFile(dir.filePath(QStringLiteral("chain.zel"))))
      return 1;
    saveStoredFormFile(dir.filePath(QStringLiteral("chain-tables.sql")),
                       chainquery::sqliteTables());
  } catch (const EzelError &error) {
    std::fprintf(stderr, "%s\n", qPrintable(error.message()));
    return 1;
  }
  return 0;
}
