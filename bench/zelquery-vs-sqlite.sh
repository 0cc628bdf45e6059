#!/usr/bin/env bash
# SPDX-License-Identifier: MIT
# Whole-process comparison: `zelquery sql` on the 50-table chain query (49 joins, 500 values,
# 20 filter rows) against the sqlite3 shell creating the 50 tables and preparing (EXPLAIN)
# the statement zelquery generates. Builds nothing; run after a Release build:
#   BUILD_TYPE=Release BUILD_DIR=$PWD/build-release scripts/build.sh
#   bench/zelquery-vs-sqlite.sh [BUILD_DIR]      (default: build-release)
# Needs hyperfine and sqlite3. Prints hyperfine's table and the ratios zelquery / sqlite3 of
# the mean and the fastest wall-clock times and of the processor time (user + system).
set -euo pipefail
top=$(cd "$(dirname "$0")/.." && pwd)
build=${1:-$top/build-release}
bin=$build/bin
for tool in hyperfine sqlite3 python3; do
  command -v "$tool" >/dev/null || { echo "Missing $tool" >&2; exit 2; }
done
[ -x "$bin/zelquery" ] && [ -x "$bin/chainfiles" ] || {
  echo "Build zelquery and chainfiles into $bin first" >&2
  exit 2
}

scratch=$(mktemp -d)
trap 'rm -rf "$scratch"' EXIT
"$bin/chainfiles" "$scratch"
model=$scratch/chain-model.txt
query=$scratch/chain.zel
# The same generated statement is what SQLite prepares.
"$bin/zelquery" sql "$model" "$query" >"$scratch/chain.sql"
{
  cat "$scratch/chain-tables.sql"
  printf 'EXPLAIN '
  cat "$scratch/chain.sql"
  printf ';\n'
} >"$scratch/sqlite-script.sql"
sqlite3 :memory: ".read $scratch/sqlite-script.sql" >/dev/null # refuses a faulty statement

export QT_QPA_PLATFORM=offscreen
hyperfine -N --warmup 5 --runs "${RUNS:-40}" --export-json "$scratch/times.json" \
  -n zelquery "$bin/zelquery sql $model $query" \
  -n sqlite3 "sqlite3 :memory: '.read $scratch/sqlite-script.sql'"
python3 - "$scratch/times.json" <<'PY'
import json, sys
runs = {r["command"]: r for r in json.load(open(sys.argv[1]))["results"]}
z, s = runs["zelquery"], runs["sqlite3"]
# On a busy machine the fastest run and the processor time tell more than the mean.
for what, key in (("mean", "mean"), ("fastest", "min")):
    print(f"{what:8} zelquery {z[key]*1000:6.1f} ms, sqlite3 {s[key]*1000:6.1f} ms:"
          f" zelquery / sqlite3 = {z[key]/s[key]:.2f}x")
zc, sc = z["user"] + z["system"], s["user"] + s["system"]
print(f"cpu      zelquery {zc*1000:6.1f} ms, sqlite3 {sc*1000:6.1f} ms:"
      f" zelquery / sqlite3 = {zc/sc:.2f}x")
PY
