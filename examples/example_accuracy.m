function distance = example_accuracy(A, step)
%EXAMPLE_ACCURACY How far from its solution an example's fit may stop.
%   distance = example_accuracy(A, step) bounds the distance to the solution of a
%   (projected or proximal) gradient fit of 0.5*||A*b - y||^2 plus a convex term, stopped
%   once a step moved b by at most step. Such fits shrink their distance to the solution by
%   at least a factor 1 - 1/kappa per step, kappa = cond(A'*A), so what is left after a
%   step of length step is at most about kappa*step; the momentum of the accelerated fits
%   makes their steps shrink unevenly, hence ten times that. The gradient A'*(A*b - y) is
%   then within norm(A)^2 times the distance of its value at the solution.
%
%   The examples' checks take their tolerances from this bound, not from the last bits of
%   a product such as A'*r: those differ from one BLAS (and CPU) to another, and change the
%   step at which a fit stops, but not the bound.
%
%   See also EXAMPLE_FISTA.

% Copyright 2026 The sparsemex authors. SPDX-License-Identifier: BSD-3-Clause
  distance = 10 * cond(A' * A) * step;
end
