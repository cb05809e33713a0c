#!/usr/bin/env bash
# Copyright 2026 The sparsemex authors. SPDX-License-Identifier: BSD-3-Clause
# Side-by-side figures of precisionLasso and a peer, R's glasso package, on the problems of
# bench_precision. Needs R with glasso (on Debian: apt-get install r-base-core
# r-cran-glasso); neither the build nor the tests use them.
#   bench/precision_peer.sh [build folder, default build]
set -euo pipefail
here="$(cd "$(dirname "$0")" && pwd)"
build="${1:-build}"
bench="$build/bench/bench_precision"
command -v Rscript >/dev/null || { echo "Rscript not found: install r-base-core r-cran-glasso" >&2; exit 1; }
[ -x "$bench" ] || { echo "$bench not found: build with Google Benchmark first" >&2; exit 1; }

folder="$(mktemp -d)"
trap 'rm -rf "$folder"' EXIT
"$bench" --write-problems "$folder"
"$bench" --benchmark_filter=PrecisionLasso --benchmark_min_time=0.1 \
  --benchmark_format=csv > "$folder/ours.csv" 2>/dev/null
# The CSV has a header line of its own; drop anything the library printed before it.
sed -i -n '/^name,/,$p' "$folder/ours.csv"
Rscript "$here/precision_peer.R" "$folder" "$folder/ours.csv"
