% Copyright 2026 The sparsemex authors. SPDX-License-Identifier: BSD-3-Clause
% simplexShadow as a user calls it from Octave.

%!test
%! [x, root, steps] = simplexShadow([3; -1; 0.5], 3, 2, 0);
%! assert(x, [2; 0; 0]);
%! assert(root, 1);
%! assert(steps, 2);

%!test
%! % Against a sort-based projection, written here.
%! randn('seed', 7);
%! for trial = 1:50
%!   v = randn(200, 1) .* (rand(200, 1) > 0.2);
%!   z = rand() * sum(abs(v));
%!   u = sort(abs(v), 'descend');
%!   k = find(u - (cumsum(u) - z) ./ (1:200)' > 0, 1, 'last');
%!   theta = (sum(u(1:k)) - z) / k;
%!   [x, root] = simplexShadow(v, numel(v), z, 0);
%!   assert(root, theta, 1e-7);
%!   assert(x, sign(v) .* max(abs(v) - theta, 0), 1e-7);
%!   assert(sum(abs(x)) <= z + 1e-6);
%! end

%!test
%! % A warm start from the previous threshold gives the same projection.
%! v = [0.5; -2; 1.5; -0.25; 3];
%! [x0, r0] = simplexShadow(v, 5, 2.5, 0);
%! [x1, r1, steps] = simplexShadow(v, 5, 2.5, r0);
%! assert(x1, x0, 1e-12);
%! assert(steps, 0);

%!test
%! % A row vector or a matrix is read in column order; the input is left as it was.
%! V = [3, 0.5; -1, 7];
%! keep = V;
%! x = simplexShadow(V, 3, 2, 0);
%! assert(x, [2; 0; 0]);
%! assert(V, keep);

%!test
%! % The answer does not depend on the units: at every scale the result stays in the ball and
%! % matches the sort-based projection.
%! randn('seed', 21);
%! for s = 10 .^ (-12:3:12)
%!   v = s * randn(1000, 1);
%!   z = 0.3 * sum(abs(v));
%!   u = sort(abs(v), 'descend');
%!   k = find(u - (cumsum(u) - z) ./ (1:1000)' > 0, 1, 'last');
%!   theta = (sum(u(1:k)) - z) / k;
%!   [x, root] = simplexShadow(v, 1000, z, 0);
%!   assert(sum(abs(x)) <= z * (1 + 1e-12));
%!   assert(root, theta, 1e-9 * theta);
%!   assert(x, sign(v) .* max(abs(v) - theta, 0), 1e-9 * max(abs(v)));
%! end

%!error <expects 4 inputs> simplexShadow([1; 2], 2, 1)
%!error id=simplexShadow:negativeRadius simplexShadow([1; 2], 2, -1, 0)
%!error id=simplexShadow:tooFewElements simplexShadow([1; 2], 3, 1, 0)
%!error id=simplexShadow:notFinite simplexShadow([1; NaN], 2, 1, 0)
%!error id=simplexShadow:notRealDouble simplexShadow(single([1; 2]), 2, 1, 0)
%!error id=simplexShadow:negativeSize simplexShadow([1; 2], -1, 1, 0)
