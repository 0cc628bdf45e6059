#include "database/zelbatchmove.h"

#include "database/zeldataset.h"
#include "database/zeldbasefile.h"
#include "database/zeldbtable.h"
#include "database/zelparadoxfile.h"
#include "model/zeltypes.h"

#include <QDir>
#include <QFileInfo>

void TzelBatchMove::Execute() {
  m_moved = 0;
  if (!m_source || !m_destination)
    throw EzelError(u"Error: The batch move needs a source and a destination"_qs);
  m_source->Open();
  const QString path = m_destination->filePath();
  const QFileInfo info(path);
  if (!info.dir().exists())
    throw EzelError(u"Error: The folder [%1] does not exist"_qs.arg(info.path()));

  TzelTableData table;
  for (const TzelFieldDef &def : m_source->FieldDefs())
    table.columns.append({def.Name, {def.DataType, def.Size}});
  {
    TzelDataset &source = *m_source;
    source.DisableControls();
    try {
      for (source.First(); !source.Eof(); source.Next()) {
        QVariantList row;
        for (int i = 0; i < source.FieldCount(); ++i)
          row.append(source.value(source.RecNo(), i));
        table.rows.append(std::move(row));
      }
    } catch (...) {
      source.First();
      source.EnableControls();
      throw;
    }
    source.First();
    source.EnableControls();
  }
  const bool dbase = m_destination->TableType() == TzelTableType::ttDBase ||
                     (m_destination->TableType() == TzelTableType::ttDefault &&
                      info.suffix().compare(u"dbf"_qs, Qt::CaseInsensitive) == 0);
  const TzelFileResult written =
      dbase ? writeDbaseTable(path, table) : writeParadoxTable(path, table);
  if (!written.ok)
    throw EzelError(u"Error: "_qs + written.text);
  m_moved = int(table.rows.size());
}
