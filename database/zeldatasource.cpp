#include "database/zeldatasource.h"

#include "database/zeldataset.h"

TzelDataSource::TzelDataSource(QObject *parent) : QAbstractTableModel(parent) {}

void TzelDataSource::setDataSet(TzelDataset *dataset) {
  beginResetModel();
  disconnect(m_link);
  m_dataset = dataset;
  if (dataset)
    m_link = connect(dataset, &TzelDataset::datasetChanged, this, &TzelDataSource::refresh);
  endResetModel();
}

void TzelDataSource::refresh() {
  beginResetModel();
  endResetModel();
}

int TzelDataSource::rowCount(const QModelIndex &parent) const {
  if (parent.isValid() || !m_dataset || !m_dataset->Active())
    return 0;
  return m_dataset->RecordCount();
}

int TzelDataSource::columnCount(const QModelIndex &parent) const {
  if (parent.isValid() || !m_dataset || !m_dataset->Active())
    return 0;
  return m_dataset->FieldCount();
}

QVariant TzelDataSource::data(const QModelIndex &index, int role) const {
  if (!index.isValid() || !m_dataset || !m_dataset->Active() ||
      index.column() >= m_dataset->FieldCount())
    return {};
  const TzelDatasetField *field = m_dataset->Fields(index.column());
  switch (role) {
  case Qt::DisplayRole:
    return field->displayTextAt(index.row());
  case Qt::EditRole:
    return field->valueAt(index.row());
  case Qt::TextAlignmentRole: {
    const Qt::Alignment h = field->Alignment() == taRightJustify ? Qt::AlignRight
                            : field->Alignment() == taCenter     ? Qt::AlignHCenter
                                                                 : Qt::AlignLeft;
    return QVariant::fromValue(h | Qt::AlignVCenter);
  }
  default:
    return {};
  }
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
