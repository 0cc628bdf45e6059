#!/usr/bin/env bash
# SPDX-License-Identifier: MIT
# Proves the installed package: builds the libraries (in build/ or $BUILD_DIR) when needed,
# installs them into a scratch prefix under the build folder, builds examples/host against
# that prefix alone, with warnings as errors, and runs the host's check, which must find the
# 36 records of the sample query "Step 1". Every installed header must compile on its own.
set -euo pipefail
top=$(cd "$(dirname "$0")/.." && pwd)
build=${BUILD_DIR:-$top/build}
scratch=$build/host-check
prefix=$scratch/prefix
[ -f "$build/CMakeCache.txt" ] ||
  cmake -S "$top" -B "$build" -DCMAKE_BUILD_TYPE=${BUILD_TYPE:-Debug} >/dev/null
cmake --build "$build" -j"$(nproc)" --target zelcore zelprint zelwidgets zelsampledata

rm -rf "$scratch"
cmake --install "$build" --prefix "$prefix" >/dev/null
# The private libraries stay private: no installed header needs their headers.
if grep -rlE '#include <(paradox|shapefil|sqlite3|libpq-fe|mysql|ibase)\.h>' "$prefix/include"; then
  echo "host-check: installed headers include private dependencies" >&2
  exit 1
fi

# Every installed header compiles on its own in a host, without warnings.
headers=$scratch/headers
mkdir -p "$headers"
sources=()
for h in $(cd "$prefix/include/pellox" && find . -name '*.h' | sort); do
  h=${h#./}
  source=$headers/${h//\//_}.cpp
  echo "#include \"$h\"" >"$source"
  sources+=("$source")
done
cat >"$headers/CMakeLists.txt" <<CMAKE
cmake_minimum_required(VERSION 3.24)
project(PelloxHeaders LANGUAGES CXX)
set(CMAKE_CXX_STANDARD 20)
find_package(Pellox CONFIG REQUIRED)
add_library(headers OBJECT ${sources[*]})
target_link_libraries(headers PRIVATE Pellox::Widgets)
target_compile_options(headers PRIVATE -Wall -Wextra -Werror)
CMAKE
cmake -S "$headers" -B "$headers/build" -DCMAKE_PREFIX_PATH="$prefix" >/dev/null
cmake --build "$headers/build" -j"$(nproc)" >/dev/null

cmake -S "$top/examples/host" -B "$scratch/host" -DCMAKE_PREFIX_PATH="$prefix" \
  -DCMAKE_BUILD_TYPE=${BUILD_TYPE:-Debug} -DCMAKE_CXX_FLAGS=-Werror >/dev/null
cmake --build "$scratch/host" -j"$(nproc)"

host=$scratch/host/pellox-host
# Every Pellox library the host loads comes from the prefix, not from the build folder.
if ldd "$host" | grep -E 'libzel' | grep -v "=> $prefix/" >&2; then
  echo "host-check: the host loads Pellox libraries from outside $prefix" >&2
  exit 1
fi
count=$(QT_QPA_PLATFORM=offscreen "$host" --check)
if [ "$count" != 36 ]; then
  echo "host-check: Step 1 gave '$count' records, expected 36" >&2
  exit 1
fi
echo "host-check: the host built against $prefix runs Step 1: $count records"

# A host that names only the core gets it without Qt's GUI modules.
core=$scratch/core-only
mkdir -p "$core"
cat >"$core/CMakeLists.txt" <<CMAKE
cmake_minimum_required(VERSION 3.24)
project(PelloxCoreOnly LANGUAGES CXX)
set(CMAKE_CXX_STANDARD 20)
find_package(Pellox CONFIG REQUIRED COMPONENTS Core)
if(TARGET Qt6::Gui)
  message(FATAL_ERROR "asking for Pellox's core looked for Qt's GUI module")
endif()
add_executable(coreonly main.cpp)
target_link_libraries(coreonly PRIVATE Pellox::Core)
target_compile_options(coreonly PRIVATE -Wall -Wextra -Werror)
CMAKE
cat >"$core/main.cpp" <<CPP
#include "engine/zelquerion.h"
int main() { return TzelQuerion().QueryCount() == 1 ? 0 : 1; }
CPP
cmake -S "$core" -B "$core/build" -DCMAKE_PREFIX_PATH="$prefix" >/dev/null
cmake --build "$core/build" >/dev/null
"$core/build/coreonly"

# The installed tool prints the sample query to PDF through its module beside the libraries.
examples=$prefix/share/pellox/examples
pdf=$scratch/step1.pdf
"$prefix/bin/zelquery" print "$examples/pellox-model.txt" "$examples/step1.zel" --out "$pdf" \
  --alias "PELLOX=standard:$examples/Data"
if [ "$(head -c 4 "$pdf")" != "%PDF" ]; then
  echo "host-check: the installed zelquery printed no PDF" >&2
  exit 1
fi
echo "host-check: a core-only host and the installed zelquery work from $prefix"
