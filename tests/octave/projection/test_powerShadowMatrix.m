% Copyright 2026 The sparsemex authors. SPDX-License-Identifier: BSD-3-Clause
% powerShadowMatrix as a user calls it from Octave.

%!test
%! % Every row is the norm shadow of that row.
%! randn('seed', 9);
%! V = randn(7, 11);
%! keep = V;
%! for p = [1, 1.5, 2, 4]
%!   X = powerShadowMatrix(V, 7, 11, 0.8, p);
%!   assert(size(X), [7, 11]);
%!   for i = 1:7
%!     assert(X(i, :)', powerShadow(V(i, :)', 11, 0.8, p, 0));
%!   end
%! end
%! assert(V, keep);

%!test
%! % The infinity norm: each row minus its projection onto the L1 ball of radius rho.
%! randn('seed', 10);
%! V = randn(6, 9);
%! X = powerShadowMatrix(V, 6, 9, 1.5, Inf);
%! for i = 1:6
%!   u = V(i, :)';
%!   assert(X(i, :)', u - simplexShadow(u, 9, 1.5, 0), 1e-12);
%! end

%!test
%! assert(size(powerShadowMatrix(zeros(0, 3), 0, 3, 1, 3)), [0, 3]);
%! assert(size(powerShadowMatrix(zeros(4, 0), 4, 0, 1, 3)), [4, 0]);

%!error id=powerShadowMatrix:negativeWeight powerShadowMatrix(ones(2), 2, 2, -1, 3)
%!error id=powerShadowMatrix:invalidExponent powerShadowMatrix(ones(2), 2, 2, 1, -Inf)
%!error id=powerShadowMatrix:notFinite powerShadowMatrix([1, NaN; 2, 3], 2, 2, 1, 3)
%!error id=powerShadowMatrix:tooFewElements powerShadowMatrix(ones(2), 3, 2, 1, 3)
