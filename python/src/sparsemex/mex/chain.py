# Copyright 2026 The sparsemex authors. SPDX-License-Identifier: BSD-3-Clause
"""Modules of the chain family: the nonnegative non-increasing fit of a sequence."""
from ._vector_fit import vector_fit


def chainAscend(v, n, *, threads=0):
    """x = chainAscend(v, n): the nonnegative non-increasing fit of v (pooling sweep)."""
    return vector_fit("chainAscend", v, n, True, threads)


def chainDescend(v, n, *, threads=0):
    """x = chainDescend(v, n): the same fit by prefix means."""
    return vector_fit("chainDescend", v, n, True, threads)
