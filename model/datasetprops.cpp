// SPDX-License-Identifier: MIT
#include "model/datasetprops.h"

#include <QMetaProperty>
#include <QVariant>

namespace {

std::optional<QVariant> propertyValue(const QObject *dataset, const char *name) {
  if (!dataset)
    return std::nullopt;
  const QVariant value = dataset->property(name);
  if (!value.isValid())
    return std::nullopt;
  return value;
}

bool holds(const QVariant &value, QMetaType::Type type) {
  return value.metaType().id() == type;
}

} // namespace

std::optional<QStringList> GetDatasetSql(const QObject *dataset) {
  const auto value = propertyValue(dataset, "SQL");
  if (!value || !holds(*value, QMetaType::QStringList))
    return std::nullopt;
  return value->toStringList();
}

bool SetDatasetSql(QObject *dataset, const QStringList &sql) {
  if (!GetDatasetSql(dataset))
    return false;
  const int index = dataset->metaObject()->indexOfProperty("SQL");
  if (index >= 0)
    return dataset->metaObject()->property(index).write(dataset, QVariant(sql));
  dataset->setProperty("SQL", QVariant(sql)); // a dynamic property that already holds a list
  return true;
}

QString GetDatasetDatabaseName(const QObject *dataset) {
  const auto value = propertyValue(dataset, "DatabaseName");
  if (!value || !holds(*value, QMetaType::QString))
    return {};
  return value->toString();
}

bool DatasetHasDatabaseName(const QObject *dataset) {
  const auto value = propertyValue(dataset, "DatabaseName");
  if (!value || !holds(*value, QMetaType::QString))
    return true;
  return !value->toString().isEmpty();
}
