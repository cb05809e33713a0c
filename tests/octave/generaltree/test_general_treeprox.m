% Copyright 2026 The sparsemex authors. SPDX-License-Identifier: BSD-3-Clause
% general_treeprox as a user calls it from Octave.

%!test
%! assert(general_treeprox([3; 0; 4], 3, [1 3], [1; 2; 2.5], 1), [1.5; 0; 2]);
%! % Overlapping groups {1} and {1, 2}.
%! f = (sqrt(20) - 1) / sqrt(20);
%! assert(general_treeprox([3; 4], 2, [1 1 2], [1 2; 1 3; 1 1], 2), [2 * f; 4 * f]);

%!test
%! % With G listing the positions in order, it is treeprox.
%! randn('seed', 8);
%! v = randn(8, 1);
%! ind = [-1 1 3 5 7 1 5 1; -1 2 4 6 8 4 8 8; 0.1 0.5 0.5 0.5 0.5 0.8 0.8 1];
%! assert(general_treeprox(v, 8, 1:8, ind, 8), treeprox(v, 8, ind, 8));

%!test
%! % Scattered groups are the range groups of the permuted vector.
%! randn('seed', 9);
%! v = randn(8, 1);
%! p = [5 2 8 1 7 3 6 4];
%! ind = [1 3 1; 2 8 8; 0.4 0.6 0.9];
%! x = general_treeprox(v, 8, p, ind, 3);
%! assert(x(p), treeprox(v(p), 8, ind, 3));

%!error id=general_treeprox:positionOutOfRange general_treeprox([1; 2], 2, [1 3], [1; 2; 1], 1)
%!error id=general_treeprox:sliceOutOfRange general_treeprox([1; 2], 2, [1 2], [1; 3; 1], 1)
%!error id=general_treeprox:badL1Node general_treeprox([1; 2], 2, [1 2], [-1; 2; 1], 1)
%!error id=general_treeprox:notRealDouble general_treeprox([1; 2], 2, int32([1 2]), [1; 2; 1], 1)
%!error id=general_treeprox:nodeOrder general_treeprox([1; 2], 2, [2 1 1], [1 3; 2 3; 1 1], 2)
