% A multi-task fit with a shared choice of characteristics, on real data.
%
% Two responses of 32 cars (mtcars), fuel consumption (mpg) and quarter-mile time (qsec),
% explained by the same 9 other characteristics, all standardized. One coefficient matrix
% B (9-by-2, a row per characteristic, a column per task) fits both, and the constraint
%
%     minimize 0.5 * ||A*B - Y||^2   subject to   sum over rows i of norm(B(i,:)) <= z
%
% keeps or drops a characteristic for both tasks at once. Each iteration of the accelerated
% projected gradient projects onto that ball with mixedShadow.
%
% Checks: the optimality conditions of the constrained fit (with G the gradient at B and
% tau its largest row norm, -G(i,:) = tau*B(i,:)/norm(B(i,:)) on the kept rows and
% norm(G(i,:)) <= tau on the others), and the penalized form, whose fit with the weight tau
% (each iteration a row-wise shrinkage by powerShadowMatrix with p = 2) must be the same B.
%
% Set savePng = true before running to save the coefficients as multitask_fit.png in the
% current folder (savePng = pwd before run(...), which works in the examples' folder), or set
% it to a folder or file name.

% Copyright 2026 The sparsemex authors. SPDX-License-Identifier: BSD-3-Clause
if ~exist('savePng', 'var')
  savePng = false;
end
here = fileparts(mfilename('fullpath'));
addpath(here);
[columns, ~, values] = read_csv_table(fullfile(here, 'data', 'mtcars.csv'), true);
standardized = (values - repmat(mean(values), size(values, 1), 1)) ./ ...
               repmat(std(values), size(values, 1), 1);
tasks = {'mpg', 'qsec'};
isTask = ismember(columns, tasks);
Y = standardized(:, isTask);
A = standardized(:, ~isTask);
names = columns(~isTask);
[m, p] = size(A);
q = size(Y, 2);

z = 1.2;                             % the budget of the summed row norms
L = norm(A)^2;
gradient = @(B) A' * (A * B - Y);
[B, ~, stop] = example_fista(gradient, L, zeros(p, q), @(V) mixedShadow(V, p, q, z, 0));

% Optimality of the constrained fit.
G = gradient(B);
rowNorms = sqrt(sum(B.^2, 2));
gradientNorms = sqrt(sum(G.^2, 2));
tau = max(gradientNorms);
kept = rowNorms > 0;
violation = max([max(max(abs(-G(kept, :) - tau * B(kept, :) ./ repmat(rowNorms(kept), 1, q)))), ...
                 max([0; gradientNorms(~kept) - tau])]);

% The penalized fit with the weight tau: the same solution.
[penalized, ~, penalizedStop] = example_fista(gradient, L, zeros(p, q), ...
                                             @(V) powerShadowMatrix(V, p, q, tau / L, 2));

% Tolerances from where the fits stopped: G(i,:) and tau are each within L times
% example_accuracy of their values at the solution; the penalized fit lies within
% example_accuracy of its own solution, whose weight tau carries that error of the gradient.
distance = example_accuracy(A, max(stop, penalizedStop));
optimal = 2 * L * distance;
agree = 2 * distance + L * distance / tau;

fprintf('Two-task fit of %s and %s on %d characteristics of %d cars\n', tasks{:}, p, m);
fprintf('  sum of row norms %.6f (budget %g); optimality violation %.1e\n', ...
        sum(rowNorms), z, violation);
fprintf('  penalized form with weight tau = %.4f: largest difference %.1e\n', tau, ...
        max(max(abs(penalized - B))));
fprintf('  characteristic   %-6s %-6s\n', tasks{:});
for i = find(kept)'
  fprintf('  %-14s %6.3f %6.3f\n', names{i}, B(i, 1), B(i, 2));
end
fprintf('  (%d of %d characteristics kept)\n', nnz(kept), p);
assert(abs(sum(rowNorms) - z) <= 1e-9 * z, 'the fit does not use its budget');
assert(violation < optimal, 'the constrained fit is not optimal');
assert(max(max(abs(penalized - B))) < agree, 'the two forms give different fits');

fig = example_figure(savePng);
if ~isempty(fig)
  bar(B);
  set(gca, 'XTick', 1:p, 'XTickLabel', names);
  ylabel('coefficient (standard deviations)');
  legend(tasks, 'Location', 'southwest');
  title(sprintf('Shared characteristics (budget %g)', z));
  example_save_figure(fig, savePng, 'multitask_fit');
end
