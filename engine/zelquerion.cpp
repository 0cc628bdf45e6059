// SPDX-License-Identifier: MIT
#include "engine/zelquerion.h"
#include "messages/busycursor.h"

#include "database/zeldataset.h"
#include "engine/queryfile.h"
#include "engine/queryprompts.h"
#include "engine/recordprinting.h"
#include "engine/sqlgenerator.h"
#include "messages/zelmessages.h"
#include "model/datasetprops.h"
#include "model/sqldates.h"
#include "model/storedform.h"
#include "model/vocabulary.h"
#include "model/zelregistry.h"
#include "model/zelsettings.h"

#include <QFileInfo>
#include <QMetaMethod>
#include <algorithm>

namespace {

const ZelRegisterClass<TzelQuerion> registerQuerion;

// The generation run's view of the component: its parameter setting, its prompts, and its
// events, told as its signals.
class QuerionGenerationHost : public TzelGenerationHost {
public:
  explicit QuerionGenerationHost(TzelQuerion &querion) : m_querion(querion) {}
  bool displayParams() const override { return m_querion.DisplayParams(); }
  TzelQueryPrompts &prompts() const override { return m_querion.Prompts(); }
  void beforeParams() override { emit m_querion.OnBeforeParams(&m_querion); }
  void afterParams() override { emit m_querion.OnAfterParams(&m_querion); }
  void beforeQuery() override { emit m_querion.OnBeforeQuery(&m_querion); }
  void afterQuery() override { emit m_querion.OnAfterQuery(&m_querion); }

private:
  TzelQuerion &m_querion;
};

// The values that become result columns, in column order.
QList<TzelQueryValue *> shownValues(const TzelQuery &query) {
  QList<TzelQueryValue *> values;
  for (int i = 0; i < query.ValueCount(); ++i) {
    TzelQueryValue *value = query.GetValue(i);
    if (!value->Deleted() && value->Show() < zelHide)
      values << value;
  }
  std::stable_sort(values.begin(), values.end(),
                   [](const auto *a, const auto *b) { return a->Position() < b->Position(); });
  return values;
}

// The format a value shows with when it has none of its own.
QString defaultFormat(TFieldType tag, const TzelDisplay &display) {
  switch (tag) {
  case ftSmallint:
  case ftInteger:
  case ftWord:
  case ftAutoInc:
    return QStringLiteral("#");
  case ftBoolean:
    return QStringLiteral("True;False");
  case ftFloat:
  case ftBCD:
    return display.FormatFloat();
  case ftCurrency:
    return display.FormatCurrency();
  case ftDate:
    return display.FormatDate();
  case ftTime:
    return display.FormatTime();
  case ftDateTime:
    return display.FormatDateTime();
  default:
    return {};
  }
}

bool isDateTimeType(TFieldType type) {
  return type == ftDate || type == ftTime || type == ftDateTime;
}

// Applies a format by tag, only to a field of the matching kind.
void applyFormat(TzelDatasetField &field, TFieldType tag, const QString &format) {
  const TFieldType kind = field.DataType();
  if (tag == ftString) {
    if (kind == ftString)
      field.setEditMask(format);
  } else if (IsNumericFieldType(tag)) {
    if (IsNumericFieldType(kind))
      field.setDisplayFormat(format);
  } else if (tag == ftBoolean) {
    if (kind == ftBoolean)
      field.setDisplayValues(format);
  } else if (isDateTimeType(tag)) {
    if (isDateTimeType(kind))
      field.setDisplayFormat(format);
  }
}

} // namespace

TzelQuerion::TzelQuerion(QObject *parent)
    : TzelComponent(parent), m_page(new TzelPage(this)), m_labels(new TzelLabels(this)),
      m_storedDateOrder(SystemDateOrder()), m_storedDateSeparator(SystemDateSeparator()),
      m_storedDecimalSeparator(SystemDecimalSeparator()) {}

TzelQuerion::~TzelQuerion() {
  qDeleteAll(m_queries);
  m_queries.clear();
}

void TzelQuerion::SetDataModel(TzelModel *model) {
  m_dataModel = model;
  // Query tables remember the model table they resolved to; a new model means new lookups.
  for (TzelQuery *query : std::as_const(m_queries))
    for (int i = 0; i < query->TableCount(); ++i)
      if (TzelTable *table = query->GetTable(i))
        table->SetTableName(table->TableName());
}

void TzelQuerion::SetDataQuery(QObject *dataset) {
  if (dataset && !GetDatasetSql(dataset)) {
    zelShowError(QStringLiteral("Error: ") + dataset->objectName() +
                 QStringLiteral(" is not a valid Query component"));
    return;
  }
  m_dataQuery = dataset;
}

void TzelQuerion::SetPage(const TzelPage *page) {
  if (page && page != m_page)
    zelAssignSettings(m_page, page);
}

int TzelQuerion::DateOrder() const {
  return SystemDateOrder();
}
QString TzelQuerion::DateSeparator() const {
  return SystemDateSeparator();
}
QString TzelQuerion::DecimalSeparator() const {
  return SystemDecimalSeparator();
}

int TzelQuerion::QueryCount() {
  if (m_queries.isEmpty())
    AddQuery(QStringLiteral("Step 1"));
  return int(m_queries.size());
}

TzelQuery *TzelQuerion::Queries(int index) {
  return zelIndexValid(index, QueryCount(), m_raiseOnMissing, "Query Index") ? m_queries[index]
                                                                             : nullptr;
}

int TzelQuerion::AddQuery(const QString &name) {
  auto *query = new TzelQuery;
  query->SetQueryName(name);
  query->SetQuerion(this);
  m_queries.append(query);
  return int(m_queries.size()) - 1;
}

bool TzelQuerion::CheckSetup() {
  QStringList messages;
  if (!m_dataModel)
    messages << QStringLiteral("Error 1: The DataModel property of ") + objectName() +
                    QStringLiteral(" has not been assigned");
  else if (m_dataModel->DatabaseType() == zelUnknown)
    messages << QStringLiteral("Error 2: The DatabaseType property of ") +
                    m_dataModel->objectName() + QStringLiteral(" = zelUnknown");
  if (!m_dataQuery)
    messages << QStringLiteral("Error 3: The DataQuery property of ") + objectName() +
                    QStringLiteral(" has not been assigned");
  else if (!DatasetHasDatabaseName(m_dataQuery))
    messages << QStringLiteral("Error 4: The DatabaseName property of ") +
                    m_dataQuery->objectName() + QStringLiteral(" has not been assigned");
  return !ShowMessages(messages, QString::fromLatin1(metaObject()->className()));
}

bool TzelQuerion::ExportReport(const QString &fileName, const QString &password) {
  Q_UNUSED(fileName);
  Q_UNUSED(password);
  return false;
}

TzelQueryPrompts &TzelQuerion::Prompts() const {
  return m_prompts ? *m_prompts : zelQueryPrompts();
}

bool TzelQuerion::Export() {
  return Prompts().exportRecords(*this);
}

bool TzelQuerion::ExportTable(const QString &fileName, int fileType, bool showMessage) {
  if (!m_dataModel) {
    zelShowError(QStringLiteral("Error: The DataModel property of ") + objectName() +
                 QStringLiteral(" has not been assigned"));
    return false;
  }
  QString name = fileName;
  return m_dataModel->ExportTable(m_dataQuery, name, fileType, showMessage);
}

void TzelQuerion::clearQuery(TzelQuery &query) {
  query.ClearValues();
  query.ClearJoins();
  query.ClearTables();
}

bool TzelQuerion::PageSetup() {
  return Prompts().editPage(*this);
}

bool TzelQuerion::NewQuery() {
  m_page->Reset();
  m_labels->Reset();
  clearQuery(*CurrentQuery());
  return true;
}

bool TzelQuerion::loadLines(const QStringList &lines) {
  try {
    const std::unique_ptr<TzelQuerion> read = ReadQueryText(lines);
    Assign(read.get());
  } catch (const EzelError &error) {
    zelShowError(error.message());
    return false;
  }
  return true;
}

bool TzelQuerion::LoadFromText() {
  // The text stands for the whole current query: it goes first, even when the text turns
  // out to be empty or no query file at all.
  clearQuery(*CurrentQuery());
  if (m_queryText.isEmpty())
    return false;
  return loadLines(m_queryText);
}

bool TzelQuerion::LoadFromFile(const QString &name) {
  if (IsBlank(name))
    return false;
  if (!QFileInfo::exists(name)) {
    zelShowError(QStringLiteral("Error: The ") + name + QStringLiteral(" file does not exist"));
    return false;
  }
  QStringList lines;
  try {
    lines = ReadQueryFileLines(name); // its errors name the file already
  } catch (const EzelError &error) {
    zelShowError(error.message());
    return false;
  }
  // What is wrong inside the file is told under its name: the model file may be at fault too.
  try {
    const std::unique_ptr<TzelQuerion> read = ReadQueryText(std::move(lines));
    Assign(read.get());
  } catch (const EzelError &error) {
    zelShowError(messageForFile(name, error.message()));
    return false;
  }
  return true;
}

bool TzelQuerion::SaveToFile(const QString &name) {
  if (IsBlank(name))
    return false;
  m_queryText = QueryFileLines(*this);
  try {
    SaveQueryFile(QueryFileName(name, m_reportMode), m_queryText);
  } catch (const EzelError &error) {
    zelShowError(error.message());
    return false;
  }
  return true;
}

bool TzelQuerion::GenerateSQL() {
  if (!m_dataModel) {
    QStringList messages{QStringLiteral("Error 1: The DataModel property of ") + objectName() +
                         QStringLiteral(" has not been assigned")};
    ShowMessages(messages, QString::fromLatin1(metaObject()->className()));
    return false;
  }
  QuerionGenerationHost host(*this);
  try {
    TzelSqlGenerator generator(*CurrentQuery(), *m_dataModel);
    return generator.GenerateSQL(m_sql, m_params, host);
  } catch (const EzelError &error) {
    zelShowError(error.message());
    return false;
  }
}

void TzelQuerion::Assign(const QObject *source) {
  const auto *other = qobject_cast<const TzelQuerion *>(source);
  if (!other)
    throw EzelError(QStringLiteral("Error: Cannot assign a ") +
                    QString::fromLatin1(source ? source->metaObject()->className() : "nil") +
                    QStringLiteral(" to a TzelQuerion"));
  if (other == this)
    return;
  // Copy into a fresh query first: a copy that fails leaves the current query untouched.
  TzelQuery fresh;
  fresh.SetQuerion(this);
  if (!other->m_queries.isEmpty())
    fresh.Assign(other->m_queries.first());
  else
    fresh.SetQueryName(QStringLiteral("Step 1"));
  CurrentQuery()->Assign(&fresh);
  zelAssignSettings(m_page, other->m_page);
}

QList<TzelComponent *> TzelQuerion::storedChildren() const {
  QList<TzelComponent *> children;
  for (TzelQuery *query : m_queries)
    children << query;
  return children;
}

bool TzelQuerion::attachStoredChild(TzelComponent *child) {
  auto *query = qobject_cast<TzelQuery *>(child);
  if (!query)
    return false;
  query->setParent(nullptr);
  query->SetQuerion(this);
  m_queries.append(query);
  return true;
}

void TzelQuerion::loaded() {
  QueryCount();
  if (m_storedDateOrder != SystemDateOrder() ||
      m_storedDateSeparator != QString(SystemDateSeparator()))
    convertDateFilters(*CurrentQuery());
  m_storedDateOrder = SystemDateOrder();
  m_storedDateSeparator = SystemDateSeparator();
  m_storedDecimalSeparator = SystemDecimalSeparator();
  m_version = VersionText;
}

void TzelQuerion::convertDateFilters(TzelQuery &query) {
  const QChar separator =
      m_storedDateSeparator.isEmpty() ? QChar(u'/') : m_storedDateSeparator.front();
  for (int v = 0; v < query.ValueCount(); ++v) {
    TzelQueryValue *value = query.GetValue(v);
    if (value->Deleted() || (value->DataType() != ftDate && value->DataType() != ftDateTime))
      continue;
    for (int f = 0; f < value->FilterCount(); ++f) {
      TzelQueryFilter *filter = value->GetFilter(f);
      if (filter->Deleted())
        continue;
      QString text;
      for (QString item : TzelQueryFilter::SplitFilter(filter->Filter())) {
        const QString upper = item.toUpper();
        if (upper != QLatin1String("BLANK") && upper != QLatin1String("TODAY") &&
            !item.contains(u'[')) {
          zelMessageBox(QStringLiteral("Before: ") + item, TzelMessageKind::Information);
          const QString converted = ConvertDateOrder(item, separator, m_storedDateOrder);
          if (!IsBlank(converted))
            item = converted;
          zelMessageBox(QStringLiteral("After: ") + item, TzelMessageKind::Information);
        }
        text += item + u'|';
      }
      filter->SetFilter(text);
    }
  }
}

bool TzelQuerion::HasCustomOpen() const {
  return isSignalConnected(QMetaMethod::fromSignal(&TzelQuerion::OnCustomOpen));
}

bool TzelQuerion::HasCustomSave() const {
  return isSignalConnected(QMetaMethod::fromSignal(&TzelQuerion::OnCustomSave));
}

bool TzelQuerion::Execute(const QString &name) {
  if (!CheckSetup())
    return false;
  if (!IsBlank(name) && !LoadFromFile(name))
    return false;
  if (!m_sqlEdited && !GenerateSQL())
    return false;
  QObject *dataset = m_dataQuery;
  if (!GetDatasetSql(dataset))
    return false;
  {
    const TzelBusyCursor busy;
    try {
      auto *engineDataset = qobject_cast<TzelDataset *>(dataset);
      if (engineDataset)
        engineDataset->Close();
      else
        dataset->setProperty("Active", false);
      SetDatasetSql(dataset, m_sql);
      if (engineDataset)
        engineDataset->Open();
      else
        dataset->setProperty("Active", true);
    } catch (const EzelCancelled &) {
      return false; // the user stopped it: nothing to report, the dataset is closed
    } catch (const EzelError &error) {
      zelShowError(error.message());
      return false;
    }
  }
  if (auto *engineDataset = qobject_cast<TzelDataset *>(dataset))
    dressFields(*engineDataset);
  m_sqlEdited = false;
  return true;
}

void TzelQuerion::dressFields(TzelDataset &dataset) {
  int k = 0;
  for (const TzelQueryValue *value : shownValues(*CurrentQuery())) {
    TzelDatasetField *field = k < dataset.FieldCount() ? dataset.Fields(k) : nullptr;
    ++k;
    if (!field)
      break;
    field->setDisplayLabel(value->ValueAlias());
    field->setDisplayWidth(value->Width());
    field->setAlignment(value->Alignment());
    const TFieldType type = value->ResultDataType();
    const TFieldType tag = type == ftUnknown ? field->DataType() : type;
    field->setTag(int(tag));
    QString format = value->ResultFormat();
    if (IsBlank(format) && m_dataModel && !value->KeepsPrecision())
      format = defaultFormat(tag, *m_dataModel->Display());
    applyFormat(*field, tag, format);
  }
}

bool TzelQuerion::Print() {
  if (!CheckSetup())
    return false;
  // Printing needs to know only that there are records, not how many (a full read).
  const auto *dataset = qobject_cast<TzelDataset *>(m_dataQuery);
  if (!dataset || !dataset->Active() || dataset->IsEmpty())
    return false;
  return PrintRecords();
}

bool TzelQuerion::PrintRecords() {
  auto *dataset = qobject_cast<TzelDataset *>(m_dataQuery);
  if (!dataset || zelPrintingQuerion())
    return false;
  try {
    return Prompts().printRecords(*this, *dataset);
  } catch (const EzelError &error) {
    zelShowError(error.message());
    return false;
  }
}
