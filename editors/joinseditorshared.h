// SPDX-License-Identifier: MIT
#pragma once
// What the joins editor's files share: its yes/no question and walks over the join pairs.

#include "model/zelschema.h"

#include <QString>

namespace ZelJoins {

bool confirm(const QString &text);
void clearLine(TzelJoinField &pair);

// Calls fn for every live pair of every live join, in list order.
template <typename Fn> void forEachLivePair(const TzelSchema &schema, Fn fn) {
  for (int j = 0; j < schema.JoinCount(); ++j) {
    const TzelJoin *join = schema.GetJoin(j);
    if (join->Deleted())
      continue;
    for (int p = 0; p < join->JoinFieldCount(); ++p) {
      TzelJoinField *pair = join->GetJoinField(p);
      if (!pair->Deleted())
        fn(*pair);
    }
  }
}

} // namespace ZelJoins
