% A tree-structured group lasso and its regularisation path, on real data.
%
% Fuel consumption (mpg) of 32 cars, explained by their 10 other recorded characteristics,
% standardized, in a tree of groups: the engine (cyl, disp, hp, carb) with its size
% (cyl, disp) and power (hp, carb), the body (wt, qsec), and the drivetrain (am, gear,
% drat, vs) with its gearbox (am, gear). We solve, for a decreasing sequence of lambda,
%
%     minimize 0.5 * ||A*b - y||^2 + lambda * Omega(b),
%     Omega(b) = sum(abs(b)) + sum over the groups k of w_k * norm(b(group k))
%
% treeprox needs every group to be a range start:end of b, so the columns of A are first
% put in an order where each group's characteristics are adjacent. The path starts at
% lambdaMax = criticalWeight(A'*y): b = 0 for every lambda >= lambdaMax.
%
% Each fit is an accelerated proximal gradient: a gradient step of length 1/L, then treeprox
% with the weights scaled by lambda/L (the step size), never the starts and ends. The same
% fit is then made with general_treeprox on the columns in their original order, the groups
% given as lists of columns, and the two must agree.
%
% Set savePng = true before running to save the path as tree_group_lasso.png in the current
% folder (savePng = pwd before run(...), which works in the examples' folder), or set it to
% a folder or file name.

% Copyright 2026 The sparsemex authors. SPDX-License-Identifier: BSD-3-Clause
if ~exist('savePng', 'var')
  savePng = false;
end
here = fileparts(mfilename('fullpath'));
addpath(here);
[columns, ~, values] = read_csv_table(fullfile(here, 'data', 'mtcars.csv'), true);

% The characteristics in an order that makes every group a range; the groups, each listed
% after the groups nested inside it, by their first and last characteristic.
names = {'cyl', 'disp', 'hp', 'carb', 'wt', 'qsec', 'am', 'gear', 'drat', 'vs'};
groups = {{'cyl', 'disp'}, {'hp', 'carb'}, {'am', 'gear'}, ...   % size, power, gearbox
          {'cyl', 'carb'}, {'wt', 'qsec'}, {'am', 'vs'}};        % engine, body, drivetrain
order = zeros(1, numel(names));
for k = 1:numel(names)
  order(k) = find(strcmp(columns, names{k}));
end
p = numel(order);
ind = [-1; -1; 1];                  % the L1 node, then one column per group
for k = 1:numel(groups)
  first = find(strcmp(names, groups{k}{1}));
  last = find(strcmp(names, groups{k}{2}));
  ind(:, end + 1) = [first; last; sqrt(last - first + 1)]; %#ok<AGROW>
end
nodes = size(ind, 2);

y = values(:, 1) - mean(values(:, 1));
A = values(:, order);
A = (A - repmat(mean(A), size(A, 1), 1)) ./ repmat(std(A), size(A, 1), 1);
L = norm(A)^2;                       % Lipschitz constant of the gradient

% Proximal gradient from b0 at penalty lambda, with the weights scaled by the step 1/L.
fit = @(b0, lambda, prox) example_fista(@(b) A' * (A * b - y), L, b0, @(v) prox(v, lambda / L));
rangeProx = @(v, factor) treeprox(v, p, [ind(1:2, :); factor * ind(3, :)], nodes);

lambdaMax = criticalWeight(A' * y, p, ind, nodes);
lambdas = lambdaMax * logspace(0, -2.5, 30);
path = zeros(p, numel(lambdas));
b = zeros(p, 1);
worst = 0;
tolerance = 0;
for k = 1:numel(lambdas)
  [b, ~, stop] = fit(b, lambdas(k), rangeProx);
  path(:, k) = b;
  % Optimality: b is a fixed point of the proximal gradient step.
  step = rangeProx(b - A' * (A * b - y) / L, lambdas(k) / L);
  worst = max(worst, norm(step - b) / max(1, norm(b)));
  % b and, the prox being nonexpansive, the step from it each lie within example_accuracy
  % of the solution.
  tolerance = max(tolerance, 2 * example_accuracy(A, stop) / max(1, norm(b)));
end

fprintf('Tree-structured group lasso of mpg on %d characteristics of %d cars\n', p, size(A, 1));
fprintf('  lambdaMax = criticalWeight(A''*y) = %.4f\n', lambdaMax);
fprintf('  largest fixed-point residual along the path: %.1e\n', worst);
assert(all(path(:, 1) == 0), 'the fit at lambdaMax is not zero');
assert(any(fit(zeros(p, 1), 0.99 * lambdaMax, rangeProx) ~= 0), 'lambdaMax is too large');
assert(worst < tolerance, 'a fit of the path is not optimal');

% The order in which characteristics and groups enter the model.
fprintf('  lambda/lambdaMax  objective  characteristics kept\n');
for k = [5 10 15 20 30]
  b = path(:, k);
  objective = 0.5 * norm(A * b - y)^2 + ...
              penaltyValue(b, p, [ind(1:2, :); lambdas(k) * ind(3, :)], nodes);
  fprintf('  %16.3f  %9.3f  %s\n', lambdas(k) / lambdaMax, objective, ...
          strjoin(names(b ~= 0), ' '));
end

% The same fit with the columns in their original order and the groups as lists of columns.
G = order - 1;                      % the group slices of G are the ranges of the table
listInd = ind;
listProx = @(v, factor) general_treeprox(v, p, G, [listInd(1:2, :); factor * listInd(3, :)], nodes);
unordered = values(:, 2:end);
unordered = (unordered - repmat(mean(unordered), size(A, 1), 1)) ./ ...
            repmat(std(unordered), size(A, 1), 1);
listLambdaMax = general_criticalWeight(unordered' * y, p, G, listInd, nodes);
lambda = lambdas(15);
bRanges = path(:, 15);
[bLists, ~, stop] = example_fista(@(b) unordered' * (unordered * b - y), L, zeros(p, 1), ...
                                  @(v) listProx(v, lambda / L));
% Both fits stopped within example_accuracy of the one solution (the same columns reordered).
apart = 2 * example_accuracy(A, max(stop, 1e-12 * max(1, norm(bRanges))));
fprintf('  index-list form: lambdaMax %.4f, largest difference from the range fit %.1e\n', ...
        listLambdaMax, max(abs(bLists(order - 1) - bRanges)));
assert(abs(listLambdaMax - lambdaMax) <= 1e-9 * lambdaMax, 'the critical weights differ');
assert(max(abs(bLists(order - 1) - bRanges)) < apart, 'the two forms give different fits');

fig = example_figure(savePng);
if ~isempty(fig)
  curves = semilogx(lambdas / lambdaMax, path', 'LineWidth', 1.5);
  set(curves(8:end), 'LineStyle', '--');   % the colours repeat after seven curves
  set(gca, 'XDir', 'reverse');
  xlabel('lambda / lambdaMax');
  ylabel('coefficient (mpg per sd)');
  title('Tree-structured group lasso path, mtcars');
  legend(names, 'Location', 'eastoutside');
  example_save_figure(fig, savePng, 'tree_group_lasso');
end
