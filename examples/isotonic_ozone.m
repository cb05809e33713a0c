% Isotonic fits of ozone on temperature, over a chain and over a tree, on real data.
%
% 111 daily readings in New York, May to September 1973 (airquality). Ozone rises with
% temperature; we fit it by a sequence that never falls as the temperature rises.
%
% The chain fit. chainAscend fits a NON-INCREASING sequence (clipped at 0), so the readings
% go in by decreasing temperature: its fit, read backwards, rises with the temperature. The
% fit is checked against pooling of adjacent violators written here, and against the same
% fit made by isoHier over a path.
%
% The tree fit. isoHier fits x(parent) >= x(child) over a tree: here the hottest day is the
% root and each month's other days, hottest first, hang below it as a path. Ozone then rises
% with the temperature within each month, under a common top. The fit is checked against
% the optimality conditions of a tree fit: with r = v - x, the sum of r over the subtree of
% every node is >= 0, and 0 where the node's fit is below its parent's and at the root.
%
% Set savePng = true before running to save the fits as isotonic_ozone.png in the current
% folder (savePng = pwd before run(...), which works in the examples' folder), or set it to
% a folder or file name.

% Copyright 2026 The sparsemex authors. SPDX-License-Identifier: BSD-3-Clause
if ~exist('savePng', 'var')
  savePng = false;
end
here = fileparts(mfilename('fullpath'));
addpath(here);
[columns, ~, values] = read_csv_table(fullfile(here, 'data', 'airquality.csv'), false);
ozone = values(:, strcmp(columns, 'Ozone'));
temperature = values(:, strcmp(columns, 'Temp'));
month = values(:, strcmp(columns, 'Month'));
n = numel(ozone);

% The chain: hottest first, equal temperatures by decreasing ozone.
[~, byHeat] = sortrows([-temperature, -ozone]);
v = ozone(byHeat);
chain = chainAscend(v, n);

% Pooling of adjacent violators for a non-increasing fit: merge a block into the one before
% it while its mean is larger.
sums = zeros(n, 1);
counts = zeros(n, 1);
blocks = 0;
for i = 1:n
  blocks = blocks + 1;
  sums(blocks) = v(i);
  counts(blocks) = 1;
  while blocks > 1 && sums(blocks) / counts(blocks) > sums(blocks - 1) / counts(blocks - 1)
    sums(blocks - 1) = sums(blocks - 1) + sums(blocks);
    counts(blocks - 1) = counts(blocks - 1) + counts(blocks);
    blocks = blocks - 1;
  end
end
pooled = zeros(n, 1);
last = 0;
for b = 1:blocks
  pooled(last + 1:last + counts(b)) = max(sums(b) / counts(b), 0);
  last = last + counts(b);
end

% The same chain as a tree: node i is the parent of node i + 1.
file = [tempname() '.txt'];
fid = fopen(file, 'w');
fprintf(fid, '%d 1 %d\n', [1:n - 1; 2:n]);
fclose(fid);
pathFit = isoHier(file, v, 1, n);

fprintf('Isotonic fit of ozone (ppb) on temperature (F), %d days\n', n);
fprintf('  chain: %d levels; largest difference from pooling %.1e, from isoHier %.1e\n', ...
        numel(unique(chain)), max(abs(chain - pooled)), max(abs(chain - pathFit)));
assert(all(diff(chain) <= 0), 'the chain fit rises');
assert(max(abs(chain - pooled)) < 1e-10 && max(abs(chain - pathFit)) < 1e-10, ...
       'the chain fits differ');

% The tree: node 1 the hottest day, then each month's days as a path, hottest first.
parent = zeros(n, 1);
treeOrder = zeros(n, 1);
fid = fopen(file, 'w');
next = 2;
for m = unique(month(byHeat(2:end)))'
  days = find(month(byHeat) == m);
  days = days(days > 1);
  k = numel(days);
  nodes = next:next + k - 1;
  parent(nodes) = [1, nodes(1:end - 1)];
  treeOrder(nodes) = byHeat(days);
  next = next + k;
end
treeOrder(1) = byHeat(1);
for i = 1:n
  children = find(parent == i)';
  if ~isempty(children)
    fprintf(fid, '%d %d%s\n', i, numel(children), sprintf(' %d', children));
  end
end
fclose(fid);
w = ozone(treeOrder);
tree = isoHier(file, w, 1, n);
delete(file);

% Optimality: subtree sums of the residual, children before parents (parent(i) < i).
subtree = w - tree;
for i = n:-1:2
  subtree(parent(i)) = subtree(parent(i)) + subtree(i);
end
slack = tree(2:end) < tree(parent(2:end)) - 1e-9 * max(tree);
scale = 1e-9 * sum(abs(w));
assert(all(tree(2:end) <= tree(parent(2:end))), 'the tree fit rises below a node');
assert(all(subtree(2:end) >= -scale), 'a subtree lies above the data');
assert(all(abs(subtree([false; slack])) <= scale) && abs(subtree(1)) <= scale, ...
       'a free subtree is not fitted by its mean');
fprintf('  tree: root %.1f ppb at %d F; month by month, fitted ozone at the coolest day:\n', ...
        tree(1), temperature(treeOrder(1)));
for m = unique(month)'
  nodes = find(month(treeOrder) == m & (1:n)' > 1);
  fprintf('    month %d: %5.1f ppb at %d F\n', m, tree(nodes(end)), temperature(treeOrder(nodes(end))));
end
fprintf('  squared error: chain %.0f, tree %.0f\n', sum((v - chain).^2), sum((w - tree).^2));

fig = example_figure(savePng);
if ~isempty(fig)
  plot(temperature, ozone, 'k.', 'MarkerSize', 10);
  hold on;
  stairs(flipud(temperature(byHeat)), flipud(chain), 'k-', 'LineWidth', 2);
  for m = unique(month)'
    nodes = [1, find(month(treeOrder) == m & (1:n)' > 1)'];
    stairs(flipud(temperature(treeOrder(nodes))), flipud(tree(nodes)), '-', 'LineWidth', 1.5);
  end
  hold off;
  xlabel('temperature (F)');
  ylabel('ozone (ppb)');
  title('Isotonic fits of ozone on temperature');
  legend([{'readings', 'chain fit'}, strcat({'tree, month '}, cellstr(num2str(unique(month))))'], ...
         'Location', 'northwest');
  example_save_figure(fig, savePng, 'isotonic_ozone');
end
