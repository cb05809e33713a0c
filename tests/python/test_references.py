# Copyright 2026 The sparsemex authors. SPDX-License-Identifier: BSD-3-Clause
"""The Pythonic layer against independent references: a sort-based L1 projection,
scikit-learn's isotonic regression and graphical lasso, sums written out on small trees, and
the fits of the same tree given in its three forms."""
import numpy as np
import pytest
from hypothesis import given, settings
from hypothesis import strategies as st
from hypothesis.extra.numpy import arrays

import sparsemex
from conftest import same_bits


def sorted_l1_projection(v, radius):
    """Projection onto the L1 ball by sorting the magnitudes."""
    a = np.abs(v)
    if a.sum() <= radius:
        return v.copy()
    if radius == 0:
        return np.zeros_like(v)
    u = np.sort(a)[::-1]
    cumulative = np.cumsum(u) - radius
    # The largest k with u[k] above the k-th mean (k = 0 when rounding hides even that).
    k = np.append(0, np.nonzero(u > cumulative / np.arange(1, a.size + 1))[0])[-1]
    theta = cumulative[k] / (k + 1)
    return np.sign(v) * np.maximum(a - theta, 0)


@settings(max_examples=200, deadline=None)
@given(arrays(np.float64, st.integers(1, 60), elements=st.floats(-1e6, 1e6)),
       st.floats(0, 1e6))
def test_l1_projection_matches_the_sorted_reference(v, radius):
    x, threshold, _ = sparsemex.project_l1_ball(v, radius)
    reference = sorted_l1_projection(v, radius)
    # The search stops once f(threshold) = sum max(|v_i| - threshold, 0) - radius is within
    # 1e-8 of the largest magnitude's power of two, or two candidates bracketing the root are
    # that close; f falls at least 1 per unit of threshold there, so every entry is within that
    # of the exact projection, give or take the rounding of sums of v.size magnitudes and of
    # the threshold itself (a whole step of the smallest subnormal, at the bottom of the range).
    largest = np.abs(v).max()
    stop = 1e-8 * np.ldexp(1.0, np.frexp(largest)[1] - 1) if largest > 0 else 0.0
    rounding = (4 * v.size * np.finfo(float).eps * max(np.abs(v).sum(), radius)
                + np.nextafter(0.0, 1.0))
    assert np.allclose(x, reference, rtol=0, atol=stop + rounding)
    assert np.abs(x).sum() <= radius + v.size * (stop + rounding) or threshold == 0


def test_isotonic_chain_matches_scikit_learn_clipped_at_zero(rng):
    from sklearn.isotonic import isotonic_regression
    v = np.cumsum(rng.normal(size=2000))[::-1] * 0.1 + rng.normal(size=2000)
    reference = np.maximum(isotonic_regression(v, increasing=False), 0)
    for method in ("pool", "prefix"):
        x = sparsemex.isotonic_chain(v, method=method)
        assert np.allclose(x, reference, rtol=0, atol=1e-9 * np.abs(v).max())


def test_graphical_lasso_matches_scikit_learn(rng):
    from sklearn.covariance import graphical_lasso
    data = rng.normal(size=(200, 12)) @ rng.normal(size=(12, 12))
    S = np.cov(data, rowvar=False)
    S /= np.sqrt(np.outer(np.diag(S), np.diag(S)))
    alpha = 0.1
    precision, covariance = sparsemex.graphical_lasso(S, alpha, tol_x=1e-10, tol_outer=1e-10,
                                                      max_iter=1000, max_outer=500)
    # Our penalty covers the diagonal too, which is scikit-learn's problem on S + alpha*I.
    _, reference = graphical_lasso(S + alpha * np.eye(12), alpha, mode="cd", tol=1e-10,
                                   max_iter=500)
    assert np.allclose(precision @ covariance, np.eye(12), atol=1e-6)
    assert np.allclose(precision, reference, atol=1e-4)


def penalty_by_hand(x, nodes, l1_weight):
    total = 0.0 if l1_weight is None else l1_weight * np.abs(x).sum()
    return total + sum(w * np.linalg.norm(x[s:e]) for s, e, w in nodes)


def test_tree_penalty_ratio_and_prox_on_small_trees(rng):
    nodes = [(0, 2, 0.3), (2, 5, 0.6), (5, 6, 0.2), (0, 6, 0.4)]
    tree = sparsemex.Tree(nodes, l1_weight=0.1)
    for _ in range(20):
        x = rng.normal(size=6)
        assert np.isclose(sparsemex.tree_penalty(x, tree), penalty_by_hand(x, nodes, 0.1))
        ratios = [np.linalg.norm(x[s:e]) / w for s, e, w in nodes]
        assert np.isclose(sparsemex.tree_group_ratio(x, sparsemex.Tree(nodes)), max(ratios))
        # The prox minimises 0.5 ||y - v||^2 + penalty(y): no nearby point does better.
        v = rng.normal(size=6) * 2
        y = sparsemex.tree_prox(v, tree)
        objective = lambda z: 0.5 * np.sum((z - v) ** 2) + penalty_by_hand(z, nodes, 0.1)
        best = objective(y)
        for _ in range(50):
            assert objective(y + 1e-4 * rng.normal(size=6)) >= best - 1e-12


def test_critical_weight_is_where_the_prox_becomes_zero(rng):
    nodes = [(0, 3, 1.0), (3, 6, 2.0), (0, 6, 0.5)]
    for _ in range(10):
        v = rng.normal(size=6)
        critical = sparsemex.tree_critical_weight(v, sparsemex.Tree(nodes))
        scaled = lambda f: sparsemex.Tree([(s, e, w * f) for s, e, w in nodes])
        assert not np.any(sparsemex.tree_prox(v, scaled(critical * (1 + 1e-6))))
        assert np.any(sparsemex.tree_prox(v, scaled(critical * (1 - 1e-3))))


def test_index_list_tree_is_the_range_tree_on_permuted_entries(rng):
    order = rng.permutation(8)
    nodes = [(0, 3, 0.4), (3, 8, 0.7), (0, 8, 0.2)]
    ranges = sparsemex.Tree(nodes)
    listed = sparsemex.Tree(nodes, index_list=order)
    v = rng.normal(size=8)
    assert same_bits(sparsemex.tree_prox(v, listed)[order], sparsemex.tree_prox(v[order], ranges))
    assert sparsemex.tree_penalty(v, listed) == sparsemex.tree_penalty(v[order], ranges)


def heap_parents(n):
    return np.array([-1] + [(k - 1) // 2 for k in range(1, n)])


def test_parent_array_fits_have_the_bits_of_the_file_and_shape_fits(rng, tmp_path):
    n = 500
    v = rng.normal(size=n)
    assert same_bits(sparsemex.isotonic_tree(v, heap_parents(n)), sparsemex.isotonic_heap(v))
    star = np.zeros(n, dtype=int)
    star[0] = -1
    assert same_bits(sparsemex.isotonic_tree(v, star), sparsemex.isotonic_star(v))
    # A random tree, written as a description file that lists children in increasing order.
    parents = np.array([-1] + [rng.integers(0, k) for k in range(1, n)])
    path = tmp_path / "tree.txt"
    with open(path, "w") as f:
        for node in range(n):
            children = np.flatnonzero(parents == node) + 1
            if children.size:
                f.write("%d %d %s\n" % (node + 1, children.size, " ".join(map(str, children))))
    for nonnegative in (True, False):
        assert same_bits(sparsemex.isotonic_tree(v, parents, nonnegative),
                         sparsemex.isotonic_tree_file(str(path), v, 1, nonnegative))


def test_tree_fit_is_monotone_and_optimal_on_small_trees(rng):
    """Brute force: the fit is feasible, and no feasible nudge lowers the squared error."""
    for _ in range(30):
        n = 7
        parents = np.array([-1] + [rng.integers(0, k) for k in range(1, n)])
        v = rng.normal(size=n)
        x = sparsemex.isotonic_tree(v, parents, nonnegative=False)
        assert all(x[parents[i]] >= x[i] - 1e-12 for i in range(1, n))
        # Each block takes the mean of its values.
        for value in np.unique(x):
            block = np.isclose(x, value)
            assert np.isclose(v[block].mean(), value)


@pytest.mark.parametrize("parents, identifier", [
    ([-1, 0, -1], "notOneRoot"), ([1, 2, 0], "notOneRoot"), ([-1, 5, 0], "nodeOutOfRange"),
    ([-1, 2, 1], "cyclicTree"), ([-1, 1, 0], "nodeOutOfRange")])
def test_parent_arrays_that_are_not_trees_are_refused(parents, identifier):
    with pytest.raises(sparsemex.Error) as error:
        sparsemex.isotonic_tree(np.ones(3), np.array(parents))
    assert error.value.identifier.endswith(":" + identifier)


@settings(max_examples=200, deadline=None)
@given(arrays(np.float64, st.integers(0, 80), elements=st.floats(-1e3, 1e3)))
def test_isotonic_chain_is_the_clipped_decreasing_isotonic_regression(v):
    from sklearn.isotonic import isotonic_regression
    reference = np.maximum(isotonic_regression(v, increasing=False), 0) if v.size else v
    for method in ("pool", "prefix"):
        x = sparsemex.isotonic_chain(v, method=method)
        assert np.allclose(x, reference, rtol=0, atol=1e-9 * max(1.0, np.abs(v).max(initial=0)))
