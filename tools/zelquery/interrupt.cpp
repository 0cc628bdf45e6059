// SPDX-License-Identifier: MIT
#include "interrupt.h"

#include "database/zelcancel.h"

#include <csignal>
#include <cstring>
#include <unistd.h>

namespace {

volatile std::sig_atomic_t firstSignal = 0;

extern "C" void onInterrupt(int signal) {
  if (firstSignal == 0)
    firstSignal = signal;
  // Work that no cancel request reaches and that leaves nothing behind ends with the process.
  if (const char *message = TzelStopAtOnce::what()) {
    (void)!::write(STDERR_FILENO, message, std::strlen(message));
    (void)!::write(STDERR_FILENO, "\n", 1);
    ::_exit(128 + signal);
  }
  TzelCancelTarget::requestAll();
}

} // namespace

void installInterruptHandler() {
  struct sigaction action = {};
  action.sa_handler = onInterrupt;
  sigemptyset(&action.sa_mask);
  action.sa_flags = SA_RESETHAND | SA_RESTART;
  for (const int signal : {SIGINT, SIGTERM, SIGHUP})
    sigaction(signal, &action, nullptr);
}

bool interrupted() {
  return TzelCancelTarget::allRequested();
}

int interruptedStatus() {
  return 128 + (firstSignal != 0 ? int(firstSignal) : SIGINT);
}
