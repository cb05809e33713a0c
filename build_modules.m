function built = build_modules(outdir, varargin)
%BUILD_MODULES Build the library's modules with mex, from the MATLAB or Octave prompt.
%   build_modules                   builds every module into the folder 'modules' beside
%                                   this file
%   build_modules(outdir)           builds every module into outdir
%   build_modules(outdir, name, ...) builds only the named modules
%   built = build_modules(...)      also returns the names of the modules built
%
%   Each module is compiled from its gateway, the host helpers and the whole core of its
%   family, with IEEE arithmetic kept exact (no fused multiply-add, no fast math). The help
%   file of each module is copied beside it. Afterwards, addpath(outdir) to use them.
%
%   Example
%     build_modules(fullfile(pwd, 'modules'), 'simplexShadow');
%     addpath(fullfile(pwd, 'modules'));
%     help simplexShadow

  root = fileparts(mfilename('fullpath'));
  if nargin < 1 || isempty(outdir)
    outdir = fullfile(root, 'modules');
  end
  if ~exist(outdir, 'dir')
    mkdir(outdir);
  end
  families = {'projection', 'cone', 'indextree', 'generaltree', 'monotone', ...
              'precision', 'chain'};
  host = {fullfile(root, 'host', 'gateway.cpp'), fullfile(root, 'host', 'console_mex.cpp')};
  flags = '-O2 -std=c++17 -ffp-contract=off -fno-fast-math';
  isOctave = exist('OCTAVE_VERSION', 'builtin') ~= 0;
  % Octave lets a module see Ctrl-C; MATLAB documents no way to.
  if isOctave
    host{end + 1} = fullfile(root, 'host', 'interrupt_octave.cpp');
  else
    host{end + 1} = fullfile(root, 'host', 'interrupt_none.cpp');
  end

  if isOctave
    % Octave's mex takes its flags from the environment: set them, restore them afterwards.
    saved = getenv('CXXFLAGS');
    setenv('CXXFLAGS', flags);
    restore = onCleanup(@() setenv('CXXFLAGS', saved));
  end

  built = {};
  for f = 1:numel(families)
    folder = fullfile(root, families{f});
    if ~exist(folder, 'dir')
      continue;
    end
    core = sources_in(folder);
    gateways = sources_in(fullfile(folder, 'mex'));
    for g = 1:numel(gateways)
      [~, name] = fileparts(gateways{g});
      if ~isempty(varargin) && ~any(strcmp(varargin, name))
        continue;
      end
      sources = [gateways(g), host, core];
      if isOctave
        args = [{['-I' root], '-o', fullfile(outdir, name)}, sources];
      elseif ispc
        args = [{['-I' root], '-outdir', outdir, '-output', name}, sources];
      else
        args = [{['-I' root], '-outdir', outdir, '-output', name, ...
                 ['CXXFLAGS=$CXXFLAGS ' flags]}, sources];
      end
      fprintf('mex %s\n', strjoin(args, ' '));
      mex(args{:});
      copyfile(fullfile(folder, 'mex', [name '.m']), outdir);
      built{end + 1} = name; %#ok<AGROW>
    end
  end
  if ~isempty(varargin)
    missing = setdiff(varargin, built);
    if ~isempty(missing)
      error('build_modules:unknownModule', 'no module named %s', strjoin(missing, ', '));
    end
  end
end

function files = sources_in(folder)
  listing = dir(fullfile(folder, '*.cpp'));
  files = cellfun(@(name) fullfile(folder, name), {listing.name}, 'UniformOutput', false);
end
