# Copyright 2026 The sparsemex authors. SPDX-License-Identifier: BSD-3-Clause
"""tree_prox_rows of a 20000 x 1000 matrix on a LocalCluster of 1 and of 2 single-threaded
worker processes, against the in-memory call with threads=1 and against two plain processes
doing the same blocks without Dask.

    build/venv/bin/python bench/python/bench_dask.py [--rows 20000] [--repeat 5]

The matrix is made on the workers and kept there (persist), and so are the results, so the
times are those of the operator and of Dask's scheduling, not of moving data to the driver.
Prints the best of several runs of each (the in-memory call timed at the start and at the
end): in 8 blocks (4 per worker on 2 workers, 20 MB each) and in 20; the speed-ups of 2
workers over 1 and over the in-memory call; what two plain processes get on the same blocks
(the machine's own bound); and Dask's cost per block (from the same work cut into 200
blocks, on 1 worker).
"""
import argparse
import multiprocessing
import os
import time

import dask
import dask.array as da
import numpy as np
from distributed import Client, LocalCluster, wait

import sparsemex
import sparsemex.dask as sdask

COLUMNS = 1000
BLOCKS = 8          # a few blocks per worker, of 10 MB or more, as the README advises
MORE_BLOCKS = 20
MANY_BLOCKS = 200   # with MORE_BLOCKS, Dask's cost per block


def tree():
    """Groups of 10 columns, of 100, and all of them: 111 groups."""
    nodes = [(k, k + 10, 0.05) for k in range(0, COLUMNS, 10)]
    nodes += [(k, k + 100, 0.2) for k in range(0, COLUMNS, 100)]
    return sparsemex.Tree(nodes + [(0, COLUMNS, 1.0)], l1_weight=0.01)


def rows_from(first, count):
    """Rows of normal values drawn from a seed of their own: the same matrix on any cluster.
    Fortran order, as the in-memory call reads a matrix without a copy."""
    return np.asfortranarray(np.random.default_rng(first).normal(size=(count, COLUMNS)))


def seeded_block(block, block_info=None):
    return rows_from(block_info[None]["array-location"][0][0], block.shape[0])


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


def on_cluster(workers, rows, counts, repeat):
    """Per block count, (best time, workers busy in that run) of tree_prox_rows on `workers`
    single-threaded workers. Busy is the tasks' compute time over the wall time, how many
    workers were computing on average: on a machine shared with other work, a task on 2
    workers may take longer than on 1, and this tells the two apart."""
    with LocalCluster(n_workers=workers, threads_per_worker=1, processes=True,
                      host="127.0.0.1", dashboard_address=":0", silence_logs=40) as cluster, \
            Client(cluster) as client:
        client.get_task_stream(start=0, stop=0)  # the scheduler starts recording tasks
        times = {}
        addresses = sorted(client.scheduler_info()["workers"])
        for count in counts:
            # Blocks dealt to the workers in turn, as many on each (rebalance, which weighs
            # the workers' memory, may leave 11 and 9, and a task then moves with its block).
            with dask.annotate(workers=lambda key: addresses[key[1] % workers]):
                V = matrix(rows, -(-rows // count))
            V = V.persist(optimize_graph=False)  # optimizing could drop the annotation
            wait(V)

            runs = []
            for _ in range(repeat):
                start = time.perf_counter()
                X = sdask.tree_prox_rows(V, tree()).persist()
                wait(X)
                wall = time.perf_counter() - start
                busy = compute_time(client, X) / wall
                # Tasks are timed on the wall clock, which the system may step mid-run.
                runs.append((wall, busy if busy <= workers * 1.01 else None))
                del X
            times[count] = min(runs, key=lambda run: run[0])
            del V
    return times


def compute_time(client, X):
    """The compute time of X's tasks, found by their keys among the last tasks recorded: the
    record is not in time order across workers, so a time window may miss some or take in
    those of another run."""
    count = X.numblocks[0]
    tasks = [task for task in client.get_task_stream(count=4 * count) if X.name in task["key"]]
    assert len(tasks) == count, "%d of the %d tasks recorded" % (len(tasks), count)
    return sum(part["stop"] - part["start"] for task in tasks for part in task["startstops"]
               if part["action"] == "compute")


def _plain_process(rows, count, half, start, times):
    """Every other block of rows from `half` on, with the in-memory call, once per round."""
    size = -(-rows // count)
    blocks = [rows_from(first, min(size, rows - first)) for first in range(0, rows, size)]
    mine = blocks[half::2]
    the_tree = tree()
    while True:
        start.wait(timeout=300)
        began = time.perf_counter()
        results = [sparsemex.tree_prox_rows(block, the_tree, threads=1) for block in mine]
        times.put(time.perf_counter() - began)
        results.clear()  # kept until all are done, as a worker keeps its results


def plain_processes(rows, count, repeat):
    """The best time of two plain processes started together, each doing half of the blocks
    with the in-memory call (the slower of the two), with the environment Dask gives its
    workers (its allocator settings among them): what this machine allows for that work."""
    context = multiprocessing.get_context("spawn")
    start, times = context.Barrier(3), context.Queue()
    environ = {key: str(value) for key, value in
               dask.config.get("distributed.nanny.pre-spawn-environ", {}).items()}
    kept = {key: os.environ.get(key) for key in environ}
    os.environ.update(environ)
    try:
        processes = [context.Process(target=_plain_process, daemon=True,
                                     args=(rows, count, half, start, times)) for half in (0, 1)]
        for process in processes:
            process.start()
    finally:
        for key, value in kept.items():
            if value is None:
                del os.environ[key]
            else:
                os.environ[key] = value
    rounds = []
    for _ in range(repeat + 1):  # the first round waits for the processes to make their data
        start.wait(timeout=300)
        rounds.append(max(times.get(timeout=300), times.get(timeout=300)))
    for process in processes:
        process.terminate()
    return min(rounds[1:])


def main():
    parser = argparse.ArgumentParser()
    parser.add_argument("--rows", type=int, default=20000)
    parser.add_argument("--repeat", type=int, default=9)
    args = parser.parse_args()
    rows = args.rows
    V = np.asfortranarray(matrix(rows, rows).compute(scheduler="synchronous"))

    def in_memory_time():
        return best(lambda: sparsemex.tree_prox_rows(V, tree(), threads=1), args.repeat)

    # Timed first and last, the better kept: a burst of other work at one end of the bench
    # then makes the speed-ups smaller, not larger.
    first = in_memory_time()
    plain = plain_processes(rows, BLOCKS, args.repeat)
    one = on_cluster(1, rows, (BLOCKS, MORE_BLOCKS, MANY_BLOCKS), args.repeat)
    two = on_cluster(2, rows, (BLOCKS, MORE_BLOCKS), args.repeat)
    last = in_memory_time()
    in_memory = min(first, last)
    per_block = (one[MANY_BLOCKS][0] - one[MORE_BLOCKS][0]) / (MANY_BLOCKS - MORE_BLOCKS)
    print("| tree_prox_rows, %d x %d | seconds | workers busy |" % (rows, COLUMNS))
    print("|---|---|---|")
    print("| in memory, threads=1 | %.3f | |" % in_memory)
    print("| 2 plain processes (no Dask), %d blocks | %.3f | |" % (BLOCKS, plain))
    runs = [("1 worker, %d blocks" % count, one[count]) for count in one]
    runs += [("2 workers, %d blocks" % count, two[count]) for count in two]
    for name, (wall, busy) in runs:
        busy = "" if busy is None else "%.2f" % busy
        print("| LocalCluster, %s | %.3f | %s |" % (name, wall, busy))
    print()
    for count in two:
        print("%d blocks: 2 workers over 1: %.2f; over the in-memory call: %.2f" % (
            count, one[count][0] / two[count][0], in_memory / two[count][0]))
    print("2 plain processes over the in-memory call: %.2f" % (in_memory / plain))
    print("in memory at the start and at the end: %.3f, %.3f" % (first, last))
    print("cost per block: %.2f ms (%d -> %d blocks on 1 worker)" % (
        per_block * 1e3, MORE_BLOCKS, MANY_BLOCKS))


if __name__ == "__main__":
    main()
