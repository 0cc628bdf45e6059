// SPDX-License-Identifier: MIT
#include "database/exportsource.h"

#include "database/zeldataset.h"
#include "database/zelsession.h"
#include "messages/zelmessages.h"

#include <QFile>

#include <sys/stat.h>

using namespace Qt::StringLiterals;

namespace {

// Device and inode after following links: a link or a second name of the same file is the
// same file.
bool sameFile(const QString &a, const QString &b) {
  struct stat first = {};
  struct stat second = {};
  return ::stat(QFile::encodeName(a).constData(), &first) == 0 &&
         ::stat(QFile::encodeName(b).constData(), &second) == 0 && first.st_dev == second.st_dev &&
         first.st_ino == second.st_ino;
}

} // namespace

bool zelCheckExportSource(const TzelDataset &dataset) {
  if (dataset.Active() && dataset.FieldCount() > 0)
    return true;
  zelShowError(QStringLiteral("Error: There are no records to export: the query has not run, "
                              "or its statement failed."));
  return false;
}

bool zelCheckExportTarget(const TzelDataset &dataset, const QString &fileName) {
  if (!QFile::exists(fileName))
    return true;
  QStringList read;
  try {
    read =
        TzelSession::defaultSession().filesRead(dataset.DatabaseName(), dataset.SQL().join(u'\n'));
  } catch (const EzelError &error) {
    zelShowError(error.message());
    return false;
  }
  for (const QString &source : std::as_const(read))
    if (sameFile(source, fileName)) {
      zelShowError(u"Error: The export would replace [%1], a file the query reads"_s.arg(fileName));
      return false;
    }
  return true;
}
