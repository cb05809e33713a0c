% Copyright 2026 The sparsemex authors. SPDX-License-Identifier: BSD-3-Clause
% chainDescend as a user calls it from Octave.

%!test
%! assert(chainDescend([3; 1; 2], 3), [3; 1.5; 1.5]);
%! assert(chainDescend([1; 2; 3], 3), [2; 2; 2]);
%! assert(chainDescend([2; -1; -3], 3), [2; 0; 0]);
%! assert(chainDescend([-1; -2], 2), [0; 0]);
%! assert(chainDescend(5, 1), 5);

%!test
%! % The fit's defining conditions: x is non-increasing and nonnegative; over its positive
%! % part the residual v - x sums to 0 and sums to at least 0 from any position to the end
%! % of that part; after it, no prefix of v has a positive sum.
%! randn('seed', 12);
%! for trial = 1:30
%!   n = 2 + mod(trial * 11, 80);
%!   v = randn(n, 1) + linspace(1.5, -1, n)';
%!   x = chainDescend(v, n);
%!   assert(all(diff(x) <= 0) && all(x >= 0));
%!   positive = find(x > 0, 1, 'last');
%!   if isempty(positive)
%!     positive = 0;
%!   end
%!   tails = flipud(cumsum(flipud(v(1:positive) - x(1:positive))));
%!   assert(all(tails >= -1e-12));
%!   assert(sum(v(1:positive) - x(1:positive)), 0, 1e-10);
%!   assert(all(cumsum(v(positive + 1 : end)) <= 1e-12));
%! end

%!test
%! x = chainDescend([], 0);
%! assert(size(x), [0, 1]);

%!error id=chainDescend:negativeSize chainDescend([1; 2], -1)
%!error id=chainDescend:notFinite chainDescend([1; Inf], 2)
%!error id=chainDescend:tooFewElements chainDescend([1; 2], 3)
%!error <expects 2 inputs> chainDescend([1; 2], 2, 3)
