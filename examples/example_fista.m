function [b, iterations, step] = example_fista(gradient, L, b, prox)
%EXAMPLE_FISTA Accelerated proximal gradient, as the examples use it.
%   [b, iterations, step] = example_fista(gradient, L, b0, prox) minimizes f(b) + g(b) from
%   b0: gradient(b) is the gradient of the smooth part f, L its Lipschitz constant, and
%   prox(v) the proximal operator of g/L (for a constraint, the projection onto its set). It
%   stops when a step moves b by at most step = 1e-12 * max(1, norm(b)), or after 50000
%   iterations.
%
%   See also EXAMPLE_ACCURACY.

% Copyright 2026 The sparsemex authors. SPDX-License-Identifier: BSD-3-Clause
  w = b;
  t = 1;
  for iterations = 1:50000
    next = prox(w - gradient(w) / L);
    tNext = (1 + sqrt(1 + 4 * t^2)) / 2;
    w = next + ((t - 1) / tNext) * (next - b);
    change = norm(next(:) - b(:));
    b = next;
    t = tNext;
    step = 1e-12 * max(1, norm(b(:)));
    if change <= step
      break;
    end
  end
end
