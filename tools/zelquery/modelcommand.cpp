#include "modelcommand.h"

#include "aliasoption.h"
#include "database/zeldatamodel.h"
#include "database/zelsession.h"
#include "messages/zelmessages.h"
#include "model/storedform.h"
#include "toolmessages.h"

#include <QDir>
#include <QFileInfo>
#include <QRegularExpression>

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
// is one of the session's.
std::optional<TzelAlias> databaseAlias(const QString &value, const QString &modelFile,
                                       QString &error) {
  static const QRegularExpression driverForm(u"^(sqlite|standard|postgresql):"_s,
                                             QRegularExpression::CaseInsensitiveOption);
  const bool unnamed = driverForm.match(value).hasMatch();
  if (!unnamed && !value.contains(u'=')) {
    const QFileInfo file(value);
    if (!file.exists())
      return TzelAlias{value, {}, {}};
    const QString path = file.absoluteFilePath();
    return besideModel({{},
                        file.isDir() ? u"STANDARD"_s : u"SQLITE"_s,
                        {(file.isDir() ? u"PATH="_s : u"DATABASE="_s) + path}},
                       path, modelFile);
  }
  auto alias = parseAliasOption(unnamed ? u"_="_s + value : value, error);
  if (!alias || !unnamed)
    return alias;
  const QString path = TzelSession::paramValue(alias->params, u"PATH"_s);
  const QString database = TzelSession::paramValue(alias->params, u"DATABASE"_s);
  if (alias->driverName == u"POSTGRESQL"_s) {
    alias->name = database;
    return alias;
  }
  return besideModel(*alias, path.isEmpty() ? database : path, modelFile);
}

void printNotes(const QStringList &keys) {
  for (const QString &key : keys)
    printError(u"Note: The key "_s + key +
               u" is not a default join: the model holds one join between two tables"_s);
}

} // namespace

bool writeModelOfDatabase(const QString &database, const QString &modelFile,
                          const TzelCatalogueChoice &choice) {
  const QString shown = aliasOptionForMessage(database);
  QString why;
  const std::optional<TzelAlias> alias = databaseAlias(database, modelFile, why);
  if (!alias) {
    zelShowError(u"Error: Database ["_s + shown + u"]: "_s + why);
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
    QString message = error.message();
    if (message.startsWith(u"Error: "_s))
      message = message.mid(7);
    zelShowError(u"Error: Database ["_s + shown + u"]: "_s + message);
    return false;
  }
}
