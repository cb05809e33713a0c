% Copyright 2026 The sparsemex authors. SPDX-License-Identifier: BSD-3-Clause
% isoHierDepth1 as a user calls it from Octave.

%!assert(isoHierDepth1([1; 5; 3], 3), [3; 3; 3])
%!assert(isoHierDepth1([4; 1; 2], 3), [4; 1; 2])
%!assert(isoHierDepth1([-1; -3; -2], 3), [0; 0; 0])
%!assert(size(isoHierDepth1(zeros(0, 1), 0)), [0, 1])

%!test
%! % Against Octave's quadratic programming solver.
%! randn('seed', 8);
%! for n = 2:25
%!   v = randn(n, 1);
%!   assert(isoHierDepth1(v, n), tree_isotonic_qp([0, ones(1, n - 1)], v, true), 1e-6);
%! end

%!test
%! % A star of a million nodes whose root pools with every other node: x is their mean.
%! n = 1e6;
%! v = [0; ones(n - 1, 1)];
%! x = isoHierDepth1(v, n);
%! assert(x, repmat((n - 1) / n, n, 1), 1e-12);

%!error id=isoHierDepth1:notFinite isoHierDepth1([NaN; 1], 2)
%!error id=isoHierDepth1:negativeSize isoHierDepth1([1; 2], -3)
%!error id=isoHierDepth1:notScalar isoHierDepth1([1; 2], [1, 2])
%!error <returns at most 1 outputs> [a, b] = isoHierDepth1([1; 2], 2)
