// SPDX-License-Identifier: MIT
#pragma once
// Which field types a join can compare: a join condition between a date and a text, or a
// number and a Boolean, is valid SQL on some databases but matches nothing, so the joins
// editor asks before making one.

#include "model/zeltypes.h"
#include "zelwidgets_export.h"

#include <QString>

// True when values of the two types can be compared: both text, both numbers, both Boolean,
// both dates (a date and a date-time), both times or both binary. An unknown type compares
// with anything, since nothing is known against it.
ZELWIDGETS_EXPORT bool zelComparableFieldTypes(TFieldType a, TFieldType b);

// The type's name as the field dialog lists it ("String", "Date"), or empty when out of range.
ZELWIDGETS_EXPORT QString zelFieldTypeName(TFieldType type);
