function [x, c, steps] = powerShadow(v, n, rho, p, c0)
%POWERSHADOW Proximal operator of the Lp norm (the norm shadow), for any p >= 1.
%   [x, c, steps] = powerShadow(v, n, rho, p, c0)
%
%   Returns the minimiser x of 0.5*norm(x - v)^2 + rho*norm(x, p) for the first n elements
%   of v. p = 1 soft-thresholds each element by rho; p = 2 shrinks v toward zero by rho;
%   p >= 1e6 is the infinity norm, computed as v minus its projection onto the L1 ball of
%   radius rho; every other p is solved by bisection on the multiplier c of the optimality
%   conditions x_i + c*x_i^(p-1) = abs(v_i), c = rho*norm(x, p)^(1-p). x has the signs of v,
%   and the zeros of v stay zero.
%
%   Inputs
%     v        real double vector (or array, read in column order) with at least n elements;
%              never changed
%     n        number of elements, a nonnegative integer (truncated toward zero)
%     rho      weight, rho >= 0
%     p        exponent of the norm, p >= 1
%     c0       starting guess of the threshold for the infinity norm (c from a previous call
%              on a similar vector); ignored for every other p. Pass 0 for none.
%
%   Outputs
%     x        n-by-1 norm shadow of v(1:n)
%     c        the multiplier: 0 for p = 1 and p = 2, the L1-ball threshold for the infinity
%              norm, the c of the bisection otherwise (0 when x = 0). c scales with the
%              units of v as scale^(2-p), so for large p it can overflow to Inf or become 0.
%     steps    iterations: 0 for p = 1 and p = 2, the L1-ball search's iterations for the
%              infinity norm, the bisection steps (and the search's) otherwise
%
%   Accuracy. The result does not depend on the units of v: v and rho are divided by the
%   power of two that brings max(abs(v)) into [1, 2), the shadow is found there and scaled
%   back. For p other than 1, 2 and infinity the bisection finds c to 1e-8 (absolutely, at
%   that scale). With q = p/(p-1), the optimality conditions norm(v - x, q) = rho and
%   (v - x)'*x = rho*norm(x, p) then hold to about 1e-8 relative when rho is at least a tenth
%   of norm(v, q), for p up to about 100 (measured on Gaussian vectors of length 100, with
%   and without entries a million times smaller than the largest: p = 40 and p = 100 reach
%   4e-8). Where the bisection cannot work (an entry whose root underflows beside entries
%   of order 1, a bracket end that overflows, c far below 1e-8) or its answer misses these
%   conditions by more than 1e-6, the shadow is found instead by a search on norm(x, p) in
%   logarithms, which meets them to about 1e-12 and prints nothing. For p in the hundreds
%   and above, where no bracket of c fits in double precision, the infinity norm stands in
%   for p, with a relative error of about log(n)/p.
%
%   Errors (identifier powerShadow:<reason>)
%     inputCount, outputCount, notRealDouble, notScalar, negativeSize, tooFewElements
%     negativeWeight   rho < 0 (after printing "rho should be non-negative!")
%     invalidExponent  p < 1 or p is NaN
%     notFinite        rho is NaN; or, for p other than 1 and 2, v holds NaN or Inf
%     overflow         for p other than 1 and 2, sum(abs(v)) exceeds the double range
%     interrupted      Ctrl-C in Octave stopped the call (MATLAB documents no way for
%                      a module to see Ctrl-C: there the call runs to its end)
%
%   Example
%     x = powerShadow([3; -4], 2, 2.5, 2, 0)       % x = [1.5; -2]: the norm 5 shrinks to 2.5
%     [x, c] = powerShadow([3; -1; 0.5], 3, 2, Inf, 0)   % x = [1; -1; 0.5], c = 1
%
%   See also POWERSHADOWVECTOR, POWERSHADOWMATRIX, SIMPLEXSHADOW.

% Copyright 2026 The sparsemex authors. SPDX-License-Identifier: BSD-3-Clause
error('powerShadow:notBuilt', 'powerShadow is not built: run build_modules');
