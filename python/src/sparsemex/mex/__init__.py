# Copyright 2026 The sparsemex authors. SPDX-License-Identifier: BSD-3-Clause
"""The 27 modules under their MATLAB names, with their MATLAB signatures.

For porting MATLAB code, and as the reference of the Pythonic layer. Every module takes its
arguments in the MATLAB order (sizes passed, node tables ``ind`` and index lists ``G``
1-based as in MATLAB), computes bit for bit what the MATLAB module computes, and fails with
its error identifier and message (as :class:`sparsemex.Error`).

Differences that Python asks for:

* Array arguments are read as MATLAB reads them, in column-major order: a matrix ``V`` of m
  rows is the Fortran-ordered array ``V`` of shape (m, n), or any array whose elements in
  Fortran order are those of V. Float64 arrays in that layout are not copied; others are
  converted once.
* Results are NumPy arrays of MATLAB's shapes (a column vector is (n, 1)), Fortran-ordered;
  a 1-by-1 result is a float (an int for the step count of ``mixedShadow``). Several results
  come as a tuple.
* ``precisionLasso`` returns new arrays ``(X, W)`` instead of writing into its first two
  inputs, which are only checked for their size.
* Every module takes the keyword ``threads`` (0: ``SPARSEMEX_THREADS`` or the core count);
  ``precisionLasso`` also ``verbose`` (print its progress lines).
* A wrong argument count is Python's TypeError.
"""
from .chain import chainAscend, chainDescend
from .cone import elementCone, powerShadowVectorR, rowCone
from .monotone import isoHier, isoHier_without_nonnegative, isoHierBinary, isoHierDepth1
from .precision import precisionLasso
from .projection import (mixedShadow, powerShadow, powerShadowMatrix, powerShadowVector,
                         simplexShadow, twoLevelShadow)
from .trees import (criticalWeight, criticalWeight_mt, general_criticalWeight,
                    general_criticalWeight_mt, general_penaltyValue, general_treeprox,
                    general_treeprox_mt, groupRatioCeiling, penaltyValue, treeprox, treeprox_mt)

__all__ = [
    "simplexShadow", "powerShadow", "powerShadowVector", "powerShadowMatrix", "mixedShadow",
    "twoLevelShadow", "elementCone", "rowCone", "powerShadowVectorR", "treeprox",
    "treeprox_mt", "penaltyValue", "groupRatioCeiling", "criticalWeight", "criticalWeight_mt",
    "general_treeprox", "general_treeprox_mt", "general_penaltyValue", "general_criticalWeight",
    "general_criticalWeight_mt", "isoHier", "isoHier_without_nonnegative", "isoHierBinary",
    "isoHierDepth1", "precisionLasso", "chainAscend", "chainDescend",
]
