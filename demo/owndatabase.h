// SPDX-License-Identifier: MIT
#pragma once
// The user's own database: a data model read from its catalogue, with a query component and
// the two dialog components wired to it as the tour's are wired to the sample tables.

#include <QObject>
#include <memory>

class TzelDataModel;
class TzelDataModelDialog;
class TzelDataset;
class TzelModel;
class TzelQueryDialog;
class TzelQuerion;

class OwnDatabase : public QObject {
  Q_OBJECT
public:
  // model gives the help settings the user's model keeps (the tour's model).
  OwnDatabase(const TzelModel &helpFrom, QObject *parent);

  // Makes the model from a database named as on the command line (an alias, an SQLite file,
  // a folder of tables, sqlite:FILE, standard:FOLDER, postgresql:...). False after a message
  // that names the database; the components then keep the model they had.
  bool open(const QString &database);
  // Takes a model already made (by the data model window's New from Database).
  void adopt(std::unique_ptr<TzelDataModel> model);

  TzelDataModel *model() const { return m_model; }
  TzelQuerion *querion() const { return m_querion; }
  TzelQueryDialog *queryDialog() const { return m_queryDialog; }
  TzelDataModelDialog *modelDialog() const { return m_modelDialog; }

private:
  const TzelModel &m_helpFrom;
  TzelDataModel *m_model = nullptr;
  TzelDataset *m_query;
  TzelQuerion *m_querion;
  TzelQueryDialog *m_queryDialog;
  TzelDataModelDialog *m_modelDialog;
};
