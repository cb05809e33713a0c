% Copyright 2026 The sparsemex authors. SPDX-License-Identifier: BSD-3-Clause
% criticalWeight as a user calls it from Octave.

%!test
%! assert(criticalWeight([3; 4], 2, [1; 2; 1], 1), 5);
%! lambda = criticalWeight([1; -3], 2, [-1; -1; 1], 1);
%! assert(lambda >= 3 && lambda <= 3 + 3e-10);

%!test
%! % By its definition: treeprox gives zero at lambda and not just below it.
%! randn('seed', 6);
%! ind = [-1 1 3 5 7 1 5 1; -1 2 4 6 8 4 8 8; 0.1 0.5 0.5 0.5 0.5 0.8 0.8 1];
%! for trial = 1:20
%!   v = randn(8, 1);
%!   lambda = criticalWeight(v, 8, ind, 8);
%!   scaled = @(t) [ind(1:2, :); t * ind(3, :)];
%!   assert(all(treeprox(v, 8, scaled(lambda), 8) == 0));
%!   assert(any(treeprox(v, 8, scaled(lambda * (1 - 1e-6)), 8) ~= 0));
%! end

%!test
%! % The answers where no search could end.
%! assert(criticalWeight([0; 0], 2, [1; 2; 1], 1), 0);
%! assert(criticalWeight([], 0, [1; 0; 1], 1), 0);
%! assert(criticalWeight([1; 2], 2, [1; 1; 1], 1), Inf);
%! assert(criticalWeight([1; 2], 2, [-1 1; -1 2; 0 0], 2), Inf);

%!test
%! % A length of 2.1e308, past the largest double, over the weight 10.
%! assert(criticalWeight([1.5e308; 1.5e308], 2, [1; 2; 10], 1), hypot(1.5e307, 1.5e307), -2e-10);

%!error id=criticalWeight:notFinite criticalWeight([1; NaN], 2, [1; 2; 1], 1)
%!error id=criticalWeight:notFinite criticalWeight([1; Inf], 2, [1; 2; 1], 1)
%!error id=criticalWeight:badL1Node criticalWeight([1; 2], 2, [-1; 2; 1], 1)
%!error id=criticalWeight:nodeOutOfRange criticalWeight([1; 2], 2, [1; 3; 1], 1)
%!error id=criticalWeight:nodeOrder criticalWeight([1; 2], 2, [1 1; 2 1; 1 1], 2)
