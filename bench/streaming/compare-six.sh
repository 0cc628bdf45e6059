#!/usr/bin/env bash
# SPDX-License-Identifier: MIT
# Six columns of every kind (integer, text, numeric(10,2), date, Boolean, text), 1,000,000 rows,
# written as CSV by `zelquery run` and by each engine's own client on the same statement, side
# by side under farm-bench (client CPU and peak memory): PostgreSQL against `psql -A -F, -t`
# (the table is made in the tests' database, ZEL_PG_* as scripts/test.sh exports them, and
# dropped afterwards), SQLite against `sqlite3 -csv`. Prints the machine's load with each.
# Usage: bench/streaming/compare-six.sh [RELEASE_BUILD_DIR]   (default build-release)
set -euo pipefail
top=$(cd "$(dirname "$0")/../.." && pwd)
build=${1:-$top/build-release}
here=$top/bench/streaming
work=$(mktemp -d /tmp/zel-six.XXXXXX)
zelquery=$build/bin/zelquery
rows="i, 'Company ' || (i % 5000) || ', Ltd', ((i * 31) % 100000) / 100.0"
columns="id INTEGER, name TEXT, amount NUMERIC(10,2), placed DATE, active BOOLEAN, note TEXT"
select="SELECT id, name, amount, placed, active, note FROM zel_six"

sqlite3 "$work/six.sqlite" "CREATE TABLE zel_six ($columns);
  WITH RECURSIVE n(i) AS (SELECT 1 UNION ALL SELECT i + 1 FROM n WHERE i < 1000000)
  INSERT INTO zel_six SELECT $rows, date('1998-01-01', '+' || (i % 700) || ' days'),
  i % 3 = 0, 'note ' || i FROM n;"
uptime
ZEL_ALIASES_FILE=/dev/null farm-bench -n 5 --timeout 300 \
  --vs "sqlite3 -csv $work/six.sqlite '$select'" -- \
  "$zelquery" run "$here/six-model-sqlite.txt" "$here/six.zel" --alias "BIGLITE=sqlite:$work/six.sqlite"
uptime

if [ -n "${ZEL_PG_HOST:-}" ]; then
  export PGPASSWORD=${ZEL_PG_PASSWORD:-}
  pg=(psql -h "$ZEL_PG_HOST" -p "$ZEL_PG_PORT" -U "$ZEL_PG_USER" -d "$ZEL_PG_DATABASE")
  trap '"${pg[@]}" -q -c "DROP TABLE IF EXISTS zel_six"' EXIT
  "${pg[@]}" -q -c "DROP TABLE IF EXISTS zel_six; CREATE TABLE zel_six ($columns);
    INSERT INTO zel_six SELECT $rows, DATE '1998-01-01' + (i % 700), i % 3 = 0, 'note ' || i
    FROM generate_series(1, 1000000) AS n(i); ANALYZE zel_six;"
  alias="BIGPG=postgresql:$ZEL_PG_HOST:$ZEL_PG_PORT/$ZEL_PG_DATABASE?user=$ZEL_PG_USER"
  uptime
  ZEL_ALIASES_FILE=/dev/null farm-bench -n 5 --timeout 300 \
    --vs "psql -h $ZEL_PG_HOST -p $ZEL_PG_PORT -U $ZEL_PG_USER -d $ZEL_PG_DATABASE -A -F, -t -c '$select'" -- \
    "$zelquery" run "$here/six-model-pg.txt" "$here/six.zel" --alias "$alias"
  uptime
fi
rm -rf "$work"
