#!/usr/bin/env bash
# SPDX-License-Identifier: MIT
# Configures and builds into build/ (or $BUILD_DIR).
set -euo pipefail
top=$(cd "$(dirname "$0")/.." && pwd)
build=${BUILD_DIR:-$top/build}
cmake -S "$top" -B "$build" -DCMAKE_BUILD_TYPE=${BUILD_TYPE:-Debug} \
  -DZEL_WERROR=${ZEL_WERROR:-OFF} >/dev/null
cmake --build "$build" -j"$(nproc)"
