#!/usr/bin/env bash
# Builds the core, the tool and the random-input tests with AddressSanitizer and
# UndefinedBehaviorSanitizer in their own build folder ($SANITIZE_BUILD_DIR, default
# build-sanitize/) and runs those tests: the stored-form reader's, the tool's and the local
# SQL translation's odd statements.
set -euo pipefail
top=$(cd "$(dirname "$0")/.." && pwd)
build=${SANITIZE_BUILD_DIR:-$top/build-sanitize}
cmake -S "$top" -B "$build" -DCMAKE_BUILD_TYPE=Debug -DZEL_SANITIZE=ON >/dev/null
cmake --build "$build" -j"$(nproc)" --target zelquery zelsampledata tst_storedform tst_zelqueryfuzz tst_localsql
export QT_QPA_PLATFORM=${QT_QPA_PLATFORM:-offscreen}
export ASAN_OPTIONS=${ASAN_OPTIONS:-abort_on_error=1:detect_leaks=1}
export UBSAN_OPTIONS=${UBSAN_OPTIONS:-print_stacktrace=1:halt_on_error=1}
export ZEL_FUZZ_RUNS=${ZEL_FUZZ_RUNS:-270}
cd "$build"
ctest --output-on-failure -R "^(tst_storedform|tst_zelqueryfuzz|tst_localsql)$"
