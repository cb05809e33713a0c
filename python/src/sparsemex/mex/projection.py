# Copyright 2026 The sparsemex authors. SPDX-License-Identifier: BSD-3-Clause
"""Modules of the projection family: L1-ball projection and Lp-norm shadows."""
import numpy as np

from .. import _core
from .._call import Call, c_g, new_matrix, truncate_to_int


def _shadow_searches(p):
    """p = 1 and p = 2 have closed forms; every other exponent searches, on finite data."""
    return p != 1 and p != 2


def simplexShadow(v, n, z, lambda0, *, threads=0):
    """[x, root, steps] = simplexShadow(v, n, z, lambda0): projection of v onto the L1 ball
    of radius z (search started at lambda0)."""
    call = Call("simplexShadow", (v, n, z, lambda0))
    n = call.size(1, "n")
    v = call.doubles(0, "v", n)
    z = call.scalar(2, "z")
    lambda0 = call.scalar(3, "lambda0")
    # The routine checks v in the pass that sums it; before the checks of z, v is checked
    # here, so that the first fault named is the same either way.
    if not z >= 0:
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
