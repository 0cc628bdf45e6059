// SPDX-License-Identifier: MIT
#pragma once
// The field names a dBase or Paradox table gets from the labels of the columns written into it.

#include "database/zeltabledata.h"
#include "zelcore_export.h"

#include <QStringList>

// One name per label, in order: the label without its table prefix ("Customers.Company" gives
// "Company"), accents dropped, every run of other characters than ASCII letters, digits and
// '_' turned into one '_', starting with a letter, cut to limit characters, and made unique
// without regard to case by a suffix "_2", "_3" ... A label with nothing usable gives "FIELD".
ZELCORE_EXPORT QStringList zelTableFieldNames(const QStringList &labels, int limit);
// The same for the names of the columns a writer is given.
ZELCORE_EXPORT QStringList zelTableFieldNames(const QList<TzelTableColumn> &columns, int limit);
