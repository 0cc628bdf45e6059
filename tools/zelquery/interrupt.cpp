#include "interrupt.h"

#include "database/zelcancel.h"

#include <csignal>

namespace {

volatile std::sig_atomic_t firstSignal = 0;

extern "C" void onInterrupt(int signal) {
  if (firstSignal == 0)
    firstSignal = signal;
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
