// SPDX-License-Identifier: MIT
#include "database/zeldbasefile.h"
#include "database/tablefieldnames.h"
#include "database/tablefile.h"
#include "model/safefile.h"

#include <QDate>
#include <QDateTime>
#include <QFile>
#include <QFileInfo>
#include <algorithm>
#include <cstdio>
#include <memory>

#include <shapefil.h>

using namespace Qt::StringLiterals;

namespace {

// shapelib reports through a hook without user data; the tool is single-threaded.
thread_local QString dbfError;

void collectError(const char *message) {
  if (dbfError.isEmpty())
    dbfError = QString::fromLocal8Bit(message);
}

SAHooks quietHooks() {
  SAHooks hooks;
  SASetupDefaultHooks(&hooks);
  hooks.Error = collectError;
  return hooks;
}

// Tables are written through the checked table file, so that a failed write is known with
// the system's reason (shapelib itself only says which record failed).
thread_local QString dbfSystemError;

TzelTableFile *fileOf(SAFile file) {
  return reinterpret_cast<TzelTableFile *>(file);
}

void noteFailure(const TzelTableFile *file) {
  if (file->failed() && dbfSystemError.isEmpty())
    dbfSystemError = file->reason();
}

SAHooks checkedHooks() {
  SAHooks hooks = quietHooks();
  hooks.FOpen = [](const char *name, const char *access) -> SAFile {
    auto *file = new TzelTableFile;
    if (!file->open(QFile::decodeName(name), access[0] == 'w')) {
      noteFailure(file);
      delete file;
      return nullptr;
    }
    return reinterpret_cast<SAFile>(file);
  };
  hooks.FRead = [](void *p, SAOffset size, SAOffset count, SAFile file) -> SAOffset {
    return size ? fileOf(file)->read(p, size * count) / size : 0;
  };
  hooks.FWrite = [](void *p, SAOffset size, SAOffset count, SAFile file) -> SAOffset {
    const SAOffset done = size ? fileOf(file)->write(p, size * count) / size : 0;
    noteFailure(fileOf(file));
    return done;
  };
  hooks.FSeek = [](SAFile file, SAOffset offset, int whence) -> SAOffset {
    return SAOffset(fileOf(file)->seek(long(offset), whence));
  };
  hooks.FTell = [](SAFile file) -> SAOffset { return SAOffset(fileOf(file)->tell()); };
  hooks.FFlush = [](SAFile file) -> int { return fileOf(file)->failed() ? -1 : 0; };
  hooks.FClose = [](SAFile file) -> int {
    TzelTableFile *f = fileOf(file);
    f->close();
    noteFailure(f);
    const bool failed = f->failed();
    delete f;
    return failed ? -1 : 0;
  };
  return hooks;
}

struct DbfDeleter {
  void operator()(DBFInfo *h) const { DBFClose(h); }
};
using DbfHandle = std::unique_ptr<DBFInfo, DbfDeleter>;

TzelFileResult checkHeader(const QString &path) {
  QFile file(path);
  if (!file.open(QIODevice::ReadOnly))
    return TzelFileResult::failure(u"Table does not exist: %1"_s.arg(path));
  const QByteArray head = file.read(32);
  if (head.size() < 32)
    return TzelFileResult::failure(u"File is not a dBase table: %1"_s.arg(path));
  auto u16 = [&](int at) { return int(uchar(head[at])) | int(uchar(head[at + 1])) << 8; };
  const quint32 records = quint32(uchar(head[4])) | quint32(uchar(head[5])) << 8 |
                          quint32(uchar(head[6])) << 16 | quint32(uchar(head[7])) << 24;
  const int headerSize = u16(8);
  const int recordSize = u16(10);
  const int version = uchar(head[0]) & 0x07;
  const int month = uchar(head[2]), day = uchar(head[3]);
  if ((version != 3 && version != 4 && version != 5) || headerSize < 65 || (headerSize - 1) % 32 ||
      recordSize < 2 || month > 12 || day > 31)
    return TzelFileResult::failure(u"File is not a dBase table: %1"_s.arg(path));
  if (file.size() < qint64(headerSize) + qint64(records) * recordSize)
    return TzelFileResult::failure(u"Table is damaged (file is truncated): %1"_s.arg(path));
  return {};
}

TzelColumnType columnTypeOf(char native, int width, int decimals) {
  switch (native) {
  case 'C':
    return {ftString, width};
  case 'L':
    return {ftBoolean, 0};
  case 'D':
    return {ftDate, 0};
  case 'M':
    return {ftMemo, 0};
  case 'N':
  case 'F':
    if (decimals > 0)
      return {ftFloat, 0};
    return {width <= 6 ? ftSmallint : ftInteger, 0};
  default:
    return {ftString, width};
  }
}

QVariant readValue(DBFHandle h, int row, int col, const TzelColumnType &type) {
  if (DBFIsAttributeNULL(h, row, col))
    return {};
  switch (type.type) {
  case ftSmallint:
  case ftInteger:
    return DBFReadIntegerAttribute(h, row, col);
  case ftFloat:
    return DBFReadDoubleAttribute(h, row, col);
  case ftBoolean: {
    const char *v = DBFReadLogicalAttribute(h, row, col);
    const char c = v ? v[0] : '?';
    if (c == 'T' || c == 't' || c == 'Y' || c == 'y')
      return true;
    if (c == 'F' || c == 'f' || c == 'N' || c == 'n')
      return false;
    return {};
  }
  case ftDate: {
    const QDate d =
        QDate::fromString(QString::fromLatin1(DBFReadStringAttribute(h, row, col)), u"yyyyMMdd"_s);
    return d.isValid() ? QVariant(d) : QVariant();
  }
  case ftMemo:
    return {}; // memo texts live in a .dbt file, which is not read
  default: {
    const char *v = DBFReadStringAttribute(h, row, col);
    return v ? QVariant(QString::fromLatin1(v)) : QVariant();
  }
  }
}

} // namespace

TzelFileResult readDbaseTable(const QString &path, TzelTableData &table) {
  table = {};
  if (auto check = checkHeader(path); !check.ok)
    return check;
  dbfError.clear();
  SAHooks hooks = quietHooks();
  DbfHandle h(DBFOpenLL(QFile::encodeName(path).constData(), "rb", &hooks));
  if (!h)
    return TzelFileResult::failure(u"Cannot open dBase table %1: %2"_s.arg(path, dbfError));
  const int fieldCount = DBFGetFieldCount(h.get());
  for (int i = 0; i < fieldCount; ++i) {
    char name[XBASE_FLDNAME_LEN_READ + 1] = {};
    int width = 0, decimals = 0;
    DBFGetFieldInfo(h.get(), i, name, &width, &decimals);
    table.columns.append({QString::fromLatin1(name),
                          columnTypeOf(DBFGetNativeFieldType(h.get(), i), width, decimals)});
  }
  const int recordCount = DBFGetRecordCount(h.get());
  table.rows.reserve(recordCount);
  for (int r = 0; r < recordCount; ++r) {
    if (DBFIsRecordDeleted(h.get(), r))
      continue;
    QVariantList row;
    row.reserve(fieldCount);
    for (int i = 0; i < fieldCount; ++i)
      row.append(readValue(h.get(), r, i, table.columns[i].type));
    if (!dbfError.isEmpty())
      return TzelFileResult::failure(u"Table is damaged: %1: %2"_s.arg(path, dbfError));
    table.rows.append(std::move(row));
  }
  return {};
}

namespace {

struct DbfLayout {
  DBFFieldType type;
  int width;
  int decimals;
};

// Text columns without a declared size take the length of their longest value.
bool needsLongest(const TzelColumnType &t) {
  switch (t.type) {
  case ftSmallint:
  case ftInteger:
  case ftWord:
  case ftAutoInc:
  case ftFloat:
  case ftCurrency:
  case ftBCD:
  case ftBoolean:
  case ftDate:
  case ftTime:
  case ftDateTime:
    return false;
  default:
    return t.type != ftString || t.size <= 0;
  }
}

DbfLayout layoutOf(const TzelColumnType &t, int longest) {
  switch (t.type) {
  case ftSmallint:
    return {FTInteger, 6, 0};
  case ftInteger:
  case ftWord:
  case ftAutoInc:
    return {FTInteger, 11, 0};
  case ftFloat:
  case ftCurrency:
  case ftBCD:
    return {FTDouble, 20, 6};
  case ftBoolean:
    return {FTLogical, 1, 0};
  case ftDate:
    return {FTDate, 8, 0};
  case ftTime:
    return {FTString, 8, 0};
  case ftDateTime:
    return {FTString, 19, 0};
  default:
    return {FTString, std::clamp(needsLongest(t) ? longest : t.size, 1, 254), 0};
  }
}

bool writeValue(DBFHandle h, int row, int col, const DbfLayout &f, const QVariant &value) {
  if (value.isNull())
    return DBFWriteNULLAttribute(h, row, col);
  switch (f.type) {
  case FTInteger:
    return DBFWriteIntegerAttribute(h, row, col, value.toInt());
  case FTDouble:
    return DBFWriteDoubleAttribute(h, row, col, value.toDouble());
  case FTLogical:
    return DBFWriteLogicalAttribute(h, row, col, value.toBool() ? 'T' : 'F');
  case FTDate: {
    const QDate d = value.toDate();
    if (!d.isValid())
      return DBFWriteNULLAttribute(h, row, col);
    // shapelib formats 'D' values as numbers; the date text goes in as written.
    QByteArray text = d.toString(u"yyyyMMdd"_s).toLatin1();
    return DBFWriteAttributeDirectly(h, row, col, text.data());
  }
  default: {
    QString text;
    if (value.typeId() == QMetaType::QDateTime)
      text = value.toDateTime().toString(u"yyyy-MM-dd hh:mm:ss"_s);
    else if (value.typeId() == QMetaType::QTime)
      text = value.toTime().toString(u"hh:mm:ss"_s);
    else
      text = value.toString();
    // shapelib reports a cut text as a failure; the cut is intended here.
    DBFWriteStringAttribute(h, row, col, text.toLatin1().left(f.width).constData());
    return true;
  }
  }
}

} // namespace

TzelFileResult writeDbaseTable(const QString &path, const TzelTableData &table) {
  TzelTableRows rows(table.rows);
  return writeDbaseTable(path, table.columns, rows);
}

namespace {

bool writeRows(DBFHandle h, const QList<DbfLayout> &layout, TzelRowSource &rows) {
  rows.rewind();
  QVariantList row;
  for (int r = 0; rows.next(row); ++r)
    for (int i = 0; i < layout.size(); ++i)
      if (!writeValue(h, r, i, layout[i], row.value(i)))
        return false;
  return true;
}

} // namespace

TzelFileResult writeDbaseTable(const QString &path, const QList<TzelTableColumn> &columns,
                               TzelRowSource &rows) {
  if (columns.isEmpty())
    return TzelFileResult::failure(u"A table needs at least one field: %1"_s.arg(path));
  const TzelWriteTarget replaced = zelWriteTarget(path);
  if (!replaced.refusal.isEmpty())
    return TzelFileResult::failure(
        u"Cannot write dBase table %1: %2"_s.arg(path, replaced.refusal));
  const QFileInfo target(replaced.path);
  const QString temporary = target.path() + u'/' + target.completeBaseName() + u".part.dbf"_s;
  QFile::remove(temporary);
  dbfError.clear();
  dbfSystemError.clear();
  bool written = true;
  try {
    const QList<int> longest = zelLongestTexts(needsLongest, columns, rows);
    SAHooks hooks = checkedHooks();
    DbfHandle h(DBFCreateLL(QFile::encodeName(temporary).constData(), "LDID/87", &hooks));
    if (!h)
      return TzelFileResult::failure(u"Cannot create dBase table %1: %2"_s.arg(path, dbfError));
    QList<DbfLayout> layout;
    const QStringList names = zelTableFieldNames(columns, 10);
    for (int i = 0; i < columns.size() && written; ++i) {
      layout.append(layoutOf(columns[i].type, longest[i]));
      const QByteArray name = names[i].toLatin1();
      written = DBFAddField(h.get(), name.constData(), layout[i].type, layout[i].width,
                            layout[i].decimals) >= 0;
    }
    written = written && writeRows(h.get(), layout, rows);
  } catch (...) {
    QFile::remove(temporary);
    throw;
  }
  if (!written || !dbfError.isEmpty() || !dbfSystemError.isEmpty()) {
    QFile::remove(temporary);
    return TzelFileResult::failure(u"Cannot write dBase table %1: %2"_s.arg(
        path, dbfSystemError.isEmpty() ? dbfError : dbfSystemError));
  }
  if (const QString reason = ReplaceFileWith(temporary, replaced.path); !reason.isEmpty())
    return TzelFileResult::failure(u"Cannot replace %1: %2"_s.arg(path, reason));
  return {};
}
