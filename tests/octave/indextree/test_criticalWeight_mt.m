% Copyright 2026 The sparsemex authors. SPDX-License-Identifier: BSD-3-Clause
% criticalWeight_mt as a user calls it from Octave.

%!test
%! assert(criticalWeight_mt([3 4; 1 0], 2, 2, [1; 2; 1], 1), 5);
%! assert(criticalWeight_mt(zeros(0, 2), 0, 2, [1; 2; 1], 1), 0);

%!test
%! % The largest of the rows' critical weights.
%! randn('seed', 7);
%! V = randn(4, 6);
%! ind = [-1 1 4 1; -1 3 6 6; 0.2 0.5 0.5 1];
%! rowwise = arrayfun(@(i) criticalWeight(V(i, :), 6, ind, 4), 1:4);
%! assert(criticalWeight_mt(V, 4, 6, ind, 4), max(rowwise));

%!error id=criticalWeight_mt:notFinite criticalWeight_mt([1 NaN], 1, 2, [1; 2; 1], 1)
%!error id=criticalWeight_mt:nodeOutOfRange criticalWeight_mt([1 2], 1, 2, [1; 3; 1], 1)
%!error id=criticalWeight_mt:nodeOrder criticalWeight_mt([1 2], 1, 2, [1 2; 2 2; 1 1], 2)
