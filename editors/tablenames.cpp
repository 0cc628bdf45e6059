// SPDX-License-Identifier: MIT
#include "editors/tablenames.h"

#include <algorithm>
#include <numeric>

TzelTableNames::TzelTableNames(QObject *parent) : QAbstractListModel(parent) {}

void TzelTableNames::setNamesAsListed(QStringList names) {
  reset(std::move(names), false);
}

void TzelTableNames::setNames(QStringList names) {
  // QString's own order, as a sorted list widget kept it: case-sensitive, by code units.
  std::sort(names.begin(), names.end());
  reset(std::move(names), true);
}

void TzelTableNames::reset(QStringList names, bool sorted) {
  beginResetModel();
  m_sorted = sorted;
  m_names = std::move(names);
  m_folded.clear();
  m_folded.reserve(m_names.size());
  for (const QString &name : std::as_const(m_names))
    m_folded.append(name.toCaseFolded());
  m_shown.clear();
  m_shown.reserve(size_t(m_names.size()));
  for (int i = 0; i < nameCount(); ++i)
    if (matches(i))
      m_shown.push_back(i);
  endResetModel();
}

void TzelTableNames::addName(const QString &name) {
  const int at =
      m_sorted ? int(std::lower_bound(m_names.cbegin(), m_names.cend(), name) - m_names.cbegin())
               : nameCount();
  m_names.insert(at, name);
  m_folded.insert(at, name.toCaseFolded());
  const auto next = std::lower_bound(m_shown.begin(), m_shown.end(), at);
  for (auto it = next; it != m_shown.end(); ++it)
    ++*it;
  if (!matches(at))
    return;
  const int row = int(next - m_shown.begin());
  beginInsertRows(QModelIndex(), row, row);
  m_shown.insert(m_shown.begin() + row, at);
  endInsertRows();
}

bool TzelTableNames::matches(int name) const {
  return m_filter.isEmpty() || m_folded.at(name).contains(m_filter);
}

void TzelTableNames::setFilter(const QString &text) {
  const QString folded = text.trimmed().toCaseFolded();
  if (folded == m_filter)
    return;
  // Typing on narrows what is shown: only those rows need looking at again.
  const bool narrower = !m_filter.isEmpty() && folded.contains(m_filter);
  m_filter = folded;
  beginResetModel();
  if (narrower) {
    std::erase_if(m_shown, [this](int name) { return !matches(name); });
  } else if (m_filter.isEmpty()) {
    m_shown.resize(size_t(m_names.size()));
    std::iota(m_shown.begin(), m_shown.end(), 0);
  } else {
    m_shown.clear();
    for (int i = 0; i < nameCount(); ++i)
      if (matches(i))
        m_shown.push_back(i);
  }
  endResetModel();
}

QStringList TzelTableNames::shownNames() const {
  QStringList shown;
  shown.reserve(qsizetype(m_shown.size()));
  for (int name : m_shown)
    shown.append(m_names.at(name));
  return shown;
}

int TzelTableNames::rowOf(const QString &name) const {
  if (name.isEmpty())
    return -1;
  int index = -1;
  if (m_sorted) {
    const auto it = std::lower_bound(m_names.cbegin(), m_names.cend(), name);
    index = it != m_names.cend() && *it == name ? int(it - m_names.cbegin()) : -1;
  } else {
    index = int(m_names.indexOf(name));
  }
  const auto row = std::lower_bound(m_shown.cbegin(), m_shown.cend(), index);
  return index >= 0 && row != m_shown.cend() && *row == index ? int(row - m_shown.cbegin()) : -1;
}

QModelIndex TzelTableNames::index(int row, int column, const QModelIndex &parent) const {
  return row >= 0 && size_t(row) < m_shown.size() && column == 0 && !parent.isValid()
             ? createIndex(row, 0)
             : QModelIndex();
}

int TzelTableNames::rowCount(const QModelIndex &parent) const {
  return parent.isValid() ? 0 : int(m_shown.size());
}

QVariant TzelTableNames::data(const QModelIndex &index, int role) const {
  if (!index.isValid() || index.row() >= rowCount() ||
      (role != Qt::DisplayRole && role != Qt::EditRole))
    return {};
  return nameAt(index.row());
}

Qt::ItemFlags TzelTableNames::flags(const QModelIndex &index) const {
  return index.isValid() ? Qt::ItemIsSelectable | Qt::ItemIsEnabled : Qt::NoItemFlags;
}
