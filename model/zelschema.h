// SPDX-License-Identifier: MIT
#pragma once
// The schema objects shared by the data model and the queries: tables with fields, joins
// with field pairs, and the schema that holds both. Objects refer to each other by alias
// text only, compared ignoring case. Removal is a Deleted mark: a marked object keeps its
// index and counts, but lookups skip it, it is not stored and a copy (Assign) drops it.

#include "model/aliasindex.h"
#include "model/zelcomponent.h"
#include "model/zeltypes.h"
#include "zelcore_export.h"

#include <QList>
#include <QPoint>
#include <QStringList>
#include <array>
#include <functional>
#include <memory>

class TzelTable;
class TzelJoin;
class TzelSchema;

// Switches an object's RaiseOnMissing off for one probing lookup and restores it after.
template <typename T> class TzelProbe {
public:
  explicit TzelProbe(T &object) : m_object(object), m_old(object.RaiseOnMissing()) {
    m_object.SetRaiseOnMissing(false);
  }
  ~TzelProbe() { m_object.SetRaiseOnMissing(m_old); }
  TzelProbe(const TzelProbe &) = delete;
  TzelProbe &operator=(const TzelProbe &) = delete;

private:
  T &m_object;
  bool m_old;
};

// The index check of every list of the model: true when the index names an entry of a list
// of count entries; otherwise "Error: " + what + " [" + index + "] does not exist" is raised
// when raise is set, else the result is false. Negative indices fail like too large ones.
ZELCORE_EXPORT bool zelIndexValid(int index, qsizetype count, bool raise, const char *what);

class ZELCORE_EXPORT TzelField : public TzelComponent {
  Q_OBJECT
  Q_PROPERTY(QString FieldAlias READ FieldAlias WRITE SetFieldAlias)
  Q_PROPERTY(QString FieldName READ FieldName WRITE SetFieldName)
  Q_PROPERTY(zel::TFieldType DataType READ DataType WRITE SetDataType)
  Q_PROPERTY(int DataSize READ DataSize WRITE SetDataSize)
  Q_PROPERTY(zel::TAlignment Alignment READ Alignment WRITE SetAlignment)
  Q_PROPERTY(QString Format READ Format WRITE SetFormat)
  Q_PROPERTY(QString Lookup READ Lookup WRITE SetLookup)
  Q_PROPERTY(bool IsKey READ IsKey WRITE SetIsKey)
  Q_PROPERTY(bool IsReadOnly READ IsReadOnly WRITE SetIsReadOnly)
  Q_PROPERTY(bool IsNullable READ IsNullable WRITE SetIsNullable)
  Q_PROPERTY(int Position READ Position WRITE SetPosition)
  Q_CLASSINFO("zel.default.DataType", "ftString")
  Q_CLASSINFO("zel.default.DataSize", "0")
  Q_CLASSINFO("zel.default.Alignment", "taLeftJustify")
  Q_CLASSINFO("zel.default.IsKey", "False")
  Q_CLASSINFO("zel.default.IsReadOnly", "False")
  Q_CLASSINFO("zel.default.IsNullable", "True")
public:
  explicit TzelField(QObject *parent = nullptr);

  TzelTable *Table() const { return m_table; }
  void SetTable(TzelTable *table) { m_table = table; }

  QString FieldAlias() const { return m_fieldAlias; }
  // Cut to 128 characters; a blank result raises and keeps the old value.
  void SetFieldAlias(const QString &alias);
  QString FieldName() const { return m_fieldName; }
  void SetFieldName(const QString &name);
  TFieldType DataType() const { return m_dataType; }
  void SetDataType(TFieldType type) { m_dataType = type; }
  int DataSize() const { return m_dataSize; }
  void SetDataSize(int size) { m_dataSize = quint16(qBound(0, size, 65535)); }
  TAlignment Alignment() const { return m_alignment; }
  void SetAlignment(TAlignment alignment) { m_alignment = alignment; }
  QString Format() const { return m_format; }
  void SetFormat(const QString &format) { m_format = format; }
  QString Lookup() const { return m_lookup; }
  void SetLookup(const QString &lookup) { m_lookup = lookup; }
  bool IsKey() const { return m_isKey; }
  void SetIsKey(bool on) { m_isKey = on; }
  bool IsReadOnly() const { return m_isReadOnly; }
  void SetIsReadOnly(bool on) { m_isReadOnly = on; }
  bool IsNullable() const { return m_isNullable; }
  void SetIsNullable(bool on) { m_isNullable = on; }
  int Position() const { return m_position; }
  void SetPosition(int position) { m_position = quint16(qBound(0, position, 65535)); }
  bool Deleted() const { return m_deleted; }
  void SetDeleted(bool on) { m_deleted = on; }

private:
  TzelTable *m_table = nullptr;
  TzelName m_fieldAlias;
  TzelName m_fieldName;
  TFieldType m_dataType = ftString;
  quint16 m_dataSize = 0;
  TAlignment m_alignment = taLeftJustify;
  TzelFormat m_format;
  TzelLookup m_lookup;
  bool m_isNullable = true;
  bool m_isReadOnly = false;
  bool m_isKey = false;
  quint16 m_position = 0;
  bool m_deleted = false;
};

// A table of a schema. The field operations are abstract: a data-model table works on its
// own fields, a query table delegates to the data-model table it stands for.
class ZELCORE_EXPORT TzelTable : public TzelComponent {
  Q_OBJECT
  Q_PROPERTY(QString TableAlias READ TableAlias WRITE SetTableAlias)
  Q_PROPERTY(QString TableName READ TableName WRITE SetTableName)
  Q_PROPERTY(int Left READ Left WRITE SetLeft)
  Q_PROPERTY(int Top READ Top WRITE SetTop)
  Q_PROPERTY(int Height READ Height WRITE SetHeight)
  Q_PROPERTY(int Width READ Width WRITE SetWidth)
  Q_CLASSINFO("zel.default.Left", "0")
  Q_CLASSINFO("zel.default.Top", "0")
  Q_CLASSINFO("zel.default.Height", "165")
  Q_CLASSINFO("zel.default.Width", "115")
public:
  explicit TzelTable(QObject *parent = nullptr);

  TzelSchema *Schema() const { return m_schema; }
  virtual void SetSchema(TzelSchema *schema) { m_schema = schema; }

  QString TableName() const { return m_tableName; }
  // Cut to 128 characters; only the empty result is refused (spaces are accepted).
  void SetTableName(const QString &name);
  QString TableAlias() const { return m_tableAlias; }
  void SetTableAlias(const QString &alias);
  int Left() const { return m_left; }
  void SetLeft(int left) { m_left = left; }
  int Top() const { return m_top; }
  void SetTop(int top) { m_top = top; }
  int Height() const { return m_height; }
  void SetHeight(int height) { m_height = height; }
  int Width() const { return m_width; }
  void SetWidth(int width) { m_width = width; }
  bool Deleted() const { return m_deleted; }
  void SetDeleted(bool on); // the schema's alias lookups follow
  bool RaiseOnMissing() const { return m_raiseOnMissing; }
  void SetRaiseOnMissing(bool on) { m_raiseOnMissing = on; }

  // Field operations, in slot order.
  virtual int FieldCount() const = 0; // deleted fields included
  virtual TzelField *GetField(int index) const = 0;
  virtual void SetField(int index, TzelField *field) = 0;
  virtual QString GetDatabaseName() const = 0;
  virtual void SetDatabaseName(const QString &name) = 0;
  // False for an index outside the list (negative ones too); then raises while RaiseOnMissing
  // is on.
  virtual bool FieldIndexValid(int index) const = 0;
  virtual TzelField *FieldByAlias(const QString &alias) const = 0;
  virtual TzelField *FieldByName(const QString &name) const = 0;
  virtual TzelField *FindField(const QString &alias) const = 0;
  virtual int IndexOfFieldName(const QString &name) const = 0;
  virtual int IndexOfFieldAlias(const QString &alias) const = 0;
  virtual void AttachField(TzelField *field) = 0;
  virtual int AddField(const QString &fieldName, const QString &fieldAlias, TFieldType dataType,
                       int dataSize) = 0;

protected:
  // Called after TableName changed, so that cached resolutions can be dropped.
  virtual void tableNameChanged() {}

private:
  TzelSchema *m_schema = nullptr;
  TzelName m_tableName;
  TzelName m_tableAlias;
  int m_left = 0;
  int m_top = 0;
  int m_height = 165;
  int m_width = 115;
  bool m_deleted = false;
  bool m_raiseOnMissing = true;
};

class ZELCORE_EXPORT TzelJoinField : public TzelComponent {
  Q_OBJECT
  Q_PROPERTY(QString LeftFieldAlias READ LeftFieldAlias WRITE SetLeftFieldAlias)
  Q_PROPERTY(QString RightFieldAlias READ RightFieldAlias WRITE SetRightFieldAlias)
  Q_PROPERTY(zel::TzelJoinOper JoinOper READ JoinOper WRITE SetJoinOper)
public:
  explicit TzelJoinField(QObject *parent = nullptr);

  TzelJoin *Join() const { return m_join; }
  void SetJoin(TzelJoin *join) { m_join = join; }
  // The field aliases are not validated: they may be blank and name no field.
  QString LeftFieldAlias() const { return m_leftFieldAlias; }
  void SetLeftFieldAlias(const QString &alias) { m_leftFieldAlias = alias; }
  QString RightFieldAlias() const { return m_rightFieldAlias; }
  void SetRightFieldAlias(const QString &alias) { m_rightFieldAlias = alias; }
  TzelJoinOper JoinOper() const { return m_joinOper; }
  void SetJoinOper(TzelJoinOper oper) { m_joinOper = oper; }
  bool Deleted() const { return m_deleted; }
  void SetDeleted(bool on) { m_deleted = on; }
  bool Selected() const { return m_selected; }
  void SetSelected(bool on) { m_selected = on; }
  // End points and bends (0..3) of the pair's line in the joins editor; not stored.
  QPoint Point(int i) const { return m_points.at(size_t(i)); }
  void SetPoint(int i, QPoint point) { m_points.at(size_t(i)) = point; }

private:
  TzelJoin *m_join = nullptr;
  TzelName m_leftFieldAlias;
  TzelName m_rightFieldAlias;
  TzelJoinOper m_joinOper = zelJoinEqual;
  bool m_deleted = false;
  bool m_selected = false;
  std::array<QPoint, 4> m_points{};
};

class ZELCORE_EXPORT TzelJoin : public TzelComponent {
  Q_OBJECT
  Q_PROPERTY(QString LeftTableAlias READ LeftTableAlias WRITE SetLeftTableAlias)
  Q_PROPERTY(QString RightTableAlias READ RightTableAlias WRITE SetRightTableAlias)
  Q_PROPERTY(zel::TzelJoinType JoinType READ JoinType WRITE SetJoinType)
  Q_PROPERTY(int Sequence READ Sequence WRITE SetSequence)
public:
  explicit TzelJoin(QObject *parent = nullptr);
  ~TzelJoin() override;

  TzelSchema *Schema() const { return m_schema; }
  void SetSchema(TzelSchema *schema) { m_schema = schema; }
  QString LeftTableAlias() const { return m_leftTableAlias; }
  void SetLeftTableAlias(const QString &alias) { m_leftTableAlias = alias; }
  QString RightTableAlias() const { return m_rightTableAlias; }
  void SetRightTableAlias(const QString &alias) { m_rightTableAlias = alias; }
  TzelJoinType JoinType() const { return m_joinType; }
  void SetJoinType(TzelJoinType type) { m_joinType = type; }
  int Sequence() const { return m_sequence; }
  void SetSequence(int sequence) { m_sequence = quint8(qBound(0, sequence, 255)); }
  bool Deleted() const { return m_deleted; }
  void SetDeleted(bool on) { m_deleted = on; }
  bool RaiseOnMissing() const { return m_raiseOnMissing; }
  void SetRaiseOnMissing(bool on) { m_raiseOnMissing = on; }
  // Working integers of the joins editor (-1 on creation); not stored.
  int Work1 = -1;
  int Work2 = -1;

  int JoinFieldCount() const { return int(m_joinFields.size()); } // deleted pairs included
  TzelJoinField *GetJoinField(int index) const;
  bool JoinFieldIndexValid(int index) const;
  int AddJoinField(const QString &leftFieldAlias, TzelJoinOper oper,
                   const QString &rightFieldAlias);
  // First live pair joining a and b in either order, ignoring case.
  int IndexOfJoinField(const QString &a, const QString &b) const;
  // Marks the pair deleted; the join too when no live pair remains.
  void DeleteJoinField(int index);
  // Takes ownership and appends (used when reading the stored form).
  void AttachJoinField(TzelJoinField *joinField);
  void ClearJoinFields();

  QList<TzelComponent *> storedChildren() const override;
  bool attachStoredChild(TzelComponent *child) override;

private:
  TzelSchema *m_schema = nullptr;
  QList<TzelJoinField *> m_joinFields;
  TzelName m_leftTableAlias;
  TzelName m_rightTableAlias;
  TzelJoinType m_joinType = zelJoinInner;
  quint8 m_sequence = 0;
  bool m_deleted = false;
  bool m_raiseOnMissing = true;
};

// A container of tables and joins; it owns both, deleted ones included.
class ZELCORE_EXPORT TzelSchema : public TzelComponent {
  Q_OBJECT
public:
  explicit TzelSchema(QObject *parent = nullptr);
  ~TzelSchema() override;

  bool RaiseOnMissing() const { return m_raiseOnMissing; }
  void SetRaiseOnMissing(bool on) { m_raiseOnMissing = on; }

  int TableCount() const { return int(m_tables.size()); }
  int JoinCount() const { return int(m_joins.size()); }
  TzelTable *GetTable(int index) const;
  TzelJoin *GetJoin(int index) const;
  bool TableIndexValid(int index) const;
  bool JoinIndexValid(int index) const;
  int IndexOfTableName(const QString &name) const;
  int IndexOfTableAlias(const QString &alias) const;
  int IndexOfJoin(const QString &a, const QString &b) const; // either direction

  // Adds a table and returns its index (or -1 when errors are off and it failed).
  virtual int AddTable(const QString &databaseName, const QString &tableName,
                       const QString &tableAlias) = 0;
  // Marks the table and every join touching it deleted; false when not found.
  virtual bool DeleteTable(const QString &alias);
  // Renames the table and the join ends naming it; raises when the new alias is taken.
  virtual bool RenameTableAlias(int index, const QString &newAlias);
  int AddJoin(const QString &leftTableAlias, TzelJoinType joinType, int sequence,
              const QString &rightTableAlias);
  // A new unique alias from a physical table name (extension and owner cut, proper-cased).
  QString MakeTableAlias(const QString &tableName);
  static QString ProperCase(const QString &text);
  void ListTableAliases(QStringList &list) const;
  void ListFieldAliases(const QString &tableAlias, QStringList &list) const; // by Position
  // The last join's first selected live pair, or (-1, -1).
  void GetSelectedJoinField(int &joinIndex, int &pairIndex) const;
  void ClearSelectedJoinFields();
  void ClearTables();
  void ClearJoins();
  // Rebuilds this schema as a copy of the source's live objects (indices become dense).
  // A source that is not a schema raises.
  virtual void Assign(const QObject *source);

  // Appends a table or join read from the stored form (ownership passes).
  void AttachTable(TzelTable *table);
  void AttachJoin(TzelJoin *join);
  // Told by a table of this schema when its alias or its Deleted mark changed.
  void tableAliasChanged(const TzelTable *table, const QString &oldAlias);
  void tableDeletedChanged(const TzelTable *table);

  QList<TzelComponent *> storedChildren() const override;
  bool attachStoredChild(TzelComponent *child) override;
  bool replaceStoredChildren(const QList<TzelComponent *> &children,
                             std::vector<std::unique_ptr<TzelComponent>> &released) override;

protected:
  // Whether a table of this class belongs in this kind of schema.
  virtual bool acceptsTable(const TzelTable *table) const = 0;
  // The alias AddTable gives a new table: the given one cut to length, or a new one made from
  // the table name when it is empty; raises when a live table already has it.
  QString newTableAlias(const QString &tableAlias, const QString &tableName);
  // Fills a table created by AddTable and appends it. A failed setter discards the table and
  // raises again while RaiseOnMissing is on, else gives -1.
  int addNewTable(std::unique_ptr<TzelTable> table, const std::function<void(TzelTable &)> &fill);
  [[noreturn]] void raiseAssignError(const QObject *source) const;

  QList<TzelTable *> m_tables;
  QList<TzelJoin *> m_joins;

private:
  ZelAliasIndex m_tableAliases; // live tables by TableAlias
  bool m_raiseOnMissing = true;
};
