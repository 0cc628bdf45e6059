#pragma once
// The engine's dataset (query object): closing, filling "SQL" and opening runs the
// statement on the database named by "DatabaseName"; the records are read whole, then
// walked from First to Eof. Fields come in select-list order.

#include "database/zelfieldtype.h"
#include "model/displayformat.h"
#include "model/zeltypes.h"

#include <QList>
#include <QObject>
#include <QStringList>
#include <QVariant>
#include <memory>
#include <vector>

class TzelDataset;

// The definition of a result column: name, data type and size.
struct TzelFieldDef {
  QString Name;
  TFieldType DataType = ftUnknown;
  int Size = 0;
  bool operator==(const TzelFieldDef &) const = default;
};

// One result column with its display settings; values come from the dataset's records.
class TzelDatasetField {
public:
  TzelDatasetField(TzelDataset *dataset, int index, TzelFieldDef def);

  QString FieldName() const { return m_def.Name; }
  TFieldType DataType() const { return m_def.DataType; }
  int Size() const { return m_def.Size; }
  int Index() const { return m_index; }

  QString DisplayLabel() const { return m_label.isEmpty() ? m_def.Name : m_label; }
  void setDisplayLabel(const QString &label) { m_label = label; }
  int DisplayWidth() const;
  void setDisplayWidth(int width) { m_width = width; }
  TAlignment Alignment() const { return m_alignment; }
  void setAlignment(TAlignment alignment) { m_alignment = alignment; }
  int Tag() const { return m_tag; }
  void setTag(int tag) { m_tag = tag; }
  QString DisplayFormat() const { return m_displayFormat; }
  void setDisplayFormat(const QString &format) { m_displayFormat = format; }
  QString EditMask() const { return m_editMask; }
  void setEditMask(const QString &mask) { m_editMask = mask; }
  // Boolean fields: "TrueText;FalseText" (default "True;False").
  QString DisplayValues() const { return m_displayValues; }
  void setDisplayValues(const QString &values) { m_displayValues = values; }

  // The value and display text at the current record, or at a given record.
  QVariant Value() const;
  QVariant valueAt(int record) const;
  bool IsNull() const { return Value().isNull(); }
  QString DisplayText() const { return displayTextOf(Value()); }
  QString displayTextAt(int record) const { return displayTextOf(valueAt(record)); }
  QString displayTextOf(const QVariant &value) const;

private:
  TzelDataset *m_dataset;
  int m_index;
  TzelFieldDef m_def;
  QString m_label;
  int m_width = -1;
  TAlignment m_alignment;
  int m_tag = 0;
  QString m_displayFormat;
  QString m_editMask;
  QString m_displayValues = u"True;False"_qs;
};

class TzelDataset : public QObject {
  Q_OBJECT
  Q_PROPERTY(QStringList SQL READ SQL WRITE setSQL)
  Q_PROPERTY(QString DatabaseName READ DatabaseName WRITE setDatabaseName)
  Q_PROPERTY(bool Active READ Active WRITE setActive)
public:
  explicit TzelDataset(QObject *parent = nullptr);
  ~TzelDataset() override;
  Q_DISABLE_COPY(TzelDataset)

  QStringList SQL() const { return m_sql; }
  void setSQL(const QStringList &sql) { m_sql = sql; }
  QString DatabaseName() const { return m_databaseName; }
  void setDatabaseName(const QString &name) { m_databaseName = name; }

  // Runs the statement; throws EzelError with the driver's message (dataset closed).
  void Open();
  void Close();
  bool Active() const { return m_active; }
  void setActive(bool active) { active ? Open() : Close(); }
  // Runs a statement that returns no records (the dataset stays closed); throws EzelError.
  void ExecSQL();

  int RecordCount() const { return int(m_records.size()); }
  int RecNo() const { return m_current; } // 0-based current record
  void First() { m_current = 0; }
  void Next() {
    if (m_current < RecordCount())
      ++m_current;
  }
  bool Eof() const { return m_current >= RecordCount(); }

  // While disabled (counted), attached controls are not told about changes.
  void DisableControls() { ++m_disabled; }
  void EnableControls();
  bool ControlsDisabled() const { return m_disabled > 0; }

  int FieldCount() const { return int(m_fields.size()); }
  TzelDatasetField *Fields(int index) const;
  TzelDatasetField *FindField(const QString &name) const;
  QList<TzelFieldDef> FieldDefs() const;

  QVariant value(int record, int field) const;
  // The records as read (for export and the data source).
  const std::vector<QVariantList> &records() const { return m_records; }
  // The display conventions of the locale in force when the dataset was opened.
  const TzelDisplayFormatter &displayFormatter() const { return m_formatter; }

signals:
  // Opened, closed or refilled; attached controls re-read everything.
  void datasetChanged();

private:
  void notify();
  QStringList m_sql;
  QString m_databaseName;
  bool m_active = false;
  int m_current = 0;
  int m_disabled = 0;
  bool m_pending = false;
  std::vector<std::unique_ptr<TzelDatasetField>> m_fields;
  std::vector<QVariantList> m_records;
  TzelDisplayFormatter m_formatter;
};
