#!/usr/bin/env bash
# SPDX-License-Identifier: MIT
# Installs whatever the build, the demo and the tests need on Debian 12 (apt).
set -euo pipefail
packages=(
  cmake g++ make pkg-config ccache clang-format clang-tidy
  qt6-base-dev libqt6opengl6-dev qt6-qpa-plugins qt6-svg-dev libqt6svg6 fonts-liberation2
  libqt6sql6-sqlite libqt6sql6-psql
  libbenchmark-dev pxlib-dev libshp-dev libsqlite3-dev libpq-dev sqlite3
  postgresql-15 poppler-utils python3-dbf
  mariadb-server mariadb-client mariadb-plugin-spider libqt6sql6-mysql libmariadb-dev
  firebird3.0-server firebird3.0-utils libqt6sql6-ibase firebird-dev
  xvfb x11-utils xdotool imagemagick dbus at-spi2-core python3-pyatspi
)
missing=()
for p in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed' || missing+=("$p")
done
[ ${#missing[@]} -eq 0 ] && exit 0
sudo_cmd=()
[ "$(id -u)" -ne 0 ] && sudo_cmd=(sudo)
export DEBIAN_FRONTEND=noninteractive
# The servers' own services must not start: the tests start throw-away ones on loopback.
if [ ! -e /usr/sbin/policy-rc.d ]; then
  printf '#!/bin/sh\nexit 101\n' | "${sudo_cmd[@]}" tee /usr/sbin/policy-rc.d >/dev/null
  "${sudo_cmd[@]}" chmod +x /usr/sbin/policy-rc.d
  trap '"${sudo_cmd[@]}" rm -f /usr/sbin/policy-rc.d' EXIT
fi
"${sudo_cmd[@]}" apt-get update -qq
"${sudo_cmd[@]}" apt-get install -y -qq --no-install-recommends "${missing[@]}"
