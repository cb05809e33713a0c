% Copyright 2026 The sparsemex authors. SPDX-License-Identifier: BSD-3-Clause
% isoHierBinary as a user calls it from Octave.

%!assert(isoHierBinary([1; 5; 3], 3), [3; 3; 3])
%!assert(isoHierBinary([4; 1; 2], 3), [4; 1; 2])
%!assert(isoHierBinary(-4, 1), 0)
%!assert(size(isoHierBinary([], 0)), [0, 1])

%!test
%! % The heap of nodes 1..n (node k above 2k and 2k+1), odd and even n, against Octave's
%! % quadratic programming solver.
%! randn('seed', 7);
%! for n = 2:25
%!   parent = [0, floor((2:n) / 2)];
%!   v = randn(n, 1);
%!   assert(isoHierBinary(v, n), tree_isotonic_qp(parent, v, true), 1e-6);
%! end

%!test
%! % A large heap: the fit is nonnegative and never rises from a node to its children.
%! n = 2^20;
%! v = randn(n, 1);
%! x = isoHierBinary(v, n);
%! assert(all(x >= 0));
%! assert(all(x(floor((2:n) / 2)) >= x(2:n)));

%!error id=isoHierBinary:notFinite isoHierBinary([1; Inf], 2)
%!error id=isoHierBinary:negativeSize isoHierBinary([1; 2], -1)
%!error id=isoHierBinary:tooFewElements isoHierBinary([1; 2], 3)
%!error id=isoHierBinary:notRealDouble isoHierBinary(int32([1; 2]), 2)
%!error <expects 2 inputs> isoHierBinary([1; 2])
