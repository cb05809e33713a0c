function [X, t] = rowCone(V, c, m, n)
%ROWCONE Projection of each matrix row with its bound onto the cone norm(x) <= t.
%   [X, t] = rowCone(V, c, m, n)
%
%   Projects each row of the m-by-n matrix V together with its bound, the pair
%   (V(i,:), c(i)), onto the second-order cone {(x, t) : norm(x) <= t} of dimension n + 1,
%   in the Euclidean norm. With r = norm(V(i,:)):
%     r > abs(c(i))   the row goes to the boundary: t(i) = (r + c(i)) / 2 and
%                     X(i,:) = (t(i) / r) * V(i,:)
%     c(i) >= r       the row and its bound lie in the cone and are kept
%     otherwise       c(i) <= -r (the polar cone): the row of X and t(i) are 0
%   A NaN in V or c is refused (notFinite below).
%   Entries above about 1e154 in magnitude overflow the sum of squares: r = Inf, and a row
%   outside the cone then becomes NaN with t(i) = Inf.
%
%   Inputs
%     V   real double m-by-n matrix, or any array with at least m*n elements, read in column
%         order as an m-by-n matrix
%     c   real double vector (or array) of at least m row bounds
%     m   number of rows, a nonnegative integer (truncated toward zero)
%     n   number of columns, a nonnegative integer (truncated toward zero)
%
%   Outputs
%     X   m-by-n projected rows
%     t   m-by-1 projected bounds
%
%   Rows run on up to SPARSEMEX_THREADS threads (default: every core), with the same results.
%
%   Errors (identifier rowCone:<reason>)
%     notFinite       V or c holds a NaN (infinities are accepted)
%     inputCount, outputCount, notRealDouble, notScalar, tooFewElements
%     negativeSize    m < 0 or n < 0
%     interrupted     Ctrl-C in Octave stopped the call (MATLAB documents no way for
%                     a module to see Ctrl-C: there the call runs to its end)
%
%   Example
%     [X, t] = rowCone([3 4; 3 4; 3 4], [0; 5; -5], 3, 2)
%     % X = [1.5 2; 3 4; 0 0], t = [2.5; 5; 0]
%
%   See also ELEMENTCONE, POWERSHADOWVECTORR.

% Copyright 2026 The sparsemex authors. SPDX-License-Identifier: BSD-3-Clause
error('rowCone:notBuilt', 'rowCone is not built: run build_modules');
