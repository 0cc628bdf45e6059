#!/usr/bin/env bash
# SPDX-License-Identifier: MIT
# Runs clang-tidy with the checks of .clang-tidy over the core's sources; any finding fails.
# Build first. Sources unchanged since a clean run are not checked again (tidy-check.py).
set -euo pipefail
exec python3 "$(dirname "$0")/tidy-check.py"
