// SPDX-License-Identifier: MIT
#include "export/delimitedwriter.h"

#include "database/zeldataset.h"
#include "export/exportrecords.h"
#include "messages/zelmessages.h"

#include <QFileDevice>
#include <QIODevice>

#include <cerrno>
#include <cstring>

using namespace Qt::StringLiterals;

namespace {

// Lines are gathered into chunks of about this many bytes before they are written: one
// write per chunk instead of one per record.
constexpr qsizetype kChunk = 32 * 1024;

} // namespace

// A write cut short after some bytes leaves the device without an error of its own: errno
// holds the reason.
QString zelWriteFailure(const QIODevice &device, int error) {
  const auto *file = qobject_cast<const QFileDevice *>(&device);
  const QString reason = (file && file->error() == QFileDevice::NoError && error != 0)
                             ? QString::fromLocal8Bit(std::strerror(error))
                             : device.errorString();
  const QString name = file && !file->fileName().isEmpty() ? file->fileName() : device.objectName();
  if (name.isEmpty())
    return QStringLiteral("Error: ") + reason;
  return QStringLiteral("Error: Cannot write ") + name + u": "_s + reason;
}

TzelDelimitedWriter::TzelDelimitedWriter(const TzelDataset &dataset, QIODevice &device,
                                         QChar separator)
    : m_dataset(dataset), m_device(device), m_separator(separator),
      m_separatorUtf8(QString(separator).toUtf8()), m_progress(zelExportProgress()) {
  m_columns.reserve(size_t(dataset.FieldCount()));
  for (int i = 0; i < dataset.FieldCount(); ++i)
    m_columns.emplace_back(dataset, i, separator);
  m_chunk.room(kChunk + 1024);
}

void TzelDelimitedWriter::writeLabels() {
  QString line;
  for (int i = 0; i < m_dataset.FieldCount(); ++i) {
    if (i > 0)
      line += m_separator;
    line += DelimitedLabel(m_dataset.Fields(i)->DisplayLabel(), m_separator);
  }
  line += u"\r\n"_s;
  const QByteArray bytes = line.toUtf8();
  m_chunk.append(bytes.constData(), bytes.size());
}

void TzelDelimitedWriter::finish() {
  if (m_failure)
    std::rethrow_exception(m_failure);
  write();
}

bool TzelDelimitedWriter::values(const QVariantList &record) {
  if (!counted())
    return false;
  for (size_t i = 0; i < m_columns.size(); ++i) {
    if (i > 0)
      m_chunk.append(m_separatorUtf8.constData(), m_separatorUtf8.size());
    m_columns[i].append(m_chunk, record.value(qsizetype(i)));
  }
  return ended();
}

bool TzelDelimitedWriter::raw(const TzelRawRecord &record) {
  if (!counted())
    return false;
  for (size_t i = 0; i < m_columns.size(); ++i) {
    if (i > 0)
      m_chunk.append(m_separatorUtf8.constData(), m_separatorUtf8.size());
    m_columns[i].append(m_chunk, record);
  }
  return ended();
}

// A stop asked from the progress window ends the walk before the record is written.
bool TzelDelimitedWriter::counted() {
  try {
    m_progress.count();
    return true;
  } catch (const EzelError &) {
    m_failure = std::current_exception();
    return false;
  }
}

bool TzelDelimitedWriter::ended() {
  m_chunk.append("\r\n", 2);
  if (m_chunk.size() < kChunk)
    return true;
  try {
    write();
    return true;
  } catch (const EzelError &) {
    m_failure = std::current_exception();
    return false;
  }
}

void TzelDelimitedWriter::write() {
  errno = 0;
  if (m_device.write(m_chunk.data(), m_chunk.size()) != m_chunk.size())
    throw EzelError(zelWriteFailure(m_device, errno));
  m_chunk.clear();
}
