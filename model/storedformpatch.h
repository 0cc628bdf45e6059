// SPDX-License-Identifier: MIT
#pragma once
// Brings a design from one stored form to another by changing only what differs: a top-level
// child (a table, a join, a value) whose text is the same in both is kept as the same object,
// the others are read from the new text, and the design's own properties are read again only
// when their lines differ. Undo and redo use it, so that an editor redraws only what a step
// changed and the stored form comes back byte for byte.

#include "model/zelcomponent.h"
#include "zelcore_export.h"

#include <QList>
#include <QSet>
#include <QString>
#include <memory>
#include <vector>

struct ZelFormPatch {
  QSet<const TzelComponent *> added; // children read from the new text, now in the design
  QSet<const TzelComponent *> kept;  // children left as they were
  bool propertiesChanged = false;    // the design's own properties were read again
  // The children the design gave up, alive until the patch goes, so that a window still
  // showing one can tell it apart from a new object at the same address.
  std::vector<std::unique_ptr<TzelComponent>> released;
};

// `from` is the design's present stored form. Raises EzelError on a faulty `to`, leaving the
// design as it was.
ZELCORE_EXPORT ZelFormPatch patchStoredForm(TzelComponent &design, const QString &from,
                                            const QString &to);
