# Copyright 2026 The sparsemex authors. SPDX-License-Identifier: BSD-3-Clause
"""Monotone fits over a tree order and over a chain, by pooling of maximal means."""
import os
from typing import Optional, Union

import numpy as np
from numpy.typing import ArrayLike

from . import mex
from . import _core
from ._arrays import threads_of, vector
from ._call import Call, new_matrix
from ._errors import Error


def isotonic_tree(v: ArrayLike, parents: ArrayLike, nonnegative: bool = True, *,
                  threads: Optional[int] = None) -> np.ndarray:
    """Monotone fit of values over a tree: never increasing from the root down.

    Computes the least-squares fit x of v, constant on blocks of connected nodes, with
    ``x[parents[i]] >= x[i]`` for every node i (and ``x >= 0`` when nonnegative).

    Parameters
    ----------
    v : array_like, shape (n,)
        Finite values, one per node.
    parents : array_like of int, shape (n,)
        The 0-based parent of each node, -1 at the one root.
    nonnegative : bool, default True
        Also keep every fitted value at or above 0.
    threads : int, optional

    Returns
    -------
    numpy.ndarray, shape (n,)

    Raises
    ------
    sparsemex.Error
        ``isoHierParents:notOneRoot`` (several roots, or none),
        ``isoHierParents:nodeOutOfRange`` (a parent that is no other node),
        ``isoHierParents:cyclicTree``, ``isoHierParents:notFinite``.

    Examples
    --------
    >>> import numpy as np, sparsemex
    >>> sparsemex.isotonic_tree(np.array([1.0, 3.0, -2.0]), np.array([-1, 0, 0]))
    array([2., 2., 0.])
    """
    module = "isoHierParents" if nonnegative else "isoHierParents_without_nonnegative"
    v = vector(module, "v", v)
    table = np.asarray(parents)
    if table.ndim != 1 or table.size != v.size or table.dtype.kind not in "iu":
        raise Error(module + ":notParents", "parents must be a 1-D integer array of one parent "
                    "per value (%d), got %s of shape %s" % (v.size, table.dtype, table.shape))
    if table.size and (table.min() < -1 or table.max() >= v.size):
        bad = int(np.flatnonzero((table < -1) | (table >= v.size))[0])
        raise Error(module + ":nodeOutOfRange", "node %d has parent %d, which is not another "
                    "node of 0..%d nor -1 for the root" % (bad, table[bad], v.size - 1))
    table = np.ascontiguousarray(table, dtype=np.int32)
    call = Call(module, (v,))
    call.require_finite(v, v.size, "v")
    x = new_matrix(v.size, 1)
    call.run(module, x, table, v, v.size, threads=threads_of(threads))
    return x[:, 0]


def isotonic_tree_file(path: Union[str, os.PathLike], v: ArrayLike, root: int,
                       nonnegative: bool = True, *, threads: Optional[int] = None) -> np.ndarray:
    """The fit of :func:`isotonic_tree` over the tree of a description file.

    Parameters
    ----------
    path : str or os.PathLike
        A text file of records ``node childCount child...`` with 1-based node numbers.
    v : array_like, shape (n,)
    root : int
        The 1-based number of the root node; nodes outside its subtree come out as 0.
    nonnegative : bool, default True
    threads : int, optional

    Returns
    -------
    numpy.ndarray, shape (n,)

    Raises
    ------
    sparsemex.Error
        The errors of the module ``isoHier`` (``isoHier_without_nonnegative``).
    """
    v = vector("isoHier", "v", v)
    fit = mex.isoHier if nonnegative else mex.isoHier_without_nonnegative
    return fit(path, v, root, v.size, threads=threads_of(threads))[:, 0]


def isotonic_heap(v: ArrayLike, *, threads: Optional[int] = None) -> np.ndarray:
    """Nonnegative monotone fit over the binary heap (node k the parent of 2k+1 and 2k+2).

    Examples
    --------
    >>> import numpy as np, sparsemex
    >>> sparsemex.isotonic_heap(np.array([1.0, 3.0, -2.0]))
    array([2., 2., 0.])
    """
    x = _core.fast_isoHierBinary(v, threads)
    if x is not None:
        return x
    v = vector("isoHierBinary", "v", v)
    return mex.isoHierBinary(v, v.size, threads=threads_of(threads))[:, 0]


def isotonic_star(v: ArrayLike, *, threads: Optional[int] = None) -> np.ndarray:
    """Nonnegative monotone fit over the star (node 0 the parent of every other node).

    Examples
    --------
    >>> import numpy as np, sparsemex
    >>> sparsemex.isotonic_star(np.array([1.0, 3.0, 0.5]))
    array([2. , 2. , 0.5])
    """
    x = _core.fast_isoHierDepth1(v, threads)
    if x is not None:
        return x
    v = vector("isoHierDepth1", "v", v)
    return mex.isoHierDepth1(v, v.size, threads=threads_of(threads))[:, 0]


def isotonic_chain(v: ArrayLike, method: str = "pool", *,
                   threads: Optional[int] = None) -> np.ndarray:
    """Nonnegative non-increasing least-squares fit of a sequence.

    Parameters
    ----------
    v : array_like, shape (n,)
        Finite values whose magnitudes sum to a finite number.
    method : {"pool", "prefix"}, default "pool"
        The pooling sweep (``chainAscend``) or the prefix-mean sweep (``chainDescend``);
        both give the same fit.
    threads : int, optional

    Returns
    -------
    numpy.ndarray, shape (n,)
        Empty for an empty v.

    Examples
    --------
    >>> import numpy as np, sparsemex
    >>> sparsemex.isotonic_chain(np.array([1.0, 3.0, -2.0]))
    array([2., 2., 0.])
    """
    if method not in ("pool", "prefix"):
        raise ValueError('method must be "pool" or "prefix", got %r' % (method,))
    x = (_core.fast_chainAscend if method == "pool" else _core.fast_chainDescend)(v, threads)
    if x is not None:
        return x
    fit = mex.chainAscend if method == "pool" else mex.chainDescend
    v = vector(fit.__name__, "v", v)
    if v.size == 0:
        return np.zeros(0)  # the fit of nothing, by either method (chainAscend refuses n = 0)
    return fit(v, v.size, threads=threads_of(threads))[:, 0]
