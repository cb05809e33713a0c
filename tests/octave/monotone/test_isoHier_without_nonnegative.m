% isoHier_without_nonnegative as a user calls it from Octave.

%!shared example
%! example = tree_description_file(sprintf('1 2 2 3\n2 2 4 5\n'));

%!test
%! x = isoHier_without_nonnegative(example, [1; 3; 0; 2; -1], 1, 5);
%! assert(x, [2; 2; 0; 2; -1]);

%!test
%! % Negative fits are kept: nothing pools here.
%! x = isoHier_without_nonnegative(example, [-1; -2; -3; -4; -5], 1, 5);
%! assert(x, [-1; -2; -3; -4; -5]);

%!test
%! % Random trees against Octave's quadratic programming solver.
%! rand('seed', 4); randn('seed', 4);
%! for trial = 1:30
%!   n = 2 + mod(trial, 25);
%!   parent = [0, arrayfun(@(k) randi(k - 1), 2:n)];
%!   children = arrayfun(@(k) find(parent == k), 1:n, 'UniformOutput', false);
%!   file = tree_description_file(children);
%!   v = randn(n, 1);
%!   x = isoHier_without_nonnegative(file, v, 1, n);
%!   delete(file);
%!   assert(x, tree_isotonic_qp(parent, v, false), 1e-6);
%! end

%!test
%! % A path of a million nodes, fitted without exhausting the stack.
%! n = 1e6;
%! file = tree_description_file(sprintf('%d 1 %d\n', [1:n-1; 2:n]));
%! randn('seed', 6);
%! v = randn(n, 1) + 3e-6 * (1:n)';
%! x = isoHier_without_nonnegative(file, v, 1, n);
%! delete(file);
%! tree_check_chain_fit(x, v, false, 1e-9);

%!error id=isoHier_without_nonnegative:unreadableFile isoHier_without_nonnegative('/nonexistent/folder/tree.txt', [1; 2], 1, 2)
%!error id=isoHier_without_nonnegative:rootOutOfRange isoHier_without_nonnegative(example, [1; 2; 3; 4; 5], 0, 5)
%!error id=isoHier_without_nonnegative:overflow isoHier_without_nonnegative(example, [1e308; 1.5e308; 0; 0; 0], 1, 5)
%!error id=isoHier_without_nonnegative:notString isoHier_without_nonnegative(['ab'; 'cd'], [1; 2], 1, 2)

%!test
%! delete(example);
