function x = powerShadowVector(v, b, g, n, rho, p)
%POWERSHADOWVECTOR Lp-norm proximal operator of each group of a vector, with a weight per group.
%   x = powerShadowVector(v, b, g, n, rho, p)
%
%   Applies POWERSHADOW separately to each of g groups of consecutive elements of v: group k
%   (k = 1..g) starts at the 0-based element index fix(b(k)) and has fix(b(k+1) - b(k))
%   elements, and its slice of x minimises 0.5*norm(x_k - v_k)^2 + rho(k)*norm(x_k, p).
%   Elements that no group covers are 0 in x.
%
%   Inputs
%     v      real double vector with at least n elements; never changed
%     b      group boundary table, g + 1 nondecreasing 0-based indices between 0 and n
%            (for instance [0, 3, 7] for the groups 1:3 and 4:7 of MATLAB's numbering)
%     g      number of groups, a nonnegative integer
%     n      length of v and x, a nonnegative integer
%     rho    g weights, each >= 0
%     p      exponent of the norm, p >= 1 (1e6 and above is the infinity norm)
%
%   Outputs
%     x      n-by-1 result
%
%   Groups run on up to SPARSEMEX_THREADS threads (default: every core), with the same results.
%
%   Errors (identifier powerShadowVector:<reason>)
%     inputCount, outputCount, notRealDouble, notScalar, negativeSize, tooFewElements
%     groupOutOfRange  a group leaves 0..n-1 or has a negative length
%     negativeWeight   some rho(k) < 0 (after printing "rho should be non-negative!"); no
%                      group is computed
%     invalidExponent  p < 1 or p is NaN
%     notFinite        a weight is NaN; or, for p other than 1 and 2, a group of v holds NaN
%                      or Inf
%     overflow         for p other than 1 and 2, the sum of the magnitudes of a group
%                      exceeds the double range
%     interrupted      Ctrl-C in Octave stopped the call (MATLAB documents no way for
%                      a module to see Ctrl-C: there the call runs to its end)
%
%   Example
%     v = [3; 4; 0; -1; 2];
%     x = powerShadowVector(v, [0, 2, 5], 2, 5, [2.5, 1], 2)   % x = [1.5; 2; 0; -0.5528; 1.1056]
%
%   See also POWERSHADOW, POWERSHADOWMATRIX.

% Copyright 2026 The sparsemex authors. SPDX-License-Identifier: BSD-3-Clause
error('powerShadowVector:notBuilt', 'powerShadowVector is not built: run build_modules');
