# Copyright 2026 The sparsemex authors. SPDX-License-Identifier: BSD-3-Clause
"""Norm-ball projections and Lp proximal operators."""
from typing import NamedTuple, Optional, Tuple

import numpy as np
from numpy.typing import ArrayLike

from . import mex
from . import _core
from ._arrays import matrix, threads_of, vector
from ._call import Call, new_matrix


class L1Projection(NamedTuple):
    """Result of :func:`project_l1_ball`."""
    x: np.ndarray
    threshold: float
    steps: int


class LpProx(NamedTuple):
    """Result of :func:`prox_lp`."""
    x: np.ndarray
    c: float
    steps: int


class L12Projection(NamedTuple):
    """Result of :func:`project_l12_ball`."""
    X: np.ndarray
    threshold: float
    steps: int


class SparseGroupProx(NamedTuple):
    """Result of :func:`prox_sparse_group_rows`."""
    X: np.ndarray
    norms: np.ndarray


def project_l1_ball(v: ArrayLike, radius: float, start: float = 0.0, *,
                    threads: Optional[int] = None) -> L1Projection:
    """Euclidean projection of a vector onto the L1 ball.

    Computes ``x = argmin ||x - v||_2`` subject to ``||x||_1 <= radius`` by soft thresholding
    at the threshold found by a root search.

    Parameters
    ----------
    v : array_like, shape (n,)
        Finite values whose magnitudes sum to a finite number.
    radius : float
        The radius of the ball, >= 0.
    start : float, default 0.0
        Where the threshold search starts (a previous threshold, in an iterative solver).
    threads : int, optional
        Threads the call may use (default: ``SPARSEMEX_THREADS`` or the core count).

    Returns
    -------
    L1Projection
        ``(x, threshold, steps)``: the projection, the threshold applied (0 when v is inside
        the ball) and the search steps taken.

    Raises
    ------
    sparsemex.Error
        ``simplexShadow:notFinite`` for a non-finite v, ``simplexShadow:negativeRadius``.

    Examples
    --------
    >>> import numpy as np, sparsemex
    >>> x, threshold, steps = sparsemex.project_l1_ball(np.array([3.0, -1.0, 0.5]), 2.0)
    >>> x
    array([2., 0., 0.])
    >>> threshold
    1.0
    """
    result = _core.fast_project_l1_ball(v, radius, start, L1Projection, threads)
    if result is not None:
        return result
    v = vector("simplexShadow", "v", v)
    x, threshold, steps = mex.simplexShadow(v, v.size, radius, start, threads=threads_of(threads))
    return L1Projection(x[:, 0], threshold, int(steps))


def prox_lp(v: ArrayLike, weight: float, p: float, start: float = 0.0, *,
            threads: Optional[int] = None) -> LpProx:
    """Proximal operator of ``weight * ||x||_p`` (the Lp-norm shadow) of a vector.

    Computes ``argmin 0.5 ||x - v||^2 + weight ||x||_p`` for p >= 1 (closed forms for p = 1,
    2 and inf; a search otherwise).

    Parameters
    ----------
    v : array_like, shape (n,)
    weight : float
        >= 0.
    p : float
        >= 1, or ``numpy.inf``.
    start : float, default 0.0
        Starting point of the search of the general and infinite cases.
    threads : int, optional

    Returns
    -------
    LpProx
        ``(x, c, steps)``: the result, the multiplier found by the search (0 without one) and
        the search steps.

    Raises
    ------
    sparsemex.Error
        ``powerShadow:negativeWeight``, ``powerShadow:invalidExponent``,
        ``powerShadow:notFinite``.

    Examples
    --------
    >>> import numpy as np, sparsemex
    >>> sparsemex.prox_lp(np.array([3.0, 4.0]), 2.5, 2).x
    array([1.5, 2. ])
    """
    v = vector("powerShadow", "v", v)
    x, c, steps = mex.powerShadow(v, v.size, weight, p, start, threads=threads_of(threads))
    return LpProx(x[:, 0], c, int(steps))


def prox_lp_groups(v: ArrayLike, boundaries: ArrayLike, weights: ArrayLike, p: float, *,
                   threads: Optional[int] = None) -> np.ndarray:
    """The Lp proximal operator of each group of a vector.

    Parameters
    ----------
    v : array_like, shape (n,)
    boundaries : array_like, shape (g + 1,)
        0-based starts of the groups: group k is ``v[boundaries[k]:boundaries[k+1]]``.
        Elements outside every group come out as 0.
    weights : array_like, shape (g,)
        The weight of each group, >= 0.
    p : float
        >= 1, or ``numpy.inf``.
    threads : int, optional

    Returns
    -------
    numpy.ndarray, shape (n,)

    Raises
    ------
    sparsemex.Error
        ``powerShadowVector:groupOutOfRange`` for a group outside v, and the errors of
        :func:`prox_lp`.

    Examples
    --------
    >>> import numpy as np, sparsemex
    >>> sparsemex.prox_lp_groups(np.array([3.0, 4.0, 1.0]), [0, 2, 3], [2.5, 0.5], 2)
    array([1.5, 2. , 0.5])
    """
    v = vector("powerShadowVector", "v", v)
    b = vector("powerShadowVector", "boundaries", boundaries)
    rho = vector("powerShadowVector", "weights", weights)
    g = max(b.size - 1, 0)
    if rho.size != g:
        from ._errors import Error
        raise Error("powerShadowVector:tooFewElements",
                    "weights must hold one weight per group (%d), got %d" % (g, rho.size))
    x = mex.powerShadowVector(v, b, g, v.size, rho, p, threads=threads_of(threads))
    return x[:, 0]


def prox_lp_rows(V: ArrayLike, weight: float, p: float, *,
                 threads: Optional[int] = None) -> np.ndarray:
    """The Lp proximal operator of each row of a matrix.

    Parameters
    ----------
    V : array_like, shape (m, n)
    weight : float
        >= 0, the same for every row.
    p : float
        >= 1, or ``numpy.inf``.
    threads : int, optional

    Returns
    -------
    numpy.ndarray, shape (m, n), Fortran-ordered

    Examples
    --------
    >>> import numpy as np, sparsemex
    >>> sparsemex.prox_lp_rows(np.array([[3.0, 4.0], [0.3, 0.4]]), 2.5, 2)
    array([[1.5, 2. ],
           [0. , 0. ]])
    """
    V = matrix("powerShadowMatrix", "V", V)
    return mex.powerShadowMatrix(V, V.shape[0], V.shape[1], weight, p,
                                 threads=threads_of(threads))


def project_l12_ball(V: ArrayLike, radius: float, start: float = 0.0, *,
                     threads: Optional[int] = None) -> L12Projection:
    """Projection of a matrix onto the ball of the sum of its rows' Euclidean norms.

    Parameters
    ----------
    V : array_like, shape (m, n)
        Finite values.
    radius : float
        >= 0.
    start : float, default 0.0
        Where the threshold search starts.
    threads : int, optional

    Returns
    -------
    L12Projection
        ``(X, threshold, steps)``: every row shrunk by the threshold in Euclidean norm.

    Examples
    --------
    >>> import numpy as np, sparsemex
    >>> X, threshold, steps = sparsemex.project_l12_ball(np.array([[3.0, 4.0], [0.0, 1.0]]), 2.0)
    >>> X
    array([[1.2, 1.6],
           [0. , 0. ]])
    """
    V = matrix("mixedShadow", "V", V)
    X, threshold, steps = mex.mixedShadow(V, V.shape[0], V.shape[1], radius, start,
                                          threads=threads_of(threads))
    return L12Projection(X, threshold, steps)


def prox_sparse_group_rows(V: ArrayLike, weight: float, row_weight: float, norm: float = 2, *,
                           threads: Optional[int] = None) -> SparseGroupProx:
    """Elements shrunk toward zero by ``weight``, then rows by ``row_weight``.

    Parameters
    ----------
    V : array_like, shape (m, n)
    weight : float
        The L1 weight of every element, >= 0.
    row_weight : float
        The weight of every row's norm, >= 0.
    norm : {2, numpy.inf}, default 2
        The row norm: Euclidean, or the infinity norm.
    threads : int, optional

    Returns
    -------
    SparseGroupProx
        ``(X, norms)``; with ``norm=2``, ``norms`` holds the L1 norm of X and the sum of
        its rows' Euclidean norms; with ``norm=inf`` both are 0.

    Examples
    --------
    >>> import numpy as np, sparsemex
    >>> sparsemex.prox_sparse_group_rows(np.array([[3.0, 4.0]]), 0.0, 2.5).X
    array([[1.5, 2. ]])
    """
    if norm not in (2, np.inf):
        from ._errors import Error
        raise Error("twoLevelShadow:invalidExponent", "norm must be 2 or numpy.inf, got %r"
                    % (norm,))
    V = matrix("twoLevelShadow", "V", V)
    X, N = mex.twoLevelShadow(V, V.shape[0], V.shape[1], weight, row_weight,
                              2 if norm == 2 else 0, threads=threads_of(threads))
    return SparseGroupProx(X, N[0])


# --- project_l12_ball in three steps, for rows held in blocks ---------------------------------
# The rows' norms can be taken block by block, the threshold found once from all of them, and
# every block shrunk by it: the bits of project_l12_ball on the whole matrix. Where the sum of
# the norms passes the largest double (l12_plain_threshold gives None), project_l12_ball takes
# the norms again in units of 2**600: l12_long_row_norms per block, l12_long_threshold from
# all of them, and every block shrunk by its long norms and the threshold in long units.

def l12_row_norms(V: ArrayLike, *, threads: Optional[int] = None) -> np.ndarray:
    """The Euclidean norm of every row of V, as :func:`project_l12_ball` takes it.

    Parameters
    ----------
    V : array_like, shape (m, n)
        Finite values.

    Returns
    -------
    numpy.ndarray, shape (m,)

    Examples
    --------
    >>> import numpy as np, sparsemex.projections as p
    >>> p.l12_row_norms(np.array([[3.0, 4.0], [0.0, 1.0]]))
    array([5., 1.])
    """
    return _row_norms("mixedShadowRowNorms", V, threads)


def l12_threshold(norms: ArrayLike, radius: float, start: float = 0.0) -> Tuple[float, int]:
    """The threshold of :func:`project_l12_ball` from the norms of all the rows.

    Parameters
    ----------
    norms : array_like, shape (m,)
        :func:`l12_row_norms` of every row, in row order (blocks concatenated).
    radius, start : float
        As for :func:`project_l12_ball`.

    Returns
    -------
    (threshold, steps) : (float, int)

    Examples
    --------
    >>> import numpy as np, sparsemex.projections as p
    >>> p.l12_threshold(np.array([5.0, 1.0]), 2.0)
    (3.0, 1)
    """
    norms, radius = _norms_and_radius(norms, radius)
    threshold, steps = np.zeros(1), np.zeros(1, dtype=np.int32)
    if norms.size:
        _run("mixedShadowThreshold", threshold, steps, norms, norms.size, radius, float(start))
    return float(threshold[0]), int(steps[0])


def l12_plain_threshold(norms: ArrayLike, radius: float,
                        start: float = 0.0) -> Optional[Tuple[float, int]]:
    """:func:`l12_threshold`, or None where the sum of the norms passes the largest double
    (where :func:`l12_threshold` fails with ``mixedShadow:overflow``): the rows then need
    :func:`l12_long_row_norms` and :func:`l12_long_threshold`.

    Examples
    --------
    >>> import numpy as np, sparsemex.projections as p
    >>> p.l12_plain_threshold(np.array([5.0, 1.0]), 2.0)
    (3.0, 1)
    >>> p.l12_plain_threshold(np.array([1e308, 1e308]), 2.0) is None
    True
    """
    norms, radius = _norms_and_radius(norms, radius)
    threshold, steps, long_units = np.zeros(1), np.zeros(1, dtype=np.int32), np.zeros(1, np.int32)
    if norms.size:
        _run("mixedShadowPlainThreshold", threshold, steps, long_units, norms, norms.size,
             radius, float(start))
    return None if long_units[0] else (float(threshold[0]), int(steps[0]))


def l12_long_row_norms(V: ArrayLike, *, threads: Optional[int] = None) -> np.ndarray:
    """The Euclidean norm of every row of V in units of 2**600, as :func:`project_l12_ball`
    takes it where the sum of the plain norms passes the largest double.

    Examples
    --------
    >>> import numpy as np, sparsemex.projections as p
    >>> p.l12_long_row_norms(np.array([[3.0, 4.0], [0.0, 1.0]]) * 2.0**1021) / 2.0**421
    array([5., 1.])
    """
    return _row_norms("mixedShadowLongRowNorms", V, threads)


def l12_long_threshold(norms: ArrayLike, radius: float,
                       start: float = 0.0) -> Tuple[float, int, float]:
    """The threshold of :func:`project_l12_ball` from the :func:`l12_long_row_norms` of all
    the rows.

    Returns
    -------
    (threshold, steps, long_threshold) : (float, int, float)
        The threshold, and the same in units of 2**600 for :func:`l12_shrink_rows` with the
        long norms. Fails with ``mixedShadow:overflow`` where the threshold passes the
        largest double.

    Examples
    --------
    >>> import numpy as np, sparsemex.projections as p
    >>> V = np.array([[3.0, 4.0], [4.0, 3.0]]) * 2.0**1021
    >>> norms = p.l12_long_row_norms(V)
    >>> threshold, steps, long_threshold = p.l12_long_threshold(norms, 2.0**1023)
    >>> threshold / 2.0**1021, long_threshold / 2.0**421
    (3.0, 3.0)
    >>> p.l12_shrink_rows(V, norms, long_threshold) / 2.0**1021
    array([[1.2, 1.6],
           [1.6, 1.2]])
    """
    norms, radius = _norms_and_radius(norms, radius)
    threshold, steps, long_threshold = np.zeros(1), np.zeros(1, dtype=np.int32), np.zeros(1)
    if norms.size:
        _run("mixedShadowLongThreshold", threshold, steps, long_threshold, norms, norms.size,
             radius, float(start))
    return float(threshold[0]), int(steps[0]), float(long_threshold[0])


def l12_shrink_rows(V: ArrayLike, norms: ArrayLike, threshold: float, *,
                    threads: Optional[int] = None) -> np.ndarray:
    """The rows of V shrunk in Euclidean norm by the threshold of :func:`l12_threshold`.

    Parameters
    ----------
    V : array_like, shape (m, n)
    norms : array_like, shape (m,)
        :func:`l12_row_norms` of these rows (or their :func:`l12_long_row_norms`, with the
        long threshold of :func:`l12_long_threshold`).
    threshold : float

    Returns
    -------
    numpy.ndarray, shape (m, n), Fortran-ordered

    Examples
    --------
    >>> import numpy as np, sparsemex.projections as p
    >>> V = np.array([[3.0, 4.0], [0.0, 1.0]])
    >>> p.l12_shrink_rows(V, p.l12_row_norms(V), 3.0)
    array([[1.2, 1.6],
           [0. , 0. ]])
    """
    V = matrix("mixedShadow", "V", V)
    norms = vector("mixedShadow", "norms", norms)
    if norms.size != V.shape[0]:
        raise ValueError("norms must hold one norm per row of V")
    X = new_matrix(*V.shape)
    if V.size:
        _run("mixedShadowShrink", X, V, norms, V.shape[0], V.shape[1], float(threshold),
             threads=threads_of(threads))
    return X


def _row_norms(routine, V, threads):
    V = matrix("mixedShadow", "V", V)
    Call("mixedShadow", ()).require_finite(V.reshape(-1, order="F"), V.size, "V")
    norms = np.zeros(V.shape[0])
    if V.size:
        _run(routine, norms, V, V.shape[0], V.shape[1], threads=threads_of(threads))
    return norms


def _norms_and_radius(norms, radius):
    norms = vector("mixedShadow", "norms", norms)
    call = Call("mixedShadow", ())
    radius = float(radius)
    call.require_number(radius, "z")
    if radius < 0:
        call.fail("negativeRadius", "the radius z must be nonnegative, got %g" % radius)
    return norms, radius


def _run(routine, *args, threads=0):
    Call("mixedShadow", ()).run(routine, *args, threads=threads)
