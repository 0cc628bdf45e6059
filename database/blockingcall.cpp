// SPDX-License-Identifier: MIT
#include "database/blockingcall.h"

#include <chrono>
#include <utility>

TzelBlockingCall::~TzelBlockingCall() {
  if (!m_thread.joinable())
    return;
  {
    const std::lock_guard lock(m_mutex);
    m_quit = true;
  }
  m_changed.notify_all();
  m_thread.join();
}

void TzelBlockingCall::run(const std::function<void()> &call, const std::function<void()> &poll,
                           int intervalMs) {
  if (!m_thread.joinable())
    m_thread = std::thread([this] { work(); });
  std::unique_lock lock(m_mutex);
  m_call = &call;
  m_thrown = nullptr;
  m_changed.notify_all();
  while (m_call) {
    if (m_changed.wait_for(lock, std::chrono::milliseconds(intervalMs), [this] { return !m_call; }))
      break;
    lock.unlock();
    poll();
    lock.lock();
  }
  if (m_thrown)
    std::rethrow_exception(std::exchange(m_thrown, nullptr));
}

void TzelBlockingCall::work() {
  std::unique_lock lock(m_mutex);
  for (;;) {
    m_changed.wait(lock, [this] { return m_quit || m_call; });
    if (m_quit)
      return;
    lock.unlock();
    try {
      (*m_call)();
    } catch (...) {
      m_thrown = std::current_exception();
    }
    lock.lock();
    m_call = nullptr;
    m_changed.notify_all();
  }
}
