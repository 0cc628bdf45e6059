#!/usr/bin/env bash
# SPDX-License-Identifier: MIT
# Installs what is missing, builds, and starts the demonstration program on its sample data.
set -euo pipefail
top=$(cd "$(dirname "$0")/.." && pwd)
"$top/scripts/install-deps.sh"
"$top/scripts/build.sh"
exec "${BUILD_DIR:-$top/build}/bin/pellox" "$@"
