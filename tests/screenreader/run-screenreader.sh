#!/usr/bin/env bash
# SPDX-License-Identifier: MIT
# Runs a screen-reader client against a host program in a throw-away X server and session
# bus. Exit 77 (skipped) when this machine lacks the X server, the bus or the bindings.
set -uo pipefail
host=$1
client=$2
command -v xvfb-run >/dev/null || { echo "xvfb-run missing"; exit 77; }
command -v import >/dev/null && command -v identify >/dev/null || { echo "imagemagick missing"; exit 77; }
command -v dbus-run-session >/dev/null || { echo "dbus-run-session missing"; exit 77; }
/usr/bin/python3 -c 'import pyatspi' 2>/dev/null || { echo "python3-pyatspi missing"; exit 77; }
# The hosts open the sample tables, which are Paradox tables: without the Paradox module beside
# the libraries there are none.
[ -e "$(dirname "$host")/../lib/libzelparadox.so" ] ||
  { echo "skipped: the sample tables need the Paradox module, which this build leaves out"; exit 77; }
unset QT_QPA_PLATFORM
exec xvfb-run -a -s "-screen 0 1280x1024x24 -noreset" \
  dbus-run-session -- /usr/bin/python3 "$client" "$host"
