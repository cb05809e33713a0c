% Copyright 2026 The sparsemex authors. SPDX-License-Identifier: BSD-3-Clause
% groupRatioCeiling as a user calls it from Octave.

%!test
%! assert(groupRatioCeiling([3; 4], 2, [1 2 1; 1 2 2; 1 2 10], 3), 3);
%! assert(groupRatioCeiling([3; 4], 2, [], 0), 0);
%! assert(groupRatioCeiling([3; 0], 2, [1; 1; 0], 1), Inf);

%!test
%! % The L1 node counts as one group per entry.
%! x = [1; -6; 2];
%! assert(groupRatioCeiling(x, 3, [-1 1; -1 3; 2 10], 2), max(abs(x)) / 2);

%!error id=groupRatioCeiling:nodeOutOfRange groupRatioCeiling([1; 2], 2, [2; 3; 1], 1)
%!error id=groupRatioCeiling:tooFewElements groupRatioCeiling([1; 2], 2, [1; 2; 1], 2)
