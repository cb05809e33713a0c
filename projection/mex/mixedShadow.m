function [X, lambda, steps] = mixedShadow(V, m, n, z, lambda0)
%MIXEDSHADOW Euclidean projection onto the ball of the summed row norms of a matrix.
%   [X, lambda, steps] = mixedShadow(V, m, n, z, lambda0)
%
%   Projects V onto {X : sum_i norm(X(i,:)) <= z}. Every row keeps its direction and its norm
%   r_i becomes max(r_i - lambda, 0), where lambda is the threshold of the projection of the
%   row norms onto the L1 ball of radius z (see SIMPLEXSHADOW). When V lies in the ball,
%   X = V and lambda = 0.
%
%   Inputs
%     V        real double m-by-n matrix (or any array with at least m*n elements, read as
%              m-by-n in column order)
%     m, n     numbers of rows and columns, nonnegative integers
%     z        radius, z >= 0
%     lambda0  starting guess of the threshold (lambda from a previous call); used only when
%              it lies strictly between 0 and the largest row norm. Pass 0 for none.
%
%   Outputs
%     X        m-by-n projection
%     lambda   the threshold
%     steps    iterations of the threshold search, an int32 scalar
%
%   Rows run on up to SPARSEMEX_THREADS threads (default: every core), with the same results.
%
%   Errors (identifier mixedShadow:<reason>)
%     inputCount, outputCount, notRealDouble, notScalar, negativeSize, tooFewElements
%     notFinite       V holds NaN or Inf, or z is NaN
%     negativeRadius  z < 0 (after printing "z should be nonnegative!")
%     overflow        the threshold lambda exceeds the double range (row norms and their
%                     sum may exceed it: they are taken scaled)
%     interrupted     Ctrl-C in Octave stopped the call (MATLAB documents no way for
%                     a module to see Ctrl-C: there the call runs to its end)
%
%   Example
%     [X, lambda] = mixedShadow([3, 4; 0, 1], 2, 2, 3, 0)   % X = [1.8, 2.4; 0, 0], lambda = 2
%
%   See also SIMPLEXSHADOW, TWOLEVELSHADOW, POWERSHADOWMATRIX.

% Copyright 2026 The sparsemex authors. SPDX-License-Identifier: BSD-3-Clause
error('mixedShadow:notBuilt', 'mixedShadow is not built: run build_modules');
