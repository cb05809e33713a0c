# Copyright 2026 The sparsemex authors. SPDX-License-Identifier: BSD-3-Clause
"""The Pythonic layer gives the bits of sparsemex.mex, whatever the memory order and dtype
of its inputs, reads contiguous float64 inputs in place and never writes them."""
import numpy as np
import pytest
from hypothesis import given, settings
from hypothesis import strategies as st

import sparsemex
from conftest import same_bits
from sparsemex import mex
from sparsemex._arrays import matrix, vector


def _tree_cases(rng):
    nodes = [(0, 3, 0.4), (3, 9, 0.7), (0, 9, 0.2)]
    ind = np.array([[-1, 1, 4, 1], [-1, 3, 9, 9], [0.1, 0.4, 0.7, 0.2]])
    order = rng.permutation(9)
    return (sparsemex.Tree(nodes, l1_weight=0.1), ind,
            sparsemex.Tree(nodes, l1_weight=0.1, index_list=order), order + 1.0)


def test_vector_functions_give_the_bits_of_their_modules(rng):
    v = rng.normal(size=9)
    tree, ind, listed, G = _tree_cases(rng)
    pairs = [
        (sparsemex.project_l1_ball(v, 2.0, 0.3), mex.simplexShadow(v, 9, 2.0, 0.3)),
        (sparsemex.prox_lp(v, 0.5, 3.0), mex.powerShadow(v, 9, 0.5, 3.0, 0.0)),
        (sparsemex.prox_lp_groups(v, [0, 4, 9], [0.3, 0.6], 1.5),
         mex.powerShadowVector(v, [0, 4, 9], 2, 9, [0.3, 0.6], 1.5)),
        (sparsemex.project_cone(v, v[::-1]), mex.elementCone(v, v[::-1], 9)),
        (sparsemex.project_cone_groups(v, [0.1, -0.2], [0, 4, 9]),
         mex.powerShadowVectorR(v, [0.1, -0.2], [0, 4, 9], 9, 2)),
        (sparsemex.tree_prox(v, tree), mex.treeprox(v, 9, ind, 4)),
        (sparsemex.tree_penalty(v, tree), mex.penaltyValue(v, 9, ind, 4)),
        (sparsemex.tree_critical_weight(v, tree), mex.criticalWeight(v, 9, ind, 4)),
        (sparsemex.tree_group_ratio(v, sparsemex.Tree.from_matlab(ind[:, 1:])),
         mex.groupRatioCeiling(v, 9, ind[:, 1:], 3)),
        (sparsemex.tree_prox(v, listed), mex.general_treeprox(v, 9, G, ind, 4)),
        (sparsemex.tree_penalty(v, listed), mex.general_penaltyValue(v, 9, G, ind, 4)),
        (sparsemex.tree_critical_weight(v, listed), mex.general_criticalWeight(v, 9, G, ind, 4)),
        (sparsemex.isotonic_heap(v), mex.isoHierBinary(v, 9)),
        (sparsemex.isotonic_star(v), mex.isoHierDepth1(v, 9)),
        (sparsemex.isotonic_chain(v), mex.chainAscend(v, 9)),
        (sparsemex.isotonic_chain(v, method="prefix"), mex.chainDescend(v, 9)),
    ]
    for k, (pythonic, module) in enumerate(pairs):
        pythonic = pythonic if isinstance(pythonic, tuple) else (pythonic,)
        module = module if isinstance(module, tuple) else (module,)
        for a, b in zip(pythonic, module):
            assert same_bits(np.ravel(a), np.ravel(b)), k


@pytest.mark.parametrize("order", ["C", "F"])
def test_row_functions_give_the_bits_of_their_modules_in_either_order(rng, order):
    V = np.asarray(rng.normal(size=(13, 9)), order=order)
    F = np.asfortranarray(V)
    tree, ind, listed, G = _tree_cases(rng)
    t = rng.normal(size=13)
    pairs = [
        (sparsemex.prox_lp_rows(V, 0.5, 3.0), mex.powerShadowMatrix(F, 13, 9, 0.5, 3.0)),
        (sparsemex.project_l12_ball(V, 2.0), mex.mixedShadow(F, 13, 9, 2.0, 0.0)),
        (sparsemex.prox_sparse_group_rows(V, 0.1, 0.4).X,
         mex.twoLevelShadow(F, 13, 9, 0.1, 0.4, 2)[0]),
        (sparsemex.prox_sparse_group_rows(V, 0.1, 0.4, norm=np.inf).X,
         mex.twoLevelShadow(F, 13, 9, 0.1, 0.4, 0)[0]),
        (sparsemex.project_cone_rows(V, t), mex.rowCone(F, t, 13, 9)),
        (sparsemex.tree_prox_rows(V, tree), mex.treeprox_mt(F, 13, 9, ind, 4)),
        (sparsemex.tree_critical_weight_rows(V, tree), mex.criticalWeight_mt(F, 13, 9, ind, 4)),
        (sparsemex.tree_prox_rows(V, listed), mex.general_treeprox_mt(F, 13, 9, G, ind, 4)),
        (sparsemex.tree_critical_weight_rows(V, listed),
         mex.general_criticalWeight_mt(F, 13, 9, G, ind, 4)),
    ]
    for k, (pythonic, module) in enumerate(pairs):
        pythonic = pythonic if isinstance(pythonic, tuple) else (pythonic,)
        module = module if isinstance(module, tuple) else (module,)
        for a, b in zip(pythonic, module):
            assert same_bits(np.ravel(a, order="F"), np.ravel(b, order="F")), k
    # Row i of the result belongs to row i of V.
    assert same_bits(sparsemex.prox_lp_rows(V, 0.5, 3.0)[4], sparsemex.prox_lp_rows(V[4:5], 0.5, 3.0)[0])


def test_graphical_lasso_gives_the_bits_of_precision_lasso(rng):
    S = np.cov(rng.normal(size=(40, 5)), rowvar=False)
    S = (S + S.T) / 2  # exactly symmetric, as the module requires
    got = sparsemex.graphical_lasso(S, 0.1, max_iter=50, tol_fun=1e-9, tol_x=1e-7, max_outer=20,
                                    tol_outer=1e-5)
    want = mex.precisionLasso(S, S, S, 0.1, 0, 5, 50, 1e-9, 1e-7, 20, 1e-5)
    assert same_bits(got.precision, want[0]) and same_bits(got.covariance, want[1])


def test_contiguous_float64_inputs_are_read_in_place_and_others_converted(rng):
    v = rng.normal(size=10)
    assert vector("m", "v", v) is v
    F = np.asfortranarray(rng.normal(size=(4, 5)))
    assert matrix("m", "V", F) is F
    C = np.ascontiguousarray(F)
    assert not np.shares_memory(matrix("m", "V", C), C)
    # Integers, float32, booleans and strided views come out as their float64 values.
    integers = rng.integers(-5, 5, size=10)
    assert same_bits(sparsemex.isotonic_chain(integers),
                     sparsemex.isotonic_chain(integers.astype(np.float64)))
    single = v.astype(np.float32)
    assert same_bits(sparsemex.project_l1_ball(single, 1.0).x,
                     sparsemex.project_l1_ball(single.astype(np.float64), 1.0).x)
    wide = rng.normal(size=(6, 20))
    assert same_bits(sparsemex.prox_lp_rows(wide[:, ::2], 0.3, 2),
                     sparsemex.prox_lp_rows(wide[:, ::2].copy(), 0.3, 2))
    assert same_bits(sparsemex.prox_lp_rows(wide.T, 0.3, 2), sparsemex.prox_lp_rows(wide.T.copy(), 0.3, 2))


def test_inputs_are_never_written(rng):
    V = rng.normal(size=(8, 6))
    kept = V.copy()
    sparsemex.prox_lp_rows(V, 0.3, 1.5)
    sparsemex.project_l12_ball(V, 1.0)
    S = np.cov(rng.normal(size=(20, 4)), rowvar=False)
    S = (S + S.T) / 2  # exactly symmetric, as the module requires
    X0, W0 = np.zeros((4, 4)), np.zeros((4, 4))
    mex.precisionLasso(X0, W0, S, 0.1, 0, 4, 20, 1e-6, 1e-6, 10, 1e-4)
    assert np.array_equal(V, kept) and not X0.any() and not W0.any()


def test_trees_from_matlab_tables_and_python_tables_agree_and_pickle(rng):
    import pickle
    tree = sparsemex.Tree([(0, 3, 0.4), (3, 9, 0.7)], l1_weight=0.2, index_list=rng.permutation(9))
    ind, G = tree.matlab()
    again = sparsemex.Tree.from_matlab(ind, G)
    copied = pickle.loads(pickle.dumps(tree))
    v = rng.normal(size=9)
    assert same_bits(sparsemex.tree_prox(v, again), sparsemex.tree_prox(v, tree))
    assert same_bits(sparsemex.tree_prox(v, copied), sparsemex.tree_prox(v, tree))
    assert same_bits(ind[:, 0], [-1, -1, 0.2]) and same_bits(ind[:, 1], [1, 3, 0.4])


def test_l12_projection_in_blocks_of_rows_has_the_bits_of_the_whole(rng):
    from sparsemex.projections import l12_row_norms, l12_shrink_rows, l12_threshold
    V = rng.normal(size=(37, 6)) * np.exp(rng.normal(size=(37, 1)))
    whole = sparsemex.project_l12_ball(V, 4.0, 0.5)
    blocks = [V[:10], V[10:11], V[11:37]]
    norms = np.concatenate([l12_row_norms(block) for block in blocks])
    threshold, steps = l12_threshold(norms, 4.0, 0.5)
    X = np.concatenate([l12_shrink_rows(block, l12_row_norms(block), threshold)
                        for block in blocks])
    assert (threshold, steps) == (whole.threshold, whole.steps)
    assert same_bits(X, whole.X)


def test_l12_projection_in_blocks_of_rows_past_the_largest_double(rng):
    from sparsemex.projections import (l12_long_row_norms, l12_long_threshold,
                                       l12_plain_threshold, l12_row_norms, l12_shrink_rows,
                                       l12_threshold)
    V = rng.normal(size=(37, 6)) * 1e307
    V[5] = rng.normal(size=6) * 1e-200
    blocks = [V[:10], V[10:11], V[11:37]]
    norms = np.concatenate([l12_row_norms(block) for block in blocks])
    assert l12_plain_threshold(norms[:3], 4e307, 1.0) == l12_threshold(norms[:3], 4e307, 1.0)
    assert l12_plain_threshold(norms, 4e307, 1.0) is None
    with pytest.raises(sparsemex.Error) as raised:
        l12_threshold(norms, 4e307, 1.0)
    assert raised.value.identifier == "mixedShadow:overflow"

    whole = sparsemex.project_l12_ball(V, 4e307, 1.0)
    long_norms = [l12_long_row_norms(block) for block in blocks]
    threshold, steps, long_threshold = l12_long_threshold(np.concatenate(long_norms), 4e307,
                                                          1.0)
    X = np.concatenate([l12_shrink_rows(block, norms, long_threshold)
                        for block, norms in zip(blocks, long_norms)])
    assert (threshold, steps) == (whole.threshold, whole.steps)
    assert long_threshold == threshold * 2.0**-600
    assert same_bits(X, whole.X)
    with pytest.raises(sparsemex.Error) as raised:
        l12_long_threshold(l12_long_row_norms(np.array([[1.5e308, 1.5e308]])), 1.0)
    assert raised.value.identifier == "mixedShadow:overflow"


def test_short_calls_give_the_results_and_errors_of_their_modules(rng):
    """These functions take a compiled fast form for plain float64 vectors, and the general
    path otherwise: the bits and the errors of their modules either way."""
    vectors = [rng.normal(size=n) for n in (1, 10, 1000, 40000)]
    vectors += [np.array([1.0, np.nan]), np.array([1e308, 1e308]), rng.normal(size=20)[::2],
                rng.normal(size=(5, 1))[:, 0], np.arange(6)]
    pairs = [
        (lambda v, t: sparsemex.project_l1_ball(v, 1.5, 0.25, threads=t),
         lambda v: mex.simplexShadow(v, len(v), 1.5, 0.25)),
        (lambda v, t: sparsemex.project_l1_ball(v, 2, threads=t),
         lambda v: mex.simplexShadow(v, len(v), 2, 0.0)),
        (lambda v, t: sparsemex.isotonic_chain(v, threads=t), lambda v: mex.chainAscend(v, len(v))),
        (lambda v, t: sparsemex.isotonic_chain(v, method="prefix", threads=t),
         lambda v: mex.chainDescend(v, len(v))),
        (lambda v, t: sparsemex.isotonic_heap(v, threads=t), lambda v: mex.isoHierBinary(v, len(v))),
        (lambda v, t: sparsemex.isotonic_star(v, threads=t), lambda v: mex.isoHierDepth1(v, len(v))),
    ]

    def outcome(call, *args):
        try:
            result = call(*args)
        except sparsemex.Error as error:
            return (error.identifier, str(error))
        if isinstance(result, tuple):
            return (np.ravel(result[0]).view(np.uint64).tolist(), float(result[1]),
                    int(result[2]))
        return np.ravel(result).view(np.uint64).tolist()

    for pythonic, module in pairs:
        for v in vectors:
            want = outcome(module, v)
            for threads in (None, 1, 3, np.int64(2)):
                assert outcome(pythonic, v, threads) == want
    with pytest.raises(ValueError):
        sparsemex.isotonic_chain(np.ones(3), threads=-1)


def test_a_scaled_tree_is_the_table_with_its_weights_scaled(rng):
    tree = sparsemex.Tree([(0, 3, 0.4), (3, 9, 0.7)], l1_weight=0.2)
    ind, _ = tree.matlab()
    scaled = ind.copy()
    scaled[2] *= 0.37
    v = rng.normal(size=9)
    assert same_bits(sparsemex.tree_prox(v, tree.scaled(0.37)),
                     mex.treeprox(v, 9, scaled, 3).ravel())
    assert same_bits(tree.matlab()[0], ind)
    with pytest.raises(ValueError):
        tree.scaled(np.nan)


@settings(max_examples=60, deadline=None)
@given(st.integers(0, 9), st.integers(1, 12), st.integers(0, 2 ** 32 - 1))
def test_memory_order_never_changes_a_row_result(rows, cols, seed):
    data = np.random.default_rng(seed).normal(size=(rows, cols))
    tree = sparsemex.Tree([(0, cols, 0.3)], l1_weight=0.1)
    for V in (np.ascontiguousarray(data), np.asfortranarray(data), data.T.copy().T):
        assert same_bits(sparsemex.tree_prox_rows(V, tree), sparsemex.tree_prox_rows(data, tree))
        assert same_bits(sparsemex.prox_lp_rows(V, 0.4, 1.5), sparsemex.prox_lp_rows(data, 0.4, 1.5))
        for i in range(rows):
            assert same_bits(sparsemex.tree_prox_rows(V, tree)[i], sparsemex.tree_prox(V[i], tree))
