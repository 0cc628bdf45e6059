// SPDX-License-Identifier: MIT
#include "database/cataloguerefresh.h"

#include "database/cataloguekeys.h"
#include "database/zeldatamodel.h"
#include "messages/zelerror.h"
#include "model/aliasindex.h"
#include "model/zelmodel.h"

#include <QHash>
#include <QSet>
#include <algorithm>
#include <memory>

using namespace Qt::StringLiterals;

namespace {

using Kind = TzelCatalogueChange::Kind;

// "String(40)", "Integer".
QString typeText(TFieldType type, int size) {
  QString name = enumName(type);
  if (name.startsWith(u"ft"_s))
    name.remove(0, 2);
  return size > 0 ? name + u'(' + QString::number(size) + u')' : name;
}

QString columnRef(const TzelTable &table, const QString &column) {
  return u"Column ["_s + table.TableAlias() + u'.' + column + u"] "_s;
}

// A key's or a join's column pairs, parent first, as one text that ignores their order and case.
QString pairsText(const QStringList &parent, const QStringList &child) {
  QStringList pairs;
  for (int i = 0; i < parent.size() && i < child.size(); ++i)
    pairs << (parent.at(i) + u'\n' + child.at(i)).toLower();
  pairs.sort();
  return pairs.join(u'\t');
}

QList<TzelCatalogueColumn> fieldsAsColumns(const TzelTable &table) {
  QList<TzelCatalogueColumn> columns;
  for (int i = 0; i < table.FieldCount(); ++i)
    if (const TzelField *f = table.GetField(i); !f->Deleted())
      columns.append({f->FieldName(), {f->DataType(), f->DataSize()}, true, 0});
  return columns;
}

// The changes of one database: its tables in the model against its catalogue.
class Comparer {
public:
  Comparer(const TzelModel &model, const TzelDatabaseCatalogue &catalogue,
           QList<TzelCatalogueChange> &out)
      : m_model(model), m_catalogue(catalogue), m_names(catalogue), m_out(out) {}

  void run() {
    for (int i = 0; i < m_model.TableCount(); ++i) {
      const TzelTable *table = m_model.GetTable(i);
      if (!table->Deleted() && zelSameText(table->GetDatabaseName(), m_catalogue.databaseName))
        compareTable(*table);
    }
    if (!m_catalogue.folder)
      compareKeys();
    tablesAdded();
  }

private:
  TzelCatalogueChange change(Kind kind, const TzelTable *table, const QString &text) const {
    TzelCatalogueChange c;
    c.kind = kind;
    c.text = text;
    c.databaseName = m_catalogue.databaseName;
    if (table) {
      c.tableAlias = table->TableAlias();
      c.tableName = table->TableName();
    }
    return c;
  }

  void compareTable(const TzelTable &table) {
    const TzelCatalogueTable *source = m_names.find(table.TableName());
    if (!source) {
      m_out.append(change(Kind::TableDropped, &table,
                          u"Table ["_s + table.TableAlias() + u"] dropped from the database"_s));
      return;
    }
    m_found.insert(source->id);
    if (m_catalogue.folder) {
      compareColumns(table, folderColumns(table), false, false);
      return;
    }
    compareColumns(table, source->columns, true, source->view);
    if (!m_byId.contains(source->id)) {
      m_byId.insert(source->id, &table);
      m_inModel.append(source);
    }
    m_byAlias.insert(table.TableAlias().toLower(), source);
  }

  // A folder's table as its file now holds it.
  QList<TzelCatalogueColumn> folderColumns(const TzelTable &table) {
    if (!m_scratch) {
      m_scratch = std::make_unique<TzelDataModel>();
      m_scratch->SetDatabaseType(m_model.DatabaseType());
      m_scratch->SetNameQuote(m_model.NameQuote());
      m_scratch->SetRaiseOnMissing(false);
    }
    const int index = m_scratch->AddTableFromDatabase(m_catalogue.databaseName, table.TableName());
    if (index < 0)
      throw EzelError(m_scratch->LastErrorText());
    return fieldsAsColumns(*m_scratch->GetTable(index));
  }

  void compareColumns(const TzelTable &table, const QList<TzelCatalogueColumn> &columns, bool full,
                      bool view) {
    QHash<QString, const TzelCatalogueColumn *> byName;
    for (const TzelCatalogueColumn &column : columns)
      byName.insert(column.name.toLower(), &column);
    QSet<QString> held;
    for (int i = 0; i < table.FieldCount(); ++i) {
      const TzelField *field = table.GetField(i);
      if (field->Deleted())
        continue;
      held.insert(field->FieldName().toLower());
      const TzelCatalogueColumn *column = byName.value(field->FieldName().toLower());
      if (!column) {
        TzelCatalogueChange c = change(Kind::ColumnDropped, &table,
                                       columnRef(table, field->FieldName()) + u"dropped"_s);
        c.column = field->FieldName();
        m_out.append(c);
        continue;
      }
      compareColumn(table, *field, *column, full);
    }
    for (const TzelCatalogueColumn &column : columns) {
      if (held.contains(column.name.toLower()))
        continue;
      TzelCatalogueChange c = change(Kind::ColumnAdded, &table,
                                     columnRef(table, column.name) + u"added ("_s +
                                         typeText(column.type.type, column.type.size) + u')');
      c.column = column.name;
      c.source = column;
      c.view = view;
      m_out.append(c);
    }
  }

  void compareColumn(const TzelTable &table, const TzelField &field,
                     const TzelCatalogueColumn &column, bool full) {
    const auto add = [&](Kind kind, const QString &what) {
      TzelCatalogueChange c = change(kind, &table, columnRef(table, column.name) + what);
      c.column = column.name;
      c.source = column;
      m_out.append(c);
    };
    if (field.DataType() != column.type.type || field.DataSize() != column.type.size)
      add(Kind::ColumnRetyped, u"retyped: "_s + typeText(field.DataType(), field.DataSize()) +
                                   u" to "_s + typeText(column.type.type, column.type.size));
    if (!full)
      return;
    if (field.IsNullable() != column.nullable)
      add(Kind::NullableChanged,
          column.nullable ? u"now allows nulls"_s : u"no longer allows nulls"_s);
    if (field.IsKey() != (column.keyOrder > 0))
      add(Kind::KeyFlagChanged,
          column.keyOrder > 0 ? u"now in the primary key"_s : u"no longer in the primary key"_s);
  }

  // The model holds one default join per pair of tables: a key between two of its tables not
  // joined is a key added; an inner join from a table's primary key that no key of the
  // database matches any more is a key dropped. A database without keys drops none: its joins
  // were drawn by hand.
  void compareKeys() {
    QSet<QString> joined;
    bool anyKey = false;
    for (const TzelCatalogueTable &table : m_catalogue.tables)
      anyKey = anyKey || !table.keys.isEmpty();
    for (int i = 0; i < m_model.JoinCount(); ++i) {
      const TzelJoin *join = m_model.GetJoin(i);
      if (join->Deleted())
        continue;
      const TzelCatalogueTable *left = m_byAlias.value(join->LeftTableAlias().toLower());
      const TzelCatalogueTable *right = m_byAlias.value(join->RightTableAlias().toLower());
      if (!left || !right)
        continue;
      joined.insert(zelTablePairKey(join->LeftTableAlias(), join->RightTableAlias()));
      if (anyKey)
        compareJoin(*join, *left, *right);
    }
    for (const TzelCatalogueTable *child : std::as_const(m_inModel))
      for (const TzelCatalogueKey &key : child->keys)
        keyAdded(*child, key, joined);
  }

  void compareJoin(const TzelJoin &join, const TzelCatalogueTable &left,
                   const TzelCatalogueTable &right) {
    if (join.JoinType() != zelJoinInner)
      return;
    const TzelTable *leftTable = table(join.LeftTableAlias());
    const TzelTable *rightTable = table(join.RightTableAlias());
    QStringList parent;
    QStringList child;
    for (int i = 0; i < join.JoinFieldCount(); ++i) {
      const TzelJoinField *pair = join.GetJoinField(i);
      if (pair->Deleted())
        continue;
      const TzelField *a = fieldByAlias(*leftTable, pair->LeftFieldAlias());
      const TzelField *b = fieldByAlias(*rightTable, pair->RightFieldAlias());
      if (!a || !b || pair->JoinOper() != zelJoinEqual)
        return;
      parent << a->FieldName();
      child << b->FieldName();
    }
    const QStringList primaryKey = left.primaryKey();
    const auto lower = [](QStringList list) {
      for (QString &s : list)
        s = s.toLower();
      list.sort();
      return list;
    };
    if (parent.isEmpty() || lower(parent) != lower(primaryKey))
      return; // not a key's join
    const QString pairs = pairsText(parent, child);
    for (const TzelCatalogueKey &key : right.keys)
      if (key.parentId == left.id &&
          pairsText(key.parentColumns.isEmpty() ? primaryKey : key.parentColumns,
                    key.childColumns) == pairs)
        return;
    TzelCatalogueChange c =
        change(Kind::KeyDropped, rightTable,
               u"Foreign key dropped: "_s + zelCatalogueKeyText(join.RightTableAlias(), child,
                                                                join.LeftTableAlias(), parent));
    c.parentAlias = join.LeftTableAlias();
    c.childColumns = child;
    c.parentColumns = parent;
    m_out.append(c);
  }

  void keyAdded(const TzelCatalogueTable &child, const TzelCatalogueKey &key,
                QSet<QString> &joined) {
    const TzelTable *parentTable = m_byId.value(key.parentId);
    const TzelCatalogueTable *parent = m_names.byId(key.parentId);
    if (!parentTable || !parent)
      return;
    const TzelTable *childTable = m_byId.value(child.id);
    const QStringList parentColumns =
        key.parentColumns.isEmpty() ? parent->primaryKey() : key.parentColumns;
    const QString pair = zelTablePairKey(parentTable->TableAlias(), childTable->TableAlias());
    if (parentColumns.size() != key.childColumns.size() || joined.contains(pair))
      return;
    joined.insert(pair);
    TzelCatalogueChange c = change(
        Kind::KeyAdded, childTable,
        u"Foreign key added: "_s + zelCatalogueKeyText(childTable->TableAlias(), key.childColumns,
                                                       parentTable->TableAlias(), parentColumns));
    c.parentAlias = parentTable->TableAlias();
    c.childColumns = key.childColumns;
    c.parentColumns = parentColumns;
    m_out.append(c);
  }

  void tablesAdded() {
    for (const TzelCatalogueTable &table : m_catalogue.tables) {
      if (m_found.contains(table.id))
        continue;
      const QString name = TzelDatabaseCatalogue::physicalName(table);
      TzelCatalogueChange c =
          change(Kind::TableAdded, nullptr, u"Table ["_s + name + u"] added to the database"_s);
      c.tableName = name;
      c.proposed = false; // the model may have been made from a chosen few
      m_out.append(c);
    }
  }

  const TzelTable *table(const QString &alias) const {
    const TzelProbe<TzelSchema> probe(const_cast<TzelModel &>(m_model));
    return m_model.GetTable(m_model.IndexOfTableAlias(alias));
  }

  static const TzelField *fieldByAlias(const TzelTable &table, const QString &alias) {
    const TzelProbe<TzelTable> probe(const_cast<TzelTable &>(table));
    return table.FieldByAlias(alias);
  }

  const TzelModel &m_model;
  const TzelDatabaseCatalogue &m_catalogue;
  const TzelCatalogueNames m_names;
  QList<TzelCatalogueChange> &m_out;
  QSet<QString> m_found;                                // catalogue tables the model holds
  QHash<QString, const TzelTable *> m_byId;             // the first model table of each
  QList<const TzelCatalogueTable *> m_inModel;          // in the model's order
  QHash<QString, const TzelCatalogueTable *> m_byAlias; // model alias folded -> its source
  std::unique_ptr<TzelDataModel> m_scratch;             // reads a folder's table files
};

TzelTable &tableOf(TzelModel &model, const QString &alias) {
  return *model.GetTable(model.IndexOfTableAlias(alias)); // raises when it is gone
}

// The live fields numbered 0, 1, ... in the order the user set; returns how many there are.
int compactPositions(TzelTable &table) {
  QList<TzelField *> fields;
  for (int i = 0; i < table.FieldCount(); ++i)
    if (TzelField *f = table.GetField(i); !f->Deleted())
      fields.append(f);
  std::stable_sort(fields.begin(), fields.end(), [](const TzelField *a, const TzelField *b) {
    return a->Position() < b->Position();
  });
  for (int i = 0; i < fields.size(); ++i)
    fields.at(i)->SetPosition(i);
  return int(fields.size());
}

void dropColumn(TzelModel &model, const TzelCatalogueChange &c) {
  TzelTable &table = tableOf(model, c.tableAlias);
  TzelField *field = table.FieldByName(c.column);
  field->SetDeleted(true);
  compactPositions(table);
  for (int i = 0; i < model.JoinCount(); ++i) {
    TzelJoin *join = model.GetJoin(i);
    const bool left = zelSameText(join->LeftTableAlias(), c.tableAlias);
    const bool right = zelSameText(join->RightTableAlias(), c.tableAlias);
    if (join->Deleted() || (!left && !right))
      continue;
    for (int k = 0; k < join->JoinFieldCount(); ++k) {
      const TzelJoinField *pair = join->GetJoinField(k);
      if (!pair->Deleted() &&
          ((left && zelSameText(pair->LeftFieldAlias(), field->FieldAlias())) ||
           (right && zelSameText(pair->RightFieldAlias(), field->FieldAlias()))))
        join->DeleteJoinField(k);
    }
  }
}

void changeColumn(TzelModel &model, const TzelCatalogueChange &c) {
  TzelTable &table = tableOf(model, c.tableAlias);
  if (c.kind == Kind::ColumnAdded) {
    zelAddCatalogueField(table, c.source, c.view, compactPositions(table));
    return;
  }
  TzelField *field = table.FieldByName(c.column);
  if (c.kind == Kind::ColumnRetyped) {
    // An alignment the type gave follows the type; one the user chose stays.
    const auto aligned = [](TFieldType type) {
      return isNumericFieldType(type) ? taRightJustify : taLeftJustify;
    };
    if (field->Alignment() == aligned(field->DataType()))
      field->SetAlignment(aligned(c.source.type.type));
    field->SetDataType(c.source.type.type);
    field->SetDataSize(c.source.type.size);
  } else if (c.kind == Kind::NullableChanged) {
    field->SetIsNullable(c.source.nullable);
  } else if (c.kind == Kind::KeyFlagChanged) {
    field->SetIsKey(c.source.keyOrder > 0);
  }
}

void dropKey(TzelModel &model, const TzelCatalogueChange &c) {
  const TzelProbe<TzelSchema> probe(model);
  const int index = model.IndexOfJoin(c.parentAlias, c.tableAlias);
  if (index >= 0)
    model.GetJoin(index)->SetDeleted(true);
}

void addKey(TzelModel &model, const TzelCatalogueChange &c) {
  zelAddKeyJoin(model, tableOf(model, c.parentAlias), c.parentColumns, tableOf(model, c.tableAlias),
                c.childColumns);
}

// New tables stand in a column right of every window, one under the other.
class NewTablePlaces {
public:
  explicit NewTablePlaces(const TzelModel &model) {
    for (int i = 0; i < model.TableCount(); ++i)
      if (const TzelTable *t = model.GetTable(i); !t->Deleted())
        m_left = std::max(m_left, t->Left() + t->Width() + kGap);
  }
  void place(TzelTable &table) {
    table.SetLeft(m_left);
    table.SetTop(m_top);
    m_top += table.Height() + kGap;
  }

private:
  static constexpr int kGap = 20;
  int m_left = 12;
  int m_top = 12;
};

QString freeAlias(TzelModel &model, const TzelCatalogueTable &source) {
  const TzelProbe<TzelSchema> probe(model);
  const QString physical = TzelDatabaseCatalogue::physicalName(source);
  for (const QString &alias : {source.name, physical})
    if (model.IndexOfTableAlias(alias) < 0)
      return alias;
  QString alias;
  for (int n = 1; model.IndexOfTableAlias(alias = source.name + u'_' + QString::number(n)) >= 0;)
    ++n;
  return alias;
}

void addTable(TzelModel &model, const TzelCatalogueChange &c,
              const TzelDatabaseCatalogue &catalogue, const TzelCatalogueNames &names,
              NewTablePlaces &places) {
  int index;
  if (catalogue.folder) {
    index = model.AddTableFromDatabase(c.databaseName, c.tableName);
    if (index < 0)
      throw EzelError(u"Error: The ["_s + c.tableName + u"] table cannot be read"_s);
  } else {
    const TzelCatalogueTable *source = names.find(c.tableName);
    if (!source)
      return;
    index = model.AddTable(c.databaseName, c.tableName, freeAlias(model, *source));
    TzelTable &table = *model.GetTable(index);
    for (int i = 0; i < source->columns.size(); ++i)
      zelAddCatalogueField(table, source->columns.at(i), source->view, i);
    zelAddKeyJoins(model, index, catalogue);
  }
  places.place(*model.GetTable(index));
}

const TzelDatabaseCatalogue *catalogueOf(const QList<TzelDatabaseCatalogue> &catalogues,
                                         const QString &databaseName) {
  for (const TzelDatabaseCatalogue &catalogue : catalogues)
    if (zelSameText(catalogue.databaseName, databaseName))
      return &catalogue;
  return nullptr;
}

} // namespace

QList<TzelCatalogueChange> zelCatalogueChanges(const TzelModel &model,
                                               const QList<TzelDatabaseCatalogue> &catalogues) {
  QList<TzelCatalogueChange> changes;
  for (const TzelDatabaseCatalogue &catalogue : catalogues)
    Comparer(model, catalogue, changes).run();
  return changes;
}

void zelApplyCatalogueChanges(TzelModel &model, const QList<TzelCatalogueChange> &changes,
                              const QList<TzelDatabaseCatalogue> &catalogues) {
  // Joins and tables go first, so that what follows never meets them; new tables come before
  // the keys, as their own keys draw their joins.
  const auto each = [&](std::initializer_list<Kind> kinds, auto act) {
    for (const TzelCatalogueChange &c : changes)
      if (std::find(kinds.begin(), kinds.end(), c.kind) != kinds.end())
        act(c);
  };
  each({Kind::KeyDropped}, [&](const auto &c) { dropKey(model, c); });
  each({Kind::TableDropped}, [&](const auto &c) { model.DeleteTable(c.tableAlias); });
  each({Kind::ColumnDropped}, [&](const auto &c) { dropColumn(model, c); });
  each({Kind::ColumnAdded, Kind::ColumnRetyped, Kind::NullableChanged, Kind::KeyFlagChanged},
       [&](const auto &c) { changeColumn(model, c); });
  NewTablePlaces places(model);
  QHash<const TzelDatabaseCatalogue *, std::shared_ptr<TzelCatalogueNames>> names;
  each({Kind::TableAdded}, [&](const auto &c) {
    const TzelDatabaseCatalogue *catalogue = catalogueOf(catalogues, c.databaseName);
    if (!catalogue)
      return;
    std::shared_ptr<TzelCatalogueNames> &found = names[catalogue];
    if (!found)
      found = std::make_shared<TzelCatalogueNames>(*catalogue);
    addTable(model, c, *catalogue, *found, places);
  });
  each({Kind::KeyAdded}, [&](const auto &c) { addKey(model, c); });
}

QStringList zelModelDatabases(const TzelModel &model) {
  QStringList names;
  for (int i = 0; i < model.TableCount(); ++i) {
    const TzelTable *table = model.GetTable(i);
    if (table->Deleted())
      continue;
    const QString name = table->GetDatabaseName();
    if (std::none_of(names.cbegin(), names.cend(),
                     [&](const QString &n) { return zelSameText(n, name); }))
      names.append(name);
  }
  return names;
}
