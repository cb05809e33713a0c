# Copyright 2026 The sparsemex authors. SPDX-License-Identifier: BSD-3-Clause
"""Proximal steps of a multi-task model too large for one worker, on a cluster.

A matrix of 100000 tasks (rows) by 400 features, 320 MB, built block by block from seeds on
the workers of a LocalCluster of 2 worker processes given 300 MB each, so that no worker
ever holds it: the proximal operators of a tree-structured penalty (tree_prox_rows) and of a
group lasso (prox_lp_rows, p = 2), how many tasks each keeps, the weight at which the tree
penalty zeroes every task (tree_critical_weight_rows), and the row norms, shown with Dask's
progress bar. Only small results reach this process. Checked against the in-memory
functions on a slice of rows that crosses a block boundary, bit for bit, and the critical
weight against its definition on that slice.

    python examples/python/multitask_dask.py [picture folder]

On a cluster, Client("<scheduler address>") replaces the LocalCluster; nothing else changes.
"""
import matplotlib

matplotlib.use("Agg")
import dask.array as da  # noqa: E402
import matplotlib.pyplot as plt  # noqa: E402
import numpy as np  # noqa: E402
from distributed import Client, LocalCluster, progress  # noqa: E402

import sparsemex  # noqa: E402
import sparsemex.dask as sdask  # noqa: E402
from example_support import save_figure  # noqa: E402

TASKS, FEATURES, BLOCK = 100000, 400, 4000


def seeded_rows(block, block_info=None):
    """The rows of a block, drawn from a seed of their own (the block's first row)."""
    first = block_info[None]["array-location"][0][0] if block_info else 0
    rng = np.random.default_rng(first)
    strength = rng.uniform(0.05, 1.0, size=(block.shape[0], 1))
    return np.asfortranarray(rng.normal(size=block.shape) * strength)


def tasks_matrix():
    return da.zeros((TASKS, FEATURES), chunks=(BLOCK, -1)).map_blocks(
        seeded_rows, meta=np.empty((0, 0)))


def in_memory_rows(first, stop):
    """Rows first..stop-1, made here as the workers make them."""
    blocks = range(first // BLOCK * BLOCK, stop, BLOCK)
    rows = np.vstack([seeded_rows(np.empty((BLOCK, FEATURES)), {None: {
        "array-location": [(start, start + BLOCK)]}}) for start in blocks])
    return rows[first - blocks[0]:stop - blocks[0]]


def tree():
    """Features in groups of 10, of 50, and all of them, with an L1 term."""
    nodes = [(k, k + 10, 0.4) for k in range(0, FEATURES, 10)]
    nodes += [(k, k + 50, 1.5) for k in range(0, FEATURES, 50)]
    return sparsemex.Tree(nodes + [(0, FEATURES, 5.0)], l1_weight=0.1)


def kept(X):
    return (X != 0).any(axis=1).sum()


def main():
    with LocalCluster(n_workers=2, threads_per_worker=1, processes=True, host="127.0.0.1",
                      dashboard_address=":0", memory_limit="300MB", silence_logs=40) as cluster, \
            Client(cluster) as client:
        V, penalty = tasks_matrix(), tree()
        X = sdask.tree_prox_rows(V, penalty)
        Y = sdask.prox_lp_rows(V, 12.0, 2)
        critical = sdask.tree_critical_weight_rows(V, penalty)
        first, stop = BLOCK - 40, BLOCK + 40
        results = client.compute([kept(X), kept(Y), critical, da.linalg.norm(V, axis=1),
                                  da.linalg.norm(X, axis=1), X[first:stop], Y[first:stop]])
        progress(results)
        kept_tree, kept_group, critical, norms_V, norms_X, X_slice, Y_slice = \
            client.gather(results)

    print()
    print("%d tasks by %d features (%.0f MB), 2 workers of 300 MB" % (
        TASKS, FEATURES, TASKS * FEATURES * 8 / 1e6))
    print("tasks kept by the tree penalty: %d, by the group lasso: %d" % (kept_tree, kept_group))
    print("weight scale that zeroes every task: %.6g" % critical)

    V_slice = in_memory_rows(first, stop)
    same = (np.array_equal(X_slice.view(np.uint64), sparsemex.tree_prox_rows(
        V_slice, penalty).view(np.uint64)) and np.array_equal(Y_slice.view(np.uint64),
        sparsemex.prox_lp_rows(V_slice, 12.0, 2).view(np.uint64)))
    print("rows %d to %d, against the in-memory functions: %s" % (
        first + 1, stop, "the same bits" if same else "DIFFERENT"))
    ind, G = penalty.matlab()
    ind[2] *= critical
    zero = not sparsemex.tree_prox_rows(V_slice, sparsemex.Tree.from_matlab(ind, G)).any()
    below = sparsemex.tree_critical_weight_rows(V_slice, penalty) <= critical
    print("at that scale the slice's tasks are zero: %s; its own critical weight is at most it: %s"
          % (zero, below))

    figure, axes = plt.subplots(figsize=(6, 3.5))
    bins = np.linspace(0, norms_V.max(), 80)
    axes.hist(norms_V, bins=bins, alpha=0.6, label="tasks")
    axes.hist(norms_X[norms_X > 0], bins=bins, alpha=0.6, label="after tree_prox_rows (kept)")
    axes.set_xlabel("Euclidean norm of a task's row")
    axes.set_ylabel("tasks")
    axes.set_yscale("log")
    axes.legend(loc="lower left")
    save_figure(figure, "multitask_dask")
    if not (same and zero and below and 0 < kept_tree < TASKS and 0 < kept_group < TASKS):
        raise SystemExit("check failed")
    print("check passed")


# Worker processes start by importing this file: only the main process runs the example.
if __name__ == "__main__":
    main()
