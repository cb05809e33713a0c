% A group-sparse fit written with second-order cones, on real data.
%
% Fertility in 47 Swiss provinces in 1888 (swiss), explained by five standardized
% indicators in three groups: the economy and schooling (Agriculture, Examination,
% Education), religion (Catholic) and health (Infant.Mortality). Each group k gets a bound
% t_k on the norm of its coefficients, and the bounds are paid for:
%
%     minimize 0.5 * ||A*b - y||^2 + sum_k mu_k * t_k   subject to   norm(b(group k)) <= t_k
%
% Every iteration of the accelerated projected gradient moves (b, t) and projects each
% group with its bound onto the cone {(x, t) : norm(x) <= t} with powerShadowVectorR, whose
% boundary table b holds 0-based group starts.
%
% At the optimum t_k = norm(b(group k)), so b is the group lasso fit with weights mu_k. The
% check is that fit's optimality conditions: with r = y - A*b, A(:,k)'*r = mu_k *
% b_k/norm(b_k) for the groups kept and norm(A(:,k)'*r) <= mu_k for the others.

% Copyright 2026 The sparsemex authors. SPDX-License-Identifier: BSD-3-Clause
here = fileparts(mfilename('fullpath'));
addpath(here);
[columns, ~, values] = read_csv_table(fullfile(here, 'data', 'swiss.csv'), true);
standardized = (values - repmat(mean(values), size(values, 1), 1)) ./ ...
               repmat(std(values), size(values, 1), 1);
groups = {{'Agriculture', 'Examination', 'Education'}, {'Catholic'}, {'Infant.Mortality'}};
y = standardized(:, strcmp(columns, 'Fertility'));
A = [];
boundaries = 0;                      % 0-based start of each group, then the end
for k = 1:numel(groups)
  for name = groups{k}
    A = [A, standardized(:, strcmp(columns, name{1}))]; %#ok<AGROW>
  end
  boundaries(end + 1) = size(A, 2); %#ok<AGROW>
end
[m, p] = size(A);
g = numel(groups);
members = @(k) boundaries(k) + 1:boundaries(k + 1);

% Weights proportional to the square root of the group sizes, 0.7 of the largest at which
% a group would enter alone.
sizes = diff(boundaries);
entry = zeros(1, g);
for k = 1:g
  entry(k) = norm(A(:, members(k))' * y) / sqrt(sizes(k));
end
mu = 0.7 * max(entry) * sqrt(sizes);

% Accelerated projected gradient on (b, t); the objective's gradient in t is mu.
L = norm(A)^2;
b = zeros(p, 1);
t = zeros(g, 1);
wb = b;
wt = t;
s = 1;
for iteration = 1:50000
  [bNext, tNext] = powerShadowVectorR(wb - A' * (A * wb - y) / L, wt - mu' / L, ...
                                      boundaries, p, g);
  sNext = (1 + sqrt(1 + 4 * s^2)) / 2;
  wb = bNext + ((s - 1) / sNext) * (bNext - b);
  wt = tNext + ((s - 1) / sNext) * (tNext - t);
  change = norm([bNext - b; tNext - t]);
  b = bNext;
  t = tNext;
  s = sNext;
  stop = 1e-13 * max(1, norm([b; t]));
  if change <= stop
    break;
  end
end

r = y - A * b;
violation = 0;
for k = 1:g
  correlation = A(:, members(k))' * r;
  normB = norm(b(members(k)));
  if normB > 0
    violation = max(violation, max(abs(correlation - mu(k) * b(members(k)) / normB)));
  else
    violation = max(violation, norm(correlation) - mu(k));
  end
  violation = max(violation, abs(t(k) - normB));
end

fprintf('Group-sparse fit of Fertility in %d provinces through %d second-order cones\n', m, g);
for k = 1:g
  fprintf('  %-45s bound %.4f, weight %.3f\n', strjoin(groups{k}, ', '), t(k), mu(k));
end
fprintf('  coefficients: %s\n', sprintf('%.4f ', b));
fprintf('  optimality violation of the group lasso conditions: %.1e\n', violation);
% The fit stopped within example_accuracy of the solution, its correlations within L times that.
assert(violation < 2 * L * example_accuracy(A, stop), 'the fit is not optimal');
assert(any(t == 0) && any(t > 0), 'the weights should keep some groups and drop others');
