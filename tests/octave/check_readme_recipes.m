function check_readme_recipes(root, scratch)
%CHECK_README_RECIPES Run the README's "How do I ..." recipes as they stand, each in a
%   workspace of its own and from the folder scratch (emptied first), and check what each
%   computes against an independent reference.

% Copyright 2026 The sparsemex authors. SPDX-License-Identifier: BSD-3-Clause
  readme = fileread(fullfile(root, 'README.md'));
  section = regexp(readme, '\n## How do I[^\n]*\n(.*?)\n## ', 'tokens', 'once');
  recipes = regexp(section{1}, '```matlab\n(.*?)```', 'tokens');
  recipes = strrep([recipes{:}], '/path/to/sparsemex', root);
  assert(numel(recipes) == 5, 'the README has %d recipes', numel(recipes));

  restore = enter_scratch_folder(scratch); %#ok<NASGU>

  randn('seed', 11);
  r = run_recipe(recipes{1});              % every row of a matrix onto an L1 ball
  for i = 1:r.m
    assert(r.X(i, :), l1_projection(r.V(i, :), r.z), 1e-12);
  end

  r = run_recipe(recipes{2});              % a non-increasing fit below 0
  assert(r.x, pooled_fit(r.v), 1e-12);
  assert(any(r.x < 0));

  randn('seed', 12);
  r = run_recipe(recipes{3});              % a group lasso over nested groups
  % 3000 steps of a gradient method that contracts by 1 - 1/cond(A'*A) per step (about 5
  % for these Gaussian data) leave b at its fixed point up to rounding.
  step = treeprox(r.b - r.A' * (r.A * r.b - r.y) / r.L, 8, r.scaled, r.nodes);
  assert(norm(step - r.b) <= 1e-9 * max(1, norm(r.b)));
  assert(any(r.b ~= 0));

  randn('seed', 13);
  r = run_recipe(recipes{4});              % a graphical lasso path; its last estimate
  support = ~eye(r.n) & r.X ~= 0;
  assert(r.W * r.X, eye(r.n), 1e-8);
  assert(r.W(support) - r.S(support), r.lambda * sign(r.X(support)), 1e-8);
  assert(all(abs(r.W(~eye(r.n) & ~support) - r.S(~eye(r.n) & ~support)) <= r.lambda + 1e-8));

  run_recipe(recipes{5});                  % an example run from here, its picture kept here
  if have_window_system() || any(strcmp(available_graphics_toolkits(), 'gnuplot'))
    assert(exist(fullfile(scratch, 'tree_group_lasso.png'), 'file') == 2);
  end
end

% Runs a recipe and returns the variables it leaves.
function recipe_variables__ = run_recipe(recipe_code__)
  eval(recipe_code__);
  recipe_variables__ = struct();
  for name = who()'
    if ~strncmp(name{1}, 'recipe_', 7)
      recipe_variables__.(name{1}) = eval(name{1});
    end
  end
end

% The Euclidean projection of a row onto the L1 ball of radius z, by sorting.
function x = l1_projection(v, z)
  if sum(abs(v)) <= z
    x = v;
    return;
  end
  u = sort(abs(v), 'descend');
  sums = cumsum(u);
  k = find(u - (sums - z) ./ (1:numel(u)) > 0, 1, 'last');
  theta = (sums(k) - z) / k;
  x = sign(v) .* max(abs(v) - theta, 0);
end

% The least-squares non-increasing fit, by pooling adjacent violators.
function x = pooled_fit(v)
  means = [];
  counts = [];
  for value = v(:)'
    means(end + 1) = value;
    counts(end + 1) = 1;
    while numel(means) > 1 && means(end) > means(end - 1)
      total = means(end - 1) * counts(end - 1) + means(end) * counts(end);
      counts(end - 1) = counts(end - 1) + counts(end);
      means(end - 1) = total / counts(end - 1);
      means(end) = [];
      counts(end) = [];
    end
  end
  x = repelem(means, counts);
end
