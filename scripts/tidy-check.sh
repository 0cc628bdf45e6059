#!/usr/bin/env bash
# SPDX-License-Identifier: MIT
# Runs clang-tidy with the checks of .clang-tidy over the core's sources (the library every
# host links), on the build's compile commands; any finding fails. Build first.
set -euo pipefail
top=$(cd "$(dirname "$0")/.." && pwd)
build=${BUILD_DIR:-$top/build}
log=$(mktemp)
trap 'rm -f "$log"' EXIT
if ! run-clang-tidy -p "$build" -j "$(nproc)" -quiet \
  "$top/(messages|model|database|export|engine)/.*\.cpp$" >"$log" 2>&1; then
  grep -E -A3 '(error|warning): ' "$log" | grep -v 'warnings generated' >&2 || cat "$log" >&2
  echo "tidy-check: clang-tidy found the faults above" >&2
  exit 1
fi
echo "tidy-check: the core's sources pass clang-tidy"
