// SPDX-License-Identifier: MIT
// The Paradox module: Paradox table files (.db) read and written through pxlib, for the core
// to load at run time (database/paradoxmodule.h).
#include "database/paradoxmodule.h"
#include "database/tablefieldnames.h"
#include "database/tablefile.h"
#include "model/safefile.h"

#include <QDate>
#include <QDateTime>
#include <QFile>
#include <QFileInfo>
#include <QTime>
#include <algorithm>
#include <cstdio>
#include <memory>

using namespace Qt::StringLiterals;

extern "C" {
#include <paradox.h>
}

namespace {

// Paradox counts days from 1 January of year 1; pxlib converts serial day numbers.
constexpr long SdnOffset = 1721425;
constexpr qint64 MsPerDay = 86400000;

struct PxErrors {
  QString text;
};

void collectError(pxdoc_t *, int, const char *msg, void *data) {
  auto *errors = static_cast<PxErrors *>(data);
  if (errors->text.isEmpty())
    errors->text = QString::fromLocal8Bit(msg);
}

struct PxDeleter {
  void operator()(pxdoc_t *doc) const {
    PX_close(doc);
    PX_delete(doc);
  }
};
using PxDoc = std::unique_ptr<pxdoc_t, PxDeleter>;

PxDoc newDoc(PxErrors &errors) {
  return PxDoc(PX_new3(collectError, nullptr, nullptr, nullptr, &errors));
}

// The header fields pxlib trusts, checked before pxlib walks the blocks.
TzelFileResult checkHeader(const QString &path) {
  QFile file(path);
  if (!file.open(QIODevice::ReadOnly))
    return TzelFileResult::failure(u"Table does not exist: %1"_s.arg(path));
  const QByteArray head = file.read(0x58);
  if (head.size() < 0x58)
    return TzelFileResult::failure(u"File is not a Paradox table: %1"_s.arg(path));
  auto u16 = [&](int at) { return int(uchar(head[at])) | int(uchar(head[at + 1])) << 8; };
  const int recordSize = u16(0x00);
  const int headerSize = u16(0x02);
  const int fileType = uchar(head[0x04]);
  const int blockKb = uchar(head[0x05]);
  const int usedBlocks = u16(0x0C);
  const int fieldCount = u16(0x21);
  const bool plausible = (fileType == 0 || fileType == 2) && recordSize > 0 && fieldCount > 0 &&
                         headerSize >= 0x58 && blockKb >= 1 && blockKb <= 32;
  if (!plausible)
    return TzelFileResult::failure(u"File is not a Paradox table: %1"_s.arg(path));
  if (file.size() < qint64(headerSize) + qint64(usedBlocks) * blockKb * 1024)
    return TzelFileResult::failure(u"Table is damaged (file is truncated): %1"_s.arg(path));
  return {};
}

TzelColumnType columnTypeOf(const pxfield_t &f) {
  switch (f.px_ftype) {
  case pxfAlpha:
    return {ftString, f.px_flen};
  case pxfDate:
    return {ftDate, 0};
  case pxfShort:
    return {ftSmallint, 0};
  case pxfLong:
    return {ftInteger, 0};
  case pxfAutoInc:
    return {ftAutoInc, 0};
  case pxfCurrency:
    return {ftCurrency, 0};
  case pxfNumber:
    return {ftFloat, 0};
  case pxfLogical:
    return {ftBoolean, 0};
  case pxfMemoBLOb:
    return {ftMemo, 0};
  case pxfFmtMemoBLOb:
    return {ftFmtMemo, 0};
  case pxfBLOb:
    return {ftBlob, 0};
  case pxfGraphic:
    return {ftGraphic, 0};
  case pxfOLE:
    return {ftParadoxOle, 0};
  case pxfTime:
    return {ftTime, 0};
  case pxfTimestamp:
    return {ftDateTime, 0};
  case pxfBCD:
    return {ftBCD, f.px_fdc};
  case pxfBytes:
    return {ftBytes, f.px_flen};
  default:
    return {ftUnknown, 0};
  }
}

QDate dateOfDays(long days) {
  int y = 0, m = 0, d = 0;
  PX_SdnToGregorian(days + SdnOffset, &y, &m, &d);
  return QDate(y, m, d);
}

long daysOfDate(const QDate &date) {
  return PX_GregorianToSdn(date.year(), date.month(), date.day()) - SdnOffset;
}

QVariant readValue(pxdoc_t *doc, const pxfield_t &f, char *data) {
  switch (f.px_ftype) {
  case pxfAlpha: {
    char *text = nullptr;
    if (PX_get_data_alpha(doc, data, f.px_flen, &text) <= 0 || !text)
      return {};
    QString value = QString::fromLatin1(text);
    doc->free(doc, text);
    return value;
  }
  case pxfDate:
  case pxfLong:
  case pxfAutoInc:
  case pxfTime: {
    long v = 0;
    if (PX_get_data_long(doc, data, f.px_flen, &v) <= 0)
      return {};
    if (f.px_ftype == pxfDate) {
      const QDate date = dateOfDays(v);
      return date.isValid() && v > 0 ? QVariant(date) : QVariant();
    }
    if (f.px_ftype == pxfTime)
      return QTime::fromMSecsSinceStartOfDay(int(v));
    return int(v);
  }
  case pxfShort: {
    short v = 0;
    if (PX_get_data_short(doc, data, f.px_flen, &v) <= 0)
      return {};
    return int(v);
  }
  case pxfCurrency:
  case pxfNumber:
  case pxfTimestamp: {
    double v = 0;
    if (PX_get_data_double(doc, data, f.px_flen, &v) <= 0)
      return {};
    if (f.px_ftype != pxfTimestamp)
      return v;
    const qint64 ms = qint64(v);
    return QDateTime(dateOfDays(long(ms / MsPerDay)),
                     QTime::fromMSecsSinceStartOfDay(int(ms % MsPerDay)));
  }
  case pxfLogical: {
    char v = 0;
    if (PX_get_data_byte(doc, data, f.px_flen, &v) <= 0)
      return {};
    return v != 0;
  }
  case pxfBCD: {
    char *text = nullptr;
    if (PX_get_data_bcd(doc, reinterpret_cast<unsigned char *>(data), f.px_fdc, &text) <= 0 ||
        !text)
      return {};
    const double v = QString::fromLatin1(text).toDouble();
    doc->free(doc, text);
    return v;
  }
  case pxfBytes: {
    char *bytes = nullptr;
    if (PX_get_data_bytes(doc, data, f.px_flen, &bytes) <= 0 || !bytes)
      return {};
    QByteArray value(bytes, f.px_flen);
    doc->free(doc, bytes);
    return value;
  }
  case pxfMemoBLOb:
  case pxfFmtMemoBLOb:
  case pxfBLOb:
  case pxfGraphic:
  case pxfOLE: {
    // The leading part of a blob lives in the record; pxlib reads the rest from the
    // .MB file when one is attached.
    int mod = 0, size = 0;
    char *blob = nullptr;
    const int r = f.px_ftype == pxfGraphic
                      ? PX_get_data_graphic(doc, data, f.px_flen, &mod, &size, &blob)
                      : PX_get_data_blob(doc, data, f.px_flen, &mod, &size, &blob);
    if (r <= 0 || !blob)
      return {};
    QByteArray bytes(blob, size);
    doc->free(doc, blob);
    if (f.px_ftype == pxfMemoBLOb || f.px_ftype == pxfFmtMemoBLOb)
      return QString::fromLatin1(bytes);
    return bytes;
  }
  default:
    return {};
  }
}

TzelFileResult readParadoxTable(const QString &path, TzelTableData &table) {
  table = {};
  if (auto check = checkHeader(path); !check.ok)
    return check;
  PxErrors errors;
  PxDoc doc = newDoc(errors);
  if (!doc || PX_open_file(doc.get(), QFile::encodeName(path).constData()) < 0)
    return TzelFileResult::failure(u"Cannot open Paradox table %1: %2"_s.arg(path, errors.text));
  const QString blobPath = QFileInfo(path).path() + u'/' + QFileInfo(path).completeBaseName();
  for (const QString &ext : {u".MB"_s, u".mb"_s})
    if (QFileInfo::exists(blobPath + ext)) {
      PX_set_blob_file(doc.get(), QFile::encodeName(blobPath + ext).constData());
      break;
    }
  const int fieldCount = PX_get_num_fields(doc.get());
  pxfield_t *fields = PX_get_fields(doc.get());
  if (fieldCount <= 0 || !fields)
    return TzelFileResult::failure(u"File is not a Paradox table: %1"_s.arg(path));
  for (int i = 0; i < fieldCount; ++i)
    table.columns.append({QString::fromLatin1(fields[i].px_fname), columnTypeOf(fields[i])});
  const int recordCount = PX_get_num_records(doc.get());
  QByteArray record(PX_get_recordsize(doc.get()), '\0');
  table.rows.reserve(recordCount);
  for (int r = 0; r < recordCount; ++r) {
    if (!PX_get_record(doc.get(), r, record.data()))
      return TzelFileResult::failure(u"Table is damaged (record %1 cannot be read): %2 %3"_s.arg(
          QString::number(r + 1), path, errors.text));
    QVariantList row;
    row.reserve(fieldCount);
    char *at = record.data();
    for (int i = 0; i < fieldCount; ++i) {
      row.append(readValue(doc.get(), fields[i], at));
      at += fields[i].px_flen;
    }
    table.rows.append(std::move(row));
  }
  if (!errors.text.isEmpty())
    return TzelFileResult::failure(u"Error reading Paradox table %1: %2"_s.arg(path, errors.text));
  return {};
}

struct PxLayout {
  char type;
  int length;
  int decimals = 0;
};

// Text columns without a declared size take the length of their longest value.
bool needsLongest(const TzelColumnType &t) {
  switch (t.type) {
  case ftSmallint:
  case ftInteger:
  case ftWord:
  case ftAutoInc:
  case ftFloat:
  case ftBCD:
  case ftCurrency:
  case ftBoolean:
  case ftDate:
  case ftTime:
  case ftDateTime:
  case ftBytes:
  case ftVarBytes:
  case ftBlob:
  case ftGraphic:
  case ftTypedBinary:
    return false;
  default:
    return t.type != ftString || t.size <= 0;
  }
}

PxLayout layoutOf(const TzelColumnType &t, int longest) {
  switch (t.type) {
  case ftSmallint:
    return {pxfShort, 2};
  case ftInteger:
  case ftWord:
  case ftAutoInc:
    return {pxfLong, 4};
  case ftFloat:
  case ftBCD:
    return {pxfNumber, 8};
  case ftCurrency:
    return {pxfCurrency, 8};
  case ftBoolean:
    return {pxfLogical, 1};
  case ftDate:
    return {pxfDate, 4};
  case ftTime:
    return {pxfTime, 4};
  case ftDateTime:
    return {pxfTimestamp, 8};
  case ftBytes:
  case ftVarBytes:
  case ftBlob:
  case ftGraphic:
  case ftTypedBinary:
    return {pxfBytes, std::clamp(t.size > 0 ? t.size : 255, 1, 255)};
  default:
    return {pxfAlpha, std::clamp(needsLongest(t) ? longest : t.size, 1, 255)};
  }
}

void putValue(pxdoc_t *doc, const PxLayout &f, char *at, const QVariant &value) {
  switch (f.type) {
  case pxfShort:
    PX_put_data_short(doc, at, f.length, short(value.toInt()));
    break;
  case pxfLong:
    PX_put_data_long(doc, at, f.length, value.toInt());
    break;
  case pxfNumber:
  case pxfCurrency:
    PX_put_data_double(doc, at, f.length, value.toDouble());
    break;
  case pxfLogical:
    PX_put_data_byte(doc, at, f.length, value.toBool() ? 1 : 0);
    break;
  case pxfDate:
    PX_put_data_long(doc, at, f.length, int(daysOfDate(value.toDate())));
    break;
  case pxfTime:
    PX_put_data_long(doc, at, f.length, value.toTime().msecsSinceStartOfDay());
    break;
  case pxfTimestamp: {
    const QDateTime dt = value.toDateTime();
    const double ms = double(daysOfDate(dt.date())) * MsPerDay + dt.time().msecsSinceStartOfDay();
    PX_put_data_double(doc, at, f.length, ms);
    break;
  }
  case pxfBytes: {
    QByteArray bytes = value.toByteArray().left(f.length);
    bytes.resize(f.length, '\0');
    PX_put_data_bytes(doc, at, f.length, bytes.data());
    break;
  }
  default: {
    QByteArray text = value.toString().toLatin1().left(f.length);
    PX_put_data_alpha(doc, at, f.length, text.data());
  }
  }
}

bool writableValue(const QVariant &value, const PxLayout &f) {
  if (value.isNull())
    return false;
  if (f.type == pxfDate)
    return value.toDate().isValid();
  if (f.type == pxfTimestamp)
    return value.toDateTime().isValid();
  if (f.type == pxfTime)
    return value.toTime().isValid();
  return true;
}

// pxlib writes through stdio and never learns of a failed write (it then loops on a file that
// does not grow), and seeks back to the header for every record, which costs stdio a flush
// each time. Its stream is therefore given the table file's own checked, cached I/O.
TzelTableFile &fileOf(pxstream_t *stream) {
  return *static_cast<TzelTableFile *>(stream->s.stream);
}
std::size_t streamRead(pxdoc_t *, pxstream_t *s, std::size_t n, void *buffer) {
  return fileOf(s).read(buffer, n);
}
int streamSeek(pxdoc_t *, pxstream_t *s, long offset, int whence) {
  return fileOf(s).seek(offset, whence);
}
long streamTell(pxdoc_t *, pxstream_t *s) {
  return fileOf(s).tell();
}
std::size_t streamWrite(pxdoc_t *, pxstream_t *s, std::size_t n, void *buffer) {
  return fileOf(s).write(buffer, n);
}

// pxlib creates a table only on a FILE; this one writes the header into the table file.
FILE *openCookie(TzelTableFile &file) {
  cookie_io_functions_t io{};
  io.read = [](void *c, char *buffer, std::size_t n) -> ssize_t {
    return ssize_t(static_cast<TzelTableFile *>(c)->read(buffer, n));
  };
  io.write = [](void *c, const char *buffer, std::size_t n) -> ssize_t {
    return static_cast<TzelTableFile *>(c)->write(buffer, n) == n ? ssize_t(n) : -1;
  };
  io.seek = [](void *c, off64_t *at, int whence) -> int {
    auto *f = static_cast<TzelTableFile *>(c);
    if (f->seek(long(*at), whence) != 0)
      return -1;
    *at = f->tell();
    return 0;
  };
  return fopencookie(&file, "w+", io);
}

bool createOn(pxdoc_t *doc, pxfield_t *fields, int n, TzelTableFile &file) {
  FILE *fp = openCookie(file);
  if (!fp)
    return false;
  const bool created = PX_create_fp(doc, fields, n, fp, pxfFileTypNonIndexDB) >= 0 &&
                       std::fflush(fp) == 0 && !file.failed();
  std::fclose(fp);
  if (!created)
    return false;
  pxstream_t *stream = doc->px_stream;
  stream->s.stream = &file;
  stream->read = streamRead;
  stream->seek = streamSeek;
  stream->tell = streamTell;
  stream->write = streamWrite;
  return true;
}

// Block numbers in a Paradox table are 16 bits wide.
constexpr unsigned MaxBlocks = 0xFFFF;

QString putRows(pxdoc_t *doc, const QList<PxLayout> &layout, TzelRowSource &rows,
                const TzelTableFile &file) {
  rows.rewind();
  QByteArray record(PX_get_recordsize(doc), '\0');
  QVariantList row;
  while (rows.next(row)) {
    record.fill('\0');
    char *at = record.data();
    for (int i = 0; i < layout.size(); ++i) {
      const QVariant value = row.value(i);
      if (writableValue(value, layout[i]))
        putValue(doc, layout[i], at, value);
      at += layout[i].length;
    }
    const bool put = PX_put_record(doc, record.data()) >= 0;
    if (file.failed())
      return file.reason();
    if (!put)
      return u"the record cannot be written"_s;
    if (doc->px_head->px_fileblocks > MaxBlocks) {
      const pxhead_t *head = doc->px_head;
      const int perBlock = (head->px_maxtablesize * 1024 - 6) / head->px_recordsize;
      return u"a Paradox table holds at most %1 records of this size"_s.arg(
          QString::number(qint64(perBlock) * MaxBlocks));
    }
  }
  return {};
}

TzelFileResult writeParadoxTable(const QString &path, const QList<TzelTableColumn> &columns,
                                 TzelRowSource &rows) {
  if (columns.isEmpty())
    return TzelFileResult::failure(u"A table needs at least one field: %1"_s.arg(path));
  const TzelWriteTarget replaced = zelWriteTarget(path);
  if (!replaced.refusal.isEmpty())
    return TzelFileResult::failure(
        u"Cannot write Paradox table %1: %2"_s.arg(path, replaced.refusal));
  const QString temporary = replaced.path + u".part"_s;
  QFile::remove(temporary);
  PxErrors errors;
  QList<PxLayout> layout;
  TzelTableFile file;
  QString why;
  try {
    const QList<int> longest = zelLongestTexts(needsLongest, columns, rows);
    PxDoc doc = newDoc(errors);
    if (!doc)
      return TzelFileResult::failure(u"Cannot create Paradox table %1"_s.arg(path));
    if (!file.open(temporary))
      return TzelFileResult::failure(
          u"Cannot create Paradox table %1: %2"_s.arg(path, file.reason()));
    const int n = int(columns.size());
    const QStringList names = zelTableFieldNames(columns, 25);
    // pxlib frees the field list and names with the document, so they come from its allocator.
    auto *fields =
        static_cast<pxfield_t *>(doc->malloc(doc.get(), sizeof(pxfield_t) * n, "fields"));
    for (int i = 0; i < n; ++i) {
      layout.append(layoutOf(columns[i].type, longest[i]));
      fields[i].px_fname = PX_strdup(doc.get(), names[i].toLatin1().constData());
      fields[i].px_ftype = layout[i].type;
      fields[i].px_flen = layout[i].length;
      fields[i].px_fdc = 0;
    }
    if (!createOn(doc.get(), fields, n, file)) {
      why = file.failed() ? file.reason() : errors.text;
    } else {
      PX_set_tablename(doc.get(), QFileInfo(path).completeBaseName().toLatin1().constData());
      why = putRows(doc.get(), layout, rows, file);
    }
    doc.reset(); // writes the last block and the header
  } catch (...) {
    file.close();
    QFile::remove(temporary);
    throw;
  }
  file.close(); // writes what its pages still hold; a failure there shows in failed()
  if (why.isEmpty() && file.failed())
    why = file.reason();
  if (why.isEmpty())
    why = errors.text;
  if (!why.isEmpty()) {
    QFile::remove(temporary);
    return TzelFileResult::failure(u"Cannot write Paradox table %1: %2"_s.arg(path, why));
  }
  if (const QString reason = ReplaceFileWith(temporary, replaced.path); !reason.isEmpty())
    return TzelFileResult::failure(u"Cannot replace %1: %2"_s.arg(path, reason));
  return {};
}

} // namespace

extern "C" Q_DECL_EXPORT const TzelParadoxFunctions *zelParadoxModule() {
  static constexpr TzelParadoxFunctions functions{readParadoxTable, writeParadoxTable};
  return &functions;
}
