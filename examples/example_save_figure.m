function example_save_figure(fig, savePng, name)
%EXAMPLE_SAVE_FIGURE Save an example's picture as a PNG, when asked, and say where.
%   example_save_figure(fig, savePng, name) saves figure fig (nothing when fig is empty):
%     savePng a folder       as <name>.png in that folder;
%     savePng other text     as that file;
%     savePng true           as <name>.png in the current folder, or, when that is the
%                            examples' own folder (run works there), in the folder
%                            sparsemex_figures of tempdir().
%   The examples' folder may belong to an installed package and holds the pictures shown in
%   the README, so a picture goes there only when savePng names it. false or '' leaves the
%   figure on the screen.
%
%   See also EXAMPLE_FIGURE.

% Copyright 2026 The sparsemex authors. SPDX-License-Identifier: BSD-3-Clause
  if isempty(fig) || isempty(savePng) || isequal(savePng, false)
    return;
  end
  if ischar(savePng) && exist(savePng, 'dir') ~= 7
    file = savePng;
  else
    if ischar(savePng)
      folder = savePng;
    elseif exist(fullfile(pwd(), [mfilename() '.m']), 'file')
      folder = fullfile(tempdir(), 'sparsemex_figures');
      if exist(folder, 'dir') ~= 7
        mkdir(folder);
      end
    else
      folder = pwd();
    end
    file = fullfile(folder, [name '.png']);
  end
  format = '-dpng';
  if exist('OCTAVE_VERSION', 'builtin') && strcmp(get(fig, '__graphics_toolkit__'), 'gnuplot')
    format = '-dpngcairo';   % gnuplot's own PNG terminal, which needs no Ghostscript
  end
  set(fig, 'PaperUnits', 'inches', 'PaperPosition', [0 0 6.4 4.2]);
  quiet = warning('off', 'all');     % Octave's notes on Ghostscript, which PNG does not need
  print(fig, format, '-r100', file);
  warning(quiet);
  close(fig);
  fprintf('  picture saved in %s\n', file);
end
