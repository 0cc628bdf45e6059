#pragma once
// The engine's data source: an item model over a dataset's records, for a QTableView
// (column headers are the fields' display labels, cells their display texts), and the
// link from a master dataset to a detail table.

#include <QAbstractTableModel>
#include <QPointer>

#include "database/zeldataset.h"

class TzelDataSource : public QAbstractTableModel {
  Q_OBJECT
public:
  explicit TzelDataSource(QObject *parent = nullptr);
  Q_DISABLE_COPY(TzelDataSource)

  TzelDataset *DataSet() const { return m_dataset; }
  // Attaches to the dataset (none with nullptr); the model resets.
  void setDataSet(TzelDataset *dataset);

  int rowCount(const QModelIndex &parent = {}) const override;
  int columnCount(const QModelIndex &parent = {}) const override;
  QVariant data(const QModelIndex &index, int role = Qt::DisplayRole) const override;
  QVariant headerData(int section, Qt::Orientation orientation,
                      int role = Qt::DisplayRole) const override;

private:
  void refresh();
  QPointer<TzelDataset> m_dataset;
  QMetaObject::Connection m_link;
};
