function run_test_file(file)
%RUN_TEST_FILE Run the %!test blocks of a file and exit non-zero unless all of them pass.
  [passed, total] = test(file, 'quiet', stdout);
  printf('%s: %d of %d passed\n', file, passed, total);
  if total == 0 || passed ~= total
    exit(1);
  end
end
