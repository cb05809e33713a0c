function run_example(file, png)
%RUN_EXAMPLE Run an example script in a workspace of its own, as a user would. Where Octave
%   can draw (on a screen, or without one through gnuplot), an example that saves a picture
%   must write it to the file png; png = false runs it without drawing.

% Copyright 2026 The sparsemex authors. SPDX-License-Identifier: BSD-3-Clause
  if ~have_window_system() && ~any(strcmp(available_graphics_toolkits(), 'gnuplot'))
    png = false;
  end
  draws = ischar(png) && ~isempty(strfind(fileread(file), 'example_save_figure'));
  if draws
    [folder] = fileparts(png);
    if ~exist(folder, 'dir')
      mkdir(folder);
    end
    if exist(png, 'file')
      delete(png);
    end
  end
  printf('example %s\n', file);
  savePng = png;
  run(file);
  if draws
    info = dir(png);
    assert(numel(info) == 1 && info.bytes > 1000, 'the example saved no picture in %s', png);
  end
end
