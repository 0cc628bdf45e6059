// SPDX-License-Identifier: MIT
#pragma once
// Bytes gathered for one write to a device. Room is made before a value is written, so the
// value goes in through a plain pointer, with no check per byte.

#include <QtGlobal>
#include <cstring>
#include <vector>

class TzelByteChunk {
public:
  // At least n bytes to write at; grown() then says where the writing ended.
  char *room(qsizetype n) {
    if (qsizetype(m_bytes.size()) - m_size < n)
      m_bytes.resize(size_t(std::max(2 * m_size, m_size + n)));
    return m_bytes.data() + m_size;
  }
  void grown(const char *end) { m_size = end - m_bytes.data(); }
  void append(const char *bytes, qsizetype n) {
    std::memcpy(room(n), bytes, size_t(n));
    m_size += n;
  }
  void append(char c) {
    *room(1) = c;
    ++m_size;
  }

  const char *data() const { return m_bytes.data(); }
  qsizetype size() const { return m_size; }
  void clear() { m_size = 0; }

private:
  std::vector<char> m_bytes;
  qsizetype m_size = 0;
};
