// SPDX-License-Identifier: MIT
#pragma once
// Lowers the largest file this process may write for the length of a scope, as a full disk
// would; writes past it fail with EFBIG instead of raising SIGXFSZ.

#include <csignal>
#include <sys/resource.h>

class FileSizeLimit {
public:
  explicit FileSizeLimit(rlim_t bytes) : m_oldHandler(std::signal(SIGXFSZ, SIG_IGN)) {
    getrlimit(RLIMIT_FSIZE, &m_old);
    rlimit lowered = m_old;
    lowered.rlim_cur = bytes;
    setrlimit(RLIMIT_FSIZE, &lowered);
  }
  ~FileSizeLimit() {
    setrlimit(RLIMIT_FSIZE, &m_old);
    std::signal(SIGXFSZ, m_oldHandler);
  }
  FileSizeLimit(const FileSizeLimit &) = delete;
  FileSizeLimit &operator=(const FileSizeLimit &) = delete;

private:
  rlimit m_old{};
  void (*m_oldHandler)(int);
};
