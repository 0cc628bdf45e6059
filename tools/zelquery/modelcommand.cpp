// SPDX-License-Identifier: MIT
#include "modelcommand.h"

#include "database/aliasoption.h"
#include "database/zeldatamodel.h"
#include "database/zelsession.h"
#include "messages/zelmessages.h"
#include "model/storedform.h"
#include "toolmessages.h"

#include <QDir>
#include <QFileInfo>

using namespace Qt::StringLiterals;

namespace {

// The alias of a file or folder named without one: its path from the model's folder, which
// the tool makes an alias again when it reads the model (an absolute path would be written in
// front of every table name).
TzelAlias besideModel(TzelAlias alias, const QString &target, const QString &modelFile) {
  alias.name = QFileInfo(modelFile).absoluteDir().relativeFilePath(target);
  return alias;
}

// The name the model's tables give their database, with the alias that defines it unless it
// is one of the session's: a file or folder by its path from the model's folder.
std::optional<TzelAlias> databaseAlias(const QString &value, const QString &modelFile,
                                       QString &error) {
  auto alias = zelDatabaseAlias(value, error);
  if (!alias || alias->driverName.isEmpty() || alias->driverName == u"POSTGRESQL"_s)
    return alias;
  const QString target = TzelSession::paramValue(alias->params, u"PATH"_s) +
                         TzelSession::paramValue(alias->params, u"DATABASE"_s);
  return alias->name == target ? besideModel(*alias, target, modelFile) : alias;
}

void printNotes(const QStringList &keys) {
  for (const QString &key : keys)
    printError(u"Note: The key "_s + key +
               u" is not a default join: the model holds one join between two tables"_s);
}

} // namespace

bool writeModelOfDatabase(const QString &database, const QString &modelFile,
                          const TzelCatalogueChoice &choice) {
  QString why;
  const std::optional<TzelAlias> alias = databaseAlias(database, modelFile, why);
  if (!alias) {
    zelShowError(zelDatabaseError(database, why));
    return false;
  }
  if (!alias->driverName.isEmpty())
    TzelSession::defaultSession().registerAlias(*alias);
  try {
    TzelDataModel model;
    model.setObjectName(u"zelDataModel1"_s);
    const QStringList notJoined = zelModelFromCatalogue(model, alias->name, choice);
    saveStoredFormFile(modelFile, StoredFormWriter().write(model));
    printNotes(notJoined);
    return true;
  } catch (const EzelError &error) {
    zelShowError(zelDatabaseError(database, error.message()));
    return false;
  }
}
