function [x, t] = elementCone(v, c, n)
%ELEMENTCONE Projection of value-bound pairs onto the cone |x| <= t, element by element.
%   [x, t] = elementCone(v, c, n)
%
%   Projects each pair (v(i), c(i)), i = 1..n, onto the cone {(x, t) : abs(x) <= t}, the
%   epigraph of the absolute value, in the Euclidean norm of the plane:
%     abs(v(i)) > abs(c(i))   the pair goes to the boundary: t(i) = (abs(v(i)) + c(i)) / 2
%                             and x(i) = t(i) with the sign of v(i)
%     c(i) >= abs(v(i))       the pair lies in the cone and is kept (the sign of a zero too)
%     otherwise               c(i) <= -abs(v(i)) (the polar cone): x(i) = t(i) = 0
%   A NaN in v or c is refused (notFinite below).
%
%   Inputs
%     v   real double vector (or array, read in column order) of at least n values
%     c   real double vector (or array) of at least n bounds
%     n   number of pairs, a nonnegative integer (truncated toward zero)
%
%   Outputs
%     x   n-by-1 projected values
%     t   n-by-1 projected bounds
%
%   Elements run on up to SPARSEMEX_THREADS threads (default: every core), with the same results.
%
%   Errors (identifier elementCone:<reason>)
%     notFinite       v or c holds a NaN (infinities are accepted)
%     inputCount, outputCount, notRealDouble, notScalar, tooFewElements
%     negativeSize    n < 0
%     interrupted     Ctrl-C in Octave stopped the call (MATLAB documents no way for
%                     a module to see Ctrl-C: there the call runs to its end)
%
%   Example
%     [x, t] = elementCone([3; -3; 1; 0.5], [1; 1; -3; 2], 4)
%     % x = [2; -2; 0; 0.5], t = [2; 2; 0; 2]
%
%   See also ROWCONE, POWERSHADOWVECTORR.

% Copyright 2026 The sparsemex authors. SPDX-License-Identifier: BSD-3-Clause
error('elementCone:notBuilt', 'elementCone is not built: run build_modules');
