% Copyright 2026 The sparsemex authors. SPDX-License-Identifier: BSD-3-Clause
% treeprox as a user calls it from Octave.

%!test
%! x = treeprox([3; -1; 0.5], 3, [-1 1; -1 3; 1 1], 2);
%! assert(x, [1; 0; 0]);

%!test
%! % A tree, deepest first: the result is optimal, so no small step lowers the objective.
%! randn('seed', 2);
%! v = 2 * randn(8, 1);
%! ind = [-1 1 3 5 7 1 5 1; -1 2 4 6 8 4 8 8; 0.1 0.5 0.5 0.5 0.5 0.8 0.8 1];
%! omega = @(x) 0.1 * sum(abs(x)) + sum(arrayfun(@(k) ind(3, k) * norm(x(ind(1, k):ind(2, k))), 2:8));
%! f = @(x) 0.5 * sum((x - v) .^ 2) + omega(x);
%! x = treeprox(v, 8, ind, 8);
%! for trial = 1:200
%!   assert(f(x) <= f(x + 1e-3 * randn(8, 1)) + 1e-12);
%! end

%!test
%! % Only the first n elements are read; the result is a column.
%! assert(treeprox([3 4 NaN], 2, [1; 2; 2.5], 1), [1.5; 2]);
%! assert(size(treeprox([], 0, [1; 0; 1], 1)), [0 1]);

%!test
%! % A group whose length, 2.1e308, exceeds the largest double.
%! x = treeprox([1.5e308; 1.5e308], 2, [1; 2; 1e308], 1);
%! assert(x, 1.5e308 * (1 - 1e307 / hypot(1.5e307, 1.5e307)) * [1; 1], -1e-15);

%!error id=treeprox:badL1Node treeprox([1; 2; 3], 3, [-1; 3; 1], 1)
%!error id=treeprox:nodeOutOfRange treeprox([1; 2; 3], 3, [0; 3; 1], 1)
%!error id=treeprox:nodeOutOfRange treeprox([1; 2; 3], 3, [1 2; 3 4; 1 1], 2)
%!error id=treeprox:tooFewElements treeprox([1; 2; 3], 3, [1; 3; 1], 2)
%!error id=treeprox:tooFewElements treeprox([1; 2; 3], 3, [], 0)
%!error id=treeprox:negativeSize treeprox([1; 2; 3], -1, [1; 3; 1], 1)
%!error id=treeprox:inputCount treeprox([1; 2; 3], 3, [1; 3; 1])
%!error id=treeprox:nodeOrder treeprox([3; 4], 2, [1 1; 2 1; 1 1], 2)
