// SPDX-License-Identifier: MIT
#pragma once
// What the core and the Paradox module agree on. The module links pxlib (GPL-2+), so the
// libraries a host links do not: the core loads the module from its own folder the first time
// a Paradox table is read or written, and reports a failure when it is not there.

#include "database/zeltabledata.h"

// The module's file name (without lib and .so) and the one function it exports.
inline constexpr char zelParadoxModuleName[] = "zelparadox";
inline constexpr char zelParadoxEntrySymbol[] = "zelParadoxModule";

// The functions of database/zelparadoxfile.h, as the module implements them.
struct TzelParadoxFunctions {
  TzelFileResult (*read)(const QString &path, TzelTableData &table);
  TzelFileResult (*write)(const QString &path, const QList<TzelTableColumn> &columns,
                          TzelRowSource &rows);
};

extern "C" {
// Returns the module's functions, which live as long as the process.
using ZelParadoxEntry = const TzelParadoxFunctions *(*)();
}
