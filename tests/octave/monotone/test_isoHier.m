% Copyright 2026 The sparsemex authors. SPDX-License-Identifier: BSD-3-Clause
% isoHier as a user calls it from Octave: a description file written here, the fits, errors.

%!shared example
%! example = tree_description_file(sprintf('1 2 2 3\n2 2 4 5\n'));

%!test
%! x = isoHier(example, [1; 3; 0; 2; -1], 1, 5);
%! assert(x, [2; 2; 0; 2; 0]);

%!test
%! % Below node 2 only; the other nodes stay 0, and v may be a longer row.
%! x = isoHier(example, [9, 1, 9, 4, 3, NaN], 2, 5);
%! assert(x, [0; 8/3; 0; 8/3; 8/3]);

%!test
%! % Random trees against Octave's quadratic programming solver, and a path of a million
%! % nodes read from a file.
%! tree_check_file_fit(@isoHier, true, 3);

%!test
%! file = tree_description_file(sprintf('1 1 2\n2 1 3\n3 1 1\n'));
%! try
%!   isoHier(file, [1; 2; 3], 1, 3);
%!   error('test:noError', 'no error raised');
%! catch err
%!   assert(err.identifier, 'isoHier:cyclicTree');
%!   assert(strfind(err.message, 'node 1 is reachable from itself') > 0);
%! end
%! delete(file);

%!test
%! % Faulty files: each raises its own error.
%! doubling = sprintf('%d 2 %d %d\n', [1:40; 2:41; 2:41]);
%! bad = {sprintf('1 x\n'), 3, 'isoHier:incompleteRecord';
%!        sprintf('1 1 4\n'), 3, 'isoHier:nodeOutOfRange';
%!        sprintf('1 2 2\n'), 3, 'isoHier:missingChildren';
%!        doubling, 41, 'isoHier:treeTooLarge'};
%! for k = 1:rows(bad)
%!   file = tree_description_file(bad{k, 1});
%!   n = bad{k, 2};
%!   try
%!     isoHier(file, ones(n, 1), 1, n);
%!     error('test:noError', 'no error raised');
%!   catch err
%!     assert(err.identifier, bad{k, 3});
%!   end
%!   delete(file);
%! end

%!error id=isoHier:unreadableFile isoHier('/nonexistent/folder/tree.txt', [1; 2], 1, 2)
%!error id=isoHier:rootOutOfRange isoHier(example, [1; 2; 3; 4; 5], 6, 5)
%!error id=isoHier:notString isoHier(42, [1; 2], 1, 2)
%!error id=isoHier:notFinite isoHier(example, [1; 2; NaN; 4; 5], 1, 5)
%!error id=isoHier:tooFewElements isoHier(example, [1; 2], 1, 5)
%!error id=isoHier:negativeSize isoHier(example, [1; 2], 1, -2)
%!error <expects 4 inputs> isoHier(example, [1; 2], 1)

%!test
%! delete(example);
