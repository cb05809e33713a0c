# Copyright 2026 The sparsemex authors. SPDX-License-Identifier: BSD-3-Clause
"""Side-by-side timings of the Python package and its peers, in one process.

    build/venv/bin/python bench/python/bench_python.py [--quick]

Prints a Markdown table per comparison: the best of several runs of each side, and the ratio
of ours to the peer's (below 1: ours is faster).
"""
import argparse
import pathlib
import time
import warnings

import numpy as np

import sparsemex
from sparsemex import _core
from sparsemex._call import new_matrix

DATA = pathlib.Path(__file__).resolve().parents[2] / "examples" / "data"


def best_time(call, repeat=5, least=0.2):
    """The best per-call time of `call` over `repeat` rounds of at least `least` seconds."""
    call()
    number = 1
    while True:
        start = time.perf_counter()
        for _ in range(number):
            call()
        spent = time.perf_counter() - start
        if spent >= least / 5 or number >= 1 << 20:
            break
        number *= 4
    rounds = []
    for _ in range(repeat):
        start = time.perf_counter()
        for _ in range(number):
            call()
        rounds.append((time.perf_counter() - start) / number)
    return min(rounds)


def table(title, header, rows):
    print("\n### " + title + "\n")
    print("| " + " | ".join(header) + " |")
    print("|" + "---|" * len(header))
    for row in rows:
        print("| " + " | ".join(row) + " |")


def milliseconds(seconds):
    return "%.3g ms" % (seconds * 1e3)


def sorted_l1_projection(v, radius):
    a = np.abs(v)
    if a.sum() <= radius:
        return v.copy()
    u = np.sort(a)[::-1]
    cumulative = np.cumsum(u) - radius
    k = np.nonzero(u > cumulative / np.arange(1, a.size + 1))[0][-1]
    return np.sign(v) * np.maximum(a - cumulative[k] / (k + 1), 0)


def bench_l1(sizes, rng):
    rows = []
    for n in sizes:
        v = rng.normal(size=int(n))
        ours = best_time(lambda: sparsemex.project_l1_ball(v, 1.0, threads=1))
        peer = best_time(lambda: sorted_l1_projection(v, 1.0))
        rows.append(["%g" % n, milliseconds(ours), milliseconds(peer), "%.3f" % (ours / peer)])
    table("project_l1_ball against a NumPy sort-based projection (radius 1, normal data)",
          ["n", "project_l1_ball", "NumPy sort", "ratio"], rows)


def bench_chain(sizes, rng):
    from sklearn.isotonic import isotonic_regression
    rows = []
    for n in sizes:
        v = np.cumsum(rng.normal(size=int(n)))[::-1].copy()
        ours = best_time(lambda: sparsemex.isotonic_chain(v, threads=1), repeat=3)
        peer = best_time(lambda: np.maximum(isotonic_regression(v, increasing=False), 0),
                         repeat=3)
        rows.append(["%g" % n, milliseconds(ours), milliseconds(peer), "%.3f" % (ours / peer)])
    table("isotonic_chain against scikit-learn's isotonic_regression(increasing=False) "
          "clipped at 0 (a random walk, reversed)",
          ["n", "isotonic_chain", "scikit-learn", "ratio"], rows)


def violation(S, precision, alpha):
    """The largest violation of the optimality conditions of
    max log det X - tr(S X) - alpha sum |X_ij| at X = precision."""
    gradient = np.linalg.inv(precision) - S
    on = precision != 0
    inside = np.where(on, np.abs(gradient - alpha * np.sign(precision)),
                      np.maximum(np.abs(gradient) - alpha, 0))
    return inside.max()


def correlation_of(data):
    S = np.cov(data, rowvar=False)
    d = np.sqrt(np.diag(S))
    return S / np.outer(d, d)


def csv_matrix(name, skip_columns):
    text = np.genfromtxt(DATA / name, delimiter=",", skip_header=1, dtype=float)
    return text[:, skip_columns:]


def bench_graphical_lasso(sizes, rng):
    from sklearn.covariance import graphical_lasso
    problems = []
    for p in sizes:
        data = rng.normal(size=(2 * p, p)) @ np.diag(rng.uniform(0.5, 2, size=p))
        data[:, 1:] += 0.5 * data[:, :-1]
        problems.append(("random, p = %d" % p, correlation_of(data), 0.1))
    for name, skip in (("mtcars.csv", 1), ("swiss.csv", 1), ("airquality.csv", 0)):
        problems.append((name.replace(".csv", "") + " (correlation)",
                         correlation_of(csv_matrix(name, skip)), 0.1))
    rows = []
    for label, S, alpha in problems:
        p = S.shape[0]
        ours_call = lambda: sparsemex.graphical_lasso(S, alpha, tol_x=1e-6, tol_outer=1e-6,
                                                      max_outer=200, threads=1)
        # scikit-learn leaves the diagonal unpenalised: the same problem is its problem on
        # S + alpha I.
        shifted = S + alpha * np.eye(p)
        peer_call = lambda: graphical_lasso(shifted, alpha, mode="cd", tol=1e-4, max_iter=200)
        with warnings.catch_warnings():
            warnings.simplefilter("ignore")
            repeat = 3 if p <= 200 else 1
            ours = best_time(ours_call, repeat=repeat, least=0.05)
            peer = best_time(peer_call, repeat=repeat, least=0.05)
            ours_violation = violation(S, ours_call().precision, alpha)
            peer_violation = violation(S, peer_call()[1], alpha)
        rows.append([label, milliseconds(ours), milliseconds(peer), "%.3f" % (ours / peer),
                     "%.1e" % ours_violation, "%.1e" % peer_violation])
    table("graphical_lasso against scikit-learn's graphical_lasso (mode 'cd', tol 1e-4), "
          "alpha = 0.1 on correlation matrices",
          ["problem", "graphical_lasso", "scikit-learn", "ratio", "violation (ours)",
           "violation (scikit-learn)"], rows)


def bench_overhead(rng):
    small = rng.normal(size=10)
    ufunc = best_time(lambda: np.negative(small))
    rows = [["np.negative (the yardstick)", "%.2f us" % (ufunc * 1e6), ""]]
    for label, call in (
            ("project_l1_ball", lambda: sparsemex.project_l1_ball(small, 1.0)),
            ("isotonic_chain", lambda: sparsemex.isotonic_chain(small)),
            ("mex.simplexShadow", lambda: sparsemex.mex.simplexShadow(small, 10, 1.0, 0.0))):
        spent = best_time(call)
        rows.append([label, "%.2f us" % (spent * 1e6), "%+.2f us" % ((spent - ufunc) * 1e6)])
    table("Call overhead at n = 10", ["call", "time", "above the ufunc"], rows)

    n = 10 ** 7
    big = rng.normal(size=n)
    root, steps = np.zeros(1), np.zeros(1, dtype=np.int32)
    # The core alone: the routine writing a fresh zero-filled output, as in a module.
    core = best_time(lambda: _core.simplexShadow((new_matrix(n, 1), root, steps, big, n, 1.0,
                                                  0.0), 1), repeat=7)
    whole = best_time(lambda: sparsemex.project_l1_ball(big, 1.0, threads=1), repeat=7)
    table("At n = 1e7: project_l1_ball against the core alone",
          ["core alone", "project_l1_ball", "ratio"],
          [[milliseconds(core), milliseconds(whole), "%.3f" % (whole / core)]])


def main():
    parser = argparse.ArgumentParser(description=__doc__)
    parser.add_argument("--quick", action="store_true", help="the smaller sizes only")
    quick = parser.parse_args().quick
    rng = np.random.default_rng(2026)
    bench_overhead(rng)
    bench_l1([1e3, 1e4, 1e5] if quick else [1e3, 1e4, 1e5, 1e6, 1e7], rng)
    bench_chain([1e5] if quick else [1e5, 1e6, 1e7], rng)
    bench_graphical_lasso([100] if quick else [100, 200, 500], rng)


if __name__ == "__main__":
    main()
