function tree_check_file_fit(fit, nonnegative, seed)
%TREE_CHECK_FILE_FIT Check a file-tree module on random trees and a million-node path.
%   fit is the module (isoHier or isoHier_without_nonnegative), nonnegative whether its fit
%   is bounded below by 0. Random recursive trees of 2 to 26 nodes are compared with Octave's
%   quadratic programming solver; a path of a million nodes read from a file must be fitted
%   without exhausting the stack, and its fit must meet the optimality conditions of a chain.

% Copyright 2026 The sparsemex authors. SPDX-License-Identifier: BSD-3-Clause
  rand('seed', seed);
  randn('seed', seed);
  for trial = 1:30
    n = 2 + mod(trial, 25);
    parent = [0, arrayfun(@(k) randi(k - 1), 2:n)];
    children = arrayfun(@(k) find(parent == k), 1:n, 'UniformOutput', false);
    file = tree_description_file(children);
    v = randn(n, 1);
    x = fit(file, v, 1, n);
    delete(file);
    assert(x, tree_isotonic_qp(parent, v, nonnegative), 1e-6);
  end

  n = 1e6;
  file = tree_description_file(sprintf('%d 1 %d\n', [1:n-1; 2:n]));
  v = randn(n, 1) + 3e-6 * (1:n)';
  x = fit(file, v, 1, n);
  delete(file);
  tree_check_chain_fit(x, v, nonnegative, 1e-9);
end
