# Copyright 2026 The sparsemex authors. SPDX-License-Identifier: BSD-3-Clause
"""The 27 modules under their MATLAB names, with their MATLAB signatures.

For porting MATLAB code, and as the reference of the Pythonic layer. Every module takes its
arguments in the MATLAB order (sizes passed, node tables ``ind`` and index lists ``G``
1-based as in MATLAB), computes bit for bit what the MATLAB module computes, and fails with
its error identifier and message (as :class:`sparsemex.Error`).

Differences that Python asks for:

* Array arguments are read as MATLAB reads them, in column-major order: a matrix ``V`` of m
  rows is the Fortran-ordered array ``V`` of shape (m, n), or any array whose elements in
  Fortran order are those of V. Float64 arrays in that layout are not copied; others are
  converted once.
* Results are NumPy arrays of MATLAB's shapes (a column vector is (n, 1)), Fortran-ordered;
  a 1-by-1 result is a float (an int for the step count of ``mixedShadow``). Several results
  come as a tuple.
* ``precisionLasso`` returns new arrays ``(X, W)`` instead of writing into its first two
  inputs, which are only checked for their size.
* Every module takes the keyword ``threads`` (0: ``SPARSEMEX_THREADS`` or the core count);
  ``precisionLasso`` also ``verbose`` (print its progress lines).
* A wrong argument count is Python's TypeError.
"""
import numpy as np

from . import _core
from ._call import Call, c_g, new_matrix, truncate_to_int

__all__ = [
    "simplexShadow", "powerShadow", "powerShadowVector", "powerShadowMatrix", "mixedShadow",
    "twoLevelShadow", "elementCone", "rowCone", "powerShadowVectorR", "treeprox",
    "treeprox_mt", "penaltyValue", "groupRatioCeiling", "criticalWeight", "criticalWeight_mt",
    "general_treeprox", "general_treeprox_mt", "general_penaltyValue", "general_criticalWeight",
    "general_criticalWeight_mt", "isoHier", "isoHier_without_nonnegative", "isoHierBinary",
    "isoHierDepth1", "precisionLasso", "chainAscend", "chainDescend",
]


def _shadow_searches(p):
    """p = 1 and p = 2 have closed forms; every other exponent searches, on finite data."""
    return p != 1 and p != 2


def _scalar_out(array):
    return float(array[0, 0])


# --- Projections and norm shadows -------------------------------------------------------------

def simplexShadow(v, n, z, lambda0, *, threads=0):
    """[x, root, steps] = simplexShadow(v, n, z, lambda0): projection of v onto the L1 ball
    of radius z (search started at lambda0)."""
    call = Call("simplexShadow", (v, n, z, lambda0))
    n = call.size(1, "n")
    v = call.doubles(0, "v", n)
    z = call.scalar(2, "z")
    lambda0 = call.scalar(3, "lambda0")
    call.require_finite_sum(v, n, "v")
    call.require_number(z, "z")
    if z < 0:
        call.fail("negativeRadius", "the radius z must be nonnegative, got %s" % c_g(z))
    x, root, steps = new_matrix(n, 1), np.zeros(1), np.zeros(1, dtype=np.int32)
    call.run("simplexShadow", x, root, steps, v, n, z, lambda0, threads=threads)
    return x, float(root[0]), float(steps[0])


def powerShadow(v, n, rho, p, c0, *, threads=0):
    """[x, c, steps] = powerShadow(v, n, rho, p, c0): the Lp-norm shadow of v with weight rho."""
    call = Call("powerShadow", (v, n, rho, p, c0))
    n = call.size(1, "n")
    v = call.doubles(0, "v", n)
    rho = call.scalar(2, "rho")
    p = call.scalar(3, "p")
    c0 = call.scalar(4, "c0")
    call.require_number(rho, "rho")
    if _shadow_searches(p):
        call.require_finite_sum(v, n, "v")
    x, c, steps = new_matrix(n, 1), np.zeros(1), np.zeros(2, dtype=np.int32)
    call.run("powerShadow", x, c, steps, v, n, rho, p, c0, threads=threads)
    return x, float(c[0]), float(steps[0])


def powerShadowVector(v, b, g, n, rho, p, *, threads=0):
    """x = powerShadowVector(v, b, g, n, rho, p): the Lp-norm shadow of each group of v."""
    call = Call("powerShadowVector", (v, b, g, n, rho, p))
    g = call.size(2, "g")
    n = call.size(3, "n")
    v = call.doubles(0, "v", n)
    b = call.doubles(1, "b", g + 1 if g > 0 else 0)
    rho = call.doubles(4, "rho", g)
    p = call.scalar(5, "p")
    misplaced = _core.first_misplaced_group(b, g, n)
    if misplaced >= 0:
        call.fail("groupOutOfRange",
                  "group %d, from b(%d) = %s to b(%d) = %s, must lie inside 0..n-1 = 0..%d "
                  "with a nonnegative length"
                  % (misplaced + 1, misplaced + 1, c_g(b[misplaced]), misplaced + 2,
                     c_g(b[misplaced + 1]), n - 1))
    call.require_numbers(rho, g, "rho")
    if _shadow_searches(p):
        group, found = _core.searchable_groups(v, b, g)
        if group >= 0:
            start = truncate_to_int(b[group])
            call.fail_finite_sum(v, found, start, 1, "group %d of v" % (group + 1))
    x = new_matrix(n, 1)
    call.run("powerShadowVector", x, v, b, g, n, rho, p, threads=threads)
    return x


def powerShadowMatrix(V, m, n, rho, p, *, threads=0):
    """X = powerShadowMatrix(V, m, n, rho, p): the Lp-norm shadow of each row of V."""
    call = Call("powerShadowMatrix", (V, m, n, rho, p))
    V, m, n = call.matrix(0, "V", 1, "m", 2, "n")
    rho = call.scalar(3, "rho")
    p = call.scalar(4, "p")
    call.require_number(rho, "rho")
    if _shadow_searches(p):
        call.require_searchable_rows(V, m, n, "V")
    X = new_matrix(m, n)
    call.run("powerShadowMatrix", X, V, m, n, rho, p, threads=threads)
    return X


def mixedShadow(V, m, n, z, lambda0, *, threads=0):
    """[X, lambda, steps] = mixedShadow(V, m, n, z, lambda0): projection of the rows of V onto
    the ball of radius z of the sum of their Euclidean norms."""
    call = Call("mixedShadow", (V, m, n, z, lambda0))
    V, m, n = call.matrix(0, "V", 1, "m", 2, "n")
    z = call.scalar(3, "z")
    lambda0 = call.scalar(4, "lambda0")
    call.require_finite(V, m * n, "V")
    call.require_number(z, "z")
    X, lam, steps = new_matrix(m, n), np.zeros(1), np.zeros(1, dtype=np.int32)
    call.run("mixedShadow", X, lam, steps, V, m, n, z, lambda0, threads=threads)
    return X, float(lam[0]), int(steps[0])


def twoLevelShadow(V, m, n, lambda1, lambda2, mode, *, threads=0):
    """[X, N] = twoLevelShadow(V, m, n, lambda1, lambda2, mode): elements of V shrunk by
    lambda1, then rows by lambda2 in the 2-norm (mode 2) or the infinity norm."""
    call = Call("twoLevelShadow", (V, m, n, lambda1, lambda2, mode))
    V, m, n = call.matrix(0, "V", 1, "m", 2, "n")
    lambda1 = call.scalar(3, "lambda1")
    lambda2 = call.scalar(4, "lambda2")
    mode = call.integer(5, "mode")
    call.require_number(lambda1, "lambda1")
    call.require_number(lambda2, "lambda2")
    call.require_numbers(V, m * n, "V")
    if mode != 2:
        call.require_searchable_rows(V, m, n, "V")
    X, N = new_matrix(m, n), new_matrix(1, 2)
    call.run("twoLevelShadow", X, N, V, m, n, lambda1, lambda2, mode, threads=threads)
    return X, N


# --- Cone projections -------------------------------------------------------------------------

def elementCone(v, c, n, *, threads=0):
    """[x, t] = elementCone(v, c, n): each pair (v(i), c(i)) projected onto |x| <= t."""
    call = Call("elementCone", (v, c, n))
    n = call.size(2, "n")
    v = call.doubles(0, "v", n)
    c = call.doubles(1, "c", n)
    call.require_numbers(v, n, "v")
    call.require_numbers(c, n, "c")
    x, t = new_matrix(n, 1), new_matrix(n, 1)
    call.run("elementCone", x, t, v, c, n, threads=threads)
    return x, t


def rowCone(V, c, m, n, *, threads=0):
    """[X, t] = rowCone(V, c, m, n): each (row i of V, c(i)) projected onto ||x|| <= t."""
    call = Call("rowCone", (V, c, m, n))
    V, m, n = call.matrix(0, "V", 2, "m", 3, "n")
    c = call.doubles(1, "c", m)
    call.require_numbers(V, m * n, "V")
    call.require_numbers(c, m, "c")
    X, t = new_matrix(m, n), new_matrix(m, 1)
    call.run("rowCone", X, t, V, c, m, n, threads=threads)
    return X, t


def powerShadowVectorR(v, c, b, n, g, *, threads=0):
    """[x, t] = powerShadowVectorR(v, c, b, n, g): each (group k of v, c(k)) projected onto
    ||x|| <= t."""
    call = Call("powerShadowVectorR", (v, c, b, n, g))
    n = call.size(3, "n")
    g = call.size(4, "g")
    v = call.doubles(0, "v", n)
    c = call.doubles(1, "c", g)
    b = call.doubles(2, "b", g + 1 if g > 0 else 0)
    call.require_numbers(v, n, "v")
    call.require_numbers(c, g, "c")
    stray = _core.first_group_outside(b, n, g)
    if stray >= 0:
        call.fail("groupOutOfRange",
                  "group %d, from b(%d) = %s to b(%d) = %s, reaches outside the %d elements of "
                  "v (boundaries are 0-based: a group covers b(k) to b(k+1) - 1)"
                  % (stray + 1, stray + 1, c_g(b[stray]), stray + 2, c_g(b[stray + 1]), n))
    x, t = new_matrix(n, 1), new_matrix(g, 1)
    call.run("powerShadowVectorR", x, t, v, c, b, n, g, threads=threads)
    return x, t


# --- Tree penalties ---------------------------------------------------------------------------
# The node table (and the index list G) checked against the arrays it indexes before any
# routine reads it; node 0 is read for the L1 test unless the routine never reads it.

def _node_table(call, position, nodes, reads_node_zero, length, unit, name, G=None):
    needed = 1 if nodes < 1 and reads_node_zero else nodes
    ind = call.doubles(position, "ind", 3 * needed)
    if G is None:
        call.run("checkNodeRanges", ind, nodes, reads_node_zero, length, unit, name)
    else:
        call.run("checkNodeSlices", ind, nodes, reads_node_zero, G, G.size, length, unit, name)
    weights = ind[2:3 * needed:3]
    at = np.flatnonzero(np.isnan(weights))
    if at.size:
        call.fail("notFinite", "the weight ind(3, %d) must not be NaN" % (at[0] + 1))
    return ind


def _vector_tree(module, x_name, args, value_check, general, output):
    """The single-vector tree modules: (x, n, [G,] ind, nodes)."""
    call = Call(module, args)
    shift = 1 if general else 0
    n = call.size(1, "n")
    x = call.doubles(0, x_name, n)
    if value_check == "finite":
        call.require_finite(x, n, x_name)
    elif value_check == "numbers":
        call.require_numbers(x, n, x_name)
    nodes = call.size(3 + shift, "nodes")
    G = call.doubles(2, "G", 0) if general else None
    reads_zero = module not in ("groupRatioCeiling",)
    ind = _node_table(call, 2 + shift, nodes, reads_zero, n, "positions", x_name, G)
    out = new_matrix(n, 1) if output == "vector" else new_matrix(1, 1)
    routine_args = (out, x, n) + ((G,) if general else ()) + (ind, nodes)
    return call, out, routine_args


def _matrix_tree(module, args, value_check, general, output, threads):
    """The row-wise tree modules: (V, rows, cols, [G,] ind, nodes)."""
    call = Call(module, args)
    shift = 1 if general else 0
    V, rows, cols = call.matrix(0, "V", 1, "rows", 2, "cols")
    if value_check == "finite":
        call.require_finite(V, rows * cols, "V")
    else:
        call.require_numbers(V, rows * cols, "V")
    nodes = call.size(4 + shift, "nodes")
    G = call.doubles(3, "G", 0) if general else None
    ind = _node_table(call, 3 + shift, nodes, rows > 0, cols, "columns", "V", G)
    out = new_matrix(rows, cols) if output == "matrix" else new_matrix(1, 1)
    routine_args = (out, V, rows, cols) + ((G,) if general else ()) + (ind, nodes)
    call.run(module, *routine_args, threads=threads)
    return out if output == "matrix" else _scalar_out(out)


def treeprox(v, n, ind, nodes, *, threads=0):
    """x = treeprox(v, n, ind, nodes): the proximal operator of the index-tree penalty."""
    call, x, args = _vector_tree("treeprox", "v", (v, n, ind, nodes), "numbers", False, "vector")
    call.run("treeprox", *args, threads=threads)
    return x


def penaltyValue(x, n, ind, nodes, *, threads=0):
    """value = penaltyValue(x, n, ind, nodes): the index-tree penalty of x."""
    call, out, args = _vector_tree("penaltyValue", "x", (x, n, ind, nodes), None, False, "scalar")
    call.run("penaltyValue", *args, threads=threads)
    return _scalar_out(out)


def groupRatioCeiling(x, n, ind, nodes, *, threads=0):
    """value = groupRatioCeiling(x, n, ind, nodes): the largest ratio of a group's norm to
    its weight."""
    call, out, args = _vector_tree("groupRatioCeiling", "x", (x, n, ind, nodes), "numbers",
                                   False, "scalar")
    call.run("groupRatioCeiling", *args, threads=threads)
    return _scalar_out(out)


def criticalWeight(v, n, ind, nodes, *, threads=0):
    """value = criticalWeight(v, n, ind, nodes): the smallest scale of the weights at which
    treeprox returns zero."""
    call, out, args = _vector_tree("criticalWeight", "v", (v, n, ind, nodes), "finite", False,
                                   "scalar")
    call.run("criticalWeight", *args, threads=threads)
    return _scalar_out(out)


def treeprox_mt(V, rows, cols, ind, nodes, *, threads=0):
    """X = treeprox_mt(V, rows, cols, ind, nodes): treeprox on every row of V."""
    return _matrix_tree("treeprox_mt", (V, rows, cols, ind, nodes), "numbers", False, "matrix",
                        threads)


def criticalWeight_mt(V, rows, cols, ind, nodes, *, threads=0):
    """value = criticalWeight_mt(V, rows, cols, ind, nodes): the largest critical weight of
    the rows of V."""
    return _matrix_tree("criticalWeight_mt", (V, rows, cols, ind, nodes), "finite", False,
                        "scalar", threads)


def general_treeprox(v, n, G, ind, nodes, *, threads=0):
    """x = general_treeprox(v, n, G, ind, nodes): treeprox with groups as slices of G."""
    call, x, args = _vector_tree("general_treeprox", "v", (v, n, G, ind, nodes), "numbers", True,
                                 "vector")
    call.run("general_treeprox", *args, threads=threads)
    return x


def general_penaltyValue(x, n, G, ind, nodes, *, threads=0):
    """value = general_penaltyValue(x, n, G, ind, nodes)."""
    call, out, args = _vector_tree("general_penaltyValue", "x", (x, n, G, ind, nodes), None, True,
                                   "scalar")
    call.run("general_penaltyValue", *args, threads=threads)
    return _scalar_out(out)


def general_criticalWeight(v, n, G, ind, nodes, *, threads=0):
    """value = general_criticalWeight(v, n, G, ind, nodes)."""
    call, out, args = _vector_tree("general_criticalWeight", "v", (v, n, G, ind, nodes), "finite",
                                   True, "scalar")
    call.run("general_criticalWeight", *args, threads=threads)
    return _scalar_out(out)


def general_treeprox_mt(V, rows, cols, G, ind, nodes, *, threads=0):
    """X = general_treeprox_mt(V, rows, cols, G, ind, nodes)."""
    return _matrix_tree("general_treeprox_mt", (V, rows, cols, G, ind, nodes), "numbers", True,
                        "matrix", threads)


def general_criticalWeight_mt(V, rows, cols, G, ind, nodes, *, threads=0):
    """value = general_criticalWeight_mt(V, rows, cols, G, ind, nodes)."""
    return _matrix_tree("general_criticalWeight_mt", (V, rows, cols, G, ind, nodes), "finite",
                        True, "scalar", threads)


# --- Ordered trees and chains -----------------------------------------------------------------

def _file_tree(module, fileName, v, rootNumber, n, threads):
    call = Call(module, (fileName, v, rootNumber, n))
    n = call.size(3, "n")
    v = call.doubles(1, "v", n)
    call.require_finite(v, n, "v")
    root_value = call.scalar(2, "rootNumber")
    root = truncate_to_int(root_value)
    name = call.string(0, "fileName")
    x = new_matrix(n, 1)
    try:
        call.run(module, x, name, v, root, n, threads=threads)
    except Exception as error:
        # The routine sees the root as an int: name the value that the caller gave.
        if getattr(error, "identifier", "") == module + ":rootOutOfRange":
            shown = "NaN" if np.isnan(root_value) else c_g(root_value, 17)
            call.fail("rootOutOfRange", "the root node number %s is outside 1..%d" % (shown, n))
        raise
    return x


def isoHier(fileName, v, rootNumber, n, *, threads=0):
    """x = isoHier(fileName, v, rootNumber, n): the nonnegative monotone fit of v over the
    tree of a description file, below node rootNumber."""
    return _file_tree("isoHier", fileName, v, rootNumber, n, threads)


def isoHier_without_nonnegative(fileName, v, rootNumber, n, *, threads=0):
    """x = isoHier_without_nonnegative(fileName, v, rootNumber, n): isoHier without the
    bound at zero."""
    return _file_tree("isoHier_without_nonnegative", fileName, v, rootNumber, n, threads)


def _vector_fit(module, v, n, finite_sum, threads):
    call = Call(module, (v, n))
    n = call.size(1, "n")
    v = call.doubles(0, "v", n)
    if finite_sum:
        call.require_finite_sum(v, n, "v")
    else:
        call.require_finite(v, n, "v")
    x = new_matrix(n, 1)
    call.run(module, x, v, n, threads=threads)
    return x


def isoHierBinary(v, n, *, threads=0):
    """x = isoHierBinary(v, n): the nonnegative monotone fit over the binary heap."""
    return _vector_fit("isoHierBinary", v, n, False, threads)


def isoHierDepth1(v, n, *, threads=0):
    """x = isoHierDepth1(v, n): the nonnegative monotone fit over the depth-one star."""
    return _vector_fit("isoHierDepth1", v, n, False, threads)


def chainAscend(v, n, *, threads=0):
    """x = chainAscend(v, n): the nonnegative non-increasing fit of v (pooling sweep)."""
    return _vector_fit("chainAscend", v, n, True, threads)


def chainDescend(v, n, *, threads=0):
    """x = chainDescend(v, n): the same fit by prefix means."""
    return _vector_fit("chainDescend", v, n, True, threads)


# --- Sparse inverse covariance ----------------------------------------------------------------

def precisionLasso(X, W, S, lam, spare, n, maxIter, tolFun, tolX, maxOuter, tolOuter, *,
                   threads=0, verbose=False):
    """[X, W] = precisionLasso(X, W, S, lambda, spare, n, maxIter, tolFun, tolX, maxOuter,
    tolOuter): the sparse inverse covariance X of S and its covariance estimate W, returned
    as new arrays (X and W are only checked for their size)."""
    call = Call("precisionLasso",
                (X, W, S, lam, spare, n, maxIter, tolFun, tolX, maxOuter, tolOuter))
    n = call.size(5, "n")
    count = n * n
    call.doubles(0, "X", count)
    call.doubles(1, "W", count)
    S = call.doubles(2, "S", count)
    lam = call.scalar(3, "lambda")
    spare = call.integer(4, "spare")
    maxIter = call.integer(6, "maxIter")
    tolFun = call.scalar(7, "tolFun")
    tolX = call.scalar(8, "tolX")
    maxOuter = call.integer(9, "maxOuter")
    tolOuter = call.scalar(10, "tolOuter")
    call.require_finite(S, count, "S")
    call.require_finite(np.array([lam]), 1, "lambda")
    if lam < 0:
        call.fail("negativePenalty", "lambda must be nonnegative, got %s" % c_g(lam))
    estimate = (new_matrix(n, n), new_matrix(n, n))
    call.run("precisionSweep", estimate[0], estimate[1], S, lam, float(spare), n, maxIter,
             tolFun, tolX, maxOuter, tolOuter, verbose, threads=threads, verbose=verbose)
    # A covariance that the lasso steps cannot invert divides by zero.
    for k, name in enumerate(("X", "W")):
        at = _core.first_nonfinite(estimate[k], 0, estimate[k].size, 1)
        if at >= 0:
            call.fail("notInvertible",
                      "the estimate of %s is not finite (element %d is %s): W = S + lambda*I "
                      "cannot be inverted; a positive lambda makes it invertible"
                      % (name, at + 1, c_g(estimate[k].ravel(order="F")[at])))
    return estimate

