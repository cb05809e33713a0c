function fig = example_figure(savePng)
%EXAMPLE_FIGURE A figure for an example's picture, or [] when it would go nowhere.
%   fig = example_figure(savePng) opens a figure when the picture is to be saved (savePng
%   true or a file name) or when there is a screen to show it on. Without a screen, Octave
%   draws with gnuplot, so that the picture can still be saved.
%
%   See also EXAMPLE_SAVE_FIGURE.

% Copyright 2026 The sparsemex authors. SPDX-License-Identifier: BSD-3-Clause
  saving = ~(isempty(savePng) || isequal(savePng, false));
  fig = [];
  if exist('OCTAVE_VERSION', 'builtin')
    if ~have_window_system()
      if ~saving
        return;
      end
      if ~any(strcmp(available_graphics_toolkits(), 'gnuplot'))
        warning('example_figure:noGraphics', ...
                'no graphics without a screen: install gnuplot to save the picture');
        return;
      end
      warning('off', 'Octave:gnuplot-graphics');
      graphics_toolkit('gnuplot');
    end
  end
  if saving
    fig = figure('Visible', 'off', 'Position', [100 100 640 420]);
  else
    fig = figure('Position', [100 100 640 420]);
  end
end
