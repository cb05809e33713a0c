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

    Parameters
    ----------
    V : dask.array.Array, shape (m, n)
        Finite values; any chunking of the rows (blocks that split a row's columns are
        first joined). V is read twice, for the norms and for the shrinking: persist it, or
        keep it on disk, when it is costly to make again.
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
    norms, = map_row_blocks("project_l12_ball-norms", projections.l12_row_norms, V,
                            outputs=("vector",), threads=threads)
    threshold, steps = _threshold(norms, float(radius), float(start))
    X, = map_row_blocks("project_l12_ball", projections.l12_shrink_rows, V, rows=(norms,),
                        whole=(threshold,), threads=threads)
    return projections.L12Projection(X, threshold, steps)


def _threshold_of(blocks, radius, start):
    return projections.l12_threshold(np.concatenate(blocks), radius, start)


def _threshold(norms, radius, start):
    """(threshold, steps) as 0-d Dask arrays, from one task that gathers all the norms."""
    search = "project_l12_ball-threshold-%s" % tokenize(norms, radius, start)
    layer = {(search,): (_threshold_of, [(norms.name, i) for i in range(norms.numblocks[0])],
                         radius, start)}
    graph = HighLevelGraph.from_collections(search, layer, dependencies=[norms])
    arrays = []
    for at, kind in enumerate((np.float64, np.int64)):
        name = "%s-%d" % (search, at)
        layer = {(name,): (kind, (_item, (search,), at))}
        arrays.append(da.Array(with_layer(graph, name, layer, search), name, (),
                               meta=np.empty((), dtype=kind)))
    return arrays


def _item(pair, at):
    return pair[at]
