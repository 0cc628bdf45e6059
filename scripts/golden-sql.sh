#!/usr/bin/env bash
# SPDX-License-Identifier: MIT
# Writes the golden SQL files again from the current generator: the query matrix's text under
# every dialect, one file each in tests/engine/golden/ (or the folder given). A change of the
# generated SQL is then reviewed as the diff of those files, and tst_sqlgenerator_dialects
# compares against them.
set -euo pipefail
top=$(cd "$(dirname "$0")/.." && pwd)
build=${BUILD_DIR:-$top/build}
out=$(realpath -m "${1:-$top/tests/engine/golden}")
[ -d "$build" ] || "$top/scripts/build.sh"
cmake --build "$build" -j"$(nproc)" --target tst_sqlgenerator_dialects
# Writing, the test skips its comparisons.
ZEL_WRITE_GOLDEN=$out QT_QPA_PLATFORM=offscreen "$build/bin/tst_sqlgenerator_dialects" >/dev/null
git -C "$top" status --short -- "$out" 2>/dev/null || true
