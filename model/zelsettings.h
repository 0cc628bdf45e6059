// SPDX-License-Identifier: MIT
#pragma once
// Copying of settings objects (About, Display, Page, fonts): every published property of the
// source is written into the target, and settings sub-objects are copied into the target's
// own sub-objects, so that nothing is ever shared.

#include "zelcore_export.h"

class QObject;

// Source and target are expected to be of the same class; properties the target lacks are
// skipped.
ZELCORE_EXPORT void zelAssignSettings(QObject *target, const QObject *source);
