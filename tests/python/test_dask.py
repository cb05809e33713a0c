# Copyright 2026 The sparsemex authors. SPDX-License-Identifier: BSD-3-Clause
"""sparsemex.dask against the in-memory functions, bit for bit, for any chunking of the rows;
nothing runs before compute; errors at call time and from inside tasks; a real cluster."""
import doctest
import pickle

import numpy as np
import pytest

da = pytest.importorskip("dask.array")
import dask  # noqa: E402

import sparsemex  # noqa: E402
import sparsemex.dask as sdask  # noqa: E402
from conftest import same_bits  # noqa: E402
from sparsemex.dask import l12, rows  # noqa: E402

# Row chunkings of a 23-row matrix: one-row blocks, an uneven last block, one block, and
# blocks that also split the columns (joined before the tasks run).
CHUNKINGS = [(1, -1), (5, -1), (-1, -1), (9, 4)]


def _tasks(rng, m=23, n=12):
    V = rng.normal(size=(m, n)) * rng.uniform(0.2, 3.0, size=(m, 1))
    V[3] = 0.0
    trees = [sparsemex.Tree([(0, 4, 0.3), (4, 9, 0.5), (0, n, 0.8)], l1_weight=0.1),
             sparsemex.Tree([(0, 3, 0.4), (0, 6, 0.9)], index_list=rng.permutation(n))]
    return V, trees


def _pairs(V, X, trees):
    """(what sparsemex.dask gives on X, what the in-memory call gives on V), per function."""
    t = np.abs(V[:, :1]).sum(axis=1) - 1.0
    for tree in trees:
        yield sdask.tree_prox_rows(X, tree), sparsemex.tree_prox_rows(V, tree)
        yield (sdask.tree_critical_weight_rows(X, tree),
               sparsemex.tree_critical_weight_rows(V, tree))
    for p in (1, 2, 3.5, np.inf):
        yield sdask.prox_lp_rows(X, 0.7, p), sparsemex.prox_lp_rows(V, 0.7, p)
    yield tuple(sdask.project_cone_rows(X, t)), tuple(sparsemex.project_cone_rows(V, t))
    for norm in (2, np.inf):
        yield (tuple(sdask.prox_sparse_group_rows(X, 0.2, 1.5, norm)),
               tuple(sparsemex.prox_sparse_group_rows(V, 0.2, 1.5, norm)))
    for radius, start in ((3.0, 0.0), (0.0, 0.5), (1e9, 0.0)):
        yield (tuple(sdask.project_l12_ball(X, radius, start)),
               tuple(sparsemex.project_l12_ball(V, radius, start)))


def _assert_pairs(V, X, trees, compute=dask.compute):
    pairs = list(_pairs(V, X, trees))
    computed = compute(*[got for got, _ in pairs])
    for k, (got, (_, want)) in enumerate(zip(computed, pairs)):
        got, want = (got, want) if isinstance(want, tuple) else ((got,), (want,))
        assert len(got) == len(want), k
        for a, b in zip(got, want):
            assert same_bits(a, b), k


@pytest.mark.parametrize("chunks", CHUNKINGS)
def test_every_function_has_the_in_memory_bits_for_any_chunking(rng, chunks):
    V, trees = _tasks(rng)
    with dask.config.set(scheduler="synchronous"):
        _assert_pairs(V, da.from_array(V, chunks=chunks), trees)


@pytest.mark.parametrize("shape", [(0, 4), (5, 0), (0, 0)])
def test_empty_matrices_as_in_memory(shape):
    V = np.zeros(shape)
    with dask.config.set(scheduler="synchronous"):
        _assert_pairs(V, da.from_array(V, chunks=(2, -1)), [sparsemex.Tree([], l1_weight=0.1)])


@pytest.mark.parametrize("n", [0, 3, 5, 7, 11])
def test_sparse_group_norms_are_continued_over_blocks_in_row_order(rng, n):
    # Every n mod 5 of the grouped sums, and rows of very different lengths, where a sum
    # split into partial sums would round otherwise.
    V = rng.normal(size=(40, n)) * np.logspace(-3, 3, 40)[:, None]
    for weight, row_weight in ((0.0, 0.0), (0.3, 2.0)):
        want = sparsemex.prox_sparse_group_rows(V, weight, row_weight).norms
        for chunks in (1, 7):
            got = sdask.prox_sparse_group_rows(da.from_array(V, chunks=(chunks, -1)), weight,
                                               row_weight).norms
            assert same_bits(got.compute(scheduler="synchronous"), want), (weight, chunks)


def _long_rows(rng, m=23, n=6):
    """Matrices whose row norms or whose sum of row norms pass the largest double, with
    mid-sized rows, a zero row and tiny rows, whose norms round otherwise in long units."""
    V = rng.uniform(-1, 1, size=(m, n)) * 10.0 ** rng.uniform(150, 307, size=(m, 1))
    V[0, :2] = [1.5e308, -1.5e308]         # a norm past the largest double
    V[4] = 0.0
    V[7] = rng.normal(size=n) * 1e-160     # squares below the normal range
    V[15] = rng.normal(size=n) * 1e-300
    W = rng.normal(size=(m, n)) * 1e307    # norms finite, their sum not
    W[9] = rng.normal(size=n) * 1e-170
    return V, W


@pytest.mark.parametrize("chunks", CHUNKINGS)
def test_norms_past_the_largest_double_have_the_in_memory_bits(rng, chunks):
    from sparsemex.projections import l12_long_row_norms, l12_row_norms
    for V in _long_rows(rng):
        plain = l12_row_norms(V)
        # The data takes the long path, where norms round otherwise than plain ones.
        with np.errstate(over="ignore"):
            assert not np.isfinite(np.cumsum(plain)[-1])
        finite = np.isfinite(plain)
        assert not same_bits(l12_long_row_norms(V)[finite], plain[finite] * 2.0**-600)
        for radius, start in ((5e307, 0.0), (1e308, 1e300), (1.7e308, 0.0), (np.inf, 0.0)):
            want = sparsemex.project_l12_ball(V, radius, start)
            assert np.isfinite(want.threshold) and np.all(np.isfinite(want.X))
            with dask.config.set(scheduler="synchronous"):
                got = dask.compute(*sdask.project_l12_ball(da.from_array(V, chunks=chunks),
                                                           radius, start))
            for a, b in zip(got, want):
                assert same_bits(a, b), (radius, start)


@pytest.mark.parametrize("chunks", [(1, -1), (2, -1), (-1, -1)])
def test_a_threshold_past_the_largest_double_fails_as_in_memory(chunks):
    V = np.array([[3.0, 4.0], [1.5e308, 1.5e308], [1e-300, 0.0]])
    for radius in (0.0, 1.0):
        with pytest.raises(sparsemex.Error) as want:
            sparsemex.project_l12_ball(V, radius)
        lazy = sdask.project_l12_ball(da.from_array(V, chunks=chunks), radius)
        for output in lazy:
            with pytest.raises(sparsemex.Error) as got:
                output.compute(scheduler="synchronous")
            assert (got.value.identifier, str(got.value)) == \
                (want.value.identifier, str(want.value)) == \
                ("mixedShadow:overflow", "the threshold lambda overflows the double range")


def test_norms_are_taken_in_long_units_only_where_their_sum_overflows(rng, monkeypatch):
    from sparsemex import projections
    calls = []

    def long_row_norms(V, **kwargs):
        calls.append(V.shape[0])
        return long_norms(V, **kwargs)
    long_norms = projections.l12_long_row_norms
    monkeypatch.setattr(projections, "l12_long_row_norms", long_row_norms)
    made = []

    def make(block):
        made.append(block.shape[0])
        return block
    for V, long in ((rng.normal(size=(23, 4)), False), (_long_rows(rng, n=4)[1], True)):
        X = da.from_array(V, chunks=(10, -1)).map_blocks(make, meta=np.empty((0, 0)))
        lazy = sdask.project_l12_ball(X, 2.0)
        assert made == [] and calls == []
        with dask.config.set(scheduler="synchronous"):
            got = dask.compute(*lazy)
        assert all(same_bits(a, b) for a, b in zip(got, sparsemex.project_l12_ball(V, 2.0)))
        assert sorted(made) == [3, 10, 10]         # each block made once
        assert sorted(calls) == ([3, 10, 10] if long else [])
        made.clear()
        calls.clear()


def _counting(m=12, n=6, chunk=4):
    """A Dask matrix whose blocks count how often they are made."""
    made = []

    def make(block):
        made.append(block.shape)
        return block + 1.0
    return da.zeros((m, n), chunks=(chunk, -1)).map_blocks(make, meta=np.empty((0, 0))), made


def test_nothing_runs_before_compute_and_several_outputs_share_a_task():
    V, made = _counting()
    tree = sparsemex.Tree([(0, 6, 0.5)])
    results = [sdask.tree_prox_rows(V, tree), sdask.prox_lp_rows(V, 1.0, 2),
               sdask.project_cone_rows(V, np.ones(12)), sdask.prox_sparse_group_rows(V, 0.1, 1),
               sdask.tree_critical_weight_rows(V, tree), sdask.project_l12_ball(V, 1.0)]
    assert made == []
    with dask.config.set(scheduler="synchronous"):
        X, t = results[2]
        dask.compute(X, t)
        assert len(made) == 3  # one task per block for both outputs


CALL_TIME_ERRORS = [
    (lambda V: sdask.prox_lp_rows(V, -1.0, 2), "powerShadowMatrix:negativeWeight"),
    (lambda V: sdask.prox_lp_rows(V, 1.0, 0.5), "powerShadowMatrix:invalidExponent"),
    (lambda V: sdask.tree_prox_rows(V, sparsemex.Tree([(0, 9, 1.0)])),
     "treeprox_mt:nodeOutOfRange"),
    (lambda V: sdask.tree_critical_weight_rows(V, sparsemex.Tree([(0, 9, 1.0)])),
     "criticalWeight_mt:nodeOutOfRange"),
    (lambda V: sdask.prox_sparse_group_rows(V, 0.1, -1.0), "twoLevelShadow:negativeWeight"),
    (lambda V: sdask.prox_sparse_group_rows(V, 0.1, 1.0, 1), "twoLevelShadow:invalidExponent"),
    (lambda V: sdask.project_cone_rows(V, np.ones(5)), "rowCone:tooFewElements"),
    (lambda V: sdask.project_cone_rows(V, np.ones(12, dtype=complex)), "rowCone:notRealDouble"),
    (lambda V: sdask.project_l12_ball(V, -1.0), "mixedShadow:negativeRadius"),
    (lambda V: sdask.project_l12_ball(V, np.nan), "mixedShadow:notFinite"),
    (lambda V: sdask.tree_prox_rows(V[None], sparsemex.Tree([(0, 2, 1.0)])),
     "treeprox_mt:notMatrix"),
    (lambda V: sdask.prox_lp_rows(V.astype(complex), 1.0, 2), "powerShadowMatrix:notRealDouble"),
]


@pytest.mark.parametrize("call, identifier", CALL_TIME_ERRORS)
def test_bad_arguments_fail_at_call_time_before_any_task(call, identifier):
    V, made = _counting()
    with pytest.raises(sparsemex.Error) as raised:
        call(V)
    assert raised.value.identifier == identifier
    assert made == []


@pytest.mark.parametrize("name, args", [("prox_lp_rows", (-1.0, 2)),
                                        ("project_l12_ball", (-1.0,))])
def test_bad_arguments_fail_with_the_in_memory_error(name, args):
    V = np.ones((3, 4))
    with pytest.raises(sparsemex.Error) as in_memory:
        getattr(sparsemex, name)(V, *args)
    with pytest.raises(sparsemex.Error) as blocks:
        getattr(sdask, name)(da.from_array(V), *args)
    assert (blocks.value.identifier, str(blocks.value)) == \
        (in_memory.value.identifier, str(in_memory.value))


def test_a_tree_that_is_not_one_fails_at_call_time():
    with pytest.raises(TypeError):
        sdask.tree_prox_rows(da.from_array(np.ones((3, 4))), "not a tree")


def _with_nan(rng):
    V = rng.normal(size=(10, 5))
    V[7, 2] = np.nan
    return V


TASK_ERRORS = [
    lambda X, V: (sdask.tree_prox_rows(X, sparsemex.Tree([(0, 5, 1.0)])),
                  lambda: sparsemex.tree_prox_rows(V, sparsemex.Tree([(0, 5, 1.0)]))),
    lambda X, V: (sdask.project_l12_ball(X, 1.0).X,
                  lambda: sparsemex.project_l12_ball(V, 1.0)),
    lambda X, V: (sdask.prox_lp_rows(X, 1.0, 3.0), lambda: sparsemex.prox_lp_rows(V, 1.0, 3.0)),
    lambda X, V: (sdask.project_cone_rows(X, V[:, 2]).t,
                  lambda: sparsemex.project_cone_rows(np.nan_to_num(V), V[:, 2])),
]


@pytest.mark.parametrize("case", TASK_ERRORS)
def test_a_bad_value_in_one_block_raises_the_in_memory_error_naming_its_rows(rng, case):
    V = _with_nan(rng)
    lazy, in_memory = case(da.from_array(V, chunks=(3, -1)), V)
    with pytest.raises(sparsemex.Error) as want:
        in_memory()
    with pytest.raises(sparsemex.Error) as got:
        lazy.compute(scheduler="synchronous")
    assert got.value.identifier == want.value.identifier
    assert "rows 7 to 9 of the Dask array" in str(got.value)


def test_trees_arguments_and_errors_survive_pickling(rng):
    V, trees = _tasks(rng)
    for tree in trees:
        X = sdask.tree_prox_rows(da.from_array(V, chunks=(4, -1)), tree)
        again = pickle.loads(pickle.dumps(X.__dask_graph__()))
        got = dask.get(dict(again), X.__dask_keys__())
        assert same_bits(np.concatenate([block[0] for block in got]),
                         sparsemex.tree_prox_rows(V, tree))
    error = pickle.loads(pickle.dumps(sparsemex.Error("treeprox:notFinite", "a NaN")))
    assert (type(error), error.identifier, str(error)) == \
        (sparsemex.Error, "treeprox:notFinite", "a NaN")


def test_the_tree_travels_once_per_graph_in_the_tasks_shared_callable(rng):
    # Dask pickles a task's callable once per graph (and a worker unpickles it once), its
    # other elements into every task: the tree belongs in the callable, not beside it.
    V, trees = _tasks(rng)
    X = sdask.tree_prox_rows(da.from_array(V, chunks=(4, -1)), trees[1])
    tasks = list(X.__dask_graph__().layers[X.name].values())
    assert len(tasks) == 6 and all(task[0] is tasks[0][0] for task in tasks)
    assert b"sparsemex.trees" in pickle.dumps(tasks[0][0])
    assert not any(b"sparsemex.trees" in pickle.dumps(task[1:]) for task in tasks)


@pytest.mark.parametrize("module", [rows, l12])
def test_docstring_examples_run(module):
    assert doctest.testmod(module, raise_on_error=False).failed == 0


@pytest.fixture(scope="module")
def cluster_client():
    distributed = pytest.importorskip("distributed")
    with distributed.LocalCluster(n_workers=2, threads_per_worker=1, processes=True,
                                  host="127.0.0.1", dashboard_address=":0",
                                  silence_logs=40) as cluster:
        with distributed.Client(cluster, timeout="60s") as client:
            yield client


def test_on_a_cluster_of_two_worker_processes(rng, cluster_client):
    V, trees = _tasks(rng)
    _assert_pairs(V, da.from_array(V, chunks=(5, -1)), trees, compute=_on(cluster_client))
    long = _long_rows(rng)[0]
    got = _on(cluster_client)(*sdask.project_l12_ball(da.from_array(long, chunks=(5, -1)), 1e308))
    assert all(same_bits(a, b) for a, b in zip(got, sparsemex.project_l12_ball(long, 1e308)))
    bad = _with_nan(rng)
    with pytest.raises(sparsemex.Error) as raised:
        cluster_client.compute(sdask.tree_prox_rows(da.from_array(bad, chunks=(3, -1)),
                                                    sparsemex.Tree([(0, 5, 1.0)]))).result(120)
    assert raised.value.identifier == "treeprox_mt:notFinite"
    assert "rows 7 to 9 of the Dask array" in str(raised.value)


def _on(client):
    def compute(*collections):
        return tuple(future.result(timeout=120) for future in client.compute(list(collections)))
    return compute
