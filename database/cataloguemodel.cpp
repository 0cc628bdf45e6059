// SPDX-License-Identifier: MIT
#include "database/cataloguemodel.h"

#include "database/cataloguekeys.h"
#include "database/catalogueread.h"
#include "database/zeldatamodel.h"
#include "database/zelsession.h"
#include "messages/zelerror.h"
#include "messages/zelprogress.h"
#include "model/aliasindex.h"

#include <QHash>
#include <QRegularExpression>
#include <QSet>
#include <QSqlDatabase>
#include <algorithm>

using namespace Qt::StringLiterals;

namespace {

class Choice {
public:
  explicit Choice(const TzelCatalogueChoice &choice) : m_schemas(choice.schemas) {
    for (const QString &pattern : choice.tablePatterns)
      m_patterns.append(
          QRegularExpression(QRegularExpression::wildcardToRegularExpression(pattern.trimmed()),
                             QRegularExpression::CaseInsensitiveOption));
  }
  bool takes(const QString &schema, const QString &name, const QString &qualified) const {
    if (!m_schemas.isEmpty() && !m_schemas.contains(schema.isEmpty() ? u"main"_s : schema))
      return false;
    if (m_patterns.isEmpty())
      return true;
    return std::any_of(m_patterns.begin(), m_patterns.end(), [&](const QRegularExpression &re) {
      return re.match(name).hasMatch() || re.match(qualified).hasMatch();
    });
  }

private:
  QStringList m_schemas;
  QList<QRegularExpression> m_patterns;
};

// The name a person reads: the table's own, with its schema where two schemas share it, made
// unique (ignoring case) by a number.
class Aliases {
public:
  explicit Aliases(const QList<const TzelCatalogueTable *> &tables) {
    for (const TzelCatalogueTable *table : tables)
      ++m_nameCount[table->name.toLower()];
  }
  QString aliasOf(const TzelCatalogueTable &table) {
    const QString base =
        m_nameCount.value(table.name.toLower()) > 1 ? table.schema + u'.' + table.name : table.name;
    QString alias = base;
    for (int n = 1; m_taken.contains(alias.toLower()); ++n)
      alias = base + u'_' + QString::number(n);
    m_taken.insert(alias.toLower());
    return alias;
  }

private:
  QHash<QString, int> m_nameCount;
  QSet<QString> m_taken;
};

void addFields(TzelTable &table, const TzelCatalogueTable &source) {
  for (int i = 0; i < source.columns.size(); ++i)
    zelAddCatalogueField(table, source.columns.at(i), source.view, i);
}

// The model's field aliases of the columns: a user may have renamed a field since the model was
// made; a column the table does not hold keeps its name.
QStringList fieldAliases(const TzelTable &table, const QStringList &columns) {
  QStringList aliases;
  const TzelProbe<TzelTable> probe(const_cast<TzelTable &>(table));
  for (const QString &column : columns) {
    const TzelField *field = table.FieldByName(column);
    aliases.append(field ? field->FieldAlias() : column);
  }
  return aliases;
}

// The joins keys make, one per pair of tables in either direction, as the model holds one
// default join per pair.
class KeyJoins {
public:
  explicit KeyJoins(TzelModel &model) : m_model(model) {}

  void claimPair(const QString &a, const QString &b) { m_pairs.insert(zelTablePairKey(a, b)); }

  // Joins the parent's table to the child's on the key; false when the pair was joined already
  // (then notJoined, when given, names the key) or the key's columns do not pair (a key to a
  // primary key the catalogue does not show).
  bool join(const TzelTable &parent, const TzelCatalogueTable &parentSource, const TzelTable &child,
            const TzelCatalogueKey &key, QStringList *notJoined = nullptr) {
    const QStringList parentColumns =
        key.parentColumns.isEmpty() ? parentSource.primaryKey() : key.parentColumns;
    if (parentColumns.size() != key.childColumns.size())
      return false;
    const QString pair = zelTablePairKey(parent.TableAlias(), child.TableAlias());
    if (m_pairs.contains(pair)) {
      if (notJoined)
        notJoined->append(zelCatalogueKeyText(child.TableAlias(), key.childColumns,
                                              parent.TableAlias(), parentColumns));
      return false;
    }
    m_pairs.insert(pair);
    zelAddKeyJoin(m_model, parent, parentColumns, child, key.childColumns);
    return true;
  }

private:
  TzelModel &m_model;
  QSet<QString> m_pairs;
};

// Builds the model's tables and joins from what the catalogue read.
class ModelBuilder {
public:
  ModelBuilder(TzelDataModel &model, const QString &databaseName)
      : m_model(model), m_databaseName(databaseName), m_joins(model) {}

  void addTables(const QList<const TzelCatalogueTable *> &tables) {
    Aliases aliases(tables);
    TzelCountingProgress progress(u"Making the Data Model"_s, u"Tables added: %1"_s,
                                  u"Error: Making the data model was cancelled"_s);
    for (const TzelCatalogueTable *source : tables) {
      progress.count();
      const QString alias = aliases.aliasOf(*source);
      const int index =
          m_model.AddTable(m_databaseName, TzelDatabaseCatalogue::physicalName(*source), alias);
      addFields(*m_model.GetTable(index), *source);
      m_read.insert(source->id, {source, m_model.GetTable(index)});
    }
  }

  QStringList addJoins(const QList<const TzelCatalogueTable *> &tables) {
    QStringList notJoined;
    for (const TzelCatalogueTable *child : tables)
      for (const TzelCatalogueKey &key : child->keys)
        if (const auto parent = m_read.constFind(key.parentId); parent != m_read.cend())
          m_joins.join(*parent->table, *parent->source, *m_read.value(child->id).table, key,
                       &notJoined);
    return notJoined;
  }

private:
  struct Read {
    const TzelCatalogueTable *source = nullptr;
    const TzelTable *table = nullptr;
  };

  TzelDataModel &m_model;
  QString m_databaseName;
  KeyJoins m_joins;
  QHash<QString, Read> m_read; // by catalogue reference
};

// Desktop tables have no catalogue: each table's structure is read from its file. Their
// names are file names, one part each, as the desktop dialects quote them.
void addFolderTables(TzelDataModel &model, const TzelDatabaseCatalogue &catalogue,
                     const Choice &choice) {
  model.SetDatabaseType(zelParadox);
  TzelCountingProgress progress(u"Making the Data Model"_s, u"Tables read: %1"_s,
                                u"Error: Making the data model was cancelled"_s);
  const TzelProbe<TzelModel> probe(model);
  for (const TzelCatalogueTable &table : catalogue.tables) {
    if (!choice.takes({}, table.name, table.name))
      continue;
    const QString before = model.LastErrorText();
    if (model.AddTableFromDatabase(catalogue.databaseName, table.name) < 0 ||
        model.LastErrorText() != before)
      throw EzelError(model.LastErrorText());
    progress.count();
  }
}

} // namespace

TzelField *zelAddCatalogueField(TzelTable &table, const TzelCatalogueColumn &column, bool view,
                                int position) {
  TzelField *field =
      table.GetField(table.AddField(column.name, column.name, column.type.type, column.type.size));
  field->SetAlignment(isNumericFieldType(column.type.type) ? taRightJustify : taLeftJustify);
  field->SetIsNullable(column.nullable);
  field->SetIsKey(column.keyOrder > 0);
  field->SetIsReadOnly(view); // the model's only mark of a view
  field->SetPosition(position);
  return field;
}

TzelJoin *zelAddKeyJoin(TzelModel &model, const TzelTable &parent, const QStringList &parentColumns,
                        const TzelTable &child, const QStringList &childColumns) {
  const QStringList left = fieldAliases(parent, parentColumns);
  const QStringList right = fieldAliases(child, childColumns);
  TzelJoin *join =
      model.GetJoin(model.AddJoin(parent.TableAlias(), zelJoinInner, 0, child.TableAlias()));
  for (int i = 0; i < left.size(); ++i)
    join->AddJoinField(left.at(i), zelJoinEqual, right.at(i));
  return join;
}

TzelCatalogueNames::TzelCatalogueNames(const TzelDatabaseCatalogue &catalogue) {
  for (const TzelCatalogueTable &table : catalogue.tables) {
    const QString name = TzelDatabaseCatalogue::physicalName(table);
    m_names.insert(name, &table);
    m_folded.insert(name.toLower(), &table);
    m_ids.insert(table.id, &table);
  }
}

const TzelCatalogueTable *TzelCatalogueNames::find(const QString &tableName) const {
  if (const TzelCatalogueTable *table = m_names.value(tableName))
    return table;
  return m_folded.value(tableName.toLower());
}

QString TzelDatabaseCatalogue::physicalName(const TzelCatalogueTable &table) {
  return table.schema.isEmpty() || table.schema == u"public"_s ? table.name
                                                               : table.schema + u'.' + table.name;
}

QStringList TzelDatabaseCatalogue::schemas() const {
  QStringList names;
  QSet<QString> seen;
  for (const TzelCatalogueTable &table : tables) {
    const QString schema = table.schema.isEmpty() ? u"main"_s : table.schema;
    if (!seen.contains(schema)) {
      seen.insert(schema);
      names.append(schema);
    }
  }
  return names;
}

TzelDatabaseCatalogue zelReadDatabaseCatalogue(const QString &databaseName) {
  TzelDatabaseCatalogue catalogue;
  catalogue.databaseName = databaseName;
  TzelOpenDatabase &db = TzelSession::defaultSession().open(databaseName);
  catalogue.kind = db.kind;
  if (db.standard) {
    catalogue.folder = true;
    const QStringList names =
        TzelSession::defaultSession().tableNames(databaseName, u"*"_s, true, false);
    for (const QString &name : names)
      catalogue.tables.append({name, {}, name, false, {}, {}});
    return catalogue;
  }
  catalogue.tables = zelReadCatalogue(QSqlDatabase::database(db.connectionName, false), db.kind);
  return catalogue;
}

QStringList zelModelFromCatalogue(TzelDataModel &model, const TzelDatabaseCatalogue &catalogue,
                                  const TzelCatalogueChoice &choice) {
  const Choice chosen(choice);
  if (catalogue.folder) {
    addFolderTables(model, catalogue, chosen);
    return {};
  }
  model.SetDatabaseType(catalogue.kind == TzelDriverKind::Postgres   ? zelPostgreSQL
                        : catalogue.kind == TzelDriverKind::MariaDB  ? zelMySQL
                        : catalogue.kind == TzelDriverKind::Firebird ? zelInterBase
                                                                     : zelSQLite);
  QList<const TzelCatalogueTable *> tables;
  for (const TzelCatalogueTable &table : catalogue.tables)
    if (chosen.takes(table.schema, table.name, TzelDatabaseCatalogue::physicalName(table)))
      tables.append(&table);
  ModelBuilder builder(model, catalogue.databaseName);
  builder.addTables(tables);
  return builder.addJoins(tables);
}

QStringList zelModelFromCatalogue(TzelDataModel &model, const QString &databaseName,
                                  const TzelCatalogueChoice &choice) {
  return zelModelFromCatalogue(model, zelReadDatabaseCatalogue(databaseName), choice);
}

int zelAddKeyJoins(TzelModel &model, int tableIndex, const TzelDatabaseCatalogue &catalogue) {
  const TzelTable *added = model.GetTable(tableIndex);
  const TzelCatalogueNames names(catalogue);
  const TzelCatalogueTable *source = names.find(added->TableName());
  if (!source || catalogue.folder)
    return 0;
  // The model's tables of the database by catalogue reference, the first instance of each;
  // the table added stands for its own.
  const QString database = added->GetDatabaseName();
  QHash<QString, const TzelTable *> tables;
  QList<const TzelCatalogueTable *> others; // in the model's order
  for (int i = 0; i < model.TableCount(); ++i) {
    const TzelTable *table = model.GetTable(i);
    if (table == added || table->Deleted() || !zelSameText(table->GetDatabaseName(), database))
      continue;
    const TzelCatalogueTable *found = names.find(table->TableName());
    if (found && found != source && !tables.contains(found->id)) {
      tables.insert(found->id, table);
      others.append(found);
    }
  }
  tables.insert(source->id, added);
  KeyJoins joins(model);
  for (int i = 0; i < model.JoinCount(); ++i)
    if (const TzelJoin *join = model.GetJoin(i); !join->Deleted())
      joins.claimPair(join->LeftTableAlias(), join->RightTableAlias());
  int drawn = 0;
  for (const TzelCatalogueKey &key : source->keys) // the table's own keys
    if (const TzelTable *parent = tables.value(key.parentId))
      drawn += joins.join(*parent, *names.byId(key.parentId), *added, key);
  for (const TzelCatalogueTable *child : others) // keys to the table
    for (const TzelCatalogueKey &key : child->keys)
      if (key.parentId == source->id)
        drawn += joins.join(*added, *source, *tables.value(child->id), key);
  return drawn;
}

int zelAddKeyJoins(TzelModel &model, int tableIndex) {
  if (!model.AutoJoin())
    return 0;
  const QString database = model.GetTable(tableIndex)->GetDatabaseName();
  if (TzelSession::defaultSession().open(database).standard)
    return 0;
  return zelAddKeyJoins(model, tableIndex, zelReadDatabaseCatalogue(database));
}
