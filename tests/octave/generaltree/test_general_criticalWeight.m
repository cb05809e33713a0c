% Copyright 2026 The sparsemex authors. SPDX-License-Identifier: BSD-3-Clause
% general_criticalWeight as a user calls it from Octave.

%!test
%! assert(general_criticalWeight([3; 0; 4], 3, [1 3], [1; 2; 1], 1), 5);

%!test
%! % By its definition: general_treeprox gives zero at lambda and not just below it.
%! randn('seed', 12);
%! G = [5 2 8 1 7 3 6 4];
%! ind = [1 3 5 7 1 5 1; 2 4 6 8 4 8 8; 0.5 0.5 0.5 0.5 0.8 0.8 1];
%! for trial = 1:20
%!   v = randn(8, 1);
%!   lambda = general_criticalWeight(v, 8, G, ind, 7);
%!   scaled = @(t) [ind(1:2, :); t * ind(3, :)];
%!   assert(all(general_treeprox(v, 8, G, scaled(lambda), 7) == 0));
%!   assert(any(general_treeprox(v, 8, G, scaled(lambda * (1 - 1e-6)), 7) ~= 0));
%! end

%!test
%! % The answers where no search could end.
%! assert(general_criticalWeight([0; 0], 2, [1 2], [1; 2; 1], 1), 0);
%! assert(general_criticalWeight([3; 1; 4], 3, [1 3], [1; 2; 1], 1), Inf);
%! assert(general_criticalWeight([3; 1; 4], 3, [1 2 3], [1; 3; 0], 1), Inf);

%!error id=general_criticalWeight:notFinite general_criticalWeight([1; NaN], 2, [1 2], [1; 2; 1], 1)
%!error id=general_criticalWeight:positionOutOfRange general_criticalWeight([1; 2], 2, [1 3], [1; 2; 1], 1)
%!error id=general_criticalWeight:nodeOrder general_criticalWeight([1; 2], 2, [2 1 1], [1 3; 2 3; 1 1], 2)
