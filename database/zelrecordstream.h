// SPDX-License-Identifier: MIT
#pragma once
// One running statement whose records are read forward, a block at a time, so that
// memory holds only what the caller keeps, through the cursor of its engine (see
// recordcursor.h). While the database works, the wait hook is called about every 50 ms, and
// the cancel target can interrupt the statement: that check is made here, for every engine.

#include "database/zeldataset.h"
#include "database/zelsession.h"
#include "zelcore_export.h"

#include <QByteArrayView>
#include <QElapsedTimer>
#include <deque>
#include <functional>
#include <memory>

class TzelCancelTarget;
class TzelRecordCursor;
class TzelRecordVisitor;
struct TzelMoment;

class ZELCORE_EXPORT TzelRecordStream {
public:
  using WaitHook = std::function<void()>;
  // Runs sql on the named Qt connection; throws EzelCancelled when cancelled, EzelError
  // with the driver's message when the statement fails.
  TzelRecordStream(const QString &connectionName, TzelDriverKind kind, const QString &sql,
                   TzelCancelTarget &cancel, WaitHook wait);
  ~TzelRecordStream();
  TzelRecordStream(const TzelRecordStream &) = delete;
  TzelRecordStream &operator=(const TzelRecordStream &) = delete;

  bool isSelect() const;
  const QList<TzelFieldDef> &fieldDefs() const;
  // Appends up to max records to out (fewer only at the end of the result) and returns
  // how many; throws as the constructor does.
  int read(std::deque<QVariantList> &out, int max);
  // Passes over up to count records without keeping them; returns how many.
  qint64 skip(qint64 count);
  // Whether visit() can hand records over as the database holds them.
  bool givesRawRecords() const;
  // Hands up to max records to visitor as the database holds them, keeping none, until the end
  // or until the visitor refuses one (counted as given); returns how many it was given.
  // Throws as read() does, and lets what the visitor throws through.
  qint64 visit(TzelRecordVisitor &visitor, qint64 max);
  bool atEnd() const;

  // Called while the database works (by the cursor): the wait hook now and then; true once
  // the statement is to stop.
  bool progress();

private:
  class Host;
  std::unique_ptr<Host> m_host;
  std::unique_ptr<TzelRecordCursor> m_cursor;
};

// A value as the database gave it, in the type its field declares (SQLite keeps dates,
// times and flags as text and integers). Throws EzelError for a text that is not a date
// or time of the field's type.
ZELCORE_EXPORT QVariant zelTypedValue(const QVariant &raw, const TzelFieldDef &def);

// The current row of a statement as its engine holds it, for writers that turn values into
// text without making generic values of them first. Valid only while the visitor given it runs.
class ZELCORE_EXPORT TzelRawRecord {
public:
  // How a value is held: as SQLite types it; other engines give integers and flags as
  // Integer, other numbers as Float, texts (dates and times among them) as Text, and values
  // only value() reads as Blob.
  enum Kind { Integer = 1, Float = 2, Text = 3, Blob = 4, Null = 5 };

  virtual Kind kind(int column) const = 0;
  virtual qint64 integer(int column) const = 0;
  virtual double number(int column) const = 0;
  // The UTF-8 bytes of a text value.
  virtual QByteArrayView text(int column) const = 0;
  // The date and time of a date or time column's ISO text, as value() reads them; false when
  // that is left to value().
  virtual bool moment(int column, TzelMoment &moment) const = 0;
  // The value as the records kept in memory hold it (zelTypedValue); throws as that does.
  virtual QVariant value(int column) const = 0;

protected:
  ~TzelRawRecord() = default;
};

// Receives the records of a walk over a dataset: those it keeps as values, and those read
// for the walk alone as the database holds them. Returning false ends the walk.
class ZELCORE_EXPORT TzelRecordVisitor {
public:
  virtual ~TzelRecordVisitor() = default;
  virtual bool values(const QVariantList &record) = 0;
  virtual bool raw(const TzelRawRecord &record) = 0;
};
