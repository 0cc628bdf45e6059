#!/usr/bin/env bash
# SPDX-License-Identifier: MIT
# The streaming figures, reproducibly: makes a 1,000,000-row SQLite table, writes it as CSV
# with `zelquery run` and with the sqlite3 shell (the reference), each measured with
# /usr/bin/time (seconds, peak memory in KB), checks that both wrote the same number of
# lines, then runs bench_streaming (opening and showing the first 100 rows over 100,000 to
# 10,000,000 rows, walking and exporting 1,000,000 records).
# Usage: bench/streaming/compare.sh [RELEASE_BUILD_DIR]   (default build-release)
set -euo pipefail
top=$(cd "$(dirname "$0")/../.." && pwd)
build=${1:-$top/build-release}
here=$top/bench/streaming
work=${ZEL_BENCH_DIR:-$(mktemp -d /tmp/zel-streaming.XXXXXX)}
export ZEL_BENCH_DIR=$work
db=$work/big-1000000.sqlite
[ -x "$build/bin/zelquery" ] || BUILD_TYPE=Release BUILD_DIR=$build "$top/scripts/build.sh"
if [ ! -f "$db" ]; then
  sqlite3 "$db" "CREATE TABLE BIG (ID INTEGER, NAME VARCHAR(30), AMOUNT FLOAT);
    WITH RECURSIVE n(i) AS (SELECT 1 UNION ALL SELECT i + 1 FROM n WHERE i < 1000000)
    INSERT INTO BIG SELECT i, 'Name number ' || i, (i % 100000) / 100.0 FROM n;"
fi
measure() { # label, command...
  local label=$1
  shift
  /usr/bin/time -f "$label %e s %M KB" "$@" >"$work/$label.csv"
}
for round in 1 2 3; do
  echo "round $round"
  measure sqlite3 sqlite3 -csv "$db" 'SELECT ID, NAME, AMOUNT FROM BIG'
  measure zelquery env ZEL_ALIASES_FILE=/dev/null "$build/bin/zelquery" run "$here/big-model.txt" \
    "$here/big.zel" --alias "BIGDB=sqlite:$db"
done
wc -l "$work/sqlite3.csv" "$work/zelquery.csv"
"$build/bin/bench_streaming"
