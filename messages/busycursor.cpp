#include "messages/busycursor.h"

namespace {

TzelBusyIndicator &indicator() {
  static TzelBusyIndicator installed;
  return installed;
}

} // namespace

void zelSetBusyIndicator(TzelBusyIndicator busy) {
  indicator() = std::move(busy);
}

TzelBusyCursor::TzelBusyCursor() : m_shown(bool(indicator())) {
  if (m_shown)
    indicator()(true);
}

void TzelBusyCursor::restore() {
  if (m_shown && indicator())
    indicator()(false);
  m_shown = false;
}
