// SPDX-License-Identifier: MIT
#include "database/zelcancel.h"
#include "database/zelpq.h"

#include <sqlite3.h>

#include <thread>

namespace {

// Armed targets, reachable from a signal handler without locks.
constexpr int kSlots = 64;
std::atomic<TzelCancelTarget *> armedTargets[kSlots];
std::atomic<bool> everythingRequested{false};
std::atomic<const char *> stopAtOnce{nullptr};

void enlist(TzelCancelTarget *target) {
  for (auto &slot : armedTargets) {
    TzelCancelTarget *expected = nullptr;
    if (slot.compare_exchange_strong(expected, target))
      return;
  }
}

void delist(TzelCancelTarget *target) {
  for (auto &slot : armedTargets) {
    TzelCancelTarget *expected = target;
    if (slot.compare_exchange_strong(expected, nullptr))
      return;
  }
}

} // namespace

void TzelCancelTarget::armSqlite(sqlite3 *db) {
  m_sqlite.store(db);
  enlist(this);
  if (everythingRequested.load())
    request();
}

void TzelCancelTarget::armPostgres(pg_cancel *cancel) {
  m_postgres.store(cancel);
  enlist(this);
  if (everythingRequested.load())
    request();
}

void TzelCancelTarget::disarm() {
  delist(this);
  m_sqlite.store(nullptr);
  if (pg_cancel *cancel = m_postgres.exchange(nullptr)) {
    // A request from another thread may still be sending with it.
    while (m_requesting.load() > 0)
      std::this_thread::yield();
    zelPq().PQfreeCancel(cancel);
  }
}

void TzelCancelTarget::request() {
  m_requested.store(true);
  m_requesting.fetch_add(1);
  if (sqlite3 *db = m_sqlite.load())
    sqlite3_interrupt(db);
  if (pg_cancel *cancel = m_postgres.load()) {
    char reason[256]; // a local buffer, as a signal handler needs
    // Holding a cancel object means the library is loaded; nothing is loaded here.
    zelPqIfLoaded()->PQcancel(cancel, reason, int(sizeof reason));
  }
  m_requesting.fetch_sub(1);
}

void TzelCancelTarget::requestAll() {
  everythingRequested.store(true);
  for (auto &slot : armedTargets)
    if (TzelCancelTarget *target = slot.load())
      target->request();
}

bool TzelCancelTarget::allRequested() {
  return everythingRequested.load();
}

TzelStopAtOnce::TzelStopAtOnce(const char *message) : m_outer(stopAtOnce.exchange(message)) {}

TzelStopAtOnce::~TzelStopAtOnce() {
  stopAtOnce.store(m_outer);
}

const char *TzelStopAtOnce::what() {
  return stopAtOnce.load();
}
