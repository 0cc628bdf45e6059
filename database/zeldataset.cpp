#include "database/zeldataset.h"

#include "database/zelsession.h"
#include "database/zelstandarddb.h"

#include <QDate>
#include <QDateTime>
#include <QSqlDatabase>
#include <QSqlError>
#include <QSqlField>
#include <QSqlQuery>
#include <QSqlRecord>
#include <QSqlResult>
#include <QTime>

#include <sqlite3.h>

namespace {

sqlite3_stmt *statementOf(const QSqlQuery &query) {
  const QVariant v = query.result()->handle();
  if (v.isValid() && qstrcmp(v.typeName(), "sqlite3_stmt*") == 0)
    return *static_cast<sqlite3_stmt *const *>(v.constData());
  return nullptr;
}

TzelColumnType fromValueType(const QSqlField &field) {
  switch (field.metaType().id()) {
  case QMetaType::Int:
  case QMetaType::LongLong:
  case QMetaType::UInt:
  case QMetaType::ULongLong:
    return {ftInteger, 0};
  case QMetaType::Double:
    return {ftFloat, 0};
  case QMetaType::Bool:
    return {ftBoolean, 0};
  case QMetaType::QDate:
    return {ftDate, 0};
  case QMetaType::QTime:
    return {ftTime, 0};
  case QMetaType::QDateTime:
    return {ftDateTime, 0};
  case QMetaType::QByteArray:
    return {ftBlob, 0};
  default:
    return {ftString, field.length() > 0 ? field.length() : 0};
  }
}

QList<TzelFieldDef> definitionsOf(const QSqlQuery &query, TzelDriverKind kind) {
  const QSqlRecord record = query.record();
  sqlite3_stmt *stmt = kind == TzelDriverKind::Postgres ? nullptr : statementOf(query);
  QList<TzelFieldDef> defs;
  for (int i = 0; i < record.count(); ++i) {
    const QSqlField f = record.field(i);
    TzelColumnType t;
    if (kind == TzelDriverKind::Postgres)
      t = fieldTypeFromPostgres(f.typeID(), f.length(), f.precision());
    else if (stmt)
      t = fieldTypeFromDeclared(QString::fromUtf8(sqlite3_column_decltype(stmt, i)));
    if (t.type == ftUnknown)
      t = fromValueType(f);
    defs.append({f.name(), t.type, t.size});
  }
  return defs;
}

// SQLite keeps dates, times and flags as text and integers; give them their field's type.
QVariant typed(const QVariant &raw, TFieldType type) {
  if (raw.isNull())
    return {};
  switch (type) {
  case ftDate:
    if (raw.typeId() == QMetaType::QString) {
      const QDate d = QDate::fromString(raw.toString().left(10), Qt::ISODate);
      return d.isValid() ? QVariant(d) : QVariant();
    }
    return raw.toDate();
  case ftTime:
    if (raw.typeId() == QMetaType::QString) {
      const QTime t = QTime::fromString(raw.toString(), Qt::ISODateWithMs);
      return t.isValid() ? QVariant(t) : QVariant();
    }
    return raw.toTime();
  case ftDateTime:
    if (raw.typeId() == QMetaType::QString) {
      const QDateTime dt =
          QDateTime::fromString(raw.toString().replace(u' ', u'T'), Qt::ISODateWithMs);
      return dt.isValid() ? QVariant(dt) : QVariant();
    }
    return raw.toDateTime();
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
    return raw.toString();
  default:
    return raw;
  }
}

bool isNumeric(TFieldType t) {
  return t == ftSmallint || t == ftInteger || t == ftWord || t == ftFloat || t == ftCurrency ||
         t == ftBCD || t == ftAutoInc;
}

// Prepares the statement for its driver and runs it; throws EzelError.
QSqlQuery run(const QString &databaseName, const QStringList &sql, TzelDriverKind &kind) {
  TzelOpenDatabase &db = TzelSession::defaultSession().open(databaseName);
  kind = db.kind;
  QString text = sql.join(u'\n');
  if (db.standard)
    text = db.standard->prepare(text);
  QSqlQuery query(QSqlDatabase::database(db.connectionName, false));
  query.setForwardOnly(true);
  if (!query.exec(text)) {
    QString message = query.lastError().databaseText();
    if (message.isEmpty())
      message = query.lastError().text();
    throw EzelError(u"Error: "_qs + message);
  }
  return query;
}

} // namespace

TzelDatasetField::TzelDatasetField(TzelDataset *dataset, int index, TzelFieldDef def)
    : m_dataset(dataset), m_index(index), m_def(std::move(def)),
      m_alignment(isNumeric(m_def.DataType) ? taRightJustify : taLeftJustify) {}

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
  return m_dataset->displayFormatter().display(
      value, type == ftBoolean ? m_displayValues : m_displayFormat, type);
}

TzelDataset::TzelDataset(QObject *parent) : QObject(parent) {}

TzelDataset::~TzelDataset() = default;

void TzelDataset::Open() {
  if (m_active)
    return;
  TzelDriverKind kind;
  QSqlQuery query = run(m_databaseName, m_sql, kind);
  if (!query.isSelect())
    throw EzelError(u"Error: The statement returns no records"_qs);
  const QList<TzelFieldDef> defs = definitionsOf(query, kind);
  std::vector<QVariantList> records;
  while (query.next()) {
    QVariantList row;
    row.reserve(defs.size());
    for (int i = 0; i < defs.size(); ++i)
      row.append(typed(query.value(i), defs[i].DataType));
    records.push_back(std::move(row));
  }
  if (query.lastError().isValid())
    throw EzelError(u"Error: "_qs + query.lastError().text());
  m_fields.clear();
  for (int i = 0; i < defs.size(); ++i)
    m_fields.push_back(std::make_unique<TzelDatasetField>(this, i, defs[i]));
  m_records = std::move(records);
  m_formatter = TzelDisplayFormatter();
  m_current = 0;
  m_active = true;
  notify();
}

void TzelDataset::ExecSQL() {
  Close();
  TzelDriverKind kind;
  run(m_databaseName, m_sql, kind);
}

void TzelDataset::Close() {
  if (!m_active)
    return;
  m_active = false;
  m_fields.clear();
  m_records.clear();
  m_current = 0;
  notify();
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
    throw EzelError(u"Error: Field index %1 out of range"_qs.arg(index));
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

QVariant TzelDataset::value(int record, int field) const {
  if (record < 0 || record >= RecordCount() || field < 0 || field >= FieldCount())
    return {};
  return m_records[size_t(record)].value(field);
}
