# Copyright 2026 The sparsemex authors. SPDX-License-Identifier: BSD-3-Clause
"""tree_prox_rows of a 20000 x 1000 matrix on a LocalCluster of 1 and of 2 single-threaded
worker processes, against the in-memory call with threads=1.

    build/venv/bin/python bench/python/bench_dask.py [--rows 20000] [--repeat 5]

The matrix is made on the workers and kept there (persist), and so are the results, so the
times are those of the operator and of Dask's scheduling, not of moving data to the driver.
Prints the best of several runs of each, the speed-up of 2 workers over 1, and Dask's cost
per block (from the same work cut into more blocks, on 1 worker).
"""
import argparse
import time

import dask.array as da
import numpy as np
from distributed import Client, LocalCluster, get_task_stream, wait

import sparsemex
import sparsemex.dask as sdask

COLUMNS = 1000


def tree():
    """Groups of 10 columns, of 100, and all of them: 111 groups."""
    nodes = [(k, k + 10, 0.05) for k in range(0, COLUMNS, 10)]
    nodes += [(k, k + 100, 0.2) for k in range(0, COLUMNS, 100)]
    return sparsemex.Tree(nodes + [(0, COLUMNS, 1.0)], l1_weight=0.01)


def seeded_block(block, block_info=None):
    """Rows of normal values drawn from a seed of their own: the same matrix on any cluster."""
    first = block_info[None]["array-location"][0][0]
    # Fortran order, as the in-memory call reads a matrix without a copy.
    return np.asfortranarray(np.random.default_rng(first).normal(size=block.shape))


def matrix(rows, chunk):
    return da.zeros((rows, COLUMNS), chunks=(chunk, -1)).map_blocks(
        seeded_block, meta=np.empty((0, 0)))


def best(call, repeat):
    times = []
    for _ in range(repeat):
        start = time.perf_counter()
        call()
        times.append(time.perf_counter() - start)
    return min(times)


def on_cluster(workers, rows, chunks, repeat):
    """Per chunk size, the best time of tree_prox_rows on `workers` single-threaded workers,
    and how many workers were busy on average in that run (the tasks' compute time over
    the wall time): on a machine shared with other work, a task on 2 workers may take
    longer than on 1, and this tells the two apart."""
    with LocalCluster(n_workers=workers, threads_per_worker=1, processes=True,
                      host="127.0.0.1", dashboard_address=":0", silence_logs=40) as cluster, \
            Client(cluster) as client:
        times = {}
        for chunk in chunks:
            V = matrix(rows, chunk).persist()
            wait(V)
            client.rebalance(V)  # as many blocks on each worker

            runs = []
            for _ in range(repeat):
                with get_task_stream() as stream:
                    begin, start = time.time(), time.perf_counter()
                    wait(sdask.tree_prox_rows(V, tree()).persist())
                    wall, end = time.perf_counter() - start, time.time()
                # Compute time inside this run's window only (the stream may hold others').
                busy = sum(max(0.0, min(part["stop"], end) - max(part["start"], begin))
                           for task in stream.data for part in task["startstops"]
                           if part["action"] == "compute")
                runs.append((wall, busy / wall))
            times[chunk] = min(runs)
            del V
    return times


def main():
    parser = argparse.ArgumentParser()
    parser.add_argument("--rows", type=int, default=20000)
    parser.add_argument("--repeat", type=int, default=9)
    args = parser.parse_args()
    rows = args.rows
    V = np.asfortranarray(matrix(rows, rows).compute(scheduler="synchronous"))
    in_memory = best(lambda: sparsemex.tree_prox_rows(V, tree(), threads=1), args.repeat)
    chunk, small = rows // 20, rows // 200
    one = on_cluster(1, rows, (chunk, small), args.repeat)
    two = on_cluster(2, rows, (chunk,), args.repeat)
    per_block = (one[small][0] - one[chunk][0]) / (200 - 20)
    print("| tree_prox_rows, %d x %d | seconds | workers busy |" % (rows, COLUMNS))
    print("|---|---|---|")
    print("| in memory, threads=1 | %.3f | |" % in_memory)
    for name, (wall, busy) in (("1 worker, 20 blocks", one[chunk]),
                               ("1 worker, 200 blocks", one[small]),
                               ("2 workers, 20 blocks", two[chunk])):
        print("| LocalCluster, %s | %.3f | %.2f |" % (name, wall, busy))
    print()
    print("2 workers over 1: %.2f; over the in-memory call: %.2f" % (
        one[chunk][0] / two[chunk][0], in_memory / two[chunk][0]))
    print("cost per block: %.2f ms (20 -> 200 blocks on 1 worker)" % (per_block * 1e3))


if __name__ == "__main__":
    main()
