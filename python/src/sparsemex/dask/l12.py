# Copyright 2026 The sparsemex authors. SPDX-License-Identifier: BSD-3-Clause
"""Projection onto the mixed-norm ball over blocks of rows: one threshold for all rows."""
from typing import Optional

import dask.array as da
import numpy as np
from dask.base import tokenize
from dask.highlevelgraph import HighLevelGraph

from .. import projections
from ._blocks import map_row_blocks, row_blocks, with_layer


def project_l12_ball(V: da.Array, radius: float, start: float = 0.0, *,
                     threads: Optional[int] = 1) -> projections.L12Projection:
    """:func:`sparsemex.project_l12_ball` of a Dask matrix: the same threshold, steps and
    result as in memory.

    Three stages: the Euclidean norm of every row, block by block; the threshold, found in
    one task from all m norms (m numbers travel, not the matrix); every block shrunk by it.
    Where the sum of the norms passes the largest double, the in-memory call takes the norms
    again in units of 2**600 and searches there; so do two more stages here, one task per
    block and one search, which otherwise pass the norms and the threshold on unchanged.

    Parameters
    ----------
    V : dask.array.Array, shape (m, n)
        Finite values; any chunking of the rows (blocks that split a row's columns are
        first joined). V is read twice, for the norms and for the shrinking (three times
        where the norms are taken in long units): persist it, or keep it on disk, when it is
        costly to make again.
    radius : float
        >= 0, checked at call time.
    start : float, default 0.0
        Where the threshold search starts.
    threads : int, default 1
        Threads of each block's call.

    Returns
    -------
    sparsemex.L12Projection
        ``(X, threshold, steps)``: X a lazy Dask matrix, threshold and steps lazy 0-d Dask
        arrays.

    Examples
    --------
    >>> import dask.array as da, numpy as np, sparsemex.dask
    >>> V = da.from_array(np.array([[3.0, 4.0], [0.0, 1.0]]), chunks=(1, 2))
    >>> X, threshold, steps = sparsemex.dask.project_l12_ball(V, 2.0)
    >>> X.compute()
    array([[1.2, 1.6],
           [0. , 0. ]])
    >>> float(threshold)
    3.0
    """
    V, probe = row_blocks(V, "mixedShadow")
    projections.project_l12_ball(probe, radius, start, threads=threads)
    radius, start = float(radius), float(start)
    norms, = map_row_blocks("project_l12_ball-norms", projections.l12_row_norms, V,
                            outputs=("vector",), threads=threads)
    plain = _one_task("project_l12_ball-threshold", _plain_threshold, norms, (),
                      (np.float64, np.int64, np.bool_), radius, start)
    # Where the plain sum overflowed, the norms in long units; else the plain ones, untouched.
    shrink_norms, = map_row_blocks("project_l12_ball-long-norms", _long_row_norms, V,
                                   rows=(norms,), whole=(plain[2],), outputs=("vector",),
                                   threads=threads)
    threshold, steps, shrink_threshold = _one_task(
        "project_l12_ball-long-threshold", _long_threshold, shrink_norms, plain,
        (np.float64, np.int64, np.float64), radius, start)
    X, = map_row_blocks("project_l12_ball", projections.l12_shrink_rows, V,
                        rows=(shrink_norms,), whole=(shrink_threshold,), threads=threads)
    return projections.L12Projection(X, threshold, steps)


def _plain_threshold(blocks, radius, start):
    found = projections.l12_plain_threshold(np.concatenate(blocks), radius, start)
    return (0.0, 0, True) if found is None else (*found, False)


def _long_row_norms(V, norms, long_units, *, threads):
    return projections.l12_long_row_norms(V, threads=threads) if long_units else norms


def _long_threshold(blocks, threshold, steps, long_units, radius, start):
    """(threshold, steps, the threshold in the units of the shrinking's norms)."""
    if not long_units:
        return threshold, steps, threshold
    return projections.l12_long_threshold(np.concatenate(blocks), radius, start)


def _one_task(label, function, norms, whole, kinds, *args):
    """``function(all blocks of norms, *values of whole, *args)``, run in one task that
    gathers the norms (m numbers travel, not the matrix): one 0-d Dask array per output,
    of the given dtypes. whole: 0-d Dask arrays."""
    search = "%s-%s" % (label, tokenize(norms, *whole, *args))
    blocks = [(norms.name, i) for i in range(norms.numblocks[0])]
    layer = {(search,): (function, blocks, *[(a.name,) for a in whole], *args)}
    graph = HighLevelGraph.from_collections(search, layer, dependencies=[norms, *whole])
    arrays = []
    for at, kind in enumerate(kinds):
        name = "%s-%d" % (search, at)
        layer = {(name,): (kind, (_item, (search,), at))}
        arrays.append(da.Array(with_layer(graph, name, layer, search), name, (),
                               meta=np.empty((), dtype=kind)))
    return arrays


def _item(found, at):
    return found[at]
