#!/usr/bin/env bash
# Copyright 2026 The sparsemex authors. SPDX-License-Identifier: BSD-3-Clause
# Installs the Python package into a venv beside the build (offline, from Debian's packages)
# and runs its tests: python/test_package.sh [BUILD_DIR]  (default: build)
set -euo pipefail
root="$(cd "$(dirname "$0")/.." && pwd)"
build="$(mkdir -p "${1:-$root/build}" && cd "${1:-$root/build}" && pwd)"
venv="$build/venv"

[ -x "$venv/bin/python" ] || /usr/bin/python3 -m venv --system-site-packages "$venv"
"$venv/bin/python" -m pip install --no-build-isolation --no-deps --quiet "$root/python"
# From the build folder, so that the installed package is the one imported.
cd "$build"
SPARSEMEX_OCTAVE_MODULES="$build/modules/octave" \
  "$venv/bin/python" -m pytest -q -p no:cacheprovider "$root/tests/python"
