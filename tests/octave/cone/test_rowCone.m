% Copyright 2026 The sparsemex authors. SPDX-License-Identifier: BSD-3-Clause
% rowCone as a user calls it from Octave.

%!test
%! [X, t] = rowCone([3 4; 3 4; 3 4], [0; 5; -5], 3, 2);
%! assert(X, [1.5 2; 3 4; 0 0]);
%! assert(t, [2.5; 5; 0]);

%!test
%! % The projection's defining conditions on random rows, with bounds inside, on and outside
%! % the cone and in the polar cone.
%! randn('seed', 9);
%! m = 300;
%! n = 7;
%! V = randn(m, n);
%! r = sqrt(sum(V .^ 2, 2));
%! c = 2 * r .* randn(m, 1);
%! c(1:50) = r(1:50) + 1;
%! c(51:100) = -r(51:100);
%! [X, t] = rowCone(V, c, m, n);
%! assert(sqrt(sum(X .^ 2, 2)) <= t + 1e-12);
%! assert(sqrt(sum((V - X) .^ 2, 2)) <= t - c + 1e-12);
%! assert(abs(sum(X .* (V - X), 2) + t .* (c - t)) < 1e-11);
%! assert(X(1:50, :), V(1:50, :));
%! assert(t(1:50), c(1:50));
%! assert(X(51:100, :), zeros(50, n));

%!test
%! % Each row is the single-group projection of that row.
%! randn('seed', 2);
%! V = randn(20, 5);
%! c = randn(20, 1);
%! [X, t] = rowCone(V, c, 20, 5);
%! for i = 1:20
%!   [x, ti] = powerShadowVectorR(V(i, :)', c(i), [0; 5], 5, 1);
%!   assert(X(i, :), x');
%!   assert(t(i), ti);
%! end

%!error <expects 4 inputs> rowCone(ones(2), [1; 1], 2)
%!error id=rowCone:tooFewElements rowCone(ones(2), [1; 1], 2, 3)
%!error id=rowCone:tooFewElements rowCone(ones(2), 1, 2, 2)
%!error id=rowCone:negativeSize rowCone(ones(2), [1; 1], -2, 2)
%!error id=rowCone:notRealDouble rowCone(sparse(ones(2)), [1; 1], 2, 2)
