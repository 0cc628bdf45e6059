#!/usr/bin/env bash
# SPDX-License-Identifier: MIT
# Builds the core, the tool and the core tests (those that link no GUI library, labelled
# "core") with AddressSanitizer and UndefinedBehaviorSanitizer (the "asan" preset, in
# build-sanitize/ or $SANITIZE_BUILD_DIR) and runs them: among them the random-input tests of
# the stored-form reader, the tool and the local SQL translation.
set -euo pipefail
top=$(cd "$(dirname "$0")/.." && pwd)
build=${SANITIZE_BUILD_DIR:-$top/build-sanitize}
cd "$top"
cmake --preset asan -B "$build" >/dev/null
cmake --build "$build" -j"$(nproc)" --target zelquery zelsampledata zel_core_tests
export QT_QPA_PLATFORM=${QT_QPA_PLATFORM:-offscreen}
export ASAN_OPTIONS=${ASAN_OPTIONS:-abort_on_error=1:detect_leaks=1}
export UBSAN_OPTIONS=${UBSAN_OPTIONS:-print_stacktrace=1:halt_on_error=1}
export ZEL_FUZZ_RUNS=${ZEL_FUZZ_RUNS:-270}
cd "$build"
ctest --output-on-failure -L '^core$'
