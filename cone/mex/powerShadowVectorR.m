function [x, t] = powerShadowVectorR(v, c, b, n, g)
%POWERSHADOWVECTORR Projection of index groups of a vector with their bounds onto cones.
%   [x, t] = powerShadowVectorR(v, c, b, n, g)
%
%   Divides v(1:n) into g groups of consecutive elements and projects each group with its
%   bound, the pair (v(group k), c(k)), onto the second-order cone
%   {(x, t) : norm(x) <= t}, in the Euclidean norm. Group k holds the 0-based elements
%   fix(b(k)) to fix(b(k+1)) - 1, that is v(fix(b(k))+1 : fix(b(k+1))). With r the norm of
%   the group:
%     r > abs(c(k))   the group goes to the boundary: t(k) = (r + c(k)) / 2 and the
%                     group's elements are scaled by t(k) / r
%     c(k) >= r       the group and its bound lie in the cone and are kept
%     otherwise       c(k) <= -r (the polar cone) or a NaN: the group and t(k) are 0
%   An empty group (fix(b(k+1)) <= fix(b(k))) only sets t(k): c(k) if c(k) >= 0, else 0.
%   As in rowCone, entries above about 1e154 in magnitude overflow the sum of squares.
%   Elements that no group covers are 0 in x. Where groups overlap (b not nondecreasing),
%   each group's norm is taken over v and the last group in table order writes x.
%
%   Inputs
%     v   real double vector (or array, read in column order) of at least n values
%     c   real double vector (or array) of at least g group bounds
%     b   real double vector of g + 1 group boundaries, 0-based (may be empty when g = 0);
%         every non-empty group must lie inside the elements 0 to n - 1
%     n   length of v and x, a nonnegative integer (truncated toward zero)
%     g   number of groups, a nonnegative integer (truncated toward zero)
%
%   Outputs
%     x   n-by-1 projected vector
%     t   g-by-1 projected bounds
%
%   Groups run on up to SPARSEMEX_THREADS threads (default: every core), with the same results.
%
%   Errors (identifier powerShadowVectorR:<reason>)
%     notFinite       v or c holds a NaN (infinities are accepted)
%     inputCount, outputCount, notRealDouble, notScalar, tooFewElements
%     negativeSize      n < 0 or g < 0
%     groupOutOfRange   a non-empty group reaches below 0 or beyond n - 1 (a NaN boundary
%                       counts as below 0)
%     interrupted     Ctrl-C in Octave stopped the call (MATLAB documents no way for
%                     a module to see Ctrl-C: there the call runs to its end)
%
%   Example
%     [x, t] = powerShadowVectorR([3; 4; 1], [0; 5], [0; 2; 3], 3, 2)
%     % x = [1.5; 2; 1], t = [2.5; 5]
%
%   See also ROWCONE, ELEMENTCONE.

% Copyright 2026 The sparsemex authors. SPDX-License-Identifier: BSD-3-Clause
error('powerShadowVectorR:notBuilt', 'powerShadowVectorR is not built: run build_modules');
