# Copyright 2026 The sparsemex authors. SPDX-License-Identifier: BSD-3-Clause
"""Projections onto second-order (epigraph) cones ``{(x, t) : ||x||_2 <= t}``."""
from typing import NamedTuple, Optional

import numpy as np
from numpy.typing import ArrayLike

from . import mex
from ._arrays import matrix, threads_of, vector
from ._errors import Error


class ConeProjection(NamedTuple):
    """Result of the cone projections: the vector parts and their bounds."""
    x: np.ndarray
    t: np.ndarray


def _bounds(module, t, count):
    t = vector(module, "t", t)
    if t.size != count:
        raise Error("%s:tooFewElements" % module, "t must hold %d bounds, got %d" % (count, t.size))
    return t


def project_cone(v: ArrayLike, t: ArrayLike, *,
                 threads: Optional[int] = None) -> ConeProjection:
    """Each pair ``(v[i], t[i])`` projected onto the cone ``|x| <= t``.

    Parameters
    ----------
    v, t : array_like, shape (n,)
        No NaN.
    threads : int, optional

    Returns
    -------
    ConeProjection
        ``(x, t)``, arrays of shape (n,).

    Examples
    --------
    >>> import numpy as np, sparsemex
    >>> sparsemex.project_cone(np.array([3.0, 1.0]), np.array([1.0, 2.0]))
    ConeProjection(x=array([2., 1.]), t=array([2., 2.]))
    """
    v = vector("elementCone", "v", v)
    t = _bounds("elementCone", t, v.size)
    x, s = mex.elementCone(v, t, v.size, threads=threads_of(threads))
    return ConeProjection(x[:, 0], s[:, 0])


def project_cone_rows(V: ArrayLike, t: ArrayLike, *,
                      threads: Optional[int] = None) -> ConeProjection:
    """Each ``(V[i], t[i])`` projected onto the cone ``||x||_2 <= t``.

    Parameters
    ----------
    V : array_like, shape (m, n)
    t : array_like, shape (m,)
    threads : int, optional

    Returns
    -------
    ConeProjection
        ``(X, t)``: X of shape (m, n), t of shape (m,).

    Examples
    --------
    >>> import numpy as np, sparsemex
    >>> sparsemex.project_cone_rows(np.array([[3.0, 4.0]]), np.array([0.0])).x
    array([[1.5, 2. ]])
    """
    V = matrix("rowCone", "V", V)
    t = _bounds("rowCone", t, V.shape[0])
    X, s = mex.rowCone(V, t, V.shape[0], V.shape[1], threads=threads_of(threads))
    return ConeProjection(X, s[:, 0])


def project_cone_groups(v: ArrayLike, t: ArrayLike, boundaries: ArrayLike, *,
                        threads: Optional[int] = None) -> ConeProjection:
    """Each ``(v[b[k]:b[k+1]], t[k])`` projected onto the cone ``||x||_2 <= t``.

    Parameters
    ----------
    v : array_like, shape (n,)
    t : array_like, shape (g,)
    boundaries : array_like, shape (g + 1,)
        0-based group starts; elements outside every group come out as 0.
    threads : int, optional

    Returns
    -------
    ConeProjection
        ``(x, t)`` of shapes (n,) and (g,).

    Examples
    --------
    >>> import numpy as np, sparsemex
    >>> sparsemex.project_cone_groups(np.array([3.0, 4.0]), np.array([0.0]), [0, 2]).x
    array([1.5, 2. ])
    """
    v = vector("powerShadowVectorR", "v", v)
    b = vector("powerShadowVectorR", "boundaries", boundaries)
    g = max(b.size - 1, 0)
    t = _bounds("powerShadowVectorR", t, g)
    x, s = mex.powerShadowVectorR(v, t, b, v.size, g, threads=threads_of(threads))
    return ConeProjection(x[:, 0], s[:, 0])
