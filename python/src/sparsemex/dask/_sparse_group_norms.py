# Copyright 2026 The sparsemex authors. SPDX-License-Identifier: BSD-3-Clause
"""The two norms of prox_sparse_group_rows over blocks of rows, with the in-memory bits.

In memory, each norm is one running sum over the rows in order, fed per row with the
Euclidean row step's terms: the leading n mod 5 columns one by one, then the sum of each
following block of five columns. A running sum cannot be split into partial sums without
changing its rounding, so block k's task continues the sum where block k-1's left it,
feeding it the same terms in the same order (np.add.accumulate adds strictly left to right).
"""
import dask.array as da
import numpy as np

from ._blocks import map_row_blocks


def row_terms(values):
    """The terms each row adds to a sum over its columns, grouped as the row step groups
    them: the leading n mod 5 columns alone, then each block of five summed left to right."""
    rows, n = values.shape
    lead = n % 5
    five = values[:, lead:].reshape(rows, (n - lead) // 5, 5)
    blocks = five[:, :, 0]
    for k in range(1, 5):
        blocks = blocks + five[:, :, k]
    return np.concatenate([values[:, :lead], blocks], axis=1)


def _continued(total, terms):
    """total + terms[0] + terms[1] + ..., added left to right."""
    return np.add.accumulate(np.concatenate([[total], terms]))[-1]


def _fold_block(norms, V, X, weight, row_weight):
    """norms continued over one block: V its input rows, X their results."""
    V = np.asarray(V, dtype=np.float64)
    shrunk = np.where(V < -weight, V + weight, np.where(V > weight, V - weight, 0.0))
    squares = row_terms(shrunk * shrunk)
    r = np.sqrt(np.add.accumulate(squares, axis=1)[:, -1]) if squares.shape[1] \
        else np.zeros(V.shape[0])
    # A row at most row_weight long is set to zero and adds nothing (a zero term).
    kept = np.where(row_weight >= r, 0.0, r - row_weight)
    return (np.array([_continued(norms[0], row_terms(np.abs(X)).ravel()),
                      _continued(norms[1], kept)]),)


def sparse_group_norms(V, X, weight, row_weight, norm):
    """The ``norms`` of prox_sparse_group_rows: V the input, X the result (both Dask
    matrices with the same blocks of whole rows); a lazy Dask vector of 2."""
    if norm != 2:
        return da.zeros(2, chunks=2)
    return map_row_blocks("prox_sparse_group_rows-norms", _fold_block, V, rows=(X,),
                          outputs=(), carry=np.zeros(2), weight=float(weight),
                          row_weight=float(row_weight))[0]
