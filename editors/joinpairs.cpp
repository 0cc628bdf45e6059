// SPDX-License-Identifier: MIT
#include "editors/joinpairs.h"

#include "model/zelschema.h"

namespace {

int findOrAddJoin(TzelSchema &schema, const QString &left, const QString &right) {
  int index;
  {
    TzelProbe probe(schema);
    index = schema.IndexOfJoin(left, right);
  }
  if (index < 0)
    index = schema.AddJoin(left, zelJoinInner, 0, right);
  return index;
}

} // namespace

int zelAddJoinPair(TzelSchema &schema, const TzelDraggedField &from, const TzelDraggedField &to) {
  const int index = findOrAddJoin(schema, from.tableAlias, to.tableAlias);
  TzelJoin *join = index < 0 ? nullptr : schema.GetJoin(index);
  if (!join)
    return -1;
  const bool sameDirection = zelSameText(join->LeftTableAlias(), from.tableAlias);
  const QString &left = sameDirection ? from.fieldAlias : to.fieldAlias;
  const QString &right = sameDirection ? to.fieldAlias : from.fieldAlias;
  int pair;
  {
    TzelProbe probe(*join);
    pair = join->IndexOfJoinField(left, right);
  }
  if (pair < 0)
    join->AddJoinField(left, zelJoinEqual, right);
  return index;
}

bool zelHasJoinPair(TzelSchema &schema, const TzelDraggedField &from, const TzelDraggedField &to) {
  int index;
  {
    TzelProbe probe(schema);
    index = schema.IndexOfJoin(from.tableAlias, to.tableAlias);
  }
  if (index < 0)
    return false;
  TzelJoin &join = *schema.GetJoin(index);
  TzelProbe probe(join);
  return join.IndexOfJoinField(from.fieldAlias, to.fieldAlias) >= 0;
}
