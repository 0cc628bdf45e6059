// SPDX-License-Identifier: MIT
#include "database/zelbatchmove.h"

#include "database/zeldataset.h"
#include "database/zeldbasefile.h"
#include "database/zeldbtable.h"
#include "database/zelparadoxfile.h"
#include "messages/zelprogress.h"
#include "model/safefile.h"
#include "model/zeltypes.h"

#include <QDir>
#include <QFileInfo>
#include <optional>

using namespace Qt::StringLiterals;

namespace {

// The source's records from its first, its attached controls suspended; left on its first
// record with the controls resumed.
class DatasetRows : public TzelRowSource {
public:
  explicit DatasetRows(TzelDataset &dataset) : m_dataset(dataset) { m_dataset.DisableControls(); }
  void finish() {
    m_dataset.First();
    m_dataset.EnableControls();
  }
  void rewind() override {
    m_dataset.First();
    m_started = false;
    m_progress.restart();
  }
  bool next(QVariantList &row) override {
    if (m_started)
      m_dataset.Next();
    m_started = true;
    if (m_dataset.Eof())
      return false;
    row.clear();
    for (int i = 0; i < m_dataset.FieldCount(); ++i)
      row.append(m_dataset.value(m_dataset.RecNo(), i));
    m_progress.count();
    return true;
  }
  int count() const { return m_progress.counted(); }

private:
  TzelDataset &m_dataset;
  bool m_started = false;
  TzelCountingProgress m_progress = zelExportProgress();
};

} // namespace

void TzelBatchMove::Execute() {
  m_moved = 0;
  if (!m_source || !m_destination)
    throw EzelError(u"Error: The batch move needs a source and a destination"_s);
  m_source->Open();
  const QString path = m_destination->filePath();
  const QFileInfo info(path);
  if (!info.dir().exists())
    throw EzelError(u"Error: The folder [%1] does not exist"_s.arg(info.path()));

  // Named after what the user sees, the display labels, not the statement's column names.
  QList<TzelTableColumn> columns;
  for (int i = 0; i < m_source->FieldCount(); ++i) {
    const TzelDatasetField *field = m_source->Fields(i);
    columns.append({field->DisplayLabel(), {field->DataType(), field->Size()}});
  }
  const bool dbase = m_destination->TableType() == TzelTableType::ttDBase ||
                     (m_destination->TableType() == TzelTableType::ttDefault &&
                      info.suffix().compare(u"dbf"_s, Qt::CaseInsensitive) == 0);
  DatasetRows rows(*m_source);
  TzelFileResult written;
  std::optional<TzelPrivateCreation> replacing;
  if (info.exists())
    replacing.emplace();
  try {
    written = dbase ? writeDbaseTable(path, columns, rows) : writeParadoxTable(path, columns, rows);
  } catch (...) {
    rows.finish();
    throw;
  }
  rows.finish();
  if (!written.ok)
    throw EzelError(u"Error: "_s + written.text);
  m_moved = rows.count();
}
