// SPDX-License-Identifier: MIT
#include "database/zelparadoxfile.h"
#include "database/paradoxmodule.h"

#include <QFileInfo>
#include <QLibrary>
#include <dlfcn.h>

using namespace Qt::StringLiterals;

namespace {

struct ParadoxModule {
  const TzelParadoxFunctions *functions = nullptr;
  QString fault; // why the module is not there
};

// The folder this library was loaded from, where the module is installed beside it.
QString coreFolder() {
  Dl_info info{};
  if (dladdr(reinterpret_cast<void *>(&readParadoxTable), &info) == 0 || !info.dli_fname)
    return {};
  return QFileInfo(QFile::decodeName(info.dli_fname)).canonicalPath();
}

ParadoxModule load() {
  // Never unloaded: the functions stay valid for the life of the process.
  QLibrary library(coreFolder() + u'/' + QLatin1String(zelParadoxModuleName));
  auto entry = reinterpret_cast<ZelParadoxEntry>(library.resolve(zelParadoxEntrySymbol));
  if (!entry)
    return {nullptr, u"The Paradox module cannot be loaded: "_s + library.errorString()};
  return {entry(), {}};
}

// Loaded on first use, once for every thread.
const ParadoxModule &module() {
  static const ParadoxModule loaded = load();
  return loaded;
}

} // namespace

bool zelParadoxAvailable() {
  return module().functions != nullptr;
}

TzelFileResult readParadoxTable(const QString &path, TzelTableData &table) {
  table = {};
  if (!zelParadoxAvailable())
    return TzelFileResult::failure(module().fault);
  return module().functions->read(path, table);
}

TzelFileResult writeParadoxTable(const QString &path, const TzelTableData &table) {
  TzelTableRows rows(table.rows);
  return writeParadoxTable(path, table.columns, rows);
}

TzelFileResult writeParadoxTable(const QString &path, const QList<TzelTableColumn> &columns,
                                 TzelRowSource &rows) {
  if (!zelParadoxAvailable())
    return TzelFileResult::failure(module().fault);
  return module().functions->write(path, columns, rows);
}
