% Copyright 2026 The sparsemex authors. SPDX-License-Identifier: BSD-3-Clause
% Repeated calls of the ordered-tree fits and chainAscend through Octave, as a fitting loop
% makes them: the process CPU time per node (user and system) at 1e4 and 1e6 nodes and its
% ratio, and at 1e3 nodes the median repeated call against the first call of the process.
% Trees: random recursive (each node's parent drawn among the nodes before it) for the
% file-based fits, the heap and the star for the others.
%
%   octave-cli --path <built modules> bench/tree_fits_octave.m
%
% The machine may be shared: sizes alternate within each round and the medians of several
% rounds are reported, with the spread of the rounds (max/min - 1) as the noise.

1;

function file = randomRecursiveFile(n)
  file = [tempname() '.txt'];
  parent = floor(rand(n - 1, 1) .* (1:n - 1)') + 1;
  [parent, order] = sort(parent);
  child = order + 1;
  starts = [1; find(diff(parent)) + 1];
  ends = [starts(2:end) - 1; numel(parent)];
  fid = fopen(file, 'w');
  for r = 1:numel(starts)
    fprintf(fid, '%d %d', parent(starts(r)), ends(r) - starts(r) + 1);
    fprintf(fid, ' %d', child(starts(r):ends(r)));
    fprintf(fid, '\n');
  end
  fclose(fid);
end

function f = callOf(name, n, file)
  v = randn(n, 1);
  if any(strcmp(name, {'isoHier', 'isoHier_without_nonnegative'}))
    f = @() feval(name, file, v, 1, n);
  else
    f = @() feval(name, v, n);
  end
end

function t = cpuPerCall(f, reps)
  t = zeros(reps, 1);
  for r = 1:reps
    c0 = cputime();
    f();
    t(r) = cputime() - c0;
  end
  t = median(t);
end

rand('seed', 1);
randn('seed', 1);
names = {'isoHier', 'isoHier_without_nonnegative', 'isoHierBinary', 'isoHierDepth1', 'chainAscend'};
small = 1e4;
large = 1e6;
files = struct('small', randomRecursiveFile(small), 'large', randomRecursiveFile(large), ...
               'tiny', randomRecursiveFile(1e3));

% Each module loaded by a call that it refuses, so that the first timed call is a fit.
for k = 1:numel(names)
  try
    feval(names{k});
  catch
  end
end
printf('%-28s %10s %10s %6s   %10s %10s %6s\n', 'module (ns per node)', '1e4', '1e6', 'ratio', ...
       'first 1e3', 'repeated', 'ratio');
for k = 1:numel(names)
  f = callOf(names{k}, 1e3, files.tiny);
  tic(); f(); first = toc();
  again = zeros(300, 1);
  for r = 1:300
    tic(); f(); again(r) = toc();
  end
  fSmall = callOf(names{k}, small, files.small);
  fLarge = callOf(names{k}, large, files.large);
  fSmall(); fLarge();
  rounds = zeros(3, 2);
  for round = 1:3
    rounds(round, 1) = cpuPerCall(fSmall, 100) / small;
    rounds(round, 2) = cpuPerCall(fLarge, 4) / large;
  end
  perNode = median(rounds) * 1e9;
  noise = max(rounds) ./ min(rounds) - 1;
  printf('%-28s %10.1f %10.1f %6.2f   %8.1fus %8.1fus %6.2f   (noise %.0f%%, %.0f%%)\n', ...
         names{k}, perNode(1), perNode(2), perNode(2) / perNode(1), first * 1e6, ...
         median(again) * 1e6, median(again) / first, 100 * noise(1), 100 * noise(2));
end
delete(files.small); delete(files.large); delete(files.tiny);
