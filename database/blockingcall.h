// SPDX-License-Identifier: MIT
#pragma once
// Runs a call that may block inside a client library with no non-blocking form (Firebird's)
// on a thread of its own, one call at a time, while the calling thread keeps polling: the
// wait hook runs and a cancel request can be sent to the server meanwhile. The calling
// thread waits for the call to end; nothing runs beside it on the caller's data.

#include <condition_variable>
#include <exception>
#include <functional>
#include <mutex>
#include <thread>

class TzelBlockingCall {
public:
  TzelBlockingCall() = default;
  ~TzelBlockingCall();
  TzelBlockingCall(const TzelBlockingCall &) = delete;
  TzelBlockingCall &operator=(const TzelBlockingCall &) = delete;

  // Runs call on the worker and returns once it ended, calling poll on this thread about
  // every intervalMs meanwhile; rethrows what call threw.
  void run(const std::function<void()> &call, const std::function<void()> &poll, int intervalMs);

private:
  void work();

  std::thread m_thread;
  std::mutex m_mutex;
  std::condition_variable m_changed;
  const std::function<void()> *m_call = nullptr;
  std::exception_ptr m_thrown;
  bool m_quit = false;
};
