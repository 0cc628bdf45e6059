// SPDX-License-Identifier: MIT
#pragma once
// A table file being written by a library that seeks back and forth (pxlib, shapelib):
// reads and writes go through a few cached pages, so small writes cost no system call, and
// every system write is checked. The first failure is kept with the system's reason; from
// then on nothing more is written and every call reports failure.

#include "zelcore_export.h"

#include <QByteArray>
#include <QList>
#include <QString>
#include <algorithm>
#include <cstddef>
#include <cstring>

class ZELCORE_EXPORT TzelTableFile {
public:
  TzelTableFile() = default;
  TzelTableFile(const TzelTableFile &) = delete;
  TzelTableFile &operator=(const TzelTableFile &) = delete;
  ~TzelTableFile();

  // Creates (or empties) the file, or opens an existing one; false with reason() on failure.
  bool open(const QString &path, bool truncate = true);
  // Bytes read at the position (fewer at the end of the file, none after a failure).
  std::size_t read(void *buffer, std::size_t size);
  // Bytes taken at the position: size, or 0 after a failure.
  std::size_t write(const void *buffer, std::size_t size) {
    // Most writes are a few bytes into the page written last.
    if (m_last && m_pos >= m_lastStart && m_pos + qint64(size) <= m_lastStart + PageSize) {
      std::memcpy(m_last->bytes.data() + (m_pos - m_lastStart), buffer, size);
      m_last->dirty = true;
      m_pos += qint64(size);
      m_size = std::max(m_size, m_pos);
      return size;
    }
    return writePages(buffer, size);
  }
  // As fseek: 0, or -1 after a failure or for a position before the start.
  int seek(long offset, int whence);
  long tell() const { return long(m_pos); }
  // Writes what the pages hold and closes the file; false with reason() on any failure.
  bool close();
  bool failed() const { return m_errno != 0; }
  // The system's reason for the first failure ("No space left on device").
  QString reason() const;

private:
  static constexpr qint64 PageSize = 64 * 1024;
  struct Page {
    qint64 index = -1;
    QByteArray bytes;
    bool dirty = false;
    quint64 used = 0;
  };
  Page *page(qint64 index);
  std::size_t writePages(const void *buffer, std::size_t size);
  bool flush(Page &p);
  void fail(int error);

  int m_fd = -1;
  int m_errno = 0;
  qint64 m_pos = 0;
  qint64 m_size = 0;   // the file's length as written so far
  qint64 m_onDisk = 0; // bytes past which the disk holds nothing yet
  quint64 m_clock = 0;
  QList<Page> m_pages;
  Page *m_last = nullptr; // the page used last, unless a failure came since
  qint64 m_lastStart = 0;
};
