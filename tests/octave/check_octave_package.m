function check_octave_package(tarball, prefix, root)
%CHECK_OCTAVE_PACKAGE Install the Octave package into a scratch prefix and use it as a user
%   would: a help file raises <module>:notBuilt where its module is not built, pkg load puts
%   every module of the source tree on the path with its help, a module of every family
%   computes what the build's own module computes, and every example runs from the package
%   and saves its picture in the user's folder.

% Copyright 2026 The sparsemex authors. SPDX-License-Identifier: BSD-3-Clause
  if exist(prefix, 'dir')
    confirm_recursive_rmdir(false);
    rmdir(prefix, 's');
  end
  mkdir(prefix);
  pkg('prefix', fullfile(prefix, 'share'), fullfile(prefix, 'lib'));
  pkg('local_list', fullfile(prefix, 'local_packages'));
  pkg('global_list', fullfile(prefix, 'global_packages'));

  modules = {};
  gateways = dir(fullfile(root, '*', 'mex', '*.cpp'));
  for k = 1:numel(gateways)
    [~, modules{end + 1}] = fileparts(gateways(k).name);
  end

  % Results of the build's own modules, before the package's shadow them.
  randn('seed', 5);
  v = randn(300, 1);
  [expected.x, expected.root] = simplexShadow(v, 300, 4, 0);
  expected.chain = chainAscend(v, 300);

  pkg('install', tarball);
  [~, info] = pkg('list', 'sparsemex');
  info = info{1};
  assert(strcmp(info.version, sparsemex_version_of(info.dir)));
  contents = fileread(fullfile(info.dir, 'Contents.m'));
  assert(strcmp(regexp(contents, 'Version (\S+)', 'tokens', 'once'), info.version));

  % The help files alone, where they are written: each is a function that raises
  % <module>:notBuilt.
  rmpath(fileparts(which('simplexShadow')));
  signatures = zeros(numel(modules), 2);
  for k = 1:numel(modules)
    name = modules{k};
    addpath(gateways(k).folder);
    assert(exist(name) == 2, name);
    signatures(k, :) = [nargin(name), nargout(name)];
    try
      feval(name);
      error('check_octave_package:noError', '%s ran without its module', name);
    catch err
      assert(strcmp(err.identifier, [name ':notBuilt']), err.message);
    end
    rmpath(gateways(k).folder);
  end

  % The installed modules take precedence over their help files, whose help they show.
  pkg('load', 'sparsemex');
  check_module_help(modules);
  for k = 1:numel(modules)
    check_signature(modules{k}, signatures(k, 1), signatures(k, 2));
  end
  provided = pkg('describe', 'sparsemex'){1}.provides;
  indexed = cellfun(@(category) category.functions, provided, 'UniformOutput', false);
  assert(sort([indexed{:}]), sort([modules, {'sparsemex_version'}]));
  assert(numel(provided), 8);      % the seven families and the version
  [x, root] = simplexShadow(v, 300, 4, 0);
  assert(isequal(x, expected.x) && isequal(root, expected.root));
  assert(isequal(chainAscend(v, 300), expected.chain));
  [functions, ~] = lookfor('isotonic');
  fits = {'isoHier', 'isoHier_without_nonnegative', 'isoHierBinary', 'isoHierDepth1', ...
          'chainAscend', 'chainDescend'};
  assert(all(ismember(fits, functions)), 'lookfor isotonic misses a fit');
  [functions, ~] = lookfor('lasso');
  treeModules = 'treeprox|[pP]enaltyValue|[cC]riticalWeight|groupRatio';
  tree = modules(~cellfun(@isempty, regexp(modules, treeModules)));
  assert(numel(tree) == 11 && all(ismember([tree, {'precisionLasso'}], functions)), ...
         'lookfor lasso misses a tree module');

  check_every_family();
  assert(~isempty(strfind(evalc('citation(''sparsemex'')'), ['sparsemex ' info.version])));

  examples = dir(fullfile(info.dir, 'examples', '*.m'));
  ran = 0;
  for k = 1:numel(examples)
    file = fullfile(info.dir, 'examples', examples(k).name);
    if is_script(file)
      run_example(file, fullfile(prefix, 'user', strrep(examples(k).name, '.m', '')));
      ran = ran + 1;
    end
  end
  assert(ran >= 5, 'the package holds %d examples', ran);
  pkg('unload', 'sparsemex');
  printf('package %s: %d modules, %d examples\n', info.version, numel(modules), ran);
end

function version = sparsemex_version_of(folder)
  here = pwd();
  restore = onCleanup(@() cd(here));
  cd(folder);
  version = sparsemex_version();
end

% One module of each family on a small input with a known answer.
function check_every_family()
  assert(simplexShadow([3; -1; 0.5], 3, 2, 0), [2; 0; 0]);
  [x, t] = elementCone([3; -1], [1; 2], 2);
  assert([x t], [2 2; -1 2]);
  ind = [1; 4; 1];                % one group of everything, weight 1
  assert(treeprox([3; 0; 0; 4], 4, ind, 1), [3; 0; 0; 4] * (1 - 1 / 5), 1e-15);
  assert(general_treeprox([3; 0; 0; 4], 4, [4 1 2 3], ind, 1), [2.4; 0; 0; 3.2], 1e-15);
  assert(isoHierDepth1([1; 3; 2], 3), [2; 2; 2]);
  assert(chainAscend([1; 3], 2), [2; 2]);
  [X, W] = precisionLasso(zeros(2), zeros(2), [2 0; 0 4], 0, 0, 2, 100, -1, 1e-12, 10, 1e-12);
  assert(X, [0.5 0; 0 0.25], 1e-12);
  assert(W, [2 0; 0 4], 1e-12);
end

% The help file's signature is the module's: one input fewer or more, or one output more,
% is an argument-count error of the module.
function check_signature(name, inputs, outputs)
  args = num2cell(zeros(1, inputs + 1));
  expect_error(name, 'inputCount', args(1:inputs - 1), outputs);
  expect_error(name, 'inputCount', args, outputs);
  expect_error(name, 'outputCount', args(1:inputs), outputs + 1);
end

function expect_error(name, reason, args, outputs)
  results = cell(1, outputs);
  try
    [results{:}] = feval(name, args{:});
  catch err
    assert(strcmp(err.identifier, [name ':' reason]), '%s: %s', name, err.message);
    return;
  end
  error('check_octave_package:noError', '%s accepted a call that should fail', name);
end

function yes = is_script(file)
  fid = fopen(file, 'r');
  first = fgetl(fid);
  fclose(fid);
  yes = isempty(regexp(first, '^\s*function\s', 'once'));
end
