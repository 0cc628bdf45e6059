#include "database/cataloguemodel.h"

#include "database/catalogueread.h"
#include "database/zeldatamodel.h"
#include "database/zelsession.h"
#include "messages/zelerror.h"
#include "messages/zelprogress.h"

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
  for (int i = 0; i < source.columns.size(); ++i) {
    const TzelCatalogueColumn &column = source.columns.at(i);
    TzelField *field = table.GetField(
        table.AddField(column.name, column.name, column.type.type, column.type.size));
    field->SetAlignment(isNumericFieldType(column.type.type) ? taRightJustify : taLeftJustify);
    field->SetIsNullable(column.nullable);
    field->SetIsKey(column.keyOrder > 0);
    field->SetIsReadOnly(source.view); // the model's only mark of a view
    field->SetPosition(i);
  }
}

QString keyText(const QString &child, const QStringList &childColumns, const QString &parent,
                const QStringList &parentColumns) {
  return child + u" ("_s + childColumns.join(u", "_s) + u") -> "_s + parent + u" ("_s +
         parentColumns.join(u", "_s) + u')';
}

// Builds the model's tables and joins from what the catalogue read.
class ModelBuilder {
public:
  ModelBuilder(TzelDataModel &model, const QString &databaseName)
      : m_model(model), m_databaseName(databaseName) {}

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
      m_read.insert(source->id, {source, alias});
    }
  }

  QStringList addJoins(const QList<const TzelCatalogueTable *> &tables) {
    QStringList notJoined;
    for (const TzelCatalogueTable *child : tables)
      for (const TzelCatalogueKey &key : child->keys)
        addJoin(*child, key, notJoined);
    return notJoined;
  }

private:
  struct Read {
    const TzelCatalogueTable *table = nullptr;
    QString alias;
  };

  void addJoin(const TzelCatalogueTable &child, const TzelCatalogueKey &key,
               QStringList &notJoined) {
    const auto parent = m_read.constFind(key.parentId);
    if (parent == m_read.cend())
      return;
    const QStringList parentColumns =
        key.parentColumns.isEmpty() ? parent->table->primaryKey() : key.parentColumns;
    if (parentColumns.size() != key.childColumns.size())
      return; // a key to a primary key the catalogue does not show
    const QString childAlias = m_read.value(child.id).alias;
    if (!claimPair(parent->alias, childAlias)) {
      notJoined.append(keyText(childAlias, key.childColumns, parent->alias, parentColumns));
      return;
    }
    TzelJoin *join = m_model.GetJoin(m_model.AddJoin(parent->alias, zelJoinInner, 0, childAlias));
    for (int i = 0; i < parentColumns.size(); ++i)
      join->AddJoinField(parentColumns.at(i), zelJoinEqual, key.childColumns.at(i));
  }

  // The model holds one default join per pair of tables, in either direction.
  bool claimPair(const QString &a, const QString &b) {
    const QString x = a.toLower();
    const QString y = b.toLower();
    const QString pair = x < y ? x + u'\n' + y : y + u'\n' + x;
    if (m_pairs.contains(pair))
      return false;
    m_pairs.insert(pair);
    return true;
  }

  TzelDataModel &m_model;
  QString m_databaseName;
  QHash<QString, Read> m_read; // by catalogue reference
  QSet<QString> m_pairs;
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
  model.SetDatabaseType(catalogue.kind == TzelDriverKind::Postgres ? zelPostgreSQL : zelSQLite);
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
