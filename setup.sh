#!/usr/bin/env bash
# Copyright 2026 The sparsemex authors. SPDX-License-Identifier: BSD-3-Clause
# Sets up a Debian machine for the library, builds every module and then
#   ./setup.sh demo   runs the demo in octave-cli
#   ./setup.sh test   runs the whole test suite (unit, gateway, Octave and Python layers)
#   ./setup.sh install PACKAGE...   only installs those packages if they are missing
# Installing missing packages needs root (or sudo).
set -euo pipefail
cd "$(dirname "$0")"

# gnuplot-nox and the font Octave draws text with: the examples' pictures, without a screen.
# The Python package: pybind11, NumPy and the tests' references (scikit-learn, Dask).
packages=(cmake make g++ googletest libgtest-dev libbenchmark-dev octave liboctave-dev
          gnuplot-nox fonts-freefont-otf
          python3-venv python3-pip python3-setuptools python3-wheel python3-build
          python3-pybind11 pybind11-dev python3-numpy python3-pytest python3-hypothesis
          python3-sklearn python3-dask python3-distributed python3-matplotlib)

install_missing() {
  local missing=()
  for package in "${packages[@]}"; do
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
    apt-get install -y -q --no-install-recommends "${missing[@]}"
}

build() {
  cmake -S . -B build -DCMAKE_BUILD_TYPE=Release
  cmake --build build -j "$(nproc)"
}

case "${1:-}" in
  demo)
    install_missing
    build
    octave-cli --norc --no-history --quiet \
      --eval "addpath('$PWD/build/modules/octave'); run('$PWD/examples/l1_ball_regression.m')"
    ;;
  test)
    install_missing
    build
    (cd build && ctest --output-on-failure -j "$(nproc)")
    python/test_package.sh build
    ;;
  install)
    shift
    packages=("$@")
    install_missing
    ;;
  *)
    echo "usage: $0 demo|test|install PACKAGE..." >&2
    exit 2
    ;;
esac
