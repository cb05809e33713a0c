% Copyright 2026 The sparsemex authors. SPDX-License-Identifier: BSD-3-Clause
% penaltyValue as a user calls it from Octave.

%!test
%! assert(penaltyValue([3; -4], 2, [-1 1; -1 2; 0.5 2], 2), 13.5);
%! assert(penaltyValue([3; -4], 2, [-1; -1; 0.5], 0), 3.5);

%!test
%! % The formula, written here.
%! randn('seed', 4);
%! x = randn(10, 1);
%! ind = [-1 1 4 1; -1 3 10 10; 0.3 0.5 2 1.5];
%! expected = 0.3 * sum(abs(x)) + 0.5 * norm(x(1:3)) + 2 * norm(x(4:10)) + 1.5 * norm(x);
%! assert(penaltyValue(x, 10, ind, 4), expected, 1e-13);

%!error id=penaltyValue:nodeOutOfRange penaltyValue([1; 2], 2, [1; 3; 1], 1)
%!error id=penaltyValue:badL1Node penaltyValue([1; 2], 2, [-1; 2; 1], 1)
%!error id=penaltyValue:notRealDouble penaltyValue(single([1; 2]), 2, [1; 2; 1], 1)
%!assert (penaltyValue ([3; 4], 2, [1 1; 2 1; 2 1], 2), 13)  % the order of the nodes does not matter here
