#!/usr/bin/env bash
# SPDX-License-Identifier: MIT
# Fails when a C++ file of the project is not laid out as .clang-format says; lists the files.
# `clang-format -i FILE` lays one out.
set -euo pipefail
cd "$(dirname "$0")/.."
mapfile -t files < <(git ls-files '*.cpp' '*.h')
if ! clang-format --dry-run --Werror "${files[@]}" 2>/dev/null; then
  clang-format --dry-run "${files[@]}" 2>&1 | grep -oE '^[^:]+\.(cpp|h)' | sort -u |
    sed 's/^/format-check: not clang-formatted: /' >&2
  exit 1
fi
echo "format-check: ${#files[@]} files laid out as .clang-format says"
