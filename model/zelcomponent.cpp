// SPDX-License-Identifier: MIT
#include "model/zelcomponent.h"

#include "model/storedform.h"

bool TzelComponent::isPropertyStored(const QMetaProperty &property) const {
  return isStoredByDefault(this, property);
}
