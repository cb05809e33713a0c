# Copyright 2026 The sparsemex authors. SPDX-License-Identifier: BSD-3-Clause
"""Sparse inverse covariance by block coordinate descent."""
from typing import NamedTuple, Optional

import numpy as np
from numpy.typing import ArrayLike

from . import mex
from ._arrays import matrix, threads_of
from ._errors import Error


class GraphicalLasso(NamedTuple):
    """Result of :func:`graphical_lasso`."""
    precision: np.ndarray
    covariance: np.ndarray


# How far apart, relative to the largest magnitude of S, the two readings of a pair may lie
# to be taken for rounding.
ROUNDING_ASYMMETRY = 1e-8


def symmetric_within_rounding(S: np.ndarray) -> np.ndarray:
    """S with each pair that differs by rounding alone replaced by its mean (a new array);
    S itself where it is symmetric, or where a pair differs by more (which the module then
    refuses) or holds a value that is not finite (which it refuses first)."""
    differ = S != S.T
    if not differ.any():
        return S
    with np.errstate(invalid="ignore", over="ignore"):
        within = np.abs(S - S.T)[differ] <= ROUNDING_ASYMMETRY * np.abs(S).max()
    if not within.all():
        return S
    return np.where(differ, S / 2 + S.T / 2, S)


def graphical_lasso(S: ArrayLike, alpha: float, *, max_iter: int = 100, tol_fun: float = -1.0,
                    tol_x: float = 1e-6, max_outer: int = 100, tol_outer: float = 1e-4,
                    verbose: bool = False, threads: Optional[int] = None) -> GraphicalLasso:
    """Sparse inverse covariance of a sample covariance (the graphical lasso).

    Maximises ``log det(X) - trace(S X) - alpha * sum(|X|)`` by block coordinate descent:
    each outer iteration solves a lasso problem by coordinate descent for every column.

    Parameters
    ----------
    S : array_like, shape (p, p)
        A symmetric sample covariance, finite. Pairs S[i, j], S[j, i] that differ by rounding
        alone (by at most 1e-8 of the largest magnitude in S), as ``np.cov`` and
        ``np.corrcoef`` may give them, are read as their mean; larger differences are refused.
    alpha : float
        The penalty, >= 0; also added to the diagonal of the covariance estimate.
    max_iter : int, default 100
        The most coordinate-descent sweeps per column.
    tol_fun : float, default -1.0
        A column's sweeps stop when its objective changed by at most tol_fun (-1: never;
        the objective stops changing in double precision before the coefficients do).
    tol_x : float, default 1e-6
        ... or when its coefficients changed by at most tol_x in all.
    max_outer : int, default 100
        The largest outer iteration index.
    tol_outer : float, default 1e-4
        Outer iterations stop when the covariance estimate changed by at most tol_outer in
        all (sum of absolute changes).
    verbose : bool, default False
        Print a progress line per outer iteration.
    threads : int, optional

    Returns
    -------
    GraphicalLasso
        ``(precision, covariance)``, p-by-p arrays.

    Raises
    ------
    sparsemex.Error
        ``precisionLasso:negativePenalty``, ``precisionLasso:notFinite``,
        ``precisionLasso:notSymmetric`` (S differs from its transpose),
        ``precisionLasso:notInvertible`` (no penalty on a singular S).

    Examples
    --------
    >>> import numpy as np, sparsemex
    >>> S = np.array([[1.0, 0.5], [0.5, 1.0]])
    >>> precision, covariance = sparsemex.graphical_lasso(S, 0.1)
    >>> bool(np.allclose(precision @ covariance, np.eye(2)))
    True
    """
    S = matrix("precisionLasso", "S", S)
    p = S.shape[0]
    if S.shape[1] != p:
        raise Error("precisionLasso:notSquare", "S must be square, got shape %s" % (S.shape,))
    S = symmetric_within_rounding(S)
    X, W = mex.precisionLasso(S, S, S, alpha, 0, p, max_iter, tol_fun, tol_x, max_outer,
                              tol_outer, threads=threads_of(threads), verbose=verbose)
    return GraphicalLasso(X, W)
