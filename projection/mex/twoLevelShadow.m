function [X, N] = twoLevelShadow(V, m, n, lambda1, lambda2, mode)
%TWOLEVELSHADOW Element-wise then row-wise shrinkage of a matrix.
%   [X, N] = twoLevelShadow(V, m, n, lambda1, lambda2, mode)
%
%   First soft-thresholds every element of V by lambda1, then shrinks every row of the result
%   by lambda2: in the Euclidean norm when mode is 2, in the infinity norm for any other
%   mode. In mode 2, X is the proximal operator of
%   lambda1*sum(abs(X(:))) + lambda2*sum_i norm(X(i,:)), and N = [L1 norm of X, sum of the
%   row norms of X]. In the infinity mode each row u becomes u minus its projection onto the
%   L1 ball of radius lambda2 (the row clipped at the projection's threshold), and N = [0, 0].
%
%   Inputs
%     V        real double m-by-n matrix (or any array with at least m*n elements, read as
%              m-by-n in column order)
%     m, n     numbers of rows and columns, nonnegative integers
%     lambda1  element weight, lambda1 >= 0
%     lambda2  row weight, lambda2 >= 0
%     mode     2 for Euclidean rows, any other integer for infinity-norm rows
%
%   Outputs
%     X        m-by-n result
%     N        1-by-2 norms of X (mode 2 only)
%
%   Rows run on up to SPARSEMEX_THREADS threads (default: every core), with the same results.
%
%   Errors (identifier twoLevelShadow:<reason>)
%     inputCount, outputCount, notRealDouble, notScalar, negativeSize, tooFewElements
%     negativeWeight  lambda1 < 0 or lambda2 < 0
%     notFinite       lambda1, lambda2 or an element of V is NaN; or, in the infinity mode, V holds Inf
%     overflow        in the infinity mode, the sum of the magnitudes of a row exceeds the
%                     double range
%     interrupted     Ctrl-C in Octave stopped the call (MATLAB documents no way for
%                     a module to see Ctrl-C: there the call runs to its end)
%
%   Example
%     [X, N] = twoLevelShadow([3, 4], 1, 2, 0, 2.5, 2)   % X = [1.5, 2], N = [3.5, 2.5]
%
%   See also MIXEDSHADOW, POWERSHADOWMATRIX, SIMPLEXSHADOW.

% Copyright 2026 The sparsemex authors. SPDX-License-Identifier: BSD-3-Clause
error('twoLevelShadow:notBuilt', 'twoLevelShadow is not built: run build_modules');
