function x = tree_isotonic_qp(parent, v, nonnegative)
%TREE_ISOTONIC_QP The isotonic fit on a tree by Octave's quadratic programming solver.
%   Minimises sum((x - v).^2) / 2 subject to x(parent(k)) >= x(k) for every k with
%   parent(k) > 0, and x >= 0 when nonnegative is true.

% Copyright 2026 The sparsemex authors. SPDX-License-Identifier: BSD-3-Clause
  n = numel(v);
  edges = find(parent(:)' > 0);
  A = zeros(numel(edges), n);
  for e = 1:numel(edges)
    A(e, parent(edges(e))) = 1;
    A(e, edges(e)) = -1;
  end
  lb = [];
  if nonnegative
    lb = zeros(n, 1);
  end
  x = qp(zeros(n, 1), eye(n), -v(:), [], [], lb, [], zeros(numel(edges), 1), A, ...
         inf(numel(edges), 1));
end
