function example_save_figure(fig, savePng, name)
%EXAMPLE_SAVE_FIGURE Save an example's picture as a PNG, when asked.
%   example_save_figure(fig, savePng, name) saves figure fig (nothing when fig is empty):
%   savePng true saves it as figures/<name>.png beside the examples, a character savePng
%   names the file; false or '' leaves the figure on the screen.
%
%   See also EXAMPLE_FIGURE.

% Copyright 2026 The sparsemex authors. SPDX-License-Identifier: BSD-3-Clause
  if isempty(fig) || isempty(savePng) || isequal(savePng, false)
    return;
  end
  if ischar(savePng)
    file = savePng;
  else
    file = fullfile(fileparts(mfilename('fullpath')), 'figures', [name '.png']);
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
end
