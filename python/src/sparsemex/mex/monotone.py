# Copyright 2026 The sparsemex authors. SPDX-License-Identifier: BSD-3-Clause
"""Modules of the ordered-tree family: monotone fits over a tree order."""
import numpy as np

from ._vector_fit import vector_fit
from .._call import Call, c_g, new_matrix, truncate_to_int


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


def isoHierBinary(v, n, *, threads=0):
    """x = isoHierBinary(v, n): the nonnegative monotone fit over the binary heap."""
    return vector_fit("isoHierBinary", v, n, False, threads)


def isoHierDepth1(v, n, *, threads=0):
    """x = isoHierDepth1(v, n): the nonnegative monotone fit over the depth-one star."""
    return vector_fit("isoHierDepth1", v, n, False, threads)
