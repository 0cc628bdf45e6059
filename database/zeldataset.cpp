// SPDX-License-Identifier: MIT
#include "database/zeldataset.h"

#include "database/zelfieldtype.h"
#include "database/zelrecordstream.h"
#include "database/zelsession.h"
#include "database/zelstandarddb.h"
#include "messages/zelprogress.h"

#include <QSqlDatabase>
#include <QSqlError>
#include <algorithm>
#include <climits>
#include <cstdlib>

using namespace Qt::StringLiterals;

namespace {

// The first block, kept while the dataset is open: the first screen of a grid and the
// start of every walk, and the whole of most results.
constexpr int kHeadRecords = 1024;
// The latest records read after the first block; older ones are read again when needed.
constexpr int kWindowRecords = 4096;
constexpr int kReadBlock = 256;

bool isInteger(TFieldType t) {
  return t == ftSmallint || t == ftInteger || t == ftWord || t == ftAutoInc;
}

// Integers a double holds exactly, as the pattern's number is a double.
bool isIntegerValue(const QVariant &value) {
  const int id = value.typeId();
  if (id == QMetaType::Int)
    return true;
  return id == QMetaType::LongLong && std::llabs(value.toLongLong()) < (1LL << 53);
}

} // namespace

TzelDatasetField::TzelDatasetField(TzelDataset *dataset, int index, TzelFieldDef def)
    : m_dataset(dataset), m_index(index), m_def(std::move(def)),
      m_alignment(isNumericFieldType(m_def.DataType) ? taRightJustify : taLeftJustify) {}

int TzelDatasetField::DisplayWidth() const {
  if (m_width >= 0)
    return m_width;
  switch (m_def.DataType) {
  case ftString:
    return m_def.Size > 0 ? m_def.Size : 20;
  case ftBoolean:
    return 5;
  case ftSmallint:
    return 6;
  case ftInteger:
  case ftAutoInc:
  case ftWord:
    return 11;
  case ftDate:
  case ftTime:
    return 10;
  case ftDateTime:
    return 18;
  default:
    return 10;
  }
}

QVariant TzelDatasetField::Value() const {
  return valueAt(m_dataset->RecNo());
}

QVariant TzelDatasetField::valueAt(int record) const {
  return m_dataset->value(record, m_index);
}

QString TzelDatasetField::displayTextOf(const QVariant &value) const {
  const TFieldType type = m_def.DataType;
  if (isNumericFieldType(type) && !value.isNull()) {
    // "#", the default of integer fields, shows an integer's own digits.
    if (isInteger(type) && m_displayFormat == u"#" && isIntegerValue(value))
      return QString::number(value.toLongLong());
    const QString pattern = type == ftCurrency && m_displayFormat.isEmpty()
                                ? QStringLiteral("#,##0.00")
                                : m_displayFormat;
    bool ok = false;
    const double number = value.toDouble(&ok);
    if (ok && !pattern.isEmpty() && numberPattern(pattern).usable())
      return m_pattern.text(number);
  }
  if (type == ftDate || type == ftTime || type == ftDateTime)
    if (const std::optional<QString> text = datePattern().text(value))
      return *text;
  return m_dataset->displayFormatter().display(
      value, type == ftBoolean ? m_displayValues : m_displayFormat, type);
}

const TzelNumberPattern &TzelDatasetField::numberPattern(const QString &pattern) const {
  if (!m_patternRead || m_patternText != pattern) {
    m_pattern = TzelNumberPattern(pattern, m_dataset->displayLocale());
    m_patternText = pattern;
    m_patternRead = true;
  }
  return m_pattern;
}

const TzelDatePattern &TzelDatasetField::datePattern() const {
  if (!m_datePattern || m_datePatternText != m_displayFormat) {
    m_datePattern.emplace(m_displayFormat, m_def.DataType, m_dataset->displayLocale());
    m_datePatternText = m_displayFormat;
  }
  return *m_datePattern;
}

TzelDataset::TzelDataset(QObject *parent) : QObject(parent) {}

TzelDataset::~TzelDataset() {
  m_stream.reset();
  dropPrivateConnection();
}

// Reading runs through here: a cancel or failure closes the dataset before it is raised,
// so nothing partial stays open as if it were the whole result.
template <typename Read> auto TzelDataset::reading(Read read) {
  m_busy = true;
  try {
    auto result = read();
    endBusy();
    return result;
  } catch (const EzelCancelled &) {
    endBusy();
    Close();
    m_cancelled = true;
    throw;
  } catch (const EzelError &) {
    endBusy();
    Close();
    throw;
  }
}

QString TzelDataset::connectionFor(const QString &databaseName, QString &text) {
  TzelOpenDatabase &db = TzelSession::defaultSession().open(databaseName);
  if (db.standard)
    text = db.standard->prepare(text);
  if (db.kind == TzelDriverKind::Sqlite || db.kind == TzelDriverKind::Standard)
    return db.connectionName;
  // A server connection serves one streaming result at a time, so every dataset reads
  // through a connection of its own; a cancel request then stops only its statement.
  // A connection given up while a statement ran is closed: it is made again.
  if (m_privateSource != db.connectionName || !QSqlDatabase::contains(m_privateConnection) ||
      !QSqlDatabase::database(m_privateConnection, false).isOpen()) {
    dropPrivateConnection();
    static int counter = 0;
    m_privateConnection = u"zel-dataset-%1"_s.arg(++counter);
    QSqlDatabase clone = QSqlDatabase::cloneDatabase(db.connectionName, m_privateConnection);
    if (const QString message = TzelSession::openConnection(clone); !message.isEmpty()) {
      clone = QSqlDatabase();
      dropPrivateConnection();
      throw EzelError(u"Error: "_s + message);
    }
    m_privateSource = db.connectionName;
  }
  return m_privateConnection;
}

void TzelDataset::dropPrivateConnection() {
  if (m_privateConnection.isEmpty())
    return;
  QSqlDatabase::database(m_privateConnection, false).close();
  QSqlDatabase::removeDatabase(m_privateConnection);
  m_privateConnection.clear();
  m_privateSource.clear();
}

void TzelDataset::startStream() {
  QString text = m_sql.join(u'\n');
  m_connection = connectionFor(m_databaseName, text);
  const TzelDriverKind kind = TzelSession::defaultSession().open(m_databaseName).kind;
  // A connection serves one statement at a time: the one read before ends first.
  m_stream.reset();
  m_stream =
      std::make_unique<TzelRecordStream>(m_connection, kind, text, m_cancel, [this] { onWait(); });
  m_streamPos = 0;
}

namespace {

const QString kBusy = QStringLiteral("Error: The dataset is still running its statement");

} // namespace

// Every wait of the database is shown to the user, who may stop it from there.
void TzelDataset::onWait() {
  if (!m_progress)
    m_progress = std::make_unique<TzelProgressScope>(QStringLiteral("Running Query"));
  if (!m_progress->step(QStringLiteral("The database is working on the query.")))
    m_cancel.request();
  emit waiting();
}

void TzelDataset::endBusy() {
  m_busy = false;
  m_progress.reset();
}

void TzelDataset::Open() {
  if (m_busy) // from a slot of waiting()
    throw EzelError(kBusy);
  if (m_active)
    return;
  m_cancel.reset();
  m_cancelled = false;
  m_busy = true;
  try {
    startStream();
    if (!m_stream->isSelect())
      throw EzelError(u"Error: The statement returns no records"_s);
    const QList<TzelFieldDef> defs = m_stream->fieldDefs();
    std::deque<QVariantList> first;
    m_streamPos = m_stream->read(first, kHeadRecords);
    m_head.assign(std::make_move_iterator(first.begin()), std::make_move_iterator(first.end()));
    m_fields.clear();
    for (int i = 0; i < defs.size(); ++i)
      m_fields.push_back(std::make_unique<TzelDatasetField>(this, i, defs[i]));
  } catch (const EzelError &error) {
    endBusy();
    m_cancelled = dynamic_cast<const EzelCancelled *>(&error) != nullptr;
    m_stream.reset();
    m_head.clear();
    throw;
  }
  endBusy();
  m_fetched = m_streamPos;
  m_windowStart = m_fetched;
  m_window.clear();
  m_total = -1;
  if (m_stream->atEnd()) {
    m_total = m_fetched;
    m_stream.reset();
  }
  m_locale = QLocale();
  m_formatter = TzelDisplayFormatter(m_locale);
  m_current = 0;
  m_active = true;
  notify();
}

void TzelDataset::ExecSQL() {
  if (m_busy)
    throw EzelError(kBusy);
  Close();
  m_cancel.reset();
  m_cancelled = false;
  QString text = m_sql.join(u'\n');
  const QString connection = connectionFor(m_databaseName, text);
  m_busy = true;
  try {
    TzelRecordStream run(connection, TzelSession::defaultSession().open(m_databaseName).kind, text,
                         m_cancel, [this] { onWait(); });
    // To its end, so that a later statement of the text that fails is reported.
    run.skip(LLONG_MAX);
  } catch (const EzelError &error) {
    endBusy();
    m_cancelled = dynamic_cast<const EzelCancelled *>(&error) != nullptr;
    throw;
  }
  endBusy();
}

void TzelDataset::Close() {
  if (m_busy) {
    // Called from a slot while the database works: the statement stops and the read that
    // runs it closes the dataset.
    m_cancel.request();
    return;
  }
  m_stream.reset();
  m_head.clear();
  m_window.clear();
  m_windowStart = m_fetched = m_streamPos = 0;
  m_total = -1;
  if (!m_active)
    return;
  m_active = false;
  m_fields.clear();
  m_current = 0;
  notify();
}

int TzelDataset::readBlock(int count) {
  const int read = m_stream->read(m_window, count);
  m_streamPos += read;
  m_fetched = std::max(m_fetched, m_streamPos);
  while (int(m_window.size()) > kWindowRecords) {
    m_window.pop_front();
    ++m_windowStart;
  }
  if (m_stream->atEnd()) {
    m_total = m_streamPos;
    m_stream.reset();
  }
  return read;
}

void TzelDataset::passOver(int count) {
  m_window.clear();
  m_streamPos += int(m_stream->skip(count));
  m_windowStart = m_streamPos;
  m_fetched = std::max(m_fetched, m_streamPos);
  if (m_stream->atEnd()) {
    m_total = m_streamPos;
    m_stream.reset();
  }
}

// A record behind the window (or one after a count ran past it): the statement runs again
// and passes over the records before the new window.
void TzelDataset::restartAt(int record) {
  const QList<TzelFieldDef> before = FieldDefs();
  startStream();
  if (m_stream->fieldDefs() != before)
    throw EzelError(u"Error: The result of the statement changed while it was read"_s);
  passOver(std::max(int(m_head.size()), record - kWindowRecords / 2));
}

void TzelDataset::readTo(int record) {
  const int cacheEnd = m_windowStart + int(m_window.size());
  if (record < m_windowStart || !m_stream || m_streamPos != cacheEnd)
    restartAt(record);
  else if (record - m_streamPos > kWindowRecords)
    passOver(record - kWindowRecords / 2 - m_streamPos);
  while (m_stream && m_streamPos <= record)
    readBlock(kReadBlock);
}

const QVariantList *TzelDataset::rowAt(int record) {
  if (!m_active || record < 0)
    return nullptr;
  if (record < int(m_head.size()))
    return &m_head[size_t(record)];
  if (m_total >= 0 && record >= m_total)
    return nullptr;
  const int offset = record - m_windowStart;
  if (offset >= 0 && offset < int(m_window.size()))
    return &m_window[size_t(offset)];
  if (m_busy) // asked from a slot of waiting(): the reader is in the middle of its work
    return nullptr;
  reading([&] {
    readTo(record);
    return true;
  });
  const int at = record - m_windowStart;
  return m_active && at >= 0 && at < int(m_window.size()) ? &m_window[size_t(at)] : nullptr;
}

int TzelDataset::RecordCount() {
  if (!m_active)
    return 0;
  if (m_total < 0 && !m_busy)
    reading([&] {
      const qint64 passed = m_stream->skip(LLONG_MAX);
      m_streamPos += int(passed);
      m_total = m_streamPos;
      m_stream.reset();
      return true;
    });
  return m_total >= 0 ? m_total : m_fetched;
}

void TzelDataset::WalkRecords(TzelRecordVisitor &visitor) {
  if (!m_active || m_busy)
    return;
  int record = 0;
  const bool more = walkKept(visitor, record) && (m_total < 0 || record < m_total);
  if (more && !walkRaw(visitor, record))
    walkRead(visitor, record);
  m_current = record;
}

// The records kept from the first: the first block, then the window when it follows on.
// False when the visitor stopped.
bool TzelDataset::walkKept(TzelRecordVisitor &visitor, int &record) {
  const auto give = [&](const QVariantList &row) {
    ++record;
    return visitor.values(row);
  };
  if (!std::all_of(m_head.begin(), m_head.end(), give))
    return false;
  return m_windowStart != record || std::all_of(m_window.begin(), m_window.end(), give);
}

// The rest straight from the SQLite or PostgreSQL statement, run anew when it no longer
// stands at record; false (nothing given) when the statement cannot give raw records.
bool TzelDataset::walkRaw(TzelRecordVisitor &visitor, int &record) {
  return reading([&] {
    if (!m_stream || m_streamPos != record) {
      restartAt(record);
      if (m_stream && m_streamPos < record)
        passOver(record - m_streamPos);
    }
    if (!m_stream)
      return true;
    if (!m_stream->givesRawRecords())
      return false;
    m_window.clear();
    m_streamPos += int(m_stream->visit(visitor, INT_MAX - m_streamPos));
    record = m_windowStart = m_streamPos;
    m_fetched = std::max(m_fetched, m_streamPos);
    if (m_stream->atEnd()) {
      m_total = m_streamPos;
      m_stream.reset();
    }
    return true;
  });
}

void TzelDataset::walkRead(TzelRecordVisitor &visitor, int &record) {
  for (const QVariantList *row = rowAt(record); row; row = rowAt(record)) {
    ++record;
    if (!visitor.values(*row))
      return;
  }
}

int TzelDataset::FetchMore(int count) {
  if (!m_active || m_total >= 0 || m_busy || count <= 0)
    return 0;
  const int before = m_fetched;
  rowAt(m_fetched + count - 1);
  return m_fetched - before;
}

// Never reads: the first record is in the first block, kept while the dataset is open.
void TzelDataset::First() {
  m_current = 0;
}

void TzelDataset::Next() {
  if (Eof())
    return;
  ++m_current;
  rowAt(m_current);
}

void TzelDataset::EnableControls() {
  if (m_disabled > 0 && --m_disabled == 0 && m_pending) {
    m_pending = false;
    emit datasetChanged();
  }
}

void TzelDataset::notify() {
  if (m_disabled > 0)
    m_pending = true;
  else
    emit datasetChanged();
}

TzelDatasetField *TzelDataset::Fields(int index) const {
  if (index < 0 || index >= FieldCount())
    throw EzelError(u"Error: Field index %1 out of range"_s.arg(index));
  return m_fields[size_t(index)].get();
}

TzelDatasetField *TzelDataset::FindField(const QString &name) const {
  for (const auto &f : m_fields)
    if (f->FieldName().compare(name, Qt::CaseInsensitive) == 0)
      return f.get();
  return nullptr;
}

QList<TzelFieldDef> TzelDataset::FieldDefs() const {
  QList<TzelFieldDef> defs;
  for (const auto &f : m_fields)
    defs.append({f->FieldName(), f->DataType(), f->Size()});
  return defs;
}

QVariant TzelDataset::value(int record, int field) {
  if (field < 0 || field >= FieldCount())
    return {};
  const QVariantList *row = rowAt(record);
  return row ? row->value(field) : QVariant();
}
