// SPDX-License-Identifier: MIT
#pragma once
// Query objects: a query is a schema whose tables are instances of data-model tables, plus
// output values, each with filter cells in up to twenty filter rows.

#include "model/zelmodel.h"
#include "model/zelschema.h"
#include "zelcore_export.h"

#include <QHash>
#include <QPointer>

#include <algorithm>

class TzelQuery;
class TzelQueryValue;

// What a query needs from the query component that holds it.
class ZELCORE_EXPORT TzelQueryOwner {
public:
  virtual ~TzelQueryOwner() = default;
  virtual TzelModel *queryDataModel() const = 0;
};

// A table of a query: TableName is the alias of a data-model table, TableAlias the name of
// this instance. It owns no fields; the field operations resolve (once, lazily) to the
// model table through the query's owner and delegate to it.
class ZELCORE_EXPORT TzelQueryTable : public TzelTable {
  Q_OBJECT
public:
  explicit TzelQueryTable(QObject *parent = nullptr);

  TzelQuery *Query() const;
  // True when the model table is found; raises the model's lookup error while its
  // RaiseOnMissing is on.
  bool Resolve() const;
  int ModelTableIndex() const { return m_modelTableIndex; }
  TzelModel *Model() const { return m_model; }
  TzelTable *ModelTable() const; // none while unresolved

  int FieldCount() const override; // -1 while unresolved
  TzelField *GetField(int index) const override;
  void SetField(int index, TzelField *field) override;
  QString GetDatabaseName() const override;
  void SetDatabaseName(const QString &name) override;
  bool FieldIndexValid(int index) const override;
  TzelField *FieldByAlias(const QString &alias) const override;
  TzelField *FieldByName(const QString &name) const override;
  TzelField *FindField(const QString &alias) const override;
  int IndexOfFieldName(const QString &name) const override;
  int IndexOfFieldAlias(const QString &alias) const override;
  void AttachField(TzelField *field) override; // does nothing
  int AddField(const QString &fieldName, const QString &fieldAlias, TFieldType dataType,
               int dataSize) override; // does nothing, -1

protected:
  void tableNameChanged() override;

private:
  mutable int m_modelTableIndex = -1;
  mutable QPointer<TzelModel> m_model;
};

// One filter cell: the items of a filter row for one value, each ended by '|'.
class ZELCORE_EXPORT TzelQueryFilter : public TzelComponent {
  Q_OBJECT
  Q_PROPERTY(int Position READ Position WRITE SetPosition)
  Q_PROPERTY(zel::TzelFilterOper Operator READ Operator WRITE SetOperator)
  Q_PROPERTY(QString Filter READ Filter WRITE SetFilter)
  Q_CLASSINFO("zel.default.Operator", "zelFilterEqual")
public:
  explicit TzelQueryFilter(QObject *parent = nullptr);

  TzelQueryValue *Value() const { return m_value; }
  void SetValue(TzelQueryValue *value) { m_value = value; }
  int Position() const { return m_position; } // filter row 1..20
  void SetPosition(int position) { m_position = position; }
  TzelFilterOper Operator() const { return m_operator; }
  void SetOperator(TzelFilterOper oper) { m_operator = oper; }
  QString Filter() const { return m_filter; }
  void SetFilter(const QString &filter); // appends the closing '|' when missing
  bool Deleted() const { return m_deleted; }
  void SetDeleted(bool on) { m_deleted = on; }

  // The items of a filter text: the non-empty texts ended by '|', untrimmed.
  static QStringList SplitFilter(const QString &filter);

private:
  TzelQueryValue *m_value = nullptr;
  int m_position = TzelFilterPositionMin;
  TzelFilterOper m_operator = zelFilterEqual;
  QString m_filter;
  bool m_deleted = false;
};

// An output value (a field of a query table, or a calculated expression) and its filters.
class ZELCORE_EXPORT TzelQueryValue : public TzelComponent {
  Q_OBJECT
  Q_PROPERTY(QString ValueAlias READ ValueAlias WRITE SetValueAlias)
  Q_PROPERTY(QString TableAlias READ TableAlias WRITE SetTableAlias)
  Q_PROPERTY(QString Expression READ Expression WRITE SetExpression)
  Q_PROPERTY(zel::TzelShow Show READ Show WRITE SetShow)
  Q_PROPERTY(zel::TzelSort Sort READ Sort WRITE SetSort)
  Q_PROPERTY(QString Format READ Format WRITE SetFormat)
  Q_PROPERTY(zel::TFieldType DataType READ DataType WRITE SetDataType)
  Q_PROPERTY(int Width READ Width WRITE SetWidth)
  Q_PROPERTY(zel::TAlignment Alignment READ Alignment WRITE SetAlignment)
  Q_PROPERTY(int Position READ Position WRITE SetPosition)
  Q_CLASSINFO("zel.default.Show", "zelShow")
  Q_CLASSINFO("zel.default.Sort", "zelSortNone")
  Q_CLASSINFO("zel.default.Alignment", "taLeftJustify")
public:
  explicit TzelQueryValue(QObject *parent = nullptr);
  ~TzelQueryValue() override;

  QString ValueAlias() const { return m_valueAlias; }
  // Cut to 128 characters; blank raises "Error: Header cannot be blank".
  void SetValueAlias(const QString &alias);
  QString TableAlias() const { return m_tableAlias; }
  void SetTableAlias(const QString &alias) { m_tableAlias = alias; }
  QString Expression() const { return m_expression; }
  void SetExpression(const QString &expression) { m_expression = expression; }
  TzelShow Show() const { return m_show; }
  void SetShow(TzelShow show) { m_show = show; }
  TzelSort Sort() const { return m_sort; }
  void SetSort(TzelSort sort) { m_sort = sort; }
  QString Format() const { return m_format; }
  void SetFormat(const QString &format) { m_format = format; }
  TFieldType DataType() const { return m_dataType; }
  void SetDataType(TFieldType type) { m_dataType = type; }
  int Width() const { return m_width; }
  void SetWidth(int width) { m_width = quint16(qBound(0, width, 65535)); }
  TAlignment Alignment() const { return m_alignment; }
  void SetAlignment(TAlignment alignment) { m_alignment = alignment; }
  int Position() const { return m_position; }
  void SetPosition(int position) { m_position = position; }
  TzelQuery *Query() const { return m_query; }
  void SetQuery(TzelQuery *query) { m_query = query; }
  bool Deleted() const { return m_deleted; }
  void SetDeleted(bool on); // the query's alias lookups follow
  bool RaiseOnMissing() const { return m_raiseOnMissing; }
  void SetRaiseOnMissing(bool on) { m_raiseOnMissing = on; }
  // The type and display format of the value's result column: DataType and Format, except
  // that a value not in its field's scale leaves aside the format its field gave it: an
  // average is a fraction, ftFloat, and a count a whole number, ftInteger (SUM, MIN and MAX
  // keep both). A format the user gave the value itself stays.
  TFieldType ResultDataType() const;
  QString ResultFormat() const;
  // True for an average and a calculated quotient: with no format of its own it shows every
  // digit the database gives.
  bool KeepsPrecision() const;

  int FilterCount() const { return int(m_filters.size()); } // deleted included
  TzelQueryFilter *GetFilter(int index) const;
  bool FilterIndexValid(int index) const;
  // Sets the cell of a filter row, reusing the row's live filter or else a deleted one;
  // returns the filter's index.
  int SetFilter(int position, TzelFilterOper oper, const QString &text);
  void ClearFilters(); // marks every filter deleted
  void AttachFilter(TzelQueryFilter *filter);

  QList<TzelComponent *> storedChildren() const override;
  bool attachStoredChild(TzelComponent *child) override;

private:
  bool leavesFieldScale() const;
  const TzelField *sourceField() const; // the field of a field value, if the model has it

  TzelName m_valueAlias;
  TzelName m_tableAlias;
  QString m_expression;
  TzelShow m_show = zelShow;
  TzelSort m_sort = zelSortNone;
  TzelFormat m_format;
  TAlignment m_alignment = taLeftJustify;
  TFieldType m_dataType = ftString;
  quint16 m_width = 25;
  int m_position = 0;
  TzelQuery *m_query = nullptr;
  QList<TzelQueryFilter *> m_filters;
  bool m_deleted = false;
  bool m_raiseOnMissing = true;
};

class ZELCORE_EXPORT TzelQuery : public TzelSchema {
  Q_OBJECT
  Q_PROPERTY(QString QueryName READ QueryName WRITE SetQueryName)
  Q_PROPERTY(zel::TzelQueryType QueryType READ QueryType WRITE SetQueryType)
  Q_PROPERTY(bool IsDistinct READ IsDistinct WRITE SetIsDistinct)
  Q_PROPERTY(int TopValues READ TopValues WRITE SetTopValues)
  Q_PROPERTY(bool TopPercent READ TopPercent WRITE SetTopPercent)
  Q_PROPERTY(int TopOffset READ TopOffset WRITE SetTopOffset)
  Q_CLASSINFO("zel.default.IsDistinct", "False")
  Q_CLASSINFO("zel.default.TopValues", "0")
  Q_CLASSINFO("zel.default.TopPercent", "False")
  Q_CLASSINFO("zel.default.TopOffset", "0")
public:
  explicit TzelQuery(QObject *parent = nullptr);
  ~TzelQuery() override;

  // The query component holding this query (a QObject implementing TzelQueryOwner); not
  // owned, and cleared when it is destroyed.
  TzelQueryOwner *Querion() const;
  QObject *QuerionObject() const { return m_querion; }
  void SetQuerion(QObject *querion);
  TzelModel *DataModel() const; // the owner's data model, or none

  QString QueryName() const { return m_queryName; }
  void SetQueryName(const QString &name) { m_queryName = name; }
  TzelQueryType QueryType() const { return m_queryType; }
  void SetQueryType(TzelQueryType type) { m_queryType = type; }
  bool IsDistinct() const { return m_isDistinct; }
  void SetIsDistinct(bool on) { m_isDistinct = on; }
  // Only the first TopValues records (0: all), or that percentage of them, after skipping
  // TopOffset records; each dialect writes it in its own form or refuses it.
  int TopValues() const { return m_topValues; }
  void SetTopValues(int count) { m_topValues = std::max(0, count); }
  bool TopPercent() const { return m_topPercent; }
  void SetTopPercent(bool on) { m_topPercent = on; }
  int TopOffset() const { return m_topOffset; }
  void SetTopOffset(int count) { m_topOffset = std::max(0, count); }

  // tableName is a data-model table alias; the database name is not used.
  int AddTable(const QString &databaseName, const QString &tableName,
               const QString &tableAlias) override;
  // Also marks deleted every value of the table.
  bool DeleteTable(const QString &alias) override;
  // Also renames the table alias of the table's live values.
  bool RenameTableAlias(int index, const QString &newAlias) override;
  // Copies the model's joins between the new table and the query's other tables.
  void AddAutoJoins(const QString &tableName, const QString &tableAlias);

  int ValueCount() const { return int(m_values.size()); } // deleted included
  // Raises "Error: Value Index [n] does not exist" for an index outside the list.
  TzelQueryValue *GetValue(int index) const;
  void ClearValues();
  int IndexOfValueAlias(const QString &alias) const;
  QString MakeValueAlias(const QString &base);
  // A field value (table alias given) or a calculated value; returns its index, or -1
  // when the table or field is not found with errors off.
  int AddValue(const QString &tableAlias, const QString &expression, const QString &valueAlias);
  void ListValueAliases(QStringList &list) const; // by Position
  // Copies the source's live values with their headers as written (made unique only).
  void Assign(const QObject *source) override;
  void AttachValue(TzelQueryValue *value);
  // Told by a value of this query when its alias or its Deleted mark changed.
  void valueAliasChanged(const TzelQueryValue *value, const QString &oldAlias);
  void valueDeletedChanged(const TzelQueryValue *value);

  QList<TzelComponent *> storedChildren() const override;
  bool attachStoredChild(TzelComponent *child) override;
  bool replaceStoredChildren(const QList<TzelComponent *> &children,
                             std::vector<std::unique_ptr<TzelComponent>> &released) override;

protected:
  bool acceptsTable(const TzelTable *table) const override;

private:
  // How a value's header is taken: proper-cased when the system makes it from a name, as
  // written when it is the user's (or a file's) text.
  enum class AliasCase { Proper, AsWritten };
  int addValue(const QString &tableAlias, const QString &expression, const QString &valueAlias,
               AliasCase aliasCase);
  static QHash<QString, const TzelJoin *> modelJoinsOf(const TzelModel &model,
                                                       const QString &tableName);
  TzelQueryValue *createValue(const QString &alias, const QString &tableAlias,
                              const QString &expression);

  QPointer<QObject> m_querion;
  TzelQueryOwner *m_owner = nullptr;
  QList<TzelQueryValue *> m_values;
  ZelAliasIndex m_valueAliases; // live values by ValueAlias
  TzelName m_queryName;
  TzelQueryType m_queryType = zelSelect;
  bool m_isDistinct = false;
  int m_topValues = 0;
  bool m_topPercent = false;
  int m_topOffset = 0;
};
