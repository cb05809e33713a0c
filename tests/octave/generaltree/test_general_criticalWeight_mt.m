% Copyright 2026 The sparsemex authors. SPDX-License-Identifier: BSD-3-Clause
% general_criticalWeight_mt as a user calls it from Octave.

%!test
%! V = [3 0 4; 0 2 0];
%! assert(general_criticalWeight_mt(V, 2, 3, [1 3 2], [1 3; 2 3; 1 1], 2), ...
%!        general_criticalWeight([3; 0; 4], 3, [1 3 2], [1 3; 2 3; 1 1], 2));
%! assert(general_criticalWeight_mt(zeros(0, 3), 0, 3, [1], [1; 1; 1], 1), 0);

%!test
%! % The largest of the rows' critical weights.
%! randn('seed', 13);
%! V = randn(4, 6);
%! G = [6 2 4 1 3 5];
%! ind = [-1 1 3 1; -1 2 6 6; 0.2 0.5 0.5 1];
%! rowwise = arrayfun(@(i) general_criticalWeight(V(i, :), 6, G, ind, 4), 1:4);
%! assert(general_criticalWeight_mt(V, 4, 6, G, ind, 4), max(rowwise));

%!error id=general_criticalWeight_mt:notFinite general_criticalWeight_mt([1 Inf], 1, 2, [1 2], [1; 2; 1], 1)
%!error id=general_criticalWeight_mt:sliceOutOfRange general_criticalWeight_mt([1 2], 1, 2, [1 2], [2; 3; 1], 1)
%!error id=general_criticalWeight_mt:nodeOrder general_criticalWeight_mt([1 2], 1, 2, [2 1 2], [1 3; 2 3; 1 1], 2)
