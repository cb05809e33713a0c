% sparsemex: numerical operators for solvers of sparse learning models.
% Version 1.0.0 08-Dec-2026
%
% Projections onto norm balls and norm shadows
%   simplexShadow        - Euclidean projection onto the L1 ball, with its threshold.
%   powerShadow          - Proximal operator of the Lp norm (the norm shadow), for any p >= 1.
%   powerShadowVector    - Lp-norm proximal operator of each group of a vector.
%   powerShadowMatrix    - Lp-norm proximal operator of every row of a matrix.
%   mixedShadow          - Euclidean projection onto the ball of the summed row norms.
%   twoLevelShadow       - Element-wise then row-wise shrinkage of a matrix.
%
% Second-order cone projections
%   elementCone          - Projection of value-bound pairs onto the cone |x| <= t.
%   rowCone              - Projection of each matrix row with its bound onto a cone.
%   powerShadowVectorR   - Projection of index groups of a vector with their bounds.
%
% Tree-structured group penalties over index ranges
%   treeprox             - Proximal operator of the penalty.
%   treeprox_mt          - treeprox applied to every row of a matrix.
%   penaltyValue         - Value of the penalty.
%   groupRatioCeiling    - Largest ratio of a group's norm to its weight.
%   criticalWeight       - Smallest factor of the weights at which treeprox gives zero.
%   criticalWeight_mt    - Largest critical weight over the rows of a matrix.
%
% Tree-structured group penalties over an index list
%   general_treeprox          - Proximal operator of the penalty.
%   general_treeprox_mt       - general_treeprox applied to every row of a matrix.
%   general_penaltyValue      - Value of the penalty.
%   general_criticalWeight    - Smallest factor of the weights giving zero.
%   general_criticalWeight_mt - Largest critical weight over the rows of a matrix.
%
% Isotonic (monotone) fits over trees
%   isoHier                     - Nonnegative fit over a tree read from a description file.
%   isoHier_without_nonnegative - The same fit without the bound x >= 0.
%   isoHierBinary               - Nonnegative fit over a binary heap.
%   isoHierDepth1               - Nonnegative fit over a star.
%
% Isotonic fits over a chain
%   chainAscend          - Nonnegative non-increasing fit, pooled from the end (linear time).
%   chainDescend         - The same fit by largest prefix means.
%
% Sparse inverse covariance
%   precisionLasso       - Covariance and sparse inverse by block coordinate descent.
%
% Package
%   sparsemex_version    - Version of the modules, as a string.

% Copyright 2026 The sparsemex authors. SPDX-License-Identifier: BSD-3-Clause
