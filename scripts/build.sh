#!/usr/bin/env bash
# SPDX-License-Identifier: MIT
# Configures and builds with a preset of CMakePresets.json: $ZEL_PRESET, else "ci" (warnings as
# errors) when ZEL_WERROR=ON, else "dev". BUILD_DIR and BUILD_TYPE override the preset's
# folder and build type.
set -euo pipefail
top=$(cd "$(dirname "$0")/.." && pwd)
preset=${ZEL_PRESET:-}
[ -n "$preset" ] || { [ "${ZEL_WERROR:-OFF}" = ON ] && preset=ci || preset=dev; }
args=(--preset "$preset")
[ -z "${BUILD_DIR:-}" ] || args+=(-B "$BUILD_DIR")
[ -z "${BUILD_TYPE:-}" ] || args+=(-DCMAKE_BUILD_TYPE="$BUILD_TYPE")
cd "$top"
cmake "${args[@]}" >/dev/null
if [ -n "${BUILD_DIR:-}" ]; then
  cmake --build "$BUILD_DIR" -j"$(nproc)"
else
  cmake --build --preset "$preset" -j"$(nproc)"
fi
