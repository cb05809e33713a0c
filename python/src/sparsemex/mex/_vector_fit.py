# Copyright 2026 The sparsemex authors. SPDX-License-Identifier: BSD-3-Clause
"""The modules x = module(v, n) that fit n values v: they differ only in the routine and in
how much they ask of v."""
from .._call import Call, new_matrix


def vector_fit(module, v, n, finite_sum, threads):
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
