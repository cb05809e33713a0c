#!/usr/bin/env bash
# Copyright 2026 The sparsemex authors. SPDX-License-Identifier: BSD-3-Clause
# Ctrl-C during a long call in octave-cli, for every module whose call can run for seconds.
#
# For each case a child octave-cli builds the data, starts a call sized to run for several
# seconds more, and gets SIGINT a second into it. The call must fail with
# "<module>:interrupted" soon after the signal, and the session must go on with its next
# statement. The time from the signal to the error is printed; the check allows a second for
# it, far above what the polls need (milliseconds) and far below what the calls would still
# run, so that a loaded machine cannot make it fail and a call that ignores Ctrl-C cannot pass.
# SIGTERM ends a session during a call, and a FIFO given as a tree description file is refused
# rather than waited on.
#   interrupt_check.sh <octave-cli> <folder of the Octave modules>
#
# THREADED_CASES_THREADS sets SPARSEMEX_THREADS for the row- and group-wise modules (default
# 2: the calling thread polls while the other works, and stops it at its next poll).
set -uo pipefail
octave=$1
modules=$2
threaded_threads=${THREADED_CASES_THREADS:-2}
limit_ms=1000
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
# A session that crashed must fail its case, not end this script when it is written to.
trap '' PIPE
passed=0
failures=0

now() { date +%s.%N; }

# check <module> <threads> <setup> <call>: the setup builds the data; the call runs once the
# session has said it is ready. <threads> is SPARSEMEX_THREADS for the session ('' for unset).
# A call that answered with its identifier but late is tried once more, since other work on
# the machine can hold up a session for a while; one that ignores Ctrl-C fails both times.
check() {
  local outcome
  for attempt in 1 2; do
    run_case "$@"
    outcome=$?
    [ $outcome -eq 2 ] && [ $attempt -eq 1 ] && { echo "once more: $1"; continue; }
    break
  done
  if [ $outcome -eq 0 ]; then passed=$((passed + 1)); else failures=$((failures + 1)); fi
}

# run_case <module> <threads> <setup> <call>: 0 when the call answered in time, 2 when it
# answered with its identifier but late, 1 otherwise.
run_case() {
  local module=$1 threads=$2 setup=$3 call=$4
  local input=$work/input output=$work/output
  rm -f "$input" "$output"
  mkfifo "$input"
  if [ -n "$threads" ]; then
    SPARSEMEX_THREADS=$threads "$octave" --norc --no-history --quiet <"$input" >"$output" 2>&1 &
  else
    "$octave" --norc --no-history --quiet <"$input" >"$output" 2>&1 &
  fi
  local pid=$!
  exec 3>"$input"
  echo "addpath('$modules'); $setup; disp('ready'); fflush(stdout);" >&3
  echo "try, $call; disp('finished'); catch e, printf('%s %.6f\n', e.identifier, time()); end" >&3
  echo "disp(['alive ' num2str(6 * 7)]); fflush(stdout);" >&3

  local waited=0
  until grep -q '^ready' "$output" 2>/dev/null; do
    sleep 0.1; waited=$((waited + 1))
    if [ $waited -gt 1200 ]; then break; fi
  done
  sleep 1
  local sent
  sent=$(now)
  kill -INT "$pid"
  # The error, then the next statement of the same session; a call that ignores the signal
  # is given a few seconds before the session is ended.
  local tenths=0
  until grep -q '^alive 42' "$output" 2>/dev/null || [ $tenths -ge 50 ]; do
    sleep 0.1; tenths=$((tenths + 1))
  done
  echo "exit" >&3
  exec 3>&-
  local answered elapsed_ms=''
  answered=$(awk -v id="$module:interrupted" '$1 == id { print $2 }' "$output")
  if [ -n "$answered" ]; then
    elapsed_ms=$(awk -v a="$answered" -v s="$sent" 'BEGIN { printf "%d", (a - s) * 1000 }')
  fi
  local outcome=1
  if [ -n "$elapsed_ms" ] && grep -q '^alive 42' "$output"; then
    if [ "$elapsed_ms" -le "$limit_ms" ]; then outcome=0; else outcome=2; fi
  fi
  if [ $outcome -eq 0 ]; then
    echo "ok: $module interrupted ${elapsed_ms} ms after the signal"
  elif [ $outcome -eq 2 ]; then
    echo "late: $module interrupted ${elapsed_ms} ms after the signal (limit ${limit_ms} ms)"
  else
    echo "FAILED: $module (${elapsed_ms:-no} ms after the signal); the session printed:"
    cat "$output"
  fi
  kill -KILL "$pid" 2>/dev/null
  wait "$pid" 2>/dev/null
  return $outcome
}

# Nested groups, each one position longer than the one inside it: a pass of the operator
# over them touches n^2/2 entries.
nested="ind = [ones(1, n); 1:n; ones(1, n)]"
# Octave's randn, seeded, so that every run times the same data.
seeded="randn('state', 42)"

check chainDescend '' "n = 400000; v = (n:-1:1)'" "chainDescend(v, n)"

check treeprox '' "n = 150000; v = ones(n, 1); $nested" "treeprox(v, n, ind, n)"
check penaltyValue '' "n = 150000; v = ones(n, 1); $nested" "penaltyValue(v, n, ind, n)"
check groupRatioCeiling '' "n = 150000; v = ones(n, 1); $nested" "groupRatioCeiling(v, n, ind, n)"
check criticalWeight '' "n = 80000; v = (1:n)'; $nested" "criticalWeight(v, n, ind, n)"
check treeprox_mt "$threaded_threads" "n = 30000; V = ones(32, n); $nested" \
      "treeprox_mt(V, 32, n, ind, n)"
check criticalWeight_mt "$threaded_threads" "n = 20000; V = repmat(1:n, 8, 1); $nested" \
      "criticalWeight_mt(V, 8, n, ind, n)"

check general_treeprox '' "n = 150000; v = ones(n, 1); $nested" \
      "general_treeprox(v, n, 1:n, ind, n)"
check general_penaltyValue '' "n = 150000; v = ones(n, 1); $nested" \
      "general_penaltyValue(v, n, 1:n, ind, n)"
check general_criticalWeight '' "n = 80000; v = (1:n)'; $nested" \
      "general_criticalWeight(v, n, 1:n, ind, n)"
check general_treeprox_mt "$threaded_threads" "n = 30000; V = ones(32, n); $nested" \
      "general_treeprox_mt(V, 32, n, 1:n, ind, n)"
check general_criticalWeight_mt "$threaded_threads" "n = 20000; V = repmat(1:n, 8, 1); $nested" \
      "general_criticalWeight_mt(V, 8, n, 1:n, ind, n)"

# A p other than 1, 2 and infinity: a bisection with a root finding per element and step.
check powerShadow '' "$seeded; n = 2e6; v = randn(n, 1)" "powerShadow(v, n, 10, 3, 0)"
check powerShadowVector "$threaded_threads" "$seeded; n = 2e6; v = randn(n, 1); b = 0:1000:n" \
      "powerShadowVector(v, b, 2000, n, 10 * ones(2000, 1), 3)"
check powerShadowMatrix "$threaded_threads" "$seeded; m = 2e5; V = randn(m, 10)" \
      "powerShadowMatrix(V, m, 10, 1, 3)"
# Every other group is the whole vector: g/2 passes over it, on one thread (groups that
# overlap keep the order of one thread).
check powerShadowVectorR "$threaded_threads" \
      "$seeded; n = 1e6; g = 20000; v = randn(n, 1); c = zeros(g, 1);
       b = repmat([0; n], g / 2 + 1, 1)(1:g + 1)" \
      "powerShadowVectorR(v, c, b, n, g)"

covariance="n = 120; A = randn(2 * n, n); S = A' * A / (2 * n); X = zeros(n); W = zeros(n)"
check precisionLasso '' "$covariance" \
      "precisionLasso(X, W, S, 0.01, 0, n, 1000, -1, 1e-13, 1e9, -1)"

# A path of increasing values: every node merges with the block below it.
tree="$work/path.txt"
path_file="n = 8000000; f = fopen('$tree', 'w'); fprintf(f, '%d 1 %d\n', [1:n-1; 2:n]);
           fclose(f); v = (1:n)'"
check isoHier '' "$path_file" "isoHier('$tree', v, 1, n)"
check isoHier_without_nonnegative '' "$path_file" "isoHier_without_nonnegative('$tree', v, 1, n)"
# Increasing values: every parent merges with its children, the star's root with all nodes.
check isoHierBinary '' "n = 16000000; v = (1:n)'" "isoHierBinary(v, n)"
check isoHierDepth1 '' "n = 16000000; v = (1:n)'" "isoHierDepth1(v, n)"

# A description file that is a FIFO without a writer is refused at once: opened to be read
# like a file, it would keep the session waiting for a writer, deaf to Ctrl-C.
fifo=$work/fifo
mkfifo "$fifo"
read_fifo="try, isoHier('$fifo', ones(5, 1), 1, 5); catch e, printf('\n%s\n', e.identifier); end"
if timeout -s KILL 120 "$octave" --norc --no-history --quiet \
     --eval "addpath('$modules'); $read_fifo" 2>&1 | grep -q '^isoHier:notRegularFile'; then
  echo "ok: isoHier refused a FIFO"
  passed=$((passed + 1))
else
  echo "FAILED: isoHier did not refuse a FIFO with isoHier:notRegularFile"
  failures=$((failures + 1))
fi

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
  passed=$((passed + 1))
fi
wait "$term" 2>/dev/null

echo "$passed passed, $failures failed"
[ $failures -eq 0 ]
