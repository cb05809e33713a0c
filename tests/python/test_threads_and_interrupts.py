# Copyright 2026 The sparsemex authors. SPDX-License-Identifier: BSD-3-Clause
"""Threads: the bits of one thread for every threads= count and under concurrent Python
threads; Ctrl-C stops a long call with KeyboardInterrupt."""
import subprocess
import sys
from concurrent.futures import ThreadPoolExecutor

import numpy as np
import pytest

import sparsemex
from conftest import same_bits


def _row_calls(V, tree, threads):
    """Every row-wise function, on inputs large enough to be split over threads."""
    t = np.linspace(-1, 1, V.shape[0])
    return [
        sparsemex.prox_lp_rows(V, 0.5, 3.0, threads=threads),
        sparsemex.prox_lp_rows(V, 0.5, np.inf, threads=threads),
        sparsemex.project_l12_ball(V, 5.0, threads=threads).X,
        sparsemex.prox_sparse_group_rows(V, 0.1, 0.4, threads=threads).X,
        sparsemex.project_cone_rows(V, t, threads=threads).x,
        sparsemex.tree_prox_rows(V, tree, threads=threads),
        np.array(sparsemex.tree_critical_weight_rows(V, tree, threads=threads)),
        sparsemex.prox_lp_groups(V[:, 0], np.arange(0, V.shape[0] + 1, 7), np.full(
            len(range(0, V.shape[0] + 1, 7)) - 1, 0.3), 3.0, threads=threads),
    ]


@pytest.fixture(scope="module")
def problem():
    rng = np.random.default_rng(7)
    V = rng.normal(size=(3000, 64))
    tree = sparsemex.Tree([(k, k + 8, 0.2) for k in range(0, 64, 8)] + [(0, 64, 0.5)],
                          l1_weight=0.05)
    return V, tree


def test_every_thread_count_gives_the_bits_of_one_thread(problem):
    V, tree = problem
    one = _row_calls(V, tree, 1)
    for threads in (2, 3, 7):
        for k, (a, b) in enumerate(zip(one, _row_calls(V, tree, threads))):
            assert same_bits(a, b), (threads, k)


def test_concurrent_python_threads_get_the_results_of_serial_calls(problem):
    V, tree = problem
    parts = [V[k::4] for k in range(4)]
    serial = [_row_calls(part, tree, 2) for part in parts] + \
        [[sparsemex.isotonic_chain(part[:, 0] * 100)] for part in parts]
    with ThreadPoolExecutor(max_workers=8) as pool:
        jobs = [pool.submit(_row_calls, part, tree, 2) for part in parts] + \
            [pool.submit(lambda p: [sparsemex.isotonic_chain(p[:, 0] * 100)], part)
             for part in parts]
        concurrent = [job.result() for job in jobs]
    for want, got in zip(serial, concurrent):
        assert all(same_bits(a, b) for a, b in zip(want, got))


def test_threads_must_be_positive(problem):
    with pytest.raises(ValueError):
        sparsemex.prox_lp_rows(problem[0], 0.5, 2, threads=0)


INTERRUPTED = """
import _thread, threading, numpy as np, sparsemex
rng = np.random.default_rng(3)
S = np.cov(rng.normal(size=(600, 300)), rowvar=False)
threading.Timer(0.5, _thread.interrupt_main).start()
try:
    sparsemex.graphical_lasso(S, 0.01, max_iter=10**6, tol_fun=-1, tol_x=-1,
                              max_outer=10**6, tol_outer=-1)
except KeyboardInterrupt:
    print("interrupted")
print(sparsemex.isotonic_chain(np.array([2.0, 1.0])))
"""


def test_ctrl_c_stops_a_long_call_with_keyboard_interrupt():
    # A call that would otherwise run for hours; the guard below only stops a broken build.
    done = subprocess.run([sys.executable, "-c", INTERRUPTED], capture_output=True, text=True,
                          timeout=600)
    assert done.stdout.split("\n")[:2] == ["interrupted", "[2. 1.]"], done.stderr
