#!/usr/bin/env bash
# SPDX-License-Identifier: MIT
# Installs what is missing, builds, starts the services the tests need and runs all tests.
set -euo pipefail
top=$(cd "$(dirname "$0")/.." && pwd)
build=${BUILD_DIR:-$top/build}
export QT_QPA_PLATFORM=${QT_QPA_PLATFORM:-offscreen}
"$top/scripts/install-deps.sh"
"$top/scripts/build.sh"
# shellcheck source=/dev/null
. "$top/scripts/postgres.sh"
# shellcheck source=/dev/null
. "$top/scripts/mariadb.sh"
# shellcheck source=/dev/null
. "$top/scripts/firebird.sh"
trap 'postgres_stop; mariadb_stop; firebird_stop' EXIT
postgres_start
postgres_second_start
mariadb_start
mariadb_second_start
firebird_start
cd "$build"
ctest --output-on-failure -j"$(nproc)" "$@"
