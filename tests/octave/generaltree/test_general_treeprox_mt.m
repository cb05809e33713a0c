% Copyright 2026 The sparsemex authors. SPDX-License-Identifier: BSD-3-Clause
% general_treeprox_mt as a user calls it from Octave.

%!test
%! X = general_treeprox_mt([3 0 4; 1 1 0], 2, 3, [1 3], [1; 2; 2.5], 1);
%! assert(X, [1.5 0 2; 0 1 0]);

%!test
%! % Every row is general_treeprox of that row, bit for bit.
%! randn('seed', 10);
%! V = randn(4, 6);
%! G = [6 2 4 1 3 5];
%! ind = [-1 1 3 1; -1 2 6 6; 0.2 0.5 0.5 1];
%! X = general_treeprox_mt(V, 4, 6, G, ind, 4);
%! for i = 1:4
%!   assert(X(i, :), general_treeprox(V(i, :), 6, G, ind, 4)');
%! end

%!error id=general_treeprox_mt:positionOutOfRange general_treeprox_mt(ones(2, 3), 2, 3, [4], [1; 1; 1], 1)
%!error id=general_treeprox_mt:negativeSize general_treeprox_mt(ones(2, 3), -2, 3, [1], [1; 1; 1], 1)
%!error id=general_treeprox_mt:nodeOrder general_treeprox_mt(ones(2, 3), 2, 3, [1 3 3], [1 3; 2 3; 1 1], 2)
