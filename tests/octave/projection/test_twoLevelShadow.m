% Copyright 2026 The sparsemex authors. SPDX-License-Identifier: BSD-3-Clause
% twoLevelShadow as a user calls it from Octave.

%!test
%! % Mode 2: soft thresholding, then each row's norm shrunk by lambda2; N holds the norms.
%! randn('seed', 17);
%! for n = [3, 5, 7, 12]
%!   V = randn(8, n);
%!   keep = V;
%!   U = sign(V) .* max(abs(V) - 0.3, 0);
%!   r = sqrt(sum(U .^ 2, 2));
%!   expected = U .* (max(r - 1.2, 0) ./ max(r, realmin));
%!   [X, N] = twoLevelShadow(V, 8, n, 0.3, 1.2, 2);
%!   assert(X, expected, 1e-13);
%!   assert(N, [sum(abs(expected(:))), sum(sqrt(sum(expected .^ 2, 2)))], 1e-12);
%!   assert(V, keep);
%! end

%!test
%! % Any other mode: each thresholded row minus its projection onto the L1 ball of radius
%! % lambda2; N stays zero.
%! randn('seed', 19);
%! V = randn(5, 6);
%! [X, N] = twoLevelShadow(V, 5, 6, 0.2, 0.7, 1);
%! U = sign(V) .* max(abs(V) - 0.2, 0);
%! for i = 1:5
%!   assert(X(i, :)', U(i, :)' - simplexShadow(U(i, :)', 6, 0.7, 0), 1e-12);
%! end
%! assert(N, [0, 0]);

%!test
%! [X, N] = twoLevelShadow([3, 4], 1, 2, 0, 2.5, 2);
%! assert(X, [1.5, 2]);
%! assert(N, [3.5, 2.5]);

%!error id=twoLevelShadow:negativeWeight twoLevelShadow(ones(2), 2, 2, 0.1, -1, 1)
%!error id=twoLevelShadow:negativeWeight twoLevelShadow(ones(2), 2, 2, -0.1, 1, 2)
%!error id=twoLevelShadow:notFinite twoLevelShadow([1, Inf; 2, 3], 2, 2, 0.1, 1, 1)
%!error id=twoLevelShadow:notFinite twoLevelShadow(ones(2), 2, 2, NaN, 1, 2)
%!error id=twoLevelShadow:tooFewElements twoLevelShadow(ones(2), 2, 3, 0.1, 1, 2)
