# Copyright 2026 The sparsemex authors. SPDX-License-Identifier: BSD-3-Clause
"""Modules of the cone family: second-order cone projections."""
from .. import _core
from .._call import Call, c_g, new_matrix


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
