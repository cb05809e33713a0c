% Copyright 2026 The sparsemex authors. SPDX-License-Identifier: BSD-3-Clause
% elementCone as a user calls it from Octave.

%!test
%! [x, t] = elementCone([3; -3; 1; 0.5; 2], [1; 1; -3; 2; 2], 5);
%! assert(x, [2; -2; 0; 0.5; 2]);
%! assert(t, [2; 2; 0; 2; 2]);

%!test
%! % The projection's defining conditions on random pairs: (x, t) in the cone, the residual
%! % in the polar cone, the two orthogonal.
%! randn('seed', 5);
%! v = randn(1000, 1);
%! c = 2 * randn(1000, 1);
%! c(1:100) = abs(v(1:100));
%! c(101:200) = -abs(v(101:200));
%! [x, t] = elementCone(v, c, 1000);
%! assert(all(abs(x) <= t));
%! assert(all(abs(v - x) <= t - c + 1e-14));
%! assert(abs(x .* (v - x) + t .* (c - t)) < 1e-12);
%! assert(x(1:100), v(1:100));
%! assert(t(101:200), zeros(100, 1));

%!error <expects 3 inputs> elementCone([1; 2], [1; 2])
%!error id=elementCone:tooFewElements elementCone([1; 2], [1], 2)
%!error id=elementCone:negativeSize elementCone([1; 2], [1; 2], -1)
%!error id=elementCone:notRealDouble elementCone(int32([1; 2]), [1; 2], 2)
