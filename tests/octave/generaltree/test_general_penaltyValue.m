% Copyright 2026 The sparsemex authors. SPDX-License-Identifier: BSD-3-Clause
% general_penaltyValue as a user calls it from Octave.

%!test
%! assert(general_penaltyValue([3; 0; 4], 3, [1 3], [1; 2; 2], 1), 10);
%! % A position listed twice counts twice.
%! assert(general_penaltyValue([3; 4], 2, [1 1], [1; 2; 1], 1), sqrt(18));

%!test
%! % The formula, written here.
%! randn('seed', 11);
%! x = randn(6, 1);
%! G = [4 1 6 2 3 5 1];
%! ind = [-1 1 3; -1 2 7; 0.3 0.5 2];
%! expected = 0.3 * sum(abs(x)) + 0.5 * norm(x([4 1])) + 2 * norm(x([6 2 3 5 1]));
%! assert(general_penaltyValue(x, 6, G, ind, 3), expected, 1e-13);

%!error id=general_penaltyValue:positionOutOfRange general_penaltyValue([1; 2], 2, [0 1], [1; 2; 1], 1)
%!error id=general_penaltyValue:sliceOutOfRange general_penaltyValue([1; 2], 2, [], [1; 1; 1], 1)
