function run_test_file(file)
%RUN_TEST_FILE Run the %!test blocks of a file and exit non-zero unless all of them pass.

% Copyright 2026 The sparsemex authors. SPDX-License-Identifier: BSD-3-Clause
  [passed, total] = test(file, 'quiet', stdout);
  printf('%s: %d of %d passed\n', file, passed, total);
  if total == 0 || passed ~= total
    exit(1);
  end
end
