// SPDX-License-Identifier: MIT
#include "demo/owndatabase.h"

#include "database/aliasoption.h"
#include "database/cataloguemodel.h"
#include "database/zeldatamodel.h"
#include "database/zeldataset.h"
#include "editors/zeldatamodeldialog.h"
#include "engine/zelquerion.h"
#include "messages/zelmessages.h"
#include "workspace/zelquerydialog.h"

using namespace Qt::StringLiterals;

OwnDatabase::OwnDatabase(const TzelModel &helpFrom, QObject *parent)
    : QObject(parent), m_helpFrom(helpFrom), m_query(new TzelDataset(this)),
      m_querion(new TzelQuerion(this)), m_queryDialog(new TzelQueryDialog(this)),
      m_modelDialog(new TzelDataModelDialog(this)) {
  m_query->setObjectName(u"Query2"_s);
  m_querion->setObjectName(u"zelQuerion2"_s);
  m_queryDialog->setObjectName(u"zelQueryDialog2"_s);
  m_modelDialog->setObjectName(u"zelDataModelDialog2"_s);
  m_querion->SetDataQuery(m_query);
  m_queryDialog->SetQuerion(m_querion);
}

bool OwnDatabase::open(const QString &database) {
  QString why;
  std::optional<TzelAlias> alias = zelDatabaseAlias(database, why);
  if (!alias) {
    zelShowError(zelDatabaseError(database, why));
    return false;
  }
  // A file or server gets a name a person reads: it shows in the model and its messages.
  if (!alias->driverName.isEmpty()) {
    alias->name = zelReadableAliasName(*alias);
    TzelSession::defaultSession().registerAlias(*alias);
  }
  auto model = std::make_unique<TzelDataModel>();
  try {
    zelModelFromCatalogue(*model, alias->name);
    if (model->TableCount() == 0)
      throw EzelError(u"Error: The database holds no tables"_s);
    model->SetModelName(alias->name);
    adopt(std::move(model));
    return true;
  } catch (const EzelError &error) {
    zelShowError(zelDatabaseError(database, error.message()));
    return false;
  }
}

void OwnDatabase::adopt(std::unique_ptr<TzelDataModel> model) {
  model->SetAbout(m_helpFrom.About());
  model->SetAutoJoin(true);
  model->setObjectName(u"zelDataModel2"_s);
  model->setParent(this);
  m_querion->SetDataModel(model.get());
  m_modelDialog->SetDataModel(model.get());
  m_query->Close();
  m_query->setDatabaseName(model->TableCount() > 0 ? model->GetTable(0)->GetDatabaseName()
                                                   : QString());
  delete m_model;
  m_model = model.release();
}
