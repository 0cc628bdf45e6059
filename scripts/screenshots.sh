#!/usr/bin/env bash
# SPDX-License-Identifier: MIT
# Takes the pictures of the demonstration program in a throw-away X server: a few tour topics,
# the query workspace and the data model window, each opened from the tour as a user opens
# them. They go to docs/screenshots/demo-*.png, or to the folder given.
set -euo pipefail
top=$(cd "$(dirname "$0")/.." && pwd)
build=${BUILD_DIR:-$top/build}
out=${1:-$top/docs/screenshots}
program=$build/bin/pellox
[ -x "$program" ] || "$top/scripts/build.sh"
command -v xvfb-run >/dev/null || { echo "xvfb-run is missing: run scripts/install-deps.sh" >&2; exit 1; }

shots=$(mktemp -d)
trap 'rm -rf "$shots"' EXIT
unset QT_QPA_PLATFORM
# The program saves the pictures itself and quits; -noreset keeps the server up meanwhile.
PELLOX_SCREENSHOTS=$shots timeout 120 \
  xvfb-run -a -s "-screen 0 1280x1024x24 -noreset" "$program" >/dev/null
count=$(find "$shots" -name 'demo-*.png' | wc -l)
[ "$count" -ge 7 ] || { echo "Only $count pictures were taken" >&2; exit 1; }
mkdir -p "$out"
cp "$shots"/demo-*.png "$out"/
ls "$out"/demo-*.png
