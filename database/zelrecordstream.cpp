// SPDX-License-Identifier: MIT
#include "database/zelrecordstream.h"

#include "database/recordcursorfirebird.h"
#include "database/recordcursormariadb.h"
#include "database/recordcursorpostgres.h"
#include "database/recordcursorsqlite.h"
#include "database/zelcancel.h"

#include <QDate>
#include <QDateTime>
#include <QTime>

using namespace Qt::StringLiterals;

namespace {

constexpr int kWaitIntervalMs = 50;

[[noreturn]] void notConvertible(const QVariant &raw, const TzelFieldDef &def, const char *kind) {
  throw EzelError(u"Error: The value [%1] of the [%2] field is not a %3"_s.arg(
      raw.toString(), def.Name, QString::fromLatin1(kind)));
}

QVariant dateOf(const QVariant &raw, const TzelFieldDef &def) {
  if (raw.typeId() != QMetaType::QString)
    return raw.toDate();
  const QString text = raw.toString();
  if (text.isEmpty())
    return {};
  const QDate d = QDate::fromString(text.left(10), Qt::ISODate);
  if (!d.isValid())
    notConvertible(raw, def, "date");
  return d;
}

QVariant timeOf(const QVariant &raw, const TzelFieldDef &def) {
  if (raw.typeId() != QMetaType::QString)
    return raw.toTime();
  const QString text = raw.toString();
  if (text.isEmpty())
    return {};
  const QTime t = QTime::fromString(text, Qt::ISODateWithMs);
  if (!t.isValid())
    notConvertible(raw, def, "time");
  return t;
}

QVariant dateTimeOf(const QVariant &raw, const TzelFieldDef &def) {
  if (raw.typeId() != QMetaType::QString)
    return raw.toDateTime();
  QString text = raw.toString();
  if (text.isEmpty())
    return {};
  const QDateTime dt = QDateTime::fromString(text.replace(u' ', u'T'), Qt::ISODateWithMs);
  if (!dt.isValid())
    notConvertible(raw, def, "date and time");
  return dt;
}

} // namespace

// The stream's side of its cursor: the cancel check and the wait hook, written once.
class TzelRecordStream::Host final : public TzelCursorHost {
public:
  Host(TzelCancelTarget &cancel, WaitHook wait) : m_cancel(cancel), m_wait(std::move(wait)) {}
  TzelRecordCursor *cursor = nullptr;

  void guarded(const std::function<void()> &step) override {
    if (cancelRequested())
      throw EzelCancelled();
    cursor->arm(m_cancel);
    m_sinceWait.start();
    try {
      // A request made before the target was armed reached no database.
      if (cancelRequested())
        throw EzelCancelled();
      step();
    } catch (...) {
      cursor->disarm(m_cancel);
      throw;
    }
    cursor->disarm(m_cancel);
  }

  bool progress() override {
    if (m_wait && m_sinceWait.elapsed() >= kWaitIntervalMs) {
      m_wait();
      m_sinceWait.start();
    }
    return cancelRequested();
  }

  bool cancelRequested() const override {
    return m_cancel.requested() || TzelCancelTarget::allRequested();
  }

  void fail(const QString &message) override {
    if (cancelRequested())
      throw EzelCancelled();
    throw EzelError(u"Error: "_s + message);
  }

private:
  TzelCancelTarget &m_cancel;
  WaitHook m_wait;
  QElapsedTimer m_sinceWait;
};

QVariant zelTypedValue(const QVariant &raw, const TzelFieldDef &def) {
  if (raw.isNull())
    return {};
  switch (def.DataType) {
  case ftDate:
    return dateOf(raw, def);
  case ftTime:
    return timeOf(raw, def);
  case ftDateTime:
    return dateTimeOf(raw, def);
  case ftBoolean:
    return raw.toBool();
  case ftSmallint:
  case ftInteger:
  case ftWord:
  case ftAutoInc:
    return raw.typeId() == QMetaType::LongLong && raw.toLongLong() == int(raw.toLongLong())
               ? QVariant(raw.toInt())
               : raw;
  case ftFloat:
  case ftCurrency:
  case ftBCD: {
    bool ok = false;
    const double d = raw.toDouble(&ok);
    return ok ? QVariant(d) : raw;
  }
  case ftString:
  case ftMemo:
  case ftFmtMemo:
    return raw.typeId() == QMetaType::QString ? raw : QVariant(raw.toString());
  default:
    return raw;
  }
}

TzelRecordStream::TzelRecordStream(const QString &connectionName, TzelDriverKind kind,
                                   const QString &sql, TzelCancelTarget &cancel, WaitHook wait)
    : m_host(std::make_unique<Host>(cancel, std::move(wait))) {
  switch (kind) {
  case TzelDriverKind::Postgres:
    m_cursor = std::make_unique<TzelPostgresCursor>(*m_host, connectionName);
    break;
  case TzelDriverKind::MariaDB:
    m_cursor = std::make_unique<TzelMariaDbCursor>(*m_host, connectionName);
    break;
  case TzelDriverKind::Firebird:
    m_cursor = std::make_unique<TzelFirebirdCursor>(*m_host, connectionName);
    break;
  default:
    m_cursor = std::make_unique<TzelSqliteCursor>(*m_host, connectionName);
    break;
  }
  m_host->cursor = m_cursor.get();
  m_cursor->start(sql);
}

TzelRecordStream::~TzelRecordStream() = default;

bool TzelRecordStream::isSelect() const {
  return m_cursor->isSelect();
}

const QList<TzelFieldDef> &TzelRecordStream::fieldDefs() const {
  return m_cursor->fieldDefs();
}

bool TzelRecordStream::atEnd() const {
  return m_cursor->atEnd();
}

bool TzelRecordStream::givesRawRecords() const {
  return m_cursor->givesRawRecords();
}

bool TzelRecordStream::progress() {
  return m_host->progress();
}

int TzelRecordStream::read(std::deque<QVariantList> &out, int max) {
  return m_cursor->atEnd() ? 0 : m_cursor->read(out, max);
}

qint64 TzelRecordStream::skip(qint64 count) {
  return m_cursor->atEnd() ? 0 : m_cursor->skip(count);
}

qint64 TzelRecordStream::visit(TzelRecordVisitor &visitor, qint64 max) {
  return m_cursor->visit(visitor, max);
}
