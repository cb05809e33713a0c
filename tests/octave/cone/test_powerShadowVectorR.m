% Copyright 2026 The sparsemex authors. SPDX-License-Identifier: BSD-3-Clause
% powerShadowVectorR as a user calls it from Octave.

%!test
%! [x, t] = powerShadowVectorR([3; 4; 1], [0; 5], [0; 2; 3], 3, 2);
%! assert(x, [1.5; 2; 1]);
%! assert(t, [2.5; 5]);

%!test
%! % Random partitions against the projection's defining conditions, group by group.
%! randn('seed', 4);
%! rand('seed', 4);
%! for trial = 1:20
%!   lengths = floor(5 * rand(6, 1));
%!   b = [0; cumsum(lengths)];
%!   n = b(end);
%!   v = randn(n, 1);
%!   c = 3 * randn(6, 1);
%!   [x, t] = powerShadowVectorR(v, c, b, n, 6);
%!   for k = 1:6
%!     group = b(k) + 1 : b(k + 1);
%!     assert(norm(x(group)) <= t(k) + 1e-12);
%!     assert(norm(v(group) - x(group)) <= t(k) - c(k) + 1e-12);
%!     assert(abs(x(group)' * (v(group) - x(group)) + t(k) * (c(k) - t(k))) < 1e-11);
%!   end
%! end

%!error <expects 5 inputs> powerShadowVectorR([1; 2], 1, [0; 2], 2)
%!error id=powerShadowVectorR:groupOutOfRange powerShadowVectorR([1; 2], 1, [0; 3], 2, 1)
%!error id=powerShadowVectorR:groupOutOfRange powerShadowVectorR([1; 2], 1, [-1; 2], 2, 1)
%!error id=powerShadowVectorR:groupOutOfRange powerShadowVectorR([1; 2], 1, [NaN; 2], 2, 1)
%!error id=powerShadowVectorR:tooFewElements powerShadowVectorR([1; 2], [1; 1], [0; 2], 2, 2)
%!error id=powerShadowVectorR:negativeSize powerShadowVectorR([1; 2], 1, [0; 2], 2, -1)
