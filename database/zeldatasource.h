// SPDX-License-Identifier: MIT
#pragma once
// The engine's data source: an item model over a dataset's records, for a QTableView
// (column headers are the fields' display labels, cells their display texts), and the
// link from a master dataset to a detail table. Rows grow as the view asks for more
// (canFetchMore/fetchMore, a block at a time), so a huge result opens at once; the total
// is counted only when asked for.

#include <QAbstractTableModel>
#include <QPointer>

#include "database/zeldataset.h"
#include "zelcore_export.h"

class ZELCORE_EXPORT TzelDataSource : public QAbstractTableModel {
  Q_OBJECT
public:
  static constexpr int FetchBlock = 256;

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
  bool canFetchMore(const QModelIndex &parent = {}) const override;
  void fetchMore(const QModelIndex &parent = {}) override;

  // The number of records of the whole result, reading to its end when not yet known
  // (cancellable through the dataset); -1 when that read failed or was cancelled (the
  // failure is reported as fetchFailed reports it).
  int TotalRowCount();

signals:
  // Reading further records failed or was cancelled; the dataset has closed. The message
  // has also gone to the message seam, unless the read was cancelled.
  void fetchFailed(const QString &message);

private:
  void refresh();
  void failed(const EzelError &error) const;
  QPointer<TzelDataset> m_dataset;
  QMetaObject::Connection m_link;
  int m_rows = 0;
  mutable bool m_reading = false; // a reset asked for meanwhile waits for the event loop
};
