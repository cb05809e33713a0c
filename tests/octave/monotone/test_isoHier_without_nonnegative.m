% Copyright 2026 The sparsemex authors. SPDX-License-Identifier: BSD-3-Clause
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
%! % Random trees against Octave's quadratic programming solver, and a path of a million
%! % nodes read from a file.
%! tree_check_file_fit(@isoHier_without_nonnegative, false, 4);

%!error id=isoHier_without_nonnegative:unreadableFile isoHier_without_nonnegative('/nonexistent/folder/tree.txt', [1; 2], 1, 2)
%!error id=isoHier_without_nonnegative:rootOutOfRange isoHier_without_nonnegative(example, [1; 2; 3; 4; 5], 0, 5)
%!error id=isoHier_without_nonnegative:overflow isoHier_without_nonnegative(example, [1e308; 1.5e308; 0; 0; 0], 1, 5)
%!error id=isoHier_without_nonnegative:notString isoHier_without_nonnegative(['ab'; 'cd'], [1; 2], 1, 2)

%!test
%! delete(example);
