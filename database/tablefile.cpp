// SPDX-License-Identifier: MIT
#include "database/tablefile.h"

#include <QFile>
#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <cstring>
#include <fcntl.h>
#include <unistd.h>

namespace {

// The header page and the few blocks a writer revisits stay cached; the rest goes to disk.
constexpr int PageCount = 8;

} // namespace

TzelTableFile::~TzelTableFile() {
  if (m_fd >= 0)
    ::close(m_fd);
}

bool TzelTableFile::open(const QString &path, bool truncate) {
  m_fd = ::open(QFile::encodeName(path).constData(),
                O_RDWR | O_CREAT | O_CLOEXEC | (truncate ? O_TRUNC : 0), 0666);
  if (m_fd < 0) {
    fail(errno);
    return false;
  }
  m_size = m_onDisk = ::lseek(m_fd, 0, SEEK_END);
  m_pages.resize(PageCount);
  return true;
}

void TzelTableFile::fail(int error) {
  m_last = nullptr;
  if (m_errno == 0)
    m_errno = error ? error : EIO;
}

QString TzelTableFile::reason() const {
  return QString::fromLocal8Bit(std::strerror(m_errno));
}

bool TzelTableFile::flush(Page &p) {
  if (!p.dirty || failed())
    return !failed();
  const qint64 start = p.index * PageSize;
  const qint64 length = std::min(PageSize, m_size - start);
  for (qint64 done = 0; done < length;) {
    const ssize_t n =
        ::pwrite(m_fd, p.bytes.constData() + done, size_t(length - done), start + done);
    if (n < 0 && errno == EINTR)
      continue;
    if (n <= 0) {
      fail(n < 0 ? errno : ENOSPC);
      return false;
    }
    done += n;
  }
  p.dirty = false;
  m_onDisk = std::max(m_onDisk, start + length);
  return true;
}

TzelTableFile::Page *TzelTableFile::page(qint64 index) {
  if (m_last && m_last->index == index) {
    m_last->used = ++m_clock;
    return m_last;
  }
  Page *victim = &m_pages[0];
  for (Page &p : m_pages) {
    if (p.index == index) {
      p.used = ++m_clock;
      m_lastStart = index * PageSize;
      return m_last = &p;
    }
    if (p.used < victim->used)
      victim = &p;
  }
  if (!flush(*victim))
    return nullptr;
  victim->index = index;
  victim->bytes.fill('\0', PageSize);
  const qint64 start = index * PageSize;
  for (qint64 done = 0; start + done < m_onDisk && done < PageSize;) {
    const ssize_t n =
        ::pread(m_fd, victim->bytes.data() + done, size_t(PageSize - done), start + done);
    if (n < 0 && errno == EINTR)
      continue;
    if (n < 0) {
      fail(errno);
      return nullptr;
    }
    if (n == 0)
      break;
    done += n;
  }
  victim->used = ++m_clock;
  m_lastStart = start;
  return m_last = victim;
}

std::size_t TzelTableFile::read(void *buffer, std::size_t size) {
  auto *out = static_cast<char *>(buffer);
  std::size_t done = 0;
  while (!failed() && done < size && m_pos < m_size) {
    Page *p = page(m_pos / PageSize);
    if (!p)
      break;
    const qint64 at = m_pos % PageSize;
    const qint64 n = std::min({qint64(size - done), PageSize - at, m_size - m_pos});
    std::memcpy(out + done, p->bytes.constData() + at, size_t(n));
    done += size_t(n);
    m_pos += n;
  }
  return done;
}

std::size_t TzelTableFile::writePages(const void *buffer, std::size_t size) {
  const auto *in = static_cast<const char *>(buffer);
  std::size_t done = 0;
  while (!failed() && done < size) {
    Page *p = page(m_pos / PageSize);
    if (!p)
      break;
    const qint64 at = m_pos % PageSize;
    const qint64 n = std::min(qint64(size - done), PageSize - at);
    std::memcpy(p->bytes.data() + at, in + done, size_t(n));
    p->dirty = true;
    done += size_t(n);
    m_pos += n;
    m_size = std::max(m_size, m_pos);
  }
  return failed() ? 0 : done;
}

int TzelTableFile::seek(long offset, int whence) {
  const qint64 base = whence == SEEK_CUR ? m_pos : whence == SEEK_END ? m_size : 0;
  if (failed() || base + offset < 0)
    return -1;
  m_pos = base + offset;
  return 0;
}

bool TzelTableFile::close() {
  if (m_fd < 0)
    return !failed();
  std::sort(m_pages.begin(), m_pages.end(),
            [](const Page &a, const Page &b) { return a.index < b.index; });
  m_last = nullptr;
  for (Page &p : m_pages)
    flush(p);
  if (::close(m_fd) != 0)
    fail(errno);
  m_fd = -1;
  return !failed();
}
