% Copyright 2026 The sparsemex authors. SPDX-License-Identifier: BSD-3-Clause
% chainAscend as a user calls it from Octave.

%!function x = pooled_fit(v)
%! % Non-increasing least-squares fit by pooling adjacent violators, clipped at 0.
%! sums = [];
%! counts = [];
%! for value = v(:)'
%!   sums(end + 1) = value;
%!   counts(end + 1) = 1;
%!   while numel(sums) > 1 && sums(end) / counts(end) > sums(end - 1) / counts(end - 1)
%!     sums(end - 1) += sums(end);
%!     counts(end - 1) += counts(end);
%!     sums(end) = [];
%!     counts(end) = [];
%!   end
%! end
%! x = max(repelem(sums ./ counts, counts)', 0);
%!endfunction

%!test
%! assert(chainAscend([3; 1; 2], 3), [3; 1.5; 1.5]);
%! assert(chainAscend([1; 2; 3], 3), [2; 2; 2]);
%! assert(chainAscend([2; -1; -3], 3), [2; 0; 0]);
%! assert(chainAscend([-1; -2], 2), [0; 0]);
%! assert(chainAscend(-4, 1), 0);

%!test
%! randn('seed', 8);
%! for trial = 1:40
%!   n = 1 + mod(trial * 7, 60);
%!   v = round(4 * randn(n, 1)) / 2 + linspace(2, -2, n)';
%!   x = chainAscend(v, n);
%!   assert(x, pooled_fit(v), 1e-12);
%!   assert(x, chainDescend(v, n), 1e-12);
%! end

%!error id=chainAscend:nonPositiveLength chainAscend([], 0)
%!error id=chainAscend:negativeSize chainAscend([1; 2], -1)
%!error id=chainAscend:notFinite chainAscend([1; NaN], 2)
%!error id=chainAscend:overflow chainAscend([1e308; 1e308], 2)
%!error id=chainAscend:tooFewElements chainAscend([1; 2], 3)
%!error <expects 2 inputs> chainAscend([1; 2])
