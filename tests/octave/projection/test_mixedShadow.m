% Copyright 2026 The sparsemex authors. SPDX-License-Identifier: BSD-3-Clause
% mixedShadow as a user calls it from Octave.

%!test
%! % Against an independent projection: the row norms onto the L1 ball by sorting, then each
%! % row scaled to its new norm.
%! randn('seed', 13);
%! for trial = 1:20
%!   V = randn(15, 4);
%!   V(3, :) = 0;
%!   keep = V;
%!   r = sqrt(sum(V .^ 2, 2));
%!   z = rand() * sum(r);
%!   u = sort(r, 'descend');
%!   k = find(u - (cumsum(u) - z) ./ (1:15)' > 0, 1, 'last');
%!   theta = (sum(u(1:k)) - z) / k;
%!   target = max(r - theta, 0);
%!   expected = V .* (target ./ max(r, realmin));
%!   [X, lambda, steps] = mixedShadow(V, 15, 4, z, 0);
%!   assert(lambda, theta, 1e-9);
%!   assert(X, expected, 1e-9);
%!   assert(class(steps), 'int32');
%!   assert(sum(sqrt(sum(X .^ 2, 2))) <= z + 1e-9);
%!   assert(V, keep);
%! end

%!test
%! [X, lambda, steps] = mixedShadow([3, 4; 0, 1], 2, 2, 10, 0);
%! assert(X, [3, 4; 0, 1]);
%! assert(lambda, 0);
%! assert(steps, int32(0));

%!error id=mixedShadow:negativeRadius mixedShadow(ones(2), 2, 2, -1, 0)
%!error id=mixedShadow:notFinite mixedShadow([1, NaN; 2, 3], 2, 2, 1, 0)
%!test
%! % Row norms whose sum exceeds the largest double: a finite threshold.
%! [X, lambda] = mixedShadow([1e308; 1e308], 2, 1, 1e308, 0);
%! assert(X, [0.5e308; 0.5e308], -1e-12);
%! assert(lambda, 0.5e308, -1e-12);
%!error id=mixedShadow:overflow mixedShadow([1.5e308, 1.5e308], 1, 2, 1, 0)
%!error id=mixedShadow:tooFewElements mixedShadow(ones(2), 2, 3, 1, 0)
