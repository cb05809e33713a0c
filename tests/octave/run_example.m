function run_example(file, folder)
%RUN_EXAMPLE Run an example script as a user would: from a folder of their own (emptied
%   first), with its own folder on the path and savePng = true. Where Octave can draw (on a
%   screen, or without one through gnuplot), an example that draws must save its picture in
%   that folder, and none may write into its own folder, which may be an installed
%   package's and holds the README's pictures.

% Copyright 2026 The sparsemex authors. SPDX-License-Identifier: BSD-3-Clause
  [examples, name] = fileparts(file);
  draws = ~isempty(strfind(fileread(file), 'example_save_figure')) ...
          && (have_window_system() || any(strcmp(available_graphics_toolkits(), 'gnuplot')));
  restore = enter_scratch_folder(folder); %#ok<NASGU>
  addpath(examples);
  before = listing(examples);

  printf('example %s, from %s\n', file, folder);
  run_script(name, true);

  assert(isequal(listing(examples), before), 'the example wrote into %s', examples);
  if draws
    info = dir(fullfile(folder, [name '.png']));
    assert(numel(info) == 1 && info.bytes > 1000, 'the example saved no picture in %s', folder);
  end
end

% Names, sizes and times of the files in a folder and its subfolders.
function files = listing(folder)
  entries = dir(folder);
  files = {};
  for k = 1:numel(entries)
    entry = entries(k);
    if entry.isdir
      if ~any(strcmp(entry.name, {'.', '..'}))
        files = [files, listing(fullfile(folder, entry.name))]; %#ok<AGROW>
      end
    else
      files{end + 1} = sprintf('%s %d %.10f', fullfile(folder, entry.name), entry.bytes, ...
                               entry.datenum); %#ok<AGROW>
    end
  end
end

% The script, by name, in a workspace of its own that holds savePng.
function run_script(name, savePng) %#ok<INUSD>
  eval(name);
end
