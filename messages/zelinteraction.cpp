// SPDX-License-Identifier: MIT
#include "messages/zelinteraction.h"

#include "messages/zelconsoleinteraction.h"

#include <cstdio>

namespace {

TzelInteraction *&installed() {
  static TzelInteraction *interaction = nullptr;
  return interaction;
}

// A program that installs nothing must notice: the first request says so, and every request
// is answered as the console answers it rather than silently cancelled.
TzelInteraction &uninstalled() {
  static TzelConsoleInteraction console;
  [[maybe_unused]] static const bool warned = [] {
    std::fputs("Error: No interaction is installed; call zelInstallGui(app) or "
               "zelInstallInteraction(interaction) at start-up.\n",
               stderr);
    return true;
  }();
  return console;
}

TzelInteraction &orUninstalled(TzelInteraction *interaction) {
  return interaction ? *interaction : uninstalled();
}

} // namespace

void zelInstallInteraction(TzelInteraction &interaction) {
  installed() = &interaction;
}

TzelInteraction &zelInteraction() {
  return orUninstalled(installed());
}

TzelInteractionScope::TzelInteractionScope(TzelInteraction &interaction) : m_previous(installed()) {
  installed() = &interaction;
}

TzelInteractionScope::~TzelInteractionScope() {
  installed() = m_previous;
}

TzelInteraction &TzelInteractionScope::previous() const {
  return orUninstalled(m_previous);
}
