# Copyright 2026 The sparsemex authors. SPDX-License-Identifier: BSD-3-Clause
"""Modules of the two tree families: groups as index ranges, or as slices of an index list G."""
import numpy as np

from .._call import Call, new_matrix


def _scalar_out(array):
    return float(array[0, 0])


# The modules whose result depends on the order of the nodes.
ORDERED_MODULES = {"treeprox", "treeprox_mt", "criticalWeight", "criticalWeight_mt",
                   "general_treeprox", "general_treeprox_mt", "general_criticalWeight",
                   "general_criticalWeight_mt"}


def order_check(ind, nodes, G, length, unit, name):
    """(routine, arguments) of the check that every node of the table comes after the nodes
    nested inside it: ranges of positions, or slices of the index list G."""
    if G is None:
        return "checkNodeRangesInOrder", (ind, nodes, length, unit, name)
    return "checkNodeSlicesInOrder", (ind, nodes, G, length, unit, name)


# The node table (and the index list G) checked against the arrays it indexes before any
# routine reads it; node 0 is read for the L1 test unless the routine never reads it. Where
# the order matters, every node must come after the nodes nested inside it.

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
    if call.module in ORDERED_MODULES:
        routine, args = order_check(ind, nodes, G, length, unit, name)
        call.run(routine, *args)
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
