% Copyright 2026 The sparsemex authors. SPDX-License-Identifier: BSD-3-Clause
% powerShadowVector as a user calls it from Octave.

%!test
%! % Each group equals powerShadow on its slice; uncovered elements are 0.
%! randn('seed', 5);
%! v = randn(30, 1);
%! keep = v;
%! b = [0, 4, 4, 12, 25];
%! rho = [0.5, 2, 1, 3];
%! for p = [1, 1.5, 2, 3, 1e6]
%!   x = powerShadowVector(v, b, 4, 30, rho, p);
%!   for k = 1:4
%!     idx = b(k) + 1 : b(k + 1);
%!     assert(x(idx), powerShadow(v(idx), numel(idx), rho(k), p, 0));
%!   end
%!   assert(x(26:30), zeros(5, 1));
%! end
%! assert(v, keep);

%!test
%! % Boundaries are truncated: start fix(2.7) = 2, length fix(4 - 2.7) = 1.
%! x = powerShadowVector([3; -4; 5; 9], [0, 2.7, 4], 2, 4, [2.5, 1], 2);
%! assert(x, [1.5; -2; 4; 0]);

%!error id=powerShadowVector:groupOutOfRange powerShadowVector([1; 2; 3], [0, 2, 4], 2, 3, [1, 1], 2)
%!error id=powerShadowVector:groupOutOfRange powerShadowVector([1; 2; 3], [0, 3, 1], 2, 3, [1, 1], 2)
%!error id=powerShadowVector:negativeWeight powerShadowVector([1; 2; 3], [0, 1, 3], 2, 3, [1, -1], 2)
%!error id=powerShadowVector:invalidExponent powerShadowVector([1; 2; 3], [0, 1, 3], 2, 3, [1, 1], 0)
%!error id=powerShadowVector:notFinite powerShadowVector([1; NaN; 3], [0, 1, 3], 2, 3, [1, 1], 3)
%!error id=powerShadowVector:tooFewElements powerShadowVector([1; 2; 3], [0, 1], 2, 3, [1, 1], 2)
