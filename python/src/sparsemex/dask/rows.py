# Copyright 2026 The sparsemex authors. SPDX-License-Identifier: BSD-3-Clause
"""The row-wise operators block by block: every row as in memory, so the same bits."""
from typing import Optional

import dask.array as da
import numpy as np
from numpy.typing import ArrayLike

from .. import cones, projections, trees
from .._arrays import matrix
from .._call import Call
from .._errors import Error
from ._blocks import map_row_blocks, row_blocks, row_vector
from ._sparse_group_norms import sparse_group_norms


def tree_prox_rows(V: da.Array, tree: trees.Tree, *, threads: Optional[int] = 1) -> da.Array:
    """:func:`sparsemex.tree_prox_rows` of a Dask matrix, block by block.

    Parameters
    ----------
    V : dask.array.Array, shape (m, n)
        Any chunking of the rows; blocks that split a row's columns are first joined
        (``V.rechunk({1: -1})``), since a task needs whole rows.
    tree : sparsemex.Tree
        Pickled into the tasks.
    threads : int, default 1
        Threads of each block's call (Dask already runs blocks side by side).

    Returns
    -------
    dask.array.Array, shape (m, n), lazy: nothing runs before ``compute``.

    Raises
    ------
    sparsemex.Error
        A bad argument (a tree outside V's columns) at call time; a bad value (a NaN) when
        its block runs, with the in-memory identifier and the rows of the block.

    Examples
    --------
    >>> import dask.array as da, numpy as np, sparsemex, sparsemex.dask
    >>> V = da.from_array(np.array([[3.0, 4.0], [0.3, 0.4]]), chunks=(1, 2))
    >>> sparsemex.dask.tree_prox_rows(V, sparsemex.Tree([(0, 2, 2.5)])).compute()
    array([[1.5, 2. ],
           [0. , 0. ]])
    """
    V, probe = row_blocks(V, "treeprox_mt")
    trees.tree_prox_rows(probe, tree, threads=threads)
    return map_row_blocks("tree_prox_rows", trees.tree_prox_rows, V, tree=tree,
                          threads=threads)[0]


def prox_lp_rows(V: da.Array, weight: float, p: float, *,
                 threads: Optional[int] = 1) -> da.Array:
    """:func:`sparsemex.prox_lp_rows` of a Dask matrix, block by block.

    V, threads and the result are as for :func:`tree_prox_rows`; a bad weight or exponent
    fails at call time. With the infinity norm (p >= 1e6), each row's search starts from
    the row before it, in memory as here: the blocks then run one after another, each
    handing one number to the next.

    Examples
    --------
    >>> import dask.array as da, numpy as np, sparsemex.dask
    >>> V = da.from_array(np.array([[3.0, 4.0], [0.3, 0.4]]), chunks=(1, 2))
    >>> sparsemex.dask.prox_lp_rows(V, 2.5, 2).compute()
    array([[1.5, 2. ],
           [0. , 0. ]])
    """
    V, probe = row_blocks(V, "powerShadowMatrix")
    projections.prox_lp_rows(probe, weight, p, threads=threads)
    if p >= _CHAINED_FROM:
        _, X = map_row_blocks("prox_lp_rows", _lp_rows_from, V, carry=0.0, weight=weight, p=p,
                              threads=threads)
        return X
    return map_row_blocks("prox_lp_rows", projections.prox_lp_rows, V, weight=weight, p=p,
                          threads=threads)[0]


# From this exponent on, the rows take the infinity norm, and each row's threshold search
# starts from the threshold of the row before it: the blocks then run one after another,
# each handing its last threshold to the next.
_CHAINED_FROM = 1e6


def _lp_rows_from(c, V, weight, p, threads):
    """(last threshold, rows of V shadowed), the first row's search started from c."""
    V = matrix("powerShadowMatrix", "V", V)
    Call("powerShadowMatrix", ()).require_searchable_rows(V.reshape(-1, order="F"), *V.shape,
                                                          "V")
    X = np.empty(V.shape, order="F")
    for i in range(V.shape[0]):
        X[i], c, _ = projections.prox_lp(V[i], weight, p, c, threads=threads)
    return c, X


def project_cone_rows(V: da.Array, t: ArrayLike, *,
                      threads: Optional[int] = 1) -> cones.ConeProjection:
    """:func:`sparsemex.project_cone_rows` of a Dask matrix, block by block.

    Parameters
    ----------
    V : dask.array.Array, shape (m, n)
        As for :func:`tree_prox_rows`.
    t : dask.array.Array or array_like, shape (m,)
        Cut into V's blocks of rows.

    Returns
    -------
    sparsemex.ConeProjection
        ``(X, t)``, lazy Dask arrays of shapes (m, n) and (m,); computed together, each
        block runs once.

    Examples
    --------
    >>> import dask.array as da, numpy as np, sparsemex.dask
    >>> V = da.from_array(np.array([[3.0, 4.0], [1.0, 0.0]]), chunks=(1, 2))
    >>> X, t = sparsemex.dask.project_cone_rows(V, np.array([0.0, 2.0]))
    >>> X.compute()
    array([[1.5, 2. ],
           [1. , 0. ]])
    """
    V, probe = row_blocks(V, "rowCone")
    bounds = row_vector(t, V)
    if bounds is None:
        raise Error("rowCone:tooFewElements", "t must be a vector of %d bounds, got shape %s"
                    % (V.shape[0], da.asarray(t).shape))
    cones.project_cone_rows(probe, np.zeros(len(probe), dtype=bounds.dtype), threads=threads)
    X, s = map_row_blocks("project_cone_rows", cones.project_cone_rows, V, rows=(bounds,),
                          outputs=("matrix", "vector"), threads=threads)
    return cones.ConeProjection(X, s)


def prox_sparse_group_rows(V: da.Array, weight: float, row_weight: float, norm: float = 2, *,
                           threads: Optional[int] = 1) -> projections.SparseGroupProx:
    """:func:`sparsemex.prox_sparse_group_rows` of a Dask matrix, block by block.

    V and threads are as for :func:`tree_prox_rows`; a bad weight or norm fails at call time.

    Returns
    -------
    sparsemex.SparseGroupProx
        ``(X, norms)``, lazy: X of shape (m, n); norms of shape (2,), the sums of the
        in-memory call, taken over the blocks in row order (one small task per block, each
        waiting for the one before; computing X alone does not run them).

    Examples
    --------
    >>> import dask.array as da, numpy as np, sparsemex.dask
    >>> V = da.from_array(np.array([[3.0, 4.0], [0.3, 0.4]]), chunks=(1, 2))
    >>> X, norms = sparsemex.dask.prox_sparse_group_rows(V, 0.0, 2.5)
    >>> norms.compute()
    array([3.5, 2.5])
    """
    V, probe = row_blocks(V, "twoLevelShadow")
    projections.prox_sparse_group_rows(probe, weight, row_weight, norm, threads=threads)
    X, = map_row_blocks("prox_sparse_group_rows", _sparse_group_block, V, weight=weight,
                        row_weight=row_weight, norm=norm, threads=threads)
    return projections.SparseGroupProx(X, sparse_group_norms(V, X, weight, row_weight, norm))


def _sparse_group_block(V, weight, row_weight, norm, threads):
    return projections.prox_sparse_group_rows(V, weight, row_weight, norm, threads=threads).X


def tree_critical_weight_rows(V: da.Array, tree: trees.Tree, *,
                              threads: Optional[int] = 1) -> da.Array:
    """:func:`sparsemex.tree_critical_weight_rows` of a Dask matrix: the largest of its
    blocks' values, the same number as in memory.

    V, tree and threads are as for :func:`tree_prox_rows`.

    Returns
    -------
    dask.array.Array, 0-d, lazy.

    Examples
    --------
    >>> import dask.array as da, numpy as np, sparsemex, sparsemex.dask
    >>> V = da.from_array(np.array([[3.0, 4.0], [6.0, 8.0]]), chunks=(1, 2))
    >>> float(sparsemex.dask.tree_critical_weight_rows(V, sparsemex.Tree([(0, 2, 1.0)])))
    10.0
    """
    V, probe = row_blocks(V, "criticalWeight_mt")
    trees.tree_critical_weight_rows(probe, tree, threads=threads)
    values, = map_row_blocks("tree_critical_weight_rows", _critical_weight_block, V,
                             outputs=("block",), tree=tree, threads=threads)
    # Each block's value is the largest of its rows' (never NaN, at least 0), and so is
    # the largest over the blocks; an empty block counts 0, as the in-memory call starts.
    return values.max()


def _critical_weight_block(V, tree, threads):
    return np.array([trees.tree_critical_weight_rows(V, tree, threads=threads)])
