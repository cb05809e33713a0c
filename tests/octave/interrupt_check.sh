#!/usr/bin/env bash
# Copyright 2026 The sparsemex authors. SPDX-License-Identifier: BSD-3-Clause
# Ctrl-C during a long call in octave-cli: for each module, a child octave-cli starts a call
# that would run for many seconds, gets SIGINT a moment later, and must come back within a
# second with "<module>:interrupted", its session alive. SIGTERM ends a session during a call.
#   interrupt_check.sh <octave-cli> <folder of the Octave modules>
set -uo pipefail
octave=$1
modules=$2
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
failures=0

# check <module> <setup> <call>: the setup builds the data; the call runs once it is ready.
check() {
  local module=$1 setup=$2 call=$3
  local input=$work/input output=$work/output
  rm -f "$input" "$output"
  mkfifo "$input"
  "$octave" --norc --no-history --quiet <"$input" >"$output" 2>&1 &
  local pid=$!
  exec 3>"$input"
  echo "addpath('$modules'); $setup; disp('ready'); fflush(stdout);" >&3
  echo "try, $call; disp('finished'); catch e, disp(e.identifier); end" >&3
  echo "disp(['alive ' num2str(6 * 7)]); fflush(stdout);" >&3

  local waited=0
  until grep -q '^ready' "$output" 2>/dev/null; do
    sleep 0.1; waited=$((waited + 1))
    if [ $waited -gt 600 ]; then break; fi
  done
  sleep 1.5
  kill -INT "$pid"
  # Within a second: the error, then the next statement of the same session.
  local tenths=0
  until grep -q '^alive 42' "$output" 2>/dev/null || [ $tenths -ge 10 ]; do
    sleep 0.1; tenths=$((tenths + 1))
  done
  echo "exit" >&3
  exec 3>&-
  if grep -q "^$module:interrupted" "$output" && grep -q '^alive 42' "$output" &&
     [ $tenths -lt 10 ]; then
    echo "ok: $module interrupted, back in $((tenths * 100)) ms or less"
  else
    echo "FAILED: $module (waited $((tenths * 100)) ms); the session printed:"; cat "$output"
    failures=$((failures + 1))
  fi
  kill -KILL "$pid" 2>/dev/null
  wait "$pid" 2>/dev/null
}

check chainDescend "n = 400000; v = (n:-1:1)'" "chainDescend(v, n)"
# A chain of nested groups, each one position longer than the one inside it.
check criticalWeight "n = 80000; v = (1:n)'; ind = [ones(1, n); 1:n; ones(1, n)]" \
      "criticalWeight(v, n, ind, n)"
check criticalWeight_mt "n = 80000; V = (1:n); ind = [ones(1, n); 1:n; ones(1, n)]" \
      "criticalWeight_mt(V, 1, n, ind, n)"
check general_criticalWeight "n = 80000; v = (1:n)'; ind = [ones(1, n); 1:n; ones(1, n)]" \
      "general_criticalWeight(v, n, 1:n, ind, n)"
check precisionLasso "n = 120; A = randn(2 * n, n); S = A' * A / (2 * n); X = zeros(n); W = zeros(n)" \
      "precisionLasso(X, W, S, 0.01, 0, n, 1000, -1, 1e-13, 1e9, -1)"
# A path of increasing values: every node merges with the block below it.
tree="$work/path.txt"
check isoHier "n = 8000000; f = fopen('$tree', 'w'); fprintf(f, '%d 1 %d\n', [1:n-1; 2:n]); fclose(f); v = (1:n)'" \
      "isoHier('$tree', v, 1, n)"

# SIGTERM ends the session, also during a call that would not end by itself.
(cd "$work" && exec "$octave" --norc --no-history --quiet --eval \
  "addpath('$modules'); n = 120; A = randn(2 * n, n); S = A' * A / (2 * n); X = zeros(n); W = zeros(n); precisionLasso(X, W, S, 0.01, 0, n, 1000, -1, 1e-13, 1e9, -1)" \
  >"$work/term" 2>&1) &
term=$!
sleep 3
kill -TERM "$term"
sleep 1
if kill -0 "$term" 2>/dev/null; then
  echo "FAILED: precisionLasso kept running after SIGTERM"
  failures=$((failures + 1))
  kill -KILL "$term"
else
  echo "ok: SIGTERM ended the session during precisionLasso"
fi
wait "$term" 2>/dev/null

echo "$((7 - failures)) passed, $failures failed"
[ $failures -eq 0 ]
