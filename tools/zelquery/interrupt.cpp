#include "interrupt.h"

#include "database/zelcancel.h"

#include <csignal>

namespace {

extern "C" void onInterrupt(int) {
  TzelCancelTarget::requestAll();
}

} // namespace

void installInterruptHandler() {
  struct sigaction action = {};
  action.sa_handler = onInterrupt;
  sigemptyset(&action.sa_mask);
  action.sa_flags = SA_RESETHAND | SA_RESTART;
  sigaction(SIGINT, &action, nullptr);
}

bool interrupted() {
  return TzelCancelTarget::allRequested();
}
