function built = build_modules(outdir, varargin)
%BUILD_MODULES Build the library's modules with mex, from the MATLAB or Octave prompt.
%   build_modules                   builds every module into the folder 'modules' beside
%                                   this file
%   build_modules(outdir)           builds every module into outdir
%   build_modules(outdir, name, ...) builds only the named modules
%   built = build_modules(...)      also returns the names of the modules built
%
%   Each module is linked from its gateway, the host helpers and the whole core of its
%   family; the helpers and each family's core are compiled once, for all the modules that
%   use them. Every source is compiled as C++17 with IEEE arithmetic kept exact (no fused
%   multiply-add, no fast math), with GCC, Clang or Microsoft's compiler alike, and each
%   module exports mexFunction alone. The families, the helpers and the flags are those of
%   manifest.txt beside this file. The help file of each module is copied beside it.
%   Afterwards, addpath(outdir) to use them.
%
%   Example
%     build_modules(fullfile(pwd, 'modules'), 'simplexShadow');
%     addpath(fullfile(pwd, 'modules'));
%     help simplexShadow

% Copyright 2026 The sparsemex authors. SPDX-License-Identifier: BSD-3-Clause

  root = fileparts(mfilename('fullpath'));
  if nargin < 1 || isempty(outdir)
    outdir = fullfile(root, 'modules');
  end
  if ~exist(outdir, 'dir')
    mkdir(outdir);
  end
  manifest = read_manifest(fullfile(root, 'manifest.txt'));
  families = manifest.families;
  isOctave = exist('OCTAVE_VERSION', 'builtin') ~= 0;
  [flags, restoreFlags] = compiler_flags(manifest, isOctave); %#ok<ASGLU> restores them when cleared
  % Octave lets a module see Ctrl-C; MATLAB documents no way to.
  if isOctave
    host = manifest.support_octave;
  else
    host = manifest.support_matlab;
  end
  host = cellfun(@(file) fullfile(root, file), host, 'UniformOutput', false);
  exports = export_options(manifest, root, isOctave);

  % Objects are compiled once into a scratch folder: the host helpers once for every module,
  % each family's core once for its modules.
  objdir = tempname();
  mkdir(objdir);
  removeObjects = onCleanup(@() remove_folder(objdir)); %#ok<NASGU>
  hostObjects = {};

  built = {};
  for f = 1:numel(families)
    folder = fullfile(root, families{f});
    if ~exist(folder, 'dir')
      continue;
    end
    gateways = sources_in(fullfile(folder, 'mex'));
    wanted = {};
    for g = 1:numel(gateways)
      [~, name] = fileparts(gateways{g});
      if isempty(varargin) || any(strcmp(varargin, name))
        wanted{end + 1} = gateways{g}; %#ok<AGROW>
      end
    end
    if isempty(wanted)
      continue;
    end
    if isempty(hostObjects)
      hostObjects = compile_objects(host, fullfile(objdir, 'host'), root, flags, isOctave);
    end
    core = compile_objects(sources_in(folder), fullfile(objdir, families{f}), root, flags, ...
                           isOctave);
    for g = 1:numel(wanted)
      [~, name] = fileparts(wanted{g});
      sources = [wanted(g), hostObjects, core];
      if isOctave
        args = [{['-I' root], '-o', fullfile(outdir, name)}, sources, exports];
      else
        args = [{['-I' root], '-outdir', outdir, '-output', name}, flags, sources];
      end
      run_mex(args);
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

function manifest = read_manifest(file)
% The lists of the manifest: one field per "name = values" line, a cell array of its values.
  lines = regexp(fileread(file), '^([a-z_]+) *= *([^\r\n]*)', 'tokens', 'lineanchors');
  manifest = struct();
  for k = 1:numel(lines)
    manifest.(lines{k}{1}) = strsplit(strtrim(lines{k}{2}));
  end
end

function [flags, restore] = compiler_flags(manifest, isOctave)
% The options that give C++17 and IEEE arithmetic exactly as written (no fused multiply-add,
% no fast math), with every symbol but mexFunction hidden where the platform has visibility,
% in the form that the compiler mex uses takes them. Octave's mex reads them from the
% environment, so there they are set and restored when `restore` is cleared.
  gnuFlags = strjoin([{'-O2', '-std=c++17'}, manifest.exact_flags_gnu], ' ');
  if ~ispc
    gnuFlags = [gnuFlags ' ' strjoin(manifest.hidden_flags_gnu, ' ')];
  end
  restore = [];
  if isOctave
    saved = getenv('CXXFLAGS');
    setenv('CXXFLAGS', gnuFlags);
    restore = onCleanup(@() setenv('CXXFLAGS', saved));
    flags = {};
  elseif ispc && ~uses_mingw()
    % Microsoft's compiler (and those that take its options) reads COMPFLAGS.
    flags = {['COMPFLAGS=$COMPFLAGS /std:c++17 ' strjoin(manifest.exact_flags_msvc, ' ')]};
  else
    % GCC, MinGW-w64 and Clang read CXXFLAGS.
    flags = {['CXXFLAGS=$CXXFLAGS ' gnuFlags]};
  end
end

function options = export_options(manifest, root, isOctave)
% The link options that export mexFunction alone from an Octave module, in the platform's
% linker's form; MATLAB's mex gives its modules such options itself.
  options = {};
  if ~isOctave
    return;
  elseif ispc
    options = {['-Wl,' fullfile(root, manifest.exports_windows{1})]};
  elseif ismac
    options = {['-Wl,-exported_symbols_list,' fullfile(root, manifest.exports_macos{1})]};
  else
    options = {['-Wl,--version-script=' fullfile(root, manifest.exports_elf{1})]};
  end
end

function yes = uses_mingw()
  compiler = mex.getCompilerConfigurations('C++', 'Selected');
  yes = ~isempty(compiler) && ~isempty(strfind(lower(compiler(1).ShortName), 'mingw'));
end

function objects = compile_objects(sources, objdir, root, flags, isOctave)
% Compiles each source into objdir; returns the object files.
  mkdir(objdir);
  if isOctave
    objects = cell(size(sources));
    for k = 1:numel(sources)
      [~, name] = fileparts(sources{k});
      objects{k} = fullfile(objdir, [name '.o']);
      run_mex({'-c', ['-I' root], sources{k}, '-o', objects{k}});
    end
  else
    run_mex([{'-c', ['-I' root], '-outdir', objdir}, flags, sources]);
    listing = [dir(fullfile(objdir, '*.o')); dir(fullfile(objdir, '*.obj'))];
    objects = cellfun(@(name) fullfile(objdir, name), {listing.name}, 'UniformOutput', false);
  end
end

function run_mex(args)
  fprintf('mex %s\n', strjoin(args, ' '));
  mex(args{:});
end

function remove_folder(folder)
  if exist(folder, 'dir')
    if exist('confirm_recursive_rmdir', 'builtin') || exist('confirm_recursive_rmdir', 'file')
      confirm_recursive_rmdir(false, 'local');
    end
    rmdir(folder, 's');
  end
end

function files = sources_in(folder)
  listing = dir(fullfile(folder, '*.cpp'));
  files = cellfun(@(name) fullfile(folder, name), {listing.name}, 'UniformOutput', false);
end
