// SPDX-License-Identifier: MIT
#pragma once
// The engine's dataset (query object): closing, filling "SQL" and opening runs the
// statement on the database named by "DatabaseName". Records are read on demand: opening
// reads the first block, walking with First/Next/Eof and reading a record by number read on.
// Memory holds the first block and a window of the latest records, never the whole result;
// a record behind the window is read again by running the statement anew. Fields come in
// select-list order. A running statement can be cancelled (Cancel, EzelCancelled).

#include "database/zelcancel.h"
#include "database/zeldatepattern.h"
#include "database/zelfieldtype.h"
#include "database/zelnumberpattern.h"
#include "model/displayformat.h"
#include "model/zeltypes.h"
#include "zelcore_export.h"

#include <QList>
#include <QLocale>
#include <QObject>
#include <QStringList>
#include <QVariant>
#include <deque>
#include <memory>
#include <optional>
#include <vector>

class TzelDataset;
class TzelProgressScope;
class TzelRecordStream;
class TzelRecordVisitor;

// The definition of a result column: name, data type and size.
struct ZELCORE_EXPORT TzelFieldDef {
  QString Name;
  TFieldType DataType = ftUnknown;
  int Size = 0;
  bool operator==(const TzelFieldDef &) const = default;
};

// One result column with its display settings; values come from the dataset's records.
class ZELCORE_EXPORT TzelDatasetField {
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
  const TzelNumberPattern &numberPattern(const QString &pattern) const;
  const TzelDatePattern &datePattern() const;
  TzelDataset *m_dataset;
  int m_index;
  TzelFieldDef m_def;
  QString m_label;
  int m_width = -1;
  TAlignment m_alignment;
  int m_tag = 0;
  QString m_displayFormat;
  QString m_editMask;
  QString m_displayValues = QStringLiteral("True;False");
  mutable TzelNumberPattern m_pattern; // the display format, read once
  mutable QString m_patternText;
  mutable bool m_patternRead = false;
  mutable std::optional<TzelDatePattern> m_datePattern; // dates and times, read once
  mutable QString m_datePatternText;
};

class ZELCORE_EXPORT TzelDataset : public QObject {
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

  // Runs the statement and reads its first block; throws EzelError with the driver's
  // message, EzelCancelled when cancelled (the dataset stays closed either way).
  void Open();
  void Close();
  bool Active() const { return m_active; }
  void setActive(bool active) { active ? Open() : Close(); }
  // Runs a statement that returns no records (the dataset stays closed); throws EzelError.
  void ExecSQL();

  // Stops the running statement: safe from a slot of waiting(), from another thread and
  // from a signal handler. The statement is interrupted in the database; the operation
  // that ran it raises EzelCancelled and the dataset closes. A request while nothing runs
  // stops the next read.
  void Cancel() { m_cancel.request(); }
  // The last Open or read ended because it was cancelled (not because it failed).
  bool Cancelled() const { return m_cancelled; }

  // Exact: reads to the end of the result when that has not been reached yet (the records
  // are passed over, not kept), so it costs a full read of a large result. Callers that
  // only need to know whether there are records use IsEmpty.
  int RecordCount();
  // Exact from the first block: no further reading.
  bool IsEmpty() const { return m_active && m_head.empty(); }
  // Records read from the database so far, and whether that is all of them.
  int FetchedCount() const { return m_fetched; }
  bool AllFetched() const { return m_total >= 0; }
  // Reads up to count further records (for a grid that grows while scrolled); returns how
  // many were read. Throws as Open does.
  int FetchMore(int count);

  // Gives every record from the first to visitor, as Next would reach them, and leaves the
  // dataset past the last one given. Records kept in memory go as values; the rest of an
  // SQLite or PostgreSQL result come straight from its statement (run anew when it no
  // longer stands there) as raw records, read for the walk alone and not kept. Throws as
  // Open does.
  void WalkRecords(TzelRecordVisitor &visitor);

  int RecNo() const { return m_current; } // 0-based current record
  void First();
  void Next();
  // Exact: Next has already tried to read the record it moved to.
  bool Eof() const { return !m_active || (m_total >= 0 && m_current >= m_total); }

  // While disabled (counted), attached controls are not told about changes.
  void DisableControls() { ++m_disabled; }
  void EnableControls();
  bool ControlsDisabled() const { return m_disabled > 0; }

  int FieldCount() const { return int(m_fields.size()); }
  TzelDatasetField *Fields(int index) const;
  TzelDatasetField *FindField(const QString &name) const;
  QList<TzelFieldDef> FieldDefs() const;

  // The value of a field of a record, read as needed (null past the end); throws as Open
  // does when reading fails.
  QVariant value(int record, int field);
  // The display conventions of the locale in force when the dataset was opened.
  const TzelDisplayFormatter &displayFormatter() const { return m_formatter; }
  const QLocale &displayLocale() const { return m_locale; }

signals:
  // Opened, closed or refilled; attached controls re-read everything.
  void datasetChanged();
  // The database is still working (about every 50 ms of a long statement or read; the
  // process's progress handler shows it and may cancel the statement first); a slot
  // may process events and call Cancel, but must not use the dataset otherwise.
  void waiting();

private:
  void notify();
  const QVariantList *rowAt(int record);
  bool walkKept(TzelRecordVisitor &visitor, int &record);
  bool walkRaw(TzelRecordVisitor &visitor, int &record);
  void walkRead(TzelRecordVisitor &visitor, int &record);
  void readTo(int record);
  void restartAt(int record);
  void passOver(int count);
  int readBlock(int count);
  void startStream();
  QString connectionFor(const QString &databaseName, QString &text);
  template <typename Read> auto reading(Read read);
  void onWait();
  void endBusy();
  void dropPrivateConnection();

  QStringList m_sql;
  QString m_databaseName;
  bool m_active = false;
  bool m_cancelled = false;
  bool m_busy = false;
  int m_current = 0;
  int m_disabled = 0;
  bool m_pending = false;
  std::vector<std::unique_ptr<TzelDatasetField>> m_fields;
  QLocale m_locale;
  TzelDisplayFormatter m_formatter;
  TzelCancelTarget m_cancel;
  std::unique_ptr<TzelProgressScope> m_progress; // while the database keeps the user waiting

  std::unique_ptr<TzelRecordStream> m_stream;
  QString m_connection;              // the connection the statement runs on
  QString m_privateConnection;       // PostgreSQL: this dataset's own connection
  QString m_privateSource;           // the session connection it was cloned from
  int m_streamPos = 0;               // number of the record the stream gives next
  int m_fetched = 0;                 // records read so far (the furthest point reached)
  int m_total = -1;                  // the number of records, once the end was reached
  std::vector<QVariantList> m_head;  // the first block, kept while open
  std::deque<QVariantList> m_window; // the latest records read after the first block
  int m_windowStart = 0;
};
