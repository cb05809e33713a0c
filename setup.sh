#!/usr/bin/env bash
# Copyright 2026 The sparsemex authors. SPDX-License-Identifier: BSD-3-Clause
# Sets up a Debian machine for the library:
#   ./setup.sh demo   installs what the demo needs, builds the Octave modules, runs the demo
#   ./setup.sh test   installs what everything needs, builds everything, runs the whole test
#                     suite (unit, gateway, Octave and Python layers)
#   ./setup.sh install PACKAGE...   only installs those packages if they are missing
# Installing missing packages needs root (or sudo). Set-up never removes a package the
# machine has: apt-get is told to refuse rather than remove one.
set -euo pipefail
cd "$(dirname "$0")"

# The compiler, CMake and Octave with its headers build and run the modules; the font is the
# one Octave draws the examples' pictures with.
demo_packages=(cmake make g++ octave liboctave-dev fonts-freefont-otf)
# The unit and gateway tests and the benchmarks need these on top, and the Python package
# its build (pybind11, NumPy) and its tests' references (scikit-learn, Dask).
test_packages=(googletest libgtest-dev libbenchmark-dev
               python3-venv python3-pip python3-setuptools python3-wheel python3-build
               python3-pybind11 pybind11-dev python3-numpy python3-pytest python3-hypothesis
               python3-sklearn python3-dask python3-distributed python3-matplotlib)

# Octave saves pictures without a screen through gnuplot. Any gnuplot will do (gnuplot-qt,
# gnuplot-x11, ...); the one without a display is installed only where there is none, since
# the flavours exclude each other and installing one would remove the user's.
command -v gnuplot >/dev/null || demo_packages+=(gnuplot-nox)

install_missing() {
  local missing=()
  for package in "$@"; do
    dpkg-query -W -f='${Status}' "$package" 2>/dev/null | grep -q "install ok installed" ||
      missing+=("$package")
  done
  [ ${#missing[@]} -eq 0 ] && return
  echo "Installing: ${missing[*]}"
  local as_root=()
  if [ "$(id -u)" -ne 0 ]; then
    command -v sudo >/dev/null || { echo "run as root to install ${missing[*]}" >&2; exit 1; }
    as_root=(sudo)
  fi
  "${as_root[@]}" env DEBIAN_FRONTEND=noninteractive apt-get update -q
  "${as_root[@]}" env DEBIAN_FRONTEND=noninteractive \
    apt-get install -y -q --no-install-recommends --no-remove "${missing[@]}"
}

# configure OPTION...: the one build folder, build/, with the given parts switched on or off.
configure() {
  cmake -S . -B build -DCMAKE_BUILD_TYPE=Release "$@"
}

case "${1:-}" in
  demo)
    install_missing "${demo_packages[@]}"
    configure -DSPARSEMEX_TESTS=OFF -DSPARSEMEX_BENCH=OFF
    cmake --build build -j "$(nproc)" --target octave_modules
    octave-cli --norc --no-history --quiet \
      --eval "addpath('$PWD/build/modules/octave'); run('$PWD/examples/l1_ball_regression.m')"
    echo
    echo "The modules are built. To use them from any folder, in Octave:"
    echo "  addpath('$PWD/build/modules/octave')"
    ;;
  test)
    install_missing "${demo_packages[@]}" "${test_packages[@]}"
    configure -DSPARSEMEX_TESTS=ON -DSPARSEMEX_BENCH=ON
    cmake --build build -j "$(nproc)"
    (cd build && ctest --output-on-failure -j "$(nproc)")
    python/test_package.sh build
    ;;
  install)
    shift
    install_missing "$@"
    ;;
  *)
    echo "usage: $0 demo|test|install PACKAGE..." >&2
    exit 2
    ;;
esac
