// SPDX-License-Identifier: MIT
#include "engine/recordprinting.h"

#include "engine/zelquerion.h"

#include <QPointer>

namespace {

QPointer<TzelQuerion> &printing() {
  static QPointer<TzelQuerion> querion;
  return querion;
}

} // namespace

TzelQuerion *zelPrintingQuerion() {
  return printing();
}

TzelPrintJobClaim::TzelPrintJobClaim(TzelQuerion &querion) : m_claimed(!printing()) {
  if (m_claimed)
    printing() = &querion;
}

TzelPrintJobClaim::~TzelPrintJobClaim() {
  if (m_claimed)
    printing() = nullptr;
}
