function tree_check_chain_fit(x, v, nonnegative, tol)
%TREE_CHECK_CHAIN_FIT Assert that x is the isotonic fit of v along a chain, top first.
%   Checks the optimality conditions: x non-increasing (and >= 0 when nonnegative); on each
%   run of equal values that is not held at 0, x is the mean of v; and no top part of a run
%   has a mean of v above the run's value (splitting it off would then fit better).

% Copyright 2026 The sparsemex authors. SPDX-License-Identifier: BSD-3-Clause
  x = x(:);
  v = v(:);
  assert(all(diff(x) <= 0), 'the fit increases along the chain');
  if nonnegative
    assert(all(x >= 0), 'the fit is negative somewhere');
  end
  starts = [1; find(diff(x) ~= 0) + 1];
  run = cumsum(accumarray(starts, 1, size(x)));
  held = nonnegative & x == 0;
  means = accumarray(run, v) ./ accumarray(run, 1);
  free = ~held;
  assert(x(free), means(run(free)), tol * max(1, max(abs(v))));
  % Sums of v - x over the top parts of each run.
  c = cumsum(v - x);
  before = [0; c];
  top = c - before(starts(run));
  assert(all(top <= tol * numel(v)), 'a top part of a run has a mean above the run''s value');
end
