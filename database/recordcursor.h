// SPDX-License-Identifier: MIT
#pragma once
// One backend's running statement, read forward: one cursor class per engine behind this
// interface, as Qt writes one driver per database. The record stream that owns a cursor
// checks for Cancel and calls the wait hook; a cursor runs each step that may wait for the
// database under the stream's guard and asks it, while it waits, whether to stop.

#include "database/zeldataset.h"

#include <QList>
#include <QString>
#include <QVariantList>
#include <deque>
#include <functional>

class TzelCancelTarget;
class TzelRecordVisitor;

// What a cursor asks of the stream that owns it.
class TzelCursorHost {
public:
  // Runs step with the cursor's cancel handle armed; raises EzelCancelled first when a
  // cancel request came before it.
  virtual void guarded(const std::function<void()> &step) = 0;
  // Called while the database works: calls the wait hook now and then; true once the
  // statement is to stop.
  virtual bool progress() = 0;
  virtual bool cancelRequested() const = 0;
  // Raises EzelCancelled when the statement was cancelled, else EzelError("Error: " + message).
  [[noreturn]] virtual void fail(const QString &message) = 0;

protected:
  ~TzelCursorHost() = default;
};

class TzelRecordCursor {
public:
  explicit TzelRecordCursor(TzelCursorHost &host) : m_host(host) {}
  // Leaves the connection ready for its next statement, stopping this one in the server
  // when a cancel request was made.
  virtual ~TzelRecordCursor() = default;
  TzelRecordCursor(const TzelRecordCursor &) = delete;
  TzelRecordCursor &operator=(const TzelRecordCursor &) = delete;

  // Runs sql up to its first record; throws as the stream's constructor does.
  virtual void start(const QString &sql) = 0;
  // Arms and disarms the cancel target with the engine's own handle around a guarded step;
  // engines that stop a statement their own way (from its wait) need neither.
  virtual void arm(TzelCancelTarget &) {}
  virtual void disarm(TzelCancelTarget &) {}
  // Appends up to max records to out; returns how many (fewer only at the end).
  virtual int read(std::deque<QVariantList> &out, int max) = 0;
  // Passes over up to count records; returns how many.
  virtual qint64 skip(qint64 count) = 0;
  // SQLite: hands records over as the database holds them (TzelRecordStream::visit).
  virtual bool givesRawRecords() const { return false; }
  virtual qint64 visit(TzelRecordVisitor &, qint64) { return 0; }

  bool isSelect() const { return m_select; }
  const QList<TzelFieldDef> &fieldDefs() const { return m_defs; }
  bool atEnd() const { return m_atEnd; }

protected:
  // Marks the end and raises the failure through the host.
  [[noreturn]] void fail(const QString &message) {
    m_atEnd = true;
    m_host.fail(message);
    Q_UNREACHABLE();
  }

  TzelCursorHost &m_host;
  QList<TzelFieldDef> m_defs;
  bool m_select = false;
  bool m_atEnd = true;
};
