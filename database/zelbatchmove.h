// SPDX-License-Identifier: MIT
#pragma once
// The engine's batch move: copies an open dataset's records into a destination table
// file (mode copy creates the table anew, replacing an existing file only once the
// new one is complete). The table's fields are named after the source's display labels.

#include <QObject>
#include <QPointer>

#include "database/zeldataset.h"
#include "database/zeldbtable.h"
#include "zelcore_export.h"

enum class TzelBatchMode { batCopy };

class ZELCORE_EXPORT TzelBatchMove : public QObject {
  Q_OBJECT
public:
  explicit TzelBatchMove(QObject *parent = nullptr) : QObject(parent) {}
  Q_DISABLE_COPY(TzelBatchMove)

  TzelDataset *Source() const { return m_source; }
  void setSource(TzelDataset *source) { m_source = source; }
  TzelDbTable *Destination() const { return m_destination; }
  void setDestination(TzelDbTable *table) { m_destination = table; }
  TzelBatchMode Mode() const { return m_mode; }
  void setMode(TzelBatchMode mode) { m_mode = mode; }

  // Opens the source if needed and writes the destination; throws EzelError.
  void Execute();
  int MovedCount() const { return m_moved; }

private:
  QPointer<TzelDataset> m_source;
  QPointer<TzelDbTable> m_destination;
  TzelBatchMode m_mode = TzelBatchMode::batCopy;
  int m_moved = 0;
};
