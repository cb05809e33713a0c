% A sparse inverse covariance of real data: which characteristics of a car are related once
% the others are accounted for.
%
% 32 cars, 11 recorded characteristics (mtcars). From their correlation matrix S we estimate
% a sparse inverse X that maximizes  log(det(X)) - trace(S*X) - lambda*sum(abs(X(:)))  with
% precisionLasso. X(i,j) = 0 says that characteristics i and j are unrelated given all the
% others; otherwise -X(i,j)/sqrt(X(i,i)*X(j,j)) is their partial correlation. Larger
% penalties keep fewer relations.
%
% Set savePng = true before running to save the graph of the related pairs as
% sparse_precision.png in the current folder (savePng = pwd before run(...), which works in
% the examples' folder), or set it to a folder or file name.

% Copyright 2026 The sparsemex authors. SPDX-License-Identifier: BSD-3-Clause
if ~exist('savePng', 'var')
  savePng = false;
end

here = fileparts(mfilename('fullpath'));
addpath(here);
[columns, ~, values] = read_csv_table(fullfile(here, 'data', 'mtcars.csv'), true);
S = corrcoef(values);
n = size(S, 1);

% Tight tolerances: the lasso steps stop on the change of their coefficients (the objective
% test is turned off with tolFun = -1), the outer loop when W changed by 1e-10 in all.
maxIter = 1000; tolFun = -1; tolX = 1e-12; maxOuter = 200; tolOuter = 1e-10;

fprintf('Sparse inverse correlation of %d characteristics of %d cars\n', n, size(values, 1));
fprintf('  lambda  related pairs  outer iterations  optimality\n');
for lambda = [0.9 0.8 0.75 0.7 0.6 0.5]
  % The estimates are written into the arrays passed as X and W; the returned copies are the
  % portable way to read them. The printed gaps of the outer loop are kept out of the way.
  printed = evalc(['[X, W] = precisionLasso(zeros(n), zeros(n), S, lambda, 0, n, ' ...
                   'maxIter, tolFun, tolX, maxOuter, tolOuter);']);
  outer = numel(strfind(printed, 'Outer Loop')) + 1;

  % Optimality: W = inv(X), W - S = lambda*sign(X) where X ~= 0, |W - S| <= lambda elsewhere.
  offDiagonal = ~eye(n);
  support = offDiagonal & X ~= 0;
  violation = max([max(max(abs(W * X - eye(n)))), ...
                   max(abs(W(support) - S(support) - lambda * sign(X(support)))), ...
                   max([0; abs(W(offDiagonal & ~support) - S(offDiagonal & ~support)) - lambda])]);
  % The lasso steps stop at a change of 1e-12 and the outer loop at 1e-10 on a correlation
  % matrix (entries at most 1), which leaves violations near 1e-13; the products only add
  % rounding of the same order, whatever the BLAS.
  assert(violation < 1e-8, 'the estimate is not optimal');
  fprintf('  %6.2f  %13d  %16d  %10.1e\n', lambda, nnz(triu(support)), outer, violation);
  if lambda == 0.75
    kept = X;
  end
end

% The relations kept at lambda = 0.75, strongest first, as partial correlations.
partial = -kept ./ sqrt(diag(kept) * diag(kept)');
[i, j] = find(triu(kept ~= 0, 1));
[~, order] = sort(abs(partial(sub2ind([n n], i, j))), 'descend');
fprintf('\nRelated pairs at lambda = 0.75 (partial correlation, shrunk toward 0):\n');
for k = order(:)'
  fprintf('  %-5s %-5s %7.3f\n', columns{i(k)}, columns{j(k)}, partial(i(k), j(k)));
end

% The graph of the related pairs: the characteristics on a circle, a line for each pair,
% thicker for a stronger partial correlation, blue when positive, red when negative.
fig = example_figure(savePng);
if ~isempty(fig)
  angle = 2 * pi * (0:n - 1)' / n;
  position = [cos(angle), sin(angle)];
  hold on;
  for k = order(:)'
    strength = partial(i(k), j(k));
    color = [0.85 0.2 0.1];
    if strength > 0
      color = [0.1 0.3 0.85];
    end
    plot(position([i(k) j(k)], 1), position([i(k) j(k)], 2), '-', 'Color', color, ...
         'LineWidth', 1 + 40 * abs(strength));
  end
  plot(position(:, 1), position(:, 2), 'ko', 'MarkerFaceColor', 'w', 'MarkerSize', 8);
  % Each name outside its node, on the side away from the circle, clear of the lines inside.
  sides = {'right', 'center', 'left'};
  levels = {'top', 'middle', 'bottom'};
  for k = 1:n
    text(1.17 * position(k, 1), 1.17 * position(k, 2), columns{k}, ...
         'HorizontalAlignment', sides{2 + (position(k, 1) > 0.3) - (position(k, 1) < -0.3)}, ...
         'VerticalAlignment', levels{2 + (position(k, 2) > 0.3) - (position(k, 2) < -0.3)});
  end
  text(0, -1.42, 'blue: positive, red: negative partial correlation; thicker: stronger', ...
       'HorizontalAlignment', 'center');
  hold off;
  axis equal;
  axis([-1.6 1.6 -1.5 1.3]);
  axis off;
  title('mtcars: related pairs at lambda = 0.75');
  example_save_figure(fig, savePng, 'sparse_precision');
end
