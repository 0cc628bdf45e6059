#!/usr/bin/env bash
# SPDX-License-Identifier: MIT
# Proves the Debian packages: builds what they hold (in build/ or $BUILD_DIR), makes them with
# cpack -G DEB, unpacks every one with dpkg -x into one fresh folder, as a root holding only
# them, then runs both programs' --version from there and builds and runs the example host
# against the unpacked CMake package, which must find the 36 records of "Step 1".
set -euo pipefail
top=$(cd "$(dirname "$0")/.." && pwd)
build=${BUILD_DIR:-$top/build}
scratch=$build/package-check
[ -f "$build/CMakeCache.txt" ] ||
  cmake -S "$top" -B "$build" -DCMAKE_BUILD_TYPE=${BUILD_TYPE:-Debug} >/dev/null
cmake --build "$build" -j"$(nproc)" --target zelcore zelprint zelwidgets zelquery zelquerypdf \
  zelquery_manpage pellox zelsampledata zelparadox

rm -rf "$scratch"
mkdir -p "$scratch/debs" "$scratch/root"
(cd "$build" && cpack -G DEB -B "$scratch/debs" >/dev/null)
rm -rf "$scratch/debs/_CPack_Packages"
for deb in "$scratch"/debs/*.deb; do
  echo "package-check: $(dpkg-deb -f "$deb" Package) $(dpkg-deb -f "$deb" Version)," \
    "Depends: $(dpkg-deb -f "$deb" Depends)"
  dpkg-deb -f "$deb" Depends | grep -q . || {
    echo "package-check: $deb depends on nothing" >&2
    exit 1
  }
  dpkg -x "$deb" "$scratch/root"
done

usr=$scratch/root/usr
# The libraries a host links carry no GPL code: pxlib is the Paradox module's alone.
if dpkg-deb -f "$scratch"/debs/libpellox[0-9]_*.deb Depends | grep -q pxlib ||
  ldd "$usr"/lib/libzel{core,print,widgets}.so.[0-9] | grep -q libpx; then
  echo "package-check: the libraries' package needs pxlib" >&2
  exit 1
fi
version=$(dpkg-deb -f "$scratch"/debs/zelquery_*.deb Version)
for program in zelquery pellox; do
  said=$(LD_LIBRARY_PATH=$usr/lib "$usr/bin/$program" --version)
  if [ "$said" != "$program $version" ]; then
    echo "package-check: $program --version said '$said', expected '$program $version'" >&2
    exit 1
  fi
done
if LD_LIBRARY_PATH=$usr/lib ldd "$usr/bin/zelquery" | grep -E 'libzel' | grep -v "=> $usr/lib/" >&2
then
  echo "package-check: the unpacked zelquery loads Pellox libraries from outside $usr" >&2
  exit 1
fi
[ -s "$usr/share/man/man1/zelquery.1" ] || {
  echo "package-check: no manual page of zelquery" >&2
  exit 1
}

cmake -S "$top/examples/host" -B "$scratch/host" -DCMAKE_PREFIX_PATH="$usr" \
  -DCMAKE_BUILD_TYPE=${BUILD_TYPE:-Debug} -DCMAKE_CXX_FLAGS=-Werror >/dev/null
cmake --build "$scratch/host" -j"$(nproc)" >/dev/null
count=$(LD_LIBRARY_PATH=$usr/lib QT_QPA_PLATFORM=offscreen "$scratch/host/pellox-host" --check)
if [ "$count" != 36 ]; then
  echo "package-check: Step 1 gave '$count' records, expected 36" >&2
  exit 1
fi
echo "package-check: the unpacked packages run zelquery and pellox $version, and the host" \
  "built against them runs Step 1: $count records"
