% Copyright 2026 The sparsemex authors. SPDX-License-Identifier: BSD-3-Clause
% treeprox_mt as a user calls it from Octave.

%!test
%! X = treeprox_mt([3 4; 1 0], 2, 2, [1; 2; 2.5], 1);
%! assert(X, [1.5 2; 0 0]);

%!test
%! % Every row is treeprox of that row, bit for bit.
%! randn('seed', 3);
%! V = randn(5, 6);
%! ind = [-1 1 4 1; -1 3 6 6; 0.2 0.5 0.5 1];
%! X = treeprox_mt(V, 5, 6, ind, 4);
%! for i = 1:5
%!   assert(X(i, :), treeprox(V(i, :), 6, ind, 4)');
%! end

%!test
%! assert(size(treeprox_mt(zeros(0, 3), 0, 3, [-1; 2; 1], 1)), [0 3]);

%!error id=treeprox_mt:nodeOutOfRange treeprox_mt(ones(2, 3), 2, 3, [1; 4; 1], 1)
%!error id=treeprox_mt:badL1Node treeprox_mt(ones(2, 3), 2, 3, [-1; 4; 1], 1)
%!error id=treeprox_mt:tooFewElements treeprox_mt(ones(2, 3), 3, 3, [1; 3; 1], 1)
%!error id=treeprox_mt:negativeSize treeprox_mt(ones(2, 3), 2, -3, [1; 3; 1], 1)
%!error id=treeprox_mt:nodeOrder treeprox_mt(ones(2, 3), 2, 3, [1 2; 3 3; 1 1], 2)

%!test
%! % SPARSEMEX_THREADS, set from the prompt, changes nothing in the result.
%! randn('seed', 9);
%! V = randn(600, 300);
%! ind = [-1 1 1; -1 100 300; 0.2 3 5];
%! saved = getenv('SPARSEMEX_THREADS');
%! setenv('SPARSEMEX_THREADS', '1');
%! one = treeprox_mt(V, 600, 300, ind, 3);
%! setenv('SPARSEMEX_THREADS', '3');
%! three = treeprox_mt(V, 600, 300, ind, 3);
%! setenv('SPARSEMEX_THREADS', saved);
%! assert(isequal(one, three));
%! assert(isequal(one(17, :), treeprox_mt(V(17, :), 1, 300, ind, 3)));
