// SPDX-License-Identifier: MIT
#pragma once
// Writes the records of a dataset's walk as delimited lines (CR LF ended) to a device, in
// chunks of bytes. Counts the records in the export's progress window. A write that fails,
// or a stop asked from the window, ends the walk; finish() then raises it.

#include "database/zelrecordstream.h"
#include "export/bytechunk.h"
#include "export/delimitedcolumn.h"
#include "messages/zelprogress.h"

#include <exception>
#include <vector>

class QIODevice;

// The system's reason for a failed write, with the file's name when the device is a file,
// else with the device's object name when it has one ("standard output").
QString zelWriteFailure(const QIODevice &device, int error);

class TzelDelimitedWriter final : public TzelRecordVisitor {
public:
  TzelDelimitedWriter(const TzelDataset &dataset, QIODevice &device, QChar separator);

  // The line of the fields' display labels.
  void writeLabels();
  bool values(const QVariantList &record) override;
  bool raw(const TzelRawRecord &record) override;
  // Writes what is left, or raises what ended the walk.
  void finish();

private:
  bool counted();
  bool ended();
  void write();

  const TzelDataset &m_dataset;
  QIODevice &m_device;
  QChar m_separator;
  QByteArray m_separatorUtf8;
  std::vector<TzelDelimitedColumn> m_columns;
  TzelByteChunk m_chunk;
  TzelCountingProgress m_progress;
  std::exception_ptr m_failure;
};
