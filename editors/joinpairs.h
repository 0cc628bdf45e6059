// SPDX-License-Identifier: MIT
#pragma once
// Adding a join field pair dropped from one table onto another, on the schema alone.

#include "editors/fielddrag.h"
#include "zelwidgets_export.h"

class TzelSchema;

// Joins `from` (the dragged field) to `to` (the field dropped on): reuses a live join between
// the two tables in either direction, else adds an inner join from -> to; adds the pair unless
// the join already has it. A pair dropped against the join's direction is stored swapped, so
// its left field always belongs to the join's left table. Returns the join's index, or -1.
ZELWIDGETS_EXPORT int zelAddJoinPair(TzelSchema &schema, const TzelDraggedField &from,
                                     const TzelDraggedField &to);

// True when the join zelAddJoinPair would reuse already has this pair (in either order).
ZELWIDGETS_EXPORT bool zelHasJoinPair(TzelSchema &schema, const TzelDraggedField &from,
                                      const TzelDraggedField &to);
