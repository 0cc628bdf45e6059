// SPDX-License-Identifier: MIT
#pragma once
// The samples the tests share: files under examples/, the sample data model read from its
// stored form (a database-bound model, as the stored form names it) and the sample tables
// built beside the test programs. Header-only, because ZEL_SOURCE_DIR is defined for each test
// executable.

#include "database/zeldatamodel.h"
#include "database/zelparadoxfile.h"
#include "database/zelsession.h"
#include "model/storedform.h"
#include "model/zelmodel.h"
#include "model/zelregistry.h"

#include <QCoreApplication>
#include <QFileInfo>
#include <QString>
#include <QTest>
#include <memory>

// Skips the calling test when the build left the Paradox module out: the sample tables and
// every .db file need it.
#define ZEL_SKIP_WITHOUT_PARADOX()                                                                 \
  do {                                                                                             \
    if (!zelParadoxAvailable())                                                                    \
      QSKIP("Paradox tables need the Paradox module, which this build leaves out");                \
  } while (false)

// The folder of the sample Paradox tables, beside the running program.
inline QString sampleDataFolder() {
  return QCoreApplication::applicationDirPath() + QStringLiteral("/Data");
}

// Makes the sample model readable and its database PELLOX the sample folder; false when the
// sample tables were not built.
inline bool useSampleData() {
  if (!ZelRegistry::instance().contains(QStringLiteral("TzelDataModel")))
    ZelRegistry::instance().registerClass<TzelDataModel>();
  TzelSession::defaultSession().registerAlias({QStringLiteral("PELLOX"),
                                               QStringLiteral("STANDARD"),
                                               {QStringLiteral("PATH=") + sampleDataFolder()}});
  return QFileInfo::exists(sampleDataFolder() + QStringLiteral("/T0490.DB"));
}

inline QString examplesFile(const QString &name) {
  return QStringLiteral(ZEL_SOURCE_DIR "/examples/") + name;
}

inline std::unique_ptr<TzelModel> readSampleModel() {
  std::unique_ptr<TzelComponent> read =
      StoredFormReader().read(loadStoredFormFile(examplesFile(QStringLiteral("pellox-model.txt"))));
  auto *model = qobject_cast<TzelModel *>(read.get());
  if (!model)
    return nullptr;
  read.release();
  return std::unique_ptr<TzelModel>(model);
}
