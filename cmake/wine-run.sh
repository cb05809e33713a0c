#!/bin/sh
# Copyright 2026 The sparsemex authors. SPDX-License-Identifier: BSD-3-Clause
# Runs a test program of the Windows build under Wine: quietly, with no prompt to install
# Wine's add-ons, in a prefix of its own beside the build's bin folder. The first program to
# run makes the prefix; any started meanwhile wait for it.
#   wine-run.sh <build>/bin/program.exe [arguments]
set -e
wine=$(command -v wine64 || command -v wine || echo /usr/lib/wine/wine64)
[ -x "$wine" ] || wine=/usr/lib/wine/wine64
wineserver=$(command -v wineserver || echo /usr/lib/wine/wineserver)
build=$(cd "$(dirname "$1")/.." && pwd)
WINEPREFIX="$build/wine"
WINEDEBUG=-all
WINEDLLOVERRIDES="mscoree,mshtml="
export WINEPREFIX WINEDEBUG WINEDLLOVERRIDES

# Wine writes a new prefix's registry only when its server exits, so the prefix counts as
# made once wineboot has finished and the server is gone (the marker file says so).
if [ ! -f "$build/wine.ready" ]; then
  if mkdir "$build/wine.lock" 2>/dev/null; then
    "$wine" wineboot --init >/dev/null 2>&1 || true
    "$wineserver" -w >/dev/null 2>&1 || true
    touch "$build/wine.ready"
    rmdir "$build/wine.lock"
  else
    while [ ! -f "$build/wine.ready" ]; do sleep 1; done
  fi
fi
exec "$wine" "$@"
