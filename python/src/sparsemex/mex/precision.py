# Copyright 2026 The sparsemex authors. SPDX-License-Identifier: BSD-3-Clause
"""Module of the precision family: sparse inverse covariance."""
import numpy as np

from .. import _core
from .._call import Call, c_g, new_matrix


def precisionLasso(X, W, S, lam, spare, n, maxIter, tolFun, tolX, maxOuter, tolOuter, *,
                   threads=0, verbose=False):
    """[X, W] = precisionLasso(X, W, S, lambda, spare, n, maxIter, tolFun, tolX, maxOuter,
    tolOuter): the sparse inverse covariance X of S and its covariance estimate W, returned
    as new arrays (X and W are only checked for their size)."""
    call = Call("precisionLasso",
                (X, W, S, lam, spare, n, maxIter, tolFun, tolX, maxOuter, tolOuter))
    n = call.size(5, "n")
    count = n * n
    call.doubles(0, "X", count)
    call.doubles(1, "W", count)
    S = call.doubles(2, "S", count)
    lam = call.scalar(3, "lambda")
    spare = call.integer(4, "spare")
    maxIter = call.integer(6, "maxIter")
    tolFun = call.scalar(7, "tolFun")
    tolX = call.scalar(8, "tolX")
    maxOuter = call.integer(9, "maxOuter")
    tolOuter = call.scalar(10, "tolOuter")
    call.require_finite(S, count, "S")
    call.run("checkSymmetricCovariance", S, n)
    call.require_finite(np.array([lam]), 1, "lambda")
    if lam < 0:
        call.fail("negativePenalty", "lambda must be nonnegative, got %s" % c_g(lam))
    estimate = (new_matrix(n, n), new_matrix(n, n))
    call.run("precisionSweep", estimate[0], estimate[1], S, lam, float(spare), n, maxIter,
             tolFun, tolX, maxOuter, tolOuter, verbose, threads=threads, verbose=verbose)
    # A covariance that the lasso steps cannot invert divides by zero.
    for k, name in enumerate(("X", "W")):
        at = _core.first_nonfinite(estimate[k], 0, estimate[k].size, 1)
        if at >= 0:
            call.fail("notInvertible",
                      "the estimate of %s is not finite (element %d is %s): W = S + lambda*I "
                      "cannot be inverted; a positive lambda makes it invertible"
                      % (name, at + 1, c_g(estimate[k].ravel(order="F")[at])))
    return estimate
