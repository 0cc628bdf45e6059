// SPDX-License-Identifier: MIT
#include "database/zeldatasource.h"

#include "database/zeldataset.h"
#include "messages/zelmessages.h"

#include <QTimer>

TzelDataSource::TzelDataSource(QObject *parent) : QAbstractTableModel(parent) {}

void TzelDataSource::setDataSet(TzelDataset *dataset) {
  beginResetModel();
  disconnect(m_link);
  m_dataset = dataset;
  if (dataset)
    m_link = connect(dataset, &TzelDataset::datasetChanged, this, &TzelDataSource::refresh);
  m_rows = dataset && dataset->Active() ? dataset->FetchedCount() : 0;
  endResetModel();
}

void TzelDataSource::refresh() {
  if (m_reading) {
    // The dataset closed while a cell or block was being read: a view must not see the
    // model reset in the middle of asking for data.
    QTimer::singleShot(0, this, &TzelDataSource::refresh);
    return;
  }
  beginResetModel();
  m_rows = m_dataset && m_dataset->Active() ? m_dataset->FetchedCount() : 0;
  endResetModel();
}

void TzelDataSource::failed(const EzelError &error) const {
  auto *self = const_cast<TzelDataSource *>(this);
  const QString message = error.message();
  const bool cancelled = dynamic_cast<const EzelCancelled *>(&error) != nullptr;
  // Shown once the view has finished asking: a message box inside painting would recurse.
  QTimer::singleShot(0, self, [self, message, cancelled] {
    emit self->fetchFailed(message);
    if (!cancelled)
      zelShowError(message);
  });
}

int TzelDataSource::rowCount(const QModelIndex &parent) const {
  return parent.isValid() ? 0 : m_rows;
}

int TzelDataSource::columnCount(const QModelIndex &parent) const {
  if (parent.isValid() || !m_dataset || !m_dataset->Active())
    return 0;
  return m_dataset->FieldCount();
}

bool TzelDataSource::canFetchMore(const QModelIndex &parent) const {
  if (parent.isValid() || !m_dataset || !m_dataset->Active() || m_reading)
    return false;
  return m_rows < m_dataset->FetchedCount() || !m_dataset->AllFetched();
}

void TzelDataSource::fetchMore(const QModelIndex &parent) {
  if (!canFetchMore(parent))
    return;
  if (m_rows + FetchBlock > m_dataset->FetchedCount()) {
    m_reading = true;
    try {
      m_dataset->FetchMore(m_rows + FetchBlock - m_dataset->FetchedCount());
    } catch (const EzelError &error) {
      failed(error);
    }
    m_reading = false;
  }
  if (!m_dataset || !m_dataset->Active())
    return;
  const int rows = std::min(m_dataset->FetchedCount(), m_rows + FetchBlock);
  if (rows <= m_rows)
    return;
  beginInsertRows({}, m_rows, rows - 1);
  m_rows = rows;
  endInsertRows();
}

int TzelDataSource::TotalRowCount() {
  if (!m_dataset || !m_dataset->Active())
    return 0;
  m_reading = true;
  int total = -1;
  try {
    total = m_dataset->RecordCount();
  } catch (const EzelError &error) {
    failed(error);
  }
  m_reading = false;
  return total;
}

QVariant TzelDataSource::data(const QModelIndex &index, int role) const {
  if (!index.isValid() || index.row() >= m_rows || !m_dataset || !m_dataset->Active() ||
      index.column() >= m_dataset->FieldCount())
    return {};
  const TzelDatasetField *field = m_dataset->Fields(index.column());
  if (role == Qt::TextAlignmentRole) {
    const Qt::Alignment h = field->Alignment() == taRightJustify ? Qt::AlignRight
                            : field->Alignment() == taCenter     ? Qt::AlignHCenter
                                                                 : Qt::AlignLeft;
    return QVariant::fromValue(h | Qt::AlignVCenter);
  }
  if (role != Qt::DisplayRole && role != Qt::EditRole)
    return {};
  // A record that fell out of the dataset's window is read again, which may fail.
  m_reading = true;
  QVariant result;
  try {
    const QVariant value = field->valueAt(index.row());
    result = role == Qt::DisplayRole ? QVariant(field->displayTextOf(value)) : value;
  } catch (const EzelError &error) {
    failed(error);
  }
  m_reading = false;
  return result;
}

QVariant TzelDataSource::headerData(int section, Qt::Orientation orientation, int role) const {
  if (role != Qt::DisplayRole || !m_dataset || !m_dataset->Active())
    return {};
  if (orientation == Qt::Vertical)
    return section + 1;
  if (section < 0 || section >= m_dataset->FieldCount())
    return {};
  return m_dataset->Fields(section)->DisplayLabel();
}
