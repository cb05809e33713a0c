% Sparse regression under an L1-ball constraint, on real data.
%
% Fuel consumption (miles per gallon) of 32 cars, explained by their 10 other recorded
% characteristics, standardized. We solve
%
%     minimize 0.5 * ||A*b - y||^2   subject to   sum(abs(b)) <= z
%
% by accelerated projected gradient: every iteration takes a gradient step and projects it
% back onto the L1 ball with simplexShadow, warm-started from the previous threshold. A small
% budget z keeps only the characteristics that matter most.

% Copyright 2026 The sparsemex authors. SPDX-License-Identifier: BSD-3-Clause

here = fileparts(mfilename('fullpath'));
addpath(here);
[columns, cars, values] = read_csv_table(fullfile(here, 'data', 'mtcars.csv'), true);
y = values(:, 1) - mean(values(:, 1));
A = values(:, 2:end);
A = (A - mean(A)) ./ std(A);
names = columns(2:end);
[m, p] = size(A);

z = 5;                       % budget: the sum of |b| in mpg per standard deviation
L = norm(A)^2;               % Lipschitz constant of the gradient
b = zeros(p, 1);
w = b;
t = 1;
root = 0;
projectionSteps = 0;
for iteration = 1:5000
  gradient = A' * (A * w - y);
  [bNext, root, steps] = simplexShadow(w - gradient / L, p, z, root);
  projectionSteps = projectionSteps + steps;
  tNext = (1 + sqrt(1 + 4 * t^2)) / 2;
  w = bNext + ((t - 1) / tNext) * (bNext - b);
  change = norm(bNext - b);
  b = bNext;
  t = tNext;
  if change < 1e-10 * max(1, norm(b))
    break;
  end
end

% Optimality: with g the gradient at b and tau the largest |g_i|, the solution satisfies
% -g_i = tau * sign(b_i) wherever b_i ~= 0 (and |g_i| <= tau elsewhere).
g = A' * (A * b - y);
tau = max(abs(g));
active = b ~= 0;
gap = max(abs(-g(active) - tau * sign(b(active))));

fprintf('Least squares under sum(|b|) <= %g on %d cars, %d characteristics\n', z, m, p);
fprintf('  %d iterations, %d projection steps in all (%.2f per call)\n', iteration, ...
       projectionSteps, projectionSteps / iteration);
fprintf('  sum(|b|) = %.6f, residual sum of squares %.4f (unconstrained: %.4f)\n', ...
       sum(abs(b)), norm(A * b - y)^2, norm(A * (A \ y) - y)^2);
fprintf('  optimality: largest violation %.2e of -g = tau*sign(b) on the support\n', gap);
fprintf('  characteristics kept (mpg per standard deviation):\n');
[~, order] = sort(abs(b), 'descend');
for k = order(abs(b(order)) > 0)'
  fprintf('    %-5s %8.4f\n', names{k}, b(k));
end
% The fit stopped within example_accuracy of the solution; g_i and tau are each within L
% times that of their values there.
tolerance = 2 * L * example_accuracy(A, 1e-10 * max(1, norm(b)));
assert(sum(abs(b)) <= z * (1 + 1e-12), 'the solution left the L1 ball');
assert(gap < tolerance, 'the solution is not optimal');
