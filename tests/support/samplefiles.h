#pragma once
// The samples the tests share: files under examples/ and the sample data model read from its
// stored form (a database-bound model, as the stored form names it). Header-only, because
// ZEL_SOURCE_DIR is defined for each test executable.

#include "model/storedform.h"
#include "model/zelmodel.h"

#include <QString>
#include <memory>

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
