% Copyright 2026 The sparsemex authors. SPDX-License-Identifier: BSD-3-Clause
% powerShadow as a user calls it from Octave.

%!test
%! % The closed forms: soft thresholding, shrinking along v, v minus its L1-ball projection.
%! v = [3; -1; 0.5; 0];
%! assert(powerShadow(v, 4, 1, 1, 0), [2; 0; 0; 0]);
%! assert(powerShadow([3; -4], 2, 2.5, 2, 0), [1.5; -2]);
%! [x, c, steps] = powerShadow(v, 4, 2, Inf, 0);
%! assert(x, [1; -1; 0.5; 0]);
%! assert(c, 1);
%! assert(steps, 2);

%!test
%! % General p against the optimality conditions, with q the dual exponent:
%! % norm(v - x, q) = rho and (v - x)' * x = rho * norm(x, p).
%! randn('seed', 11);
%! for p = [1.3, 1.7, 2.5, 4, 8]
%!   q = p / (p - 1);
%!   v = randn(60, 1) .* (rand(60, 1) > 0.1);
%!   rho = 0.4 * norm(v, q);
%!   keep = v;
%!   [x, c] = powerShadow(v, 60, rho, p, 0);
%!   assert(v, keep);
%!   assert(norm(v - x, q), rho, 1e-5 * rho);
%!   assert((v - x)' * x, rho * norm(x, p), 1e-5 * rho * norm(x, p));
%!   assert(sign(x(x ~= 0)), sign(v(x ~= 0)));
%!   assert(all(x(v == 0) == 0));
%!   assert(c > 0);
%! end

%!test
%! % The answer does not depend on the units: the optimality conditions hold at every scale,
%! % and scaling v and rho scales x.
%! randn('seed', 12);
%! v = randn(100, 1);
%! v(1:10:end) = 1e-6 * v(1:10:end);
%! for p = [1.5, 5, 10]
%!   q = p / (p - 1);
%!   rho = 0.5 * norm(v, q);
%!   x1 = powerShadow(v, 100, rho, p, 0);
%!   for s = [1e-6, 1e-3, 1e3, 1e6]
%!     x = powerShadow(s * v, 100, s * rho, p, 0);
%!     assert(norm(s * v - x, q), s * rho, 1e-7 * s * rho);
%!     assert(x, s * x1, 1e-7 * s * max(abs(x1)));
%!   end
%! end

%!test
%! % Inside the dual-norm ball the shadow is zero.
%! [x, c, steps] = powerShadow([0.3; -0.4], 2, 1, 3, 0);
%! assert(x, [0; 0]);
%! assert([c, steps], [0, 0]);

%!test
%! % A row vector or a matrix is read in column order and left as it was.
%! V = [3, 0.5; -1, 7];
%! keep = V;
%! x = powerShadow(V, 3, 1, 1.5, 0);
%! assert(size(x), [3, 1]);
%! assert(V, keep);

%!error <expects 5 inputs> powerShadow([1; 2], 2, 1, 3)
%!error id=powerShadow:negativeWeight powerShadow([1; 2], 2, -1, 3, 0)
%!error id=powerShadow:invalidExponent powerShadow([1; 2], 2, 1, 0.5, 0)
%!error id=powerShadow:invalidExponent powerShadow([1; 2], 2, 1, NaN, 0)
%!error id=powerShadow:notFinite powerShadow([1; NaN], 2, 1, 3, 0)
%!error id=powerShadow:notFinite powerShadow([1; Inf], 2, 1, Inf, 0)
%!error id=powerShadow:notFinite powerShadow([1; 2], 2, NaN, 1, 0)
%!error id=powerShadow:overflow powerShadow([1e308; 1e308], 2, 1, 3, 0)
%!error id=powerShadow:tooFewElements powerShadow([1; 2], 3, 1, 3, 0)
