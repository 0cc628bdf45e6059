// SPDX-License-Identifier: MIT
#include "editors/cataloguetables.h"

#include "database/cataloguemodel.h"

#include <QRegularExpression>

using namespace Qt::StringLiterals;

TzelCatalogueTables::TzelCatalogueTables(QObject *parent) : QAbstractListModel(parent) {}

void TzelCatalogueTables::setTables(const QList<TzelCatalogueTable> &tables) {
  beginResetModel();
  m_tables.clear();
  m_tables.reserve(size_t(tables.size()));
  for (const TzelCatalogueTable &table : tables)
    m_tables.push_back({TzelDatabaseCatalogue::physicalName(table), table.name,
                        table.schema.isEmpty() ? u"main"_s : table.schema, table.view, true});
  m_checked = int(m_tables.size());
  m_text.clear();
  m_schema.clear();
  m_wildcard = false;
  m_shown.resize(m_tables.size());
  for (size_t i = 0; i < m_shown.size(); ++i)
    m_shown[i] = int(i);
  endResetModel();
  emit checkedChanged();
}

bool TzelCatalogueTables::matches(const Table &table) const {
  if (!m_schema.isEmpty() && table.schema != m_schema)
    return false;
  if (m_text.isEmpty())
    return true;
  if (!m_wildcard)
    return table.name.contains(m_text, Qt::CaseInsensitive);
  return m_pattern.match(table.name).hasMatch() || m_pattern.match(table.bareName).hasMatch();
}

void TzelCatalogueTables::setFilter(const QString &text, const QString &schema) {
  beginResetModel();
  m_text = text.trimmed();
  m_schema = schema;
  m_wildcard = m_text.contains(u'*') || m_text.contains(u'?');
  if (m_wildcard)
    m_pattern = QRegularExpression(QRegularExpression::wildcardToRegularExpression(m_text),
                                   QRegularExpression::CaseInsensitiveOption);
  m_shown.clear();
  for (size_t i = 0; i < m_tables.size(); ++i)
    if (matches(m_tables[i]))
      m_shown.push_back(int(i));
  endResetModel();
}

void TzelCatalogueTables::setChecked(Table &table, bool checked) {
  if (table.checked != checked)
    m_checked += checked ? 1 : -1;
  table.checked = checked;
}

void TzelCatalogueTables::setShownChecked(bool checked) {
  for (int i : m_shown)
    setChecked(m_tables[size_t(i)], checked);
  if (!m_shown.empty())
    emit dataChanged(index(0), index(rowCount() - 1), {Qt::CheckStateRole});
  emit checkedChanged();
}

QList<int> TzelCatalogueTables::checkedTables() const {
  QList<int> checked;
  for (size_t i = 0; i < m_tables.size(); ++i)
    if (m_tables[i].checked)
      checked.append(int(i));
  return checked;
}

QString TzelCatalogueTables::nameAt(int row) const {
  return m_tables.at(size_t(m_shown.at(size_t(row)))).name;
}

int TzelCatalogueTables::rowCount(const QModelIndex &parent) const {
  return parent.isValid() ? 0 : int(m_shown.size());
}

QVariant TzelCatalogueTables::data(const QModelIndex &index, int role) const {
  if (!index.isValid() || index.row() >= rowCount())
    return {};
  const Table &table = m_tables.at(size_t(m_shown.at(size_t(index.row()))));
  switch (role) {
  case Qt::DisplayRole:
    return table.view ? table.name + u" (view)"_s : table.name;
  case Qt::CheckStateRole:
    return table.checked ? Qt::Checked : Qt::Unchecked;
  default:
    return {};
  }
}

bool TzelCatalogueTables::setData(const QModelIndex &index, const QVariant &value, int role) {
  if (role != Qt::CheckStateRole || !index.isValid() || index.row() >= rowCount())
    return false;
  setChecked(m_tables[size_t(m_shown.at(size_t(index.row())))], value.toInt() == Qt::Checked);
  emit dataChanged(index, index, {Qt::CheckStateRole});
  emit checkedChanged();
  return true;
}

Qt::ItemFlags TzelCatalogueTables::flags(const QModelIndex &index) const {
  return index.isValid() ? Qt::ItemIsEnabled | Qt::ItemIsSelectable | Qt::ItemIsUserCheckable
                         : Qt::NoItemFlags;
}
