function check_build_modules(root, outdir)
%CHECK_BUILD_MODULES Build every module with build_modules.m into outdir and check the result:
%   every gateway gives a module with its help file, whose help it shows, and a module
%   built this way computes bit for bit what the CMake build's module computes.

% Copyright 2026 The sparsemex authors. SPDX-License-Identifier: BSD-3-Clause
  addpath(root);
  if exist(outdir, 'dir')
    confirm_recursive_rmdir(false);
    rmdir(outdir, 's');
  end
  expected = {};
  gateways = dir(fullfile(root, '*', 'mex', '*.cpp'));
  for k = 1:numel(gateways)
    [~, name] = fileparts(gateways(k).name);
    expected{end + 1} = name;
  end
  built = build_modules(outdir);
  assert(sort(built), sort(expected));
  for k = 1:numel(built)
    assert(exist(fullfile(outdir, [built{k} '.' mexext()]), 'file') > 0, built{k});
    assert(exist(fullfile(outdir, [built{k} '.m']), 'file') == 2, built{k});
  end

  randn('seed', 3);
  v = randn(500, 1);
  [x1, r1, s1] = simplexShadow(v, 500, 10, 0);   % the CMake build's module
  addpath(outdir);                                % now shadowed by the new build
  assert(strncmp(which('simplexShadow'), outdir, numel(outdir)));
  check_module_help(built);
  [x2, r2, s2] = simplexShadow(v, 500, 10, 0);
  assert(isequal(x1, x2) && isequal(r1, r2) && isequal(s1, s2));
  rmpath(outdir);

  % Asking for a module that does not exist is an error, not a silent no-op.
  try
    build_modules(outdir, 'noSuchModule');
    error('check_build_modules:noError', 'an unknown module name was accepted');
  catch err
    assert(strcmp(err.identifier, 'build_modules:unknownModule'), err.message);
  end
  printf('build_modules built %d modules\n', numel(built));
end
