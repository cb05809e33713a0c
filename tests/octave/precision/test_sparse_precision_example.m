% The example script on real data runs and its estimates pass its optimality checks.

%!test
%! root = fileparts(fileparts(fileparts(which('run_test_file'))));
%! printed = evalc('run(fullfile(root, ''examples'', ''sparse_precision.m''))');
%! assert(~isempty(strfind(printed, 'Related pairs at lambda = 0.75')));
